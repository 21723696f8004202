#include "job/CDlgDefineJobPromptErase.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineJobPromptErase> reg(IDD_JOB_PROMPTERASE);
}

CDlgDefineJobPromptErase::CDlgDefineJobPromptErase(CWnd *pParent) : CDlgDefineBase(IDD_JOB_PROMPTERASE, pParent)
{
}

void CDlgDefineJobPromptErase::DoDataExchange(CDataExchange *pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROMPT_ERASEALL, m_strEraseAll);
    DDX_Text(pDX, IDC_PROMPT_ERASELAST, m_strEraseLast);
}
