// Edit boxes: focus notifications, read-only edits and the text limit.
#include "dialog_harness.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

using namespace pdt::test;

namespace
{

using Edits = ShownDialog<ControlsDialog>;

TEST_F(Edits, TabAndClicksMoveTheFocusWithKillFocusBeforeSetFocus)
{
    Focus(Item(dlg, IDC_NAME));
    dlg.Forget();
    Key(VK_TAB);
    EXPECT_EQ(FocusId(), IDC_COUNT);
    EXPECT_EQ(dlg.notes, (std::vector<Notification>{{IDC_NAME, EN_KILLFOCUS}, {IDC_COUNT, EN_SETFOCUS}}));
    dlg.Forget();
    Key(VK_TAB, /*shift=*/true);
    EXPECT_EQ(FocusId(), IDC_NAME);
    EXPECT_EQ(dlg.notes, (std::vector<Notification>{{IDC_COUNT, EN_KILLFOCUS}, {IDC_NAME, EN_SETFOCUS}}));
    dlg.Forget();
    Click(dlg, IDC_COUNT);
    EXPECT_EQ(FocusId(), IDC_COUNT);
    EXPECT_EQ(dlg.notes, (std::vector<Notification>{{IDC_NAME, EN_KILLFOCUS}, {IDC_COUNT, EN_SETFOCUS}}));
    dlg.Forget();
    Click(dlg, IDC_COUNT);
    EXPECT_TRUE(dlg.notes.empty()) << "clicking the focused edit again changes nothing";
}

TEST_F(Edits, LimitTextStopsTypingAndReportsMaxText)
{
    CEdit& name = dlg.Edit(IDC_NAME);
    name.LimitText(3);
    EXPECT_EQ(name.GetLimitText(), 3u);
    Type(dlg, IDC_NAME, "abcdef");
    EXPECT_EQ(name.GetWindowText(), "abc");
    EXPECT_GE(dlg.Count(IDC_NAME, EN_MAXTEXT), 1);
    EXPECT_EQ(dlg.Count(IDC_NAME, EN_CHANGE), 3);

    // With a character selected there is room to replace it.
    name.SetSel(1, 2);
    Type("Z");
    EXPECT_EQ(name.GetWindowText(), "aZc");

    CEdit& notes = dlg.Edit(IDC_NOTES);
    notes.LimitText(4);
    Focus(notes);
    Type("abcdef");
    EXPECT_EQ(notes.GetWindowText(), "abcd") << "multi-line edits too";
}

// A read-only edit is drawn on the dialog's face, as Win32 draws it, and white again once it can be typed into.
TEST_F(Edits, ReadOnlyEditRefusesTypingButTakesTextAndLooksReadOnly)
{
    CEdit& name = dlg.Edit(IDC_NAME);
    name.SetReadOnly(TRUE);
    Type(dlg, IDC_NAME, "typed");
    EXPECT_EQ(name.GetWindowText(), "");
    name.SetWindowText("set");
    EXPECT_EQ(name.GetWindowText(), "set");

    auto inside = [](CEdit& e) {
        QWidget* w = Peer(e.m_hWnd);
        return w->grab().toImage().pixelColor(w->rect().bottomRight() - QPoint(4, 4));
    };
    for (CEdit* e : {&name, &dlg.Edit(IDC_NOTES)})
    {
        e->SetReadOnly(TRUE);
        EXPECT_EQ(inside(*e), Peer(dlg.m_hWnd)->palette().color(QPalette::Window));
        e->SetReadOnly(FALSE);
        EXPECT_EQ(inside(*e), QColor(Qt::white));
    }
}

} // namespace
