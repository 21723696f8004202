// The upload, erase, edit, program, run-job and hot-key pages inside the node dialog of the reference host,
// used as a person uses them: choosing records, browsing, the editor, the note and the hot-key radios.
#include <gtest/gtest.h>

#include <vector>

#include "host/model/NodeOptions.h"
#include "node/CDlgDefineNode.h"
#include "node/CDlgDefineNodeEdit.h"
#include "node/CDlgDefineNodeErase.h"
#include "node/CDlgDefineNodeHotkey.h"
#include "node/CDlgDefineNodeRunJob.h"
#include "node/CDlgDefineNodeUpload.h"
#include "support/Seams.h"
#include "tests/node/collect_harness.h"

using namespace pdt::test;

namespace
{

class ActionPages : public NodeDialogTest
{
  protected:
    void SetUp() override
    {
        NodeDialogTest::SetUp();
        m_items = m_doc.AddRecord("Items", "ITEMS.DAT");
        m_stock = m_doc.AddRecord("Stock", "C:\\data\\STOCK.TXT");
    }
    void TearDown() override
    {
        NodeDialogTest::TearDown();
        pdt::support::SetFileDialogHandler({});
    }

    // Answers the next file dialogs with `answers` in turn ("" cancels) and records what they were asked.
    void AnswerFileDialogs(std::vector<CString> answers)
    {
        pdt::support::SetFileDialogHandler([this, answers](const pdt::support::FileDialogRequest& r) {
            m_requests.push_back(r);
            return m_requests.size() <= answers.size() ? answers[m_requests.size() - 1] : CString();
        });
    }

    HostNode* m_node = nullptr;
    HostRecord* m_items = nullptr;
    HostRecord* m_stock = nullptr;
    std::vector<pdt::support::FileDialogRequest> m_requests;
};

// On every page with a record list, choosing a record puts its file beside it, whatever was typed there, and
// Apply stores both. Bad input: a node whose record is gone opens with no record chosen and its own file, and
// Apply keeps the file.
TEST_F(ActionPages, ChoosingARecordShowsItsDataFileAndAGoneRecordKeepsTheNodesFile)
{
    struct Row
    {
        int kind;
        int id;
        const char* label;
    };
    for (const Row& p : {Row{NODE_UPLOAD, IDD_NODE_UPLOAD, "Upload"}, Row{NODE_ERASE, IDD_NODE_ERASE, "Erase"},
                         Row{NODE_EDIT, IDD_NODE_EDIT, "Edit"}})
    {
        SCOPED_TRACE(p.label);
        HostNode* node = m_doc.AddNode(p.kind, p.label);
        node->m_nRecordID = m_items->m_nID;
        node->m_strDataFile = m_items->m_strDataFile;
        auto& page = Open<CDlgDefineBase>(node, p.id);
        EXPECT_EQ(ItemTexts(page.GetDlgItem(IDC_RECORDLIST)->m_hWnd), (std::vector<CString>{"Items", "Stock"}));
        EXPECT_EQ(ComboText(page, IDC_RECORDLIST), "Items");
        EXPECT_EQ(Text(page, IDC_DATAFILE), "ITEMS.DAT");
        if (page.GetDlgItem(IDC_DATAFILE)->IsWindowVisible())
            Type(page, IDC_DATAFILE, "TYPED.DAT");
        Choose(page, IDC_RECORDLIST, "Stock");
        EXPECT_EQ(Text(page, IDC_DATAFILE), "C:\\data\\STOCK.TXT");
        Apply();
        EXPECT_EQ(node->m_nRecordID, m_stock->m_nID);
        EXPECT_EQ(node->m_strDataFile, "C:\\data\\STOCK.TXT");

        node->m_nRecordID = 99;
        node->m_strDataFile = "OWN.DAT";
        auto& again = Open<CDlgDefineBase>(node, p.id);
        EXPECT_EQ(ComboText(again, IDC_RECORDLIST), "<none>");
        EXPECT_EQ(Text(again, IDC_DATAFILE), "OWN.DAT");
        Apply();
        EXPECT_EQ(node->m_nRecordID, 0);
        EXPECT_EQ(node->m_strDataFile, "OWN.DAT");
    }
}

TEST_F(ActionPages, EditBrowsesForADataFileAndACancelledBrowseChangesNothing)
{
    m_node = m_doc.AddNode(NODE_EDIT, "E");
    auto& page = Open<CDlgDefineNodeEdit>(m_node, IDD_NODE_EDIT);
    Choose(page, IDC_RECORDLIST, "Stock");
    CString chosen = CString(TempDir().c_str()) + "/COUNTS.DAT";
    AnswerFileDialogs({"", chosen});

    Click(page, IDC_BROWSE); // cancelled
    Pump();
    EXPECT_EQ(ComboText(page, IDC_RECORDLIST), "Stock");
    EXPECT_EQ(Text(page, IDC_DATAFILE), "C:\\data\\STOCK.TXT");

    Click(page, IDC_BROWSE);
    Pump();
    EXPECT_EQ(Text(page, IDC_DATAFILE), chosen);
    EXPECT_EQ(ComboText(page, IDC_RECORDLIST), "<none>") << "the file no longer comes from a record";
    ASSERT_EQ(m_requests.size(), 2u);
    EXPECT_TRUE(m_requests[0].open);
    EXPECT_EQ(m_requests[0].fileName, "STOCK.TXT");
    EXPECT_EQ(m_requests[0].filters.front(), "Data Files (*.dat *.DAT *.txt *.TXT)");
    EXPECT_EQ(theReg.GetString("BrowseFile", "DATAFILE", ""), CString(TempDir().c_str()));
    Apply();
    EXPECT_EQ(m_node->m_nRecordID, 0);
    EXPECT_EQ(m_node->m_strDataFile, chosen);
}

TEST_F(ActionPages, EditListsTheFieldSeparatorsAndStoresTheChosenCode)
{
    struct Row
    {
        int stored;
        const char* shown;
        const char* choose; // null: leave it
        int expected;
    };
    const Row rows[] = {
        {';', "Semicolon (;)", "Tab", 9},
        {0, "None", nullptr, 0},
        {13, "<none>", nullptr, 13}, // not a field separator: shown as no choice, kept
        {13, "<none>", "Bar (|)", '|'},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.stored);
        m_node = m_doc.AddNode(NODE_EDIT, "E");
        m_node->m_nFieldSeparator = row.stored;
        auto& page = Open<CDlgDefineNodeEdit>(m_node, IDD_NODE_EDIT);
        EXPECT_EQ(ItemTexts(page.GetDlgItem(IDC_FIELDSEPARATOR)->m_hWnd).front(), "None");
        EXPECT_EQ(ComboText(page, IDC_FIELDSEPARATOR), row.shown);
        if (row.choose)
            Choose(page, IDC_FIELDSEPARATOR, row.choose);
        Click(page, IDC_EDIT_FROMLAST);
        Apply();
        EXPECT_EQ(m_node->m_nFieldSeparator, row.expected);
        EXPECT_TRUE(m_node->m_bBrowseFromLast);
    }
}

TEST_F(ActionPages, UploadHidesTheFileRowShowsTheNoteAndStoresItsChoices)
{
    m_node = m_doc.AddNode(NODE_UPLOAD, "U");
    m_node->m_nBaudRate = 1234; // not offered: no choice shown, kept
    auto& page = Open<CDlgDefineNodeUpload>(m_node, IDD_NODE_UPLOAD);
    for (int id : {IDC_DATAFILE, IDC_BROWSE})
        EXPECT_FALSE(page.GetDlgItem(id)->IsWindowVisible()) << id;
    EXPECT_TRUE(page.IsDlgButtonChecked(IDC_UPLOAD_ALL));
    EXPECT_EQ(ComboText(page, IDC_UPLOAD_BAUDRATE), "<none>");
    EXPECT_EQ(ComboText(page, IDC_UPLOAD_PROTOCOL), "Multipoint");

    ExpectMessageBox(IDOK);
    Click(page, IDC_UPLOAD_NOTE);
    Pump();
    ASSERT_EQ(MessageBoxes().size(), 1u);
    const SeenMessageBox& note = MessageBoxes().back();
    EXPECT_EQ(note.type, UINT(MB_ICONINFORMATION));
    EXPECT_NE(note.text.Find("Relink Manager.\n\nUpload node needs"), -1) << note.text.c_str();

    Apply();
    EXPECT_EQ(m_node->m_nBaudRate, 1234);
    Click(page, IDC_UPLOAD_CURRENT);
    Click(page, IDC_UPLOAD_CTRLZ);
    Choose(page, IDC_UPLOAD_BAUDRATE, "19200");
    Choose(page, IDC_UPLOAD_PROTOCOL, "Xmodem");
    Apply();
    EXPECT_FALSE(m_node->m_bUploadAll);
    EXPECT_TRUE(m_node->m_bSendCtrlZ);
    EXPECT_EQ(m_node->m_nBaudRate, 19200);
    EXPECT_EQ(m_node->m_strProtocol, "Xmodem");
}

TEST_F(ActionPages, EraseStoresWhichPartOfTheFileGoes)
{
    m_node = m_doc.AddNode(NODE_ERASE, "X");
    auto& page = Open<CDlgDefineNodeErase>(m_node, IDD_NODE_ERASE);
    EXPECT_TRUE(page.IsDlgButtonChecked(IDC_ERASE_WHOLEFILE));
    Click(page, IDC_ERASE_LASTRECORD);
    EXPECT_FALSE(page.IsDlgButtonChecked(IDC_ERASE_WHOLEFILE));
    Apply();
    EXPECT_FALSE(m_node->m_bDeleteWholeFile);
    Click(page, IDC_ERASE_WHOLEFILE);
    Apply();
    EXPECT_TRUE(m_node->m_bDeleteWholeFile);
}

TEST_F(ActionPages, RunJobBrowsesForAJobFileAndACancelKeepsWhatWasTyped)
{
    m_node = m_doc.AddNode(NODE_RUNJOB, "R");
    m_node->m_strJobFile = "OLD.vtr";
    auto& page = Open<CDlgDefineNodeRunJob>(m_node, IDD_NODE_RUNJOB);
    EXPECT_EQ(Text(page, IDC_DATAFILE), "OLD.vtr");
    Type(page, IDC_DATAFILE, "TYPED.vtr");
    Type(page, IDC_RUNJOB_STARTNODE, "Begin");
    CString chosen = CString(TempDir().c_str()) + "/Receive.vtr";
    AnswerFileDialogs({"", chosen});
    Click(page, IDC_BROWSE);
    Pump();
    EXPECT_EQ(Text(page, IDC_DATAFILE), "TYPED.vtr");
    Click(page, IDC_BROWSE);
    Pump();
    EXPECT_EQ(Text(page, IDC_DATAFILE), chosen);
    EXPECT_EQ(Text(page, IDC_RUNJOB_STARTNODE), "Begin");
    ASSERT_EQ(m_requests.size(), 2u);
    EXPECT_TRUE(m_requests[1].open);
    EXPECT_EQ(m_requests[1].fileName, "TYPED.vtr");
    EXPECT_EQ(m_requests[1].filters.front(), "Vantor Files (*.vtr *.VTR)");
    EXPECT_EQ(theReg.GetString("BrowseFile", "RUNJOB", ""), CString(TempDir().c_str()));
    Apply();
    EXPECT_EQ(m_node->m_strJobFile, chosen);
    EXPECT_EQ(m_node->m_strStartNode, "Begin");
}

const int kHotKeyRadios[] = {IDC_KEY_F1, IDC_KEY_F2,   IDC_KEY_F3,  IDC_KEY_F4,     IDC_KEY_F5,
                             IDC_KEY_F6, IDC_KEY_F7,   IDC_KEY_F8,  IDC_KEY_LEFT,   IDC_KEY_RIGHT,
                             IDC_KEY_UP, IDC_KEY_DOWN, IDC_KEY_ESC, IDC_HOTKEY_NONE};

// Every radio clicked in turn, and then with the arrow keys: exactly one is ever chosen, and Apply stores it.
TEST_F(ActionPages, HotKeyRadiosHoldExactlyOneChoice)
{
    m_node = m_doc.AddNode(NODE_PROGRAM, "P");
    m_node->m_nHotKey = 9999; // not offered: shows as None
    auto& page = Open<CDlgDefineNodeHotkey>(m_node, IDD_NODE_HOTKEY);
    EXPECT_EQ(CheckedAmong(page, kHotKeyRadios), std::set<int>{IDC_HOTKEY_NONE});
    for (int id : kHotKeyRadios)
    {
        Click(page, id);
        EXPECT_EQ(CheckedAmong(page, kHotKeyRadios), std::set<int>{id});
        Apply();
        EXPECT_EQ(m_node->m_nHotKey, id == IDC_HOTKEY_NONE ? 0 : id);
    }
    Click(page, IDC_KEY_F3);
    Key(VK_DOWN); // the next radio of the one group
    Pump();
    EXPECT_EQ(CheckedAmong(page, kHotKeyRadios), std::set<int>{IDC_KEY_F4});
    EXPECT_EQ(page.m_nKeyF3, 0);
    Apply();
    EXPECT_EQ(page.m_nKeyF4, 1);
    EXPECT_EQ(page.m_nKeyNone, 0);
    EXPECT_EQ(m_node->m_nHotKey, IDC_KEY_F4);
}

} // namespace
