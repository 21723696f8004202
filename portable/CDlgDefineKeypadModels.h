// The keypad dialogs of the seven terminal models: a template and a simulator each.
#pragma once

#include "framework/Export.h"

#include "portable/CDlgDefineKeypad.h"

// Each constructor copies the keymap into its simulator; after OK the owner reads m_pKeypad->m_nKeyID or
// copies m_pKeypad->m_keymap back. The keymap is a pointer to a whole keymap, as hosts pass &m_keymap.

class PDTDLG_API CDlgDefineKeypadM10 : public CDlgDefineKeypad
{
  public:
    CDlgDefineKeypadM10(int nMode, KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CWnd* pParent = nullptr);
};

class PDTDLG_API CDlgDefineKeypadM13 : public CDlgDefineKeypad
{
  public:
    CDlgDefineKeypadM13(int nMode, KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CWnd* pParent = nullptr);
};

class PDTDLG_API CDlgDefineKeypadN13 : public CDlgDefineKeypad
{
  public:
    CDlgDefineKeypadN13(int nMode, KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CWnd* pParent = nullptr);
};

class PDTDLG_API CDlgDefineKeypadM20 : public CDlgDefineKeypad
{
  public:
    CDlgDefineKeypadM20(int nMode, KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CWnd* pParent = nullptr);
};

class PDTDLG_API CDlgDefineKeypadM20X : public CDlgDefineKeypad
{
  public:
    CDlgDefineKeypadM20X(int nMode, KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CWnd* pParent = nullptr);
};

class PDTDLG_API CDlgDefineKeypadR50 : public CDlgDefineKeypad
{
  public:
    CDlgDefineKeypadR50(int nMode, KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CWnd* pParent = nullptr);
};

class PDTDLG_API CDlgDefineKeypadR50G : public CDlgDefineKeypad
{
  public:
    CDlgDefineKeypadR50G(int nMode, KEYMAP_KEY (*pKeymap)[KEYMAP_SIZE], CWnd* pParent = nullptr);
};

// The keypad dialog of a model display name ("M-10" ... "R-50G", matched exactly), created on the
// heap; null for any other name. The caller runs and deletes it.
PDTDLG_API CDlgDefineKeypad* CreateKeypadDialog(const CString& strModel, int nMode, const KEYMAP_KEY* pKeymap,
                                     CWnd* pParent = nullptr);
