// The node dialog when its host breaks a rule (an option array that points past itself, a node loaded without a
// release, a link named twice, a delete asked for another entry) and the parts of its state a person relies on:
// the remembered open groups and the title.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../host/define_harness.h"
#include "link/CDlgDefineLink.h"
#include "node/CDlgDefineNode.h"
#include "node/CDlgDefineNodeBasic.h"

using namespace pdt::test;

namespace
{

// A document that names every link of a node twice, as a host with a careless list might.
class RepeatingDocument : public JobDocument
{
  public:
    int GetNodeLinks(int nodeId, CWordArray& ids, int flags) override
    {
        int count = JobDocument::GetNodeLinks(nodeId, ids, flags);
        for (int i = 0; i < count; ++i)
            ids.Add(ids[i]);
        return ids.GetSize();
    }
};

class NodeHostRules : public DefineDialogTest
{
  protected:
    void SetUp() override
    {
        DefineDialogTest::SetUp();
        m_node = m_doc.AddNode(NODE_INPUT, "N1");
        m_a = m_doc.AddNode(NODE_SCREEN, "A");
        m_b = m_doc.AddNode(NODE_SCREEN, "B");
        ASSERT_TRUE(m_node && m_a && m_b);
    }
    static int ChildWindows(const CWnd& dlg)
    {
        int n = 0;
        for (CWnd* c = dlg.GetWindow(GW_CHILD); c; c = c->GetWindow(GW_HWNDNEXT))
            ++n;
        return n;
    }
    static int LinkPages(const CDlgDefineNode& dlg)
    {
        int n = 0;
        for (int i = 0; dlg.m_pLinkOptions && i < dlg.m_nLinkCapacity; ++i)
            n += dlg.m_pLinkOptions[i].pPage != nullptr;
        return n;
    }
    static std::vector<CString> Out(CDlgDefineNode& dlg)
    {
        return Labels(dlg, FindItem(dlg, "Outgoing Links"));
    }

    HostNode* m_node = nullptr;
    HostNode* m_a = nullptr;
    HostNode* m_b = nullptr;
};

TEST_F(NodeHostRules, AParentIndexOutOfRangeIsReportedByEntryAndTheRestIsShown)
{
    struct Case
    {
        int parent; // of the "Notes" entry, the second of three
        const char* why;
    };
    for (Case c : {Case{7, "past the end of the array"}, Case{2, "an entry after it"}, Case{1, "itself"},
                   Case{-5, "a negative index other than -1"}})
    {
        SCOPED_TRACE(c.why);
        OPTIONITEM options[] = {
            {2115, -1, "Basic", nullptr, nullptr, nullptr, 0, 0, nullptr},
            {2124, c.parent, "Notes", nullptr, nullptr, nullptr, 0, 0, nullptr},
            {2113, 0, "Outgoing Links", nullptr, nullptr, nullptr, 0, 0, nullptr},
            {0, -1, nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr},
        };
        size_t seen = MessageBoxes().size();
        ExpectMessageBox(IDOK);
        RunNodeDialog(
            m_node,
            [&](CDlgDefineNode& dlg) {
                ASSERT_EQ(MessageBoxes().size(), seen + 1);
                const CString& text = MessageBoxes().back().text;
                EXPECT_NE(text.Find("\"Notes\""), -1) << text.c_str();
                EXPECT_NE(text.Find(std::to_string(c.parent).c_str()), -1) << text.c_str();
                EXPECT_EQ(Labels(dlg), (std::vector<CString>{"Basic", "Notes"})) << "the entry stands at the top level";
                EXPECT_EQ(Labels(dlg, FindItem(dlg, "Basic")), std::vector<CString>{"Outgoing Links"});
                ASSERT_NE(options[1].pPage, nullptr) << "its page is there";
                ClickItem(dlg, "Notes");
                EXPECT_TRUE(options[1].pPage->IsWindowVisible());
                Click(dlg, IDCANCEL);
            },
            options);
    }
}

TEST_F(NodeHostRules, LoadingANodeWithoutReleaseLeavesNoWindowsOrItemsBehind)
{
    m_doc.AddLink(m_node->m_nID, m_a->m_nID);
    m_doc.AddLink(m_b->m_nID, m_node->m_nID);
    m_doc.AddLink(m_a->m_nID, m_b->m_nID);

    CDlgDefineNode fresh;
    ASSERT_TRUE(fresh.CreateDefineNode(m_a, m_doc.BeginDefineNode(m_a)));
    const int windows = ChildWindows(fresh);
    const std::vector<CString> labels = Labels(fresh);
    fresh.DestroyWindow();

    CDlgDefineNode dlg;
    OPTIONITEM* inputOptions = m_doc.BeginDefineNode(m_node);
    ASSERT_TRUE(dlg.CreateDefineNode(m_node, inputOptions));
    ASSERT_EQ(LinkPages(dlg), 2);

    dlg.Initial(m_a, m_doc.BeginDefineNode(m_a)); // no Release first
    dlg.InitialDlg();
    EXPECT_EQ(Labels(dlg), labels);
    EXPECT_EQ(Out(dlg), std::vector<CString>{"-> B"});
    EXPECT_EQ(LinkPages(dlg), 2);
    EXPECT_EQ(ChildWindows(dlg), windows) << "the first node's pages are gone";
    for (OPTIONITEM* opt = inputOptions; opt->nID; ++opt)
        EXPECT_EQ(opt->pPage, nullptr) << opt->nID;
    EXPECT_EQ(dlg.GetWindowText(), "Define Node [Screen] - Demo - A");

    dlg.InitialDlg(); // and filled twice
    EXPECT_EQ(Labels(dlg), labels);
    EXPECT_EQ(LinkPages(dlg), 2);
    EXPECT_EQ(ChildWindows(dlg), windows);

    Click(dlg, ID_APPLY_NOW);
    EXPECT_EQ(m_a->m_nDefineUpdates, 1);
    dlg.DestroyWindow();
}

TEST_F(NodeHostRules, ALinkTheDocumentNamesTwiceGetsOnePage)
{
    RepeatingDocument doc;
    doc.m_strPathName = "Demo.job";
    HostNode* node = doc.AddNode(NODE_INPUT, "N1");
    HostNode* a = doc.AddNode(NODE_SCREEN, "A");
    HostLink* out = doc.AddLink(node->m_nID, a->m_nID);
    HostLink* self = doc.AddLink(node->m_nID, node->m_nID);
    RunNodeDialog(node, [&](CDlgDefineNode& dlg) {
        EXPECT_EQ(dlg.m_nLinkCount, 4) << "as the document reported";
        EXPECT_EQ(dlg.m_nLinkUsed, 2);
        EXPECT_EQ(LinkPages(dlg), 2);
        EXPECT_EQ(Out(dlg), (std::vector<CString>{"-> A", "-> N1"}));
        auto* page = static_cast<CDlgDefineLink*>(dlg.GetOption(2111, out->m_nID)->pPage);
        ToggleExpand(dlg, FindItem(dlg, "Outgoing Links"));
        ClickItem(dlg, "-> A");
        Click(*page, IDC_LINK_ALARM);
        Click(dlg, IDOK);
    });
    EXPECT_TRUE(out->m_bAlarm);
    EXPECT_FALSE(self->m_bAlarm);
}

TEST_F(NodeHostRules, DeleteOptionForAnEntryThatIsNotSelectedRemovesThatEntrysItem)
{
    HostLink* toA = m_doc.AddLink(m_node->m_nID, m_a->m_nID);
    HostLink* toB = m_doc.AddLink(m_node->m_nID, m_b->m_nID);
    const int idB = toB->m_nID;
    RunNodeDialog(m_node, [&](CDlgDefineNode& dlg) {
        ToggleExpand(dlg, FindItem(dlg, "Outgoing Links"));
        ClickItem(dlg, "-> A");
        OPTIONITEM* entryB = dlg.GetOption(2111, idB);
        ASSERT_NE(entryB, nullptr);
        ExpectMessageBox(IDYES);
        dlg.DeleteOption(entryB); // the host asks for B while A is selected
        Pump();
        EXPECT_EQ(m_doc.FindLink(idB), nullptr);
        EXPECT_EQ(Out(dlg), std::vector<CString>{"-> A"});
        EXPECT_EQ(SelectedLabel(dlg), "-> A");
        OPTIONITEM* entryA = dlg.GetOption(2111, toA->m_nID);
        ASSERT_NE(entryA, nullptr);
        EXPECT_TRUE(entryA->pPage->IsWindowVisible());
        Click(dlg, IDOK);
    });
}

TEST_F(NodeHostRules, AGroupWithoutChildrenLeavesTheRememberedExpandedStateAlone)
{
    m_doc.m_bExpandLinkIn = m_doc.m_bExpandLinkOut = 1;
    m_doc.m_bExpandScreen = 1;
    m_doc.AddLink(m_a->m_nID, m_b->m_nID);
    // A screen node: no child under its Screen entry, no links at all.
    RunNodeDialog(m_a, [](CDlgDefineNode& dlg) { Click(dlg, IDOK); });
    HostNode* lonely = m_doc.AddNode(NODE_SCREEN, "Lonely");
    RunNodeDialog(lonely, [](CDlgDefineNode& dlg) { Click(dlg, IDCANCEL); });
    EXPECT_EQ(m_doc.m_bExpandLinkIn, 1);
    EXPECT_EQ(m_doc.m_bExpandLinkOut, 1);
    EXPECT_EQ(m_doc.m_bExpandScreen, 1);

    // The next node that has them opens with the groups open, and closing them is remembered.
    m_doc.AddLink(m_node->m_nID, m_a->m_nID);
    RunNodeDialog(m_node, [](CDlgDefineNode& dlg) {
        EXPECT_TRUE(IsExpanded(dlg, FindItem(dlg, "Outgoing Links")));
        EXPECT_TRUE(IsExpanded(dlg, FindItem(dlg, "Screen")));
        ToggleExpand(dlg, FindItem(dlg, "Outgoing Links"));
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(m_doc.m_bExpandLinkOut, 0);
    EXPECT_EQ(m_doc.m_bExpandLinkIn, 1) << "N1 has no incoming links";
    EXPECT_EQ(m_doc.m_bExpandScreen, 1);
}

TEST_F(NodeHostRules, TheTitleNamesTheJobByItsFileNameAndFollowsARename)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/home/ann/jobs/Demo.job", "Demo"},           {"C:\\jobs\\Demo.job", "Demo"},
        {"jobs\\2026/Stock.count.job", "Stock.count"}, {"/home/ann/my.jobs/Plain", "Plain"},
        {"/home/ann/jobs\\Mixed.job", "Mixed"},       {"C:\\my.jobs\\Demo.v2.job", "Demo.v2"},
        {"Demo.job", "Demo"},                          {"", ""},
    };
    for (auto [path, job] : cases)
    {
        m_doc.m_strPathName = path;
        RunNodeDialog(m_node, [&](CDlgDefineNode& dlg) {
            EXPECT_EQ(dlg.GetWindowText(), CString("Define Node [Input] - ") + job + " - N1") << path;
            Click(dlg, IDCANCEL);
        });
    }

    m_doc.m_strPathName = "/home/ann/jobs/Demo.job";
    RunNodeDialog(m_node, [&](CDlgDefineNode& dlg) {
        OPTIONITEM* basic = dlg.GetOption(2115, 0);
        ASSERT_TRUE(basic && basic->pPage);
        Type(*basic->pPage, IDC_NODE_NAME, "Quantity");
        Click(dlg, ID_APPLY_NOW);
        EXPECT_EQ(dlg.GetWindowText(), "Define Node [Input] - Demo - Quantity");
        Click(dlg, IDCANCEL);
    });
}

} // namespace
