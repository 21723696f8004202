// The node definition dialog stays open beside the flowchart: a double click opens it, and the node selected next
// is loaded into the same window (Release, Initial, InitialDlg). What was not applied stays with the node it was
// typed for, as nothing reaches a node before OK or Apply.
#include <stdexcept>

#include "app_harness.h"
#include "host/app/Placement.h"
#include "host/app/res/jobhost.h"

using namespace pdt::test;

namespace
{

class NodeDialogBeside : public MainWindowTest
{
  protected:
    CDlgDefineNode& Dialog()
    {
        CDlgDefineNode* dlg = frame->GetNodeDialog();
        if (!dlg)
            throw std::runtime_error("no node dialog");
        return *dlg;
    }
    CString ShownName()
    {
        CString name;
        BasicPage().GetDlgItemText(IDC_NODE_NAME, name);
        return name;
    }
};

// What was applied before is in the node; discarding on the way is the unapplied-changes tests' own.
TEST_F(NodeDialogBeside, SelectingAnotherNodeLoadsItIntoTheOpenDialog)
{
    Open();
    DoubleClickAt(ViewWnd(), Centre(Node("Scan Item")));
    HostNode* scan = Node("Scan Item");
    CDlgDefineNode* opened = frame->GetNodeDialog();
    ASSERT_NE(opened, nullptr);
    Type(BasicPage(), IDC_NODE_NAME, "Scan Barcode");
    Click(Dialog(), ID_APPLY_NOW);

    ClickAt(ViewWnd(), Centre(Node("Upload")));
    EXPECT_EQ(frame->GetNodeDialog(), opened) << "the same window, loaded again";
    EXPECT_EQ(Dialog().m_pNode, Node("Upload"));
    EXPECT_EQ(Dialog().GetWindowText(), "Define Node [Upload] - Warehouse - Upload");
    EXPECT_EQ(ShownName(), "Upload");
    EXPECT_EQ(scan->m_strName, "Scan Barcode");
    EXPECT_EQ(frame->GetWindowText(), "Warehouse.job* - jobhost");

    // Back to the first node: the dialog shows what the node holds.
    ClickAt(ViewWnd(), Centre(scan));
    EXPECT_EQ(Dialog().m_pNode, scan);
    EXPECT_EQ(ShownName(), "Scan Barcode");
}

TEST_F(NodeDialogBeside, ALinkOpensItsSourceNodeOnTheLinksPage)
{
    Open();
    DoubleClickAt(ViewWnd(), Centre(Node("Main Menu")));
    HostLink* toLocation = nullptr;
    for (int i = 0; i < Doc().GetLinkCount(); ++i)
        if (Doc().GetLinkAt(i)->m_nToNodeID == Node("Location")->m_nID &&
            Doc().GetLinkAt(i)->m_nFromNodeID == Node("Main Menu")->m_nID)
            toLocation = Doc().GetLinkAt(i);
    ASSERT_NE(toLocation, nullptr);
    FlowchartView::LinkShape shape = View().GetLinkShape(*toLocation);
    CPoint onLine((shape.points[0].x * 3 + shape.points[1].x) / 4, (shape.points[0].y * 3 + shape.points[1].y) / 4);
    ClickAt(ViewWnd(), View().PageToClient(onLine));
    EXPECT_EQ(View().GetSelectedLink(), toLocation);
    int sub = 0;
    EXPECT_EQ(Dialog().m_pNode, Node("Main Menu"));
    EXPECT_EQ(Dialog().GetActiveOptionID(&sub), IDD_LINK);
    EXPECT_EQ(sub, toLocation->m_nID);

    // From another node, the link's source node is loaded on that page.
    ClickAt(ViewWnd(), Centre(Node("Upload")));
    EXPECT_EQ(Dialog().m_pNode, Node("Upload"));
    ClickAt(ViewWnd(), View().PageToClient(onLine));
    EXPECT_EQ(Dialog().m_pNode, Node("Main Menu"));
    EXPECT_EQ(Dialog().GetActiveOptionID(&sub), IDD_LINK);
    EXPECT_EQ(sub, toLocation->m_nID);
}

} // namespace

// Where a window goes beside an anchor in a 1000 x 800 work area, for a 300 x 200 window.
TEST(PlaceBeside, RightLeftBelowAboveThenOnTheScreen)
{
    const CRect work(0, 0, 1000, 800);
    struct Case
    {
        const char* what;
        CRect current, anchor;
        CPoint expected; // the top left it goes to
    };
    const Case cases[] = {
        {"clear of the anchor: kept", {600, 500, 900, 700}, {100, 100, 200, 150}, {600, 500}},
        {"over it: to its right, level with its top", {100, 100, 400, 300}, {100, 100, 200, 150}, {208, 100}},
        {"no room right: left", {700, 100, 1000, 300}, {750, 100, 850, 150}, {442, 100}},
        {"near the bottom: level, slid up", {100, 700, 400, 900}, {100, 750, 200, 790}, {208, 600}},
        {"a wide anchor: below, centred", {0, 0, 300, 200}, {50, 100, 950, 150}, {350, 158}},
        {"a wide anchor at the bottom: above", {100, 600, 400, 800}, {50, 650, 950, 700}, {350, 442}},
        {"off the screen, not over it: brought beside it", {1200, 100, 1500, 300}, {100, 100, 200, 150}, {208, 100}},
        {"an anchor filling the screen: pushed onto it, right", {0, 0, 300, 200}, {0, 0, 1000, 800}, {700, 0}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CRect placed = PlaceBeside(c.current, c.anchor, work);
        EXPECT_EQ(placed.TopLeft(), c.expected);
        EXPECT_EQ(placed.Size(), c.current.Size());
    }
}
