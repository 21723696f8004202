// Private to the list box, list view, tree view and scroll bar sources.
#pragma once

#include <QStyledItemDelegate>
#include <QTreeWidget>

#include "platform/afxcmn.h"
#include "platform/window_p.h"
#include "platform/wordsort_p.h"

class QAbstractItemView;
class QAbstractScrollArea;
class QPoint;

namespace pdt::cc
{

std::unique_ptr<WindowImpl> MakeListBox(HWND h);
std::unique_ptr<WindowImpl> MakeListView(HWND h);
std::unique_ptr<WindowImpl> MakeTreeView(HWND h);
std::unique_ptr<WindowImpl> MakeScrollBar(HWND h);

// Border and scroll bars as the window styles ask for them.
void ApplyFrame(QAbstractScrollArea* area, HWND h);

// Without a "show selection always" style the selection is not drawn while another window has the focus.
void HideSelectionWhenInactive(QAbstractItemView* view);

// Items draw Win32's dotted focus rectangle round the item with the focus once a key was pressed in their window,
// as the toolkit's style draws no mark on items. List boxes, list views and tree views paint their items with it.
class FocusMarkDelegate : public QStyledItemDelegate
{
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override;

  protected:
    static void DrawFocusMark(QPainter* p, const QStyleOptionViewItem& o);
};

// What DefWindowProc makes of a right click: WM_CONTEXTMENU to the control, which passes it to its parent.
void RaiseContextMenu(HWND h, const QPoint& global);
LRESULT ForwardContextMenu(HWND h, WPARAM wParam, LPARAM lParam);

// WM_SETREDRAW.
void SetRedraw(HWND h, bool on);

// Copies text with its terminator into a caller's buffer of `size` bytes; returns the bytes copied, or -1.
int CopyOut(const CString& text, char* buffer, int size);

// The text of a message's string argument; LPSTR_TEXTCALLBACK (no callback support) reads as empty.
CString ArgText(const char* text);

// The list view's and tree view's peer: typing selects the item it finds, while the toolkit's other moves
// of the current item leave the selection to the control.
class ItemView : public QTreeWidget
{
  public:
    using QTreeWidget::QTreeWidget;
    void Layout() { executeDelayedItemsLayout(); }

    // A hit test's point, laid out and in viewport coordinates; outside the viewport, `outside` gets the
    // Win32 flags for the sides the point lies beyond (above, below, left, right), else stays 0.
    QPoint HitPoint(POINT pt, const UINT (&sides)[4], UINT& outside)
    {
        Layout();
        QPoint p = viewport()->mapFrom(this, QPoint(pt.x, pt.y));
        QRect area = viewport()->rect();
        outside = (p.y() < area.top() ? sides[0] : 0) | (p.y() > area.bottom() ? sides[1] : 0) |
                  (p.x() < area.left() ? sides[2] : 0) | (p.x() > area.right() ? sides[3] : 0);
        return p;
    }

  protected:
    bool Searching() const { return m_searching; }
    void keyboardSearch(const QString& search) override
    {
        m_searching = true;
        QTreeWidget::keyboardSearch(search);
        m_searching = false;
    }

  private:
    bool m_searching = false;
};

// Item order of sorted list boxes and tree views: the word sort the combo box uses too.
inline bool TextLess(const CString &a, const CString &b)
{
    return pdt::win::CompareWords(a, b) < 0;
}

} // namespace pdt::cc
