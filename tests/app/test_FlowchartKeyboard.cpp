// The main window without a mouse: every node reached, opened and linked by keys.
#include "tests/app/app_harness.h"

namespace pdt::test
{
namespace
{

// Reading order is A, B, C: A and B on one row, C below.
std::unique_ptr<JobDocument> ThreeNodes()
{
    return JobOf("Three.pdtjob", {{"C", {40, 240}}, {"B", {340, 40}}, {"A", {40, 40}}}); // added out of order
}

class FlowchartKeyboard : public MainWindowTest
{
  protected:
    std::string Selected()
    {
        HostNode* node = View().GetSelectedNode();
        return node ? std::string(node->m_strName.c_str()) : "";
    }
};

TEST_F(FlowchartKeyboard, TabWalksTheNodesInReadingOrderAndEnterOpensTheSelectedOne)
{
    Open(ThreeNodes());
    ASSERT_EQ(::GetFocus(), ViewWnd()) << "a keyboard user starts in the flowchart";
    const struct
    {
        bool shift;
        const char* selected;
    } steps[] = {{false, "A"}, {false, "B"}, {false, "C"}, {false, "A"}, {true, "C"}, {true, "B"}};
    for (const auto& step : steps)
    {
        Key(VK_TAB, step.shift);
        EXPECT_EQ(Selected(), step.selected) << (step.shift ? "Shift+Tab" : "Tab");
    }
    EXPECT_EQ(::GetFocus(), ViewWnd()) << "Tab stays in the flowchart";
    EXPECT_FALSE(Doc().IsModified());

    Key(VK_RETURN);
    ASSERT_NE(frame->GetNodeDialog(), nullptr);
    EXPECT_EQ(frame->GetNodeDialog()->m_pNode, Node("B"));
}

TEST_F(FlowchartKeyboard, TheLinkToolJoinsTheNodesEnterTakesAndEscapeDrops)
{
    const struct
    {
        const char* what;
        std::vector<std::pair<UINT, bool>> keys; // after the tool is on; (key, shift)
        int links;
        bool toolAfter;
    } cases[] = {
        {"A to C", {{VK_TAB, false}, {VK_RETURN, false}, {VK_TAB, true}, {VK_RETURN, false}}, 1, true},
        {"A to itself", {{VK_TAB, false}, {VK_RETURN, false}, {VK_RETURN, false}}, 1, true},
        {"started, then Escape", {{VK_TAB, false}, {VK_RETURN, false}, {VK_ESCAPE, false}}, 0, false},
        {"Enter with nothing selected", {{VK_RETURN, false}, {VK_RETURN, false}}, 0, true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        Open(ThreeNodes());
        ExpectPopupMenu(ID_NODE_LINK);
        Key('E', false, false, true); // Alt+E, Link Nodes
        ASSERT_TRUE(View().IsLinkTool());
        for (auto [vk, shift] : c.keys)
            Key(vk, shift);
        EXPECT_EQ(Doc().GetLinkCount(), c.links);
        EXPECT_EQ(View().IsLinkTool(), c.toolAfter);
        EXPECT_EQ(frame->GetNodeDialog(), nullptr) << "Enter links while the tool is on; it opens nothing";
        if (c.links == 1 && std::string(c.what) == "A to C")
        {
            HostLink* link = Doc().GetLinkAt(0);
            EXPECT_EQ(link->m_nFromNodeID, Node("A")->m_nID);
            EXPECT_EQ(link->m_nToNodeID, Node("C")->m_nID);
            CPoint a = Centre(Node("A")), b = Centre(Node("C"));
            CPoint middle((a.x + b.x) / 2, (a.y + b.y) / 2);
            EXPECT_NE(PixelAt(ViewWnd(), middle), RGB(255, 255, 255)) << "the new link is drawn";
        }
        frame.reset();
    }
}

} // namespace
} // namespace pdt::test
