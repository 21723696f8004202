// The hot-key page: the key that runs this node from anywhere in the job. The fourteen radios are one
// group, so exactly one member holds 1.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineNodeHotkey : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeHotkey(CWnd* pParent = nullptr);

    int m_nKeyF1 = -1;
    int m_nKeyF2 = -1;
    int m_nKeyF3 = -1;
    int m_nKeyF4 = -1;
    int m_nKeyF5 = -1;
    int m_nKeyF6 = -1;
    int m_nKeyF7 = -1;
    int m_nKeyF8 = -1;
    int m_nKeyLeft = -1;
    int m_nKeyRight = -1;
    int m_nKeyUp = -1;
    int m_nKeyDown = -1;
    int m_nKeyEsc = -1;
    int m_nKeyNone = -1;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
