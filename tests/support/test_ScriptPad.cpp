// The program editor: typed into like a person would, Enter and Tab edit the text, OK keeps it, Cancel and
// Escape do not.
#include <QPlainTextEdit>
#include <QTextBlock>

#include "support/resources/supportres.h"
#include "support_harness.h"

using namespace pdt::test;

namespace
{

QPlainTextEdit* Editor(CDialog& d)
{
    return qobject_cast<QPlainTextEdit*>(Peer(Item(d, IDC_SCRIPTPAD_TEXT)));
}

TEST(ScriptPad, TypingWithEnterAndTabThenOkReturnsTheTextWithWindowsLineEnds)
{
    CString text = "LET A = 1\r\nPRINT A";
    ExpectModal([](CDialog& d) {
        EXPECT_EQ(d.GetWindowText(), "Edit program: Pallet");
        EXPECT_EQ(FocusId(), IDC_SCRIPTPAD_TEXT);
        Key(VK_END, false, true); // Ctrl+End: after the last character
        Key(VK_RETURN);
        Key(VK_TAB);
        Type("END");
        EXPECT_TRUE(d.IsWindowVisible()) << "Enter is a new line, not OK";
        EXPECT_EQ(FocusId(), IDC_SCRIPTPAD_TEXT) << "Tab is a tab, not the next control";
        Click(d, IDOK);
    });
    EXPECT_TRUE(ScriptPad(text, "Edit program: Pallet", nullptr));
    EXPECT_EQ(text, "LET A = 1\r\nPRINT A\r\n\tEND");
}

TEST(ScriptPad, TypingStartsAtTheBeginningAndCancelOrEscapeLeaveTheTextAlone)
{
    CString text = "rest";
    ExpectModal([](CDialog& d) {
        Type("first ");
        Click(d, IDOK);
    });
    ASSERT_TRUE(ScriptPad(text, "Program", nullptr));
    EXPECT_EQ(text, "first rest") << "nothing of the program was replaced";

    text = "original";
    ExpectModal([](CDialog& d) {
        Type("changed ");
        Click(d, IDCANCEL);
    });
    EXPECT_FALSE(ScriptPad(text, "Program", nullptr));
    EXPECT_EQ(text, "original");

    ExpectModal([](CDialog&) {
        Type("changed ");
        Key(VK_ESCAPE);
    });
    EXPECT_FALSE(ScriptPad(text, "Program", nullptr));
    EXPECT_EQ(text, "original");
}

TEST(ScriptPad, ColumnsLineUpWithTabStopsEveryFourCharactersAndLoneLineEndsComeBackAsCrLf)
{
    // Narrow and wide letters on each line: the columns line up only in a face that really is fixed pitch.
    CString text = "il.0\nWWmm\rthree\r\n\tfour";
    ExpectModal([](CDialog& d) {
        QPlainTextEdit* editor = Editor(d);
        ASSERT_NE(editor, nullptr);
        ASSERT_EQ(editor->document()->blockCount(), 4);
        auto x = [editor](int line, int column) {
            QTextCursor c(editor->document()->findBlockByNumber(line));
            c.setPosition(c.block().position() + column);
            return editor->cursorRect(c).left();
        };
        std::string face = editor->font().family().toStdString();
        for (int column = 1; column <= 4; ++column)
        {
            EXPECT_EQ(x(1, column), x(0, column)) << "column " << column << " in " << face;
            EXPECT_EQ(x(2, column), x(0, column)) << "column " << column << " in " << face;
        }
        EXPECT_GT(x(0, 4), x(0, 0));
        EXPECT_EQ(x(3, 1), x(0, 4)) << "a tab reaches the fifth column in " << face;
        EXPECT_EQ(d.GetWindowText(), "Program") << "no title: the window's own caption";
        Click(d, IDOK);
    });
    ASSERT_TRUE(ScriptPad(text, "", nullptr));
    EXPECT_EQ(text, "il.0\r\nWWmm\r\nthree\r\n\tfour");
}

} // namespace
