// The Find dialog: a search text with its history, two options and a prompt line set by the host.
#pragma once

#include "framework/Export.h"

#include "platform/afxwin.h"

class PDTDLG_API CDlgFind : public CDialog
{
  public:
    explicit CDlgFind(CWnd* pParent = nullptr);

    CComboBox m_cbFind;
    CString m_strPrompt;
    BOOL m_bMatchCase = FALSE;
    BOOL m_bOutputToPane2 = FALSE;
    CString m_strFind; // valid after OK

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    int m_nNextIndex = 1;  // number of the next history value to write
    int m_nFirstIndex = 1; // number of the oldest history value
};
