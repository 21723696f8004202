// The record's name, data file and default flag, and the choice and order of its fields.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineRecordField : public CDlgDefineBase
{
  public:
    explicit CDlgDefineRecordField(CWnd* pParent = nullptr);

    CListBox m_lbNodes;  // data nodes that are not fields; item data = node id
    CListBox m_lbFields; // the fields in order; item data = node id
    CString m_strDataFile;
    CString m_strRecordName;
    BOOL m_bDefaultRecord = FALSE;

    int OnActiveOption(CDlgDefine* pContainer, int bActive) override;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnAdd();
    void OnDelete();
    void OnBrowse();
    void OnDblclkListSour();
    void OnDblclkListDest();
    void OnDefaultRecord();

    DECLARE_MESSAGE_MAP()
};
