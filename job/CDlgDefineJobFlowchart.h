// The flowchart's page and node sizes. The edits are read-only: the small scroll bars beside them step
// the values within their limits.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineJobFlowchart : public CDlgDefineBase
{
  public:
    explicit CDlgDefineJobFlowchart(CWnd* pParent = nullptr);

    int m_nNodeHeight = 0;
    int m_nNodeWidth = 0;
    int m_nPageHeight = 0;
    int m_nPageWidth = 0;

    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

  protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
