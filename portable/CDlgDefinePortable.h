// The definition dialog of the job's portable terminal: model, screen font, scanner, buzzer and keymap.
// The terminal fills the pages and reads them back; the dialog copies nothing itself.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefine.h"

class PDTDLG_API CDlgDefinePortable : public CDlgDefine
{
  public:
    CDlgDefinePortable(CTerminal* pTerminal, OPTIONITEM* pOptions, CWnd* pParent = nullptr);

    CTerminal* m_pTerminal; // not owned

    void SaveSettingUI() override;
    BOOL InitialData() override;
    BOOL SaveData() override;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
};
