// The node definition dialog on the reference host: OK and Enter, a host that breaks a rule (an option array
// that points past itself, a node loaded without a release) and the link it remembers.
#include <gtest/gtest.h>

#include <vector>

#include "../host/define_harness.h"
#include "node/CDlgDefineNode.h"
#include "node/CDlgDefineNodeBasic.h"

using namespace pdt::test;

namespace
{

class DefineNode : public DefineDialogTest
{
  protected:
    void SetUp() override
    {
        DefineDialogTest::SetUp();
        m_node = m_doc.AddNode(NODE_INPUT, "N1");
        m_a = m_doc.AddNode(NODE_SCREEN, "A");
        m_b = m_doc.AddNode(NODE_SCREEN, "B");
        ASSERT_TRUE(m_node && m_a && m_b);
    }

    static CDlgDefineNodeBasic* Basic(CDlgDefine& dlg)
    {
        OPTIONITEM* opt = dlg.GetOption(2115, 0);
        return opt ? dynamic_cast<CDlgDefineNodeBasic*>(opt->pPage) : nullptr;
    }
    static int ChildWindows(const CWnd& dlg)
    {
        int n = 0;
        for (CWnd* c = dlg.GetWindow(GW_CHILD); c; c = c->GetWindow(GW_HWNDNEXT))
            ++n;
        return n;
    }
    static int LinkPages(const CDlgDefineNode& dlg)
    {
        int n = 0;
        for (int i = 0; dlg.m_pLinkOptions && i < dlg.m_nLinkCapacity; ++i)
            n += dlg.m_pLinkOptions[i].pPage != nullptr;
        return n;
    }
    static std::vector<CString> Out(CDlgDefineNode& dlg) { return Labels(dlg, FindItem(dlg, "Outgoing Links")); }

    HostNode* m_node = nullptr;
    HostNode* m_a = nullptr;
    HostNode* m_b = nullptr;
};
using NodeHostRules = DefineNode;
using NodeLinks = DefineNode;

TEST_F(DefineNode, OkStoresThePagesMarksTheDocumentAndTellsTheNode)
{
    HostView pane;
    m_doc.AddView(&pane);
    CDlgDefineNode dlg(m_node, m_doc.BeginDefineNode(m_node));
    ExpectModal([&](CDialog&) {
        Type(*Basic(dlg), IDC_NODE_NAME, "Quantity");
        Click(*Basic(dlg), IDC_NODE_GLOBALACCESS);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(m_node->m_strName, "Quantity");
    EXPECT_TRUE(m_node->m_bGlobalAccess);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_doc.m_pLastUpdateSender, m_doc.GetMainView());
    EXPECT_EQ(pane.m_nUpdates, 1);
    EXPECT_EQ(m_node->m_nDefineUpdates, 1);
    m_doc.RemoveView(&pane);
}

TEST_F(DefineNode, EnterOnTheTreeAppliesAndEnterInAPageIsOk)
{
    CDlgDefineNode dlg(m_node, m_doc.BeginDefineNode(m_node));
    ExpectModal([&](CDialog&) {
        Type(*Basic(dlg), IDC_NODE_NAME, "ByTree");
        ClickItem(dlg, "Basic");
        Key(VK_RETURN);
        Pump();
        EXPECT_TRUE(dlg.IsWindowVisible()) << "Apply is the default button";
        EXPECT_EQ(m_node->m_strName, "ByTree");

        Type(*Basic(dlg), IDC_NODE_NAME, "ByPage");
        Key(VK_RETURN);
        Pump();
        EXPECT_FALSE(dlg.IsWindowVisible());
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(m_node->m_strName, "ByPage");
    EXPECT_EQ(m_node->m_nDefineUpdates, 2);
}

TEST_F(NodeHostRules, AParentIndexOutOfRangeIsReportedByEntryAndTheRestIsShown)
{
    struct Case
    {
        int parent; // of the "Notes" entry, the second of three
        const char* why;
    };
    for (Case c : {Case{7, "past the end of the array"}, Case{2, "an entry after it"}, Case{1, "itself"},
                   Case{-5, "a negative index other than -1"}})
    {
        SCOPED_TRACE(c.why);
        OPTIONITEM options[] = {
            {2115, -1, "Basic", nullptr, nullptr, nullptr, 0, 0, nullptr},
            {2124, c.parent, "Notes", nullptr, nullptr, nullptr, 0, 0, nullptr},
            {2113, 0, "Outgoing Links", nullptr, nullptr, nullptr, 0, 0, nullptr},
            {0, -1, nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr},
        };
        size_t seen = MessageBoxes().size();
        ExpectMessageBox(IDOK);
        RunNodeDialog(
            m_node,
            [&](CDlgDefineNode& dlg) {
                ASSERT_EQ(MessageBoxes().size(), seen + 1);
                const CString& text = MessageBoxes().back().text;
                EXPECT_NE(text.Find("\"Notes\""), -1) << text.c_str();
                EXPECT_NE(text.Find(std::to_string(c.parent).c_str()), -1) << text.c_str();
                EXPECT_EQ(Labels(dlg), (std::vector<CString>{"Basic", "Notes"})) << "the entry stands at the top level";
                EXPECT_EQ(Labels(dlg, FindItem(dlg, "Basic")), std::vector<CString>{"Outgoing Links"});
                ASSERT_NE(options[1].pPage, nullptr) << "its page is there";
                ClickItem(dlg, "Notes");
                EXPECT_TRUE(options[1].pPage->IsWindowVisible());
                Click(dlg, IDCANCEL);
            },
            options);
    }
}

TEST_F(NodeHostRules, LoadingANodeWithoutReleaseLeavesNoWindowsOrItemsBehind)
{
    m_doc.AddLink(m_node->m_nID, m_a->m_nID);
    m_doc.AddLink(m_b->m_nID, m_node->m_nID);
    m_doc.AddLink(m_a->m_nID, m_b->m_nID);

    CDlgDefineNode fresh;
    ASSERT_TRUE(fresh.CreateDefineNode(m_a, m_doc.BeginDefineNode(m_a)));
    const int windows = ChildWindows(fresh);
    const std::vector<CString> labels = Labels(fresh);
    fresh.DestroyWindow();

    CDlgDefineNode dlg;
    OPTIONITEM* inputOptions = m_doc.BeginDefineNode(m_node);
    ASSERT_TRUE(dlg.CreateDefineNode(m_node, inputOptions));
    ASSERT_EQ(LinkPages(dlg), 2);

    dlg.Initial(m_a, m_doc.BeginDefineNode(m_a)); // no Release first
    dlg.InitialDlg();
    EXPECT_EQ(Labels(dlg), labels);
    EXPECT_EQ(Out(dlg), std::vector<CString>{"-> B"});
    EXPECT_EQ(LinkPages(dlg), 2);
    EXPECT_EQ(ChildWindows(dlg), windows) << "the first node's pages are gone";
    for (OPTIONITEM* opt = inputOptions; opt->nID; ++opt)
        EXPECT_EQ(opt->pPage, nullptr) << opt->nID;
    EXPECT_EQ(dlg.GetWindowText(), "Define Node [Screen] - Demo - A");

    dlg.InitialDlg(); // and filled twice
    EXPECT_EQ(Labels(dlg), labels);
    EXPECT_EQ(LinkPages(dlg), 2);
    EXPECT_EQ(ChildWindows(dlg), windows);

    Click(dlg, ID_APPLY_NOW);
    EXPECT_EQ(m_a->m_nDefineUpdates, 1);
    dlg.DestroyWindow();
}

TEST_F(NodeLinks, ClosingOnALinkRemembersTheLinkButNotAsTheKindsEntry)
{
    m_doc.AddLink(m_node->m_nID, m_a->m_nID);
    HostLink* toB = m_doc.AddLink(m_node->m_nID, m_b->m_nID);
    m_doc.m_nLastNodeOption[NodeKindSlot(NODE_INPUT)] = 2124;
    RunNodeDialog(m_node, [](CDlgDefineNode& dlg) {
        ToggleExpand(dlg, FindItem(dlg, "Outgoing Links"));
        ClickItem(dlg, "-> B");
        Click(dlg, IDOK);
    });
    EXPECT_EQ(m_doc.m_nLastOptionID, 0);
    EXPECT_EQ(m_doc.m_nLastOptionSub, toB->m_nID);
    EXPECT_EQ(m_doc.m_nLastNodeOption[NodeKindSlot(NODE_INPUT)], 2124);

    // The host opens the node's dialog on a link when the link is double-clicked in the flowchart.
    HostNode* from = nullptr;
    OPTIONITEM* options = m_doc.BeginDefineLink(toB, &from);
    ASSERT_EQ(from, m_node);
    CDlgDefineNode dlg(from, options);
    ExpectModal([&](CDialog&) {
        int sub = 0;
        EXPECT_EQ(dlg.GetActiveOptionID(&sub), 2111);
        EXPECT_EQ(sub, toB->m_nID);
        EXPECT_EQ(SelectedLabel(dlg), "-> B");
        EXPECT_TRUE(dlg.GetOption(2111, toB->m_nID)->pPage->IsWindowVisible());
        Click(dlg, IDCANCEL);
    });
    dlg.DoModal();
}

TEST_F(NodeLinks, LinksAreGroupedByDirectionAndSortedByLabel)
{
    m_doc.AddLink(m_node->m_nID, m_b->m_nID);
    m_doc.AddLink(m_node->m_nID, m_a->m_nID);
    m_doc.AddLink(m_b->m_nID, m_node->m_nID);
    m_doc.AddLink(m_a->m_nID, m_b->m_nID); // not the node's
    RunNodeDialog(m_node, [&](CDlgDefineNode& dlg) {
        EXPECT_EQ(Out(dlg), (std::vector<CString>{"-> A", "-> B"}));
        EXPECT_EQ(Labels(dlg, FindItem(dlg, "Incoming Links")), std::vector<CString>{"<- B"});
        Click(dlg, IDCANCEL);
    });
}

} // namespace
