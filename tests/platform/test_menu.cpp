// Menus from the resource chain and built by hand, item states, and popups answered through the test hook.
#include "platform/testing/pdttest.h"

#include "resources/testdlg.h"

using namespace pdt::test;

namespace
{

using Menus = PaintTest;

TEST_F(Menus, LoadedMenusKeepTheResourcesItemsAndStates)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TESTMENU));
    EXPECT_EQ(menu.GetMenuItemCount(), 2);
    CMenu* edit = menu.GetSubMenu(0);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetMenuItemCount(), 6);
    EXPECT_EQ(edit->GetMenuItemID(0), UINT(ID_TM_COPY));
    EXPECT_EQ(edit->GetMenuItemID(2), 0u) << "a separator";
    EXPECT_EQ(edit->GetMenuItemID(4), UINT(-1)) << "a submenu";
    EXPECT_EQ(edit->GetMenuItemID(6), UINT(-1)) << "past the end";
    EXPECT_EQ(menu.GetSubMenu(5), nullptr);
    EXPECT_EQ(edit->GetSubMenu(0), nullptr) << "not a popup item";
    CString text;
    EXPECT_EQ(edit->GetMenuString(ID_TM_COPY, text, MF_BYCOMMAND), 12);
    EXPECT_EQ(text, "&Copy\tCtrl+C");

    EXPECT_EQ(edit->GetMenuState(ID_TM_PASTE, MF_BYCOMMAND), UINT(MF_GRAYED));
    EXPECT_EQ(edit->GetMenuState(ID_TM_CHECKED, MF_BYCOMMAND), UINT(MF_CHECKED));
    EXPECT_EQ(edit->GetMenuState(2, MF_BYPOSITION), UINT(MF_SEPARATOR));
    EXPECT_EQ(edit->GetMenuState(4, MF_BYPOSITION), UINT(MF_POPUP | (1 << 8))) << "a popup with one item";
    EXPECT_EQ(edit->GetMenuState(4711, MF_BYCOMMAND), UINT(-1));

    // Previous states come back; by command finds items in submenus too.
    EXPECT_EQ(edit->EnableMenuItem(ID_TM_PASTE, MF_BYCOMMAND | MF_ENABLED), UINT(MF_GRAYED));
    EXPECT_EQ(edit->EnableMenuItem(ID_TM_PASTE, MF_BYCOMMAND | MF_GRAYED), UINT(MF_ENABLED));
    EXPECT_EQ(edit->EnableMenuItem(0, MF_BYPOSITION | MF_GRAYED), UINT(MF_ENABLED));
    EXPECT_EQ(edit->GetMenuState(ID_TM_COPY, MF_BYCOMMAND), UINT(MF_GRAYED));
    EXPECT_EQ(menu.EnableMenuItem(ID_TM_DEEP, MF_BYCOMMAND | MF_GRAYED), UINT(MF_ENABLED));
    EXPECT_EQ(menu.EnableMenuItem(4711, MF_BYCOMMAND | MF_GRAYED), UINT(-1));
    EXPECT_EQ(edit->CheckMenuItem(ID_TM_CHECKED, MF_BYCOMMAND | MF_UNCHECKED), UINT(MF_CHECKED));
    EXPECT_EQ(edit->CheckMenuItem(ID_TM_CLEARALL, MF_BYCOMMAND | MF_CHECKED), UINT(MF_UNCHECKED));
    EXPECT_EQ(edit->GetMenuState(ID_TM_CLEARALL, MF_BYCOMMAND), UINT(MF_CHECKED));

    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_EQ(menu.GetSafeHmenu(), nullptr);
    EXPECT_EQ(menu.GetMenuItemCount(), -1);
    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(4711));
}

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

TEST_F(Menus, GrayedItemsCannotBeChosenAndDismissingChoosesNothing)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TESTMENU));
    CMenu* edit = menu.GetSubMenu(0);
    edit->EnableMenuItem(ID_TM_COPY, MF_BYCOMMAND | MF_GRAYED);
    ExpectPopupMenu(ID_TM_COPY);
    EXPECT_FALSE(edit->TrackPopupMenu(TPM_LEFTALIGN, 0, 0, &wnd));
    ExpectPopupMenu(0);
    EXPECT_FALSE(edit->TrackPopupMenu(TPM_LEFTALIGN, 0, 0, &wnd));
    ExpectPopupMenu(ID_TM_OTHER);
    EXPECT_FALSE(edit->TrackPopupMenu(TPM_LEFTALIGN, 0, 0, &wnd)) << "not an item of this popup";
    Pump();
    EXPECT_TRUE(wnd.commands.empty());
    ASSERT_EQ(PopupMenus().size(), 3u);
    EXPECT_FALSE(PopupMenus()[0].items[0].enabled);

    // A submenu's command can be chosen.
    ExpectPopupMenu(ID_TM_DEEP);
    EXPECT_TRUE(edit->TrackPopupMenu(TPM_LEFTALIGN, 0, 0, &wnd));
    Pump();
    EXPECT_EQ(wnd.commands, std::vector<UINT>{ID_TM_DEEP});
}

TEST_F(Menus, ReturnCmdGivesTheIdInsteadOfACommand)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TESTMENU));
    ExpectPopupMenu(ID_TM_COPY);
    EXPECT_EQ(menu.GetSubMenu(0)->TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, 10, 10, &wnd), BOOL(ID_TM_COPY));
    ExpectPopupMenu(0);
    EXPECT_EQ(menu.GetSubMenu(0)->TrackPopupMenu(TPM_RETURNCMD, 10, 10, &wnd), 0);
    Pump();
    EXPECT_TRUE(wnd.commands.empty());
    EXPECT_FALSE(menu.GetSubMenu(0)->TrackPopupMenu(0, 10, 10, nullptr)) << "a popup needs an owner";
    EXPECT_EQ(PopupMenus().size(), 2u);
}

TEST_F(Menus, TheOwnerCanChangeItemsAsThePopupOpens)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TESTMENU));
    wnd.onInitMenuPopup = [](CMenu* popup) {
        ASSERT_NE(popup, nullptr);
        popup->EnableMenuItem(ID_TM_PASTE, MF_BYCOMMAND | MF_ENABLED);
    };
    ExpectPopupMenu(ID_TM_PASTE);
    EXPECT_TRUE(menu.GetSubMenu(0)->TrackPopupMenu(TPM_LEFTALIGN, 0, 0, &wnd));
    Pump();
    EXPECT_EQ(wnd.commands, std::vector<UINT>{ID_TM_PASTE});
    EXPECT_TRUE(PopupMenus()[0].items[1].enabled);
}

TEST(MenuBuilding, AppendInsertModifyDeleteAndBadHandles)
{
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    EXPECT_TRUE(popup.AppendMenu(MF_STRING, 10, "Ten"));
    EXPECT_TRUE(popup.AppendMenu(MF_SEPARATOR));
    EXPECT_TRUE(popup.AppendMenu(MF_STRING | MF_GRAYED, 12, "Twelve"));
    EXPECT_TRUE(popup.InsertMenu(0, MF_BYPOSITION | MF_STRING, 9, "Nine"));
    EXPECT_TRUE(popup.InsertMenu(12, MF_BYCOMMAND | MF_STRING, 11, "Eleven"));
    EXPECT_EQ(popup.GetMenuItemCount(), 5);
    std::vector<UINT> ids;
    for (int i = 0; i < popup.GetMenuItemCount(); ++i)
        ids.push_back(popup.GetMenuItemID(i));
    EXPECT_EQ(ids, (std::vector<UINT>{9, 10, 0, 11, 12}));
    EXPECT_TRUE(popup.ModifyMenu(10, MF_BYCOMMAND | MF_STRING, 20, "Twenty"));
    CString text;
    popup.GetMenuString(20, text, MF_BYCOMMAND);
    EXPECT_EQ(text, "Twenty");
    EXPECT_TRUE(popup.DeleteMenu(2, MF_BYPOSITION));
    EXPECT_TRUE(popup.RemoveMenu(9, MF_BYCOMMAND));
    EXPECT_FALSE(popup.DeleteMenu(4711, MF_BYCOMMAND));
    EXPECT_EQ(popup.GetMenuItemCount(), 3);

    // A submenu belongs to its item: deleting the item destroys it, removing it does not.
    CMenu bar;
    bar.CreateMenu();
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenu(sub, MF_STRING, 30, "Thirty");
    EXPECT_TRUE(bar.AppendMenu(MF_POPUP, UINT_PTR(sub), "Sub"));
    EXPECT_EQ(bar.GetSubMenu(0)->GetSafeHmenu(), sub);
    EXPECT_TRUE(bar.RemoveMenu(0, MF_BYPOSITION));
    EXPECT_EQ(::GetMenuItemCount(sub), 1) << "removed, still alive";
    bar.AppendMenu(MF_POPUP, UINT_PTR(sub), "Sub");
    EXPECT_TRUE(bar.DeleteMenu(0, MF_BYPOSITION));
    EXPECT_EQ(::GetMenuItemCount(sub), -1) << "deleted with its item";
    EXPECT_FALSE(bar.AppendMenu(MF_POPUP, UINT_PTR(sub), "Gone"));

    CMenu empty;
    EXPECT_EQ(empty.GetMenuItemCount(), -1);
    EXPECT_EQ(empty.EnableMenuItem(1, MF_GRAYED), UINT(-1));
    EXPECT_EQ(empty.GetSubMenu(0), nullptr);
    EXPECT_FALSE(empty.DestroyMenu());
    EXPECT_EQ(CMenu::FromHandle(sub), nullptr);
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
