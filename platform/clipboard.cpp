// Global memory blocks and the clipboard. Text goes to the toolkit's clipboard as Unicode with '\n' line ends and
// comes back as CF_TEXT bytes in the ANSI code page with "\r\n", so other applications see ordinary text.
#include "platform/window_p.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <cstring>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

namespace
{

struct GlobalBlock
{
    std::vector<char> bytes;
    UINT flags = 0;
    int locks = 0;
};

std::unordered_set<const void*>& LiveBlocks()
{
    static std::unordered_set<const void*> live;
    return live;
}

GlobalBlock* Block(HGLOBAL h) { return h && LiveBlocks().count(h) ? static_cast<GlobalBlock*>(h) : nullptr; }

void FreeBlock(GlobalBlock* b)
{
    if (b)
    {
        LiveBlocks().erase(b);
        delete b;
    }
}

// The clipboard's state on our side. Handles given to SetClipboardData, and those made for GetClipboardData, are
// the clipboard's: kept while the toolkit's text is still the one they hold.
struct ClipboardState
{
    bool open = false;
    HWND openedBy = nullptr;
    HWND owner = nullptr;
    GlobalBlock* text = nullptr;    // CF_TEXT
    GlobalBlock* unicode = nullptr; // CF_UNICODETEXT
    QString textOf, unicodeOf;      // the toolkit text each handle stands for
    std::map<UINT, GlobalBlock*> custom; // registered formats: the handles given or made for them
    // What was put on the clipboard since it was last emptied, each format under its MIME type: the toolkit takes
    // the formats all at once, so each SetClipboardData hands it every one so far.
    std::map<QString, QByteArray> putData;
    QString putText;
    bool hasPutText = false;

    ~ClipboardState() // what the clipboard still holds when the program ends
    {
        delete text;
        delete unicode;
        for (auto& [format, block] : custom)
            delete block;
    }
};
ClipboardState g_clip;

// Registered formats, numbered from 0xC000 as Win32 numbers them; the name is the MIME type the toolkit carries,
// so that other programs (another jobhost) find the data under it.
constexpr UINT kFirstRegistered = 0xC000;
std::vector<std::string>& FormatNames()
{
    static std::vector<std::string> names;
    return names;
}
const std::string* FormatName(UINT format)
{
    if (format < kFirstRegistered || format - kFirstRegistered >= FormatNames().size())
        return nullptr;
    return &FormatNames()[format - kFirstRegistered];
}
QString MimeOf(UINT format)
{
    const std::string* name = FormatName(format);
    return name ? QString::fromStdString(*name) : QString();
}

QClipboard* Toolkit() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr; }

QString ToolkitText()
{
    QClipboard* cb = Toolkit();
    const QMimeData* data = cb ? cb->mimeData() : nullptr;
    return data && data->hasText() ? data->text() : QString();
}

void DropHandles()
{
    FreeBlock(g_clip.text);
    FreeBlock(g_clip.unicode);
    g_clip.text = g_clip.unicode = nullptr;
    for (auto& [format, block] : g_clip.custom)
        FreeBlock(block);
    g_clip.custom.clear();
}

bool IsClipboardBlock(const GlobalBlock* b)
{
    if (b == g_clip.text || b == g_clip.unicode)
        return true;
    for (const auto& [format, block] : g_clip.custom)
        if (block == b)
            return true;
    return false;
}

// Hands the toolkit everything put since the clipboard was emptied.
void PublishPut(QClipboard* cb)
{
    auto* data = new QMimeData;
    for (const auto& [mime, bytes] : g_clip.putData)
        data->setData(mime, bytes);
    if (g_clip.hasPutText)
        data->setText(g_clip.putText);
    cb->setMimeData(data);
}

// Bytes up to the terminating zero (or the block's end).
std::string_view Terminated(const GlobalBlock* b)
{
    size_t n = 0;
    while (n < b->bytes.size() && b->bytes[n])
        ++n;
    return std::string_view(b->bytes.data(), n);
}

QString LfOnly(QString s)
{
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

QString CrLf(QString s) { return LfOnly(std::move(s)).replace(QLatin1Char('\n'), QStringLiteral("\r\n")); }

GlobalBlock* NewBlock(const void* data, size_t n)
{
    auto* b = new GlobalBlock;
    b->flags = GMEM_MOVEABLE;
    b->bytes.assign(static_cast<const char*>(data), static_cast<const char*>(data) + n);
    LiveBlocks().insert(b);
    return b;
}

} // namespace

// ---------------------------------------------------------------------------------------------------------------
// Global memory.

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes)
{
    if (bytes > (SIZE_T(1) << 31))
        return nullptr;
    auto* b = new GlobalBlock;
    b->flags = flags;
    b->bytes.assign(bytes, 0);
    LiveBlocks().insert(b);
    return b;
}

HGLOBAL GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags)
{
    GlobalBlock* b = Block(mem);
    if (!b || bytes > (SIZE_T(1) << 31))
        return nullptr;
    b->bytes.resize(bytes, 0); // new bytes are zero whether or not GMEM_ZEROINIT asks for it
    (void)flags;
    return b;
}

LPVOID GlobalLock(HGLOBAL mem)
{
    GlobalBlock* b = Block(mem);
    if (!b || b->bytes.empty())
        return nullptr; // a zero-length block has no memory to lock, as in Win32
    ++b->locks;
    return b->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL mem)
{
    GlobalBlock* b = Block(mem);
    if (!b || b->locks == 0)
        return FALSE;
    return --b->locks > 0;
}

HGLOBAL GlobalFree(HGLOBAL mem)
{
    GlobalBlock* b = Block(mem);
    if (!b)
        return mem; // failure returns the handle
    if (IsClipboardBlock(b))
        return mem; // the clipboard's now
    FreeBlock(b);
    return nullptr;
}

SIZE_T GlobalSize(HGLOBAL mem)
{
    GlobalBlock* b = Block(mem);
    return b ? b->bytes.size() : 0;
}

// ---------------------------------------------------------------------------------------------------------------
// The clipboard.

BOOL OpenClipboard(HWND h)
{
    if (h && !IsWindow(h))
        return FALSE;
    if (g_clip.open && g_clip.openedBy != h)
        return FALSE; // another window has it open
    g_clip.open = true;
    g_clip.openedBy = h;
    return TRUE;
}

BOOL CWnd::OpenClipboard() { return IsWindow(m_hWnd) ? ::OpenClipboard(m_hWnd) : FALSE; }

BOOL CloseClipboard()
{
    if (!g_clip.open)
        return FALSE;
    g_clip.open = false;
    g_clip.openedBy = nullptr;
    return TRUE;
}

BOOL EmptyClipboard()
{
    if (!g_clip.open)
        return FALSE;
    DropHandles();
    g_clip.putData.clear();
    g_clip.putText.clear();
    g_clip.hasPutText = false;
    if (QClipboard* cb = Toolkit())
        cb->clear();
    g_clip.owner = g_clip.openedBy;
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE mem)
{
    GlobalBlock* b = Block(mem);
    QClipboard* cb = Toolkit();
    if (!g_clip.open || !b || !cb)
        return nullptr; // delayed rendering (a null handle) is not offered
    if (FormatName(format))
    {
        // Bytes as they are, the whole block.
        g_clip.putData[MimeOf(format)] = QByteArray(b->bytes.data(), qsizetype(b->bytes.size()));
        PublishPut(cb);
        auto& held = g_clip.custom[format];
        if (held != b)
            FreeBlock(held);
        held = b;
        return mem;
    }
    QString text;
    if (format == CF_TEXT || format == CF_OEMTEXT)
        text = QString::fromStdString(CodePageToUtf8(Terminated(b), GetACP()));
    else if (format == CF_UNICODETEXT)
    {
        size_t units = b->bytes.size() / 2;
        const auto* p = reinterpret_cast<const char16_t*>(b->bytes.data());
        size_t n = 0;
        while (n < units && p[n])
            ++n;
        text = QString::fromUtf16(p, qsizetype(n));
    }
    else
        return nullptr;
    g_clip.putText = LfOnly(text);
    g_clip.hasPutText = true;
    PublishPut(cb);
    // The handle is the clipboard's from now on; it answers GetClipboardData for as long as the text stands.
    if (g_clip.text == b)
        g_clip.text = nullptr;
    if (g_clip.unicode == b)
        g_clip.unicode = nullptr;
    FreeBlock(g_clip.text);
    FreeBlock(g_clip.unicode);
    g_clip.text = g_clip.unicode = nullptr;
    if (format == CF_UNICODETEXT)
        g_clip.unicode = b, g_clip.unicodeOf = ToolkitText();
    else
        g_clip.text = b, g_clip.textOf = ToolkitText();
    return mem;
}

HANDLE GetClipboardData(UINT format)
{
    if (!g_clip.open || !Toolkit())
        return nullptr;
    const QMimeData* data = Toolkit()->mimeData();
    if (FormatName(format))
    {
        if (!data || !data->hasFormat(MimeOf(format)))
            return nullptr;
        QByteArray bytes = data->data(MimeOf(format));
        auto& held = g_clip.custom[format];
        if (held && held->bytes.size() == size_t(bytes.size()) && std::memcmp(held->bytes.data(), bytes.data(), held->bytes.size()) == 0)
            return held;
        FreeBlock(held);
        held = NewBlock(bytes.constData(), size_t(bytes.size()));
        return held;
    }
    if (!data || !data->hasText())
        return nullptr;
    QString now = data->text();
    if (format == CF_TEXT || format == CF_OEMTEXT)
    {
        if (g_clip.text && g_clip.textOf == now)
            return g_clip.text;
        FreeBlock(g_clip.text);
        std::string bytes = Utf8ToCodePage(CrLf(now).toStdString(), GetACP());
        bytes.push_back('\0');
        g_clip.text = NewBlock(bytes.data(), bytes.size());
        g_clip.textOf = now;
        return g_clip.text;
    }
    if (format == CF_UNICODETEXT)
    {
        if (g_clip.unicode && g_clip.unicodeOf == now)
            return g_clip.unicode;
        FreeBlock(g_clip.unicode);
        QString s = CrLf(now);
        std::vector<char16_t> units(s.utf16(), s.utf16() + s.size());
        units.push_back(0);
        g_clip.unicode = NewBlock(units.data(), units.size() * sizeof(char16_t));
        g_clip.unicodeOf = now;
        return g_clip.unicode;
    }
    return nullptr;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    if (FormatName(format))
    {
        QClipboard* cb = Toolkit();
        const QMimeData* data = cb ? cb->mimeData() : nullptr;
        return data && data->hasFormat(MimeOf(format));
    }
    if (format != CF_TEXT && format != CF_OEMTEXT && format != CF_UNICODETEXT)
        return FALSE;
    QClipboard* cb = Toolkit();
    const QMimeData* data = cb ? cb->mimeData() : nullptr;
    return data && data->hasText();
}

HWND GetOpenClipboardWindow() { return g_clip.open && IsWindow(g_clip.openedBy) ? g_clip.openedBy : nullptr; }
HWND GetClipboardOwner() { return IsWindow(g_clip.owner) ? g_clip.owner : nullptr; }

UINT RegisterClipboardFormat(LPCSTR name)
{
    if (!name || !*name)
        return 0;
    auto& names = FormatNames();
    // The same name, in any case, is the same format.
    for (size_t i = 0; i < names.size(); ++i)
        if (QString::fromStdString(names[i]).compare(QString::fromUtf8(name), Qt::CaseInsensitive) == 0)
            return kFirstRegistered + UINT(i);
    if (names.size() >= 0x3FFF)
        return 0;
    names.emplace_back(name);
    return kFirstRegistered + UINT(names.size() - 1);
}

int GetClipboardFormatName(UINT format, char* name, int max)
{
    const std::string* known = FormatName(format);
    if (!known || !name || max <= 0)
        return 0;
    size_t n = std::min(known->size(), size_t(max - 1));
    std::memcpy(name, known->data(), n);
    name[n] = '\0';
    return int(n);
}
