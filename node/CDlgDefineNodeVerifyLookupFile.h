// Verification of a collect node's data by searching a lookup (data) file for it.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineNodeVerifyLookupFile : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeVerifyLookupFile(CWnd *pParent = nullptr);

    BOOL m_bVerifyLookupFile = FALSE;
    int m_nFieldNo = 0;
    int m_nTotalFields = 0;
    CString m_strLookupFile;
    BOOL m_bFullKeyMatch = FALSE;
    int m_nSearchFromBeginning = -1;
    int m_nSearchFromCurrent = -1;
    BOOL m_bBinarySearch = FALSE;

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE) override;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange *pDX) override;
    void OnBrowse();
    void OnVerifyLookupFile();
    void OnSeekBinarySearch();

    DECLARE_MESSAGE_MAP()
};
