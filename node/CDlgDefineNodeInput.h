// The data type of a collect node's input and three input options; a count node shows the numeric types only.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineNodeInput : public CDlgDefineBase
{
  public:
    explicit CDlgDefineNodeInput(CWnd *pParent = nullptr);

    int m_nTypeInteger = -1;
    int m_nTypeLong = -1;
    int m_nTypeFloat = -1;
    int m_nTypeString = -1;
    BOOL m_bAllowEmpty = FALSE;
    BOOL m_bFillTail = FALSE;
    BOOL m_bSameAsLast = FALSE;

    // A count node holds a number: the string type and the three options go.
    void DisplayCountNodeSettings();

  protected:
    void DoDataExchange(CDataExchange *pDX) override;
};
