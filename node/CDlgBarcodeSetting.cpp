#include "node/CDlgBarcodeSetting.h"

#include "node/PageControls.h"
#include "platform/afxdd.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace
{
constexpr const char *kSettings = "Settings";
constexpr const char *kWindowPosition = "WPOS_BARCODESETTING";

bool Bit(int options, int mask)
{
    return (options & mask) != 0;
}
} // namespace

CDlgBarcodeSetting::CDlgBarcodeSetting(int nType, int nOptions, CWnd *pParent)
    : CDialog(IDD_BARCODE_SETTING, pParent), m_nType(nType), m_nOptions(nOptions)
{
}

const MessageMap &CDlgBarcodeSetting::GetThisMessageMap()
{
    static const MessageMap map(&CDialog::GetThisMessageMap(), {
                                                                   mm::Destroy(&CDlgBarcodeSetting::OnDestroy),
                                                               });
    return map;
}

void CDlgBarcodeSetting::DoDataExchange(CDataExchange *pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_BCS_VERIFYCHECKDIGIT, m_bVerifyCheckDigit);
    DDX_Check(pDX, IDC_BCS_VERIFY2NDCHECKDIGIT, m_bVerify2ndCheckDigit);
    DDX_Check(pDX, IDC_BCS_FULLASCII, m_bFullAscii);
    DDX_Check(pDX, IDC_BCS_SENDCHECKDIGIT, m_bSendCheckDigit);
    DDX_Check(pDX, IDC_BCS_SENDLEADINGDIGIT, m_bSendLeadingDigit);
    DDX_Check(pDX, IDC_BCS_SENDLEADINGA, m_bSendLeadingA);
    DDX_Check(pDX, IDC_BCS_SENDSTARTSTOP, m_bSendStartStop);
    DDX_Check(pDX, IDC_BCS_ZEROEXPANSION, m_bZeroExpansion);
    DDX_Check(pDX, IDC_BCS_ADDONREQUIRED, m_bAddonRequired);
    DDX_Check(pDX, IDC_BCS_MOD1011, m_bMod1011);
}

// Every symbology may send its check digit; the other boxes are enabled for the symbologies they apply to.
BOOL CDlgBarcodeSetting::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnablePageItems(*this,
                    {IDC_BCS_VERIFYCHECKDIGIT, IDC_BCS_VERIFY2NDCHECKDIGIT, IDC_BCS_FULLASCII, IDC_BCS_SENDLEADINGDIGIT,
                     IDC_BCS_SENDLEADINGA, IDC_BCS_SENDSTARTSTOP, IDC_BCS_ZEROEXPANSION, IDC_BCS_ADDONREQUIRED,
                     IDC_BCS_MOD1011},
                    FALSE);
    int t = m_nType, o = m_nOptions;
    if (t == 8)
    {
        // UPC-E with system 'A' keeps its check digit in bit 1.
        m_bSendCheckDigit = Bit(o, 0x02);
        m_bSendLeadingA = Bit(o, 0x08);
        EnablePageItems(*this, {IDC_BCS_SENDLEADINGA}, TRUE);
    }
    else
    {
        m_bSendCheckDigit = Bit(o, 0x04);
        if (t == 1 || t == 2 || t == 3)
        {
            m_bVerifyCheckDigit = Bit(o, 0x02);
            EnablePageItems(*this, {IDC_BCS_VERIFYCHECKDIGIT}, TRUE);
        }
        if (t == 17 || t == 18 || t == 19)
        {
            m_bSendLeadingDigit = Bit(o, 0x08);
            EnablePageItems(*this, {IDC_BCS_SENDLEADINGDIGIT}, TRUE);
        }
        if (t == 1)
        {
            m_bFullAscii = Bit(o, 0x10);
            EnablePageItems(*this, {IDC_BCS_FULLASCII}, TRUE);
        }
        if (t == 1 || t == 3)
        {
            m_bSendStartStop = Bit(o, 0x08);
            EnablePageItems(*this, {IDC_BCS_SENDSTARTSTOP}, TRUE);
        }
        if (t == 18)
        {
            m_bZeroExpansion = Bit(o, 0x10);
            EnablePageItems(*this, {IDC_BCS_ZEROEXPANSION}, TRUE);
        }
        if (t == 4)
        {
            // The add-on always sends its check digit as loaded: shown, not editable.
            m_bAddonRequired = Bit(o, 0x80);
            EnablePageItems(*this, {IDC_BCS_ADDONREQUIRED}, TRUE);
            EnablePageItems(*this, {IDC_BCS_SENDCHECKDIGIT}, FALSE);
        }
        if (t == 9)
        {
            // MSI always verifies its first check digit.
            m_bVerify2ndCheckDigit = Bit(o, 0x02);
            m_bMod1011 = Bit(o, 0x10);
            m_bVerifyCheckDigit = TRUE;
            EnablePageItems(*this, {IDC_BCS_VERIFY2NDCHECKDIGIT, IDC_BCS_MOD1011}, TRUE);
        }
    }
    UpdateData(FALSE);
    SetWindowPosition(this, kSettings, kWindowPosition, theReg, 1);
    return TRUE;
}

// The byte is rebuilt from the boxes alone: bits no box stands for are dropped.
void CDlgBarcodeSetting::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    int options = 0;
    if (m_bAddonRequired)
        options |= 0x80;
    if (m_bMod1011 || m_bZeroExpansion || m_bFullAscii)
        options |= 0x10;
    if (m_bSendStartStop || m_bSendLeadingA || m_bSendLeadingDigit)
        options |= 0x08;
    if (m_bVerify2ndCheckDigit)
        options |= 0x02;
    if (m_bSendCheckDigit)
        options |= m_nType == 8 ? 0x02 : 0x04;
    if (m_bVerifyCheckDigit && m_nType != 9)
        options |= 0x02;
    m_nOptions = options;
    EndDialog(IDOK);
}

void CDlgBarcodeSetting::OnDestroy()
{
    PutWindowPosition(this, kSettings, kWindowPosition, theReg);
    Default();
}
