// GDI: device contexts and the objects they draw with. Fonts are described by a LOGFONT and realised by the
// platform when a window or device context uses them. A window's device contexts draw into the window's backing
// image; memory device contexts draw into the bitmap selected into them.
#pragma once

#include "platform/afxtypes.h"

typedef void* HGDIOBJ;
struct FontRecord;
struct PenRecord;
struct BrushRecord;
struct BitmapRecord;
struct RgnRecord;
struct DCRecord;
typedef FontRecord* HFONT;
typedef PenRecord* HPEN;
typedef BrushRecord* HBRUSH;
typedef BitmapRecord* HBITMAP;
typedef RgnRecord* HRGN;
typedef DCRecord* HDC;
typedef int* LPINT;

class CDC;
class CWnd;

// Stock objects.
enum : int
{
    WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3, BLACK_BRUSH = 4, NULL_BRUSH = 5,
    HOLLOW_BRUSH = 5, WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8, OEM_FIXED_FONT = 10, ANSI_FIXED_FONT = 11,
    ANSI_VAR_FONT = 12, SYSTEM_FONT = 13, DEVICE_DEFAULT_FONT = 14, SYSTEM_FIXED_FONT = 16, DEFAULT_GUI_FONT = 17,
};

// Pen styles, brush styles.
enum : int
{
    PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5, PS_INSIDEFRAME = 6,
    PS_STYLE_MASK = 0x0F,
};
enum : UINT
{
    BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = 1,
};

// Background modes, ROP2 codes, text alignment, ExtTextOut options.
enum : int
{
    TRANSPARENT = 1, OPAQUE = 2,
};
enum : int
{
    R2_BLACK = 1, R2_NOTMERGEPEN = 2, R2_MASKNOTPEN = 3, R2_NOTCOPYPEN = 4, R2_MASKPENNOT = 5, R2_NOT = 6,
    R2_XORPEN = 7, R2_NOTMASKPEN = 8, R2_MASKPEN = 9, R2_NOTXORPEN = 10, R2_NOP = 11, R2_MERGENOTPEN = 12,
    R2_COPYPEN = 13, R2_MERGEPENNOT = 14, R2_MERGEPEN = 15, R2_WHITE = 16,
};
enum : UINT
{
    TA_NOUPDATECP = 0, TA_UPDATECP = 1, TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6, TA_TOP = 0, TA_BOTTOM = 8,
    TA_BASELINE = 24,
};
enum : UINT
{
    ETO_OPAQUE = 0x0002, ETO_CLIPPED = 0x0004,
};

// DrawText formats.
enum : UINT
{
    DT_TOP = 0x0000, DT_LEFT = 0x0000, DT_CENTER = 0x0001, DT_RIGHT = 0x0002, DT_VCENTER = 0x0004,
    DT_BOTTOM = 0x0008, DT_WORDBREAK = 0x0010, DT_SINGLELINE = 0x0020, DT_EXPANDTABS = 0x0040,
    DT_NOCLIP = 0x0100, DT_CALCRECT = 0x0400, DT_NOPREFIX = 0x0800,
};

// Raster operations (BitBlt, PatBlt): the ternary code of pattern, source and destination.
constexpr DWORD SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6, SRCINVERT = 0x00660046,
                SRCERASE = 0x00440328, NOTSRCCOPY = 0x00330008, NOTSRCERASE = 0x001100A6, MERGECOPY = 0x00C000CA,
                MERGEPAINT = 0x00BB0226, PATCOPY = 0x00F00021, PATPAINT = 0x00FB0A09, PATINVERT = 0x005A0049,
                DSTINVERT = 0x00550009, BLACKNESS = 0x00000042, WHITENESS = 0x00FF0062;

// GetDeviceCaps indexes.
enum : int
{
    DRIVERVERSION = 0, TECHNOLOGY = 2, HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8, VERTRES = 10, BITSPIXEL = 12,
    PLANES = 14, NUMCOLORS = 24, RASTERCAPS = 38, LOGPIXELSX = 88, LOGPIXELSY = 90, PHYSICALWIDTH = 110,
    PHYSICALHEIGHT = 111, PHYSICALOFFSETX = 112, PHYSICALOFFSETY = 113,
};
constexpr int DT_RASDISPLAY = 1, DT_RASPRINTER = 2, DT_METAFILE = 5;

// Devices other than the screen (CDC::CreateDC) and their documents.
struct DEVMODE
{
    WORD dmSize = sizeof(DEVMODE);
    DWORD dmFields = 0;
    short dmOrientation = 0; // DMORIENT_*
    short dmPaperSize = 0;   // DMPAPER_*
    DWORD dmPelsWidth = 0, dmPelsHeight = 0;
};
constexpr DWORD DM_ORIENTATION = 0x00000001, DM_PAPERSIZE = 0x00000002, DM_PELSWIDTH = 0x00080000,
                DM_PELSHEIGHT = 0x00100000;
constexpr short DMORIENT_PORTRAIT = 1, DMORIENT_LANDSCAPE = 2;
constexpr short DMPAPER_LETTER = 1, DMPAPER_LEGAL = 5, DMPAPER_A3 = 8, DMPAPER_A4 = 9;
struct DOCINFO
{
    int cbSize = sizeof(DOCINFO);
    LPCTSTR lpszDocName = nullptr;
    LPCTSTR lpszOutput = nullptr; // a file to print into instead of the device's own
    LPCTSTR lpszDatatype = nullptr;
    DWORD fwType = 0;
};
using LPDOCINFO = DOCINFO*;
constexpr int SP_ERROR = -1;
constexpr int RC_BITBLT = 0x0001, RC_BITMAP64 = 0x0008, RC_DI_BITMAP = 0x0080, RC_STRETCHBLT = 0x0800;

// Regions.
enum : int
{
    RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5,
};
enum : int
{
    ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3, RGN_ERROR = 0,
};

// TEXTMETRIC's tmPitchAndFamily bits. As in Win32, TMPF_FIXED_PITCH set means a *variable* pitch font.
enum : BYTE
{
    TMPF_FIXED_PITCH = 0x01, TMPF_VECTOR = 0x02, TMPF_TRUETYPE = 0x04, TMPF_DEVICE = 0x08,
};

struct TEXTMETRIC
{
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};
typedef TEXTMETRIC* LPTEXTMETRIC;

struct LOGPEN
{
    UINT lopnStyle;
    POINT lopnWidth; // x is the width
    COLORREF lopnColor;
};

struct LOGBRUSH
{
    UINT lbStyle;
    COLORREF lbColor;
    uintptr_t lbHatch;
};

struct BITMAP
{
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};

struct PAINTSTRUCT
{
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};
typedef PAINTSTRUCT* LPPAINTSTRUCT;

// ---------------------------------------------------------------------------------------------------------------
// GDI objects.

class CGdiObject
{
  public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }
    // Fails (FALSE) while the object is selected into a device context; it is then freed when deselected.
    virtual BOOL DeleteObject();
    BOOL CreateStockObject(int index);
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    static CGdiObject* FromHandle(HGDIOBJ hObject); // the wrapper owned by the object, or null for a dead handle
};

class CFont : public CGdiObject
{
  public:
    ~CFont() override;
    BOOL CreateFontIndirect(const LOGFONT* lf);
    // Height in tenths of a point, at the screen's 96 pixels per inch.
    BOOL CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc = nullptr);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                    BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                    BYTE pitchAndFamily, LPCTSTR faceName);
    int GetLogFont(LOGFONT* lf) const;
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    static CFont* FromHandle(HFONT hFont); // a wrapper owned by the font record
};

class CPen : public CGdiObject
{
  public:
    CPen() = default;
    CPen(int penStyle, int width, COLORREF color);
    ~CPen() override;
    BOOL CreatePen(int penStyle, int width, COLORREF color);
    BOOL CreatePenIndirect(const LOGPEN* logPen);
    int GetLogPen(LOGPEN* logPen) const;
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    static CPen* FromHandle(HPEN hPen);
};

class CBrush : public CGdiObject
{
  public:
    CBrush() = default;
    explicit CBrush(COLORREF color);
    ~CBrush() override;
    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateSysColorBrush(int index);
    BOOL CreateBrushIndirect(const LOGBRUSH* logBrush);
    int GetLogBrush(LOGBRUSH* logBrush) const;
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    static CBrush* FromHandle(HBRUSH hBrush);
};

class CBitmap : public CGdiObject
{
  public:
    ~CBitmap() override;
    // Rows of `bits` are padded to 16 bits, as Win32's device-dependent bitmaps are; 1 bit per pixel (set bit =
    // white) or 32 (0x00RRGGBB). A zero-sized request gives a 1 x 1 monochrome bitmap, as Win32 does.
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    BOOL LoadBitmap(UINT idResource);     // a BITMAP resource of the resource chain
    BOOL LoadBitmap(LPCTSTR resourceName); // MAKEINTRESOURCE(id)
    int GetBitmap(BITMAP* bm) const;
    // Copies the bits in CreateBitmap's layout (rows padded to 16 bits); the number of bytes copied.
    DWORD GetBitmapBits(DWORD count, LPVOID bits) const;
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    static CBitmap* FromHandle(HBITMAP hBitmap);
};

class CRgn : public CGdiObject
{
  public:
    ~CRgn() override;
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(LPCRECT rect);
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
    void SetRectRgn(int x1, int y1, int x2, int y2);
    // Both sources must exist and this region too (create it first, as Win32 requires).
    int CombineRgn(const CRgn* src1, const CRgn* src2, int combineMode);
    int CopyRgn(const CRgn* src);
    BOOL EqualRgn(const CRgn* other) const;
    int OffsetRgn(int x, int y);
    int OffsetRgn(POINT point) { return OffsetRgn(point.x, point.y); }
    int GetRgnBox(LPRECT rect) const;
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
    BOOL RectInRegion(LPCRECT rect) const;
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
    static CRgn* FromHandle(HRGN hRgn);
};

// ---------------------------------------------------------------------------------------------------------------
// Device contexts. Coordinates are device pixels (MM_TEXT) of the window's client area or of the bitmap.

class CDC
{
  public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    static CDC* FromHandle(HDC hDC);
    BOOL Attach(HDC hDC);
    HDC Detach();

    // A memory device context; its surface is a 1 x 1 monochrome bitmap until a bitmap is selected.
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();
    CWnd* GetWindow() const;

    // Objects. SelectObject returns the object it replaced (null on failure or when that one was deleted).
    CGdiObject* SelectStockObject(int index);
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    int SelectObject(CRgn* rgn); // as SelectClipRgn
    CGdiObject* SelectObject(CGdiObject* object);
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    // Attributes.
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    int SetROP2(int drawMode);
    int GetROP2() const;
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const;
    int SaveDC();                 // the saved state's number (from 1), 0 on failure
    BOOL RestoreDC(int savedDC);  // a number from SaveDC, or -1 for the latest

    // Lines and shapes: the pen outlines, the brush fills. LineTo leaves out the end point.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    CPoint GetCurrentPosition() const;
    BOOL Polyline(const POINT* points, int count);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT rect);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT rect);
    void FillRect(LPCRECT rect, CBrush* brush);
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void InvertRect(LPCRECT rect);
    void DrawFocusRect(LPCRECT rect);
    BOOL FillRgn(CRgn* rgn, CBrush* brush);

    // Pixels.
    COLORREF SetPixel(int x, int y, COLORREF color); // the colour set, or (COLORREF)-1 outside the surface
    COLORREF SetPixel(POINT point, COLORREF color) { return SetPixel(point.x, point.y, color); }
    BOOL SetPixelV(int x, int y, COLORREF color);
    BOOL SetPixelV(POINT point, COLORREF color) { return SetPixelV(point.x, point.y, color); }
    COLORREF GetPixel(int x, int y) const; // CLR_INVALID outside the surface or the clipping region
    COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }

    // Block transfers with a ternary raster operation (SRCCOPY, SRCINVERT, PATINVERT, DSTINVERT ...).
    BOOL BitBlt(int x, int y, int width, int height, CDC* srcDC, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* srcDC, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);

    // Text. Bytes are read in the code page of the selected font's character set (ANSI and DEFAULT: the ANSI code
    // page; SHIFTJIS: 932; GB2312: 936; CHINESEBIG5: 950; HANGUL: 949).
    BOOL TextOut(int x, int y, LPCTSTR text, int count);
    BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text.c_str(), text.GetLength()); }
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, LPINT dxWidths = nullptr);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, LPINT dxWidths = nullptr)
    {
        return ExtTextOut(x, y, options, rect, text.c_str(), UINT(text.GetLength()), dxWidths);
    }
    int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format); // count -1: up to the terminating zero
    int DrawText(const CString& text, LPRECT rect, UINT format) { return DrawText(text.c_str(), text.GetLength(), rect, format); }
    CSize GetTextExtent(LPCTSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text.c_str(), text.GetLength()); }
    CSize GetOutputTextExtent(LPCTSTR text, int count) const { return GetTextExtent(text, count); }
    CSize GetOutputTextExtent(const CString& text) const { return GetTextExtent(text); }
    BOOL GetTextMetrics(LPTEXTMETRIC metrics) const;
    int GetTextFace(int count, LPTSTR faceName) const;

    // Clipping (device coordinates). Results are region types: NULLREGION, SIMPLEREGION, COMPLEXREGION, ERROR.
    int SelectClipRgn(CRgn* rgn); // null removes the clipping region
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT rect) { return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom); }
    int ExcludeClipRect(int x1, int y1, int x2, int y2);
    int ExcludeClipRect(LPCRECT rect) { return ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom); }
    int GetClipBox(LPRECT rect) const;
    BOOL PtVisible(int x, int y) const;
    BOOL PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
    BOOL RectVisible(LPCRECT rect) const;

    int GetDeviceCaps(int index) const;

    // Devices of this platform's drivers: "PNG", "SVG" and "PDF" write the file `output` when the document ends,
    // a picture of `mode`'s dmPelsWidth x dmPelsHeight (PDF without them: pages of the paper dmPaperSize, A4 by
    // default, in dmOrientation); "WINSPOOL" prints on the printer named `device` (null: the default one). Every
    // device counts 96 units to the inch, as the screen does, so what is drawn for the screen keeps its size.
    BOOL CreateDC(LPCTSTR driver, LPCTSTR device, LPCTSTR output, const DEVMODE* mode);
    // A document: StartDoc, then StartPage and EndPage around each page, then EndDoc (or AbortDoc, which writes
    // nothing). The results are SP_ERROR (or 0 for the page calls) on failure, e.g. a file that cannot be written.
    int StartDoc(LPDOCINFO info);
    int StartDoc(LPCTSTR docName);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();
    BOOL IsPrinting() const; // a document's DC: what only the screen shows (selection, focus) is left out
};

// Drawing in WM_PAINT: m_ps.rcPaint is the area to redraw, drawing is clipped to it and the window is validated.
class CPaintDC : public CDC
{
  public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

  protected:
    HWND m_hWnd = nullptr;
};

// Drawing on a window's client area at any time; what is drawn shows at once.
class CClientDC : public CDC
{
  public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

  protected:
    HWND m_hWnd = nullptr;
};

// The whole window; the platform's windows draw no frame of their own, so it is the client area.
class CWindowDC : public CDC
{
  public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

  protected:
    HWND m_hWnd = nullptr;
};

// Free functions of the same meaning.
HGDIOBJ GetStockObject(int index);
BOOL DeleteObject(HGDIOBJ hObject);
HDC GetDC(HWND hWnd);   // released with ReleaseDC
HDC GetWindowDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hDC);
HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT ps);
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* ps);
HBRUSH CreateSolidBrush(COLORREF color);
HPEN CreatePen(int penStyle, int width, COLORREF color);
HBRUSH GetSysColorBrush(int index);
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
