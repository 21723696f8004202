// The edit page: browse and edit the records of a data file on the terminal.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineNodeEdit : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeEdit(CWnd* pParent = nullptr);

    BOOL m_bBrowseFromLast = FALSE;
    // The record list (4300) and the data file (4155) are the host's to fill and read; the field-separator
    // list (4269) is filled here and selected and read by the host.

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnBrowse();
    void OnSelchangeListRecord();

    DECLARE_MESSAGE_MAP()
};
