// The screen a node shows on the terminal: typed on a simulated terminal screen, with the options on
// clearing the screen and showing the cursor.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"
#include "simulation/PortableScreen.h"

class PDTDLG_API CDlgDefineNodeScreen : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeScreen(COLORREF crBackground, CWnd* pParent = nullptr);

    CString m_strScreenInfo = "Screen: ";
    BOOL m_bNoClearOnExit = FALSE;
    BOOL m_bNoClearBeforeDisplay = FALSE;
    BOOL m_bHideCursor = FALSE;
    CPortableScreen m_screen;

    // Hides the three options (true) for nodes they do not apply to, or shows them again.
    void CloseOption(bool bClose);
    void SetScreenSize(CSize size);

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
