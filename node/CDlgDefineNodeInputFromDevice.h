// Where a collect node's data comes from: the terminal's clock, the scanner or the keypad, each with its options.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineNodeInputFromDevice : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeInputFromDevice(CWnd *pParent = nullptr);

    BOOL m_bTimer = FALSE;
    BOOL m_bScanner = FALSE;
    BOOL m_bAutoTrigger = FALSE;
    BOOL m_bDoubleScan = FALSE;
    BOOL m_bScannerOff = FALSE;
    BOOL m_bMixKeypad = FALSE;
    BOOL m_bKeypad = FALSE;
    BOOL m_bCompleteWithEnter = FALSE;
    BOOL m_bAlphabet = FALSE;
    BOOL m_bDigits = FALSE;
    BOOL m_bSymbols = FALSE;
    int m_nDateOnly = -1;
    int m_nTimeOnly = -1;
    int m_nDateTime = -1;

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE) override;

  protected:
    void DoDataExchange(CDataExchange *pDX) override;
    void OnInputDeviceKeypad();
    void OnInputDeviceTimer();
    void OnInputDeviceScanner();
    void OnTimeFormatDate();
    void OnTimeFormatDateTime();
    void OnTimeFormatTime();

    DECLARE_MESSAGE_MAP()
};
