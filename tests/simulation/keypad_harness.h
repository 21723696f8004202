// Shared by the keypad tests: a keypad dialog of a model shown as the host shows it, the three display
// fields, and the pushed look of its buttons.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <ostream>

#include "platform/testing/pdttest.h"
#include "portable/CDlgDefineKeypadModels.h"
#include "resources/resource.h"
#include "simulation/Keymap.h"
#include "support/Support.h"

namespace pdt::test
{

// What the dialog shows beside the keypad: name, code, character.
struct KeyFields
{
    CString name;
    CString code;
    CString ch;
    friend bool operator==(const KeyFields&, const KeyFields&) = default;
    friend std::ostream& operator<<(std::ostream& os, const KeyFields& f)
    {
        return os << "{\"" << f.name.c_str() << "\", \"" << f.code.c_str() << "\", \"" << f.ch.c_str() << "\"}";
    }
};

inline KeyFields Shown(const CWnd& dlg)
{
    return {dlg.GetDlgItem(IDC_KEY_NAME)->GetWindowText(), dlg.GetDlgItem(IDC_KEY_CODE)->GetWindowText(),
            dlg.GetDlgItem(IDC_KEY_CHAR)->GetWindowText()};
}

inline bool Pushed(const CWnd& dlg, int id) { return (::SendMessage(Item(dlg, id), BM_GETSTATE) & BST_PUSHED) != 0; }

inline int FocusedId() { return ::GetDlgCtrlID(::GetFocus()); }

// A keypad dialog of one model with that model's default keymap, created modeless and shown.
class KeypadTest : public ::testing::Test
{
  protected:
    void TearDown() override { Close(); }

    void Open(const char* model, int mode = KEYPAD_MODE_EDIT)
    {
        Close();
        CString name(model);
        ResetKeymap(name, keymap);
        dlg.reset(CreateKeypadDialog(name, mode, keymap));
        ASSERT_NE(dlg, nullptr) << model;
        ASSERT_TRUE(dlg->Create(dlg->GetTemplateID()));
        dlg->ShowWindow(SW_SHOW);
        Pump();
    }
    void Close()
    {
        if (dlg)
            dlg->DestroyWindow();
        dlg.reset();
        OnJobSimulation = 0;
        Pump();
    }

    void Press(int id)
    {
        Click(*dlg, id);
        Pump();
    }
    void Press(std::initializer_list<int> ids)
    {
        for (int id : ids)
            Press(id);
    }
    KeyFields Fields() const { return Shown(*dlg); }
    CKeypad& keypad() const { return *dlg->m_pKeypad; }

    KEYMAP_KEY keymap[KEYMAP_SIZE] = {};
    std::unique_ptr<CDlgDefineKeypad> dlg;
};

} // namespace pdt::test
