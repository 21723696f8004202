// Static texts: the mnemonic marker they hide and keep.
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

} // namespace
