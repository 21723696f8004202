// The host's own window classes (the flowchart, the menu bar, the toolbar): registered on first use, and drawn and
// driven by their windows' message maps.
#pragma once

#include "platform/afxwin.h"

inline void RegisterHostClass(const char* name, UINT style = 0)
{
    WNDCLASS wc{};
    if (GetClassInfo(AfxGetInstanceHandle(), name, &wc))
        return;
    wc.style = style;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = name;
    AfxRegisterClass(&wc);
}
