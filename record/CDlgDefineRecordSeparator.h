// The text written before and after each record, and the field and record separators.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineRecordSeparator : public CDlgDefineBase
{
  public:
    explicit CDlgDefineRecordSeparator(CWnd* pParent = nullptr);

    CString m_strPostamble;
    CString m_strPreamble;
    // The two separator lists are read and selected by id: their item data are the terminator codes.

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
