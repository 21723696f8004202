// The focus comes back to the window that had it before DoModal returns, as Win32's does, also for a modal dialog
// opened from inside another: a field that opens a dialog when it gets the focus, guarded only while the dialog is
// open, opens it once.
#include "dialog_harness.h"

using namespace pdt::test;

namespace
{

// Opens a dialog of its own each time the count field gets the focus, unless one is open already.
class OpensOnFocus : public ControlsDialog
{
  public:
    int opened = 0;
    int focusWhileOpen = 0;
    bool focusBackBeforeReturn = false;
    bool open = false;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDC_COUNT && HIWORD(wParam) == EN_SETFOCUS)
        {
            if (open)
                ++focusWhileOpen;
            else
            {
                open = true;
                ++opened;
                ExpectModal([](CDialog&) { Key(VK_ESCAPE); });
                CDialog inner(IDD_CONTROLS, this);
                inner.DoModal();
                focusBackBeforeReturn = FocusId() == IDC_COUNT;
                open = false;
            }
        }
        return ControlsDialog::OnCommand(wParam, lParam);
    }
};

struct Owner
{
    const char* name;
    bool modal; // the dialog holding the field is modal itself
};

void PrintTo(const Owner& o, std::ostream* os) { *os << o.name; }

class FocusAfterModal : public ::testing::TestWithParam<Owner>
{
};

TEST_P(FocusAfterModal, ComesBackBeforeDoModalReturnsAndOpensNothingMore)
{
    OpensOnFocus dlg;
    auto run = [&] {
        Focus(Item(dlg, IDC_COUNT));
        Pump(); // the window system's late answers, a person's next moment
        Pump();
        EXPECT_EQ(dlg.opened, 1) << "the field opened its dialog again";
        EXPECT_GE(dlg.focusWhileOpen, 1) << "the focus came back while the dialog was still open";
        EXPECT_TRUE(dlg.focusBackBeforeReturn);
        EXPECT_EQ(FocusId(), IDC_COUNT);
    };
    if (GetParam().modal)
    {
        ExpectModal([&](CDialog&) {
            run();
            dlg.EndDialog(IDCANCEL);
        });
        dlg.DoModal();
    }
    else
    {
        ASSERT_TRUE(dlg.Create(IDD_CONTROLS));
        dlg.ShowWindow(SW_SHOW);
        Pump();
        run();
        dlg.DestroyWindow();
        Pump();
    }
}

INSTANTIATE_TEST_SUITE_P(Owners, FocusAfterModal,
                         ::testing::Values(Owner{"Modeless", false}, Owner{"InsideAModalDialog", true}),
                         [](const ::testing::TestParamInfo<Owner>& info) { return std::string(info.param.name); });

} // namespace
