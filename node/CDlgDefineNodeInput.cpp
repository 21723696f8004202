#include "node/CDlgDefineNodeInput.h"

#include "framework/OptionPages.h"
#include "node/PageControls.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeInput> reg(IDD_NODE_INPUT);
}

CDlgDefineNodeInput::CDlgDefineNodeInput(CWnd *pParent) : CDlgDefineBase(IDD_NODE_INPUT, pParent)
{
}

void CDlgDefineNodeInput::DoDataExchange(CDataExchange *pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_INPUT_TYPEINTEGER, m_nTypeInteger);
    DDX_Check(pDX, IDC_INPUT_TYPELONG, m_nTypeLong);
    DDX_Check(pDX, IDC_INPUT_TYPEFLOAT, m_nTypeFloat);
    DDX_Check(pDX, IDC_INPUT_TYPESTRING, m_nTypeString);
    DDX_Check(pDX, IDC_INPUT_ALLOWEMPTY, m_bAllowEmpty);
    DDX_Check(pDX, IDC_INPUT_FILLTAIL, m_bFillTail);
    DDX_Check(pDX, IDC_INPUT_SAMEASLAST, m_bSameAsLast);
}

void CDlgDefineNodeInput::DisplayCountNodeSettings()
{
    ShowPageItems(*this, {IDC_INPUT_TYPESTRING, IDC_INPUT_SAMEASLAST, IDC_INPUT_FILLTAIL, IDC_INPUT_ALLOWEMPTY}, FALSE);
}
