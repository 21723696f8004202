#include "job/CDlgDefineJobMakeJob.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineJobMakeJob> reg(IDD_JOB_MAKEJOB);
}

CDlgDefineJobMakeJob::CDlgDefineJobMakeJob(CWnd* pParent) : CDlgDefineBase(IDD_JOB_MAKEJOB, pParent) {}

void CDlgDefineJobMakeJob::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_JOB_SKIPSEARCHTABLE, m_bSkipSearchTable);
    DDX_Check(pDX, IDC_JOB_SKIPFONT, m_bSkipFont);
    DDX_Check(pDX, IDC_JOB_NOLOOKUPDOWNLOAD, m_bNoLookupDownload);
    DDX_Check(pDX, IDC_JOB_SKIPJOBNAMEFILE, m_bSkipJobNameFile);
    DDX_Check(pDX, IDC_JOB_NOAUTODOWNLOAD, m_bNoAutoDownload);
    DDX_Check(pDX, IDC_JOB_FASTSPEED, m_bFastSpeed);
    DDX_Check(pDX, IDC_JOB_VERSION4JOB, m_bVersion4Job);
}
