// Device-context drawing, read back as pixels: lines, shapes, text in the font's code page, blits, clipping,
// the window paint cycle, object lifetimes, and window-class registration.
#include "platform/testing/pdttest.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <memory>
#include <tuple>

#include "platform/gdi_p.h"
#include "platform/window_p.h"
#include "resources/testdlg.h"

using namespace pdt::test;

namespace
{

// A fixed-pitch font of the given character set.
void MakeFont(CFont& font, BYTE charset = ANSI_CHARSET, int height = -16, const char* face = "DejaVu Sans Mono")
{
    font.CreateFont(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset, 0, 0, 0, FIXED_PITCH | FF_MODERN, face);
}

struct Ink
{
    int count = 0;
    CRect box; // bounding box of the pixels that differ from the background
};

Ink InkIn(CDC& dc, const CRect& area, COLORREF background)
{
    Ink ink;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (dc.GetPixel(x, y) != background)
            {
                if (ink.count++ == 0)
                    ink.box = CRect(x, y, x + 1, y + 1);
                else
                    ink.box.UnionRect(ink.box, CRect(x, y, x + 1, y + 1));
            }
    return ink;
}

int CountColor(CDC& dc, const CRect& area, COLORREF color)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += dc.GetPixel(x, y) == color;
    return n;
}

// A memory DC with a white colour bitmap of its own.
class Canvas
{
  public:
    Canvas(int width, int height)
    {
        CClientDC screen(nullptr);
        dc.CreateCompatibleDC(&screen);
        bitmap.CreateCompatibleBitmap(&screen, width, height);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, kWhite);
        dc.SetBkColor(kWhite);
    }
    ~Canvas() { dc.SelectObject(old); }
    std::vector<COLORREF> Pixels(const CRect& r)
    {
        std::vector<COLORREF> out;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                out.push_back(dc.GetPixel(x, y));
        return out;
    }
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

// Bytes drawn at (2, 2) in a fixed-pitch font of the character set, transparent, black on white.
std::vector<COLORREF> DrawBytes(BYTE charset, const char* bytes, int count, CSize* extent = nullptr)
{
    Canvas c(64, 28);
    CFont font;
    MakeFont(font, charset);
    c.dc.SelectObject(&font);
    c.dc.SetBkMode(TRANSPARENT);
    EXPECT_TRUE(c.dc.TextOut(2, 2, bytes, count));
    if (extent)
        *extent = c.dc.GetTextExtent(bytes, count);
    c.dc.SelectStockObject(SYSTEM_FONT);
    return c.Pixels(CRect(0, 0, 64, 28));
}

// The same text drawn by the toolkit itself from Unicode, as a reference.
std::vector<COLORREF> DrawReference(const char* utf8)
{
    LOGFONT lf{};
    CFont font;
    MakeFont(font);
    font.GetLogFont(&lf);
    QFont qf = pdt::gdi::ToQFont(lf);
    QImage img(64, 28, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setFont(qf);
        p.setPen(Qt::black);
        p.drawText(QPoint(2, 2 + QFontMetrics(qf).ascent()), QString::fromUtf8(utf8));
    }
    std::vector<COLORREF> out;
    for (int y = 0; y < 28; ++y)
        for (int x = 0; x < 64; ++x)
        {
            QRgb c = img.pixel(x, y);
            out.push_back(RGB(BYTE(qRed(c)), BYTE(qGreen(c)), BYTE(qBlue(c))));
        }
    return out;
}

int InkCount(const std::vector<COLORREF>& px)
{
    int n = 0;
    for (COLORREF c : px)
        n += c != kWhite;
    return n;
}

// ---------------------------------------------------------------------------------------------------------------
// Lines.

using Lines = PaintTest;

TEST_F(Lines, LineToLeavesOutItsEndPointInEveryDirection)
{
    CClientDC dc(&wnd);
    // From, to, and the pixels inked: the start point is drawn, the end point never.
    const std::tuple<CPoint, CPoint, CRect, int> cases[] = {
        {{10, 10}, {15, 10}, {10, 10, 15, 11}, 5},
        {{30, 5}, {30, 9}, {30, 5, 31, 9}, 4},
        {{40, 40}, {44, 44}, {40, 40, 44, 44}, 4},
        {{60, 20}, {55, 20}, {56, 20, 61, 21}, 5},
    };
    for (const auto& [from, to, box, count] : cases)
    {
        dc.FillSolidRect(0, 0, 100, 60, kWhite);
        dc.MoveTo(from);
        EXPECT_TRUE(dc.LineTo(to));
        EXPECT_EQ(dc.GetCurrentPosition(), to);
        Ink ink = InkIn(dc, CRect(0, 0, 100, 60), kWhite);
        EXPECT_EQ(ink.box, box) << to.x << "," << to.y;
        EXPECT_EQ(ink.count, count) << to.x << "," << to.y;
    }
}

TEST_F(Lines, PenWidthStyleTheNullPenAndAnXorPenDrawnTwiceLeavingNoTrace)
{
    CClientDC dc(&wnd);
    CPen thick(PS_SOLID, 3, kRed);
    CPen* old = dc.SelectObject(&thick);
    ASSERT_NE(old, nullptr);
    dc.MoveTo(20, 30);
    dc.LineTo(40, 30);
    // Three rows centred on the line.
    EXPECT_EQ(InkIn(dc, CRect(25, 25, 35, 35), kWhite).box, CRect(25, 29, 35, 32));

    CPen none(PS_NULL, 1, kRed);
    dc.SelectObject(&none);
    dc.MoveTo(20, 50);
    dc.LineTo(40, 50);
    EXPECT_EQ(InkIn(dc, CRect(15, 45, 45, 55), kWhite).count, 0);

    CPen zero(PS_SOLID, 0, kBlue); // width 0 is one pixel
    dc.SelectObject(&zero);
    dc.MoveTo(20, 70);
    dc.LineTo(40, 70);
    EXPECT_EQ(dc.GetPixel(30, 70), kBlue);
    EXPECT_EQ(InkIn(dc, CRect(25, 65, 35, 75), kWhite).box, CRect(25, 70, 35, 71));

    // Dots: three on, three off; the gaps take the background colour only in opaque mode.
    CPen dots(PS_DOT, 1, kBlue);
    dc.SelectObject(&dots);
    dc.SetBkMode(TRANSPARENT);
    dc.MoveTo(0, 90);
    dc.LineTo(30, 90);
    EXPECT_EQ(dc.GetPixel(0, 90), kBlue);
    EXPECT_EQ(InkIn(dc, CRect(0, 88, 6, 92), kWhite).box, CRect(0, 90, 3, 91));
    EXPECT_EQ(dc.GetPixel(6, 90), kBlue);
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(kGreen);
    dc.MoveTo(0, 95);
    dc.LineTo(30, 95);
    EXPECT_EQ(dc.GetPixel(1, 95), kBlue);
    EXPECT_EQ(dc.GetPixel(4, 95), kGreen);

    dc.FillSolidRect(0, 0, 50, 10, kRed);
    CPen white(PS_SOLID, 1, kWhite);
    dc.SelectObject(&white);
    EXPECT_EQ(dc.SetROP2(R2_XORPEN), R2_COPYPEN);
    dc.MoveTo(0, 5);
    dc.LineTo(40, 5);
    EXPECT_EQ(dc.GetPixel(10, 5), RGB(0, 255, 255)); // red xor white
    dc.MoveTo(0, 5);
    dc.LineTo(40, 5);
    EXPECT_EQ(dc.GetPixel(10, 5), kRed);
    dc.SelectObject(old);
}

// ---------------------------------------------------------------------------------------------------------------
// Shapes.

using Shapes = PaintTest;

TEST_F(Shapes, FillRectCoversExactlyItsRectangle)
{
    CClientDC dc(&wnd);
    CBrush red(kRed);
    CRect r(10, 20, 15, 23);
    dc.FillRect(&r, &red);
    for (int y = 18; y < 26; ++y)
        for (int x = 8; x < 18; ++x)
            EXPECT_EQ(dc.GetPixel(x, y), r.PtInRect(CPoint(x, y)) ? kRed : kWhite) << x << "," << y;

    CRect backwards(40, 20, 30, 30); // right before left: nothing
    dc.FillRect(&backwards, &red);
    EXPECT_EQ(InkIn(dc, CRect(28, 18, 42, 32), kWhite).count, 0);

    // MFC fills a solid rectangle through the background colour, which stays set.
    dc.FillSolidRect(CRect(50, 50, 52, 52), kBlue);
    EXPECT_EQ(dc.GetPixel(51, 51), kBlue);
    EXPECT_EQ(dc.GetPixel(52, 51), kWhite);
    EXPECT_EQ(dc.GetBkColor(), kBlue);
}

TEST_F(Shapes, RectangleFramesWithThePenAndFillsWithTheBrush)
{
    CClientDC dc(&wnd);
    CBrush red(kRed);
    dc.SelectObject(&red);
    EXPECT_TRUE(dc.Rectangle(10, 10, 20, 16));
    EXPECT_EQ(dc.GetPixel(10, 10), kBlack);
    EXPECT_EQ(dc.GetPixel(19, 15), kBlack);
    EXPECT_EQ(dc.GetPixel(15, 13), kRed);
    EXPECT_EQ(dc.GetPixel(20, 13), kWhite);
    EXPECT_EQ(dc.GetPixel(15, 16), kWhite);

    // Without a pen the filled area is a pixel smaller on the right and at the bottom.
    dc.SelectStockObject(NULL_PEN);
    dc.Rectangle(30, 10, 40, 16);
    EXPECT_EQ(dc.GetPixel(30, 10), kRed);
    EXPECT_EQ(dc.GetPixel(38, 14), kRed);
    EXPECT_EQ(dc.GetPixel(39, 14), kWhite);
    EXPECT_EQ(dc.GetPixel(38, 15), kWhite);

    dc.SelectStockObject(BLACK_PEN);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(50, 10, 60, 16);
    EXPECT_EQ(dc.GetPixel(50, 12), kBlack);
    EXPECT_EQ(dc.GetPixel(55, 12), kWhite);
}

TEST_F(Shapes, InvertAndFocusRectanglesUndoThemselvesAndAnEllipseStaysInsideItsBoundingBox)
{
    CClientDC dc(&wnd);
    CRect r(5, 5, 25, 15);
    dc.InvertRect(&r);
    EXPECT_EQ(dc.GetPixel(10, 10), kBlack);
    dc.InvertRect(&r);
    EXPECT_EQ(dc.GetPixel(10, 10), kWhite);
    dc.DrawFocusRect(&r);
    Ink focus = InkIn(dc, CRect(0, 0, 30, 20), kWhite);
    EXPECT_GT(focus.count, 0);
    EXPECT_EQ(focus.box, r);
    dc.DrawFocusRect(&r);
    EXPECT_EQ(InkIn(dc, CRect(0, 0, 30, 20), kWhite).count, 0);

    CBrush red(kRed);
    dc.SelectObject(&red);
    EXPECT_TRUE(dc.Ellipse(10, 10, 30, 24));
    EXPECT_EQ(dc.GetPixel(20, 17), kRed);
    EXPECT_EQ(dc.GetPixel(10, 10), kWhite);
    Ink ink = InkIn(dc, CRect(0, 0, 40, 34), kWhite);
    EXPECT_EQ(ink.box, CRect(10, 10, 30, 24));
    dc.SelectStockObject(WHITE_BRUSH);
}

// ---------------------------------------------------------------------------------------------------------------
// Text.

using Text = PaintTest;

TEST_F(Text, OpaqueTextFillsItsCellTransparentTextDoesNot)
{
    CClientDC dc(&wnd);
    CFont font;
    MakeFont(font);
    dc.SelectObject(&font);
    dc.SetTextColor(kBlue);
    dc.SetBkColor(kGreen);
    CSize ext = dc.GetTextExtent("H ", 2);
    ASSERT_GT(ext.cx, 0);
    ASSERT_GT(ext.cy, 0);

    EXPECT_EQ(dc.SetBkMode(OPAQUE), OPAQUE);
    EXPECT_TRUE(dc.TextOut(10, 10, "H ", 2));
    CRect cell(10, 10, 10 + ext.cx, 10 + ext.cy);
    EXPECT_GT(CountColor(dc, cell, kBlue), 0) << "the glyph in the text colour";
    EXPECT_EQ(dc.GetPixel(cell.right - 1, cell.bottom - 1), kGreen);
    EXPECT_EQ(dc.GetPixel(cell.left, cell.top), kGreen);
    EXPECT_EQ(dc.GetPixel(cell.right, cell.top), kWhite);
    EXPECT_EQ(dc.GetPixel(cell.left, cell.bottom), kWhite);

    EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
    dc.TextOut(10, 50, "H ", 2);
    CRect cell2(10, 50, 10 + ext.cx, 50 + ext.cy);
    EXPECT_EQ(CountColor(dc, cell2, kGreen), 0);
    EXPECT_GT(CountColor(dc, cell2, kBlue), 0);
    EXPECT_EQ(dc.GetPixel(cell2.right - 1, cell2.bottom - 1), kWhite);
}

TEST_F(Text, TheExtentOfAFixedPitchFontMatchesWhatIsDrawn)
{
    CClientDC dc(&wnd);
    CFont font;
    MakeFont(font);
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    CSize one = dc.GetTextExtent("W", 1), four = dc.GetTextExtent(CString("WWWW"));
    TEXTMETRIC tm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(four.cx, 4 * one.cx);
    EXPECT_EQ(one.cy, tm.tmHeight);
    EXPECT_EQ(tm.tmAveCharWidth, one.cx);
    EXPECT_EQ(dc.GetTextExtent("", 0), CSize(0, tm.tmHeight));

    dc.TextOut(10, 10, "WWWW", 4);
    Ink ink = InkIn(dc, CRect(0, 0, 120, 60), kWhite);
    ASSERT_GT(ink.count, 0);
    EXPECT_GE(ink.box.left, 9);
    EXPECT_LE(ink.box.right, 10 + four.cx + 1);
    EXPECT_GT(ink.box.right, 10 + 3 * one.cx) << "the last W is in its own cell";
    EXPECT_GE(ink.box.top, 10);
    EXPECT_LE(ink.box.bottom, 10 + one.cy);

    // TA_UPDATECP draws at the current position and moves it on by the extent.
    dc.SetTextAlign(TA_UPDATECP);
    dc.MoveTo(10, 70);
    dc.TextOut(0, 0, "WW", 2);
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(10 + 2 * one.cx, 70));
    EXPECT_GT(InkIn(dc, CRect(10, 70, 10 + 2 * one.cx, 70 + one.cy), kWhite).count, 0);
    dc.SetTextAlign(TA_TOP | TA_LEFT);
}

TEST(TextBytes, AreReadInTheCodePageOfTheFontsCharacterSetAndAnsiOnesAsWindows1252)
{
    // Greek alpha in Shift-JIS, GBK and Big5 (whose second byte is a backslash), and in Unicode.
    CSize sjisExtent, ansiExtent, oneExtent;
    std::vector<COLORREF> sjis = DrawBytes(SHIFTJIS_CHARSET, "\x83\xBF", 2, &sjisExtent);
    std::vector<COLORREF> gbk = DrawBytes(GB2312_CHARSET, "\xA6\xC1", 2);
    std::vector<COLORREF> big5 = DrawBytes(CHINESEBIG5_CHARSET, "\xA3\x5C", 2);
    std::vector<COLORREF> beta = DrawBytes(SHIFTJIS_CHARSET, "\x83\xC0", 2);
    std::vector<COLORREF> ansi = DrawBytes(ANSI_CHARSET, "\x83\xBF", 2, &ansiExtent);
    DrawBytes(ANSI_CHARSET, "x", 1, &oneExtent);
    std::vector<COLORREF> reference = DrawReference("\xCE\xB1"); // U+03B1
    EXPECT_GT(InkCount(sjis), 10);
    EXPECT_EQ(sjis, reference);
    EXPECT_EQ(gbk, reference);
    EXPECT_EQ(big5, reference);
    EXPECT_NE(beta, reference);
    EXPECT_NE(ansi, reference) << "the same bytes in 1252 are two other characters";
    EXPECT_EQ(sjisExtent.cx, oneExtent.cx);
    EXPECT_EQ(ansiExtent.cx, 2 * oneExtent.cx);

    // ANSI bytes above ASCII draw their Windows-1252 characters.
    std::vector<COLORREF> pilcrow = DrawBytes(ANSI_CHARSET, "\xB6", 1);
    EXPECT_GT(InkCount(pilcrow), 5);
    EXPECT_EQ(pilcrow, DrawReference("\xC2\xB6"));   // U+00B6
    EXPECT_EQ(DrawBytes(ANSI_CHARSET, "\x80", 1), DrawReference("\xE2\x82\xAC")); // the euro sign
}

TEST_F(Text, ExtTextOutOpaquesItsRectangleAndClipsToItAndOddBytesAndBadArgumentsNeverFailHard)
{
    CClientDC dc(&wnd);
    CFont font;
    MakeFont(font);
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetBkColor(kGreen);
    CRect r(10, 10, 30, 40);
    EXPECT_TRUE(dc.ExtTextOut(12, 12, ETO_OPAQUE | ETO_CLIPPED, &r, CString("WWWWWWWW")));
    EXPECT_EQ(dc.GetPixel(29, 39), kGreen) << "opaqued even in transparent mode";
    EXPECT_GT(CountColor(dc, r, kBlack) + InkIn(dc, r, kGreen).count, 0);
    EXPECT_EQ(InkIn(dc, CRect(30, 0, 200, 60), kWhite).count, 0) << "clipped to the rectangle";

    // Per-character advances place each character.
    CSize one = dc.GetTextExtent("W", 1);
    int dx[3] = {one.cx + 10, one.cx + 10, one.cx};
    dc.ExtTextOut(10, 60, 0, nullptr, "WWW", 3, dx);
    Ink ink = InkIn(dc, CRect(0, 55, 200, 100), kWhite);
    EXPECT_GT(ink.box.right, 10 + 3 * one.cx + 15);

    // Odd bytes and bad arguments never fail hard.
    CFont sjis;
    MakeFont(sjis, SHIFTJIS_CHARSET);
    dc.SelectObject(&sjis);
    EXPECT_TRUE(dc.TextOut(5, 5, "\x83", 1)) << "a lead byte without its trail byte";
    EXPECT_TRUE(dc.TextOut(5, 25, "a\0b", 3));
    EXPECT_TRUE(dc.TextOut(5, 45, "", 0));
    EXPECT_FALSE(dc.TextOut(5, 5, nullptr, 3));
    EXPECT_FALSE(dc.TextOut(5, 5, "abc", -1));
    EXPECT_EQ(dc.GetTextExtent(nullptr, 2), CSize(0, 0));
    EXPECT_GT(dc.GetTextExtent("\x83", 1).cx, 0);
    EXPECT_FALSE(dc.ExtTextOut(0, 0, 0, nullptr, nullptr, 4));
}

TEST_F(Text, MetricsDescribeTheSelectedFont)
{
    CClientDC dc(&wnd);
    CFont fixed, variable, sjis;
    MakeFont(fixed);
    variable.CreateFont(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, VARIABLE_PITCH | FF_SWISS,
                        "DejaVu Sans");
    MakeFont(sjis, SHIFTJIS_CHARSET);
    TEXTMETRIC tm;

    dc.SelectObject(&fixed);
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - 16);
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "Win32's bit means variable pitch";
    EXPECT_EQ(tm.tmPitchAndFamily & 0xF0, FF_MODERN);
    EXPECT_EQ(tm.tmWeight, FW_NORMAL);
    EXPECT_EQ(tm.tmCharSet, ANSI_CHARSET);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    char face[LF_FACESIZE];
    EXPECT_GT(dc.GetTextFace(LF_FACESIZE, face), 0);
    EXPECT_STREQ(face, "DejaVu Sans Mono");

    dc.SelectObject(&variable);
    dc.GetTextMetrics(&tm);
    EXPECT_NE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
    EXPECT_EQ(tm.tmCharSet, ANSI_CHARSET) << "DEFAULT_CHARSET realises as the system's (1252)";
    EXPECT_NE(dc.GetTextExtent("i", 1).cx, dc.GetTextExtent("W", 1).cx);

    dc.SelectObject(&sjis);
    dc.GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmCharSet, SHIFTJIS_CHARSET);

    dc.SelectStockObject(SYSTEM_FONT);
}

// ---------------------------------------------------------------------------------------------------------------
// The window's paint cycle.

using WindowDrawing = PaintTest;

TEST_F(WindowDrawing, ClientDcDrawingOutsidePaintReachesTheScreen)
{
    EXPECT_EQ(ShownPixelAt(wnd, CPoint(10, 10)), kWhite);
    size_t paints = wnd.painted.size();
    {
        CClientDC dc(&wnd);
        CBrush red(kRed);
        CRect r(5, 5, 25, 25);
        dc.FillRect(&r, &red);
    }
    EXPECT_EQ(ShownPixelAt(wnd, CPoint(10, 10)), kRed);
    EXPECT_EQ(ShownPixelAt(wnd, CPoint(30, 30)), kWhite);
    EXPECT_EQ(PixelAt(wnd, CPoint(10, 10)), kRed);
    EXPECT_EQ(wnd.painted.size(), paints) << "no WM_PAINT was involved";

    // Through CWnd::GetDC as well.
    CDC* dc = wnd.GetDC();
    ASSERT_NE(dc, nullptr);
    dc->SetPixel(40, 40, kBlue);
    EXPECT_EQ(wnd.ReleaseDC(dc), 1);
    EXPECT_EQ(ShownPixelAt(wnd, CPoint(40, 40)), kBlue);
}

TEST_F(WindowDrawing, TheScreenShowsOnlyWhatThePeerWasAskedToRepaint)
{
    // Behind the DCs' back: the image changes but nobody asks the peer to show it.
    ASSERT_NE(wnd.m_hWnd->backing, nullptr);
    wnd.m_hWnd->backing->setPixel(60, 60, qRgb(255, 0, 0));
    EXPECT_EQ(PixelAt(wnd, CPoint(60, 60)), kRed);
    EXPECT_EQ(ShownPixelAt(wnd, CPoint(60, 60)), kWhite);
    Peer(wnd)->update();
    EXPECT_EQ(ShownPixelAt(wnd, CPoint(60, 60)), kRed);
}

TEST_F(WindowDrawing, PaintDcGetsTheInvalidRectDrawsOnlyThereAndValidates)
{
    wnd.onPaint = [](CPaintDC& dc) {
        CBrush blue(kBlue);
        CRect all(0, 0, 200, 120);
        dc.FillRect(&all, &blue);
    };
    wnd.painted.clear();
    wnd.InvalidateRect(CRect(10, 20, 30, 40), FALSE);
    CRect update;
    EXPECT_TRUE(wnd.GetUpdateRect(&update));
    EXPECT_EQ(update, CRect(10, 20, 30, 40));
    wnd.UpdateWindow();
    ASSERT_EQ(wnd.painted.size(), 1u);
    EXPECT_EQ(wnd.painted[0], CRect(10, 20, 30, 40));
    EXPECT_FALSE(wnd.GetUpdateRect(&update));
    EXPECT_EQ(PixelAt(wnd, CPoint(10, 20)), kBlue);
    EXPECT_EQ(PixelAt(wnd, CPoint(29, 39)), kBlue);
    EXPECT_EQ(PixelAt(wnd, CPoint(30, 39)), kWhite);
    EXPECT_EQ(PixelAt(wnd, CPoint(5, 5)), kWhite);
    EXPECT_EQ(ShownPixelAt(wnd, CPoint(15, 25)), kBlue);
    EXPECT_EQ(wnd.painted.size(), 1u) << "reading pixels paints nothing more";

    // Two invalid areas are painted together in one WM_PAINT.
    wnd.InvalidateRect(CRect(0, 0, 5, 5), FALSE);
    wnd.InvalidateRect(CRect(50, 50, 60, 60), FALSE);
    Pump();
    ASSERT_EQ(wnd.painted.size(), 2u);
    EXPECT_EQ(wnd.painted[1], CRect(0, 0, 60, 60));
}

TEST_F(WindowDrawing, AnErasingInvalidateFillsTheClassBackgroundFirst)
{
    {
        CClientDC dc(&wnd);
        dc.FillSolidRect(0, 0, 200, 120, kRed);
    }
    wnd.Invalidate(FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(PixelAt(wnd, CPoint(50, 50)), kRed) << "no erase asked for";
    wnd.Invalidate(TRUE);
    wnd.UpdateWindow();
    EXPECT_EQ(PixelAt(wnd, CPoint(50, 50)), kWhite) << "erased with the class's white brush";
}

TEST_F(WindowDrawing, DeadWindowsAndEmptyDcsDrawNothingAndDoNotFail)
{
    CDC none;
    CPen pen(PS_SOLID, 1, kRed);
    CBrush brush(kRed);
    CRect r(0, 0, 5, 5);
    EXPECT_EQ(none.GetSafeHdc(), nullptr);
    EXPECT_FALSE(none.LineTo(3, 3));
    EXPECT_FALSE(none.TextOut(0, 0, "x", 1));
    EXPECT_EQ(none.SelectObject(&pen), nullptr);
    EXPECT_EQ(none.GetPixel(0, 0), CLR_INVALID);
    EXPECT_EQ(none.GetTextExtent("x", 1), CSize(0, 0));
    none.FillRect(&r, &brush);
    none.FillSolidRect(&r, kRed);
    EXPECT_FALSE(none.BitBlt(0, 0, 5, 5, nullptr, 0, 0, SRCCOPY));
    EXPECT_EQ(none.SaveDC(), 0);

    CWnd never;
    CClientDC nowhere(&never); // the screen: measures, draws where nobody sees
    EXPECT_NE(nowhere.GetSafeHdc(), nullptr);
    EXPECT_TRUE(nowhere.LineTo(5, 5));

    CClientDC dc(&wnd);
    wnd.DestroyWindow();
    Pump();
    EXPECT_FALSE(dc.LineTo(5, 5));
    EXPECT_EQ(dc.GetPixel(1, 1), CLR_INVALID);
    CPaintDC late(&wnd);
    EXPECT_EQ(late.GetSafeHdc(), nullptr);
}

// ---------------------------------------------------------------------------------------------------------------
// Objects.

TEST(GdiObjects, SelectObjectReturnsWhatItReplacedAndRefusesDeadObjects)
{
    Canvas c(10, 10);
    CPen a(PS_SOLID, 1, kRed), b(PS_SOLID, 1, kBlue);
    CPen* first = c.dc.SelectObject(&a);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->m_hObject, GetStockObject(BLACK_PEN));
    CPen* second = c.dc.SelectObject(&b);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->m_hObject, a.m_hObject);
    EXPECT_EQ(c.dc.GetCurrentPen()->m_hObject, b.m_hObject);

    CPen never;
    EXPECT_EQ(c.dc.SelectObject(&never), nullptr);
    CPen gone(PS_SOLID, 1, kGreen);
    EXPECT_TRUE(gone.DeleteObject());
    EXPECT_EQ(c.dc.SelectObject(&gone), nullptr);
    EXPECT_EQ(c.dc.GetCurrentPen()->m_hObject, b.m_hObject) << "a refused selection changes nothing";

    CGdiObject* brush = c.dc.SelectStockObject(BLACK_BRUSH);
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(brush->m_hObject, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(c.dc.SelectStockObject(9999), nullptr);
    c.dc.SelectStockObject(BLACK_PEN);
}

TEST(GdiObjects, AnObjectDeletedWhileSelectedLastsUntilItIsDeselected)
{
    Canvas c(20, 10);
    auto pen = std::make_unique<CPen>(PS_SOLID, 1, kRed);
    HGDIOBJ h = pen->GetSafeHandle();
    c.dc.SelectObject(pen.get());
    EXPECT_FALSE(::DeleteObject(h)) << "Win32 refuses to delete a selected object";
    pen.reset(); // its destructor deletes it too
    EXPECT_EQ(CGdiObject::FromHandle(h), nullptr) << "the handle is gone for everyone else";
    c.dc.MoveTo(0, 5);
    c.dc.LineTo(10, 5);
    EXPECT_EQ(c.dc.GetPixel(5, 5), kRed) << "the DC still draws with it";
    EXPECT_EQ(c.dc.SelectStockObject(BLACK_PEN), nullptr) << "what it replaced no longer exists";
    c.dc.MoveTo(0, 6);
    c.dc.LineTo(10, 6);
    EXPECT_EQ(c.dc.GetPixel(5, 6), kBlack);

    // Stock objects survive deletion.
    EXPECT_TRUE(::DeleteObject(GetStockObject(BLACK_PEN)));
    EXPECT_NE(CGdiObject::FromHandle(GetStockObject(BLACK_PEN)), nullptr);
    CFont font;
    MakeFont(font);
    EXPECT_EQ(CFont::FromHandle(font)->m_hObject, font.m_hObject);
    EXPECT_EQ(CPen::FromHandle(static_cast<HPEN>(font.GetSafeHandle())), nullptr) << "a font is not a pen";
}

TEST(GdiObjects, SaveDcAndRestoreDcBringBackTheState)
{
    Canvas c(20, 20);
    CPen red(PS_SOLID, 1, kRed);
    c.dc.SetTextColor(kBlue);
    int saved = c.dc.SaveDC();
    EXPECT_EQ(saved, 1);
    c.dc.SelectObject(&red);
    c.dc.SetTextColor(kGreen);
    c.dc.IntersectClipRect(0, 0, 5, 5);
    EXPECT_EQ(c.dc.SaveDC(), 2);
    c.dc.SetBkMode(TRANSPARENT);
    EXPECT_TRUE(c.dc.RestoreDC(-1));
    EXPECT_EQ(c.dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(c.dc.GetTextColor(), kGreen);
    EXPECT_TRUE(c.dc.RestoreDC(saved));
    EXPECT_EQ(c.dc.GetTextColor(), kBlue);
    EXPECT_EQ(c.dc.GetCurrentPen()->m_hObject, GetStockObject(BLACK_PEN));
    c.dc.MoveTo(0, 10);
    c.dc.LineTo(15, 10);
    EXPECT_EQ(c.dc.GetPixel(10, 10), kBlack) << "the clipping went with the restore";
    EXPECT_FALSE(c.dc.RestoreDC(1)) << "that state was used up";
}

// ---------------------------------------------------------------------------------------------------------------
// Clipping and regions.

using Clipping = PaintTest;

TEST_F(Clipping, ClipRectanglesAndRegionsLimitDrawing)
{
    CClientDC dc(&wnd);
    EXPECT_EQ(dc.IntersectClipRect(10, 10, 20, 20), SIMPLEREGION);
    CRect box;
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(10, 10, 20, 20));
    EXPECT_TRUE(dc.PtVisible(15, 15));
    EXPECT_FALSE(dc.PtVisible(25, 25));
    dc.FillSolidRect(0, 0, 100, 100, kRed);
    EXPECT_EQ(PixelAt(wnd, CPoint(15, 15)), kRed);
    EXPECT_EQ(PixelAt(wnd, CPoint(25, 25)), kWhite);

    EXPECT_EQ(dc.SelectClipRgn(nullptr), SIMPLEREGION);
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(0, 0, 200, 120));

    CRgn outer, hole, ring, both;
    outer.CreateRectRgn(30, 30, 60, 60);
    hole.CreateRectRgnIndirect(CRect(40, 40, 50, 50));
    ring.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ring.CombineRgn(&outer, &hole, RGN_DIFF), COMPLEXREGION);
    EXPECT_TRUE(ring.PtInRegion(35, 35));
    EXPECT_FALSE(ring.PtInRegion(45, 45));
    EXPECT_FALSE(ring.PtInRegion(60, 35)) << "right edge excluded";
    both.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(both.CombineRgn(&outer, &hole, RGN_AND), SIMPLEREGION);
    EXPECT_TRUE(both.EqualRgn(&hole));
    EXPECT_EQ(both.CombineRgn(&hole, &ring, RGN_OR), SIMPLEREGION);
    EXPECT_TRUE(both.EqualRgn(&outer));
    CRgn never;
    EXPECT_EQ(never.CombineRgn(&outer, &hole, RGN_OR), ERROR) << "the destination must exist";

    EXPECT_EQ(dc.SelectClipRgn(&ring), COMPLEXREGION);
    ring.SetRectRgn(0, 0, 200, 120); // the DC keeps its own copy
    dc.FillSolidRect(0, 0, 200, 120, kGreen);
    EXPECT_EQ(PixelAt(wnd, CPoint(35, 35)), kGreen);
    EXPECT_EQ(PixelAt(wnd, CPoint(45, 45)), kWhite);
    EXPECT_EQ(PixelAt(wnd, CPoint(70, 70)), kWhite);
    EXPECT_EQ(dc.GetPixel(45, 45), CLR_INVALID) << "outside the clipping region";

    dc.SelectClipRgn(nullptr);
    EXPECT_EQ(dc.ExcludeClipRect(0, 0, 100, 120), SIMPLEREGION);
    dc.FillSolidRect(0, 0, 200, 120, kBlue);
    EXPECT_EQ(PixelAt(wnd, CPoint(150, 50)), kBlue);
    EXPECT_EQ(PixelAt(wnd, CPoint(25, 100)), kWhite);
}

// ---------------------------------------------------------------------------------------------------------------
// Bitmaps and blits.

using Bitmaps = PaintTest;

TEST_F(Bitmaps, OffScreenDrawingIsBlittedOntoTheWindow)
{
    CClientDC client(&wnd);
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(&client));
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&client, 20, 10));
    BITMAP bm;
    ASSERT_EQ(bmp.GetBitmap(&bm), int(sizeof(BITMAP)));
    EXPECT_EQ(bm.bmBitsPixel, 32);
    CBitmap* old = mem.SelectObject(&bmp);
    ASSERT_NE(old, nullptr);
    mem.FillSolidRect(0, 0, 20, 10, kRed);
    EXPECT_EQ(mem.SetPixel(3, 3, kBlue), kBlue);
    EXPECT_EQ(mem.SetPixel(30, 3, kBlue), CLR_INVALID);

    EXPECT_TRUE(client.BitBlt(50, 50, 20, 10, &mem, 0, 0, SRCCOPY));
    EXPECT_EQ(PixelAt(wnd, CPoint(50, 50)), kRed);
    EXPECT_EQ(PixelAt(wnd, CPoint(53, 53)), kBlue);
    EXPECT_EQ(PixelAt(wnd, CPoint(70, 50)), kWhite);
    EXPECT_EQ(ShownPixelAt(wnd, CPoint(53, 53)), kBlue);

    // A source that runs off its bitmap leaves those destination pixels alone.
    client.BitBlt(100, 50, 20, 10, &mem, 10, 0, SRCCOPY);
    EXPECT_EQ(PixelAt(wnd, CPoint(105, 50)), kRed);
    EXPECT_EQ(PixelAt(wnd, CPoint(115, 50)), kWhite);

    // Xor twice restores; DSTINVERT and PATINVERT need no source.
    client.BitBlt(50, 50, 20, 10, &mem, 0, 0, SRCINVERT);
    EXPECT_EQ(PixelAt(wnd, CPoint(50, 50)), kBlack);
    client.BitBlt(50, 50, 20, 10, &mem, 0, 0, SRCINVERT);
    EXPECT_EQ(PixelAt(wnd, CPoint(50, 50)), kRed);
    EXPECT_TRUE(client.PatBlt(0, 0, 10, 10, DSTINVERT));
    EXPECT_EQ(PixelAt(wnd, CPoint(5, 5)), kBlack);
    CBrush red(kRed);
    client.SelectObject(&red);
    EXPECT_TRUE(client.PatBlt(0, 20, 10, 10, PATINVERT));
    EXPECT_EQ(PixelAt(wnd, CPoint(5, 25)), RGB(0, 255, 255));
    EXPECT_TRUE(client.PatBlt(0, 40, 10, 10, PATCOPY));
    EXPECT_EQ(PixelAt(wnd, CPoint(5, 45)), kRed);
    EXPECT_FALSE(client.PatBlt(0, 0, 10, 10, SRCCOPY)) << "PatBlt has no source";
    EXPECT_FALSE(client.BitBlt(0, 0, 10, 10, nullptr, 0, 0, SRCCOPY));
    client.SelectStockObject(WHITE_BRUSH);

    // Stretched by two.
    client.StretchBlt(100, 80, 40, 20, &mem, 0, 0, 20, 10, SRCCOPY);
    EXPECT_EQ(PixelAt(wnd, CPoint(107, 87)), kBlue);
    EXPECT_EQ(PixelAt(wnd, CPoint(108, 88)), kRed);

    CBitmap other;
    other.CreateCompatibleBitmap(&client, 5, 5);
    CDC second;
    second.CreateCompatibleDC(&client);
    EXPECT_EQ(second.SelectObject(&bmp), nullptr) << "a bitmap is in one DC at a time";
    EXPECT_EQ(client.SelectObject(&other), nullptr) << "only memory DCs take bitmaps";
    mem.SelectObject(old);
    EXPECT_NE(second.SelectObject(&bmp), nullptr);
}

TEST_F(Bitmaps, MonochromeBitmapsTakeTheDestinationsColours)
{
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap compatible;
    compatible.CreateCompatibleBitmap(&mem, 8, 8);
    BITMAP bm;
    compatible.GetBitmap(&bm);
    EXPECT_EQ(bm.bmBitsPixel, 1) << "compatible with a fresh memory DC means monochrome, as in Win32";

    const unsigned char bits[] = {0xF0, 0x00, 0x0F, 0x00}; // rows padded to 16 bits; set bits are white
    CBitmap mono;
    ASSERT_TRUE(mono.CreateBitmap(8, 2, 1, 1, bits));
    CBitmap* old = mem.SelectObject(&mono);
    EXPECT_EQ(mem.GetPixel(0, 0), kWhite);
    EXPECT_EQ(mem.GetPixel(4, 0), kBlack);
    EXPECT_EQ(mem.GetPixel(4, 1), kWhite);

    CClientDC client(&wnd);
    client.SetTextColor(kRed);
    client.SetBkColor(kBlue);
    client.BitBlt(10, 10, 8, 2, &mem, 0, 0, SRCCOPY);
    EXPECT_EQ(PixelAt(wnd, CPoint(10, 10)), kBlue);
    EXPECT_EQ(PixelAt(wnd, CPoint(14, 10)), kRed);

    // Colours drawn on a monochrome bitmap become black or white.
    mem.FillSolidRect(0, 0, 8, 2, RGB(200, 200, 0));
    EXPECT_EQ(mem.GetPixel(1, 1), kWhite);
    mem.FillSolidRect(0, 0, 8, 2, RGB(100, 0, 0));
    EXPECT_EQ(mem.GetPixel(1, 1), kBlack);

    // And colour to monochrome: the source's background colour becomes white.
    client.FillSolidRect(60, 10, 8, 2, kGreen);
    client.SetPixel(61, 10, kRed);
    client.SetBkColor(kGreen);
    mem.BitBlt(0, 0, 8, 2, &client, 60, 10, SRCCOPY);
    EXPECT_EQ(mem.GetPixel(0, 0), kWhite);
    EXPECT_EQ(mem.GetPixel(1, 0), kBlack);
    mem.SelectObject(old);
}

TEST(BitmapObjects, LoadBitmapReadsTheResourceChain)
{
    CBitmap b;
    ASSERT_TRUE(b.LoadBitmap(IDB_GDI4X2));
    BITMAP bm;
    b.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 4);
    EXPECT_EQ(bm.bmHeight, 2);
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap* old = mem.SelectObject(&b);
    EXPECT_EQ(mem.GetPixel(0, 0), kRed);
    EXPECT_EQ(mem.GetPixel(2, 0), kBlue);
    EXPECT_EQ(mem.GetPixel(1, 1), RGB(10, 20, 30));
    EXPECT_EQ(mem.GetPixel(3, 1), RGB(255, 0, 255));
    mem.SelectObject(old);
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(4711));
    EXPECT_FALSE(b.LoadBitmap(IDB_GDI4X2)) << "already holds a bitmap";
}

TEST(BitmapObjects, ZeroSizedAndUnsupportedBitmaps)
{
    CBitmap empty;
    ASSERT_TRUE(empty.CreateBitmap(0, 0, 1, 1, nullptr));
    BITMAP bm;
    empty.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmHeight, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    CBitmap eight;
    EXPECT_FALSE(eight.CreateBitmap(4, 4, 1, 8, nullptr));
    CBitmap negative;
    EXPECT_FALSE(negative.CreateBitmap(-4, 4, 1, 32, nullptr));
    EXPECT_FALSE(negative.CreateCompatibleBitmap(nullptr, 4, 4));
    EXPECT_EQ(negative.GetBitmap(&bm), 0);
}

// ---------------------------------------------------------------------------------------------------------------
// Window classes.

LRESULT OtherProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) { return ::DefWindowProc(h, message, wParam, lParam); }

TEST(WindowClasses, RegisteringAgainWorksOnlyWithTheSameProcedure)
{
    WNDCLASS wc{};
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.lpszClassName = "PdtGdiClassTest";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(kRed);
    EXPECT_NE(wc.hCursor, nullptr);
    EXPECT_TRUE(AfxRegisterClass(&wc));
    EXPECT_TRUE(AfxRegisterClass(&wc)) << "the same class again is harmless";
    WNDCLASS known{};
    EXPECT_TRUE(GetClassInfo(AfxGetInstanceHandle(), "pdtgdiclasstest", &known));
    EXPECT_EQ(known.style, UINT(CS_SAVEBITS));
    wc.lpfnWndProc = OtherProc;
    EXPECT_FALSE(AfxRegisterClass(&wc)) << "a different procedure under a taken name";
    wc.lpszClassName = "Edit";
    EXPECT_FALSE(AfxRegisterClass(&wc)) << "system classes cannot be replaced";
    EXPECT_THROW(AfxThrowResourceException(), CResourceException);

    // The class brush erases windows of the class.
    CWnd w;
    ASSERT_TRUE(w.CreateEx(0, "PdtGdiClassTest", "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 30, 30), nullptr, 0));
    w.UpdateWindow();
    EXPECT_EQ(PixelAt(w, CPoint(10, 10)), kRed);
    w.DestroyWindow();
}

} // namespace
