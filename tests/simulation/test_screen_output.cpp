// The cell buffer, the cursor and the output operations the simulator drives (a 21 x 8 screen).
#include "test_screen_harness.h"

using namespace pdt::test;
using namespace screentest;

namespace
{

class ScreenOutput : public ScreenTest
{
  protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        Make().EnableSimulation(true);
    }
    void Print(std::string bytes) { screen->PrintStringTty(bytes.data()); }
    std::string Row(int y) { return screen->Rows().substr(size_t(y) * 22, 21); }
};

TEST_F(ScreenOutput, PrintCharCodes)
{
    TestScreen& s = *screen;
    s.SetCursorPosition(19, 0);
    EXPECT_TRUE(s.PrintChar('A', nullptr, nullptr) && s.PrintChar('B', nullptr, nullptr));
    EXPECT_TRUE(s.PrintChar(UINT(int(char(0xE9))), nullptr, nullptr)) << "a high byte passed sign-extended";
    EXPECT_EQ(s.Rows().substr(19, 4), "AB/\xe9");
    EXPECT_TRUE(s.PrintChar(10, nullptr, nullptr) && s.m_ptCursor == CPoint(1, 2));
    EXPECT_TRUE(s.PrintChar(13, nullptr, nullptr) && s.m_ptCursor == CPoint(0, 2));

    // Backspace: nothing at the corner; from column 0 to the end of the row above, leaving a space there.
    s.Load("AB/.../.../X");
    s.SetCursorPosition(0, 0);
    EXPECT_TRUE(s.PrintChar(8, nullptr, nullptr) && s.m_ptCursor == CPoint(0, 0));
    s.SetCursorPosition(0, 3);
    EXPECT_TRUE(s.PrintChar(8, nullptr, nullptr) && s.m_ptCursor == CPoint(20, 2));
    EXPECT_EQ(Row(2).substr(19) + Row(3).substr(0, 1), ". .");
    s.SetCursorPosition(2, 0);
    EXPECT_TRUE(s.PrintChar(8, nullptr, nullptr));
    EXPECT_EQ(Row(0).substr(0, 3), "A .");

    std::string before = s.Bytes();
    for (UINT c : {27u, 9u, 0u})
        EXPECT_TRUE(s.PrintChar(c, nullptr, nullptr)) << c;
    EXPECT_TRUE(s.PrintChar(7, nullptr, nullptr));
    EXPECT_EQ(Beeps(), 1) << "only the bell rings";
    s.m_cLeadByte = 0x88;
    for (UINT c : {1u, 11u, 26u, 31u})
        EXPECT_FALSE(s.PrintChar(c, nullptr, nullptr)) << c;
    EXPECT_EQ(Beeps(), 5);
    EXPECT_EQ(s.m_cLeadByte, 0x88) << "a refused code keeps the pending lead byte";
    EXPECT_TRUE(s.Bytes() == before && s.m_ptCursor == CPoint(1, 0));
    EXPECT_TRUE(s.PrintChar(27, nullptr, nullptr) && s.m_cLeadByte == 0) << "an accepted one drops it";

    // A given position: control codes move it and the cursor to it; a character is written there while the
    // cursor advances; a given buffer takes the character instead of the screen.
    CPoint pos(5, 2);
    EXPECT_TRUE(s.PrintChar('Q', &pos, nullptr) && s.Cell(5, 2) == 'Q' && pos == CPoint(5, 2));
    EXPECT_EQ(s.m_ptCursor, CPoint(2, 0));
    EXPECT_TRUE(s.PrintChar(10, &pos, nullptr) && pos == CPoint(5, 3) && s.m_ptCursor == CPoint(5, 3));
    std::vector<char> other(size_t(s.m_nBufSize), 0);
    before = s.Bytes();
    EXPECT_TRUE(s.PrintChar('R', &pos, other.data()) && other[68] == 'R' && s.Bytes() == before);
}

TEST_F(ScreenOutput, TheLastRowScrollsOrHomes)
{
    TestScreen& s = *screen;
    s.Load("0/1/2/3/4/5/6/7");
    s.SetCursorPosition(4, 7);
    EXPECT_TRUE(s.PrintChar(10, nullptr, nullptr));
    EXPECT_EQ(s.m_ptCursor, CPoint(4, 7)) << "a line feed stays on the last row, in its column";
    EXPECT_EQ(Row(0)[0] + Row(6) + Row(7), "1" "7...................." + std::string(21, '.'));
    s.SetCursorPosition(20, 7);
    s.PrintChar('Y', nullptr, nullptr);
    EXPECT_EQ(s.m_ptCursor, CPoint(0, 7));
    EXPECT_EQ(Row(6), "....................Y");
    s.SetCursorPosition(9, 4);
    s.ScrollScreen();
    EXPECT_TRUE(s.m_ptCursor == CPoint(9, 4) && Row(5) == "....................Y");

    s.EnableScroll(0);
    std::string before = s.Bytes();
    s.SetCursorPosition(4, 7);
    EXPECT_TRUE(s.PrintChar(10, nullptr, nullptr) && s.m_ptCursor == CPoint(0, 0));
    s.SetCursorPosition(20, 7);
    s.PrintChar('Z', nullptr, nullptr);
    EXPECT_EQ(s.m_ptCursor, CPoint(0, 0));
    s.SetCursorPosition(9, 4);
    s.ScrollScreen();
    EXPECT_EQ(s.m_ptCursor, CPoint(0, 0));
    CPoint pos(3, 7);
    EXPECT_TRUE(s.PrintChar(10, &pos, nullptr) && pos == CPoint(3, 7) && s.m_ptCursor == CPoint(3, 7))
        << "the scroll homes the cursor, which then goes to the given position";
    before[167] = 'Z';
    EXPECT_EQ(s.Bytes(), before) << "no row moved";
}

TEST_F(ScreenOutput, ClearingAndWhatRepaints)
{
    Show();
    TestScreen& s = *screen;
    auto invalid = [&] {
        CRect r;
        return s.GetUpdateRect(&r) != FALSE;
    };
    s.Load("abcdefghijklmnopqrstu/abcdefghijklmnopqrstu/abcdefghijklmnopqrstu/abcdefghijklmnopqrstu");
    s.UpdateWindow();
    Print("Hi\r\n");
    EXPECT_FALSE(invalid()) << "printing leaves the repaint to the caller";
    s.RefreshScreen(false, true);
    EXPECT_FALSE(invalid()) << "painted at once";
    s.ClearAfter(5, 2);
    EXPECT_TRUE(invalid());
    EXPECT_EQ(s.Rows().substr(22, 50), "abcdefghijklmnopqrstu/abcde................/......");
    EXPECT_EQ(s.m_ptCursor, CPoint(0, 2));
    std::string before = s.Bytes();
    s.ClearAfter(5, 8);
    EXPECT_TRUE(s.Bytes() == before && s.m_ptCursor == CPoint(5, 7));
    s.UpdateWindow();
    s.ScrollScreen();
    EXPECT_TRUE(invalid());
    s.m_cLeadByte = 0x90;
    s.ClearScreen();
    EXPECT_TRUE(s.Bytes() == std::string(size_t(s.m_nBufSize), '\0') && s.m_cLeadByte == 0);
    EXPECT_EQ(s.m_ptCursor, CPoint(0, 0));
}

TEST_F(ScreenOutput, EscapesQuoteOneByte)
{
    TestScreen& s = *screen;
    Print("AB\x1bx[\nC");
    EXPECT_EQ(s.Rows().substr(0, 25), "AB.................../..C") << "a quoted line feed";
    s.ClearScreen();
    Print("\x1b[\x1b" "D" "X\x1b[");
    EXPECT_EQ(Row(0).substr(0, 3), "DX.") << "a quoted escape is ignored; an escape at the end stops";
    ExpectMessageBox();
    Print("ok\x1bxy");
    ASSERT_EQ(MessageBoxes().size(), 1u);
    EXPECT_EQ(MessageBoxes()[0].text, "Invalid ESC command in print screen!");
    EXPECT_EQ(MessageBoxes()[0].type & MB_ICONMASK, UINT(MB_ICONSTOP));
    EXPECT_EQ(Row(0).substr(0, 5), "DXok.") << "what came before stays";
}

TEST_F(ScreenOutput, JapaneseStreams)
{
    TestScreen& s = Make("M-20", CSize(21, 8), 2);
    s.EnableSimulation(true);
    s.PrintCharTty(char(0x82));
    EXPECT_TRUE(s.m_cLeadByte == 0x82 && s.Cell(0, 0) == 0) << "nothing stored until the pair is complete";
    s.PrintCharTty(char(0xA0));
    EXPECT_TRUE(s.Rows().substr(0, 3) == "\x82\xa0." && s.m_ptCursor == CPoint(2, 0));
    s.PrintCharTty(char(0xB1)); // half-width katakana: one cell, yet bit 7 makes the cursor step twice
    EXPECT_TRUE(s.Rows().substr(2, 3) == "\xb1.." && s.m_ptCursor == CPoint(4, 0));
    for (int b : {0x81, 0x9F, 0xE0, 0xFF, 0x80, 0xA0, 0xDF})
    {
        s.PrintCharTty(char(b));
        EXPECT_EQ(s.m_cLeadByte, (b >= 0x81 && b <= 0x9F) || b >= 0xE0 ? b : 0) << b;
        s.m_cLeadByte = 0;
    }
    // A pair across the row end, and one in the very last cell, whose second byte goes to a spare byte.
    s.SetCursorPosition(20, 1);
    Print("\x82\xa0\x82\xa2");
    EXPECT_EQ(s.Rows().substr(42, 6), "\x82/\xa0\x82\xa2.");
    s.EnableScroll(0);
    s.SetCursorPosition(20, 7);
    Print("\x82\xa4");
    EXPECT_TRUE(s.Cell(20, 7) == 0x82 && BYTE(s.m_pScreen[168]) == 0xA4);
    EXPECT_EQ(s.m_ptCursor, CPoint(1, 0)) << "homed by the first step, one more for the wide character";
}

TEST_F(ScreenOutput, ChineseAndSingleByteStreams)
{
    TestScreen& s = Make("M-20", CSize(21, 8), 1);
    s.EnableSimulation(true);
    Print("\xd6\xd0\xce\xc4\x80\r"); // two GB2312 characters; any byte completes a pair
    EXPECT_EQ(s.Rows().substr(0, 7), "\xd6\xd0\xce\xc4\x80|.");
    EXPECT_EQ(s.m_ptCursor, CPoint(6, 0));
    s.PrintChnChar(0x4F88, nullptr, nullptr);
    EXPECT_TRUE(s.Rows().substr(6, 3) == "\x88O." && s.m_ptCursor == CPoint(8, 0)) << "low byte first";

    TestScreen& latin = Make();
    latin.EnableSimulation(true);
    Print("\xe9t\xe9");
    EXPECT_TRUE(latin.Rows().substr(0, 4) == "\xe9t\xe9." && latin.m_ptCursor == CPoint(3, 0));
}

} // namespace
