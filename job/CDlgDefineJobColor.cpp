#include "job/CDlgDefineJobColor.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineJobColor> reg(IDD_JOB_COLOR);
}

CDlgDefineJobColor::CDlgDefineJobColor(CWnd* pParent) : CDlgDefineBase(IDD_JOB_COLOR, pParent) {}

const MessageMap& CDlgDefineJobColor::GetThisMessageMap()
{
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Message(CPN_SELENDOK, &CDlgDefineJobColor::OnColorSelEndOK),
                                });
    return map;
}

void CDlgDefineJobColor::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_JOB_COLORCOMMENT, m_btnComment);
    DDX_Control(pDX, IDC_JOB_COLORMENU, m_btnMenu);
    DDX_Control(pDX, IDC_JOB_COLORCOLLECT, m_btnCollect);
    DDX_Control(pDX, IDC_JOB_COLORMATH, m_btnMath);
    DDX_Control(pDX, IDC_JOB_COLOREDIT, m_btnEdit);
    DDX_Control(pDX, IDC_JOB_COLORERASE, m_btnErase);
    DDX_Control(pDX, IDC_JOB_COLORUPLOAD, m_btnUpload);
    DDX_Control(pDX, IDC_JOB_COLORPROGRAM, m_btnProgram);
    DDX_Control(pDX, IDC_JOB_COLORRUNJOB, m_btnRunJob);
    DDX_Control(pDX, IDC_JOB_COLORLINK, m_btnLink);
    DDX_Control(pDX, IDC_JOB_COLORNODETEXT, m_btnNodeText);
    DDX_Control(pDX, IDC_JOB_COLORSTARTNODE, m_btnStartNode);
    DDX_Control(pDX, IDC_JOB_COLORSELNODE, m_btnSelNode);
    DDX_Control(pDX, IDC_JOB_COLORSELLINK, m_btnSelLink);
    DDX_Control(pDX, IDC_JOB_COLOREXCLUDED, m_btnExcluded);
    DDX_Control(pDX, IDC_JOB_COLORSCREEN, m_btnScreen);
}

// "Default" on the pickers that are not a kind of node stands for a fixed colour; on a node kind's picker
// it is left as the picker reports it, for the document to read as that kind's own colour.
LRESULT CDlgDefineJobColor::OnColorSelEndOK(WPARAM wParam, LPARAM lParam)
{
    if (COLORREF(wParam) != CLR_DEFAULT)
        return 1;
    switch (int(lParam))
    {
    case IDC_JOB_COLORSELNODE: m_btnSelNode.SetColour(GetSysColor(COLOR_HIGHLIGHT)); break;
    case IDC_JOB_COLORSELLINK: m_btnSelLink.SetColour(RGB(255, 0, 0)); break;
    case IDC_JOB_COLORSTARTNODE: m_btnStartNode.SetColour(RGB(255, 192, 203)); break;
    case IDC_JOB_COLORNODETEXT: m_btnNodeText.SetColour(GetSysColor(COLOR_BTNTEXT)); break;
    case IDC_JOB_COLORLINK: m_btnLink.SetColour(GetSysColor(COLOR_WINDOWTEXT)); break;
    case IDC_JOB_COLOREXCLUDED: m_btnExcluded.SetColour(RGB(192, 192, 192)); break;
    case IDC_JOB_COLORSCREEN: m_btnScreen.SetColour(RGB(192, 192, 192)); break;
    default: break;
    }
    return 1;
}
