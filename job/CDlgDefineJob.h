// The definition dialog of job-wide settings, in one of three modes: global settings, the current job's
// settings, or the job language. The document fills the pages and reads them back.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefine.h"

class PDTDLG_API CDlgDefineJob : public CDlgDefine
{
  public:
    CDlgDefineJob(CVTR5Doc* pDoc, JOBSETTINGMODE nMode, OPTIONITEM* pOptions, CWnd* pParent = nullptr);

    JOBSETTINGMODE m_nMode;

    void SaveSettingUI() override;
    BOOL InitialData() override;
    BOOL SaveData() override;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
};
