// Static texts: what they show, what GetWindowText gives back, and that they stay out of the way.
#include "dialog_harness.h"

#include <QLabel>

using namespace pdt::test;

namespace
{

using Statics = ShownDialog<ControlsDialog>;

TEST_F(Statics, TheMnemonicMarkerIsHiddenButKeptInTheText)
{
    auto* label = qobject_cast<QLabel*>(Peer(Item(dlg, IDC_STATIC)));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Name:"));
    EXPECT_EQ(dlg.GetDlgItem(IDC_STATIC)->GetWindowText(), "&Name:");

    dlg.GetDlgItem(IDC_STATIC)->SetWindowText("Fish && &Chips");
    EXPECT_EQ(label->text(), QStringLiteral("Fish & Chips")) << "a doubled marker shows one ampersand";
    EXPECT_EQ(dlg.GetDlgItem(IDC_STATIC)->GetWindowText(), "Fish && &Chips");
}

TEST_F(Statics, ChangingOrClickingAStaticIsSilentAndItIsNeverATabStop)
{
    Focus(Item(dlg, IDC_COUNT));
    dlg.Forget();
    dlg.GetDlgItem(IDC_STATIC)->SetWindowText("Other");
    Click(dlg, IDC_STATIC);
    EXPECT_TRUE(dlg.notes.empty()) << ::testing::PrintToString(dlg.notes);
    EXPECT_EQ(FocusId(), IDC_COUNT);
    Focus(Item(dlg, IDCANCEL));
    Key(VK_TAB);
    EXPECT_EQ(FocusId(), IDC_NAME) << "Tab from the last control skips the label in front of the first";
}

} // namespace
