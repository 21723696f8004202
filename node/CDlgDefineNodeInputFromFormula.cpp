#include "node/CDlgDefineNodeInputFromFormula.h"

#include "framework/OptionPages.h"
#include "node/PageControls.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeInputFromFormula> reg(IDD_NODE_INPUTFROMFORMULA);
}

CDlgDefineNodeInputFromFormula::CDlgDefineNodeInputFromFormula(CWnd *pParent)
    : CDlgDefineBase(IDD_NODE_INPUTFROMFORMULA, pParent)
{
}

const MessageMap &CDlgDefineNodeInputFromFormula::GetThisMessageMap()
{
    using Page = CDlgDefineNodeInputFromFormula;
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_INPUT_DEVICE_FORMULA, BN_CLICKED, &Page::OnInputDeviceFormula),
                                    mm::Command(IDC_SCRIPTPAD, BN_CLICKED, &Page::OnScriptPad),
                                });
    return map;
}

void CDlgDefineNodeInputFromFormula::DoDataExchange(CDataExchange *pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_INPUT_DEVICE_FORMULA, m_bFromFormula);
    DDX_Text(pDX, IDC_FORMULA, m_strFormula);
    DDX_Control(pDX, IDC_SCRIPTPAD, m_btnScriptPad);
}

BOOL CDlgDefineNodeInputFromFormula::OnInitDialog()
{
    CDlgDefineBase::OnInitDialog();
    InitScriptPadButton(*this, m_btnScriptPad, IDC_FORMULA);
    return TRUE;
}

BOOL CDlgDefineNodeInputFromFormula::UpdateData(BOOL bSaveAndValidate)
{
    BOOL result = CDlgDefineBase::UpdateData(bSaveAndValidate);
    if (!bSaveAndValidate)
        EnablePageItems(*this, {IDC_FORMULA, IDC_SCRIPTPAD}, m_bFromFormula);
    return result;
}

void CDlgDefineNodeInputFromFormula::OnInputDeviceFormula()
{
    RefreshUI();
}

void CDlgDefineNodeInputFromFormula::OnScriptPad()
{
    EditInScriptPad(*this, m_strFormula, "Input Formula: %s", IDC_FORMULA);
}
