// The job's portable terminal: its model and keymap.
#pragma once

#include "framework/HostObjects.h"

class JobDocument;

class HostTerminal : public CTerminal
{
  public:
    explicit HostTerminal(JobDocument* doc);

    BOOL InitialDlgData(CDlgDefinePortable* dlg) override;
    BOOL SaveDlgData(CDlgDefinePortable* dlg) override;
    CVTR5Doc* GetDocument() override;

    // Columns and rows of the model's screen; an unknown model gets the M-20's.
    static CSize ScreenSizeOf(const CString& model);

  private:
    JobDocument* m_pDoc;
};
