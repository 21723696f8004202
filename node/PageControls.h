// Small routines shared by the node pages: enabling groups of controls and the program editor's round trip.
#pragma once

#include <initializer_list>

#include "framework/CDlgDefineBase.h"

class CButtonEx;

// Enables or disables each control of the page that exists; missing ids are skipped.
void EnablePageItems(CWnd &page, std::initializer_list<int> ids, BOOL enable);
void ShowPageItems(CWnd &page, std::initializer_list<int> ids, BOOL show);

// A program text's edit box with its ">>" button: tab stops of 4 and the button's bitmap.
void InitScriptPadButton(CWnd &page, CButtonEx &button, int editId);

// Saves the controls, edits `text` in the program editor titled `titleFormat` with the node's name, loads the
// controls again and puts the focus back into the edit box. The editor's answer does not matter: on Cancel the
// text is as it was.
void EditInScriptPad(CDlgDefineBase &page, CString &text, const char *titleFormat, int editId);
