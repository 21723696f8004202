// How a count node is initialised: from the last record, or to a new value given by a constant, a data node
// or a formula, optionally only when an incoming link with the INIT flag is taken.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"
#include "support/ButtonEx.h"

class PDTDLG_API CDlgDefineNodeCountInitial : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeCountInitial(CWnd *pParent = nullptr);

    CComboBox m_cbDataNode; // filled by the host
    CString m_strConstant;
    CString m_strFormula;
    BOOL m_bCopyLast = FALSE;
    BOOL m_bSetNewValue = FALSE;
    int m_nByConstant = -1;
    int m_nByCopyNode = -1;
    int m_nByFormula = -1;
    BOOL m_bInitByLinks = FALSE;
    CButtonEx m_btnScriptPad;

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE) override;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange *pDX) override;
    void OnInitialCopyLast();
    void OnInitialSetValue();
    void OnSetValueConstant();
    void OnSetValueCopyNode();
    void OnSetValueFormula();
    void OnScriptPad();

    DECLARE_MESSAGE_MAP()
};
