// The options of one barcode symbology as check boxes: only those that apply to the symbology are enabled, and
// OK packs them into the symbology's option byte.
#pragma once

#include "platform/afxwin.h"

class CDlgBarcodeSetting : public CDialog
{
  public:
    CDlgBarcodeSetting(int nType, int nOptions, CWnd *pParent = nullptr);

    BOOL m_bVerifyCheckDigit = FALSE;
    BOOL m_bVerify2ndCheckDigit = FALSE;
    BOOL m_bFullAscii = FALSE;
    BOOL m_bSendCheckDigit = FALSE;
    BOOL m_bSendLeadingDigit = FALSE;
    BOOL m_bSendLeadingA = FALSE;
    BOOL m_bSendStartStop = FALSE;
    BOOL m_bZeroExpansion = FALSE;
    BOOL m_bAddonRequired = FALSE;
    BOOL m_bMod1011 = FALSE;
    int m_nType;    // the symbology code
    int m_nOptions; // the option byte, in and out

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange *pDX) override;
    void OnDestroy();

    DECLARE_MESSAGE_MAP()
};
