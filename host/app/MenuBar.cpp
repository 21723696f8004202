#include "host/app/MenuBar.h"

#include <algorithm>
#include <cctype>

#include "host/app/WindowClass.h"

namespace
{
constexpr char kClassName[] = "PdtMenuBar";
constexpr int kPadding = 8; // each side of a title

// The bar whose popup is down, for the keys of its popup: one popup is tracked at a time.
MenuBar* g_tracking = nullptr;
HHOOK g_hook = nullptr;
} // namespace

const MessageMap& MenuBar::GetThisMessageMap()
{
    static const MessageMap map(&CWnd::GetThisMessageMap(), {
                                                                mm::Paint(&MenuBar::OnPaint),
                                                                mm::Mouse(WM_LBUTTONDOWN, &MenuBar::OnLButtonDown),
                                                                mm::Message(WM_MENUSELECT, &MenuBar::OnMenuSelect),
                                                            });
    return map;
}

MenuBar::~MenuBar()
{
    DestroyWindow();
    for (Item& item : m_items)
        ::DestroyMenu(item.popup);
}

BOOL MenuBar::Create(CWnd* owner, const CRect& rect, UINT id)
{
    RegisterHostClass(kClassName);
    m_pOwner = owner;
    m_font.CreatePointFont(90, "DejaVu Sans");
    return CreateEx(0, kClassName, "", WS_CHILD | WS_VISIBLE, rect, owner, id);
}

void MenuBar::AddMenu(const char* title, HMENU popup)
{
    m_items.push_back(Item{title, popup, CRect()});
    Layout();
    Invalidate(FALSE);
}

CMenu* MenuBar::GetSubMenu(int index) const
{
    return index >= 0 && index < GetMenuCount() ? CMenu::FromHandle(m_items[size_t(index)].popup) : nullptr;
}

int MenuBar::FindMenu(const char* title) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
    {
        CString plain = m_items[i].title;
        plain.Remove('&');
        if (plain == title)
            return int(i);
    }
    return -1;
}

CRect MenuBar::GetItemRect(int index) const
{
    return index >= 0 && index < GetMenuCount() ? m_items[size_t(index)].rect : CRect();
}

int MenuBar::GetHeight() const { return 22; }

void MenuBar::Layout()
{
    if (!m_hWnd)
        return;
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_font);
    int x = 2;
    for (Item& item : m_items)
    {
        CString plain = item.title;
        plain.Remove('&');
        int width = dc.GetTextExtent(plain).cx + 2 * kPadding;
        item.rect = CRect(x, 1, x + width, GetHeight() - 1);
        x += width;
    }
    dc.SelectObject(old);
}

void MenuBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    // A line under the bar separates it from the flowchart.
    CPen line(PS_SOLID, 1, RGB(200, 200, 200));
    CPen* oldPen = dc.SelectObject(&line);
    dc.MoveTo(0, client.bottom - 1);
    dc.LineTo(client.right, client.bottom - 1);
    dc.SelectObject(oldPen);
    CFont* old = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    for (size_t i = 0; i < m_items.size(); ++i)
    {
        const Item& item = m_items[i];
        CRect r = item.rect;
        if (int(i) == m_nOpen)
        {
            dc.FillSolidRect(&r, GetSysColor(COLOR_HIGHLIGHT));
            dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        }
        else
            dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
        CString plain = item.title;
        plain.Remove('&');
        dc.DrawText(plain, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    dc.SelectObject(old);
}

void MenuBar::OnLButtonDown(UINT, CPoint pt)
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].rect.PtInRect(pt))
        {
            OpenMenu(int(i));
            return;
        }
}

void MenuBar::OpenMenu(int index, bool byKeyboard)
{
    // Left and Right in a popup close it and drop the next title's, as a menu bar does, from the keyboard.
    while (index >= 0 && index < GetMenuCount())
    {
        index = TrackMenu(index, byKeyboard);
        byKeyboard = true;
    }
}

int MenuBar::TrackMenu(int index, bool byKeyboard)
{
    const Item& item = m_items[size_t(index)];
    CMenu* popup = CMenu::FromHandle(item.popup);
    if (onInitMenu)
        onInitMenu(index, *popup);
    m_nOpen = index;
    m_nNext = -1;
    m_hSelMenu = nullptr;
    m_bSelPopup = false;
    Invalidate(FALSE);
    UpdateWindow();
    CPoint at(item.rect.left, item.rect.bottom);
    ClientToScreen(&at);
    g_tracking = this;
    g_hook = SetWindowsHookEx(WH_MSGFILTER, &MenuBar::MenuKeys, nullptr, 0);
    UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | (byKeyboard ? UINT(TPM_SELECTFIRST) : 0u);
    UINT id = UINT(popup->TrackPopupMenu(flags, at.x, at.y, this));
    UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_tracking = nullptr;
    m_nOpen = -1;
    if (m_hWnd)
        Invalidate(FALSE);
    if (id && m_pOwner && IsWindow(m_pOwner->m_hWnd))
    {
        m_pOwner->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0);
        return -1;
    }
    return m_hWnd ? m_nNext : -1;
}

LRESULT MenuBar::OnMenuSelect(WPARAM wParam, LPARAM lParam)
{
    m_hSelMenu = reinterpret_cast<HMENU>(lParam);
    m_bSelPopup = m_hSelMenu && (HIWORD(wParam) & MF_POPUP);
    return 0;
}

LRESULT MenuBar::MenuKeys(int code, WPARAM wParam, LPARAM lParam)
{
    auto* msg = reinterpret_cast<MSG*>(lParam);
    MenuBar* bar = g_tracking;
    if (code == MSGF_MENU && bar && msg && msg->message == WM_KEYDOWN && bar->GetMenuCount() > 1)
    {
        const int n = bar->GetMenuCount();
        const bool inTopPopup = !bar->m_hSelMenu || bar->m_hSelMenu == bar->m_items[size_t(bar->m_nOpen)].popup;
        // Left closes a submenu before it leaves the popup; Right opens the highlighted submenu first.
        if ((msg->wParam == VK_LEFT && inTopPopup) || (msg->wParam == VK_RIGHT && !bar->m_bSelPopup))
        {
            bar->m_nNext = (bar->m_nOpen + (msg->wParam == VK_LEFT ? n - 1 : 1)) % n;
            EndMenu();
            return 1;
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

int MenuBar::FindMnemonic(char key) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
    {
        const CString& title = m_items[i].title;
        int amp = title.Find('&');
        if (amp >= 0 && amp + 1 < title.GetLength() &&
            std::toupper(static_cast<unsigned char>(title[amp + 1])) == std::toupper(static_cast<unsigned char>(key)))
            return int(i);
    }
    return -1;
}
