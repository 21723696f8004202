// List boxes and report lists on a page not shown yet keep their items without widgets: they answer as the same
// lists on a page shown before, tell their parent the same, and once shown hold, select and report as those do.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QHeaderView>
#include <QListWidget>
#include <QTreeWidget>

#include <algorithm>
#include <functional>
#include <sstream>

#include "platform/afxcmn.h"
#include "platform/window_p.h"
#include "dialog_harness.h"

using namespace pdt::test;

namespace
{

// A page that also writes down what its report list tells it.
class ListsPage : public RecordingDialog
{
  public:
    ListsPage() : RecordingDialog(0) {}
    std::vector<int> notified;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        notified.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
        return RecordingDialog::OnNotify(wParam, lParam, result);
    }
    CListBox& Box(int id) { return *static_cast<CListBox*>(GetDlgItem(id)); }
    CListCtrl& Report() { return *static_cast<CListCtrl*>(GetDlgItem(IDC_LL_REPORT)); }
};

struct Kind
{
    const char* name;
    int id;
    // Drives the list through calls a hidden page's list answers itself, and says what it answered.
    std::function<void(ListsPage& page, std::ostream& out)> drive;
    // What the shown list's widget holds.
    std::function<void(ListsPage& page, std::ostream& out)> shown;
    const char* expectShown;
};

std::string Rows(QListWidget* list)
{
    std::string s;
    for (int i = 0; i < list->count(); ++i)
        s += list->item(i)->text().toStdString() + ";";
    return s;
}

const Kind kKinds[] = {
    {"sorted multiple-selection list box", IDC_LL_SORTED,
     [](ListsPage& p, std::ostream& out) {
         CListBox& b = p.Box(IDC_LL_SORTED);
         out << b.GetCurSel() << b.GetSelCount() << " ";
         for (const char* s : {"pear", "apple", "fig", "Fig", "banana"})
             out << b.AddString(s);
         out << " " << b.InsertString(0, "zed") << b.InsertString(-1, "end") << b.InsertString(9, "far");
         out << " " << b.SetItemData(2, 42) << b.SetItemData(7, 1) << b.GetItemData(2) << b.GetItemData(-1);
         out << " " << b.DeleteString(1) << b.DeleteString(6) << b.GetCount();
         CString text;
         b.GetText(1, text);
         out << " " << text.str() << b.GetTextLen(2) << b.GetTextLen(9);
         out << " find " << b.FindString(-1, "F") << b.FindString(2, "f") << b.FindStringExact(-1, "FIG")
             << b.FindStringExact(-1, "fi") << b.FindString(-1, "x");
         int rows[4] = {-7, -7, -7, -7};
         out << " sel " << b.GetCurSel() << b.GetSel(0) << b.GetSel(8) << b.GetSelCount() << b.GetSelItems(4, rows)
             << rows[0];
         b.SetRedraw(FALSE);
         b.SetRedraw(TRUE);
     },
     [](ListsPage& p, std::ostream& out) {
         out << Rows(dynamic_cast<QListWidget*>(Peer(Item(p, IDC_LL_SORTED)))) << " data "
             << p.Box(IDC_LL_SORTED).GetItemData(1);
     },
     "zed;banana;fig;Fig;pear;end; data 42"},
    {"single-selection list box emptied and filled again", IDC_LL_SINGLE,
     [](ListsPage& p, std::ostream& out) {
         CListBox& b = p.Box(IDC_LL_SINGLE);
         out << b.AddString("one") << b.AddString("two") << b.GetCount();
         b.ResetContent();
         out << b.GetCount() << b.GetCurSel() << b.GetSelCount() << b.GetSelItems(1, nullptr);
         for (const char* s : {"b", "a", "c"})
             out << b.AddString(s);
         out << b.SetItemData(0, 7) << b.GetCurSel() << b.GetSel(2) << b.GetSel(3) << " heard "
             << p.Codes(IDC_LL_SINGLE).size();
     },
     [](ListsPage& p, std::ostream& out) {
         out << Rows(dynamic_cast<QListWidget*>(Peer(Item(p, IDC_LL_SINGLE)))) << " data "
             << p.Box(IDC_LL_SINGLE).GetItemData(0);
     },
     "b;a;c; data 7"},
    {"report list", IDC_LL_REPORT,
     [](ListsPage& p, std::ostream& out) {
         CListCtrl& l = p.Report();
         DWORD ex = l.GetExtendedStyle();
         out << ex << " " << l.SetExtendedStyle(ex | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT) << " "
             << l.GetExtendedStyle() << " cols " << l.GetColumnCount();
         out << l.InsertColumn(0, "Name", LVCFMT_LEFT, 120) << l.InsertColumn(5, "Size", LVCFMT_RIGHT, 60)
             << l.GetColumnCount() << " items " << l.DeleteAllItems() << l.InsertItem(0, "b") << l.InsertItem(0, "a")
             << l.InsertItem(9, "c") << l.GetItemCount();
         out << " " << l.SetItemText(0, 1, "10") << l.SetItemText(2, 1, "30") << l.SetItemText(1, 2, "no")
             << l.SetItemText(5, 0, "no") << l.SetItemData(1, 42) << l.SetItemData(3, 1) << l.GetItemData(1);
         out << " " << l.GetItemText(0, 0).str() << l.GetItemText(0, 1).str() << l.GetItemText(1, 1).str()
             << l.GetItemText(2, 1).str() << "|" << l.GetItemText(4, 0).str();
         LVITEM item{};
         char buffer[16] = {};
         item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
         item.iItem = 1;
         item.stateMask = ~0u;
         item.state = 99;
         item.pszText = buffer;
         item.cchTextMax = sizeof buffer;
         out << " item " << l.GetItem(&item) << buffer << item.lParam << item.state;
         out << " states " << l.GetItemState(0, LVIS_SELECTED | LVIS_FOCUSED) << l.GetSelectedCount()
             << l.GetNextItem(-1, LVNI_ALL) << l.GetNextItem(0, LVNI_ALL) << l.GetNextItem(2, LVNI_ALL)
             << l.GetNextItem(-1, LVNI_SELECTED) << l.GetNextItem(-1, LVNI_FOCUSED) << l.GetNextItem(3, LVNI_ABOVE)
             << (l.GetFirstSelectedItemPosition() == nullptr);
         CRect client;
         l.GetClientRect(&client);
         out << " client " << client.Width() << "x" << client.Height() << " heard ";
         for (int code : p.notified)
             out << code << ",";
     },
     [](ListsPage& p, std::ostream& out) {
         auto* view = dynamic_cast<QTreeWidget*>(Peer(Item(p, IDC_LL_REPORT)));
         for (int r = 0; r < view->topLevelItemCount(); ++r)
             out << view->topLevelItem(r)->text(0).toStdString() << "/" << view->topLevelItem(r)->text(1).toStdString()
                 << ";";
         out << " columns " << view->columnCount() << " " << view->headerItem()->text(1).toStdString() << " "
             << view->columnWidth(0) << "," << view->columnWidth(1) << " right "
             << ((view->topLevelItem(0)->textAlignment(1) & Qt::AlignRight) != 0) << " header "
             << !view->isHeaderHidden();
     },
     "a/10;b/;c/30; columns 2 Size 120,60 right 1 header 1"},
};

// The same page twice in one host: one shown (and hidden again) before the test drives it, one never shown.
class TwoPages : public ControlsDialog
{
  public:
    TwoPages() : ControlsDialog(IDD_HOST) {}
    ListsPage early;
    ListsPage late;
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        early.Create(IDD_LAZYLISTS, this);
        late.Create(IDD_LAZYLISTS, this);
        early.ShowWindow(SW_SHOW);
        early.ShowWindow(SW_HIDE);
        return TRUE;
    }
    void Forget()
    {
        for (ListsPage* p : {&early, &late})
        {
            p->Forget();
            p->notified.clear();
        }
    }
};

bool HasWidget(HWND h) { return h->peer != nullptr; }

class Host : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create(IDD_HOST));
        host.ShowWindow(SW_SHOW);
        Pump();
        host.Forget();
    }
    void TearDown() override
    {
        host.DestroyWindow();
        Pump();
    }
    void ShowBoth()
    {
        host.late.ShowWindow(SW_SHOW);
        host.early.ShowWindow(SW_SHOW);
        Pump();
    }
    TwoPages host;
};

class NeverShownList : public Host, public ::testing::WithParamInterface<Kind>
{
};

TEST_P(NeverShownList, AnswersAsOnAShownPageWithoutAWidgetAndItsWidgetHoldsWhatItWasGiven)
{
    const Kind& kind = GetParam();
    std::ostringstream early, late;
    kind.drive(host.early, early);
    kind.drive(host.late, late);
    EXPECT_EQ(late.str(), early.str()) << "what the list answered";
    EXPECT_FALSE(HasWidget(host.late.m_hWnd)) << "the page got its widgets before it was shown";
    EXPECT_FALSE(HasWidget(Item(host.late, kind.id)));

    ShowBoth();
    EXPECT_EQ(Peer(Item(host.late, kind.id))->geometry(), Peer(Item(host.early, kind.id))->geometry());
    std::ostringstream shownEarly, shownLate;
    kind.shown(host.early, shownEarly);
    kind.shown(host.late, shownLate);
    EXPECT_EQ(shownLate.str(), shownEarly.str());
    EXPECT_EQ(shownLate.str(), kind.expectShown);
}

INSTANTIATE_TEST_SUITE_P(Kinds, NeverShownList, ::testing::ValuesIn(kKinds), [](const auto& info) {
    std::string n;
    for (char c : std::string(info.param.name))
        n += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return n;
});

// A selection, or anything else only a widget knows, gets the list its widget on the spot, with the items it held.
TEST_F(Host, ASelectionOnAHiddenPageMakesTheListsWidgetAndAnswersAsOnAShownPage)
{
    std::ostringstream early, late;
    for (auto [page, out] : {std::pair{&host.early, &early}, std::pair{&host.late, &late}})
    {
        CListBox& sorted = page->Box(IDC_LL_SORTED);
        for (const char* s : {"c", "a", "b"})
            sorted.AddString(s);
        *out << sorted.SetSel(2) << sorted.GetSelCount() << sorted.GetCurSel() << sorted.SelectString(-1, "A")
             << sorted.GetSelCount() << sorted.GetTopIndex();
        CListBox& single = page->Box(IDC_LL_SINGLE);
        single.AddString("x");
        single.AddString("y");
        *out << " " << single.SetCurSel(1) << single.GetCurSel() << single.GetSel(1);
        CListCtrl& report = page->Report();
        report.InsertColumn(0, "Name"); // the toolkit's own width
        report.InsertItem(0, "p");
        report.InsertItem(LVIF_TEXT | LVIF_STATE, 1, "q", LVIS_SELECTED, LVIS_SELECTED, 0, 0);
        *out << " " << report.GetSelectedCount() << report.GetNextItem(-1, LVNI_SELECTED) << report.GetColumnWidth(0)
             << " heard ";
        for (int code : page->notified)
            *out << code << ",";
    }
    EXPECT_EQ(late.str(), early.str());
    for (int id : {IDC_LL_SORTED, IDC_LL_SINGLE, IDC_LL_REPORT})
        EXPECT_TRUE(HasWidget(Item(host.late, id))) << id;
    EXPECT_EQ(ItemTexts(Item(host.late, IDC_LL_SORTED)), (std::vector<CString>{"a", "b", "c"}));
    EXPECT_EQ(host.late.Box(IDC_LL_SORTED).GetSelCount(), 2);
}

// Once shown, the items given while hidden are clicked, chosen and reported like any others.
TEST_F(Host, ItemsGivenWhileHiddenAreChosenByClicksOnceShown)
{
    CListBox& single = host.late.Box(IDC_LL_SINGLE);
    for (const char* s : {"red", "green", "blue"})
        single.AddString(s);
    CListCtrl& report = host.late.Report();
    report.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
    report.InsertItem(0, "first");
    report.InsertItem(1, "second");
    report.SetItemData(1, 77);
    host.late.notified.clear();
    ShowBoth();

    HWND box = Item(host.late, IDC_LL_SINGLE);
    ClickAt(box, RowCenter(box, 1));
    Pump();
    EXPECT_EQ(single.GetCurSel(), 1);
    EXPECT_EQ(host.late.Count(IDC_LL_SINGLE, LBN_SELCHANGE), 1);
    CString text;
    single.GetText(single.GetCurSel(), text);
    EXPECT_EQ(text.str(), "green");

    HWND list = Item(host.late, IDC_LL_REPORT);
    ClickAt(list, RowCenter(list, 1));
    Pump();
    POSITION pos = report.GetFirstSelectedItemPosition();
    ASSERT_NE(pos, nullptr);
    int row = report.GetNextSelectedItem(pos);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(report.GetItemData(row), 77u);
    EXPECT_NE(std::find(host.late.notified.begin(), host.late.notified.end(), int(LVN_ITEMCHANGED)),
              host.late.notified.end());
}

} // namespace
