// Keys of the computer keyboard on a keypad dialog: each selects the keypad key whose code is the
// character it stands for, with the navigation keys as a numeric pad and Shift as on a US keyboard.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/simulation/keypad_harness.h"

using namespace pdt::test;

namespace
{

struct Stroke
{
    UINT vk;
    bool shift;
    int keyId; // expected selection
    const char* name;
};

class KeypadKeyboard : public KeypadTest
{
  protected:
    void Expect(const std::vector<Stroke>& strokes)
    {
        for (const Stroke& s : strokes)
        {
            SCOPED_TRACE(testing::Message() << "vk 0x" << std::hex << s.vk << (s.shift ? " with Shift" : ""));
            Key(s.vk, s.shift);
            Pump();
            EXPECT_EQ(keypad().m_nKeyID, s.keyId);
            EXPECT_EQ(Fields().name, s.name);
            EXPECT_TRUE(dlg->IsWindowVisible());
        }
    }
};

TEST_F(KeypadKeyboard, EachKeySelectsTheKeypadKeyOfItsCharacter)
{
    // Digits, letters, function keys; Shift as on a US keyboard; the navigation keys as a numeric pad, whose digits
    // and point type as the main keys do.
    const std::pair<const char*, std::vector<Stroke>> cases[] = {
        {"M-13",
         {{'7', false, IDC_KEY_7, "7"}, {'K', false, 3302, "K"}, {'A', true, 3286, "A"},
          {VK_F8, false, IDC_KEY_F8, "F8"}, {VK_BACK, false, IDC_KEY_CLR, "Clr"},
          {VK_SPACE, false, IDC_KEY_SPACE, "Spc"}, {'3', true, 3289, "#"}, {'3', false, IDC_KEY_3, "3"},
          {VK_NUMPAD7, false, IDC_KEY_7, "7"}, {VK_DECIMAL, false, IDC_KEY_DOT, "."},
          {VK_NUMPAD0, false, IDC_KEY_0, "0"}}},
        {"M-10",
         {{'3', true, 3319, "#"},           {'2', true, 3281, "@"},           {'7', true, 3283, "&"},
          {'1', true, 3335, "!"},           {VK_END, false, IDC_KEY_1, "1"},  {VK_DOWN, false, IDC_KEY_2, "2"},
          {VK_NEXT, false, IDC_KEY_3, "3"}, {VK_LEFT, false, IDC_KEY_4, "4"}, {VK_RIGHT, false, IDC_KEY_6, "6"},
          {VK_HOME, false, IDC_KEY_7, "7"}, {VK_UP, false, IDC_KEY_8, "8"},   {VK_PRIOR, false, IDC_KEY_9, "9"},
          {VK_INSERT, false, IDC_KEY_0, "0"}, {VK_DELETE, false, IDC_KEY_DOT, "."}, {VK_ADD, false, 3294, "+"},
          {VK_SUBTRACT, false, 3289, "-"},  {VK_MULTIPLY, false, 3299, "*"}, {VK_DIVIDE, false, 3314, "/"},
          {VK_OEM_PLUS, false, 3309, "="},  {VK_OEM_1, false, 3332, ";"},   {VK_OEM_COMMA, false, 3334, ","},
          {VK_OEM_7, false, 3284, "'"},     {VK_OEM_5, false, 3340, "\\"}, {VK_OEM_PLUS, true, 3294, "+"},
          {VK_OEM_2, true, 3282, "?"},      {VK_OEM_1, true, 3304, ":"},    {VK_OEM_MINUS, true, 3298, "_"},
          {VK_NUMPAD1, false, IDC_KEY_1, "1"}, {VK_DECIMAL, false, IDC_KEY_DOT, "."},
          {VK_NUMPAD9, false, IDC_KEY_9, "9"}, {VK_NUMPAD5, false, IDC_KEY_5, "5"}}},
        {"M-20X", {{VK_OEM_4, false, 3281, "["}, {VK_OEM_6, false, 3283, "]"}, {VK_OEM_5, false, 3282, "\\"}}},
    };
    for (const auto& [model, strokes] : cases)
    {
        Open(model);
        Expect(strokes);
        if (model == std::string("M-10"))
        {
            EXPECT_EQ(FocusedId(), IDC_KEY_5) << "arrows select keys instead of moving between buttons";
        }
    }
    EXPECT_EQ(Fields(), (KeyFields{"\\", "92", " \\"}));
}

TEST_F(KeypadKeyboard, ACharacterOfNoKeyLeavesTheFieldsAndSelectsNothing)
{
    Open("M-10");
    Type("4");
    ASSERT_EQ(Fields(), (KeyFields{"4", "52", " 4"}));
    for (auto [vk, shift] : {std::pair<UINT, bool>{'6', true}, {VK_OEM_7, true}, {VK_OEM_4, true}, {'9', true}})
    {
        SCOPED_TRACE(testing::Message() << "vk 0x" << std::hex << vk);
        Type("4");
        Key(vk, shift);
        Pump();
        EXPECT_EQ(keypad().m_nKeyID, 0);
        EXPECT_EQ(Fields(), (KeyFields{"4", "52", " 4"}));
    }
    Key(VK_F9);
    EXPECT_EQ(Fields(), (KeyFields{"4", "52", " 4"}));

    Open("M-20");
    Type("#");
    EXPECT_EQ(keypad().m_nKeyID, 0) << "the M-20 has no \"#\"";
    EXPECT_EQ(Fields(), (KeyFields{"", "", ""}));
}

TEST_F(KeypadKeyboard, KeyboardLeavesTheShiftsAlone)
{
    Open("M-10");
    Press({IDC_KEY_ALPHA, IDC_KEY_LEFT});
    Type("7");
    EXPECT_EQ(keypad().m_nKeyID, IDC_KEY_7) << "the character is taken as it is";
    EXPECT_TRUE(keypad().IsAlphaKeyDown());
    EXPECT_TRUE(keypad().IsPrevDown());
    Press(IDC_KEY_7);
    EXPECT_EQ(Fields().name, "A") << "the next click still has its selector";
}

TEST_F(KeypadKeyboard, ShiftIsTrackedWhileHeld)
{
    Open("M-10");
    EXPECT_FALSE(dlg->m_bShiftDown);
    KeyDown(VK_SHIFT);
    EXPECT_TRUE(dlg->m_bShiftDown);
    Key(VK_OEM_COMMA, true); // a key typed while Shift is held reports it
    EXPECT_EQ(keypad().m_nKeyID, 0) << "\"<\" is no key of the M-10";
    KeyUp(VK_SHIFT);
    EXPECT_FALSE(dlg->m_bShiftDown);
    Key(VK_OEM_COMMA);
    EXPECT_EQ(Fields().name, ",");
}

TEST_F(KeypadKeyboard, TabStillMovesBetweenButtonsOutsideASimulation)
{
    Open("M-10");
    ASSERT_EQ(FocusedId(), IDC_KEY_5);
    Key(VK_TAB);
    EXPECT_EQ(FocusedId(), IDC_KEY_6);
}

TEST_F(KeypadKeyboard, DuringASimulationEveryKeyIsTheKeypads)
{
    Open("M-10", KEYPAD_MODE_OTHER);
    SimulationRunning simulation;
    ASSERT_EQ(FocusedId(), IDC_KEY_5);
    Key(VK_TAB);
    EXPECT_EQ(FocusedId(), IDC_KEY_5) << "Tab does not move";
    Focus(Item(*dlg, IDC_KEY_CODE));
    Type("12");
    EXPECT_EQ(Fields(), (KeyFields{"2", "50", " 2"})) << "even the code field's digits are keys";
    Key(VK_RETURN);
    EXPECT_EQ(Fields().name, "Ent");
    EXPECT_TRUE(dlg->IsWindowVisible());
}

} // namespace
