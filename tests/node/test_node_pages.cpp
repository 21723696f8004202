// The basic, notes, comment-font, upload, erase, edit and screen pages inside the node dialog of the reference
// host, used as a person uses them: typing, ticking, choosing records, the note, the editor and the screen.
#include <gtest/gtest.h>

#include "host/model/NodeOptions.h"
#include "node/CDlgDefineNodeCmtFontColor.h"
#include "node/CDlgDefineNodeScreen.h"
#include "node/CDlgDefineNodeScreenPosition.h"
#include "node/CDlgDefineNodeUpload.h"
#include "tests/node/collect_harness.h"

using namespace pdt::test;

namespace
{

class NodePages : public NodeDialogTest
{
  protected:
    void SetUp() override
    {
        NodeDialogTest::SetUp();
        m_items = m_doc.AddRecord("Items", "ITEMS.DAT");
        m_stock = m_doc.AddRecord("Stock", "C:\\data\\STOCK.TXT");
    }

    HostNode* m_node = nullptr;
    HostRecord* m_items = nullptr;
    HostRecord* m_stock = nullptr;
};
using ActionPages = NodePages;
using ScreenPosition = NodePages;
using ScreenPage = NodePages;

// Every page with an editor button: the editor is titled for the page and the node, starts from the text typed
// (not the one stored), and gives its text back with the focus on OK and nothing on Cancel; the node gets it on
// OK of the node dialog. Where a box switches the field on, it is ticked first.
TEST_F(NodePages, EveryEditorButtonStartsFromTheTypedTextAndGivesItBack)
{
    struct Row
    {
        int kind;
        const char* name;
        int page;
        int box; // 0: the field is always editable
        int field;
        const char* title;
        const char* added; // typed in the editor after the page's text
        CString& (*stored)(HostNode&);
    };
    const Row rows[] = {
        {NODE_INPUT, "Scan", IDD_NODE_NOTES, 0, IDC_NODE_COMMENT, "Comment", "\rfrom the editor",
         [](HostNode& n) -> CString& { return n.m_strComment; }},
        {NODE_PROGRAM, "Totals", IDD_NODE_PROGRAM, 0, IDC_PROGRAM_CODE, "Program: Totals", "\rB = 2",
         [](HostNode& n) -> CString& { return n.m_strProgram; }},
        {NODE_INPUT, "Total", IDD_NODE_INPUTFROMFORMULA, IDC_INPUT_DEVICE_FORMULA, IDC_FORMULA, "Input Formula: Total",
         "+1", [](HostNode& n) -> CString& { return n.m_collect.strFormula; }},
        {NODE_INPUT, "Weight", IDD_NODE_VERIFYQUALIFIER, IDC_VERIFY_QUALIFIER, IDC_QUALIFIER,
         "Verify Qualifier: Weight", " AND DATA < 50",
         [](HostNode& n) -> CString& { return n.m_collect.strQualifier; }},
        {NODE_COUNT, "Cartons", NodeOptions::COUNT_INITIAL, IDC_COUNT_BYFORMULA, IDC_FORMULA,
         "Initial Formula: Cartons", " * 2", [](HostNode& n) -> CString& { return n.m_count.strFormula; }},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.title);
        HostNode* node = m_doc.AddNode(row.kind, row.name);
        row.stored(*node) = "stored";
        auto& page = Open<CDlgDefineBase>(node, row.page);
        if (row.box)
        {
            EXPECT_FALSE(Enabled(page, IDC_SCRIPTPAD)) << "the editor waits for the box";
            Click(page, row.box);
            EXPECT_TRUE(Enabled(page, IDC_SCRIPTPAD));
        }
        Type(page, row.field, "typed");
        ExpectModal([&](CDialog& editor) {
            EXPECT_EQ(editor.GetWindowText(), row.title);
            CWnd* text = CWnd::GetFocus();
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(text->GetWindowText(), "typed");
            Key(VK_END, false, true);
            Type(row.added);
            Click(editor, IDOK);
        });
        Click(page, IDC_SCRIPTPAD);
        Pump();
        CString expected = CString("typed") + row.added;
        expected.Replace("\r", "\r\n");
        EXPECT_EQ(Text(page, row.field), expected);
        EXPECT_EQ(FocusId(), row.field);

        ExpectModal([](CDialog& editor) {
            Type("lost");
            Click(editor, IDCANCEL);
        });
        Click(page, IDC_SCRIPTPAD);
        Pump();
        EXPECT_EQ(Text(page, row.field), expected);
        EXPECT_EQ(FocusId(), row.field);
        Ok();
        EXPECT_EQ(row.stored(*node), expected);
    }
}

TEST_F(NodePages, DefaultFontBoxDisablesDefineAtOnceAndClearingItEnablesIt)
{
    m_node = m_doc.AddNode(NODE_COMMENT, "Remark");
    m_node->m_bUseDefaultFont = TRUE;
    auto& page = Open<CDlgDefineNodeCmtFontColor>(m_node, IDD_NODE_CMTFONTCOLOR);
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_CMT_DEFAULTFONT), UINT(BST_CHECKED));
    EXPECT_FALSE(Enabled(page, IDC_CMT_FONTDEFINE)) << "as loaded";

    Click(page, IDC_CMT_DEFAULTFONT);
    EXPECT_TRUE(Enabled(page, IDC_CMT_FONTDEFINE));
    EXPECT_EQ(page.m_bUseDefaultFont, FALSE);

    Click(page, IDC_CMT_DEFAULTFONT);
    EXPECT_FALSE(Enabled(page, IDC_CMT_FONTDEFINE));
    EXPECT_EQ(page.m_bUseDefaultFont, TRUE);
}

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

TEST_F(ScreenPosition, InputLocationAndClearToEndEnableTheirEditsAsTheyAreClicked)
{
    CDlgDefineNodeScreenPosition& page =
        Open<CDlgDefineNodeScreenPosition>(m_doc.AddNode(NODE_INPUT, "Qty"), IDD_NODE_SCREENPOSITION);
    EXPECT_FALSE(Enabled(page, IDC_POS_INPUTROW));
    EXPECT_FALSE(Enabled(page, IDC_POS_PROMPTROW));

    Click(page, IDC_POS_INPUTAT);
    EXPECT_TRUE(Enabled(page, IDC_POS_INPUTROW));
    EXPECT_TRUE(Enabled(page, IDC_POS_INPUTCOLUMN));
    Click(page, IDC_POS_INPUTATCURRENT);
    EXPECT_FALSE(Enabled(page, IDC_POS_INPUTROW));
    EXPECT_FALSE(Enabled(page, IDC_POS_INPUTCOLUMN));

    Click(page, IDC_POS_CLEARTOEND);
    EXPECT_TRUE(Enabled(page, IDC_POS_PROMPTROW));
    EXPECT_TRUE(Enabled(page, IDC_POS_PROMPTCOLUMN));

    Click(page, IDC_POS_NOMARK);
    EXPECT_FALSE(Enabled(page, IDC_POS_MARK));
}

TEST_F(ScreenPosition, CountNodesHaveNoMarkAndNoPassword)
{
    CDlgDefineNodeScreenPosition& page =
        Open<CDlgDefineNodeScreenPosition>(m_doc.AddNode(NODE_COUNT, "Cartons"), IDD_NODE_SCREENPOSITION);
    for (int id : {IDC_POS_NOMARK, IDC_POS_MARKLABEL, IDC_POS_MARK, IDC_POS_PASSWORD})
        EXPECT_FALSE(Shown(page, id)) << id;
    EXPECT_TRUE(Shown(page, IDC_POS_NODISPLAY));
    Click(page, IDC_POS_INPUTAT);
    EXPECT_TRUE(Enabled(page, IDC_POS_INPUTROW)) << "the other controls behave as before";
}

TEST_F(ScreenPage, TextTypedOnTheScreenIsStoredInTheNode)
{
    HostNode* node = m_doc.AddNode(NODE_SCREEN, "Menu");
    node->m_strScreenText = "HELLO";
    CDlgDefineNodeScreen& page = Open<CDlgDefineNodeScreen>(node, IDD_NODE_SCREEN);
    CSize size = m_doc.GetScreenSize();
    CString caption;
    caption.Format("Screen: rows: %d, columns: %d", size.cy, size.cx);
    EXPECT_EQ(page.GetDlgItem(IDC_SCREEN_INFO)->GetWindowText(), caption);
    EXPECT_EQ(page.m_screen.GetPrompt(), "HELLO");
    EXPECT_TRUE(page.GetDlgItem(IDC_SCREEN_HIDECURSOR)->IsWindowVisible());

    ClickAt(page.m_screen.m_hWnd, CPoint(2, 2));
    Type("AB");
    CString shown = page.m_screen.GetPrompt();
    EXPECT_NE(shown.Find("AB"), -1) << shown.c_str();
    EXPECT_NE(shown.Find("LLO"), -1) << shown.c_str();
    Click(page, IDC_SCREEN_HIDECURSOR);
    Apply();
    EXPECT_EQ(node->m_strScreenText, shown);
    EXPECT_TRUE(node->m_bHideCursor);
}

TEST_F(ScreenPage, TheScreenFillsTheRoomBetweenCaptionAndOptions)
{
    CDlgDefineNodeScreen& page = Open<CDlgDefineNodeScreen>(m_doc.AddNode(NODE_SCREEN, "Menu"), IDD_NODE_SCREEN);
    CRect caption, option, screen;
    page.GetDlgItem(IDC_SCREEN_INFO)->GetWindowRect(&caption);
    page.GetDlgItem(IDC_SCREEN_NOCLEARBEFORE)->GetWindowRect(&option);
    page.m_screen.GetWindowRect(&screen);
    EXPECT_EQ(screen.left, caption.left);
    EXPECT_GE(screen.top, caption.bottom);
    EXPECT_LE(screen.bottom, option.top);
    EXPECT_EQ(page.m_screen.GetDlgCtrlID(), IDC_SCREEN_WINDOW);
}

} // namespace
