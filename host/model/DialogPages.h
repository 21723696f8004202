// The page of a definition dialog's entry, when the dialog has that entry and the library could create its page.
#pragma once

#include "framework/CDlgDefine.h"
#include "node/CDlgDefineNode.h"
#include "node/CDlgDefineNodeVerifyQualifier.h"
#include "portable/CDlgDefinePortableKeymap.h"
#include "resources/resource.h"

// A page class of the library's own is not exported and has no type information to cast with: the template it
// was built on, which only that class uses, says what it is.
template <class Page> Page *PageCast(CDlgDefineBase *page) { return dynamic_cast<Page *>(page); }
template <class Page> Page *UnexportedPageCast(CDlgDefineBase *page, UINT templateId)
{
    return page && page->GetTemplateID() == templateId ? static_cast<Page *>(page) : nullptr;
}
template <> inline CDlgDefineNodeVerifyQualifier *PageCast(CDlgDefineBase *page)
{
    return UnexportedPageCast<CDlgDefineNodeVerifyQualifier>(page, IDD_NODE_VERIFYQUALIFIER);
}
template <> inline CDlgDefinePortableKeymap *PageCast(CDlgDefineBase *page)
{
    return UnexportedPageCast<CDlgDefinePortableKeymap>(page, IDD_PORTABLE_KEYMAP);
}

template <class Page> Page *DialogPage(CDlgDefine *dlg, int id)
{
    OPTIONITEM *opt = dlg ? dlg->GetOption(id, 0) : nullptr;
    return opt ? PageCast<Page>(opt->pPage) : nullptr;
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
