// List boxes: sorting, searching, item data, single and multiple selection, and which changes are reported.
#include "platform/testing/pdttest.h"

#include <QAbstractItemView>

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

TEST_F(ListBoxTest, SortedListBoxPlacesAddedStringsCaseInsensitivelyButInsertStringWhereAsked)
{
    Make(LBS_SORT);
    EXPECT_EQ(box.AddString("banana"), 0);
    EXPECT_EQ(box.AddString("Apple"), 0);
    EXPECT_EQ(box.AddString("cherry"), 2);
    EXPECT_EQ(box.AddString("apple"), 1) << "an equal string goes after the ones already there";
    EXPECT_EQ(box.InsertString(0, "zebra"), 0);
    EXPECT_EQ(box.InsertString(-1, "aardvark"), 5);
    EXPECT_EQ(Items(), (std::vector<CString>{"zebra", "Apple", "apple", "banana", "cherry", "aardvark"}));
}

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

TEST_F(ListBoxTest, FocusIsReportedWithOrWithoutLbsNotify)
{
    for (DWORD style : {DWORD(0), DWORD(LBS_NOTIFY)})
    {
        SCOPED_TRACE(style);
        Make(style);
        HWND other = host.Make("Edit", WS_TABSTOP, CRect(10, 170, 110, 190), kList + 1);
        Focus(h);
        Focus(other);
        std::vector<int> fromList;
        for (const Heard &heard : host.heard)
            if (heard.id == kList)
                fromList.push_back(heard.code);
        EXPECT_EQ(fromList, (std::vector<int>{LBN_SETFOCUS, LBN_KILLFOCUS}));
        CWnd::FromHandle(other)->DestroyWindow();
        box.DestroyWindow();
        host.Forget();
    }
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

TEST_F(ListBoxTest, FindStringIsAPrefixAndFindStringExactAWholeStringSearchBothIgnoringCaseAndWrapping)
{
    Make(0);
    EXPECT_EQ(box.FindString(-1, "a"), LB_ERR) << "nothing to find in an empty list";
    Fill({"alpha", "Beta", "alphabet", "ALPHA"});
    EXPECT_EQ(box.FindString(0, "ALP"), 2) << "the search starts after the start item";
    EXPECT_EQ(box.FindString(3, "alp"), 0) << "and wraps round";
    EXPECT_EQ(box.FindString(1, "b"), 1) << "coming back to the start item last";
    EXPECT_EQ(box.FindString(99, "b"), 1) << "a start beyond the end searches from the top";
    EXPECT_EQ(box.FindStringExact(0, "alpha"), 3);
    EXPECT_EQ(box.FindStringExact(3, "alpha"), 0);
    EXPECT_EQ(box.FindStringExact(-1, "alph"), LB_ERR);
}

TEST_F(ListBoxTest, ItemDataFollowsItsItemAndBadArgumentsAnswerLbErr)
{
    Make(LBS_SORT);
    Fill({"m", "x"});
    box.SetItemData(0, DWORD_PTR(0xDEADBEEFCAFEull));
    box.SetItemData(1, 7);
    box.AddString("a"); // sorts in front of both
    EXPECT_EQ(box.GetItemData(0), DWORD_PTR(0));
    EXPECT_EQ(box.GetItemData(1), DWORD_PTR(0xDEADBEEFCAFEull));
    EXPECT_EQ(box.GetItemData(2), DWORD_PTR(7));

    EXPECT_EQ(box.SetItemData(3, 1), LB_ERR);
    EXPECT_EQ(box.GetTextLen(3), LB_ERR);
    EXPECT_EQ(box.SetCurSel(3), LB_ERR);
    EXPECT_EQ(box.SendMessage(LB_GETTEXT, 0, 0), LB_ERR) << "no buffer";
    EXPECT_EQ(box.SendMessage(LB_ADDSTRING, 0, 0), 0) << "a missing string is an empty one";
}

// --- Single selection.

TEST_F(ListBoxTest, SetCurSelAndDeletionChangeTheSelectionSilentlyAndMultipleSelectionMessagesAreRefused)
{
    Make(LBS_NOTIFY);
    Fill({"a", "b", "c", "d"});
    EXPECT_EQ(box.GetCurSel(), LB_ERR);
    EXPECT_EQ(box.SetCurSel(1), 1);
    EXPECT_GT(box.GetSel(1), 0);
    EXPECT_EQ(box.SetCurSel(-1), LB_ERR) << "Win32 answers LB_ERR for -1 though nothing failed";
    EXPECT_EQ(box.GetCurSel(), LB_ERR);
    EXPECT_EQ(box.SelectString(-1, "C"), 2);
    EXPECT_EQ(box.SelectString(-1, "zz"), LB_ERR);
    EXPECT_EQ(box.GetCurSel(), 2) << "a failed SelectString keeps the selection";
    box.SetCurSel(1);
    box.DeleteString(1);
    EXPECT_EQ(box.GetCurSel(), LB_ERR) << "no neighbour takes over the selection";
    box.SetCurSel(2);
    box.DeleteString(0);
    EXPECT_EQ(box.GetCurSel(), 1) << "the selection moves with its item";
    EXPECT_TRUE(host.heard.empty()) << "the program's choices are not reported";
    int rows[2];
    EXPECT_EQ(box.GetSelCount(), LB_ERR);
    EXPECT_EQ(box.GetSelItems(2, rows), LB_ERR);
    EXPECT_EQ(box.SetSel(0), LB_ERR);
}

TEST_F(ListBoxTest, EveryClickOnAnItemIsReportedButNotOneBelowTheItemsOrWithTheRightButton)
{
    Make(LBS_NOTIFY);
    Fill({"a", "b", "c"});
    ClickRow(2);
    EXPECT_EQ(box.GetCurSel(), 2);
    ClickRow(2);
    EXPECT_EQ(host.Count(LBN_SELCHANGE), 2) << "clicking the selected item again is reported too";
    EXPECT_EQ(host.heard.back().id, kList);
    EXPECT_EQ(host.heard.back().from, h);
    host.Forget();
    ClickAt(h, CPoint(50, 140));
    ClickAt(h, RowCenter(h, 0), true);
    EXPECT_EQ(box.GetCurSel(), 2);
    EXPECT_EQ(host.Count(LBN_SELCHANGE), 0);
    ASSERT_EQ(host.Codes(WM_CONTEXTMENU).size(), 1u) << "the right button asks the parent for a menu";
    EXPECT_EQ(host.heard.back().from, h);
}

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

TEST_F(ListBoxTest, DoubleClickAndFocusChangesAreReported)
{
    Make(LBS_NOTIFY);
    Fill({"a", "b", "c"});
    DoubleClickAt(h, RowCenter(h, 1));
    EXPECT_EQ(box.GetCurSel(), 1);
    // The first press also gives the list the focus.
    EXPECT_EQ(host.Codes(WM_COMMAND), (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_DBLCLK}));
    CListBox other;
    host.Make("ListBox", LBS_NOTIFY, CRect(220, 10, 300, 100), kList + 1, &other);
    host.Forget();
    Focus(other.m_hWnd);
    ASSERT_EQ(host.Codes(WM_COMMAND), (std::vector<int>{LBN_KILLFOCUS, LBN_SETFOCUS}));
    EXPECT_EQ(host.heard[0].id, kList);
    EXPECT_EQ(host.heard[1].id, kList + 1);
}


// --- Multiple selection.

TEST_F(ListBoxTest, MultipleSelectionClicksToggleArrowsMoveTheCaretAndEachIsReported)
{
    Make(LBS_NOTIFY | LBS_MULTIPLESEL);
    Fill({"a", "b", "c", "d"});
    ClickRow(0);
    ClickRow(2);
    EXPECT_EQ(Selected(), (std::vector<int>{0, 2}));
    ClickRow(0);
    EXPECT_EQ(Selected(), (std::vector<int>{2}));
    EXPECT_EQ(host.Count(LBN_SELCHANGE), 3);
    EXPECT_EQ(box.GetCurSel(), 0) << "a multiple-selection list box answers its caret";
    EXPECT_EQ(box.SetCurSel(1), LB_ERR);

    host.Forget();
    Key(VK_DOWN);
    EXPECT_EQ(Selected(), (std::vector<int>{2})) << "the caret moves, the selection stays";
    EXPECT_EQ(box.GetCurSel(), 1);
    EXPECT_EQ(host.Count(LBN_SELCHANGE), 1) << "reported though the selection did not change";
    Key(VK_SPACE);
    EXPECT_EQ(Selected(), (std::vector<int>{1, 2}));
}

TEST_F(ListBoxTest, ExtendedSelectionFollowsShiftAndCtrlClicksAndSetSelSelectsOneOrAllSilently)
{
    Make(LBS_NOTIFY | LBS_EXTENDEDSEL);
    Fill({"a", "b", "c", "d"});
    ClickRow(0);
    ClickRow(2, MK_SHIFT);
    EXPECT_EQ(Selected(), (std::vector<int>{0, 1, 2}));
    ClickRow(1, MK_CONTROL);
    EXPECT_EQ(Selected(), (std::vector<int>{0, 2}));
    ClickRow(3);
    EXPECT_EQ(Selected(), (std::vector<int>{3}));
    EXPECT_EQ(host.Count(LBN_SELCHANGE), 4);

    host.Forget();
    EXPECT_EQ(box.SetSel(1), 0);
    EXPECT_EQ(box.SetSel(3), 0);
    EXPECT_EQ(box.SetSel(3, FALSE), 0);
    EXPECT_EQ(Selected(), (std::vector<int>{1}));
    EXPECT_EQ(box.SetSel(-1, TRUE), 0);
    EXPECT_EQ(box.GetSelCount(), 4);
    int two[2] = {-1, -1};
    EXPECT_EQ(box.GetSelItems(2, two), 2) << "no more than the buffer holds";
    EXPECT_EQ(two[1], 1);
    EXPECT_EQ(box.SetSel(-1, FALSE), 0);
    EXPECT_EQ(box.GetSelCount(), 0);
    EXPECT_EQ(box.SetSel(4), LB_ERR);
    EXPECT_TRUE(host.heard.empty());

    box.SetSel(1);
    box.SetSel(3);
    box.DeleteString(1);
    EXPECT_EQ(Selected(), (std::vector<int>{2})) << "deleting keeps the other selected items";
}

// --- Data exchange and scrolling.

TEST_F(ListBoxTest, DataExchangeReadsAndSetsTheSelectionAndTopIndexScrolls)
{
    Make(LBS_NOTIFY | LBS_SORT);
    Fill({"red", "green", "blue"});
    CDataExchange load(&host, FALSE);
    CString colour = "GREEN";
    DDX_LBString(&load, kList, colour);
    EXPECT_EQ(box.GetCurSel(), 1);
    ClickRow(2);
    CDataExchange save(&host, TRUE);
    DDX_LBString(&save, kList, colour);
    EXPECT_EQ(colour, CString("red"));
    int index = -5;
    DDX_LBIndex(&save, kList, index);
    EXPECT_EQ(index, 2);

    for (int i = 0; i < 60; ++i)
        box.AddString(CString(std::to_string(i)));
    EXPECT_EQ(box.SetTopIndex(20), 0);
    EXPECT_EQ(box.GetTopIndex(), 20);
    EXPECT_EQ(box.SetTopIndex(63), LB_ERR);
    EXPECT_EQ(box.GetTopIndex(), 20);
}

} // namespace
