#include "record/CDlgDefineRecordSeparator.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace
{
const OptionPageRegistration<CDlgDefineRecordSeparator> reg(IDD_RECORD_SEPARATOR);
}

CDlgDefineRecordSeparator::CDlgDefineRecordSeparator(CWnd* pParent) : CDlgDefineBase(IDD_RECORD_SEPARATOR, pParent)
{
}

void CDlgDefineRecordSeparator::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_RECORD_POSTAMBLE, m_strPostamble);
    DDX_Text(pDX, IDC_RECORD_PREAMBLE, m_strPreamble);
}

BOOL CDlgDefineRecordSeparator::OnInitDialog()
{
    CDlgDefineBase::OnInitDialog();
    if (auto* fields = static_cast<CComboBox*>(GetDlgItem(IDC_FIELDSEPARATOR)))
        InitialFieldTerminatorList(*fields, false);
    if (auto* records = static_cast<CComboBox*>(GetDlgItem(IDC_RECORDTERMINATOR)))
        InitialRecordTerminatorList(*records);
    return TRUE;
}
