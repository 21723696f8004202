// The MFC-shaped window layer: windows, message maps, dialogs, controls, data exchange, message boxes.
// No toolkit header is visible here; each window's peer lives in the platform's sources.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/afxgdi.h"
#include "platform/afxtypes.h"

class CWnd;
class CDialog;
class CDataExchange;
class CScrollBar;

typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);

// ---------------------------------------------------------------------------------------------------------------
// Message maps: a static table per class, chained to the base class's table.

struct MessageMapEntry
{
    UINT message;
    int code;    // notification code (WM_COMMAND, WM_NOTIFY)
    int idFirst; // control id range (WM_COMMAND, WM_NOTIFY)
    int idLast;
    // Calls the handler; returns false when the handler declined (a range handler returning FALSE).
    std::function<bool(CWnd*, WPARAM, LPARAM, LRESULT&)> call;
};

class MessageMap
{
  public:
    MessageMap(const MessageMap* base, std::initializer_list<MessageMapEntry> entries)
        : m_base(base), m_entries(entries)
    {
    }
    const MessageMap* Base() const { return m_base; }
    const std::vector<MessageMapEntry>& Entries() const { return m_entries; }

  private:
    const MessageMap* m_base;
    std::vector<MessageMapEntry> m_entries;
};

#define DECLARE_MESSAGE_MAP()                                                                                          \
  public:                                                                                                              \
    static const MessageMap& GetThisMessageMap();                                                                      \
    const MessageMap& GetMessageMap() const override { return GetThisMessageMap(); }

// Typed entries, in namespace mm so that they do not clash with CWnd's handlers of the same meaning.
// Each binds a member of T, which must derive from CWnd.
namespace mm
{
template <class T> MessageMapEntry Command(int id, int code, void (T::*fn)())
{
    return {WM_COMMAND, code, id, id, [fn](CWnd* w, WPARAM, LPARAM, LRESULT&) {
                (static_cast<T*>(w)->*fn)();
                return true;
            }};
}
template <class T> MessageMapEntry CommandRange(int first, int last, int code, void (T::*fn)(UINT id))
{
    return {WM_COMMAND, code, first, last, [fn](CWnd* w, WPARAM wp, LPARAM, LRESULT&) {
                (static_cast<T*>(w)->*fn)(LOWORD(wp));
                return true;
            }};
}
template <class T> MessageMapEntry Notify(int id, int code, void (T::*fn)(NMHDR*, LRESULT*))
{
    return {WM_NOTIFY, code, id, id, [fn](CWnd* w, WPARAM, LPARAM lp, LRESULT& r) {
                (static_cast<T*>(w)->*fn)(reinterpret_cast<NMHDR*>(lp), &r);
                return true;
            }};
}
template <class T> MessageMapEntry Message(UINT message, LRESULT (T::*fn)(WPARAM, LPARAM))
{
    return {message, 0, 0, 0, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT& r) {
                r = (static_cast<T*>(w)->*fn)(wp, lp);
                return true;
            }};
}
template <class T> MessageMapEntry Destroy(void (T::*fn)())
{
    return {WM_DESTROY, 0, 0, 0, [fn](CWnd* w, WPARAM, LPARAM, LRESULT&) {
                (static_cast<T*>(w)->*fn)();
                return true;
            }};
}
template <class T> MessageMapEntry Paint(void (T::*fn)())
{
    return {WM_PAINT, 0, 0, 0, [fn](CWnd* w, WPARAM, LPARAM, LRESULT&) {
                (static_cast<T*>(w)->*fn)();
                return true;
            }};
}
template <class T> MessageMapEntry Timer(void (T::*fn)(UINT_PTR))
{
    return {WM_TIMER, 0, 0, 0, [fn](CWnd* w, WPARAM wp, LPARAM, LRESULT&) {
                (static_cast<T*>(w)->*fn)(wp);
                return true;
            }};
}
template <class T> MessageMapEntry GetDlgCode(UINT (T::*fn)())
{
    return {WM_GETDLGCODE, 0, 0, 0, [fn](CWnd* w, WPARAM, LPARAM, LRESULT& r) {
                r = (static_cast<T*>(w)->*fn)();
                return true;
            }};
}
// WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN ...: (nChar, nRepCnt, nFlags).
template <class T> MessageMapEntry Key(UINT message, void (T::*fn)(UINT, UINT, UINT))
{
    return {message, 0, 0, 0, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT&) {
                (static_cast<T*>(w)->*fn)(UINT(wp), UINT(lp & 0xFFFF), UINT((lp >> 16) & 0xFFFF));
                return true;
            }};
}
// WM_LBUTTONDOWN, WM_MOUSEMOVE ...: (nFlags, point in client coordinates).
template <class T> MessageMapEntry Mouse(UINT message, void (T::*fn)(UINT, CPoint))
{
    return {message, 0, 0, 0, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT&) {
                (static_cast<T*>(w)->*fn)(UINT(wp), CPoint(short(LOWORD(lp)), short(HIWORD(lp))));
                return true;
            }};
}
// WM_SETFOCUS, WM_KILLFOCUS: (the other window).
template <class T> MessageMapEntry Focus(UINT message, void (T::*fn)(CWnd*));
// WM_HSCROLL, WM_VSCROLL: (code, position, scroll bar control or null).
template <class T> MessageMapEntry Scroll(UINT message, void (T::*fn)(UINT, UINT, CScrollBar*));
// WM_CONTEXTMENU: (window, point in screen coordinates).
template <class T> MessageMapEntry ContextMenu(void (T::*fn)(CWnd*, CPoint));
template <class T> MessageMapEntry Size(void (T::*fn)(UINT, int, int))
{
    return {WM_SIZE, 0, 0, 0, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT&) {
                (static_cast<T*>(w)->*fn)(UINT(wp), LOWORD(lp), HIWORD(lp));
                return true;
            }};
}

} // namespace mm

// ---------------------------------------------------------------------------------------------------------------
// Free Win32 functions.

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
LRESULT DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsWindow(HWND hWnd);
HWND GetFocus();
// Mouse capture (capture.cpp): while a window holds it, every mouse message goes to that window, wherever the
// pointer is. The window that loses it gets WM_CAPTURECHANGED, lParam the new holder.
HWND SetCapture(HWND hWnd); // returns the previous holder
BOOL ReleaseCapture();
HWND GetCapture();
HWND GetParent(HWND hWnd);
// Moves a window under another parent (or owner); a window with WS_CHILD becomes the new parent's child, as when
// a popup is turned into a pane: ModifyStyle(WS_POPUP | WS_CAPTION, WS_CHILD) first. Returns the old parent.
HWND SetParent(HWND hWndChild, HWND hWndNewParent);
HWND GetDlgItem(HWND hDlg, int id);
int GetDlgCtrlID(HWND hWnd);
DWORD GetWindowStyle(HWND hWnd);
CString GetWindowClassName(HWND hWnd);
BOOL MessageBeep(UINT type);
short GetKeyState(int virtKey); // high bit set while the key is down
UINT VirtualKeyFromChar(char ch, bool* shifted = nullptr); // US layout: the key that types ch
int GetSystemMetrics(int index);
COLORREF GetSysColor(int index);

enum : int
{
    SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3, SM_CYCAPTION = 4, SM_CXBORDER = 5,
    SM_CYBORDER = 6, SM_CXDLGFRAME = 7, SM_CYDLGFRAME = 8, SM_CXEDGE = 45, SM_CYEDGE = 46,
};
enum : int
{
    COLOR_WINDOW = 5, COLOR_WINDOWTEXT = 8, COLOR_BTNFACE = 15, COLOR_3DFACE = 15, COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14, COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18,
};

// Class styles, standard cursors, WM_ACTIVATE states.
enum : UINT
{
    CS_VREDRAW = 0x0001, CS_HREDRAW = 0x0002, CS_DBLCLKS = 0x0008, CS_OWNDC = 0x0020, CS_CLASSDC = 0x0040,
    CS_PARENTDC = 0x0080, CS_NOCLOSE = 0x0200, CS_SAVEBITS = 0x0800, CS_GLOBALCLASS = 0x4000,
};
typedef HANDLE HCURSOR;
typedef HANDLE HICON;
inline LPCTSTR const IDC_ARROW = reinterpret_cast<LPCTSTR>(uintptr_t(32512));
inline LPCTSTR const IDC_IBEAM = reinterpret_cast<LPCTSTR>(uintptr_t(32513));
inline LPCTSTR const IDC_WAIT = reinterpret_cast<LPCTSTR>(uintptr_t(32514));
inline LPCTSTR const IDC_CROSS = reinterpret_cast<LPCTSTR>(uintptr_t(32515));
inline LPCTSTR const IDC_SIZEALL = reinterpret_cast<LPCTSTR>(uintptr_t(32646));
inline LPCTSTR const IDC_NO = reinterpret_cast<LPCTSTR>(uintptr_t(32648));
HCURSOR LoadCursor(HANDLE hInstance, LPCTSTR cursorName); // the standard cursors (IDC_ARROW ...) only
// The pointer's shape over the window that is asked with WM_SETCURSOR (wParam the window, LOWORD(lParam) the hit
// code, HTCLIENT in the client area) as the pointer moves over it; a window that answers FALSE shows its class's
// cursor, or the arrow.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
enum : int
{
    HTCLIENT = 1,
};
BOOL GetCursorPos(LPPOINT point); // screen coordinates

// Files dropped from a file manager: a window that accepts them (WS_EX_ACCEPTFILES) gets WM_DROPFILES with the
// drop in wParam, valid until the message returns.
struct DropRecord;
typedef DropRecord* HDROP;
void DragAcceptFiles(HWND hWnd, BOOL accept);
UINT DragQueryFile(HDROP drop, UINT index, LPTSTR file, UINT size); // index 0xFFFFFFFF: the count
// The same file as the file system names it (UTF-8), for a caller that opens it itself: DragQueryFile gives it in
// the code page, where a character the code page lacks is lost. Empty past the last file.
std::string DragQueryFileName(HDROP drop, UINT index);
BOOL DragQueryPoint(HDROP drop, LPPOINT point);                      // client coordinates of the window
void DragFinish(HDROP drop);
enum : int
{
    WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2,
};

// A registered window class: custom controls named by class in templates, and windows created with CreateEx.
struct WNDCLASS
{
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HANDLE hInstance;
    HANDLE hIcon;
    HANDLE hCursor;
    HANDLE hbrBackground;
    LPCTSTR lpszMenuName;
    LPCTSTR lpszClassName;
};
BOOL AfxRegisterClass(WNDCLASS* wndClass);
BOOL GetClassInfo(HANDLE hInstance, LPCTSTR className, WNDCLASS* wndClass);
HANDLE AfxGetInstanceHandle();

// ---------------------------------------------------------------------------------------------------------------

class CCmdTarget
{
  public:
    virtual ~CCmdTarget() = default;
};

class CWnd : public CCmdTarget
{
  public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    static CWnd* FromHandle(HWND hWnd);          // the attached object, or a wrapper owned by the window
    static CWnd* FromHandlePermanent(HWND hWnd); // the attached object only
    BOOL Attach(HWND hWnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Creation of a window of a registered class (custom-drawn windows).
    BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, LPVOID param = nullptr);
    BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    virtual BOOL DestroyWindow();

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual const MessageMap& GetMessageMap() const { return GetThisMessageMap(); }
    static const MessageMap& GetThisMessageMap();
    LRESULT Default(); // default processing of the message being handled
    const MSG* GetCurrentMessage() const;

    // State.
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    void DragAcceptFiles(BOOL accept = TRUE) { ::DragAcceptFiles(m_hWnd, accept); }
    BOOL IsWindowEnabled() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    void SetWindowText(LPCTSTR text);
    void GetWindowText(CString& text) const;
    CString GetWindowText() const;
    int GetWindowTextLength() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    int GetDlgCtrlID() const;
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    CWnd* GetTopLevelParent() const;
    BOOL IsChild(const CWnd* pWnd) const;
    BOOL IsWindowHandleValid() const { return ::IsWindow(m_hWnd); }

    // Geometry (pixels).
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT pt) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT pt) const;
    void ScreenToClient(LPRECT rect) const;
    void MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* wp) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* wp);
    void CenterWindow(CWnd* alternateOwner = nullptr);

    // Painting: custom-drawn windows keep a backing image that the device contexts draw into.
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void UpdateWindow();
    void SetRedraw(BOOL redraw = TRUE);
    CWnd* SetCapture();
    static CWnd* GetCapture();

    // Dialog items.
    CWnd* GetDlgItem(int id) const;
    void SetDlgItemText(int id, LPCTSTR text);
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    int GetCheckedRadioButton(int firstId, int lastId) const;
    CWnd* GetNextDlgTabItem(CWnd* ctl, BOOL previous = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* ctl, BOOL previous = FALSE) const;
    CWnd* GetWindow(UINT cmd) const;

    int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK);

    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;

    // Timers run on the toolkit's event loop and arrive as WM_TIMER.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, void* unused = nullptr);
    BOOL KillTimer(UINT_PTR id);

    // Device contexts of the client area (GetDC/ReleaseDC) and of painting (BeginPaint/EndPaint).
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* dc);
    CDC* BeginPaint(LPPAINTSTRUCT ps);
    void EndPaint(LPPAINTSTRUCT ps);
    void ValidateRect(LPCRECT rect);
    void Validate() { ValidateRect(nullptr); }
    BOOL GetUpdateRect(LPRECT rect, BOOL erase = FALSE);

    // The system caret: one per thread, owned by this window; created hidden.
    void CreateSolidCaret(int width, int height);
    void CreateGrayCaret(int width, int height);
    void CreateCaret(CBitmap* bitmap);
    void ShowCaret();
    void HideCaret();
    static CPoint GetCaretPos();
    static void SetCaretPos(POINT point);

    BOOL OpenClipboard();

    virtual void PostNcDestroy() {} // after the window is gone; a self-deleting window deletes itself here

  protected:
    virtual void PreSubclassWindow() {}
    void OnNcDestroy();

    friend struct WindowRecord;
    friend LRESULT SendMessage(HWND, UINT, WPARAM, LPARAM);
};

enum : UINT
{
    GW_HWNDFIRST = 0, GW_HWNDLAST = 1, GW_HWNDNEXT = 2, GW_HWNDPREV = 3, GW_OWNER = 4, GW_CHILD = 5,
};


namespace mm
{
template <class T> MessageMapEntry Focus(UINT message, void (T::*fn)(CWnd*))
{
    return {message, 0, 0, 0, [fn](CWnd* w, WPARAM wp, LPARAM, LRESULT&) {
                (static_cast<T*>(w)->*fn)(CWnd::FromHandle(reinterpret_cast<HWND>(wp)));
                return true;
            }};
}
template <class T> MessageMapEntry Scroll(UINT message, void (T::*fn)(UINT, UINT, CScrollBar*))
{
    return {message, 0, 0, 0, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT&) {
                (static_cast<T*>(w)->*fn)(LOWORD(wp), HIWORD(wp),
                                          reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lp))));
                return true;
            }};
}
template <class T> MessageMapEntry ContextMenu(void (T::*fn)(CWnd*, CPoint))
{
    return {WM_CONTEXTMENU, 0, 0, 0, [fn](CWnd* w, WPARAM wp, LPARAM lp, LRESULT&) {
                (static_cast<T*>(w)->*fn)(CWnd::FromHandle(reinterpret_cast<HWND>(wp)),
                                          CPoint(short(LOWORD(lp)), short(HIWORD(lp))));
                return true;
            }};
}

} // namespace mm

// ---------------------------------------------------------------------------------------------------------------
// The system caret (Win32: one per thread). A caret is created hidden; each HideCaret needs its own ShowCaret.

BOOL CreateCaret(HWND hWnd, HBITMAP bitmap, int width, int height); // bitmap null: solid; (HBITMAP)1: gray
BOOL DestroyCaret();
BOOL ShowCaret(HWND hWnd); // null: the caret of any window of this thread
BOOL HideCaret(HWND hWnd);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(LPPOINT point);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT milliseconds); // INFINITE: no blinking
constexpr UINT INFINITE = 0xFFFFFFFF;

// ---------------------------------------------------------------------------------------------------------------
// The clipboard. CF_TEXT is bytes in the ANSI code page with CR LF line ends, ended by a zero byte.

enum : UINT
{
    CF_TEXT = 1, CF_OEMTEXT = 7, CF_UNICODETEXT = 13,
};
typedef size_t SIZE_T;
enum : UINT
{
    GMEM_FIXED = 0x0000, GMEM_MOVEABLE = 0x0002, GMEM_ZEROINIT = 0x0040, GMEM_SHARE = 0x2000,
    GMEM_DDESHARE = 0x2000, GHND = GMEM_MOVEABLE | GMEM_ZEROINIT, GPTR = GMEM_FIXED | GMEM_ZEROINIT,
};
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
HGLOBAL GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags);
LPVOID GlobalLock(HGLOBAL mem);
BOOL GlobalUnlock(HGLOBAL mem); // FALSE once the lock count is back to 0
HGLOBAL GlobalFree(HGLOBAL mem); // null on success, the handle on failure
SIZE_T GlobalSize(HGLOBAL mem);

BOOL OpenClipboard(HWND hWndNewOwner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
// The system takes the memory handle: do not free it after a successful call.
HANDLE SetClipboardData(UINT format, HANDLE mem);
// The clipboard's own handle, valid until the clipboard is closed or emptied.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
HWND GetOpenClipboardWindow();
HWND GetClipboardOwner();
// A format of the program's own, from 0xC000; its name is the MIME type it carries on the desktop's clipboard
// ("application/x-..."), so other programs can read it. Its data is the bytes of the block as given.
UINT RegisterClipboardFormat(LPCSTR name);
int GetClipboardFormatName(UINT format, char* name, int max); // the name's length; 0 for an unknown format

// ---------------------------------------------------------------------------------------------------------------
// Menus: loaded from the resource chain's MENU resources or built with AppendMenu; popups shown by TrackPopupMenu.

enum : UINT
{
    MF_INSERT = 0x0000, MF_CHANGE = 0x0080, MF_APPEND = 0x0100, MF_DELETE = 0x0200, MF_REMOVE = 0x1000,
    MF_BYCOMMAND = 0x0000, MF_BYPOSITION = 0x0400, MF_ENABLED = 0x0000, MF_UNCHECKED = 0x0000,
    MF_STRING = 0x0000, MF_MENUBARBREAK = 0x0020, MF_MENUBREAK = 0x0040, MF_DEFAULT = 0x1000,
};
enum : UINT
{
    TPM_LEFTBUTTON = 0x0000, TPM_RIGHTBUTTON = 0x0002, TPM_LEFTALIGN = 0x0000, TPM_CENTERALIGN = 0x0004,
    TPM_RIGHTALIGN = 0x0008, TPM_TOPALIGN = 0x0000, TPM_VCENTERALIGN = 0x0010, TPM_BOTTOMALIGN = 0x0020,
    TPM_NONOTIFY = 0x0080, TPM_RETURNCMD = 0x0100,
    // Ours: the first enabled item starts highlighted, as in a menu a menu bar drops from the keyboard, so that
    // Enter chooses it at once.
    TPM_SELECTFIRST = 0x10000000,
};

class CMenu
{
  public:
    CMenu() = default;
    virtual ~CMenu(); // destroys the menu it holds, as MFC's does
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }
    static CMenu* FromHandle(HMENU hMenu); // a wrapper owned by the menu
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL LoadMenu(UINT idResource);
    BOOL LoadMenu(LPCTSTR resourceName); // MAKEINTRESOURCE(id)
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT flags, UINT_PTR idNewItem = 0, LPCTSTR newItem = nullptr);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idNewItem = 0, LPCTSTR newItem = nullptr);
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idNewItem = 0, LPCTSTR newItem = nullptr);
    BOOL DeleteMenu(UINT position, UINT flags); // a submenu goes with its item
    BOOL RemoveMenu(UINT position, UINT flags); // a submenu is kept (the caller owns it)

    CMenu* GetSubMenu(int position) const;
    int GetMenuItemCount() const;              // -1 for an invalid menu
    UINT GetMenuItemID(int position) const;    // 0 for a separator, (UINT)-1 for a submenu or a bad position
    UINT GetMenuState(UINT id, UINT flags) const; // MF_GRAYED | MF_CHECKED ..., (UINT)-1 when not found
    int GetMenuString(UINT id, CString& text, UINT flags) const;
    // Previous state (MF_ENABLED / MF_GRAYED / MF_DISABLED), or (UINT)-1 when the item does not exist.
    UINT EnableMenuItem(UINT id, UINT enable);
    // Previous state (MF_CHECKED / MF_UNCHECKED), or (UINT)-1 when the item does not exist.
    UINT CheckMenuItem(UINT id, UINT check);

    // Shows the popup at (x, y) in screen coordinates. The chosen command goes to the owner as WM_COMMAND
    // (posted, as Win32 does); with TPM_RETURNCMD the command id is returned instead (0 when none was chosen).
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);
};

HMENU LoadMenu(HANDLE hInstance, LPCTSTR resourceName);
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU hMenu);
HMENU GetSubMenu(HMENU hMenu, int position);
int GetMenuItemCount(HMENU hMenu);
UINT GetMenuItemID(HMENU hMenu, int position);
UINT GetMenuState(HMENU hMenu, UINT id, UINT flags);
UINT EnableMenuItem(HMENU hMenu, UINT id, UINT enable);
DWORD CheckMenuItem(HMENU hMenu, UINT id, UINT check);
BOOL AppendMenu(HMENU hMenu, UINT flags, UINT_PTR idNewItem, LPCTSTR newItem);
BOOL TrackPopupMenu(HMENU hMenu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);
// While a popup is tracked its owner gets WM_MENUSELECT as the highlight moves: LOWORD(wParam) the command, or the
// item's position for a submenu; HIWORD(wParam) MF_POPUP, MF_GRAYED, MF_CHECKED; lParam the menu holding it.
// When the popup closes: HIWORD 0xFFFF and no menu. EndMenu closes it, as if the user had dismissed it.
BOOL EndMenu();

// Message-filter hooks, WH_MSGFILTER only: every key pressed in a tracked popup menu reaches the hooks first,
// newest first, with code MSGF_MENU and lParam a MSG*; a hook that returns non-zero swallows the key.
struct HookRecord;
typedef HookRecord* HHOOK;
typedef LRESULT (*HOOKPROC)(int code, WPARAM wParam, LPARAM lParam);
enum : int
{
    WH_MSGFILTER = -1, MSGF_MENU = 2,
};
HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HANDLE hMod, DWORD threadId); // null for any other kind
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

// A plain top-level window of the platform's own frame class, for hosts and tools that need a parent.
class CFrameWnd : public CWnd
{
  public:
    // A null class name takes the platform's frame class.
    BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style = WS_OVERLAPPEDWINDOW,
                const RECT& rect = RECT{0, 0, 640, 480}, CWnd* parent = nullptr);
};

// ---------------------------------------------------------------------------------------------------------------
// Dialogs.

class CDialog : public CWnd
{
  public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(int result);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* ctl);
    void SetDefID(UINT id);
    DWORD GetDefID() const;
    UINT GetTemplateID() const { return m_nIDTemplate; }
    BOOL IsDialogMessage(MSG* pMsg);
    BOOL HandleDialogKey(MSG* pMsg); // Tab, arrows, Enter, Escape; FALSE when the key is not the dialog's

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX) {}
    BOOL PreTranslateMessage(MSG* pMsg) override;

    DECLARE_MESSAGE_MAP()

  protected:
    LRESULT OnInitDialogMessage(WPARAM, LPARAM);
    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;
    int m_nModalResult = -1;
    bool m_bInModalLoop = false;

    friend class DialogBuilder;
};

// ---------------------------------------------------------------------------------------------------------------
// Controls. The wrappers add no data: code may treat GetDlgItem's window as any of them, as MFC code does.

class CStatic : public CWnd
{
};

class CButton : public CWnd
{
  public:
    int GetCheck() const { return int(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, WPARAM(check)); }
    UINT GetState() const { return UINT(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL highlight) { SendMessage(BM_SETSTATE, WPARAM(highlight)); }
    UINT GetButtonStyle() const { return UINT(GetStyle() & 0xFFFF); }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }
    void Click() { SendMessage(BM_CLICK); }
};

class CEdit : public CWnd
{
  public:
    void SetSel(int start, int end, BOOL noScroll = FALSE) { SendMessage(EM_SETSEL, WPARAM(start), LPARAM(end)); }
    void GetSel(int& start, int& end) const;
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE) { SendMessage(EM_REPLACESEL, canUndo, LPARAM(text)); }
    void SetLimitText(UINT max) { SendMessage(EM_LIMITTEXT, max); }
    void LimitText(int max = 0) { SendMessage(EM_LIMITTEXT, WPARAM(max)); }
    UINT GetLimitText() const { return UINT(SendMessage(EM_GETLIMITTEXT)); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) { return BOOL(SendMessage(EM_SETREADONLY, readOnly)); }
    BOOL SetTabStops(int count, const int* stops) { return BOOL(SendMessage(EM_SETTABSTOPS, WPARAM(count), LPARAM(stops))); }
    BOOL SetTabStops(int cxEachStop) { return SetTabStops(1, &cxEachStop); }
    int GetLineCount() const { return int(SendMessage(EM_GETLINECOUNT)); }
    BOOL GetModify() const { return BOOL(SendMessage(EM_GETMODIFY)); }
    void SetModify(BOOL modified = TRUE) { SendMessage(EM_SETMODIFY, modified); }
};

class CComboBox : public CWnd
{
  public:
    int GetCount() const { return int(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return int(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) { return int(SendMessage(CB_SETCURSEL, WPARAM(index))); }
    int AddString(LPCTSTR text) { return int(SendMessage(CB_ADDSTRING, 0, LPARAM(text))); }
    int InsertString(int index, LPCTSTR text) { return int(SendMessage(CB_INSERTSTRING, WPARAM(index), LPARAM(text))); }
    int DeleteString(UINT index) { return int(SendMessage(CB_DELETESTRING, index)); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int FindString(int startAfter, LPCTSTR text) const { return int(SendMessage(CB_FINDSTRING, WPARAM(startAfter), LPARAM(text))); }
    int FindStringExact(int startAfter, LPCTSTR text) const { return int(SendMessage(CB_FINDSTRINGEXACT, WPARAM(startAfter), LPARAM(text))); }
    int SelectString(int startAfter, LPCTSTR text) { return int(SendMessage(CB_SELECTSTRING, WPARAM(startAfter), LPARAM(text))); }
    int GetLBTextLen(int index) const { return int(SendMessage(CB_GETLBTEXTLEN, WPARAM(index))); }
    void GetLBText(int index, CString& text) const;
    DWORD_PTR GetItemData(int index) const { return DWORD_PTR(SendMessage(CB_GETITEMDATA, WPARAM(index))); }
    int SetItemData(int index, DWORD_PTR data) { return int(SendMessage(CB_SETITEMDATA, WPARAM(index), LPARAM(data))); }
    void ShowDropDown(BOOL show = TRUE) { SendMessage(CB_SHOWDROPDOWN, show); }
    BOOL GetDroppedState() const { return BOOL(SendMessage(CB_GETDROPPEDSTATE)); }
    BOOL LimitText(int max) { return BOOL(SendMessage(CB_LIMITTEXT, WPARAM(max))); }
    DWORD GetEditSel() const { return DWORD(SendMessage(CB_GETEDITSEL)); }
    BOOL SetEditSel(int start, int end) { return BOOL(SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(WORD(start), WORD(end)))); }
};

class CListBox : public CWnd
{
  public:
    int GetCount() const { return int(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return int(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) { return int(SendMessage(LB_SETCURSEL, WPARAM(index))); }
    int GetSel(int index) const { return int(SendMessage(LB_GETSEL, WPARAM(index))); }
    int SetSel(int index, BOOL select = TRUE) { return int(SendMessage(LB_SETSEL, select, LPARAM(index))); }
    int GetSelCount() const { return int(SendMessage(LB_GETSELCOUNT)); }
    int GetSelItems(int maxItems, int* items) const { return int(SendMessage(LB_GETSELITEMS, WPARAM(maxItems), LPARAM(items))); }
    int AddString(LPCTSTR text) { return int(SendMessage(LB_ADDSTRING, 0, LPARAM(text))); }
    int InsertString(int index, LPCTSTR text) { return int(SendMessage(LB_INSERTSTRING, WPARAM(index), LPARAM(text))); }
    int DeleteString(UINT index) { return int(SendMessage(LB_DELETESTRING, index)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int FindString(int startAfter, LPCTSTR text) const { return int(SendMessage(LB_FINDSTRING, WPARAM(startAfter), LPARAM(text))); }
    int FindStringExact(int startAfter, LPCTSTR text) const { return int(SendMessage(LB_FINDSTRINGEXACT, WPARAM(startAfter), LPARAM(text))); }
    int SelectString(int startAfter, LPCTSTR text) { return int(SendMessage(LB_SELECTSTRING, WPARAM(startAfter), LPARAM(text))); }
    int GetTextLen(int index) const { return int(SendMessage(LB_GETTEXTLEN, WPARAM(index))); }
    void GetText(int index, CString& text) const;
    DWORD_PTR GetItemData(int index) const { return DWORD_PTR(SendMessage(LB_GETITEMDATA, WPARAM(index))); }
    int SetItemData(int index, DWORD_PTR data) { return int(SendMessage(LB_SETITEMDATA, WPARAM(index), LPARAM(data))); }
    int GetTopIndex() const { return int(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int index) { return int(SendMessage(LB_SETTOPINDEX, WPARAM(index))); }
};

class CScrollBar : public CWnd
{
  public:
    int GetScrollPos() const { return int(SendMessage(SBM_GETPOS)); }
    int SetScrollPos(int pos, BOOL redraw = TRUE) { return int(SendMessage(SBM_SETPOS, WPARAM(pos), redraw)); }
    void GetScrollRange(int* minPos, int* maxPos) const { SendMessage(SBM_GETRANGE, WPARAM(minPos), LPARAM(maxPos)); }
    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE) { SendMessage(SBM_SETRANGE, WPARAM(minPos), LPARAM(maxPos)); }
};

// ---------------------------------------------------------------------------------------------------------------
// Message boxes and application helpers.

int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT idPrompt, UINT type = MB_OK, UINT helpId = -1);
// While one lives, message boxes are not shown: each answers as its default button. For a check that runs a
// dialog's own validation only to learn whether it would pass, without speaking to the person.
class CQuietMessageBoxes
{
  public:
    CQuietMessageBoxes();
    ~CQuietMessageBoxes();
    CQuietMessageBoxes(const CQuietMessageBoxes&) = delete;
    CQuietMessageBoxes& operator=(const CQuietMessageBoxes&) = delete;
};
BOOL AfxLoadString(UINT id, CString& text); // string table of the resource chain
CWnd* AfxGetMainWnd();
void AfxSetMainWnd(CWnd* wnd);
CString AfxGetAppName();

// Raised by data exchange to abandon an UpdateData after its message was shown.
class CUserException
{
};
class CResourceException
{
};
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowResourceException();
