// The node definition dialog on the reference host: OK, Apply and Cancel, the keys, the entry it opens on, and
// loading one node after another into an open window.
#include <gtest/gtest.h>

#include <tuple>

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
        m_n1 = m_doc.AddNode(NODE_INPUT, "N1");
        m_n2 = m_doc.AddNode(NODE_SCREEN, "N2");
        ASSERT_TRUE(m_n1 && m_n2);
    }

    static CDlgDefineNodeBasic* Basic(CDlgDefine& dlg)
    {
        OPTIONITEM* opt = dlg.GetOption(2115, 0);
        return opt ? dynamic_cast<CDlgDefineNodeBasic*>(opt->pPage) : nullptr;
    }
    static CString NameShown(CDlgDefine& dlg)
    {
        CDlgDefineNodeBasic* basic = Basic(dlg);
        return basic ? basic->GetDlgItem(IDC_NODE_NAME)->GetWindowText() : CString("<no basic page>");
    }

    HostNode* m_n1 = nullptr;
    HostNode* m_n2 = nullptr;
};

TEST_F(DefineNode, OkStoresThePagesMarksTheDocumentAndTellsTheNode)
{
    HostView pane;
    m_doc.AddView(&pane);
    CDlgDefineNode dlg(m_n1, m_doc.BeginDefineNode(m_n1));
    ExpectModal([&](CDialog&) {
        Type(*Basic(dlg), IDC_NODE_NAME, "Quantity");
        Click(*Basic(dlg), IDC_NODE_GLOBALACCESS);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(m_n1->m_strName, "Quantity");
    EXPECT_TRUE(m_n1->m_bGlobalAccess);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_doc.m_pLastUpdateSender, m_doc.GetMainView());
    EXPECT_EQ(pane.m_nUpdates, 1);
    EXPECT_EQ(m_n1->m_nDefineUpdates, 1);
    m_doc.RemoveView(&pane);
}

TEST_F(DefineNode, ApplyStoresAndStaysOpenThenCancelKeepsWhatWasApplied)
{
    CDlgDefineNode dlg(m_n1, m_doc.BeginDefineNode(m_n1));
    ExpectModal([&](CDialog&) {
        Type(*Basic(dlg), IDC_NODE_NAME, "Applied");
        Click(dlg, ID_APPLY_NOW);
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_EQ(m_n1->m_strName, "Applied");
        Type(*Basic(dlg), IDC_NODE_NAME, "Cancelled");
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(m_n1->m_strName, "Applied");
    EXPECT_EQ(m_doc.m_nUpdateCount, 1);
    EXPECT_EQ(m_n1->m_nDefineUpdates, 1);
}

TEST_F(DefineNode, EnterOnTheTreeAppliesAndEnterInAPageIsOk)
{
    CDlgDefineNode dlg(m_n1, m_doc.BeginDefineNode(m_n1));
    ExpectModal([&](CDialog&) {
        Type(*Basic(dlg), IDC_NODE_NAME, "ByTree");
        ClickItem(dlg, "Basic");
        Key(VK_RETURN);
        Pump();
        EXPECT_TRUE(dlg.IsWindowVisible()) << "Apply is the default button";
        EXPECT_EQ(m_n1->m_strName, "ByTree");

        Type(*Basic(dlg), IDC_NODE_NAME, "ByPage");
        Key(VK_RETURN);
        Pump();
        EXPECT_FALSE(dlg.IsWindowVisible());
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(m_n1->m_strName, "ByPage");
    EXPECT_EQ(m_n1->m_nDefineUpdates, 2);
}

TEST_F(DefineNode, EscapeAndF1InAPageAndDeleteOnANodeItemDoNothing)
{
    CDlgDefineNode dlg(m_n1, m_doc.BeginDefineNode(m_n1));
    ExpectModal([&](CDialog&) {
        Type(*Basic(dlg), IDC_NODE_NAME, "Kept");
        Key(VK_ESCAPE);
        Key(VK_F1);
        Pump();
        EXPECT_TRUE(dlg.IsWindowVisible());

        // No question is asked for a node page; an unexpected message box would fail the test.
        size_t items = Tree(dlg).GetCount();
        ClickItem(dlg, "Notes");
        Key(VK_DELETE);
        Pump();
        EXPECT_EQ(Tree(dlg).GetCount(), items);
        EXPECT_NE(dlg.GetOption(2124, 0)->pPage, nullptr);
        EXPECT_EQ(ShownPages(dlg), std::vector<int>{2124});
        Click(dlg, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(m_n1->m_strName, "Kept");
}

TEST_F(DefineNode, ClosingRemembersTheEntryOfTheKindAndTheNextDialogOpensThere)
{
    {
        CDlgDefineNode dlg(m_n1, m_doc.BeginDefineNode(m_n1));
        ExpectModal([&](CDialog&) {
            ClickItem(dlg, "Notes");
            Click(dlg, IDOK);
        });
        dlg.DoModal();
    }
    EXPECT_EQ(m_doc.m_nLastOptionID, 0);
    EXPECT_EQ(m_doc.m_nLastNodeOption[NodeKindSlot(NODE_INPUT)], 2124);
    EXPECT_EQ(m_doc.m_nLastNodeOption[NodeKindSlot(NODE_SCREEN)], 0) << "other kinds keep theirs";

    // The next node of the kind opens there; another kind, or an entry its tree does not have, on the basic page.
    HostNode* n3 = m_doc.AddNode(NODE_INPUT, "N3");
    const std::tuple<HostNode*, int, int> cases[] = {{n3, 2124, 2124}, {m_n2, 0, 2115}, {n3, 2999, 2115}};
    for (auto [node, remembered, shown] : cases)
    {
        m_doc.m_nLastNodeOption[NodeKindSlot(node->m_nKind)] = remembered;
        CDlgDefineNode dlg(node, m_doc.BeginDefineNode(node));
        ExpectModal([&](CDialog&) {
            EXPECT_EQ(ShownPages(dlg), std::vector<int>{shown}) << node->m_strName.c_str() << " " << remembered;
            EXPECT_EQ(SelectedLabel(dlg), shown == 2124 ? "Notes" : "Basic");
            Click(dlg, IDCANCEL);
        });
        dlg.DoModal();
    }
}

TEST_F(DefineNode, TheOpenWindowTakesOneNodeAfterAnother)
{
    HostLink* link = m_doc.AddLink(m_n2->m_nID, m_n1->m_nID);
    CDlgDefineNode dlg;
    ASSERT_TRUE(dlg.CreateDefineNode(m_n1, m_doc.BeginDefineNode(m_n1), nullptr));
    dlg.ShowWindow(SW_SHOW);
    EXPECT_EQ(dlg.GetWindowText(), "Define Node [Input] - Demo - N1");
    EXPECT_EQ(NameShown(dlg), "N1");
    EXPECT_EQ(dlg.m_nLinkCount, 1);

    dlg.Release();
    EXPECT_EQ(dlg.m_pNode, nullptr);
    EXPECT_EQ(dlg.m_nLinkCount, 0);
    EXPECT_EQ(Tree(dlg).GetCount(), 0u);

    dlg.Initial(m_n2, m_doc.BeginDefineNode(m_n2));
    dlg.InitialDlg();
    EXPECT_EQ(dlg.GetWindowText(), "Define Node [Screen] - Demo - N2");
    EXPECT_EQ(NameShown(dlg), "N2");
    EXPECT_EQ(Labels(dlg, FindItem(dlg, "Outgoing Links")), std::vector<CString>{"-> N1"});
    ASSERT_NE(dlg.GetOption(2111, link->m_nID), nullptr);

    Type(*Basic(dlg), IDC_NODE_NAME, "Second");
    Click(dlg, ID_APPLY_NOW);
    EXPECT_EQ(m_n2->m_strName, "Second");
    EXPECT_EQ(m_n1->m_strName, "N1");
    EXPECT_EQ(m_n2->m_nDefineUpdates, 1);
    EXPECT_EQ(m_n1->m_nDefineUpdates, 0);

    // OK on the modeless window stores and hides it; the host destroys it when it likes.
    Click(dlg, IDOK);
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_TRUE(IsWindow(dlg.m_hWnd));
    dlg.DestroyWindow();
    EXPECT_FALSE(theReg.GetString("Settings", "WPOS_DEFINEBOX", "").IsEmpty());
}

} // namespace
