// What the node dialog beside the flowchart holds and has not applied is never dropped unasked: leaving it for another
// node, New, Undo or the close box (Open and Exit ask as New and the close box do) asks Apply, Discard or Cancel, and
// the job and its file afterwards hold what the answer says.
#include <filesystem>

#include "app_harness.h"
#include "host/app/res/jobhost.h"
#include "host/jobfile/JobFile.h"

using namespace pdt::test;

namespace
{

class UnappliedNodeChanges : public MainWindowTest
{
  public:
    // The sample job from a file of the test's own, and the node dialog open on Scan Item with its name typed over.
    void OpenAndType(const char* name)
    {
        m_path = (std::filesystem::path(TempDir()) / "Warehouse.pdtjob").string();
        std::string error;
        ASSERT_TRUE(SaveJobFile(*MakeSampleJob(), m_path, &error)) << error;
        Open(LoadJobFile(m_path, &error));
        frame->SetFileName(m_path.c_str());
        m_scanId = Node("Scan Item")->m_nID;
        DoubleClickAt(ViewWnd(), Centre(Node("Scan Item")));
        ASSERT_NE(frame->GetNodeDialog(), nullptr);
        Type(BasicPage(), IDC_NODE_NAME, name);
    }
    // The name of Scan Item in the job on screen ("-" when another job is shown or none), in its file, and in the node
    // dialog.
    std::string InJob()
    {
        if (!IsWindow(frame->m_hWnd) || Doc().m_strPathName != m_path.c_str())
            return "-"; // Undo shows the same job in a document of its own

        HostNode* node = Doc().FindNode(m_scanId);
        return node ? node->m_strName.str() : "<no node>";
    }
    std::string OnDisk()
    {
        std::string error;
        auto file = LoadJobFile(m_path, &error);
        HostNode* node = file ? file->FindNode(m_scanId) : nullptr;
        return node ? node->m_strName.str() : error;
    }
    // "node: shown name" of a shown node dialog, "-" for none.
    std::string InDialog()
    {
        CDlgDefineNode* dlg = IsWindow(frame->m_hWnd) ? frame->GetNodeDialog() : nullptr;
        if (!dlg || !dlg->IsWindowVisible() || !dlg->m_pNode)
            return "-";
        CString shown;
        BasicPage().GetDlgItemText(IDC_NODE_NAME, shown);
        return dlg->m_pNode->m_strName.str() + ": " + shown.str();
    }

    std::string m_path;
    int m_scanId = 0;
};

TEST_F(UnappliedNodeChanges, EveryWayOfLeavingAsksAndTheAnswerDecidesWhatTheJobAndItsFileHold)
{
    using T = UnappliedNodeChanges;
    struct Way
    {
        const char* what;
        std::function<void(T&)> leave;
        bool dropsJob; // New, the close box: the job goes once the changes are settled
    };
    const Way ways[] = {
        {"a click on another node", [](T& t) { ClickAt(t.ViewWnd(), t.Centre(t.Node("Upload"))); }, false},
        {"File > New", [](T& t) { t.Menu("File", ID_FILE_NEW); }, true},
        {"Ctrl+Z",
         [](T& t) {
             Focus(t.ViewWnd());
             Key('Z', false, true);
         },
         false},
        {"the close box", [](T& t) { CloseBox(t.frame->m_hWnd); }, true},
    };
    struct Answer
    {
        const char* what;
        int button;
    };
    const Answer answers[] = {{"Apply", IDC_UNAPPLIED_APPLY}, {"Discard", IDC_UNAPPLIED_DISCARD}, {"Cancel", IDCANCEL}};

    for (const Way& w : ways)
        for (const Answer& a : answers)
        {
            SCOPED_TRACE(std::string(w.what) + ", " + a.what);
            OpenAndType("Scan Barcode");
            CString question;
            ExpectModal([&](CDialog& dlg) {
                EXPECT_EQ(dlg.GetTemplateID(), UINT(IDD_UNAPPLIED));
                question = dlg.GetDlgItem(IDC_UNAPPLIED_TEXT)->GetWindowText();
                Click(dlg, a.button);
            });
            const bool apply = a.button == IDC_UNAPPLIED_APPLY, stay = a.button == IDCANCEL;
            // Applied, the job has changes: the save question follows, and is answered Yes.
            if (apply && w.dropsJob)
                ExpectMessageBox(IDYES);
            size_t boxes = MessageBoxes().size();
            w.leave(*this);
            Pump();

            EXPECT_NE(question.Find(("Scan Item (" + std::to_string(m_scanId) + ")").c_str()), -1) << question.c_str();
            const bool undo = std::string(w.what) == "Ctrl+Z";
            const bool gone = w.dropsJob && !stay;
            std::string job = gone ? "-" : apply && !undo ? "Scan Barcode" : "Scan Item";
            EXPECT_EQ(InJob(), job);
            EXPECT_EQ(OnDisk(), apply && w.dropsJob ? "Scan Barcode" : "Scan Item");
            if (apply && w.dropsJob)
            {
                ASSERT_EQ(MessageBoxes().size(), boxes + 1);
                EXPECT_EQ(MessageBoxes().back().text, "Save changes to Warehouse.pdtjob?");
            }
            else
            {
                EXPECT_EQ(MessageBoxes().size(), boxes) << "nothing to save: no more questions";
            }
            if (stay)
            {
                EXPECT_EQ(InDialog(), "Scan Item: Scan Barcode") << "the dialog keeps what was typed";
                EXPECT_EQ(View().GetSelectedNode(), Doc().FindNode(m_scanId)) << "and the flowchart its node";
                EXPECT_TRUE(IsWindow(frame->m_hWnd));
            }
            else if (!w.dropsJob && !undo)
            {
                HostNode* next = View().GetSelectedNode();
                ASSERT_NE(next, nullptr);
                EXPECT_NE(next->m_nID, m_scanId);
                EXPECT_EQ(InDialog(), next->m_strName.str() + ": " + next->m_strName.str());
            }
            else if (undo)
            {
                EXPECT_EQ(InDialog(), "Scan Item: Scan Item");
                EXPECT_EQ(frame->GetHistory().CanRedo(), apply) << "what was applied can be made again";
            }
            else
            {
                EXPECT_EQ(IsWindow(frame->m_hWnd), std::string(w.what) != "the close box");
            }
            frame.reset();
        }
}

// A value Apply refuses keeps the person where it is, whatever the way of leaving.
TEST_F(UnappliedNodeChanges, ARefusedApplyStays)
{
    OpenAndType("   ");
    ExpectModal([](CDialog& dlg) { Click(dlg, IDC_UNAPPLIED_APPLY); });
    ExpectMessageBox(IDOK);
    Menu("File", ID_FILE_NEW);
    ASSERT_FALSE(MessageBoxes().empty());
    EXPECT_EQ(MessageBoxes().back().text, "Please enter a name for the node.");
    EXPECT_EQ(InJob(), "Scan Item");
    EXPECT_EQ(InDialog(), "Scan Item:    ");
}

// Nothing typed, or typed and put back, or applied already: nothing is asked.
TEST_F(UnappliedNodeChanges, NoQuestionWithoutChanges)
{
    OpenAndType("Scan Item");
    ClickAt(ViewWnd(), Centre(Node("Upload")));
    EXPECT_EQ(InDialog(), "Upload: Upload");
    Type(BasicPage(), IDC_NODE_NAME, "Send");
    Click(*frame->GetNodeDialog(), ID_APPLY_NOW);
    ClickAt(ViewWnd(), Centre(Node("Count Items")));
    EXPECT_EQ(InDialog(), "Count Items: Count Items");
    EXPECT_NE(Doc().FindNodeByName("Send"), nullptr);
    ClickAt(ViewWnd(), View().PageToClient(CPoint(5, 5))); // empty paper: the dialog stays as it is
    EXPECT_EQ(InDialog(), "Count Items: Count Items");
}

} // namespace
