// The erase page: delete a whole data file or only its last record.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineNodeErase : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeErase(CWnd* pParent = nullptr);

    int m_nDeleteWholeFile = -1;
    int m_nDeleteLastRecord = -1;
    // The record list (4300) and the data file (4155) are the host's to fill and read.

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSelchangeListRecord();

    DECLARE_MESSAGE_MAP()
};
