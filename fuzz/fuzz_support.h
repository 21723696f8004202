// Shared by the fuzz targets that need windows: the toolkit started once, and a plain window to hold what a
// target creates. Message boxes and modal dialogs are answered at once so that no input waits for a person.
#pragma once

#include "fuzz/fuzz_check.h"
#include "platform/afxwin.h"

namespace pdt::fuzz
{

// Starts the toolkit (offscreen unless a platform is named) and answers every message box with its first button.
void StartToolkit();
// Message boxes seen since the last call.
int TakeMessageBoxes();
// A top-level window for a target's child windows, created on first use.
CWnd &HostWindow();
// Lets posted messages and paint events run.
void Pump();

} // namespace pdt::fuzz
