#include "node/CDlgDefineNodeBasic.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeBasic> reg(IDD_NODE_BASIC);
}

CDlgDefineNodeBasic::CDlgDefineNodeBasic(CWnd* pParent) : CDlgDefineBase(IDD_NODE_BASIC, pParent) {}

const MessageMap& CDlgDefineNodeBasic::GetThisMessageMap()
{
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Message(CPN_SELENDOK, &CDlgDefineNodeBasic::OnColorSelEndOK),
                                });
    return map;
}

void CDlgDefineNodeBasic::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NODE_NAME, m_strName);
    DDX_Text(pDX, IDC_NODE_DESCRIPTION, m_strDescription);
    DDX_Check(pDX, IDC_NODE_STARTNODE, m_bStartNode);
    DDX_Check(pDX, IDC_NODE_GLOBALACCESS, m_bGlobalAccess);
    DDX_Check(pDX, IDC_NODE_EXCLUDE, m_bExcludeFromMakeJob);
    DDX_Control(pDX, IDC_NODE_COLOR, m_btnColor);
}

// The picker's "Default" entry stands for the colour of the node's kind, not for black.
LRESULT CDlgDefineNodeBasic::OnColorSelEndOK(WPARAM wParam, LPARAM lParam)
{
    if (COLORREF(wParam) == CLR_DEFAULT && int(lParam) == IDC_NODE_COLOR && m_pNode)
        m_btnColor.SetColour(m_pNode->GetDefaultColour());
    return 1;
}
