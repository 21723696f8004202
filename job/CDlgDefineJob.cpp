#include "job/CDlgDefineJob.h"

#include "resources/resource.h"

CDlgDefineJob::CDlgDefineJob(CVTR5Doc* pDoc, JOBSETTINGMODE nMode, OPTIONITEM* pOptions, CWnd* pParent)
    : CDlgDefine(pOptions, IDD_DEFINE_JOB, pParent), m_nMode(nMode)
{
    m_pDoc = pDoc;
}

BOOL CDlgDefineJob::OnInitDialog()
{
    CDlgDefine::OnInitDialog();
    if (m_nMode == JSM_GLOBAL || m_nMode == JSM_LANGUAGE)
        SetWindowText(GetWindowText() + (m_nMode == JSM_GLOBAL ? " (global settings)" : " Language"));
    // The language dialog always opens on no page: it has no page of its own to remember.
    if (m_pDoc && m_nMode == JSM_GLOBAL)
        SelectOption(m_pDoc->m_nLastGlobalJobOption, 0);
    else if (m_pDoc && m_nMode == JSM_JOB)
        SelectOption(m_pDoc->m_nLastJobOption, 0);
    return TRUE;
}

void CDlgDefineJob::SaveSettingUI()
{
    CDlgDefine::SaveSettingUI();
    if (!m_pDoc)
        return;
    if (m_nMode == JSM_GLOBAL)
        m_pDoc->m_nLastGlobalJobOption = GetActiveOptionID(nullptr);
    else if (m_nMode == JSM_JOB)
        m_pDoc->m_nLastJobOption = GetActiveOptionID(nullptr);
}

BOOL CDlgDefineJob::InitialData() { return m_pDoc ? m_pDoc->InitialDlgData(this) : TRUE; }
BOOL CDlgDefineJob::SaveData() { return m_pDoc ? m_pDoc->SaveDlgData(this) : TRUE; }

void CDlgDefineJob::OnOK()
{
    SaveSettingUI();
    CDlgDefine::OnOK();
}

void CDlgDefineJob::OnCancel()
{
    SaveSettingUI();
    CDlgDefine::OnCancel();
}
