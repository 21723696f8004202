// Getting the flowchart out: as a picture (PNG, SVG), as pages (PDF), or on a printer.
#pragma once

#include <iosfwd>

#include "platform/afxwin.h"

class FlowchartView;

// The formats by a file's extension, any letter case; 0 for none of them.
enum ExportKind
{
    EXPORT_NONE,
    EXPORT_PNG,
    EXPORT_SVG,
    EXPORT_PDF,
};
ExportKind ExportKindOf(const CString& path);

// The page a flowchart is spread over, as the tiles of a grid of pages the size of a printed page.
struct PageGrid
{
    CRect used;        // the part of the flowchart's page printed
    CSize page;        // what one printed page holds
    int columns = 0, rows = 0;
    int Count() const { return columns * rows; }
    CPoint Origin(int index) const; // the flowchart point at a printed page's top left
};
PageGrid PagesFor(const CRect& used, CSize page);

// Writes what the view's job holds to `path` (as the file system names it, UTF-8) in the format of its extension.
// False, with why in *why, when nothing was written (any file there before is left as it was).
bool ExportFlowchart(FlowchartView& view, const CString& path, CString* error);

// Prints the flowchart on `dc` (a printer's or a PDF's), a page per tile of the grid. False when the device
// refused a page.
bool PrintFlowchart(FlowchartView& view, CDC& dc, const CString& title);

// jobhost --export JOB OUT: the job file JOB exported as OUT; the exit status, with the reason on `err`.
int RunExportCommand(const char* job, const char* out, std::ostream& err);
