// The host's shared state: the index font, the flags, and the double-byte terminal font.
#include <gtest/gtest.h>

#include <cstring>

#include "support/Support.h"

namespace
{

LOGFONT Created(const char* face, const char* style, int points, BOOL japanese)
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


    lf = Created("SimSun", "Regular", 12, FALSE);
    EXPECT_STREQ(lf.lfFaceName, "SimSun");
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
    lf = Created("MS Gothic", "Bold Italic", 9, TRUE);
    EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_TRUE(lf.lfWeight == FW_BOLD && lf.lfItalic);

    const std::pair<const char*, LONG> weights[] = {{"bold", FW_BOLD},   {"SemiBold", FW_SEMIBOLD},
                                                    {"ExtraBold", FW_HEAVY}, {"Light", FW_LIGHT},
                                                    {"Medium", FW_MEDIUM}, {nullptr, FW_NORMAL}};
    for (auto [style, weight] : weights)
        EXPECT_EQ(Created("F", style, 10, FALSE).lfWeight, weight) << (style ? style : "null");
    EXPECT_TRUE(Created("F", "Oblique", 10, FALSE).lfItalic);

    // A face longer than LOGFONT holds is cut, not overrun.
    lf = Created("An Extremely Long Font Face Name That Goes On", "Regular", 10, FALSE);
    EXPECT_EQ(std::strlen(lf.lfFaceName), size_t(LF_FACESIZE - 1));
}

TEST(SharedState, ChineseFontRefusesBadInputAndReplacesAnEarlierFont)
{
    CFont font;
    EXPECT_FALSE(CreateChineseFont(font, "", "Regular", 10, FALSE));
    EXPECT_FALSE(CreateChineseFont(font, nullptr, "Regular", 10, FALSE));
    for (int points : {0, -8, 100000})
        EXPECT_FALSE(CreateChineseFont(font, "SimSun", "Regular", points, FALSE)) << points;
    EXPECT_EQ(font.GetSafeHandle(), nullptr);

    ASSERT_TRUE(CreateChineseFont(font, "SimSun", "Regular", 10, FALSE));
    ASSERT_TRUE(CreateChineseFont(font, "MS Mincho", "Bold", 20, TRUE)) << "the same CFont used again";
    LOGFONT lf{};
    font.GetLogFont(&lf);
    EXPECT_STREQ(lf.lfFaceName, "MS Mincho");
    EXPECT_EQ(lf.lfHeight, -27);
    EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
}

} // namespace
