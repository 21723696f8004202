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
    enum Action
    {
        NEW,
        OPEN,
        EXIT,
        CLOSE_BOX,
        CTRL_N,
        CTRL_Q,
    };
    struct Case
    {
        const char* what;
        Action action;
        int answer;
    };
    const Case cases[] = {
        {"New, No", NEW, IDNO},   {"Ctrl+N, Cancel", CTRL_N, IDCANCEL},       {"Open, No", OPEN, IDNO},
        {"Exit, No", EXIT, IDNO}, {"close box, Cancel", CLOSE_BOX, IDCANCEL}, {"Ctrl+Q, Cancel", CTRL_Q, IDCANCEL},
    };
    for (const Case& c : cases)
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
        switch (c.action)
        {
        case NEW: Menu("File", ID_FILE_NEW); break;
        case OPEN: Menu("File", ID_FILE_OPEN); break;
        case EXIT: Menu("File", ID_APP_EXIT); break;
        case CLOSE_BOX: CloseBox(frame->m_hWnd); break;
        case CTRL_N:
        case CTRL_Q:
            Focus(ViewWnd());
            Key(c.action == CTRL_N ? 'N' : 'Q', false, true);
            break;
        }
        ASSERT_EQ(MessageBoxes().size(), boxes + 1);
        EXPECT_EQ(MessageBoxes().back().text, "Save changes to Warehouse.job?");
        EXPECT_EQ(MessageBoxes().back().type & 0xF, UINT(MB_YESNOCANCEL));
        bool closes = c.action == EXIT || c.action == CLOSE_BOX || c.action == CTRL_Q;
        if (c.answer == IDCANCEL)
        {
            EXPECT_TRUE(IsWindow(frame->m_hWnd));
            EXPECT_EQ(&Doc(), before);
            EXPECT_TRUE(Doc().IsModified());
            EXPECT_EQ(frame->GetWindowText(), "Warehouse.job* - jobhost");
            EXPECT_EQ(fileDialogs, 0);
        }
        else if (closes)
            EXPECT_FALSE(IsWindow(frame->m_hWnd));
        else if (c.action == OPEN)
        {
            EXPECT_EQ(fileDialogs, 1);
            EXPECT_EQ(&Doc(), before) << "the file dialog was cancelled";
        }
        else
        {
            EXPECT_EQ(Doc().GetNodeCount(), 0);
            EXPECT_FALSE(Doc().IsModified());
            EXPECT_EQ(frame->GetWindowText(), "Untitled - jobhost");
        }
        frame.reset();
    }
}

TEST_F(MainMenus, AnUnchangedJobIsDroppedWithoutAQuestion)
{
    Open();
    Menu("File", ID_FILE_NEW);
    EXPECT_EQ(Doc().GetNodeCount(), 0);
    CloseBox(frame->m_hWnd);
    EXPECT_FALSE(IsWindow(frame->m_hWnd));
    EXPECT_TRUE(MessageBoxes().empty());
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

int g_runs = 0;
CWnd* g_runFrame = nullptr;
JobDocument* g_runDoc = nullptr;
CWnd* RecordRun(CWnd* frame, JobDocument& doc)
{
    ++g_runs;
    g_runFrame = frame;
    g_runDoc = &doc;
    return nullptr;
}

TEST_F(MainMenus, RunJobIsGreyedUntilTheSimulationRegisters)
{
    g_runs = 0;
    Open();
    Menu("Simulation", ID_SIMULATE_RUN);
    ASSERT_NE(LastMenuItem(ID_SIMULATE_RUN), nullptr);
    EXPECT_FALSE(LastMenuItem(ID_SIMULATE_RUN)->enabled);
    EXPECT_EQ(g_runs, 0);

    SetSimulateHandler(RecordRun);
    Menu("Simulation", ID_SIMULATE_RUN);
    EXPECT_TRUE(LastMenuItem(ID_SIMULATE_RUN)->enabled);
    EXPECT_EQ(g_runs, 1);
    EXPECT_EQ(g_runFrame, frame.get());
    EXPECT_EQ(g_runDoc, &Doc());
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
