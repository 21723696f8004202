// The group page above a node's incoming links: how to draw a link, and what the host says about them.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineLinkIn : public CDlgDefineBase
{
  public:
    explicit CDlgDefineLinkIn(CWnd* pParent = nullptr);

    CString m_strLinkInfo;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
