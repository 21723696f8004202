// Scroll bar controls: range and position, the codes the user's clicks, drags and keys send to the parent, and
// the Win32 rule that the bar itself never moves: the parent sets the position it wants.
#include "platform/testing/pdttest.h"

#include <QImage>
#include <QScrollBar>
#include <QStyle>

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
    // Where the bar's style draws one of its parts, in client coordinates.
    QRect Part(QStyle::SubControl part) const
    {
        CRect r = ScrollBarPart(h, part);
        return QRect(r.left, r.top, r.Width(), r.Height());
    }
    void ClickPart(QStyle::SubControl part)
    {
        QPoint p = Part(part).center();
        ClickAt(h, CPoint(p.x(), p.y()));
    }
    std::vector<int> Codes() const { return host.Codes(WM_VSCROLL); }

    CScrollBar bar;
    HWND h = nullptr;
};

TEST_F(ScrollBarTest, ArrowAndTrackClicksSendTheirCodesAndLeaveThePositionToTheParent)
{
    Make();
    bar.SetScrollRange(0, 100);
    bar.SetScrollPos(50);
    ClickPart(QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(Codes(), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(host.heard[0].from, h) << "lParam is the scroll bar";
    EXPECT_EQ(host.heard[0].id, kBar);
    EXPECT_EQ(bar.GetScrollPos(), 50);
    EXPECT_EQ(Widget()->sliderPosition(), 50) << "the thumb stays where it was";
    host.Forget();
    ClickPart(QStyle::SC_ScrollBarSubLine);
    ClickPart(QStyle::SC_ScrollBarAddPage);
    ClickPart(QStyle::SC_ScrollBarSubPage);
    EXPECT_EQ(Codes(), (std::vector<int>{SB_LINEUP, SB_ENDSCROLL, SB_PAGEDOWN, SB_ENDSCROLL, SB_PAGEUP, SB_ENDSCROLL}));
    EXPECT_EQ(bar.GetScrollPos(), 50);
}

TEST_F(ScrollBarTest, DraggingTheThumbTracksThenReportsTheDropPosition)
{
    Make();
    bar.SetScrollRange(0, 100);
    int trackedByInfo = -1;
    host.onHeard = [&](const Heard& x) {
        if (x.code == SB_THUMBTRACK)
        {
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_TRACKPOS | SIF_POS;
            bar.SendMessage(SBM_GETSCROLLINFO, 0, LPARAM(&si));
            trackedByInfo = si.nTrackPos;
            EXPECT_EQ(si.nPos, 0) << "while dragging, the position is still the parent's";
        }
    };
    QRect thumb = Part(QStyle::SC_ScrollBarSlider);
    QRect groove = Part(QStyle::SC_ScrollBarGroove);
    CPoint from(thumb.center().x(), thumb.center().y());
    CPoint to(from.x, groove.center().y());
    Drag(h, from, to);
    std::vector<int> codes = Codes();
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(codes.front(), SB_THUMBTRACK);
    EXPECT_EQ(codes[codes.size() - 2], SB_THUMBPOSITION);
    EXPECT_EQ(codes.back(), SB_ENDSCROLL);
    int tracked = host.heard[codes.size() - 3].pos, dropped = host.heard[codes.size() - 2].pos;
    EXPECT_GT(tracked, 30);
    EXPECT_LT(tracked, 70);
    EXPECT_EQ(dropped, tracked);
    EXPECT_EQ(trackedByInfo, tracked);
    EXPECT_EQ(bar.GetScrollPos(), 0) << "nobody set it";
    EXPECT_EQ(Widget()->sliderPosition(), 0) << "so the thumb went back";
}

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
