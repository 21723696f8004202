#include "portable/CDlgDefinePortableSetting.h"

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefinePortableSetting> reg(IDD_PORTABLE_SETTING);
}

CDlgDefinePortableSetting::CDlgDefinePortableSetting(CWnd* pParent) : CDlgDefineBase(IDD_PORTABLE_SETTING, pParent) {}

void CDlgDefinePortableSetting::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_PORTABLE_BUZZERHIGH, m_nBuzzerHigh);
    DDX_Check(pDX, IDC_PORTABLE_BUZZERMEDIUM, m_nBuzzerMedium);
    DDX_Check(pDX, IDC_PORTABLE_BUZZERLOW, m_nBuzzerLow);
    DDX_Check(pDX, IDC_PORTABLE_BUZZEROFF, m_nBuzzerOff);
    DDX_Check(pDX, IDC_PORTABLE_SMALLFONT, m_nSmallFont);
    DDX_Check(pDX, IDC_PORTABLE_LARGEFONT, m_nLargeFont);
    DDX_Check(pDX, IDC_PORTABLE_SCANNERAUTO, m_nScannerAuto);
    DDX_Check(pDX, IDC_PORTABLE_SCANNERPEN, m_nScannerPen);
}
