// Prompts of browsing and editing data on the terminal, one line each; an empty one keeps the standard prompt.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineJobPromptEdit : public CDlgDefineBase
{
  public:
    explicit CDlgDefineJobPromptEdit(CWnd *pParent = nullptr);

    CString m_strBrowse;
    CString m_strData;
    CString m_strEdit;
    CString m_strFound;
    CString m_strModifyField;
    CString m_strNoData;
    CString m_strNotFound;
    CString m_strSearch;
    CString m_strSearchNext;
    CString m_strWait;

  protected:
    void DoDataExchange(CDataExchange *pDX) override;
};
