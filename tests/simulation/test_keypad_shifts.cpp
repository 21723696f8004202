// The keypad simulator driven through the keypad dialogs' buttons: the command and alpha shifts of each
// model family and the display fields after every press.
#include <gtest/gtest.h>

#include <vector>

#include "keypad_harness.h"

using namespace pdt::test;

namespace
{

// One click and what the dialog shows after it; a shift button shows nothing of its own.
struct Step
{
    int press;
    int keyId;
    KeyFields shown;
};

class KeypadShifts : public KeypadTest
{
  protected:
    void Run(const char* model, const std::vector<Step>& steps)
    {
        Open(model);
        for (size_t i = 0; i < steps.size(); ++i)
        {
            SCOPED_TRACE(testing::Message() << model << ", step " << i + 1 << ": button " << steps[i].press);
            Press(steps[i].press);
            EXPECT_EQ(keypad().m_nKeyID, steps[i].keyId);
            EXPECT_EQ(Fields(), steps[i].shown);
        }
    }
    // What each shift flag is now: alpha, previous, next, command.
    std::vector<bool> Shifts() const
    {
        return {keypad().IsAlphaKeyDown(), keypad().IsPrevDown(), keypad().IsNextDown(), keypad().IsCmdKeyDown()};
    }
};

const KeyFields kNone{"", "", ""};

TEST_F(KeypadShifts, M10LettersUnderOneAlphaShiftWithSelectorsForOneKey)
{
    Run("M-10", {{IDC_KEY_ALPHA, 0, kNone},
                 {IDC_KEY_7, 3317, {"B", "66", " B"}},
                 {IDC_KEY_9, 3327, {"H", "72", " H"}},
                 {IDC_KEY_LEFT, 3327, {"H", "72", " H"}},
                 {IDC_KEY_7, 3316, {"A", "65", " A"}},
                 {IDC_KEY_RIGHT, 3316, {"A", "65", " A"}},
                 {IDC_KEY_7, 3318, {"C", "67", " C"}},
                 {IDC_KEY_0, 3282, {"?", "63", " ?"}},
                 {IDC_KEY_LEFT, 3282, {"?", "63", " ?"}},
                 {IDC_KEY_DOT, 3332, {";", "59", " ;"}},
                 {IDC_KEY_CLR, IDC_KEY_CLR, {"Clr", "8", ""}},
                 {IDC_KEY_ALPHA, 0, {"Clr", "8", ""}},
                 {IDC_KEY_7, IDC_KEY_7, {"7", "55", " 7"}}});
}

TEST_F(KeypadShifts, SelectorsExcludeEachOtherAndAlphaOffDropsThem)
{
    Open("M-10");
    Press({IDC_KEY_ALPHA, IDC_KEY_LEFT});
    EXPECT_EQ(Shifts(), (std::vector<bool>{true, true, false, false}));
    Press(IDC_KEY_RIGHT);
    EXPECT_EQ(Shifts(), (std::vector<bool>{true, false, true, false}));
    Press(IDC_KEY_RIGHT);
    EXPECT_EQ(Shifts(), (std::vector<bool>{true, false, false, false})) << "pressed again, a selector is off";
    Press({IDC_KEY_LEFT, IDC_KEY_8});
    EXPECT_EQ(Fields().name, "D");
    EXPECT_EQ(Shifts(), (std::vector<bool>{true, false, false, false})) << "a selector lasts one key";
    Press({IDC_KEY_LEFT, IDC_KEY_ALPHA});
    EXPECT_EQ(Shifts(), (std::vector<bool>{false, false, false, false}));
}

TEST_F(KeypadShifts, M10CommandShiftLastsOneKey)
{
    Run("M-10", {{IDC_KEY_CMD, 0, kNone},
                 {IDC_KEY_7, 3319, {"#", "35", " #"}},
                 {IDC_KEY_7, IDC_KEY_7, {"7", "55", " 7"}},
                 {IDC_KEY_CMD, IDC_KEY_7, {"7", "55", " 7"}},
                 {IDC_KEY_CLR, 3340, {"\\", "92", " \\"}},
                 {IDC_KEY_CMD, 3340, {"\\", "92", " \\"}},
                 {IDC_KEY_F1, IDC_KEY_F5, {"F5", "138", ""}},
                 {IDC_KEY_CMD, IDC_KEY_F5, {"F5", "138", ""}},
                 {IDC_KEY_DOWN, IDC_KEY_PGUP, {"PgUp", "146", ""}},
                 {IDC_KEY_CMD, IDC_KEY_PGUP, {"PgUp", "146", ""}},
                 {IDC_KEY_SPACE, IDC_KEY_SPACE, {"Spc", "32", "  "}},
                 {IDC_KEY_DOWN, IDC_KEY_DOWN, {"Down", "18", ""}}});
}

TEST_F(KeypadShifts, CommandAndAlphaExcludeEachOtherAndCommandAlphaIsEscape)
{
    for (const char* model : {"M-10", "M-13", "N-13", "R-50", "R-50G"})
    {
        SCOPED_TRACE(model);
        Open(model);
        Press({IDC_KEY_ALPHA, IDC_KEY_CMD});
        EXPECT_EQ(Shifts(), (std::vector<bool>{false, false, false, true}));
        Press(IDC_KEY_ALPHA);
        EXPECT_EQ(keypad().m_nKeyID, IDC_KEY_ESC);
        EXPECT_EQ(Fields(), (KeyFields{"Exit", "132", ""}));
        EXPECT_EQ(Shifts(), (std::vector<bool>{false, false, false, false})) << "released, and no alpha shift";
        Press({IDC_KEY_CMD, IDC_KEY_CMD});
        EXPECT_EQ(Shifts(), (std::vector<bool>{false, false, false, false})) << "pressed again, it is off";
    }
}

TEST_F(KeypadShifts, M13FamilyLettersRunFromTheBottomRow)
{
    for (const char* model : {"M-13", "N-13", "R-50", "R-50G"})
        Run(model, {{IDC_KEY_ALPHA, 0, kNone},
                    {IDC_KEY_LEFT, 0, kNone},
                    {IDC_KEY_7, 3316, {"S", "83", " S"}},
                    {IDC_KEY_1, 3287, {"B", "66", " B"}},
                    {IDC_KEY_RIGHT, 3287, {"B", "66", " B"}},
                    {IDC_KEY_3, 3298, {"I", "73", " I"}},
                    {IDC_KEY_CMD, 3298, {"I", "73", " I"}},
                    {IDC_KEY_1, 3289, {"#", "35", " #"}},
                    {IDC_KEY_CMD, 3289, {"#", "35", " #"}},
                    {IDC_KEY_UP, IDC_KEY_PGDN, {"PgDn", "147", ""}},
                    {IDC_KEY_UP, IDC_KEY_UP, {"Up", "19", ""}},
                    {IDC_KEY_ESC2, IDC_KEY_ESC, {"Exit", "132", ""}}});
}

TEST_F(KeypadShifts, M20LettersOnEveryDigitKey)
{
    Run("M-20", {{IDC_KEY_ALPHA, 0, kNone},
                 {IDC_KEY_8, 3322, {"B", "66", " B"}},
                 {IDC_KEY_LEFT, 3322, {"B", "66", " B"}},
                 {IDC_KEY_7, 3316, {"Q", "81", " Q"}},
                 {IDC_KEY_RIGHT, 3316, {"Q", "81", " Q"}},
                 {IDC_KEY_7, 3318, {"*", "42", " *"}},
                 {IDC_KEY_0, 3282, {"Spc", "32", "  "}},
                 {IDC_KEY_RIGHT, 3282, {"Spc", "32", "  "}},
                 {IDC_KEY_DOT, 3334, {"/", "47", " /"}},
                 {IDC_KEY_ENTER, IDC_KEY_ENTER, {"Ent", "13", ""}}});
}

TEST_F(KeypadShifts, AnyKeyAndPowerShowTheirOwnAndKeepTheShifts)
{
    Run("M-13", {{IDC_KEY_ALPHA, 0, kNone},
                 {IDC_KEY_LEFT, 0, kNone},
                 {IDC_KEY_ANYKEY, IDC_KEY_ANYKEY, {"Any-key", "255", ""}},
                 {IDC_KEY_POWER, 0, kNone}});
    EXPECT_EQ(Shifts(), (std::vector<bool>{true, false, false, false})) << "Any Key kept the selector, power did not";
}

TEST(KeypadWithoutADialog, KeepsItsStateAndLooksKeysUp)
{
    CKeypadM13 keypad(nullptr, nullptr);
    keypad.m_bClicked = true;
    keypad.OnKey(); // no dialog, so no focused button: no key
    EXPECT_EQ(keypad.m_nKeyID, 0);
    keypad.GetKeyFromKeyboard('A');
    EXPECT_EQ(keypad.m_nKeyID, 0) << "an empty keymap has no keys";
    EXPECT_FALSE(keypad.m_bClicked);

    KEYMAP_KEY m13[KEYMAP_SIZE];
    CopyKeymap(m13, KEYMAP_M13);
    keypad.ResetKeypad(&m13);
    keypad.GetKeyFromKeyboard('A' + 0x100);
    EXPECT_EQ(keypad.m_nKeyID, 3286) << "the character is taken as a byte";
    keypad.SetKey(3286, 0x61);
    keypad.GetKeyFromKeyboard('a');
    EXPECT_EQ(keypad.m_nKeyID, 3286);
    EXPECT_EQ(GetKeyCodeWKM(3286, KEYMAP_M13), 'A') << "the default table is only copied";

    keypad.OnKeyCmd();
    int id = IDC_KEY_DOWN;
    keypad.PressKey(id);
    EXPECT_EQ(id, IDC_KEY_PGUP);
    EXPECT_FALSE(keypad.IsCmdKeyDown());
    keypad.OnKeyAlpha();
    keypad.PressKeyAlpha(false);
    EXPECT_FALSE(keypad.IsAlphaKeyDown()) << "without toggling, the alpha shift goes off";
}

} // namespace
