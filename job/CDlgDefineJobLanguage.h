// The job's language on the terminal and, for Chinese and Japanese, its double-byte font: made from a PC
// font chosen in the double-byte font dialog, or shared with an existing font file.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefineBase.h"

class PDTDLG_API CDlgDefineJobLanguage : public CDlgDefineBase
{
  public:
    explicit CDlgDefineJobLanguage(CWnd *pParent = nullptr);

    CString m_strFontFile;
    BOOL m_bShareFont = FALSE;
    // Radio states: 1 chosen, -1 not chosen (loaded from m_nLanguage).
    int m_nSpanish = -1;
    int m_nGerman = -1;
    int m_nFrench = -1;
    int m_nItalian = -1;
    int m_nJapanese = -1;
    int m_nEnglish = -1;
    int m_nChinese = -1;
    int m_nLanguage = 0; // 0 English, 1 Chinese, 2 Japanese, 4 Spanish, 5 German, 6 French, 7 Italian
    CString m_strDBFontFace;
    CString m_strDBFontStyle;
    int m_nDBFontSize = 0;
    int m_nDBFontCode = 0; // 1 GB, 2 Big5
    int m_nDBFontOffsetX = 0;
    int m_nDBFontOffsetY = 0;

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE) override;

    void OnChineseFont();
    void OnBrowse();
    void OnSelLanguage();
    void OnShareFont();

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange *pDX) override;

    DECLARE_MESSAGE_MAP()
};
