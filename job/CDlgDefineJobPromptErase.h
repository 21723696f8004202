// Prompts of erasing data on the terminal, one line each; an empty one keeps the standard prompt.
#pragma once

#include "framework/CDlgDefineBase.h"

class CDlgDefineJobPromptErase : public CDlgDefineBase
{
  public:
    explicit CDlgDefineJobPromptErase(CWnd *pParent = nullptr);

    CString m_strEraseAll;
    CString m_strEraseLast;

  protected:
    void DoDataExchange(CDataExchange *pDX) override;
};
