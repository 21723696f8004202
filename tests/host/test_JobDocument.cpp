// The reference host's job model: ids, the link lists the node dialog asks for, deleting links with
// the user's consent, records, terminal screens, barcode names, views and the option arrays.
#include <gtest/gtest.h>

#include <set>

#include "host/HostLink.h"
#include "host/HostNode.h"
#include "host/HostTerminal.h"
#include "host/JobDocument.h"
#include "host/NodeOptions.h"
#include "platform/testing/pdttest.h"

using namespace pdt::test;

namespace
{

std::vector<int> Ids(const CWordArray& a)
{
    std::vector<int> ids;
    for (int i = 0; i < a.GetSize(); ++i)
        ids.push_back(a[i]);
    return ids;
}

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
    EXPECT_EQ(doc.AddNode(0, "no kind"), nullptr);
    EXPECT_EQ(doc.AddNode(NODE_SCREEN, "negative", -3), nullptr);
    EXPECT_EQ(doc.GetNodeCount(), 3);
    EXPECT_EQ(doc.GetNodeByID(10), b);
    EXPECT_EQ(doc.GetNodeByID(2), nullptr);
    EXPECT_EQ(doc.GetNodeAt(3), nullptr);
    EXPECT_EQ(doc.GetNodeAt(-1), nullptr);
    EXPECT_EQ(b->GetDocument(), &doc);
    EXPECT_EQ(doc.m_pTerminal, &doc.Terminal());
    EXPECT_EQ(doc.Terminal().GetDocument(), &doc);
}

TEST(JobDocumentNodes, KindsHaveNamesColoursAndDescriptions)
{
    const int kinds[] = {1, 2, 3, 4, 5, 6, 7, 8, 20};
    std::set<std::string> names;
    for (int kind : kinds)
    {
        ASSERT_TRUE(HostNode::IsKnownKind(kind)) << kind;
        names.insert(HostNode::KindName(kind));
        EXPECT_NE(*HostNode::KindDescription(kind), '\0') << kind;
    }
    EXPECT_EQ(names.size(), std::size(kinds)) << "every kind has its own name";
    EXPECT_STREQ(HostNode::KindName(NODE_INPUT), "Input");
    EXPECT_EQ(HostNode::KindName(9), nullptr);

    JobDocument doc;
    HostNode* input = doc.AddNode(NODE_INPUT, "N1");
    EXPECT_EQ(input->GetTypeName(), "Input");
    EXPECT_EQ(input->GetDefaultColour(), HostNode::KindColour(NODE_INPUT));
    EXPECT_EQ(input->m_crColour, input->GetDefaultColour());
    EXPECT_NE(HostNode::KindColour(NODE_SCREEN), HostNode::KindColour(NODE_INPUT));
    EXPECT_EQ(input->m_strDescription, HostNode::KindDescription(NODE_INPUT));
}

TEST(JobDocumentNodes, OnlyOneNodeIsTheStartNode)
{
    JobDocument doc;
    HostNode* a = doc.AddNode(NODE_SCREEN, "A");
    HostNode* b = doc.AddNode(NODE_SCREEN, "B");
    doc.SetStartNode(a);
    EXPECT_TRUE(a->m_bStartNode);
    doc.SetStartNode(b);
    EXPECT_FALSE(a->m_bStartNode);
    EXPECT_TRUE(b->m_bStartNode);
}

TEST(JobDocumentLinks, NodeLinksComeInDocumentOrderWithASelfLoopOnce)
{
    JobDocument doc;
    int n = doc.AddNode(NODE_INPUT, "N")->m_nID;
    int x = doc.AddNode(NODE_SCREEN, "X")->m_nID;
    int y = doc.AddNode(NODE_SCREEN, "Y")->m_nID;
    HostLink* l1 = doc.AddLink(x, n);
    HostLink* l2 = doc.AddLink(x, y);
    HostLink* l3 = doc.AddLink(n, n);
    HostLink* l4 = doc.AddLink(n, y, 300);
    ASSERT_TRUE(l1 && l2 && l3 && l4);

    CWordArray ids;
    ids.Add(999); // whatever the caller's array held is replaced
    EXPECT_EQ(doc.GetNodeLinks(n, ids, 0), 3);
    EXPECT_EQ(Ids(ids), (std::vector<int>{l1->m_nID, l3->m_nID, 300}));
    EXPECT_EQ(doc.GetNodeLinks(y, ids, 0), 2);
    EXPECT_EQ(Ids(ids), (std::vector<int>{l2->m_nID, 300}));
    EXPECT_EQ(doc.GetNodeLinks(12345, ids, 0), 0);
    EXPECT_TRUE(ids.IsEmpty());

    EXPECT_EQ(doc.GetLinkByID(WORD(300)), l4);
    EXPECT_EQ(doc.GetLinkByID(WORD(301)), nullptr);
    EXPECT_EQ(l4->GetLabel(), "N -> Y");
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
    EXPECT_EQ(doc.FindNode(idB), nullptr);
    EXPECT_EQ(doc.FindLink(ab), nullptr);
    EXPECT_EQ(doc.FindLink(bc), nullptr);
    ASSERT_NE(doc.FindLink(ca), nullptr);
    EXPECT_EQ(note->m_nReferenceNode, 0);
    EXPECT_EQ(doc.GetNodeCount(), 3);
    EXPECT_TRUE(doc.RemoveLink(ca));
    EXPECT_FALSE(doc.RemoveLink(ca));
    EXPECT_EQ(doc.GetLinkCount(), 0);
}

TEST(JobDocumentLinks, DeleteLinkAsksAndDeletesOnlyOnYes)
{
    JobDocument doc;
    int a = doc.AddNode(NODE_SCREEN, "Start")->m_nID;
    int b = doc.AddNode(NODE_INPUT, "Qty")->m_nID;
    HostLink* link = doc.AddLink(a, b);
    int id = link->m_nID;

    ExpectMessageBox(IDNO);
    EXPECT_FALSE(doc.DeleteLink(link, TRUE));
    ASSERT_EQ(MessageBoxes().size(), 1u);
    EXPECT_EQ(MessageBoxes()[0].text, "Delete link Start -> Qty?");
    EXPECT_EQ(MessageBoxes()[0].type, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(doc.FindLink(id), link);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_nUpdateCount, 0);

    ExpectMessageBox(IDYES);
    EXPECT_TRUE(doc.DeleteLink(link, TRUE));
    EXPECT_EQ(doc.FindLink(id), nullptr);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_nUpdateCount, 1);
    EXPECT_EQ(doc.m_lLastUpdateHint, HINT_LINK_DELETED);

    // Without asking, and for a link that is not (or no longer) in the job.
    HostLink* other = doc.AddLink(b, a);
    EXPECT_TRUE(doc.DeleteLink(other, FALSE));
    EXPECT_EQ(doc.GetLinkCount(), 0);
    JobDocument elsewhere;
    int x = elsewhere.AddNode(NODE_SCREEN, "X")->m_nID;
    EXPECT_FALSE(doc.DeleteLink(elsewhere.AddLink(x, x), TRUE));
    EXPECT_FALSE(doc.DeleteLink(nullptr, TRUE));
    EXPECT_EQ(MessageBoxes().size(), 2u);
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
    EXPECT_EQ(doc.GetRecordFileName(41, 0), "");
    EXPECT_EQ(doc.GetRecordFileName(DWORD_PTR(-1), 0), "") << "a list's error value is no record";
    EXPECT_EQ(doc.AddRecord("Next", "N.DAT")->m_nID, 41);
}

TEST(JobDocumentModel, ScreenSizeFollowsTheTerminalModel)
{
    JobDocument doc;
    EXPECT_EQ(doc.Terminal().m_strModel, "M-20");
    EXPECT_EQ(doc.GetScreenSize(), CSize(21, 8));
    for (const KEYMAP_KEY& key : doc.Terminal().m_keymap)
        ASSERT_TRUE(key.wKeyID == 0 && key.byKeyCode == 0 && key.szKeyName[0] == 0);
    doc.Terminal().m_strModel = "M-10";
    EXPECT_EQ(doc.GetScreenSize(), CSize(16, 4));
    doc.Terminal().m_strModel = "R-50G";
    EXPECT_EQ(doc.GetScreenSize(), CSize(20, 8));
    doc.Terminal().m_strModel = "m-10"; // names are compared exactly
    EXPECT_EQ(doc.GetScreenSize(), CSize(21, 8));
}

TEST(JobDocumentModel, BarcodeNamesIgnoreTheOptionByte)
{
    JobDocument doc;
    CString name;
    doc.GetBarcodeName(1, name);
    EXPECT_EQ(name, "Code 39");
    doc.GetBarcodeName(WORD(0x1E01), name);
    EXPECT_EQ(name, "Code 39");
    doc.GetBarcodeName(WORD(0x0414), name);
    EXPECT_EQ(name, "EAN-13");
    doc.GetBarcodeName(200, name);
    EXPECT_EQ(name, "Symbology 200");
}

TEST(JobDocumentModel, UpdateAllViewsTellsEveryViewButTheSender)
{
    JobDocument doc;
    HostView pane, other;
    doc.AddView(&pane);
    doc.AddView(&other);
    doc.AddView(&other);
    doc.UpdateAllViews(doc.GetMainView(), 0, nullptr);
    EXPECT_EQ(pane.m_nUpdates, 1);
    EXPECT_EQ(other.m_nUpdates, 1) << "a view attached twice is told once";
    EXPECT_EQ(static_cast<HostView*>(doc.GetMainView())->m_nUpdates, 0);
    doc.UpdateAllViews(&pane, 5, &other);
    EXPECT_EQ(pane.m_nUpdates, 1);
    EXPECT_EQ(other.m_lLastHint, 5);
    EXPECT_EQ(static_cast<HostView*>(doc.GetMainView())->m_nUpdates, 1);
    EXPECT_EQ(doc.m_nUpdateCount, 2);
    EXPECT_EQ(doc.m_pLastUpdateSender, &pane);
    EXPECT_EQ(doc.m_pLastUpdateHintObject, &other);
    doc.RemoveView(&pane);
    doc.RemoveView(static_cast<HostView*>(doc.GetMainView()));
    doc.UpdateAllViews(nullptr);
    EXPECT_EQ(pane.m_nUpdates, 1);
    EXPECT_EQ(static_cast<HostView*>(doc.GetMainView())->m_nUpdates, 2) << "the main view stays attached";
}

TEST(JobDocumentModel, JobDialogHasNothingToRefuse)
{
    JobDocument doc;
    EXPECT_TRUE(doc.InitialDlgData(nullptr));
    EXPECT_TRUE(doc.SaveDlgData(nullptr));
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(FALSE);
    EXPECT_FALSE(doc.IsModified());
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
            EXPECT_TRUE(ids.insert(options[i].nID).second) << "kind " << kind << " lists " << options[i].nID << " twice";
            EXPECT_LT(options[i].nParent, i) << "parents stand before their children";
            EXPECT_GE(options[i].nParent, -1);
            EXPECT_NE(options[i].pszTitle, nullptr);
            EXPECT_EQ(options[i].pPage, nullptr);
            EXPECT_NE(options[i].nID, NodeOptions::LINK) << "link entries are the dialog's own";
        }
        EXPECT_EQ(options[0].nID, NodeOptions::BASIC) << kind;
        EXPECT_EQ(ids.count(NodeOptions::COMMENT_FONT), kind == NODE_COMMENT ? 1u : 0u) << kind;
        EXPECT_EQ(ids.count(NodeOptions::LINKS_IN), kind == NODE_COMMENT ? 0u : 1u) << kind;
        EXPECT_EQ(ids.count(NodeOptions::LINKS_OUT), kind == NODE_COMMENT ? 0u : 1u) << kind;
    }
    EXPECT_EQ(arrays.size(), size_t(NODE_KIND_COUNT)) << "a dialog of one kind never writes into another's";
    EXPECT_EQ(doc.GetNodeOptions(9), nullptr);
    JobDocument other;
    EXPECT_NE(other.GetNodeOptions(NODE_INPUT), doc.GetNodeOptions(NODE_INPUT));
}

TEST(NodeOptionArrays, BeginDefineChoosesTheOpeningEntry)
{
    JobDocument doc;
    HostNode* input = doc.AddNode(NODE_INPUT, "N1");
    HostNode* screen = doc.AddNode(NODE_SCREEN, "N2");
    doc.m_nLastNodeOption[NodeKindSlot(NODE_INPUT)] = 2124;
    doc.m_nLastNodeOption[NodeKindSlot(NODE_SCREEN)] = -1; // closed with nothing shown
    EXPECT_EQ(doc.BeginDefineNode(input), doc.GetNodeOptions(NODE_INPUT));
    EXPECT_EQ(doc.m_nLastOptionID, 2124);
    EXPECT_EQ(doc.BeginDefineNode(screen), doc.GetNodeOptions(NODE_SCREEN));
    EXPECT_EQ(doc.m_nLastOptionID, 0);
    EXPECT_EQ(doc.BeginDefineNode(nullptr), nullptr);

    HostLink* link = doc.AddLink(screen->m_nID, input->m_nID, 12);
    HostNode* node = nullptr;
    EXPECT_EQ(doc.BeginDefineLink(link, &node), doc.GetNodeOptions(NODE_SCREEN));
    EXPECT_EQ(node, screen);
    EXPECT_EQ(doc.m_nLastOptionID, NodeOptions::LINK);
    EXPECT_EQ(doc.m_nLastOptionSub, 12);
    EXPECT_EQ(doc.BeginDefineLink(nullptr, &node), nullptr);
    EXPECT_EQ(node, nullptr);
}

} // namespace
