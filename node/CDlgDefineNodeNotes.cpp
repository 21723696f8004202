#include "node/CDlgDefineNodeNotes.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeNotes> reg(IDD_NODE_NOTES);
}

CDlgDefineNodeNotes::CDlgDefineNodeNotes(CWnd* pParent) : CDlgDefineBase(IDD_NODE_NOTES, pParent) {}

const MessageMap& CDlgDefineNodeNotes::GetThisMessageMap()
{
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_SCRIPTPAD, BN_CLICKED, &CDlgDefineNodeNotes::OnScriptPad),
                                });
    return map;
}

void CDlgDefineNodeNotes::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NODE_COMMENT, m_strComment);
    DDX_Control(pDX, IDC_SCRIPTPAD, m_btnScriptPad);
}

BOOL CDlgDefineNodeNotes::OnInitDialog()
{
    CDlgDefineBase::OnInitDialog();
    SetEditTabStops(this, IDC_NODE_COMMENT, 4);
    m_btnScriptPad.SetMaskedBitmap(IDB_BUTTON, 8, 8, RGB(255, 255, 255));
    return TRUE;
}

// The editor works on the member, so what was typed goes in and what it changed comes back.
void CDlgDefineNodeNotes::OnScriptPad()
{
    UpdateData(TRUE);
    ScriptPad(m_strComment, "Comment", this);
    UpdateData(FALSE);
    if (CWnd* edit = GetDlgItem(IDC_NODE_COMMENT))
        edit->SetFocus();
}
