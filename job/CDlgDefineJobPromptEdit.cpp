#include "job/CDlgDefineJobPromptEdit.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineJobPromptEdit> reg(IDD_JOB_PROMPTEDIT);
}

CDlgDefineJobPromptEdit::CDlgDefineJobPromptEdit(CWnd *pParent) : CDlgDefineBase(IDD_JOB_PROMPTEDIT, pParent)
{
}

void CDlgDefineJobPromptEdit::DoDataExchange(CDataExchange *pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROMPT_BROWSE, m_strBrowse);
    DDX_Text(pDX, IDC_PROMPT_DATA, m_strData);
    DDX_Text(pDX, IDC_PROMPT_EDIT, m_strEdit);
    DDX_Text(pDX, IDC_PROMPT_FOUND, m_strFound);
    DDX_Text(pDX, IDC_PROMPT_MODIFYFIELD, m_strModifyField);
    DDX_Text(pDX, IDC_PROMPT_NODATA, m_strNoData);
    DDX_Text(pDX, IDC_PROMPT_NOTFOUND, m_strNotFound);
    DDX_Text(pDX, IDC_PROMPT_SEARCH, m_strSearch);
    DDX_Text(pDX, IDC_PROMPT_SEARCHNEXT, m_strSearchNext);
    DDX_Text(pDX, IDC_PROMPT_WAIT, m_strWait);
}
