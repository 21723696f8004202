// Dialogs as windows: the modal loop and its result, the close box, modeless lifetime, OnInitDialog's focus,
// dialog units and how the template's windows are named.
#include "dialog_harness.h"

#include <QFontMetrics>
#include <QImage>
#include <QWidget>

#include <functional>
#include <tuple>
#include <string>

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

TEST(ModalDialog, OkCancelTheCloseBoxAndWmCloseEndTheDialogUnlessCancelIsDisabled)
{
    const std::tuple<std::function<void(CDialog &)>, INT_PTR, int> cases[] = {
        {[](CDialog &d) { Click(d, IDOK); }, IDOK, 0},
        {[](CDialog &d) { Click(d, IDCANCEL); }, IDCANCEL, 1},
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

TEST(ModalDialog, WmClosePostsTheCancelClickRatherThanSendingIt)
{
    ControlsDialog dlg;
    ExpectModal([&](CDialog &d) {
        dlg.Forget(); // what it heard while opening
        d.SendMessage(WM_CLOSE);
        EXPECT_EQ(dlg.cancels, 0) << "nothing yet: the click is posted";
        EXPECT_TRUE(dlg.notes.empty()) << ::testing::PrintToString(dlg.notes);
        Pump();
        ASSERT_FALSE(dlg.notes.empty());
        EXPECT_EQ(dlg.notes.front(), (Notification{IDCANCEL, BN_CLICKED}));
        EXPECT_EQ(dlg.cancels, 1);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.cancels, 1);
}

// OnOK that refuses to close, as validation code does.
class RefusingDialog : public ControlsDialog
{
  public:
    bool allow = false;
    void OnOK() override
    {
        ++oks;
        if (allow)
            CDialog::OnOK();
    }
};

TEST(ModalDialog, AnOnOkThatDoesNotEndTheDialogKeepsItOpen)
{
    RefusingDialog dlg;
    ExpectModal([&](CDialog& d) {
        Key(VK_RETURN);
        Click(d, IDOK);
        EXPECT_TRUE(d.IsWindowVisible());
        dlg.allow = true;
        Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.oks, 3);
}

// Opens a second modal dialog from a button, as "Options..." buttons do.
class OuterDialog : public ControlsDialog
{
  public:
    DECLARE_MESSAGE_MAP()
    INT_PTR inner = 0;
    void OnApply()
    {
        RecordingDialog second(IDD_HOST, this);
        inner = second.DoModal();
    }
};
const MessageMap& OuterDialog::GetThisMessageMap()
{
    static const MessageMap map(&CDialog::GetThisMessageMap(),
                                {mm::Command(IDC_APPLY, BN_CLICKED, &OuterDialog::OnApply)});
    return map;
}

TEST(ModalDialog, AModalDialogOpenedFromAModalDialogReturnsToIt)
{
    OuterDialog outer;
    ExpectModal([&](CDialog& d) {
        ExpectModal([](CDialog& inner) {
            EXPECT_EQ(inner.GetTemplateID(), UINT(IDD_HOST));
            Type(inner, IDC_HOST_EDIT, "x");
            Key(VK_RETURN);
        });
        Click(d, IDC_APPLY);
        EXPECT_EQ(outer.inner, IDOK);
        EXPECT_TRUE(d.IsWindowVisible());
        Key(VK_ESCAPE); // keys go to the outer dialog again
    });
    EXPECT_EQ(outer.DoModal(), IDCANCEL);
}


// Chooses its own focus and returns FALSE, as MFC code does.
class FocusChoosingDialog : public ControlsDialog
{
  public:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        GotoDlgCtrl(GetDlgItem(IDC_COUNT));
        return FALSE;
    }
};

TEST(ModalDialog, OnInitDialogReturningTrueFocusesTheFirstTabStopAndFalseKeepsTheFocusItChose)
{
    ControlsDialog plain;
    FocusChoosingDialog choosing;
    for (ControlsDialog* dlg : {&plain, static_cast<ControlsDialog*>(&choosing)})
    {
        int focus = 0;
        ExpectModal([&](CDialog&) {
            focus = FocusId();
            Key(VK_ESCAPE);
        });
        dlg->DoModal();
        EXPECT_EQ(focus, dlg == &plain ? IDC_NAME : IDC_COUNT);
    }
    EXPECT_EQ(choosing.Count(IDC_NAME, EN_SETFOCUS), 0) << "the first control never had the focus";
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
// Modeless dialogs.

class ModelessDialog : public ControlsDialog
{
  public:
    DECLARE_MESSAGE_MAP()
    std::vector<std::string>* log = nullptr;
    bool deleteSelf = false;
    void OnDestroy()
    {
        CString name;
        GetDlgItemText(IDC_NAME, name);
        log->push_back("WM_DESTROY, name " + name.str());
    }
    void PostNcDestroy() override
    {
        log->push_back(m_hWnd ? "PostNcDestroy with a handle" : "PostNcDestroy");
        if (deleteSelf)
            delete this;
    }
};
const MessageMap& ModelessDialog::GetThisMessageMap()
{
    static const MessageMap map(&CDialog::GetThisMessageMap(), {mm::Destroy(&ModelessDialog::OnDestroy)});
    return map;
}

TEST(Modeless, CreateReturnsAtOnceAndOkOrCancelHideTheDialogButKeepTheWindow)
{
    std::vector<std::string> log;
    ModelessDialog dlg;
    dlg.log = &log;
    ASSERT_TRUE(dlg.Create(IDD_CONTROLS));
    EXPECT_FALSE(dlg.IsWindowVisible()) << "the template has no WS_VISIBLE";
    dlg.ShowWindow(SW_SHOW);
    Type(dlg, IDC_NAME, "typed");
    EXPECT_EQ(dlg.GetDlgItem(IDC_NAME)->GetWindowText(), "typed");
    Key(VK_ESCAPE);
    EXPECT_EQ(dlg.cancels, 1);
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
    EXPECT_TRUE(log.empty()) << "EndDialog does not destroy a modeless dialog";
    dlg.DestroyWindow();
}

TEST(Modeless, DestroyWindowSendsWmDestroyWhileTheControlsExistThenPostNcDestroyAndSoDoesDestroyingTheObject)
{
    std::vector<std::string> log;
    ModelessDialog dlg;
    dlg.log = &log;
    ASSERT_TRUE(dlg.Create(IDD_CONTROLS));
    dlg.SetDlgItemText(IDC_NAME, "kept");
    HWND h = dlg.m_hWnd;
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(log, (std::vector<std::string>{"WM_DESTROY, name kept", "PostNcDestroy"}));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_FALSE(dlg.DestroyWindow()) << "a second DestroyWindow does nothing";
    EXPECT_EQ(log.size(), 2u);
    {
        ModelessDialog doomed; // destroying the object destroys its window
        doomed.log = &log;
        ASSERT_TRUE(doomed.Create(IDD_CONTROLS));
        h = doomed.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(h));
    Pump();
}

TEST(Modeless, ASelfDeletingDialogDeletesItselfInPostNcDestroy)
{
    std::vector<std::string> log;
    auto* dlg = new ModelessDialog;
    dlg->log = &log;
    dlg->deleteSelf = true;
    ASSERT_TRUE(dlg->Create(IDD_CONTROLS));
    dlg->ShowWindow(SW_SHOW);
    Pump();
    CloseBox(dlg->m_hWnd); // Cancel: hidden, still alive
    EXPECT_EQ(log.size(), 0u);
    dlg->DestroyWindow(); // deletes the object
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"WM_DESTROY, name ", "PostNcDestroy"}));
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

    std::string path = OutputPath("platform-controls.png");
    ASSERT_TRUE(SavePng(dlg.m_hWnd, path));
    EXPECT_EQ(QImage(QString::fromStdString(path)).size(), QSize(client.Width(), client.Height()));
}

} // namespace

// ---------------------------------------------------------------------------------------------------------------
// A dialog with a sizing border.

class SizableDialog : public CDialog
{
  public:
    SizableDialog(UINT id) : CDialog(id) {}
    DECLARE_MESSAGE_MAP()
    std::vector<CSize> sizes;
    CSize smallest{300, 200};
    void OnSize(UINT, int cx, int cy) { sizes.emplace_back(cx, cy); }
    LRESULT OnGetMinMaxInfo(WPARAM, LPARAM lp)
    {
        reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {smallest.cx, smallest.cy};
        return 0;
    }
};
const MessageMap& SizableDialog::GetThisMessageMap()
{
    static const MessageMap map(&CDialog::GetThisMessageMap(),
                                {mm::Size(&SizableDialog::OnSize),
                                 mm::Message(WM_GETMINMAXINFO, &SizableDialog::OnGetMinMaxInfo)});
    return map;
}

TEST(Sizable, ASizingBorderLetsTheDialogResizeNoSmallerThanItsMinimumAndOthersKeepTheirSize)
{
    struct
    {
        UINT id;
        bool sizable;
    } rows[] = {{IDD_SIZABLE, true}, {IDD_HOST, false}};
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.id);
        SizableDialog dlg(row.id);
        ASSERT_TRUE(dlg.Create(row.id));
        dlg.ShowWindow(SW_SHOW);
        CRect before;
        dlg.GetClientRect(&before);
        CRect outer;
        dlg.GetWindowRect(&outer);
        dlg.MoveWindow(outer.left, outer.top, outer.Width() + 150, outer.Height() + 90);
        CRect r;
        dlg.GetClientRect(&r);
        EXPECT_EQ(r.Width(), before.Width() + (row.sizable ? 150 : 0));
        EXPECT_EQ(r.Height(), before.Height() + (row.sizable ? 90 : 0));
        if (row.sizable)
        {
            ASSERT_FALSE(dlg.sizes.empty());
            EXPECT_EQ(dlg.sizes.back(), CSize(r.Width(), r.Height())) << "WM_SIZE says the client size";
        }
        dlg.MoveWindow(outer.left, outer.top, 50, 40);
        dlg.GetWindowRect(&r);
        if (row.sizable)
        {
            EXPECT_EQ(r.Width(), 300) << "no smaller than WM_GETMINMAXINFO's smallest";
            EXPECT_EQ(r.Height(), 200);
        }
        else
            EXPECT_EQ(r.Size(), outer.Size());
        dlg.DestroyWindow();
    }
}
