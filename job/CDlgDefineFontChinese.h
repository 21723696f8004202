// The double-byte font dialog: the font dialog on a template of its own that shows, beside a sample in the
// job's encoding, the first 16 x 16 pixels of the sample magnified two times, and lets the user shift the
// glyph inside that cell. The terminal's Chinese or Japanese font is made from the choice.
#pragma once

#include "framework/Export.h"

#include "platform/afxdlgs.h"

class PDTDLG_API CDlgDefineFontChinese : public CFontDialog
{
  public:
    // The flag is kept for callers that pass one; nothing reads it.
    CDlgDefineFontChinese(int nLanguage, BOOL bFlag = TRUE, CWnd *pParent = nullptr);

    CString m_strFace;
    CString m_strStyle;
    CString m_strSize;  // points, as the size box shows them
    int m_nCode = 2;    // 1 GB, 2 Big5
    int m_nOffsetX = 0; // -12 to 12
    int m_nOffsetY = 0;
    int m_nLanguage = 0;  // 1 Chinese, 2 Japanese, others single-byte
    bool m_b16x16 = true; // false: 16 rows by 12 columns

    static constexpr int kOffsetLimit = 12;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void UpdateSample() override;
    void OnEditchangeFace() override;

    void OnPaint();
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar *pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar *pScrollBar);
    virtual void OnScroll(UINT nSBCode, UINT nPos, CScrollBar *pScrollBar);
    void OnCodeChange();
    void OnEditChangeCmb1();

    DECLARE_MESSAGE_MAP()

  private:
    void InvalidateItemArea(int id);
    // Draws the sample and returns its first 16 x 16 pixels, 2 bytes a row, a set bit for the background.
    bool DrawSample(CFont &font, BYTE bits[32]);
    void DrawCell(const BYTE bits[32]);
};
