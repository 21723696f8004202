// A popup dialog turned into a pane of another window, as hosts embed a ready-made dialog: the style change, then
// SetParent. The pane lives inside the new parent, takes clicks and keys there, and goes with it.
#include "dialog_harness.h"

#include <QWidget>

using namespace pdt::test;

TEST(SetParent, PopupBecomesAPaneOfItsNewParent)
{
    ControlsDialog host(IDD_HOST);
    ASSERT_TRUE(host.Create(IDD_HOST));
    host.ShowWindow(SW_SHOW);
    auto* pane = new ControlsDialog(IDD_CONTROLS);
    ASSERT_TRUE(pane->Create(IDD_CONTROLS));
    ASSERT_TRUE(Peer(pane->m_hWnd)->isWindow());

    pane->ModifyStyle(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(::SetParent(pane->m_hWnd, host.m_hWnd), nullptr); // a popup without owner had no parent
    pane->MoveWindow(10, 20, 200, 150);
    Pump();

    EXPECT_EQ(pane->GetParent(), &host);
    EXPECT_TRUE(host.IsChild(pane));
    EXPECT_FALSE(Peer(pane->m_hWnd)->isWindow());
    EXPECT_EQ(Peer(pane->m_hWnd)->parentWidget(), Peer(host.m_hWnd));
    EXPECT_TRUE(Peer(pane->m_hWnd)->isVisible());
    EXPECT_EQ(pane->GetTopLevelParent(), &host);
    CRect r;
    pane->GetWindowRect(&r);
    EXPECT_EQ(r.Size(), CSize(200, 150)) << "a pane is sized by its parent, not by its template";

    // Its controls work where they are now.
    Click(*pane, IDC_CHECK);
    EXPECT_EQ(pane->Count(IDC_CHECK, BN_CLICKED), 1);

    // Destroying the parent takes the pane with it.
    host.DestroyWindow();
    EXPECT_FALSE(::IsWindow(pane->m_hWnd));
    delete pane;
}
