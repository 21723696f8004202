// Zoom in the flowchart: by keys, menu and Ctrl+wheel, shown in the status bar, kept with the job; and every tool
// of the flowchart at zooms other than 100%, where the page and the window's pixels part.
#include <QApplication>
#include <QWheelEvent>
#include <QWidget>

#include <filesystem>
#include <functional>

#include "host/app/UndoHistory.h"
#include "tests/app/app_harness.h"

namespace pdt::test
{
namespace
{

// A and B on a row joined by a link, C below A, Far out on the page.
std::unique_ptr<JobDocument> FourNodes()
{
    auto doc = std::make_unique<JobDocument>();
    doc->m_strPathName = "/tmp/Four.pdtjob";
    const struct
    {
        const char* name;
        CPoint at;
    } nodes[] = {{"A", {40, 40}}, {"B", {340, 40}}, {"C", {40, 240}}, {"Far", {1800, 1300}}};
    for (const auto& n : nodes)
        doc->AddNode(NODE_SCREEN, n.name)->m_ptPosition = n.at;
    doc->AddLink(doc->FindNodeByName("A")->m_nID, doc->FindNodeByName("B")->m_nID);
    doc->SetModifiedFlag(FALSE);
    return doc;
}

class Zoom : public MainWindowTest
{
  public:
    void CtrlKey(UINT vk)
    {
        Focus(ViewWnd());
        Key(vk, false, true);
        Pump();
    }
    void Wheel(CPoint at, int notches)
    {
        QWidget* peer = Peer(ViewWnd());
        QPointF p(at.x, at.y);
        QWheelEvent e(p, peer->mapToGlobal(p), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(peer, &e);
        Pump();
    }
    COLORREF Colour(int which) { return Doc().m_settings.crColours[which]; }
    std::string Selected()
    {
        HostNode* node = View().GetSelectedNode();
        return node ? std::string(node->m_strName.c_str()) : "";
    }
    CString StatusZoom()
    {
        CString text = frame->GetStatusText();
        int at = text.Find("Zoom ");
        return at < 0 ? CString() : text.Mid(at, text.Find('%', at) - at + 1);
    }
};

TEST_F(Zoom, KeysMenuAndWheelStepTheZoomAndTheStatusBarShowsIt)
{
    Open(FourNodes());
    const struct
    {
        const char* what;
        std::function<void(Zoom&)> act;
        int zoom;
    } steps[] = {
        {"Ctrl+Plus", [](Zoom& t) { t.CtrlKey(VK_OEM_PLUS); }, 125},
        {"Ctrl+Plus on the keypad", [](Zoom& t) { t.CtrlKey(VK_ADD); }, 150},
        {"Ctrl+Minus", [](Zoom& t) { t.CtrlKey(VK_OEM_MINUS); }, 125},
        {"Ctrl+0", [](Zoom& t) { t.CtrlKey('0'); }, 100},
        {"View > Zoom Out", [](Zoom& t) { t.Menu("View", ID_VIEW_ZOOM_OUT); }, 90},
        {"View > Zoom In", [](Zoom& t) { t.Menu("View", ID_VIEW_ZOOM_IN); }, 100},
        {"Ctrl+wheel away", [](Zoom& t) { t.Wheel(CPoint(300, 200), 1); }, 125},
        {"Ctrl+wheel back twice", [](Zoom& t) { t.Wheel(CPoint(300, 200), -1), t.Wheel(CPoint(300, 200), -1); }, 90},
        {"View > Actual Size", [](Zoom& t) { t.Menu("View", ID_VIEW_ZOOM_100); }, 100},
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(step.what);
        step.act(*this);
        EXPECT_EQ(View().GetZoom(), step.zoom);
        CString expected;
        expected.Format("Zoom %d%%", step.zoom);
        EXPECT_EQ(StatusZoom(), expected);
    }
    EXPECT_FALSE(Doc().IsModified()) << "zooming is no edit";
    for (int i = 0; i < 20; ++i)
        CtrlKey(VK_OEM_MINUS);
    EXPECT_EQ(View().GetZoom(), FlowchartView::kMinZoom) << "it stops at the smallest";
}

TEST_F(Zoom, TheWheelKeepsWhatIsUnderThePointerInPlace)
{
    Open(FourNodes());
    View().ScrollTo(CPoint(200, 200)); // room to scroll either way: the page's edge stops what stays in place
    const CPoint at(400, 300);
    for (int notches : {1, 1, -1, -1, -1})
    {
        SCOPED_TRACE(notches);
        CPoint before = View().ClientToPage(at);
        Wheel(at, notches);
        CPoint after = View().ClientToPage(at);
        EXPECT_LE(std::abs(after.x - before.x), 2);
        EXPECT_LE(std::abs(after.y - before.y), 2);
    }
}

TEST_F(Zoom, FitShowsTheWholeFlowchart)
{
    Open(FourNodes());
    Menu("View", ID_VIEW_ZOOM_FIT);
    EXPECT_LT(View().GetZoom(), 100);
    CRect view = View().GetViewRect();
    for (const char* name : {"A", "B", "C", "Far"})
    {
        CRect drawn = View().PageToClient(View().GetNodeRect(*Node(name)));
        EXPECT_TRUE(view.PtInRect(drawn.TopLeft()) && view.PtInRect(drawn.BottomRight())) << name;
        EXPECT_EQ(PixelAt(ViewWnd(), drawn.CenterPoint() + CPoint(0, drawn.Height() / 3)), Colour(JC_MENU)) << name;
    }
    CtrlKey('0');
    EXPECT_EQ(View().GetZoom(), 100);
}

TEST_F(Zoom, EveryToolWorksAtEveryZoom)
{
    const struct
    {
        const char* tool;
        std::function<void(Zoom&)> use;
        std::function<void(Zoom&)> check;
    } tools[] = {
        {"a click selects what is drawn there", [](Zoom& t) { ClickAt(t.ViewWnd(), t.Body(t.Node("C"))); },
         [](Zoom& t) {
             EXPECT_EQ(t.Selected(), "C");
             EXPECT_EQ(PixelAt(t.ViewWnd(), t.Body(t.Node("C"))), t.Colour(JC_MENU));
         }},
        {"a drag moves by what the pointer moved on the page",
         [](Zoom& t) { Drag(t.ViewWnd(), t.Centre(t.Node("A")), t.Centre(t.Node("A")) + CPoint(100, 60)); },
         [](Zoom& t) {
             CPoint moved = t.Node("A")->m_ptPosition - CPoint(40, 40);
             EXPECT_EQ(moved, CPoint(100 * 100 / t.View().GetZoom(), 60 * 100 / t.View().GetZoom()));
         }},
        {"the link tool joins the nodes under the pointer",
         [](Zoom& t) {
             t.Menu("Edit", ID_NODE_LINK);
             Drag(t.ViewWnd(), t.Centre(t.Node("C")), t.Centre(t.Node("B")));
         },
         [](Zoom& t) {
             ASSERT_EQ(t.Doc().GetLinkCount(), 2);
             EXPECT_EQ(t.Doc().GetLinkAt(1)->m_nFromNodeID, t.Node("C")->m_nID);
             EXPECT_EQ(t.Doc().GetLinkAt(1)->m_nToNodeID, t.Node("B")->m_nID);
         }},
        {"a click on a link's line selects it",
         [](Zoom& t) {
             FlowchartView::LinkShape s = t.View().GetLinkShape(*t.Doc().GetLinkAt(0));
             CPoint mid((s.points[0].x + s.points[1].x) / 2, (s.points[0].y + s.points[1].y) / 2);
             ClickAt(t.ViewWnd(), t.View().PageToClient(mid));
         },
         [](Zoom& t) { EXPECT_EQ(t.View().GetSelectedLink(), t.Doc().GetLinkAt(0)); }},
        {"the band selects what it covers on the screen",
         [](Zoom& t) {
             CRect b = t.View().PageToClient(t.View().GetNodeRect(*t.Node("B")));
             Drag(t.ViewWnd(), CPoint(2, 2), CPoint(b.left + 2, b.top + 2));
         },
         [](Zoom& t) { EXPECT_EQ(t.View().GetSelectedNodeCount(), 2); }},
        {"a node from the right-click menu stands where the click was",
         [](Zoom& t) {
             ExpectPopupMenu(int(ID_NODE_NEW_FIRST) + NODE_INPUT);
             ClickAt(t.ViewWnd(), t.View().PageToClient(CPoint(250, 200)), true);
         },
         [](Zoom& t) {
             ASSERT_EQ(t.Doc().GetNodeCount(), 5);
             CRect r = t.View().GetNodeRect(*t.Doc().GetNodeAt(4));
             EXPECT_TRUE(r.PtInRect(CPoint(250, 200)));
         }},
        {"scrolled, a click still finds its node",
         [](Zoom& t) {
             t.View().ScrollTo(CPoint(30, 40));
             ClickAt(t.ViewWnd(), t.Body(t.Node("C")));
         },
         [](Zoom& t) {
             EXPECT_EQ(t.View().GetScrollPosition(), CPoint(30, 40));
             EXPECT_EQ(t.Selected(), "C");
             EXPECT_EQ(PixelAt(t.ViewWnd(), t.Body(t.Node("C"))), t.Colour(JC_MENU));
         }},
    };
    for (int zoom : {50, 200})
        for (const auto& tool : tools)
        {
            SCOPED_TRACE(testing::Message() << zoom << "%: " << tool.tool);
            Open(FourNodes());
            View().SetZoom(zoom, CPoint());
            ASSERT_EQ(View().GetZoom(), zoom);
            tool.use(*this);
            tool.check(*this);
            frame.reset();
        }
}

TEST_F(Zoom, TheJobKeepsItsZoomAndUndoLeavesItAlone)
{
    Open(FourNodes());
    const std::string path = (std::filesystem::path(TempDir()) / "Zoomed.pdtjob").string();
    CtrlKey(VK_OEM_PLUS);
    CtrlKey(VK_OEM_PLUS);
    ASSERT_EQ(View().GetZoom(), 150);
    EXPECT_FALSE(frame->GetHistory().CanUndo()) << "no step for a zoom";
    ClickAt(ViewWnd(), Body(Node("A")));
    Key(VK_RIGHT, false, true);
    CtrlKey('Z');
    EXPECT_EQ(View().GetZoom(), 150) << "Undo takes back the move, not the zoom";
    ASSERT_TRUE(frame->SaveFile(CString(path)));

    Open(FourNodes());
    EXPECT_EQ(View().GetZoom(), 100);
    ASSERT_TRUE(frame->OpenFile(CString(path)));
    EXPECT_EQ(View().GetZoom(), 150);
    EXPECT_EQ(StatusZoom(), "Zoom 150%");
    EXPECT_FALSE(Doc().IsModified());
}

} // namespace
} // namespace pdt::test
