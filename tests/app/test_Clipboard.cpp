// Cut, Copy, Paste and Duplicate of nodes in the flowchart: what travels (nodes, the links among them, the records
// they write), where pasted nodes land, what a damaged or newer fragment gets, and two programs sharing one.
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QProcess>
#include <QWidget>

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <set>

#include "host/jobfile/JobFile.h"
#include "host/jobfile/JobFragment.h"
#include "host/model/HostRecord.h"
#include "tests/app/app_harness.h"

namespace pdt::test
{
namespace
{

// A, B and C in a row, linked A>B>C; B uploads the record "Stock", the link B>C writes the record "Log".
std::unique_ptr<JobDocument> ThreeNodes()
{
    auto doc = JobOf("Three.pdtjob", {{"A", {40, 40}}, {"B", {240, 40}, NODE_UPLOAD}, {"C", {440, 40}}}, {{"A", "B"}});
    HostRecord* stock = doc->AddRecord("Stock", "STOCK.DAT");
    HostRecord* log = doc->AddRecord("Log", "LOG.DAT");
    doc->AddRecord("Unused", "UNUSED.DAT");
    doc->FindNodeByName("B")->m_nRecordID = stock->m_nID;
    HostLink* writes = doc->AddLink(doc->FindNodeByName("B")->m_nID, doc->FindNodeByName("C")->m_nID);
    writes->m_bEOR = TRUE;
    writes->m_nRecordID = log->m_nID;
    doc->SetStartNode(doc->FindNodeByName("A"));
    doc->SetModifiedFlag(FALSE);
    return doc;
}

HGLOBAL Bytes(const std::string& s)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, s.size());
    std::memcpy(GlobalLock(h), s.data(), s.size());
    GlobalUnlock(h);
    return h;
}

// The pointer away from the window, or over a point of the flowchart, as a person leaves it before a key.
void PointerAway() { QCursor::setPos(0, 0); }

class JobClipboard : public MainWindowTest
{
  public:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        SetClipboardText(nullptr);
        PointerAway();
    }
    void Keys(UINT vk)
    {
        Focus(ViewWnd());
        Key(vk, false, true);
        Pump();
    }
    void SelectOnly(std::initializer_list<const char*> names)
    {
        ClickAt(ViewWnd(), CPoint(600, 400));
        for (const char* name : names)
            ClickAt(ViewWnd(), Centre(Node(name)), false, MK_CONTROL);
    }
    // Every node of a name, in the document's order.
    std::vector<HostNode*> All(const char* name)
    {
        std::vector<HostNode*> found;
        for (int i = 0; i < Doc().GetNodeCount(); ++i)
            if (Doc().GetNodeAt(i)->m_strName == name)
                found.push_back(Doc().GetNodeAt(i));
        return found;
    }
    const HostLink* LinkBetween(const HostNode* from, const HostNode* to)
    {
        for (int i = 0; i < Doc().GetLinkCount(); ++i)
            if (const HostLink* l = Doc().GetLinkAt(i); l->m_nFromNodeID == from->m_nID && l->m_nToNodeID == to->m_nID)
                return l;
        return nullptr;
    }
    std::set<int> SelectedIds()
    {
        std::set<int> ids;
        for (HostNode* node : View().GetSelectedNodes())
            ids.insert(node->m_nID);
        return ids;
    }
    void PutFragment(const std::string& text)
    {
        ASSERT_TRUE(frame->OpenClipboard());
        EmptyClipboard();
        SetClipboardData(RegisterClipboardFormat(kJobFragmentMimeType), Bytes(text));
        CloseClipboard();
    }
};

TEST_F(JobClipboard, CopyAndPasteBringNewNodesWithTheirLinksAStepAwayEachTime)
{
    Open(ThreeNodes());
    SelectOnly({"B", "C"});
    const std::string before = HistoryText(Doc());
    Keys('C');
    EXPECT_TRUE(HistoryText(Doc()) == before) << "a copy changes nothing";
    EXPECT_EQ(ClipboardText(), "B\r\nC\r\n") << "other programs get the names";

    for (int paste = 1; paste <= 2; ++paste)
    {
        SCOPED_TRACE(paste);
        Keys('V');
        auto bs = All("B"), cs = All("C");
        ASSERT_EQ(bs.size(), size_t(1 + paste));
        ASSERT_EQ(cs.size(), size_t(1 + paste));
        HostNode *b = bs.back(), *c = cs.back();
        EXPECT_EQ(b->m_ptPosition, CPoint(240, 40) + CPoint(20 * paste, 20 * paste));
        EXPECT_EQ(c->m_ptPosition, CPoint(440, 40) + CPoint(20 * paste, 20 * paste));
        EXPECT_EQ(SelectedIds(), std::set<int>({b->m_nID, c->m_nID})) << "the pasted nodes are selected";
        EXPECT_EQ(b->m_nKind, NODE_UPLOAD);
        const HostLink* link = LinkBetween(b, c);
        ASSERT_NE(link, nullptr) << "the link between them came too";
        EXPECT_TRUE(link->m_bEOR);
        EXPECT_EQ(Doc().FindRecord(link->m_nRecordID)->m_strName, "Log");
        EXPECT_EQ(Doc().FindRecord(b->m_nRecordID)->m_strName, "Stock");
        EXPECT_EQ(LinkBetween(All("A")[0], b), nullptr) << "a link to a node left behind stays behind";
        EXPECT_FALSE(b->m_bStartNode);
    }
    EXPECT_EQ(Doc().GetRecordCount(), 3) << "the job's own records of those names are the ones written";
    EXPECT_EQ(Doc().GetLinkCount(), 4);
    EXPECT_EQ(frame->GetStatusText().Left(7), "2 nodes");
    Keys('Z');
    Keys('Z');
    EXPECT_TRUE(HistoryText(Doc()) == before) << "each paste is one step";
}

TEST_F(JobClipboard, CutTakesTheNodesWithoutAQuestionAndPasteBringsThemBack)
{
    Open(ThreeNodes());
    SelectOnly({"A", "B"});
    const std::string before = HistoryText(Doc());
    Keys('X');
    EXPECT_TRUE(MessageBoxes().empty());
    EXPECT_TRUE(All("A").empty());
    EXPECT_TRUE(All("B").empty());
    EXPECT_EQ(Doc().GetLinkCount(), 0);
    EXPECT_EQ(View().GetSelectedNodeCount(), 0);

    Menu("Edit", ID_EDIT_PASTE);
    ASSERT_EQ(All("A").size(), 1u);
    ASSERT_EQ(All("B").size(), 1u);
    EXPECT_EQ(All("A")[0]->m_ptPosition, CPoint(60, 60)) << "a step from where they stood";
    EXPECT_NE(LinkBetween(All("A")[0], All("B")[0]), nullptr);
    EXPECT_EQ(LinkBetween(All("B")[0], All("C")[0]), nullptr) << "the cut link to C is gone for good";
    Keys('Z');
    Keys('Z');
    EXPECT_TRUE(HistoryText(Doc()) == before) << "the cut is one step";
}

TEST_F(JobClipboard, DuplicateCopiesBesideTheOriginalsAndLeavesTheClipboardAlone)
{
    Open(ThreeNodes());
    SetClipboardText("kept");
    SelectOnly({"A", "B"});
    Menu("Edit", ID_EDIT_DUPLICATE);
    ASSERT_EQ(All("A").size(), 2u);
    EXPECT_EQ(All("A")[1]->m_ptPosition, CPoint(60, 60));
    EXPECT_EQ(All("B")[1]->m_ptPosition, CPoint(260, 60));
    EXPECT_NE(LinkBetween(All("A")[1], All("B")[1]), nullptr);
    EXPECT_EQ(ClipboardText(), "kept");
    Keys('D'); // of the copies, which are selected now
    ASSERT_EQ(All("A").size(), 3u);
    EXPECT_EQ(All("A")[2]->m_ptPosition, CPoint(80, 80));
}

TEST_F(JobClipboard, PasteLandsAtThePointerWhenItIsOverTheFlowchart)
{
    Open(ThreeNodes());
    SelectOnly({"A", "B"});
    Keys('C');
    QWidget* view = Peer(ViewWnd());
    const CPoint at(500, 300);
    QCursor::setPos(view->mapToGlobal(QPoint(at.x, at.y)));
    Keys('V');
    ASSERT_EQ(All("A").size(), 2u);
    EXPECT_EQ(All("A")[1]->m_ptPosition, View().ClientToPage(at)) << "the pasted nodes' corner is at the pointer";
    EXPECT_EQ(All("B")[1]->m_ptPosition, View().ClientToPage(at) + CPoint(200, 0)) << "and they keep their places";
}

TEST_F(JobClipboard, PasteIntoAnotherJobBringsTheRecordsItLacks)
{
    Open(ThreeNodes());
    SelectOnly({"B", "C"});
    Keys('C');
    Open(std::make_unique<JobDocument>());
    Keys('V');
    ASSERT_EQ(Doc().GetNodeCount(), 2);
    EXPECT_EQ(Doc().GetRecordCount(), 2) << "Stock and Log; not the record no pasted node writes";
    HostNode* b = All("B")[0];
    ASSERT_NE(Doc().FindRecord(b->m_nRecordID), nullptr);
    EXPECT_EQ(Doc().FindRecord(b->m_nRecordID)->m_strName, "Stock");
    EXPECT_EQ(Doc().FindRecord(b->m_nRecordID)->m_strDataFile, "STOCK.DAT");
}

TEST_F(JobClipboard, AFragmentThatCannotBeReadIsRefusedWithItsReasonAndChangesNothing)
{
    Open(ThreeNodes());
    SelectOnly({"A"});
    const std::string good = FormatJobFragment(Doc(), {Node("A")->m_nID});
    const struct
    {
        const char* what;
        std::string text;
        const char* reason; // in the message
    } cases[] = {
        {"cut short", good.substr(0, good.size() / 2), "cut short"},
        {"a link to a node it lacks",
         good.substr(0, good.rfind("\"links\"")) + "\"links\": [{\"id\": 1, \"from\": 1, \"to\": 99}]\n}", "99"},
    };
    const std::string before = HistoryText(Doc());
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        PutFragment(c.text);
        const size_t seen = MessageBoxes().size();
        ExpectMessageBox(IDOK);
        Keys('V');
        ASSERT_EQ(MessageBoxes().size(), seen + 1);
        const CString& text = MessageBoxes().back().text;
        EXPECT_EQ(text.Left(24), "Cannot paste the nodes: ");
        EXPECT_NE(text.Find(c.reason), -1) << text.c_str();
        EXPECT_TRUE(HistoryText(Doc()) == before);
        EXPECT_FALSE(Doc().IsModified());
    }
}

TEST_F(JobClipboard, TheEditMenuOffersWhatCanBeDone)
{
    Open(ThreeNodes());
    auto offered = [&](UINT id) {
        Menu("Edit", 0);
        const auto* item = LastMenuItem(id);
        return item && item->enabled;
    };
    const struct
    {
        const char* what;
        std::function<void()> before;
        bool copy, paste;
    } cases[] = {
        {"nothing selected, text on the clipboard", [] { SetClipboardText("text"); }, false, false},
        {"a node selected", [&] { SelectOnly({"A"}); }, true, false},
        {"after a copy", [&] { Keys('C'); }, true, true},
        {"nothing selected after a copy", [&] { SelectOnly({}); }, false, true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        c.before();
        for (UINT id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_DUPLICATE})
            EXPECT_EQ(offered(id), c.copy) << id;
        EXPECT_EQ(offered(ID_EDIT_PASTE), c.paste);
    }
}

// Two jobhost windows in two programs: one copies, the other pastes. The offscreen platform's clipboard belongs
// to its process, so this runs in the pass under a real X server (where it is skipped offscreen).
constexpr char kSourceVariable[] = "PDT_CLIPBOARD_SOURCE";

TEST_F(JobClipboard, TwoProgramsShareAFragment)
{
    if (QGuiApplication::platformName() == "offscreen")
        GTEST_SKIP() << "the offscreen clipboard is the process's own; the X pass runs this";
    QProcess source;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kSourceVariable, "1");
    env.remove("PDTDLG_TEST_XSERVER"); // our X server, not one of its own
    source.setProcessEnvironment(env);
    source.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=JobClipboard.CopyingSideOfTwoPrograms"});
    ASSERT_TRUE(source.waitForStarted(10000));
    QByteArray said;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!said.contains("copied") && std::chrono::steady_clock::now() < end && source.state() == QProcess::Running)
    {
        source.waitForReadyRead(100);
        said += source.readAllStandardOutput();
    }
    ASSERT_TRUE(said.contains("copied")) << said.constData();

    Open(std::make_unique<JobDocument>());
    Keys('V');
    EXPECT_EQ(Doc().GetNodeCount(), 3);
    EXPECT_EQ(Doc().GetLinkCount(), 2);
    EXPECT_EQ(Doc().GetRecordCount(), 2);
    ASSERT_EQ(All("B").size(), 1u);
    EXPECT_EQ(Doc().FindRecord(All("B")[0]->m_nRecordID)->m_strName, "Stock");
    source.closeWriteChannel(); // the copying side ends
    EXPECT_TRUE(source.waitForFinished(10000));
}

// The other program of the case above; skipped unless that case started it.
TEST_F(JobClipboard, CopyingSideOfTwoPrograms)
{
    if (!std::getenv(kSourceVariable))
        GTEST_SKIP() << "started by TwoProgramsShareAFragment only";
    Open(ThreeNodes());
    Keys('A');
    Keys('C');
    fputs("copied\n", stdout);
    fflush(stdout);
    // It owns the clipboard's data until the other side is done with it and closes our input.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < end)
    {
        Pump();
        pollfd in{STDIN_FILENO, POLLIN, 0};
        if (poll(&in, 1, 20) > 0)
        {
            char c;
            if (read(STDIN_FILENO, &c, 1) <= 0)
                break;
        }
    }
}

} // namespace
} // namespace pdt::test
