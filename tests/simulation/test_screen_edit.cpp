// Edit mode: the paragraph moves behind insert, Backspace and Delete, and the keys that drive them.
#include "resources/resource.h"
#include "test_screen_harness.h"

using namespace pdt::test;
using namespace screentest;

namespace
{

// An 8 x 4 screen: small enough to fill, big enough to wrap.
class ScreenEdit : public ScreenTest
{
  protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        Make("M-20", CSize(8, 4));
    }
};

struct EditCase
{
    const char* name;
    const char* before;
    UINT key; // a character for InsertChar, or VK_DELETE for DeleteChar
    CPoint pos;
    const char* after; // null: refused, the buffer unchanged
    CPoint posAfter;
};

const EditCase kEdits[] = {
    {"pads the gap", "", 'X', {5, 0}, "     X../......../......../........", {6, 0}},
    {"joins a line end in the gap", "AB|", 'Y', {5, 0}, "AB   Y../......../......../........", {6, 0}},
    {"pushes over a full row", "ABCDEFGH/IJ", 'x', {0, 0}, "xABCDEFG/HIJ...../......../........", {1, 0}},
    {"a line end keeps the next row", "ABC|/DEF", 'y', {1, 0}, "AyBC|.../DEF...../......../........", {2, 0}},
    {"a line end pushed off the row", "ABCDEFG|/HI", 'z', {0, 0}, "zABCDEFG/|......./HI....../........", {1, 0}},
    {"Enter carries the rest down", "ABCD|/EF", 13, {2, 0}, "AB|...../CD|...../EF....../........", {0, 1}},
    {"Enter past the text pads", "AB", 13, {3, 1}, "AB....../   |..../......../........", {0, 2}},
    {"Backspace in a row", "ABCD", 8, {2, 0}, "ACD...../......../......../........", {1, 0}},
    {"Backspace joins onto a line end", "AB|/CD", 8, {0, 1}, "ABCD..../......../......../........", {2, 0}},
    {"Backspace behind text", "AB/CD", 8, {0, 1}, "ABCD..../......../......../........", {2, 0}},
    {"Backspace behind a full row", "ABCDEFGH/IJ", 8, {0, 1}, "ABCDEFGI/J......./......../........", {7, 0}},
    {"Backspace over empty rows", "AB|/......../CD", 8, {0, 2}, "ABCD..../......../......../........", {2, 0}},
    {"Backspace to the corner", "/......../Q", 8, {0, 2}, "Q......./......../......../........", {0, 0}},
    {"Ctrl+Z", "AB", 26, {1, 0}, "AB....../......../......../........", {1, 0}},
    {"Enter on the last row", "AB|/CD|/EF|/GH", 13, {1, 3}, nullptr, {1, 3}},
    {"a character in the last cell", "AB", 'x', {7, 3}, nullptr, {7, 3}},
    {"Backspace at the corner", "AB", 8, {0, 0}, nullptr, {0, 0}},
    {"line feed", "AB", 10, {0, 0}, nullptr, {0, 0}},
    {"a full paragraph", "ABCDEFGH/IJKLMNOP/QRSTUVWX/YZ012345", '!', {3, 1}, nullptr, {3, 1}},
    // The gathered text fits its old cells, but a line end it carries needs a row more: no typed text is lost.
    {"text pushed past the end", "ABCDEFG|/HIJKLMNO/PQRSTUVW/XYZ", 'x', {0, 0}, nullptr, {0, 0}},
    {"a line end onto the last row", "ABCDEFG|/HIJ|/KLM|/NOPQRST", 'x', {0, 0}, nullptr, {0, 0}},
    {"a trailing line end that does not fit", "ABCDEFG|/HIJKLMNO/PQRSTUVW/|", 'x', {0, 0},
     "xABCDEFG/|......./HIJKLMNO/PQRSTUVW", {1, 0}},
    {"Delete pulls back", "ABCD", VK_DELETE, {1, 0}, "ACD...../......../......../........", {1, 0}},
    {"Delete on an empty cell", "ABCD", VK_DELETE, {5, 0}, "ABCD..../......../......../........", {5, 0}},
    {"Delete joins the next row", "AB|/CD", VK_DELETE, {2, 0}, "ABCD..../......../......../........", {2, 0}},
    {"Delete a line end on the last row", "///AB|", VK_DELETE, {2, 3}, "......../......../......../AB......", {2, 3}},
    {"Delete the last cell", "///.......Z", VK_DELETE, {7, 3}, "......../......../......../........", {7, 3}},
};

TEST_F(ScreenEdit, InsertAndDeleteMoveTheParagraph)
{
    TestScreen& s = *screen;
    int refused = 0;
    for (const EditCase& c : kEdits)
    {
        s.Load(c.before);
        std::string before = s.Rows();
        CPoint pos = c.pos;
        bool ok = c.key == VK_DELETE ? s.DeleteChar(pos, s.m_pScreen) : s.InsertChar(c.key, pos, s.m_pScreen);
        EXPECT_EQ(ok, c.after != nullptr) << c.name;
        EXPECT_EQ(s.Rows(), c.after ? c.after : before) << c.name;
        EXPECT_EQ(pos, c.posAfter) << c.name;
        refused += c.after == nullptr;
        EXPECT_EQ(Beeps(), refused) << c.name << ": every refusal beeps once, nothing else does";
    }
}

// ---------------------------------------------------------------------------------------------------------------
// The keyboard, as a person types.

class ScreenTyping : public ScreenEdit
{
  protected:
    void SetUp() override
    {
        ScreenEdit::SetUp();
        Show();
        Focus(screen->m_hWnd);
        ASSERT_TRUE(screen->m_bCaretCreated);
    }
};

TEST_F(ScreenTyping, TypingAndEditingKeys)
{
    TestScreen& s = *screen;
    Type("Hello");
    Key(VK_RETURN);
    Type("you");
    EXPECT_EQ(s.Rows(), "Hello|../you...../......../........");
    for (UINT k : {VK_HOME, VK_UP, VK_RIGHT})
        Key(k);
    Type("J");
    EXPECT_EQ(s.Rows().substr(0, 8), "HJello|.");
    Key(VK_BACK);
    Key(VK_BACK);
    Key(VK_BACK);
    EXPECT_EQ(s.GetPrompt(), "ello\r\nyou");
    EXPECT_EQ(Beeps(), 1) << "Backspace at the corner";
    for (UINT k : {VK_END, VK_END, VK_LEFT, VK_DELETE})
        Key(k);
    EXPECT_TRUE(s.GetPrompt() == "elloyou" && s.m_ptCursor == CPoint(4, 0)) << "Delete joined the lines in place";
    std::string before = s.Bytes();
    Key('Z', false, true);
    EXPECT_EQ(Beeps(), 1) << "Ctrl+Z is taken and does nothing";
    Key(VK_TAB);
    Key(VK_ESCAPE);
    EXPECT_TRUE(Beeps() == 3 && s.Bytes() == before);

    // A double-byte character from an input method arrives as two WM_CHAR messages.
    s.SendMessage(WM_CHAR, 0x82, 1);
    s.SendMessage(WM_CHAR, 0xA0, 1);
    EXPECT_EQ(s.GetPrompt(), "ello\x82\xa0you");

    // The screen fills up to its last cell but one; the paragraph then cannot grow.
    s.SetPrompt("");
    Key(VK_HOME);
    Key(VK_UP);
    Type("abcdefghijklmnopqrstuvwxyz01234");
    Type("5");
    EXPECT_EQ(Beeps(), 4) << "the last cell takes no character";
    Key(VK_HOME);
    Type("!");
    EXPECT_EQ(s.Rows().substr(27), "!yz01234") << "the last row's paragraph still had room";
    Key(VK_UP);
    Type("?");
    EXPECT_TRUE(Beeps() == 5 && s.GetPrompt() == "abcdefghijklmnopqrstuvwx!yz01234");
}

// Chinese and Japanese typed on the screen, by keys that carry a character or through an input method: each
// character is its two bytes of the job's code page in two cells; one the code page lacks is refused.
TEST_F(ScreenTyping, DoubleByteCharactersTypedTakeTwoCells)
{
    struct Case
    {
        int codePage;
        const char* typed;  // UTF-8
        const char* bytes;  // in the code page
        const char* foreign;
    };
    for (Case c : {Case{932, "\xE3\x81\x82\xE6\x97\xA5", "\x82\xa0\x93\xfa", "\xED\x95\x9C"},
                   Case{936, "\xE4\xB8\xAD\xE6\x96\x87", "\xd6\xd0\xce\xc4", "\xED\x95\x9C"}})
    {
        SCOPED_TRACE(c.codePage);
        CodePageScope cp(c.codePage);
        TestScreen& s = *screen;
        s.SetPrompt("");
        Key(VK_HOME);
        Key(VK_UP);
        const int beeps = Beeps();
        TypeUnicode(c.typed);
        EXPECT_EQ(s.GetPrompt(), c.bytes) << "keys";
        EXPECT_EQ(s.m_ptCursor, CPoint(4, 0));
        Compose(c.typed);
        EXPECT_EQ(s.GetPrompt(), (std::string(c.bytes) + c.bytes).c_str()) << "an input method";
        TypeUnicode(c.foreign);
        Compose(c.foreign);
        EXPECT_EQ(s.GetPrompt(), (std::string(c.bytes) + c.bytes).c_str()) << "never a '?'";
        EXPECT_EQ(Beeps(), beeps + 2);
        EXPECT_NE(RefusalShown().find(std::to_string(c.codePage)), std::string::npos) << RefusalShown();
    }
}

TEST_F(ScreenTyping, CursorKeys)
{
    TestScreen& s = *screen;
    Type("AB");
    const std::pair<UINT, CPoint> steps[] = {
        {VK_HOME, {0, 0}}, {VK_END, {7, 0}},   {VK_END, {2, 0}},   {VK_DOWN, {2, 1}},  {VK_END, {7, 1}},
        {VK_END, {7, 1}},  {VK_RIGHT, {0, 2}}, {VK_LEFT, {7, 1}},  {VK_HOME, {0, 1}},  {VK_UP, {0, 0}},
        {VK_UP, {0, 0}},   {VK_LEFT, {0, 0}},  {VK_DOWN, {0, 1}},  {VK_DOWN, {0, 2}},  {VK_DOWN, {0, 3}},
        {VK_DOWN, {0, 3}}, {VK_END, {7, 3}},   {VK_RIGHT, {7, 3}}, {VK_INSERT, {7, 3}}};
    for (auto& [key, to] : steps)
    {
        Key(key);
        EXPECT_EQ(s.m_ptCursor, to) << "key " << key << " towards " << to.x << "," << to.y;
    }
    EXPECT_TRUE(s.GetPrompt() == "AB" && Beeps() == 0);
    // Key-up is taken too but moves nothing; other keys and characters pass on.
    MSG up{s.m_hWnd, WM_KEYUP, VK_LEFT, 1, 0, {0, 0}}, f2{s.m_hWnd, WM_KEYDOWN, VK_F2, 1, 0, {0, 0}},
        ch{s.m_hWnd, WM_CHAR, 'a', 1, 0, {0, 0}};
    EXPECT_TRUE(s.PreTranslateMessage(&up) && s.m_ptCursor == CPoint(7, 3));
    EXPECT_FALSE(s.PreTranslateMessage(&f2) || s.PreTranslateMessage(&ch));

    // Nothing is edited in simulation, nor without the focus.
    s.EnableSimulation(true);
    Type("cd");
    Key(VK_LEFT);
    EXPECT_TRUE(s.GetPrompt() == "AB" && s.m_ptCursor == CPoint(7, 3));
    s.EnableSimulation(false);
    Focus(host->m_hWnd);
    EXPECT_FALSE(s.m_bCaretCreated);
    s.SendMessage(WM_CHAR, 'z', 1);
    EXPECT_FALSE(s.PreTranslateMessage(&up));
    EXPECT_EQ(s.GetPrompt(), "AB");
}

// In a dialog the screen keeps Enter, Tab and the arrows for itself.
TEST_F(ScreenEdit, InADialogTheScreenWantsAllKeys)
{
    RecordingDialog dlg(IDD_FIND);
    ASSERT_TRUE(dlg.Create(IDD_FIND));
    dlg.closes = false;
    TestScreen s;
    ASSERT_TRUE(s.Create(CSize(300, 150), CRect(4, 4, 304, 154), 4254, &dlg));
    ASSERT_TRUE(s.Initial("M-20", CSize(8, 4), 0));
    dlg.ShowWindow(SW_SHOW);
    Focus(s.m_hWnd);
    Type("ab");
    Key(VK_RETURN);
    Type("c");
    Key(VK_UP);
    Key(VK_RIGHT);
    Key(VK_TAB);
    EXPECT_EQ(dlg.oks, 0);
    EXPECT_EQ(FocusId(), 4254);
    EXPECT_EQ(s.GetPrompt(), "ab\r\nc");
    EXPECT_EQ(s.m_ptCursor, CPoint(2, 0));
    EXPECT_EQ(Beeps(), 1) << "the Tab";
    dlg.DestroyWindow();
}

} // namespace
