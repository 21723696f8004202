// Edit > Find asks for a text with the library's Find dialog and selects the next node whose name, description or
// screen text holds it, scrolling it into view; Find Next goes on from the selected node and wraps; a text that no
// node holds is said so.
#include "app_harness.h"

using namespace pdt::test;

namespace
{

class FindInJob : public MainWindowTest
{
  protected:
    void Find(const char* text, bool matchCase = false, bool toPane = false)
    {
        ExpectModal([&](CDialog& dlg) {
            Type(dlg, IDC_FIND_TEXT, text);
            if (matchCase)
                Click(dlg, IDC_FIND_MATCHCASE);
            if (toPane)
                Click(dlg, IDC_FIND_OUTPUTTOPANE2);
            Click(dlg, IDOK);
        });
        Menu("Edit", ID_EDIT_FIND);
    }
    CString Selected()
    {
        HostNode* node = View().GetSelectedNode();
        return node ? node->m_strName : CString("<none>");
    }
};

// A text no node holds is said so, and the selection stays.
TEST_F(FindInJob, FindsEachKindOfTextInTurnAndWraps)
{
    struct Case
    {
        const char* what;
        const char* text;
        bool matchCase;
        std::vector<const char*> found; // after Find, then each Find Next; none: not found
    };
    const Case cases[] = {
        // Every input node's description says it collects from the scanner: in the job's order, then round.
        {"a description", "the scanner", false, {"Scan Item", "Pack Size", "Location", "Quantity", "Scan Item"}},
        {"a screen text, its case matched", "WAREHOUSE", true, {"Main Menu"}},
        {"names, descriptions and screen texts together",
         "count",
         false,
         {"Main Menu", "Count Items", "Review Counts", "Clear Counts", "Main Menu"}},
        {"a text no node holds", "zebra", false, {}},
        {"a case no node has", "warehouse", true, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        Open();
        const size_t boxes = MessageBoxes().size();
        if (c.found.empty())
        {
            ClickAt(ViewWnd(), Centre(Node("Upload")));
            ExpectMessageBox(IDOK);
        }
        Find(c.text, c.matchCase);
        for (size_t i = 0; i < c.found.size(); ++i)
        {
            SCOPED_TRACE(i);
            if (i > 0)
                Menu("Edit", ID_EDIT_REPEAT);
            EXPECT_EQ(Selected(), c.found[i]);
        }
        ASSERT_EQ(MessageBoxes().size(), boxes + (c.found.empty() ? 1 : 0));
        if (c.found.empty())
        {
            EXPECT_EQ(MessageBoxes().back().text, CString("Cannot find \"") + c.text + "\".");
            EXPECT_EQ(Selected(), "Upload");
        }
        frame.reset();
    }
}

TEST_F(FindInJob, TheMatchIsScrolledIntoViewAndF3FindsTheNext)
{
    Open(nullptr, CRect(20, 20, 420, 320)); // shows the top left of the sample only
    HostNode* receiving = Node("Receiving");
    EXPECT_FALSE(View().GetViewRect().PtInRect(Centre(receiving)));
    Find("Receiving");
    EXPECT_EQ(Selected(), "Receiving");
    EXPECT_TRUE(View().GetViewRect().PtInRect(Centre(receiving)));
    EXPECT_EQ(PixelAt(ViewWnd(), Body(receiving)), Doc().m_settings.crColours[JC_RUNJOB]);

    // F3 in the flowchart is Find Next; Cancel in the Find dialog keeps the last text.
    ExpectModal([](CDialog& dlg) { Click(dlg, IDCANCEL); });
    Menu("Edit", ID_EDIT_FIND);
    Find("item"); // from Receiving on, round to the menu's screen text "F1 Scan items"
    EXPECT_EQ(Selected(), "Main Menu");
    ClickAt(ViewWnd(), View().GetViewRect().BottomRight() - CPoint(2, 2)); // the view has the keys
    View().SelectNode(Node("Scan Item"));
    Key(VK_F3);
    EXPECT_EQ(Selected(), "Count Items");
}

// "Output To Pane 2": every match is listed under the flowchart, named by its label, so that two nodes of one name
// are told apart; the list and the flowchart's selection follow each other, by keys and clicks.
TEST_F(FindInJob, ThePaneListsEveryMatchByItsNumberAndLeadsTheFlowchart)
{
    Open();
    HostNode* first = Node("Totals");
    HostNode* second = View().NewNodeAtFreeSpot(first->m_nKind);
    second->m_strName = "Totals";
    Find("TOTALS", false, true);

    FindResultsPane& pane = frame->GetFindResults();
    ASSERT_TRUE(pane.IsWindowVisible());
    std::vector<CString> lines(pane.GetCount());
    for (int i = 0; i < pane.GetCount(); ++i)
        pane.GetText(i, lines[i]);
    EXPECT_EQ(lines, (std::vector<CString>{"Find \"TOTALS\": 2 nodes", first->GetLabel() + ", name: Totals",
                                           second->GetLabel() + ", name: Totals"}));
    EXPECT_NE(lines[1], lines[2]);
    EXPECT_EQ(View().GetSelectedNode(), first);
    EXPECT_EQ(::GetFocus(), pane.m_hWnd);
    CRect paneRect, viewRect;
    pane.GetWindowRect(&paneRect);
    frame->GetView().GetWindowRect(&viewRect);
    EXPECT_LE(viewRect.bottom, paneRect.top) << "the pane covers the flowchart";

    Key(VK_DOWN);
    EXPECT_EQ(View().GetSelectedNode(), second);
    View().ScrollTo(View().GetNodeRect(*first).TopLeft() - CPoint(20, 20));
    ClickAt(ViewWnd(), Centre(first));
    EXPECT_EQ(pane.GetCurSel(), 1);
    Key(VK_F6);
    EXPECT_EQ(::GetFocus(), pane.m_hWnd);
    Key(VK_RETURN);
    ASSERT_NE(frame->GetNodeDialog(), nullptr);
    EXPECT_EQ(frame->GetNodeDialog()->m_pNode, first);
    pane.SetFocus();
    Key(VK_ESCAPE);
    EXPECT_FALSE(pane.IsWindowVisible());
    EXPECT_EQ(::GetFocus(), ViewWnd());
    EXPECT_TRUE(MessageBoxes().empty());
}

} // namespace
