// The host's shared state: the index font, the flags, and the double-byte terminal font.
#include <gtest/gtest.h>

#include <cstring>

#include "support/Support.h"

namespace
{

// Installed by the project's own install step.
constexpr const char *kCjk = "WenQuanYi Micro Hei";
constexpr const char *kLatin = "DejaVu Sans";

LOGFONT Created(const char *face, const char *style, int points, BOOL japanese)
{
    CFont font;
    LOGFONT lf{};
    EXPECT_TRUE(CreateChineseFont(font, face, style, points, japanese)) << face << " " << style << " " << points;
    font.GetLogFont(&lf);
    return lf;
}

TEST(SharedState, IndexFontIsReadyAndChineseAndJapaneseFontsAreMade)
{
    ASSERT_NE(fontIndex.GetSafeHandle(), nullptr);
    LOGFONT lf{};
    ASSERT_EQ(fontIndex.GetLogFont(&lf), int(sizeof(LOGFONT)));
    EXPECT_EQ(lf.lfHeight, -12) << "9 points at 96 pixels per inch";

    lf = Created(kCjk, "Regular", 12, FALSE);
    EXPECT_STREQ(lf.lfFaceName, kCjk);
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
    lf = Created("wenquanyi micro hei", "Bold Italic", 9, TRUE);
    EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_TRUE(lf.lfWeight == FW_BOLD && lf.lfItalic);

    const std::pair<const char*, LONG> weights[] = {
        {"SemiBold", FW_SEMIBOLD}, {"Light", FW_LIGHT}, {nullptr, FW_NORMAL}};
    for (auto [style, weight] : weights)
        EXPECT_EQ(Created(kLatin, style, 10, FALSE).lfWeight, weight) << (style ? style : "null");
    EXPECT_TRUE(Created(kLatin, "Oblique", 10, FALSE).lfItalic);
}

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
