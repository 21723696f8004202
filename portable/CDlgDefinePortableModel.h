// The terminal model page: one radio per model; the chosen one holds 1, the others 0 (or -1 until set).
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefinePortableModel : public CDlgDefineBase
{
  public:
    explicit CDlgDefinePortableModel(CWnd* pParent = nullptr);

    int m_nModelM10 = -1;
    int m_nModelM13 = -1;
    int m_nModelN13 = -1;
    int m_nModelR50 = -1;
    int m_nModelR50G = -1;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
