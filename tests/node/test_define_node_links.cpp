// The link entries of the node dialog: grouping, labels, order, expanded groups, the remembered link
// and deleting a link with the Delete key.
#include <gtest/gtest.h>

#include <functional>

#include "../host/define_harness.h"
#include "link/CDlgDefineLink.h"
#include "node/CDlgDefineNode.h"

using namespace pdt::test;

namespace
{

class NodeLinks : public DefineDialogTest
{
  protected:
    void SetUp() override
    {
        DefineDialogTest::SetUp();
        m_node = m_doc.AddNode(NODE_INPUT, "N1");
        m_b = m_doc.AddNode(NODE_SCREEN, "B");
        m_a = m_doc.AddNode(NODE_SCREEN, "A");
        ASSERT_TRUE(m_node && m_a && m_b);
    }

    // Opens the dialog of the node and runs the handler in it; returns how the dialog ended.
    INT_PTR Open(HostNode* node, std::function<void(CDlgDefineNode&)> handler)
    {
        CDlgDefineNode dlg(node, m_doc.BeginDefineNode(node));
        ExpectModal([&](CDialog&) { handler(dlg); });
        return dlg.DoModal();
    }

    static std::vector<CString> In(CDlgDefineNode& dlg) { return Labels(dlg, FindItem(dlg, "Incoming Links")); }
    static std::vector<CString> Out(CDlgDefineNode& dlg) { return Labels(dlg, FindItem(dlg, "Outgoing Links")); }

    HostNode* m_node = nullptr;
    HostNode* m_a = nullptr;
    HostNode* m_b = nullptr;
};

TEST_F(NodeLinks, ANodeWithoutLinksHasEmptyGroups)
{
    m_doc.m_bExpandLinkIn = m_doc.m_bExpandLinkOut = 1;
    Open(m_node, [](CDlgDefineNode& dlg) {
        EXPECT_TRUE(In(dlg).empty());
        EXPECT_TRUE(Out(dlg).empty());
        EXPECT_EQ(dlg.m_nLinkCount, 0);
        EXPECT_EQ(dlg.m_pLinkOptions, nullptr);
        EXPECT_FALSE(IsExpanded(dlg, FindItem(dlg, "Incoming Links")));
        EXPECT_FALSE(IsExpanded(dlg, FindItem(dlg, "Outgoing Links")));
        Click(dlg, IDCANCEL);
    });
}

TEST_F(NodeLinks, LinksAreGroupedByDirectionAndSortedByLabel)
{
    HostLink* toB = m_doc.AddLink(m_node->m_nID, m_b->m_nID);
    HostLink* toA = m_doc.AddLink(m_node->m_nID, m_a->m_nID);
    HostLink* fromB = m_doc.AddLink(m_b->m_nID, m_node->m_nID);
    m_doc.AddLink(m_a->m_nID, m_b->m_nID); // not the node's
    Open(m_node, [&](CDlgDefineNode& dlg) {
        EXPECT_EQ(Out(dlg), (std::vector<CString>{"-> A", "-> B"}));
        EXPECT_EQ(In(dlg), (std::vector<CString>{"<- B"}));
        EXPECT_EQ(dlg.m_nLinkCount, 3);
        EXPECT_EQ(dlg.m_nLinkUsed, 3);
        EXPECT_EQ(dlg.m_nLinkCapacity, 11);

        for (HostLink* link : {toB, toA, fromB})
        {
            OPTIONITEM* entry = dlg.GetOption(2111, link->m_nID);
            ASSERT_NE(entry, nullptr);
            EXPECT_EQ(entry->pObject, link);
            EXPECT_EQ(entry->dwUser2, 1u);
            auto* page = dynamic_cast<CDlgDefineLink*>(entry->pPage);
            ASSERT_NE(page, nullptr);
            EXPECT_EQ(page->m_pLink, link);
            EXPECT_EQ(page->m_pNode, m_node);
        }
        EXPECT_EQ(dlg.GetOption(2111, toA->m_nID)->hParentItem, FindItem(dlg, "Outgoing Links"));
        EXPECT_EQ(dlg.GetOption(2111, fromB->m_nID)->hParentItem, FindItem(dlg, "Incoming Links"));
        Click(dlg, IDCANCEL);
    });
}

TEST_F(NodeLinks, DetailedLabelsCarryTheLinkNumber)
{
    HostLink* toB = m_doc.AddLink(m_node->m_nID, m_b->m_nID, 41);
    HostLink* fromA = m_doc.AddLink(m_a->m_nID, m_node->m_nID, 7);
    ASSERT_TRUE(toB && fromA);
    ViewDetailedProperties = 1;
    Open(m_node, [&](CDlgDefineNode& dlg) {
        EXPECT_EQ(Out(dlg), std::vector<CString>{"-> B, #41"});
        EXPECT_EQ(In(dlg), std::vector<CString>{"<- A, #7"});
        Click(dlg, IDCANCEL);
    });
}

TEST_F(NodeLinks, ASelfLoopIsListedOnceAsOutgoing)
{
    HostLink* loop = m_doc.AddLink(m_node->m_nID, m_node->m_nID);
    ASSERT_NE(loop, nullptr);
    Open(m_node, [&](CDlgDefineNode& dlg) {
        EXPECT_EQ(Out(dlg), std::vector<CString>{"-> N1"});
        EXPECT_TRUE(In(dlg).empty());
        EXPECT_EQ(dlg.m_nLinkCount, 1);
        EXPECT_EQ(dlg.m_nLinkUsed, 1);
        Click(dlg, IDCANCEL);
    });
}

TEST_F(NodeLinks, ExpandedGroupsAreRememberedAcrossReopenings)
{
    m_doc.AddLink(m_node->m_nID, m_a->m_nID);
    m_doc.AddLink(m_b->m_nID, m_node->m_nID);
    m_doc.m_bExpandLinkIn = 0;
    m_doc.m_bExpandLinkOut = 1;
    Open(m_node, [](CDlgDefineNode& dlg) {
        HTREEITEM in = FindItem(dlg, "Incoming Links"), out = FindItem(dlg, "Outgoing Links");
        EXPECT_FALSE(IsExpanded(dlg, in));
        EXPECT_TRUE(IsExpanded(dlg, out));
        ToggleExpand(dlg, in);
        ToggleExpand(dlg, out);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(m_doc.m_bExpandLinkIn, 1);
    EXPECT_EQ(m_doc.m_bExpandLinkOut, 0);
    Open(m_node, [](CDlgDefineNode& dlg) {
        EXPECT_TRUE(IsExpanded(dlg, FindItem(dlg, "Incoming Links")));
        EXPECT_FALSE(IsExpanded(dlg, FindItem(dlg, "Outgoing Links")));
        Click(dlg, IDCANCEL);
    });
}

TEST_F(NodeLinks, ClosingOnALinkRemembersTheLinkButNotAsTheKindsEntry)
{
    m_doc.AddLink(m_node->m_nID, m_a->m_nID);
    HostLink* toB = m_doc.AddLink(m_node->m_nID, m_b->m_nID);
    m_doc.m_nLastNodeOption[NodeKindSlot(NODE_INPUT)] = 2124;
    Open(m_node, [](CDlgDefineNode& dlg) {
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

TEST_F(NodeLinks, DeleteOnALinkItemDeletesTheLinkWhenTheUserAgrees)
{
    HostLink* toA = m_doc.AddLink(m_node->m_nID, m_a->m_nID);
    HostLink* toB = m_doc.AddLink(m_node->m_nID, m_b->m_nID);
    int idB = toB->m_nID;
    Open(m_node, [&](CDlgDefineNode& dlg) {
        ToggleExpand(dlg, FindItem(dlg, "Outgoing Links"));
        OPTIONITEM* entry = dlg.GetOption(2111, idB);
        ASSERT_NE(entry, nullptr);
        ClickItem(dlg, "-> B");
        ExpectMessageBox(IDYES);
        Key(VK_DELETE);
        Pump();
        ASSERT_EQ(MessageBoxes().size(), 1u);
        EXPECT_EQ(MessageBoxes()[0].text, "Delete link N1 -> B?");
        EXPECT_EQ(MessageBoxes()[0].type, UINT(MB_YESNO | MB_ICONQUESTION));
        EXPECT_EQ(m_doc.FindLink(idB), nullptr);
        EXPECT_EQ(Out(dlg), std::vector<CString>{"-> A"});
        EXPECT_EQ(entry->pPage, nullptr);
        EXPECT_EQ(dlg.GetOption(2111, idB), nullptr);

        // The remaining link still takes its page's values.
        ClickItem(dlg, "-> A");
        Click(*dlg.GetOption(2111, toA->m_nID)->pPage, IDC_LINK_ALARM);
        Click(dlg, IDOK);
    });
    EXPECT_TRUE(toA->m_bAlarm);
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(NodeLinks, DeleteTypedInsideALinkPageEditsTheTextAndDeletesNothing)
{
    HostLink* toB = m_doc.AddLink(m_node->m_nID, m_b->m_nID);
    toB->m_nCondition = LINK_INPUT_DATA;
    toB->m_strInputData = "123";
    HostNode* from = nullptr;
    CDlgDefineNode dlg(m_node, m_doc.BeginDefineLink(toB, &from));
    ExpectModal([&](CDialog&) {
        CDlgDefineBase* page = dlg.GetOption(2111, toB->m_nID)->pPage;
        ASSERT_TRUE(page->IsWindowVisible());
        Focus(Item(*page, IDC_LINK_INPUTDATA));
        Key(VK_HOME);
        Key(VK_DELETE);
        Pump();
        EXPECT_EQ(page->GetDlgItem(IDC_LINK_INPUTDATA)->GetWindowText(), "23");
        EXPECT_EQ(m_doc.FindLink(toB->m_nID), toB) << "no question was asked, no link deleted";
        Click(dlg, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(toB->m_strInputData, "23");
}

TEST_F(NodeLinks, DeleteOnALinkItemKeepsTheLinkWhenTheUserRefuses)
{
    HostLink* toB = m_doc.AddLink(m_node->m_nID, m_b->m_nID);
    Open(m_node, [&](CDlgDefineNode& dlg) {
        ToggleExpand(dlg, FindItem(dlg, "Outgoing Links"));
        ClickItem(dlg, "-> B");
        ExpectMessageBox(IDNO);
        Key(VK_DELETE);
        Pump();
        EXPECT_EQ(MessageBoxes().size(), 1u);
        EXPECT_EQ(m_doc.FindLink(toB->m_nID), toB);
        EXPECT_EQ(Out(dlg), std::vector<CString>{"-> B"});
        OPTIONITEM* entry = dlg.GetOption(2111, toB->m_nID);
        ASSERT_NE(entry, nullptr);
        EXPECT_TRUE(entry->pPage->IsWindowVisible());
        Click(dlg, IDCANCEL);
    });
    EXPECT_FALSE(m_doc.IsModified());
}

} // namespace
