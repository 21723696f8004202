// Undo and Redo in the main window: each edit made with the mouse, the menus or a definition dialog is taken back
// and made again exactly (nudges and deletes with the keys are the selection tests'), the title's mark comes back
// with the saved state, an open node dialog is loaded again on the restored job, and the history keeps a bounded
// number of steps.

#include <filesystem>
#include <string>
#include <vector>

#include "../host/define_harness.h"
#include "app_harness.h"
#include "host/app/SimulationWindow.h"
#include "host/app/UndoHistory.h"
#include "host/jobfile/JobFile.h"

using namespace pdt::test;

namespace
{

constexpr COLORREF kPaper = RGB(255, 255, 255);

// A and B on a row joined by a link, C below A on its own.
std::unique_ptr<JobDocument> ThreeNodes()
{
    return JobOf("Three.pdtjob", {{"A", {40, 40}}, {"B", {340, 40}, NODE_INPUT}, {"C", {40, 340}, NODE_UPLOAD}},
                 {{"A", "B"}});
}

const char kClean[] = "Three.pdtjob - jobhost";
const char kMarked[] = "Three.pdtjob* - jobhost";

class Undo : public MainWindowTest
{
  public:
    std::string Text() { return HistoryText(Doc()); }
    CString Title() { return frame->GetWindowText(); }
    // By its key in the flowchart, or from the Edit menu.
    void Step(bool undo, bool byKey)
    {
        if (byKey)
        {
            Focus(ViewWnd());
            Key(undo ? 'Z' : 'Y', false, true);
        }
        else
            Menu("Edit", undo ? ID_EDIT_UNDO : ID_EDIT_REDO);
        Pump();
    }
    // Whether the Edit menu offers the command (not greyed).
    bool Offered(UINT id)
    {
        Menu("Edit", 0);
        const auto* item = LastMenuItem(id);
        return item && item->enabled;
    }
    // Points inside a node's box near its lower corners, away from its texts and from links between rows: one
    // that a move of a line or more to the right, down or both leaves, one it reaches.
    CPoint LowerLeft(const HostNode* node)
    {
        CRect r = View().GetNodeRect(*node);
        return View().PageToClient(CPoint(r.left + 4, r.bottom - 4));
    }
    CPoint LowerRight(const HostNode* node) { return Body(node); }
};

TEST_F(Undo, EveryEditIsTakenBackAndMadeAgain)
{
    struct Case
    {
        const char* what;
        std::function<void(Undo&)> edit;
        const char* moved; // the node the edit moves, whose pixels are checked; null when none moves
    };
    auto Rename = [](const char* node, const char* name, int button) {
        return [=](Undo& t) {
            DoubleClickAt(t.ViewWnd(), t.Centre(t.Node(node)));
            Type(t.BasicPage(), IDC_NODE_NAME, name);
            Click(*t.frame->GetNodeDialog(), button);
        };
    };
    const Case cases[] = {
        {"a node dragged",
         [](Undo& t) { Drag(t.ViewWnd(), t.Centre(t.Node("A")), t.Centre(t.Node("A")) + CPoint(200, 150)); }, "A"},
        {"a node from Edit > New Node", [](Undo& t) { t.Menu("Edit", ID_NODE_NEW_FIRST + UINT(NODE_INPUT)); }, nullptr},
        {"a link made with the link tool",
         [](Undo& t) {
             t.Menu("Edit", ID_NODE_LINK);
             Drag(t.ViewWnd(), t.Centre(t.Node("C")), t.Centre(t.Node("B")));
             t.Menu("Edit", ID_NODE_LINK);
         },
         nullptr},
        {"a node renamed in its dialog, OK", Rename("B", "Item Code", IDOK), nullptr},
        {"a record from its dialog",
         [](Undo& t) {
             ExpectModal([](CDialog& dlg) {
                 auto& define = static_cast<CDlgDefine&>(dlg);
                 ClickItem(define, "Fields");
                 Type(*define.GetOption(IDD_RECORD_FIELD, 0)->pPage, IDC_RECORD_NAME, "Items");
                 Click(dlg, IDOK);
             });
             t.Menu("Define", ID_DEFINE_RECORD_NEW);
         },
         nullptr},
    };
    bool byKey = false;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        byKey = !byKey;
        Open(ThreeNodes());
        EXPECT_FALSE(Offered(ID_EDIT_UNDO));
        const std::string before = Text();
        CPoint from = c.moved ? LowerLeft(Node(c.moved)) : CPoint();
        COLORREF colour = c.moved ? PixelAt(ViewWnd(), from) : 0;

        c.edit(*this);
        Pump();
        const std::string after = Text();
        ASSERT_NE(after, before) << "the edit changed nothing";
        CPoint to = c.moved ? LowerRight(Node(c.moved)) : CPoint();
        int selected = View().GetSelectedNode() ? View().GetSelectedNode()->m_nID : 0;
        EXPECT_EQ(Title(), kMarked);
        EXPECT_TRUE(Offered(ID_EDIT_UNDO));
        EXPECT_FALSE(Offered(ID_EDIT_REDO));

        Step(true, byKey);
        EXPECT_EQ(Text(), before);
        EXPECT_EQ(Title(), kClean);
        EXPECT_FALSE(Offered(ID_EDIT_UNDO));
        EXPECT_TRUE(Offered(ID_EDIT_REDO));
        if (c.moved)
        {
            EXPECT_EQ(PixelAt(ViewWnd(), from), colour);
            EXPECT_EQ(PixelAt(ViewWnd(), to), kPaper);
            ASSERT_NE(View().GetSelectedNode(), nullptr) << "the moved node stays selected";
            EXPECT_EQ(View().GetSelectedNode()->m_nID, selected);
        }

        Step(false, !byKey);
        EXPECT_EQ(Text(), after);
        EXPECT_EQ(Title(), kMarked);
        EXPECT_TRUE(Offered(ID_EDIT_UNDO));
        EXPECT_FALSE(Offered(ID_EDIT_REDO));
        if (c.moved)
        {
            EXPECT_EQ(PixelAt(ViewWnd(), from), kPaper);
            EXPECT_EQ(PixelAt(ViewWnd(), to), colour);
        }
        EXPECT_TRUE(MessageBoxes().empty());
        frame.reset();
    }
}

TEST_F(Undo, TheHistoryIsBoundedAndANewEditDropsRedo)
{
    constexpr int kSteps = 100, kLine = 20;
    Open(ThreeNodes());
    ClickAt(ViewWnd(), Centre(Node("C")));
    const CPoint start = Node("C")->m_ptPosition;
    for (int i = 0; i < kSteps + 5; ++i)
    {
        Key(VK_DOWN, false, true);
        Key(VK_ESCAPE); // ends the burst: each nudge its own step
    }
    ASSERT_EQ(Node("C")->m_ptPosition, start + CPoint(0, (kSteps + 5) * kLine));
    View().ScrollTo(CPoint(0, 60));
    ASSERT_EQ(View().GetScrollPosition(), CPoint(0, 60));

    Step(true, true);
    EXPECT_EQ(View().GetScrollPosition(), CPoint(0, 60)) << "the view stays where it was";
    for (int i = 1; i < kSteps + 5; ++i)
        Step(true, true);
    EXPECT_EQ(Node("C")->m_ptPosition, start + CPoint(0, 5 * kLine)) << "the oldest steps are gone";
    EXPECT_FALSE(Offered(ID_EDIT_UNDO));
    EXPECT_TRUE(Doc().IsModified()) << "the file holds none of the states left";

    Step(false, true);
    Step(false, true);
    EXPECT_EQ(Node("C")->m_ptPosition, start + CPoint(0, 7 * kLine));
    // A new edit while steps could be redone: they are gone, and it is the one Undo takes back.
    ClickAt(ViewWnd(), Centre(Node("A")));
    Key(VK_RIGHT, false, true);
    EXPECT_FALSE(Offered(ID_EDIT_REDO));
    Step(true, false);
    EXPECT_EQ(Node("A")->m_ptPosition, CPoint(40, 40));
    EXPECT_EQ(Node("C")->m_ptPosition, start + CPoint(0, 7 * kLine));
}

TEST_F(Undo, TheMarkComesBackWithTheSavedState)
{
    Open(ThreeNodes());
    frame->SetFileName(CString((std::filesystem::path(TempDir()) / "Three.pdtjob").string()));
    Drag(ViewWnd(), Centre(Node("A")), Centre(Node("A")) + CPoint(0, 150));
    Focus(ViewWnd());
    Key('S', false, true);
    ASSERT_EQ(Title(), kClean);
    const std::string saved = Text();
    Drag(ViewWnd(), Centre(Node("B")), Centre(Node("B")) + CPoint(0, 150));
    EXPECT_EQ(Title(), kMarked);

    struct Expected
    {
        bool undo;
        const char* title;
    };
    const Expected steps[] = {
        {true, kClean},   // back to what the file holds
        {true, kMarked},  // before the save
        {false, kClean},  // the saved state again
        {false, kMarked}, // B moved again
    };
    for (const Expected& e : steps)
    {
        Step(e.undo, false);
        EXPECT_EQ(Title(), e.title);
    }
    Step(true, true);
    EXPECT_EQ(Text(), saved);
    EXPECT_EQ(Doc().m_strPathName, CString((std::filesystem::path(TempDir()) / "Three.pdtjob").string()));
    std::string error;
    auto file = LoadJobFile(Doc().m_strPathName.str(), &error);
    ASSERT_NE(file, nullptr) << error;
    EXPECT_EQ(HistoryText(*file), saved);
}

HWND g_simulation = nullptr;
CWnd* OpenAndKeep(CWnd* frame, JobDocument& doc)
{
    CWnd* window = OpenSimulation(frame, doc);
    g_simulation = window ? window->m_hWnd : nullptr;
    return window;
}

// A simulation runs on the job's own nodes: when Undo puts another job in place it closes, as for File > New.
TEST_F(Undo, ASimulationOfTheJobClosesWhenUndoRestoresAnother)
{
    Open();
    SetSimulateHandler(OpenAndKeep);
    Menu("Simulation", ID_SIMULATE_RUN);
    ASSERT_TRUE(IsWindow(g_simulation));
    Drag(ViewWnd(), Centre(Node("Upload")), Centre(Node("Upload")) + CPoint(0, 60));
    EXPECT_TRUE(IsWindow(g_simulation)) << "an edit leaves it open";
    Step(true, true);
    Pump();
    EXPECT_FALSE(IsWindow(g_simulation));
}

// A step keeps what differs from the text next to it, and every text still comes back exactly: back, forward,
// and after the current text was read back differently from what was restored.
TEST(UndoHistorySteps, EveryTextComesBackAndAStepKeepsOnlyWhatDiffers)
{
    const std::string big(100000, 'x');
    const std::vector<std::string> texts = {
        big,
        big + "tail",                                                   // added at the end
        "head" + big + "tail",                                          // at the start
        "head" + big.substr(0, 500) + "MID" + big.substr(500) + "tail", // in the middle
        "head" + big.substr(0, 500) + "M" + big.substr(503) + "tail",   // shorter, where they overlap
        "",                                                             // all gone
        "x",                                                            // its start and its end the same byte
        big,
    };
    UndoHistory history(100, size_t(1) << 20);
    history.Reset(texts[0], true);
    for (size_t i = 1; i < texts.size(); ++i)
        ASSERT_TRUE(history.Record(texts[i]));
    EXPECT_LT(history.GetUndoBytes(), big.size() + 100) << "only the text before everything went keeps it all";

    auto is = [](const std::string* text, const std::string& expected) { return text && *text == expected; };
    for (size_t i = texts.size() - 1; i > 0; --i)
        EXPECT_TRUE(is(history.Undo(), texts[i - 1])) << "back to " << i - 1;
    EXPECT_EQ(history.Undo(), nullptr);
    EXPECT_TRUE(history.IsSaved());
    for (size_t i = 1; i < texts.size(); ++i)
        EXPECT_TRUE(is(history.Redo(), texts[i])) << "forward to " << i;
    EXPECT_EQ(history.Redo(), nullptr);
}

} // namespace
