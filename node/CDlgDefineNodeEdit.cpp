#include "node/CDlgDefineNodeEdit.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeEdit> reg(IDD_NODE_EDIT);
}

CDlgDefineNodeEdit::CDlgDefineNodeEdit(CWnd* pParent) : CDlgDefineBase(IDD_NODE_EDIT, pParent)
{
}

const MessageMap& CDlgDefineNodeEdit::GetThisMessageMap()
{
    static const MessageMap map(
        &CDlgDefineBase::GetThisMessageMap(),
        {
            mm::Command(IDC_BROWSE, BN_CLICKED, &CDlgDefineNodeEdit::OnBrowse),
            mm::Command(IDC_RECORDLIST, CBN_SELCHANGE, &CDlgDefineNodeEdit::OnSelchangeListRecord),
        });
    return map;
}

void CDlgDefineNodeEdit::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_EDIT_FROMLAST, m_bBrowseFromLast);
}

BOOL CDlgDefineNodeEdit::OnInitDialog()
{
    CDlgDefineBase::OnInitDialog();
    if (auto* separators = static_cast<CComboBox*>(GetDlgItem(IDC_FIELDSEPARATOR)))
        InitialFieldTerminatorList(*separators, true);
    return TRUE;
}

void CDlgDefineNodeEdit::OnBrowse()
{
    BrowseFileName("DATAFILE", true);
}

void CDlgDefineNodeEdit::OnSelchangeListRecord()
{
    SelChangeRecordList();
}
