// The upload page: all records of a data file or only the current one go to the host PC, with the
// terminal's port settings for the transfer.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineNodeUpload : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeUpload(CWnd* pParent = nullptr);

    BOOL m_bSendCtrlZ = FALSE;
    int m_nUploadAll = -1;
    int m_nUploadCurrent = -1;
    // The record list (4300), the baud-rate (4302) and protocol (4301) lists are the host's to fill and read.

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSelchangeListRecord();
    void OnBrowse();
    void OnNote();

    DECLARE_MESSAGE_MAP()
};
