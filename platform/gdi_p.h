// Private to the platform's sources: the records behind GDI handles and device contexts.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QRegion>

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "platform/afxgdi.h"
#include "platform/afxwin.h"

class QPainter;
class QPaintDevice;
class QPagedPaintDevice;
class QSaveFile;

enum class GdiKind
{
    Font,
    Pen,
    Brush,
    Bitmap,
    Region,
};

// Every GDI handle points at one of these. A record lives until DeleteObject; one that is still selected into a
// device context when deleted lives on until it is deselected, so a device context never draws with freed data.
struct GdiRecord
{
    explicit GdiRecord(GdiKind k) : kind(k) {}
    virtual ~GdiRecord() = default;
    virtual CGdiObject& Wrapper() = 0; // what FromHandle returns
    GdiKind kind;
    void* handle = nullptr; // the handle value (the derived record's address)
    bool stock = false;
    int selections = 0;
    bool deletePending = false;
};

struct FontRecord : GdiRecord
{
    FontRecord() : GdiRecord(GdiKind::Font) {}
    CGdiObject& Wrapper() override { return wrapper; }
    LOGFONT lf{};
    CFont wrapper;
    std::optional<QFont> realised; // the toolkit font, made on first use
    std::optional<QFontMetrics> metrics; // its metrics, and the advances of the ASCII characters measured so far
    std::array<int, 128> advances = MakeUnmeasured();

  private:
    static std::array<int, 128> MakeUnmeasured()
    {
        std::array<int, 128> a;
        a.fill(-1);
        return a;
    }
};

struct PenRecord : GdiRecord
{
    PenRecord() : GdiRecord(GdiKind::Pen) {}
    CGdiObject& Wrapper() override { return wrapper; }
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
    CPen wrapper;
};

struct BrushRecord : GdiRecord
{
    BrushRecord() : GdiRecord(GdiKind::Brush) {}
    CGdiObject& Wrapper() override { return wrapper; }
    UINT style = BS_SOLID;
    COLORREF color = 0;
    CBrush wrapper;
};

struct BitmapRecord : GdiRecord
{
    BitmapRecord() : GdiRecord(GdiKind::Bitmap) {}
    CGdiObject& Wrapper() override { return wrapper; }
    QImage image;      // Format_RGB32 always; a monochrome bitmap holds only black and white
    bool mono = false;
    CBitmap wrapper;
};

struct RgnRecord : GdiRecord
{
    RgnRecord() : GdiRecord(GdiKind::Region) {}
    CGdiObject& Wrapper() override { return wrapper; }
    QRegion region;
    CRgn wrapper;
};

// What SaveDC keeps.
struct DCState
{
    PenRecord* pen = nullptr;
    BrushRecord* brush = nullptr;
    FontRecord* font = nullptr;
    BitmapRecord* bitmap = nullptr; // memory device contexts
    COLORREF textColor = 0;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    UINT textAlign = TA_TOP | TA_LEFT;
    QPoint pos;
    std::optional<QRegion> clip; // the application's clipping region, device coordinates
};

// The device behind a DC of CreateDC or of a print job. PNG pages are drawn on an image, pixel for pixel as on
// the screen; the others through a painter on the toolkit's vector device or printer, scaled to 96 units an inch.
struct DocumentDevice
{
    enum class Format
    {
        Png,
        Svg,
        Pdf,
        Printer,
    };
    Format format = Format::Png;
    QString output;                      // the file written, when there is one
    QSize size;                          // PNG and SVG: the picture, in units
    std::unique_ptr<QSaveFile> file;     // from StartDoc; replaces `output` only when committed at EndDoc
    std::shared_ptr<QPaintDevice> device; // null for PNG; a printer may be lent by whoever asked for it
    std::unique_ptr<QPainter> painter;   // from StartDoc to EndDoc
    QImage image;                        // PNG's one page
    bool started = false, inPage = false;
    int pages = 0;

    DocumentDevice();
    ~DocumentDevice();
    QPagedPaintDevice* Paged() const; // the device's pages: PDF and printers, else null
    QRect Page() const;               // what a page holds, in units from its top-left
};

struct DCRecord
{
    enum class Kind
    {
        Window,   // GetDC, CClientDC, CWindowDC: the window's client area
        Paint,    // BeginPaint, CPaintDC
        Memory,   // CreateCompatibleDC
        Screen,   // GetDC(nullptr): measures, draws nowhere that shows
        Document, // CreateDC: files and printers
    };
    Kind kind = Kind::Window;
    HWND wnd = nullptr;
    DCState st;
    std::vector<DCState> saved;
    std::optional<QRegion> paintClip; // BeginPaint's update area
    QRect pendingUpdate;              // drawn outside the peer's paint, shown when the paint DC ends
    std::unique_ptr<QImage> scratch;  // surface of a window that is not custom-drawn, or of the screen
    CDC wrapper;                      // what FromHandle returns
    bool ownedByWrapper = false;      // freed with DeleteDC / ReleaseDC
    std::unique_ptr<DocumentDevice> doc;
};

namespace pdt::gdi
{
bool IsInstalledFamily(const QString& family); // case-insensitive

// A face whose every character has one advance, whatever fonts the machine has: the toolkit's
// fixed font when it really is, else the first known monospace family that is installed.
QFont FixedPitchFont();
bool IsMonospaced(const QFont& f); // by what is drawn, not by the font's pitch flag

QFont ToQFont(const LOGFONT& lf);
LOGFONT FromQFont(const QFont& f);

// Handles: null unless the handle is a live record of that kind.
GdiRecord* Lookup(const void* handle);
template <class R> R* LookupAs(const void* handle, GdiKind kind)
{
    GdiRecord* r = Lookup(handle);
    return r && r->kind == kind ? static_cast<R*>(r) : nullptr;
}
template <class R> R* NewRecord(); // registered, with its wrapper attached
void Hold(GdiRecord* r);
void Release(GdiRecord* r); // frees a record whose deletion was put off
const QFont& Realise(FontRecord* f);
int CodePageOfCharset(int charset);
QString DecodeText(const char* bytes, int count, int charset);
GdiRecord* Stock(int index);
QColor ToQColor(COLORREF c);
COLORREF FromQRgb(QRgb c);
int RegionTypeOf(const QRegion& r); // NULLREGION, SIMPLEREGION or COMPLEXREGION

DCRecord* LiveDC(HDC h); // null unless `h` is a live device context
HDC NewDocumentDC(std::unique_ptr<DocumentDevice> doc);
// A DC that prints on `printer` (a QPrinter), which must outlive it; units as CreateDC's.
HDC CreatePrinterDC(std::shared_ptr<QPaintDevice> printer);
// The painter of a vector or printer page being drawn, else null.
QPainter* VectorPainter(const DCRecord* d);
// Everything a page of the document can show, or nothing outside a page.
std::optional<QRect> DocumentArea(const DCRecord* d);
int DocumentCaps(const DCRecord* d, int index);
int DocumentPages(HDC h); // the pages the last document of a document DC ended

// Windows: the backing image (created or resized to the peer), the paint cycle, the class background.
QImage* EnsureBacking(HWND h);
void PaintPending(HWND h, bool fromPeer); // WM_PAINT when something is invalid
void EraseBackground(HWND h, HDC hdc);    // WM_ERASEBKGND's default: the class brush
} // namespace pdt::gdi

namespace pdt::caret
{
void PaintOver(HWND h, QPainter& painter); // the caret over the peer, when it is in its visible phase
void WindowDestroyed(HWND h);
} // namespace pdt::caret
