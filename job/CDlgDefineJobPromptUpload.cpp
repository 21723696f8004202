#include "job/CDlgDefineJobPromptUpload.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineJobPromptUpload> reg(IDD_JOB_PROMPTUPLOAD);
}

CDlgDefineJobPromptUpload::CDlgDefineJobPromptUpload(CWnd *pParent) : CDlgDefineBase(IDD_JOB_PROMPTUPLOAD, pParent)
{
}

void CDlgDefineJobPromptUpload::DoDataExchange(CDataExchange *pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROMPT_NORECORD, m_strNoRecord);
    DDX_Text(pDX, IDC_PROMPT_SENDDATA, m_strSendData);
    DDX_Text(pDX, IDC_PROMPT_TOTAL, m_strTotal);
}
