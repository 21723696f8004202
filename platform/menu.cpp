// Menus: records behind HMENU handles, loaded from the resource chain or built item by item, and popups shown
// with a QMenu (or answered by the test hook).
#include "platform/window_p.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "platform/afxhooks.h"
#include "platform/afxres.h"

struct MenuRecord
{
    struct Item
    {
        UINT id = 0;
        CString text;
        UINT flags = 0; // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_SEPARATOR, MF_POPUP, MF_DEFAULT ...
        MenuRecord* sub = nullptr; // owned by the item while it is in the menu
    };
    std::vector<Item> items;
    CMenu wrapper;
};

namespace
{

constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT | MF_MENUBREAK | MF_MENUBARBREAK;

std::unordered_set<const MenuRecord*>& LiveMenus()
{
    static std::unordered_set<const MenuRecord*> live;
    return live;
}

MenuRecord* Menu(HMENU h) { return h && LiveMenus().count(h) ? h : nullptr; }

MenuRecord* NewMenu()
{
    auto* m = new MenuRecord;
    m->wrapper.m_hMenu = m;
    LiveMenus().insert(m);
    return m;
}

void FreeMenu(MenuRecord* m)
{
    if (!Menu(m))
        return;
    LiveMenus().erase(m);
    for (auto& item : m->items)
        FreeMenu(item.sub);
    m->wrapper.m_hMenu = nullptr; // its destructor must not come back here
    delete m;
}

MenuRecord* FromTemplate(const std::vector<pdt::rc::MenuItem>& items)
{
    MenuRecord* m = NewMenu();
    for (const pdt::rc::MenuItem& t : items)
    {
        MenuRecord::Item item;
        item.text = CString(t.text);
        item.flags = t.flags & (kStateBits | MF_SEPARATOR | MF_POPUP);
        if (t.flags & MF_POPUP)
            item.sub = FromTemplate(t.children);
        else if (!(t.flags & MF_SEPARATOR))
            item.id = UINT(t.id);
        m->items.push_back(std::move(item));
    }
    return m;
}

struct Found
{
    MenuRecord* menu = nullptr;
    size_t index = 0;
};

// By position in this menu, or by command anywhere in it and its submenus, as Win32 looks items up.
Found FindItem(MenuRecord* m, UINT id, UINT flags)
{
    if (!m)
        return {};
    if (flags & MF_BYPOSITION)
        return id < m->items.size() ? Found{m, id} : Found{};
    for (size_t i = 0; i < m->items.size(); ++i)
    {
        const auto& item = m->items[i];
        if (item.sub)
        {
            if (Found f = FindItem(item.sub, id, flags); f.menu)
                return f;
        }
        else if (!(item.flags & MF_SEPARATOR) && item.id == id)
            return {m, i};
    }
    return {};
}

bool MakeItem(MenuRecord::Item& item, UINT flags, UINT_PTR idNewItem, LPCTSTR text)
{
    item = MenuRecord::Item{};
    item.flags = flags & (kStateBits | MF_SEPARATOR | MF_POPUP);
    if (flags & MF_POPUP)
    {
        MenuRecord* sub = Menu(reinterpret_cast<HMENU>(idNewItem));
        if (!sub)
            return false;
        item.sub = sub;
    }
    else if (!(flags & MF_SEPARATOR))
        item.id = UINT(idNewItem);
    if (!(flags & MF_SEPARATOR))
        item.text = text ? text : "";
    return true;
}

std::vector<pdt::hooks::MenuItemInfo> Describe(const MenuRecord* m)
{
    std::vector<pdt::hooks::MenuItemInfo> out;
    for (const auto& item : m->items)
    {
        pdt::hooks::MenuItemInfo info;
        info.separator = (item.flags & MF_SEPARATOR) != 0;
        info.id = item.sub ? 0 : item.id;
        info.text = item.text;
        info.enabled = !(item.flags & (MF_GRAYED | MF_DISABLED));
        info.checked = (item.flags & MF_CHECKED) != 0;
        if (item.sub)
            info.children = Describe(item.sub);
        out.push_back(std::move(info));
    }
    return out;
}

// A command the user could choose: enabled, and inside enabled submenus.
bool Choosable(const MenuRecord* m, UINT id)
{
    for (const auto& item : m->items)
    {
        bool enabled = !(item.flags & (MF_GRAYED | MF_DISABLED));
        if (item.sub)
        {
            if (enabled && Choosable(item.sub, id))
                return true;
        }
        else if (!(item.flags & MF_SEPARATOR) && item.id == id && enabled)
            return true;
    }
    return false;
}

void Fill(QMenu* q, const MenuRecord* m)
{
    for (const auto& item : m->items)
    {
        if (item.flags & MF_SEPARATOR)
        {
            q->addSeparator();
            continue;
        }
        bool enabled = !(item.flags & (MF_GRAYED | MF_DISABLED));
        if (item.sub)
        {
            QMenu* sub = q->addMenu(ToQt(item.text));
            sub->setEnabled(enabled);
            Fill(sub, item.sub);
            continue;
        }
        QAction* a = q->addAction(ToQt(item.text)); // "\t" puts the accelerator text on the right
        a->setData(QVariant::fromValue(uint(item.id)));
        a->setEnabled(enabled);
        if (item.flags & MF_CHECKED)
        {
            a->setCheckable(true);
            a->setChecked(true);
        }
        if (item.flags & MF_DEFAULT)
        {
            QFont f = a->font();
            f.setBold(true);
            a->setFont(f);
        }
    }
}

pdt::hooks::PopupMenuHandler& Handler()
{
    static pdt::hooks::PopupMenuHandler handler;
    return handler;
}

std::vector<HookRecord*>& Hooks() // oldest first
{
    static std::vector<HookRecord*> hooks;
    return hooks;
}

LRESULT CallHook(size_t index, int code, WPARAM wParam, LPARAM lParam);

// The popup being tracked: its owner hears the highlight move and the message-filter hooks hear its keys.
class Tracking : public QObject
{
  public:
    Tracking(QMenu* root, const MenuRecord* m, HWND owner) : m_root(root), m_owner(owner) { Watch(root, m); }
    ~Tracking() override
    {
        if (IsWindow(m_owner))
            ::SendMessage(m_owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    }
    QMenu* Root() const { return m_root; }

  protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress || Hooks().empty())
            return false;
        MSG msg{m_owner, WM_KEYDOWN, pdt::win::VirtualKeyOf(static_cast<QKeyEvent*>(e)), 0, 0, {0, 0}};
        return msg.wParam && CallHook(Hooks().size() - 1, MSGF_MENU, 0, LPARAM(&msg)) != 0;
    }

  private:
    // The menus were filled item by item, so a menu's actions and its record's items line up.
    void Watch(QMenu* q, const MenuRecord* m)
    {
        q->installEventFilter(this);
        QObject::connect(q, &QMenu::hovered, this, [this, q, m](QAction* a) { Selected(q, m, a); });
        const QList<QAction*> actions = q->actions();
        for (qsizetype i = 0; i < actions.size() && size_t(i) < m->items.size(); ++i)
            if (QMenu* sub = m->items[size_t(i)].sub ? actions[i]->menu() : nullptr)
            {
                Watch(sub, m->items[size_t(i)].sub);
                // Back in this menu when the submenu closes, on the item that opened it.
                QObject::connect(sub, &QMenu::aboutToHide, this, [this, q, m] { Selected(q, m, q->activeAction()); });
            }
    }

    void Selected(QMenu* q, const MenuRecord* m, QAction* a)
    {
        const qsizetype at = a ? q->actions().indexOf(a) : -1;
        if (!Menu(const_cast<HMENU>(m)) || at < 0 || size_t(at) >= m->items.size() || !IsWindow(m_owner))
            return;
        const MenuRecord::Item& item = m->items[size_t(at)];
        UINT flags = item.flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
        WORD id = WORD(item.id);
        if (item.sub)
        {
            flags |= MF_POPUP;
            id = WORD(at);
        }
        ::SendMessage(m_owner, WM_MENUSELECT, MAKEWPARAM(id, WORD(flags)), LPARAM(m));
    }

    QMenu* m_root;
    HWND m_owner;
};
Tracking* g_tracking = nullptr;

} // namespace

struct HookRecord
{
    HOOKPROC proc;
};

namespace
{
LRESULT CallHook(size_t index, int code, WPARAM wParam, LPARAM lParam)
{
    return Hooks()[index]->proc(code, wParam, lParam);
}
} // namespace

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HANDLE, DWORD)
{
    if (idHook != WH_MSGFILTER || !proc)
        return nullptr;
    Hooks().push_back(new HookRecord{proc});
    return Hooks().back();
}

BOOL UnhookWindowsHookEx(HHOOK hook)
{
    auto& hooks = Hooks();
    auto at = std::find(hooks.begin(), hooks.end(), hook);
    if (at == hooks.end())
        return FALSE;
    hooks.erase(at);
    delete hook;
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam)
{
    auto& hooks = Hooks();
    auto at = std::find(hooks.begin(), hooks.end(), hook);
    return at == hooks.end() || at == hooks.begin() ? 0 : CallHook(size_t(at - hooks.begin()) - 1, code, wParam, lParam);
}

BOOL EndMenu()
{
    if (!g_tracking)
        return FALSE;
    // The submenus first: each popup closes only itself.
    for (int guard = 0; guard < 16; ++guard)
    {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup || popup == g_tracking->Root())
            break;
        popup->close();
    }
    g_tracking->Root()->close();
    return TRUE;
}

namespace pdt::hooks
{
void SetPopupMenuHandler(PopupMenuHandler handler) { Handler() = std::move(handler); }
} // namespace pdt::hooks

// ---------------------------------------------------------------------------------------------------------------
// Free functions.

HMENU CreatePopupMenu() { return NewMenu(); }

HMENU LoadMenu(HANDLE, LPCTSTR name)
{
    uintptr_t v = reinterpret_cast<uintptr_t>(name);
    int id = 0;
    if (v && v <= 0xFFFF)
        id = int(v);
    else if (name && name[0] == '#')
        id = std::atoi(name + 1);
    const pdt::rc::MenuTemplate* t = id ? pdt::FindMenuTemplate(id) : nullptr;
    return t ? FromTemplate(t->items) : nullptr;
}

BOOL DestroyMenu(HMENU h)
{
    MenuRecord* m = Menu(h);
    if (!m)
        return FALSE;
    // A submenu still in a parent is detached from it first.
    for (const MenuRecord* other : LiveMenus())
        for (auto& item : const_cast<MenuRecord*>(other)->items)
            if (item.sub == m)
                item.sub = nullptr;
    FreeMenu(m);
    return TRUE;
}

HMENU GetSubMenu(HMENU h, int position)
{
    MenuRecord* m = Menu(h);
    if (!m || position < 0 || size_t(position) >= m->items.size())
        return nullptr;
    return m->items[size_t(position)].sub;
}

int GetMenuItemCount(HMENU h)
{
    MenuRecord* m = Menu(h);
    return m ? int(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU h, int position)
{
    MenuRecord* m = Menu(h);
    if (!m || position < 0 || size_t(position) >= m->items.size())
        return UINT(-1);
    const auto& item = m->items[size_t(position)];
    if (item.sub)
        return UINT(-1);
    return (item.flags & MF_SEPARATOR) ? 0 : item.id;
}

UINT GetMenuState(HMENU h, UINT id, UINT flags)
{
    Found f = FindItem(Menu(h), id, flags);
    if (!f.menu)
        return UINT(-1);
    const auto& item = f.menu->items[f.index];
    UINT state = item.flags & (kStateBits | MF_SEPARATOR | MF_POPUP);
    if (item.sub)
        state |= UINT(std::min<size_t>(item.sub->items.size(), 0xFF)) << 8; // a popup's item count
    return state;
}

UINT EnableMenuItem(HMENU h, UINT id, UINT enable)
{
    Found f = FindItem(Menu(h), id, enable);
    if (!f.menu)
        return UINT(-1);
    UINT& flags = f.menu->items[f.index].flags;
    UINT previous = flags & (MF_GRAYED | MF_DISABLED);
    flags = (flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return previous;
}

DWORD CheckMenuItem(HMENU h, UINT id, UINT check)
{
    Found f = FindItem(Menu(h), id, check);
    if (!f.menu)
        return DWORD(-1);
    UINT& flags = f.menu->items[f.index].flags;
    UINT previous = flags & MF_CHECKED;
    flags = (flags & ~MF_CHECKED) | (check & MF_CHECKED);
    return previous;
}

BOOL AppendMenu(HMENU h, UINT flags, UINT_PTR idNewItem, LPCTSTR text)
{
    MenuRecord* m = Menu(h);
    MenuRecord::Item item;
    if (!m || !MakeItem(item, flags, idNewItem, text) || item.sub == m)
        return FALSE;
    m->items.push_back(std::move(item));
    return TRUE;
}

BOOL TrackPopupMenu(HMENU h, UINT flags, int x, int y, int, HWND owner, const RECT*)
{
    MenuRecord* m = Menu(h);
    if (!m || !IsWindow(owner))
        return FALSE;
    if (!(flags & TPM_NONOTIFY))
    {
        ::SendMessage(owner, WM_INITMENUPOPUP, WPARAM(h), MAKELPARAM(0, FALSE));
        if (!Menu(h) || !IsWindow(owner))
            return FALSE;
    }
    UINT chosen = 0;
    if (Handler())
    {
        pdt::hooks::PopupMenuRequest request;
        request.owner = owner;
        request.point = CPoint(x, y);
        request.flags = flags;
        request.items = Describe(m);
        int answer = Handler()(request);
        if (answer > 0 && Menu(h) && Choosable(m, UINT(answer)))
            chosen = UINT(answer);
    }
    else
    {
        QMenu menu(IsWindow(owner) ? pdt::win::Peer(owner) : nullptr);
        Fill(&menu, m);
        QSize size = menu.sizeHint();
        QPoint at(x, y);
        if ((flags & TPM_CENTERALIGN) == TPM_CENTERALIGN)
            at.rx() -= size.width() / 2;
        else if (flags & TPM_RIGHTALIGN)
            at.rx() -= size.width();
        if (flags & TPM_BOTTOMALIGN)
            at.ry() -= size.height();
        else if (flags & TPM_VCENTERALIGN)
            at.ry() -= size.height() / 2;
        Tracking tracking(&menu, m, owner);
        Tracking* outer = std::exchange(g_tracking, &tracking);
        if (flags & TPM_SELECTFIRST)
            QTimer::singleShot(0, &menu, [&menu, &tracking] {
                if (menu.activeAction())
                    return;
                // The toolkit's own Down from no item: the first enabled one, without opening its submenu. It is
                // no key of the person's, so the message-filter hooks do not hear it.
                QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
                menu.removeEventFilter(&tracking);
                QApplication::sendEvent(&menu, &down);
                menu.installEventFilter(&tracking);
            });
        QAction* a = menu.exec(at);
        g_tracking = outer;
        if (a)
            chosen = a->data().toUInt();
    }
    if (flags & TPM_RETURNCMD)
        return BOOL(chosen);
    if (!chosen)
        return FALSE;
    // Posted, as Win32 does: the command arrives after TrackPopupMenu has returned.
    ::PostMessage(owner, WM_COMMAND, MAKEWPARAM(WORD(chosen), 0), 0);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------------------
// CMenu.

CMenu::~CMenu()
{
    if (MenuRecord* m = Menu(m_hMenu); m && &m->wrapper != this)
        DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU h)
{
    MenuRecord* m = Menu(h);
    if (!m)
        return nullptr;
    m->wrapper.m_hMenu = m;
    return &m->wrapper;
}

BOOL CMenu::Attach(HMENU h)
{
    if (m_hMenu || !Menu(h))
        return FALSE;
    m_hMenu = h;
    return TRUE;
}

HMENU CMenu::Detach() { return std::exchange(m_hMenu, nullptr); }

BOOL CMenu::CreateMenu()
{
    if (m_hMenu)
        return FALSE;
    m_hMenu = NewMenu();
    return TRUE;
}

BOOL CMenu::CreatePopupMenu() { return CreateMenu(); }

BOOL CMenu::LoadMenu(UINT id) { return LoadMenu(reinterpret_cast<LPCTSTR>(uintptr_t(WORD(id)))); }

BOOL CMenu::LoadMenu(LPCTSTR name)
{
    if (m_hMenu)
        return FALSE;
    m_hMenu = ::LoadMenu(AfxGetInstanceHandle(), name);
    return m_hMenu != nullptr;
}

BOOL CMenu::DestroyMenu()
{
    HMENU h = Detach();
    return h ? ::DestroyMenu(h) : FALSE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idNewItem, LPCTSTR text) { return ::AppendMenu(m_hMenu, flags, idNewItem, text); }

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idNewItem, LPCTSTR text)
{
    MenuRecord* m = Menu(m_hMenu);
    MenuRecord::Item item;
    if (!m || !MakeItem(item, flags, idNewItem, text) || item.sub == m)
        return FALSE;
    if (flags & MF_BYPOSITION)
    {
        size_t at = position == UINT(-1) ? m->items.size() : std::min<size_t>(position, m->items.size());
        m->items.insert(m->items.begin() + long(at), std::move(item));
        return TRUE;
    }
    Found f = FindItem(m, position, MF_BYCOMMAND);
    if (!f.menu)
        return FALSE;
    f.menu->items.insert(f.menu->items.begin() + long(f.index), std::move(item));
    return TRUE;
}

BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR idNewItem, LPCTSTR text)
{
    Found f = FindItem(Menu(m_hMenu), position, flags);
    MenuRecord::Item item;
    if (!f.menu || !MakeItem(item, flags, idNewItem, text))
        return FALSE;
    MenuRecord::Item& old = f.menu->items[f.index];
    if (old.sub && old.sub != item.sub)
        FreeMenu(old.sub); // Win32 destroys a replaced submenu
    old = std::move(item);
    return TRUE;
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags)
{
    Found f = FindItem(Menu(m_hMenu), position, flags);
    if (!f.menu)
        return FALSE;
    MenuRecord* sub = f.menu->items[f.index].sub;
    f.menu->items.erase(f.menu->items.begin() + long(f.index));
    FreeMenu(sub);
    return TRUE;
}

BOOL CMenu::RemoveMenu(UINT position, UINT flags)
{
    Found f = FindItem(Menu(m_hMenu), position, flags);
    if (!f.menu)
        return FALSE;
    f.menu->items.erase(f.menu->items.begin() + long(f.index));
    return TRUE;
}

CMenu* CMenu::GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }
int CMenu::GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
UINT CMenu::GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
UINT CMenu::GetMenuState(UINT id, UINT flags) const { return ::GetMenuState(m_hMenu, id, flags); }

int CMenu::GetMenuString(UINT id, CString& text, UINT flags) const
{
    Found f = FindItem(Menu(m_hMenu), id, flags);
    text = f.menu ? f.menu->items[f.index].text : CString();
    return text.GetLength();
}

UINT CMenu::EnableMenuItem(UINT id, UINT enable) { return ::EnableMenuItem(m_hMenu, id, enable); }
UINT CMenu::CheckMenuItem(UINT id, UINT check) { return UINT(::CheckMenuItem(m_hMenu, id, check)); }

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect)
{
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->m_hWnd : nullptr, rect);
}
