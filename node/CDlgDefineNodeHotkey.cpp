#include "node/CDlgDefineNodeHotkey.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeHotkey> reg(IDD_NODE_HOTKEY);
}

CDlgDefineNodeHotkey::CDlgDefineNodeHotkey(CWnd* pParent) : CDlgDefineBase(IDD_NODE_HOTKEY, pParent)
{
}

void CDlgDefineNodeHotkey::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_KEY_F1, m_nKeyF1);
    DDX_Check(pDX, IDC_KEY_F2, m_nKeyF2);
    DDX_Check(pDX, IDC_KEY_F3, m_nKeyF3);
    DDX_Check(pDX, IDC_KEY_F4, m_nKeyF4);
    DDX_Check(pDX, IDC_KEY_F5, m_nKeyF5);
    DDX_Check(pDX, IDC_KEY_F6, m_nKeyF6);
    DDX_Check(pDX, IDC_KEY_F7, m_nKeyF7);
    DDX_Check(pDX, IDC_KEY_F8, m_nKeyF8);
    DDX_Check(pDX, IDC_KEY_LEFT, m_nKeyLeft);
    DDX_Check(pDX, IDC_KEY_RIGHT, m_nKeyRight);
    DDX_Check(pDX, IDC_KEY_UP, m_nKeyUp);
    DDX_Check(pDX, IDC_KEY_DOWN, m_nKeyDown);
    DDX_Check(pDX, IDC_KEY_ESC, m_nKeyEsc);
    DDX_Check(pDX, IDC_HOTKEY_NONE, m_nKeyNone);
}
