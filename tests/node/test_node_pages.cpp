// The basic, notes and comment-font pages inside the node dialog of the reference host, used as a person
// uses them: typing, ticking, picking colours from the palette, the font dialog and the program editor.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "link/CDlgDefineLink.h"
#include "link/CDlgDefineLinkIn.h"
#include "link/CDlgDefineLinkOut.h"
#include "node/CDlgDefineNode.h"
#include "node/CDlgDefineNodeBasic.h"
#include "node/CDlgDefineNodeCmtFontColor.h"
#include "node/CDlgDefineNodeNotes.h"
#include "host/model/NodeOptions.h"
#include "platform/afxdlgs.h"
#include "node/CDlgDefineNodeEdit.h"
#include "node/CDlgDefineNodeErase.h"
#include "node/CDlgDefineNodeHotkey.h"
#include "node/CDlgDefineNodeProgram.h"
#include "node/CDlgDefineNodeRunJob.h"
#include "node/CDlgDefineNodeUpload.h"
#include "node/CDlgDefineNodeVerifyQualifier.h"
#include "node/CDlgDefineNodeInputFromFormula.h"
#include "node/CDlgDefineNodeCountInitial.h"
#include "tests/node/collect_harness.h"

using namespace pdt::test;

namespace
{

class NodePages : public NodeDialogTest
{
  protected:
    // Opens a picker's palette with a click and confirms the entry that has the keyboard focus.
    static void ChooseFocusedPaletteEntry(CDialog& page, int pickerId, std::initializer_list<UINT> moves = {})
    {
        auto* picker = static_cast<CColourPicker*>(page.GetDlgItem(pickerId));
        Click(page, pickerId);
        Pump();
        ASSERT_TRUE(picker->IsPaletteOpen()) << "the click did not open the palette";
        for (UINT vk : moves)
            Key(vk);
        Key(VK_SPACE);
        Pump();
        EXPECT_FALSE(picker->IsPaletteOpen());
    }

    HostNode* m_node = nullptr;
};

LOGFONT CommentFont(const char* face)
{
    LOGFONT lf;
    std::memset(&lf, 0x5A, sizeof(lf)); // the tail of the face keeps these bytes
    lf.lfHeight = -16;
    lf.lfWidth = lf.lfEscapement = lf.lfOrientation = lf.lfItalic = lf.lfUnderline = lf.lfStrikeOut = 0;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(lf.lfFaceName, face);
    return lf;
}

// ---------------------------------------------------------------------------------------------------------------
// Registration: each page class is found by its option id and built on its own template.

template <class Page> bool Is(CDlgDefineBase* p) { return dynamic_cast<Page*>(p) != nullptr; }

TEST(NodePageClasses, EachOptionIdCreatesItsPageOnItsTemplate)
{
    const std::pair<int, bool (*)(CDlgDefineBase*)> pages[] = {
        {IDD_NODE_BASIC, Is<CDlgDefineNodeBasic>}, {IDD_NODE_NOTES, Is<CDlgDefineNodeNotes>},
        {IDD_NODE_CMTFONTCOLOR, Is<CDlgDefineNodeCmtFontColor>}, {IDD_LINK, Is<CDlgDefineLink>},
        {IDD_LINK_IN, Is<CDlgDefineLinkIn>}, {IDD_LINK_OUT, Is<CDlgDefineLinkOut>},
        {IDD_NODE_UPLOAD, Is<CDlgDefineNodeUpload>}, {IDD_NODE_ERASE, Is<CDlgDefineNodeErase>},
        {IDD_NODE_EDIT, Is<CDlgDefineNodeEdit>},     {IDD_NODE_PROGRAM, Is<CDlgDefineNodeProgram>},
        {IDD_NODE_RUNJOB, Is<CDlgDefineNodeRunJob>}, {IDD_NODE_HOTKEY, Is<CDlgDefineNodeHotkey>},
    };
    for (auto [id, is] : pages)
    {
        const OptionPageClass* cls = FindOptionPage(id);
        ASSERT_NE(cls, nullptr) << id;
        CDlgDefineBase* page = cls->create(nullptr);
        EXPECT_TRUE(is(page)) << id;
        EXPECT_EQ(page->GetTemplateID(), UINT(id));
        delete page;
    }
}

// ---------------------------------------------------------------------------------------------------------------
// Basic page.

TEST_F(NodePages, BasicPageShowsTheNodeAndTakesBackWhatIsTypedAndTicked)
{
    HostNode* start = m_doc.AddNode(NODE_SCREEN, "Start");
    m_doc.SetStartNode(start);
    m_node = m_doc.AddNode(NODE_PROGRAM, "Calc");
    m_node->m_strDescription = "Program node: runs code & more.";
    m_node->m_bGlobalAccess = TRUE;
    auto& page = Open<CDlgDefineNodeBasic>(m_node, IDD_NODE_BASIC);

    EXPECT_EQ(Text(page, IDC_NODE_DESCRIPTION), "Program node: runs code & more.");
    EXPECT_EQ(Text(page, IDC_NODE_NAME), "Calc");
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_NODE_GLOBALACCESS), UINT(BST_CHECKED));
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_NODE_STARTNODE), UINT(BST_UNCHECKED));

    Type(page, IDC_NODE_NAME, "Totals");
    Click(page, IDC_NODE_STARTNODE);
    Click(page, IDC_NODE_GLOBALACCESS);
    Click(page, IDC_NODE_EXCLUDE);
    Apply();

    EXPECT_EQ(m_node->m_strName, "Totals");
    EXPECT_TRUE(m_node->m_bStartNode);
    EXPECT_FALSE(start->m_bStartNode) << "a job starts at one node";
    EXPECT_EQ(m_node->m_bExcludeFromMakeJob, TRUE);
    EXPECT_EQ(m_node->m_bGlobalAccess, FALSE);
    EXPECT_EQ(page.m_strDescription, "Program node: runs code & more.") << "the description is read-only";
}

// The palette is the picker's real one: a click opens it, the keyboard confirms the focused entry. A colour of the
// user's is not in the palette, so "Default" has the focus when it opens.
TEST_F(NodePages, DefaultColourEntryGivesTheNodesDefaultColourAndACellItsOwn)
{
    m_node = m_doc.AddNode(NODE_SCREEN, "Welcome");
    m_node->m_crColour = RGB(1, 2, 3);
    auto& page = Open<CDlgDefineNodeBasic>(m_node, IDD_NODE_BASIC);
    ASSERT_EQ(page.m_btnColor.GetColour(), RGB(1, 2, 3));
    ASSERT_NE(m_node->GetDefaultColour(), RGB(0, 0, 0));

    ChooseFocusedPaletteEntry(page, IDC_NODE_COLOR, {VK_RIGHT}); // from "Default" into the first cell
    COLORREF cell = page.m_btnColor.GetColour();
    EXPECT_TRUE(cell != CLR_DEFAULT && cell != RGB(1, 2, 3) && cell != m_node->GetDefaultColour());

    page.m_btnColor.SetColour(RGB(1, 2, 3));
    ChooseFocusedPaletteEntry(page, IDC_NODE_COLOR);
    EXPECT_EQ(page.m_btnColor.GetColour(), m_node->GetDefaultColour()) << "not the raw CLR_DEFAULT";
    Apply();
    EXPECT_EQ(m_node->m_crColour, m_node->GetDefaultColour());
}

// What the pickers report besides "Default", and reports of other ids, leave every colour alone.
TEST_F(NodePages, OtherColourNotificationsChangeNothing)
{
    CDlgDefineNodeBasic orphan;
    orphan.m_btnColor.SetColour(RGB(9, 9, 9));
    EXPECT_EQ(orphan.OnColorSelEndOK(CLR_DEFAULT, IDC_NODE_COLOR), 1) << "no node: nothing to ask";
    EXPECT_EQ(orphan.m_btnColor.GetColour(), RGB(9, 9, 9));

    HostNode* remark = m_doc.AddNode(NODE_COMMENT, "Remark");
    auto& basic = Open<CDlgDefineNodeBasic>(remark, IDD_NODE_BASIC);
    basic.m_btnColor.SetColour(RGB(9, 9, 9));
    EXPECT_EQ(basic.SendMessage(WM_USER + 1004, CLR_DEFAULT, 4999), 1);
    EXPECT_EQ(basic.m_btnColor.GetColour(), RGB(9, 9, 9));

    ClickItem(*m_dlg, "Font and Color");
    auto& font = PageOf<CDlgDefineNodeCmtFontColor>(IDD_NODE_CMTFONTCOLOR);
    font.m_btnTextColor.SetColour(RGB(7, 7, 7));
    font.m_btnBackColor.SetColour(RGB(8, 8, 8));
    EXPECT_EQ(font.SendMessage(WM_USER + 1004, CLR_DEFAULT, 4999), 1);
    EXPECT_EQ(font.SendMessage(WM_USER + 1004, RGB(7, 7, 7), IDC_CMT_TEXTCOLOR), 1);
    EXPECT_EQ(font.SendMessage(WM_USER + 1004, RGB(8, 8, 8), IDC_CMT_BACKCOLOR), 1);
    EXPECT_EQ(font.m_btnTextColor.GetColour(), RGB(7, 7, 7));
    EXPECT_EQ(font.m_btnBackColor.GetColour(), RGB(8, 8, 8));
}

// ---------------------------------------------------------------------------------------------------------------
// Notes page.

TEST_F(NodePages, EnterInTheCommentStartsANewLineAndTheTextReachesTheNode)
{
    m_node = m_doc.AddNode(NODE_INPUT, "Scan");
    auto& page = Open<CDlgDefineNodeNotes>(m_node, IDD_NODE_NOTES);
    Focus(Item(page, IDC_NODE_COMMENT));
    Type("scan the pallet\rthen the box");
    Pump();
    EXPECT_TRUE(m_dlg->IsWindowVisible()) << "Enter in the comment is not the dialog's OK";
    Apply();
    EXPECT_EQ(m_node->m_strComment, "scan the pallet\r\nthen the box");
}

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
        {NODE_INPUT, "Total", IDD_NODE_INPUTFROMFORMULA, IDC_INPUT_DEVICE_FORMULA, IDC_FORMULA,
         "Input Formula: Total", "+1", [](HostNode& n) -> CString& { return n.m_collect.strFormula; }},
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
            Click(page, row.box);
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

// The program, formula and qualifier edits give the host's bytes back as given until the person edits them: a
// no-break space (A0h, alone or as the trail byte of a double-byte character) and lone LF and CR line ends.
TEST_F(NodePages, MultiLineEditsGiveTheHostsBytesAndLineEndsBackUntilEdited)
{
    struct Row
    {
        int kind;
        const char* name;
        int page;
        int box; // ticked first, so the field is on
        int field;
        CString& (*stored)(HostNode&);
    };
    const Row rows[] = {
        {NODE_PROGRAM, "Totals", IDD_NODE_PROGRAM, 0, IDC_PROGRAM_CODE,
         [](HostNode& n) -> CString& { return n.m_strProgram; }},
        {NODE_INPUT, "Total", IDD_NODE_INPUTFROMFORMULA, IDC_INPUT_DEVICE_FORMULA, IDC_FORMULA,
         [](HostNode& n) -> CString& { return n.m_collect.strFormula; }},
        {NODE_INPUT, "Weight", IDD_NODE_VERIFYQUALIFIER, IDC_VERIFY_QUALIFIER, IDC_QUALIFIER,
         [](HostNode& n) -> CString& { return n.m_collect.strQualifier; }},
        {NODE_COUNT, "Cartons", NodeOptions::COUNT_INITIAL, IDC_COUNT_BYFORMULA, IDC_FORMULA,
         [](HostNode& n) -> CString& { return n.m_count.strFormula; }},
    };
    for (int cp : {1252, 936})
        for (const Row& row : rows)
        {
            SCOPED_TRACE(std::to_string(cp) + " " + row.name);
            const int saved = GetACP();
            SetAnsiCodePage(cp);
            const std::string bytes = std::string("A\xA0" "B\nC\rD\r\nE") + (cp == 936 ? "\x81\xA0" : "\xA0");
            HostNode* node = m_doc.AddNode(row.kind, row.name);
            row.stored(*node) = bytes.c_str();
            auto& page = Open<CDlgDefineBase>(node, row.page);
            if (row.box)
                Click(page, row.box); // the page saves and reloads its controls
            Ok();
            EXPECT_EQ(row.stored(*node), bytes.c_str()) << "untouched";

            auto& again = Open<CDlgDefineBase>(node, row.page);
            Focus(Item(again, row.field));
            Key(VK_END, false, true);
            Type("!");
            Ok();
            EXPECT_EQ(row.stored(*node), (bytes + "!").c_str()) << "typed at the end: the rest keeps its bytes";
            SetAnsiCodePage(saved);
        }
}

// ---------------------------------------------------------------------------------------------------------------
// Comment font and colour page.

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

TEST_F(NodePages, ConfirmedFontDialogCopiesTheWholeLogicalFontAndACancelledOneNothing)
{
    m_node = m_doc.AddNode(NODE_COMMENT, "Remark");
    m_node->m_bUseDefaultFont = FALSE;
    auto& page = Open<CDlgDefineNodeCmtFontColor>(m_node, IDD_NODE_CMTFONTCOLOR);
    page.m_lfFont = CommentFont("No Such Face");

    LOGFONT shown{};
    ExpectModal([&](CDialog& d) {
        auto& fd = static_cast<CFontDialog&>(d);
        EXPECT_TRUE(d.GetDlgItem(chx2)->IsWindowVisible()) << "effects are offered";
        EXPECT_EQ(d.GetDlgItem(cmb3)->GetWindowText(), "12") << "the dialog starts on the comment's font";
        auto& styles = *static_cast<CComboBox*>(d.GetDlgItem(cmb2));
        ChooseComboItem(styles, styles.FindStringExact(-1, "Bold"));
        Type(d, cmb3, "14");
        Click(d, chx2);
        fd.GetCurrentFont(&shown);
        Click(d, IDOK);
    });
    Click(page, IDC_CMT_FONTDEFINE);
    Pump();

    EXPECT_EQ(std::memcmp(&page.m_lfFont, &shown, sizeof(LOGFONT)), 0) << "every byte, the face's tail included";
    EXPECT_EQ(page.m_lfFont.lfHeight, -MulDiv(14, 96, 72));
    EXPECT_EQ(page.m_lfFont.lfWeight, FW_BOLD);
    Apply();
    EXPECT_EQ(std::memcmp(&m_node->m_lfFont, &shown, sizeof(LOGFONT)), 0);

    // A cancelled font dialog leaves the comment's font byte for byte.
    page.m_lfFont = CommentFont("No Such Face");
    LOGFONT before = page.m_lfFont;

    ExpectModal([](CDialog& d) {
        auto& styles = *static_cast<CComboBox*>(d.GetDlgItem(cmb2));
        ChooseComboItem(styles, styles.FindStringExact(-1, "Italic"));
        Type(d, cmb3, "30");
        Click(d, chx1);
        Key(VK_ESCAPE);
    });
    Click(page, IDC_CMT_FONTDEFINE);
    Pump();
    EXPECT_EQ(std::memcmp(&page.m_lfFont, &before, sizeof(LOGFONT)), 0);
}

TEST_F(NodePages, DefaultTextColourIsTheNodesAndDefaultBackgroundIsTheWindowColour)
{
    m_node = m_doc.AddNode(NODE_COMMENT, "Remark");
    m_node->m_crText = RGB(1, 2, 3); // colours of the user's: "Default" has the palette's focus
    m_node->m_crBack = RGB(4, 5, 6);
    auto& page = Open<CDlgDefineNodeCmtFontColor>(m_node, IDD_NODE_CMTFONTCOLOR);
    ASSERT_NE(m_node->GetDefaultColour(), GetSysColor(COLOR_WINDOW));

    ChooseFocusedPaletteEntry(page, IDC_CMT_TEXTCOLOR);
    EXPECT_EQ(page.m_btnTextColor.GetColour(), m_node->GetDefaultColour());
    EXPECT_EQ(page.m_btnBackColor.GetColour(), RGB(4, 5, 6));

    ChooseFocusedPaletteEntry(page, IDC_CMT_BACKCOLOR);
    EXPECT_EQ(page.m_btnBackColor.GetColour(), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(page.m_btnTextColor.GetColour(), m_node->GetDefaultColour());

    Apply();
    EXPECT_EQ(m_node->m_crText, m_node->GetDefaultColour());
    EXPECT_EQ(m_node->m_crBack, GetSysColor(COLOR_WINDOW));
}

} // namespace
