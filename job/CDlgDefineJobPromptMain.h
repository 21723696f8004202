// Prompts of leaving or ending the job and of file errors on the terminal, one line each; an empty one keeps the
// standard prompt.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineJobPromptMain : public CDlgDefineBase
{
  public:
    explicit CDlgDefineJobPromptMain(CWnd *pParent = nullptr);

    CString m_strConfirmExit;
    CString m_strDone;
    CString m_strAbort;
    CString m_strWriteRecordError;
    CString m_strWriteFileError;
    CString m_strReadFileError;
    CString m_strOpenFileError;
    CString m_strFileNotFound;

  protected:
    void DoDataExchange(CDataExchange *pDX) override;
};
