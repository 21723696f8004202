// CString and the code page conversions behind it.
#include "platform/afxstr.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include <iconv.h>

namespace
{

std::atomic<int> g_ansiCodePage{1252};

// The Windows code pages we convert, with the glibc names to try in order.
// Anything not listed is read as 1252; every one of them keeps ASCII as is.
struct CodePageNames
{
    int codePage;
    const char* names[3];
};

const CodePageNames kCodePages[] = {
    {874, {"CP874", "WINDOWS-874", nullptr}},
    {932, {"CP932", "SJIS", "SHIFT_JIS"}},
    {936, {"CP936", "GBK", "GB2312"}}, // GB2312 bytes are a subset of GBK
    {949, {"CP949", "UHC", nullptr}},
    {950, {"CP950", "BIG5", nullptr}},
    {1250, {"CP1250", "WINDOWS-1250", nullptr}},
    {1251, {"CP1251", "WINDOWS-1251", nullptr}},
    {1252, {"CP1252", "WINDOWS-1252", nullptr}},
    {1253, {"CP1253", "WINDOWS-1253", nullptr}},
    {1254, {"CP1254", "WINDOWS-1254", nullptr}},
    {1255, {"CP1255", "WINDOWS-1255", nullptr}},
    {1256, {"CP1256", "WINDOWS-1256", nullptr}},
    {1257, {"CP1257", "WINDOWS-1257", nullptr}},
    {1258, {"CP1258", "WINDOWS-1258", nullptr}},
};

constexpr int kUtf8 = 65001;
const char kReplacementUtf8[] = "\xEF\xBF\xBD"; // U+FFFD

const CodePageNames* FindCodePage(int codePage)
{
    for (const CodePageNames& cp : kCodePages)
        if (cp.codePage == codePage)
            return &cp;
    return nullptr;
}

// 0 is CP_ACP, as in the Win32 conversion calls.
int ResolveCodePage(int codePage)
{
    if (codePage == 0)
        return g_ansiCodePage.load(std::memory_order_relaxed);
    if (codePage == kUtf8 || FindCodePage(codePage))
        return codePage;
    return 1252;
}

bool IsLeadByteIn(int codePage, unsigned char c)
{
    switch (codePage)
    {
    case 932:
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    case 936:
    case 949:
    case 950:
        return c >= 0x81 && c <= 0xFE;
    default:
        return false;
    }
}

// The ANSI code page when it is a double-byte one, else 0. Byte scans step over
// trail bytes then, as the MBCS runtime does: a Shift-JIS trail byte may be '\\'.
int DbcsAnsiCodePage()
{
    int cp = g_ansiCodePage.load(std::memory_order_relaxed);
    return IsLeadByteIn(cp, 0x81) ? cp : 0;
}

size_t CharSize(const std::string& s, size_t i, int dbcs)
{
    return dbcs && i + 1 < s.size() && IsLeadByteIn(dbcs, static_cast<unsigned char>(s[i])) ? 2 : 1;
}

unsigned char AsciiLower(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

unsigned char AsciiUpper(unsigned char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}

bool InSet(const char* set, char c)
{
    return c != '\0' && std::strchr(set, c) != nullptr;
}

bool IsAscii(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Copies well-formed UTF-8 and puts `replacement` for each maximal ill-formed subpart
// (overlongs, surrogates, past U+10FFFF, truncated sequences), as Unicode recommends.
std::string SanitizeUtf8(std::string_view s, std::string_view replacement)
{
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size())
    {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80)
        {
            out += char(c);
            ++i;
            continue;
        }
        int need = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF)
            need = 1;
        else if (c == 0xE0)
            need = 2, lo = 0xA0;
        else if (c == 0xED)
            need = 2, hi = 0x9F;
        else if (c >= 0xE1 && c <= 0xEF)
            need = 2;
        else if (c == 0xF0)
            need = 3, lo = 0x90;
        else if (c >= 0xF1 && c <= 0xF3)
            need = 3;
        else if (c == 0xF4)
            need = 3, hi = 0x8F;
        else
        {
            out += replacement;
            ++i;
            continue;
        }
        size_t j = i + 1;
        bool ok = true;
        for (int k = 0; k < need; ++k, ++j)
        {
            unsigned char d = j < s.size() ? static_cast<unsigned char>(s[j]) : 0;
            if (j >= s.size() || d < (k == 0 ? lo : 0x80) || d > (k == 0 ? hi : 0xBF))
            {
                ok = false;
                break;
            }
        }
        if (ok)
            out.append(s.substr(i, j - i));
        else
            out += replacement;
        i = j;
    }
    return out;
}

void AppendUtf8(std::string& out, uint32_t cp)
{
    if (cp < 0x80)
        out += char(cp);
    else if (cp < 0x800)
    {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    }
    else
    {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// iconv descriptors are costly to open and not safe to share, so each thread keeps its own.
class Converters
{
  public:
    struct Entry
    {
        int codePage;
        bool toUtf8;
        iconv_t cd;
        // Bytes 0x80..0x9F the code page leaves undefined. Windows reads them as U+0080..U+009F,
        // which keeps every byte string round-trippable; glibc rejects them.
        uint32_t c1Holes;
    };

    ~Converters()
    {
        for (Entry& e : m_entries)
            if (e.cd != Invalid())
                iconv_close(e.cd);
    }

    // Reset and ready to use; cd is Invalid() when glibc has no converter for it.
    Entry& Get(int codePage, bool toUtf8)
    {
        for (Entry& e : m_entries)
            if (e.codePage == codePage && e.toUtf8 == toUtf8)
            {
                if (e.cd != Invalid())
                    iconv(e.cd, nullptr, nullptr, nullptr, nullptr);
                return e;
            }
        Entry e{codePage, toUtf8, Invalid(), 0};
        if (const CodePageNames* names = FindCodePage(codePage))
            for (const char* name : names->names)
            {
                if (!name)
                    break;
                e.cd = toUtf8 ? iconv_open("UTF-8", name) : iconv_open(name, "UTF-8");
                if (e.cd != Invalid())
                    break;
            }
        if (e.cd != Invalid() && toUtf8)
            e.c1Holes = FindC1Holes(e.cd, codePage);
        else if (!toUtf8)
            e.c1Holes = Get(codePage, true).c1Holes;
        m_entries.push_back(e);
        return m_entries.back();
    }

    static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }

  private:
    static uint32_t FindC1Holes(iconv_t cd, int codePage)
    {
        uint32_t holes = 0;
        for (int b = 0x80; b <= 0x9F; ++b)
        {
            if (IsLeadByteIn(codePage, static_cast<unsigned char>(b)))
                continue;
            char in = char(b), out[8];
            char* pin = &in;
            char* pout = out;
            size_t inLeft = 1, outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &pin, &inLeft, &pout, &outLeft) == size_t(-1))
                holes |= 1u << (b - 0x80);
        }
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        return holes;
    }

    std::vector<Entry> m_entries;
};

thread_local Converters t_converters;

// Runs iconv over all of `in`, calling onError(in, inLeft, out) at each byte sequence it
// cannot convert; onError appends a stand-in and says how many input bytes to skip.
template <class OnError> std::string RunIconv(iconv_t cd, std::string_view input, size_t initialSize, OnError onError)
{
    std::string out(initialSize + 16, '\0');
    size_t used = 0;
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    auto grow = [&](size_t atLeast) {
        if (out.size() - used < atLeast)
            out.resize(out.size() * 2 + atLeast);
    };
    bool flushing = false;
    for (;;)
    {
        char* o = out.data() + used;
        size_t oLeft = out.size() - used;
        size_t r = flushing ? iconv(cd, nullptr, nullptr, &o, &oLeft) : iconv(cd, &in, &inLeft, &o, &oLeft);
        int err = errno;
        used = size_t(o - out.data());
        if (r != size_t(-1))
        {
            if (flushing)
                break;
            flushing = true; // stateful decoders (1255, 1258) may still hold a character
            continue;
        }
        if (err == E2BIG)
        {
            grow(64);
            continue;
        }
        if (flushing || inLeft == 0)
            break;
        std::string stand;
        size_t skip = onError(in, inLeft, stand);
        grow(stand.size() + 16);
        std::memcpy(out.data() + used, stand.data(), stand.size());
        used += stand.size();
        if (skip > inLeft)
            skip = inLeft;
        in += skip;
        inLeft -= skip;
    }
    out.resize(used);
    return out;
}

// Length of the well-formed UTF-8 character starting with lead byte c.
size_t Utf8Length(unsigned char c)
{
    return c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
}

} // namespace

int GetACP()
{
    return g_ansiCodePage.load(std::memory_order_relaxed);
}

void SetAnsiCodePage(int codePage)
{
    g_ansiCodePage.store(ResolveCodePage(codePage), std::memory_order_relaxed);
}

bool IsUtf8(std::string_view bytes) { return SanitizeUtf8(bytes, kReplacementUtf8) == bytes; }

std::string CodePageToUtf8(std::string_view bytes, int codePage)
{
    int cp = ResolveCodePage(codePage);
    if (IsAscii(bytes))
        return std::string(bytes);
    if (cp == kUtf8)
        return SanitizeUtf8(bytes, kReplacementUtf8);
    Converters::Entry& conv = t_converters.Get(cp, true);
    if (conv.cd == Converters::Invalid())
    {
        // No converter installed: Latin-1 is the closest lossless reading.
        std::string out;
        for (char c : bytes)
            AppendUtf8(out, static_cast<unsigned char>(c));
        return out;
    }
    uint32_t holes = conv.c1Holes;
    return RunIconv(conv.cd, bytes, bytes.size() * 3, [holes](const char* in, size_t, std::string& stand) {
        unsigned char b = static_cast<unsigned char>(*in);
        if (b >= 0x80 && b <= 0x9F && (holes & (1u << (b - 0x80))))
            AppendUtf8(stand, b);
        else
            stand = kReplacementUtf8;
        return size_t(1);
    });
}

std::string Utf8ToCodePage(std::string_view utf8, int codePage)
{
    int cp = ResolveCodePage(codePage);
    if (IsAscii(utf8))
        return std::string(utf8);
    std::string clean = SanitizeUtf8(utf8, "?");
    if (cp == kUtf8)
        return clean;
    Converters::Entry& conv = t_converters.Get(cp, false);
    if (conv.cd == Converters::Invalid())
    {
        std::string out;
        for (size_t i = 0; i < clean.size();)
        {
            unsigned char c = static_cast<unsigned char>(clean[i]);
            size_t n = Utf8Length(c);
            if (n == 1)
                out += char(c);
            else if (n == 2 && c <= 0xC3)
                out += char(((c & 0x1F) << 6) | (static_cast<unsigned char>(clean[i + 1]) & 0x3F));
            else
                out += '?';
            i += n;
        }
        return out;
    }
    uint32_t holes = conv.c1Holes;
    return RunIconv(conv.cd, clean, clean.size(), [holes](const char* in, size_t inLeft, std::string& stand) {
        // The input is well-formed here, so this is a character the code page lacks.
        unsigned char c = static_cast<unsigned char>(in[0]);
        size_t n = Utf8Length(c);
        if (n == 2 && c == 0xC2 && inLeft >= 2)
        {
            unsigned char b = static_cast<unsigned char>(in[1]);
            if (b <= 0x9F && (holes & (1u << (b - 0x80))))
            {
                stand = char(b);
                return n;
            }
        }
        stand = "?";
        return n;
    });
}

bool IsDBCSLeadByteEx(unsigned codePage, unsigned char testChar)
{
    return IsLeadByteIn(ResolveCodePage(int(codePage)), testChar);
}

bool CodePageHolds(std::string_view utf8, int codePage)
{
    if (IsAscii(utf8))
        return true;
    return CodePageToUtf8(Utf8ToCodePage(utf8, codePage), codePage) == utf8;
}

std::string CodePageName(int codePage)
{
    int cp = ResolveCodePage(codePage);
    const char* name = "";
    switch (cp)
    {
    case 874: name = "Thai"; break;
    case 932: name = "Japanese, Shift-JIS"; break;
    case 936: name = "Chinese Simplified, GBK"; break;
    case 949: name = "Korean"; break;
    case 950: name = "Chinese Traditional, Big5"; break;
    case 1250: name = "Central European"; break;
    case 1251: name = "Cyrillic"; break;
    case 1252: name = "Western European"; break;
    case 1253: name = "Greek"; break;
    case 1254: name = "Turkish"; break;
    case 1255: name = "Hebrew"; break;
    case 1256: name = "Arabic"; break;
    case 1257: name = "Baltic"; break;
    case 1258: name = "Vietnamese"; break;
    case kUtf8: name = "Unicode, UTF-8"; break;
    default: break;
    }
    return std::to_string(cp) + " (" + name + ")";
}

CString CString::FromUtf8(std::string_view utf8)
{
    return CString(Utf8ToCodePage(utf8, 0));
}

std::string CString::ToUtf8() const
{
    return CodePageToUtf8(m_s, 0);
}

int CString::Compare(const char* psz) const
{
    int r = std::strcmp(m_s.c_str(), psz ? psz : "");
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int CString::CompareNoCase(const char* psz) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_s.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(psz ? psz : "");
    int dbcs = DbcsAnsiCodePage();
    bool trail = false; // a trail byte is compared as is: folding it would change the character
    for (size_t i = 0;; ++i)
    {
        unsigned char ca = trail ? a[i] : AsciiLower(a[i]);
        unsigned char cb = trail ? b[i] : AsciiLower(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
        trail = !trail && dbcs && IsLeadByteIn(dbcs, ca);
    }
}

CString CString::Left(int n) const
{
    if (n <= 0)
        return CString();
    return CString(m_s.substr(0, size_t(n)));
}

CString CString::Mid(int first) const
{
    if (first < 0)
        first = 0;
    if (size_t(first) >= m_s.size())
        return CString();
    return CString(m_s.substr(size_t(first)));
}

CString CString::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (count <= 0 || size_t(first) >= m_s.size())
        return CString();
    return CString(m_s.substr(size_t(first), size_t(count)));
}

CString CString::Right(int n) const
{
    if (n <= 0)
        return CString();
    if (size_t(n) >= m_s.size())
        return *this;
    return CString(m_s.substr(m_s.size() - size_t(n)));
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || size_t(start) >= m_s.size())
        return -1;
    int dbcs = DbcsAnsiCodePage();
    if (!dbcs)
    {
        size_t pos = m_s.find(ch, size_t(start));
        return pos == std::string::npos ? -1 : int(pos);
    }
    for (size_t i = size_t(start); i < m_s.size();)
    {
        size_t n = CharSize(m_s, i, dbcs);
        if (n == 1 && m_s[i] == ch)
            return int(i);
        i += n;
    }
    return -1;
}

int CString::Find(const char* sub, int start) const
{
    if (!sub || start < 0 || size_t(start) > m_s.size())
        return -1;
    int dbcs = DbcsAnsiCodePage();
    if (!dbcs)
    {
        size_t pos = m_s.find(sub, size_t(start));
        return pos == std::string::npos ? -1 : int(pos);
    }
    size_t len = std::strlen(sub);
    for (size_t i = size_t(start); i + len <= m_s.size();)
    {
        if (m_s.compare(i, len, sub, len) == 0)
            return int(i);
        i += CharSize(m_s, i, dbcs);
    }
    return -1;
}

int CString::ReverseFind(char ch) const
{
    int dbcs = DbcsAnsiCodePage();
    if (!dbcs)
    {
        size_t pos = m_s.rfind(ch);
        return pos == std::string::npos ? -1 : int(pos);
    }
    int found = -1;
    for (size_t i = 0; i < m_s.size();)
    {
        size_t n = CharSize(m_s, i, dbcs);
        if (n == 1 && m_s[i] == ch)
            found = int(i);
        i += n;
    }
    return found;
}

int CString::FindOneOf(const char* chars) const
{
    if (!chars || !*chars)
        return -1;
    int dbcs = DbcsAnsiCodePage();
    for (size_t i = 0; i < m_s.size();)
    {
        size_t n = CharSize(m_s, i, dbcs);
        if (n == 1 && InSet(chars, m_s[i]))
            return int(i);
        i += n;
    }
    return -1;
}

int CString::Replace(const char* oldText, const char* newText)
{
    if (!oldText || !*oldText)
        return 0;
    if (!newText)
        newText = "";
    size_t oldLen = std::strlen(oldText);
    int count = 0;
    std::string out;
    size_t copied = 0;
    for (int pos = Find(oldText, 0); pos >= 0; pos = Find(oldText, int(copied)))
    {
        out.append(m_s, copied, size_t(pos) - copied);
        out += newText;
        copied = size_t(pos) + oldLen;
        ++count;
    }
    if (count)
    {
        out.append(m_s, copied, std::string::npos);
        m_s.swap(out);
    }
    return count;
}

int CString::Replace(char oldCh, char newCh)
{
    if (oldCh == newCh)
        return 0;
    int dbcs = DbcsAnsiCodePage();
    int count = 0;
    for (size_t i = 0; i < m_s.size();)
    {
        size_t n = CharSize(m_s, i, dbcs);
        if (n == 1 && m_s[i] == oldCh)
        {
            m_s[i] = newCh;
            ++count;
        }
        i += n;
    }
    return count;
}

int CString::Remove(char ch)
{
    int dbcs = DbcsAnsiCodePage();
    std::string out;
    out.reserve(m_s.size());
    int count = 0;
    for (size_t i = 0; i < m_s.size();)
    {
        size_t n = CharSize(m_s, i, dbcs);
        if (n == 1 && m_s[i] == ch)
            ++count;
        else
            out.append(m_s, i, n);
        i += n;
    }
    m_s.swap(out);
    return count;
}

int CString::Insert(int index, const char* psz)
{
    if (index < 0)
        index = 0;
    if (size_t(index) > m_s.size())
        index = int(m_s.size());
    if (psz)
        m_s.insert(size_t(index), psz);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index < 0)
        index = 0;
    if (count > 0 && size_t(index) < m_s.size())
        m_s.erase(size_t(index), size_t(count));
    return GetLength();
}

void CString::MakeUpper()
{
    int dbcs = DbcsAnsiCodePage();
    for (size_t i = 0; i < m_s.size();)
    {
        size_t n = CharSize(m_s, i, dbcs);
        if (n == 1)
            m_s[i] = char(AsciiUpper(static_cast<unsigned char>(m_s[i])));
        i += n;
    }
}

void CString::MakeLower()
{
    int dbcs = DbcsAnsiCodePage();
    for (size_t i = 0; i < m_s.size();)
    {
        size_t n = CharSize(m_s, i, dbcs);
        if (n == 1)
            m_s[i] = char(AsciiLower(static_cast<unsigned char>(m_s[i])));
        i += n;
    }
}

namespace
{
const char kWhitespace[] = " \t\r\n";
}

CString& CString::Trim()
{
    TrimRight(kWhitespace);
    return TrimLeft(kWhitespace);
}

CString& CString::TrimLeft()
{
    return TrimLeft(kWhitespace);
}

CString& CString::TrimRight()
{
    return TrimRight(kWhitespace);
}

CString& CString::TrimLeft(const char* chars)
{
    if (!chars || !*chars)
        return *this;
    int dbcs = DbcsAnsiCodePage();
    size_t i = 0;
    while (i < m_s.size() && CharSize(m_s, i, dbcs) == 1 && InSet(chars, m_s[i]))
        ++i;
    m_s.erase(0, i);
    return *this;
}

CString& CString::TrimRight(const char* chars)
{
    if (!chars || !*chars)
        return *this;
    int dbcs = DbcsAnsiCodePage();
    // Walk forward so a trail byte is never taken for one of the characters.
    size_t cut = std::string::npos;
    for (size_t i = 0; i < m_s.size();)
    {
        size_t n = CharSize(m_s, i, dbcs);
        if (n == 1 && InSet(chars, m_s[i]))
        {
            if (cut == std::string::npos)
                cut = i;
        }
        else
            cut = std::string::npos;
        i += n;
    }
    if (cut != std::string::npos)
        m_s.erase(cut);
    return *this;
}

namespace
{

std::string VFormat(const char* fmt, va_list args)
{
    if (!fmt)
        return std::string();
    char small[256];
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(small, sizeof small, fmt, copy);
    va_end(copy);
    if (n < 0)
        return std::string();
    if (size_t(n) < sizeof small)
        return std::string(small, size_t(n));
    std::string out(size_t(n), '\0');
    va_copy(copy, args);
    std::vsnprintf(out.data(), size_t(n) + 1, fmt, copy);
    va_end(copy);
    return out;
}

} // namespace

// Formatting goes to a fresh string first, so the string itself may be one of the arguments.
void CString::FormatV(const char* fmt, va_list args)
{
    m_s = VFormat(fmt, args);
}

void CString::Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    m_s = VFormat(fmt, args);
    va_end(args);
}

void CString::AppendFormat(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::string more = VFormat(fmt, args);
    va_end(args);
    m_s += more;
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > 0 && size_t(minLength) > m_s.size())
        m_s.resize(size_t(minLength), '\0');
    return m_s.data();
}

void CString::ReleaseBuffer(int newLength)
{
    size_t n = newLength < 0 ? strnlen(m_s.data(), m_s.size()) : size_t(newLength);
    if (n < m_s.size())
        m_s.resize(n);
}
