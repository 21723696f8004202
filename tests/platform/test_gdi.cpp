// Device-context drawing, read back as pixels: lines, text and object lifetimes.
#include "platform/testing/pdttest.h"

#include <memory>
#include <tuple>

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
// Objects.

using GdiObjects = PaintTest;

TEST_F(GdiObjects, AnObjectDeletedWhileSelectedLastsUntilItIsDeselected)
{
    CClientDC dc(&wnd);
    auto pen = std::make_unique<CPen>(PS_SOLID, 1, kRed);
    HGDIOBJ h = pen->GetSafeHandle();
    dc.SelectObject(pen.get());
    EXPECT_FALSE(::DeleteObject(h)) << "Win32 refuses to delete a selected object";
    pen.reset(); // its destructor deletes it too
    EXPECT_EQ(CGdiObject::FromHandle(h), nullptr) << "the handle is gone for everyone else";
    dc.MoveTo(0, 5);
    dc.LineTo(10, 5);
    EXPECT_EQ(dc.GetPixel(5, 5), kRed) << "the DC still draws with it";
    EXPECT_EQ(dc.SelectStockObject(BLACK_PEN), nullptr) << "what it replaced no longer exists";
    dc.MoveTo(0, 6);
    dc.LineTo(10, 6);
    EXPECT_EQ(dc.GetPixel(5, 6), kBlack);

    // Stock objects survive deletion.
    EXPECT_TRUE(::DeleteObject(GetStockObject(BLACK_PEN)));
    EXPECT_NE(CGdiObject::FromHandle(GetStockObject(BLACK_PEN)), nullptr);
    CFont font;
    MakeFont(font);
    EXPECT_EQ(CFont::FromHandle(font)->m_hObject, font.m_hObject);
    EXPECT_EQ(CPen::FromHandle(static_cast<HPEN>(font.GetSafeHandle())), nullptr) << "a font is not a pen";
}

} // namespace
