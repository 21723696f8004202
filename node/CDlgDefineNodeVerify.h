// How a collect node verifies its data by length, range and picture, and what a failure does.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineNodeVerify : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeVerify(CWnd *pParent = nullptr);

    BOOL m_bVerifyLength = FALSE;
    BOOL m_bVerifyPicture = FALSE;
    BOOL m_bVerifyRange = FALSE;
    BOOL m_bNoBeep = FALSE;
    BOOL m_bNoErrorSign = FALSE;
    BOOL m_bNoReinput = FALSE;
    int m_nLengthFrom = 0;
    int m_nLengthTo = 0;
    CString m_strPicture;
    CString m_strRangeFrom;
    CString m_strRangeTo;

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE) override;

  protected:
    void DoDataExchange(CDataExchange *pDX) override;
    void OnVerifyLength();
    void OnVerifyPicture();
    void OnVerifyRange();

    DECLARE_MESSAGE_MAP()
};
