#include <algorithm>

#include "support/Support.h"

int GetCurSelDataFromComboBox(CComboBox& combo)
{
    if (!IsWindow(combo.m_hWnd))
        return 0;
    int sel = combo.GetCurSel();
    return sel < 0 ? 0 : int(combo.GetItemData(sel));
}

void SetEditTabStops(CWnd* dlg, CEdit& edit, int chars)
{
    if (!IsWindow(edit.m_hWnd))
        return;
    // Four dialog units make one average character; no positive width means the edit box's default.
    int units = chars > 0 ? std::min(chars, 1000) * 4 : 32;
    edit.SetTabStops(units);
}

void SetEditTabStops(CWnd* dlg, int editId, int chars)
{
    if (!dlg || !IsWindow(dlg->m_hWnd))
        return;
    if (CWnd* edit = dlg->GetDlgItem(editId))
        SetEditTabStops(dlg, *static_cast<CEdit*>(edit), chars);
}
