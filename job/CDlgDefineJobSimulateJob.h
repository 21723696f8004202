// How the job is simulated: the size of the simulated terminal's window.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineJobSimulateJob : public CDlgDefineBase
{
  public:
    explicit CDlgDefineJobSimulateJob(CWnd* pParent = nullptr);

    BOOL m_bLargeWindow = FALSE;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
