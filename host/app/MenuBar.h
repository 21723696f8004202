// The main window's menu bar: a strip of menu titles painted like the platform's other windows; a click on a
// title drops its popup menu below it, and the chosen command goes to the owner as WM_COMMAND, as from a menu
// bar. The popups are ordinary menus, so they are shown (and answered in tests) as every popup menu is.
#pragma once

#include <functional>
#include <vector>

#include "platform/afxwin.h"

class MenuBar : public CWnd
{
  public:
    ~MenuBar() override;

    BOOL Create(CWnd* owner, const CRect& rect, UINT id);
    // Adds a title with its popup, which the bar owns from then on.
    void AddMenu(const char* title, HMENU popup);
    int GetMenuCount() const { return int(m_items.size()); }
    CMenu* GetSubMenu(int index) const;
    int FindMenu(const char* title) const; // by its title without '&'; -1 when there is none
    CRect GetItemRect(int index) const;    // client coordinates
    int GetHeight() const;
    // Drops a title's popup as a click on it does; returns once the popup is gone.
    void OpenMenu(int index, bool byKeyboard = false); // from the keyboard, its first item is highlighted
    int FindMnemonic(char key) const; // the title whose '&' letter is key, in either case; -1 when none

    // Runs before a popup drops, to enable, grey and check its items as they stand.
    std::function<void(int index, CMenu& popup)> onInitMenu;

    DECLARE_MESSAGE_MAP()

  private:
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint pt);
    LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
    int TrackMenu(int index, bool byKeyboard); // the title to drop next, or -1
    static LRESULT MenuKeys(int code, WPARAM wParam, LPARAM lParam);
    void Layout();

    struct Item
    {
        CString title;
        HMENU popup = nullptr;
        CRect rect;
    };
    std::vector<Item> m_items;
    CWnd* m_pOwner = nullptr;
    CFont m_font;
    int m_nOpen = -1; // the title whose popup is down
    int m_nNext = -1; // the title Left or Right asked for
    HMENU m_hSelMenu = nullptr; // where the highlight is, and whether it is on a submenu
    bool m_bSelPopup = false;
};
