// Test support: drive windows through the toolkit's real event delivery, as a person would.
// Linking pdttesting supplies main(): an offscreen application and the hooks below.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/afxhooks.h"
#include "platform/afxwin.h"

namespace pdt::test
{

HWND Item(const CWnd& dlg, int id); // fails the test when the control does not exist

// Mouse: a left click (or double click) in the middle of a control, or at a point in its client area.
void Click(HWND ctl);
void Click(const CWnd& dlg, int id);
void ClickAt(HWND wnd, CPoint pt, bool right = false);
void DoubleClick(HWND ctl);
void CloseBox(HWND wnd); // the close button of the window's title bar
void Drag(HWND wnd, CPoint from, CPoint to);

// Keyboard: keys go to the window that has the focus, as a keyboard's do.
void Focus(HWND ctl);
void Type(const char* text);                  // each character as its key (shift where needed)
void Type(const CWnd& dlg, int id, const char* text); // focus the control, select its text, type
void Key(UINT vk, bool shift = false, bool ctrl = false, bool alt = false);
void KeyDown(UINT vk);
void KeyUp(UINT vk);

// Combo boxes and lists: choose an item with the mouse, as in the dropped list.
void ChooseComboItem(HWND combo, int index);

// Runs `handler` inside the next modal loop; fails the test and cancels the dialog if it is still open
// when the handler returns.
void ExpectModal(std::function<void(CDialog&)> handler);

// Message boxes: each expected box is answered in order and recorded; an unexpected one fails the test.
struct SeenMessageBox
{
    CString text;
    CString caption;
    UINT type;
};
void ExpectMessageBox(int answer = IDOK);
const std::vector<SeenMessageBox>& MessageBoxes(); // every box seen in the current test
int Beeps();                                        // error beeps in the current test

void Pump(); // lets posted messages and pending toolkit events run
bool SavePng(HWND wnd, const std::string& path);
std::string OutputPath(const std::string& name); // out/test-images/<name> under the build folder

} // namespace pdt::test
