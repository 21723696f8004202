// Edit boxes: change and focus notifications, line ends of multi-line text, the selection and the text limit.
#include "dialog_harness.h"

#include <tuple>
#include <utility>

using namespace pdt::test;

namespace
{

using Edits = ShownDialog<ControlsDialog>;

TEST(EditsOpening, OpeningTheDialogFocusesTheFirstEditOnce)
{
    ControlsDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_CONTROLS));
    dlg.ShowWindow(SW_SHOW);
    Pump();
    EXPECT_EQ(FocusId(), IDC_NAME);
    EXPECT_EQ(dlg.Codes(IDC_NAME), (std::vector<int>{EN_SETFOCUS}));
    dlg.DestroyWindow();
}

TEST_F(Edits, EachTypedCharacterReportsUpdateThenChange)
{
    Focus(Item(dlg, IDC_NAME));
    dlg.Forget();
    Type("ab");
    EXPECT_EQ(dlg.Codes(IDC_NAME), (std::vector<int>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(dlg.GetDlgItem(IDC_NAME)->GetWindowText(), "ab");
    Key(VK_BACK);
    EXPECT_EQ(dlg.Count(IDC_NAME, EN_CHANGE), 3);
    EXPECT_EQ(dlg.GetDlgItem(IDC_NAME)->GetWindowText(), "a");
}

TEST_F(Edits, SetWindowTextReportsAChangeEvenForTheSameTextButOtherMessagesAreSilent)
{
    CEdit& name = dlg.Edit(IDC_NAME);
    name.SetWindowText("same");
    name.SetWindowText("same");
    dlg.SetDlgItemText(IDC_NAME, "text");
    EXPECT_EQ(dlg.Count(IDC_NAME, EN_CHANGE), 3);
    EXPECT_EQ(dlg.Count(IDC_NAME, EN_UPDATE), 3);
    dlg.Forget();
    name.SetSel(0, 2);
    name.SetModify(TRUE);
    name.LimitText(10);
    (void)name.GetWindowText();
    EXPECT_TRUE(dlg.notes.empty()) << ::testing::PrintToString(dlg.notes);
}

TEST_F(Edits, TabAndClicksMoveTheFocusWithKillFocusBeforeSetFocus)
{
    Focus(Item(dlg, IDC_NAME));
    dlg.Forget();
    Key(VK_TAB);
    EXPECT_EQ(FocusId(), IDC_COUNT);
    EXPECT_EQ(dlg.notes, (std::vector<Notification>{{IDC_NAME, EN_KILLFOCUS}, {IDC_COUNT, EN_SETFOCUS}}));
    dlg.Forget();
    Key(VK_TAB, /*shift=*/true);
    EXPECT_EQ(FocusId(), IDC_NAME);
    EXPECT_EQ(dlg.notes, (std::vector<Notification>{{IDC_COUNT, EN_KILLFOCUS}, {IDC_NAME, EN_SETFOCUS}}));
    dlg.Forget();
    Click(dlg, IDC_COUNT);
    EXPECT_EQ(FocusId(), IDC_COUNT);
    EXPECT_EQ(dlg.notes, (std::vector<Notification>{{IDC_NAME, EN_KILLFOCUS}, {IDC_COUNT, EN_SETFOCUS}}));
    dlg.Forget();
    Click(dlg, IDC_COUNT);
    EXPECT_TRUE(dlg.notes.empty()) << "clicking the focused edit again changes nothing";
}

TEST_F(Edits, TabSelectsTheWholeTextOfTheEditItReaches)
{
    dlg.SetDlgItemText(IDC_COUNT, "12345");
    Focus(Item(dlg, IDC_NAME));
    Key(VK_TAB);
    int start = -1, end = -1;
    dlg.Edit(IDC_COUNT).GetSel(start, end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, 5));
    Type("9");
    EXPECT_EQ(dlg.GetDlgItem(IDC_COUNT)->GetWindowText(), "9") << "typing replaces the selection";
}

TEST_F(Edits, MultiLineTextUsesCarriageReturnLineFeed)
{
    Focus(Item(dlg, IDC_NOTES));
    Type("one");
    Key(VK_RETURN);
    Type("two");
    CEdit& notes = dlg.Edit(IDC_NOTES);
    EXPECT_EQ(notes.GetWindowText(), "one\r\ntwo");
    EXPECT_EQ(notes.GetWindowTextLength(), 8);
    EXPECT_EQ(notes.GetLineCount(), 2);
    notes.SetWindowText("a\r\nb\r\nc");
    EXPECT_EQ(notes.GetLineCount(), 3);
}

TEST_F(Edits, SetSelAndGetSelFollowWin32Rules)
{
    CEdit& name = dlg.Edit(IDC_NAME);
    name.SetWindowText("abcdef");
    auto sel = [&] {
        int start = -1, end = -1;
        name.GetSel(start, end);
        return std::make_pair(start, end);
    };
    name.SetSel(4, 2);
    EXPECT_EQ(sel(), std::make_pair(2, 4)) << "reversed: the smaller end comes back first";
    name.SetSel(0, -1);
    EXPECT_EQ(sel(), std::make_pair(0, 6)) << "everything";
    name.SetSel(2, 100);
    EXPECT_EQ(sel(), std::make_pair(2, 6)) << "past the end is the end";
    DWORD packed = DWORD(name.SendMessage(EM_GETSEL));
    EXPECT_EQ(std::make_pair(int(LOWORD(packed)), int(HIWORD(packed))), std::make_pair(2, 6));
    name.SetSel(-1, 0);
    EXPECT_EQ(sel().first, sel().second) << "removes the selection, the caret stays";

    Focus(name);
    name.SetSel(1, 5);
    Type("X");
    EXPECT_EQ(name.GetWindowText(), "aXf") << "typing replaces the selection set by code";

    // A line end counts as two characters.
    CEdit& notes = dlg.Edit(IDC_NOTES);
    notes.SetWindowText("ab\r\ncd");
    notes.SetSel(4, 6);
    notes.ReplaceSel("XY");
    EXPECT_EQ(notes.GetWindowText(), "ab\r\nXY");

    // Bad arguments do not crash.
    name.SetSel(-5, -7);
    name.SetSel(1000, -1);
    name.SendMessage(EM_GETSEL, 0, 0);
    name.SendMessage(EM_REPLACESEL, 0, 0);
    name.SendMessage(WM_SETTEXT, 0, 0);
    EXPECT_EQ(name.GetWindowText(), "");
}

TEST_F(Edits, LimitTextStopsTypingAndReportsMaxText)
{
    CEdit& name = dlg.Edit(IDC_NAME);
    name.LimitText(3);
    EXPECT_EQ(name.GetLimitText(), 3u);
    Type(dlg, IDC_NAME, "abcdef");
    EXPECT_EQ(name.GetWindowText(), "abc");
    EXPECT_GE(dlg.Count(IDC_NAME, EN_MAXTEXT), 1);
    EXPECT_EQ(dlg.Count(IDC_NAME, EN_CHANGE), 3);

    // With a character selected there is room to replace it.
    name.SetSel(1, 2);
    Type("Z");
    EXPECT_EQ(name.GetWindowText(), "aZc");

    CEdit& notes = dlg.Edit(IDC_NOTES);
    notes.LimitText(4);
    Focus(notes);
    Type("abcdef");
    EXPECT_EQ(notes.GetWindowText(), "abcd") << "multi-line edits too";
}

TEST_F(Edits, LimitTextDoesNotShortenTextSetByCodeAndZeroLiftsIt)
{
    CEdit& name = dlg.Edit(IDC_NAME);
    EXPECT_EQ(name.GetLimitText(), 30000u);
    name.LimitText(3);
    name.SetWindowText("longer than three");
    EXPECT_EQ(name.GetWindowText(), "longer than three");
    Focus(name);
    name.SetSel(-1, 0);
    Key(VK_END);
    Type("x");
    EXPECT_EQ(name.GetWindowText(), "longer than three") << "still no room to type";
    Key(VK_BACK);
    EXPECT_EQ(name.GetWindowText(), "longer than thre") << "deleting is always allowed";
    name.LimitText(0);
    EXPECT_GT(name.GetLimitText(), 30000u);
}

// A filtering edit as MFC code writes one: OnChar passes digits on to the edit and drops the rest.
class DigitsOnlyEdit : public CEdit
{
  public:
    DECLARE_MESSAGE_MAP()
    void OnChar(UINT ch, UINT, UINT)
    {
        if ((ch >= '0' && ch <= '9') || ch == '\b')
            Default();
    }
};
const MessageMap& DigitsOnlyEdit::GetThisMessageMap()
{
    static const MessageMap map(&CEdit::GetThisMessageMap(), {mm::Key(WM_CHAR, &DigitsOnlyEdit::OnChar)});
    return map;
}

TEST_F(Edits, ASubclassThatSwallowsWmCharKeepsTheCharacterOut)
{
    DigitsOnlyEdit digits;
    ASSERT_TRUE(digits.SubclassDlgItem(IDC_COUNT, &dlg));
    Type(dlg, IDC_COUNT, "1a2-3");
    EXPECT_EQ(digits.GetWindowText(), "123");
    Key(VK_BACK);
    EXPECT_EQ(digits.GetWindowText(), "12");
    digits.UnsubclassWindow();
}

TEST_F(Edits, ReadOnlyEditRefusesTypingButTakesText)
{
    CEdit& name = dlg.Edit(IDC_NAME);
    name.SetReadOnly(TRUE);
    Type(dlg, IDC_NAME, "typed");
    EXPECT_EQ(name.GetWindowText(), "");
    name.SetWindowText("set");
    EXPECT_EQ(name.GetWindowText(), "set");
}

TEST_F(Edits, WmSetTextReportsAChangeFromASingleLineEditOnlyAndPutsTheSelectionAtTheStart)
{
    const std::pair<int, std::vector<int>> cases[] = {
        {IDC_NAME, {EN_UPDATE, EN_CHANGE}},
        {IDC_NOTES, {}},
        {IDC_MEMO, {}},
    };
    for (const auto &[id, codes] : cases)
    {
        SCOPED_TRACE(id);
        CEdit &edit = dlg.Edit(id);
        Focus(edit);
        Type("old text");
        edit.SetSel(2, 5);
        dlg.Forget();
        edit.SetWindowText("first\r\nsecond");
        EXPECT_EQ(dlg.Codes(id), codes);
        int start = -1, end = -1;
        edit.GetSel(start, end);
        EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, 0));
        dlg.Forget();
        Type("x");
        EXPECT_EQ(dlg.Codes(id), (std::vector<int>{EN_UPDATE, EN_CHANGE})) << "typing is reported by every kind";
        EXPECT_EQ(edit.GetWindowText().Left(6), "xfirst");
    }
}

TEST_F(Edits, LimitTextZeroGivesEachKindItsOwnCeilingAndLargeLimitsStayOnAMultiLineEdit)
{
    const std::tuple<int, UINT, UINT> cases[] = {
        {IDC_NAME, 0, 0x7FFFFFFEu},           {IDC_MEMO, 0, 0xFFFFFFFFu}, {IDC_NAME, 0x80000000u, 0x7FFFFFFEu},
        {IDC_MEMO, 0x80000000u, 0x80000000u}, {IDC_NAME, 12, 12},         {IDC_MEMO, 12, 12},
    };
    for (const auto &[id, limit, expected] : cases)
    {
        dlg.Edit(id).SetLimitText(limit);
        EXPECT_EQ(dlg.Edit(id).GetLimitText(), expected) << id << " limited to " << limit;
    }
}

} // namespace
