// Document device contexts: files written whole or not at all, and the ones refused.
#include "platform/testing/pdttest.h"

#include <fstream>

#include "platform/gdi_p.h"

using namespace pdt::test;

namespace
{

std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A scene of everything a flowchart draws: a framed box, a wide frame, a dotted line, a polyline and text.
void DrawScene(CDC& dc)
{
    dc.FillSolidRect(0, 0, 120, 60, RGB(255, 255, 255));
    CBrush fill(RGB(128, 255, 128));
    CPen dotted(PS_DOT, 1, RGB(128, 128, 128)), wide(PS_INSIDEFRAME, 3, RGB(255, 0, 0));
    dc.SelectObject(&fill);
    dc.Rectangle(10, 10, 70, 40);
    dc.SelectObject(&wide);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(11, 11, 69, 39);
    dc.SelectObject(&dotted);
    dc.MoveTo(70, 25);
    dc.LineTo(110, 50);
    dc.SelectStockObject(BLACK_PEN);
    POINT arrow[] = {{100, 5}, {110, 10}, {100, 15}};
    dc.Polyline(arrow, 3);
    dc.SetBkMode(TRANSPARENT);
    CRect text(10, 10, 70, 40);
    dc.DrawText("Node", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc.SelectStockObject(WHITE_BRUSH);
}

DEVMODE Picture(int width, int height)
{
    DEVMODE mode;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = DWORD(width);
    mode.dmPelsHeight = DWORD(height);
    return mode;
}

} // namespace

TEST(Documents, AFileIsWrittenWholeOrNotAtAll)
{
    std::string path = TempDir() + "/kept.svg";
    std::ofstream(path) << "older";
    DEVMODE mode = Picture(50, 50);
    for (int way = 0; way < 3; ++way)
    {
        SCOPED_TRACE(way);
        CDC dc;
        ASSERT_TRUE(dc.CreateDC("SVG", nullptr, path.c_str(), &mode));
        ASSERT_EQ(dc.StartDoc("kept"), 1);
        ASSERT_EQ(dc.StartPage(), 1);
        DrawScene(dc);
        if (way == 0)
            EXPECT_EQ(dc.AbortDoc(), 1);
        else if (way == 1)
            EXPECT_EQ(dc.EndDoc(), SP_ERROR) << "a page is still open";
        // way 2: the DC goes away mid-document
    }
    EXPECT_EQ(Read(path), "older");

    struct Refused
    {
        const char* driver;
        const char* output;
        bool sized;
    } const refused[] = {{"EMF", "x.emf", true}, {"PNG", nullptr, true}, {"PNG", "x.png", false}, {"SVG", "", true}};
    for (const Refused& r : refused)
    {
        SCOPED_TRACE(r.driver);
        CDC dc;
        DEVMODE noSize;
        EXPECT_FALSE(dc.CreateDC(r.driver, nullptr, r.output, r.sized ? &mode : &noSize));
        EXPECT_EQ(dc.StartDoc("x"), SP_ERROR);
    }
    CDC intoFolder;
    ASSERT_TRUE(intoFolder.CreateDC("PDF", nullptr, TempDir().c_str(), nullptr));
    EXPECT_EQ(intoFolder.StartDoc("x"), SP_ERROR) << "a folder cannot be written as a file";
}
