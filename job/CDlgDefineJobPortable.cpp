#include "job/CDlgDefineJobPortable.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineJobPortable> reg(IDD_JOB_PORTABLE);
}

CDlgDefineJobPortable::CDlgDefineJobPortable(CWnd* pParent) : CDlgDefineBase(IDD_JOB_PORTABLE, pParent) {}

void CDlgDefineJobPortable::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_JOB_ADDRESS, m_cbAddress);
}

// The terminals' addresses, in the order the terminals count them: letters first, then digits.
BOOL CDlgDefineJobPortable::OnInitDialog()
{
    CDlgDefineBase::OnInitDialog();
    char address[2] = {};
    for (char c = 'A'; c <= 'Z'; ++c)
        address[0] = c, m_cbAddress.AddString(address);
    for (char c = '0'; c <= '6'; ++c)
        address[0] = c, m_cbAddress.AddString(address);
    return TRUE;
}
