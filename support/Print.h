// Printing through the toolkit's print dialogs. The printer chosen and the page set-up (paper, orientation,
// margins) are kept for the rest of the process, so that Page Setup, Print Preview and Print agree.
#pragma once

#include <functional>

#include "platform/afxwin.h"

namespace pdt::support
{

// The print dialog; with Print, a DC on the chosen printer (the caller deletes it with DeleteDC), else null.
HDC ChoosePrinter(CWnd* parent);
// Page set-up for later prints and previews; false for Cancel.
bool PageSetup(CWnd* parent);
// A preview of what `print` draws on the printer's pages (a whole document: StartDoc to EndDoc), from which the
// person can print it.
void PrintPreview(CWnd* parent, const std::function<void(CDC& dc)>& print);

} // namespace pdt::support
