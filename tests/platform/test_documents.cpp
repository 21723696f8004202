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
        dc.Rectangle(10, 10, 70, 40);
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
