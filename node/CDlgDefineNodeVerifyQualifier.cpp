#include "node/CDlgDefineNodeVerifyQualifier.h"

#include "framework/OptionPages.h"
#include "node/PageControls.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeVerifyQualifier> reg(IDD_NODE_VERIFYQUALIFIER);
}

CDlgDefineNodeVerifyQualifier::CDlgDefineNodeVerifyQualifier(CWnd *pParent)
    : CDlgDefineBase(IDD_NODE_VERIFYQUALIFIER, pParent)
{
}

const MessageMap &CDlgDefineNodeVerifyQualifier::GetThisMessageMap()
{
    using Page = CDlgDefineNodeVerifyQualifier;
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_VERIFY_QUALIFIER, BN_CLICKED, &Page::OnVerifyQualifier),
                                    mm::Command(IDC_SCRIPTPAD, BN_CLICKED, &Page::OnScriptPad),
                                });
    return map;
}

void CDlgDefineNodeVerifyQualifier::DoDataExchange(CDataExchange *pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_VERIFY_QUALIFIER, m_bVerifyQualifier);
    DDX_Text(pDX, IDC_QUALIFIER, m_strQualifier);
    DDX_Control(pDX, IDC_SCRIPTPAD, m_btnScriptPad);
}

BOOL CDlgDefineNodeVerifyQualifier::OnInitDialog()
{
    CDlgDefineBase::OnInitDialog();
    InitScriptPadButton(*this, m_btnScriptPad, IDC_QUALIFIER);
    return TRUE;
}

BOOL CDlgDefineNodeVerifyQualifier::UpdateData(BOOL bSaveAndValidate)
{
    BOOL result = CDlgDefineBase::UpdateData(bSaveAndValidate);
    if (!bSaveAndValidate)
        EnablePageItems(*this, {IDC_QUALIFIER, IDC_SCRIPTPAD}, m_bVerifyQualifier);
    return result;
}

void CDlgDefineNodeVerifyQualifier::OnVerifyQualifier()
{
    RefreshUI();
}

void CDlgDefineNodeVerifyQualifier::OnScriptPad()
{
    EditInScriptPad(*this, m_strQualifier, "Verify Qualifier: %s", IDC_QUALIFIER);
}
