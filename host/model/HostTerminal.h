// The job's portable terminal: its model, settings and keymap.
#pragma once

#include "framework/HostObjects.h"

class JobDocument;

enum : int
{
    SCREEN_FONT_SMALL = 0,
    SCREEN_FONT_LARGE = 1,
    SCANNER_AUTO = 0,
    SCANNER_PEN = 1,
    BUZZER_HIGH = 0,
    BUZZER_MEDIUM = 1,
    BUZZER_LOW = 2,
    BUZZER_OFF = 3,
};

class HostTerminal : public CTerminal
{
  public:
    explicit HostTerminal(JobDocument* doc);

    int m_nFontSize = SCREEN_FONT_SMALL;
    int m_nScannerType = SCANNER_AUTO;
    int m_nBuzzerVolume = BUZZER_MEDIUM;
    BOOL m_bUseMyKeymap = FALSE; // m_keymap is the terminal's own; without this the model's default is used

    // The keymap the job runs with: the terminal's own when it uses it, else its model's default.
    void GetKeymapInUse(KEYMAP_KEY* pKeymap);

    BOOL InitialDlgData(CDlgDefinePortable* dlg) override;
    BOOL SaveDlgData(CDlgDefinePortable* dlg) override;
    CVTR5Doc* GetDocument() override;

    // Columns and rows of the model's screen; an unknown model gets the M-20's.
    static CSize ScreenSizeOf(const CString& model);

  private:
    JobDocument* m_pDoc;
};
