#include "node/CDlgDefineNodeCountInitial.h"

#include "framework/OptionPages.h"
#include "node/PageControls.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeCountInitial> reg(IDD_NODE_COUNTINITIAL);
}

CDlgDefineNodeCountInitial::CDlgDefineNodeCountInitial(CWnd *pParent) : CDlgDefineBase(IDD_NODE_COUNTINITIAL, pParent)
{
}

const MessageMap &CDlgDefineNodeCountInitial::GetThisMessageMap()
{
    using Page = CDlgDefineNodeCountInitial;
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_COUNT_COPYLAST, BN_CLICKED, &Page::OnInitialCopyLast),
                                    mm::Command(IDC_COUNT_SETVALUE, BN_CLICKED, &Page::OnInitialSetValue),
                                    mm::Command(IDC_COUNT_BYCONSTANT, BN_CLICKED, &Page::OnSetValueConstant),
                                    mm::Command(IDC_COUNT_BYCOPYNODE, BN_CLICKED, &Page::OnSetValueCopyNode),
                                    mm::Command(IDC_COUNT_BYFORMULA, BN_CLICKED, &Page::OnSetValueFormula),
                                    mm::Command(IDC_SCRIPTPAD, BN_CLICKED, &Page::OnScriptPad),
                                });
    return map;
}

void CDlgDefineNodeCountInitial::DoDataExchange(CDataExchange *pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NODELIST, m_cbDataNode);
    DDX_Text(pDX, IDC_COUNT_CONSTANT, m_strConstant);
    DDX_Text(pDX, IDC_FORMULA, m_strFormula);
    DDX_Check(pDX, IDC_COUNT_COPYLAST, m_bCopyLast);
    DDX_Check(pDX, IDC_COUNT_SETVALUE, m_bSetNewValue);
    DDX_Check(pDX, IDC_COUNT_BYCONSTANT, m_nByConstant);
    DDX_Check(pDX, IDC_COUNT_BYCOPYNODE, m_nByCopyNode);
    DDX_Check(pDX, IDC_COUNT_BYFORMULA, m_nByFormula);
    DDX_Check(pDX, IDC_COUNT_INITBYLINKS, m_bInitByLinks);
    DDX_Control(pDX, IDC_SCRIPTPAD, m_btnScriptPad);
}

BOOL CDlgDefineNodeCountInitial::OnInitDialog()
{
    CDlgDefineBase::OnInitDialog();
    InitScriptPadButton(*this, m_btnScriptPad, IDC_FORMULA);
    return TRUE;
}

// Without a new value no way of giving one applies. The radios keep the marks they were loaded with; only the
// members forget them, so the host ignores the choice when it reads a page without a new value.
BOOL CDlgDefineNodeCountInitial::UpdateData(BOOL bSaveAndValidate)
{
    BOOL result = CDlgDefineBase::UpdateData(bSaveAndValidate);
    if (bSaveAndValidate)
        return result;
    EnablePageItems(*this, {IDC_COUNT_BYCONSTANT, IDC_COUNT_BYCOPYNODE, IDC_COUNT_BYFORMULA, IDC_COUNT_INITBYLINKS},
                    m_bSetNewValue);
    if (!m_bSetNewValue)
        m_nByConstant = m_nByCopyNode = m_nByFormula = 0;
    EnablePageItems(*this, {IDC_COUNT_CONSTANT, IDC_NODELIST, IDC_FORMULA, IDC_SCRIPTPAD}, FALSE);
    if (m_nByConstant == 1)
        EnablePageItems(*this, {IDC_COUNT_CONSTANT}, TRUE);
    else if (m_nByCopyNode == 1)
        EnablePageItems(*this, {IDC_NODELIST}, TRUE);
    else if (m_nByFormula == 1)
        EnablePageItems(*this, {IDC_FORMULA, IDC_SCRIPTPAD}, TRUE);
    return result;
}

void CDlgDefineNodeCountInitial::OnInitialCopyLast()
{
    RefreshUI();
}
void CDlgDefineNodeCountInitial::OnInitialSetValue()
{
    RefreshUI();
}
void CDlgDefineNodeCountInitial::OnSetValueConstant()
{
    RefreshUI();
}
void CDlgDefineNodeCountInitial::OnSetValueCopyNode()
{
    RefreshUI();
}
void CDlgDefineNodeCountInitial::OnSetValueFormula()
{
    RefreshUI();
}

void CDlgDefineNodeCountInitial::OnScriptPad()
{
    EditInScriptPad(*this, m_strFormula, "Initial Formula: %s", IDC_FORMULA);
}
