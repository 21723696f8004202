// The program editor: typed into like a person would, Enter and Tab edit the text, OK keeps it, Cancel and
// Escape do not.
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPlainTextEdit>

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

TEST(ScriptPad, ShiftTabLeavesTheEditorForTheButtons)
{
    CString text;
    ExpectModal([](CDialog& d) {
        Key(VK_TAB, true);
        EXPECT_EQ(FocusId(), IDCANCEL);
        EXPECT_EQ(d.GetDlgItem(IDC_SCRIPTPAD_TEXT)->GetWindowText(), "");
        Key(VK_RETURN); // the focused Cancel button
    });
    EXPECT_FALSE(ScriptPad(text, nullptr, nullptr));
}

TEST(ScriptPad, MonospaceWithTabStopsEveryFourCharactersAndLoneLineEndsComeBackAsCrLf)
{
    CString text = "one\ntwo\rthree\r\n\tfour";
    ExpectModal([](CDialog& d) {
        QPlainTextEdit* editor = Editor(d);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->document()->blockCount(), 4);
        // Every character as wide as the next; the font's own pitch flag is not asked, as some monospaced faces
        // (Noto Sans Mono) leave it unset.
        QFontMetricsF metrics(editor->font());
        const std::string family = QFontInfo(editor->font()).family().toStdString();
        EXPECT_EQ(metrics.horizontalAdvance(QLatin1Char('i')), metrics.horizontalAdvance(QLatin1Char('M'))) << family;
        EXPECT_EQ(metrics.horizontalAdvance(QLatin1Char('.')), metrics.horizontalAdvance(QLatin1Char('W'))) << family;
        qreal space = metrics.horizontalAdvance(QLatin1Char(' '));
        EXPECT_NEAR(editor->tabStopDistance(), 4 * space, 0.5);
        EXPECT_EQ(d.GetWindowText(), "Program") << "no title: the window's own caption";
        Click(d, IDOK);
    });
    ASSERT_TRUE(ScriptPad(text, "", nullptr));
    EXPECT_EQ(text, "one\r\ntwo\r\nthree\r\n\tfour");
}

} // namespace
