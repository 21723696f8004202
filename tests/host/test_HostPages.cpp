// What the reference host writes into the node dialog's pages and reads back from them, checked on
// the controls a person sees and changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "define_harness.h"
#include "link/CDlgDefineLink.h"
#include "link/CDlgDefineLinkIn.h"
#include "link/CDlgDefineLinkOut.h"
#include "node/CDlgDefineNode.h"
#include "node/CDlgDefineNodeBasic.h"
#include "node/CDlgDefineNodeCmtFontColor.h"

using namespace pdt::test;

namespace
{

using HostPages = DefineDialogTest;

TEST_F(HostPages, LinkGroupPagesCountTheLinksAsTheTreeListsThem)
{
    HostNode* node = m_doc.AddNode(NODE_INPUT, "N1");
    HostNode* other = m_doc.AddNode(NODE_SCREEN, "N2");
    m_doc.AddLink(node->m_nID, other->m_nID);
    m_doc.AddLink(node->m_nID, node->m_nID);
    m_doc.AddLink(other->m_nID, node->m_nID);
    CDlgDefineNode dlg(node, m_doc.BeginDefineNode(node));
    ExpectModal([&](CDialog&) {
        auto* in = PageOf<CDlgDefineLinkIn>(dlg, 2112);
        auto* out = PageOf<CDlgDefineLinkOut>(dlg, 2113);
        ASSERT_TRUE(in && out);
        EXPECT_EQ(in->GetDlgItem(IDC_LINK_INFO)->GetWindowText(), "This node has 1 incoming link.");
        EXPECT_EQ(out->GetDlgItem(IDC_LINK_INFO)->GetWindowText(), "This node has 2 outgoing links.");
        Click(dlg, IDCANCEL);
    });
    dlg.DoModal();

    m_doc.RemoveNode(node->m_nID);
    CDlgDefineNode lonely(other, m_doc.BeginDefineNode(other));
    ExpectModal([&](CDialog&) {
        auto* in = PageOf<CDlgDefineLinkIn>(lonely, 2112);
        ASSERT_NE(in, nullptr);
        EXPECT_EQ(in->m_strLinkInfo, "This node has no incoming links.");
        Click(lonely, IDCANCEL);
    });
    lonely.DoModal();
}

TEST_F(HostPages, ALinkPageShowsTheLinkAndApplyStoresItsChanges)
{
    HostNode* node = m_doc.AddNode(NODE_INPUT, "Qty");
    HostNode* next = m_doc.AddNode(NODE_SCREEN, "Done");
    m_doc.AddRecord("Stock", "STOCK.DAT");
    HostRecord* orders = m_doc.AddRecord("Orders", "ORDERS.DAT");
    HostLink* link = m_doc.AddLink(node->m_nID, next->m_nID);
    link->m_nCondition = LINK_VERIFY;
    link->m_nVerifyResult = VERIFY_FAIL;
    link->m_bEOR = TRUE;
    link->m_nRecordID = orders->m_nID;
    link->m_bAlarm = TRUE;
    link->m_strExpression = "QTY > 0";

    HostNode* from = nullptr;
    OPTIONITEM* options = m_doc.BeginDefineLink(link, &from);
    CDlgDefineNode dlg(from, options);
    ExpectModal([&](CDialog&) {
        auto* page = PageOf<CDlgDefineLink>(dlg, 2111, link->m_nID);
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(page->IsWindowVisible());
        for (int id : {IDC_LINK_GRP_VERIFY, IDC_LINK_FAIL, IDC_LINK_EOR, IDC_LINK_ALARM})
            EXPECT_TRUE(Checked(*page, id)) << id;
        for (int id : {IDC_LINK_GRP_KEYINPUT, IDC_LINK_PASSALWAYS, IDC_LINK_INIT})
            EXPECT_FALSE(Checked(*page, id)) << id;
        EXPECT_EQ(page->GetDlgItem(IDC_LINK_EXPRESSION)->GetWindowText(), "QTY > 0");
        EXPECT_EQ(page->m_cbRecord.GetCount(), 2);
        EXPECT_EQ(ComboText(*page, IDC_RECORDLIST), "Orders");

        Click(*page, IDC_LINK_GRP_INPUTDATA);
        Type(*page, IDC_LINK_INPUTDATA, "42");
        Click(*page, IDC_LINK_EOR);
        Click(*page, IDC_LINK_INIT);
        Click(dlg, ID_APPLY_NOW);
        EXPECT_EQ(link->m_nCondition, LINK_INPUT_DATA);
        EXPECT_EQ(link->m_strInputData, "42");
        EXPECT_FALSE(link->m_bEOR);
        EXPECT_EQ(link->m_nRecordID, orders->m_nID) << "the record stays chosen while EOR is off";
        EXPECT_TRUE(link->m_bINIT);
        EXPECT_EQ(link->m_nVerifyResult, VERIFY_FAIL);
        EXPECT_EQ(link->m_strExpression, "QTY > 0");

        Click(*page, IDC_LINK_ALARM);
        Click(dlg, IDCANCEL);
    });
    dlg.DoModal();
    EXPECT_TRUE(link->m_bAlarm) << "Cancel leaves the link as the last Apply stored it";
}

} // namespace
