// The keymap page: edits a working copy of the terminal's keymap on the keypad of the terminal's
// model, resets it to the model's default, and says whether the terminal uses it.
#pragma once

#include "framework/CDlgDefineBase.h"
#include "framework/KeymapKey.h"

class CDlgDefinePortableKeymap : public CDlgDefineBase
{
  public:
    CDlgDefinePortableKeymap();

    BOOL m_bUseMyKeymap = FALSE;
    bool m_bKeymapChanged = false; // edited or reset while the dialog was open; never cleared here
    KEYMAP_KEY m_Keymap[KEYMAP_SIZE] = {};

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnKeypad();
    void OnResetKeymap();

    DECLARE_MESSAGE_MAP()
};
