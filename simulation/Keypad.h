// The keypad simulator: turns clicks on a keypad dialog's buttons into the key meanings a terminal
// would produce, keeping the terminal's command and alpha shifts, and shows the key in the dialog.
#pragma once

#include "framework/Export.h"

#include "framework/HostObjects.h"
#include "framework/KeymapKey.h"
#include "platform/afxwin.h"

// Model codes the subclasses hand to the base; nothing reads them back.
enum : int
{
    KEYPAD_MODEL_M10 = 10,
    KEYPAD_MODEL_M13 = 13,
    KEYPAD_MODEL_N13 = 14,
    KEYPAD_MODEL_M20 = 20,
    KEYPAD_MODEL_M20X = 21,
    KEYPAD_MODEL_R50 = 50,
    KEYPAD_MODEL_R50G = 51,
};

// One rule of a shift translation: identifiers first ... last become identifier + nOffset.
struct KEYPAD_RULE
{
    int nFirst;
    int nLast;
    int nOffset;
};

// Users read and write the public members directly, hence the one-byte packing. Pointers and ints
// come first so that every member still sits on its natural boundary, and the class keeps the
// alignment of its base.
#pragma pack(push, 1)
class PDTDLG_API alignas(8) CKeypad : public CObject
{
  public:
    // pKeymap: a whole keymap, copied; null starts with an empty keymap. pDlg holds the key buttons and
    // the display fields and is not owned. The keymap is passed as a pointer to the array of 256 entries,
    // so that only a whole keymap fits.
    CKeypad(int nModel, KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CDialog* pDlg);
    ~CKeypad() override;

    void ResetKeypad(KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE]);
    void EnableShowKey(bool bShow) { m_bShowKey = bShow; }
    void SetSmuWindow(HWND hWnd) { m_hSmuWnd = hWnd; }
    bool IsAlphaKeyDown() const { return m_bAlphaDown; }
    bool IsCmdKeyDown() const { return m_bCmdDown; }
    bool IsPrevDown() const { return m_bPrevDown; }
    bool IsNextDown() const { return m_bNextDown; }
    void SendKeyPressMessage() {}

    // The model's shift meanings: true and nKeyID replaced when a rule applies.
    virtual bool TranslateCmdKey(int& nKeyID);
    virtual bool TranslateAlphaKey(int& nKeyID);

    virtual void PressKey(int& nKeyID);
    virtual void PressKeyAnykey();
    virtual void PressKeyCmd();
    virtual void PressKeyAlpha(bool bToggle);
    virtual void PressKeyPrev(bool bToggle);
    virtual void PressKeyNext(bool bToggle);
    virtual void ReleaseKeyCmd();
    virtual void ReleaseKeyAlpha();
    virtual void ReleaseKeyPrev();
    virtual void ReleaseKeyNext();

    // What the dialog calls for its buttons.
    virtual void OnKeyAlpha();
    virtual void OnKeyPrev();
    virtual void OnKeyNext();
    virtual void OnKeyCmd();
    virtual void OnKeyAnykey();
    virtual void OnKey(); // the focused button, only while m_bClicked is set

    virtual void RefreshButtons(); // the pushed look of the shift buttons
    virtual void ShowKey(int nKeyID);
    virtual void SetKey(int nKeyID, unsigned char byCode);
    // A character from the computer keyboard, taken as a key code of the keymap.
    virtual void GetKeyFromKeyboard(int nChar);

  protected:
    CDialog* m_pDlg;
    HWND m_hSmuWnd;
    int m_nModel;

  public:
    int m_nKeyID; // last key meaning produced, 0 for none; the owner presets and reads it
    KEYMAP_KEY m_keymap[KEYMAP_SIZE];
    bool m_bClicked; // set by the dialog just before it forwards a button click

  protected:
    bool m_bCmdDown;
    bool m_bAlphaDown;
    bool m_bPrevDown;
    bool m_bNextDown;
    bool m_bShowKey;

    // Helpers for the models' tables.
    static bool ApplyRules(const KEYPAD_RULE* pRules, int nRules, int& nKeyID);
    // Alpha shift: the selectors pick the key's first (previous), third (next) or second letter.
    bool TranslateAlphaRange(const KEYPAD_RULE* pRanges, int nRanges, int& nKeyID) const;

  private:
    void FocusControl(int nID);
    void SetPushed(int nID, bool bPushed);
};

// The M-13 family and the M-10 share one set of shift meanings.
class PDTDLG_API CKeypadM10 : public CKeypad
{
  public:
    CKeypadM10(KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CDialog* pDlg);
    bool TranslateCmdKey(int& nKeyID) override;
    bool TranslateAlphaKey(int& nKeyID) override;
};

class PDTDLG_API CKeypadM13 : public CKeypad
{
  public:
    CKeypadM13(KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CDialog* pDlg);
    bool TranslateCmdKey(int& nKeyID) override;
    bool TranslateAlphaKey(int& nKeyID) override;
};

class PDTDLG_API CKeypadN13 : public CKeypad
{
  public:
    CKeypadN13(KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CDialog* pDlg);
    bool TranslateCmdKey(int& nKeyID) override;
    bool TranslateAlphaKey(int& nKeyID) override;
};

class PDTDLG_API CKeypadR50 : public CKeypad
{
  public:
    CKeypadR50(KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CDialog* pDlg);
    bool TranslateCmdKey(int& nKeyID) override;
    bool TranslateAlphaKey(int& nKeyID) override;
};

class PDTDLG_API CKeypadR50G : public CKeypad
{
  public:
    CKeypadR50G(KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CDialog* pDlg);
    bool TranslateCmdKey(int& nKeyID) override;
    bool TranslateAlphaKey(int& nKeyID) override;
};

class PDTDLG_API CKeypadM20 : public CKeypad
{
  public:
    CKeypadM20(KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CDialog* pDlg);
    bool TranslateCmdKey(int& nKeyID) override;
    bool TranslateAlphaKey(int& nKeyID) override;
};

class PDTDLG_API CKeypadM20X : public CKeypad
{
  public:
    CKeypadM20X(KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CDialog* pDlg);
    bool TranslateCmdKey(int& nKeyID) override;
    bool TranslateAlphaKey(int& nKeyID) override;
};
#pragma pack(pop)
