// Popup menus from the resource chain: a choice arrives as a posted command; a shown popup reports its highlight
// and hands its keys to the message-filter hooks.
#include "platform/testing/pdttest.h"

#include "resources/testdlg.h"

using namespace pdt::test;

namespace
{

using Menus = PaintTest;

TEST_F(Menus, APopupChoiceArrivesAsAPostedCommand)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TESTMENU));
    CMenu* edit = menu.GetSubMenu(0);
    ExpectPopupMenu(ID_TM_CLEARALL);
    EXPECT_TRUE(edit->TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, 120, 80, &wnd));
    EXPECT_TRUE(wnd.commands.empty()) << "posted, so not yet";
    Pump();
    EXPECT_EQ(wnd.commands, std::vector<UINT>{ID_TM_CLEARALL});

    ASSERT_EQ(PopupMenus().size(), 1u);
    const pdt::hooks::PopupMenuRequest& seen = PopupMenus()[0];
    EXPECT_EQ(seen.owner, wnd.m_hWnd);
    EXPECT_EQ(seen.point, CPoint(120, 80));
    ASSERT_EQ(seen.items.size(), 6u);
    EXPECT_EQ(seen.items[0].id, UINT(ID_TM_COPY));
    EXPECT_EQ(seen.items[0].text, "&Copy\tCtrl+C");
    EXPECT_TRUE(seen.items[0].enabled);
    EXPECT_EQ(seen.items[1].id, UINT(ID_TM_PASTE));
    EXPECT_FALSE(seen.items[1].enabled) << "grayed in the resource";
    EXPECT_TRUE(seen.items[2].separator);
    EXPECT_EQ(seen.items[4].text, "More");
    ASSERT_EQ(seen.items[4].children.size(), 1u);
    EXPECT_EQ(seen.items[4].children[0].id, UINT(ID_TM_DEEP));
    EXPECT_TRUE(seen.items[5].checked);
}

} // namespace

// A shown popup: the owner hears where the highlight is, the message-filter hooks hear every key first (newest
// first, each passing on what it leaves), and EndMenu closes the popup as a dismissal does.
std::vector<std::pair<UINT, int>> g_hookKeys; // (key, which hook saw it)
HHOOK g_older = nullptr, g_newer = nullptr;
LRESULT OlderHook(int code, WPARAM wParam, LPARAM lParam)
{
    g_hookKeys.emplace_back(UINT(reinterpret_cast<MSG*>(lParam)->wParam), code == MSGF_MENU ? 1 : -1);
    return CallNextHookEx(g_older, code, wParam, lParam);
}
LRESULT NewerHook(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* msg = reinterpret_cast<MSG*>(lParam);
    g_hookKeys.emplace_back(UINT(msg->wParam), code == MSGF_MENU ? 2 : -2);
    if (msg->wParam == VK_RETURN)
        return 1; // swallowed: the highlighted item is not chosen
    if (msg->wParam == VK_F6)
    {
        EXPECT_TRUE(EndMenu());
        return 1;
    }
    return CallNextHookEx(g_newer, code, wParam, lParam);
}

TEST_F(Menus, AShownPopupReportsItsHighlightAndItsKeysGoThroughTheHooks)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TESTMENU));
    CMenu* edit = menu.GetSubMenu(0);
    HMENU more = edit->GetSubMenu(4)->m_hMenu;
    EXPECT_EQ(SetWindowsHookEx(WH_MSGFILTER + 1, &OlderHook, nullptr, 0), nullptr) << "only message filters";
    g_hookKeys.clear();
    g_older = SetWindowsHookEx(WH_MSGFILTER, &OlderHook, nullptr, 0);
    g_newer = SetWindowsHookEx(WH_MSGFILTER, &NewerHook, nullptr, 0);
    ASSERT_TRUE(g_older && g_newer);

    BOOL chosen = -1;
    const std::vector<UINT> keys = {VK_DOWN, VK_UP, VK_UP, VK_RIGHT, VK_LEFT, VK_UP, VK_RETURN, VK_F6};
    std::vector<CString> popups = KeysInRealPopups(keys, [&] { chosen = edit->TrackPopupMenu(TPM_RETURNCMD, 60, 60, &wnd); });
    EXPECT_TRUE(UnhookWindowsHookEx(g_newer));
    EXPECT_TRUE(UnhookWindowsHookEx(g_older));
    EXPECT_FALSE(UnhookWindowsHookEx(g_older)) << "already gone";

    EXPECT_EQ(chosen, 0) << "Return was swallowed and EndMenu dismissed the popup";
    const std::vector<CString> expectedPopups = {"&Copy\tCtrl+C", "&Copy\tCtrl+C", "&Copy\tCtrl+C", "&Copy\tCtrl+C",
                                                 "Deep",          "&Copy\tCtrl+C", "&Copy\tCtrl+C", "&Copy\tCtrl+C"};
    EXPECT_EQ(popups, expectedPopups) << "Right opened the submenu, Left closed it";
    std::vector<std::pair<UINT, int>> expectedKeys;
    for (UINT vk : keys)
    {
        expectedKeys.emplace_back(vk, 2);
        if (vk != VK_RETURN && vk != VK_F6)
            expectedKeys.emplace_back(vk, 1);
    }
    EXPECT_EQ(g_hookKeys, expectedKeys);

    const LPARAM top = LPARAM(edit->m_hMenu);
    const std::vector<std::pair<WPARAM, LPARAM>> expectedSelects = {
        {MAKEWPARAM(ID_TM_COPY, 0), top},
        {MAKEWPARAM(ID_TM_CHECKED, MF_CHECKED), top},
        {MAKEWPARAM(4, MF_POPUP), top}, // a submenu is told by its position
        {MAKEWPARAM(ID_TM_DEEP, 0), LPARAM(more)},
        {MAKEWPARAM(4, MF_POPUP), top}, // back on its item as the submenu closes
        {MAKEWPARAM(ID_TM_CLEARALL, 0), top},
        {MAKEWPARAM(0, 0xFFFF), 0}, // closed
    };
    EXPECT_EQ(wnd.menuSelects, expectedSelects);
    EXPECT_FALSE(EndMenu()) << "no popup is up";
    Pump();
    EXPECT_TRUE(wnd.commands.empty());
}
