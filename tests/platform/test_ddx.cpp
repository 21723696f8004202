// Dialog data exchange and validation: MFC's conversions, its messages, and where the focus goes on failure.
#include "dialog_harness.h"

#include <functional>
#include <optional>

#include "platform/afxdd.h"

using namespace pdt::test;

namespace
{

// Each test gives the dialog its own DoDataExchange.
class DataDialog : public ControlsDialog
{
  public:
    std::function<void(CDataExchange*)> exchange;
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (exchange)
            exchange(pDX);
    }
};

class DataExchange : public ShownDialog<DataDialog>
{
  protected:
    // Saves IDC_COUNT into an int; the value is empty when the exchange failed.
    std::optional<int> SaveInt(const char* text)
    {
        dlg.SetDlgItemText(IDC_COUNT, text);
        int value = 12345;
        dlg.exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_COUNT, value); };
        if (!dlg.UpdateData(TRUE))
        {
            EXPECT_EQ(value, 12345) << "a failed exchange leaves the member alone";
            return std::nullopt;
        }
        return value;
    }
    std::pair<int, int> Selection(int id)
    {
        int start = -1, end = -1;
        dlg.Edit(id).GetSel(start, end);
        return {start, end};
    }
};

TEST_F(DataExchange, IntegersAreReadAsMfcReadsThemAndAnythingElseIsRefusedWithItsMessage)
{
    EXPECT_EQ(SaveInt(" 42 "), 42) << "blanks around the number are allowed";
    EXPECT_EQ(SaveInt("\t-5"), -5);
    EXPECT_EQ(SaveInt("+7"), 7);
    EXPECT_EQ(SaveInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(SaveInt("2147483647"), INT32_MAX);
    EXPECT_TRUE(MessageBoxes().empty());
    for (const char* bad : {"abc", "12abc", "99999999999", "2147483648", "", "  ", "4 2", "0x10", "-0", "1.5"})
    {
        ExpectMessageBox(IDOK);
        EXPECT_EQ(SaveInt(bad), std::nullopt) << '"' << bad << '"';
    }
    ASSERT_EQ(MessageBoxes().size(), 10u);
    for (const SeenMessageBox& box : MessageBoxes())
    {
        EXPECT_EQ(box.text, "Please enter an integer.");
        EXPECT_EQ(box.type, UINT(MB_OK | MB_ICONEXCLAMATION));
    }
}

TEST_F(DataExchange, FailureStopsAtTheFailingFieldFocusesItAndSelectsItsText)
{
    dlg.SetDlgItemText(IDC_NAME, "after");
    dlg.SetDlgItemText(IDC_COUNT, "12abc");
    int count = 1;
    CString name = "before";
    dlg.exchange = [&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_COUNT, count);
        DDX_Text(pDX, IDC_NAME, name);
    };
    Focus(Item(dlg, IDC_NAME));
    ExpectMessageBox(IDOK);
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(name, "before");
    EXPECT_EQ(FocusId(), IDC_COUNT);
    EXPECT_EQ(Selection(IDC_COUNT), std::make_pair(0, 5));

    // A control that is not there fails the exchange without crashing.
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, 4242, name); };
    ExpectMessageBox(IDOK);
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(MessageBoxes().size(), 2u);
}

TEST_F(DataExchange, CheckLoadsOutOfRangeValuesAsUncheckedAndRadioExchangesTheIndexWithinItsGroup)
{
    int check = 0;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Check(pDX, IDC_CHECK, check); };
    for (int loaded : {3, -1})
    {
        dlg.Button(IDC_CHECK).SetCheck(BST_CHECKED);
        check = loaded;
        EXPECT_TRUE(dlg.UpdateData(FALSE));
        EXPECT_EQ(dlg.Button(IDC_CHECK).GetCheck(), BST_UNCHECKED) << loaded;
        EXPECT_EQ(check, 0) << "MFC puts the member back to unchecked";
    }
    check = 1;
    dlg.UpdateData(FALSE);
    EXPECT_EQ(dlg.Button(IDC_CHECK).GetCheck(), BST_CHECKED);
    Click(dlg, IDC_CHECK);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(check, 0);

    // A radio group exchanges the index of its checked button.
    int radio = 2;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Radio(pDX, IDC_RADIO1, radio); };
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO3), IDC_RADIO3);
    EXPECT_EQ(dlg.Button(IDC_RADIO1).GetCheck() + dlg.Button(IDC_RADIO2).GetCheck(), 0);

    Click(dlg, IDC_RADIO2);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(radio, 1);

    radio = -1;
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO3), 0) << "-1 checks none";
    radio = 7;
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(radio, -1) << "none checked saves as -1";
    EXPECT_EQ(dlg.Count(IDC_RADIO1, BN_CLICKED) + dlg.Count(IDC_RADIO3, BN_CLICKED), 0);
}

} // namespace
