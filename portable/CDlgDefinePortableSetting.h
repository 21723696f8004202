// The terminal settings page: buzzer volume, screen font and scanner type, each a radio group whose
// chosen button's member holds 1.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefinePortableSetting : public CDlgDefineBase
{
  public:
    explicit CDlgDefinePortableSetting(CWnd* pParent = nullptr);

    int m_nBuzzerHigh = -1;
    int m_nBuzzerMedium = -1;
    int m_nBuzzerLow = -1;
    int m_nBuzzerOff = -1;
    int m_nSmallFont = -1;
    int m_nLargeFont = -1;
    int m_nScannerAuto = -1;
    int m_nScannerPen = -1;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
