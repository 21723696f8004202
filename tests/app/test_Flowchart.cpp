// The flowchart draws its boxes at the job's size, moves a dragged node and scrolls a job larger than the window,
// each checked in the document and in the pixels the view painted.
#include <QStyle>

#include "app_harness.h"

using namespace pdt::test;

namespace
{

// Two nodes on one row joined by a link without a condition (so it has no label over its middle).
std::unique_ptr<JobDocument> TwoNodes()
{
    auto doc = std::make_unique<JobDocument>();
    doc->m_strPathName = "/tmp/Two.pdtjob";
    HostNode* a = doc->AddNode(NODE_SCREEN, "A");
    a->m_ptPosition = CPoint(40, 40);
    HostNode* b = doc->AddNode(NODE_INPUT, "B");
    b->m_ptPosition = CPoint(340, 40);
    doc->AddLink(a->m_nID, b->m_nID);
    doc->SetModifiedFlag(FALSE);
    return doc;
}

const CPoint kLinkMiddle(240, 65); // halfway between the boxes, on the line of their centres

class Flowchart : public MainWindowTest
{
  protected:
    COLORREF Colour(int which) { return Doc().m_settings.crColours[which]; }
};

TEST_F(Flowchart, NodeBoxesTakeTheJobsSize)
{
    Open(TwoNodes());
    CPoint beyond(40 + 100 + 20, 40 + 50 + 10); // right of and below a box of the default 100 x 50
    EXPECT_EQ(PixelAt(ViewWnd(), beyond), kWhite);
    Doc().m_settings.nNodeWidth = 160;
    Doc().m_settings.nNodeHeight = 80;
    Doc().UpdateAllViews(nullptr);
    EXPECT_EQ(PixelAt(ViewWnd(), beyond), Colour(JC_MENU));
    EXPECT_EQ(View().GetNodeRect(*Node("A")), CRect(40, 40, 200, 120));
}

TEST_F(Flowchart, DraggingANodeMovesItAndMarksTheJobModified)
{
    Open(TwoNodes());
    HostNode* a = Node("A");
    CPoint oldBody = Body(a);
    EXPECT_EQ(frame->GetWindowText(), "Two.pdtjob - jobhost");

    Drag(ViewWnd(), Centre(a), Centre(a) + CPoint(100, 200));
    EXPECT_EQ(a->m_ptPosition, CPoint(140, 240));
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(frame->GetWindowText(), "Two.pdtjob* - jobhost");
    EXPECT_EQ(PixelAt(ViewWnd(), oldBody), kWhite);
    EXPECT_EQ(PixelAt(ViewWnd(), Body(a)), Colour(JC_MENU));
    EXPECT_EQ(PixelAt(ViewWnd(), kLinkMiddle), kWhite) << "the link follows the node";
    // The line now runs from (190, 265) to B's left side at (340, 115): its middle is on it.
    EXPECT_EQ(PixelAt(ViewWnd(), CPoint(265, 190)), Colour(JC_LINK));
}

TEST_F(Flowchart, ScrollsWhenTheJobIsLargerThanTheWindow)
{
    auto doc = TwoNodes();
    HostNode* far = doc->AddNode(NODE_UPLOAD, "Far");
    far->m_ptPosition = CPoint(3000, 2500); // beyond the job's page
    doc->SetModifiedFlag(FALSE);
    Open(std::move(doc), CRect(20, 20, 620, 420));
    EXPECT_EQ(View().GetPageSize(), CSize(3000 + 100 + 40, 2500 + 50 + 40));
    CRect view = View().GetViewRect();
    EXPECT_LT(view.Width(), 600) << "a vertical scroll bar";

    ClickAt(ViewWnd(), CPoint(300, 300)); // the view takes the keys
    Key(VK_NEXT);
    EXPECT_EQ(View().GetScrollPosition(), CPoint(0, view.Height()));
    // A's box has scrolled out of sight: what is shown where it was is the paper.
    EXPECT_EQ(PixelAt(ViewWnd(), CPoint(134, 84)), kWhite);

    // The scroll bar's arrow moves one step.
    HWND bar = nullptr;
    for (CWnd* child = View().GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        if ((child->GetStyle() & SBS_VERT) && child->IsWindowVisible())
            bar = child->m_hWnd;
    ASSERT_NE(bar, nullptr);
    ClickAt(bar, ScrollBarPart(bar, QStyle::SC_ScrollBarSubLine).CenterPoint());
    EXPECT_EQ(View().GetScrollPosition(), CPoint(0, view.Height() - 20));

    // Home, then the far node shown by selecting it.
    Key(VK_HOME);
    EXPECT_EQ(View().GetScrollPosition(), CPoint());
    EXPECT_EQ(PixelAt(ViewWnd(), Body(Node("A"))), Colour(JC_MENU));

    View().SelectNode(Node("Far"), true);
    EXPECT_TRUE(View().GetViewRect().PtInRect(Centre(Node("Far"))));
    EXPECT_EQ(PixelAt(ViewWnd(), Body(Node("Far"))), Colour(JC_UPLOAD));
}

// A link is left out of a paint only when no part of it can reach the window: the label of a node's loop shows
// though the node has scrolled out of sight to the left.
TEST_F(Flowchart, ALoopsLabelShowsWhileItsNodeIsScrolledAway)
{
    auto doc = std::make_unique<JobDocument>();
    HostNode* a = doc->AddNode(NODE_SCREEN, "A");
    a->m_ptPosition = CPoint(40, 40);
    HostLink* loop = doc->AddLink(a->m_nID, a->m_nID);
    loop->m_nCondition = LINK_INPUT_DATA;
    loop->m_strInputData = "WWWWWWWWWWWWWWWWWWWW";
    doc->AddNode(NODE_SCREEN, "Far")->m_ptPosition = CPoint(2000, 40); // room to scroll
    Open(std::move(doc), CRect(20, 20, 420, 320));
    View().ScrollTo(CPoint(View().GetNodeRect(*Node("A")).right + 40, 0)); // the loop itself too
    ASSERT_EQ(View().GetScrollPosition().x, View().GetNodeRect(*Node("A")).right + 40);
    View().UpdateWindow();
    int inked = 0;
    for (int x = 0; x < 150; ++x)
        for (int y = Centre(Node("A")).y - 3; y <= Centre(Node("A")).y + 3; ++y)
            inked += PixelAt(ViewWnd(), CPoint(x, y)) != kWhite;
    EXPECT_GT(inked, 50) << "the label's letters";
}

} // namespace
