// Common controls: the list view and tree view messages, structures and notifications, their MFC wrappers,
// and the scroll information messages. No toolkit header is visible here.
#pragma once

#include "platform/afxwin.h"

// MFC's opaque iteration position (CListCtrl's selected items).
struct PositionTag;
typedef PositionTag* POSITION;

typedef char* LPSTR;
#define LPSTR_TEXTCALLBACK (reinterpret_cast<LPSTR>(intptr_t(-1)))
constexpr int I_CHILDRENCALLBACK = -1;
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT i) { return i << 12; }

// ---------------------------------------------------------------------------------------------------------------
// Scroll bars: the scroll information messages (a page size, the position while the thumb is dragged).

enum : UINT
{
    SBM_SETRANGEREDRAW = 0x00E6, SBM_SETSCROLLINFO = 0x00E9, SBM_GETSCROLLINFO = 0x00EA,
};
enum : UINT
{
    SIF_RANGE = 0x0001, SIF_PAGE = 0x0002, SIF_POS = 0x0004, SIF_DISABLENOSCROLL = 0x0008, SIF_TRACKPOS = 0x0010,
    SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS,
};
struct SCROLLINFO
{
    UINT cbSize;
    UINT fMask;
    int nMin;
    int nMax;
    UINT nPage;
    int nPos;
    int nTrackPos;
};
typedef SCROLLINFO* LPSCROLLINFO;

// ---------------------------------------------------------------------------------------------------------------
// Notifications beyond those of afxtypes.h.

enum : int
{
    LVN_INSERTITEM = -102, LVN_DELETEITEM = -103, LVN_DELETEALLITEMS = -104, LVN_COLUMNCLICK = -108,
    LVN_ITEMACTIVATE = -114,
    TVN_DELETEITEM = -409,
};

// ---------------------------------------------------------------------------------------------------------------
// List view.

enum : UINT
{
    LVM_FIRST = 0x1000,
    LVM_GETITEMCOUNT = LVM_FIRST + 4, LVM_GETITEM = LVM_FIRST + 5, LVM_SETITEM = LVM_FIRST + 6,
    LVM_INSERTITEM = LVM_FIRST + 7, LVM_DELETEITEM = LVM_FIRST + 8, LVM_DELETEALLITEMS = LVM_FIRST + 9,
    LVM_GETNEXTITEM = LVM_FIRST + 12, LVM_FINDITEM = LVM_FIRST + 13, LVM_GETITEMRECT = LVM_FIRST + 14,
    LVM_HITTEST = LVM_FIRST + 18, LVM_ENSUREVISIBLE = LVM_FIRST + 19, LVM_GETCOLUMN = LVM_FIRST + 25,
    LVM_SETCOLUMN = LVM_FIRST + 26, LVM_INSERTCOLUMN = LVM_FIRST + 27, LVM_DELETECOLUMN = LVM_FIRST + 28,
    LVM_GETCOLUMNWIDTH = LVM_FIRST + 29, LVM_SETCOLUMNWIDTH = LVM_FIRST + 30, LVM_GETTOPINDEX = LVM_FIRST + 39,
    LVM_GETCOUNTPERPAGE = LVM_FIRST + 40, LVM_SETITEMSTATE = LVM_FIRST + 43, LVM_GETITEMSTATE = LVM_FIRST + 44,
    LVM_GETITEMTEXT = LVM_FIRST + 45, LVM_SETITEMTEXT = LVM_FIRST + 46, LVM_SORTITEMS = LVM_FIRST + 48,
    LVM_GETSELECTEDCOUNT = LVM_FIRST + 50, LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54,
    LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55, LVM_SUBITEMHITTEST = LVM_FIRST + 57,
};

enum : DWORD
{
    LVS_EX_GRIDLINES = 0x00000001, LVS_EX_CHECKBOXES = 0x00000004, LVS_EX_TRACKSELECT = 0x00000008,
    LVS_EX_HEADERDRAGDROP = 0x00000010, LVS_EX_FULLROWSELECT = 0x00000020, LVS_EX_ONECLICKACTIVATE = 0x00000040,
    LVS_EX_DOUBLEBUFFER = 0x00010000,
};

enum : UINT
{
    LVIF_TEXT = 0x0001, LVIF_IMAGE = 0x0002, LVIF_PARAM = 0x0004, LVIF_STATE = 0x0008, LVIF_INDENT = 0x0010,
    LVIS_FOCUSED = 0x0001, LVIS_SELECTED = 0x0002, LVIS_CUT = 0x0004, LVIS_DROPHILITED = 0x0008,
    LVIS_OVERLAYMASK = 0x0F00, LVIS_STATEIMAGEMASK = 0xF000,
    LVNI_ALL = 0x0000, LVNI_FOCUSED = 0x0001, LVNI_SELECTED = 0x0002, LVNI_CUT = 0x0004, LVNI_DROPHILITED = 0x0008,
    LVNI_ABOVE = 0x0100, LVNI_BELOW = 0x0200, LVNI_TOLEFT = 0x0400, LVNI_TORIGHT = 0x0800,
    LVCF_FMT = 0x0001, LVCF_WIDTH = 0x0002, LVCF_TEXT = 0x0004, LVCF_SUBITEM = 0x0008,
    LVHT_NOWHERE = 0x0001, LVHT_ONITEMICON = 0x0002, LVHT_ONITEMLABEL = 0x0004, LVHT_ONITEMSTATEICON = 0x0008,
    LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON, LVHT_ABOVE = 0x0008, LVHT_BELOW = 0x0010,
    LVHT_TORIGHT = 0x0020, LVHT_TOLEFT = 0x0040,
    LVIR_BOUNDS = 0, LVIR_ICON = 1, LVIR_LABEL = 2, LVIR_SELECTBOUNDS = 3,
    LVFI_PARAM = 0x0001, LVFI_STRING = 0x0002, LVFI_PARTIAL = 0x0008, LVFI_WRAP = 0x0020,
};
enum : int
{
    LVCFMT_LEFT = 0, LVCFMT_RIGHT = 1, LVCFMT_CENTER = 2, LVCFMT_JUSTIFYMASK = 3,
    LVSCW_AUTOSIZE = -1, LVSCW_AUTOSIZE_USEHEADER = -2,
};

struct LVCOLUMN
{
    UINT mask;
    int fmt;
    int cx;
    LPSTR pszText;
    int cchTextMax;
    int iSubItem;
    int iImage;
    int iOrder;
};
typedef LVCOLUMN* LPLVCOLUMN;

struct LVITEM
{
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
    int iIndent;
};
typedef LVITEM* LPLVITEM;

struct LVFINDINFO
{
    UINT flags;
    LPCSTR psz;
    LPARAM lParam;
    POINT pt;
    UINT vkDirection;
};

struct LVHITTESTINFO
{
    POINT pt;
    UINT flags;
    int iItem;
    int iSubItem;
    int iGroup;
};
typedef LVHITTESTINFO* LPLVHITTESTINFO;

struct NMLISTVIEW
{
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
};
typedef NMLISTVIEW* LPNMLISTVIEW;

struct NMITEMACTIVATE
{
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
    UINT uKeyFlags;
};
typedef NMITEMACTIVATE* LPNMITEMACTIVATE;

#pragma pack(push, 1)
struct NMLVKEYDOWN
{
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
};
#pragma pack(pop)
typedef NMLVKEYDOWN* LPNMLVKEYDOWN;

typedef int (*PFNLVCOMPARE)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

// ---------------------------------------------------------------------------------------------------------------
// Tree view.

enum : UINT
{
    TV_FIRST = 0x1100,
    TVM_INSERTITEM = TV_FIRST + 0, TVM_DELETEITEM = TV_FIRST + 1, TVM_EXPAND = TV_FIRST + 2,
    TVM_GETITEMRECT = TV_FIRST + 4, TVM_GETCOUNT = TV_FIRST + 5, TVM_GETINDENT = TV_FIRST + 6,
    TVM_SETINDENT = TV_FIRST + 7, TVM_GETNEXTITEM = TV_FIRST + 10, TVM_SELECTITEM = TV_FIRST + 11,
    TVM_GETITEM = TV_FIRST + 12, TVM_SETITEM = TV_FIRST + 13, TVM_GETVISIBLECOUNT = TV_FIRST + 16,
    TVM_HITTEST = TV_FIRST + 17, TVM_SORTCHILDREN = TV_FIRST + 19, TVM_ENSUREVISIBLE = TV_FIRST + 20,
    TVM_SORTCHILDRENCB = TV_FIRST + 21, TVM_GETITEMSTATE = TV_FIRST + 39,
};

enum : UINT
{
    TVGN_ROOT = 0x0000, TVGN_NEXT = 0x0001, TVGN_PREVIOUS = 0x0002, TVGN_PARENT = 0x0003, TVGN_CHILD = 0x0004,
    TVGN_FIRSTVISIBLE = 0x0005, TVGN_NEXTVISIBLE = 0x0006, TVGN_PREVIOUSVISIBLE = 0x0007, TVGN_DROPHILITE = 0x0008,
    TVGN_CARET = 0x0009, TVGN_LASTVISIBLE = 0x000A,
    TVE_COLLAPSE = 0x0001, TVE_EXPAND = 0x0002, TVE_TOGGLE = 0x0003, TVE_EXPANDPARTIAL = 0x4000,
    TVE_COLLAPSERESET = 0x8000, TVE_ACTIONMASK = 0x0003,
    TVIF_TEXT = 0x0001, TVIF_IMAGE = 0x0002, TVIF_PARAM = 0x0004, TVIF_STATE = 0x0008, TVIF_HANDLE = 0x0010,
    TVIF_SELECTEDIMAGE = 0x0020, TVIF_CHILDREN = 0x0040, TVIF_INTEGRAL = 0x0080,
    TVIS_SELECTED = 0x0002, TVIS_CUT = 0x0004, TVIS_DROPHILITED = 0x0008, TVIS_BOLD = 0x0010,
    TVIS_EXPANDED = 0x0020, TVIS_EXPANDEDONCE = 0x0040, TVIS_EXPANDPARTIAL = 0x0080, TVIS_OVERLAYMASK = 0x0F00,
    TVIS_STATEIMAGEMASK = 0xF000, TVIS_USERMASK = 0xF000,
    TVC_UNKNOWN = 0x0000, TVC_BYMOUSE = 0x0001, TVC_BYKEYBOARD = 0x0002,
    TVHT_NOWHERE = 0x0001, TVHT_ONITEMICON = 0x0002, TVHT_ONITEMLABEL = 0x0004, TVHT_ONITEMINDENT = 0x0008,
    TVHT_ONITEMBUTTON = 0x0010, TVHT_ONITEMRIGHT = 0x0020, TVHT_ONITEMSTATEICON = 0x0040,
    TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON, TVHT_ABOVE = 0x0100,
    TVHT_BELOW = 0x0200, TVHT_TORIGHT = 0x0400, TVHT_TOLEFT = 0x0800,
};

// The special handles of TVM_INSERTITEM.
inline const HTREEITEM TVI_ROOT = reinterpret_cast<HTREEITEM>(uintptr_t(-0x10000));
inline const HTREEITEM TVI_FIRST = reinterpret_cast<HTREEITEM>(uintptr_t(-0x0FFFF));
inline const HTREEITEM TVI_LAST = reinterpret_cast<HTREEITEM>(uintptr_t(-0x0FFFE));
inline const HTREEITEM TVI_SORT = reinterpret_cast<HTREEITEM>(uintptr_t(-0x0FFFD));

struct TVITEM
{
    UINT mask;
    HTREEITEM hItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int cChildren;
    LPARAM lParam;
};
typedef TVITEM* LPTVITEM;

struct TVITEMEX
{
    UINT mask;
    HTREEITEM hItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int cChildren;
    LPARAM lParam;
    int iIntegral;
};

struct TVINSERTSTRUCT
{
    HTREEITEM hParent;
    HTREEITEM hInsertAfter;
    union {
        TVITEMEX itemex;
        TVITEM item;
    };
};
typedef TVINSERTSTRUCT* LPTVINSERTSTRUCT;

struct TVHITTESTINFO
{
    POINT pt;
    UINT flags;
    HTREEITEM hItem;
};
typedef TVHITTESTINFO* LPTVHITTESTINFO;

typedef int (*PFNTVCOMPARE)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
struct TVSORTCB
{
    HTREEITEM hParent;
    PFNTVCOMPARE lpfnCompare;
    LPARAM lParam;
};
typedef TVSORTCB* LPTVSORTCB;

struct NMTREEVIEW
{
    NMHDR hdr;
    UINT action;
    TVITEM itemOld;
    TVITEM itemNew;
    POINT ptDrag;
};
typedef NMTREEVIEW* LPNMTREEVIEW;

#pragma pack(push, 1)
struct NMTVKEYDOWN
{
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
};
#pragma pack(pop)
typedef NMTVKEYDOWN* LPNMTVKEYDOWN;

// ---------------------------------------------------------------------------------------------------------------
// Wrappers. Like the other control classes they hold no data and only send messages.

class CListCtrl : public CWnd
{
  public:
    // Columns.
    int InsertColumn(int nCol, const LVCOLUMN* pColumn) { return int(SendMessage(LVM_INSERTCOLUMN, WPARAM(nCol), LPARAM(pColumn))); }
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return BOOL(SendMessage(LVM_DELETECOLUMN, WPARAM(nCol))); }
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const { return BOOL(SendMessage(LVM_GETCOLUMN, WPARAM(nCol), LPARAM(pColumn))); }
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn) { return BOOL(SendMessage(LVM_SETCOLUMN, WPARAM(nCol), LPARAM(pColumn))); }
    int GetColumnWidth(int nCol) const { return int(SendMessage(LVM_GETCOLUMNWIDTH, WPARAM(nCol))); }
    BOOL SetColumnWidth(int nCol, int cx) { return BOOL(SendMessage(LVM_SETCOLUMNWIDTH, WPARAM(nCol), MAKELPARAM(WORD(cx), 0))); }
    int GetColumnCount() const; // MFC code asks the header control; there is none here

    // Items.
    int GetItemCount() const { return int(SendMessage(LVM_GETITEMCOUNT)); }
    int InsertItem(const LVITEM* pItem) { return int(SendMessage(LVM_INSERTITEM, 0, LPARAM(pItem))); }
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem) { return BOOL(SendMessage(LVM_DELETEITEM, WPARAM(nItem))); }
    BOOL DeleteAllItems() { return BOOL(SendMessage(LVM_DELETEALLITEMS)); }
    BOOL GetItem(LVITEM* pItem) const { return BOOL(SendMessage(LVM_GETITEM, 0, LPARAM(pItem))); }
    BOOL SetItem(const LVITEM* pItem) { return BOOL(SendMessage(LVM_SETITEM, 0, LPARAM(pItem))); }
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    DWORD_PTR GetItemData(int nItem) const;
    UINT GetItemState(int nItem, UINT nMask) const { return UINT(SendMessage(LVM_GETITEMSTATE, WPARAM(nItem), LPARAM(nMask))); }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL SetItemState(int nItem, LVITEM* pItem) { return BOOL(SendMessage(LVM_SETITEMSTATE, WPARAM(nItem), LPARAM(pItem))); }
    BOOL GetCheck(int nItem) const { return BOOL(GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) - 1; }
    BOOL SetCheck(int nItem, BOOL fCheck = TRUE) { return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK); }
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;

    // Selection and searching.
    int GetNextItem(int nItem, int nFlags) const { return int(SendMessage(LVM_GETNEXTITEM, WPARAM(nItem), MAKELPARAM(WORD(nFlags), 0))); }
    POSITION GetFirstSelectedItemPosition() const { return reinterpret_cast<POSITION>(uintptr_t(1 + GetNextItem(-1, LVNI_SELECTED))); }
    int GetNextSelectedItem(POSITION& pos) const;
    UINT GetSelectedCount() const { return UINT(SendMessage(LVM_GETSELECTEDCOUNT)); }
    int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const { return int(SendMessage(LVM_FINDITEM, WPARAM(nStart), LPARAM(pFindInfo))); }
    int HitTest(LVHITTESTINFO* pHitTestInfo) const { return int(SendMessage(LVM_HITTEST, 0, LPARAM(pHitTestInfo))); }
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int SubItemHitTest(LVHITTESTINFO* pInfo) { return int(SendMessage(LVM_SUBITEMHITTEST, 0, LPARAM(pInfo))); }
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return BOOL(SendMessage(LVM_SORTITEMS, WPARAM(dwData), LPARAM(pfnCompare))); }

    // View.
    DWORD GetExtendedStyle() const { return DWORD(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    DWORD SetExtendedStyle(DWORD dwNewStyle) { return DWORD(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LPARAM(dwNewStyle))); }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return BOOL(SendMessage(LVM_ENSUREVISIBLE, WPARAM(nItem), MAKELPARAM(WORD(bPartialOK), 0))); }
    int GetTopIndex() const { return int(SendMessage(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return int(SendMessage(LVM_GETCOUNTPERPAGE)); }
};

class CTreeCtrl : public CWnd
{
  public:
    // Items.
    HTREEITEM InsertItem(LPTVINSERTSTRUCT lpInsertStruct) { return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEM, 0, LPARAM(lpInsertStruct))); }
    HTREEITEM InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                         LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem) { return BOOL(SendMessage(TVM_DELETEITEM, 0, LPARAM(hItem))); }
    BOOL DeleteAllItems() { return BOOL(SendMessage(TVM_DELETEITEM, 0, LPARAM(TVI_ROOT))); }
    BOOL GetItem(TVITEM* pItem) const { return BOOL(SendMessage(TVM_GETITEM, 0, LPARAM(pItem))); }
    BOOL SetItem(TVITEM* pItem) { return BOOL(SendMessage(TVM_SETITEM, 0, LPARAM(pItem))); }
    BOOL SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                 UINT nStateMask, LPARAM lParam);
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszItem);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const { return UINT(SendMessage(TVM_GETITEMSTATE, WPARAM(hItem), LPARAM(nStateMask))); }
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    BOOL ItemHasChildren(HTREEITEM hItem) const;
    BOOL GetCheck(HTREEITEM hItem) const { return BOOL(GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12) - 1; }
    BOOL SetCheck(HTREEITEM hItem, BOOL fCheck = TRUE) { return SetItemState(hItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), TVIS_STATEIMAGEMASK); }
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
    UINT GetCount() const { return UINT(SendMessage(TVM_GETCOUNT)); }
    UINT GetVisibleCount() const { return UINT(SendMessage(TVM_GETVISIBLECOUNT)); }
    UINT GetIndent() const { return UINT(SendMessage(TVM_GETINDENT)); }
    void SetIndent(UINT nIndent) { SendMessage(TVM_SETINDENT, nIndent); }

    // Navigation.
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const { return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, nCode, LPARAM(hItem))); }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }
    HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE); }
    HTREEITEM GetLastVisibleItem() const { return GetNextItem(nullptr, TVGN_LASTVISIBLE); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() const { return GetNextItem(nullptr, TVGN_DROPHILITE); }
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const { return reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, LPARAM(pHitTestInfo))); }

    // Selection, expansion, order.
    BOOL Select(HTREEITEM hItem, UINT nCode) { return BOOL(SendMessage(TVM_SELECTITEM, nCode, LPARAM(hItem))); }
    BOOL SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
    BOOL SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
    BOOL SelectSetFirstVisible(HTREEITEM hItem) { return Select(hItem, TVGN_FIRSTVISIBLE); }
    BOOL Expand(HTREEITEM hItem, UINT nCode) { return BOOL(SendMessage(TVM_EXPAND, nCode, LPARAM(hItem))); }
    BOOL EnsureVisible(HTREEITEM hItem) { return BOOL(SendMessage(TVM_ENSUREVISIBLE, 0, LPARAM(hItem))); }
    BOOL SortChildren(HTREEITEM hItem) { return BOOL(SendMessage(TVM_SORTCHILDREN, 0, LPARAM(hItem))); }
    BOOL SortChildrenCB(LPTVSORTCB pSort) { return BOOL(SendMessage(TVM_SORTCHILDRENCB, 0, LPARAM(pSort))); }
};

// ---------------------------------------------------------------------------------------------------------------
// Tooltips, of the kind that watches its tools itself (TTF_SUBCLASS): a tip shows when the pointer has rested on
// a tool for the initial delay, follows a tool whose text comes from TTN_GETDISPINFO as the pointer moves over it,
// and goes when the pointer leaves the tool, a button is pressed, a key is typed or the wheel turns.

enum : int
{
    TTN_FIRST = -520, TTN_GETDISPINFO = TTN_FIRST - 10, TTN_NEEDTEXT = TTN_GETDISPINFO,
};
enum : DWORD
{
    TTDT_AUTOMATIC = 0, TTDT_RESHOW = 1, TTDT_AUTOPOP = 2, TTDT_INITIAL = 3,
};
// Sent to the tool's window as WM_NOTIFY, with the tool's id as idFrom: the text goes to lpszText (pointing at
// szText or at text that lasts until the next message); empty shows no tip.
struct NMTTDISPINFO
{
    NMHDR hdr;
    LPSTR lpszText;
    char szText[80];
    HANDLE hinst;
    UINT uFlags;
    LPARAM lParam;
};

class CToolTipCtrl : public CWnd
{
  public:
    BOOL Create(CWnd* parent, DWORD style = 0);
    // A tool: the rectangle `toolRect` of `wnd`'s client area, or the whole window without one; LPSTR_TEXTCALLBACK
    // asks the window for the text each time.
    BOOL AddTool(CWnd* wnd, LPCTSTR text = LPSTR_TEXTCALLBACK, LPCRECT toolRect = nullptr, UINT_PTR toolId = 0);
    void DelTool(CWnd* wnd, UINT_PTR toolId = 0);
    void UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR toolId = 0);
    void SetToolRect(CWnd* wnd, UINT_PTR toolId, LPCRECT rect);
    int GetToolCount() const;
    void Activate(BOOL activate);
    void SetDelayTime(DWORD duration, int time); // TTDT_INITIAL in milliseconds; -1 the default (500)
    void Pop();                                  // takes the tip away now
    CString GetShownText() const;                // the tip showing now, empty when none
};
