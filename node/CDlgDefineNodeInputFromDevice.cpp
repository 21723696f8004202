#include "node/CDlgDefineNodeInputFromDevice.h"

#include "framework/OptionPages.h"
#include "node/PageControls.h"
#include "platform/afxdd.h"
#include "resources/resource.h"

namespace
{
const OptionPageRegistration<CDlgDefineNodeInputFromDevice> reg(IDD_NODE_INPUTFROMDEVICE);
}

CDlgDefineNodeInputFromDevice::CDlgDefineNodeInputFromDevice(CWnd *pParent)
    : CDlgDefineBase(IDD_NODE_INPUTFROMDEVICE, pParent)
{
}

const MessageMap &CDlgDefineNodeInputFromDevice::GetThisMessageMap()
{
    using Page = CDlgDefineNodeInputFromDevice;
    static const MessageMap map(&CDlgDefineBase::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_INPUT_DEVICE_KEYPAD, BN_CLICKED, &Page::OnInputDeviceKeypad),
                                    mm::Command(IDC_INPUT_DEVICE_TIMER, BN_CLICKED, &Page::OnInputDeviceTimer),
                                    mm::Command(IDC_INPUT_DEVICE_SCANNER, BN_CLICKED, &Page::OnInputDeviceScanner),
                                    mm::Command(IDC_TIMEFORMAT_DATE, BN_CLICKED, &Page::OnTimeFormatDate),
                                    mm::Command(IDC_TIMEFORMAT_DATETIME, BN_CLICKED, &Page::OnTimeFormatDateTime),
                                    mm::Command(IDC_TIMEFORMAT_TIME, BN_CLICKED, &Page::OnTimeFormatTime),
                                });
    return map;
}

void CDlgDefineNodeInputFromDevice::DoDataExchange(CDataExchange *pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_INPUT_DEVICE_TIMER, m_bTimer);
    DDX_Check(pDX, IDC_INPUT_DEVICE_SCANNER, m_bScanner);
    DDX_Check(pDX, IDC_SCAN_AUTOTRIGGER, m_bAutoTrigger);
    DDX_Check(pDX, IDC_SCAN_DOUBLESCAN, m_bDoubleScan);
    DDX_Check(pDX, IDC_SCAN_SCANNEROFF, m_bScannerOff);
    DDX_Check(pDX, IDC_SCAN_MIXKEYPAD, m_bMixKeypad);
    DDX_Check(pDX, IDC_INPUT_DEVICE_KEYPAD, m_bKeypad);
    DDX_Check(pDX, IDC_KEYPAD_COMPLETEWITHENTER, m_bCompleteWithEnter);
    DDX_Check(pDX, IDC_KEYPAD_ALPHABET, m_bAlphabet);
    DDX_Check(pDX, IDC_KEYPAD_DIGITS, m_bDigits);
    DDX_Check(pDX, IDC_KEYPAD_SYMBOLS, m_bSymbols);
    DDX_Check(pDX, IDC_TIMEFORMAT_DATE, m_nDateOnly);
    DDX_Check(pDX, IDC_TIMEFORMAT_TIME, m_nTimeOnly);
    DDX_Check(pDX, IDC_TIMEFORMAT_DATETIME, m_nDateTime);
}

// The timer excludes the other two devices; the scanner and the keypad may both be used, each with its options.
// The scanner and keypad boxes keep the marks they were loaded with while the timer is set: the host gives the
// timer precedence when it reads them back. Each control's state is set once, so that a format radio chosen from
// the keyboard keeps the focus.
BOOL CDlgDefineNodeInputFromDevice::UpdateData(BOOL bSaveAndValidate)
{
    BOOL result = CDlgDefineBase::UpdateData(bSaveAndValidate);
    if (bSaveAndValidate)
        return result;
    if (m_bTimer)
    {
        m_bScanner = FALSE;
        m_bKeypad = FALSE;
    }
    EnablePageItems(*this, {IDC_TIMEFORMAT_DATE, IDC_TIMEFORMAT_TIME, IDC_TIMEFORMAT_DATETIME}, m_bTimer);
    EnablePageItems(*this, {IDC_DATETYPE_LABEL, IDC_DATETYPE}, m_bTimer && (m_nDateOnly || m_nDateTime));
    EnablePageItems(*this, {IDC_INPUT_DEVICE_SCANNER, IDC_INPUT_DEVICE_KEYPAD}, !m_bTimer);
    EnablePageItems(*this, {IDC_SCAN_AUTOTRIGGER, IDC_SCAN_DOUBLESCAN, IDC_SCAN_SCANNEROFF, IDC_SCAN_MIXKEYPAD},
                    m_bScanner);
    EnablePageItems(*this, {IDC_KEYPAD_COMPLETEWITHENTER, IDC_KEYPAD_DIGITS, IDC_KEYPAD_ALPHABET, IDC_KEYPAD_SYMBOLS},
                    m_bKeypad);
    return result;
}

void CDlgDefineNodeInputFromDevice::OnInputDeviceKeypad()
{
    RefreshUI();
}
void CDlgDefineNodeInputFromDevice::OnInputDeviceTimer()
{
    RefreshUI();
}
void CDlgDefineNodeInputFromDevice::OnInputDeviceScanner()
{
    RefreshUI();
}
void CDlgDefineNodeInputFromDevice::OnTimeFormatDate()
{
    RefreshUI();
}
void CDlgDefineNodeInputFromDevice::OnTimeFormatDateTime()
{
    RefreshUI();
}
void CDlgDefineNodeInputFromDevice::OnTimeFormatTime()
{
    RefreshUI();
}
