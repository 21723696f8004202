// Tooltips: the tip itself is the toolkit's, shown over the tool's window; the control keeps the tools and watches
// their windows' pointer events from a filter, so that a tool needs no code of its own beyond its text.
#include "platform/afxcmn.h"
#include "platform/window_p.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

#include <memory>
#include <unordered_map>
#include <vector>

namespace
{
constexpr char kClassName[] = "tooltips_class32";
constexpr int kDefaultDelay = 500;

struct Tool
{
    HWND wnd = nullptr;
    UINT_PTR id = 0;
    std::optional<CRect> rect; // none: the whole window
    CString text;
    bool callback = false;
};

class Tips : public QObject
{
  public:
    explicit Tips(HWND tip) : m_tip(tip)
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { Show(); });
    }
    ~Tips() override { Hide(false); }

    std::vector<Tool> tools;
    bool active = true;
    int delay = kDefaultDelay;
    CString shown;

    Tool* Find(HWND wnd, UINT_PTR id)
    {
        for (Tool& t : tools)
            if (t.wnd == wnd && t.id == id)
                return &t;
        return nullptr;
    }
    void Watch(HWND wnd)
    {
        if (QWidget* w = pdt::win::Peer(wnd))
        {
            w->setMouseTracking(true);
            w->removeEventFilter(this);
            w->installEventFilter(this);
        }
    }
    void Hide(bool untilAnotherTool)
    {
        m_timer.stop();
        if (!shown.IsEmpty())
            QToolTip::hideText();
        shown.Empty();
        m_bHeld = untilAnotherTool;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        switch (e->type())
        {
        case QEvent::MouseMove:
            Moved(qobject_cast<QWidget*>(watched), static_cast<QMouseEvent*>(e)->position().toPoint());
            break;
        case QEvent::Leave:
            Hide(false);
            m_hover = -1;
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel:
            Hide(true);
            break;
        default:
            break;
        }
        return false;
    }

  private:
    int ToolAt(QWidget* w, QPoint pos) const
    {
        for (size_t i = 0; i < tools.size(); ++i)
            if (IsWindow(tools[i].wnd) && pdt::win::Peer(tools[i].wnd) == w &&
                (!tools[i].rect || tools[i].rect->PtInRect(CPoint(pos.x(), pos.y()))))
                return int(i);
        return -1;
    }
    void Moved(QWidget* w, QPoint pos)
    {
        int tool = ToolAt(w, pos);
        m_widget = w;
        m_pos = pos;
        if (tool != m_hover)
        {
            Hide(false);
            m_hover = tool;
            if (tool >= 0 && active)
                m_timer.start(delay);
        }
        else if (!m_timer.isActive())
            Show(); // a tool that names what is under the pointer, as a node under a flowchart's pointer
    }
    CString TextOf(const Tool& t)
    {
        if (!t.callback)
            return t.text;
        NMTTDISPINFO info{};
        info.hdr = NMHDR{m_tip, t.id, TTN_GETDISPINFO};
        info.lpszText = info.szText;
        info.lParam = MAKELPARAM(WORD(short(m_pos.x())), WORD(short(m_pos.y())));
        ::SendMessage(t.wnd, WM_NOTIFY, WPARAM(t.id), LPARAM(&info));
        return info.lpszText && info.lpszText != LPSTR_TEXTCALLBACK ? CString(info.lpszText) : CString();
    }
    void Show()
    {
        if (!active || m_bHeld || m_hover < 0 || size_t(m_hover) >= tools.size() || !m_widget)
            return;
        CString text = TextOf(tools[size_t(m_hover)]);
        if (text.IsEmpty())
        {
            Hide(false);
            return;
        }
        if (text != shown)
            QToolTip::showText(m_widget->mapToGlobal(m_pos) + QPoint(0, 18), ToQt(text), m_widget);
        shown = text;
    }

    HWND m_tip;
    QTimer m_timer;
    QPointer<QWidget> m_widget;
    QPoint m_pos;
    int m_hover = -1;
    bool m_bHeld = false; // after a press or a key, until the pointer reaches another tool
};

std::unordered_map<HWND, std::unique_ptr<Tips>>& Registry()
{
    static std::unordered_map<HWND, std::unique_ptr<Tips>> tips;
    return tips;
}

Tips* TipsOf(HWND h)
{
    auto it = Registry().find(h);
    return it == Registry().end() ? nullptr : it->second.get();
}

LRESULT TipProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
        Registry().erase(h);
    return ::DefWindowProc(h, message, wParam, lParam);
}
} // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    WNDCLASS wc{};
    if (!GetClassInfo(nullptr, kClassName, &wc))
    {
        wc.lpfnWndProc = TipProc;
        wc.lpszClassName = kClassName;
        AfxRegisterClass(&wc);
    }
    if (!CreateEx(0, kClassName, "", WS_POPUP | (style & ~WS_VISIBLE), CRect(0, 0, 1, 1), parent, 0))
        return FALSE;
    Registry()[m_hWnd] = std::make_unique<Tips>(m_hWnd);
    return TRUE;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCTSTR text, LPCRECT toolRect, UINT_PTR toolId)
{
    Tips* tips = TipsOf(m_hWnd);
    if (!tips || !wnd || !IsWindow(wnd->m_hWnd) || !text)
        return FALSE;
    Tool tool{wnd->m_hWnd, toolId, toolRect ? std::optional<CRect>(*toolRect) : std::nullopt};
    tool.callback = text == LPSTR_TEXTCALLBACK;
    if (!tool.callback)
        tool.text = text;
    if (Tool* old = tips->Find(wnd->m_hWnd, toolId))
        *old = tool;
    else
        tips->tools.push_back(tool);
    tips->Watch(wnd->m_hWnd);
    return TRUE;
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR toolId)
{
    if (Tips* tips = TipsOf(m_hWnd); tips && wnd)
        std::erase_if(tips->tools, [&](const Tool& t) { return t.wnd == wnd->m_hWnd && t.id == toolId; });
}

void CToolTipCtrl::UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR toolId)
{
    if (Tips* tips = TipsOf(m_hWnd); tips && wnd && text)
        if (Tool* t = tips->Find(wnd->m_hWnd, toolId))
        {
            t->callback = text == LPSTR_TEXTCALLBACK;
            t->text = t->callback ? CString() : CString(text);
        }
}

void CToolTipCtrl::SetToolRect(CWnd* wnd, UINT_PTR toolId, LPCRECT rect)
{
    if (Tips* tips = TipsOf(m_hWnd); tips && wnd && rect)
        if (Tool* t = tips->Find(wnd->m_hWnd, toolId))
            t->rect = *rect;
}

int CToolTipCtrl::GetToolCount() const
{
    Tips* tips = TipsOf(m_hWnd);
    return tips ? int(tips->tools.size()) : 0;
}

void CToolTipCtrl::Activate(BOOL activate)
{
    if (Tips* tips = TipsOf(m_hWnd))
    {
        tips->active = activate;
        if (!activate)
            tips->Hide(false);
    }
}

void CToolTipCtrl::SetDelayTime(DWORD duration, int time)
{
    if (Tips* tips = TipsOf(m_hWnd); tips && (duration == TTDT_INITIAL || duration == TTDT_AUTOMATIC))
        tips->delay = time < 0 ? kDefaultDelay : time;
}

void CToolTipCtrl::Pop()
{
    if (Tips* tips = TipsOf(m_hWnd))
        tips->Hide(false);
}

CString CToolTipCtrl::GetShownText() const
{
    Tips* tips = TipsOf(m_hWnd);
    return tips && QToolTip::isVisible() ? tips->shown : CString();
}
