// What a host meets at the keypads: its code written to the declared signatures compiles and works, and a Shift
// let go in another window does not stay held.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <type_traits>

#include "tests/simulation/keypad_harness.h"

using namespace pdt::test;

namespace
{

// The keymap argument is a pointer to a whole keymap, as hosts pass &m_keymap; a bare entry pointer is not one.
using Keymap = KEYMAP_KEY (*)[256];
template <class Dlg> constexpr bool kDialogTakesKeymap = std::is_constructible_v<Dlg, int, Keymap, CWnd*>;
template <class Sim> constexpr bool kSimulatorTakesKeymap = std::is_constructible_v<Sim, Keymap, CDialog*>;
static_assert(kDialogTakesKeymap<CDlgDefineKeypadM10> && kDialogTakesKeymap<CDlgDefineKeypadM13> &&
              kDialogTakesKeymap<CDlgDefineKeypadN13> && kDialogTakesKeymap<CDlgDefineKeypadM20> &&
              kDialogTakesKeymap<CDlgDefineKeypadM20X> && kDialogTakesKeymap<CDlgDefineKeypadR50> &&
              kDialogTakesKeymap<CDlgDefineKeypadR50G>);
static_assert(kSimulatorTakesKeymap<CKeypadM10> && kSimulatorTakesKeymap<CKeypadM13> &&
              kSimulatorTakesKeymap<CKeypadN13> && kSimulatorTakesKeymap<CKeypadM20> &&
              kSimulatorTakesKeymap<CKeypadM20X> && kSimulatorTakesKeymap<CKeypadR50> &&
              kSimulatorTakesKeymap<CKeypadR50G>);
static_assert(std::is_constructible_v<CKeypad, int, Keymap, CDialog*>);
static_assert(std::is_same_v<decltype(&CKeypad::ResetKeypad), void (CKeypad::*)(Keymap)>);
static_assert(!std::is_constructible_v<CKeypadM10, KEYMAP_KEY*, CDialog*> &&
                  !std::is_constructible_v<CDlgDefineKeypadM10, int, KEYMAP_KEY*, CWnd*>,
              "only a whole keymap fits");

// A host's terminal, as hosts declare it.
struct Terminal
{
    CString m_strModel = "M-20";
    KEYMAP_KEY m_keymap[256];
};

TEST(KeypadHostCode, DialogsAndSimulatorsTakeTheTerminalsKeymapAndCopyIt)
{
    Terminal terminal;
    ResetKeymap(terminal.m_strModel, terminal.m_keymap);
    CDlgDefineKeypadM20 dlg(KEYPAD_MODE_EDIT, &terminal.m_keymap, nullptr);
    ASSERT_NE(dlg.m_pKeypad, nullptr);
    EXPECT_EQ(std::memcmp(dlg.m_pKeypad->m_keymap, terminal.m_keymap, sizeof terminal.m_keymap), 0);
    dlg.m_pKeypad->SetKey(IDC_KEY_7, 200);
    EXPECT_EQ(GetKeyCodeWKM(IDC_KEY_7, terminal.m_keymap), '7') << "the dialog edits its own copy";

    CKeypadM13 keypad(&terminal.m_keymap, nullptr);
    EXPECT_EQ(GetKeyCodeWKM(IDC_KEY_7, keypad.m_keymap), '7');
    KEYMAP_KEY other[256];
    CString m10("M-10");
    ResetKeymap(m10, other);
    keypad.ResetKeypad(&other);
    EXPECT_EQ(std::memcmp(keypad.m_keymap, other, sizeof other), 0);
    CDlgDefineKeypadR50G empty(KEYPAD_MODE_SELECT, nullptr);
    EXPECT_EQ(GetKeyIDWKM("7", empty.m_pKeypad->m_keymap), 0) << "no keymap: an empty one";
}

class KeypadHostKeys : public KeypadTest
{
};

TEST_F(KeypadHostKeys, AShiftLetGoInAnotherWindowIsNotHeldWhenTheUserComesBack)
{
    Open("M-13");
    Key('3', true);
    EXPECT_EQ(Fields().name, "#") << "Shift held here";

    KeyDown(VK_SHIFT);
    EXPECT_TRUE(dlg->m_bShiftDown);
    // The user turns to another window, lets Shift go there, and comes back.
    std::unique_ptr<CDlgDefineKeypad> other(CreateKeypadDialog("M-10", KEYPAD_MODE_SELECT, keymap));
    ASSERT_TRUE(other->Create(other->GetTemplateID()));
    other->ShowWindow(SW_SHOW);
    Focus(Item(*other, IDC_KEY_5));
    KeyUp(VK_SHIFT);
    Focus(Item(*dlg, IDC_KEY_5));
    Key('3');
    Pump();
    EXPECT_EQ(keypad().m_nKeyID, IDC_KEY_3);
    EXPECT_EQ(Fields().name, "3");
    EXPECT_FALSE(dlg->m_bShiftDown);
    other->DestroyWindow();
}

} // namespace
