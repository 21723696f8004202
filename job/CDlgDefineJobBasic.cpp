#include "job/CDlgDefineJobBasic.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineJobBasic> reg(IDD_JOB_BASIC);
}

CDlgDefineJobBasic::CDlgDefineJobBasic() : CDlgDefineBase(IDD_JOB_BASIC) {}

void CDlgDefineJobBasic::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_JOB_NOESCTERMINATE, m_bNoEscTerminate);
    DDX_Check(pDX, IDC_JOB_ENGINELOG, m_bJobEngineLog);
}
