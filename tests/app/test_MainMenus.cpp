// The main window's menus and title: Define Node waits for a selection, the simulation item waits for a handler, the
// link tool has its key, and no command drops unsaved changes without asking.
#include "app_harness.h"

#include <QWidget>

using namespace pdt::test;

namespace
{

class MainMenus : public MainWindowTest
{
  protected:
    // Makes a change through the flowchart, as a user would.
    void MoveANode()
    {
        HostNode* node = Node("Upload");
        Drag(ViewWnd(), Centre(node), Centre(node) + CPoint(30, 0));
        ASSERT_TRUE(Doc().IsModified());
    }
};

TEST_F(MainMenus, EveryCommandThatDropsTheJobAsksFirst)
{
    using T = MainMenus;
    auto ctrl = [](UINT key) {
        return [=](T& t) {
            Focus(t.ViewWnd());
            Key(key, false, true);
        };
    };
    const struct
    {
        const char* what;
        std::function<void(T&)> command;
        int answer;
        bool closes;
    } cases[] = {
        {"New, No", [](T& t) { t.Menu("File", ID_FILE_NEW); }, IDNO, false},
        {"Ctrl+N, Cancel", ctrl('N'), IDCANCEL, false},
        {"Open, No", [](T& t) { t.Menu("File", ID_FILE_OPEN); }, IDNO, false},
        {"Exit, No", [](T& t) { t.Menu("File", ID_APP_EXIT); }, IDNO, true},
        {"close box, Cancel", [](T& t) { CloseBox(t.frame->m_hWnd); }, IDCANCEL, true},
        {"Ctrl+Q, Cancel", ctrl('Q'), IDCANCEL, true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        Open();
        MoveANode();
        JobDocument* before = &Doc();
        int fileDialogs = 0;
        pdt::support::SetFileDialogHandler([&](const pdt::support::FileDialogRequest&) {
            ++fileDialogs;
            return CString(); // the user cancels the file dialog
        });
        size_t boxes = MessageBoxes().size();
        ExpectMessageBox(c.answer);
        c.command(*this);
        ASSERT_EQ(MessageBoxes().size(), boxes + 1);
        EXPECT_EQ(MessageBoxes().back().text, "Save changes to Warehouse.job?");
        EXPECT_EQ(MessageBoxes().back().type & 0xF, UINT(MB_YESNOCANCEL));
        const bool opens = std::string(c.what) == "Open, No";
        EXPECT_EQ(fileDialogs, opens ? 1 : 0);
        if (c.answer == IDCANCEL || opens)
        {
            EXPECT_TRUE(IsWindow(frame->m_hWnd));
            EXPECT_EQ(&Doc(), before) << "kept, or the file dialog was cancelled";
            EXPECT_EQ(frame->GetWindowText(), "Warehouse.job* - jobhost");
        }
        else if (c.closes)
            EXPECT_FALSE(IsWindow(frame->m_hWnd));
        else
        {
            EXPECT_EQ(Doc().GetNodeCount(), 0);
            EXPECT_EQ(frame->GetWindowText(), "Untitled - jobhost");
        }
        frame.reset();
    }
}

TEST_F(MainMenus, DefineNodeWaitsForASelection)
{
    Open();
    Menu("Define", 0);
    ASSERT_NE(LastMenuItem(ID_DEFINE_NODE), nullptr);
    EXPECT_FALSE(LastMenuItem(ID_DEFINE_NODE)->enabled);
    ClickAt(ViewWnd(), Centre(Node("Totals")));
    Menu("Define", ID_DEFINE_NODE);
    ASSERT_NE(frame->GetNodeDialog(), nullptr);
    EXPECT_EQ(frame->GetNodeDialog()->m_pNode, Node("Totals"));
}

// Run Job with a handler is the undo and simulation tests' own.
TEST_F(MainMenus, RunJobIsGreyedUntilTheSimulationRegisters)
{
    Open();
    Menu("Simulation", ID_SIMULATE_RUN);
    ASSERT_NE(LastMenuItem(ID_SIMULATE_RUN), nullptr);
    EXPECT_FALSE(LastMenuItem(ID_SIMULATE_RUN)->enabled);
}

// The link tool has a key of its own, which the menu shows, and shows as the pointer's cross over the flowchart.
TEST_F(MainMenus, TheLinkToolsKeyAndPointer)
{
    Open();
    QWidget* view = Peer(ViewWnd());
    const CPoint empty = View().GetViewRect().BottomRight() - CPoint(5, 5);
    MouseMoveTo(ViewWnd(), empty, false);
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
    Focus(ViewWnd());
    Key('L', false, true);
    EXPECT_TRUE(View().IsLinkTool());
    MouseMoveTo(ViewWnd(), empty - CPoint(1, 1), false);
    EXPECT_EQ(view->cursor().shape(), Qt::CrossCursor);
    Menu("Edit", 0);
    ASSERT_NE(LastMenuItem(ID_NODE_LINK), nullptr);
    EXPECT_EQ(LastMenuItem(ID_NODE_LINK)->text, "&Link Nodes\tCtrl+L");
    Focus(ViewWnd());
    Key('L', false, true);
    EXPECT_FALSE(View().IsLinkTool());
    MouseMoveTo(ViewWnd(), empty, false);
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
}

} // namespace
