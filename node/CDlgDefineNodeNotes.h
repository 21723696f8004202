// The notes page of a node: a free comment, which the program editor can also edit.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"
#include "support/ButtonEx.h"

class PDTDLG_API CDlgDefineNodeNotes : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeNotes(CWnd* pParent = nullptr);

    CString m_strComment;
    CButtonEx m_btnScriptPad;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnScriptPad();

    DECLARE_MESSAGE_MAP()
};
