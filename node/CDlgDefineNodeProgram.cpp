#include "node/CDlgDefineNodeProgram.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeProgram> reg(IDD_NODE_PROGRAM);
}

CDlgDefineNodeProgram::CDlgDefineNodeProgram(CWnd* pParent) : CDlgDefineBase(IDD_NODE_PROGRAM, pParent)
{
}

const MessageMap& CDlgDefineNodeProgram::GetThisMessageMap()
{
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_SCRIPTPAD, BN_CLICKED, &CDlgDefineNodeProgram::OnScriptPad),
                                });
    return map;
}

void CDlgDefineNodeProgram::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROGRAM_CODE, m_strProgram);
    DDX_Control(pDX, IDC_SCRIPTPAD, m_btnScriptPad);
}

BOOL CDlgDefineNodeProgram::OnInitDialog()
{
    CDlgDefineBase::OnInitDialog();
    SetEditTabStops(this, IDC_PROGRAM_CODE, 4);
    m_btnScriptPad.SetMaskedBitmap(IDB_BUTTON, 8, 8, RGB(255, 255, 255));
    return TRUE;
}

// The editor works on the member; whether it was confirmed does not matter, the member shows what it holds.
void CDlgDefineNodeProgram::OnScriptPad()
{
    UpdateData(TRUE);
    CString title;
    title.Format("Program: %s", m_pNode ? m_pNode->m_strName.c_str() : "");
    ScriptPad(m_strProgram, title, this);
    UpdateData(FALSE);
    if (CWnd* edit = GetDlgItem(IDC_PROGRAM_CODE))
        edit->SetFocus();
}
