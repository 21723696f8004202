// Private to the platform's sources: the window record behind an HWND and the class behaviours.
#pragma once

#include <QImage>
#include <QRect>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "platform/afxwin.h"

class QEventLoop;
class QFont;

QString ToQt(const char* bytes);
QString ToQt(const CString& bytes);
CString FromQt(const QString& text);

class WindowImpl;

// The bytes a text control was given and what it shows for them, character by character, so that the bytes come
// back exactly as given wherever the person left the text alone: bytes the code page cannot read, A0h, and in a
// multi-line edit every line end (CR LF, lone LF, lone CR, each shown as a line break).
class ShownBytes
{
  public:
    void Set(const CString& bytes, bool multiline);
    const QString& Shown() const { return m_shown; }
    CString Read(const QString& now) const; // the bytes for what the control shows now

  private:
    struct Piece
    {
        std::string bytes;
        QString shown;
    };
    CString Convert(const QString& text) const;
    std::vector<Piece> m_pieces;
    QString m_shown;
    int m_codePage = 0;
    bool m_multi = false;
    bool m_plain = true; // ASCII with CR LF line ends only: converting is enough
};

struct WindowRecord
{
    // The toolkit widget, made when the window is first shown or asked for anything only a widget knows
    // (pdt::win::Peer); until then the record holds the window's state. Null while the window is lazy.
    QPointer<QWidget> peer;
    QRect rect;                       // where the window goes in its parent, while it has no peer
    std::unique_ptr<QFont> dialogFont; // a dialog's template font, given to its peer
    QPoint baseUnits;                  // and its dialog base units
    std::vector<std::function<void(QWidget*)>> onPeer; // what waits for the peer (a button's picture)
    HWND parent = nullptr; // parent (child windows) or owner (top-level windows)
    CWnd* wnd = nullptr;   // attached object
    std::unique_ptr<CWnd> wrapper;
    std::unique_ptr<WindowImpl> impl;
    CString className;
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    int quiet = 0; // >0 while the platform itself changes a control: no notifications
    bool destroyed = false;
    std::vector<HWND> children; // creation order = Z order = tab order
    std::unique_ptr<QImage> backing;
    QEventLoop* modalLoop = nullptr;
    const MSG* currentMsg = nullptr;
    WNDPROC classProc = nullptr; // registered classes
    bool redraw = true;
    HFONT font = nullptr; // WM_SETFONT; null: the dialog font
    QRect invalid; // custom-drawn windows: the area WM_PAINT must redraw
    bool erase = false;           // InvalidateRect asked for WM_ERASEBKGND at the next BeginPaint
    HANDLE classBrush = nullptr;  // the registered class's background brush
    unsigned paintSerial = 0;     // counts BeginPaint calls, so a WM_PAINT nobody answered still validates
    int inPeerPaint = 0;          // >0 while the peer's own paint event runs WM_PAINT
    bool paintQueued = false;     // a dialog's WM_PAINT waits for the queue to run
};

// Suppresses notifications while the platform changes a control on behalf of an API call.
class Quiet
{
  public:
    explicit Quiet(HWND h) : m_h(h) { ++m_h->quiet; }
    ~Quiet() { --m_h->quiet; }

  private:
    HWND m_h;
};

// Behaviour of one window class: builds the peer widget and answers the class's messages.
class WindowImpl
{
  public:
    explicit WindowImpl(HWND h) : m_h(h) {}
    virtual ~WindowImpl() = default;
    // Builds the peer from the state the window has now (text, style and the class's own state).
    virtual QWidget* CreatePeer(QWidget* parent, const CString& text) = 0;
    // Whether the class keeps its state without a peer; the others get one at once.
    virtual bool Lazy() const { return false; }
    // Whether a message needs the peer to be answered; a lazy window makes its peer first.
    virtual bool NeedsPeer(UINT message) const;
    virtual LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual CString GetText() const;
    virtual void SetText(const CString& text);
    void SetInitialText(const CString& text) { m_text = text; }
    virtual UINT DlgCode(const MSG* msg) const { return 0; }
    virtual bool IsCustomDrawn() const { return false; }
    virtual QRect AdjustRect(const QRect& r) const { return r; } // e.g. a combo box is as high as its edit field
    // Whether the widget, once made, takes the record's rectangle as it is: its size can be told without it.
    virtual bool SizedByRecord() const { return false; }
    virtual void SetDialogFont(const QFont&) {}
    // A control whose device contexts draw over it, what is drawn lasting until it repaints itself (a static,
    // as in Win32): the image they draw into. Null for the others, whose drawing goes nowhere.
    virtual QImage* DrawnOver() { return nullptr; }

  protected:
    void Notify(int code) const;                 // WM_COMMAND to the parent, unless quiet
    LRESULT NotifyNm(int code, NMHDR* hdr) const; // WM_NOTIFY to the parent (hdr filled here)
    bool IsQuiet() const { return m_h->quiet > 0; }
    HWND m_h;
    CString m_text; // the window's text as Win32 keeps it; what the peer shows follows it
};

namespace pdt::win
{
// The peer being asked for its pointer shape (WM_SETCURSOR), which SetCursor shapes; null outside that.
QWidget* CursorTarget();
Qt::CursorShape CursorShapeOf(HCURSOR cursor);
HWND FromWidget(const QWidget* w); // the window whose peer is w or contains it
// The same, but null for a widget in a window of the toolkit's own (a message box, a file dialog) that merely
// has one of ours as its parent: keys and focus there are the toolkit's business, not our windows'.
HWND OwnWindowOf(const QWidget* w);
// Whether the modal window in front disables w's window: any window but the modal one and those it owns.
bool DisabledByModal(const QWidget* w);
// The window's peer, made now (with its parent's, and its own children's) if the window has none yet.
QWidget* Peer(HWND h);
// The top-level widget of the window's peer: what the toolkit's own dialogs are owned by. Null without a window.
QWidget* PeerWindow(HWND h);
// Hidden as the toolkit means it: hidden itself, whatever its parent is.
bool IsHiddenSelf(HWND h);
// A dialog's font and base units, on its peer now or when it is made.
void SetDialogLook(HWND h, const QFont& font, QPoint baseUnits);
// Runs what needs the peer now, or once it is made.
void WithPeer(HWND h, std::function<void(QWidget*)> action);
HWND CreateWindowRecord(const CString& className, const CString& text, DWORD style, DWORD exStyle, const QRect& rect,
                        HWND parent, int id, CWnd* attach);
void DestroyWindowRecord(HWND h);
void EnsureEventFilter();
QFont DialogFont(const char* face, int points, int weight, bool italic);
bool IsDialogClass(HWND h);
UINT VirtualKeyOf(const QKeyEvent* e); // the Win32 virtual-key code of a toolkit key event, 0 for none
bool PassToToolkit(); // set by class procs that leave a key to the peer widget
void SetPassToToolkit();
void ResetPassToToolkit();
void MarkDispatched();   // a dialog passed the message on to its window
bool TakeDispatched();   // and clears the mark
void FocusChanged(HWND to); // WM_KILLFOCUS to the old focus window, WM_SETFOCUS to the new, when they differ
HWND TrackedFocus();
HWND& LockoutNotifyWindow(); // a window inside UpdateData: its controls' notifications are not dispatched
// Makes a top-level window the active one at once, as Win32's activation is: window systems that activate later
// (an X server answers with an event) would otherwise let the next key or click reach the window before.
void ActivateNow(QWidget* top);
// Dialogs are painted by their controls, but get WM_PAINT as Win32 sends it: for an invalid part, once the
// queue has run (SchedulePaint) or at once (DispatchPaint, UpdateWindow's).
void SchedulePaint(HWND h);
void DispatchPaint(HWND h);
// Text a person types or pastes must fit the ANSI code page: CanHold says whether it does; RefuseText beeps and
// tells, in a balloon under the window, which character the code page lacks. LastRefusal is the balloon's text
// while it shows.
bool CanHold(const QString& text);
void RefuseText(HWND h, const QString& text);
QString LastRefusal();
void ClearRefusal();
} // namespace pdt::win

namespace pdt::dlg
{
HWND NextTabItem(HWND dlg, HWND current, bool previous); // across nested child dialogs, wrapping
HWND NextGroupItem(HWND current, bool previous);          // within the WS_GROUP group, wrapping
void FocusControl(HWND h);                                // focus, selecting an edit's text as Tab does
void FocusMoved(HWND to); // the default push button's look follows a focus that moved into a dialog
} // namespace pdt::dlg
