// List views in report mode: bad arguments, item states and how every state change is reported, and the
// user's clicks.
#include "platform/testing/pdttest.h"

#include <QtTest/QTest>
#include <QTreeWidget>

#include <tuple>

using namespace pdt::test;

namespace
{

constexpr int kList = 200;
constexpr UINT kSelFocus = LVIS_SELECTED | LVIS_FOCUSED;
using Change = std::tuple<int, UINT, UINT>;

class ListViewTest : public ControlTest
{
  protected:
    void Make(DWORD style = 0, DWORD exStyle = LVS_EX_FULLROWSELECT)
    {
        h = host.Make("SysListView32", LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP | style, CRect(10, 10, 330, 230), kList,
                      &list, WS_EX_CLIENTEDGE);
        ASSERT_NE(h, nullptr);
        list.SetExtendedStyle(exStyle);
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        list.InsertColumn(1, "Size", LVCFMT_RIGHT, 80);
    }
    // Rows "r0".."rN-1" with sizes and item data 100 + row.
    void Fill(int rows)
    {
        for (int i = 0; i < rows; ++i)
        {
            int at = list.InsertItem(list.GetItemCount(), CString("r" + std::to_string(i)));
            list.SetItemText(at, 1, CString(std::to_string(i * 10)));
            list.SetItemData(at, DWORD_PTR(100 + i));
        }
        host.Forget();
    }
    std::vector<int> Selected() const
    {
        std::vector<int> rows;
        for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;)
            rows.push_back(list.GetNextSelectedItem(pos));
        return rows;
    }
    // The item changes heard, as (item, old state, new state) restricted to selection and focus.
    std::vector<Change> Changes() const
    {
        std::vector<Change> out;
        for (const Heard& x : host.Of(LVN_ITEMCHANGED))
            out.emplace_back(x.item, x.oldState & kSelFocus, x.newState & kSelFocus);
        return out;
    }
    void ClickRow(int row, int column = 0, UINT keys = 0) { ClickAt(h, RowCenter(h, row, column), false, keys); }
    QTreeWidget* Widget() const { return qobject_cast<QTreeWidget*>(ViewOf(h)); }

    CListCtrl list;
    HWND h = nullptr;
};

// --- Columns, texts and data.

TEST_F(ListViewTest, LongTextsAndBadArgumentsFailWithoutCrashing)
{
    Make();
    CString longText(std::string(1000, 'w'));
    list.InsertItem(0, longText);
    EXPECT_EQ(list.GetItemText(0, 0), longText) << "the buffer grows until the text fits";
    char small[10];
    EXPECT_EQ(list.GetItemText(0, 0, small, sizeof small), 9);
    EXPECT_EQ(std::string(small), std::string(9, 'w'));
    EXPECT_EQ(list.GetItemText(0, 0, nullptr, 10), 0) << "no buffer: nothing copied";
    for (UINT message : {LVM_INSERTCOLUMN, LVM_INSERTITEM, LVM_HITTEST, LVM_SETITEM, LVM_GETITEM, LVM_GETITEMRECT})
        EXPECT_LE(list.SendMessage(message, 0, 0), 0) << "no structure: failure, not a crash " << message;
    // Text callbacks are not supported: such an item reads as empty.
    LVITEM item{};
    item.mask = LVIF_TEXT;
    item.iItem = 1;
    item.pszText = LPSTR_TEXTCALLBACK;
    EXPECT_EQ(list.InsertItem(&item), 1);
    EXPECT_EQ(list.GetItemText(1, 0), CString(""));
    item.iSubItem = 1;
    EXPECT_EQ(list.InsertItem(&item), -1) << "an item is inserted through its first column";
}

TEST_F(ListViewTest, AReportWithoutColumnsShowsAnEmptyHeaderAndNoItems)
{
    h = host.Make("SysListView32", LVS_REPORT | WS_TABSTOP, CRect(10, 10, 330, 230), kList, &list, WS_EX_CLIENTEDGE);
    ASSERT_NE(h, nullptr);
    list.InsertItem(0, "r0");
    ASSERT_NE(Widget(), nullptr);
    EXPECT_TRUE(Widget()->isColumnHidden(0));
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
    EXPECT_FALSE(Widget()->isColumnHidden(0));
    list.DeleteColumn(0);
    EXPECT_TRUE(Widget()->isColumnHidden(0));
}

// --- States set by the program: reported, like Win32.

TEST_F(ListViewTest, SetItemStateReportsEachItemThatChanges)
{
    Make();
    Fill(3);
    EXPECT_TRUE(list.SetItemState(1, kSelFocus, kSelFocus));
    EXPECT_EQ(host.Codes(WM_NOTIFY), (std::vector<int>{LVN_ITEMCHANGING, LVN_ITEMCHANGED}));
    Heard changed = host.Of(LVN_ITEMCHANGED).at(0);
    EXPECT_EQ(changed.item, 1);
    EXPECT_EQ(changed.oldState & kSelFocus, 0u);
    EXPECT_EQ(changed.newState & kSelFocus, kSelFocus);
    EXPECT_EQ(changed.changed, UINT(LVIF_STATE));
    EXPECT_EQ(changed.param, LPARAM(101));

    host.Forget();
    list.SetItemState(2, kSelFocus, kSelFocus);
    // Item 1 gives up the focus but stays selected; item 2 takes both.
    EXPECT_EQ(Changes(), (std::vector<Change>{{1, kSelFocus, LVIS_SELECTED}, {2, 0, kSelFocus}}));
    EXPECT_EQ(Selected(), (std::vector<int>{1, 2}));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 2);
    EXPECT_EQ(list.GetNextItem(2, LVNI_SELECTED | LVNI_ABOVE), 1);

    host.Forget();
    list.SetItemState(2, kSelFocus, kSelFocus);
    EXPECT_EQ(host.Codes(WM_NOTIFY), (std::vector<int>{LVN_ITEMCHANGING})) << "asked, but no change reported";
}

TEST_F(ListViewTest, SingleSelectionMovesTheSelectionAndReportsTheLoserFirst)
{
    Make(LVS_SINGLESEL);
    Fill(3);
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    host.Forget();
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(Changes(), (std::vector<Change>{{0, LVIS_SELECTED, 0}, {2, 0, LVIS_SELECTED}}));
    EXPECT_EQ(Selected(), (std::vector<int>{2}));
    EXPECT_FALSE(list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED)) << "no select-all in a single-selection view";
}

// --- The user's actions.

TEST_F(ListViewTest, ClickingARowSelectsItThenReportsTheClick)
{
    Make();
    Fill(3);
    ClickRow(1);
    EXPECT_EQ(Selected(), (std::vector<int>{1}));
    EXPECT_EQ(Changes(), (std::vector<Change>{{1, 0, kSelFocus}}));
    ASSERT_EQ(host.Count(NM_CLICK), 1);
    EXPECT_EQ(host.Of(NM_CLICK)[0].item, 1);
    EXPECT_LT(host.IndexOf(LVN_ITEMCHANGED), host.IndexOf(NM_CLICK));

    host.Forget();
    ClickRow(2, 1);
    EXPECT_EQ(Changes(), (std::vector<Change>{{1, kSelFocus, 0}, {2, 0, kSelFocus}}));
    EXPECT_EQ(host.Of(NM_CLICK).at(0).subItem, 1);

    host.Forget();
    ClickAt(h, CPoint(100, 200)); // below the rows
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(Changes(), (std::vector<Change>{{2, kSelFocus, LVIS_FOCUSED}}));
    EXPECT_EQ(host.Of(NM_CLICK).at(0).item, -1);
}

// --- Check boxes.

} // namespace
