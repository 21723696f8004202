// Dialogs as windows: the modal loop and its result, the close box, hidden windows, and dialog units.
#include "dialog_harness.h"

#include <QFontMetrics>
#include <QWidget>

#include <functional>
#include <tuple>

using namespace pdt::test;

namespace
{

// Apply ends the dialog with 42; a dialog that mirrors MFC code which ends itself from a button handler.
class EndingDialog : public ControlsDialog
{
  public:
    DECLARE_MESSAGE_MAP()
    void OnApply() { EndDialog(42); }
};
const MessageMap& EndingDialog::GetThisMessageMap()
{
    static const MessageMap map(&CDialog::GetThisMessageMap(),
                                {mm::Command(IDC_APPLY, BN_CLICKED, &EndingDialog::OnApply)});
    return map;
}

// Ends itself inside OnInitDialog: DoModal returns without ever showing it.
class EndsAtOnce : public ControlsDialog
{
  public:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        EndDialog(7);
        return TRUE;
    }
};

TEST(ModalDialog, DoModalReturnsTheValueGivenToEndDialogFromAHandlerOrOnInitDialog)
{
    EndingDialog dlg;
    ExpectModal([](CDialog& d) { Click(d, IDC_APPLY); });
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_EQ(dlg.m_hWnd, nullptr) << "the window is gone once DoModal returns";
    EXPECT_EQ(dlg.oks + dlg.cancels, 0);
    EndsAtOnce early;
    EXPECT_EQ(early.DoModal(), 7) << "ended in OnInitDialog: no ExpectModal, the loop must not run";
}

TEST(ModalDialog, TheCloseBoxAndWmCloseAreCancelUnlessCancelIsDisabled)
{
    const std::tuple<std::function<void(CDialog &)>, INT_PTR, int> cases[] = {
        {[](CDialog &d) { CloseBox(d.m_hWnd); }, IDCANCEL, 1},
        {[](CDialog &d) {
             d.SendMessage(WM_CLOSE);
             Pump();
         },
         IDCANCEL, 1},
    };
    for (auto& [act, result, cancels] : cases)
    {
        ControlsDialog dlg;
        ExpectModal(act);
        EXPECT_EQ(dlg.DoModal(), result);
        EXPECT_EQ(dlg.cancels, cancels);
        EXPECT_EQ(dlg.Count(IDCANCEL, BN_CLICKED), cancels) << "the close box acts as the Cancel button";
    }

    // So it does nothing while Cancel is disabled.
    ControlsDialog dlg;
    ExpectModal([&](CDialog& d) {
        d.GetDlgItem(IDCANCEL)->EnableWindow(FALSE);
        CloseBox(d.m_hWnd);
        EXPECT_TRUE(d.IsWindowVisible());
        EXPECT_EQ(dlg.cancels, 0);
        d.GetDlgItem(IDCANCEL)->EnableWindow(TRUE);
        CloseBox(d.m_hWnd);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(ModalDialog, WindowsWithoutWsVisibleStayHiddenWhenTheDialogIsShown)
{
    // A page created in OnInitDialog, before the dialog is shown, as option dialogs create theirs.
    class HostWithPage : public ControlsDialog
    {
      public:
        HostWithPage() : ControlsDialog(IDD_HOST) {}
        ControlsDialog page{IDD_PAGE};
        BOOL OnInitDialog() override
        {
            CDialog::OnInitDialog();
            page.Create(IDD_PAGE, this);
            return TRUE;
        }
    };
    HostWithPage dlg;
    ExpectModal([&](CDialog& d) {
        EXPECT_FALSE(d.GetDlgItem(IDC_PAGE_AREA)->IsWindowVisible()) << "NOT WS_VISIBLE in the template";
        EXPECT_TRUE(d.GetDlgItem(IDC_HOST_EDIT)->IsWindowVisible());
        EXPECT_FALSE(dlg.page.IsWindowVisible());
        dlg.page.ShowWindow(SW_SHOW);
        EXPECT_TRUE(dlg.page.IsWindowVisible());
        EXPECT_TRUE(dlg.page.GetDlgItem(IDC_PAGE_EDIT)->IsWindowVisible());
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// ---------------------------------------------------------------------------------------------------------------
// Dialog units and names.

using Layout = ShownDialog<ControlsDialog>;

TEST_F(Layout, ClientSizeAndControlRectanglesFollowTheDialogFontsBaseUnits)
{
    QWidget* top = Peer(dlg.m_hWnd);
    ASSERT_NE(top, nullptr);
    QFont font = top->font();
    EXPECT_EQ(font.pixelSize(), 11) << "8 points at 96 dots per inch";
    // Windows' base units: the average width of the alphabet, rounded, and the font's height.
    QFontMetrics fm(font);
    int alphabet = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    int baseX = (alphabet / 26 + 1) / 2;
    int baseY = fm.height();
    ASSERT_GT(baseX, 3);
    ASSERT_GT(baseY, 8);

    CRect client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(client.Width(), MulDiv(220, baseX, 4));
    EXPECT_EQ(client.Height(), MulDiv(160, baseY, 8));

    // IDC_NAME is at 40,7 and 100 x 12 dialog units.
    CRect name;
    dlg.GetDlgItem(IDC_NAME)->GetWindowRect(&name);
    dlg.ScreenToClient(&name);
    EXPECT_EQ(name, CRect(MulDiv(40, baseX, 4), MulDiv(7, baseY, 8), MulDiv(40, baseX, 4) + MulDiv(100, baseX, 4),
                          MulDiv(7, baseY, 8) + MulDiv(12, baseY, 8)));

    // A combo box's template height includes its list; the window is only as high as its field.
    CRect list;
    dlg.GetDlgItem(IDC_LIST)->GetWindowRect(&list);
    EXPECT_LT(list.Height(), MulDiv(80, baseY, 8));
    EXPECT_GE(list.Height(), MulDiv(12, baseY, 8));
}

} // namespace
