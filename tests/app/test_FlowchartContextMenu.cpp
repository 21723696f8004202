// The flowchart's right-click menu acts on what is selected, many nodes included, and pastes where it was opened.
#include <QCursor>

#include "tests/app/app_harness.h"

namespace pdt::test
{
namespace
{

class ContextMenu : public MainWindowTest
{
  public:
    // A, B and C in a row, linked A>B; A and B selected.
    void SetUp() override
    {
        MainWindowTest::SetUp();
        SetClipboardText(nullptr);
        QCursor::setPos(0, 0); // the pointer away: a paste goes where the menu was opened, not where it is
        Open(JobOf("Menu.pdtjob", {{"A", {40, 40}}, {"B", {240, 40}}, {"C", {440, 40}}}, {{"A", "B"}}));
        for (const char* name : {"A", "B"})
            ClickAt(ViewWnd(), Centre(Node(name)), false, MK_CONTROL);
        ASSERT_EQ(View().GetSelectedNodeCount(), 2);
    }
    void RightClick(CPoint at, UINT command)
    {
        ExpectPopupMenu(int(command));
        ClickAt(ViewWnd(), at, true);
        Pump();
    }
    int Count(const char* name)
    {
        int n = 0;
        for (int i = 0; i < Doc().GetNodeCount(); ++i)
            n += Doc().GetNodeAt(i)->m_strName == name;
        return n;
    }
};

TEST_F(ContextMenu, OnANodeOfManyItActsOnAllOfThem)
{
    RightClick(Centre(Node("B")), 0);
    EXPECT_EQ(View().GetSelectedNodeCount(), 2) << "the selection stays";
    const struct
    {
        UINT id;
        bool enabled;
    } offered[] = {{ID_DEFINE_NODE, false}, {ID_EDIT_CLEAR, true},  {ID_EDIT_CUT, true},
                   {ID_EDIT_COPY, true},    {ID_EDIT_PASTE, false}, {ID_EDIT_DUPLICATE, true}};
    for (const auto& item : offered)
    {
        const auto* found = LastMenuItem(item.id);
        ASSERT_TRUE(found) << item.id;
        EXPECT_EQ(found->enabled, item.enabled) << found->text.c_str();
    }

    RightClick(Centre(Node("A")), ID_EDIT_DUPLICATE);
    EXPECT_EQ(Count("A") + Count("B"), 4);
    EXPECT_EQ(View().GetSelectedNodeCount(), 2) << "the copies are selected";

    ExpectMessageBox(IDYES);
    RightClick(Centre(View().GetSelectedNodes().front()), ID_EDIT_CLEAR);
    ASSERT_EQ(MessageBoxes().size(), 1u);
    EXPECT_EQ(MessageBoxes().back().text.Find("Delete 2 nodes"), 0) << MessageBoxes().back().text.c_str();
    EXPECT_EQ(Doc().GetNodeCount(), 3);
}

TEST_F(ContextMenu, CopyThenPasteOnTheEmptyPagePutsTheNodesWhereTheMenuWasOpened)
{
    RightClick(Centre(Node("A")), ID_EDIT_COPY);
    const CPoint at(300, 300);
    RightClick(at, ID_EDIT_PASTE);
    ASSERT_EQ(Count("A"), 2);
    HostNode* pasted = Doc().GetNodeAt(3);
    EXPECT_EQ(pasted->m_strName, "A");
    EXPECT_EQ(pasted->m_ptPosition, View().ClientToPage(at));
}

TEST_F(ContextMenu, OnANodeOutsideTheSelectionItActsOnThatNodeAlone)
{
    RightClick(Centre(Node("C")), ID_EDIT_CUT);
    EXPECT_EQ(Count("C"), 0);
    EXPECT_EQ(Count("A") + Count("B"), 2);
}

} // namespace
} // namespace pdt::test
