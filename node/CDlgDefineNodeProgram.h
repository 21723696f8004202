// The program page: the code of a program node, typed here or in the program editor.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"
#include "support/ButtonEx.h"

class PDTDLG_API CDlgDefineNodeProgram : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeProgram(CWnd* pParent = nullptr);

    CString m_strProgram;
    CButtonEx m_btnScriptPad;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnScriptPad();

    DECLARE_MESSAGE_MAP()
};
