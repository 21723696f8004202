// A collect node whose data is taken from the lookup file that another collect node verifies against.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineNodeInputFromLookupFile : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeInputFromLookupFile(CWnd *pParent = nullptr);

    CComboBox m_cbCollectNode; // filled by the host; item data are node identifiers
    BOOL m_bFromLookupFile = FALSE;
    int m_nFieldNo = 0;
    CString m_strLookupFile; // the chosen node's lookup file, or the note that it has none
    CString m_strDefaultValue;
    BOOL m_bUseDefault = FALSE;

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE) override;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange *pDX) override;
    void OnInputDeviceFormula();
    void OnUseDefault();
    void OnSelchangeNodelist();

    DECLARE_MESSAGE_MAP()
};
