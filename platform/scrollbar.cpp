// Scroll bar controls: a QScrollBar that reports the user's actions to its parent as WM_HSCROLL / WM_VSCROLL
// and, as in Win32, never moves by itself: the parent sets the position it wants.
#include "platform/commctrl_p.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>

#include <algorithm>

namespace
{

class ScrollBarImpl;

class ScrollBarWidget : public QScrollBar
{
  public:
    ScrollBarWidget(ScrollBarImpl* impl, Qt::Orientation o, QWidget* parent) : QScrollBar(o, parent), m_impl(impl) {}

  protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override { e->ignore(); } // the wheel is the parent's business
    void paintEvent(QPaintEvent* e) override;

  private:
    ScrollBarImpl* m_impl;
};

// Win32 marks the thumb of a bar that has the focus; the toolkit's style marks nothing. A dotted rectangle round the
// thumb, once a key was pressed in the window, as the other controls show their focus.
void ScrollBarWidget::paintEvent(QPaintEvent* e)
{
    QScrollBar::paintEvent(e);
    if (!hasFocus() || !window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    QRect thumb = style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, this);
    if (thumb.width() < 6 || thumb.height() < 6) // no thumb to mark: the bar itself
        thumb = rect();
    QPainter p(this);
    QPen pen(palette().color(QPalette::WindowText));
    pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.drawRect(thumb.adjusted(2, 2, -3, -3));
}

class ScrollBarImpl : public WindowImpl
{
  public:
    using WindowImpl::WindowImpl;

    QWidget* CreatePeer(QWidget* parent, const CString&) override
    {
        m_bar = new ScrollBarWidget(this, (m_h->style & SBS_VERT) ? Qt::Vertical : Qt::Horizontal, parent);
        m_bar->setFocusPolicy((m_h->style & WS_TABSTOP) ? Qt::StrongFocus : Qt::NoFocus);
        m_bar->setContextMenuPolicy(Qt::PreventContextMenu);
        // While the thumb is dragged only the slider position follows the mouse; the value is the parent's.
        m_bar->setTracking(false);
        m_bar->setSingleStep(1);
        ApplyRange();
        QObject::connect(m_bar, &QAbstractSlider::actionTriggered, [this](int action) { OnAction(action); });
        QObject::connect(m_bar, &QAbstractSlider::sliderMoved, [this](int pos) { Send(SB_THUMBTRACK, pos); });
        QObject::connect(m_bar, &QAbstractSlider::sliderReleased, [this] { Send(SB_THUMBPOSITION, m_bar->sliderPosition()); });
        return m_bar;
    }

    UINT DlgCode(const MSG*) const override { return DLGC_WANTARROWS; }

    void MousePressed() { m_mouseActions = 0; m_mouseDown = true; }
    void Report(int code) { Send(code, 0); }
    void MouseReleased()
    {
        m_mouseDown = false;
        if (std::exchange(m_mouseActions, 0) > 0)
            Send(SB_ENDSCROLL, 0);
    }

    LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message)
        {
        case SBM_GETPOS:
            return m_bar->value();
        case SBM_SETPOS: {
            int old = m_bar->value();
            SetPosition(int(wParam));
            return old;
        }
        case SBM_GETRANGE:
            if (auto* lo = reinterpret_cast<int*>(wParam))
                *lo = m_min;
            if (auto* hi = reinterpret_cast<int*>(lParam))
                *hi = m_max;
            return 0;
        case SBM_SETRANGE:
        case SBM_SETRANGEREDRAW: {
            int old = m_bar->value();
            m_min = int(wParam);
            m_max = std::max(m_min, int(lParam));
            ApplyRange();
            // The previous position when the new range moved it, else zero.
            return m_bar->value() != old ? old : 0;
        }
        case SBM_SETSCROLLINFO: {
            auto* si = reinterpret_cast<const SCROLLINFO*>(lParam);
            if (!si)
                return 0;
            if (si->fMask & SIF_RANGE)
            {
                m_min = si->nMin;
                m_max = std::max(si->nMin, si->nMax);
            }
            if (si->fMask & SIF_PAGE)
                m_page = std::min<UINT>(si->nPage, UINT(m_max - m_min + 1));
            ApplyRange();
            if (si->fMask & SIF_POS)
                SetPosition(si->nPos);
            return m_bar->value();
        }
        case SBM_GETSCROLLINFO: {
            auto* si = reinterpret_cast<SCROLLINFO*>(lParam);
            if (!si)
                return FALSE;
            if (si->fMask & SIF_RANGE)
                si->nMin = m_min, si->nMax = m_max;
            if (si->fMask & SIF_PAGE)
                si->nPage = m_page;
            if (si->fMask & SIF_POS)
                si->nPos = m_bar->value();
            if (si->fMask & SIF_TRACKPOS)
                si->nTrackPos = m_bar->isSliderDown() ? m_bar->sliderPosition() : m_bar->value();
            return TRUE;
        }
        case WM_KEYDOWN:
            if (int code = KeyCode(UINT(wParam)); code >= 0)
            {
                Send(code, 0);
                return 0;
            }
            return WindowImpl::Proc(message, wParam, lParam);
        case WM_KEYUP:
            // Each key ends its scroll when it goes up.
            if (KeyCode(UINT(wParam)) >= 0)
            {
                Send(SB_ENDSCROLL, 0);
                return 0;
            }
            return WindowImpl::Proc(message, wParam, lParam);
        case WM_SETREDRAW:
            pdt::cc::SetRedraw(m_h, wParam != 0);
            return 0;
        default:
            return WindowImpl::Proc(message, wParam, lParam);
        }
    }

  private:
    static int KeyCode(UINT vk)
    {
        switch (vk)
        {
        case VK_UP:
        case VK_LEFT: return SB_LINEUP;
        case VK_DOWN:
        case VK_RIGHT: return SB_LINEDOWN;
        case VK_PRIOR: return SB_PAGEUP;
        case VK_NEXT: return SB_PAGEDOWN;
        case VK_HOME: return SB_TOP;
        case VK_END: return SB_BOTTOM;
        default: return -1;
        }
    }
    // The highest position: with a page, the last page must fit.
    int TopPosition() const { return std::max(m_min, m_max - std::max(int(m_page) - 1, 0)); }
    void ApplyRange()
    {
        Quiet quiet(m_h);
        m_bar->setRange(m_min, TopPosition());
        // Without a page the thumb keeps a modest size, as Win32 draws a fixed one.
        m_bar->setPageStep(m_page > 0 ? int(m_page) : std::max(1, (m_max - m_min) / 10));
    }
    void SetPosition(int pos)
    {
        Quiet quiet(m_h);
        m_bar->setValue(std::clamp(pos, m_min, TopPosition()));
    }
    void OnAction(int action)
    {
        int code = -1;
        switch (action)
        {
        case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
        case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
        case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
        case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
        case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
        case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
        default: break; // a drag reports through sliderMoved and sliderReleased
        }
        // Undo the toolkit's own step before the parent hears of it; the parent may then set a position.
        m_bar->setSliderPosition(m_bar->value());
        if (code < 0)
            return;
        Send(code, 0);
        if (!m_mouseDown)
            Send(SB_ENDSCROLL, 0);
    }
    void Send(int code, int pos)
    {
        if (IsQuiet() || !IsWindow(m_h) || !IsWindow(m_h->parent))
            return;
        if (m_mouseDown)
            ++m_mouseActions;
        ::SendMessage(m_h->parent, (m_h->style & SBS_VERT) ? WM_VSCROLL : WM_HSCROLL,
                      MAKEWPARAM(WORD(code), WORD(pos)), LPARAM(m_h));
    }

    ScrollBarWidget* m_bar = nullptr;
    int m_min = 0, m_max = 0; // a scroll bar control starts with an empty range
    UINT m_page = 0;
    bool m_mouseDown = false;
    int m_mouseActions = 0;
};

void ScrollBarWidget::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        m_impl->MousePressed();
    // The toolkit ignores clicks on a bar without a range; a scroll bar control still reports them, and
    // dialogs use such bars as spinners.
    if (e->button() == Qt::LeftButton && minimum() == maximum())
    {
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        switch (style()->hitTestComplexControl(QStyle::CC_ScrollBar, &opt, e->position().toPoint(), this))
        {
        case QStyle::SC_ScrollBarSubLine: m_impl->Report(SB_LINEUP); break;
        case QStyle::SC_ScrollBarAddLine: m_impl->Report(SB_LINEDOWN); break;
        case QStyle::SC_ScrollBarSubPage: m_impl->Report(SB_PAGEUP); break;
        case QStyle::SC_ScrollBarAddPage: m_impl->Report(SB_PAGEDOWN); break;
        default: break;
        }
        e->accept();
        return;
    }
    QScrollBar::mousePressEvent(e);
}

void ScrollBarWidget::mouseReleaseEvent(QMouseEvent* e)
{
    QScrollBar::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton)
        m_impl->MouseReleased();
}

} // namespace

std::unique_ptr<WindowImpl> pdt::cc::MakeScrollBar(HWND h) { return std::make_unique<ScrollBarImpl>(h); }
