// List boxes: a QListWidget answering Win32's LB_ messages. Only the user's own choices are reported
// (LBN_SELCHANGE after a click or a key), never the program's.
#include "platform/commctrl_p.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

#include <algorithm>

namespace
{

using pdt::cc::CopyOut;

class LbItem : public QListWidgetItem
{
  public:
    explicit LbItem(const CString& text) : QListWidgetItem(ToQt(text), nullptr, UserType), bytes(text) {}
    CString bytes; // the caller's own bytes, so any byte string round-trips
    DWORD_PTR data = 0;
};

class ListBoxImpl;

class ListBoxWidget : public QListWidget
{
  public:
    ListBoxWidget(HWND h, ListBoxImpl* impl, QWidget* parent) : QListWidget(parent), m_h(h), m_impl(impl) {}

    LbItem* At(int row) const { return static_cast<LbItem*>(item(row)); }
    QModelIndex IndexOf(int row) const { return model()->index(row, 0); }
    void Layout() { executeDelayedItemsLayout(); }

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* e) const override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyboardSearch(const QString& search) override
    {
        m_searching = true;
        QListWidget::keyboardSearch(search);
        m_searching = false;
    }

  private:
    HWND m_h;
    ListBoxImpl* m_impl;
    bool m_searching = false; // typing selects the item it finds
    bool m_pressedOnItem = false;
    bool m_rightPressed = false;
};

class ListBoxImpl : public WindowImpl
{
  public:
    using WindowImpl::WindowImpl;

    // On a page not shown yet the list keeps its items in the record; a selection, or anything else only a widget
    // knows, makes the widget first.
    bool Lazy() const override { return true; }
    bool SizedByRecord() const override { return true; }
    bool NeedsPeer(UINT message) const override
    {
        switch (message)
        {
        case LB_GETCOUNT:
        case LB_ADDSTRING:
        case LB_INSERTSTRING:
        case LB_DELETESTRING:
        case LB_RESETCONTENT:
        case LB_GETTEXT:
        case LB_GETTEXTLEN:
        case LB_GETITEMDATA:
        case LB_SETITEMDATA:
        case LB_GETCURSEL:
        case LB_GETSEL:
        case LB_GETSELCOUNT:
        case LB_GETSELITEMS:
        case LB_FINDSTRING:
        case LB_FINDSTRINGEXACT:
        case WM_SETREDRAW:
            return false;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            return true;
        default:
            return WindowImpl::NeedsPeer(message);
        }
    }

    QWidget* CreatePeer(QWidget* parent, const CString&) override
    {
        DWORD s = m_h->style;
        m_multi = (s & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
        m_list = new ListBoxWidget(m_h, this, parent);
        m_list->setSelectionMode((s & LBS_NOSEL)          ? QAbstractItemView::NoSelection
                                 : (s & LBS_EXTENDEDSEL)  ? QAbstractItemView::ExtendedSelection
                                 : (s & LBS_MULTIPLESEL)  ? QAbstractItemView::MultiSelection
                                                          : QAbstractItemView::SingleSelection);
        m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_list->setDragEnabled(false);
        m_list->setUniformItemSizes(true);
        m_list->setItemDelegate(new pdt::cc::FocusMarkDelegate(m_list));
        m_list->setFocusPolicy(Qt::StrongFocus);
        m_list->setContextMenuPolicy(Qt::PreventContextMenu);
        m_list->setVerticalScrollBarPolicy((s & LBS_DISABLENOSCROLL) ? Qt::ScrollBarAlwaysOn
                                           : (s & WS_VSCROLL)        ? Qt::ScrollBarAsNeeded
                                                                     : Qt::ScrollBarAlwaysOff);
        m_list->setHorizontalScrollBarPolicy((s & WS_HSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        pdt::cc::ApplyFrame(m_list, m_h);
        // What the record held until now; nothing in it was selected.
        for (size_t i = 0; i < m_items.size(); ++i)
        {
            auto* item = new LbItem(m_items[i].bytes);
            item->data = m_items[i].data;
            m_list->insertItem(int(i), item);
        }
        m_items.clear();
        return m_list;
    }

    UINT DlgCode(const MSG*) const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

    bool Multi() const { return m_multi; }

    void UserNotify(int code) const
    {
        if (m_h->style & LBS_NOTIFY)
            Notify(code);
    }

    std::vector<int> SelectedRows() const
    {
        std::vector<int> rows;
        for (const QModelIndex& i : m_list->selectionModel()->selectedIndexes())
            rows.push_back(i.row());
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (!m_list)
            return AnswerFromRecord(message, wParam, lParam);
        int count = m_list->count();
        int index = int(wParam);
        bool valid = index >= 0 && index < count;
        switch (message)
        {
        case LB_GETCOUNT:
            return count;
        case LB_ADDSTRING: {
            CString s(lParam ? reinterpret_cast<const char*>(lParam) : "");
            return Insert((m_h->style & LBS_SORT) ? SortedPosition(s) : count, s);
        }
        case LB_INSERTSTRING: {
            // Inserting never sorts, even in a sorted list box.
            if (index == -1)
                index = count;
            if (index < 0 || index > count)
                return LB_ERR;
            return Insert(index, CString(lParam ? reinterpret_cast<const char*>(lParam) : ""));
        }
        case LB_DELETESTRING:
            if (!valid)
                return LB_ERR;
            delete m_list->takeItem(index);
            return m_list->count();
        case LB_RESETCONTENT:
            m_list->clear();
            return 0;
        case LB_GETTEXT:
            return valid ? CopyOut(m_list->At(index)->bytes, reinterpret_cast<char*>(lParam), -1) : LB_ERR;
        case LB_GETTEXTLEN:
            return valid ? m_list->At(index)->bytes.GetLength() : LB_ERR;
        case LB_GETITEMDATA:
            return valid ? LRESULT(m_list->At(index)->data) : LB_ERR;
        case LB_SETITEMDATA:
            if (!valid)
                return LB_ERR;
            m_list->At(index)->data = DWORD_PTR(lParam);
            return TRUE;
        case LB_GETCURSEL:
            if (m_multi)
                return count == 0 ? LB_ERR : std::max(m_list->currentRow(), 0); // the caret
            {
                std::vector<int> rows = SelectedRows();
                return rows.empty() ? LB_ERR : rows.front();
            }
        case LB_SETCURSEL:
            if (m_multi)
                return LB_ERR;
            if (index < 0)
            {
                m_list->clearSelection();
                return LB_ERR; // as Win32 answers -1, though nothing failed
            }
            if (!valid)
                return LB_ERR;
            SelectOnly(index);
            return index;
        case LB_GETSEL:
            return valid ? LRESULT(m_list->selectionModel()->isSelected(m_list->IndexOf(index)) ? 1 : 0) : LB_ERR;
        case LB_SETSEL: {
            // wParam: select or not; lParam: the item, -1 for all of them.
            if (!m_multi)
                return LB_ERR;
            int item = int(lParam);
            auto flag = wParam ? QItemSelectionModel::Select : QItemSelectionModel::Deselect;
            if (item == -1)
            {
                if (count > 0)
                    m_list->selectionModel()->select(QItemSelection(m_list->IndexOf(0), m_list->IndexOf(count - 1)), flag);
                return 0;
            }
            if (item < 0 || item >= count)
                return LB_ERR;
            m_list->selectionModel()->select(m_list->IndexOf(item), flag);
            if (wParam)
                m_list->selectionModel()->setCurrentIndex(m_list->IndexOf(item), QItemSelectionModel::NoUpdate);
            return 0;
        }
        case LB_GETSELCOUNT:
            return m_multi ? LRESULT(m_list->selectionModel()->selectedIndexes().size()) : LB_ERR;
        case LB_GETSELITEMS: {
            if (!m_multi)
                return LB_ERR;
            auto* out = reinterpret_cast<int*>(lParam);
            if (!out)
                return LB_ERR;
            std::vector<int> rows = SelectedRows();
            int n = std::min(int(rows.size()), std::max(index, 0));
            std::copy_n(rows.begin(), n, out);
            return n;
        }
        case LB_FINDSTRING:
        case LB_FINDSTRINGEXACT:
            return Find(index, CString(lParam ? reinterpret_cast<const char*>(lParam) : ""),
                        message == LB_FINDSTRINGEXACT);
        case LB_SELECTSTRING: {
            int found = Find(index, CString(lParam ? reinterpret_cast<const char*>(lParam) : ""), false);
            if (found < 0)
                return LB_ERR;
            if (m_multi)
            {
                m_list->selectionModel()->select(m_list->IndexOf(found), QItemSelectionModel::Select);
                m_list->selectionModel()->setCurrentIndex(m_list->IndexOf(found), QItemSelectionModel::NoUpdate);
                m_list->scrollToItem(m_list->At(found));
            }
            else
                SelectOnly(found);
            return found;
        }
        case LB_GETTOPINDEX: {
            m_list->Layout();
            int top = m_list->indexAt(QPoint(1, 1)).row();
            return std::max(top, 0);
        }
        case LB_SETTOPINDEX:
            if (!valid)
                return LB_ERR;
            m_list->Layout();
            m_list->scrollToItem(m_list->At(index), QAbstractItemView::PositionAtTop);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            // LBS_NOTIFY governs the selection and double-click reports only; the focus is always reported.
            Notify(message == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
            return 0;
        case WM_SETREDRAW:
            pdt::cc::SetRedraw(m_h, wParam != 0);
            return 0;
        case WM_CONTEXTMENU:
            return pdt::cc::ForwardContextMenu(m_h, wParam, lParam);
        default:
            return WindowImpl::Proc(message, wParam, lParam);
        }
    }

  private:
    struct Item
    {
        CString bytes;
        DWORD_PTR data = 0;
    };

    // The messages a list without its widget answers, as the widget would: nothing is selected and no item has
    // the caret yet.
    LRESULT AnswerFromRecord(UINT message, WPARAM wParam, LPARAM lParam)
    {
        int count = int(m_items.size());
        int index = int(wParam);
        bool valid = index >= 0 && index < count;
        switch (message)
        {
        case LB_GETCOUNT:
            return count;
        case LB_ADDSTRING:
        case LB_INSERTSTRING: {
            CString s(lParam ? reinterpret_cast<const char*>(lParam) : "");
            int at = message == LB_ADDSTRING ? ((m_h->style & LBS_SORT) ? SortedPosition(s) : count)
                                             : (index == -1 ? count : index);
            if (at < 0 || at > count)
                return LB_ERR;
            m_items.insert(m_items.begin() + at, Item{s, 0});
            return at;
        }
        case LB_DELETESTRING:
            if (!valid)
                return LB_ERR;
            m_items.erase(m_items.begin() + index);
            return count - 1;
        case LB_RESETCONTENT:
            m_items.clear();
            return 0;
        case LB_GETTEXT:
            return valid ? CopyOut(m_items[size_t(index)].bytes, reinterpret_cast<char*>(lParam), -1) : LB_ERR;
        case LB_GETTEXTLEN:
            return valid ? m_items[size_t(index)].bytes.GetLength() : LB_ERR;
        case LB_GETITEMDATA:
            return valid ? LRESULT(m_items[size_t(index)].data) : LB_ERR;
        case LB_SETITEMDATA:
            if (!valid)
                return LB_ERR;
            m_items[size_t(index)].data = DWORD_PTR(lParam);
            return TRUE;
        case LB_GETCURSEL:
            return m_multi && count > 0 ? 0 : LB_ERR; // a multiple-selection list answers its caret, the first
        case LB_GETSEL:
            return valid ? 0 : LB_ERR;
        case LB_GETSELCOUNT:
            return m_multi ? 0 : LB_ERR;
        case LB_GETSELITEMS:
            return m_multi && lParam ? 0 : LB_ERR;
        case LB_FINDSTRING:
        case LB_FINDSTRINGEXACT:
            return Find(index, CString(lParam ? reinterpret_cast<const char*>(lParam) : ""),
                        message == LB_FINDSTRINGEXACT);
        case WM_SETREDRAW:
            pdt::cc::SetRedraw(m_h, wParam != 0);
            return 0;
        default:
            return WindowImpl::Proc(message, wParam, lParam);
        }
    }

    int Count() const { return m_list ? m_list->count() : int(m_items.size()); }
    const CString& Bytes(int row) const { return m_list ? m_list->At(row)->bytes : m_items[size_t(row)].bytes; }

    int Insert(int at, const CString& s)
    {
        m_list->insertItem(at, new LbItem(s));
        return at;
    }
    // After the last item that sorts at or before s, as a sorted Win32 list box places equal strings.
    int SortedPosition(const CString& s) const
    {
        int lo = 0, hi = Count();
        while (lo < hi)
        {
            int mid = (lo + hi) / 2;
            if (pdt::cc::TextLess(s, Bytes(mid)))
                hi = mid;
            else
                lo = mid + 1;
        }
        return lo;
    }
    void SelectOnly(int row)
    {
        m_list->selectionModel()->setCurrentIndex(m_list->IndexOf(row), QItemSelectionModel::ClearAndSelect);
        m_list->scrollToItem(m_list->At(row));
    }
    // Case-insensitive search that starts after `after` and wraps round to it; prefix or whole string.
    int Find(int after, const CString& s, bool exact) const
    {
        int n = Count();
        if (n == 0)
            return LB_ERR;
        int start = after < 0 || after >= n ? 0 : after + 1;
        for (int k = 0; k < n; ++k)
        {
            int i = (start + k) % n;
            const CString& t = Bytes(i);
            if (exact ? t.CompareNoCase(s) == 0 : t.Left(s.GetLength()).CompareNoCase(s) == 0)
                return i;
        }
        return LB_ERR;
    }

    ListBoxWidget* m_list = nullptr;
    bool m_multi = (m_h->style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
    std::vector<Item> m_items; // while there is no widget
};

QItemSelectionModel::SelectionFlags ListBoxWidget::selectionCommand(const QModelIndex& index, const QEvent* e) const
{
    // The toolkit's own moves of the current item (rows removed, focus gained) leave the selection alone.
    if (!e && !m_searching)
        return QItemSelectionModel::NoUpdate;
    if (selectionMode() == SingleSelection)
    {
        // A single-selection list box keeps its item when the empty area or a Ctrl-click would clear it.
        if (!index.isValid() || (e && e->type() == QEvent::MouseButtonRelease))
            return QItemSelectionModel::NoUpdate;
        return QItemSelectionModel::ClearAndSelect;
    }
    return QListWidget::selectionCommand(index, e);
}

void ListBoxWidget::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::RightButton)
    {
        // A right click does not select.
        m_rightPressed = true;
        return;
    }
    m_pressedOnItem = e->button() == Qt::LeftButton && itemAt(e->position().toPoint()) != nullptr;
    QListWidget::mousePressEvent(e);
}

void ListBoxWidget::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::RightButton)
    {
        if (std::exchange(m_rightPressed, false))
            pdt::cc::RaiseContextMenu(m_h, e->globalPosition().toPoint());
        return;
    }
    QListWidget::mouseReleaseEvent(e);
    // Win32 reports every click on an item, even on the item already selected.
    if (e->button() == Qt::LeftButton && std::exchange(m_pressedOnItem, false) && IsWindow(m_h))
        m_impl->UserNotify(LBN_SELCHANGE);
}

void ListBoxWidget::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    bool onItem = itemAt(e->position().toPoint()) != nullptr;
    QListWidget::mouseDoubleClickEvent(e);
    if (onItem && IsWindow(m_h))
        m_impl->UserNotify(LBN_DBLCLK);
}

void ListBoxWidget::keyPressEvent(QKeyEvent* e)
{
    // A list box is one column: Left and Right move like Up and Down.
    if (e->key() == Qt::Key_Left || e->key() == Qt::Key_Right)
    {
        QKeyEvent moved(e->type(), e->key() == Qt::Key_Left ? Qt::Key_Up : Qt::Key_Down, e->modifiers(), e->text(),
                        e->isAutoRepeat(), ushort(e->count()));
        keyPressEvent(&moved);
        e->setAccepted(moved.isAccepted());
        return;
    }
    int caret = currentRow();
    std::vector<int> before = m_impl->SelectedRows();
    QListWidget::keyPressEvent(e);
    if (!IsWindow(m_h))
        return;
    static const int kMoves[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
    bool move = std::find(std::begin(kMoves), std::end(kMoves), e->key()) != std::end(kMoves);
    // A multiple-selection list box reports every move of the caret, even when the selection stays.
    if ((m_impl->Multi() && move) || caret != currentRow() || before != m_impl->SelectedRows())
        m_impl->UserNotify(LBN_SELCHANGE);
}

} // namespace

std::unique_ptr<WindowImpl> pdt::cc::MakeListBox(HWND h) { return std::make_unique<ListBoxImpl>(h); }
