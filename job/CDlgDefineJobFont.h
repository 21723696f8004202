// The five screen fonts in which the host draws the flowchart, its programs, the terminal screen and comments.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineJobFont : public CDlgDefineBase
{
  public:
    explicit CDlgDefineJobFont(CWnd *pParent = nullptr);

    CString m_strIndexFont;
    CString m_strNodeNameFont;
    CString m_strProgramFont;
    CString m_strScreenFont;
    CString m_strCommentFont;
    int m_nIndexFontSize = 0; // points
    int m_nNodeNameFontSize = 0;
    int m_nProgramFontSize = 0;
    int m_nScreenFontSize = 0;
    int m_nCommentFontSize = 0;

    // Lets the user choose the font of one row: the face edit and the size edit take the choice.
    void OnDefineFont(int nFaceID, int nSizeID);
    // Runs the font dialog on a face and a size in points; true, with both changed, when the user confirmed.
    bool DefineFont(CString &strFace, int &nSize);

    void OnFontdefine1();
    void OnFontdefine2();
    void OnFontdefine3();
    void OnFontdefine4();
    void OnFontdefine5();

  protected:
    void DoDataExchange(CDataExchange *pDX) override;

    DECLARE_MESSAGE_MAP()
};
