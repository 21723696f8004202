#include "node/CDlgDefineNodeScreenPosition.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeScreenPosition> reg(IDD_NODE_SCREENPOSITION);
}

CDlgDefineNodeScreenPosition::CDlgDefineNodeScreenPosition(CWnd* pParent)
    : CDlgDefineBase(IDD_NODE_SCREENPOSITION, pParent)
{
}

const MessageMap& CDlgDefineNodeScreenPosition::GetThisMessageMap()
{
    using Page = CDlgDefineNodeScreenPosition;
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_POS_INPUTATCURRENT, BN_CLICKED, &Page::OnDisplayAtCurrentPos),
                                    mm::Command(IDC_POS_INPUTAT, BN_CLICKED, &Page::OnDisplayAt),
                                    mm::Command(IDC_POS_PASSWORD, BN_CLICKED, &Page::OnDisplayAsPassword),
                                    mm::Command(IDC_POS_CLEARTOEND, BN_CLICKED, &Page::OnDisplayClearScreen),
                                    mm::Command(IDC_POS_NOMARK, BN_CLICKED, &Page::OnDisplayNoMark),
                                    mm::Command(IDC_POS_NODISPLAY, BN_CLICKED, &Page::OnDisplayNoDisplay),
                                });
    return map;
}

void CDlgDefineNodeScreenPosition::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_POS_PRINTFOLLOWING, m_nPrintFollowing);
    DDX_Check(pDX, IDC_POS_PRINTDIRECT, m_nPrintDirect);
    DDX_Check(pDX, IDC_POS_CLEARTOEND, m_bClearToEnd);
    DDX_Text(pDX, IDC_POS_PROMPTROW, m_nPromptRow);
    DDX_Text(pDX, IDC_POS_PROMPTCOLUMN, m_nPromptColumn);
    DDX_Text(pDX, IDC_POS_MARK, m_strPositionMark);
    DDX_Check(pDX, IDC_POS_INPUTATCURRENT, m_nInputAtCurrent);
    DDX_Check(pDX, IDC_POS_INPUTAT, m_nInputAtLocation);
    DDX_Text(pDX, IDC_POS_INPUTROW, m_nInputRow);
    DDX_Text(pDX, IDC_POS_INPUTCOLUMN, m_nInputColumn);
    DDX_Check(pDX, IDC_POS_NOMARK, m_bNoPositionMark);
    DDX_Check(pDX, IDC_POS_PASSWORD, m_bAsPassword);
    DDX_Check(pDX, IDC_POS_NODISPLAY, m_bNoDisplay);
}

// The labels give the ranges of the terminal the job is for; the template's texts are placeholders.
BOOL CDlgDefineNodeScreenPosition::OnInitDialog()
{
    CDlgDefineBase::OnInitDialog();
    CSize size = m_pDoc ? m_pDoc->GetScreenSize() : CSize(21, 9);
    CString rows, columns;
    rows.Format("Row (0..%d):", size.cy - 1);
    columns.Format("Column (0..%d):", size.cx - 1);
    SetDlgItemText(IDC_POS_PROMPTROWLABEL, rows);
    SetDlgItemText(IDC_POS_INPUTROWLABEL, rows);
    SetDlgItemText(IDC_POS_PROMPTCOLUMNLABEL, columns);
    SetDlgItemText(IDC_POS_INPUTCOLUMNLABEL, columns);
    return TRUE;
}

void CDlgDefineNodeScreenPosition::Enable(int id, BOOL enable)
{
    if (CWnd* w = GetDlgItem(id))
        w->EnableWindow(enable);
}

BOOL CDlgDefineNodeScreenPosition::UpdateData(BOOL bSaveAndValidate)
{
    BOOL result = CDlgDefineBase::UpdateData(bSaveAndValidate);
    if (bSaveAndValidate)
        return result;
    BOOL shown = !m_bNoDisplay;
    for (int id : {IDC_POS_PRINTFOLLOWING, IDC_POS_PRINTDIRECT, IDC_POS_NOMARK, IDC_POS_INPUTATCURRENT, IDC_POS_INPUTAT,
                   IDC_POS_PASSWORD})
        Enable(id, shown);
    if (m_bNoDisplay)
    {
        // The clear-screen box and its location keep the state they have.
        for (int id : {IDC_POS_MARK, IDC_POS_INPUTROW, IDC_POS_INPUTCOLUMN})
            Enable(id, FALSE);
        return result;
    }
    Enable(IDC_POS_PROMPTROW, m_bClearToEnd);
    Enable(IDC_POS_PROMPTCOLUMN, m_bClearToEnd);
    Enable(IDC_POS_INPUTROW, m_nInputAtLocation == 1);
    Enable(IDC_POS_INPUTCOLUMN, m_nInputAtLocation == 1);
    Enable(IDC_POS_MARK, !m_bNoPositionMark);
    return result;
}

void CDlgDefineNodeScreenPosition::DisplayCountNodeSettings()
{
    for (int id : {IDC_POS_NOMARK, IDC_POS_MARKLABEL, IDC_POS_MARK, IDC_POS_PASSWORD})
        if (CWnd* w = GetDlgItem(id))
            w->ShowWindow(SW_HIDE);
}

void CDlgDefineNodeScreenPosition::OnDisplayAtCurrentPos() { RefreshUI(); }
void CDlgDefineNodeScreenPosition::OnDisplayAt() { RefreshUI(); }
void CDlgDefineNodeScreenPosition::OnDisplayAsPassword() { RefreshUI(); }
void CDlgDefineNodeScreenPosition::OnDisplayClearScreen() { RefreshUI(); }
void CDlgDefineNodeScreenPosition::OnDisplayNoMark() { RefreshUI(); }
void CDlgDefineNodeScreenPosition::OnDisplayNoDisplay() { RefreshUI(); }
