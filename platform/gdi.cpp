// GDI objects: fonts, pens, brushes, bitmaps and regions behind their handles, and the stock objects.
#include "platform/gdi_p.h"

#include <QColor>
#include <QFontDatabase>
#include <QSet>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "platform/afxres.h"

BOOL CRect::IntersectRect(const RECT& a, const RECT& b)
{
    *this = CRect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom));
    if (IsRectEmpty())
    {
        SetRect(0, 0, 0, 0);
        return FALSE;
    }
    return TRUE;
}

void CRect::UnionRect(const RECT& a, const RECT& b)
{
    CRect ra(a), rb(b);
    if (ra.IsRectEmpty())
        *this = rb;
    else if (rb.IsRectEmpty())
        *this = ra;
    else
        *this = CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom));
}

void CRect::NormalizeRect()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

// ---------------------------------------------------------------------------------------------------------------
// The handle table.

namespace
{

// Never destroyed: stock objects and class brushes live as long as the process.
std::unordered_map<const void*, GdiRecord*>& Live()
{
    static auto* live = new std::unordered_map<const void*, GdiRecord*>;
    return *live;
}

void Free(GdiRecord* r)
{
    Live().erase(r->handle);
    r->Wrapper().m_hObject = nullptr; // its destructor must not come back here
    delete r;
}

constexpr int kStockDefaultBitmap = 100; // a memory DC's surface until a bitmap is selected

LOGFONT StockFont(int height, int weight, BYTE pitch, const char* face)
{
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = pitch;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

GdiRecord* MakeStock(int index)
{
    auto brush = [](COLORREF c, UINT style = BS_SOLID) -> GdiRecord* {
        auto* b = pdt::gdi::NewRecord<BrushRecord>();
        b->color = c;
        b->style = style;
        return b;
    };
    auto pen = [](COLORREF c, int style = PS_SOLID) -> GdiRecord* {
        auto* p = pdt::gdi::NewRecord<PenRecord>();
        p->color = c;
        p->style = style;
        return p;
    };
    auto font = [](const LOGFONT& lf) -> GdiRecord* {
        auto* f = pdt::gdi::NewRecord<FontRecord>();
        f->lf = lf;
        return f;
    };
    switch (index)
    {
    case WHITE_BRUSH: return brush(RGB(255, 255, 255));
    case LTGRAY_BRUSH: return brush(RGB(192, 192, 192));
    case GRAY_BRUSH: return brush(RGB(128, 128, 128));
    case DKGRAY_BRUSH: return brush(RGB(64, 64, 64));
    case BLACK_BRUSH: return brush(RGB(0, 0, 0));
    case NULL_BRUSH: return brush(0, BS_NULL);
    case WHITE_PEN: return pen(RGB(255, 255, 255));
    case BLACK_PEN: return pen(RGB(0, 0, 0));
    case NULL_PEN: return pen(0, PS_NULL);
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT: return font(StockFont(12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier"));
    case ANSI_VAR_FONT: return font(StockFont(12, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif"));
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT: return font(StockFont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System"));
    case SYSTEM_FIXED_FONT: return font(StockFont(15, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Fixedsys"));
    case DEFAULT_GUI_FONT: return font(StockFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg"));
    case kStockDefaultBitmap: {
        auto* b = pdt::gdi::NewRecord<BitmapRecord>();
        b->image = QImage(1, 1, QImage::Format_RGB32);
        b->image.fill(Qt::black);
        b->mono = true;
        return b;
    }
    default: return nullptr;
    }
}

} // namespace

namespace pdt::gdi
{

GdiRecord* Lookup(const void* handle)
{
    if (!handle)
        return nullptr;
    auto it = Live().find(handle);
    return it != Live().end() && !it->second->deletePending ? it->second : nullptr;
}

template <class R> R* NewRecord()
{
    auto* r = new R;
    r->handle = static_cast<void*>(r);
    r->wrapper.m_hObject = r->handle;
    Live()[r->handle] = r;
    return r;
}
template FontRecord* NewRecord<FontRecord>();
template PenRecord* NewRecord<PenRecord>();
template BrushRecord* NewRecord<BrushRecord>();
template BitmapRecord* NewRecord<BitmapRecord>();
template RgnRecord* NewRecord<RgnRecord>();

void Hold(GdiRecord* r)
{
    if (r && !r->stock)
        ++r->selections;
}

void Release(GdiRecord* r)
{
    if (!r || r->stock)
        return;
    if (--r->selections <= 0)
    {
        r->selections = 0;
        if (r->deletePending)
            Free(r);
    }
}

GdiRecord* Stock(int index)
{
    static auto* made = new std::unordered_map<int, GdiRecord*>;
    auto it = made->find(index);
    if (it != made->end())
        return it->second;
    GdiRecord* r = MakeStock(index);
    if (r)
        r->stock = true;
    (*made)[index] = r;
    return r;
}

bool IsInstalledFamily(const QString& family)
{
    // Asking the font database builds a list of every family: do it once.
    static const QSet<QString> installed = [] {
        QSet<QString> names;
        for (const QString& f : QFontDatabase::families())
            names.insert(f.toLower());
        return names;
    }();
    return installed.contains(family.toLower());
}

bool IsMonospaced(const QFont& f)
{
    // fontconfig leaves the spacing flag off some monospace faces (Noto Sans Mono), so measure.
    QFontMetricsF fm(f);
    qreal w = fm.horizontalAdvance(QLatin1Char('W'));
    for (QChar c : QStringLiteral("il .0m"))
        if (std::abs(fm.horizontalAdvance(c) - w) > 0.01)
            return false;
    return w > 0;
}

QFont FixedPitchFont()
{
    static const QFont chosen = [] {
        QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        if (IsMonospaced(system))
            return system;
        for (const char* family : {"DejaVu Sans Mono", "Liberation Mono", "Noto Sans Mono", "Noto Mono",
                                   "Courier New", "FreeMono", "Nimbus Mono PS", "Monospace"})
        {
            QFont f(QString::fromLatin1(family));
            f.setStyleHint(QFont::TypeWriter);
            if (IsInstalledFamily(f.family()) && IsMonospaced(f))
                return f;
        }
        return system;
    }();
    return chosen;
}

const QFont& Realise(FontRecord* f)
{
    if (!f->realised)
        f->realised = ToQFont(f->lf);
    return *f->realised;
}

int CodePageOfCharset(int charset)
{
    switch (charset)
    {
    case ANSI_CHARSET:
    case SYMBOL_CHARSET: return 1252;
    case SHIFTJIS_CHARSET: return 932;
    case HANGUL_CHARSET: return 949;
    case GB2312_CHARSET: return 936;
    case CHINESEBIG5_CHARSET: return 950;
    case 161: return 1253; // GREEK_CHARSET
    case 162: return 1254; // TURKISH_CHARSET
    case 163: return 1258; // VIETNAMESE_CHARSET
    case 177: return 1255; // HEBREW_CHARSET
    case 178: return 1256; // ARABIC_CHARSET
    case 186: return 1257; // BALTIC_CHARSET
    case 204: return 1251; // RUSSIAN_CHARSET
    case 222: return 874;  // THAI_CHARSET
    case 238: return 1250; // EASTEUROPE_CHARSET
    default: return GetACP(); // DEFAULT_CHARSET, OEM_CHARSET: the system's code page
    }
}

QString DecodeText(const char* bytes, int count, int charset)
{
    if (!bytes || count <= 0)
        return QString();
    return QString::fromStdString(CodePageToUtf8(std::string_view(bytes, size_t(count)), CodePageOfCharset(charset)));
}

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
COLORREF FromQRgb(QRgb c) { return RGB(BYTE(qRed(c)), BYTE(qGreen(c)), BYTE(qBlue(c))); }

QFont ToQFont(const LOGFONT& lf)
{
    QString face = QString::fromLatin1(lf.lfFaceName);
    bool fixed = (lf.lfPitchAndFamily & 3) == FIXED_PITCH || (lf.lfPitchAndFamily & 0xF0) == FF_MODERN;
    QFont f;
    if (!face.isEmpty() && IsInstalledFamily(face))
        f = QFont(face);
    else
        f = fixed ? FixedPitchFont() : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (fixed)
        f.setStyleHint(QFont::TypeWriter);
    int h = lf.lfHeight;
    if (h < 0)
        f.setPixelSize(std::max(1, -h));
    else if (h > 0)
    {
        // A positive height is the cell height: take the internal leading off.
        f.setPixelSize(h);
        int cell = QFontMetrics(f).height();
        if (cell > h)
            f.setPixelSize(std::max(1, h * h / cell));
    }
    else
        f.setPixelSize(MulDiv(8, 96, 72));
    f.setWeight(lf.lfWeight >= FW_BOLD ? QFont::Bold
                : lf.lfWeight >= FW_SEMIBOLD ? QFont::DemiBold
                : lf.lfWeight > 0 && lf.lfWeight <= FW_LIGHT ? QFont::Light
                                                             : QFont::Normal);
    f.setItalic(lf.lfItalic != 0);
    f.setUnderline(lf.lfUnderline != 0);
    f.setStrikeOut(lf.lfStrikeOut != 0);
    if (lf.lfQuality == 3) // NONANTIALIASED_QUALITY
        f.setStyleStrategy(QFont::NoAntialias);
    if (lf.lfWidth > 0)
    {
        int avg = QFontMetrics(f).averageCharWidth();
        if (avg > 0)
            f.setStretch(std::clamp(lf.lfWidth * 100 / avg, 1, 4000));
    }
    return f;
}

LOGFONT FromQFont(const QFont& f)
{
    LOGFONT lf{};
    QFontInfo info(f);
    lf.lfHeight = -(f.pixelSize() > 0 ? f.pixelSize() : info.pixelSize());
    lf.lfWeight = f.bold() ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.italic();
    lf.lfUnderline = f.underline();
    lf.lfStrikeOut = f.strikeOut();
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = info.fixedPitch() ? FIXED_PITCH : VARIABLE_PITCH;
    std::strncpy(lf.lfFaceName, info.family().toLatin1().constData(), LF_FACESIZE - 1);
    return lf;
}

} // namespace pdt::gdi

using pdt::gdi::LookupAs;
using pdt::gdi::NewRecord;

// ---------------------------------------------------------------------------------------------------------------
// CGdiObject.

CGdiObject::~CGdiObject()
{
    // A record's own wrapper is detached before the record goes, so this is an application's object.
    if (m_hObject)
        ::DeleteObject(Detach());
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int index)
{
    if (m_hObject)
        return FALSE;
    GdiRecord* r = pdt::gdi::Stock(index);
    if (!r)
        return FALSE;
    m_hObject = r->handle;
    return TRUE;
}

BOOL CGdiObject::Attach(HGDIOBJ h)
{
    if (m_hObject || !h)
        return FALSE;
    m_hObject = h;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ h)
{
    GdiRecord* r = pdt::gdi::Lookup(h);
    if (!r)
        return nullptr;
    r->Wrapper().m_hObject = r->handle; // the wrapper may have been detached by DeleteObject
    return &r->Wrapper();
}

HGDIOBJ GetStockObject(int index)
{
    GdiRecord* r = pdt::gdi::Stock(index);
    return r ? r->handle : nullptr;
}

BOOL DeleteObject(HGDIOBJ h)
{
    GdiRecord* r = pdt::gdi::Lookup(h);
    if (!r)
        return FALSE;
    if (r->stock)
        return TRUE; // harmless, as in Win32
    if (r->selections > 0)
    {
        // Win32 refuses to delete a selected object; the record goes when it is deselected.
        r->deletePending = true;
        return FALSE;
    }
    Free(r);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------------------
// Fonts.

CFont::~CFont() = default;

BOOL CFont::CreateFontIndirect(const LOGFONT* lf)
{
    if (!lf || m_hObject)
        return FALSE;
    auto* rec = NewRecord<FontRecord>();
    rec->lf = *lf;
    rec->lf.lfFaceName[LF_FACESIZE - 1] = 0;
    m_hObject = rec->handle;
    return TRUE;
}

BOOL CFont::CreatePointFont(int pointSize, LPCTSTR faceName, CDC*)
{
    LOGFONT lf{};
    lf.lfHeight = -MulDiv(pointSize, 96, 720);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName)
{
    LOGFONT lf{height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
               outPrecision, clipPrecision, quality, pitchAndFamily, {}};
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* lf) const
{
    auto* rec = LookupAs<FontRecord>(m_hObject, GdiKind::Font);
    if (!rec || !lf)
        return 0;
    *lf = rec->lf;
    return sizeof(LOGFONT);
}

CFont* CFont::FromHandle(HFONT h)
{
    auto* rec = LookupAs<FontRecord>(h, GdiKind::Font);
    if (!rec)
        return nullptr;
    rec->wrapper.m_hObject = rec->handle;
    return &rec->wrapper;
}

// ---------------------------------------------------------------------------------------------------------------
// Pens and brushes.

CPen::CPen(int penStyle, int width, COLORREF color) { CreatePen(penStyle, width, color); }
CPen::~CPen() = default;

BOOL CPen::CreatePen(int penStyle, int width, COLORREF color)
{
    if (m_hObject || penStyle < PS_SOLID || (penStyle & PS_STYLE_MASK) > 8)
        return FALSE;
    auto* rec = NewRecord<PenRecord>();
    rec->style = penStyle & PS_STYLE_MASK;
    if (rec->style > PS_INSIDEFRAME)
        rec->style = PS_SOLID; // user styles and alternate pens draw solid here
    rec->width = std::max(1, width); // 0 is one pixel, as in Win32
    rec->color = color & 0xFFFFFF;
    m_hObject = rec->handle;
    return TRUE;
}

BOOL CPen::CreatePenIndirect(const LOGPEN* lp)
{
    return lp ? CreatePen(int(lp->lopnStyle), lp->lopnWidth.x, lp->lopnColor) : FALSE;
}

int CPen::GetLogPen(LOGPEN* lp) const
{
    auto* rec = LookupAs<PenRecord>(m_hObject, GdiKind::Pen);
    if (!rec || !lp)
        return 0;
    *lp = LOGPEN{UINT(rec->style), POINT{rec->width, 0}, rec->color};
    return sizeof(LOGPEN);
}

CPen* CPen::FromHandle(HPEN h)
{
    auto* rec = LookupAs<PenRecord>(h, GdiKind::Pen);
    if (!rec)
        return nullptr;
    rec->wrapper.m_hObject = rec->handle;
    return &rec->wrapper;
}

HPEN CreatePen(int penStyle, int width, COLORREF color)
{
    CPen pen;
    return pen.CreatePen(penStyle, width, color) ? static_cast<HPEN>(pen.Detach()) : nullptr;
}

CBrush::CBrush(COLORREF color) { CreateSolidBrush(color); }
CBrush::~CBrush() = default;

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    if (m_hObject)
        return FALSE;
    auto* rec = NewRecord<BrushRecord>();
    rec->color = color & 0xFFFFFF;
    m_hObject = rec->handle;
    return TRUE;
}

BOOL CBrush::CreateSysColorBrush(int index) { return CreateSolidBrush(GetSysColor(index)); }

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lb)
{
    if (!lb || m_hObject || (lb->lbStyle != BS_SOLID && lb->lbStyle != BS_NULL))
        return FALSE;
    auto* rec = NewRecord<BrushRecord>();
    rec->style = lb->lbStyle;
    rec->color = lb->lbColor & 0xFFFFFF;
    m_hObject = rec->handle;
    return TRUE;
}

int CBrush::GetLogBrush(LOGBRUSH* lb) const
{
    auto* rec = LookupAs<BrushRecord>(m_hObject, GdiKind::Brush);
    if (!rec || !lb)
        return 0;
    *lb = LOGBRUSH{rec->style, rec->color, 0};
    return sizeof(LOGBRUSH);
}

CBrush* CBrush::FromHandle(HBRUSH h)
{
    auto* rec = LookupAs<BrushRecord>(h, GdiKind::Brush);
    if (!rec)
        return nullptr;
    rec->wrapper.m_hObject = rec->handle;
    return &rec->wrapper;
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    CBrush brush;
    return brush.CreateSolidBrush(color) ? static_cast<HBRUSH>(brush.Detach()) : nullptr;
}

HBRUSH GetSysColorBrush(int index)
{
    // One lasting brush per colour, as Win32's system colour brushes are.
    static auto* brushes = new std::unordered_map<int, GdiRecord*>;
    GdiRecord*& r = (*brushes)[index];
    if (!r)
    {
        auto* b = NewRecord<BrushRecord>();
        b->color = GetSysColor(index);
        b->stock = true;
        r = b;
    }
    return static_cast<HBRUSH>(r->handle);
}

// ---------------------------------------------------------------------------------------------------------------
// Bitmaps.

namespace
{

BitmapRecord* NewBitmap(int width, int height, bool mono)
{
    auto* rec = NewRecord<BitmapRecord>();
    if (width <= 0 || height <= 0)
    {
        width = height = 1;
        mono = true;
    }
    rec->image = QImage(width, height, QImage::Format_RGB32);
    rec->image.fill(Qt::black);
    rec->mono = mono;
    return rec;
}

} // namespace

CBitmap::~CBitmap() = default;

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    if (m_hObject || width < 0 || height < 0 || width > 16384 || height > 16384 || planes > 1)
        return FALSE;
    UINT bpp = bitsPerPixel * std::max(1u, planes);
    if (bpp != 1 && bpp != 24 && bpp != 32)
        return FALSE;
    BitmapRecord* rec = NewBitmap(width, height, bpp == 1);
    if (bits && width > 0 && height > 0)
    {
        auto* p = static_cast<const unsigned char*>(bits);
        int stride = ((width * int(bpp) + 15) / 16) * 2; // rows are padded to 16 bits
        for (int y = 0; y < height; ++y)
        {
            auto* line = reinterpret_cast<QRgb*>(rec->image.scanLine(y));
            const unsigned char* row = p + size_t(y) * size_t(stride);
            for (int x = 0; x < width; ++x)
            {
                if (bpp == 1)
                    line[x] = (row[x / 8] & (0x80 >> (x % 8))) ? 0xFFFFFFFF : 0xFF000000;
                else
                {
                    const unsigned char* px = row + x * int(bpp / 8);
                    line[x] = qRgb(px[2], px[1], px[0]); // blue, green, red in memory
                }
            }
        }
    }
    m_hObject = rec->handle;
    return TRUE;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    if (m_hObject || !dc || !dc->GetSafeHdc() || width < 0 || height < 0 || width > 16384 || height > 16384)
        return FALSE;
    // Compatible with a memory DC means compatible with its current bitmap: the classic monochrome surprise.
    CBitmap* current = dc->GetCurrentBitmap();
    bool mono = false;
    if (current)
        if (auto* rec = LookupAs<BitmapRecord>(current->m_hObject, GdiKind::Bitmap))
            mono = rec->mono;
    m_hObject = NewBitmap(width, height, mono)->handle;
    return TRUE;
}

BOOL CBitmap::LoadBitmap(UINT id)
{
    if (m_hObject)
        return FALSE;
    std::optional<std::string_view> data = pdt::FindBitmapData(int(id));
    if (!data)
        return FALSE;
    QImage img;
    if (!img.loadFromData(reinterpret_cast<const uchar*>(data->data()), int(data->size()), "BMP") || img.isNull())
        return FALSE;
    auto* rec = NewRecord<BitmapRecord>();
    rec->image = img.convertToFormat(QImage::Format_RGB32);
    rec->mono = img.depth() == 1;
    m_hObject = rec->handle;
    return TRUE;
}

BOOL CBitmap::LoadBitmap(LPCTSTR name)
{
    uintptr_t v = reinterpret_cast<uintptr_t>(name);
    if (v && v <= 0xFFFF)
        return LoadBitmap(UINT(v));
    if (name && name[0] == '#')
        return LoadBitmap(UINT(std::strtoul(name + 1, nullptr, 10)));
    return FALSE;
}

int CBitmap::GetBitmap(BITMAP* bm) const
{
    auto* rec = LookupAs<BitmapRecord>(m_hObject, GdiKind::Bitmap);
    if (!rec || !bm)
        return 0;
    int w = rec->image.width(), h = rec->image.height();
    WORD bpp = rec->mono ? 1 : 32;
    *bm = BITMAP{0, w, h, ((w * bpp + 15) / 16) * 2, 1, bpp, nullptr};
    return sizeof(BITMAP);
}

DWORD CBitmap::GetBitmapBits(DWORD count, LPVOID bits) const
{
    auto* rec = LookupAs<BitmapRecord>(m_hObject, GdiKind::Bitmap);
    if (!rec || !bits)
        return 0;
    const QImage& img = rec->image;
    int bpp = rec->mono ? 1 : 32;
    size_t stride = size_t(((img.width() * bpp + 15) / 16) * 2);
    // Whole rows only, as many as fit; the last row may be cut at the count, as Win32 copies bytes.
    size_t total = std::min(size_t(count), stride * size_t(img.height()));
    auto* out = static_cast<unsigned char*>(bits);
    std::fill(out, out + total, 0);
    for (size_t at = 0; at < total; ++at)
    {
        int y = int(at / stride), byte = int(at % stride);
        auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        if (bpp == 1)
        {
            for (int bit = 0; bit < 8; ++bit)
            {
                int x = byte * 8 + bit;
                if (x < img.width() && (line[x] & 0xFFFFFF) == 0xFFFFFF)
                    out[at] |= BYTE(0x80 >> bit);
            }
        }
        else if (int x = byte / 4; x < img.width())
        {
            QRgb c = line[x];
            const BYTE parts[4] = {BYTE(qBlue(c)), BYTE(qGreen(c)), BYTE(qRed(c)), 0};
            out[at] = parts[byte % 4];
        }
    }
    return DWORD(total);
}

CBitmap* CBitmap::FromHandle(HBITMAP h)
{
    auto* rec = LookupAs<BitmapRecord>(h, GdiKind::Bitmap);
    if (!rec)
        return nullptr;
    rec->wrapper.m_hObject = rec->handle;
    return &rec->wrapper;
}

// ---------------------------------------------------------------------------------------------------------------
// Regions.

namespace
{

int RegionType(const QRegion& r)
{
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QRect Normalised(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
}

} // namespace

namespace pdt::gdi
{
int RegionTypeOf(const QRegion& r) { return RegionType(r); }
}

CRgn::~CRgn() = default;

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    if (m_hObject)
        return FALSE;
    auto* rec = NewRecord<RgnRecord>();
    if (x1 != x2 && y1 != y2)
        rec->region = QRegion(Normalised(x1, y1, x2, y2));
    m_hObject = rec->handle;
    return TRUE;
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT r)
{
    return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : FALSE;
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    if (m_hObject)
        return FALSE;
    auto* rec = NewRecord<RgnRecord>();
    if (x1 != x2 && y1 != y2)
        rec->region = QRegion(Normalised(x1, y1, x2, y2), QRegion::Ellipse);
    m_hObject = rec->handle;
    return TRUE;
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    if (auto* rec = LookupAs<RgnRecord>(m_hObject, GdiKind::Region))
        rec->region = x1 != x2 && y1 != y2 ? QRegion(Normalised(x1, y1, x2, y2)) : QRegion();
}

int CRgn::CombineRgn(const CRgn* src1, const CRgn* src2, int mode)
{
    auto* dst = LookupAs<RgnRecord>(m_hObject, GdiKind::Region);
    auto* a = src1 ? LookupAs<RgnRecord>(src1->m_hObject, GdiKind::Region) : nullptr;
    auto* b = src2 ? LookupAs<RgnRecord>(src2->m_hObject, GdiKind::Region) : nullptr;
    if (!dst || !a || (mode != RGN_COPY && !b))
        return ERROR;
    switch (mode)
    {
    case RGN_AND: dst->region = a->region.intersected(b->region); break;
    case RGN_OR: dst->region = a->region.united(b->region); break;
    case RGN_XOR: dst->region = a->region.xored(b->region); break;
    case RGN_DIFF: dst->region = a->region.subtracted(b->region); break;
    case RGN_COPY: dst->region = a->region; break;
    default: return ERROR;
    }
    return RegionType(dst->region);
}

int CRgn::CopyRgn(const CRgn* src) { return CombineRgn(src, nullptr, RGN_COPY); }

BOOL CRgn::EqualRgn(const CRgn* other) const
{
    auto* a = LookupAs<RgnRecord>(m_hObject, GdiKind::Region);
    auto* b = other ? LookupAs<RgnRecord>(other->m_hObject, GdiKind::Region) : nullptr;
    return a && b && a->region == b->region;
}

int CRgn::OffsetRgn(int x, int y)
{
    auto* rec = LookupAs<RgnRecord>(m_hObject, GdiKind::Region);
    if (!rec)
        return ERROR;
    rec->region.translate(x, y);
    return RegionType(rec->region);
}

int CRgn::GetRgnBox(LPRECT r) const
{
    auto* rec = LookupAs<RgnRecord>(m_hObject, GdiKind::Region);
    if (!rec || !r)
        return ERROR;
    QRect b = rec->region.boundingRect();
    *r = rec->region.isEmpty() ? RECT{0, 0, 0, 0} : RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    return RegionType(rec->region);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    auto* rec = LookupAs<RgnRecord>(m_hObject, GdiKind::Region);
    return rec && rec->region.contains(QPoint(x, y));
}

BOOL CRgn::RectInRegion(LPCRECT r) const
{
    auto* rec = LookupAs<RgnRecord>(m_hObject, GdiKind::Region);
    if (!rec || !r || r->left == r->right || r->top == r->bottom)
        return FALSE;
    return rec->region.intersects(Normalised(r->left, r->top, r->right, r->bottom));
}

CRgn* CRgn::FromHandle(HRGN h)
{
    auto* rec = LookupAs<RgnRecord>(h, GdiKind::Region);
    if (!rec)
        return nullptr;
    rec->wrapper.m_hObject = rec->handle;
    return &rec->wrapper;
}
