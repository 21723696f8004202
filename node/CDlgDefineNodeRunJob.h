// The run-job page: the job file to load and run, and the node at which it starts.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineNodeRunJob : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeRunJob(CWnd* pParent = nullptr);

    CString m_strJobFile;
    CString m_strStartNode;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnBrowse();

    DECLARE_MESSAGE_MAP()
};
