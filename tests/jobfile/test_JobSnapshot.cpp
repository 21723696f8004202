// Snapshots: putting one back makes the job hold exactly what it held when it was taken, whatever changed since
// (fields, objects added or removed, their order, the job's own settings), back and forward again.
#include <gtest/gtest.h>

#include <functional>

#include "host/jobfile/JobFile.h"
#include "host/jobfile/JobSnapshot.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/HostRecord.h"
#include "host/model/HostTerminal.h"
#include "host/model/SampleJob.h"
#include "platform/testing/pdttest.h"

namespace
{

struct Edit
{
    const char* what;
    std::function<void(JobDocument&)> change;
};

const Edit kEdits[] = {
    {"a node moved", [](JobDocument& doc) { doc.GetNodeAt(2)->m_ptPosition.x += 40; }},
    {"texts of a node and a link",
     [](JobDocument& doc) {
         doc.GetNodeAt(1)->m_strScreenText = "Scan \xE9";
         doc.GetNodeAt(1)->m_strName = "Renamed";
         doc.GetLinkAt(0)->m_strKey = "F9";
     }},
    {"a group the node's kind has no pages for", [](JobDocument& doc) { doc.GetNodeAt(0)->m_collect.nLengthTo = 7; }},
    {"a node removed with its links, and what referred to it",
     [](JobDocument& doc) {
         int id = doc.GetNodeAt(1)->m_nID;
         doc.GetNodeAt(0)->m_nReferenceNode = id;
         doc.RemoveNode(id);
     }},
    {"the start node removed",
     [](JobDocument& doc) {
         for (int i = 0; i < doc.GetNodeCount(); ++i)
             if (doc.GetNodeAt(i)->m_bStartNode)
             {
                 doc.RemoveNode(doc.GetNodeAt(i)->m_nID);
                 return;
             }
         FAIL() << "the sample has no start node";
     }},
    {"a node and a link added",
     [](JobDocument& doc) {
         HostNode* node = doc.AddNode(NODE_COMMENT, "Later");
         doc.AddLink(doc.GetNodeAt(0)->m_nID, node->m_nID)->m_nCondition = 2;
     }},
    {"a link joined to other nodes",
     [](JobDocument& doc) { doc.GetLinkAt(0)->m_nToNodeID = doc.GetNodeAt(doc.GetNodeCount() - 1)->m_nID; }},
    {"records removed and added",
     [](JobDocument& doc) {
         doc.RemoveRecord(doc.GetRecordAt(0)->m_nID);
         doc.AddRecord("Second", "B.DAT")->m_arrFields.Add(1);
     }},
    {"the order of the nodes",
     [](JobDocument& doc) {
         std::vector<int> ids;
         for (int i = doc.GetNodeCount() - 1; i >= 0; --i)
             ids.push_back(doc.GetNodeAt(i)->m_nID);
         doc.ArrangeNodes(ids);
     }},
    {"the job's settings, language, terminal and default record",
     [](JobDocument& doc) {
         doc.m_settings.nNodeWidth += 10;
         doc.m_nLanguage = 1;
         doc.Terminal().m_strModel = "Other";
         doc.m_nDefaultRecord = 0;
         doc.SetStartNode(doc.GetNodeAt(doc.GetNodeCount() - 1));
     }},
    {"what a newer version wrote",
     [](JobDocument& doc) {
         doc.GetNodeAt(0)->m_strExtra = R"({"future": 1})";
         doc.m_strExtra = R"({"plugins": []})";
     }},
};

TEST(JobSnapshot, PuttingOneBackRestoresTheJobExactlyBothWays)
{
    for (const Edit& edit : kEdits)
    {
        SCOPED_TRACE(edit.what);
        auto doc = MakeSampleJob();
        doc->AddRecord("Other", "O.DAT");
        const std::string before = FormatJobText(*doc), then = TakeJobSnapshot(*doc);
        EXPECT_EQ(TakeJobSnapshot(*doc), then) << "taking one changes nothing";
        edit.change(*doc);
        const std::string after = FormatJobText(*doc), now = TakeJobSnapshot(*doc);
        ASSERT_NE(after, before);
        EXPECT_NE(now, then);

        ASSERT_TRUE(PutJobSnapshot(*doc, now, then));
        EXPECT_EQ(FormatJobText(*doc), before);
        EXPECT_EQ(TakeJobSnapshot(*doc), then);
        ASSERT_TRUE(PutJobSnapshot(*doc, then, now));
        EXPECT_EQ(FormatJobText(*doc), after);
    }
}

// The definition dialogs' memory of the pages they showed last is no change, and a restore leaves it as it is.
TEST(JobSnapshot, TheDialogsMemoryIsNeitherAChangeNorTakenBack)
{
    auto doc = MakeSampleJob();
    const std::string then = TakeJobSnapshot(*doc);
    doc->m_nLastOptionID = 2144;
    doc->m_nLastNodeOption[1] = 5;
    doc->m_bExpandInput = 1;
    EXPECT_EQ(TakeJobSnapshot(*doc), then);
    doc->m_settings.nNodeHeight += 10;
    const std::string now = TakeJobSnapshot(*doc);
    ASSERT_TRUE(PutJobSnapshot(*doc, now, then));
    EXPECT_EQ(TakeJobSnapshot(*doc), then);
    EXPECT_EQ(doc->m_nLastOptionID, 2144);
    EXPECT_EQ(doc->m_nLastNodeOption[1], 5);
    EXPECT_EQ(doc->m_bExpandInput, 1);
}

TEST(JobSnapshot, WhatIsNoSnapshotChangesNothing)
{
    auto doc = MakeSampleJob();
    const std::string good = TakeJobSnapshot(*doc), text = FormatJobText(*doc);
    for (const std::string& bad :
         {std::string(), std::string("PDTS"), good.substr(0, good.size() / 2), good + "x", "XXXX" + good.substr(4)})
    {
        EXPECT_FALSE(PutJobSnapshot(*doc, good, bad));
        EXPECT_FALSE(PutJobSnapshot(*doc, bad, good));
        EXPECT_EQ(FormatJobText(*doc), text);
    }
}

} // namespace
