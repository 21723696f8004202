// Every action node and every record of the sample job opens with all its pages, each page shown in turn by a
// click on its tree entry.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "host/model/HostNode.h"
#include "host/model/SampleJob.h"
#include "node/CDlgDefineNode.h"
#include "record_harness.h"

using namespace pdt::test;

namespace
{

// Clicks each entry of the host's array and expects its page, and only it, to be shown.
void ShowEveryPage(const CDlgDefine& dlg)
{
    int entries = 0;
    for (OPTIONITEM* opt = dlg.m_pOptions; opt && opt->nID; ++opt, ++entries)
    {
        ASSERT_NE(opt->pPage, nullptr) << opt->pszTitle;
        ClickItem(dlg, opt->hItem);
        EXPECT_EQ(ShownPages(dlg), std::vector<int>{opt->nID}) << opt->pszTitle;
    }
    EXPECT_GT(entries, 3);
}

// Every action setting a node keeps, to compare whole.
auto Everything(const NodeActions& a)
{
    return std::tuple(a.m_nRecordID, a.m_strDataFile, a.m_bUploadAll, a.m_bSendCtrlZ, a.m_nBaudRate, a.m_strProtocol,
                      a.m_bDeleteWholeFile, a.m_bBrowseFromLast, a.m_nFieldSeparator, a.m_strProgram, a.m_strJobFile,
                      a.m_strStartNode, a.m_nHotKey);
}

using SampleJobDialogs = DefineDialogTest;

TEST_F(SampleJobDialogs, EveryActionNodeOpensWithAllItsPagesAndApplyKeepsItsSettings)
{
    std::unique_ptr<JobDocument> doc = MakeSampleJob();
    int actionNodes = 0;
    for (int i = 0; i < doc->GetNodeCount(); ++i)
    {
        HostNode* node = doc->GetNodeAt(i);
        if (node->m_nKind < NODE_UPLOAD || node->m_nKind > NODE_RUNJOB)
            continue;
        SCOPED_TRACE(node->m_strName.c_str());
        ++actionNodes;
        NodeActions before = *node;
        CDlgDefineNode dlg;
        ASSERT_TRUE(dlg.CreateDefineNode(node, doc->BeginDefineNode(node)));
        dlg.ShowWindow(SW_SHOW);
        Pump();
        ShowEveryPage(dlg);
        Click(dlg, ID_APPLY_NOW);
        Pump();
        EXPECT_TRUE(Everything(*node) == Everything(before)) << "an action setting changed";
        dlg.DestroyWindow();
        Pump();
    }
    EXPECT_EQ(actionNodes, 5);
}

TEST_F(SampleJobDialogs, BothRecordsOpenWithAllTheirPagesAndOkKeepsThem)
{
    std::unique_ptr<JobDocument> doc = MakeSampleJob();
    ASSERT_EQ(doc->GetRecordCount(), 2);
    for (int i = 0; i < doc->GetRecordCount(); ++i)
    {
        HostRecord* record = doc->GetRecordAt(i);
        SCOPED_TRACE(record->m_strName.c_str());
        CWordArray eorLinks;
        EXPECT_GT(record->GetEORLinks(eorLinks), 0);
        EXPECT_EQ(record->GetFieldCount(), 2);
        std::vector<WORD> fields = {record->m_arrFields[0], record->m_arrFields[1]};
        int defaultRecord = doc->m_nDefaultRecord;
        CDlgDefineRecord dlg(record->GetOptions());
        ExpectModal([&](CDialog&) {
            ShowEveryPage(dlg);
            Click(dlg, IDOK);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ((std::vector<WORD>{record->m_arrFields[0], record->m_arrFields[1]}), fields);
        EXPECT_EQ(doc->m_nDefaultRecord, defaultRecord);
    }
}

} // namespace
