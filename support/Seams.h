// Where the toolkit's own modal dialogs (file and colour choosers) can be answered by someone else: tests and
// automation. Each handler is process-wide; an empty handler restores the toolkit's dialog.
#pragma once

#include <functional>
#include <vector>

#include "platform/afxtypes.h"

namespace pdt::support
{

struct FileDialogRequest
{
    CString caption;              // "Open" or "Save As"
    CString folder;               // where the dialog starts, as the file system names it (UTF-8)
    CString fileName;             // proposed name (from the path passed in), may be empty; UTF-8
    std::vector<CString> filters; // toolkit name filters: "Text Files (*.txt *.TXT)"
    bool open = true;
};
// Returns the chosen file's full path in UTF-8, or an empty string for Cancel.
using FileDialogHandler = std::function<CString(const FileDialogRequest&)>;
void SetFileDialogHandler(FileDialogHandler handler);

// Converts an MFC filter ("Desc|*.a;*.b|Desc2|*.c||") to toolkit name filters, one per pair. "*.*" means every
// file, as on Windows; letter case of extensions does not matter, as on Windows. No usable pair: all files.
std::vector<CString> NameFiltersFromMfc(const char* filter);

// Returns true with `chosen` set, or false for Cancel.
using ColourDialogHandler = std::function<bool(COLORREF initial, COLORREF& chosen)>;
void SetColourDialogHandler(ColourDialogHandler handler);

// The print dialogs. Print: the answer is a file to print into as PDF, empty for Cancel. Page Setup: anything
// but empty is OK. Preview: `pages` is how many pages the preview drew; the answer does not matter.
struct PrintRequest
{
    enum Kind
    {
        Print,
        Setup,
        Preview,
    } kind = Print;
    int pages = 0;
};
using PrintHandler = std::function<CString(const PrintRequest&)>;
void SetPrintHandler(PrintHandler handler);

// Settings writes that fail, as on a full disk or a read-only file: the filter is asked before each write or
// delete of a value and returns false to make it fail, leaving the file as it was.
using ProfileWriteFilter = std::function<bool(const char* section, const char* key)>;
void SetProfileWriteFilter(ProfileWriteFilter filter);

} // namespace pdt::support
