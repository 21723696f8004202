#include "node/CDlgDefineNodeCmtFontColor.h"

#include <cstring>

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "platform/afxdlgs.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeCmtFontColor> reg(IDD_NODE_CMTFONTCOLOR);
}

CDlgDefineNodeCmtFontColor::CDlgDefineNodeCmtFontColor(CWnd* pParent)
    : CDlgDefineBase(IDD_NODE_CMTFONTCOLOR, pParent)
{
}

const MessageMap& CDlgDefineNodeCmtFontColor::GetThisMessageMap()
{
    static const MessageMap map(
        &CDlgDefineBase::GetThisMessageMap(),
        {
            mm::Command(IDC_CMT_FONTDEFINE, BN_CLICKED, &CDlgDefineNodeCmtFontColor::OnFontdefine1),
            mm::Command(IDC_CMT_DEFAULTFONT, BN_CLICKED, &CDlgDefineNodeCmtFontColor::OnDefaultFont),
            mm::Message(CPN_SELENDOK, &CDlgDefineNodeCmtFontColor::OnColorSelEndOK),
        });
    return map;
}

void CDlgDefineNodeCmtFontColor::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CMT_REFERENCENODE, m_cbReferenceNode);
    DDX_Check(pDX, IDC_CMT_DEFAULTFONT, m_bUseDefaultFont);
    DDX_Control(pDX, IDC_CMT_TEXTCOLOR, m_btnTextColor);
    DDX_Control(pDX, IDC_CMT_BACKCOLOR, m_btnBackColor);
}

BOOL CDlgDefineNodeCmtFontColor::UpdateData(BOOL bSaveAndValidate)
{
    BOOL result = CDlgDefineBase::UpdateData(bSaveAndValidate);
    if (!bSaveAndValidate)
        if (CWnd* define = GetDlgItem(IDC_CMT_FONTDEFINE))
            define->EnableWindow(!m_bUseDefaultFont);
    return result;
}

// "Default" is the node's own text colour, and for the background the window colour the comment sits on.
LRESULT CDlgDefineNodeCmtFontColor::OnColorSelEndOK(WPARAM wParam, LPARAM lParam)
{
    if (COLORREF(wParam) != CLR_DEFAULT)
        return 1;
    switch (int(lParam))
    {
    case IDC_CMT_TEXTCOLOR:
        if (m_pNode)
            m_btnTextColor.SetColour(m_pNode->GetDefaultColour());
        break;
    case IDC_CMT_BACKCOLOR:
        m_btnBackColor.SetColour(GetSysColor(COLOR_WINDOW));
        break;
    default:
        break;
    }
    return 1;
}

void CDlgDefineNodeCmtFontColor::OnFontdefine1()
{
    LOGFONT lf;
    std::memcpy(&lf, &m_lfFont, sizeof(LOGFONT));
    CFontDialog dlg(&lf, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
    if (dlg.DoModal() == IDOK)
        std::memcpy(&m_lfFont, &dlg.m_lf, sizeof(LOGFONT));
}

void CDlgDefineNodeCmtFontColor::OnDefaultFont() { RefreshUI(); }
