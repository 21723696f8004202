// The display-position page inside the node dialog of an input or count node, on the reference host.
#include <gtest/gtest.h>

#include "tests/node/collect_harness.h"
#include "host/model/HostNode.h"
#include "host/model/HostTerminal.h"
#include "host/model/JobDocument.h"
#include "node/CDlgDefineNode.h"
#include "node/CDlgDefineNodeScreen.h"
#include "node/CDlgDefineNodeScreenPosition.h"
#include "platform/testing/pdttest.h"
#include "resources/resource.h"
#include "support/Support.h"

using namespace pdt::test;

namespace
{

class ScreenPosition : public NodeDialogTest
{
  protected:
    CDlgDefineNodeScreenPosition& OpenPosition(HostNode* node)
    {
        return Open<CDlgDefineNodeScreenPosition>(node, IDD_NODE_SCREENPOSITION);
    }
};

TEST_F(ScreenPosition, LabelsGiveTheTerminalsLastRowAndColumn)
{
    m_doc.Terminal().m_strModel = "M-10"; // 16 columns, 4 rows
    CDlgDefineNodeScreenPosition& page = OpenPosition(m_doc.AddNode(NODE_INPUT, "Qty"));
    CSize size = m_doc.GetScreenSize();
    CString row, column;
    row.Format("Row (0..%d):", size.cy - 1);
    column.Format("Column (0..%d):", size.cx - 1);
    EXPECT_EQ(page.GetDlgItem(IDC_POS_PROMPTROWLABEL)->GetWindowText(), row);
    EXPECT_EQ(page.GetDlgItem(IDC_POS_INPUTROWLABEL)->GetWindowText(), row);
    EXPECT_EQ(page.GetDlgItem(IDC_POS_PROMPTCOLUMNLABEL)->GetWindowText(), column);
    EXPECT_EQ(page.GetDlgItem(IDC_POS_INPUTCOLUMNLABEL)->GetWindowText(), column);
    EXPECT_NE(row, "Row (0..8):") << "the template's placeholder must be replaced";
}

TEST_F(ScreenPosition, InputLocationAndClearToEndEnableTheirEditsAsTheyAreClicked)
{
    CDlgDefineNodeScreenPosition& page = OpenPosition(m_doc.AddNode(NODE_INPUT, "Qty"));
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

TEST_F(ScreenPosition, NoDisplayDisablesEverythingButTheClearScreenBox)
{
    CDlgDefineNodeScreenPosition& page = OpenPosition(m_doc.AddNode(NODE_INPUT, "Qty"));
    Click(page, IDC_POS_CLEARTOEND);
    Click(page, IDC_POS_INPUTAT);
    Click(page, IDC_POS_NODISPLAY);
    for (int id : {IDC_POS_PRINTFOLLOWING, IDC_POS_PRINTDIRECT, IDC_POS_NOMARK, IDC_POS_INPUTATCURRENT,
                   IDC_POS_INPUTAT, IDC_POS_PASSWORD, IDC_POS_MARK, IDC_POS_INPUTROW, IDC_POS_INPUTCOLUMN})
        EXPECT_FALSE(Enabled(page, id)) << id;
    for (int id : {IDC_POS_CLEARTOEND, IDC_POS_PROMPTROW, IDC_POS_PROMPTCOLUMN})
        EXPECT_TRUE(Enabled(page, id)) << id << " keeps its state";

    Click(page, IDC_POS_NODISPLAY);
    EXPECT_TRUE(Enabled(page, IDC_POS_INPUTROW));
    EXPECT_TRUE(Enabled(page, IDC_POS_PASSWORD));
}

TEST_F(ScreenPosition, CountNodesHaveNoMarkAndNoPassword)
{
    CDlgDefineNodeScreenPosition& page = OpenPosition(m_doc.AddNode(NODE_COUNT, "Cartons"));
    for (int id : {IDC_POS_NOMARK, IDC_POS_MARKLABEL, IDC_POS_MARK, IDC_POS_PASSWORD})
        EXPECT_FALSE(Shown(page, id)) << id;
    EXPECT_TRUE(Shown(page, IDC_POS_NODISPLAY));
    Click(page, IDC_POS_INPUTAT);
    EXPECT_TRUE(Enabled(page, IDC_POS_INPUTROW)) << "the other controls behave as before";
}

TEST_F(ScreenPosition, ApplyStoresTheChoicesInTheNode)
{
    HostNode* node = m_doc.AddNode(NODE_INPUT, "Qty");
    CDlgDefineNodeScreenPosition& page = OpenPosition(node);
    Click(page, IDC_POS_PRINTDIRECT);
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_POS_PRINTDIRECT), 1u);
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_POS_PRINTFOLLOWING), 0u);
    Click(page, IDC_POS_INPUTAT);
    Type(page, IDC_POS_INPUTROW, "3");
    Type(page, IDC_POS_INPUTCOLUMN, "12");
    Type(page, IDC_POS_MARK, "#");
    Apply();
    EXPECT_TRUE(node->m_position.bPrintDirect);
    EXPECT_TRUE(node->m_position.bInputAtLocation);
    EXPECT_EQ(node->m_position.nInputRow, 3);
    EXPECT_EQ(node->m_position.nInputColumn, 12);
    EXPECT_EQ(node->m_position.strPositionMark, "#");
}

} // namespace

namespace
{

using ScreenPage = ScreenPosition;

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

TEST_F(ScreenPage, OptionsAreHiddenForNodesOtherThanScreensAndCanBeShownAgain)
{
    CDlgDefineNodeScreen& page = Open<CDlgDefineNodeScreen>(m_doc.AddNode(NODE_INPUT, "Qty"), IDD_NODE_SCREEN);
    for (int id : {IDC_SCREEN_NOCLEARBEFORE, IDC_SCREEN_NOCLEARONEXIT, IDC_SCREEN_HIDECURSOR})
        EXPECT_FALSE(page.GetDlgItem(id)->IsWindowVisible()) << id;
    page.CloseOption(false);
    for (int id : {IDC_SCREEN_NOCLEARBEFORE, IDC_SCREEN_NOCLEARONEXIT, IDC_SCREEN_HIDECURSOR})
        EXPECT_TRUE(page.GetDlgItem(id)->IsWindowVisible()) << id;
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
