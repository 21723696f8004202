// List boxes, list views, tree views and scroll bars.
#include "platform/window_p.h"

std::unique_ptr<WindowImpl> MakeCommonControlImpl(HWND, const CString&)
{
    return nullptr; // not built yet: templates naming these classes fail to load
}

void CListBox::GetText(int index, CString& text) const
{
    int n = GetTextLen(index);
    if (n < 0)
    {
        text.Empty();
        return;
    }
    std::string buf(size_t(n) + 1, '\0');
    SendMessage(LB_GETTEXT, WPARAM(index), LPARAM(buf.data()));
    text = CString(buf.c_str(), n);
}
