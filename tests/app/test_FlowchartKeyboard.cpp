// The main window without a mouse: every node reached, moved, opened and linked by keys, every menu dropped by
// F10 or its Alt letter.
#include "tests/app/app_harness.h"

namespace pdt::test
{
namespace
{

// Reading order is A, B, C: A and B on one row, C below.
std::unique_ptr<JobDocument> ThreeNodes()
{
    auto doc = std::make_unique<JobDocument>();
    doc->m_strPathName = "/tmp/Three.pdtjob";
    const struct
    {
        const char* name;
        CPoint at;
    } nodes[] = {{"C", CPoint(40, 240)}, {"B", CPoint(340, 40)}, {"A", CPoint(40, 40)}}; // added out of order
    for (const auto& n : nodes)
        doc->AddNode(NODE_SCREEN, n.name)->m_ptPosition = n.at;
    doc->SetModifiedFlag(FALSE);
    return doc;
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

TEST_F(FlowchartKeyboard, F10AndAltLettersDropTheMenus)
{
    Open(ThreeNodes());
    const struct
    {
        const char* what;
        UINT vk;
        bool alt;
        UINT itemInMenu; // 0: no menu drops
    } cases[] = {
        {"F10", VK_F10, false, ID_FILE_NEW}, {"Alt+F", 'F', true, ID_FILE_OPEN},    {"Alt+E", 'E', true, ID_EDIT_FIND},
        {"Alt+D", 'D', true, ID_DEFINE_JOB}, {"Alt+S", 'S', true, ID_SIMULATE_RUN}, {"Alt+Q", 'Q', true, 0},
        {"plain D", 'D', false, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        size_t before = PopupMenus().size();
        if (c.itemInMenu)
            ExpectPopupMenu(0);
        Key(c.vk, false, false, c.alt);
        Pump();
        ASSERT_EQ(PopupMenus().size(), before + (c.itemInMenu ? 1 : 0));
        if (c.itemInMenu)
        {
            EXPECT_NE(LastMenuItem(c.itemInMenu), nullptr);
        }
    }
    EXPECT_EQ(::GetFocus(), ViewWnd()) << "a dismissed menu leaves the focus where it was";
}

} // namespace
} // namespace pdt::test
