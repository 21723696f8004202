// Scroll bar controls: the codes the user's keys send to the parent, and the Win32 rule that the bar
// itself never moves: the parent sets the position it wants.
#include "platform/testing/pdttest.h"

#include <QScrollBar>

#include "platform/afxdd.h"

using namespace pdt::test;

namespace
{

constexpr int kBar = 400;

class ScrollBarTest : public ControlTest
{
  protected:
    void Make(DWORD style = SBS_VERT)
    {
        CRect r = (style & SBS_VERT) ? CRect(300, 10, 317, 250) : CRect(10, 300, 250, 317);
        h = host.Make("ScrollBar", style | WS_TABSTOP, r, kBar, &bar);
        ASSERT_NE(h, nullptr);
    }
    QScrollBar* Widget() const { return qobject_cast<QScrollBar*>(Peer(h)); }
    std::vector<int> Codes() const { return host.Codes(WM_VSCROLL); }

    CScrollBar bar;
    HWND h = nullptr;
};

TEST_F(ScrollBarTest, KeysSendTheirCodesAndEndEachScroll)
{
    Make();
    bar.SetScrollRange(0, 100);
    bar.SetScrollPos(50);
    Focus(h);
    Key(VK_DOWN);
    Key(VK_NEXT);
    Key(VK_HOME);
    Key(VK_END);
    Key(VK_UP);
    Key(VK_PRIOR);
    EXPECT_EQ(Codes(), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL, SB_PAGEDOWN, SB_ENDSCROLL, SB_TOP, SB_ENDSCROLL,
                                         SB_BOTTOM, SB_ENDSCROLL, SB_LINEUP, SB_ENDSCROLL, SB_PAGEUP, SB_ENDSCROLL}));
    EXPECT_EQ(bar.GetScrollPos(), 50);
}

} // namespace
