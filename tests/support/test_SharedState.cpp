// The host's shared state: the double-byte terminal font.
#include <gtest/gtest.h>

#include "support/Support.h"

namespace
{

// Installed by the project's own install step.
constexpr const char *kCjk = "WenQuanYi Micro Hei";
constexpr const char *kLatin = "DejaVu Sans";

TEST(SharedState, ChineseFontRefusesBadInputAndReplacesAnEarlierFont)
{
    CFont font;
    struct Bad
    {
        const char *face;
        int points;
    };
    const Bad bad[] = {
        {"", 10},
        {nullptr, 10},
        {kCjk, 0},
        {kCjk, -8},
        {kCjk, 100000},
        {"SimSun", 10},                                        // not installed here
        {"An Extremely Long Font Face Name That Goes On", 10}, // more than a logical font holds
    };
    for (const Bad &b : bad)
        EXPECT_FALSE(CreateChineseFont(font, b.face, "Regular", b.points, FALSE)) << (b.face ? b.face : "null");
    EXPECT_EQ(font.GetSafeHandle(), nullptr);

    ASSERT_TRUE(CreateChineseFont(font, kCjk, "Regular", 10, FALSE));
    ASSERT_TRUE(CreateChineseFont(font, kLatin, "Bold", 20, TRUE)) << "the same CFont used again";
    LOGFONT lf{};
    font.GetLogFont(&lf);
    EXPECT_STREQ(lf.lfFaceName, kLatin);
    EXPECT_EQ(lf.lfHeight, -27);
    EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
}

} // namespace
