// Mouse capture, as Win32 keeps it: one window of the application holds the mouse while, say, a drag runs; every
// mouse message goes to it with the point in its client coordinates, wherever the pointer is, until it releases
// the mouse, another window takes it, or the application loses the user's attention.
#include "platform/window_p.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>

namespace
{

HWND g_capture = nullptr;

// The holder, if it still exists.
HWND Holder()
{
    if (g_capture && (!IsWindow(g_capture) || g_capture->destroyed))
        g_capture = nullptr;
    return g_capture;
}

UINT MessageOf(const QMouseEvent* e)
{
    const bool right = e->button() == Qt::RightButton;
    switch (e->type())
    {
    case QEvent::MouseMove:
        return WM_MOUSEMOVE;
    case QEvent::MouseButtonPress:
        return right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
    case QEvent::MouseButtonRelease:
        return right ? WM_RBUTTONUP : WM_LBUTTONUP;
    case QEvent::MouseButtonDblClick:
        return right ? WM_RBUTTONDBLCLK : WM_LBUTTONDBLCLK;
    default:
        return 0;
    }
}

// Takes the mouse events that the toolkit hands to any other widget while a window holds the capture. The holder's
// own widget receives its events as usual (the toolkit keeps the pressed widget's mouse while a button is down).
class CaptureFilter : public QObject
{
  protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::ApplicationStateChange)
        {
            // As Win32 does when another application is activated: a drag cannot go on unseen.
            if (static_cast<QApplicationStateChangeEvent*>(e)->applicationState() != Qt::ApplicationActive && Holder())
                ReleaseCapture();
            return false;
        }
        auto* me = dynamic_cast<QMouseEvent*>(e);
        UINT message = me ? MessageOf(me) : 0;
        HWND h = message ? Holder() : nullptr;
        if (!h || !o->isWidgetType() || QApplication::activePopupWidget())
            return false;
        QWidget* peer = h->peer;
        if (!peer || o == peer)
            return false;
        WPARAM flags = 0;
        if (me->buttons() & Qt::LeftButton)
            flags |= MK_LBUTTON;
        if (me->buttons() & Qt::RightButton)
            flags |= MK_RBUTTON;
        if (me->modifiers() & Qt::ShiftModifier)
            flags |= MK_SHIFT;
        if (me->modifiers() & Qt::ControlModifier)
            flags |= MK_CONTROL;
        const QPoint p = peer->mapFromGlobal(me->globalPosition()).toPoint();
        ::SendMessage(h, message, flags, MAKELPARAM(WORD(short(p.x())), WORD(short(p.y()))));
        return true;
    }
};

void EnsureCaptureFilter()
{
    static CaptureFilter* filter = nullptr;
    if (!filter && qApp)
    {
        filter = new CaptureFilter;
        filter->setParent(qApp);
        qApp->installEventFilter(filter);
    }
}

} // namespace

HWND SetCapture(HWND h)
{
    HWND previous = Holder();
    if (!IsWindow(h))
        return previous;
    EnsureCaptureFilter();
    g_capture = h;
    if (previous && previous != h)
        ::SendMessage(previous, WM_CAPTURECHANGED, 0, LPARAM(h));
    return previous;
}

BOOL ReleaseCapture()
{
    HWND previous = Holder();
    g_capture = nullptr;
    if (previous)
        ::SendMessage(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture()
{
    return Holder();
}

CWnd* CWnd::SetCapture()
{
    return FromHandle(::SetCapture(m_hWnd));
}
CWnd* CWnd::GetCapture()
{
    return FromHandle(::GetCapture());
}
