#include "framework/CDlgDefineBase.h"

#include "resources/resource.h"
#include "support/Support.h"

CDlgDefineBase::CDlgDefineBase(UINT templateId, CWnd* pParent) : CDialog(templateId, pParent) {}

BOOL CDlgDefineBase::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

int CDlgDefineBase::OnActiveOption(CDlgDefine*, int) { return TRUE; }

BOOL CDlgDefineBase::UpdateData(BOOL bSaveAndValidate) { return CDialog::UpdateData(bSaveAndValidate); }

// Enter inside a page is the container's OK; posted, so the page's own key handling ends first.
void CDlgDefineBase::OnOK()
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

// Escape inside a page neither closes it nor cancels the container.
void CDlgDefineBase::OnCancel() {}

// A refused value leaves the controls as the person left them: the exchange stopped at the refused field, so
// loading the members back would put old values into every field after it.
void CDlgDefineBase::RefreshUI()
{
    if (UpdateData(TRUE))
        UpdateData(FALSE);
}

void CDlgDefineBase::BrowseFileName(LPCTSTR categoryKey, bool open)
{
    CString path;
    GetDlgItemText(IDC_DATAFILE, path);
    if (!BrowseFile(this, path, open, categoryKey,
                    "Data Files (*.dat; *.txt)|*.dat; *.txt|Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"))
        return;
    SetDlgItemText(IDC_DATAFILE, path);
    if (CWnd* records = GetDlgItem(IDC_RECORDLIST))
        static_cast<CComboBox*>(records)->SetCurSel(-1);
}

void CDlgDefineBase::SelChangeRecordList()
{
    auto* records = static_cast<CComboBox*>(GetDlgItem(IDC_RECORDLIST));
    if (!records || !m_pDoc)
        return;
    int sel = records->GetCurSel();
    if (sel < 0)
        return;
    SetDlgItemText(IDC_DATAFILE, m_pDoc->GetRecordFileName(records->GetItemData(sel), 0));
}
