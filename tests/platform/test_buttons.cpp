// Push buttons, check boxes and radio buttons: what a click changes and which clicks are reported.
#include "dialog_harness.h"

#include <functional>

using namespace pdt::test;

namespace
{

using Buttons = ShownDialog<ControlsDialog>;

TEST_F(Buttons, AClickOrBmClickFocusesAPushButtonAndReportsBnClickedOnceUnlessItIsDisabled)
{
    Click(dlg, IDC_APPLY);
    EXPECT_EQ(dlg.Codes(IDC_APPLY), (std::vector<int>{BN_CLICKED}));
    EXPECT_EQ(FocusId(), IDC_APPLY);

    dlg.Button(IDC_APPLY).Click();
    dlg.Button(IDC_CHECK).Click();
    EXPECT_EQ(dlg.Count(IDC_APPLY, BN_CLICKED), 2);
    EXPECT_EQ(dlg.Count(IDC_CHECK, BN_CLICKED), 1);
    EXPECT_EQ(dlg.Button(IDC_CHECK).GetCheck(), BST_CHECKED) << "BM_CLICK toggles an automatic check box";
    EXPECT_EQ(FocusId(), IDC_CHECK) << "and moves the focus as a click does";
    dlg.GetDlgItem(IDC_APPLY)->EnableWindow(FALSE);
    Click(dlg, IDC_APPLY);
    dlg.Button(IDC_APPLY).Click();
    EXPECT_EQ(dlg.Count(IDC_APPLY, BN_CLICKED), 2);
}

TEST_F(Buttons, ATwoStateCheckBoxShowsIndeterminateAsCheckedAndSpaceTogglesIt)
{
    dlg.Button(IDC_CHECK).SetCheck(BST_INDETERMINATE);
    EXPECT_EQ(dlg.Button(IDC_CHECK).GetCheck(), BST_CHECKED);
    dlg.Button(IDC_RADIO2).SetCheck(BST_INDETERMINATE);
    EXPECT_EQ(dlg.Button(IDC_RADIO2).GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.Button(IDC_APPLY).GetCheck(), BST_UNCHECKED) << "a push button has no check";

    // Space on a focused check box toggles and reports it.
    Focus(Item(dlg, IDC_CHECK));
    Key(VK_SPACE);
    EXPECT_EQ(dlg.Button(IDC_CHECK).GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.Count(IDC_CHECK, BN_CLICKED), 1);
}

TEST_F(Buttons, AutoRadioClickChecksItAndClearsTheRestOfItsGroupOnly)
{
    // The next group and a check box stay as they are.
    dlg.Button(IDC_CHECK).SetCheck(BST_CHECKED);
    Click(dlg, IDC_RADIO4);
    Click(dlg, IDC_RADIO1);
    Click(dlg, IDC_RADIO3);
    EXPECT_EQ(dlg.Button(IDC_RADIO4).GetCheck(), BST_CHECKED);
    Click(dlg, IDC_RADIO5);
    EXPECT_EQ(dlg.Button(IDC_RADIO4).GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO3), IDC_RADIO3);
    EXPECT_EQ(dlg.Button(IDC_CHECK).GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.Codes(IDC_RADIO1), (std::vector<int>{BN_CLICKED}));
    EXPECT_TRUE(dlg.Codes(IDC_RADIO2).empty()) << "being unchecked by a neighbour is not a click";
    Click(dlg, IDC_RADIO3);
    EXPECT_EQ(dlg.Button(IDC_RADIO3).GetCheck(), BST_CHECKED) << "clicking the checked radio keeps it checked";
    EXPECT_EQ(dlg.Codes(IDC_RADIO3), (std::vector<int>{BN_CLICKED, BN_CLICKED}));
}

TEST_F(Buttons, ArrowsMoveAlongTheRadioGroupCheckingAsTheyGo)
{
    Click(dlg, IDC_RADIO1);
    dlg.Forget();
    Key(VK_RIGHT);
    EXPECT_EQ(FocusId(), IDC_RADIO2);
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO3), IDC_RADIO2);
    Key(VK_DOWN);
    EXPECT_EQ(FocusId(), IDC_RADIO3);
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO3), IDC_RADIO3);
    Key(VK_DOWN);
    EXPECT_EQ(FocusId(), IDC_RADIO1) << "the group wraps round and never reaches the next group";
    EXPECT_EQ(dlg.Button(IDC_RADIO4).GetCheck(), BST_UNCHECKED);
    Key(VK_UP);
    EXPECT_EQ(FocusId(), IDC_RADIO3);
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO3), IDC_RADIO3);
    EXPECT_EQ(dlg.Count(IDC_RADIO2, BN_CLICKED), 1);
    EXPECT_EQ(dlg.Count(IDC_RADIO3, BN_CLICKED), 2);
    EXPECT_EQ(dlg.Button(IDC_RADIO1).GetCheck() + dlg.Button(IDC_RADIO2).GetCheck(), 0);
}

TEST_F(Buttons, CheckingARadioButtonGivesItTheGroupsTabStopAndUncheckingTakesItAway)
{
    struct Step
    {
        const char *what;
        std::function<void()> act;
        std::vector<bool> tabStops; // of the first group's three buttons
        int tabLandsOn;             // Tab from the check box before the group
    };
    auto stop = [&](int id) { return (dlg.GetDlgItem(id)->GetStyle() & WS_TABSTOP) != 0; };
    const Step steps[] = {
        {"as the template has it", [] {}, {true, false, false}, IDC_RADIO1},
        {"CheckRadioButton",
         [&] { dlg.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO2); },
         {false, true, false},
         IDC_RADIO2},
        {"SetCheck alone leaves the other button's stop",
         [&] { dlg.Button(IDC_RADIO3).SetCheck(BST_CHECKED); },
         {false, true, true},
         IDC_RADIO2},
        {"a click checks one and unchecks the rest", [&] { Click(dlg, IDC_RADIO1); }, {true, false, false}, IDC_RADIO1},
        {"nothing checked: no button holds a stop, yet Tab stops at the group's first",
         [&] { dlg.Button(IDC_RADIO1).SetCheck(BST_UNCHECKED); },
         {false, false, false},
         IDC_RADIO1},
    };
    for (const Step &step : steps)
    {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ((std::vector<bool>{stop(IDC_RADIO1), stop(IDC_RADIO2), stop(IDC_RADIO3)}), step.tabStops);
        Focus(Item(dlg, IDC_MANUALCHECK));
        Key(VK_TAB);
        EXPECT_EQ(FocusId(), step.tabLandsOn);
    }
}

TEST_F(Buttons, EnterInAMultiLineEditWithoutWantReturnMovesTheFocusToTheDefaultButtonBeforeItsClick)
{
    dlg.closes = false;
    Focus(Item(dlg, IDC_MEMO));
    Type("x");
    dlg.Forget();
    Key(VK_RETURN);
    EXPECT_EQ(dlg.notes, (std::vector<Notification>{{IDC_MEMO, EN_KILLFOCUS}, {IDOK, BN_CLICKED}}));
    EXPECT_EQ(FocusId(), IDOK);
    EXPECT_EQ(dlg.oks, 1);
    EXPECT_EQ(dlg.Edit(IDC_MEMO).GetWindowText(), "x") << "the edit did not take the Enter";

    // An edit that keeps Enter types a line break and clicks nothing.
    Focus(Item(dlg, IDC_NOTES));
    dlg.Forget();
    Key(VK_RETURN);
    EXPECT_EQ(FocusId(), IDC_NOTES);
    EXPECT_EQ(dlg.Edit(IDC_NOTES).GetWindowText(), "\r\n");
    EXPECT_EQ(dlg.oks, 1);
}

} // namespace
