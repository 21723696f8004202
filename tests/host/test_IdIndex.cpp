// Finding nodes and links by id, whether the ids are close together (an array by id) or far apart (a map), and as
// they change: added far away, changed in place, removed.
#include <gtest/gtest.h>

#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/JobDocument.h"
#include "platform/testing/pdttest.h"

namespace
{

TEST(IdIndex, EveryNodeIsFoundByItsIdHoweverTheIdsLie)
{
    struct Case
    {
        const char* what;
        std::vector<int> ids; // given in this order
    };
    const Case cases[] = {
        {"one to the count", {1, 2, 3, 4, 5}},
        {"with gaps", {3, 9, 27, 81}},
        {"far apart", {1, 2, 1000000, 7}},
        {"the far one first", {2000000000, 1, 2}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        JobDocument doc;
        for (int id : c.ids)
        {
            ASSERT_NE(doc.AddNode(NODE_SCREEN, "n", id), nullptr);
            for (int seen : c.ids) // looked up between additions, so the table grows as they come
            {
                HostNode* node = doc.FindNode(seen);
                if (node)
                    EXPECT_EQ(node->m_nID, seen);
                if (seen == id)
                    break;
                EXPECT_NE(node, nullptr) << seen;
            }
        }
        for (int id : c.ids)
            ASSERT_NE(doc.FindNode(id), nullptr) << id;
        EXPECT_EQ(doc.FindNode(0), nullptr);
        EXPECT_EQ(doc.FindNode(-1), nullptr);
        EXPECT_EQ(doc.FindNode(c.ids.back() + 1), nullptr);

        // A node whose id changed in place is not found by its old one; a node removed is not found.
        doc.FindNode(c.ids[0])->m_nID = 5000;
        EXPECT_EQ(doc.FindNode(c.ids[0]), nullptr);
        ASSERT_TRUE(doc.RemoveNode(c.ids[1]));
        EXPECT_EQ(doc.FindNode(c.ids[1]), nullptr);
        EXPECT_NE(doc.AddNode(NODE_SCREEN, "next"), nullptr) << "a new id is free";
    }
}

} // namespace
