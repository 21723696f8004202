#include "job/CDlgDefineJobSimulateJob.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineJobSimulateJob> reg(IDD_JOB_SIMULATEJOB);
}

CDlgDefineJobSimulateJob::CDlgDefineJobSimulateJob(CWnd* pParent) : CDlgDefineBase(IDD_JOB_SIMULATEJOB, pParent) {}

void CDlgDefineJobSimulateJob::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_JOB_LARGEWINDOW, m_bLargeWindow);
}
