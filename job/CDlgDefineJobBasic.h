// The job's basic options: whether ESC ends the job on the terminal, and the job engine's log.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineJobBasic : public CDlgDefineBase
{
  public:
    CDlgDefineJobBasic();

    BOOL m_bNoEscTerminate = FALSE;
    BOOL m_bJobEngineLog = FALSE;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
