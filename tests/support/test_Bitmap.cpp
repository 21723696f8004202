// Reading .bmp files: every pixel format the resources may hold, and damaged files.
#include "support/Bitmap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support_harness.h"

using namespace pdt::test;
using pdt::support::DecodeBmp;
using pdt::support::DecodedBitmap;

namespace
{

// A recognisable pattern: each pixel's colour tells where it is.
COLORREF Pattern(int x, int y)
{
    return RGB(BYTE(x * 40), BYTE(y * 50), BYTE(200 - x * 10 - y));
}

void ExpectPattern(const DecodedBitmap& bmp, int w, int h)
{
    ASSERT_EQ(bmp.width, w);
    ASSERT_EQ(bmp.height, h);
    ASSERT_EQ(bmp.pixels.size(), size_t(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            EXPECT_EQ(bmp.At(x, y), Pattern(x, y)) << "at " << x << "," << y;
}

} // namespace

TEST(Bitmap, TrueColourRowsBottomUpAndTopDownWithPadding)
{
    // 5 pixels of 3 bytes need a byte of padding per row; a wrong stride shears the picture.
    for (bool topDown : {false, true})
    {
        DecodedBitmap bmp;
        ASSERT_TRUE(DecodeBmp(MakeBmp({.width = 5,
                                       .height = 4,
                                       .bitCount = 24,
                                       .topDown = topDown,
                                       .value = [](int x, int y) { return Pattern(x, y); }}),
                              bmp));
        ExpectPattern(bmp, 5, 4);
    }
    DecodedBitmap bmp32;
    ASSERT_TRUE(DecodeBmp(
        MakeBmp({.width = 3, .height = 2, .bitCount = 32, .value = [](int x, int y) { return Pattern(x, y); }}),
        bmp32));
    ExpectPattern(bmp32, 3, 2);
}

TEST(Bitmap, PalettedFormats)
{
    const std::vector<COLORREF> colours = {RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 128, 0),
                                           RGB(0, 0, 255),     RGB(1, 2, 3), RGB(9, 8, 7),   RGB(200, 100, 50)};
    auto index = [](int x, int y) { return uint32_t((x + 2 * y) % 8); };
    for (int bpp : {4, 8})
    {
        DecodedBitmap bmp;
        // 11 pixels: odd nibbles and a padded row.
        ASSERT_TRUE(
            DecodeBmp(MakeBmp({.width = 11, .height = 3, .bitCount = bpp, .palette = colours, .value = index}), bmp))
            << bpp;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 11; ++x)
                EXPECT_EQ(bmp.At(x, y), colours[index(x, y)]) << bpp << " bits at " << x << "," << y;
    }

    // One bit per pixel across a byte boundary.
    DecodedBitmap mono;
    auto bit = [](int x, int y) { return uint32_t((x * 3 + y) % 2); };
    ASSERT_TRUE(DecodeBmp(
        MakeBmp(
            {.width = 10, .height = 2, .bitCount = 1, .palette = {RGB(10, 20, 30), RGB(250, 240, 230)}, .value = bit}),
        mono));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(mono.At(x, y), bit(x, y) ? RGB(250, 240, 230) : RGB(10, 20, 30)) << x << "," << y;

    // Old-style core header: three-byte palette entries.
    DecodedBitmap core;
    ASSERT_TRUE(DecodeBmp(MakeBmp({.width = 3,
                                   .height = 2,
                                   .bitCount = 8,
                                   .coreHeader = true,
                                   .palette = std::vector<COLORREF>(256, RGB(7, 7, 7)),
                                   .value = [](int x, int) { return uint32_t(x == 1 ? 255 : 0); }}),
                          core));
    EXPECT_EQ(core.At(1, 0), RGB(7, 7, 7));

    // An index past a short palette is black.
    DecodedBitmap shortPalette;
    ASSERT_TRUE(DecodeBmp(MakeBmp({.width = 1, .height = 1, .bitCount = 8, .palette = {RGB(9, 9, 9)},
                                   .value = [](int, int) { return 200u; }}),
                          shortPalette));
    EXPECT_EQ(shortPalette.At(0, 0), RGB(0, 0, 0));
}

TEST(Bitmap, SixteenBitsDefaultAndBitfieldMasks)
{
    DecodedBitmap bmp;
    // 5-5-5: full red, full green, full blue, half grey.
    const uint32_t values[] = {0x7C00, 0x03E0, 0x001F, (15u << 10) | (15u << 5) | 15u};
    ASSERT_TRUE(DecodeBmp(
        MakeBmp({.width = 4, .height = 1, .bitCount = 16, .value = [&](int x, int) { return values[x]; }}), bmp));
    EXPECT_EQ(bmp.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(bmp.At(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(bmp.At(2, 0), RGB(0, 0, 255));
    EXPECT_EQ(bmp.At(3, 0), RGB(123, 123, 123));

    // 5-6-5 through BI_BITFIELDS.
    DecodedBitmap b565;
    ASSERT_TRUE(DecodeBmp(MakeBmp({.width = 2,
                                   .height = 1,
                                   .bitCount = 16,
                                   .compression = 3,
                                   .masks = {0xF800, 0x07E0, 0x001F},
                                   .value = [](int x, int) { return x == 0 ? 0x07E0u : 0xF81Fu; }}),
                          b565));
    EXPECT_EQ(b565.At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(b565.At(1, 0), RGB(255, 0, 255));

    // 32 bits with the channels in unusual places.
    DecodedBitmap b32;
    ASSERT_TRUE(DecodeBmp(MakeBmp({.width = 1,
                                   .height = 1,
                                   .bitCount = 32,
                                   .compression = 3,
                                   .masks = {0x000000FF, 0x0000FF00, 0x00FF0000},
                                   .value = [](int, int) { return 0x00336699u; }}),
                          b32));
    EXPECT_EQ(b32.At(0, 0), RGB(0x99, 0x66, 0x33));
}

TEST(Bitmap, DamagedOrUnsupportedFilesAreRefused)
{
    std::string good = MakeBmp({.width = 4, .height = 4, .bitCount = 24, .value = [](int, int) { return 0u; }});
    DecodedBitmap bmp;
    ASSERT_TRUE(DecodeBmp(good, bmp));

    auto refused = [&](std::string bytes, const char* why) {
        DecodedBitmap out;
        out.width = 99;
        EXPECT_FALSE(DecodeBmp(bytes, out)) << why;
        EXPECT_EQ(out.width, 0) << why;
        EXPECT_TRUE(out.pixels.empty()) << why;
    };
    refused("BM", "only the magic");
    refused("XX" + good.substr(2), "wrong magic");
    refused(good.substr(0, good.size() - 1), "last byte missing");
    refused(good.substr(0, 40), "header cut short");

    auto patched = [&](size_t at, uint32_t v) {
        std::string s = good;
        for (int i = 0; i < 4; ++i)
            s[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
        return s;
    };
    refused(patched(18, 0), "zero width");
    refused(patched(18, 0x7FFFFFFF), "huge width");
    refused(patched(22, 0x80000000u), "most negative height");
    refused(patched(10, 0xFFFFFF00u), "pixel offset past the end");
    refused(patched(14, 20), "unknown header size");
    refused(patched(14, 0xFFFFFFFFu), "header larger than the file");
    refused(patched(30, 1), "run-length compressed");

    std::string odd = good;
    odd[28] = 7; // bits per pixel
    refused(odd, "7 bits per pixel");

    // A palette that runs past the end of the file.
    std::string pal = MakeBmp({.width = 1, .height = 1, .bitCount = 8, .palette = {RGB(1, 1, 1)}});
    pal = pal.substr(0, 14 + 40 + 2);
    refused(pal, "palette cut short");
}

TEST(Bitmap, TheLibrarysButtonArrowReads)
{
    std::ifstream in(std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
                         "resources/res/button.bmp",
                     std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    DecodedBitmap bmp;
    ASSERT_TRUE(DecodeBmp(bytes.str(), bmp));
    ASSERT_EQ(bmp.width, 8);
    ASSERT_EQ(bmp.height, 8);
    // A black arrow pointing right on white: its point in the middle row, its base in column 2.
    for (int y = 1; y <= 7; ++y)
        EXPECT_EQ(bmp.At(2, y), RGB(0, 0, 0)) << y;
    EXPECT_EQ(bmp.At(5, 4), RGB(0, 0, 0));
    for (CPoint white : {CPoint(0, 0), CPoint(7, 7), CPoint(5, 3), CPoint(2, 0)})
        EXPECT_EQ(bmp.At(white.x, white.y), RGB(255, 255, 255));
}
