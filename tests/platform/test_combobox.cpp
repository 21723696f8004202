// Combo boxes: which changes are reported, the searches, the sorted list, item data and the text each kind shows.
#include "dialog_harness.h"

#include <functional>
#include <utility>

using namespace pdt::test;

namespace
{

// Records the selection the list reports as its own inside the CBN_SELCHANGE handler.
class ComboDialog : public ControlsDialog
{
  public:
    DECLARE_MESSAGE_MAP()
    std::vector<int> seenSel;
    std::vector<CString> seenEditText;
    std::vector<CString> seenTextAtSelChange; // the drop-down's edit text inside its CBN_SELCHANGE handler
    void OnSelchangeList() { seenSel.push_back(Combo(IDC_LIST).GetCurSel()); }
    void OnSelchangeEditCombo()
    {
        seenTextAtSelChange.push_back(Combo(IDC_EDITCOMBO).GetWindowText());
    }
    void OnEditchangeEditCombo() { seenEditText.push_back(Combo(IDC_EDITCOMBO).GetWindowText()); }
};
const MessageMap& ComboDialog::GetThisMessageMap()
{
    static const MessageMap map(&CDialog::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_LIST, CBN_SELCHANGE, &ComboDialog::OnSelchangeList),
                                    mm::Command(IDC_EDITCOMBO, CBN_EDITCHANGE, &ComboDialog::OnEditchangeEditCombo),
                                    mm::Command(IDC_EDITCOMBO, CBN_SELCHANGE, &ComboDialog::OnSelchangeEditCombo),
                                });
    return map;
}

class Combos : public ShownDialog<ComboDialog>
{
  protected:
    void Fill(int id, std::initializer_list<const char*> items)
    {
        for (const char* s : items)
            dlg.Combo(id).AddString(s);
    }
    std::vector<CString> Items(int id) { return ItemTexts(Item(dlg, id)); }
};

TEST_F(Combos, ChoosingAnItemWithTheMouseReportsOneSelChange)
{
    Fill(IDC_LIST, {"red", "green", "blue"});
    ChooseComboItem(Item(dlg, IDC_LIST), 2); // sorted: blue green red
    EXPECT_EQ(dlg.Count(IDC_LIST, CBN_SELCHANGE), 1);
    EXPECT_EQ(dlg.Count(IDC_LIST, CBN_DROPDOWN), 1);
    EXPECT_EQ(dlg.Count(IDC_LIST, CBN_CLOSEUP), 1);
    EXPECT_EQ(dlg.seenSel, (std::vector<int>{2})) << "the handler sees the new selection";
    EXPECT_EQ(dlg.Combo(IDC_LIST).GetWindowText(), "red");
}

TEST_F(Combos, SelectionByCodeIsSilent)
{
    Fill(IDC_LIST, {"red", "green", "blue"});
    CComboBox& list = dlg.Combo(IDC_LIST);
    EXPECT_EQ(list.SetCurSel(1), 1);
    EXPECT_EQ(list.SelectString(-1, "re"), 2);
    EXPECT_EQ(list.SetCurSel(-1), CB_ERR);
    list.SetWindowText("blue");
    EXPECT_EQ(dlg.Count(IDC_LIST, CBN_SELCHANGE), 0);
    EXPECT_TRUE(dlg.seenSel.empty());
}

TEST_F(Combos, ArrowsAndLettersInAClosedDropDownListMoveTheSelectionAndReportIt)
{
    Fill(IDC_LIST, {"one", "two", "three"}); // one three two
    CComboBox& list = dlg.Combo(IDC_LIST);
    list.SetCurSel(0);
    Focus(list);
    Key(VK_DOWN);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(FocusId(), IDC_LIST) << "arrows belong to the combo box, not to the dialog";
    Key(VK_DOWN);
    Key(VK_UP);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(dlg.seenSel, (std::vector<int>{1, 2, 1}));
    EXPECT_FALSE(list.GetDroppedState());
    Type("o");
    EXPECT_EQ(list.GetCurSel(), 0) << "a letter selects the item starting with it";
    EXPECT_EQ(dlg.seenSel.size(), 4u);
}

TEST_F(Combos, SearchesIgnoreCaseStartAfterTheIndexAndWrap)
{
    Fill(IDC_EDITCOMBO, {"apple", "Banana", "apricot", "APPLE"});
    CComboBox& c = dlg.Combo(IDC_EDITCOMBO);
    EXPECT_EQ(c.FindStringExact(0, "apple"), 3);
    EXPECT_EQ(c.FindStringExact(3, "apple"), 0) << "the search wraps round";
    EXPECT_EQ(c.FindStringExact(-1, "app"), CB_ERR);
    EXPECT_EQ(c.FindString(0, "AP"), 2) << "FindString is a prefix search";
    EXPECT_EQ(c.SelectString(2, "ap"), 3);
    EXPECT_EQ(c.SelectString(3, "ap"), 0);
    EXPECT_EQ(c.GetWindowText(), "apple") << "the edit shows the selected item";
    EXPECT_EQ(c.SelectString(-1, "zebra"), CB_ERR);
    EXPECT_EQ(c.GetCurSel(), 0) << "a failed search leaves the selection alone";
    EXPECT_EQ(dlg.Count(IDC_EDITCOMBO, CBN_SELCHANGE), 0);
}

TEST_F(Combos, SortedListsInsertInCaseInsensitiveOrderOthersInTheOrderOfAdding)
{
    CComboBox& list = dlg.Combo(IDC_LIST);
    EXPECT_EQ(list.AddString("cherry"), 0);
    EXPECT_EQ(list.AddString("Banana"), 0);
    EXPECT_EQ(list.AddString("Date"), 2);
    EXPECT_EQ(list.AddString("blueberry"), 1);
    EXPECT_EQ(Items(IDC_LIST), (std::vector<CString>{"Banana", "blueberry", "cherry", "Date"}));
    EXPECT_EQ(list.InsertString(0, "zzz"), 0) << "InsertString puts the item where it is told, even in a sorted list";
    Fill(IDC_EDITCOMBO, {"c", "a", "b"});
    EXPECT_EQ(dlg.Combo(IDC_EDITCOMBO).InsertString(-1, "end"), 3);
    EXPECT_EQ(Items(IDC_EDITCOMBO), (std::vector<CString>{"c", "a", "b", "end"}));
}

TEST_F(Combos, ItemDataTravelsWithItsItemAndTheSelectionStaysOnItsItem)
{
    CComboBox& list = dlg.Combo(IDC_LIST);
    list.SetItemData(list.AddString("m"), 13);
    list.SetItemData(list.AddString("z"), 26);
    int a = list.AddString("a"); // goes in front of both
    EXPECT_EQ(a, 0);
    EXPECT_EQ(list.GetItemData(0), 0u) << "a new item's data is zero";
    EXPECT_EQ(list.GetItemData(1), 13u);
    EXPECT_EQ(list.GetItemData(2), 26u);
    list.DeleteString(1);
    EXPECT_EQ(list.GetItemData(1), 26u);
    EXPECT_EQ(list.GetItemData(7), DWORD_PTR(CB_ERR));
    EXPECT_EQ(list.SetItemData(7, 1), CB_ERR);

    Fill(IDC_EDITCOMBO, {"a", "b", "c", "d"});
    CComboBox& c = dlg.Combo(IDC_EDITCOMBO);
    c.SetCurSel(2);
    EXPECT_EQ(c.DeleteString(0), 3);
    EXPECT_EQ(c.GetCurSel(), 1) << "the selected item moved up";
    EXPECT_EQ(c.DeleteString(1), 2);
    EXPECT_EQ(c.GetCurSel(), CB_ERR) << "deleting the selected item leaves nothing selected";
    EXPECT_EQ(c.DeleteString(5), CB_ERR);
    c.SetCurSel(0);
    c.ResetContent();
    EXPECT_EQ(c.GetWindowText(), "");
    EXPECT_EQ(dlg.Count(IDC_EDITCOMBO, CBN_SELCHANGE), 0);
}

TEST_F(Combos, WindowTextIsTheEditOfADropDownAndTheSelectionOfADropDownList)
{
    Fill(IDC_LIST, {"one", "two"});
    Fill(IDC_EDITCOMBO, {"one", "two"});
    CComboBox& list = dlg.Combo(IDC_LIST);
    CComboBox& drop = dlg.Combo(IDC_EDITCOMBO);
    EXPECT_EQ(list.GetWindowText(), "") << "no selection, no text";
    drop.SetWindowText("free text");
    EXPECT_EQ(drop.GetWindowText(), "free text");
    EXPECT_EQ(drop.GetCurSel(), CB_ERR);

    list.SetCurSel(1);
    drop.SetCurSel(1);
    EXPECT_EQ(list.GetWindowText(), "two");
    EXPECT_EQ(drop.GetWindowText(), "two");

    drop.SetCurSel(-1);
    EXPECT_EQ(drop.GetWindowText(), "") << "no selection clears the edit";
}

TEST_F(Combos, TypingInTheDropDownsEditReportsEditUpdateThenEditChange)
{
    Type(dlg, IDC_EDITCOMBO, "ab");
    std::vector<int> codes;
    for (int code : dlg.Codes(IDC_EDITCOMBO))
        if (code == CBN_EDITCHANGE || code == CBN_EDITUPDATE || code == CBN_SELCHANGE)
            codes.push_back(code);
    EXPECT_EQ(codes, (std::vector<int>{CBN_EDITUPDATE, CBN_EDITCHANGE, CBN_EDITUPDATE, CBN_EDITCHANGE}));
    EXPECT_EQ(dlg.seenEditText, (std::vector<CString>{"a", "ab"}));
    dlg.Combo(IDC_EDITCOMBO).AddString("other");
    EXPECT_EQ(dlg.Combo(IDC_EDITCOMBO).GetWindowText(), "ab") << "adding to the list keeps the typed text";
}

TEST_F(Combos, TextSetByCodeOrChosenFromTheListIsNotAnEditChange)
{
    Fill(IDC_EDITCOMBO, {"first", "second"});
    dlg.Combo(IDC_EDITCOMBO).SetWindowText("set");
    dlg.Combo(IDC_EDITCOMBO).SetCurSel(0);
    EXPECT_EQ(dlg.Count(IDC_EDITCOMBO, CBN_EDITCHANGE) + dlg.Count(IDC_EDITCOMBO, CBN_EDITUPDATE), 0);
    ChooseComboItem(Item(dlg, IDC_EDITCOMBO), 1);
    EXPECT_EQ(dlg.Count(IDC_EDITCOMBO, CBN_SELCHANGE), 1);
    EXPECT_EQ(dlg.Count(IDC_EDITCOMBO, CBN_EDITCHANGE), 0) << "a choice from the list is not an edit";
    EXPECT_EQ(dlg.Combo(IDC_EDITCOMBO).GetWindowText(), "second");
    EXPECT_EQ(dlg.Combo(IDC_EDITCOMBO).GetCurSel(), 1);
}

TEST_F(Combos, BadIndexesAndNullTextDoNotCrash)
{
    CComboBox& c = dlg.Combo(IDC_EDITCOMBO);
    CString s = "unchanged";
    c.GetLBText(3, s);
    EXPECT_EQ(s, "");
    EXPECT_EQ(c.GetLBTextLen(-2), CB_ERR);
    EXPECT_EQ(c.SendMessage(CB_ADDSTRING, 0, 0), 0) << "a null string adds an empty item";
    EXPECT_EQ(c.SendMessage(CB_GETLBTEXT, 0, 0), CB_ERR);
}

TEST_F(Combos, EachWayOfChoosingOrLeavingReportsTheWin32Sequence)
{
    Fill(IDC_LIST, {"one", "two", "three"}); // one three two
    struct Case
    {
        const char *what;
        std::function<void()> act;
        std::vector<int> codes;
    };
    HWND list = Item(dlg, IDC_LIST);
    const Case cases[] = {
        {"an arrow key in the closed list", [] { Key(VK_DOWN); }, {CBN_SELENDOK, CBN_SELCHANGE}},
        {"a letter in the closed list", [] { Type("t"); }, {CBN_SELENDOK, CBN_SELCHANGE}},
        {"a click in the dropped list",
         [&] { ChooseComboItem(list, 0); },
         {CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}},
        {"Escape in the dropped list",
         [&] {
             dlg.Combo(IDC_LIST).ShowDropDown(TRUE);
             Pump();
             Key(VK_ESCAPE);
         },
         {CBN_SELENDCANCEL, CBN_CLOSEUP}},
        {"the focus moving on", [&] { Focus(Item(dlg, IDC_NAME)); }, {CBN_SELENDCANCEL, CBN_KILLFOCUS}},
    };
    for (const Case &c : cases)
    {
        SCOPED_TRACE(c.what);
        Focus(list);
        dlg.Forget();
        c.act();
        EXPECT_EQ(dlg.Codes(IDC_LIST), c.codes);
    }
}

TEST_F(Combos, ADropDownsSelChangeHandlerSeesTheOldEditTextAndTheEditShowsTheItemAfterwards)
{
    Fill(IDC_EDITCOMBO, {"alpha", "beta"});
    CComboBox &c = dlg.Combo(IDC_EDITCOMBO);
    Type(dlg, IDC_EDITCOMBO, "typed");
    Key(VK_DOWN);
    ChooseComboItem(Item(dlg, IDC_EDITCOMBO), 1);
    EXPECT_EQ(dlg.seenTextAtSelChange, (std::vector<CString>{"typed", "alpha"}));
    EXPECT_EQ(c.GetWindowText(), "beta");
    EXPECT_EQ(c.GetCurSel(), 1);
    EXPECT_EQ(dlg.Count(IDC_EDITCOMBO, CBN_EDITCHANGE), 5) << "only the typing is an edit change";
}

TEST_F(Combos, TheEditSelectionAfterSetTextIsAtTheStartAndGetEditSelAlsoAnswersThroughItsPointers)
{
    CComboBox &c = dlg.Combo(IDC_EDITCOMBO);
    Type(dlg, IDC_EDITCOMBO, "before");
    c.SetWindowText("hello");
    EXPECT_EQ(c.GetEditSel(), DWORD(MAKELONG(0, 0)));
    c.SetEditSel(1, 3);
    DWORD start = 99, end = 99;
    EXPECT_EQ(c.SendMessage(CB_GETEDITSEL, WPARAM(&start), LPARAM(&end)), MAKELONG(1, 3));
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(DWORD(1), DWORD(3)));
    EXPECT_EQ(dlg.Combo(IDC_LIST).SendMessage(CB_GETEDITSEL, WPARAM(&start), LPARAM(&end)), CB_ERR)
        << "a drop-down list has no edit";
}

TEST_F(Combos, HidingOrClosingAListThatIsNotDroppedReportsNoCloseUp)
{
    Fill(IDC_LIST, {"one"});
    CComboBox &list = dlg.Combo(IDC_LIST);
    list.ShowDropDown(FALSE);
    list.ShowWindow(SW_HIDE);
    list.ShowWindow(SW_SHOW);
    Pump();
    EXPECT_EQ(dlg.Count(IDC_LIST, CBN_CLOSEUP), 0);
    ChooseComboItem(Item(dlg, IDC_LIST), 0);
    EXPECT_EQ(dlg.Count(IDC_LIST, CBN_CLOSEUP), 1) << "the list that really closes says so";
    list.ShowWindow(SW_HIDE);
    Pump();
    EXPECT_EQ(dlg.Count(IDC_LIST, CBN_CLOSEUP), 1);
}

} // namespace
