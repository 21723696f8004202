// Combo boxes: which of a user's choices are reported and in what order.
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

} // namespace
