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
