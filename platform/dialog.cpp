// Dialogs: windows built from templates, dialog units, the modal loop and the dialog manager's keys.
#include "platform/window_p.h"

#include <QApplication>
#include <cctype>
#include <deque>
#include <map>
#include <tuple>
#include <stdexcept>
#include <utility>
#include <QEventLoop>
#include <QShowEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include "platform/afxdd.h"
#include "platform/afxhooks.h"
#include "platform/afxres.h"
#include "platform/gdi_p.h"

namespace
{

std::deque<pdt::hooks::ModalHandler> g_modalHandlers;
pdt::hooks::ModalHandler g_fallbackModal;

// A dialog is painted when it is shown, as a window is; its WM_PAINT comes once the queue has run.
class DialogPeer : public QWidget
{
  public:
    DialogPeer(HWND h, QWidget* parent) : QWidget(parent), m_h(h) {}

  protected:
    void showEvent(QShowEvent* e) override
    {
        QWidget::showEvent(e);
        if (!IsWindow(m_h))
            return;
        m_h->invalid = rect();
        pdt::win::SchedulePaint(m_h);
        AskMinimumSize();
    }
    // A dialog hears of its new client size as any window does (one with a sizing border lays itself out again).
    void resizeEvent(QResizeEvent*) override
    {
        if (!IsWindow(m_h))
            return;
        ::SendMessage(m_h, WM_SIZE, 0, MAKELPARAM(WORD(width()), WORD(height())));
        AskMinimumSize(); // what it shows may need more room now
    }

    // A dialog with a sizing border is resized no smaller than WM_GETMINMAXINFO says, an outer size: what the frame
    // takes is known once the window is shown.
    void AskMinimumSize()
    {
        if (!IsWindow(m_h) || !isWindow() || !isVisible() || !(m_h->style & WS_THICKFRAME))
            return;
        MINMAXINFO info{};
        ::SendMessage(m_h, WM_GETMINMAXINFO, 0, LPARAM(&info));
        if (!IsWindow(m_h))
            return;
        const QRect frame = frameGeometry(), inner = geometry();
        const QSize smallest(std::max(0, int(info.ptMinTrackSize.x) - (frame.width() - inner.width())),
                             std::max(0, int(info.ptMinTrackSize.y) - (frame.height() - inner.height())));
        if (smallest != minimumSize())
            setMinimumSize(smallest);
    }

  private:
    HWND m_h;
};

class DialogImpl : public WindowImpl
{
  public:
    using WindowImpl::WindowImpl;
    bool Lazy() const override { return true; }
    bool NeedsPeer(UINT) const override { return false; } // its own messages work on records alone
    QWidget* CreatePeer(QWidget* parent, const CString& text) override
    {
        auto* w = new DialogPeer(m_h, parent);
        w->setWindowTitle(ToQt(text));
        w->setAutoFillBackground(true);
        return w;
    }
    LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message)
        {
        case DM_GETDEFID: {
            if (m_defId)
                return MAKELONG(WORD(m_defId), DC_HASDEFID);
            // A push button with the focus only borrows the default look; the dialog has no default of its own.
            HWND def = FindDefButton(m_h);
            if (def && def != ::GetFocus())
                return MAKELONG(WORD(def->id), DC_HASDEFID);
            return 0;
        }
        case DM_SETDEFID: {
            // The old default push button turns plain and the new one takes the default look.
            HWND oldButton = m_defId ? ::GetDlgItem(m_h, int(m_defId)) : nullptr;
            if (!oldButton || !(::SendMessage(oldButton, WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON))
                oldButton = FindDefButton(m_h);
            m_defId = UINT(wParam);
            HWND newButton = ::GetDlgItem(m_h, int(wParam));
            if (oldButton && oldButton != newButton)
                ::SendMessage(oldButton, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
            if (newButton && (::SendMessage(newButton, WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON))
                ::SendMessage(newButton, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
            return TRUE;
        }
        case WM_NEXTDLGCTL: {
            HWND target = nullptr;
            if (LOWORD(lParam))
                target = reinterpret_cast<HWND>(wParam);
            else
                target = pdt::dlg::NextTabItem(m_h, ::GetFocus(), wParam != 0);
            if (IsWindow(target))
                pdt::dlg::FocusControl(target);
            ShowDefaultOn(IsWindow(target) ? target : nullptr);
            return 0;
        }
        case WM_CLOSE: {
            // The close box is Cancel, posted as the dialog manager does; not while Cancel is disabled.
            HWND cancel = ::GetDlgItem(m_h, IDCANCEL);
            if (!cancel || !(cancel->style & WS_DISABLED))
                ::PostMessage(m_h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(cancel));
            return 0;
        }
        default:
            return WindowImpl::Proc(message, wParam, lParam);
        }
    }

    // The push button the focus moves to looks like the default one while it has the focus; moving on to
    // anything else gives the look back to the dialog's default button, whose id stays as it was.
    void ShowDefaultOn(HWND target)
    {
        HWND def = m_defId ? ::GetDlgItem(m_h, int(m_defId)) : nullptr;
        UINT code = target ? UINT(::SendMessage(target, WM_GETDLGCODE)) : 0;
        if (target && !(code & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON)))
        {
            target = def;
            code = target ? UINT(::SendMessage(target, WM_GETDLGCODE)) : 0;
        }
        HWND shown = def && (::SendMessage(def, WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON) ? def : FindDefButton(m_h);
        if (shown && shown != target)
            ::SendMessage(shown, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        if (target && (code & DLGC_UNDEFPUSHBUTTON))
            ::SendMessage(target, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }

  private:
    static HWND FindDefButton(HWND parent);

    UINT m_defId = 0;
};

bool IsContainer(HWND h)
{
    return (h->exStyle & WS_EX_CONTROLPARENT) || (pdt::win::IsDialogClass(h) && (h->style & DS_CONTROL)) ||
           (pdt::win::IsDialogClass(h) && (h->style & WS_CHILD));
}

bool Usable(HWND h) { return IsWindow(h) && !pdt::win::IsHiddenSelf(h) && !(h->style & WS_DISABLED); }

bool IsRadio(HWND h);
std::vector<HWND> GroupOf(HWND h);

// The checked radio button holds its group's tab stop; a group with nothing checked has none, and Tab stops at its
// first enabled button instead, so that the group can still be reached.
bool TakesUntabbedGroupsStop(HWND c)
{
    if (!IsRadio(c))
        return false;
    for (HWND m : GroupOf(c))
    {
        if (!IsRadio(m) || !Usable(m))
            continue;
        if ((m->style & WS_TABSTOP) || ::SendMessage(m, BM_GETCHECK, 0, 0) == BST_CHECKED)
            return false;
    }
    for (HWND m : GroupOf(c))
        if (IsRadio(m) && Usable(m))
            return m == c;
    return false;
}

void CollectTabItems(HWND parent, std::vector<HWND>& out)
{
    for (HWND c : parent->children)
    {
        if (!Usable(c))
            continue;
        if (IsContainer(c))
            CollectTabItems(c, out);
        else if ((c->style & WS_TABSTOP) || TakesUntabbedGroupsStop(c))
            out.push_back(c);
    }
}

void CollectWindows(HWND parent, std::vector<HWND>& out)
{
    for (HWND c : parent->children)
    {
        out.push_back(c);
        if (IsContainer(c))
            CollectWindows(c, out);
    }
}

bool IsRadio(HWND h)
{
    if (h->className.CompareNoCase("Button") != 0)
        return false;
    DWORD t = h->style & BS_TYPEMASK;
    return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON;
}

// The group of h among its siblings: from the last WS_GROUP at or before it to the next WS_GROUP.
std::vector<HWND> GroupOf(HWND h)
{
    std::vector<HWND> group;
    if (!IsWindow(h) || !IsWindow(h->parent))
        return {h};
    auto& sib = h->parent->children;
    auto it = std::find(sib.begin(), sib.end(), h);
    if (it == sib.end())
        return {h};
    auto first = it;
    while (first != sib.begin() && !((*first)->style & WS_GROUP))
        --first;
    auto last = it + 1;
    while (last != sib.end() && !((*last)->style & WS_GROUP))
        ++last;
    return std::vector<HWND>(first, last);
}

HWND TopDialog(HWND h)
{
    while (IsWindow(h) && (h->style & WS_CHILD) && IsWindow(h->parent))
        h = h->parent;
    return h;
}

// The dialog that handles the dialog keys for dlg: nested pages pass them up to the dialog around them.
HWND KeyDialog(HWND dlg)
{
    while (IsWindow(dlg) && (dlg->style & WS_CHILD) && pdt::win::IsDialogClass(dlg->parent))
        dlg = dlg->parent;
    return dlg;
}

// The button that looks like the default one, looking into nested pages too.
HWND DialogImpl::FindDefButton(HWND parent)
{
    for (HWND c : parent->children)
    {
        if (::SendMessage(c, WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON)
            return c;
        if (IsContainer(c) && Usable(c))
            if (HWND d = FindDefButton(c))
                return d;
    }
    return nullptr;
}

} // namespace

std::unique_ptr<WindowImpl> MakeDialogImpl(HWND h) { return std::make_unique<DialogImpl>(h); }

namespace pdt::dlg
{

HWND NextTabItem(HWND dlg, HWND current, bool previous)
{
    std::vector<HWND> items;
    CollectTabItems(TopDialog(dlg), items);
    if (items.empty())
        return nullptr;
    // Radio groups need nothing special: the checked button holds its group's tab stop.
    int n = int(items.size()), at = -1;
    for (int i = 0; i < n; ++i)
        if (items[size_t(i)] == current)
            at = i;
    if (at < 0 && IsWindow(current))
    {
        // From a window that is no tab stop (a label, say): the nearest tab stop after (before) it in Z order.
        std::vector<HWND> all;
        CollectWindows(TopDialog(dlg), all);
        auto order = [&](HWND h) { return std::find(all.begin(), all.end(), h) - all.begin(); };
        auto me = order(current);
        if (me < std::ssize(all))
        {
            if (!previous)
            {
                for (HWND item : items)
                    if (order(item) > me)
                        return item;
            }
            else
                for (auto it = items.rbegin(); it != items.rend(); ++it)
                    if (order(*it) < me)
                        return *it;
        }
    }
    if (at < 0)
        return previous ? items.back() : items.front();
    return items[size_t((at + (previous ? n - 1 : 1)) % n)];
}

HWND NextGroupItem(HWND current, bool previous)
{
    std::vector<HWND> group = GroupOf(current);
    int n = int(group.size());
    auto it = std::find(group.begin(), group.end(), current);
    if (it == group.end() || n < 2)
        return current;
    int at = int(it - group.begin());
    for (int step = 1; step < n; ++step)
    {
        HWND c = group[size_t((at + (previous ? n - step : step)) % n)];
        if (Usable(c) && !(c->className.CompareNoCase("Static") == 0) &&
            !(c->className.CompareNoCase("Button") == 0 && (c->style & BS_TYPEMASK) == BS_GROUPBOX))
            return c;
    }
    return current;
}

void FocusMoved(HWND to)
{
    // Whichever way the focus came (Tab, a click, SetFocus), the default look follows it as the dialog manager
    // keeps it: the dialog around the control's page, which handles the dialog keys, decides.
    if (!IsWindow(to) || !(to->style & WS_CHILD) || !pdt::win::IsDialogClass(to->parent))
        return;
    HWND top = KeyDialog(to->parent);
    if (auto* dlg = dynamic_cast<DialogImpl*>(top->impl.get()))
        dlg->ShowDefaultOn(to);
}

void FocusControl(HWND h)
{
    CWnd::FromHandle(h)->SetFocus();
    if (::SendMessage(h, WM_GETDLGCODE) & DLGC_HASSETSEL)
        ::SendMessage(h, EM_SETSEL, 0, -1);
}

} // namespace pdt::dlg

QFont pdt::win::DialogFont(const char* face, int points, int weight, bool italic)
{
    QString family = ToQt(face);
    // Windows' dialog faces are not installed here; the system's sans-serif face stands in.
    static const QStringList kStandIns = {"MS Shell Dlg", "MS Shell Dlg 2", "MS Sans Serif", "Tahoma", "Segoe UI",
                                          "System", ""};
    QFont f;
    if (kStandIns.contains(family, Qt::CaseInsensitive) || !pdt::gdi::IsInstalledFamily(family))
        f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    else
        f = QFont(family);
    f.setPixelSize(MulDiv(points > 0 ? points : 8, 96, 72));
    f.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
    f.setItalic(italic);
    return f;
}

// Builds a dialog window and its controls from a template of the resource chain.
class DialogBuilder
{
    struct DialogFontInfo
    {
        QFont font;
        int baseX;
        int baseY;
    };

    // Measuring a font is costly and every page of a dialog uses the same one.
    static const DialogFontInfo& FontInfo(const pdt::rc::DialogTemplate& t)
    {
        static std::map<std::tuple<std::string, int, int, bool>, DialogFontInfo> cache;
        auto key = std::make_tuple(t.fontFace, t.fontSize, t.fontWeight, t.fontItalic);
        auto it = cache.find(key);
        if (it == cache.end())
        {
            QFont font = pdt::win::DialogFont(t.fontFace.c_str(), t.fontSize, t.fontWeight, t.fontItalic);
            QFontMetrics fm(font);
            // Dialog base units as Windows computes them: average width of the alphabet, and the font height.
            int baseX = (fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1) / 2;
            it = cache.emplace(key, DialogFontInfo{font, baseX, fm.height()}).first;
        }
        return it->second;
    }

  public:
    static bool Build(CDialog& dlg, UINT templateId, HWND parent, bool modal)
    {
        const pdt::rc::DialogTemplate* t = pdt::FindDialogTemplate(int(templateId));
        if (!t)
            return false;
        const DialogFontInfo& info = FontInfo(*t);
        const QFont& font = info.font;
        int baseX = info.baseX, baseY = info.baseY;
        auto toPx = [&](int x, int y, int cx, int cy) {
            return QRect(MulDiv(x, baseX, 4), MulDiv(y, baseY, 8), MulDiv(cx, baseX, 4), MulDiv(cy, baseY, 8));
        };
        DWORD style = t->style;
        bool child = style & WS_CHILD;
        QRect rect = toPx(t->x, t->y, t->cx, t->cy);
        // The window is created hidden; visibility is decided after WM_INITDIALOG.
        HWND h = pdt::win::CreateWindowRecord("#32770", t->caption.c_str(), style & ~WS_VISIBLE, t->exStyle, rect,
                                              parent, int(templateId), &dlg);
        if (!h)
            return false;
        h->style = style & ~WS_VISIBLE;
        pdt::win::SetDialogLook(h, font, QPoint(baseX, baseY));
        // A dialog with a sizing border can be resized (the peer asks for its smallest size when it is shown).
        const bool sizable = !child && (style & WS_THICKFRAME);
        if (!child)
        {
            if (sizable)
                h->peer->resize(rect.size());
            else
                h->peer->setFixedSize(rect.size());
            if (style & DS_CENTER || !parent)
                CWnd::FromHandle(h)->CenterWindow();
            else if (QWidget* owner = pdt::win::Peer(parent))
                h->peer->move(owner->window()->mapToGlobal(rect.topLeft()));
        }
        for (const pdt::rc::ControlTemplate& c : t->controls)
        {
            HWND ctl = pdt::win::CreateWindowRecord(c.className.c_str(), c.text.c_str(), c.style, c.exStyle,
                                                    toPx(c.x, c.y, c.cx, c.cy), h, c.id, nullptr);
            if (!ctl)
            {
                if (style & DS_NOFAILCREATE)
                    continue;
                dlg.DestroyWindow();
                return false;
            }
        }
        // The template's default push button is the dialog's default id, which a button taking the focus leaves alone.
        for (HWND c : h->children)
            if (::SendMessage(c, WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON)
            {
                ::SendMessage(h, DM_SETDEFID, WPARAM(c->id));
                break;
            }
        // WM_INITDIALOG names the dialog's own first tab stop; a page never looks into its container.
        std::vector<HWND> own;
        CollectTabItems(h, own);
        HWND first = own.empty() ? nullptr : own.front();
        LRESULT setFocus = ::SendMessage(h, WM_INITDIALOG, WPARAM(first), 0);
        if (!IsWindow(h))
            return false;
        if (setFocus && (!child || (style & WS_VISIBLE)))
            if (HWND f = pdt::dlg::NextTabItem(h, nullptr, false))
                pdt::dlg::FocusControl(f);
        if ((style & WS_VISIBLE) && !modal)
            dlg.ShowWindow(SW_SHOW);
        if (style & WS_VISIBLE)
            h->style |= WS_VISIBLE;
        return true;
    }
};

// ---------------------------------------------------------------------------------------------------------------

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog()
{
    if (IsWindow(m_hWnd) && m_hWnd->wnd == this)
        DestroyWindow();
}

const MessageMap& CDialog::GetThisMessageMap()
{
    static const MessageMap map(&CWnd::GetThisMessageMap(), {
                                                                mm::Message(WM_INITDIALOG, &CDialog::OnInitDialogMessage),
                                                                mm::Command(IDOK, BN_CLICKED, &CDialog::OnOK),
                                                                mm::Command(IDCANCEL, BN_CLICKED, &CDialog::OnCancel),
                                                            });
    return map;
}

LRESULT CDialog::OnInitDialogMessage(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog()
{
    if (!UpdateData(FALSE))
    {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_nIDTemplate = templateId;
    if (parent)
        m_pParentWnd = parent;
    return DialogBuilder::Build(*this, templateId, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, false);
}

INT_PTR CDialog::DoModal()
{
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    HWND focusBefore = ::GetFocus();
    m_nModalResult = -1;
    m_bInModalLoop = true;
    if (!DialogBuilder::Build(*this, m_nIDTemplate, owner ? owner->GetTopLevelParent()->m_hWnd : nullptr, true))
    {
        m_bInModalLoop = false;
        return -1;
    }
    HWND h = m_hWnd;
    HWND ownerTop = owner ? owner->GetTopLevelParent()->m_hWnd : nullptr;
    QEventLoop loop;
    if (m_bInModalLoop && IsWindow(h))
    {
        h->modalLoop = &loop;
        h->peer->setWindowModality(Qt::ApplicationModal);
        h->style |= WS_VISIBLE;
        h->peer->show();
        pdt::win::ActivateNow(h->peer);
        pdt::hooks::ModalHandler handler;
        if (!g_modalHandlers.empty())
        {
            handler = std::move(g_modalHandlers.front());
            g_modalHandlers.pop_front();
        }
        else
            handler = g_fallbackModal;
        if (handler)
            QTimer::singleShot(0, &loop, [this, handler] { handler(*this); });
        loop.exec();
        if (IsWindow(h))
            h->modalLoop = nullptr;
    }
    m_bInModalLoop = false;
    if (IsWindow(h))
        DestroyWindow();
    // As in Win32, the owner is the active window again once its modal dialog is gone, and the window that had the
    // focus has it again, before DoModal returns: a window system that activates later (an X server, a window
    // manager) would otherwise hand the focus back once the caller has moved on, and a handler that opened the
    // dialog on WM_SETFOCUS would open it again.
    if (IsWindow(ownerTop) && ownerTop->peer && !pdt::win::DisabledByModal(ownerTop->peer))
    {
        pdt::win::ActivateNow(ownerTop->peer);
        if (IsWindow(focusBefore) && focusBefore != ownerTop && TopDialog(focusBefore) == ownerTop &&
            CWnd::FromHandle(focusBefore)->IsWindowVisible() && CWnd::FromHandle(focusBefore)->IsWindowEnabled())
        {
            CWnd::FromHandle(focusBefore)->SetFocus();
            // The toolkit may count the field focused already and tell nobody until its window system answers.
            if (pdt::win::TrackedFocus() != focusBefore)
                pdt::win::FocusChanged(focusBefore);
        }
    }
    return m_nModalResult;
}

void CDialog::EndDialog(int result)
{
    m_nModalResult = result;
    if (!IsWindow(m_hWnd))
        return;
    if (m_bInModalLoop)
    {
        m_bInModalLoop = false;
        if (m_hWnd->modalLoop)
            m_hWnd->modalLoop->quit();
        if (m_hWnd->peer)
            m_hWnd->peer->hide();
    }
    else
        ShowWindow(SW_HIDE);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    // As in MFC, the controls' notifications are not dispatched while the data is exchanged: an EN_CHANGE
    // handler does not run for the text DDX_Text puts in.
    struct Lockout
    {
        HWND outer;
        explicit Lockout(HWND h) : outer(std::exchange(pdt::win::LockoutNotifyWindow(), h)) {}
        ~Lockout() { pdt::win::LockoutNotifyWindow() = outer; }
    } lockout(m_hWnd);
    BOOL ok = FALSE;
    try
    {
        DoDataExchange(&dx);
        ok = TRUE;
    }
    catch (const CUserException&)
    {
        // the user has been told already
    }
    catch (const std::exception&)
    {
        // A data exchange with a control that is not there, say; MFC reports it and carries on.
        AfxMessageBox("An unsupported operation was attempted.", MB_ICONEXCLAMATION);
    }
    return ok;
}

void CDialog::NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 1, 0); }
void CDialog::GotoDlgCtrl(CWnd* ctl)
{
    if (ctl)
        SendMessage(WM_NEXTDLGCTL, WPARAM(ctl->m_hWnd), 1);
}
void CDialog::SetDefID(UINT id) { SendMessage(DM_SETDEFID, id); }
DWORD CDialog::GetDefID() const { return DWORD(SendMessage(DM_GETDEFID)); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // Escape in a multi-line edit would otherwise be swallowed by the edit.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL) &&
        (GetWindowStyle(pMsg->hwnd) & ES_MULTILINE) && GetWindowClassName(pMsg->hwnd).CompareNoCase("Edit") == 0)
    {
        HWND cancel = ::GetDlgItem(m_hWnd, IDCANCEL);
        if (!cancel || !(cancel->style & WS_DISABLED))
        {
            SendMessage(WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        }
    }
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    return IsDialogMessage(pMsg);
}

// The control whose '&' marks ch, searched from the one after `from` round the whole dialog, as the dialog
// manager does: a button is clicked, a label or group box passes the focus to the next tab stop after it.
static bool DoMnemonic(HWND dlg, HWND from, char ch)
{
    if (BYTE(ch) < 0x20)
        return false;
    std::vector<HWND> all;
    CollectWindows(TopDialog(dlg), all);
    auto start = std::find(all.begin(), all.end(), from);
    size_t n = all.size(), first = start == all.end() ? 0 : size_t(start - all.begin()) + 1;
    for (size_t k = 0; k < n; ++k)
    {
        HWND c = all[(first + k) % n];
        if (!Usable(c))
            continue;
        UINT code = UINT(::SendMessage(c, WM_GETDLGCODE));
        bool label = (code & DLGC_STATIC) && !(c->style & SS_NOPREFIX && c->className.CompareNoCase("Static") == 0);
        if (!label && !(code & DLGC_BUTTON))
            continue;
        const std::string text = c->impl->GetText().str();
        size_t amp = text.find('&');
        while (amp != std::string::npos && amp + 1 < text.size() && text[amp + 1] == '&')
            amp = text.find('&', amp + 2);
        if (amp == std::string::npos || amp + 1 >= text.size() ||
            std::toupper(BYTE(text[amp + 1])) != std::toupper(BYTE(ch)))
            continue;
        if (label)
        {
            if (HWND next = pdt::dlg::NextTabItem(dlg, c, false))
                pdt::dlg::FocusControl(next);
        }
        else
            ::SendMessage(c, BM_CLICK);
        return true;
    }
    return false;
}

// Like Win32's IsDialogMessage, a message for the dialog or one of its controls is always taken: the
// dialog keys are handled here, anything else is dispatched to its window. So a key typed inside a
// nested page never reaches the windows around it.
BOOL CDialog::IsDialogMessage(MSG* pMsg)
{
    HWND target = pMsg->hwnd;
    bool inside = target == m_hWnd;
    for (HWND h = target; !inside && IsWindow(h) && (h->style & WS_CHILD); h = h->parent)
        inside = h->parent == m_hWnd;
    if (!inside)
        return FALSE;
    if (pMsg->message == WM_KEYDOWN && HandleDialogKey(pMsg))
        return TRUE;
    // Alt+letter, or a plain letter in a control that takes no characters (a button), is a mnemonic.
    if (pMsg->message == WM_SYSCHAR ||
        (pMsg->message == WM_CHAR &&
         !(::SendMessage(pMsg->hwnd, WM_GETDLGCODE, pMsg->wParam, LPARAM(pMsg)) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS))))
        if (DoMnemonic(m_hWnd, pMsg->hwnd, char(pMsg->wParam)))
            return TRUE;
    pdt::win::MarkDispatched();
    pdt::win::ResetPassToToolkit();
    ::SendMessage(pMsg->hwnd, pMsg->message, pMsg->wParam, pMsg->lParam);
    return TRUE;
}

BOOL CDialog::HandleDialogKey(MSG* pMsg)
{
    HWND focus = pMsg->hwnd;
    UINT code = UINT(::SendMessage(focus, WM_GETDLGCODE, pMsg->wParam, LPARAM(pMsg)));
    if (code & DLGC_WANTALLKEYS)
        return FALSE;
    bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (pMsg->wParam)
    {
    case VK_TAB: {
        if (code & DLGC_WANTTAB)
            return FALSE;
        ::SendMessage(KeyDialog(m_hWnd), WM_NEXTDLGCTL, shift, 0);
        return TRUE;
    }
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if (code & DLGC_WANTARROWS)
            return FALSE;
        HWND next = pdt::dlg::NextGroupItem(focus, pMsg->wParam == VK_LEFT || pMsg->wParam == VK_UP);
        if (next && next != focus)
        {
            pdt::dlg::FocusControl(next);
            if (IsRadio(next) && (next->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                ::SendMessage(next, BM_CLICK);
        }
        return TRUE;
    }
    case VK_RETURN: {
        int id;
        if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
            id = ::GetDlgCtrlID(focus);
        else
        {
            DWORD def = DWORD(::SendMessage(m_hWnd, DM_GETDEFID));
            id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
        }
        HWND button = ::GetDlgItem(m_hWnd, id);
        if (button && (button->style & WS_DISABLED))
        {
            MessageBeep(0);
            return TRUE;
        }
        // A multi-line edit that does not keep Enter hands the focus to the default button, which then
        // takes the key: the edit hears EN_KILLFOCUS before the click is reported.
        if (button && (focus->style & ES_MULTILINE) && focus->className.CompareNoCase("Edit") == 0)
            ::SendMessage(KeyDialog(m_hWnd), WM_NEXTDLGCTL, WPARAM(button), TRUE);
        ::SendMessage(m_hWnd, WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED), LPARAM(button));
        return TRUE;
    }
    case VK_ESCAPE: {
        // Escape is IDCANCEL even when the Cancel button is disabled or missing; OnCancel decides. Only a
        // multi-line edit keeps Escape and asks to close as the close box does, which a disabled Cancel refuses.
        HWND button = ::GetDlgItem(m_hWnd, IDCANCEL);
        if (button && (button->style & WS_DISABLED) && (focus->style & ES_MULTILINE) &&
            focus->className.CompareNoCase("Edit") == 0)
            return TRUE;
        ::SendMessage(m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(button));
        return TRUE;
    }
    default:
        return FALSE;
    }
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* ctl, BOOL previous) const
{
    return FromHandle(pdt::dlg::NextTabItem(m_hWnd, ctl ? ctl->m_hWnd : nullptr, previous));
}
CWnd* CWnd::GetNextDlgGroupItem(CWnd* ctl, BOOL previous) const
{
    return ctl ? FromHandle(pdt::dlg::NextGroupItem(ctl->m_hWnd, previous)) : nullptr;
}

namespace pdt::hooks
{
void PushModalHandler(ModalHandler handler) { g_modalHandlers.push_back(std::move(handler)); }
size_t PendingModalHandlers() { return g_modalHandlers.size(); }
void ClearModalHandlers() { g_modalHandlers.clear(); }
void SetFallbackModalHandler(ModalHandler handler) { g_fallbackModal = std::move(handler); }
} // namespace pdt::hooks
