// Prompts of erasing data on the terminal, one line each; an empty one keeps the standard prompt.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineJobPromptErase : public CDlgDefineBase
{
  public:
    explicit CDlgDefineJobPromptErase(CWnd *pParent = nullptr);

    CString m_strEraseAll;
    CString m_strEraseLast;

  protected:
    void DoDataExchange(CDataExchange *pDX) override;
};
