// Tree views: a QTreeWidget answering TVM_ messages. An HTREEITEM is the item itself; every handle is checked
// against the control's live items, so a stale one is refused rather than followed.
#include "platform/commctrl_p.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace
{
// TVM_SORTCHILDRENCB's comparison while the toolkit sorts.
PFNTVCOMPARE g_compare = nullptr;
LPARAM g_compareParam = 0;

constexpr int kChildrenAuto = -2; // TVIF_CHILDREN never set: the item has children when it has children
} // namespace

struct TreeItemRecord : public QTreeWidgetItem
{
    TreeItemRecord() : QTreeWidgetItem(UserType) {}
    CString bytes; // the caller's own bytes
    LPARAM param = 0;
    UINT state = 0; // expanded, expanded once, bold, cut; selection and drop highlight live in the control
    UINT image = 0; // the state image index (1 unchecked, 2 checked, 0 none)
    int children = kChildrenAuto;

    TreeItemRecord* Parent() const { return static_cast<TreeItemRecord*>(parent()); }
    TreeItemRecord* Child(int i) const { return static_cast<TreeItemRecord*>(child(i)); }

    bool operator<(const QTreeWidgetItem& o) const override
    {
        const auto& other = static_cast<const TreeItemRecord&>(o);
        if (g_compare)
            return g_compare(param, other.param, g_compareParam) < 0;
        return pdt::cc::TextLess(bytes, other.bytes);
    }
};

namespace
{

using pdt::cc::ArgText;
using pdt::cc::CopyOut;

class TreeViewImpl;

class TreeWidget : public pdt::cc::ItemView
{
  public:
    TreeWidget(HWND h, TreeViewImpl* impl, QWidget* parent) : ItemView(parent), m_h(h), m_impl(impl) {}
    ~TreeWidget() override;

    TreeItemRecord* Root(int i) const { return static_cast<TreeItemRecord*>(topLevelItem(i)); }
    TreeItemRecord* At(const QPoint& viewportPos) const { return static_cast<TreeItemRecord*>(itemAt(viewportPos)); }
    QModelIndex IndexOf(QTreeWidgetItem* item) const { return indexFromItem(item); }

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* e) const override
    {
        // One item is always the selection: the empty area, a Ctrl-click or the toolkit's own moves of the
        // current item never clear it.
        if ((!e && !Searching()) || !index.isValid() || (e && e->type() == QEvent::MouseButtonRelease))
            return QItemSelectionModel::NoUpdate;
        return QItemSelectionModel::ClearAndSelect;
    }
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void drawBranches(QPainter *painter, const QRect &rect, const QModelIndex &index) const override;

  private:
    bool HasChildren(const QModelIndex &index) const;
    HWND m_h;
    TreeViewImpl* m_impl;
    bool m_rightPressed = false;
};

class TreeViewImpl : public WindowImpl
{
  public:
    using WindowImpl::WindowImpl;

    QWidget* CreatePeer(QWidget* parent, const CString&) override
    {
        DWORD s = m_h->style;
        m_tree = new TreeWidget(m_h, this, parent);
        m_tree->setHeaderHidden(true);
        m_tree->setColumnCount(1);
        m_tree->header()->setStretchLastSection(true);
        m_tree->setRootIsDecorated((s & TVS_LINESATROOT) && (s & (TVS_HASBUTTONS | TVS_HASLINES)));
        m_tree->setUniformRowHeights(true);
        m_tree->setAnimated(false);
        m_tree->setExpandsOnDoubleClick(false); // the parent may refuse it through NM_DBLCLK
        m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
        m_tree->setFocusPolicy(Qt::StrongFocus);
        m_tree->setItemDelegate(new pdt::cc::FocusMarkDelegate(m_tree));
        m_tree->setContextMenuPolicy(Qt::PreventContextMenu);
        if (s & TVS_TRACKSELECT)
            m_tree->setMouseTracking(true);
        pdt::cc::ApplyFrame(m_tree, m_h);
        if (!(s & TVS_SHOWSELALWAYS))
            pdt::cc::HideSelectionWhenInactive(m_tree);
        QObject::connect(m_tree, &QTreeWidget::itemExpanded, [this](QTreeWidgetItem* i) { UserExpanded(i, true); });
        QObject::connect(m_tree, &QTreeWidget::itemCollapsed, [this](QTreeWidgetItem* i) { UserExpanded(i, false); });
        return m_tree;
    }

    void Detach() { m_tree = nullptr; }

    UINT DlgCode(const MSG*) const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

    // --- The user's actions.

    // Win32 reports a click's new selection after NM_CLICK, when the button goes up.
    void MouseDown() { m_mousePending = true; }
    void MouseUp()
    {
        if (!std::exchange(m_mousePending, false))
            return;
        NMHDR nm{};
        NotifyNm(NM_CLICK, &nm);
        UserSelected(TVC_BYMOUSE);
    }
    void FlushMouse()
    {
        if (std::exchange(m_mousePending, false))
            UserSelected(TVC_BYMOUSE);
    }
    LRESULT Simple(int code)
    {
        NMHDR nm{};
        return NotifyNm(code, &nm);
    }
    // Double-clicking an item toggles it unless the parent handled NM_DBLCLK.
    void DoubleClicked(const QPoint& viewportPos)
    {
        if (Simple(NM_DBLCLK) || !m_tree)
            return;
        TreeItemRecord* r = m_tree->At(viewportPos);
        if (r && Live(r) && viewportPos.x() >= m_tree->visualItemRect(r).left())
            Expand(r, TVE_TOGGLE, true);
    }
    // The toolkit has moved the selection: the parent hears of it and may refuse it.
    void UserSelected(UINT action)
    {
        if (!m_tree)
            return;
        QList<QTreeWidgetItem*> items = m_tree->selectedItems();
        auto* now = items.isEmpty() ? nullptr : static_cast<TreeItemRecord*>(items.front());
        if (now != m_sel && (!now || Live(now)))
            ChangeSelection(now, action);
    }

    LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (!m_tree)
            return WindowImpl::Proc(message, wParam, lParam);
        auto item = reinterpret_cast<HTREEITEM>(lParam);
        switch (message)
        {
        case TVM_INSERTITEM:
            return LRESULT(Insert(reinterpret_cast<const TVINSERTSTRUCT*>(lParam)));
        case TVM_DELETEITEM:
            if (!item || item == TVI_ROOT)
                return DeleteAll();
            return Live(item) ? Delete(item) : FALSE;
        case TVM_EXPAND:
            return Live(item) ? Expand(item, UINT(wParam), false) : FALSE;
        case TVM_GETITEM:
            return GetItem(reinterpret_cast<TVITEM*>(lParam));
        case TVM_SETITEM:
            return SetItem(reinterpret_cast<const TVITEM*>(lParam));
        case TVM_GETITEMSTATE: {
            auto* r = Live(reinterpret_cast<HTREEITEM>(wParam));
            return r ? LRESULT(StateOf(r) & UINT(lParam)) : 0;
        }
        case TVM_GETNEXTITEM:
            return LRESULT(Next(item, UINT(wParam)));
        case TVM_SELECTITEM:
            return Select(item, UINT(wParam));
        case TVM_GETCOUNT:
            return LRESULT(m_live.size());
        case TVM_GETINDENT:
            return m_tree->indentation();
        case TVM_SETINDENT:
            m_tree->setIndentation(std::max(int(wParam), 0));
            return 0;
        case TVM_GETVISIBLECOUNT: {
            m_tree->Layout();
            int row = m_tree->topLevelItemCount() ? m_tree->visualItemRect(m_tree->Root(0)).height() : 0;
            if (row <= 0)
                row = m_tree->fontMetrics().height() + 4;
            return m_tree->viewport()->height() / row;
        }
        case TVM_ENSUREVISIBLE:
            return Live(item) ? EnsureVisible(item) : FALSE;
        case TVM_SORTCHILDREN:
            return Sort(item, wParam != 0, nullptr, 0);
        case TVM_SORTCHILDRENCB: {
            auto* cb = reinterpret_cast<const TVSORTCB*>(lParam);
            return cb && cb->lpfnCompare ? Sort(cb->hParent, wParam != 0, cb->lpfnCompare, cb->lParam) : FALSE;
        }
        case TVM_GETITEMRECT:
            return lParam ? ItemRect(reinterpret_cast<RECT*>(lParam), wParam != 0) : FALSE;
        case TVM_HITTEST:
            return LRESULT(HitTest(reinterpret_cast<TVHITTESTINFO*>(lParam)));
        case WM_KEYDOWN: {
            NMTVKEYDOWN nm{};
            nm.wVKey = WORD(wParam);
            NotifyNm(TVN_KEYDOWN, &nm.hdr);
            return WindowImpl::Proc(message, wParam, lParam);
        }
        case WM_SETFOCUS:
            Simple(NM_SETFOCUS);
            // A focused tree always shows a selection: the first visible item when there was none.
            if (!m_sel && m_tree && m_tree->topLevelItemCount())
            {
                TreeItemRecord* first = FirstVisible();
                ChangeSelection(first ? first : m_tree->Root(0), TVC_UNKNOWN);
            }
            return 0;
        case WM_KILLFOCUS:
            Simple(NM_KILLFOCUS);
            return 0;
        case WM_CONTEXTMENU:
            return pdt::cc::ForwardContextMenu(m_h, wParam, lParam);
        case WM_SETREDRAW:
            pdt::cc::SetRedraw(m_h, wParam != 0);
            return 0;
        default:
            return WindowImpl::Proc(message, wParam, lParam);
        }
    }

  private:
    TreeItemRecord* Live(HTREEITEM h) const { return h && m_live.count(h) ? h : nullptr; }
    bool Checkboxes() const { return (m_h->style & TVS_CHECKBOXES) != 0; }
    int Row(TreeItemRecord* r) const { return m_tree->IndexOf(r).row(); }
    QTreeWidgetItem* Container(TreeItemRecord* parent) const { return parent ? parent : m_tree->invisibleRootItem(); }
    TreeItemRecord* Sibling(TreeItemRecord* r, int step) const
    {
        QTreeWidgetItem* c = Container(r->Parent());
        int i = Row(r) + step;
        return i >= 0 && i < c->childCount() ? static_cast<TreeItemRecord*>(c->child(i)) : nullptr;
    }
    static bool IsAncestor(const TreeItemRecord* a, const TreeItemRecord* d)
    {
        for (const QTreeWidgetItem* p = d ? d->parent() : nullptr; p; p = p->parent())
            if (p == a)
                return true;
        return false;
    }
    bool HasChildren(const TreeItemRecord* r) const
    {
        return r->children == kChildrenAuto ? r->childCount() > 0 : r->children != 0;
    }
    UINT StateOf(const TreeItemRecord* r) const
    {
        UINT s = r->state & ~(TVIS_SELECTED | TVIS_DROPHILITED | TVIS_STATEIMAGEMASK);
        if (r == m_sel)
            s |= TVIS_SELECTED;
        if (r == m_drop)
            s |= TVIS_DROPHILITED;
        UINT image = r->image;
        if (Checkboxes())
        {
            QVariant check = r->data(0, Qt::CheckStateRole);
            image = !check.isValid() ? 0 : check.toInt() == Qt::Checked ? 2 : 1;
        }
        return s | INDEXTOSTATEIMAGEMASK(image);
    }
    void Fill(TVITEM& t, TreeItemRecord* r) const
    {
        t.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_STATE;
        t.hItem = r;
        t.stateMask = 0xFFFF;
        t.state = r ? StateOf(r) : 0;
        t.lParam = r ? r->param : 0;
    }

    // --- What the toolkit shows follows the control's own state.

    void ShowSelection()
    {
        if (!m_tree)
            return;
        Quiet quiet(m_h);
        QItemSelectionModel* sm = m_tree->selectionModel();
        if (m_sel)
            sm->setCurrentIndex(m_tree->IndexOf(m_sel), QItemSelectionModel::ClearAndSelect);
        else
        {
            sm->clearSelection();
            sm->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        }
    }
    void ShowExpanded(TreeItemRecord* r)
    {
        Quiet quiet(m_h);
        r->setExpanded((r->state & TVIS_EXPANDED) != 0);
    }
    void ShowIndicator(TreeItemRecord* r)
    {
        r->setChildIndicatorPolicy(r->children == kChildrenAuto ? QTreeWidgetItem::DontShowIndicatorWhenChildless
                                   : r->children == 0           ? QTreeWidgetItem::DontShowIndicator
                                                                : QTreeWidgetItem::ShowIndicator);
    }
    void SetImage(TreeItemRecord* r, UINT image)
    {
        r->image = image;
        if (!Checkboxes())
            return;
        Quiet quiet(m_h);
        if (image == 0)
            r->setData(0, Qt::CheckStateRole, QVariant());
        else
            r->setCheckState(0, image == 2 ? Qt::Checked : Qt::Unchecked);
    }

    // --- Selection.

    // TVN_SELCHANGING, which may refuse, then the change and TVN_SELCHANGED; with `reveal`, the parents of the new
    // selection are expanded in between, as TVM_SELECTITEM does.
    bool ChangeSelection(TreeItemRecord *to, UINT action, bool reveal = false)
    {
        TreeItemRecord* from = m_sel;
        NMTREEVIEW nm{};
        nm.action = action;
        Fill(nm.itemOld, from);
        Fill(nm.itemNew, to);
        if (NotifyNm(TVN_SELCHANGING, &nm.hdr))
        {
            ShowSelection();
            return false;
        }
        if (!m_tree || (to && !Live(to)))
        {
            ShowSelection(); // the parent deleted it meanwhile
            return false;
        }
        m_sel = to;
        ShowSelection();
        if (reveal && to)
            EnsureVisible(to);
        if (!m_tree || (to && !Live(to)))
            return false; // an expansion's handler took it away
        nm = NMTREEVIEW{};
        nm.action = action;
        Fill(nm.itemOld, Live(from));
        nm.itemOld.hItem = from; // the handle is what the parent compares, even for an item on its way out
        Fill(nm.itemNew, to);
        NotifyNm(TVN_SELCHANGED, &nm.hdr);
        return true;
    }

    LRESULT Select(HTREEITEM item, UINT code)
    {
        TreeItemRecord* r = Live(item);
        if (item && !r)
            return FALSE;
        switch (code)
        {
        case TVGN_CARET:
            if (r == m_sel)
            {
                if (r)
                    EnsureVisible(r);
                return TRUE;
            }
            return ChangeSelection(r, TVC_UNKNOWN, true);
        case TVGN_DROPHILITE:
            m_drop = r;
            return TRUE;
        case TVGN_FIRSTVISIBLE:
            if (!r)
                return FALSE;
            EnsureVisible(r);
            m_tree->scrollToItem(r, QAbstractItemView::PositionAtTop);
            return TRUE;
        default:
            return FALSE;
        }
    }

    // --- Expansion.

    // TVM_EXPAND and the user's expansions. TVM_EXPAND reports only an item's first expansion; the user's are
    // always reported. TVN_ITEMEXPANDING may refuse.
    BOOL Expand(TreeItemRecord* r, UINT code, bool user)
    {
        UINT action = code & TVE_ACTIONMASK;
        if (action == TVE_TOGGLE)
            action = (r->state & TVIS_EXPANDED) ? TVE_COLLAPSE : TVE_EXPAND;
        if (action != TVE_EXPAND && action != TVE_COLLAPSE)
            return FALSE;
        bool expand = action == TVE_EXPAND;
        if (!HasChildren(r))
        {
            ShowExpanded(r);
            return FALSE;
        }
        if (expand == ((r->state & TVIS_EXPANDED) != 0))
        {
            ShowExpanded(r);
            if (!expand && (code & TVE_COLLAPSERESET))
                ResetChildren(r);
            return expand; // expanding an expanded item succeeds; collapsing a collapsed one does not
        }
        bool notify = user || !(r->state & TVIS_EXPANDEDONCE);
        if (notify)
        {
            NMTREEVIEW nm{};
            nm.action = action;
            Fill(nm.itemNew, r);
            if (NotifyNm(TVN_ITEMEXPANDING, &nm.hdr))
            {
                if (Live(r))
                    ShowExpanded(r);
                return FALSE;
            }
            if (!m_tree || !Live(r))
                return FALSE;
        }
        if (expand)
            r->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
        else
            r->state &= ~TVIS_EXPANDED;
        ShowExpanded(r);
        if (!expand && (code & TVE_COLLAPSERESET))
            ResetChildren(r);
        if (notify)
        {
            NMTREEVIEW nm{};
            nm.action = action;
            Fill(nm.itemNew, r);
            NotifyNm(TVN_ITEMEXPANDED, &nm.hdr);
        }
        // A collapse that hides the selection moves it to the collapsed item, without a word to the parent.
        if (!expand && m_tree && Live(r) && IsAncestor(r, m_sel))
        {
            m_sel = r;
            ShowSelection();
        }
        return TRUE;
    }

    void UserExpanded(QTreeWidgetItem* item, bool expanded)
    {
        if (IsQuiet() || !m_tree)
            return;
        auto* r = static_cast<TreeItemRecord*>(item);
        if (!Live(r) || expanded == ((r->state & TVIS_EXPANDED) != 0))
            return;
        Expand(r, expanded ? TVE_EXPAND : TVE_COLLAPSE, true);
    }

    void ResetChildren(TreeItemRecord* r)
    {
        while (m_tree && Live(r) && r->childCount() > 0)
            Delete(r->Child(0));
        if (Live(r))
            r->state &= ~TVIS_EXPANDEDONCE;
    }

    // Expands the collapsed parents and scrolls the item into view. Nonzero only for a scroll with no expansion.
    BOOL EnsureVisible(TreeItemRecord* r)
    {
        std::vector<TreeItemRecord*> chain;
        for (TreeItemRecord* p = r->Parent(); p; p = p->Parent())
            chain.push_back(p);
        bool expanded = false;
        for (auto it = chain.rbegin(); it != chain.rend(); ++it)
            if (Live(*it) && !((*it)->state & TVIS_EXPANDED))
                expanded = Expand(*it, TVE_EXPAND, true) || expanded;
        if (!m_tree || !Live(r))
            return FALSE;
        m_tree->Layout();
        QPoint before(m_tree->horizontalScrollBar()->value(), m_tree->verticalScrollBar()->value());
        m_tree->scrollToItem(r);
        QPoint after(m_tree->horizontalScrollBar()->value(), m_tree->verticalScrollBar()->value());
        return !expanded && before != after;
    }

    // --- Items.

    HTREEITEM Insert(const TVINSERTSTRUCT* tis)
    {
        if (!tis)
            return nullptr;
        TreeItemRecord* parent = nullptr;
        if (tis->hParent && tis->hParent != TVI_ROOT && !(parent = Live(tis->hParent)))
            return nullptr;
        QTreeWidgetItem* container = Container(parent);
        const TVITEM& ti = tis->item;
        auto* r = new TreeItemRecord;
        if (ti.mask & TVIF_TEXT)
            r->bytes = ArgText(ti.pszText);
        if (ti.mask & TVIF_PARAM)
            r->param = ti.lParam;
        if (ti.mask & TVIF_CHILDREN)
            r->children = ti.cChildren;
        int count = container->childCount(), at = count;
        HTREEITEM after = tis->hInsertAfter;
        if (after == TVI_FIRST)
            at = 0;
        else if (after == TVI_SORT)
        {
            // Before the first sibling that sorts after the new item.
            at = 0;
            while (at < count && !pdt::cc::TextLess(r->bytes, static_cast<TreeItemRecord*>(container->child(at))->bytes))
                ++at;
        }
        else if (TreeItemRecord* sibling = Live(after); sibling && sibling->Parent() == parent)
            at = Row(sibling) + 1;
        m_live.insert(r);
        {
            Quiet quiet(m_h);
            r->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | (Checkboxes() ? Qt::ItemIsUserCheckable : Qt::NoItemFlags));
            r->setText(0, ToQt(r->bytes));
            container->insertChild(at, r);
            ShowIndicator(r);
        }
        SetImage(r, Checkboxes() ? 1 : 0);
        if (ti.mask & TVIF_STATE)
            ApplyState(r, ti.state, ti.stateMask);
        // A parent that was expanded before it had children shows them now.
        if (parent && (parent->state & TVIS_EXPANDED))
            ShowExpanded(parent);
        return r;
    }

    // Items in the subtree of r, each item's children before it, the order in which they are reported deleted.
    static void Collect(TreeItemRecord* r, std::vector<TreeItemRecord*>& out)
    {
        for (int i = 0; i < r->childCount(); ++i)
            Collect(r->Child(i), out);
        out.push_back(r);
    }

    void NotifyDeleted(const std::vector<TreeItemRecord*>& items)
    {
        for (TreeItemRecord* d : items)
            if (m_tree && Live(d))
            {
                NMTREEVIEW nm{};
                Fill(nm.itemOld, d);
                NotifyNm(TVN_DELETEITEM, &nm.hdr);
            }
    }

    BOOL Delete(TreeItemRecord* r)
    {
        // The selection leaves first: to the next sibling, else the parent, else the previous sibling.
        if (m_sel && (m_sel == r || IsAncestor(r, m_sel)))
        {
            TreeItemRecord* next = Sibling(r, 1);
            if (!next)
                next = r->Parent();
            if (!next)
                next = Sibling(r, -1);
            ChangeSelection(next, TVC_UNKNOWN);
            if (!m_tree || !Live(r))
                return TRUE;
        }
        std::vector<TreeItemRecord*> doomed;
        Collect(r, doomed);
        NotifyDeleted(doomed);
        if (!m_tree || !Live(r))
            return TRUE; // the parent deleted it while it heard of it
        doomed.clear();
        Collect(r, doomed);
        for (TreeItemRecord* d : doomed)
        {
            m_live.erase(d);
            if (m_sel == d)
                m_sel = nullptr;
            if (m_drop == d)
                m_drop = nullptr;
        }
        Quiet quiet(m_h);
        delete r;
        return TRUE;
    }

    BOOL DeleteAll()
    {
        // Root by root while a selection has to move, as Win32 does it; then the rest at once.
        std::vector<TreeItemRecord*> roots;
        for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
            roots.push_back(m_tree->Root(i));
        for (TreeItemRecord* r : roots)
        {
            if (!m_tree || !m_sel)
                break;
            if (Live(r))
                Delete(r);
        }
        if (!m_tree)
            return TRUE;
        std::vector<TreeItemRecord*> doomed;
        for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
            Collect(m_tree->Root(i), doomed);
        NotifyDeleted(doomed);
        if (!m_tree)
            return TRUE;
        m_live.clear();
        m_sel = m_drop = nullptr;
        Quiet quiet(m_h);
        m_tree->clear();
        return TRUE;
    }

    BOOL GetItem(TVITEM* t) const
    {
        TreeItemRecord* r = t ? Live(t->hItem) : nullptr;
        if (!r)
            return FALSE;
        if (t->mask & TVIF_TEXT)
            CopyOut(r->bytes, t->pszText, std::max(t->cchTextMax, 0));
        if (t->mask & TVIF_PARAM)
            t->lParam = r->param;
        if (t->mask & TVIF_STATE)
            t->state = StateOf(r);
        if (t->mask & TVIF_CHILDREN)
            t->cChildren = r->children == kChildrenAuto ? (r->childCount() > 0 ? 1 : 0) : r->children;
        if (t->mask & TVIF_IMAGE)
            t->iImage = 0;
        if (t->mask & TVIF_SELECTEDIMAGE)
            t->iSelectedImage = 0;
        return TRUE;
    }

    BOOL SetItem(const TVITEM* t)
    {
        TreeItemRecord* r = t ? Live(t->hItem) : nullptr;
        if (!r)
            return FALSE;
        if (t->mask & TVIF_TEXT)
        {
            r->bytes = ArgText(t->pszText);
            Quiet quiet(m_h);
            r->setText(0, ToQt(r->bytes));
        }
        if (t->mask & TVIF_PARAM)
            r->param = t->lParam;
        if (t->mask & TVIF_CHILDREN)
        {
            r->children = t->cChildren;
            Quiet quiet(m_h);
            ShowIndicator(r);
        }
        if (t->mask & TVIF_STATE)
            ApplyState(r, t->state, t->stateMask);
        return TRUE;
    }

    // States set directly, as TVM_SETITEM does: no notifications, not even for the expansion.
    void ApplyState(TreeItemRecord* r, UINT state, UINT mask)
    {
        UINT kept = mask & (TVIS_EXPANDED | TVIS_EXPANDEDONCE | TVIS_BOLD | TVIS_CUT | TVIS_EXPANDPARTIAL | TVIS_OVERLAYMASK);
        r->state = (r->state & ~kept) | (state & kept);
        if (mask & TVIS_EXPANDED)
            ShowExpanded(r);
        if (mask & TVIS_BOLD)
        {
            Quiet quiet(m_h);
            QFont f = r->font(0);
            f.setBold(state & TVIS_BOLD);
            r->setFont(0, f);
        }
        if (mask & TVIS_STATEIMAGEMASK)
            SetImage(r, (state & TVIS_STATEIMAGEMASK) >> 12);
    }

    TreeItemRecord* FirstVisible() const
    {
        // Unscrolled, the first root is at the top: no need to lay the items out to find it.
        if (m_tree->verticalScrollBar()->value() == 0 && m_tree->horizontalScrollBar()->value() == 0 &&
            m_tree->topLevelItemCount())
            return m_tree->Root(0);
        m_tree->Layout();
        return m_tree->At(QPoint(1, 1));
    }

    HTREEITEM Next(HTREEITEM item, UINT code) const
    {
        TreeItemRecord* r = Live(item);
        switch (code)
        {
        case TVGN_ROOT:
            return m_tree->topLevelItemCount() ? m_tree->Root(0) : nullptr;
        case TVGN_CARET:
            return m_sel;
        case TVGN_DROPHILITE:
            return m_drop;
        case TVGN_FIRSTVISIBLE:
            return FirstVisible();
        case TVGN_LASTVISIBLE: {
            int n = m_tree->topLevelItemCount();
            TreeItemRecord* last = n ? m_tree->Root(n - 1) : nullptr;
            while (last && (last->state & TVIS_EXPANDED) && last->childCount() > 0)
                last = last->Child(last->childCount() - 1);
            return last;
        }
        case TVGN_CHILD:
            if (!item || item == TVI_ROOT)
                return m_tree->topLevelItemCount() ? m_tree->Root(0) : nullptr;
            return r && r->childCount() ? r->Child(0) : nullptr;
        default:
            break;
        }
        if (!r)
            return nullptr;
        switch (code)
        {
        case TVGN_NEXT:
            return Sibling(r, 1);
        case TVGN_PREVIOUS:
            return Sibling(r, -1);
        case TVGN_PARENT:
            return r->Parent();
        case TVGN_NEXTVISIBLE:
            return static_cast<TreeItemRecord*>(m_tree->itemBelow(r));
        case TVGN_PREVIOUSVISIBLE:
            return static_cast<TreeItemRecord*>(m_tree->itemAbove(r));
        default:
            return nullptr;
        }
    }

    BOOL Sort(HTREEITEM item, bool recurse, PFNTVCOMPARE compare, LPARAM param)
    {
        QTreeWidgetItem* container = nullptr;
        if (!item || item == TVI_ROOT)
            container = m_tree->invisibleRootItem();
        else if (TreeItemRecord* r = Live(item))
            container = r;
        else
            return FALSE;
        Quiet quiet(m_h);
        g_compare = compare;
        g_compareParam = param;
        SortUnder(container, recurse);
        g_compare = nullptr;
        return TRUE;
    }
    static void SortUnder(QTreeWidgetItem* container, bool recurse)
    {
        container->sortChildren(0, Qt::AscendingOrder);
        if (recurse)
            for (int i = 0; i < container->childCount(); ++i)
                SortUnder(container->child(i), true);
    }

    BOOL ItemRect(RECT* rc, bool textOnly) const
    {
        HTREEITEM h = nullptr;
        std::memcpy(&h, rc, sizeof h);
        TreeItemRecord* r = Live(h);
        if (!r)
            return FALSE;
        m_tree->Layout();
        QRect q = m_tree->visualItemRect(r);
        if (q.isEmpty())
            return FALSE; // hidden under a collapsed parent
        if (textOnly)
            q.setWidth(std::min(q.width(), m_tree->fontMetrics().horizontalAdvance(r->text(0)) + 6));
        else
        {
            q.setLeft(0);
            q.setRight(m_tree->viewport()->width() - 1);
        }
        QPoint tl = m_tree->viewport()->mapTo(m_tree, q.topLeft());
        *rc = RECT{tl.x(), tl.y(), tl.x() + q.width(), tl.y() + q.height()};
        return TRUE;
    }

    HTREEITEM HitTest(TVHITTESTINFO* info) const
    {
        if (!info)
            return nullptr;
        info->hItem = nullptr;
        QPoint p = m_tree->HitPoint(info->pt, {TVHT_ABOVE, TVHT_BELOW, TVHT_TOLEFT, TVHT_TORIGHT}, info->flags);
        if (info->flags)
            return nullptr;
        TreeItemRecord* r = m_tree->At(p);
        if (!r)
        {
            info->flags = TVHT_NOWHERE;
            return nullptr;
        }
        QRect q = m_tree->visualItemRect(r);
        int box = Checkboxes() ? m_tree->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 4 : 0;
        int label = m_tree->fontMetrics().horizontalAdvance(r->text(0)) + 6;
        if (p.x() < q.left())
            info->flags = p.x() >= q.left() - m_tree->indentation() && HasChildren(r) ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
        else if (p.x() < q.left() + box)
            info->flags = TVHT_ONITEMSTATEICON;
        else
            info->flags = p.x() <= q.left() + box + label ? TVHT_ONITEMLABEL : TVHT_ONITEMRIGHT;
        info->hItem = r;
        return r;
    }

    TreeWidget* m_tree = nullptr;
    std::unordered_set<TreeItemRecord*> m_live;
    TreeItemRecord* m_sel = nullptr;
    TreeItemRecord* m_drop = nullptr;
    bool m_mousePending = false;
};

TreeWidget::~TreeWidget() { m_impl->Detach(); }

void TreeWidget::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::RightButton)
    {
        // A right click leaves the selection where it is.
        m_rightPressed = true;
        return;
    }
    if (e->button() != Qt::LeftButton)
        return;
    m_impl->FlushMouse();
    m_impl->MouseDown();
    QTreeWidget::mousePressEvent(e);
}

void TreeWidget::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::RightButton)
    {
        if (std::exchange(m_rightPressed, false) && !m_impl->Simple(NM_RCLICK))
            pdt::cc::RaiseContextMenu(m_h, e->globalPosition().toPoint());
        return;
    }
    QTreeWidget::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && IsWindow(m_h))
        m_impl->MouseUp();
}

void TreeWidget::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    QTreeWidget::mouseDoubleClickEvent(e);
    if (IsWindow(m_h))
        m_impl->DoubleClicked(e->position().toPoint());
}

bool TreeWidget::HasChildren(const QModelIndex &index) const
{
    QTreeWidgetItem *item = itemFromIndex(index);
    if (!item)
        return false;
    switch (item->childIndicatorPolicy())
    {
    case QTreeWidgetItem::ShowIndicator:
        return true;
    case QTreeWidgetItem::DontShowIndicator:
        return false;
    default:
        return item->childCount() > 0;
    }
}

// The branch area as Win32 draws it: dotted lines joining each item to its parent and siblings (TVS_HASLINES)
// and a boxed plus or minus on each item with children (TVS_HASBUTTONS); the root's column only with
// TVS_LINESATROOT, which decorates the root.
void TreeWidget::drawBranches(QPainter *painter, const QRect &rect, const QModelIndex &index) const
{
    DWORD style = m_h->style;
    bool lines = style & TVS_HASLINES, buttons = style & TVS_HASBUTTONS;
    int indent = indentation();
    if ((!lines && !buttons) || indent <= 0)
        return;
    int depth = 0;
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
        ++depth;
    int first = rootIsDecorated() ? 0 : 1; // the depth drawn in the leftmost column
    int columns = depth + 1 - first;
    if (columns <= 0)
        return;
    int left = rect.right() + 1 - columns * indent;
    int top = rect.top(), bottom = rect.bottom(), mid = rect.center().y();
    painter->save();
    QPen dotted(palette().color(QPalette::Dark), 1, Qt::DotLine);
    auto hasNext = [this](const QModelIndex &i) { return i.sibling(i.row() + 1, 0).isValid(); };
    QModelIndex at = index;
    for (int column = columns - 1; column >= 0; --column, at = at.parent())
    {
        int x = left + column * indent + indent / 2;
        painter->setPen(dotted);
        if (column == columns - 1)
        {
            if (lines)
            {
                bool firstRoot = !at.parent().isValid() && at.row() == 0;
                painter->drawLine(x, firstRoot ? mid : top, x, hasNext(at) ? bottom : mid);
                painter->drawLine(x, mid, left + (column + 1) * indent - 1, mid);
            }
            if (buttons && HasChildren(at))
            {
                QRect box(x - 4, mid - 4, 9, 9);
                painter->fillRect(box, palette().color(QPalette::Base));
                painter->setPen(QPen(palette().color(QPalette::Dark), 1));
                painter->drawRect(box.adjusted(0, 0, -1, -1));
                painter->setPen(QPen(palette().color(QPalette::Text), 1));
                painter->drawLine(x - 2, mid, x + 2, mid);
                if (!isExpanded(at))
                    painter->drawLine(x, mid - 2, x, mid + 2);
            }
        }
        else if (lines && hasNext(at))
            painter->drawLine(x, top, x, bottom);
    }
    painter->restore();
}

void TreeWidget::keyPressEvent(QKeyEvent* e)
{
    m_impl->FlushMouse();
    QTreeWidget::keyPressEvent(e);
    if (IsWindow(m_h))
        m_impl->UserSelected(TVC_BYKEYBOARD);
}

} // namespace

std::unique_ptr<WindowImpl> pdt::cc::MakeTreeView(HWND h) { return std::make_unique<TreeViewImpl>(h); }
