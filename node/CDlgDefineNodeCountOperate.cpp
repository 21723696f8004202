#include "node/CDlgDefineNodeCountOperate.h"

#include "framework/OptionPages.h"
#include "node/PageControls.h"
#include "platform/afxdd.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace
{
// The node's two operations are two entries on one template.
const OptionPageRegistration<CDlgDefineNodeCountOperate> first(2147, IDD_NODE_COUNTOPERATE);
const OptionPageRegistration<CDlgDefineNodeCountOperate> second(2148, IDD_NODE_COUNTOPERATE);
} // namespace

CDlgDefineNodeCountOperate::CDlgDefineNodeCountOperate(CWnd *pParent) : CDlgDefineBase(IDD_NODE_COUNTOPERATE, pParent)
{
}

const MessageMap &CDlgDefineNodeCountOperate::GetThisMessageMap()
{
    using Page = CDlgDefineNodeCountOperate;
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_COUNT_OPERATOR, CBN_SELCHANGE, &Page::OnSelchangeOperatorList),
                                    mm::Command(IDC_COUNT_WITHCONSTANT, BN_CLICKED, &Page::OnOperandConstanr),
                                    mm::Command(IDC_COUNT_WITHNODE, BN_CLICKED, &Page::OnOperandNode),
                                });
    return map;
}

void CDlgDefineNodeCountOperate::DoDataExchange(CDataExchange *pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COUNT_OPERATOR, m_cbOperator);
    DDX_Control(pDX, IDC_NODELIST, m_cbDataNode);
    DDX_Text(pDX, IDC_COUNT_CONSTANT, m_strConstant);
    DDX_Text(pDX, IDC_COUNT_DESCRIPTION, m_strDescription);
    DDX_Check(pDX, IDC_COUNT_WITHCONSTANT, m_nWithConstant);
    DDX_Check(pDX, IDC_COUNT_WITHNODE, m_nWithNode);
}

// An operator without an operand takes the operand choice away; the radios keep their marks and the host
// ignores them for such an operator.
BOOL CDlgDefineNodeCountOperate::UpdateData(BOOL bSaveAndValidate)
{
    BOOL result = CDlgDefineBase::UpdateData(bSaveAndValidate);
    if (bSaveAndValidate)
        return result;
    BOOL takesOperand = GetCurSelDataFromComboBox(m_cbOperator) != 0;
    EnablePageItems(*this, {IDC_COUNT_WITHCONSTANT, IDC_COUNT_WITHNODE}, takesOperand);
    if (!takesOperand)
        m_nWithConstant = m_nWithNode = 0;
    EnablePageItems(*this, {IDC_COUNT_CONSTANT, IDC_NODELIST}, FALSE);
    if (m_nWithConstant == 1)
        EnablePageItems(*this, {IDC_COUNT_CONSTANT}, TRUE);
    else if (m_nWithNode == 1)
        EnablePageItems(*this, {IDC_NODELIST}, TRUE);
    return result;
}

void CDlgDefineNodeCountOperate::OnSelchangeOperatorList()
{
    RefreshUI();
}
void CDlgDefineNodeCountOperate::OnOperandConstanr()
{
    RefreshUI();
}
void CDlgDefineNodeCountOperate::OnOperandNode()
{
    RefreshUI();
}
