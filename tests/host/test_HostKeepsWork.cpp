// The reference host never loses a user's work: link edits taken before a page refused OK mark the job changed,
// a screen text the screen cannot show is kept (and the user told), and a dialog kept open never holds a node or a
// link the document has deleted.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "define_harness.h"
#include "link/CDlgDefineLink.h"
#include "node/CDlgDefineNode.h"
#include "node/CDlgDefineNodeBasic.h"
#include "node/CDlgDefineNodeScreen.h"

using namespace pdt::test;

namespace
{

// A document whose terminal reports a screen the page cannot set up.
class NoScreenDocument : public JobDocument
{
  public:
    CSize GetScreenSize() override
    {
        return CSize(0, 0);
    }
};

using HostKeepsWork = DefineDialogTest;

TEST_F(HostKeepsWork, AScreenThatCannotBeSetUpNeverEmptiesTheStoredText)
{
    NoScreenDocument doc;
    doc.m_strPathName = "Demo.job";
    HostNode* node = doc.AddNode(NODE_SCREEN, "Menu");
    node->m_strScreenText = "WELCOME";
    ExpectMessageBox(IDOK);
    RunNodeDialog(node, [](CDlgDefineNode& dlg) { Click(dlg, IDOK); });
    EXPECT_EQ(node->m_strScreenText, "WELCOME");
    EXPECT_TRUE(doc.IsModified()) << "the OK itself went through";
}

TEST_F(HostKeepsWork, AnOpenDialogIsReleasedOrReloadedBeforeItsNodeOrALinkIsDeleted)
{
    HostNode* node = m_doc.AddNode(NODE_INPUT, "Qty");
    HostNode* a = m_doc.AddNode(NODE_SCREEN, "A");
    HostNode* b = m_doc.AddNode(NODE_SCREEN, "B");
    HostNode* far = m_doc.AddNode(NODE_SCREEN, "Far");
    HostLink* toA = m_doc.AddLink(node->m_nID, a->m_nID);
    HostLink* fromB = m_doc.AddLink(b->m_nID, node->m_nID);
    HostLink* elsewhere = m_doc.AddLink(a->m_nID, far->m_nID);
    const int idA = toA->m_nID, idB = fromB->m_nID;

    CDlgDefineNode dlg;
    m_doc.m_nLastOptionID = 2111;
    m_doc.m_nLastOptionSub = idA;
    ASSERT_TRUE(dlg.CreateDefineNode(node, m_doc.GetNodeOptions(node->m_nKind)));
    dlg.ShowWindow(SW_SHOW);
    m_doc.SetNodeDialog(&dlg);
    ASSERT_NE(dlg.GetOption(2111, idA), nullptr);
    ASSERT_TRUE(dlg.GetOption(2111, idA)->pPage->IsWindowVisible()) << "the link's page is shown";

    m_doc.RemoveLink(elsewhere->m_nID);
    EXPECT_NE(dlg.GetOption(2111, idA), nullptr) << "a link the dialog does not show changes nothing";

    // The shown link goes: the dialog loads its node again, without it.
    m_doc.RemoveLink(idA);
    EXPECT_EQ(dlg.m_pNode, node);
    EXPECT_EQ(dlg.GetOption(2111, idA), nullptr);
    EXPECT_TRUE(Labels(dlg, FindItem(dlg, "Outgoing Links")).empty());
    EXPECT_NE(dlg.GetOption(2111, idB), nullptr);
    EXPECT_EQ(SelectedLabel(dlg), "Basic") << "its page is gone: the basic page instead";

    // The node at the other end of a shown link goes, and the link with it.
    m_doc.SetNodeDialog(&dlg);
    m_doc.RemoveNode(b->m_nID);
    EXPECT_EQ(dlg.GetOption(2111, idB), nullptr);
    EXPECT_TRUE(Labels(dlg, FindItem(dlg, "Incoming Links")).empty());
    Click(dlg, ID_APPLY_NOW);
    EXPECT_EQ(node->m_nDefineUpdates, 1) << "the reloaded dialog works on";

    // The shown node itself goes: the dialog lets it go and stays empty.
    m_doc.RemoveNode(node->m_nID);
    EXPECT_EQ(dlg.m_pNode, nullptr);
    EXPECT_EQ(Tree(dlg).GetCount(), 0u);
    Click(dlg, ID_APPLY_NOW);
    m_doc.SetNodeDialog(nullptr);
    dlg.DestroyWindow();

    // A dialog that went without the host saying so is let alone.
    {
        CDlgDefineNode gone;
        ASSERT_TRUE(gone.CreateDefineNode(a, m_doc.BeginDefineNode(a)));
        m_doc.SetNodeDialog(&gone);
        EXPECT_EQ(m_doc.GetNodeDialog(), &gone);
    }
    EXPECT_EQ(m_doc.GetNodeDialog(), nullptr);
    EXPECT_TRUE(m_doc.RemoveNode(a->m_nID));
}

TEST_F(HostKeepsWork, LinkEditsTakenBeforeAPageRefusesMarkTheJobChanged)
{
    struct Case
    {
        int button;    // OK or Apply
        bool editLink; // the user changed the link page
        bool modified; // what the document must say afterwards
    };
    for (Case c : {Case{IDOK, true, true}, Case{ID_APPLY_NOW, true, true}, Case{IDOK, false, false}})
    {
        SCOPED_TRACE(testing::Message() << (c.button == IDOK ? "OK" : "Apply")
                                        << (c.editLink ? ", link edited" : ", link untouched"));
        JobDocument doc;
        doc.m_strPathName = "Demo.job";
        HostNode* node = doc.AddNode(NODE_INPUT, "Qty");
        HostNode* next = doc.AddNode(NODE_SCREEN, "Done");
        HostLink* link = doc.AddLink(node->m_nID, next->m_nID);
        node->m_position.bClearToEnd = true; // the prompt row can be typed into
        RunNodeDialog(node, [&](CDlgDefineNode& dlg) {
            if (c.editLink)
            {
                ToggleExpand(dlg, FindItem(dlg, "Outgoing Links"));
                ClickItem(dlg, "-> Done");
                Click(*PageOf<CDlgDefineLink>(dlg, 2111, link->m_nID), IDC_LINK_ALARM);
            }
            ClickItem(dlg, "Display Position");
            Type(*dlg.GetOption(2128, 0)->pPage, IDC_POS_PROMPTROW, "x");
            ExpectMessageBox(IDOK);
            Click(dlg, c.button);
            ASSERT_FALSE(MessageBoxes().empty());
            EXPECT_EQ(MessageBoxes().back().text, "Please enter an integer.");
            EXPECT_TRUE(dlg.IsWindowVisible()) << "the page refused";
            EXPECT_EQ(bool(link->m_bAlarm), c.editLink) << "the link took its page's values";
            EXPECT_EQ(bool(doc.IsModified()), c.modified);
            Click(dlg, IDCANCEL);
        });
        EXPECT_EQ(bool(doc.IsModified()), c.modified) << "closing the job asks to save what the link holds";
    }
}


TEST_F(HostKeepsWork, AScreenTextThatDoesNotFitIsKeptAndTheUserIsToldAsTheDialogOpens)
{
    std::string nineLines, wrappedRows;
    for (int i = 1; i <= 9; ++i)
        nineLines += "LINE " + std::to_string(i) + (i < 9 ? "\r\n" : "");
    for (int i = 0; i < 5; ++i) // full rows of 21, each with a line end after it, as an import writes them
        wrappedRows += std::string(21, char('A' + i)) + "\r\n";
    struct Case
    {
        std::string text;
        bool fits;
        const char* why;
    };
    const Case cases[] = {
        {"MAIN MENU\r\n\r\n1. Receive\n2. Pick", true, "a text the screen holds"},
        {nineLines, false, "nine lines on a screen of eight rows"},
        {wrappedRows, false, "full rows each followed by a line end"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.why);
        HostNode* node = m_doc.AddNode(NODE_SCREEN, "Menu");
        node->m_strScreenText = c.text.c_str();
        size_t seen = MessageBoxes().size();
        if (!c.fits)
            ExpectMessageBox(IDOK);
        RunNodeDialog(node, [&](CDlgDefineNode& dlg) {
            ASSERT_EQ(MessageBoxes().size(), seen + (c.fits ? 0 : 1)) << "told before anything could be dropped";
            if (!c.fits)
            {
                EXPECT_NE(MessageBoxes().back().text.Find("does not fit"), -1);
            }
            Type(*PageOf<CDlgDefineNodeBasic>(dlg, 2115), IDC_NODE_NAME, "Main");
            Click(dlg, IDOK);
        });
        EXPECT_EQ(node->m_strName, "Main");
        EXPECT_EQ(node->m_strScreenText, c.text.c_str()) << "untouched, the stored text stays whole";
        m_doc.RemoveNode(node->m_nID);
    }
}

} // namespace
