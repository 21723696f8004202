// Window records, message dispatch, CWnd, the application-wide key and focus filter.
#include "platform/window_p.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QEventLoop>
#include <QInputMethodEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMetaObject>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <utility>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "platform/afxcmn.h"
#include "platform/afxhooks.h"
#include "platform/gdi_p.h"

QString ToQt(const char* bytes)
{
    return QString::fromStdString(CodePageToUtf8(bytes ? bytes : "", GetACP()));
}
QString ToQt(const CString& bytes)
{
    return QString::fromStdString(CodePageToUtf8(bytes.str(), GetACP()));
}
CString FromQt(const QString& text)
{
    return CString(Utf8ToCodePage(text.toStdString(), GetACP()));
}

// What WM_DROPFILES carries.
struct DropRecord
{
    std::vector<std::string> files; // as the file system names them (UTF-8)
    QPoint point;
};

namespace
{
std::unordered_set<HWND> g_live;
HWND g_focus = nullptr;
bool g_passToToolkit = false;
bool g_dispatched = false;
std::unordered_map<const QWidget*, HWND> g_peers; // each window's peer widget, for events arriving from the toolkit
int g_focusChanges = 0; // counts focus moves, so SetFocus can tell whether a handler moved it on
std::map<CString, WNDCLASS> g_classes; // registered classes, by lower-case name
CWnd* g_mainWnd = nullptr;
QWidget* g_cursorTarget = nullptr;

CString LowerName(const char* name)
{
    CString s(name);
    s.MakeLower();
    return s;
}

// Custom window classes: a plain peer that turns toolkit events into messages and shows the backing image.
class PeerWidget : public QWidget
{
  public:
    PeerWidget(HWND h, QWidget* parent) : QWidget(parent), m_h(h)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_InputMethodEnabled); // Chinese and Japanese are typed through one
        setMouseTracking(true);
        setAcceptDrops(h->exStyle & WS_EX_ACCEPTFILES);
    }

  protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!IsWindow(m_h))
            return;
        pdt::gdi::PaintPending(m_h, true);
        if (!IsWindow(m_h) || !m_h->backing)
            return;
        QPainter p(this);
        p.drawImage(0, 0, *m_h->backing);
        pdt::caret::PaintOver(m_h, p); // over the image, never in it
    }
    void resizeEvent(QResizeEvent*) override
    {
        ::SendMessage(m_h, WM_SIZE, 0, MAKELPARAM(WORD(width()), WORD(height())));
    }
    void mousePressEvent(QMouseEvent* e) override { Mouse(e, e->button() == Qt::RightButton ? WM_RBUTTONDOWN : WM_LBUTTONDOWN); }
    void mouseReleaseEvent(QMouseEvent* e) override { Mouse(e, e->button() == Qt::RightButton ? WM_RBUTTONUP : WM_LBUTTONUP); }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        Mouse(e, e->button() == Qt::RightButton ? WM_RBUTTONDBLCLK : WM_LBUTTONDBLCLK);
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        AskCursor();
        if (IsWindow(m_h))
            Mouse(e, WM_MOUSEMOVE);
    }
    // What an input method composed arrives as WM_CHAR messages, a double-byte character as its two bytes, as
    // Win32's default handling of WM_IME_CHAR sends it; what the code page cannot hold is refused.
    void inputMethodEvent(QInputMethodEvent* e) override
    {
        const QString text = e->commitString();
        e->accept();
        if (text.isEmpty() || !IsWindow(m_h))
            return;
        if (!pdt::win::CanHold(text))
        {
            pdt::win::RefuseText(m_h, text);
            return;
        }
        const CString bytes = FromQt(text);
        for (char b : bytes.str())
            if (IsWindow(m_h))
                ::SendMessage(m_h, WM_CHAR, WPARAM(BYTE(b)), 1);
    }
    void wheelEvent(QWheelEvent* e) override
    {
        // WM_MOUSEWHEEL: the keys and buttons in the low word, the distance (120 a notch, away from the user
        // positive) in the high word, the pointer in screen coordinates.
        WORD keys = 0;
        if (e->buttons() & Qt::LeftButton)
            keys |= MK_LBUTTON;
        if (e->modifiers() & Qt::ShiftModifier)
            keys |= MK_SHIFT;
        if (e->modifiers() & Qt::ControlModifier)
            keys |= MK_CONTROL;
        int delta = e->angleDelta().y() ? e->angleDelta().y() : e->angleDelta().x();
        QPoint g = e->globalPosition().toPoint();
        ::SendMessage(m_h, WM_MOUSEWHEEL, MAKEWPARAM(keys, WORD(short(delta))), MAKELPARAM(WORD(g.x()), WORD(g.y())));
    }
    // The context menu comes from the right button's release (WM_RBUTTONUP's default), as in Win32;
    // a keyboard's menu key still asks through the toolkit.
    void contextMenuEvent(QContextMenuEvent* e) override
    {
        if (e->reason() == QContextMenuEvent::Mouse)
            return;
        ::SendMessage(m_h, WM_CONTEXTMENU, WPARAM(m_h), MAKELPARAM(WORD(e->globalPos().x()), WORD(e->globalPos().y())));
    }

    void dragEnterEvent(QDragEnterEvent* e) override
    {
        if (!DroppedFiles(e->mimeData()).empty())
            e->acceptProposedAction();
    }
    void dragMoveEvent(QDragMoveEvent* e) override { e->acceptProposedAction(); }
    void dropEvent(QDropEvent* e) override
    {
        DropRecord drop{DroppedFiles(e->mimeData()), e->position().toPoint()};
        if (drop.files.empty() || !IsWindow(m_h))
            return;
        e->acceptProposedAction();
        ::SendMessage(m_h, WM_DROPFILES, WPARAM(&drop), 0);
    }

  private:
    // WM_SETCURSOR, as Win32 sends it before each move of the pointer; unanswered, the class's cursor shows.
    void AskCursor()
    {
        QPointer<QWidget> self(this);
        g_cursorTarget = this;
        BOOL answered = BOOL(::SendMessage(m_h, WM_SETCURSOR, WPARAM(m_h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        g_cursorTarget = nullptr;
        if (!answered && self && IsWindow(m_h))
        {
            WNDCLASS wc{};
            bool classCursor = GetClassInfo(nullptr, m_h->className, &wc) && wc.hCursor;
            setCursor(pdt::win::CursorShapeOf(classCursor ? HCURSOR(wc.hCursor) : nullptr));
        }
    }
    static std::vector<std::string> DroppedFiles(const QMimeData* data)
    {
        std::vector<std::string> files;
        if (data)
            for (const QUrl& url : data->urls())
                if (url.isLocalFile())
                    files.push_back(url.toLocalFile().toStdString());
        return files;
    }
    void Mouse(QMouseEvent* e, UINT message)
    {
        WPARAM flags = 0;
        if (e->buttons() & Qt::LeftButton)
            flags |= MK_LBUTTON;
        if (e->buttons() & Qt::RightButton)
            flags |= MK_RBUTTON;
        if (e->modifiers() & Qt::ShiftModifier)
            flags |= MK_SHIFT;
        if (e->modifiers() & Qt::ControlModifier)
            flags |= MK_CONTROL;
        QPoint p = e->position().toPoint();
        ::SendMessage(m_h, message, flags, MAKELPARAM(WORD(short(p.x())), WORD(short(p.y()))));
    }
    HWND m_h;
};

class CustomImpl : public WindowImpl
{
  public:
    using WindowImpl::WindowImpl;
    QWidget* CreatePeer(QWidget* parent, const CString& text) override
    {
        auto* w = new PeerWidget(m_h, parent);
        w->setWindowTitle(ToQt(text));
        return w;
    }
    bool IsCustomDrawn() const override { return true; }
    CString GetText() const override { return m_text; }
    void SetText(const CString& text) override
    {
        m_text = text;
        if (m_h->peer)
            m_h->peer->setWindowTitle(ToQt(text));
    }
    LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (m_h->classProc && message != WM_GETTEXT && message != WM_SETTEXT && message != WM_GETTEXTLENGTH)
        {
            WNDPROC proc = m_h->classProc;
            WNDPROC saved = m_h->classProc;
            m_h->classProc = nullptr; // the class procedure's DefWindowProc lands back here
            LRESULT r = proc(m_h, message, wParam, lParam);
            if (IsWindow(m_h) || m_h->destroyed)
                m_h->classProc = saved;
            return r;
        }
        if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR)
            return 0; // a custom window consumes its keys
        return WindowImpl::Proc(message, wParam, lParam);
    }
};

std::unique_ptr<WindowImpl> MakeCustomImpl(HWND h) { return std::make_unique<CustomImpl>(h); }

} // namespace

// Factories for the standard classes live with the controls and the dialog.
std::unique_ptr<WindowImpl> MakeControlImpl(HWND h, const CString& lowerClass);
std::unique_ptr<WindowImpl> MakeDialogImpl(HWND h);
bool IsSystemControlClass(const CString& lowerClass);

// ---------------------------------------------------------------------------------------------------------------
// WindowImpl defaults.

LRESULT WindowImpl::Proc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SETTEXT:
        SetText(CString(reinterpret_cast<const char*>(lParam)));
        return TRUE;
    case WM_GETTEXT: {
        CString t = GetText();
        if (wParam == 0 || !lParam)
            return 0;
        int n = std::min<int>(t.GetLength(), int(wParam) - 1);
        std::copy_n(t.c_str(), n, reinterpret_cast<char*>(lParam));
        reinterpret_cast<char*>(lParam)[n] = 0;
        return n;
    }
    case WM_GETTEXTLENGTH:
        return GetText().GetLength();
    case WM_GETDLGCODE:
        return DlgCode(reinterpret_cast<const MSG*>(lParam));
    case WM_CHAR:
        // A Tab that reaches a control is not the dialog's, and the toolkit would move the focus with it.
        if (wParam == '\t')
            return 0;
        pdt::win::SetPassToToolkit();
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        pdt::win::SetPassToToolkit();
        return 0;
    case WM_SETFONT:
        m_h->font = reinterpret_cast<HFONT>(wParam);
        if (auto* rec = pdt::gdi::LookupAs<FontRecord>(m_h->font, GdiKind::Font); rec && m_h->peer)
            m_h->peer->setFont(pdt::gdi::Realise(rec));
        return 0;
    case WM_GETFONT:
        return LRESULT(m_h->font);
    case WM_ERASEBKGND:
        if (!IsCustomDrawn())
            return 0;
        pdt::gdi::EraseBackground(m_h, reinterpret_cast<HDC>(wParam));
        return m_h->classBrush != nullptr;
    case WM_PAINT:
        if (IsCustomDrawn())
        {
            // Nobody painted: validate, as Win32's default does.
            PAINTSTRUCT ps;
            ::BeginPaint(m_h, &ps);
            ::EndPaint(m_h, &ps);
        }
        return 0;
    case WM_RBUTTONUP:
        if (IsCustomDrawn() && m_h->peer)
        {
            QPoint g = m_h->peer->mapToGlobal(QPoint(short(LOWORD(lParam)), short(HIWORD(lParam))));
            ::SendMessage(m_h, WM_CONTEXTMENU, WPARAM(m_h), MAKELPARAM(WORD(g.x()), WORD(g.y())));
        }
        return 0;
    case WM_CLOSE:
        if (!(m_h->style & WS_CHILD))
            pdt::win::DestroyWindowRecord(m_h);
        return 0;
    default:
        return 0;
    }
}

CString WindowImpl::GetText() const
{
    return m_text; // the bytes as set: a title the code page cannot read still comes back as it was
}
void WindowImpl::SetText(const CString& text)
{
    m_text = text;
    if (m_h->peer)
        m_h->peer->setWindowTitle(ToQt(text));
}

bool WindowImpl::NeedsPeer(UINT message) const
{
    switch (message)
    {
    case WM_CREATE:
    case WM_DESTROY:
    case WM_NCDESTROY:
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETDLGCODE:
    case WM_SETFONT:
    case WM_GETFONT:
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_INITDIALOG:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_CLOSE:
        return false;
    default:
        return true;
    }
}

void WindowImpl::Notify(int code) const
{
    if (IsQuiet() || !m_h->parent || m_h->destroyed)
        return;
    ::SendMessage(m_h->parent, WM_COMMAND, MAKEWPARAM(WORD(m_h->id), WORD(code)), LPARAM(m_h));
}

LRESULT WindowImpl::NotifyNm(int code, NMHDR* hdr) const
{
    if (IsQuiet() || !m_h->parent || m_h->destroyed)
        return 0;
    hdr->hwndFrom = m_h;
    hdr->idFrom = UINT_PTR(m_h->id);
    hdr->code = code;
    return ::SendMessage(m_h->parent, WM_NOTIFY, WPARAM(m_h->id), LPARAM(hdr));
}

// ---------------------------------------------------------------------------------------------------------------
// Records.

namespace pdt::win
{

namespace
{

// A window gone for good: its record goes, and with it the records of lazy children, which have no widget
// that would take them along.
void Forget(HWND h)
{
    if (!h->destroyed)
    {
        h->destroyed = true;
        g_live.erase(h);
        if (g_focus == h)
            g_focus = nullptr;
        if (h->wnd)
            h->wnd->m_hWnd = nullptr;
        if (h->parent && g_live.count(h->parent))
            std::erase(h->parent->children, h);
    }
    for (HWND c : std::vector<HWND>(h->children))
        if (!c->peer && !c->destroyed)
            Forget(c);
    if (h->wrapper)
        h->wrapper->m_hWnd = nullptr;
    delete h;
}

// Records without a peer, destroyed and waiting for the loop's next turn (a message to them may still be
// running), all freed by one queued call.
std::vector<HWND> g_forgetLater;
void ForgetLater(HWND h)
{
    if (g_forgetLater.empty())
        QMetaObject::invokeMethod(
            qApp,
            [] {
                for (HWND r : std::exchange(g_forgetLater, {}))
                    Forget(r);
            },
            Qt::QueuedConnection);
    g_forgetLater.push_back(h);
}

// A child dialog that is hidden gets no peer until it is shown, even when its parent has one.
bool LazyRoot(HWND h)
{
    return IsDialogClass(h) && (h->style & WS_CHILD) && !(h->style & WS_VISIBLE) && h->impl->Lazy();
}

// The peer of a window whose parent has one (or that has no parent), from the state its record holds.
void MakePeer(HWND h)
{
    bool child = (h->style & WS_CHILD) != 0;
    QWidget* parentWidget = h->parent ? h->parent->peer.data() : nullptr;
    QWidget* w;
    {
        Quiet quiet(h);
        w = h->impl->CreatePeer(child ? parentWidget : nullptr, h->impl->GetText());
        if (!child)
        {
            w->setParent(parentWidget ? parentWidget->window() : nullptr, Qt::Dialog);
            w->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
        }
        g_peers[w] = h;
        w->setObjectName(QString::number(h->id));
        if (h->dialogFont)
        {
            w->setFont(*h->dialogFont);
            w->setProperty("pdt_baseunits", h->baseUnits);
        }
        if (auto* rec = pdt::gdi::LookupAs<FontRecord>(h->font, GdiKind::Font))
            w->setFont(pdt::gdi::Realise(rec));
        w->setGeometry(h->impl->AdjustRect(h->rect));
        if (h->style & WS_DISABLED)
            w->setEnabled(false);
        if (!h->redraw)
            w->setUpdatesEnabled(false);
    }
    h->peer = w;
    QObject::connect(w, &QObject::destroyed, [h, w]() {
        g_peers.erase(w);
        Forget(h);
    });
    for (auto& action : std::exchange(h->onPeer, {}))
        action(w);
}

void ShowAsStyled(HWND h)
{
    if (h->style & WS_VISIBLE)
        h->peer->show();
    else if (h->style & WS_CHILD)
        h->peer->hide(); // else the toolkit shows it along with its parent
}

void MakeChildPeers(HWND h)
{
    for (HWND c : std::vector<HWND>(h->children))
        if (!c->peer && !c->destroyed && !LazyRoot(c))
        {
            MakePeer(c);
            MakeChildPeers(c);
            ShowAsStyled(c);
        }
}

} // namespace

bool PassToToolkit() { return g_passToToolkit; }

// One record of the focus window, whether the toolkit moved the focus or a hidden window was given it.
void FocusChanged(HWND to)
{
    HWND from = IsWindow(g_focus) ? g_focus : nullptr;
    if (from == to)
        return;
    ++g_focusChanges;
    g_focus = to;
    if (from)
        ::SendMessage(from, WM_KILLFOCUS, WPARAM(to));
    if (IsWindow(to) && g_focus == to)
    {
        pdt::dlg::FocusMoved(to);
        ::SendMessage(to, WM_SETFOCUS, WPARAM(from));
    }
}
HWND TrackedFocus() { return IsWindow(g_focus) ? g_focus : nullptr; }
HWND& LockoutNotifyWindow()
{
    static HWND window = nullptr;
    return window;
}
void SetPassToToolkit() { g_passToToolkit = true; }
void ResetPassToToolkit() { g_passToToolkit = false; }
void MarkDispatched() { g_dispatched = true; }
bool TakeDispatched() { return std::exchange(g_dispatched, false); }

HWND FromWidget(const QWidget* w)
{
    for (; w; w = w->parentWidget())
    {
        auto it = g_peers.find(w);
        if (it != g_peers.end())
            return g_live.count(it->second) ? it->second : nullptr;
    }
    return nullptr;
}

HWND OwnWindowOf(const QWidget* w)
{
    for (; w; w = w->parentWidget())
    {
        auto it = g_peers.find(w);
        if (it != g_peers.end())
            return g_live.count(it->second) ? it->second : nullptr;
        // A dropped list or a menu belongs to the control it dropped from; any other window that is not one of
        // ours (a message box, a file dialog) is the toolkit's own, whoever owns it.
        if (w->isWindow() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip)
            return nullptr;
    }
    return nullptr;
}

bool IsDialogClass(HWND h) { return h && h->className == "#32770"; }

HWND CreateWindowRecord(const CString& className, const CString& text, DWORD style, DWORD exStyle, const QRect& rect,
                        HWND parent, int id, CWnd* attach)
{
    EnsureEventFilter();
    CString lower = LowerName(className);
    auto h = new WindowRecord;
    h->className = className;
    h->style = style;
    h->exStyle = exStyle;
    h->id = id;
    h->parent = parent;
    if (lower == "#32770")
        h->impl = MakeDialogImpl(h);
    else if (auto it = g_classes.find(lower); it != g_classes.end())
    {
        h->classProc = it->second.lpfnWndProc;
        h->classBrush = it->second.hbrBackground;
        h->impl = MakeCustomImpl(h);
    }
    else
        h->impl = MakeControlImpl(h, lower);
    if (!h->impl)
    {
        delete h;
        return nullptr;
    }
    g_live.insert(h);
    h->rect = rect;
    h->impl->SetInitialText(text);
    bool child = (style & WS_CHILD) != 0;
    // A page created hidden, and what is inside it, keeps to its record until it is shown or asked for more.
    bool lazy = child && parent && h->impl->Lazy() && (!parent->peer || LazyRoot(h));
    if (!lazy && child && parent && !parent->peer)
        Peer(parent); // a control that keeps its state in its widget needs its parent's widget to live in
    if (!lazy)
        MakePeer(h);
    if (parent && child)
        parent->children.push_back(h);
    if (attach)
    {
        attach->m_hWnd = h;
        h->wnd = attach;
    }
    ::SendMessage(h, WM_CREATE);
    if (h->peer && IsWindow(h))
        ShowAsStyled(h);
    return h;
}

QWidget* PeerWindow(HWND h)
{
    QWidget* peer = Peer(h);
    return peer ? peer->window() : nullptr;
}

QWidget* Peer(HWND h)
{
    if (!IsWindow(h))
        return nullptr;
    if (h->peer)
        return h->peer;
    if ((h->style & WS_CHILD) && h->parent && !h->parent->peer)
    {
        Peer(h->parent);
        if (h->peer)
            return h->peer; // made along with its parent
    }
    MakePeer(h);
    MakeChildPeers(h);
    ShowAsStyled(h);
    return h->peer;
}

bool IsHiddenSelf(HWND h) { return h->peer ? h->peer->isHidden() : !(h->style & WS_VISIBLE); }

void SetDialogLook(HWND h, const QFont& font, QPoint baseUnits)
{
    h->dialogFont = std::make_unique<QFont>(font);
    h->baseUnits = baseUnits;
    if (QWidget* w = h->peer)
    {
        w->setFont(font);
        w->setProperty("pdt_baseunits", baseUnits);
    }
}

void WithPeer(HWND h, std::function<void(QWidget*)> action)
{
    if (h->peer)
        action(h->peer);
    else
        h->onPeer.push_back(std::move(action));
}

void DestroyWindowRecord(HWND h)
{
    if (!IsWindow(h))
        return;
    ::SendMessage(h, WM_DESTROY);
    pdt::caret::WindowDestroyed(h);
    for (HWND c : std::vector<HWND>(h->children))
        DestroyWindowRecord(c);
    if (!IsWindow(h))
        return;
    ::SendMessage(h, WM_NCDESTROY);
    h->destroyed = true;
    g_live.erase(h);
    if (g_focus == h)
        g_focus = nullptr;
    if (h->parent && g_live.count(h->parent))
        std::erase(h->parent->children, h);
    if (CWnd* w = h->wnd)
    {
        h->wnd = nullptr;
        w->m_hWnd = nullptr;
        w->PostNcDestroy();
    }
    if (h->modalLoop)
        h->modalLoop->quit();
    if (!h->peer)
    {
        // No widget to delete on the next turn of the loop: the record goes then all the same.
        ForgetLater(h);
        return;
    }
    if (QWidget* w = h->peer)
    {
        // A destroyed window takes the focus with it, as on Win32: the toolkit must not hand it on to
        // a sibling while the tree is still being torn down.
        if (QWidget* f = QApplication::focusWidget(); f && (f == w || w->isAncestorOf(f)))
            f->clearFocus();
        w->hide();
        // Deleted on the next turn of the event loop: a signal of this very widget may be running. A
        // child stays with its parent until then (reparenting is costly); a parent deleted first takes it along.
        w->deleteLater();
    }
}

void ActivateNow(QWidget* top)
{
    if (!top || !top->isVisible())
        return;
    top->activateWindow();
    if (QApplication::activeWindow() != top)
        QApplication::setActiveWindow(top);
}

} // namespace pdt::win

// ---------------------------------------------------------------------------------------------------------------
// Free functions.

BOOL IsWindow(HWND h) { return h && g_live.count(h) != 0; }

LRESULT SendMessage(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!h || (!g_live.count(h) && message != WM_NCDESTROY))
        return 0;
    if (!h->peer && !h->destroyed && h->impl->NeedsPeer(message))
        pdt::win::Peer(h);
    MSG msg{h, message, wParam, lParam, 0, {0, 0}};
    const MSG* saved = h->currentMsg;
    h->currentMsg = &msg;
    LRESULT r = h->wnd ? h->wnd->WindowProc(message, wParam, lParam) : h->impl->Proc(message, wParam, lParam);
    if (g_live.count(h) || h->destroyed)
        h->currentMsg = saved;
    return r;
}

BOOL PostMessage(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(h))
        return FALSE;
    QMetaObject::invokeMethod(
        qApp, [h, message, wParam, lParam] { ::SendMessage(h, message, wParam, lParam); }, Qt::QueuedConnection);
    return TRUE;
}

LRESULT DefWindowProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(h) && message != WM_NCDESTROY)
        return 0;
    if (!h->peer && !h->destroyed && h->impl->NeedsPeer(message))
        pdt::win::Peer(h);
    return h->impl->Proc(message, wParam, lParam);
}

HWND GetFocus()
{
    HWND h = pdt::win::FromWidget(QApplication::focusWidget());
    return h ? h : (IsWindow(g_focus) ? g_focus : nullptr);
}
HWND GetParent(HWND h) { return IsWindow(h) && IsWindow(h->parent) ? h->parent : nullptr; }

HWND SetParent(HWND h, HWND parent)
{
    if (!IsWindow(h) || (parent && !IsWindow(parent)) || h == parent)
        return nullptr;
    HWND old = IsWindow(h->parent) ? h->parent : nullptr;
    if (old)
        std::erase(old->children, h);
    h->parent = parent;
    const bool child = (h->style & WS_CHILD) && parent;
    if (child)
        parent->children.push_back(h);
    // A window with a peer moves it now; a lazy one gets its peer under the new parent when it is made.
    if (QWidget* w = h->peer)
    {
        if (child)
        {
            w->setParent(pdt::win::Peer(parent), Qt::Widget); // a child has no frame: the popup's flags go
            // and its parent sizes it: a dialog's fixed size goes too.
            w->setMinimumSize(0, 0);
            w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
        else
            w->setParent(parent ? pdt::win::Peer(parent)->window() : nullptr, Qt::Dialog);
        w->setVisible(h->style & WS_VISIBLE);
    }
    return old;
}
HWND GetDlgItem(HWND hDlg, int id)
{
    if (!IsWindow(hDlg))
        return nullptr;
    for (HWND c : hDlg->children)
        if (c->id == id)
            return c;
    return nullptr;
}
int GetDlgCtrlID(HWND h) { return IsWindow(h) ? h->id : 0; }
DWORD GetWindowStyle(HWND h) { return IsWindow(h) ? h->style : 0; }
CString GetWindowClassName(HWND h) { return IsWindow(h) ? h->className : CString(); }

BOOL AfxRegisterClass(WNDCLASS* wc)
{
    if (!wc || !wc->lpszClassName || !*wc->lpszClassName || !wc->lpfnWndProc)
        return FALSE;
    CString key = LowerName(wc->lpszClassName);
    if (key == "#32770" || IsSystemControlClass(key))
        return FALSE; // system classes cannot be replaced
    auto it = g_classes.find(key);
    if (it != g_classes.end())
        return it->second.lpfnWndProc == wc->lpfnWndProc; // registering the same class again is harmless
    g_classes[key] = *wc;
    return TRUE;
}
BOOL GetClassInfo(HANDLE, LPCTSTR className, WNDCLASS* wc)
{
    auto it = g_classes.find(LowerName(className));
    if (it == g_classes.end())
        return FALSE;
    if (wc)
        *wc = it->second;
    return TRUE;
}
HANDLE AfxGetInstanceHandle() { return reinterpret_cast<HANDLE>(&g_classes); }

CWnd* AfxGetMainWnd() { return g_mainWnd; }
void AfxSetMainWnd(CWnd* wnd) { g_mainWnd = wnd; }
CString AfxGetAppName()
{
    QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? CString("pdtdlg") : FromQt(name);
}

int GetSystemMetrics(int index)
{
    QScreen* s = QGuiApplication::primaryScreen();
    switch (index)
    {
    case SM_CXSCREEN:
        return s ? s->geometry().width() : 1024;
    case SM_CYSCREEN:
        return s ? s->geometry().height() : 768;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return 17;
    case SM_CYCAPTION:
        return 23;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    default:
        return 0;
    }
}

COLORREF GetSysColor(int index)
{
    switch (index)
    {
    case COLOR_WINDOW:
    case COLOR_HIGHLIGHTTEXT:
        return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT:
    case COLOR_BTNTEXT:
        return RGB(0, 0, 0);
    case COLOR_BTNFACE:
        return RGB(240, 240, 240);
    case COLOR_HIGHLIGHT:
        return RGB(0, 120, 215);
    case COLOR_GRAYTEXT:
        return RGB(109, 109, 109);
    default:
        return RGB(0, 0, 0);
    }
}

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    long long p = (long long)number * numerator;
    // Rounds half away from zero, as Win32 does.
    long long q = (p >= 0) == (denominator > 0) ? (std::llabs(p) + std::llabs(denominator) / 2) / std::llabs(denominator)
                                                 : -((std::llabs(p) + std::llabs(denominator) / 2) / std::llabs(denominator));
    if (q > INT32_MAX || q < INT32_MIN)
        return -1;
    return int(q);
}

// ---------------------------------------------------------------------------------------------------------------
// CWnd.

CWnd::~CWnd()
{
    if (IsWindow(m_hWnd))
    {
        if (m_hWnd->wnd == this)
            DestroyWindow();
    }
}

// A temporary object of the class MFC code casts GetDlgItem's window to, so that the cast is sound.
static std::unique_ptr<CWnd> MakeWrapper(const CString& className)
{
    CString c = LowerName(className);
    if (c == "button")
        return std::make_unique<CButton>();
    if (c == "edit")
        return std::make_unique<CEdit>();
    if (c == "static")
        return std::make_unique<CStatic>();
    if (c == "combobox")
        return std::make_unique<CComboBox>();
    if (c == "listbox")
        return std::make_unique<CListBox>();
    if (c == "scrollbar")
        return std::make_unique<CScrollBar>();
    if (c == "systreeview32")
        return std::make_unique<CTreeCtrl>();
    if (c == "syslistview32")
        return std::make_unique<CListCtrl>();
    return std::make_unique<CWnd>();
}

CWnd* CWnd::FromHandlePermanent(HWND h) { return IsWindow(h) ? h->wnd : nullptr; }

CWnd* CWnd::FromHandle(HWND h)
{
    if (!IsWindow(h))
        return nullptr;
    if (h->wnd)
        return h->wnd;
    if (!h->wrapper)
    {
        h->wrapper = MakeWrapper(h->className);
        h->wrapper->m_hWnd = h;
    }
    return h->wrapper.get();
}

BOOL CWnd::Attach(HWND h)
{
    if (!IsWindow(h) || h->wnd || m_hWnd)
        return FALSE;
    m_hWnd = h;
    h->wnd = this;
    return TRUE;
}
HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (IsWindow(h) && h->wnd == this)
        h->wnd = nullptr;
    m_hWnd = nullptr;
    return h;
}
BOOL CWnd::SubclassWindow(HWND h)
{
    if (!Attach(h))
        return FALSE;
    PreSubclassWindow();
    return TRUE;
}
BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    return parent ? SubclassWindow(::GetDlgItem(parent->m_hWnd, int(id))) : FALSE;
}
HWND CWnd::UnsubclassWindow() { return Detach(); }

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& r, CWnd* parent,
                    UINT id, LPVOID)
{
    WNDCLASS wc;
    // A registered class, or a system control class, as CreateWindowEx takes both.
    if (!className || (!GetClassInfo(nullptr, className, &wc) && !IsSystemControlClass(LowerName(className))))
        return FALSE;
    QRect rect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    return pdt::win::CreateWindowRecord(className, windowName ? windowName : "", style, exStyle, rect,
                                        parent ? parent->m_hWnd : nullptr, int(id), this) != nullptr;
}
BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CFrameWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent)
{
    static const char kFrameClass[] = "AfxFrameOrView";
    if (!className)
    {
        WNDCLASS wc{};
        if (!GetClassInfo(AfxGetInstanceHandle(), kFrameClass, &wc))
        {
            wc.lpfnWndProc = ::DefWindowProc;
            wc.hInstance = AfxGetInstanceHandle();
            wc.lpszClassName = kFrameClass;
            AfxRegisterClass(&wc);
        }
        className = kFrameClass;
    }
    return CreateEx(0, className, windowName, style & ~WS_CHILD, rect, parent, 0);
}

BOOL CWnd::DestroyWindow()
{
    if (!IsWindow(m_hWnd))
        return FALSE;
    pdt::win::DestroyWindowRecord(m_hWnd);
    return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT r = 0;
    if (!OnWndMsg(message, wParam, lParam, &r))
        r = DefWindowProc(message, wParam, lParam);
    return r;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG* m = GetCurrentMessage();
    return m ? DefWindowProc(m->message, m->wParam, m->lParam) : 0;
}
const MSG* CWnd::GetCurrentMessage() const { return m_hWnd ? m_hWnd->currentMsg : nullptr; }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

const MessageMap& CWnd::GetThisMessageMap()
{
    static const MessageMap map(nullptr, {});
    return map;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY)
    {
        LRESULT r = 0;
        if (!lParam || !OnNotify(wParam, lParam, &r))
            return FALSE;
        *pResult = r;
        return TRUE;
    }
    for (const MessageMap* map = &GetMessageMap(); map; map = map->Base())
        for (const MessageMapEntry& e : map->Entries())
            if (e.message == message)
            {
                LRESULT r = 0;
                if (e.call(this, wParam, lParam, r))
                {
                    *pResult = r;
                    return TRUE;
                }
            }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam && pdt::win::LockoutNotifyWindow() == m_hWnd && m_hWnd)
        return TRUE; // a control's notification during UpdateData
    int id = LOWORD(wParam);
    WORD code = HIWORD(wParam);
    for (const MessageMap* map = &GetMessageMap(); map; map = map->Base())
        for (const MessageMapEntry& e : map->Entries())
            if (e.message == WM_COMMAND && WORD(e.code) == code && id >= WORD(e.idFirst) && id <= WORD(e.idLast))
            {
                LRESULT r = 0;
                if (e.call(this, wParam, lParam, r))
                    return TRUE;
            }
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (pdt::win::LockoutNotifyWindow() == m_hWnd && m_hWnd)
        return TRUE; // a control's notification during UpdateData
    int id = int(hdr->idFrom);
    for (const MessageMap* map = &GetMessageMap(); map; map = map->Base())
        for (const MessageMapEntry& e : map->Entries())
            if (e.message == WM_NOTIFY && e.code == hdr->code && id >= e.idFirst && id <= e.idLast)
            {
                if (e.call(this, WPARAM(id), lParam, *pResult))
                    return TRUE;
            }
    return FALSE;
}

BOOL CWnd::ShowWindow(int cmd)
{
    if (!IsWindow(m_hWnd))
        return FALSE;
    bool lazy = !m_hWnd->peer;
    BOOL wasStyled = (m_hWnd->style & WS_VISIBLE) != 0;
    if (lazy && cmd == SW_HIDE)
    {
        m_hWnd->style &= ~WS_VISIBLE;
        return wasStyled;
    }
    QWidget* w = pdt::win::Peer(m_hWnd); // shown for the first time
    if (!w)
        return FALSE;
    BOOL was = lazy ? wasStyled : w->isVisibleTo(w->parentWidget() ? w->parentWidget() : w) && !w->isHidden();
    if (cmd == SW_HIDE)
    {
        w->hide();
        m_hWnd->style &= ~WS_VISIBLE;
    }
    else
    {
        m_hWnd->style |= WS_VISIBLE;
        if (cmd == SW_SHOWMAXIMIZED)
            w->showMaximized();
        else if (cmd == SW_SHOWMINIMIZED || cmd == SW_MINIMIZE)
            w->showMinimized();
        else
            w->show();
        if (!(m_hWnd->style & WS_CHILD) && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE)
            pdt::win::ActivateNow(w);
    }
    return was;
}

BOOL CWnd::IsWindowVisible() const
{
    return IsWindow(m_hWnd) && m_hWnd->peer && m_hWnd->peer->isVisible(); // a window without a peer was never shown
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    if (!IsWindow(m_hWnd))
        return FALSE;
    BOOL wasDisabled = (m_hWnd->style & WS_DISABLED) != 0;
    if (enable)
        m_hWnd->style &= ~WS_DISABLED;
    else
        m_hWnd->style |= WS_DISABLED;
    // Enabling what is enabled already would still walk the whole tree of widgets under it.
    if (m_hWnd->peer && m_hWnd->peer->testAttribute(Qt::WA_ForceDisabled) == (enable != FALSE))
        m_hWnd->peer->setEnabled(enable != FALSE);
    return wasDisabled;
}
BOOL CWnd::IsWindowEnabled() const { return IsWindow(m_hWnd) && !(m_hWnd->style & WS_DISABLED); }

CWnd* CWnd::SetFocus()
{
    CWnd* old = GetFocus();
    if (QWidget* w = pdt::win::Peer(m_hWnd))
    {
        if (!w->window()->isActiveWindow() && w->window()->isVisible())
            pdt::win::ActivateNow(w->window());
        int changes = g_focusChanges;
        w->setFocus(Qt::OtherFocusReason);
        // A focus handler that already moved the focus on must not see it arrive a second time.
        if (changes == g_focusChanges && QApplication::focusWidget() != w &&
            !w->isAncestorOf(QApplication::focusWidget()))
        {
            // The toolkit gives focus only to shown, active windows; keep Win32's bookkeeping all the same.
            pdt::win::FocusChanged(m_hWnd);
        }
    }
    return old;
}
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }

void CWnd::SetWindowText(LPCTSTR text) { SendMessage(WM_SETTEXT, 0, LPARAM(text ? text : "")); }
void CWnd::GetWindowText(CString& text) const
{
    text = IsWindow(m_hWnd) ? m_hWnd->impl->GetText() : CString();
    if (IsWindow(m_hWnd) && m_hWnd->wnd)
    {
        // A subclass may answer WM_GETTEXT itself.
        int n = int(SendMessage(WM_GETTEXTLENGTH));
        std::string buf(size_t(n) + 1, '\0');
        int got = int(SendMessage(WM_GETTEXT, WPARAM(n + 1), LPARAM(buf.data())));
        text = CString(buf.data(), got);
    }
}
CString CWnd::GetWindowText() const
{
    CString s;
    GetWindowText(s);
    return s;
}
int CWnd::GetWindowTextLength() const { return int(SendMessage(WM_GETTEXTLENGTH)); }
DWORD CWnd::GetStyle() const { return IsWindow(m_hWnd) ? m_hWnd->style : 0; }
DWORD CWnd::GetExStyle() const { return IsWindow(m_hWnd) ? m_hWnd->exStyle : 0; }
BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT)
{
    if (!IsWindow(m_hWnd))
        return FALSE;
    DWORD old = m_hWnd->style;
    m_hWnd->style = (old & ~remove) | add;
    if ((old ^ m_hWnd->style) & WS_VISIBLE)
    {
        if (m_hWnd->peer)
            m_hWnd->peer->setVisible(m_hWnd->style & WS_VISIBLE);
        else if (m_hWnd->style & WS_VISIBLE)
            pdt::win::Peer(m_hWnd); // made shown
    }
    if (((old ^ m_hWnd->style) & WS_DISABLED) && m_hWnd->peer)
        m_hWnd->peer->setEnabled(!(m_hWnd->style & WS_DISABLED));
    return old != m_hWnd->style;
}
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, pWndNewParent ? pWndNewParent->m_hWnd : nullptr));
}
CWnd* CWnd::GetParent() const
{
    return IsWindow(m_hWnd) && (m_hWnd->style & WS_CHILD) ? FromHandle(::GetParent(m_hWnd)) : nullptr;
}
CWnd* CWnd::GetOwner() const { return IsWindow(m_hWnd) ? FromHandle(::GetParent(m_hWnd)) : nullptr; }
CWnd* CWnd::GetTopLevelParent() const
{
    HWND h = m_hWnd;
    while (IsWindow(h) && (h->style & WS_CHILD) && IsWindow(h->parent))
        h = h->parent;
    return FromHandle(h);
}
BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    if (!pWnd)
        return FALSE;
    for (HWND h = pWnd->m_hWnd; IsWindow(h) && (h->style & WS_CHILD); h = h->parent)
        if (h->parent == m_hWnd)
            return TRUE;
    return FALSE;
}

namespace
{
// A page without a peer keeps its place in its record; any other window gets its peer to answer.
QWidget* GeometryPeer(HWND h)
{
    return h->peer || !pdt::win::IsDialogClass(h) ? pdt::win::Peer(h) : nullptr;
}
QPoint ClientOrigin(HWND h)
{
    if (h->peer)
        return h->peer->mapToGlobal(QPoint(0, 0));
    return IsWindow(h->parent) ? ClientOrigin(h->parent) + h->rect.topLeft() : h->rect.topLeft();
}
} // namespace

void CWnd::GetWindowRect(LPRECT r) const
{
    *r = RECT{0, 0, 0, 0};
    if (!IsWindow(m_hWnd))
        return;
    QWidget* w = GeometryPeer(m_hWnd);
    if (!w)
    {
        QPoint o = ClientOrigin(m_hWnd);
        *r = RECT{o.x(), o.y(), o.x() + m_hWnd->rect.width(), o.y() + m_hWnd->rect.height()};
        return;
    }
    QRect g = w->isWindow() ? w->frameGeometry() : QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
    *r = RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}
void CWnd::GetClientRect(LPRECT r) const
{
    *r = RECT{0, 0, 0, 0};
    if (!IsWindow(m_hWnd))
        return;
    QWidget* w = m_hWnd->peer || !m_hWnd->impl->SizedByRecord() ? GeometryPeer(m_hWnd) : nullptr;
    QSize size = w ? w->size() : m_hWnd->rect.size();
    *r = RECT{0, 0, size.width(), size.height()};
}
void CWnd::ClientToScreen(LPPOINT p) const
{
    if (!IsWindow(m_hWnd))
        return;
    QWidget* w = GeometryPeer(m_hWnd);
    QPoint g = w ? w->mapToGlobal(QPoint(p->x, p->y)) : ClientOrigin(m_hWnd) + QPoint(p->x, p->y);
    *p = POINT{g.x(), g.y()};
}
void CWnd::ClientToScreen(LPRECT r) const
{
    POINT a{r->left, r->top}, b{r->right, r->bottom};
    ClientToScreen(&a);
    ClientToScreen(&b);
    *r = RECT{a.x, a.y, b.x, b.y};
}
void CWnd::ScreenToClient(LPPOINT p) const
{
    if (!IsWindow(m_hWnd))
        return;
    QWidget* w = GeometryPeer(m_hWnd);
    QPoint c = w ? w->mapFromGlobal(QPoint(p->x, p->y)) : QPoint(p->x, p->y) - ClientOrigin(m_hWnd);
    *p = POINT{c.x(), c.y()};
}
void CWnd::ScreenToClient(LPRECT r) const
{
    POINT a{r->left, r->top}, b{r->right, r->bottom};
    ScreenToClient(&a);
    ScreenToClient(&b);
    *r = RECT{a.x, a.y, b.x, b.y};
}
void CWnd::MoveWindow(int x, int y, int cx, int cy, BOOL)
{
    if (!IsWindow(m_hWnd))
        return;
    QWidget* w = GeometryPeer(m_hWnd);
    if (!w)
        m_hWnd->rect = QRect(x, y, std::max(0, cx), std::max(0, cy));
    else if (w->isWindow())
    {
        // Top-level rectangles are outer (frame) rectangles, as in Win32.
        QRect frame = w->frameGeometry(), inner = w->geometry();
        int dw = frame.width() - inner.width(), dh = frame.height() - inner.height();
        w->move(x, y);
        w->resize(std::max(0, cx - dw), std::max(0, cy - dh));
    }
    else
        w->setGeometry(x, y, std::max(0, cx), std::max(0, cy));
}
void CWnd::MoveWindow(LPCRECT r, BOOL repaint) { MoveWindow(r->left, r->top, r->right - r->left, r->bottom - r->top, repaint); }
BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    if (!IsWindow(m_hWnd))
        return FALSE;
    HWND after = insertAfter ? insertAfter->m_hWnd : nullptr;
    if (!(flags & SWP_NOZORDER) && IsWindow(after) && after != m_hWnd && (m_hWnd->style & WS_CHILD) &&
        after->parent == m_hWnd->parent && IsWindow(m_hWnd->parent))
    {
        // Z order is tab order: a page placed after its placeholder is tabbed to from there.
        auto& sib = m_hWnd->parent->children;
        std::erase(sib, m_hWnd);
        sib.insert(std::find(sib.begin(), sib.end(), after) + 1, m_hWnd);
        if (m_hWnd->peer && after->peer)
            m_hWnd->peer->stackUnder(after->peer);
    }
    CRect r;
    GetWindowRect(&r);
    if ((m_hWnd->style & WS_CHILD) && GetParent())
        GetParent()->ScreenToClient(&r);
    if (flags & SWP_NOMOVE)
        x = r.left, y = r.top;
    if (flags & SWP_NOSIZE)
        cx = r.Width(), cy = r.Height();
    if (!(flags & SWP_NOMOVE) || !(flags & SWP_NOSIZE))
        MoveWindow(x, y, cx, cy);
    if (flags & SWP_SHOWWINDOW)
        ShowWindow((flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (flags & SWP_HIDEWINDOW)
        ShowWindow(SW_HIDE);
    return TRUE;
}
BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* wp) const
{
    if (!IsWindow(m_hWnd) || !wp)
        return FALSE;
    QWidget* w = pdt::win::Peer(m_hWnd);
    CRect r;
    GetWindowRect(&r);
    wp->length = sizeof(WINDOWPLACEMENT);
    wp->flags = 0;
    wp->showCmd = w->isMaximized() ? SW_SHOWMAXIMIZED : w->isMinimized() ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
    wp->ptMinPosition = POINT{-1, -1};
    wp->ptMaxPosition = POINT{-1, -1};
    wp->rcNormalPosition = r;
    return TRUE;
}
BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* wp)
{
    if (!IsWindow(m_hWnd) || !wp)
        return FALSE;
    MoveWindow(&wp->rcNormalPosition);
    if (wp->showCmd == SW_SHOWMAXIMIZED)
        pdt::win::Peer(m_hWnd)->showMaximized();
    else if (wp->showCmd == SW_HIDE)
        ShowWindow(SW_HIDE);
    return TRUE;
}
void CWnd::CenterWindow(CWnd* alternateOwner)
{
    if (!IsWindow(m_hWnd))
        return;
    CWnd* owner = alternateOwner ? alternateOwner : GetOwner();
    CRect area;
    if (owner && owner->IsWindowVisible())
        owner->GetWindowRect(&area);
    else if (QScreen* s = QGuiApplication::primaryScreen())
    {
        QRect g = s->availableGeometry();
        area = CRect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
    }
    CRect me;
    GetWindowRect(&me);
    int x = area.left + (area.Width() - me.Width()) / 2, y = area.top + (area.Height() - me.Height()) / 2;
    if (m_hWnd->style & WS_CHILD && GetParent())
    {
        POINT p{x, y};
        GetParent()->ScreenToClient(&p);
        x = p.x, y = p.y;
    }
    MoveWindow(x, y, me.Width(), me.Height());
}

void CWnd::Invalidate(BOOL erase) { InvalidateRect(nullptr, erase); }
void CWnd::InvalidateRect(LPCRECT r, BOOL erase)
{
    // A window without a peer has never been shown: its first showing paints it whole.
    if (!IsWindow(m_hWnd) || !m_hWnd->peer)
        return;
    QWidget* w = m_hWnd->peer;
    QRect q = r ? QRect(r->left, r->top, r->right - r->left, r->bottom - r->top) : w->rect();
    m_hWnd->invalid = m_hWnd->invalid.united(q.intersected(w->rect()));
    if (erase)
        m_hWnd->erase = true;
    if (m_hWnd->redraw)
        w->update(q);
    if (!m_hWnd->impl->IsCustomDrawn() && pdt::win::IsDialogClass(m_hWnd))
        pdt::win::SchedulePaint(m_hWnd);
}
void CWnd::UpdateWindow()
{
    if (!IsWindow(m_hWnd) || !m_hWnd->peer)
        return;
    if (m_hWnd->impl->IsCustomDrawn())
    {
        // What WM_PAINT draws asks the peer to show it.
        if (!m_hWnd->invalid.isEmpty() || !m_hWnd->backing)
            pdt::gdi::PaintPending(m_hWnd, false);
    }
    else
    {
        m_hWnd->peer->repaint();
        if (pdt::win::IsDialogClass(m_hWnd))
            pdt::win::DispatchPaint(m_hWnd);
        else if (!m_hWnd->invalid.isEmpty())
        {
            // The window system had nothing to paint yet (a window not yet exposed): the control is valid all the
            // same, as after Win32's UpdateWindow, and what was drawn over it before is gone now rather than at its
            // next paint event, which would also take away what is drawn over it next.
            m_hWnd->backing.reset();
            m_hWnd->invalid = QRect();
        }
    }
}

namespace pdt::win
{

void SchedulePaint(HWND h)
{
    if (!IsWindow(h) || !h->peer || h->paintQueued)
        return;
    h->paintQueued = true;
    QMetaObject::invokeMethod(
        h->peer,
        [h] {
            if (!IsWindow(h))
                return;
            h->paintQueued = false;
            DispatchPaint(h);
        },
        Qt::QueuedConnection);
}

void DispatchPaint(HWND h)
{
    if (!IsWindow(h) || h->invalid.isEmpty() || !h->redraw)
        return;
    unsigned serial = h->paintSerial;
    ::SendMessage(h, WM_PAINT);
    if (IsWindow(h) && h->paintSerial == serial)
        h->invalid = QRect(); // nobody began painting: validated, as DefWindowProc does
}

} // namespace pdt::win
void CWnd::SetRedraw(BOOL redraw)
{
    if (!IsWindow(m_hWnd))
        return;
    m_hWnd->redraw = redraw != FALSE;
    if (m_hWnd->peer)
        m_hWnd->peer->setUpdatesEnabled(m_hWnd->redraw);
}

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
void CWnd::SetDlgItemText(int id, LPCTSTR text) { ::SendMessage(::GetDlgItem(m_hWnd, id), WM_SETTEXT, 0, LPARAM(text ? text : "")); }
int CWnd::GetDlgItemText(int id, CString& text) const
{
    CWnd* w = GetDlgItem(id);
    text = w ? w->GetWindowText() : CString();
    return text.GetLength();
}
void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned)
{
    CString s;
    if (isSigned)
        s.Format("%d", int(value));
    else
        s.Format("%u", value);
    SetDlgItemText(id, s);
}
UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const
{
    CString s;
    GetDlgItemText(id, s);
    s.Trim();
    const char* p = s.c_str();
    char* end = nullptr;
    errno = 0;
    long long v = isSigned ? std::strtoll(p, &end, 10) : (long long)std::strtoull(p, &end, 10);
    bool ok = !s.IsEmpty() && end && *end == 0 && errno == 0 &&
              (isSigned ? (v >= INT32_MIN && v <= INT32_MAX) : (v >= 0 && v <= UINT32_MAX && s[0] != '-'));
    if (translated)
        *translated = ok;
    return ok ? UINT(v) : 0;
}
void CWnd::CheckDlgButton(int id, UINT check) { ::SendMessage(::GetDlgItem(m_hWnd, id), BM_SETCHECK, check); }
UINT CWnd::IsDlgButtonChecked(int id) const { return UINT(::SendMessage(::GetDlgItem(m_hWnd, id), BM_GETCHECK)); }
void CWnd::CheckRadioButton(int firstId, int lastId, int checkId)
{
    for (int id = firstId; id <= lastId; ++id)
        if (HWND h = ::GetDlgItem(m_hWnd, id))
            ::SendMessage(h, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED);
}
int CWnd::GetCheckedRadioButton(int firstId, int lastId) const
{
    for (int id = firstId; id <= lastId; ++id)
        if (IsDlgButtonChecked(id) == BST_CHECKED)
            return id;
    return 0;
}
CWnd* CWnd::GetWindow(UINT cmd) const
{
    if (!IsWindow(m_hWnd))
        return nullptr;
    if (cmd == GW_CHILD)
        return m_hWnd->children.empty() ? nullptr : FromHandle(m_hWnd->children.front());
    if (cmd == GW_OWNER)
        return (m_hWnd->style & WS_CHILD) ? nullptr : FromHandle(::GetParent(m_hWnd));
    HWND p = ::GetParent(m_hWnd);
    if (!p || !(m_hWnd->style & WS_CHILD))
        return nullptr;
    auto& sib = p->children;
    auto it = std::find(sib.begin(), sib.end(), m_hWnd);
    switch (cmd)
    {
    case GW_HWNDFIRST:
        return FromHandle(sib.front());
    case GW_HWNDLAST:
        return FromHandle(sib.back());
    case GW_HWNDNEXT:
        return it != sib.end() && it + 1 != sib.end() ? FromHandle(*(it + 1)) : nullptr;
    case GW_HWNDPREV:
        return it != sib.begin() && it != sib.end() ? FromHandle(*(it - 1)) : nullptr;
    default:
        return nullptr;
    }
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, void*)
{
    if (!IsWindow(m_hWnd))
        return 0;
    QWidget* w = pdt::win::Peer(m_hWnd);
    QString name = QStringLiteral("pdt_timer_%1").arg(id);
    if (auto* old = w->findChild<QTimer*>(name, Qt::FindDirectChildrenOnly))
        delete old;
    auto* t = new QTimer(w);
    t->setObjectName(name);
    HWND h = m_hWnd;
    QObject::connect(t, &QTimer::timeout, [h, id] { ::SendMessage(h, WM_TIMER, id); });
    t->start(int(elapse));
    return id;
}
BOOL CWnd::KillTimer(UINT_PTR id)
{
    if (!IsWindow(m_hWnd))
        return FALSE;
    auto* t = pdt::win::Peer(m_hWnd)->findChild<QTimer*>(QStringLiteral("pdt_timer_%1").arg(id), Qt::FindDirectChildrenOnly);
    delete t;
    return t != nullptr;
}

void CWnd::OnNcDestroy() {}

void CWnd::SetFont(CFont* font, BOOL redraw)
{
    SendMessage(WM_SETFONT, WPARAM(font ? HFONT(*font) : nullptr), redraw);
}
CFont* CWnd::GetFont() const { return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT))); }

// ---------------------------------------------------------------------------------------------------------------
// Dropped files.

void DragAcceptFiles(HWND h, BOOL accept)
{
    if (!IsWindow(h))
        return;
    h->exStyle = accept ? h->exStyle | WS_EX_ACCEPTFILES : h->exStyle & ~DWORD(WS_EX_ACCEPTFILES);
    if (h->peer)
        h->peer->setAcceptDrops(accept);
}

UINT DragQueryFile(HDROP drop, UINT index, LPTSTR file, UINT size)
{
    if (!drop)
        return 0;
    if (index == 0xFFFFFFFF)
        return UINT(drop->files.size());
    if (index >= drop->files.size())
        return 0;
    const CString name(Utf8ToCodePage(drop->files[index], GetACP()));
    if (file && size > 0)
    {
        UINT n = std::min(UINT(name.GetLength()), size - 1);
        std::copy_n(name.c_str(), n, file);
        file[n] = '\0';
        return n;
    }
    return UINT(name.GetLength());
}

std::string DragQueryFileName(HDROP drop, UINT index)
{
    return drop && index < drop->files.size() ? drop->files[index] : std::string();
}

BOOL DragQueryPoint(HDROP drop, LPPOINT point)
{
    if (!drop || !point)
        return FALSE;
    *point = POINT{drop->point.x(), drop->point.y()};
    return TRUE;
}

void DragFinish(HDROP) {} // the drop lives as long as its message

QWidget* pdt::win::CursorTarget() { return g_cursorTarget; }
