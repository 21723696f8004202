#include "job/CDlgDefineJobPromptMain.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineJobPromptMain> reg(IDD_JOB_PROMPTMAIN);
}

CDlgDefineJobPromptMain::CDlgDefineJobPromptMain(CWnd *pParent) : CDlgDefineBase(IDD_JOB_PROMPTMAIN, pParent)
{
}

void CDlgDefineJobPromptMain::DoDataExchange(CDataExchange *pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROMPT_CONFIRMEXIT, m_strConfirmExit);
    DDX_Text(pDX, IDC_PROMPT_DONE, m_strDone);
    DDX_Text(pDX, IDC_PROMPT_ABORT, m_strAbort);
    DDX_Text(pDX, IDC_PROMPT_WRITERECORDERROR, m_strWriteRecordError);
    DDX_Text(pDX, IDC_PROMPT_WRITEFILEERROR, m_strWriteFileError);
    DDX_Text(pDX, IDC_PROMPT_READFILEERROR, m_strReadFileError);
    DDX_Text(pDX, IDC_PROMPT_OPENFILEERROR, m_strOpenFileError);
    DDX_Text(pDX, IDC_PROMPT_FILENOTFOUND, m_strFileNotFound);
}
