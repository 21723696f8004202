// Many nodes at once in the flowchart: every gesture that selects them, and what the selection then does (drag,
// nudge, delete, arrange), each edit one step of Undo.
#include <chrono>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <thread>

#include "tests/app/app_harness.h"

namespace pdt::test
{
namespace
{

// A row A B F, a row C D G below it, E further down and to the right; links A>B, B>C, C>D, D>E. F and G have none.
std::unique_ptr<JobDocument> SevenNodes()
{
    return JobOf("Seven.pdtjob",
                 {{"A", {40, 40}}, {"B", {300, 40}}, {"C", {40, 240}}, {"D", {340, 240}}, {"E", {640, 440}},
                  {"F", {700, 40}}, {"G", {700, 240}}},
                 {{"A", "B"}, {"B", "C"}, {"C", "D"}, {"D", "E"}});
}

using Names = std::set<std::string>;

class Selection : public MainWindowTest
{
  public:
    Names Selected()
    {
        Names names;
        for (HostNode* node : View().GetSelectedNodes())
            names.insert(node->m_strName.c_str());
        return names;
    }
    std::map<std::string, CPoint> Places()
    {
        std::map<std::string, CPoint> at;
        for (int i = 0; i < Doc().GetNodeCount(); ++i)
            at[Doc().GetNodeAt(i)->m_strName.c_str()] = Doc().GetNodeAt(i)->m_ptPosition;
        return at;
    }
    void Click(const char* node, UINT keys = 0) { ClickAt(ViewWnd(), Centre(Node(node)), false, keys); }
    void Select(std::initializer_list<const char*> names)
    {
        ClickAt(ViewWnd(), kEmpty);
        for (const char* name : names)
            Click(name, MK_CONTROL);
        ASSERT_EQ(Selected().size(), names.size());
    }
    void Undo()
    {
        Focus(ViewWnd());
        Key('Z', false, true);
        Pump();
    }
    // Whether the Edit menu's Arrange submenu offers the command.
    bool Offered(UINT id)
    {
        Menu("Edit", 0);
        const auto* item = LastMenuItem(id);
        return item && item->enabled;
    }
    CString Status() { return frame->GetStatusText().Left(frame->GetStatusText().Find("    ")); }

    static inline const CPoint kEmpty{560, 150}; // a spot of the page with no node and no link
};

TEST_F(Selection, EachGestureSelectsAsAPersonExpects)
{
    Open(SevenNodes());
    const struct
    {
        const char* what;
        std::function<void(Selection&)> gesture;
        Names selected;
        const char* status;
    } steps[] = {
        {"a click", [](Selection& t) { t.Click("A"); }, {"A"}, nullptr},
        {"Ctrl+click adds", [](Selection& t) { t.Click("C", MK_CONTROL); }, {"A", "C"}, "2 nodes"},
        {"Shift+click adds", [](Selection& t) { t.Click("D", MK_SHIFT); }, {"A", "C", "D"}, "3 nodes"},
        {"Ctrl+click takes out", [](Selection& t) { t.Click("A", MK_CONTROL); }, {"C", "D"}, "2 nodes"},
        {"a click on one of many", [](Selection& t) { t.Click("D"); }, {"D"}, nullptr},
        {"the empty page", [](Selection& t) { ClickAt(t.ViewWnd(), kEmpty); }, {}, "Nothing selected"},
        {"a band over two",
         [](Selection& t) { Drag(t.ViewWnd(), CPoint(20, 20), t.Centre(t.Node("B"))); },
         {"A", "B"},
         "2 nodes"},
        {"a band from right to left, upwards",
         [](Selection& t) { Drag(t.ViewWnd(), t.Centre(t.Node("G")) + CPoint(60, 60), t.Centre(t.Node("D"))); },
         {"D", "G"},
         "2 nodes"},
        {"Ctrl+A", [](Selection& t) { Key('A', false, true); }, {"A", "B", "C", "D", "E", "F", "G"}, "7 nodes"},
        {"Ctrl+click on the empty page keeps them",
         [](Selection& t) { ClickAt(t.ViewWnd(), kEmpty, false, MK_CONTROL); },
         {"A", "B", "C", "D", "E", "F", "G"},
         "7 nodes"},
        {"a click on a link", [](Selection& t) { ClickAt(t.ViewWnd(), CPoint(220, 65)); }, {}, "Link "},
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(step.what);
        step.gesture(*this);
        EXPECT_EQ(Selected(), step.selected);
        if (step.status)
            EXPECT_EQ(Status().Left(int(strlen(step.status))), step.status);
        EXPECT_EQ(View().GetSelectedNode() != nullptr, step.selected.size() == 1) << "one node is the dialogs' node";
    }
    EXPECT_FALSE(Doc().IsModified()) << "selecting changes nothing";
}

TEST_F(Selection, TheBandShowsWhileItIsDrawnAndEscapeGivesBackTheSelectionBefore)
{
    Open(SevenNodes());
    Click("F");
    const CPoint from(20, 20), to = Centre(Node("C"));
    MouseDownAt(ViewWnd(), from);
    EXPECT_TRUE(Selected().empty()) << "a press on the empty page starts afresh";
    MouseMoveTo(ViewWnd(), to);
    EXPECT_EQ(Selected(), Names({"A", "C"}));
    // The band's left edge is a dotted line: some of the pixels down it are drawn.
    auto edgeDrawn = [&] {
        int drawn = 0;
        for (int y = from.y + 5; y < from.y + 15; ++y)
            drawn += PixelAt(ViewWnd(), CPoint(from.x, y)) != RGB(255, 255, 255) ? 1 : 0;
        return drawn > 0;
    };
    EXPECT_TRUE(edgeDrawn());
    Key(VK_ESCAPE);
    EXPECT_TRUE(Selected().empty());
    MouseUpAt(ViewWnd(), to);
    EXPECT_TRUE(Selected().empty()) << "the band ended with Escape";
    EXPECT_FALSE(edgeDrawn()) << "and is gone";
}

TEST_F(Selection, ADragMovesTheWholeSelectionAndUndoPutsItBackInOneStep)
{
    const struct
    {
        const char* what;
        CPoint by, moved; // the drag, and how far every selected node went
    } cases[] = {
        {"down and right", {30, 100}, {30, 100}},
        {"past the page's top left corner: the group stops there", {-100, -60}, {-40, -40}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        Open(SevenNodes());
        Select({"A", "C", "E"});
        auto before = Places();
        Drag(ViewWnd(), Body(Node("C")), Body(Node("C")) + c.by);
        auto after = Places();
        for (const auto& [name, at] : before)
            EXPECT_EQ(after[name], at + (Names({"A", "C", "E"}).count(name) ? c.moved : CPoint())) << name;
        EXPECT_EQ(Selected(), Names({"A", "C", "E"})) << "the selection stays after the drag";
        Undo();
        EXPECT_EQ(Places(), before);
        EXPECT_EQ(Selected(), Names({"A", "C", "E"})) << "Undo keeps the nodes it moved back selected";
        frame.reset();
    }
}

TEST_F(Selection, CtrlArrowsNudgeTheSelectionAndEachBurstIsOneStep)
{
    const struct
    {
        const char* what;
        std::function<void(Selection&)> between; // ends the first burst, or not
        int steps;                               // Undo presses back to the start
    } cases[] = {
        {"nothing between", [](Selection&) {}, 1},
        {"another key", [](Selection&) { Key(VK_ESCAPE); }, 2},
        {"a click", [](Selection& t) { ClickAt(t.ViewWnd(), t.Centre(t.Node("A")), false, MK_SHIFT); }, 2},
        {"a menu", [](Selection& t) { t.Menu("View", 0); }, 2},
        {"a pause",
         [](Selection&) {
             auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1200);
             while (std::chrono::steady_clock::now() < end)
             {
                 Pump();
                 std::this_thread::sleep_for(std::chrono::milliseconds(20));
             }
         },
         2},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        Open(SevenNodes());
        Select({"A", "B"});
        const auto start = Places();
        Key(VK_RIGHT, false, true);
        Key(VK_RIGHT, false, true);
        EXPECT_TRUE(Doc().IsModified()) << "the title shows the change at once";
        c.between(*this);
        Key(VK_DOWN, false, true);
        EXPECT_EQ(Node("A")->m_ptPosition, start.at("A") + CPoint(40, 20));
        EXPECT_EQ(Node("B")->m_ptPosition, start.at("B") + CPoint(40, 20));
        EXPECT_EQ(Node("C")->m_ptPosition, start.at("C")) << "what is not selected stays";
        for (int i = 0; i < c.steps; ++i)
        {
            EXPECT_NE(Places(), start) << "Undo " << i;
            Undo();
        }
        EXPECT_EQ(Places(), start);
        frame.reset();
    }
}

TEST_F(Selection, DeleteAsksOnceNamingHowManyNodesAndLinks)
{
    const struct
    {
        std::vector<const char*> nodes;
        int answer;
        const char* question; // %s: the one node's label
        int links;            // left after a yes
    } cases[] = {
        {{"A", "B"}, IDYES, "Delete 2 nodes and their 2 links?", 2},
        {{"C", "D", "E"}, IDYES, "Delete 3 nodes and their 3 links?", 1},
        {{"F", "G"}, IDYES, "Delete 2 nodes?", 4},
        {{"A", "B", "C"}, IDNO, "Delete 3 nodes and their 3 links?", 4},
        {{"D"}, IDYES, "Delete node %s and its 2 links?", 2},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.question);
        Open(SevenNodes());
        ClickAt(ViewWnd(), kEmpty);
        for (const char* name : c.nodes)
            Click(name, MK_CONTROL);
        CString expected;
        expected.Format(c.question, Node(c.nodes[0])->GetLabel().c_str());
        const std::string before = HistoryText(Doc());
        const size_t asked = MessageBoxes().size();
        ExpectMessageBox(c.answer);
        Key(VK_DELETE);
        ASSERT_EQ(MessageBoxes().size(), asked + 1) << "one question for them all";
        EXPECT_EQ(MessageBoxes().back().text, expected);
        EXPECT_EQ(Doc().GetNodeCount(), 7 - (c.answer == IDYES ? int(c.nodes.size()) : 0));
        EXPECT_EQ(Doc().GetLinkCount(), c.links);
        if (c.answer == IDYES)
        {
            EXPECT_EQ(Status(), "Nothing selected");
            Undo();
        }
        EXPECT_TRUE(HistoryText(Doc()) == before) << "one step brings them all back";
        frame.reset();
    }
}

TEST_F(Selection, ArrangeLinesUpAndSpreadsTheSelectionAndIsGreyedForTooFew)
{
    Open(SevenNodes());
    const struct
    {
        std::vector<const char*> nodes;
        bool align, distribute;
    } offers[] = {{{"A"}, false, false}, {{"A", "B"}, true, false}, {{"A", "B", "C"}, true, true}};
    for (const auto& o : offers)
    {
        SCOPED_TRACE(o.nodes.size());
        ClickAt(ViewWnd(), kEmpty);
        for (const char* name : o.nodes)
            Click(name, MK_CONTROL);
        for (UINT id = ID_ALIGN_LEFT; id <= ID_ALIGN_MIDDLE; ++id)
            EXPECT_EQ(Offered(id), o.align) << id;
        EXPECT_EQ(Offered(ID_DISTRIBUTE_ACROSS), o.distribute);
        EXPECT_EQ(Offered(ID_DISTRIBUTE_DOWN), o.distribute);
    }
    frame.reset();

    // A (40,40), D (340,240), E (640,440): together from 40,40 to 740,490; boxes are 100 by 50.
    const struct
    {
        UINT command;
        std::vector<const char*> nodes;
        std::map<std::string, CPoint> after;
    } cases[] = {
        {ID_ALIGN_LEFT, {"A", "D", "E"}, {{"A", {40, 40}}, {"D", {40, 240}}, {"E", {40, 440}}}},
        {ID_ALIGN_RIGHT, {"A", "D", "E"}, {{"A", {640, 40}}, {"D", {640, 240}}, {"E", {640, 440}}}},
        {ID_ALIGN_TOP, {"A", "D", "E"}, {{"A", {40, 40}}, {"D", {340, 40}}, {"E", {640, 40}}}},
        {ID_ALIGN_BOTTOM, {"A", "D", "E"}, {{"A", {40, 440}}, {"D", {340, 440}}, {"E", {640, 440}}}},
        {ID_ALIGN_CENTRE, {"A", "D", "E"}, {{"A", {340, 40}}, {"D", {340, 240}}, {"E", {340, 440}}}},
        {ID_ALIGN_MIDDLE, {"A", "D", "E"}, {{"A", {40, 240}}, {"D", {340, 240}}, {"E", {640, 240}}}},
        {ID_DISTRIBUTE_ACROSS, {"A", "B", "F"}, {{"A", {40, 40}}, {"B", {370, 40}}, {"F", {700, 40}}}},
        {ID_DISTRIBUTE_DOWN, {"A", "B", "E"}, {{"A", {40, 40}}, {"B", {300, 240}}, {"E", {640, 440}}}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.command);
        Open(SevenNodes());
        ClickAt(ViewWnd(), kEmpty);
        for (const char* name : c.nodes)
            Click(name, MK_CONTROL);
        const auto before = Places();
        Menu("Edit", c.command);
        auto expected = before;
        for (const auto& [name, at] : c.after)
            expected[name] = at;
        EXPECT_EQ(Places(), expected);
        EXPECT_TRUE(Doc().IsModified());
        Undo();
        EXPECT_EQ(Places(), before) << "one step";
        frame.reset();
    }
}

} // namespace
} // namespace pdt::test
