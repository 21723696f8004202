// Tooltips in the main window: a toolbar button says what it does, and a node under the pointer its kind, name
// and number, following the pointer from node to node.
#include "app_harness.h"

using namespace pdt::test;

TEST_F(MainWindowTest, TipsNameTheToolbarsButtonsAndTheNodeUnderThePointer)
{
    Open();
    constexpr int kWait = 3000; // the tip's own delay, with room for a loaded machine
    CWnd* find = frame->GetToolbar().GetButton(ID_EDIT_FIND);
    ASSERT_NE(find, nullptr);
    MouseMoveTo(find->m_hWnd, CPoint(5, 5), false);
    std::string shown = ToolTipShown(kWait);
    EXPECT_EQ(shown, "Find in the job (Ctrl+F)");

    const struct
    {
        const char* node;
        const char* tip;
    } rows[] = {{"Scan Item", "Input: Scan Item (2)"}, {"Totals", "Program: Totals (11)"}};
    for (const auto& r : rows)
    {
        SCOPED_TRACE(r.node);
        MouseMoveTo(ViewWnd(), Body(Node(r.node)), false);
        shown = ToolTipShown(kWait, shown);
        EXPECT_EQ(shown, r.tip);
    }
}
