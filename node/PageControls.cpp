#include "node/PageControls.h"

#include "resources/resource.h"
#include "support/Support.h"

void EnablePageItems(CWnd &page, std::initializer_list<int> ids, BOOL enable)
{
    for (int id : ids)
        if (CWnd *w = page.GetDlgItem(id))
            w->EnableWindow(enable);
}

void ShowPageItems(CWnd &page, std::initializer_list<int> ids, BOOL show)
{
    for (int id : ids)
        if (CWnd *w = page.GetDlgItem(id))
            w->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void InitScriptPadButton(CWnd &page, CButtonEx &button, int editId)
{
    SetEditTabStops(&page, editId, 4);
    button.SetMaskedBitmap(IDB_BUTTON, 8, 8, RGB(255, 255, 255));
}

void EditInScriptPad(CDlgDefineBase &page, CString &text, const char *titleFormat, int editId)
{
    page.UpdateData(TRUE);
    CString title;
    title.Format(titleFormat, page.m_pNode ? page.m_pNode->m_strName.c_str() : "");
    ScriptPad(text, title, &page);
    page.UpdateData(FALSE);
    if (CWnd *edit = page.GetDlgItem(editId))
        edit->SetFocus();
}
