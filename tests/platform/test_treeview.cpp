// Tree views: insertion, selection and its notifications (the user's and the program's), and expansion.
#include "platform/testing/pdttest.h"

#include <QTreeWidget>

using namespace pdt::test;

namespace
{

constexpr int kTree = 300;

class TreeViewTest : public ControlTest
{
  protected:
    // Fruits (Cherry, apple, Banana) and Vegetables (Leek), all collapsed; item data 1..6 in that order.
    void Make(DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS)
    {
        h = host.Make("SysTreeView32", style | WS_TABSTOP, CRect(10, 10, 260, 310), kTree, &tree, WS_EX_CLIENTEDGE);
        ASSERT_NE(h, nullptr);
        fruits = Add("Fruits", TVI_ROOT, 1);
        cherry = Add("Cherry", fruits, 2);
        apple = Add("apple", fruits, 3);
        banana = Add("Banana", fruits, 4);
        vegetables = Add("Vegetables", TVI_ROOT, 5);
        leek = Add("Leek", vegetables, 6);
        host.Forget();
    }
    HTREEITEM Add(const char* text, HTREEITEM parent, DWORD_PTR data, HTREEITEM after = TVI_LAST)
    {
        HTREEITEM item = tree.InsertItem(text, parent, after);
        tree.SetItemData(item, data);
        return item;
    }
    std::vector<CString> Children(HTREEITEM parent) const
    {
        std::vector<CString> out;
        for (HTREEITEM c = tree.GetChildItem(parent); c; c = tree.GetNextSiblingItem(c))
            out.push_back(tree.GetItemText(c));
        return out;
    }
    bool Expanded(HTREEITEM item) const { return (tree.GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0; }
    CRect LabelRect(HTREEITEM item) const
    {
        CRect r;
        EXPECT_TRUE(tree.GetItemRect(item, &r, TRUE));
        return r;
    }
    void ClickItem(HTREEITEM item, bool right = false) { ClickAt(h, LabelRect(item).CenterPoint(), right); }
    QTreeWidget* Widget() const { return qobject_cast<QTreeWidget*>(ViewOf(h)); }

    CTreeCtrl tree;
    HWND h = nullptr;
    HTREEITEM fruits{}, cherry{}, apple{}, banana{}, vegetables{}, leek{};
};

// --- Building and walking.

TEST_F(TreeViewTest, InsertionPlacesFirstLastAfterASiblingOrSorted)
{
    Make();
    HTREEITEM first = tree.InsertItem("Zucchini", vegetables, TVI_FIRST);
    tree.InsertItem("Onion", vegetables, first);
    EXPECT_EQ(Children(vegetables), (std::vector<CString>{"Zucchini", "Onion", "Leek"}));
    HTREEITEM root = tree.InsertItem("Nuts");
    EXPECT_EQ(tree.GetNextSiblingItem(vegetables), root);

    // Sorted insertion goes before the first sibling that sorts after it, ignoring case.
    HTREEITEM sorted = tree.InsertItem("Grains", TVI_ROOT, TVI_SORT);
    EXPECT_EQ(tree.GetPrevSiblingItem(sorted), fruits);
    tree.InsertItem("berry", fruits, TVI_SORT);
    EXPECT_EQ(Children(fruits), (std::vector<CString>{"berry", "Cherry", "apple", "Banana"}));
    EXPECT_EQ(Widget()->topLevelItem(1)->text(0), QStringLiteral("Grains"));

    // An "after" item that is not a child of the parent puts the new item last.
    TVINSERTSTRUCT tvis{};
    tvis.hParent = fruits;
    tvis.hInsertAfter = leek;
    tvis.item.mask = TVIF_TEXT;
    tvis.item.pszText = const_cast<char*>("Damson");
    HTREEITEM damson = tree.InsertItem(&tvis);
    EXPECT_EQ(tree.GetNextSiblingItem(banana), damson);

    CString longText(std::string(700, '\xe9'));
    tree.SetItemText(apple, longText);
    EXPECT_EQ(tree.GetItemText(apple), longText);
}

// --- Selection.

TEST_F(TreeViewTest, FocusSelectsTheFirstItemAndKeysMoveTheSelectionAndExpandAfterTvnKeyDown)
{
    Make();
    Focus(h);
    EXPECT_EQ(tree.GetSelectedItem(), fruits) << "the focus selects the first item when nothing is selected";
    ASSERT_EQ(host.Count(TVN_SELCHANGED), 1);
    EXPECT_EQ(host.Of(TVN_SELCHANGED)[0].action, UINT(TVC_UNKNOWN));
    host.Forget();
    Key(VK_DOWN);
    EXPECT_EQ(tree.GetSelectedItem(), vegetables) << "the collapsed fruits are skipped";
    ASSERT_GE(host.heard.size(), 3u);
    EXPECT_EQ(host.heard[0].code, TVN_KEYDOWN);
    EXPECT_EQ(host.heard[0].vk, WORD(VK_DOWN));
    EXPECT_EQ(host.Of(TVN_SELCHANGED).at(0).action, UINT(TVC_BYKEYBOARD));
    EXPECT_EQ(host.Of(TVN_SELCHANGED).at(0).oldItem, fruits);

    host.Forget();
    Key(VK_RIGHT);
    EXPECT_TRUE(Expanded(vegetables));
    EXPECT_EQ(host.Codes(WM_NOTIFY), (std::vector<int>{TVN_KEYDOWN, TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}));
    EXPECT_EQ(host.Of(TVN_ITEMEXPANDED).at(0).action, UINT(TVE_EXPAND));
    EXPECT_EQ(host.Of(TVN_ITEMEXPANDED).at(0).newItem, vegetables);
    Key(VK_DOWN);
    EXPECT_EQ(tree.GetSelectedItem(), leek);
    Key(VK_LEFT);
    EXPECT_EQ(tree.GetSelectedItem(), vegetables) << "Left goes to the parent";
    host.Forget();
    Key(VK_LEFT);
    EXPECT_FALSE(Expanded(vegetables));
    EXPECT_EQ(host.Of(TVN_ITEMEXPANDED).at(0).action, UINT(TVE_COLLAPSE));
}

TEST_F(TreeViewTest, FocusOnAScrolledTreeSelectsTheItemAtTheTop)
{
    Make();
    std::vector<HTREEITEM> more;
    for (int i = 0; i < 40; ++i)
        more.push_back(Add("More", TVI_ROOT, 10 + i));
    EXPECT_EQ(tree.GetFirstVisibleItem(), fruits);
    ASSERT_TRUE(tree.SelectSetFirstVisible(more[10]));
    EXPECT_EQ(tree.GetFirstVisibleItem(), more[10]);
    Focus(h);
    EXPECT_EQ(tree.GetSelectedItem(), more[10]);
}

// --- Expansion.

TEST_F(TreeViewTest, TheUserExpandsWithTheButtonOrADoubleClickAndTheParentMayRefuse)
{
    Make();
    tree.SelectItem(vegetables);
    host.Forget();
    CRect label = LabelRect(fruits);
    CPoint button(label.left - Widget()->indentation() / 2, label.CenterPoint().y);
    UINT flags = 0;
    EXPECT_EQ(tree.HitTest(button, &flags), fruits);
    EXPECT_EQ(flags, UINT(TVHT_ONITEMBUTTON));

    host.answers[TVN_ITEMEXPANDING] = TRUE;
    ClickAt(h, button);
    EXPECT_FALSE(Expanded(fruits));
    EXPECT_FALSE(Widget()->topLevelItem(0)->isExpanded()) << "the view shows the refusal";
    EXPECT_EQ(host.Codes(WM_NOTIFY), (std::vector<int>{NM_SETFOCUS, TVN_ITEMEXPANDING, NM_CLICK}));

    host.answers.clear();
    host.Forget();
    ClickAt(h, button);
    EXPECT_TRUE(Expanded(fruits));
    EXPECT_TRUE(Widget()->topLevelItem(0)->isExpanded());
    EXPECT_EQ(host.Codes(WM_NOTIFY), (std::vector<int>{TVN_ITEMEXPANDING, TVN_ITEMEXPANDED, NM_CLICK}));
    EXPECT_EQ(tree.GetSelectedItem(), vegetables) << "the button does not select";

    // A double click on a label toggles it unless the parent handles the double click.
    host.Forget();
    DoubleClickAt(h, LabelRect(vegetables).CenterPoint());
    EXPECT_TRUE(Expanded(vegetables));
    EXPECT_EQ(tree.GetSelectedItem(), vegetables);
    EXPECT_LT(host.IndexOf(NM_DBLCLK), host.IndexOf(TVN_ITEMEXPANDING));
    EXPECT_EQ(host.Count(NM_CLICK), 1);

    host.answers[NM_DBLCLK] = TRUE;
    DoubleClickAt(h, LabelRect(vegetables).CenterPoint());
    EXPECT_TRUE(Expanded(vegetables));
}

// --- Deletion.

} // namespace
