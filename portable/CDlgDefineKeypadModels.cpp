#include "portable/CDlgDefineKeypadModels.h"

#include "resources/resource.h"

CDlgDefineKeypadM10::CDlgDefineKeypadM10(int nMode, KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CWnd* pParent)
    : CDlgDefineKeypad(nMode, IDD_KEYPAD_M10, pParent)
{
    m_pKeypad = new CKeypadM10(pKeymap, this);
}

CDlgDefineKeypadM13::CDlgDefineKeypadM13(int nMode, KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CWnd* pParent)
    : CDlgDefineKeypad(nMode, IDD_KEYPAD_M13, pParent)
{
    m_pKeypad = new CKeypadM13(pKeymap, this);
}

CDlgDefineKeypadN13::CDlgDefineKeypadN13(int nMode, KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CWnd* pParent)
    : CDlgDefineKeypad(nMode, IDD_KEYPAD_N13, pParent)
{
    m_pKeypad = new CKeypadN13(pKeymap, this);
}

CDlgDefineKeypadM20::CDlgDefineKeypadM20(int nMode, KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CWnd* pParent)
    : CDlgDefineKeypad(nMode, IDD_KEYPAD_M20, pParent)
{
    m_pKeypad = new CKeypadM20(pKeymap, this);
}

CDlgDefineKeypadM20X::CDlgDefineKeypadM20X(int nMode, KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CWnd* pParent)
    : CDlgDefineKeypad(nMode, IDD_KEYPAD_M20X, pParent)
{
    m_pKeypad = new CKeypadM20X(pKeymap, this);
}

CDlgDefineKeypadR50::CDlgDefineKeypadR50(int nMode, KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CWnd* pParent)
    : CDlgDefineKeypad(nMode, IDD_KEYPAD_R50, pParent)
{
    m_pKeypad = new CKeypadR50(pKeymap, this);
}

CDlgDefineKeypadR50G::CDlgDefineKeypadR50G(int nMode, KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CWnd* pParent)
    : CDlgDefineKeypad(nMode, IDD_KEYPAD_R50G, pParent)
{
    m_pKeypad = new CKeypadR50G(pKeymap, this);
}

CDlgDefineKeypad* CreateKeypadDialog(const CString& strModel, int nMode, const KEYMAP_KEY* pKeymap, CWnd* pParent)
{
    // The dialogs only copy the keymap; a default table or a terminal's keymap is never written through this.
    auto* keymap = reinterpret_cast<KEYMAP_KEY(*)[KEYMAP_SIZE]>(const_cast<KEYMAP_KEY*>(pKeymap));
    if (strModel == "M-10")
        return new CDlgDefineKeypadM10(nMode, keymap, pParent);
    if (strModel == "M-13")
        return new CDlgDefineKeypadM13(nMode, keymap, pParent);
    if (strModel == "N-13")
        return new CDlgDefineKeypadN13(nMode, keymap, pParent);
    if (strModel == "M-20")
        return new CDlgDefineKeypadM20(nMode, keymap, pParent);
    if (strModel == "M-20X")
        return new CDlgDefineKeypadM20X(nMode, keymap, pParent);
    if (strModel == "R-50")
        return new CDlgDefineKeypadR50(nMode, keymap, pParent);
    if (strModel == "R-50G")
        return new CDlgDefineKeypadR50G(nMode, keymap, pParent);
    return nullptr;
}
