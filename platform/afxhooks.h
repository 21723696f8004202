// Seams through which the test support (and automation) answers modal loops and message boxes.
#pragma once

#include <functional>
#include <vector>

#include "platform/afxwin.h"

namespace pdt::hooks
{

// Called inside a modal loop once the dialog is shown: the next queued handler, else the fallback (if any).
using ModalHandler = std::function<void(CDialog& dialog)>;
void PushModalHandler(ModalHandler handler);
size_t PendingModalHandlers();
void ClearModalHandlers();
void SetFallbackModalHandler(ModalHandler handler);

struct MessageBoxRequest
{
    HWND owner;
    CString text;
    CString caption;
    UINT type;
};
// When set, message boxes are answered by the handler instead of being shown; an answer of 0 shows the box.
using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

int BeepCount();
void ResetBeepCount();

// Renders a window (with its children) to a PNG file.
bool SaveWindowImage(HWND hWnd, const char* pngPath);

// Popup menus: when set, TrackPopupMenu asks the handler instead of showing the menu. The handler returns the
// command id to choose, or 0 to dismiss the menu; an id that is not an enabled command of the menu chooses nothing.
struct MenuItemInfo
{
    UINT id = 0;       // 0 for separators and submenus
    CString text;      // as in the resource, '&' and "\t..." included
    bool enabled = true;
    bool checked = false;
    bool separator = false;
    std::vector<MenuItemInfo> children; // the items of a submenu
};
struct PopupMenuRequest
{
    HWND owner = nullptr;
    CPoint point; // screen coordinates as given to TrackPopupMenu
    UINT flags = 0;
    std::vector<MenuItemInfo> items;
};
using PopupMenuHandler = std::function<int(const PopupMenuRequest&)>;
void SetPopupMenuHandler(PopupMenuHandler handler); // an empty handler shows menus again

// The system caret as it stands.
struct CaretInfo
{
    HWND owner = nullptr; // null: no caret
    CPoint pos;           // client coordinates of the owner
    CSize size;
    int hideLevel = 0;    // 0: shown; each HideCaret adds one (a new caret starts at 1)
    bool blinkPhaseOn = false; // drawn on the owner's peer at this moment
};
CaretInfo GetCaretInfo();

// Processes pending toolkit events, posted messages and deferred deletions.
void ProcessEvents();

// A paint DC draws with one painter from BeginPaint to EndPaint (the default), or with a painter per drawing;
// both must give the same pixels.
void KeepPaintPainters(bool keep);

} // namespace pdt::hooks
