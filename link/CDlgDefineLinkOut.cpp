#include "link/CDlgDefineLinkOut.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

static const OptionPageRegistration<CDlgDefineLinkOut> reg(IDD_LINK_OUT);

CDlgDefineLinkOut::CDlgDefineLinkOut(CWnd* pParent) : CDlgDefineBase(IDD_LINK_OUT, pParent) {}

void CDlgDefineLinkOut::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LINK_INFO, m_strLinkInfo);
}
