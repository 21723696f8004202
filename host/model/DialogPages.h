// The page of a node dialog's entry, when the dialog has that entry and the library could create its page.
#pragma once

#include "node/CDlgDefineNode.h"

template <class Page> Page *DialogPage(CDlgDefineNode *dlg, int id)
{
    OPTIONITEM *opt = dlg ? dlg->GetOption(id, 0) : nullptr;
    return opt ? dynamic_cast<Page *>(opt->pPage) : nullptr;
}

// Selects the entry whose item data is `data`; none when no entry has it.
inline void SelectByItemData(CComboBox &combo, DWORD_PTR data)
{
    combo.SetCurSel(-1);
    for (int i = 0; i < combo.GetCount(); ++i)
        if (combo.GetItemData(i) == data)
        {
            combo.SetCurSel(i);
            return;
        }
}

// Item data of the selected entry, or `fallback` when none is selected.
inline DWORD_PTR SelectedItemData(const CComboBox &combo, DWORD_PTR fallback)
{
    int sel = combo.GetCurSel();
    return sel >= 0 ? combo.GetItemData(sel) : fallback;
}
