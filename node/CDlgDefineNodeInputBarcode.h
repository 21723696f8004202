// The barcode symbologies a collect node's scanner accepts, each with a check box; a double click opens the
// settings of a symbology.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"
#include "platform/afxcmn.h"

class PDTDLG_API CDlgDefineNodeInputBarcode : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeInputBarcode(CWnd *pParent = nullptr);

    // Filled by the host: the text is the symbology's name, the check box whether the node accepts it, the item
    // data the code (bits 0-7) and the option byte (bits 8-15).
    CListCtrl m_lcBarcode;
    BOOL m_bSetBarcode = FALSE;
    BOOL m_bSetToAll = FALSE;

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE) override;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange *pDX) override;
    void OnSetBarcode();
    void OnClearAll();
    void OnDblclkBarcodelist(NMHDR *pNMHDR, LRESULT *pResult);

    DECLARE_MESSAGE_MAP()
};
