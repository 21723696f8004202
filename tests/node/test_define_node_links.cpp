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

    static std::vector<CString> In(CDlgDefineNode& dlg) { return Labels(dlg, FindItem(dlg, "Incoming Links")); }
    static std::vector<CString> Out(CDlgDefineNode& dlg) { return Labels(dlg, FindItem(dlg, "Outgoing Links")); }

    HostNode* m_node = nullptr;
    HostNode* m_a = nullptr;
    HostNode* m_b = nullptr;
};

TEST_F(NodeLinks, ANodeWithoutLinksHasEmptyGroupsThatDoNotExpand)
{
    m_doc.m_bExpandLinkIn = m_doc.m_bExpandLinkOut = 1;
    RunNodeDialog(m_node, [](CDlgDefineNode& dlg) {
        for (const char* group : {"Incoming Links", "Outgoing Links"})
        {
            EXPECT_TRUE(Labels(dlg, FindItem(dlg, group)).empty());
            EXPECT_FALSE(IsExpanded(dlg, FindItem(dlg, group)));
        }
        Click(dlg, IDCANCEL);
    });
}

TEST_F(NodeLinks, LinksAreGroupedByDirectionAndSortedByLabel)
{
    HostLink* toB = m_doc.AddLink(m_node->m_nID, m_b->m_nID);
    HostLink* toA = m_doc.AddLink(m_node->m_nID, m_a->m_nID);
    HostLink* fromB = m_doc.AddLink(m_b->m_nID, m_node->m_nID);
    m_doc.AddLink(m_a->m_nID, m_b->m_nID); // not the node's
    RunNodeDialog(m_node, [&](CDlgDefineNode& dlg) {
        EXPECT_EQ(Out(dlg), (std::vector<CString>{"-> A", "-> B"}));
        EXPECT_EQ(In(dlg), (std::vector<CString>{"<- B"}));
        for (HostLink* link : {toB, toA, fromB})
        {
            OPTIONITEM* entry = dlg.GetOption(2111, link->m_nID);
            ASSERT_NE(entry, nullptr);
            auto* page = dynamic_cast<CDlgDefineLink*>(entry->pPage);
            EXPECT_TRUE(page && page->m_pLink == link);
        }
        Click(dlg, IDCANCEL);
    });
}

TEST_F(NodeLinks, DetailedLabelsCarryTheLinkNumberAndASelfLoopIsListedOnceAsOutgoing)
{
    ASSERT_TRUE(m_doc.AddLink(m_node->m_nID, m_b->m_nID, 41) && m_doc.AddLink(m_a->m_nID, m_node->m_nID, 7) &&
                m_doc.AddLink(m_node->m_nID, m_node->m_nID, 9));
    ViewDetailedProperties = 1;
    RunNodeDialog(m_node, [&](CDlgDefineNode& dlg) {
        EXPECT_EQ(Out(dlg), (std::vector<CString>{"-> B, #41", "-> N1, #9"}));
        EXPECT_EQ(In(dlg), std::vector<CString>{"<- A, #7"});
        EXPECT_EQ(dlg.m_nLinkCount, 3);
        Click(dlg, IDCANCEL);
    });
}

TEST_F(NodeLinks, ExpandedGroupsAreRememberedAcrossReopenings)
{
    m_doc.AddLink(m_node->m_nID, m_a->m_nID);
    m_doc.AddLink(m_b->m_nID, m_node->m_nID);
    m_doc.m_bExpandLinkIn = 0;
    m_doc.m_bExpandLinkOut = 1;
    RunNodeDialog(m_node, [](CDlgDefineNode& dlg) {
        HTREEITEM in = FindItem(dlg, "Incoming Links"), out = FindItem(dlg, "Outgoing Links");
        EXPECT_FALSE(IsExpanded(dlg, in));
        EXPECT_TRUE(IsExpanded(dlg, out));
        ToggleExpand(dlg, in);
        ToggleExpand(dlg, out);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(m_doc.m_bExpandLinkIn, 1);
    EXPECT_EQ(m_doc.m_bExpandLinkOut, 0);
    RunNodeDialog(m_node, [](CDlgDefineNode& dlg) {
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

TEST_F(NodeLinks, DeleteOnALinkItemDeletesTheLinkOnlyWhenTheUserAgrees)
{
    HostLink* toA = m_doc.AddLink(m_node->m_nID, m_a->m_nID);
    HostLink* toB = m_doc.AddLink(m_node->m_nID, m_b->m_nID);
    int idB = toB->m_nID;
    RunNodeDialog(m_node, [&](CDlgDefineNode& dlg) {
        ToggleExpand(dlg, FindItem(dlg, "Outgoing Links"));
        OPTIONITEM* entry = dlg.GetOption(2111, idB);
        ASSERT_NE(entry, nullptr);
        ClickItem(dlg, "-> B");
        ExpectMessageBox(IDNO);
        Key(VK_DELETE);
        Pump();
        ASSERT_EQ(MessageBoxes().size(), 1u);
        EXPECT_EQ(MessageBoxes()[0].text, "Delete link N1 -> B?");
        EXPECT_EQ(m_doc.FindLink(idB), toB) << "refused: the link stays";
        EXPECT_TRUE(entry->pPage->IsWindowVisible());
        EXPECT_FALSE(m_doc.IsModified());

        ExpectMessageBox(IDYES);
        Key(VK_DELETE);
        Pump();
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

} // namespace
