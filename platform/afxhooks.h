// Seams through which the test support (and automation) answers modal loops and message boxes.
#pragma once

#include <functional>

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
// When set, message boxes are answered by the handler instead of being shown.
using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

int BeepCount();
void ResetBeepCount();

// Renders a window (with its children) to a PNG file.
bool SaveWindowImage(HWND hWnd, const char* pngPath);

// Processes pending toolkit events, posted messages and deferred deletions.
void ProcessEvents();

} // namespace pdt::hooks
