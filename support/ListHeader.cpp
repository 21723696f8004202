#include <algorithm>

#include "platform/afxcmn.h"
#include "support/Support.h"

namespace
{
constexpr int kMaxColumns = 64; // a table without its closing entry stops here rather than running on
constexpr int kMinStretched = 40;
} // namespace

void SetListHeader(CListCtrl& list, const LISTHEADER* header)
{
    if (!IsWindow(list.m_hWnd) || !header)
        return;
    int count = 0;
    while (count < kMaxColumns && header[count].pszTitle)
        ++count;

    // A width as large as the list itself stretches the column over what the others leave, less room for a
    // vertical scroll bar so that no horizontal one appears when the list fills.
    CRect client;
    list.GetClientRect(&client);
    int fixed = 0;
    for (int i = 0; i < count; ++i)
        if (header[i].nWidth > 0 && header[i].nWidth < client.Width())
            fixed += header[i].nWidth;
    int stretched = std::max(kMinStretched, client.Width() - fixed - GetSystemMetrics(SM_CXVSCROLL));

    // Setting the header again replaces it.
    for (int n = list.GetColumnCount(); n > 0; --n)
        list.DeleteColumn(n - 1);
    for (int i = 0; i < count; ++i)
    {
        const LISTHEADER& h = header[i];
        int format = h.nFormat == LVCFMT_RIGHT || h.nFormat == LVCFMT_CENTER ? h.nFormat : LVCFMT_LEFT;
        int width = h.nWidth <= 0 ? -1 : h.nWidth >= client.Width() ? stretched : h.nWidth;
        list.InsertColumn(i, h.pszTitle, format, width);
    }
}
