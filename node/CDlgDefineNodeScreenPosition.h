// Where an input node prints its prompt and shows the typed input.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineNodeScreenPosition : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeScreenPosition(CWnd* pParent = nullptr);

    int m_nPrintFollowing = -1;
    int m_nPrintDirect = -1;
    BOOL m_bClearToEnd = FALSE;
    int m_nPromptRow = 0;
    int m_nPromptColumn = 0;
    CString m_strPositionMark = "_";
    int m_nInputAtCurrent = -1;
    int m_nInputAtLocation = -1;
    int m_nInputRow = 0;
    int m_nInputColumn = 0;
    BOOL m_bNoPositionMark = FALSE;
    BOOL m_bAsPassword = FALSE;
    BOOL m_bNoDisplay = FALSE;

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE) override;
    // A count node has neither a position mark nor password echo.
    void DisplayCountNodeSettings();

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDisplayAtCurrentPos();
    void OnDisplayAt();
    void OnDisplayAsPassword();
    void OnDisplayClearScreen();
    void OnDisplayNoMark();
    void OnDisplayNoDisplay();

    DECLARE_MESSAGE_MAP()

  private:
    void Enable(int id, BOOL enable);
};
