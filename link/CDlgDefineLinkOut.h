// The group page above a node's outgoing links: how to draw a self loop, and what the host says about them.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineLinkOut : public CDlgDefineBase
{
  public:
    explicit CDlgDefineLinkOut(CWnd* pParent = nullptr);

    CString m_strLinkInfo;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
