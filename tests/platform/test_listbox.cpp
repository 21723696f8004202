// List boxes: order, the word sort, silent changes by the program and which of the user's changes are reported.
#include "platform/testing/pdttest.h"

#include <QListWidget>

#include "platform/afxdd.h"

using namespace pdt::test;

namespace
{

constexpr int kList = 100;

class ListBoxTest : public ControlTest
{
  protected:
    void Make(DWORD style)
    {
        h = host.Make("ListBox", style | WS_VSCROLL | WS_TABSTOP, CRect(10, 10, 210, 160), kList, &box);
        ASSERT_NE(h, nullptr);
    }
    void Fill(std::initializer_list<const char*> items)
    {
        for (const char* s : items)
            box.AddString(s);
    }
    std::vector<CString> Items() const { return ItemTexts(h); }
    std::vector<int> Selected() const
    {
        std::vector<int> rows(size_t(std::max(box.GetSelCount(), 0)));
        int n = box.GetSelItems(int(rows.size()), rows.data());
        rows.resize(size_t(std::max(n, 0)));
        return rows;
    }
    void ClickRow(int row, UINT keys = 0) { ClickAt(h, RowCenter(h, row), false, keys); }
    QListWidget* Widget() const { return qobject_cast<QListWidget*>(ViewOf(h)); }

    CListBox box;
    HWND h = nullptr;
};

// --- Content.

TEST_F(ListBoxTest, UnsortedListBoxKeepsOrderRefusesInsertionOutsideTheListAndWithoutLbsNotifyReportsNothing)
{
    Make(0);
    Fill({"one", "two"});
    EXPECT_EQ(box.InsertString(1, "between"), 1);
    EXPECT_EQ(box.InsertString(3, "last"), 3);
    EXPECT_EQ(box.InsertString(5, "beyond"), LB_ERR);
    EXPECT_EQ(Items(), (std::vector<CString>{"one", "between", "two", "last"}));
    box.AddString("caf\xe9");
    EXPECT_EQ(Widget()->item(4)->text(), QString::fromUtf8("caf\xc3\xa9")) << "shown in the code page";
    EXPECT_EQ(box.DeleteString(1), 4) << "DeleteString answers the count left";
    EXPECT_EQ(box.DeleteString(4), LB_ERR);
    ClickRow(1);
    Focus(h);
    Key(VK_DOWN);
    EXPECT_EQ(box.GetCurSel(), 2);
    EXPECT_EQ(host.Codes(WM_COMMAND), (std::vector<int>{LBN_SETFOCUS})) << "no selection reports, but the focus";
}

TEST_F(ListBoxTest, SortedListsAndComboBoxesUseTheWordSort)
{
    const std::vector<CString> sorted = {"_under", "~tilde", "10", "9", "ab", "a-c", "B", "Zed"};
    const std::vector<std::vector<const char *>> orders = {
        {"Zed", "a-c", "9", "B", "~tilde", "ab", "10", "_under"},
        {"_under", "~tilde", "10", "9", "ab", "a-c", "B", "Zed"},
        {"Zed", "B", "a-c", "ab", "9", "10", "~tilde", "_under"},
    };
    for (const auto &order : orders)
    {
        CComboBox combo;
        HWND c = host.Make("ComboBox", CBS_DROPDOWNLIST | CBS_SORT, CRect(220, 10, 320, 100), kList + 2, &combo);
        Make(LBS_SORT);
        for (const char *s : order)
        {
            box.AddString(s);
            combo.AddString(s);
        }
        EXPECT_EQ(Items(), sorted);
        EXPECT_EQ(ItemTexts(c), sorted);
        box.DestroyWindow();
        combo.DestroyWindow();
    }
}

// --- Single selection.

TEST_F(ListBoxTest, ArrowKeysMoveTheSelectionAndReportOnlyRealChanges)
{
    Make(LBS_NOTIFY);
    Fill({"apple", "banana", "cherry", "grape"});
    box.SetCurSel(0);
    Focus(h);
    host.Forget();
    Key(VK_DOWN);
    EXPECT_EQ(box.GetCurSel(), 1);
    Key(VK_RIGHT);
    EXPECT_EQ(box.GetCurSel(), 2) << "Right moves down a one-column list";
    Key(VK_END);
    EXPECT_EQ(box.GetCurSel(), 3);
    EXPECT_EQ(host.Count(LBN_SELCHANGE), 3);
    Key(VK_END);
    EXPECT_EQ(host.Count(LBN_SELCHANGE), 3) << "nothing changed, nothing reported";
    Type("b");
    EXPECT_EQ(box.GetCurSel(), 1) << "typing a letter jumps to the item it starts";
    EXPECT_EQ(host.Count(LBN_SELCHANGE), 4);
}

// --- Multiple selection.

// --- Data exchange and scrolling.

} // namespace
