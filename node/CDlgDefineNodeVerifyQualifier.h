// Verification of a collect node's data by a qualifier expression.
#pragma once

#include "framework/CDlgDefineBase.h"
#include "support/ButtonEx.h"

class CDlgDefineNodeVerifyQualifier : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeVerifyQualifier(CWnd *pParent = nullptr);

    BOOL m_bVerifyQualifier = FALSE;
    CString m_strQualifier;
    CButtonEx m_btnScriptPad;

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE) override;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange *pDX) override;
    void OnVerifyQualifier();
    void OnScriptPad();

    DECLARE_MESSAGE_MAP()
};
