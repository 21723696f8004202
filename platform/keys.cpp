// The application-wide filter, where the keyboard model lives:
// - A key goes to the window in front: the active modal window when there is one, else the active window; inside
//   it, to the window with the focus. A window that a modal window disables (any but the modal window and the
//   windows it owns) gets no key at all, shortcuts included.
// - A window of ours gets the key as WM_KEYDOWN / WM_CHAR / WM_KEYUP, offered to PreTranslateMessage from the focus
//   window up to its top-level window (a dialog's IsDialogMessage: Tab, arrows in groups, Enter to the default
//   push button, Escape to IDCANCEL, mnemonics), then to its window procedure; what they leave the peer widget sees.
// - A window of the toolkit's own (a message box, a file dialog, the colour chooser) handles its keys itself, as
//   Win32's own dialogs do; none of ours sees them, not even its owner.
// - When a modal window ends, the focus is back where it was before DoModal returns (dialog.cpp).
// Focus changes between our windows become WM_SETFOCUS / WM_KILLFOCUS; a toolkit window taking the focus for a
// while changes nothing in that record, so the focus it gives back arrives nowhere a second time.
#include "platform/window_p.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>

#include <bitset>
#include <cstring>

namespace
{

// Punctuation on a US keyboard: the character typed, with and without Shift, and its virtual key.
struct PunctKey
{
    char plain, shifted;
    UINT vk;
};
constexpr PunctKey kPunct[] = {
    {';', ':', VK_OEM_1},     {'=', '+', VK_OEM_PLUS}, {',', '<', VK_OEM_COMMA}, {'-', '_', VK_OEM_MINUS},
    {'.', '>', VK_OEM_PERIOD}, {'/', '?', VK_OEM_2},   {'`', '~', VK_OEM_3},     {'[', '{', VK_OEM_4},
    {'\\', '|', VK_OEM_5},    {']', '}', VK_OEM_6},    {'\'', '"', VK_OEM_7},
};
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

UINT VkFromQt(const QKeyEvent* e)
{
    int k = e->key();
    bool keypad = e->modifiers() & Qt::KeypadModifier;
    if (keypad)
    {
        if (k >= Qt::Key_0 && k <= Qt::Key_9)
            return VK_NUMPAD0 + UINT(k - Qt::Key_0);
        switch (k)
        {
        case Qt::Key_Asterisk: return VK_MULTIPLY;
        case Qt::Key_Plus: return VK_ADD;
        case Qt::Key_Minus: return VK_SUBTRACT;
        case Qt::Key_Period: return VK_DECIMAL;
        case Qt::Key_Slash: return VK_DIVIDE;
        case Qt::Key_Enter: return VK_RETURN;
        default: break;
        }
    }
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return 'A' + UINT(k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return '0' + UINT(k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12)
        return VK_F1 + UINT(k - Qt::Key_F1);
    switch (k)
    {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Help: return VK_HELP;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Clear: return VK_CLEAR;
    default: break;
    }
    // The toolkit names the shifted symbol (Key_Exclam for Shift+1); Win32 names the key.
    if (k > 0 && k < 0x80)
        return VirtualKeyFromChar(char(k));
    return 0;
}

// The character WM_CHAR carries for a key press, or 0.
char CharFromQt(const QKeyEvent* e)
{
    switch (e->key())
    {
    case Qt::Key_Return:
    case Qt::Key_Enter: return '\r';
    case Qt::Key_Backspace: return '\b';
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return '\t';
    default: break;
    }
    bool ctrl = e->modifiers() & Qt::ControlModifier;
    if (ctrl && e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z)
        return char(1 + e->key() - Qt::Key_A);
    if (ctrl)
        return 0;
    if (e->modifiers() & Qt::AltModifier)
    {
        // Alt+letter is a WM_SYSCHAR of the letter: the dialog's mnemonics.
        int k = e->key();
        bool shift = e->modifiers() & Qt::ShiftModifier;
        if (k >= Qt::Key_A && k <= Qt::Key_Z)
            return char((shift ? 'A' : 'a') + (k - Qt::Key_A));
        if (k >= Qt::Key_0 && k <= Qt::Key_9)
            return char('0' + (k - Qt::Key_0));
        return 0;
    }
    QString t = e->text();
    if (t.isEmpty() || t[0].unicode() < 0x20 || t[0].unicode() == 0x7F || !pdt::win::CanHold(t))
        return 0;
    CString bytes = FromQt(t.left(1));
    return bytes.IsEmpty() ? 0 : bytes[0];
}

// The trail byte of a double-byte character the key types, or 0: Win32 sends it in a WM_CHAR of its own, after
// the lead byte's.
char TrailFromQt(const QKeyEvent* e)
{
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return 0;
    QString t = e->text();
    if (t.isEmpty() || t[0].unicode() < 0x80 || !pdt::win::CanHold(t))
        return 0;
    CString bytes = FromQt(t.left(t[0].isHighSurrogate() ? 2 : 1));
    return bytes.GetLength() == 2 ? bytes[1] : 0;
}

LPARAM KeyLParam(const QKeyEvent* e, bool down)
{
    LPARAM lp = 1 | (LPARAM(e->nativeScanCode() & 0xFF) << 16);
    if (e->isAutoRepeat())
        lp |= LPARAM(1) << 30;
    if (!down)
        lp |= (LPARAM(1) << 30) | (LPARAM(1) << 31);
    return lp;
}

std::bitset<256> g_keysDown; // GetKeyState: which keys are down while their messages are handled

bool WalkPreTranslate(MSG& msg)
{
    for (HWND h = msg.hwnd; IsWindow(h); h = h->parent)
    {
        if (h->wnd && h->wnd->PreTranslateMessage(&msg))
            return true;
        if (!(h->style & WS_CHILD))
            break;
    }
    return false;
}

// Offers a message to PreTranslateMessage and delivers it. Returns false when a window took it for good
// (a dialog key, a swallowed key); `pass` tells whether the peer widget should still see the key.
bool Deliver(MSG& msg, bool& pass)
{
    pdt::win::TakeDispatched();
    pdt::win::ResetPassToToolkit();
    if (WalkPreTranslate(msg))
    {
        if (!pdt::win::TakeDispatched())
            return false;
    }
    else
        ::SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    pass = pass || pdt::win::PassToToolkit();
    return true;
}

// Returns true when the key was consumed and the toolkit must not see it.
bool HandleKey(HWND h, QKeyEvent* e)
{
    bool down = e->type() == QEvent::KeyPress;
    // A character the ANSI code page cannot hold is refused where it is typed, never passed on as '?'. A window
    // that takes no characters (a button) is told of none, as of any other character.
    if (down && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !e->text().isEmpty() &&
        e->text()[0].unicode() >= 0x20 && !pdt::win::CanHold(e->text()))
    {
        if (::SendMessage(h, WM_GETDLGCODE, 0, 0) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS))
            pdt::win::RefuseText(h, e->text());
        return true;
    }
    UINT vk = VkFromQt(e);
    char ch = down ? CharFromQt(e) : 0;
    if (!vk && !ch)
        return false;
    bool alt = e->modifiers() & Qt::AltModifier;
    bool pass = false;
    if (vk)
    {
        MSG msg{h, down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP), vk, KeyLParam(e, down),
                0, {0, 0}};
        if (!Deliver(msg, pass))
            return true;
    }
    if (ch && IsWindow(h))
    {
        // The toolkit inserts the character as it acts on the key: when there is one, the class's WM_CHAR
        // decides, so that a subclass's OnChar filter holds.
        MSG msg{h, alt ? WM_SYSCHAR : WM_CHAR, WPARAM(BYTE(ch)), KeyLParam(e, true), 0, {0, 0}};
        bool charPass = false;
        if (!Deliver(msg, charPass))
            return true;
        pass = charPass;
        if (char trail = alt ? 0 : TrailFromQt(e); trail && IsWindow(h))
        {
            MSG second{h, WM_CHAR, WPARAM(BYTE(trail)), KeyLParam(e, true), 0, {0, 0}};
            bool trailPass = false;
            if (!Deliver(second, trailPass))
                return true;
            pass = pass && trailPass;
        }
    }
    return !pass;
}

class EventFilter : public QObject
{
  protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        switch (e->type())
        {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            // Key state is kept for every key, wherever it goes, so that no key is left down.
            if (UINT vk = VkFromQt(static_cast<QKeyEvent*>(e)); vk < g_keysDown.size())
                g_keysDown[vk] = e->type() == QEvent::KeyPress;
            if (!o->isWidgetType() || QApplication::activePopupWidget())
                return false;
            auto* w = static_cast<QWidget*>(o);
            if (pdt::win::DisabledByModal(w))
                return true;
            // A key the peer ignored travels on to its parents; it was already turned into messages once.
            QWidget* first = QApplication::focusWidget();
            if (first ? o != first : !w->isWindow())
                return false;
            HWND h = pdt::win::OwnWindowOf(w);
            // As Win32 shows focus rectangles once the keyboard is used, the toolkit's styles draw their focus
            // marks (check boxes, radio buttons, tree and list items) only in a window that had a key.
            if (h && e->type() == QEvent::KeyPress && !w->window()->testAttribute(Qt::WA_KeyboardFocusChange))
            {
                w->window()->setAttribute(Qt::WA_KeyboardFocusChange);
                w->update();
            }
            return h ? HandleKey(h, static_cast<QKeyEvent*>(e)) : false;
        }
        case QEvent::FocusIn:
            if (o->isWidgetType())
                if (HWND h = pdt::win::OwnWindowOf(static_cast<QWidget*>(o)))
                    pdt::win::FocusChanged(h);
            return false;
        case QEvent::Hide:
            // Some window systems leave no window, or the closed popup, active once a popup closes: for Win32
            // the window it dropped from is active again, and its focus window never lost the focus.
            if (o->isWidgetType() && static_cast<QWidget *>(o)->windowType() == Qt::Popup)
            {
                m_popupClosed = true;
                QTimer::singleShot(100, this, [this] { m_popupClosed = false; });
            }
            return false;
        case QEvent::FocusOut: {
            // A dropped list takes the toolkit's focus (and the active window) but not Win32's.
            Qt::FocusReason reason = static_cast<QFocusEvent *>(e)->reason();
            QWidget *active = QApplication::activeWindow();
            if (reason == Qt::ActiveWindowFocusReason && o->isWidgetType() &&
                (QApplication::activePopupWidget() ||
                 (m_popupClosed && (!active || active->windowType() == Qt::Popup))))
            {
                if (!QApplication::activePopupWidget())
                    static_cast<QWidget *>(o)->window()->activateWindow();
                return false;
            }
            if (o->isWidgetType() && reason != Qt::PopupFocusReason)
            {
                HWND h = pdt::win::FromWidget(static_cast<QWidget*>(o));
                QWidget* to = QApplication::focusWidget();
                HWND next = pdt::win::OwnWindowOf(to);
                if (h && h == pdt::win::TrackedFocus() && next != h && (next || !to))
                    pdt::win::FocusChanged(next);
            }
            return false;
        }
        case QEvent::Close:
            if (o->isWidgetType() && static_cast<QWidget*>(o)->isWindow())
                if (HWND h = pdt::win::FromWidget(static_cast<QWidget*>(o)); h && !h->destroyed && h->peer == o)
                {
                    // The window manager's close box is WM_CLOSE; the window decides.
                    e->ignore();
                    ::SendMessage(h, WM_CLOSE);
                    return true;
                }
            return false;
        default:
            return false;
        }
    }

  private:
    bool m_popupClosed = false; // a popup closed a moment ago
};

} // namespace

UINT pdt::win::VirtualKeyOf(const QKeyEvent* e) { return VkFromQt(e); }

bool pdt::win::DisabledByModal(const QWidget* w)
{
    const QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !w)
        return false;
    for (const QWidget* top = w->window(); top; top = top->parentWidget() ? top->parentWidget()->window() : nullptr)
        if (top == modal)
            return false;
    return true;
}

UINT VirtualKeyFromChar(char ch, bool* shifted)
{
    if (shifted)
        *shifted = false;
    if (ch >= 'a' && ch <= 'z')
        return UINT(ch - 'a' + 'A');
    if (ch >= 'A' && ch <= 'Z')
    {
        if (shifted)
            *shifted = true;
        return UINT(ch);
    }
    if (ch >= '0' && ch <= '9')
        return UINT(ch);
    if (ch == ' ')
        return VK_SPACE;
    if (const char* p = std::strchr(kShiftedDigits, ch); p && ch)
    {
        if (shifted)
            *shifted = true;
        return UINT('0' + (p - kShiftedDigits));
    }
    for (const PunctKey& k : kPunct)
    {
        if (ch == k.plain)
            return k.vk;
        if (ch == k.shifted)
        {
            if (shifted)
                *shifted = true;
            return k.vk;
        }
    }
    return 0;
}

short GetKeyState(int vk)
{
    Qt::KeyboardModifiers m = QApplication::queryKeyboardModifiers() | QApplication::keyboardModifiers();
    bool down = false;
    switch (vk)
    {
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT: down = m & Qt::ShiftModifier; break;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL: down = m & Qt::ControlModifier; break;
    case VK_MENU: down = m & Qt::AltModifier; break;
    case VK_LBUTTON: down = QApplication::mouseButtons() & Qt::LeftButton; break;
    case VK_RBUTTON: down = QApplication::mouseButtons() & Qt::RightButton; break;
    default: down = vk > 0 && vk < int(g_keysDown.size()) && g_keysDown[size_t(vk)]; break;
    }
    return down ? short(0x8000) : 0;
}

namespace pdt::win
{
void EnsureEventFilter()
{
    static EventFilter* filter = nullptr;
    if (!filter && qApp)
    {
        filter = new EventFilter;
        filter->setParent(qApp);
        qApp->installEventFilter(filter);
    }
}
} // namespace pdt::win
