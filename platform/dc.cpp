// Device contexts: a window's DCs draw into its backing image (the peer shows it), a memory DC into its bitmap.
// One-pixel lines, blits and pixels are set here pixel by pixel so that they come out as Win32 draws them; shapes
// and text go through QPainter without antialiasing of shapes.
#include "platform/afxhooks.h"
#include "platform/gdi_p.h"
#include "platform/window_p.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include <algorithm>
#include <cstring>
#include <span>
#include <unordered_set>

using pdt::gdi::LookupAs;

namespace
{

constexpr int kStockDefaultBitmap = 100; // gdi.cpp: a memory DC's first surface

void EndKeptPainter();
bool KeptFor(const DCRecord* d);
void ForgetDrawable(const DCRecord* d);

std::unordered_set<const DCRecord*>& LiveDCs()
{
    static std::unordered_set<const DCRecord*> live;
    return live;
}

DCRecord* DC(HDC h) { return h && LiveDCs().count(h) ? h : nullptr; }

void HoldState(const DCState& st)
{
    pdt::gdi::Hold(st.pen);
    pdt::gdi::Hold(st.brush);
    pdt::gdi::Hold(st.font);
    pdt::gdi::Hold(st.bitmap);
}

void ReleaseState(const DCState& st)
{
    pdt::gdi::Release(st.pen);
    pdt::gdi::Release(st.brush);
    pdt::gdi::Release(st.font);
    pdt::gdi::Release(st.bitmap);
}

DCRecord* NewDC(DCRecord::Kind kind, HWND wnd)
{
    auto* d = new DCRecord;
    d->kind = kind;
    d->wnd = wnd;
    d->st.pen = static_cast<PenRecord*>(pdt::gdi::Stock(BLACK_PEN));
    d->st.brush = static_cast<BrushRecord*>(pdt::gdi::Stock(WHITE_BRUSH));
    d->st.font = static_cast<FontRecord*>(pdt::gdi::Stock(SYSTEM_FONT));
    if (kind == DCRecord::Kind::Memory)
        d->st.bitmap = static_cast<BitmapRecord*>(pdt::gdi::Stock(kStockDefaultBitmap));
    d->wrapper.m_hDC = d;
    LiveDCs().insert(d);
    return d;
}

void FreeDC(DCRecord* d)
{
    if (KeptFor(d))
        EndKeptPainter();
    ForgetDrawable(d);
    if (!d->pendingUpdate.isEmpty() && IsWindow(d->wnd) && d->wnd->redraw && d->wnd->peer)
        d->wnd->peer->update(d->pendingUpdate);
    LiveDCs().erase(d);
    ReleaseState(d->st);
    for (const DCState& s : d->saved)
        ReleaseState(s);
    d->wrapper.m_hDC = nullptr; // its destructor must not come back here
    delete d;
}

} // namespace

DCRecord* pdt::gdi::LiveDC(HDC h) { return DC(h); }

HDC pdt::gdi::NewDocumentDC(std::unique_ptr<DocumentDevice> doc)
{
    DCRecord* d = NewDC(DCRecord::Kind::Document, nullptr);
    d->doc = std::move(doc);
    return d;
}

namespace
{

bool IsCustom(HWND h) { return IsWindow(h) && h->impl && h->impl->IsCustomDrawn(); }

QImage* Surface(DCRecord* d)
{
    switch (d->kind)
    {
    case DCRecord::Kind::Memory:
        return d->st.bitmap ? &d->st.bitmap->image : nullptr;
    case DCRecord::Kind::Document:
        // Vector pages have no pixels: each drawing takes the painter's path instead.
        return d->doc->inPage && d->doc->format == DocumentDevice::Format::Png ? &d->doc->image : nullptr;
    case DCRecord::Kind::Window:
    case DCRecord::Kind::Paint:
        if (!IsWindow(d->wnd))
            return nullptr;
        pdt::win::Peer(d->wnd); // drawn on: the window is asked for pixels
        if (IsCustom(d->wnd))
            return pdt::gdi::EnsureBacking(d->wnd);
        if (d->wnd->impl)
            if (QImage* over = d->wnd->impl->DrawnOver())
                return over;
        [[fallthrough]];
    case DCRecord::Kind::Screen:
    default: {
        // A native control draws itself; what is drawn on its DC goes nowhere, but must not fail.
        QSize size(1, 1);
        if (IsWindow(d->wnd) && d->wnd->peer)
            size = d->wnd->peer->size().expandedTo(QSize(1, 1));
        if (!d->scratch || d->scratch->size() != size)
        {
            d->scratch = std::make_unique<QImage>(size, QImage::Format_RGB32);
            d->scratch->fill(Qt::white);
        }
        return d->scratch.get();
    }
    }
}

bool IsMono(const DCRecord* d) { return d->kind == DCRecord::Kind::Memory && d->st.bitmap && d->st.bitmap->mono; }

std::optional<QRegion> EffectiveClip(const DCRecord* d)
{
    std::optional<QRegion> r = d->paintClip;
    if (d->st.clip)
        r = r ? r->intersected(*d->st.clip) : *d->st.clip;
    return r;
}

// Where drawing may land: the surface, cut to the clipping regions. A repaint asks this for every cell with the
// same clipping, so the last answer is kept; regions share their data, so comparing them is cheap.
struct DrawableCache
{
    const DCRecord* dc = nullptr;
    QSize size;
    std::optional<QRegion> paintClip, clip;
    QRegion area;
};
DrawableCache g_drawable;

QRegion Drawable(const DCRecord* d, const QImage& img)
{
    DrawableCache& c = g_drawable;
    if (c.dc == d && c.size == img.size() && c.paintClip == d->paintClip && c.clip == d->st.clip)
        return c.area;
    QRegion r(img.rect());
    if (auto clip = EffectiveClip(d))
        r = r.intersected(*clip);
    c = DrawableCache{d, img.size(), d->paintClip, d->st.clip, r};
    return r;
}
// The same on a vector page, which has no pixels: its printable area (a printer's page would take drawing into its
// margins) within the clipping regions.
QRegion VectorDrawable(const DCRecord* d)
{
    QRegion r(*pdt::gdi::DocumentArea(d));
    if (auto clip = EffectiveClip(d))
        r = r.intersected(*clip);
    return r;
}

void ForgetDrawable(const DCRecord* d)
{
    if (g_drawable.dc == d)
        g_drawable = DrawableCache{};
}

// After drawing: a monochrome surface keeps two colours, a window shows the change.
void Touched(DCRecord* d, QRect dirty)
{
    if (dirty.isEmpty())
        return;
    if (IsMono(d))
    {
        QImage& img = d->st.bitmap->image;
        dirty = dirty.intersected(img.rect());
        for (int y = dirty.top(); y <= dirty.bottom(); ++y)
        {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = dirty.left(); x <= dirty.right(); ++x)
                line[x] = qGray(line[x]) >= 128 ? 0xFFFFFFFF : 0xFF000000;
        }
        return;
    }
    if ((d->kind == DCRecord::Kind::Window || d->kind == DCRecord::Kind::Paint) && IsCustom(d->wnd))
    {
        // Inside the peer's own paint the image is shown right after WM_PAINT anyway.
        // A paint DC asks once, when it ends, rather than once per drawing.
        HWND h = d->wnd;
        if (h->inPeerPaint == 0 && d->kind == DCRecord::Kind::Paint)
            d->pendingUpdate |= dirty;
        else if (h->inPeerPaint == 0 && h->redraw && h->peer)
            h->peer->update(dirty);
    }
    else if (d->kind == DCRecord::Kind::Window && IsWindow(d->wnd) && d->wnd->backing && d->wnd->peer)
        d->wnd->peer->update(dirty); // drawn over a control
}

QRgb ToRgb(COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

// A binary raster operation: bit (2 * pen + dest) of (code - 1) gives the result bit.
QRgb Rop2(int code, QRgb pen, QRgb dst)
{
    switch (code)
    {
    case R2_COPYPEN: return pen;
    case R2_XORPEN: return (pen ^ dst) | 0xFF000000;
    case R2_NOT: return ~dst | 0xFF000000;
    case R2_NOP: return dst;
    default: break;
    }
    unsigned table = unsigned(code - 1) & 0xF;
    uint32_t r = 0;
    for (int i = 0; i < 4; ++i)
        if (table & (1u << i))
            r |= ((i & 2) ? pen : ~pen) & ((i & 1) ? dst : ~dst);
    return r | 0xFF000000;
}

// A ternary raster operation: bit (4 * pattern + 2 * source + dest) of the code's index byte.
QRgb Rop3(BYTE code, QRgb p, QRgb s, QRgb d)
{
    switch (code)
    {
    case 0xCC: return s;
    case 0x66: return (s ^ d) | 0xFF000000;
    case 0x55: return ~d | 0xFF000000;
    case 0x5A: return (p ^ d) | 0xFF000000;
    case 0xF0: return p;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    case 0x00: return 0xFF000000;
    case 0xFF: return 0xFFFFFFFF;
    default: break;
    }
    uint32_t r = 0;
    for (int i = 0; i < 8; ++i)
        if (code & (1u << i))
            r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    return r | 0xFF000000;
}
bool RopUsesSource(BYTE code) { return ((code >> 2) ^ code) & 0x33; }
bool RopUsesPattern(BYTE code) { return ((code >> 4) ^ code) & 0x0F; }

struct PainterRop
{
    bool skip = false;
    std::optional<QColor> forced;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
};

PainterRop PainterRopFor(int rop2)
{
    PainterRop r;
    switch (rop2)
    {
    case R2_BLACK: r.forced = QColor(Qt::black); break;
    case R2_WHITE: r.forced = QColor(Qt::white); break;
    case R2_NOP: r.skip = true; break;
    case R2_NOTMERGEPEN: r.mode = QPainter::RasterOp_NotSourceAndNotDestination; break;
    case R2_MASKNOTPEN: r.mode = QPainter::RasterOp_NotSourceAndDestination; break;
    case R2_NOTCOPYPEN: r.mode = QPainter::RasterOp_NotSource; break;
    case R2_MASKPENNOT: r.mode = QPainter::RasterOp_SourceAndNotDestination; break;
    case R2_NOT: r.mode = QPainter::RasterOp_NotDestination; break;
    case R2_XORPEN: r.mode = QPainter::RasterOp_SourceXorDestination; break;
    case R2_NOTMASKPEN: r.mode = QPainter::RasterOp_NotSourceOrNotDestination; break;
    case R2_MASKPEN: r.mode = QPainter::RasterOp_SourceAndDestination; break;
    case R2_NOTXORPEN: r.mode = QPainter::RasterOp_NotSourceXorDestination; break;
    case R2_MERGENOTPEN: r.mode = QPainter::RasterOp_NotSourceOrDestination; break;
    case R2_MERGEPENNOT: r.mode = QPainter::RasterOp_SourceOrNotDestination; break;
    case R2_MERGEPEN: r.mode = QPainter::RasterOp_SourceOrDestination; break;
    default: break;
    }
    return r;
}

// A paint DC keeps one painter on its surface from its first drawing to EndPaint (a repaint draws hundreds of
// cells, and starting a painter costs more than most of them); each drawing starts from the painter's state as
// it was begun. Only one such painter is open at a time.
struct KeptPainter
{
    const DCRecord* dc = nullptr;
    const QImage* img = nullptr;
    QRegion area;
    std::unique_ptr<QPainter> painter;
};
KeptPainter g_kept;
bool g_keepPainters = true;

void EndKeptPainter()
{
    g_kept.painter.reset();
    g_kept = KeptPainter{};
}
bool KeptFor(const DCRecord* d) { return g_kept.dc == d; }
bool KeptOn(const QImage* img) { return g_kept.painter && g_kept.img == img; }

// Runs a QPainter on the surface with the clipping regions set; `bounds` must hold everything drawn.
template <class F> BOOL Paint(DCRecord* d, QRect bounds, F&& draw)
{
    if (QPainter* v = pdt::gdi::VectorPainter(d))
    {
        v->save();
        v->setClipRegion(VectorDrawable(d));
        draw(*v);
        v->restore();
        return TRUE;
    }
    QImage* img = Surface(d);
    if (!img)
        return FALSE;
    QRegion area = Drawable(d, *img);
    QRect dirty = bounds.intersected(area.boundingRect());
    if (dirty.isEmpty())
        return TRUE;
    if (g_kept.painter && (g_kept.dc != d || g_kept.img != img || g_kept.area != area))
        EndKeptPainter(); // a device can have one painter only
    if (d->kind == DCRecord::Kind::Paint && g_keepPainters)
    {
        if (!g_kept.painter)
        {
            g_kept.painter = std::make_unique<QPainter>(img);
            g_kept.painter->setRenderHint(QPainter::Antialiasing, false);
            g_kept.painter->setClipRegion(area);
            g_kept.dc = d;
            g_kept.img = img;
            g_kept.area = area;
        }
        QPainter& p = *g_kept.painter;
        p.save();
        draw(p);
        p.restore();
    }
    else
    {
        QPainter p(img);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setClipRegion(area);
        draw(p);
    }
    Touched(d, dirty);
    return TRUE;
}

// Styled cosmetic pens: on and off runs in pixels, as Win32 NT draws them.
std::span<const int> DashPattern(int style)
{
    static constexpr int kDash[] = {18, 6}, kDot[] = {3, 3}, kDashDot[] = {9, 6, 3, 6},
                         kDashDotDot[] = {9, 3, 3, 3, 3, 3};
    switch (style)
    {
    case PS_DASH: return kDash;
    case PS_DOT: return kDot;
    case PS_DASHDOT: return kDashDot;
    case PS_DASHDOTDOT: return kDashDotDot;
    default: return {};
    }
}

// A one-pixel line from a to b, b left out. `step` carries the dash pattern across the segments of a polyline.
void ThinLine(DCRecord* d, QImage& img, const QRegion& area, QPoint a, QPoint b, int& step)
{
    PenRecord* pen = d->st.pen;
    std::span<const int> pattern = DashPattern(pen->style);
    int period = 0;
    for (int n : pattern)
        period += n;
    QRgb color = ToRgb(pen->color), gap = ToRgb(d->st.bkColor);
    QRect bounds = area.boundingRect();
    bool simpleArea = area.rectCount() <= 1;
    uchar* bits = img.bits(); // once: scanLine would check for sharing at every pixel
    const qsizetype stride = img.bytesPerLine();
    auto plot = [&](int x, int y) {
        bool on = true;
        if (period)
        {
            int pos = step % period, acc = 0;
            for (size_t i = 0; i < pattern.size(); ++i)
            {
                acc += pattern[i];
                if (pos < acc)
                {
                    on = (i % 2) == 0;
                    break;
                }
            }
        }
        ++step;
        if (!on && d->st.bkMode != OPAQUE)
            return;
        if (!bounds.contains(x, y) || (!simpleArea && !area.contains(QPoint(x, y))))
            return;
        auto* line = reinterpret_cast<QRgb*>(bits + y * stride);
        line[x] = Rop2(d->st.rop2, on ? color : gap, line[x]);
    };
    int dx = std::abs(b.x() - a.x()), dy = std::abs(b.y() - a.y());
    int sx = a.x() < b.x() ? 1 : -1, sy = a.y() < b.y() ? 1 : -1;
    int x = a.x(), y = a.y();
    if (dx >= dy)
    {
        int err = 2 * dy - dx;
        for (int i = 0; i < dx; ++i)
        {
            plot(x, y);
            if (err > 0)
            {
                y += sy;
                err -= 2 * dx;
            }
            err += 2 * dy;
            x += sx;
        }
    }
    else
    {
        int err = 2 * dx - dy;
        for (int i = 0; i < dy; ++i)
        {
            plot(x, y);
            if (err > 0)
            {
                x += sx;
                err -= 2 * dy;
            }
            err += 2 * dx;
            y += sy;
        }
    }
}

bool PenIsNull(const DCRecord* d) { return !d->st.pen || d->st.pen->style == PS_NULL; }
bool BrushIsNull(const DCRecord* d) { return !d->st.brush || d->st.brush->style == BS_NULL; }
bool IsWide(const DCRecord* d) { return d->st.pen && d->st.pen->width > 1; }

QPen WidePen(const DCRecord* d, const PainterRop& rop)
{
    QPen pen(rop.forced ? *rop.forced : pdt::gdi::ToQColor(d->st.pen->color));
    pen.setWidth(d->st.pen->width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen; // styled pens wider than one pixel draw solid, as in Win32
}

// A one-pixel pen on a device without pixels: the same runs of dashes, as lengths.
QPen ThinPen(const DCRecord* d, const PainterRop& rop)
{
    QPen pen(rop.forced ? *rop.forced : pdt::gdi::ToQColor(d->st.pen->color), 1.0);
    pen.setCapStyle(Qt::FlatCap);
    std::span<const int> runs = DashPattern(d->st.pen->style);
    if (!runs.empty())
    {
        QList<qreal> pattern(runs.begin(), runs.end());
        pen.setDashPattern(pattern);
    }
    return pen;
}

BOOL Lines(DCRecord* d, std::span<const QPoint> pts)
{
    if (pts.size() < 2 || PenIsNull(d))
        return pts.size() >= 2 || pts.empty() ? TRUE : FALSE;
    QRect bounds;
    for (const QPoint& p : pts)
        bounds = bounds.united(QRect(p, QSize(1, 1)));
    if (!IsWide(d) && !pdt::gdi::VectorPainter(d))
    {
        QImage* img = Surface(d);
        if (!img)
            return FALSE;
        QRegion area = Drawable(d, *img);
        int step = 0;
        for (size_t i = 1; i < pts.size(); ++i)
            ThinLine(d, *img, area, pts[i - 1], pts[i], step);
        Touched(d, bounds.intersected(img->rect()));
        return TRUE;
    }
    PainterRop rop = PainterRopFor(d->st.rop2);
    if (rop.skip)
        return TRUE;
    int w = d->st.pen->width;
    return Paint(d, bounds.adjusted(-w, -w, w, w), [&](QPainter& p) {
        p.setCompositionMode(rop.mode);
        p.setPen(IsWide(d) ? WidePen(d, rop) : ThinPen(d, rop));
        QPainterPath path;
        path.moveTo(QPointF(pts[0]) + QPointF(0.5, 0.5)); // centred on the pixels, as Win32's wide pens are
        for (size_t i = 1; i < pts.size(); ++i)
            path.lineTo(QPointF(pts[i]) + QPointF(0.5, 0.5));
        p.drawPath(path);
    });
}

QRect RectOf(int x1, int y1, int x2, int y2) { return QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)); } // right, bottom out

void FillArea(DCRecord* d, const QRegion& region, QRgb color)
{
    if (pdt::gdi::VectorPainter(d))
    {
        Paint(d, region.boundingRect(), [&](QPainter& p) {
            for (const QRect& r : region)
                p.fillRect(r, QColor::fromRgb(color));
        });
        return;
    }
    QImage* img = Surface(d);
    if (!img)
        return;
    QRegion area = Drawable(d, *img).intersected(region);
    uchar* bits = img->bits();
    const qsizetype stride = img->bytesPerLine();
    for (const QRect& r : area)
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::fill_n(reinterpret_cast<QRgb*>(bits + y * stride) + r.left(), r.width(), color);
    Touched(d, area.boundingRect());
}

// Pixels of `region` through a ternary raster operation with an optional source image placed at `srcOrigin`.
void RopArea(DCRecord* d, const QRegion& region, BYTE rop, const QImage* src, QPoint srcOrigin)
{
    QImage* img = Surface(d);
    if (!img)
        return;
    QRegion area = Drawable(d, *img).intersected(region);
    QRgb pattern = d->st.brush ? ToRgb(d->st.brush->color) : 0xFF000000;
    for (const QRect& r : area)
        for (int y = r.top(); y <= r.bottom(); ++y)
        {
            auto* line = reinterpret_cast<QRgb*>(img->scanLine(y));
            for (int x = r.left(); x <= r.right(); ++x)
            {
                QRgb s = 0xFF000000;
                if (src)
                {
                    QPoint sp(x - srcOrigin.x(), y - srcOrigin.y());
                    if (!src->rect().contains(sp))
                        continue; // outside the source: the destination keeps its pixel
                    s = src->pixel(sp);
                }
                line[x] = Rop3(rop, pattern, s, line[x]);
            }
        }
    Touched(d, area.boundingRect());
}

int CharBytes(int codePage, const unsigned char* p, int i, int n)
{
    unsigned char c = p[i];
    bool lead = false;
    switch (codePage)
    {
    case 932: lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); break;
    case 936:
    case 949:
    case 950: lead = c >= 0x81 && c <= 0xFE; break;
    default: break;
    }
    return lead && i + 1 < n ? 2 : 1;
}

// Characters go one after the other at whole-pixel advances, as GDI places them (no kerning), so that n
// characters of a fixed-pitch font are exactly n times as wide as one.
struct TextLayout
{
    QFont font;
    std::vector<std::pair<QString, int>> pieces; // each character and its x offset
    int width = 0;
    int ascent = 0;
    int height = 0;
};

std::vector<QString> Characters(const QString& text)
{
    std::vector<QString> out;
    for (qsizetype i = 0; i < text.size();)
    {
        qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        out.push_back(text.mid(i, n));
        i += n;
    }
    return out;
}

TextLayout Layout(const DCRecord* d, const char* bytes, int count)
{
    TextLayout t;
    FontRecord* f = d->st.font;
    t.font = pdt::gdi::Realise(f);
    // Measuring is most of the cost of text output; a font's characters keep their widths.
    if (!f->metrics)
        f->metrics.emplace(t.font);
    const QFontMetrics& fm = *f->metrics;
    for (QString& ch : Characters(pdt::gdi::DecodeText(bytes, count, f->lf.lfCharSet)))
    {
        char16_t c = ch.size() == 1 ? ch[0].unicode() : 0xFFFF;
        int advance = c < 128 ? f->advances[c] : -1;
        if (advance < 0)
            advance = fm.horizontalAdvance(ch);
        if (c < 128)
            f->advances[c] = advance;
        t.pieces.emplace_back(std::move(ch), t.width);
        t.width += advance;
    }
    t.ascent = fm.ascent();
    t.height = fm.ascent() + fm.descent();
    return t;
}

// The top-left of the text's cell from the reference point and the alignment.
QPoint TextOrigin(const DCRecord* d, QPoint ref, const TextLayout& t)
{
    UINT a = d->st.textAlign;
    int x = ref.x(), y = ref.y();
    if ((a & TA_CENTER) == TA_CENTER)
        x -= t.width / 2;
    else if (a & TA_RIGHT)
        x -= t.width;
    if ((a & TA_BASELINE) == TA_BASELINE)
        y -= t.ascent;
    else if (a & TA_BOTTOM)
        y -= t.height;
    return QPoint(x, y);
}

BOOL DrawTextBytes(DCRecord* d, int x, int y, UINT options, const RECT* rect, const char* bytes, int count,
                   const int* dx)
{
    if (count < 0 || (!bytes && count > 0))
        return FALSE;
    QRect optRect = rect ? RectOf(rect->left, rect->top, rect->right, rect->bottom) : QRect();
    if ((options & ETO_OPAQUE) && rect && !optRect.isEmpty())
        FillArea(d, QRegion(optRect), ToRgb(d->st.bkColor));
    TextLayout t = Layout(d, bytes, count);
    bool updateCP = d->st.textAlign & TA_UPDATECP;
    QPoint ref = updateCP ? d->st.pos : QPoint(x, y);
    // Per-byte advances (lpDx) place each character themselves.
    int totalWidth = t.width;
    if (dx && count > 0)
    {
        t.pieces.clear();
        int cp = pdt::gdi::CodePageOfCharset(d->st.font->lf.lfCharSet);
        auto* p = reinterpret_cast<const unsigned char*>(bytes);
        int off = 0;
        for (int i = 0; i < count;)
        {
            int n = CharBytes(cp, p, i, count);
            t.pieces.emplace_back(pdt::gdi::DecodeText(bytes + i, n, d->st.font->lf.lfCharSet), off);
            for (int k = 0; k < n; ++k)
                off += dx[i + k];
            i += n;
        }
        totalWidth = off;
        t.width = totalWidth;
    }
    QPoint origin = TextOrigin(d, ref, t);
    if (updateCP)
    {
        UINT a = d->st.textAlign;
        if ((a & TA_CENTER) != TA_CENTER)
            d->st.pos.rx() += (a & TA_RIGHT) ? -totalWidth : totalWidth;
    }
    if (count == 0)
        return TRUE;
    QRect cell(origin, QSize(std::max(totalWidth, 0), t.height));
    QRect bounds = cell.adjusted(-t.height, 0, t.height, 0); // italics and overhangs
    if ((options & ETO_CLIPPED) && rect)
        bounds = bounds.intersected(optRect);
    return Paint(d, bounds, [&](QPainter& p) {
        if ((options & ETO_CLIPPED) && rect)
            p.setClipRect(optRect, Qt::IntersectClip);
        if (d->st.bkMode == OPAQUE)
            p.fillRect(cell, pdt::gdi::ToQColor(d->st.bkColor));
        p.setFont(t.font);
        p.setPen(pdt::gdi::ToQColor(d->st.textColor));
        int baseline = origin.y() + t.ascent;
        for (const auto& [text, off] : t.pieces)
            p.drawText(QPoint(origin.x() + off, baseline), text);
    });
}

BYTE CharsetOfCodePage(int cp)
{
    switch (cp)
    {
    case 932: return SHIFTJIS_CHARSET;
    case 936: return GB2312_CHARSET;
    case 949: return HANGUL_CHARSET;
    case 950: return CHINESEBIG5_CHARSET;
    default: return ANSI_CHARSET;
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------------------------
// Window painting.

void pdt::hooks::KeepPaintPainters(bool keep)
{
    EndKeptPainter();
    g_keepPainters = keep;
}

namespace pdt::gdi
{

QImage* EnsureBacking(HWND h)
{
    if (!IsCustom(h) || !h->peer)
        return nullptr;
    QSize size = h->peer->size().expandedTo(QSize(1, 1));
    if (!h->backing || h->backing->size() != size)
    {
        auto img = std::make_unique<QImage>(size, QImage::Format_RGB32);
        img->fill(h->peer->palette().color(QPalette::Window));
        if (h->backing)
        {
            QPainter p(img.get());
            p.drawImage(0, 0, *h->backing);
        }
        if (KeptOn(h->backing.get()))
            EndKeptPainter();
        h->backing = std::move(img);
        h->invalid = QRect(QPoint(0, 0), size);
        h->erase = true;
        if (h->redraw)
            h->peer->update();
    }
    return h->backing.get();
}

void PaintPending(HWND h, bool fromPeer)
{
    if (!EnsureBacking(h) || h->invalid.isEmpty())
        return;
    unsigned serial = h->paintSerial;
    if (fromPeer)
        ++h->inPeerPaint;
    ::SendMessage(h, WM_PAINT);
    if (!IsWindow(h))
        return;
    if (fromPeer)
        --h->inPeerPaint;
    if (h->paintSerial == serial)
        h->invalid = QRect(); // nobody began painting; Win32 would ask again forever
}

void EraseBackground(HWND h, HDC hdc)
{
    if (!IsWindow(h) || !h->classBrush)
        return;
    CRect client;
    CWnd::FromHandle(h)->GetClientRect(&client);
    uintptr_t v = reinterpret_cast<uintptr_t>(h->classBrush);
    DCRecord* d = DC(hdc);
    bool own = !d;
    if (own)
        d = ::GetDC(h);
    if (!d)
        return;
    if (v > 0 && v <= 64) // (HBRUSH)(COLOR_xxx + 1)
        d->wrapper.FillSolidRect(&client, GetSysColor(int(v) - 1));
    else if (CBrush* brush = CBrush::FromHandle(static_cast<HBRUSH>(h->classBrush)))
        d->wrapper.FillRect(&client, brush);
    if (own)
        ::ReleaseDC(h, d);
}

} // namespace pdt::gdi

HDC GetDC(HWND h)
{
    if (!h)
        return NewDC(DCRecord::Kind::Screen, nullptr);
    return IsWindow(h) ? NewDC(DCRecord::Kind::Window, h) : nullptr;
}
HDC GetWindowDC(HWND h) { return GetDC(h); }

int ReleaseDC(HWND, HDC hdc)
{
    DCRecord* d = DC(hdc);
    if (!d || d->kind == DCRecord::Kind::Memory || d->kind == DCRecord::Kind::Paint)
        return 0;
    FreeDC(d);
    return 1;
}

HDC BeginPaint(HWND h, LPPAINTSTRUCT ps)
{
    if (ps)
        *ps = PAINTSTRUCT{};
    if (!IsWindow(h) || !ps)
        return nullptr;
    QRect inv;
    if (QImage* img = pdt::gdi::EnsureBacking(h))
        inv = h->invalid.intersected(img->rect());
    else if (h->peer)
        inv = h->invalid.intersected(h->peer->rect()); // a dialog's controls paint the rest
    ++h->paintSerial;
    h->invalid = QRect(); // BeginPaint validates, as in Win32
    bool erase = h->erase;
    h->erase = false;
    DCRecord* d = NewDC(DCRecord::Kind::Paint, h);
    d->paintClip = QRegion(inv);
    ps->hdc = d;
    ps->rcPaint = inv.isEmpty() ? RECT{0, 0, 0, 0} : RECT{inv.left(), inv.top(), inv.right() + 1, inv.bottom() + 1};
    if (erase && !inv.isEmpty())
        ps->fErase = ::SendMessage(h, WM_ERASEBKGND, WPARAM(d)) == 0;
    return DC(d) ? d : nullptr;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* ps)
{
    DCRecord* d = ps ? DC(ps->hdc) : nullptr;
    if (!d || d->kind != DCRecord::Kind::Paint)
        return FALSE;
    FreeDC(d);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------------------
// CWnd's painting members.

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* dc) { return dc ? ::ReleaseDC(m_hWnd, dc->m_hDC) : 0; }
CDC* CWnd::BeginPaint(LPPAINTSTRUCT ps) { return CDC::FromHandle(::BeginPaint(m_hWnd, ps)); }
void CWnd::EndPaint(LPPAINTSTRUCT ps) { ::EndPaint(m_hWnd, ps); }

void CWnd::ValidateRect(LPCRECT r)
{
    if (!IsWindow(m_hWnd))
        return;
    if (!r)
    {
        m_hWnd->invalid = QRect();
        m_hWnd->erase = false;
        return;
    }
    QRegion rest = QRegion(m_hWnd->invalid).subtracted(QRegion(RectOf(r->left, r->top, r->right, r->bottom)));
    m_hWnd->invalid = rest.boundingRect();
}

BOOL CWnd::GetUpdateRect(LPRECT r, BOOL)
{
    QRect inv = IsWindow(m_hWnd) ? m_hWnd->invalid : QRect();
    if (r)
        *r = inv.isEmpty() ? RECT{0, 0, 0, 0} : RECT{inv.left(), inv.top(), inv.right() + 1, inv.bottom() + 1};
    return !inv.isEmpty();
}

// ---------------------------------------------------------------------------------------------------------------
// CDC.

CDC::~CDC()
{
    if (DCRecord* d = DC(m_hDC); d && &d->wrapper != this)
        DeleteDC();
}

CDC* CDC::FromHandle(HDC h)
{
    DCRecord* d = DC(h);
    if (!d)
        return nullptr;
    d->wrapper.m_hDC = d;
    return &d->wrapper;
}

BOOL CDC::Attach(HDC h)
{
    if (m_hDC || !DC(h))
        return FALSE;
    m_hDC = m_hAttribDC = h;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

BOOL CDC::CreateCompatibleDC(CDC* dc)
{
    if (m_hDC)
        return FALSE;
    if (dc && dc->m_hDC && !DC(dc->m_hDC))
        return FALSE;
    m_hDC = m_hAttribDC = NewDC(DCRecord::Kind::Memory, nullptr);
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    DCRecord* d = DC(m_hDC);
    m_hDC = m_hAttribDC = nullptr;
    if (!d)
        return FALSE;
    if (d->kind == DCRecord::Kind::Paint)
        return FALSE; // EndPaint's
    FreeDC(d);
    return TRUE;
}

CWnd* CDC::GetWindow() const
{
    DCRecord* d = DC(m_hDC);
    return d && d->wnd ? CWnd::FromHandle(d->wnd) : nullptr;
}

// Objects -------------------------------------------------------------------------------------------------------

namespace
{

template <class R> R* Swap(R*& slot, R* next)
{
    R* old = slot;
    slot = next;
    pdt::gdi::Hold(next);
    return old;
}

template <class W, class R> W* Previous(R* old)
{
    // The wrapper of what was replaced; null when it was deleted meanwhile.
    if (!old || old->deletePending)
    {
        pdt::gdi::Release(old);
        return nullptr;
    }
    old->wrapper.m_hObject = old->handle;
    W* w = &old->wrapper;
    pdt::gdi::Release(old);
    return w;
}

} // namespace

CPen* CDC::SelectObject(CPen* pen)
{
    DCRecord* d = DC(m_hDC);
    auto* rec = pen ? LookupAs<PenRecord>(pen->m_hObject, GdiKind::Pen) : nullptr;
    if (!d || !rec)
        return nullptr;
    return Previous<CPen>(Swap(d->st.pen, rec));
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    DCRecord* d = DC(m_hDC);
    auto* rec = brush ? LookupAs<BrushRecord>(brush->m_hObject, GdiKind::Brush) : nullptr;
    if (!d || !rec)
        return nullptr;
    return Previous<CBrush>(Swap(d->st.brush, rec));
}

CFont* CDC::SelectObject(CFont* font)
{
    DCRecord* d = DC(m_hDC);
    auto* rec = font ? LookupAs<FontRecord>(font->m_hObject, GdiKind::Font) : nullptr;
    if (!d || !rec)
        return nullptr;
    return Previous<CFont>(Swap(d->st.font, rec));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    DCRecord* d = DC(m_hDC);
    auto* rec = bitmap ? LookupAs<BitmapRecord>(bitmap->m_hObject, GdiKind::Bitmap) : nullptr;
    if (!d || !rec || d->kind != DCRecord::Kind::Memory)
        return nullptr;
    if (rec != d->st.bitmap && rec->selections > 0)
        return nullptr; // a bitmap can be in one DC at a time
    return Previous<CBitmap>(Swap(d->st.bitmap, rec));
}

int CDC::SelectObject(CRgn* rgn) { return rgn ? SelectClipRgn(rgn) : ERROR; }

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    GdiRecord* r = object ? pdt::gdi::Lookup(object->m_hObject) : nullptr;
    if (!r)
        return nullptr;
    switch (r->kind)
    {
    case GdiKind::Pen: return SelectObject(&static_cast<PenRecord*>(r)->wrapper);
    case GdiKind::Brush: return SelectObject(&static_cast<BrushRecord*>(r)->wrapper);
    case GdiKind::Font: return SelectObject(&static_cast<FontRecord*>(r)->wrapper);
    case GdiKind::Bitmap: return SelectObject(&static_cast<BitmapRecord*>(r)->wrapper);
    case GdiKind::Region: SelectClipRgn(&static_cast<RgnRecord*>(r)->wrapper); return nullptr;
    }
    return nullptr;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ h)
{
    CGdiObject* o = CGdiObject::FromHandle(h);
    if (!o)
        return nullptr;
    if (pdt::gdi::Lookup(h)->kind == GdiKind::Region)
        return reinterpret_cast<HGDIOBJ>(intptr_t(SelectClipRgn(static_cast<CRgn*>(o))));
    CGdiObject* old = SelectObject(o);
    return old ? old->m_hObject : nullptr;
}

CGdiObject* CDC::SelectStockObject(int index)
{
    GdiRecord* r = pdt::gdi::Stock(index);
    return r && r->kind != GdiKind::Bitmap ? SelectObject(&r->Wrapper()) : nullptr;
}

CPen* CDC::GetCurrentPen() const
{
    DCRecord* d = DC(m_hDC);
    return d ? CPen::FromHandle(static_cast<HPEN>(d->st.pen->handle)) : nullptr;
}
CBrush* CDC::GetCurrentBrush() const
{
    DCRecord* d = DC(m_hDC);
    return d ? CBrush::FromHandle(static_cast<HBRUSH>(d->st.brush->handle)) : nullptr;
}
CFont* CDC::GetCurrentFont() const
{
    DCRecord* d = DC(m_hDC);
    return d ? CFont::FromHandle(static_cast<HFONT>(d->st.font->handle)) : nullptr;
}
CBitmap* CDC::GetCurrentBitmap() const
{
    DCRecord* d = DC(m_hDC);
    return d && d->st.bitmap ? CBitmap::FromHandle(static_cast<HBITMAP>(d->st.bitmap->handle)) : nullptr;
}

// Attributes ----------------------------------------------------------------------------------------------------

COLORREF CDC::SetTextColor(COLORREF c)
{
    DCRecord* d = DC(m_hDC);
    return d ? std::exchange(d->st.textColor, c & 0xFFFFFF) : CLR_INVALID;
}
COLORREF CDC::GetTextColor() const
{
    DCRecord* d = DC(m_hDC);
    return d ? d->st.textColor : CLR_INVALID;
}
COLORREF CDC::SetBkColor(COLORREF c)
{
    DCRecord* d = DC(m_hDC);
    return d ? std::exchange(d->st.bkColor, c & 0xFFFFFF) : CLR_INVALID;
}
COLORREF CDC::GetBkColor() const
{
    DCRecord* d = DC(m_hDC);
    return d ? d->st.bkColor : CLR_INVALID;
}
int CDC::SetBkMode(int mode)
{
    DCRecord* d = DC(m_hDC);
    if (!d || (mode != OPAQUE && mode != TRANSPARENT))
        return 0;
    return std::exchange(d->st.bkMode, mode);
}
int CDC::GetBkMode() const
{
    DCRecord* d = DC(m_hDC);
    return d ? d->st.bkMode : 0;
}
int CDC::SetROP2(int mode)
{
    DCRecord* d = DC(m_hDC);
    if (!d || mode < R2_BLACK || mode > R2_WHITE)
        return 0;
    return std::exchange(d->st.rop2, mode);
}
int CDC::GetROP2() const
{
    DCRecord* d = DC(m_hDC);
    return d ? d->st.rop2 : 0;
}
UINT CDC::SetTextAlign(UINT flags)
{
    DCRecord* d = DC(m_hDC);
    return d ? std::exchange(d->st.textAlign, flags) : UINT(-1); // GDI_ERROR
}
UINT CDC::GetTextAlign() const
{
    DCRecord* d = DC(m_hDC);
    return d ? d->st.textAlign : UINT(-1);
}

int CDC::SaveDC()
{
    DCRecord* d = DC(m_hDC);
    if (!d)
        return 0;
    HoldState(d->st);
    d->saved.push_back(d->st);
    return int(d->saved.size());
}

BOOL CDC::RestoreDC(int savedDC)
{
    DCRecord* d = DC(m_hDC);
    if (!d || savedDC == 0)
        return FALSE;
    int n = int(d->saved.size());
    int index = savedDC > 0 ? savedDC - 1 : n + savedDC;
    if (index < 0 || index >= n)
        return FALSE;
    ReleaseState(d->st);
    d->st = d->saved[size_t(index)]; // takes over the saved state's holds
    for (int i = index + 1; i < n; ++i)
        ReleaseState(d->saved[size_t(i)]);
    d->saved.resize(size_t(index));
    return TRUE;
}

// Lines and shapes ----------------------------------------------------------------------------------------------

CPoint CDC::MoveTo(int x, int y)
{
    DCRecord* d = DC(m_hDC);
    if (!d)
        return CPoint();
    QPoint old = std::exchange(d->st.pos, QPoint(x, y));
    return CPoint(old.x(), old.y());
}

BOOL CDC::LineTo(int x, int y)
{
    DCRecord* d = DC(m_hDC);
    if (!d)
        return FALSE;
    QPoint from = d->st.pos;
    d->st.pos = QPoint(x, y);
    const QPoint pts[] = {from, QPoint(x, y)};
    return Lines(d, pts);
}

CPoint CDC::GetCurrentPosition() const
{
    DCRecord* d = DC(m_hDC);
    return d ? CPoint(d->st.pos.x(), d->st.pos.y()) : CPoint();
}

BOOL CDC::Polyline(const POINT* points, int count)
{
    DCRecord* d = DC(m_hDC);
    if (!d || !points || count < 2)
        return FALSE;
    std::vector<QPoint> pts;
    for (int i = 0; i < count; ++i)
        pts.emplace_back(points[i].x, points[i].y);
    return Lines(d, pts);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    DCRecord* d = DC(m_hDC);
    if (!d)
        return FALSE;
    int l = std::min(x1, x2), r = std::max(x1, x2), t = std::min(y1, y2), b = std::max(y1, y2);
    PainterRop rop = PainterRopFor(d->st.rop2);
    bool noPen = PenIsNull(d);
    // With no pen the filled area is one pixel smaller on the right and at the bottom, as in Win32.
    QRect inner = noPen ? QRect(QPoint(l, t), QPoint(r - 2, b - 2)) : QRect(QPoint(l + 1, t + 1), QPoint(r - 2, b - 2));
    if (!BrushIsNull(d) && !inner.isEmpty() && !rop.skip)
        Paint(d, inner, [&](QPainter& p) {
            p.setCompositionMode(rop.mode);
            p.fillRect(inner, rop.forced ? *rop.forced : pdt::gdi::ToQColor(d->st.brush->color));
        });
    if (noPen || r - l < 1 || b - t < 1)
        return TRUE;
    if (!IsWide(d))
    {
        const QPoint pts[] = {QPoint(l, t), QPoint(r - 1, t), QPoint(r - 1, b - 1), QPoint(l, b - 1), QPoint(l, t)};
        return Lines(d, pts);
    }
    if (rop.skip)
        return TRUE;
    int w = d->st.pen->width;
    QRectF path(l + 0.5, t + 0.5, r - l - 1, b - t - 1);
    if (d->st.pen->style == PS_INSIDEFRAME)
        path.adjust(w / 2.0 - 0.5, w / 2.0 - 0.5, -(w / 2.0 - 0.5), -(w / 2.0 - 0.5));
    return Paint(d, QRect(l - w, t - w, r - l + 2 * w, b - t + 2 * w), [&](QPainter& p) {
        p.setCompositionMode(rop.mode);
        QPen pen = WidePen(d, rop);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(path);
    });
}
BOOL CDC::Rectangle(LPCRECT r) { return r ? Rectangle(r->left, r->top, r->right, r->bottom) : FALSE; }

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    DCRecord* d = DC(m_hDC);
    if (!d)
        return FALSE;
    int l = std::min(x1, x2), r = std::max(x1, x2), t = std::min(y1, y2), b = std::max(y1, y2);
    if (r - l < 2 || b - t < 2)
        return TRUE;
    PainterRop rop = PainterRopFor(d->st.rop2);
    if (rop.skip)
        return TRUE;
    int w = PenIsNull(d) ? 0 : d->st.pen->width;
    return Paint(d, QRect(l - w, t - w, r - l + 2 * w, b - t + 2 * w), [&](QPainter& p) {
        p.setCompositionMode(rop.mode);
        QColor fill = rop.forced ? *rop.forced : (d->st.brush ? pdt::gdi::ToQColor(d->st.brush->color) : QColor());
        p.setBrush(BrushIsNull(d) ? QBrush(Qt::NoBrush) : QBrush(fill));
        if (w == 0)
        {
            p.setPen(Qt::NoPen);
            p.drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
            return;
        }
        QPen pen = w > 1 ? WidePen(d, rop) : QPen(rop.forced ? *rop.forced : pdt::gdi::ToQColor(d->st.pen->color), 0);
        if (w == 1 && d->st.pen->style >= PS_DASH && d->st.pen->style <= PS_DASHDOTDOT)
            pen.setStyle(Qt::PenStyle(int(Qt::DashLine) + d->st.pen->style - PS_DASH));
        p.setPen(pen);
        // The pixels from left to right - 1, as Win32 leaves out the right and bottom edges.
        p.drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
    });
}
BOOL CDC::Ellipse(LPCRECT r) { return r ? Ellipse(r->left, r->top, r->right, r->bottom) : FALSE; }

void CDC::FillRect(LPCRECT r, CBrush* brush)
{
    DCRecord* d = DC(m_hDC);
    auto* rec = brush ? LookupAs<BrushRecord>(brush->m_hObject, GdiKind::Brush) : nullptr;
    if (!d || !r || !rec || rec->style == BS_NULL || r->right <= r->left || r->bottom <= r->top)
        return;
    FillArea(d, QRegion(RectOf(r->left, r->top, r->right, r->bottom)), ToRgb(rec->color));
}

void CDC::FillSolidRect(LPCRECT r, COLORREF color)
{
    DCRecord* d = DC(m_hDC);
    if (!d || !r)
        return;
    // MFC does this with SetBkColor and an opaque ExtTextOut, leaving the colour as the background colour.
    d->st.bkColor = color & 0xFFFFFF;
    if (r->right > r->left && r->bottom > r->top)
        FillArea(d, QRegion(RectOf(r->left, r->top, r->right, r->bottom)), ToRgb(color));
}
void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    CRect r(x, y, x + cx, y + cy);
    FillSolidRect(&r, color);
}

void CDC::FrameRect(LPCRECT r, CBrush* brush)
{
    DCRecord* d = DC(m_hDC);
    auto* rec = brush ? LookupAs<BrushRecord>(brush->m_hObject, GdiKind::Brush) : nullptr;
    if (!d || !r || !rec || rec->style == BS_NULL || r->right <= r->left || r->bottom <= r->top)
        return;
    QRect outer = RectOf(r->left, r->top, r->right, r->bottom);
    FillArea(d, QRegion(outer).subtracted(QRegion(outer.adjusted(1, 1, -1, -1))), ToRgb(rec->color));
}

void CDC::InvertRect(LPCRECT r)
{
    DCRecord* d = DC(m_hDC);
    if (!d || !r || r->right <= r->left || r->bottom <= r->top)
        return;
    RopArea(d, QRegion(RectOf(r->left, r->top, r->right, r->bottom)), 0x55, nullptr, QPoint());
}

void CDC::DrawFocusRect(LPCRECT r)
{
    DCRecord* d = DC(m_hDC);
    if (!d || !r || r->right <= r->left || r->bottom <= r->top)
        return;
    QImage* img = Surface(d);
    if (!img)
        return;
    // Every other pixel of the frame inverted: drawing it twice takes it away again.
    QRect outer = RectOf(r->left, r->top, r->right, r->bottom);
    QRegion area = Drawable(d, *img);
    auto flip = [&](int x, int y) {
        if ((x + y) % 2 == 0 && area.contains(QPoint(x, y)))
            img->setPixel(x, y, ~img->pixel(x, y) | 0xFF000000);
    };
    for (int x = outer.left(); x <= outer.right(); ++x)
    {
        flip(x, outer.top());
        if (outer.bottom() != outer.top())
            flip(x, outer.bottom());
    }
    for (int y = outer.top() + 1; y < outer.bottom(); ++y)
    {
        flip(outer.left(), y);
        if (outer.right() != outer.left())
            flip(outer.right(), y);
    }
    Touched(d, outer);
}

BOOL CDC::FillRgn(CRgn* rgn, CBrush* brush)
{
    DCRecord* d = DC(m_hDC);
    auto* r = rgn ? LookupAs<RgnRecord>(rgn->m_hObject, GdiKind::Region) : nullptr;
    auto* b = brush ? LookupAs<BrushRecord>(brush->m_hObject, GdiKind::Brush) : nullptr;
    if (!d || !r || !b)
        return FALSE;
    if (b->style != BS_NULL)
        FillArea(d, r->region, ToRgb(b->color));
    return TRUE;
}

// Pixels --------------------------------------------------------------------------------------------------------

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    DCRecord* d = DC(m_hDC);
    QImage* img = d ? Surface(d) : nullptr;
    if (!img || !Drawable(d, *img).contains(QPoint(x, y)))
        return CLR_INVALID;
    img->setPixel(x, y, ToRgb(color));
    Touched(d, QRect(x, y, 1, 1));
    return pdt::gdi::FromQRgb(img->pixel(x, y));
}

BOOL CDC::SetPixelV(int x, int y, COLORREF color) { return SetPixel(x, y, color) != CLR_INVALID; }

COLORREF CDC::GetPixel(int x, int y) const
{
    DCRecord* d = DC(m_hDC);
    QImage* img = d ? Surface(d) : nullptr;
    if (!img || !Drawable(d, *img).contains(QPoint(x, y)))
        return CLR_INVALID;
    return pdt::gdi::FromQRgb(img->pixel(x, y));
}

// Blits ---------------------------------------------------------------------------------------------------------

namespace
{

// The source pixels as the destination sees them: monochrome and colour converted with the DCs' colours.
QImage SourceFor(DCRecord* dst, DCRecord* src, QRect srcRect)
{
    QImage* img = Surface(src);
    if (!img)
        return QImage();
    QImage part = img->copy(srcRect); // outside the source comes back black; those pixels are skipped below
    bool srcMono = IsMono(src), dstMono = IsMono(dst);
    if (srcMono && !dstMono)
    {
        // Black bits take the destination's text colour, white bits its background colour.
        QRgb fg = ToRgb(dst->st.textColor), bg = ToRgb(dst->st.bkColor);
        for (int y = 0; y < part.height(); ++y)
        {
            auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
            for (int x = 0; x < part.width(); ++x)
                line[x] = (line[x] & 0xFFFFFF) ? bg : fg;
        }
    }
    else if (!srcMono && dstMono)
    {
        // The source's background colour becomes white, everything else black.
        QRgb bg = ToRgb(src->st.bkColor) & 0xFFFFFF;
        for (int y = 0; y < part.height(); ++y)
        {
            auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
            for (int x = 0; x < part.width(); ++x)
                line[x] = (line[x] & 0xFFFFFF) == bg ? 0xFFFFFFFF : 0xFF000000;
        }
    }
    return part;
}

BOOL Blit(DCRecord* d, QRect dst, DCRecord* src, QRect srcRect, DWORD rop)
{
    BYTE code = BYTE((rop >> 16) & 0xFF);
    bool usesSource = RopUsesSource(code);
    if (usesSource && !src)
        return FALSE;
    if (dst.isEmpty())
        return TRUE;
    if (RopUsesPattern(code) && BrushIsNull(d))
        return TRUE; // a null brush paints nothing
    QImage source;
    QRect valid; // the part of dst whose source pixels exist
    if (usesSource)
    {
        QImage* srcImg = Surface(src);
        if (!srcImg)
            return FALSE;
        QRect inside = srcRect.intersected(srcImg->rect());
        if (inside.isEmpty())
            return TRUE;
        source = SourceFor(d, src, srcRect);
        if (srcRect.size() != dst.size())
            source = source.scaled(dst.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        // Map the existing part of the source into destination coordinates.
        double sx = double(dst.width()) / srcRect.width(), sy = double(dst.height()) / srcRect.height();
        valid = QRect(dst.left() + int((inside.left() - srcRect.left()) * sx),
                      dst.top() + int((inside.top() - srcRect.top()) * sy), int(inside.width() * sx + 0.5),
                      int(inside.height() * sy + 0.5));
    }
    else
        valid = dst;
    if (code == 0xCC && !IsMono(d))
    {
        // A straight copy: QPainter does it fastest.
        QImage shown = source;
        return Paint(d, valid, [&](QPainter& p) {
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.setClipRect(valid, Qt::IntersectClip);
            p.drawImage(dst.topLeft(), shown);
        });
    }
    RopArea(d, QRegion(valid), code, usesSource ? &source : nullptr, dst.topLeft());
    return TRUE;
}

} // namespace

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* srcDC, int xSrc, int ySrc, DWORD rop)
{
    DCRecord* d = DC(m_hDC);
    if (!d)
        return FALSE;
    DCRecord* s = srcDC ? DC(srcDC->m_hDC) : nullptr;
    if (width < 0)
        x += width, xSrc += width, width = -width;
    if (height < 0)
        y += height, ySrc += height, height = -height;
    return Blit(d, QRect(x, y, width, height), s, QRect(xSrc, ySrc, width, height), rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* srcDC, int xSrc, int ySrc, int srcWidth,
                     int srcHeight, DWORD rop)
{
    DCRecord* d = DC(m_hDC);
    if (!d)
        return FALSE;
    DCRecord* s = srcDC ? DC(srcDC->m_hDC) : nullptr;
    if (width == 0 || height == 0)
        return TRUE;
    if (srcWidth == 0 || srcHeight == 0)
        return s ? TRUE : FALSE;
    bool mirrorX = (width < 0) != (srcWidth < 0), mirrorY = (height < 0) != (srcHeight < 0);
    if (width < 0)
        x += width + 1, width = -width;
    if (height < 0)
        y += height + 1, height = -height;
    if (srcWidth < 0)
        xSrc += srcWidth + 1, srcWidth = -srcWidth;
    if (srcHeight < 0)
        ySrc += srcHeight + 1, srcHeight = -srcHeight;
    if (!mirrorX && !mirrorY)
        return Blit(d, QRect(x, y, width, height), s, QRect(xSrc, ySrc, srcWidth, srcHeight), rop);
    // Mirrored: take a mirrored copy of the source into a temporary memory DC.
    if (!s || !Surface(s))
        return FALSE;
    CDC temp;
    temp.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    DCRecord* t = DC(temp.m_hDC);
    QImage part = SourceFor(s, s, QRect(xSrc, ySrc, srcWidth, srcHeight)).mirrored(mirrorX, mirrorY);
    bmp.CreateBitmap(srcWidth, srcHeight, 1, 32, nullptr);
    auto* rec = LookupAs<BitmapRecord>(bmp.m_hObject, GdiKind::Bitmap);
    rec->image = part;
    rec->mono = IsMono(s);
    CBitmap* old = temp.SelectObject(&bmp);
    t->st.bkColor = s->st.bkColor;
    BOOL ok = Blit(d, QRect(x, y, width, height), t, QRect(0, 0, srcWidth, srcHeight), rop);
    temp.SelectObject(old);
    return ok;
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    DCRecord* d = DC(m_hDC);
    if (!d || RopUsesSource(BYTE((rop >> 16) & 0xFF)))
        return FALSE;
    if (width < 0)
        x += width, width = -width;
    if (height < 0)
        y += height, height = -height;
    return Blit(d, QRect(x, y, width, height), nullptr, QRect(), rop);
}

// Text ----------------------------------------------------------------------------------------------------------

BOOL CDC::TextOut(int x, int y, LPCTSTR text, int count)
{
    DCRecord* d = DC(m_hDC);
    return d ? DrawTextBytes(d, x, y, 0, nullptr, text, count, nullptr) : FALSE;
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, LPINT dxWidths)
{
    DCRecord* d = DC(m_hDC);
    if (!d || count > 0x7FFFFFFF)
        return FALSE;
    return DrawTextBytes(d, x, y, options, rect, text, int(count), dxWidths);
}

int CDC::DrawText(LPCTSTR text, int count, LPRECT rect, UINT format)
{
    DCRecord* d = DC(m_hDC);
    if (!d || !rect || (!text && count != 0))
        return 0;
    if (count < 0)
        count = int(std::strlen(text));
    QString s = pdt::gdi::DecodeText(text, count, d->st.font->lf.lfCharSet);
    int flags = 0;
    flags |= (format & DT_CENTER) ? Qt::AlignHCenter : (format & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
    if (format & DT_SINGLELINE)
        flags |= (format & DT_VCENTER) ? Qt::AlignVCenter : (format & DT_BOTTOM) ? Qt::AlignBottom : Qt::AlignTop;
    else
        flags |= Qt::AlignTop;
    if (format & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;
    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    if (format & DT_SINGLELINE)
        flags |= Qt::TextSingleLine;
    if (!(format & DT_NOPREFIX))
        flags |= Qt::TextShowMnemonic;
    QFont font = pdt::gdi::Realise(d->st.font);
    QRect box = RectOf(rect->left, rect->top, rect->right, rect->bottom);
    QFontMetrics fm(font);
    QRect used = fm.boundingRect(format & DT_CALCRECT ? QRect(box.topLeft(), QSize(box.width() > 0 && (format & DT_WORDBREAK) ? box.width() : 100000, 100000)) : box, flags, s);
    if (format & DT_CALCRECT)
    {
        rect->right = rect->left + used.width();
        rect->bottom = rect->top + used.height();
        return used.height();
    }
    QRect bounds = (format & DT_NOCLIP) ? used.united(box) : box;
    Paint(d, bounds, [&](QPainter& p) {
        if (!(format & DT_NOCLIP))
            p.setClipRect(box, Qt::IntersectClip);
        p.setFont(font);
        if (d->st.bkMode == OPAQUE)
            p.fillRect(used, pdt::gdi::ToQColor(d->st.bkColor));
        p.setPen(pdt::gdi::ToQColor(d->st.textColor));
        p.drawText(box, flags, s);
    });
    return used.height();
}

CSize CDC::GetTextExtent(LPCTSTR text, int count) const
{
    DCRecord* d = DC(m_hDC);
    if (!d || count < 0 || (!text && count > 0))
        return CSize(0, 0);
    TextLayout t = Layout(d, text, count);
    return CSize(t.width, t.height);
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC tm) const
{
    DCRecord* d = DC(m_hDC);
    if (!d || !tm)
        return FALSE;
    const LOGFONT& lf = d->st.font->lf;
    QFont font = pdt::gdi::Realise(d->st.font);
    QFontMetrics fm(font);
    QFontInfo info(font);
    *tm = TEXTMETRIC{};
    tm->tmAscent = fm.ascent();
    tm->tmDescent = fm.descent();
    tm->tmHeight = tm->tmAscent + tm->tmDescent;
    int em = font.pixelSize() > 0 ? font.pixelSize() : info.pixelSize();
    tm->tmInternalLeading = std::max(0, tm->tmHeight - em);
    tm->tmExternalLeading = std::max(0, fm.leading());
    tm->tmAveCharWidth = info.fixedPitch() ? fm.horizontalAdvance(QLatin1Char('x')) : fm.averageCharWidth();
    tm->tmMaxCharWidth = std::max(fm.maxWidth(), int(tm->tmAveCharWidth));
    tm->tmWeight = lf.lfWeight > 0 ? lf.lfWeight : FW_NORMAL;
    tm->tmDigitizedAspectX = tm->tmDigitizedAspectY = 96;
    tm->tmFirstChar = 0x20;
    tm->tmLastChar = 0xFF;
    tm->tmDefaultChar = 0x1F;
    tm->tmBreakChar = 0x20;
    tm->tmItalic = lf.lfItalic ? 0xFF : 0;
    tm->tmUnderlined = lf.lfUnderline ? 0xFF : 0;
    tm->tmStruckOut = lf.lfStrikeOut ? 0xFF : 0;
    BYTE family = lf.lfPitchAndFamily & 0xF0;
    if (!family)
        family = info.fixedPitch() ? FF_MODERN : FF_SWISS;
    // Win32's naming is backwards: the "fixed pitch" bit marks a variable pitch font.
    tm->tmPitchAndFamily = BYTE(family | TMPF_VECTOR | TMPF_TRUETYPE | (info.fixedPitch() ? 0 : TMPF_FIXED_PITCH));
    tm->tmCharSet = lf.lfCharSet == DEFAULT_CHARSET || lf.lfCharSet == OEM_CHARSET ? CharsetOfCodePage(GetACP())
                                                                                    : lf.lfCharSet;
    return TRUE;
}

int CDC::GetTextFace(int count, LPTSTR faceName) const
{
    DCRecord* d = DC(m_hDC);
    if (!d)
        return 0;
    std::string face = d->st.font->lf.lfFaceName;
    if (face.empty())
        face = QFontInfo(pdt::gdi::Realise(d->st.font)).family().toStdString();
    if (!faceName || count <= 0)
        return int(face.size()) + 1;
    int n = std::min<int>(count - 1, int(face.size()));
    std::memcpy(faceName, face.data(), size_t(n));
    faceName[n] = 0;
    return n;
}

// Clipping ------------------------------------------------------------------------------------------------------

namespace
{

// What can be drawn on, the clipping regions applied: the surface's pixels or a vector page.
std::optional<QRegion> Area(DCRecord* d)
{
    if (pdt::gdi::VectorPainter(d))
        return VectorDrawable(d);
    QImage* img = Surface(d);
    return img ? std::optional<QRegion>(Drawable(d, *img)) : std::nullopt;
}

int ClipResult(DCRecord* d)
{
    auto area = Area(d);
    return area ? pdt::gdi::RegionTypeOf(*area) : ERROR;
}

QRegion WholeSurface(DCRecord* d)
{
    if (pdt::gdi::VectorPainter(d))
        return QRegion(*pdt::gdi::DocumentArea(d));
    QImage* img = Surface(d);
    return img ? QRegion(img->rect()) : QRegion();
}

} // namespace

int CDC::SelectClipRgn(CRgn* rgn)
{
    DCRecord* d = DC(m_hDC);
    if (!d)
        return ERROR;
    if (!rgn)
    {
        d->st.clip.reset();
        return ClipResult(d);
    }
    auto* rec = LookupAs<RgnRecord>(rgn->m_hObject, GdiKind::Region);
    if (!rec)
        return ERROR;
    d->st.clip = rec->region; // a copy: later changes to the region do not reach the DC
    return ClipResult(d);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    DCRecord* d = DC(m_hDC);
    if (!d)
        return ERROR;
    QRegion r = x2 > x1 && y2 > y1 ? QRegion(RectOf(x1, y1, x2, y2)) : QRegion();
    d->st.clip = d->st.clip ? d->st.clip->intersected(r) : r;
    return ClipResult(d);
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    DCRecord* d = DC(m_hDC);
    if (!d)
        return ERROR;
    QRegion base = d->st.clip ? *d->st.clip : WholeSurface(d);
    d->st.clip = x2 > x1 && y2 > y1 ? base.subtracted(QRegion(RectOf(x1, y1, x2, y2))) : base;
    return ClipResult(d);
}

int CDC::GetClipBox(LPRECT rect) const
{
    DCRecord* d = DC(m_hDC);
    std::optional<QRegion> drawable = d ? Area(d) : std::nullopt;
    if (!drawable || !rect)
        return ERROR;
    const QRegion& area = *drawable;
    QRect b = area.boundingRect();
    *rect = area.isEmpty() ? RECT{0, 0, 0, 0} : RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    return pdt::gdi::RegionTypeOf(area);
}

BOOL CDC::PtVisible(int x, int y) const
{
    DCRecord* d = DC(m_hDC);
    std::optional<QRegion> area = d ? Area(d) : std::nullopt;
    return area && area->contains(QPoint(x, y));
}

BOOL CDC::RectVisible(LPCRECT r) const
{
    DCRecord* d = DC(m_hDC);
    std::optional<QRegion> area = d ? Area(d) : std::nullopt;
    if (!area || !r || r->right <= r->left || r->bottom <= r->top)
        return FALSE;
    return area->intersects(RectOf(r->left, r->top, r->right, r->bottom));
}

int CDC::GetDeviceCaps(int index) const
{
    DCRecord* d = DC(m_hDC);
    if (!d)
        return 0;
    if (d->kind == DCRecord::Kind::Document)
        return pdt::gdi::DocumentCaps(d, index);
    switch (index)
    {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96; // the library's layouts assume 96 pixels per inch
    case HORZRES: return GetSystemMetrics(SM_CXSCREEN);
    case VERTRES: return GetSystemMetrics(SM_CYSCREEN);
    case HORZSIZE: return MulDiv(GetSystemMetrics(SM_CXSCREEN), 254, 960);
    case VERTSIZE: return MulDiv(GetSystemMetrics(SM_CYSCREEN), 254, 960);
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_STRETCHBLT;
    default: return 0;
    }
}

// ---------------------------------------------------------------------------------------------------------------
// CPaintDC, CClientDC, CWindowDC.

CPaintDC::CPaintDC(CWnd* wnd)
{
    m_hWnd = wnd ? wnd->m_hWnd : nullptr;
    m_hDC = m_hAttribDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    m_hDC = m_hAttribDC = nullptr;
}

CClientDC::CClientDC(CWnd* wnd)
{
    m_hWnd = wnd ? wnd->m_hWnd : nullptr;
    m_hDC = m_hAttribDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* wnd)
{
    m_hWnd = wnd ? wnd->m_hWnd : nullptr;
    m_hDC = m_hAttribDC = ::GetWindowDC(m_hWnd);
}

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }
