// The basic page of a node: its name and description, the start, global-access and exclude flags, and the
// colour in which the flowchart draws it.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"
#include "support/ColourPicker.h"

class PDTDLG_API CDlgDefineNodeBasic : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeBasic(CWnd* pParent = nullptr);

    CString m_strName;
    CString m_strDescription; // shown read-only at the top
    BOOL m_bStartNode = FALSE;
    BOOL m_bGlobalAccess = FALSE;
    BOOL m_bExcludeFromMakeJob = FALSE;
    CColourPicker m_btnColor; // the host sets and reads the node colour here

    // A picker's choice (WM_USER + 1004): wParam the colour, lParam the picker's id.
    LRESULT OnColorSelEndOK(WPARAM wParam, LPARAM lParam);

  protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
