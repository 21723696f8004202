// What making the job skips or does differently.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineJobMakeJob : public CDlgDefineBase
{
  public:
    explicit CDlgDefineJobMakeJob(CWnd* pParent = nullptr);

    BOOL m_bSkipSearchTable = FALSE;
    BOOL m_bSkipFont = FALSE;
    BOOL m_bNoLookupDownload = FALSE;
    BOOL m_bSkipJobNameFile = FALSE;
    BOOL m_bNoAutoDownload = FALSE;
    BOOL m_bFastSpeed = FALSE;
    BOOL m_bVersion4Job = FALSE;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
