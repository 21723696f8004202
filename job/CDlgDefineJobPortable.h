// The terminal's address: one character of a fixed list; the document selects and reads the entry.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineJobPortable : public CDlgDefineBase
{
  public:
    explicit CDlgDefineJobPortable(CWnd* pParent = nullptr);

    CComboBox m_cbAddress;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
