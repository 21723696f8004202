// The system caret, one for the thread as in Win32, and the mouse cursor calls. The caret is drawn over the
// owner's peer when the peer paints, inverting what is under it; it never touches the backing image, so what
// device contexts read back does not depend on the blink phase.
#include "platform/gdi_p.h"
#include "platform/window_p.h"

#include <QCoreApplication>
#include <QCursor>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include "platform/afxhooks.h"

namespace
{

enum class Shape
{
    Solid,
    Gray,
    Bitmap,
};

struct Caret
{
    HWND owner = nullptr;
    QPoint pos;
    QSize size;
    Shape shape = Shape::Solid;
    QImage bitmap; // Shape::Bitmap: white pixels invert
    int hide = 1;  // created hidden
    bool phaseOn = false;
};

Caret g_caret;
UINT g_blinkTime = 530; // Win32's default
QPointer<QTimer> g_timer;

bool Visible() { return g_caret.owner && g_caret.hide == 0; }

void Repaint()
{
    HWND h = g_caret.owner;
    if (IsWindow(h) && h->peer)
        h->peer->update(QRect(g_caret.pos, g_caret.size));
}

void Blink()
{
    if (!Visible())
        return;
    g_caret.phaseOn = !g_caret.phaseOn;
    Repaint();
}

// Shown at once in its on phase, then blinking (unless blinking is off).
void Restart()
{
    if (!g_timer && qApp)
    {
        g_timer = new QTimer(qApp);
        QObject::connect(g_timer, &QTimer::timeout, &Blink);
    }
    g_caret.phaseOn = Visible();
    if (g_timer)
    {
        g_timer->stop();
        if (Visible() && g_blinkTime != INFINITE && g_blinkTime > 0)
            g_timer->start(int(std::min<UINT>(g_blinkTime, 0x7FFFFFFF)));
    }
    Repaint();
}

bool OwnedBy(HWND h) { return g_caret.owner && (!h || h == g_caret.owner); }

} // namespace

namespace pdt::caret
{

void PaintOver(HWND h, QPainter& p)
{
    if (g_caret.owner != h || !Visible() || !g_caret.phaseOn || g_caret.size.isEmpty())
        return;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QRect r(g_caret.pos, g_caret.size);
    if (g_caret.shape == Shape::Bitmap)
        p.drawImage(r.topLeft(), g_caret.bitmap);
    else
        p.fillRect(r, g_caret.shape == Shape::Gray ? QColor(128, 128, 128) : QColor(Qt::white));
    p.restore();
}

void WindowDestroyed(HWND h)
{
    if (g_caret.owner == h)
        ::DestroyCaret();
}

} // namespace pdt::caret

BOOL CreateCaret(HWND h, HBITMAP bitmap, int width, int height)
{
    if (!IsWindow(h))
        return FALSE;
    ::DestroyCaret(); // one caret per thread
    Caret c;
    c.owner = h;
    if (bitmap == reinterpret_cast<HBITMAP>(1))
        c.shape = Shape::Gray;
    else if (auto* rec = pdt::gdi::LookupAs<BitmapRecord>(bitmap, GdiKind::Bitmap))
    {
        c.shape = Shape::Bitmap;
        c.bitmap = rec->image.convertToFormat(QImage::Format_RGB32);
        width = c.bitmap.width();
        height = c.bitmap.height();
    }
    if (width <= 0)
        width = GetSystemMetrics(SM_CXBORDER);
    if (height <= 0)
        height = GetSystemMetrics(SM_CYBORDER);
    c.size = QSize(width, height);
    g_caret = c;
    Restart();
    return TRUE;
}

BOOL DestroyCaret()
{
    if (!g_caret.owner)
        return FALSE;
    Repaint();
    g_caret = Caret{};
    if (g_timer)
        g_timer->stop();
    return TRUE;
}

BOOL ShowCaret(HWND h)
{
    if (!OwnedBy(h))
        return FALSE;
    if (g_caret.hide > 0 && --g_caret.hide == 0)
        Restart();
    return TRUE;
}

BOOL HideCaret(HWND h)
{
    if (!OwnedBy(h))
        return FALSE;
    bool wasVisible = Visible();
    ++g_caret.hide;
    if (wasVisible)
        Restart();
    return TRUE;
}

BOOL SetCaretPos(int x, int y)
{
    if (!g_caret.owner)
        return FALSE;
    if (g_caret.pos == QPoint(x, y))
        return TRUE;
    Repaint();
    g_caret.pos = QPoint(x, y);
    Restart(); // a moved caret shows at once
    return TRUE;
}

BOOL GetCaretPos(LPPOINT p)
{
    if (!p)
        return FALSE;
    *p = POINT{g_caret.pos.x(), g_caret.pos.y()};
    return g_caret.owner != nullptr;
}

UINT GetCaretBlinkTime() { return g_blinkTime; }

BOOL SetCaretBlinkTime(UINT ms)
{
    g_blinkTime = ms;
    Restart();
    return TRUE;
}

void CWnd::CreateSolidCaret(int width, int height) { ::CreateCaret(m_hWnd, nullptr, width, height); }
void CWnd::CreateGrayCaret(int width, int height) { ::CreateCaret(m_hWnd, reinterpret_cast<HBITMAP>(1), width, height); }
void CWnd::CreateCaret(CBitmap* bitmap)
{
    ::CreateCaret(m_hWnd, bitmap ? static_cast<HBITMAP>(bitmap->m_hObject) : nullptr, 0, 0);
}
void CWnd::ShowCaret() { ::ShowCaret(m_hWnd); }
void CWnd::HideCaret() { ::HideCaret(m_hWnd); }
CPoint CWnd::GetCaretPos()
{
    POINT p{0, 0};
    ::GetCaretPos(&p);
    return CPoint(p);
}
void CWnd::SetCaretPos(POINT p) { ::SetCaretPos(p.x, p.y); }

namespace pdt::hooks
{
CaretInfo GetCaretInfo()
{
    CaretInfo info;
    if (!g_caret.owner)
        return info;
    info.owner = g_caret.owner;
    info.pos = CPoint(g_caret.pos.x(), g_caret.pos.y());
    info.size = CSize(g_caret.size.width(), g_caret.size.height());
    info.hideLevel = g_caret.hide;
    info.blinkPhaseOn = Visible() && g_caret.phaseOn;
    return info;
}
} // namespace pdt::hooks

// ---------------------------------------------------------------------------------------------------------------
// The mouse cursor.

namespace
{
HCURSOR g_cursor = nullptr;
}

HCURSOR LoadCursor(HANDLE, LPCTSTR name)
{
    uintptr_t v = reinterpret_cast<uintptr_t>(name);
    // The standard cursors only; each is its own identifier.
    return v >= 32512 && v <= 32650 ? reinterpret_cast<HCURSOR>(v) : nullptr;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    if (QWidget* w = pdt::win::CursorTarget())
        w->setCursor(pdt::win::CursorShapeOf(cursor));
    return std::exchange(g_cursor, cursor);
}

HCURSOR GetCursor() { return g_cursor; }

namespace pdt::win
{
Qt::CursorShape CursorShapeOf(HCURSOR cursor)
{
    switch (reinterpret_cast<uintptr_t>(cursor))
    {
    case 32513: return Qt::IBeamCursor;
    case 32514: return Qt::WaitCursor;
    case 32515: return Qt::CrossCursor;
    case 32646: return Qt::SizeAllCursor;
    case 32648: return Qt::ForbiddenCursor;
    default: return Qt::ArrowCursor;
    }
}
} // namespace pdt::win

BOOL GetCursorPos(LPPOINT p)
{
    if (!p)
        return FALSE;
    QPoint q = QCursor::pos();
    *p = POINT{q.x(), q.y()};
    return TRUE;
}
