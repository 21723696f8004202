// The font and colours of a comment node, and the node the comment is about.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"
#include "support/ColourPicker.h"

class PDTDLG_API CDlgDefineNodeCmtFontColor : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeCmtFontColor(CWnd* pParent = nullptr);

    CComboBox m_cbReferenceNode; // filled and read by the host
    BOOL m_bUseDefaultFont = FALSE;
    LOGFONT m_lfFont{}; // the comment's own font, when the job's default is not used
    CColourPicker m_btnTextColor;
    CColourPicker m_btnBackColor;

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE) override;
    // A picker's choice (WM_USER + 1004): wParam the colour, lParam the picker's id.
    LRESULT OnColorSelEndOK(WPARAM wParam, LPARAM lParam);

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnFontdefine1();
    void OnDefaultFont();

    DECLARE_MESSAGE_MAP()
};
