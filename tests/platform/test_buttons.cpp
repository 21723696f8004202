// Push buttons, check boxes and radio buttons: what a click changes and which clicks are reported.
#include "dialog_harness.h"

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

TEST_F(Buttons, SettingTheCheckFromCodeIsSilent)
{
    dlg.Button(IDC_CHECK).SetCheck(BST_CHECKED);
    dlg.CheckDlgButton(IDC_MANUALCHECK, BST_CHECKED);
    dlg.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO2);
    dlg.Button(IDC_CHECK).SetCheck(BST_UNCHECKED);
    EXPECT_TRUE(dlg.notes.empty()) << ::testing::PrintToString(dlg.notes);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_MANUALCHECK), UINT(BST_CHECKED));
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO3), IDC_RADIO2);
}

TEST_F(Buttons, AnAutoCheckBoxTogglesOnEachClickAndAManualOneLeavesTheCheckToItsOwner)
{
    CButton& check = dlg.Button(IDC_CHECK);
    ASSERT_EQ(check.GetCheck(), BST_UNCHECKED);
    Click(dlg, IDC_CHECK);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    Click(dlg, IDC_CHECK);
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.Count(IDC_CHECK, BN_CLICKED), 2);

    // A manual check box reports the click but leaves the check to its owner.
    CButton& manual = dlg.Button(IDC_MANUALCHECK);
    Click(dlg, IDC_MANUALCHECK);
    EXPECT_EQ(manual.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.Count(IDC_MANUALCHECK, BN_CLICKED), 1);
    manual.SetCheck(BST_CHECKED);
    Click(dlg, IDC_MANUALCHECK);
    EXPECT_EQ(manual.GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.Count(IDC_MANUALCHECK, BN_CLICKED), 2);
}

TEST_F(Buttons, ADoubleClickIsTwoClicks)
{
    DoubleClick(Item(dlg, IDC_APPLY));
    DoubleClick(Item(dlg, IDC_CHECK));
    EXPECT_EQ(dlg.Count(IDC_APPLY, BN_CLICKED), 2);
    EXPECT_EQ(dlg.Count(IDC_CHECK, BN_CLICKED), 2);
    EXPECT_EQ(dlg.Button(IDC_CHECK).GetCheck(), BST_UNCHECKED) << "toggled twice";
    EXPECT_EQ(dlg.Count(IDC_APPLY, BN_DOUBLECLICKED), 0) << "only BS_NOTIFY buttons report double clicks";
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

TEST_F(Buttons, TabLandsOnTheCheckedRadioOfEachGroupOrItsFirst)
{
    Focus(Item(dlg, IDC_MANUALCHECK));
    Key(VK_TAB);
    EXPECT_EQ(FocusId(), IDC_RADIO1) << "none checked: the first";
    Click(dlg, IDC_RADIO3);
    Click(dlg, IDC_RADIO5);
    Focus(Item(dlg, IDC_MANUALCHECK));
    Key(VK_TAB);
    EXPECT_EQ(FocusId(), IDC_RADIO3);
    Key(VK_TAB);
    EXPECT_EQ(FocusId(), IDC_RADIO5) << "each group is one tab stop, entered at its checked button";
    Key(VK_TAB, /*shift=*/true);
    EXPECT_EQ(FocusId(), IDC_RADIO3);
    Key(VK_TAB, /*shift=*/true);
    EXPECT_EQ(FocusId(), IDC_MANUALCHECK);
}

} // namespace
