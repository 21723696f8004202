// Test support: drive windows through the toolkit's real event delivery, as a person would.
// Linking pdttesting supplies main(): an offscreen application and the hooks below.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/afxcmn.h"
#include "platform/afxhooks.h"
#include "platform/afxwin.h"

class QAbstractItemView;
class QWidget;

namespace pdt::test
{

// The process's code page for as long as the scope lasts, as opening a job of that code page sets it.
class CodePageScope
{
  public:
    explicit CodePageScope(int codePage) : m_saved(GetACP()) { SetAnsiCodePage(codePage); }
    ~CodePageScope() { SetAnsiCodePage(m_saved); }
    CodePageScope(const CodePageScope&) = delete;
    CodePageScope& operator=(const CodePageScope&) = delete;

  private:
    int m_saved;
};

HWND Item(const CWnd& dlg, int id); // fails the test when the control does not exist
QWidget* Peer(HWND h);              // the toolkit widget behind a window; null for no window
int FocusId();                      // the control id of the window that has the focus

// Mouse: a left click (or double click) in the middle of a control, or at a point in its client area; `keys`
// holds MK_SHIFT and MK_CONTROL for the keys held down.
void Click(HWND ctl);
void Click(const CWnd& dlg, int id);
void ClickAt(HWND wnd, CPoint pt, bool right = false, UINT keys = 0);
void DoubleClick(HWND ctl);
void DoubleClickAt(HWND wnd, CPoint pt);
void CloseBox(HWND wnd); // the close button of the window's title bar
void Drag(HWND wnd, CPoint from, CPoint to);
// One step of the mouse at a point of `wnd`, delivered to the widget under that point as the window system does when
// nothing holds the mouse (no grab of the pressed widget): what a window hears of a drag that leaves it.
void MouseDownAt(HWND wnd, CPoint pt);
void MouseMoveTo(HWND wnd, CPoint pt, bool leftDown = true);
void MouseUpAt(HWND wnd, CPoint pt);
// Files dragged from a file manager and dropped at a point of `wnd`, on the window there that takes drops or its
// nearest ancestor that does, as the toolkit delivers them. False when no window took them.
bool DropFiles(HWND wnd, CPoint pt, const std::vector<std::string>& paths);

// Keyboard: keys go to the window that has the focus, as a keyboard's do.
void Focus(HWND ctl);
void Type(const char* text);                  // each character as its key (shift where needed)
void Type(const CWnd& dlg, int id, const char* text); // focus the control, select its text, type
// Text in UTF-8 as a person enters it: each character as a key that carries it, or the whole text committed at
// once by an input method (how Chinese and Japanese are typed).
void TypeUnicode(const char* utf8);
void Compose(const char* utf8);
// The refusal balloon shown under a control for text the code page cannot hold, in UTF-8; empty when none shows.
std::string RefusalShown();
void ForgetRefusal(); // hides the balloon, as its time running out does
void Key(UINT vk, bool shift = false, bool ctrl = false, bool alt = false);
void KeyDown(UINT vk);
void KeyUp(UINT vk);

// Combo boxes and lists: choose an item with the mouse, as in the dropped list.
void ChooseComboItem(HWND combo, int index);
std::vector<CString> ItemTexts(HWND list); // the items of a combo box or list box, in order

// Runs `handler` inside the next modal loop; fails the test and cancels the dialog if it is still open
// when the handler returns.
void ExpectModal(std::function<void(CDialog&)> handler);

// Message boxes: each expected box is answered in order and recorded; an unexpected one fails the test.
struct SeenMessageBox
{
    CString text;
    CString caption;
    UINT type;
};
void ExpectMessageBox(int answer = IDOK);
// The next message box is shown for real; its text and caption as the person sees them (UTF-8) are read while
// it shows, then its first button is clicked.
void ExpectShownMessageBox(std::string* text, std::string* caption);
const std::vector<SeenMessageBox>& MessageBoxes(); // every box seen in the current test
int Beeps();                                        // error beeps in the current test

// Popup menus: each expected popup is answered in order with the given command id (0 dismisses it) and recorded;
// an unexpected popup fails the test and chooses nothing.
void ExpectPopupMenu(int chooseId);
const std::vector<pdt::hooks::PopupMenuRequest>& PopupMenus(); // every popup seen in the current test
// Runs `open`, which tracks popup menus, with the menus shown for real, pressing the keys one at a time in
// whichever popup is up. Returns, for each key, the first item of the popup it went to. A popup still up once the
// keys are spent is closed, and the test fails.
std::vector<CString> KeysInRealPopups(const std::vector<UINT>& keys, const std::function<void()>& open);

// Runs `open` with message boxes shown for real, running the steps one at a time, each once a window of the
// toolkit's own (a message box, a file dialog) is in front; steps press keys (Key, Type) as a person does. Returns
// the title of the window each step ran in. A toolkit window still up once the steps are spent is closed, and the
// test fails.
std::vector<std::string> InToolkitWindows(const std::vector<std::function<void()>>& steps,
                                          const std::function<void()>& open);
// A message box's text as a step sees it; empty when the window in front is no message box.
std::string MessageBoxTextInFront();

// Pixels of a custom-drawn window: the backing image that its device contexts draw into (after pending paints),
// and what the window system last showed of it (the backing image with the caret over it, once repainted).
COLORREF PixelAt(HWND wnd, CPoint pt);
COLORREF ShownPixelAt(HWND wnd, CPoint pt);

void Pump(); // lets posted messages and pending toolkit events run
// Creates `wnd` top-level from a class of its own (DefWindowProc, registered on first use) and lets it show.
bool CreatePlainWindow(CWnd& wnd, const char* className, const CRect& r, DWORD style = WS_POPUP | WS_VISIBLE,
                       HANDLE background = nullptr);
HGLOBAL GlobalText(const std::string& s); // moveable global memory holding s and its terminator
std::string GlobalString(HANDLE h);       // the text in global memory; "<null>" when it cannot be locked
void SetClipboardText(const char* text);  // CF_TEXT; null just empties the clipboard
std::string ClipboardText();              // CF_TEXT, "<no text>" or "<not opened>"
bool SavePng(HWND wnd, const std::string& path);
// The tooltip showing (UTF-8), waiting up to `waitMs` for one other than `other` to show; empty when none shows.
std::string ToolTipShown(int waitMs = 0, const std::string& other = {});
std::string OutputPath(const std::string& name); // out/test-images/<name> under the build folder
std::string TempDir(); // an empty folder of the current test's own, removed when the test ends

// A dialog that records every WM_COMMAND before its message map sees it and counts OnOK and OnCancel; with
// `closes` false they leave it open, as a container holding a page does.
struct Notification
{
    int id;
    int code;
    friend bool operator==(const Notification&, const Notification&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Notification& n)
    {
        return os << "{" << n.id << ", 0x" << std::hex << n.code << std::dec << "}";
    }
};
class RecordingDialog : public CDialog
{
  public:
    explicit RecordingDialog(UINT id, CWnd* parent = nullptr) : CDialog(id, parent) {}
    std::vector<Notification> notes;
    int oks = 0;
    int cancels = 0;
    bool closes = true;

    int Count(int id, int code) const;
    std::vector<int> Codes(int id) const; // the codes from one control, in order
    void Forget() { notes.clear(); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;
};

// A fixture whose dialog is created modeless from its template, shown in front, and destroyed afterwards.
template <class Dlg> class ShownDialog : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.Create(dlg.GetTemplateID()));
        dlg.ShowWindow(SW_SHOW);
        Pump();
        if constexpr (std::is_base_of_v<RecordingDialog, Dlg>)
            dlg.Forget(); // what it heard while opening
    }
    void TearDown() override
    {
        dlg.DestroyWindow();
        Pump();
    }
    Dlg dlg;
};

// One message a HostWnd heard, with the fields of its structure copied out.
struct Heard
{
    UINT message = 0; // WM_COMMAND, WM_NOTIFY, WM_HSCROLL, WM_VSCROLL, WM_CONTEXTMENU
    int id = 0;
    int code = 0; // notification code, or scroll code
    HWND from = nullptr;
    int item = -1, subItem = 0; // list views
    UINT oldState = 0, newState = 0, changed = 0;
    LPARAM param = 0;
    UINT action = 0; // tree views
    HTREEITEM oldItem = nullptr, newItem = nullptr;
    LPARAM oldParam = 0, newParam = 0;
    UINT newItemState = 0;
    WORD vk = 0; // key notifications
    int pos = 0; // scroll bars
};

// A shown plain parent window that records what its child controls tell it.
class HostWnd : public CWnd
{
  public:
    std::vector<Heard> heard;
    std::map<int, LRESULT> answers;            // a WM_NOTIFY code's answer (TRUE refuses a change)
    std::function<void(const Heard&)> onHeard; // runs as the parent hears each message

    bool Open();
    // A child control of a system class, attached to `wrapper` when given.
    HWND Make(const char* className, DWORD style, const CRect& r, int id, CWnd* wrapper = nullptr, DWORD exStyle = 0);
    std::vector<int> Codes(UINT message) const; // codes of one message, in order
    std::vector<Heard> Of(int code) const;      // notifications (WM_COMMAND, WM_NOTIFY) with `code`
    int Count(int code) const { return int(Of(code).size()); }
    int IndexOf(int code) const; // position of the first notification with `code`, or -1
    void Forget() { heard.clear(); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    DECLARE_MESSAGE_MAP()

  private:
    void Record(const Heard& h);
    void OnScroll(UINT message, UINT code, UINT pos, CScrollBar* bar);
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar) { OnScroll(WM_HSCROLL, code, pos, bar); }
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) { OnScroll(WM_VSCROLL, code, pos, bar); }
    void OnContextMenu(CWnd* wnd, CPoint);
};

// A fixture with a shown parent window of type Host; controls are made as its children.
template <class Host = HostWnd> class HostedTest : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }
    void TearDown() override
    {
        host.DestroyWindow();
        Pump();
    }
    Host host;
};
using ControlTest = HostedTest<>;

QAbstractItemView* ViewOf(HWND h);                 // the item view behind a list or tree control
CPoint RowCenter(HWND h, int row, int column = 0); // the middle of an item view's row, in client coordinates
// Where a scroll bar's style draws one of its parts (a QStyle::SubControl), in client coordinates; empty
// for a window that is no scroll bar.
CRect ScrollBarPart(HWND bar, int subControl);

// A shown custom-drawn window that records each WM_PAINT's rcPaint and WM_COMMAND id and draws with onPaint.
class PaintWnd : public CWnd
{
  public:
    std::function<void(CPaintDC&)> onPaint;
    std::vector<CRect> painted;
    std::vector<UINT> commands;
    std::function<void(CMenu*)> onInitMenuPopup;
    std::vector<std::pair<WPARAM, LPARAM>> menuSelects; // WM_MENUSELECT, repeats left out

    bool Open(int x = 40, int y = 40, int width = 200, int height = 120);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

  private:
    void OnPaint();
    LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM);
    LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
};

// A fixture with one shown PaintWnd, white after its first paint.
class PaintTest : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(wnd.Open()); }
    void TearDown() override
    {
        wnd.DestroyWindow();
        Pump();
    }
    PaintWnd wnd;
};

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0),
                   kGreen = RGB(0, 128, 0), kBlue = RGB(0, 0, 255);

} // namespace pdt::test
