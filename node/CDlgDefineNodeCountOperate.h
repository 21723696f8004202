// One operation on a count node's value: an operator and, for operators that take one, a constant or a numeric
// data node as operand. The node dialog shows this page twice, for the node's two operations.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineNodeCountOperate : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeCountOperate(CWnd *pParent = nullptr);

    CComboBox m_cbOperator; // filled by the host; item data non-zero for an operator that takes an operand
    CComboBox m_cbDataNode; // filled by the host
    CString m_strConstant;
    CString m_strDescription;
    int m_nWithConstant = -1;
    int m_nWithNode = -1;

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE) override;

  protected:
    void DoDataExchange(CDataExchange *pDX) override;
    void OnSelchangeOperatorList();
    void OnOperandConstanr();
    void OnOperandNode();

    DECLARE_MESSAGE_MAP()
};
