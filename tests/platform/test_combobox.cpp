// Combo boxes: what a drop-down's selection handler sees of its edit text, and what the edit shows afterwards.
#include "dialog_harness.h"

using namespace pdt::test;

namespace
{

// Records the drop-down's edit text inside its CBN_SELCHANGE handler.
class ComboDialog : public ControlsDialog
{
  public:
    DECLARE_MESSAGE_MAP()
    std::vector<CString> seenTextAtSelChange;
    void OnSelchangeEditCombo()
    {
        seenTextAtSelChange.push_back(Combo(IDC_EDITCOMBO).GetWindowText());
    }
};
const MessageMap& ComboDialog::GetThisMessageMap()
{
    static const MessageMap map(&CDialog::GetThisMessageMap(),
                                {
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
};

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
