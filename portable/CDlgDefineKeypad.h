// The keypad dialog of a terminal model: picks a key (mode 1), edits key codes (mode 2), and serves as
// the terminal's keypad while a job is simulated. All behaviour is here; a model only names its
// template and its simulator (CDlgDefineKeypadModels.h).
//
// Keys of the computer keyboard select the key whose code is the character typed. Shifted
// punctuation follows a US keyboard: the platform reports the physical key and the Shift state, so
// Shift with the key of "=" types "+", with the key of "/" types "?", and so on.
#pragma once

#include "framework/Export.h"

#include "framework/KeymapKey.h"
#include "platform/afxwin.h"
#include "simulation/Keypad.h"

enum : int
{
    KEYPAD_MODE_SELECT = 1, // pick a key; the preset key is shown at start
    KEYPAD_MODE_EDIT = 2,   // select a key, type its new code, "Set"
    KEYPAD_MODE_OTHER = 3,  // "Set" shown but without effect
};

// Not packed like the simulator: packed members would start in the platform CDialog's tail padding,
// off their boundaries, and every reference an owner binds to them would be misaligned.
class PDTDLG_API CDlgDefineKeypad : public CDialog
{
  public:
    CDlgDefineKeypad(int nMode, UINT nIDTemplate, CWnd* pParent = nullptr);
    ~CDlgDefineKeypad() override;

    CKeypad* m_pKeypad = nullptr; // owned; created by the model's constructor
    int m_nMode;
    bool m_bShiftDown = false; // the computer keyboard's Shift is held

    BOOL PreTranslateMessage(MSG* pMsg) override;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnKeyAnykey();
    void OnKeyAlpha();
    void OnKeyCmd();
    void OnKeyPrev();
    void OnKeyNext();
    void OnKey(UINT nID);
    void OnSetKey();

    DECLARE_MESSAGE_MAP()

  private:
    // A key-down of the computer keyboard; true when the keypad took the key.
    bool KeyDown(UINT nVirtKey);
    void SendCharToKeypad(int nChar);
};
