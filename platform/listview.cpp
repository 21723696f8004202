// List views: a QTreeWidget used as a flat report list, answering LVM_ messages. Every change of an item's
// state is reported item by item with LVN_ITEMCHANGING / LVN_ITEMCHANGED, whether the user or the program
// made it, as Win32 does.
#include "platform/commctrl_p.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <algorithm>
#include <optional>

namespace
{

using pdt::cc::ArgText;
using pdt::cc::CopyOut;

constexpr UINT kSelFocus = LVIS_SELECTED | LVIS_FOCUSED;

// LVM_SORTITEMS' comparison while the toolkit sorts.
PFNLVCOMPARE g_compare = nullptr;
LPARAM g_compareParam = 0;

class LvItem : public QTreeWidgetItem
{
  public:
    LvItem() : QTreeWidgetItem(UserType) {}
    std::vector<CString> texts; // by sub-item; the caller's own bytes
    LPARAM param = 0;
    UINT state = 0; // as last reported to the parent
    UINT other = 0; // cut, drop highlight, overlay: kept as set
    UINT image = 0; // the state image index (1 unchecked, 2 checked, 0 none)

    CString Text(size_t sub) const { return sub < texts.size() ? texts[sub] : CString(); }

    bool operator<(const QTreeWidgetItem& o) const override
    {
        const auto& other = static_cast<const LvItem&>(o);
        if (g_compare)
            return g_compare(param, other.param, g_compareParam) < 0;
        return pdt::cc::TextLess(Text(0), other.Text(0));
    }
};

class GridDelegate : public pdt::cc::FocusMarkDelegate
{
  public:
    GridDelegate(const DWORD* exStyle, QObject* parent) : FocusMarkDelegate(parent), m_ex(exStyle) {}
    void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override
    {
        QStyledItemDelegate::paint(p, o, i);
        // The view marks the focused row as a whole, through the style, which draws no mark on items: the row's
        // cells draw one rectangle round it.
        const auto* view = qobject_cast<const QTreeView*>(o.widget);
        const QModelIndex current = view ? view->currentIndex() : QModelIndex();
        if (view && view->hasFocus() && current.isValid() && current.row() == i.row() && current.parent() == i.parent())
        {
            QStyleOptionViewItem row(o);
            row.state |= QStyle::State_HasFocus;
            const int last = view->header()->count() - 1 - view->header()->hiddenSectionCount();
            const int at = view->header()->visualIndex(i.column());
            using Pos = QStyleOptionViewItem::ViewItemPosition;
            row.viewItemPosition = last == 0    ? Pos::OnlyOne
                                   : at == 0    ? Pos::Beginning
                                   : at == last ? Pos::End
                                                : Pos::Middle;
            DrawFocusMark(p, row);
        }
        if (*m_ex & LVS_EX_GRIDLINES)
        {
            p->save();
            p->setPen(o.palette.color(QPalette::Midlight));
            p->drawLine(o.rect.bottomLeft(), o.rect.bottomRight());
            p->drawLine(o.rect.topRight(), o.rect.bottomRight());
            p->restore();
        }
    }

  private:
    const DWORD* m_ex;
};

class ListViewImpl;

class ReportView : public pdt::cc::ItemView
{
  public:
    ReportView(HWND h, ListViewImpl* impl, QWidget* parent) : ItemView(parent), m_h(h), m_impl(impl) {}
    ~ReportView() override;

    LvItem* At(int row) const { return static_cast<LvItem*>(topLevelItem(row)); }
    QModelIndex IndexOf(int row, int column = 0) const { return model()->index(row, column); }
    QModelIndex IndexOfItem(QTreeWidgetItem* item) const { return indexFromItem(item); }

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* e) const override
    {
        // The toolkit's own moves of the current item (rows removed, focus gained) leave the selection alone.
        return e || Searching() ? QTreeWidget::selectionCommand(index, e) : QItemSelectionModel::NoUpdate;
    }
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

  private:
    HWND m_h;
    ListViewImpl* m_impl;
    Qt::MouseButton m_pressed = Qt::NoButton;
};

class ListViewImpl : public WindowImpl
{
  public:
    using WindowImpl::WindowImpl;

    // Changes made inside a batch are reported together when the outermost batch ends.
    class Batch
    {
      public:
        explicit Batch(ListViewImpl* impl) : m_impl(impl) { ++m_impl->m_depth; }
        ~Batch()
        {
            if (--m_impl->m_depth == 0)
                m_impl->Flush();
        }

      private:
        ListViewImpl* m_impl;
    };

    // On a page not shown yet the list keeps its columns and plain items in the record; states, check boxes, and
    // anything else only a widget knows, make the widget first.
    bool Lazy() const override { return true; }
    bool SizedByRecord() const override { return true; }
    bool NeedsPeer(UINT message) const override
    {
        if (message >= LVM_FIRST && message < LVM_FIRST + 0x100)
            return false; // the record answers what it can and makes the widget for the rest
        return message == WM_SETFOCUS || message == WM_KILLFOCUS || WindowImpl::NeedsPeer(message);
    }

    QWidget* CreatePeer(QWidget* parent, const CString&) override
    {
        DWORD s = m_h->style;
        m_hadPeer = true;
        m_view = new ReportView(m_h, this, parent);
        m_view->setRootIsDecorated(false);
        m_view->setItemsExpandable(false);
        m_view->setExpandsOnDoubleClick(false);
        m_view->setUniformRowHeights(true);
        m_view->setAllColumnsShowFocus(true);
        m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
        m_view->setSelectionMode((s & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection
                                                     : QAbstractItemView::ExtendedSelection);
        m_view->setFocusPolicy(Qt::StrongFocus);
        m_view->setContextMenuPolicy(Qt::PreventContextMenu);
        m_view->setItemDelegate(new GridDelegate(&m_ex, m_view));
        if (s & LVS_NOSCROLL)
        {
            m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        }
        pdt::cc::ApplyFrame(m_view, m_h);
        if (!(s & LVS_SHOWSELALWAYS))
            pdt::cc::HideSelectionWhenInactive(m_view);
        QHeaderView* header = m_view->header();
        header->setStretchLastSection(false);
        header->setSectionsMovable(false);
        header->setSortIndicatorShown(false);
        header->setSectionsClickable(!(s & LVS_NOSORTHEADER));
        m_view->setHeaderHidden((s & LVS_NOCOLUMNHEADER) || (s & LVS_TYPEMASK) != LVS_REPORT);

        QItemSelectionModel* sm = m_view->selectionModel();
        QObject::connect(sm, &QItemSelectionModel::selectionChanged,
                         [this](const QItemSelection& on, const QItemSelection& off) {
                             MarkRanges(on);
                             MarkRanges(off);
                         });
        QObject::connect(sm, &QItemSelectionModel::currentChanged, [this](const QModelIndex& now, const QModelIndex& was) {
            MarkDirty(now);
            MarkDirty(was);
        });
        QObject::connect(m_view, &QTreeWidget::itemChanged, [this](QTreeWidgetItem* item, int column) {
            if (m_view && column == 0 && (m_ex & LVS_EX_CHECKBOXES))
                MarkDirty(m_view->IndexOfItem(item));
        });
        QObject::connect(header, &QHeaderView::sectionClicked, [this](int column) {
            NMLISTVIEW nm{};
            nm.iItem = -1;
            nm.iSubItem = column;
            NotifyNm(LVN_COLUMNCLICK, &nm.hdr);
        });
        // What the record held until now, shown as the widget would have shown it.
        header->setSectionsMovable(m_ex & LVS_EX_HEADERDRAGDROP);
        ShowColumns(std::exchange(m_widths, {}));
        Silently([&] {
            for (Pending& p : std::exchange(m_pending, {}))
            {
                auto* it = new LvItem;
                it->texts = std::move(p.texts);
                it->param = p.param;
                it->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
                m_view->addTopLevelItem(it);
                ShowRowTexts(it, 0);
            }
        });
        return m_view;
    }

    void Detach() { m_view = nullptr; }

    UINT DlgCode(const MSG*) const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

    LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (!m_view && !m_hadPeer)
        {
            if (std::optional<LRESULT> r = AnswerFromRecord(message, wParam, lParam))
                return *r;
            if (message >= LVM_FIRST && message < LVM_FIRST + 0x100)
                pdt::win::Peer(m_h);
        }
        if (!m_view)
            return WindowImpl::Proc(message, wParam, lParam);
        Batch batch(this);
        int count = m_view->topLevelItemCount();
        int index = int(wParam);
        bool valid = index >= 0 && index < count;
        switch (message)
        {
        case LVM_GETITEMCOUNT:
            return count;
        case LVM_INSERTCOLUMN:
            return InsertColumn(index, reinterpret_cast<const LVCOLUMN*>(lParam));
        case LVM_DELETECOLUMN:
            return DeleteColumn(index);
        case LVM_GETCOLUMN:
            return GetColumn(index, reinterpret_cast<LVCOLUMN*>(lParam));
        case LVM_SETCOLUMN:
            return SetColumn(index, reinterpret_cast<const LVCOLUMN*>(lParam));
        case LVM_GETCOLUMNWIDTH:
            return index >= 0 && index < int(m_cols.size()) ? m_view->columnWidth(index) : 0;
        case LVM_SETCOLUMNWIDTH:
            return SetColumnWidth(index, short(LOWORD(lParam)));
        case LVM_INSERTITEM:
            return InsertItem(reinterpret_cast<const LVITEM*>(lParam));
        case LVM_DELETEITEM:
            return valid ? DeleteItem(index) : FALSE;
        case LVM_DELETEALLITEMS:
            return DeleteAllItems();
        case LVM_SETITEMTEXT: {
            auto* li = reinterpret_cast<const LVITEM*>(lParam);
            return valid && li ? SetText(index, li->iSubItem, ArgText(li->pszText)) : FALSE;
        }
        case LVM_GETITEMTEXT: {
            auto* li = reinterpret_cast<LVITEM*>(lParam);
            if (!li)
                return 0;
            CString text = valid ? m_view->At(index)->Text(size_t(std::max(li->iSubItem, 0))) : CString();
            return std::max(CopyOut(text, li->pszText, std::max(li->cchTextMax, 0)), 0);
        }
        case LVM_SETITEM:
            return SetItem(reinterpret_cast<const LVITEM*>(lParam));
        case LVM_GETITEM:
            return GetItem(reinterpret_cast<LVITEM*>(lParam));
        case LVM_SETITEMSTATE: {
            auto* li = reinterpret_cast<const LVITEM*>(lParam);
            return li ? SetState(index, li->state, li->stateMask) : FALSE;
        }
        case LVM_GETITEMSTATE:
            return valid ? LRESULT(m_view->At(index)->state & UINT(lParam)) : 0;
        case LVM_GETNEXTITEM:
            return NextItem(index, UINT(LOWORD(lParam)));
        case LVM_GETSELECTEDCOUNT: {
            int n = 0;
            for (int r = 0; r < count; ++r)
                n += (m_view->At(r)->state & LVIS_SELECTED) != 0;
            return n;
        }
        case LVM_SETEXTENDEDLISTVIEWSTYLE:
            return SetExtendedStyle(wParam ? DWORD(wParam) : ~DWORD(0), DWORD(lParam));
        case LVM_GETEXTENDEDLISTVIEWSTYLE:
            return m_ex;
        case LVM_ENSUREVISIBLE:
            if (!valid)
                return FALSE;
            m_view->Layout();
            m_view->scrollToItem(m_view->At(index));
            return TRUE;
        case LVM_GETTOPINDEX:
            m_view->Layout();
            return std::max(m_view->indexAt(QPoint(1, 1)).row(), 0);
        case LVM_GETCOUNTPERPAGE: {
            m_view->Layout();
            int row = count > 0 ? m_view->visualItemRect(m_view->At(0)).height() : 0;
            if (row <= 0)
                row = m_view->fontMetrics().height() + 4;
            return std::max(1, m_view->viewport()->height() / row);
        }
        case LVM_GETITEMRECT:
            return valid && lParam ? ItemRect(index, reinterpret_cast<RECT*>(lParam)) : FALSE;
        case LVM_HITTEST:
        case LVM_SUBITEMHITTEST:
            return HitTest(reinterpret_cast<LVHITTESTINFO*>(lParam), message == LVM_SUBITEMHITTEST);
        case LVM_FINDITEM:
            return FindItem(index, reinterpret_cast<const LVFINDINFO*>(lParam));
        case LVM_SORTITEMS:
            return SortItems(reinterpret_cast<PFNLVCOMPARE>(lParam), LPARAM(wParam));
        case WM_KEYDOWN: {
            NMLVKEYDOWN nm{};
            nm.wVKey = WORD(wParam);
            NotifyNm(LVN_KEYDOWN, &nm.hdr);
            return WindowImpl::Proc(message, wParam, lParam);
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            NMHDR nm{};
            NotifyNm(message == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS, &nm);
            return 0;
        }
        case WM_CONTEXTMENU:
            return pdt::cc::ForwardContextMenu(m_h, wParam, lParam);
        case WM_SETREDRAW:
            pdt::cc::SetRedraw(m_h, wParam != 0);
            return 0;
        default:
            return WindowImpl::Proc(message, wParam, lParam);
        }
    }

    // The user's clicks: NM_CLICK / NM_RCLICK / NM_DBLCLK with the item and sub-item under the mouse.
    LRESULT Activate(int code, const QPoint& viewportPos, Qt::KeyboardModifiers mods)
    {
        if (!m_view)
            return 0;
        NMITEMACTIVATE nm{};
        QModelIndex at = m_view->indexAt(viewportPos);
        nm.iItem = at.isValid() ? at.row() : -1;
        nm.iSubItem = at.isValid() ? at.column() : 0;
        QPoint client = m_view->viewport()->mapTo(m_view, viewportPos);
        nm.ptAction = POINT{client.x(), client.y()};
        if (at.isValid())
        {
            LvItem* it = m_view->At(at.row());
            nm.uNewState = nm.uOldState = it->state;
            nm.lParam = it->param;
        }
        nm.uKeyFlags = ((mods & Qt::AltModifier) ? 1 : 0) | ((mods & Qt::ControlModifier) ? 2 : 0) |
                       ((mods & Qt::ShiftModifier) ? 4 : 0);
        LRESULT r = NotifyNm(code, &nm.hdr);
        if (code == NM_DBLCLK && nm.iItem >= 0 && IsWindow(m_h))
        {
            NMITEMACTIVATE again = nm;
            NotifyNm(LVN_ITEMACTIVATE, &again.hdr);
        }
        return r;
    }

    // Without full-row selection only the first column is the item; elsewhere is empty space.
    bool OnItemLabel(const QPoint& viewportPos) const
    {
        QModelIndex at = m_view->indexAt(viewportPos);
        return at.isValid() && ((m_ex & LVS_EX_FULLROWSELECT) || at.column() == 0);
    }

    // Runs a change of the program's that Win32 does not report (insertions, deletions, sorting): the
    // states it moves are taken as reported.
    template <class F> void Silently(F&& change)
    {
        size_t mark = m_dirty.size();
        ++m_depth;
        {
            Quiet quiet(m_h);
            change();
        }
        --m_depth;
        if (!m_view)
            return;
        for (size_t i = mark; i < m_dirty.size(); ++i)
            if (m_dirty[i].isValid())
                if (LvItem* it = m_view->At(m_dirty[i].row()))
                    it->state = Actual(it, m_dirty[i]);
        if (m_dirty.size() > mark)
            m_dirty.resize(mark);
    }

  private:
    friend class Batch;
    struct Column
    {
        CString text;
        int fmt = LVCFMT_LEFT;
    };
    // An item of a list without its widget: no state, no check box, shown in the order kept.
    struct Pending
    {
        std::vector<CString> texts;
        LPARAM param = 0;
        CString Text(size_t sub) const { return sub < texts.size() ? texts[sub] : CString(); }
    };

    // The messages a list without its widget answers as the widget would; none for the others.
    std::optional<LRESULT> AnswerFromRecord(UINT message, WPARAM wParam, LPARAM lParam)
    {
        int count = int(m_pending.size());
        int index = int(wParam);
        bool valid = index >= 0 && index < count;
        switch (message)
        {
        case LVM_GETITEMCOUNT:
            return count;
        case LVM_INSERTCOLUMN: {
            auto* lc = reinterpret_cast<const LVCOLUMN*>(lParam);
            if (!lc || index < 0)
                return -1;
            if (!(lc->mask & LVCF_WIDTH))
                return std::nullopt; // the toolkit's default width
            int at = std::min(index, int(m_cols.size()));
            Column col;
            if (lc->mask & LVCF_TEXT)
                col.text = ArgText(lc->pszText);
            if (lc->mask & LVCF_FMT)
                col.fmt = lc->fmt;
            bool first = m_cols.empty();
            m_cols.insert(m_cols.begin() + at, col);
            m_widths.insert(m_widths.begin() + at, std::max(lc->cx, 0));
            size_t from = size_t(std::max(at, 1));
            if (!first)
                for (Pending& p : m_pending)
                    if (p.texts.size() > from)
                        p.texts.insert(p.texts.begin() + std::ptrdiff_t(from), CString());
            return at;
        }
        case LVM_GETCOLUMN: {
            auto* lc = reinterpret_cast<LVCOLUMN*>(lParam);
            if (lc && (lc->mask & LVCF_WIDTH) && index >= 0 && index < int(m_cols.size()))
                return std::nullopt;
            return GetColumn(index, lc);
        }
        case LVM_INSERTITEM: {
            auto* li = reinterpret_cast<const LVITEM*>(lParam);
            if (!li || li->iItem < 0 || li->iSubItem != 0)
                return -1;
            if ((li->mask & ~(LVIF_TEXT | LVIF_PARAM)) || Checkboxes() ||
                (m_h->style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)))
                return std::nullopt;
            Pending p;
            p.texts.push_back((li->mask & LVIF_TEXT) ? ArgText(li->pszText) : CString());
            if (li->mask & LVIF_PARAM)
                p.param = li->lParam;
            int at = std::min(li->iItem, count);
            m_pending.insert(m_pending.begin() + at, p);
            NMLISTVIEW nm{};
            nm.iItem = at;
            nm.lParam = p.param;
            NotifyNm(LVN_INSERTITEM, &nm.hdr);
            return at;
        }
        case LVM_DELETEALLITEMS: {
            if (count > 0)
                return std::nullopt; // each item is heard of as it goes
            NMLISTVIEW nm{};
            nm.iItem = -1;
            NotifyNm(LVN_DELETEALLITEMS, &nm.hdr);
            return TRUE;
        }
        case LVM_SETITEMTEXT: {
            auto* li = reinterpret_cast<const LVITEM*>(lParam);
            if (!valid || !li)
                return FALSE;
            return SetPendingText(index, li->iSubItem, ArgText(li->pszText));
        }
        case LVM_GETITEMTEXT: {
            auto* li = reinterpret_cast<LVITEM*>(lParam);
            if (!li)
                return 0;
            CString text = valid ? m_pending[size_t(index)].Text(size_t(std::max(li->iSubItem, 0))) : CString();
            return std::max(CopyOut(text, li->pszText, std::max(li->cchTextMax, 0)), 0);
        }
        case LVM_SETITEM: {
            auto* li = reinterpret_cast<const LVITEM*>(lParam);
            if (li && (li->mask & ~(LVIF_TEXT | LVIF_PARAM)))
                return std::nullopt;
            if (!li || li->iItem < 0 || li->iItem >= count)
                return FALSE;
            if ((li->mask & LVIF_TEXT) && !SetPendingText(li->iItem, li->iSubItem, ArgText(li->pszText)))
                return FALSE;
            if (li->iSubItem == 0 && (li->mask & LVIF_PARAM))
                m_pending[size_t(li->iItem)].param = li->lParam;
            return TRUE;
        }
        case LVM_GETITEM: {
            auto* li = reinterpret_cast<LVITEM*>(lParam);
            if (!li || li->iItem < 0 || li->iItem >= count || li->iSubItem < 0)
                return FALSE;
            const Pending& p = m_pending[size_t(li->iItem)];
            if (li->mask & LVIF_TEXT)
                CopyOut(p.Text(size_t(li->iSubItem)), li->pszText, std::max(li->cchTextMax, 0));
            if (li->mask & LVIF_PARAM)
                li->lParam = p.param;
            if (li->mask & LVIF_STATE)
                li->state = 0;
            if (li->mask & LVIF_IMAGE)
                li->iImage = 0;
            if (li->mask & LVIF_INDENT)
                li->iIndent = 0;
            return TRUE;
        }
        case LVM_GETITEMSTATE:
            return 0;
        case LVM_GETSELECTEDCOUNT:
            return 0;
        case LVM_GETNEXTITEM: {
            // No item has a state: only a search for none finds one.
            UINT flags = UINT(LOWORD(lParam));
            if ((flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED | LVNI_TOLEFT | LVNI_TORIGHT)))
                return -1;
            if (flags & LVNI_ABOVE)
                return std::min(index, count) - 1 >= 0 ? std::min(index, count) - 1 : -1;
            return std::max(index + 1, 0) < count ? std::max(index + 1, 0) : -1;
        }
        case LVM_SETEXTENDEDLISTVIEWSTYLE: {
            DWORD mask = wParam ? DWORD(wParam) : ~DWORD(0);
            DWORD ex = (m_ex & ~mask) | (DWORD(lParam) & mask);
            if ((ex ^ m_ex) & LVS_EX_CHECKBOXES)
                return std::nullopt;
            return std::exchange(m_ex, ex);
        }
        case LVM_GETEXTENDEDLISTVIEWSTYLE:
            return m_ex;
        default:
            return std::nullopt;
        }
    }

    BOOL SetPendingText(int row, int sub, const CString& text)
    {
        if (sub < 0 || sub >= std::max<int>(1, int(m_cols.size())))
            return FALSE;
        std::vector<CString>& texts = m_pending[size_t(row)].texts;
        if (int(texts.size()) <= sub)
            texts.resize(size_t(sub) + 1);
        texts[size_t(sub)] = text;
        return TRUE;
    }

    bool Checkboxes() const { return (m_ex & LVS_EX_CHECKBOXES) != 0; }
    bool Single() const { return (m_h->style & LVS_SINGLESEL) != 0; }

    void MarkDirty(const QModelIndex& index)
    {
        if (!m_view || !index.isValid())
            return;
        m_dirty.emplace_back(index.siblingAtColumn(0));
        if (m_depth == 0)
            Flush();
    }
    void MarkRanges(const QItemSelection& selection)
    {
        if (!m_view)
            return;
        ++m_depth; // one report for the whole change
        for (const QItemSelectionRange& r : selection)
            for (int row = r.top(); row <= r.bottom(); ++row)
                MarkDirty(m_view->IndexOf(row));
        --m_depth;
        if (m_depth == 0)
            Flush();
    }

    // The state the toolkit shows now.
    UINT Actual(LvItem* it, const QModelIndex& index) const
    {
        UINT s = it->other;
        if (m_view->selectionModel()->isSelected(index))
            s |= LVIS_SELECTED;
        QModelIndex current = m_view->currentIndex();
        if (current.isValid() && current.row() == index.row())
            s |= LVIS_FOCUSED;
        UINT image = it->image;
        if (Checkboxes())
        {
            QVariant check = it->data(0, Qt::CheckStateRole);
            image = !check.isValid() ? 0 : check.toInt() == Qt::Checked ? 2 : 1;
        }
        return s | INDEXTOSTATEIMAGEMASK(image);
    }

    // Shows `state` again, after the parent refused a change.
    void Revert(LvItem* it, const QModelIndex& index, UINT state)
    {
        Quiet quiet(m_h);
        QItemSelectionModel* sm = m_view->selectionModel();
        bool sel = state & LVIS_SELECTED;
        if (sel != sm->isSelected(index))
            sm->select(index, (sel ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) | QItemSelectionModel::Rows);
        bool focused = m_view->currentIndex().isValid() && m_view->currentIndex().row() == index.row();
        if ((state & LVIS_FOCUSED) && !focused)
            sm->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        else if (!(state & LVIS_FOCUSED) && focused)
            sm->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        SetImage(it, (state & LVIS_STATEIMAGEMASK) >> 12);
        it->other = state & ~(kSelFocus | LVIS_STATEIMAGEMASK);
    }

    void SetImage(LvItem* it, UINT image)
    {
        it->image = image;
        if (!Checkboxes())
            return;
        if (image == 0)
            it->setData(0, Qt::CheckStateRole, QVariant());
        else
            it->setCheckState(0, image == 2 ? Qt::Checked : Qt::Unchecked);
    }

    // Reports each changed item: first those that lost selection or focus, then the rest, by position.
    void Flush()
    {
        if (m_flushing || !m_view)
            return;
        m_flushing = true;
        while (!m_dirty.empty() && m_view && IsWindow(m_h))
        {
            std::vector<QPersistentModelIndex> batch;
            batch.swap(m_dirty);
            std::vector<std::pair<int, QPersistentModelIndex>> rows;
            for (QPersistentModelIndex& p : batch)
                if (p.isValid())
                    rows.emplace_back(p.row(), p);
            std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
            rows.erase(std::unique(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
                       rows.end());
            std::stable_partition(rows.begin(), rows.end(), [this](const auto& r) {
                LvItem* it = m_view->At(r.first);
                return (it->state & ~Actual(it, r.second) & kSelFocus) != 0;
            });
            for (auto& [unused, p] : rows)
            {
                if (!m_view || !IsWindow(m_h))
                    break;
                if (!p.isValid())
                    continue;
                LvItem* it = m_view->At(p.row());
                UINT now = Actual(it, p);
                if (now == it->state)
                    continue;
                if (IsQuiet())
                {
                    it->state = now;
                    continue;
                }
                NMLISTVIEW nm{};
                nm.iItem = p.row();
                nm.uOldState = it->state;
                nm.uNewState = now;
                nm.uChanged = LVIF_STATE;
                nm.lParam = it->param;
                if (NotifyNm(LVN_ITEMCHANGING, &nm.hdr))
                {
                    m_vetoed = true;
                    if (m_view && p.isValid())
                        Revert(m_view->At(p.row()), p, m_view->At(p.row())->state);
                    continue;
                }
                if (!m_view || !IsWindow(m_h) || !p.isValid())
                    continue;
                it = m_view->At(p.row());
                nm.iItem = p.row();
                nm.uOldState = it->state;
                nm.uNewState = it->state = Actual(it, p);
                NotifyNm(LVN_ITEMCHANGED, &nm.hdr);
            }
        }
        m_flushing = false;
    }

    // --- Columns. Sub-item n shows in column n.

    void ShowRowTexts(LvItem* it, int from)
    {
        for (int c = std::max(from, 0); c < m_view->columnCount(); ++c)
        {
            it->setText(c, ToQt(it->Text(size_t(c))));
            it->setTextAlignment(c, Alignment(c));
        }
    }
    Qt::Alignment Alignment(int column) const
    {
        int fmt = column < int(m_cols.size()) ? m_cols[size_t(column)].fmt & LVCFMT_JUSTIFYMASK : LVCFMT_LEFT;
        // The first column is always left aligned, as in Win32.
        if (column == 0 || fmt == LVCFMT_LEFT)
            return Qt::AlignLeft | Qt::AlignVCenter;
        return (fmt == LVCFMT_RIGHT ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter;
    }
    void ShowColumns(const std::vector<int>& widths)
    {
        Silently([&] {
            m_view->setColumnCount(std::max<int>(1, int(m_cols.size())));
            // A report without columns has an empty header and nowhere to show its items.
            m_view->setColumnHidden(0, m_cols.empty() && (m_h->style & LVS_TYPEMASK) == LVS_REPORT);
            for (int c = 0; c < m_view->columnCount(); ++c)
            {
                m_view->headerItem()->setText(c, c < int(m_cols.size()) ? ToQt(m_cols[size_t(c)].text) : QString());
                m_view->headerItem()->setTextAlignment(c, Alignment(c));
                if (c < int(widths.size()) && widths[size_t(c)] >= 0)
                    m_view->setColumnWidth(c, widths[size_t(c)]);
            }
        });
    }
    std::vector<int> Widths() const
    {
        std::vector<int> w;
        for (int c = 0; c < int(m_cols.size()); ++c)
            w.push_back(m_view->columnWidth(c));
        return w;
    }

    LRESULT InsertColumn(int at, const LVCOLUMN* lc)
    {
        if (!lc || at < 0)
            return -1;
        int n = int(m_cols.size());
        at = std::min(at, n);
        std::vector<int> widths = Widths();
        Column col;
        if (lc->mask & LVCF_TEXT)
            col.text = ArgText(lc->pszText);
        if (lc->mask & LVCF_FMT)
            col.fmt = lc->fmt;
        m_cols.insert(m_cols.begin() + at, col);
        widths.insert(widths.begin() + at, (lc->mask & LVCF_WIDTH) ? std::max(lc->cx, 0)
                                                                    : m_view->header()->defaultSectionSize());
        // Sub-items at or after the new column move right; the item's own text stays the first column's.
        int from = std::max(at, 1);
        if (n > 0)
            for (int r = 0; r < m_view->topLevelItemCount(); ++r)
            {
                LvItem* it = m_view->At(r);
                if (int(it->texts.size()) > from)
                    it->texts.insert(it->texts.begin() + from, CString());
            }
        ShowColumns(widths);
        Silently([&] {
            for (int r = 0; r < m_view->topLevelItemCount(); ++r)
                ShowRowTexts(m_view->At(r), n > 0 ? from : 0);
        });
        return at;
    }

    BOOL DeleteColumn(int column)
    {
        if (column < 0 || column >= int(m_cols.size()))
            return FALSE;
        std::vector<int> widths = Widths();
        m_cols.erase(m_cols.begin() + column);
        widths.erase(widths.begin() + column);
        for (int r = 0; r < m_view->topLevelItemCount(); ++r)
        {
            LvItem* it = m_view->At(r);
            if (column < int(it->texts.size()))
                it->texts.erase(it->texts.begin() + column);
        }
        ShowColumns(widths);
        Silently([&] {
            for (int r = 0; r < m_view->topLevelItemCount(); ++r)
                ShowRowTexts(m_view->At(r), column);
        });
        return TRUE;
    }

    BOOL GetColumn(int column, LVCOLUMN* lc) const
    {
        if (!lc || column < 0 || column >= int(m_cols.size()))
            return FALSE;
        if (lc->mask & LVCF_FMT)
            lc->fmt = m_cols[size_t(column)].fmt;
        if (lc->mask & LVCF_WIDTH)
            lc->cx = m_view->columnWidth(column);
        if (lc->mask & LVCF_TEXT)
            CopyOut(m_cols[size_t(column)].text, lc->pszText, std::max(lc->cchTextMax, 0));
        if (lc->mask & LVCF_SUBITEM)
            lc->iSubItem = column;
        return TRUE;
    }

    BOOL SetColumn(int column, const LVCOLUMN* lc)
    {
        if (!lc || column < 0 || column >= int(m_cols.size()))
            return FALSE;
        std::vector<int> widths = Widths();
        if (lc->mask & LVCF_TEXT)
            m_cols[size_t(column)].text = ArgText(lc->pszText);
        if (lc->mask & LVCF_FMT)
            m_cols[size_t(column)].fmt = lc->fmt;
        if (lc->mask & LVCF_WIDTH)
            widths[size_t(column)] = std::max(lc->cx, 0);
        ShowColumns(widths);
        Silently([&] {
            for (int r = 0; r < m_view->topLevelItemCount(); ++r)
                m_view->At(r)->setTextAlignment(column, Alignment(column));
        });
        return TRUE;
    }

    BOOL SetColumnWidth(int column, int cx)
    {
        if (column < 0 || column >= int(m_cols.size()))
            return FALSE;
        m_view->Layout();
        if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER)
        {
            m_view->resizeColumnToContents(column);
            int width = m_view->columnWidth(column);
            if (cx == LVSCW_AUTOSIZE_USEHEADER)
            {
                width = std::max(width, m_view->header()->sectionSizeHint(column));
                // The last column takes the rest of the window.
                if (column == int(m_cols.size()) - 1)
                {
                    int left = 0;
                    for (int c = 0; c < column; ++c)
                        left += m_view->columnWidth(c);
                    width = std::max(width, m_view->viewport()->width() - left);
                }
            }
            m_view->setColumnWidth(column, width);
        }
        else
            m_view->setColumnWidth(column, std::max(cx, 0));
        return TRUE;
    }

    // --- Items.

    int SortedPosition(const CString& text) const
    {
        bool down = m_h->style & LVS_SORTDESCENDING;
        int lo = 0, hi = m_view->topLevelItemCount();
        while (lo < hi)
        {
            int mid = (lo + hi) / 2;
            const CString& t = m_view->At(mid)->Text(0);
            if (down ? pdt::cc::TextLess(t, text) : pdt::cc::TextLess(text, t))
                hi = mid;
            else
                lo = mid + 1;
        }
        return lo;
    }

    LRESULT InsertItem(const LVITEM* li)
    {
        if (!li || li->iItem < 0 || li->iSubItem != 0)
            return -1;
        auto* it = new LvItem;
        it->texts.push_back((li->mask & LVIF_TEXT) ? ArgText(li->pszText) : CString());
        if (li->mask & LVIF_PARAM)
            it->param = li->lParam;
        int at = std::min(li->iItem, m_view->topLevelItemCount());
        if (m_h->style & (LVS_SORTASCENDING | LVS_SORTDESCENDING))
            at = SortedPosition(it->texts[0]);
        // A new item's own state is not reported, but for the focus; what it does to the others is.
        bool focused = (li->mask & LVIF_STATE) && (li->state & li->stateMask & LVIS_FOCUSED);
        Silently([&] {
            it->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | (Checkboxes() ? Qt::ItemIsUserCheckable : Qt::NoItemFlags));
            m_view->insertTopLevelItem(at, it);
            ShowRowTexts(it, 0);
            SetImage(it, Checkboxes() ? 1 : 0);
            QModelIndex index = m_view->IndexOf(at);
            if ((li->mask & LVIF_STATE) && !focused)
                ApplyState(at, li->state, li->stateMask);
            it->state = Actual(it, index);
        });
        // Taking the focus is reported, for the new item and the one that loses it, before the insertion.
        QPersistentModelIndex p = m_view->IndexOf(at);
        if (focused)
            SetOne(at, li->state, li->stateMask);
        if (!m_view || !p.isValid())
            return -1;
        at = p.row();
        NMLISTVIEW nm{};
        nm.iItem = at;
        nm.lParam = it->param;
        NotifyNm(LVN_INSERTITEM, &nm.hdr);
        return at;
    }

    BOOL DeleteItem(int row)
    {
        QPersistentModelIndex p = m_view->IndexOf(row);
        // The item gives up its selection and focus first, so LVN_DELETEITEM finds it in neither.
        bool hadFocus = m_view->At(row)->state & LVIS_FOCUSED;
        if (m_view->At(row)->state & kSelFocus)
            SetOne(row, 0, kSelFocus);
        if (!m_view || !p.isValid())
            return TRUE;
        NMLISTVIEW nm{};
        nm.iItem = p.row();
        nm.lParam = m_view->At(p.row())->param;
        NotifyNm(LVN_DELETEITEM, &nm.hdr);
        if (!m_view || !p.isValid())
            return TRUE; // the parent deleted it while it heard of it
        Silently([&] {
            int at = p.row();
            delete m_view->takeTopLevelItem(at);
            // The focus passes, unannounced, to the item that takes the deleted one's place, else the one before.
            int n = m_view->topLevelItemCount();
            if (hadFocus && n > 0 && FocusedRow() < 0)
                m_view->selectionModel()->setCurrentIndex(m_view->IndexOf(std::min(at, n - 1)),
                                                          QItemSelectionModel::NoUpdate);
        });
        return TRUE;
    }

    BOOL DeleteAllItems()
    {
        NMLISTVIEW nm{};
        nm.iItem = -1;
        // Returning TRUE to LVN_DELETEALLITEMS spares the parent one LVN_DELETEITEM per item.
        if (!NotifyNm(LVN_DELETEALLITEMS, &nm.hdr))
        {
            std::vector<QPersistentModelIndex> all;
            for (int r = 0; m_view && r < m_view->topLevelItemCount(); ++r)
                all.emplace_back(m_view->IndexOf(r));
            for (const QPersistentModelIndex& p : all)
                if (m_view && p.isValid() && IsWindow(m_h))
                {
                    NMLISTVIEW one{};
                    one.iItem = p.row();
                    one.lParam = m_view->At(p.row())->param;
                    NotifyNm(LVN_DELETEITEM, &one.hdr);
                }
        }
        if (m_view)
            Silently([&] { m_view->clear(); });
        return TRUE;
    }

    BOOL SetText(int row, int sub, const CString& text)
    {
        if (sub < 0 || sub >= std::max<int>(1, int(m_cols.size())))
            return FALSE;
        LvItem* it = m_view->At(row);
        if (int(it->texts.size()) <= sub)
            it->texts.resize(size_t(sub) + 1);
        it->texts[size_t(sub)] = text;
        Silently([&] { ShowRowTexts(it, sub); });
        return TRUE;
    }

    BOOL SetItem(const LVITEM* li)
    {
        if (!li || li->iItem < 0 || li->iItem >= m_view->topLevelItemCount())
            return FALSE;
        if ((li->mask & LVIF_TEXT) && !SetText(li->iItem, li->iSubItem, ArgText(li->pszText)))
            return FALSE;
        if (li->iSubItem == 0 && (li->mask & LVIF_PARAM))
            m_view->At(li->iItem)->param = li->lParam;
        if (li->iSubItem == 0 && (li->mask & LVIF_STATE))
            return SetState(li->iItem, li->state, li->stateMask);
        return TRUE;
    }

    BOOL GetItem(LVITEM* li) const
    {
        if (!li || li->iItem < 0 || li->iItem >= m_view->topLevelItemCount() || li->iSubItem < 0)
            return FALSE;
        LvItem* it = m_view->At(li->iItem);
        if (li->mask & LVIF_TEXT)
            CopyOut(it->Text(size_t(li->iSubItem)), li->pszText, std::max(li->cchTextMax, 0));
        if (li->mask & LVIF_PARAM)
            li->lParam = it->param;
        if (li->mask & LVIF_STATE)
            li->state = it->state & li->stateMask;
        if (li->mask & LVIF_IMAGE)
            li->iImage = 0;
        if (li->mask & LVIF_INDENT)
            li->iIndent = 0;
        return TRUE;
    }

    // Puts a requested state on the toolkit's item; the flush reports it.
    void ApplyState(int row, UINT state, UINT mask)
    {
        QModelIndex index = m_view->IndexOf(row);
        LvItem* it = m_view->At(row);
        QItemSelectionModel* sm = m_view->selectionModel();
        if (mask & LVIS_SELECTED)
        {
            bool sel = state & LVIS_SELECTED;
            auto flag = !sel ? QItemSelectionModel::Deselect
                        : Single() ? QItemSelectionModel::ClearAndSelect
                                   : QItemSelectionModel::Select;
            sm->select(index, flag | QItemSelectionModel::Rows);
        }
        if (mask & LVIS_FOCUSED)
        {
            bool focused = m_view->currentIndex().isValid() && m_view->currentIndex().row() == row;
            if (state & LVIS_FOCUSED)
                sm->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
            else if (focused)
                sm->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        }
        if (mask & LVIS_STATEIMAGEMASK)
        {
            SetImage(it, (state & LVIS_STATEIMAGEMASK) >> 12);
            MarkDirty(index);
        }
        if (UINT rest = mask & ~(kSelFocus | LVIS_STATEIMAGEMASK))
        {
            it->other = (it->other & ~rest) | (state & rest);
            MarkDirty(index);
        }
    }

    BOOL SetState(int row, UINT state, UINT mask)
    {
        int count = m_view->topLevelItemCount();
        if (row == -1)
        {
            // Everything at once: never the focus, and never a selection of all in a single-selection view.
            if ((state & mask & LVIS_FOCUSED) || ((state & mask & LVIS_SELECTED) && Single()))
                return FALSE;
            bool ok = true;
            for (int r = 0; r < count && m_view; ++r)
                ok = SetOne(r, state, mask) && ok;
            return ok;
        }
        if (row < 0 || row >= count)
            return FALSE;
        return SetOne(row, state, mask);
    }

    int FocusedRow() const
    {
        QModelIndex current = m_view->currentIndex();
        return current.isValid() ? current.row() : -1;
    }

    // One item's requested state, as Win32 sets it: LVN_ITEMCHANGING even when nothing changes, and
    // LVN_ITEMCHANGED only for a change. What the change takes from other items (the focus, a single
    // selection) is reported inside the item's own pair.
    bool SetOne(int row, UINT state, UINT mask)
    {
        QPersistentModelIndex p = m_view->IndexOf(row);
        LvItem *it = m_view->At(row);
        UINT old = it->state;
        NMLISTVIEW nm{};
        nm.iItem = row;
        nm.uOldState = old;
        nm.uNewState = (old & ~mask) | (state & mask);
        nm.uChanged = LVIF_STATE;
        nm.lParam = it->param;
        if (!IsQuiet() && NotifyNm(LVN_ITEMCHANGING, &nm.hdr))
            return false;
        if (!m_view || !p.isValid())
            return false;
        UINT gains = nm.uNewState & ~old;
        if ((gains & LVIS_SELECTED) && Single())
            for (int r = 0; m_view && r < m_view->topLevelItemCount(); ++r)
                if (r != p.row() && (m_view->At(r)->state & LVIS_SELECTED))
                    SetOne(r, 0, LVIS_SELECTED);
        if (m_view && p.isValid() && (gains & LVIS_FOCUSED))
            if (int was = FocusedRow(); was >= 0 && was != p.row())
                SetOne(was, 0, LVIS_FOCUSED);
        if (!m_view || !p.isValid())
            return false;
        Silently([&] { ApplyState(p.row(), state, mask); });
        it = m_view->At(p.row());
        if (it->state == old || IsQuiet())
            return true;
        nm.iItem = p.row();
        nm.uNewState = it->state;
        NotifyNm(LVN_ITEMCHANGED, &nm.hdr);
        return true;
    }

    LRESULT NextItem(int start, UINT flags) const
    {
        UINT want = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED); // the LVIS_ bits
        int count = m_view->topLevelItemCount();
        if (flags & (LVNI_TOLEFT | LVNI_TORIGHT))
            return -1; // a report has one item per row
        if (flags & LVNI_ABOVE)
        {
            for (int r = std::min(start, count) - 1; r >= 0; --r)
                if ((m_view->At(r)->state & want) == want)
                    return r;
            return -1;
        }
        for (int r = std::max(start + 1, 0); r < count; ++r)
            if ((m_view->At(r)->state & want) == want)
                return r;
        return -1;
    }

    DWORD SetExtendedStyle(DWORD mask, DWORD style)
    {
        DWORD old = m_ex;
        m_ex = (old & ~mask) | (style & mask);
        if ((old ^ m_ex) & LVS_EX_CHECKBOXES)
            Silently([&] {
                // Turning check boxes on gives every item an unchecked box; turning them off removes them.
                bool on = Checkboxes();
                for (int r = 0; r < m_view->topLevelItemCount(); ++r)
                {
                    LvItem* it = m_view->At(r);
                    it->setFlags(on ? it->flags() | Qt::ItemIsUserCheckable : it->flags() & ~Qt::ItemIsUserCheckable);
                    if (on)
                        SetImage(it, 1);
                    else
                    {
                        it->setData(0, Qt::CheckStateRole, QVariant());
                        it->image = 0;
                    }
                    it->state = Actual(it, m_view->IndexOf(r));
                }
            });
        m_view->header()->setSectionsMovable(m_ex & LVS_EX_HEADERDRAGDROP);
        m_view->viewport()->update();
        return old;
    }

    BOOL ItemRect(int row, RECT* rc) const
    {
        m_view->Layout();
        UINT code = UINT(rc->left);
        QRect r = code == LVIR_LABEL || code == LVIR_ICON ? m_view->visualRect(m_view->IndexOf(row, 0))
                                                          : m_view->visualItemRect(m_view->At(row));
        if (code == LVIR_ICON)
            r.setWidth(0);
        if (!r.isValid() && code != LVIR_ICON)
            return FALSE;
        QPoint tl = m_view->viewport()->mapTo(m_view, r.topLeft());
        *rc = RECT{tl.x(), tl.y(), tl.x() + r.width(), tl.y() + r.height()};
        return TRUE;
    }

    LRESULT HitTest(LVHITTESTINFO* info, bool subItems) const
    {
        if (!info)
            return -1;
        info->iItem = -1;
        info->iSubItem = 0;
        QPoint p = m_view->HitPoint(info->pt, {LVHT_ABOVE, LVHT_BELOW, LVHT_TOLEFT, LVHT_TORIGHT}, info->flags);
        if (info->flags)
            return -1;
        QModelIndex at = m_view->indexAt(p);
        if (!at.isValid() || (!subItems && !OnItemLabel(p)))
        {
            info->flags = LVHT_NOWHERE;
            return -1;
        }
        info->flags = LVHT_ONITEMLABEL;
        info->iItem = at.row();
        info->iSubItem = subItems ? at.column() : 0;
        return at.row();
    }

    LRESULT FindItem(int start, const LVFINDINFO* fi) const
    {
        int count = m_view->topLevelItemCount();
        if (!fi || count == 0)
            return -1;
        int first = start < 0 || start >= count ? 0 : start + 1;
        int steps = (fi->flags & LVFI_WRAP) ? count : count - first;
        CString s(fi->psz ? fi->psz : "");
        for (int k = 0; k < steps; ++k)
        {
            int r = (first + k) % count;
            LvItem* it = m_view->At(r);
            if (fi->flags & LVFI_PARAM)
            {
                if (it->param == fi->lParam)
                    return r;
            }
            else if (fi->flags & LVFI_PARTIAL ? it->Text(0).Left(s.GetLength()).CompareNoCase(s) == 0
                                              : it->Text(0).CompareNoCase(s) == 0)
                return r;
        }
        return -1;
    }

    BOOL SortItems(PFNLVCOMPARE compare, LPARAM param)
    {
        if (!compare)
            return FALSE;
        Silently([&] {
            g_compare = compare;
            g_compareParam = param;
            m_view->invisibleRootItem()->sortChildren(0, Qt::AscendingOrder);
            g_compare = nullptr;
        });
        return TRUE;
    }

    ReportView* m_view = nullptr;
    bool m_hadPeer = false;
    std::vector<Pending> m_pending; // the items, while there is no widget
    std::vector<int> m_widths;      // and the columns' widths
    std::vector<Column> m_cols;
    DWORD m_ex = 0;
    std::vector<QPersistentModelIndex> m_dirty;
    int m_depth = 0;
    bool m_flushing = false;
    bool m_vetoed = false;
};

ReportView::~ReportView() { m_impl->Detach(); }

void ReportView::mousePressEvent(QMouseEvent* e)
{
    ListViewImpl::Batch batch(m_impl);
    m_pressed = e->button();
    QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton && indexAt(p).isValid() && !m_impl->OnItemLabel(p))
    {
        // A click beside the label is a click on empty space: it clears the selection.
        if (!(e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)))
            selectionModel()->clearSelection();
        return;
    }
    QTreeWidget::mousePressEvent(e);
}

void ReportView::mouseReleaseEvent(QMouseEvent* e)
{
    {
        ListViewImpl::Batch batch(m_impl);
        QTreeWidget::mouseReleaseEvent(e);
    }
    if (m_pressed != e->button() || !IsWindow(m_h))
        return;
    m_pressed = Qt::NoButton;
    QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton)
        m_impl->Activate(NM_CLICK, p, e->modifiers());
    else if (e->button() == Qt::RightButton && !m_impl->Activate(NM_RCLICK, p, e->modifiers()))
        pdt::cc::RaiseContextMenu(m_h, e->globalPosition().toPoint());
}

void ReportView::mouseDoubleClickEvent(QMouseEvent* e)
{
    {
        ListViewImpl::Batch batch(m_impl);
        QTreeWidget::mouseDoubleClickEvent(e);
    }
    if (e->button() == Qt::LeftButton && IsWindow(m_h))
        m_impl->Activate(NM_DBLCLK, e->position().toPoint(), e->modifiers());
}

void ReportView::keyPressEvent(QKeyEvent* e)
{
    ListViewImpl::Batch batch(m_impl);
    QTreeWidget::keyPressEvent(e);
}

void ReportView::focusInEvent(QFocusEvent* e)
{
    // The toolkit makes the first row current on focus; a Win32 list view waits for a key or a click.
    bool hadCurrent = currentIndex().isValid();
    m_impl->Silently([&] {
        QTreeWidget::focusInEvent(e);
        if (!hadCurrent)
            selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    });
}

} // namespace

std::unique_ptr<WindowImpl> pdt::cc::MakeListView(HWND h) { return std::make_unique<ListViewImpl>(h); }
