#include "node/CDlgDefineNodeRunJob.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeRunJob> reg(IDD_NODE_RUNJOB);
}

CDlgDefineNodeRunJob::CDlgDefineNodeRunJob(CWnd* pParent) : CDlgDefineBase(IDD_NODE_RUNJOB, pParent)
{
}

const MessageMap& CDlgDefineNodeRunJob::GetThisMessageMap()
{
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_BROWSE, BN_CLICKED, &CDlgDefineNodeRunJob::OnBrowse),
                                });
    return map;
}

void CDlgDefineNodeRunJob::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DATAFILE, m_strJobFile);
    DDX_Text(pDX, IDC_RUNJOB_STARTNODE, m_strStartNode);
}

void CDlgDefineNodeRunJob::OnBrowse()
{
    UpdateData(TRUE);
    if (BrowseFile(this, m_strJobFile, true, "RUNJOB",
                   "Vantor Files (*.vtr)|*.vtr|Job Execution Files (*.exe)|*.exe|All Files (*.*)|*.*||"))
        UpdateData(FALSE);
}
