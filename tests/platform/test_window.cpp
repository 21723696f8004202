// Windows: handles, the wrappers of controls, and bad input.
#include "dialog_harness.h"

using namespace pdt::test;

namespace
{

using Windows = ShownDialog<ControlsDialog>;

// ---------------------------------------------------------------------------------------------------------------
// Handles and bad input.

TEST_F(Windows, FromHandleGivesTheAttachedObjectOrAWrapperOfTheControlsClass)
{
    EXPECT_EQ(CWnd::FromHandle(dlg.m_hWnd), &dlg);
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
    HWND name = Item(dlg, IDC_NAME);
    CWnd* wrapper = CWnd::FromHandle(name);
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper->m_hWnd, name);
    EXPECT_EQ(CWnd::FromHandle(name), wrapper) << "the same wrapper each time";
    EXPECT_EQ(CWnd::FromHandlePermanent(name), nullptr);
    EXPECT_EQ(wrapper->GetParent(), &dlg);
    EXPECT_EQ(wrapper->GetTopLevelParent(), &dlg);
    EXPECT_TRUE(dlg.IsChild(wrapper));
    EXPECT_FALSE(wrapper->IsChild(&dlg));

    // A control's wrapper is of its class, so MFC-style casts hold.
    EXPECT_NE(dynamic_cast<CButton*>(dlg.GetDlgItem(IDC_CHECK)), nullptr);
    EXPECT_NE(dynamic_cast<CButton*>(dlg.GetDlgItem(IDOK)), nullptr);
    EXPECT_NE(dynamic_cast<CEdit*>(dlg.GetDlgItem(IDC_NOTES)), nullptr);
    EXPECT_NE(dynamic_cast<CComboBox*>(dlg.GetDlgItem(IDC_LIST)), nullptr);
    EXPECT_NE(dynamic_cast<CStatic*>(dlg.GetDlgItem(IDC_STATIC)), nullptr);
    EXPECT_EQ(dynamic_cast<CEdit*>(dlg.GetDlgItem(IDC_CHECK)), nullptr);
}

TEST(BadInput, NullAndStaleHandlesAndMissingTemplatesAreHarmless)
{
    EXPECT_EQ(::SendMessage(nullptr, WM_SETTEXT, 0, LPARAM("x")), 0);
    EXPECT_FALSE(::PostMessage(nullptr, WM_CLOSE));
    EXPECT_EQ(::GetDlgItem(nullptr, 1), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);

    CWnd unattached;
    EXPECT_EQ(unattached.GetWindowText(), "");
    unattached.SetWindowText("nothing");
    unattached.MoveWindow(0, 0, 10, 10);
    unattached.ShowWindow(SW_SHOW);
    unattached.SetFocus();
    EXPECT_FALSE(unattached.DestroyWindow());

    ControlsDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_CONTROLS));
    CWnd* name = dlg.GetDlgItem(IDC_NAME);
    HWND stale = name->m_hWnd;
    dlg.DestroyWindow();
    Pump();
    EXPECT_FALSE(::IsWindow(stale));
    EXPECT_EQ(::SendMessage(stale, WM_GETTEXTLENGTH), 0);
    EXPECT_EQ(dlg.GetDlgItem(IDC_NAME), nullptr);
    dlg.SetDlgItemText(IDC_NAME, "gone");

    // A missing template fails creation and DoModal.
    ControlsDialog missing(4711);
    EXPECT_FALSE(missing.Create(4711));
    EXPECT_EQ(missing.m_hWnd, nullptr);
    ControlsDialog modal(4711);
    EXPECT_EQ(modal.DoModal(), -1);
}

} // namespace
