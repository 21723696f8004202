// The screen's font and its preset, cells too small for a glyph, and the prompt text.
#include "test_screen_harness.h"

using namespace pdt::test;
using namespace screentest;

namespace
{

class ScreenSetup : public ScreenTest
{
  protected:
    static CString Preset() { return theReg.GetString("Settings", "FONT_SCREEN_PRESET", "<none>"); }
    LOGFONT Font()
    {
        LOGFONT lf{};
        EXPECT_NE(screen->m_font.GetLogFont(&lf), 0);
        return lf;
    }
    CString FontSize()
    {
        CString s;
        s.Format("1,%03d,%03d", int(Font().lfWidth), int(Font().lfHeight));
        return s;
    }
};

TEST_F(ScreenSetup, FontAndItsPreset)
{
    Make();
    CString fitted = FontSize();
    EXPECT_EQ(Preset(), fitted) << "the first set-up stores the fitted size";
    LOGFONT lf = Font();
    EXPECT_TRUE(lf.lfWidth > 0 && lf.lfWidth <= 19 && lf.lfHeight > 0 && lf.lfHeight <= 26);
    EXPECT_TRUE(lf.lfWeight == 600 && (lf.lfPitchAndFamily & 3) == FIXED_PITCH && lf.lfCharSet == 1);
    EXPECT_STREQ(lf.lfFaceName, "Lucida Console");
    EXPECT_EQ(screen->GetFont()->GetSafeHandle(), screen->m_font.GetSafeHandle()) << "given to the window";
    CClientDC dc(screen.get());
    CFont* old = dc.SelectObject(&screen->m_font);
    EXPECT_LE(dc.GetTextExtent("W", 1).cx, 19) << "W fits the cell";
    dc.SelectObject(old);

    theReg.WriteString("Settings", "FONT_SCREEN_PRESET", "1,010,016");
    Make();
    EXPECT_EQ(FontSize(), "1,010,016") << "later set-ups start from the preset";
    // Too wide, too high or too short: from the cell size, as the first set-up; never rewritten.
    for (const char* preset : {"1,030,040", "1,010,040", "1,030,010", "1,10,16"})
    {
        theReg.WriteString("Settings", "FONT_SCREEN_PRESET", preset);
        Make();
        EXPECT_TRUE(FontSize() == fitted && Preset() == preset) << preset;
    }
    theReg.WriteString("Settings", "FONTTYPE_SCREEN", "MS Gothic");
    theReg.WriteInt("Settings", "FONT_CHARSET", SHIFTJIS_CHARSET);
    for (int language : {2, 1, 5})
    {
        Make("M-20", CSize(21, 8), language);
        EXPECT_STREQ(Font().lfFaceName, language == 5 ? "Lucida Console" : "MS Gothic") << language;
        EXPECT_EQ(Font().lfCharSet, SHIFTJIS_CHARSET) << "read in every language";
    }
}

TEST_F(ScreenSetup, CellsTooSmallForAGlyphFailWithoutLooping)
{
    host = std::make_unique<HostWindow>();
    screen = std::make_unique<TestScreen>();
    ASSERT_TRUE(screen->Create(CSize(30, 20), CRect(0, 0, 30, 20), 1, host.get()));
    EXPECT_FALSE(screen->Initial("X-1", CSize(21, 8), 0));
    EXPECT_TRUE(screen->m_font.GetSafeHandle() == nullptr && Preset() == "<none>");
    screen->SetPrompt("still works");
    EXPECT_EQ(screen->GetPrompt(), "still works") << "the buffers are there all the same";
    Show();
    EXPECT_FALSE(screen->Initial("M-20", CSize(0, 8), 0));
}

TEST_F(ScreenSetup, PromptText)
{
    TestScreen& s = Make("M-20", CSize(8, 4));
    const char* cases[][3] = {
        {"AB\r\nCD", "AB|...../CD....../......../........", "AB\r\nCD"},
        {"x\ry\n\nz", "x|....../y|....../|......./z.......", "x\r\ny\r\n\r\nz"},
        {"ABCDEFGH\r\nI", "ABCDEFGH/|......./I......./........", "ABCDEFGH\r\nI"},
        {"1\r\n2\r\n3\r\n4\r\n5", "1|....../2|....../3|....../4.......", "1\r\n2\r\n3\r\n4"},
        {"\x82\xa0\x82\xa2\r\nA", "\x82\xa0\x82\xa2|.../A......./......../........", "\x82\xa0\x82\xa2\r\nA"},
        {"", "......../......../......../........", ""},
    };
    for (auto& c : cases)
    {
        s.SetPrompt(c[0]);
        EXPECT_TRUE(s.Rows() == c[1] && s.GetPrompt() == c[2]) << c[0] << " -> " << s.Rows();
    }
    s.Load("     A/......../AB..Z"); // spaces are text; an empty cell ends its row
    EXPECT_EQ(s.GetPrompt(), "     A\r\n\r\nAB");

    s.Load("");
    EXPECT_TRUE(s.SetText("ab", 6, 0) && s.SetText("cd\r\nef", 6, 1));
    EXPECT_EQ(s.Rows(), "......ab/......cd/|......./ef......");
    std::string before = s.Bytes();
    EXPECT_FALSE(s.SetText("x", 0, 4));
    EXPECT_TRUE(s.Bytes() == before && std::string(s.m_pBackup, size_t(s.m_nBufSize)) == before);
    EXPECT_FALSE(s.SetText("g\r\nh", 0, 3) || s.SetText("12345678", 0, 3)) << "the last row has no next row";

    s.SetPrompt("ABCDEF\r\nGH\r\n\r\nIJKLMNOP");
    const std::pair<int, int> ranges[] = {{2, 9}, {8, 8}, {0, 17}, {26, -1}, {40, 50}};
    const char* texts[] = {"CDEF\r\nGH", "G", "ABCDEF\r\nGH\r\n\r\n", "KLMNOP", ""};
    for (size_t i = 0; i < std::size(ranges); ++i)
        EXPECT_EQ(s.GetSelectedText(ranges[i].first, ranges[i].second), texts[i]) << i;
}

} // namespace
