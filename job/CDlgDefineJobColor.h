// The flowchart's colours: one picker per kind of node, for links, node text, the start node, the
// selection, excluded nodes and screens. The document sets and reads the colours through the pickers.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"
#include "support/ColourPicker.h"

class PDTDLG_API CDlgDefineJobColor : public CDlgDefineBase
{
  public:
    explicit CDlgDefineJobColor(CWnd* pParent = nullptr);

    CColourPicker m_btnComment;
    CColourPicker m_btnMenu;
    CColourPicker m_btnCollect;
    CColourPicker m_btnMath;
    CColourPicker m_btnEdit;
    CColourPicker m_btnErase;
    CColourPicker m_btnUpload;
    CColourPicker m_btnProgram;
    CColourPicker m_btnRunJob;
    CColourPicker m_btnLink;
    CColourPicker m_btnNodeText;
    CColourPicker m_btnStartNode;
    CColourPicker m_btnSelNode;
    CColourPicker m_btnSelLink;
    CColourPicker m_btnExcluded;
    CColourPicker m_btnScreen;

    // A picker's choice (WM_USER + 1004): wParam the colour, lParam the picker's id.
    LRESULT OnColorSelEndOK(WPARAM wParam, LPARAM lParam);

  protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
