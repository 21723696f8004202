// The links after which the record is written, and whether making the job insists on them.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"
#include "platform/afxcmn.h"

class PDTDLG_API CDlgDefineRecordEORLink : public CDlgDefineBase
{
  public:
    explicit CDlgDefineRecordEORLink(CWnd* pParent = nullptr);

    CListCtrl m_lcLinks; // item data = the link (CNodeLink*)
    BOOL m_bDisableEOREnforcement = FALSE;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDblclkListlink(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};
