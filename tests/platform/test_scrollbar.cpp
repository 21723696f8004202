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

TEST_F(ScrollBarTest, StartsEmptyThenKeepsItsPositionInsideTheRange)
{
    Make();
    int lo = -1, hi = -1;
    bar.GetScrollRange(&lo, &hi);
    EXPECT_EQ(std::make_pair(lo, hi), std::make_pair(0, 0));
    bar.SetScrollRange(0, 100);
    EXPECT_EQ(bar.SetScrollPos(40), 0) << "SetScrollPos answers the previous position";
    EXPECT_EQ(bar.GetScrollPos(), 40);
    EXPECT_EQ(bar.SetScrollPos(500), 40);
    EXPECT_EQ(bar.GetScrollPos(), 100);
    bar.SetScrollPos(90);
    EXPECT_EQ(bar.SendMessage(SBM_SETRANGE, 10, 50), 90) << "a range that moves the position answers the old one";
    EXPECT_EQ(bar.GetScrollPos(), 50);
    EXPECT_EQ(bar.SendMessage(SBM_SETRANGE, 0, 60), 0);
    EXPECT_EQ(Widget()->value(), 50);
    bar.GetScrollRange(nullptr, nullptr); // no crash without buffers
    EXPECT_EQ(bar.SendMessage(SBM_SETSCROLLINFO, TRUE, 0), 0);
    EXPECT_TRUE(host.heard.empty()) << "the program's changes are not reported";
    bar.SetScrollRange(50, 10);
    bar.GetScrollRange(&lo, &hi);
    EXPECT_EQ(std::make_pair(lo, hi), std::make_pair(50, 50)) << "an upside-down range is empty";
}

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

// A bar left with its empty range still reports its arrows: dialogs use such bars as spinners.
TEST_F(ScrollBarTest, AnEmptyBarStillReportsItsArrows)
{
    Make();
    ClickPart(QStyle::SC_ScrollBarSubLine);
    ClickPart(QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(Codes(), (std::vector<int>{SB_LINEUP, SB_ENDSCROLL, SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(bar.GetScrollPos(), 0);
}

TEST_F(ScrollBarTest, TheParentMovesTheBarWhenItHearsACode)
{
    Make();
    bar.SetScrollRange(0, 100);
    bar.SetScrollPos(50);
    host.onHeard = [&](const Heard& x) {
        if (x.code == SB_LINEDOWN)
            bar.SetScrollPos(bar.GetScrollPos() + 1);
        if (x.code == SB_PAGEDOWN)
            bar.SetScrollPos(bar.GetScrollPos() + 10);
    };
    ClickPart(QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(bar.GetScrollPos(), 51);
    EXPECT_EQ(Widget()->sliderPosition(), 51);
    ClickPart(QStyle::SC_ScrollBarAddPage);
    EXPECT_EQ(bar.GetScrollPos(), 61);
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

TEST_F(ScrollBarTest, AParentThatSetsThePositionOnDropKeepsTheThumbThere)
{
    Make();
    bar.SetScrollRange(0, 100);
    host.onHeard = [&](const Heard& x) {
        if (x.code == SB_THUMBPOSITION)
            bar.SetScrollPos(x.pos);
    };
    QRect thumb = Part(QStyle::SC_ScrollBarSlider);
    QRect groove = Part(QStyle::SC_ScrollBarGroove);
    Drag(h, CPoint(thumb.center().x(), thumb.center().y()), CPoint(thumb.center().x(), groove.bottom() - 2));
    EXPECT_GT(bar.GetScrollPos(), 80);
    EXPECT_EQ(Widget()->sliderPosition(), bar.GetScrollPos());
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

// A bar with the focus shows it once a key was pressed in its window, as Win32 marks its thumb; the key sends no code.
TEST_F(ScrollBarTest, AFocusedBarShowsItsMarkOnceAKeyWasPressed)
{
    Make();
    bar.SetScrollRange(0, 100);
    bar.SetScrollPos(50);
    Focus(h);
    Pump();
    const QImage beforeAnyKey = Widget()->grab().toImage();
    Key(VK_SHIFT);
    Pump();
    EXPECT_NE(Widget()->grab().toImage(), beforeAnyKey) << "no focus mark";
    EXPECT_TRUE(Codes().empty());
}

TEST_F(ScrollBarTest, HorizontalBarSendsWmHscroll)
{
    Make(SBS_HORZ);
    bar.SetScrollRange(0, 10);
    ClickPart(QStyle::SC_ScrollBarAddLine);
    Focus(h);
    Key(VK_LEFT);
    EXPECT_EQ(host.Codes(WM_HSCROLL), (std::vector<int>{SB_LINERIGHT, SB_ENDSCROLL, SB_LINELEFT, SB_ENDSCROLL}));
    EXPECT_TRUE(host.Codes(WM_VSCROLL).empty());
}

TEST_F(ScrollBarTest, APageLimitsTheHighestPosition)
{
    Make();
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 95, 0};
    bar.SendMessage(SBM_SETSCROLLINFO, TRUE, LPARAM(&si));
    EXPECT_EQ(bar.GetScrollPos(), 91) << "the last page must fit: 100 - 10 + 1";
    SCROLLINFO got{};
    got.cbSize = sizeof got;
    got.fMask = SIF_ALL;
    bar.SendMessage(SBM_GETSCROLLINFO, 0, LPARAM(&got));
    EXPECT_EQ(got.nPage, 10u);
    EXPECT_EQ(got.nPos, 91);
}

TEST_F(ScrollBarTest, DataExchangeMovesThePosition)
{
    Make();
    bar.SetScrollRange(0, 20);
    int value = 12;
    CDataExchange load(&host, FALSE);
    DDX_Scroll(&load, kBar, value);
    EXPECT_EQ(bar.GetScrollPos(), 12);
    bar.SetScrollPos(3);
    CDataExchange save(&host, TRUE);
    DDX_Scroll(&save, kBar, value);
    EXPECT_EQ(value, 3);
}

} // namespace
