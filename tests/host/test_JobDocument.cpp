// The reference host's job model where the node dialog's tests do not reach it: ids, removing nodes, records,
// terminal screens, barcode names and the option arrays.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/HostTerminal.h"
#include "host/model/JobDocument.h"
#include "host/model/NodeOptions.h"
#include "platform/testing/pdttest.h"

using namespace pdt::test;

namespace
{

TEST(JobDocumentNodes, IdsAreFreshAndTakenIdsOrUnknownKindsAreRefused)
{
    JobDocument doc;
    HostNode* a = doc.AddNode(NODE_SCREEN, "A");
    HostNode* b = doc.AddNode(NODE_INPUT, "B", 10);
    HostNode* c = doc.AddNode(NODE_COMMENT, "C");
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->m_nID, 1);
    EXPECT_EQ(b->m_nID, 10);
    EXPECT_EQ(c->m_nID, 11);
    EXPECT_EQ(doc.AddNode(NODE_SCREEN, "again", 10), nullptr);
    EXPECT_EQ(doc.AddNode(9, "no such kind"), nullptr);
    EXPECT_EQ(doc.AddNode(NODE_SCREEN, "negative", -3), nullptr);
    EXPECT_EQ(doc.GetNodeCount(), 3);
    EXPECT_EQ(doc.GetNodeByID(10), b);
    EXPECT_EQ(doc.GetNodeAt(3), nullptr);

    doc.SetStartNode(a);
    doc.SetStartNode(b);
    EXPECT_FALSE(a->m_bStartNode) << "only one node is the start node";
    EXPECT_TRUE(b->m_bStartNode);
}

TEST(JobDocumentLinks, LinksNeedBothNodesAndSixteenBitIds)
{
    JobDocument doc;
    int a = doc.AddNode(NODE_SCREEN, "A")->m_nID;
    int b = doc.AddNode(NODE_SCREEN, "B")->m_nID;
    EXPECT_EQ(doc.AddLink(a, 77), nullptr);
    EXPECT_EQ(doc.AddLink(77, a), nullptr);
    EXPECT_EQ(doc.AddLink(a, b, 0x10000), nullptr);
    ASSERT_NE(doc.AddLink(a, b, 0xFFFF), nullptr);
    EXPECT_EQ(doc.AddLink(b, a, 0xFFFF), nullptr) << "taken";
    // With the top id taken the lowest free one is reused, never an id the library cannot look up.
    HostLink* next = doc.AddLink(b, a);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->m_nID, 1);
    EXPECT_EQ(doc.AddLink(b, a)->m_nID, 2);
}

TEST(JobDocumentLinks, RemovingANodeTakesItsLinksAndReferencesAlong)
{
    JobDocument doc;
    HostNode* a = doc.AddNode(NODE_SCREEN, "A");
    HostNode* b = doc.AddNode(NODE_SCREEN, "B");
    HostNode* c = doc.AddNode(NODE_SCREEN, "C");
    HostNode* note = doc.AddNode(NODE_COMMENT, "Note");
    note->m_nReferenceNode = b->m_nID;
    int ab = doc.AddLink(a->m_nID, b->m_nID)->m_nID;
    int ca = doc.AddLink(c->m_nID, a->m_nID)->m_nID;
    int bc = doc.AddLink(b->m_nID, c->m_nID)->m_nID;

    int idB = b->m_nID;
    EXPECT_TRUE(doc.RemoveNode(idB));
    EXPECT_FALSE(doc.RemoveNode(idB));
    EXPECT_EQ(doc.FindLink(ab), nullptr);
    EXPECT_EQ(doc.FindLink(bc), nullptr);
    ASSERT_NE(doc.FindLink(ca), nullptr);
    EXPECT_EQ(note->m_nReferenceNode, 0);
}

// Lookups by id stay right through every way a node or link comes and goes, and a fresh id follows the highest
// one left, not the highest one ever given.
TEST(JobDocumentLookups, FollowAddsAndRemovals)
{
    JobDocument doc;
    for (int i = 0; i < 6; ++i)
        doc.AddNode(NODE_SCREEN, "N");
    for (int i = 1; i < 6; ++i)
        doc.AddLink(i, i + 1);
    ASSERT_EQ(doc.FindNode(4)->m_nID, 4);
    ASSERT_EQ(doc.FindLink(5)->m_nID, 5);

    struct Step
    {
        const char* what;
        std::function<void()> act;
        std::set<int> nodes, links; // ids found afterwards among 1..8
    };
    const Step steps[] = {
        {"the top node removed, its link along", [&] { doc.RemoveNode(6); }, {1, 2, 3, 4, 5}, {1, 2, 3, 4}},
        {"a new node takes the top id again",
         [&] { doc.AddNode(NODE_INPUT, "again"); },
         {1, 2, 3, 4, 5, 6},
         {1, 2, 3, 4}},
        {"a link removed", [&] { doc.RemoveLink(2); }, {1, 2, 3, 4, 5, 6}, {1, 3, 4}},
        {"a link deleted as the user does",
         [&] { doc.DeleteLink(doc.FindLink(4), FALSE); },
         {1, 2, 3, 4, 5, 6},
         {1, 3}},
        {"a new link after the highest left", [&] { doc.AddLink(1, 6); }, {1, 2, 3, 4, 5, 6}, {1, 3, 4}},
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.what);
        step.act();
        for (int id = 1; id <= 8; ++id)
        {
            HostNode* node = doc.FindNode(id);
            EXPECT_EQ(node != nullptr, step.nodes.count(id) > 0) << "node " << id;
            if (node)
                EXPECT_EQ(node->m_nID, id);
            HostLink* link = doc.FindLink(id);
            EXPECT_EQ(link != nullptr, step.links.count(id) > 0) << "link " << id;
            if (link)
                EXPECT_EQ(link->m_nID, id);
        }
    }
}

TEST(JobDocumentModel, RecordFileNamesAreLookedUpByRecordId)
{
    JobDocument doc;
    HostRecord* stock = doc.AddRecord("Stock", "STOCK.DAT");
    HostRecord* orders = doc.AddRecord("Orders", "ORDERS.TXT", 40);
    ASSERT_TRUE(stock && orders);
    EXPECT_EQ(doc.AddRecord("Again", "X.DAT", 40), nullptr);
    EXPECT_EQ(doc.GetRecordFileName(DWORD_PTR(stock->m_nID), 0), "STOCK.DAT");
    EXPECT_EQ(doc.GetRecordFileName(40, 0), "ORDERS.TXT");
    EXPECT_EQ(doc.GetRecordFileName(DWORD_PTR(-1), 0), "") << "a list's error value is no record";
    EXPECT_EQ(doc.AddRecord("Next", "N.DAT")->m_nID, 41);
}

TEST(JobDocumentModel, ScreenSizeFollowsTheTerminalModelByItsExactName)
{
    JobDocument doc;
    EXPECT_EQ(doc.GetScreenSize(), CSize(21, 8)) << "an M-20 unless told otherwise";
    doc.Terminal().m_strModel = "M-10";
    EXPECT_EQ(doc.GetScreenSize(), CSize(16, 4));
    doc.Terminal().m_strModel = "m-10";
    EXPECT_EQ(doc.GetScreenSize(), CSize(21, 8));

    CString name;
    doc.GetBarcodeName(WORD(0x1E01), name);
    EXPECT_EQ(name, "Code 39") << "the option byte is ignored";
    doc.GetBarcodeName(200, name);
    EXPECT_EQ(name, "Symbology 200");
}

TEST(NodeOptionArrays, EveryKindHasAWellFormedArrayOfItsOwn)
{
    JobDocument doc;
    std::set<OPTIONITEM*> arrays;
    for (int kind : NODE_KIND_SLOTS)
    {
        OPTIONITEM* options = doc.GetNodeOptions(kind);
        ASSERT_NE(options, nullptr) << kind;
        EXPECT_EQ(doc.GetNodeOptions(kind), options) << "the same array every time";
        arrays.insert(options);
        std::set<int> ids;
        int i = 0;
        for (; options[i].nID; ++i)
        {
            EXPECT_TRUE(ids.insert(options[i].nID).second)
                << "kind " << kind << " lists " << options[i].nID << " twice";
            EXPECT_LT(options[i].nParent, i) << "parents stand before their children";
            EXPECT_GE(options[i].nParent, -1);
            EXPECT_NE(options[i].nID, NodeOptions::LINK) << "link entries are the dialog's own";
        }
        EXPECT_EQ(options[0].nID, NodeOptions::BASIC) << kind;
        EXPECT_EQ(ids.count(NodeOptions::COMMENT_FONT), kind == NODE_COMMENT ? 1u : 0u) << kind;
        EXPECT_EQ(ids.count(NodeOptions::LINKS_IN), kind == NODE_COMMENT ? 0u : 1u) << kind;
        EXPECT_EQ(ids.count(NodeOptions::LINKS_OUT), kind == NODE_COMMENT ? 0u : 1u) << kind;
    }
    EXPECT_EQ(arrays.size(), size_t(NODE_KIND_COUNT)) << "a dialog of one kind never writes into another's";
    JobDocument other;
    EXPECT_NE(other.GetNodeOptions(NODE_INPUT), doc.GetNodeOptions(NODE_INPUT));
}

} // namespace
