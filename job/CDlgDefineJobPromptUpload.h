// Prompts of sending data on the terminal, one line each; an empty one keeps the standard prompt.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineJobPromptUpload : public CDlgDefineBase
{
  public:
    explicit CDlgDefineJobPromptUpload(CWnd *pParent = nullptr);

    CString m_strNoRecord;
    CString m_strSendData;
    CString m_strTotal;

  protected:
    void DoDataExchange(CDataExchange *pDX) override;
};
