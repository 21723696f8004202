#include "link/CDlgDefineLinkIn.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

static const OptionPageRegistration<CDlgDefineLinkIn> reg(IDD_LINK_IN);

CDlgDefineLinkIn::CDlgDefineLinkIn(CWnd* pParent) : CDlgDefineBase(IDD_LINK_IN, pParent) {}

void CDlgDefineLinkIn::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LINK_INFO, m_strLinkInfo);
}
