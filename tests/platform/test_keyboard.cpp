// The dialog manager's keys: Enter, Escape, Tab and the arrows, what a control can claim for itself with
// WM_GETDLGCODE, and pages nested in a dialog.
#include "dialog_harness.h"
#include "platform/afxcmn.h"

#include <functional>

using namespace pdt::test;

namespace
{

// ---------------------------------------------------------------------------------------------------------------
// Enter and Escape in a modal dialog.

// Enter presses the default button, or the push button that has the focus; never a check box, nor a line end
// into a multi-line edit without ES_WANTRETURN. Escape cancels from any control, even with Cancel disabled, except
// from a multi-line edit.
TEST(DialogKeys, EnterPressesTheDefaultOrTheFocusedPushButtonAndEscapeCancelsFromAnyControl)
{
    struct Case
    {
        int focus;
        UINT key;
        INT_PTR result;
        int pressed; // the button the key clicks, if any
    };
    const Case cases[] = {
        {IDC_NAME, VK_RETURN, IDOK, IDOK},
        {IDC_CHECK, VK_RETURN, IDOK, IDOK},
        {IDC_MEMO, VK_RETURN, IDOK, IDOK},
        {IDCANCEL, VK_RETURN, IDCANCEL, IDCANCEL},
        {IDC_APPLY, VK_RETURN, IDCANCEL, IDC_APPLY},
        {IDC_NAME, VK_ESCAPE, IDCANCEL, 0},
        {IDC_NOTES, VK_ESCAPE, IDCANCEL, 0},
        {IDC_MEMO, VK_ESCAPE, IDCANCEL, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << "key " << c.key << " with the focus on " << c.focus);
        ControlsDialog dlg;
        CString memo;
        ExpectModal([&](CDialog& d) {
            Focus(Item(d, c.focus));
            Key(c.key);
            memo = d.GetDlgItem(IDC_MEMO)->GetWindowText();
            if (d.IsWindowVisible())
                Key(VK_ESCAPE);
        });
        EXPECT_EQ(dlg.DoModal(), c.result);
        EXPECT_EQ(dlg.Count(c.pressed, BN_CLICKED), c.pressed ? 1 : 0);
        EXPECT_EQ(dlg.oks, c.result == IDOK ? 1 : 0);
        EXPECT_EQ(dlg.cancels, c.result == IDCANCEL ? 1 : 0);
        EXPECT_EQ(dlg.Count(IDC_CHECK, BN_CLICKED), 0);
        EXPECT_EQ(memo, "");
    }

    // Even with Cancel disabled, except from a multi-line edit.
    ControlsDialog dlg;
    ExpectModal([&](CDialog& d) {
        d.GetDlgItem(IDCANCEL)->EnableWindow(FALSE);
        Focus(Item(d, IDC_NOTES));
        Key(VK_ESCAPE);
        EXPECT_TRUE(d.IsWindowVisible()) << "the edit's close request is refused like the close box";
        EXPECT_EQ(dlg.cancels, 0);
        Focus(Item(d, IDC_NAME));
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.cancels, 1);
}

// ---------------------------------------------------------------------------------------------------------------
// Controls that claim keys.

// Wants every key, as a grid or an expression editor does; records the keys it is given.
class GreedyEdit : public CEdit
{
  public:
    DECLARE_MESSAGE_MAP()
    std::vector<UINT> keys;
    UINT OnGetDlgCode() { return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS; }
    void OnKeyDown(UINT vk, UINT, UINT)
    {
        keys.push_back(vk);
        Default();
    }
};
const MessageMap& GreedyEdit::GetThisMessageMap()
{
    static const MessageMap map(&CEdit::GetThisMessageMap(), {
                                                                 mm::GetDlgCode(&GreedyEdit::OnGetDlgCode),
                                                                 mm::Key(WM_KEYDOWN, &GreedyEdit::OnKeyDown),
                                                             });
    return map;
}

TEST(DialogKeys, AControlWantingAllKeysGetsEnterEscapeAndTab)
{
    ControlsDialog dlg;
    GreedyEdit greedy;
    ExpectModal([&](CDialog& d) {
        ASSERT_TRUE(greedy.SubclassDlgItem(IDC_NAME, &d));
        Focus(greedy);
        Key(VK_RETURN);
        Key(VK_ESCAPE);
        Key(VK_TAB);
        EXPECT_TRUE(d.IsWindowVisible());
        EXPECT_EQ(FocusId(), IDC_NAME) << "Tab stayed in the control";
        EXPECT_EQ(greedy.keys, (std::vector<UINT>{VK_RETURN, VK_ESCAPE, VK_TAB}));
        greedy.UnsubclassWindow();
        Key(VK_TAB);
        EXPECT_EQ(FocusId(), IDC_COUNT) << "without the subclass Tab moves on again";
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.oks, 0);
    EXPECT_EQ(dlg.cancels, 1);
}

// ---------------------------------------------------------------------------------------------------------------
// Tab order, arrows, WM_NEXTDLGCTL.

using Navigation = ShownDialog<ControlsDialog>;

TEST_F(Navigation, TabSkipsDisabledAndHiddenControlsAndArrowsStayInControlsThatWantThemOrMoveInAGroup)
{
    dlg.GetDlgItem(IDC_COUNT)->EnableWindow(FALSE);
    dlg.GetDlgItem(IDC_LIST)->ShowWindow(SW_HIDE);
    Focus(Item(dlg, IDC_NAME));
    Key(VK_TAB);
    EXPECT_EQ(FocusId(), IDC_EDITCOMBO);
    Key(VK_TAB, /*shift=*/true);
    EXPECT_EQ(FocusId(), IDC_NAME);
    dlg.GetDlgItem(IDC_COUNT)->EnableWindow(TRUE);
    Key(VK_TAB);
    EXPECT_EQ(FocusId(), IDC_COUNT);

    dlg.SetDlgItemText(IDC_NAME, "abc");
    Focus(Item(dlg, IDC_NAME));
    Key(VK_DOWN);
    Key(VK_RIGHT);
    EXPECT_EQ(FocusId(), IDC_NAME);
    // Apply, OK and Cancel have no WS_GROUP: they close the group the notes edit starts.
    Focus(Item(dlg, IDC_APPLY));
    Key(VK_RIGHT);
    EXPECT_EQ(FocusId(), IDOK);
    Key(VK_DOWN);
    EXPECT_EQ(FocusId(), IDCANCEL);
    EXPECT_EQ(dlg.Count(IDOK, BN_CLICKED) + dlg.Count(IDCANCEL, BN_CLICKED), 0) << "arrows do not press buttons";
}

// ---------------------------------------------------------------------------------------------------------------
// A page (DS_CONTROL child dialog) inside a host dialog.

class NestedPage : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create(IDD_HOST));
        host.ShowWindow(SW_SHOW);
        Pump();
        ASSERT_TRUE(page.Create(IDD_PAGE, &host));
        CRect area;
        host.GetDlgItem(IDC_PAGE_AREA)->GetWindowRect(&area);
        host.ScreenToClient(&area);
        page.SetWindowPos(host.GetDlgItem(IDC_PAGE_AREA), area.left, area.top, area.Width(), area.Height(), 0);
        Pump();
    }
    void TearDown() override
    {
        page.DestroyWindow();
        host.DestroyWindow();
        Pump();
    }
    ControlsDialog host{IDD_HOST};
    ControlsDialog page{IDD_PAGE};
};

bool LooksDefault(HWND button) { return (::SendMessage(button, WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON) != 0; }

// A push button that took the default look with the focus gives it back once the focus leaves for a control that
// is no push button, however the focus leaves (a click, SetFocus) or came (Tab, a click); meanwhile DM_GETDEFID
// answers the dialog's own default, and Enter in the page's edit is the page's OK, never the button's.
TEST_F(NestedPage, APushButtonGivesTheDefaultLookBackWhenTheFocusLeavesItAnyWay)
{
    struct Case
    {
        const char* how;
        std::function<void(ControlsDialog& page)> toButton, toEdit;
    };
    const Case cases[] = {
        {"Tab, then a click", [](ControlsDialog&) { Key(VK_TAB); }, [](ControlsDialog& p) { Click(p, IDC_PAGE_EDIT); }},
        {"a click, then a click", [](ControlsDialog& p) { Click(p, IDC_PAGE_BUTTON); },
         [](ControlsDialog& p) { Click(p, IDC_PAGE_EDIT); }},
        {"Tab, then SetFocus", [](ControlsDialog&) { Key(VK_TAB); },
         [](ControlsDialog& p) { p.GetDlgItem(IDC_PAGE_EDIT)->SetFocus(); }},
    };
    page.ShowWindow(SW_SHOW);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.how);
        page.ShowWindow(SW_SHOW);
        Focus(Item(page, IDC_PAGE_EDIT));
        c.toButton(page);
        ASSERT_EQ(::GetFocus(), Item(page, IDC_PAGE_BUTTON)) << c.how;
        EXPECT_TRUE(LooksDefault(Item(page, IDC_PAGE_BUTTON)));
        EXPECT_FALSE(LooksDefault(Item(host, IDOK)));
        EXPECT_EQ(host.GetDefID(), DWORD(MAKELONG(IDOK, DC_HASDEFID)));
        EXPECT_EQ(page.GetDefID(), 0u) << "the page has no default of its own";

        c.toEdit(page);
        Pump();
        ASSERT_EQ(::GetFocus(), Item(page, IDC_PAGE_EDIT));
        EXPECT_FALSE(LooksDefault(Item(page, IDC_PAGE_BUTTON)));
        EXPECT_TRUE(LooksDefault(Item(host, IDOK)));
        page.Forget();
        int oks = page.oks;
        Key(VK_RETURN);
        EXPECT_EQ(page.oks, oks + 1);
        EXPECT_EQ(page.Count(IDC_PAGE_BUTTON, BN_CLICKED), 0);
    }
}

} // namespace
