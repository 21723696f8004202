// List boxes, list views, tree views and scroll bars: the class factory, what they share, and the wrappers.
#include "platform/commctrl_p.h"

#include <QAbstractItemView>
#include <QFrame>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cstring>

std::unique_ptr<WindowImpl> MakeCommonControlImpl(HWND h, const CString& lowerClass)
{
    if (lowerClass == "listbox")
        return pdt::cc::MakeListBox(h);
    if (lowerClass == "syslistview32")
        return pdt::cc::MakeListView(h);
    if (lowerClass == "systreeview32")
        return pdt::cc::MakeTreeView(h);
    if (lowerClass == "scrollbar")
        return pdt::cc::MakeScrollBar(h);
    return nullptr;
}

namespace pdt::cc
{

void FocusMarkDelegate::paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const
{
    QStyledItemDelegate::paint(p, o, i);
    DrawFocusMark(p, o);
}

void FocusMarkDelegate::DrawFocusMark(QPainter* p, const QStyleOptionViewItem& o)
{
    if (!(o.state & QStyle::State_HasFocus) || !o.widget ||
        !o.widget->window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    p->save();
    const QPalette::ColorGroup group = (o.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
    QPen pen(o.palette.color(group, (o.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
    pen.setStyle(Qt::DotLine);
    pen.setWidth(0);
    p->setPen(pen);
    p->setBrush(Qt::NoBrush);
    // A row that shows the focus in every column gets one rectangle round the row, not one per cell.
    const QRect r = o.rect.adjusted(0, 0, -1, -1);
    using Pos = QStyleOptionViewItem::ViewItemPosition;
    const Pos pos = o.viewItemPosition;
    p->drawLine(r.topLeft(), r.topRight());
    p->drawLine(r.bottomLeft(), r.bottomRight());
    if (pos == Pos::Invalid || pos == Pos::OnlyOne || pos == Pos::Beginning)
        p->drawLine(r.topLeft(), r.bottomLeft());
    if (pos == Pos::Invalid || pos == Pos::OnlyOne || pos == Pos::End)
        p->drawLine(r.topRight(), r.bottomRight());
    p->restore();
}

void ApplyFrame(QAbstractScrollArea* area, HWND h)
{
    bool border = (h->style & WS_BORDER) || (h->exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    area->setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
}

void HideSelectionWhenInactive(QAbstractItemView* view)
{
    QPalette p = view->palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Inactive, QPalette::Base));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Inactive, QPalette::Text));
    view->setPalette(p);
}

void RaiseContextMenu(HWND h, const QPoint& global)
{
    if (IsWindow(h) && !h->quiet)
        ::SendMessage(h, WM_CONTEXTMENU, WPARAM(h), MAKELPARAM(WORD(short(global.x())), WORD(short(global.y()))));
}

LRESULT ForwardContextMenu(HWND h, WPARAM wParam, LPARAM lParam)
{
    // A child window's DefWindowProc hands the menu request to its parent.
    if ((h->style & WS_CHILD) && IsWindow(h->parent))
        return ::SendMessage(h->parent, WM_CONTEXTMENU, wParam, lParam);
    return 0;
}

void SetRedraw(HWND h, bool on)
{
    h->redraw = on;
    if (QWidget* w = h->peer)
    {
        w->setUpdatesEnabled(on);
        if (on)
            w->update();
    }
}

int CopyOut(const CString& text, char* buffer, int size)
{
    if (!buffer || buffer == LPSTR_TEXTCALLBACK || size == 0)
        return -1;
    int n = text.GetLength();
    if (size > 0)
        n = std::min(n, size - 1);
    std::memcpy(buffer, text.c_str(), size_t(n));
    buffer[n] = 0;
    return n;
}

CString ArgText(const char* text)
{
    if (!text || text == LPSTR_TEXTCALLBACK)
        return CString();
    return CString(text);
}

} // namespace pdt::cc

// ---------------------------------------------------------------------------------------------------------------
// Wrappers that need more than one message.

void CListBox::GetText(int index, CString& text) const
{
    int n = GetTextLen(index);
    if (n < 0)
    {
        text.Empty();
        return;
    }
    std::string buf(size_t(n) + 1, '\0');
    SendMessage(LB_GETTEXT, WPARAM(index), LPARAM(buf.data()));
    text = CString(buf.c_str(), n);
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMN column{};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPSTR>(lpszColumnHeading ? lpszColumnHeading : "");
    column.fmt = nFormat;
    if (nWidth != -1)
    {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1)
    {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

int CListCtrl::GetColumnCount() const
{
    LVCOLUMN column{};
    column.mask = LVCF_FMT;
    int n = 0;
    while (GetColumn(n, &column))
        ++n;
    return n;
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0); }

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam)
{
    LVITEM item{};
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEM item{};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszText);
    return BOOL(SendMessage(LVM_SETITEMTEXT, WPARAM(nItem), LPARAM(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // Grows the buffer until the text fits, as MFC does.
    CString text;
    LVITEM item{};
    item.iSubItem = nSubItem;
    for (int size = 256;; size *= 2)
    {
        item.cchTextMax = size;
        item.pszText = text.GetBuffer(size);
        int n = int(SendMessage(LVM_GETITEMTEXT, WPARAM(nItem), LPARAM(&item)));
        text.ReleaseBuffer(n >= 0 && n < size ? n : -1);
        if (n < size - 1)
            return text;
    }
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    LVITEM item{};
    item.iSubItem = nSubItem;
    item.cchTextMax = nLen;
    item.pszText = lpszText;
    return int(SendMessage(LVM_GETITEMTEXT, WPARAM(nItem), LPARAM(&item)));
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    LVITEM item{};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = LPARAM(dwData);
    return SetItem(&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEM item{};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? DWORD_PTR(item.lParam) : 0;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEM item{};
    item.state = nState;
    item.stateMask = nMask;
    return SetItemState(nItem, &item);
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    if (!lpRect)
        return FALSE;
    lpRect->left = LONG(nCode);
    return BOOL(SendMessage(LVM_GETITEMRECT, WPARAM(nItem), LPARAM(lpRect)));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int item = int(reinterpret_cast<uintptr_t>(pos)) - 1;
    pos = reinterpret_cast<POSITION>(uintptr_t(1 + GetNextItem(item, LVNI_SELECTED)));
    return item;
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info{};
    info.pt = pt;
    int item = HitTest(&info);
    if (pFlags)
        *pFlags = info.flags;
    return item;
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCT tvis{};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = nMask;
    tvis.item.pszText = const_cast<LPSTR>(lpszItem);
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    tvis.item.state = nState;
    tvis.item.stateMask = nStateMask;
    tvis.item.lParam = lParam;
    return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0, hParent,
                      hInsertAfter);
}

BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    TVITEM item{};
    item.hItem = hItem;
    item.mask = nMask;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    CString text;
    TVITEM item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = hItem;
    for (int size = 256;; size *= 2)
    {
        item.cchTextMax = size;
        item.pszText = text.GetBuffer(size);
        text.GetBuffer()[0] = 0;
        BOOL ok = GetItem(&item);
        text.ReleaseBuffer();
        if (!ok || text.GetLength() < size - 1)
            return text;
    }
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem)
{
    return SetItem(hItem, TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEM item{};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = hItem;
    return GetItem(&item) ? DWORD_PTR(item.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    return SetItem(hItem, TVIF_PARAM, nullptr, 0, 0, 0, 0, LPARAM(dwData));
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    return SetItem(hItem, TVIF_STATE, nullptr, 0, 0, nState, nStateMask, 0);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEM item{};
    item.mask = TVIF_CHILDREN | TVIF_HANDLE;
    item.hItem = hItem;
    return GetItem(&item) ? BOOL(item.cChildren != 0) : FALSE;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    if (!lpRect)
        return FALSE;
    // The item travels in the rectangle, as Win32 has it.
    std::memcpy(lpRect, &hItem, sizeof hItem);
    return BOOL(SendMessage(TVM_GETITEMRECT, WPARAM(bTextOnly), LPARAM(lpRect)));
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO info{};
    info.pt = pt;
    HTREEITEM item = HitTest(&info);
    if (pFlags)
        *pFlags = info.flags;
    return item;
}
