// The host's support libraries, as the library calls them: shared flags and fonts, file browsing,
// the program editor, window positions, terminator lists and small helpers.
#pragma once

#include <string>

#include "platform/afxwin.h"
#include "support/AppProfile.h"
#include "support/ButtonEx.h"
#include "support/ColourPicker.h"
#include "support/PathUtil.h"

class CListCtrl;

// Shared state of the host application.
extern CFont fontIndex;            // font of the option trees and of some lists
extern int OnJobSimulation;        // nonzero while a job simulation runs
extern int ViewDetailedProperties; // nonzero: link labels show link numbers

// Lets the user choose a file. `path` is the start on entry and the choice on return; `filter` is an MFC
// filter string ("Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"); the last folder is remembered per
// category key ("DATAFILE", "LOOKUP", "RUNJOB", "RECORD", "CHINESEFONT"). TRUE when a file was chosen.
// `path` is in the window text's code page, as a dialog's field holds it.
BOOL BrowseFile(CWnd* parent, CString& path, bool open, LPCTSTR categoryKey, LPCTSTR filter);
// The same with the path as the file system names it (UTF-8), for a caller that reads or writes the file itself:
// no character of a folder's or a file's name is lost to the code page.
BOOL BrowseFileName(CWnd* parent, std::string& path, bool open, LPCTSTR categoryKey, LPCTSTR filter);

// The program editor: edits `text` modally in a plain-text window; TRUE when the user confirmed.
BOOL ScriptPad(CString& text, LPCTSTR title, CWnd* parent);

// Window positions in the settings store. SetWindowPosition restores a stored position (flags 1: position
// only, keep the size) and only onto a visible screen area; FALSE when nothing usable was stored.
BOOL SetWindowPosition(CWnd* wnd, LPCTSTR section, LPCTSTR key, CAppProfile& store, int flags);
BOOL PutWindowPosition(CWnd* wnd, LPCTSTR section, LPCTSTR key, CAppProfile& store);

// Terminator lists: names whose item data are the terminator codes (ASCII codes, 0 for none).
// CR followed by LF is two bytes; the lists give it a code of its own that no single terminator uses.
constexpr int TERMINATOR_CRLF = 0xFF;
void InitialFieldTerminatorList(CComboBox& combo, bool withNone);
void InitialRecordTerminatorList(CComboBox& combo);
CString GetTerminatorName(int code); // "Char N" for a code the lists do not have

// Item data of the selected entry; 0 when nothing is selected.
int GetCurSelDataFromComboBox(CComboBox& combo);

// Tab stops of a multi-line edit box, in characters of the dialog font.
void SetEditTabStops(CWnd* dlg, CEdit& edit, int chars);
void SetEditTabStops(CWnd* dlg, int editId, int chars);

struct LISTHEADER
{
    const char* pszTitle;
    int nWidth;  // pixels; a large value stretches the column over the list's width
    int nFormat; // LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER
};
// Adds the columns of a table that ends with a null title.
void SetListHeader(CListCtrl& list, const LISTHEADER* header);

// Creates the double-byte terminal font: face, style ("Regular", "Bold" ...), size in points; bJapanese picks
// the Japanese charset, else Chinese (GB2312). Non-zero on success; zero for a face that is not installed, one
// longer than a logical font holds, or when no installed font writes the script.
BOOL CreateChineseFont(CFont& font, LPCTSTR face, LPCTSTR style, int points, BOOL bJapanese);
