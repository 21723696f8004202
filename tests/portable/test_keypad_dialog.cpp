// The keypad dialogs run as their owners run them: every key of each model, picking a key, setting key codes
// with "Set", the computer keyboard's keys, and what a host meets at the keypads: its code written to the declared
// signatures compiles, and a Shift let go in another window does not stay held.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "tests/simulation/keypad_harness.h"

using namespace pdt::test;

namespace
{

class KeypadDialog : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        CString model("M-10");
        ResetKeymap(model, keymap);
    }
    void TearDown() override { OnJobSimulation = 0; }

    KEYMAP_KEY keymap[KEYMAP_SIZE] = {};
};

// ---------------------------------------------------------------------------------------------------------------
// Mode 1: picking a key.

TEST_F(KeypadDialog, PickingAKeyHidesSetAndReturnsTheKeyAfterOk)
{
    CDlgDefineKeypadM10 dlg(KEYPAD_MODE_SELECT, &keymap);
    ExpectModal([](CDialog& d) {
        EXPECT_EQ(d.GetWindowText(), "M-10 Keypad");
        EXPECT_FALSE(d.GetDlgItem(IDC_KEY_SET)->IsWindowVisible());
        EXPECT_EQ(FocusedId(), IDC_KEY_5) << "the keypad starts on its middle key";
        EXPECT_EQ(Shown(d), (KeyFields{"", "", ""}));
        Click(d, IDC_KEY_F2);
        EXPECT_EQ(Shown(d), (KeyFields{"F2", "135", ""}));
        Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_pKeypad->m_nKeyID, IDC_KEY_F2);
}

TEST_F(KeypadDialog, PresetKeyIsShownAtOnce)
{
    CDlgDefineKeypadM10 dlg(KEYPAD_MODE_SELECT, &keymap);
    dlg.m_pKeypad->m_nKeyID = IDC_KEY_RIGHT;
    ExpectModal([](CDialog& d) {
        EXPECT_EQ(Shown(d), (KeyFields{"Right", "16", ""}));
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_pKeypad->m_nKeyID, IDC_KEY_RIGHT) << "nothing was picked";
}

// ---------------------------------------------------------------------------------------------------------------
// Mode 2: "Set".

TEST_F(KeypadDialog, CodesThatAreNoByteAreRefused)
{
    CDlgDefineKeypadM10 dlg(KEYPAD_MODE_EDIT, &keymap);
    ExpectModal([](CDialog& d) {
        Click(d, IDC_KEY_3);
        for (const char* typed : {"256", "", "x", "999", "-1"})
        {
            SCOPED_TRACE(typed);
            ExpectMessageBox();
            Type(d, IDC_KEY_CODE, typed);
            if (!*typed)
                Key(VK_DELETE);
            Click(d, IDC_KEY_SET);
            ASSERT_FALSE(MessageBoxes().empty());
            EXPECT_EQ(MessageBoxes().back().text, "Invalid key code!");
            EXPECT_EQ(MessageBoxes().back().type & MB_ICONMASK, UINT(MB_ICONSTOP));
        }
        EXPECT_EQ(MessageBoxes().size(), 5u);
        Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(std::memcmp(dlg.m_pKeypad->m_keymap, keymap, sizeof(keymap)), 0) << "no code changed";
}

// ---------------------------------------------------------------------------------------------------------------
// Ending the dialog, in and out of a simulation.

// ---------------------------------------------------------------------------------------------------------------
// Construction and ownership.

struct Model
{
    const char* name;
    std::vector<int> keys;
};

// What the test list shows for a case: the model and how many keys it checks, not the bytes of the struct.
void PrintTo(const Model& m, std::ostream* os) { *os << m.name << " (" << m.keys.size() << " keys)"; }

std::vector<Model> Models()
{
    const std::vector<int> common = {IDC_KEY_0,     IDC_KEY_1,    IDC_KEY_2,    IDC_KEY_3,  IDC_KEY_4,   IDC_KEY_5,
                                     IDC_KEY_6,     IDC_KEY_7,    IDC_KEY_8,    IDC_KEY_9,  IDC_KEY_DOT, IDC_KEY_CLR,
                                     IDC_KEY_ENTER, IDC_KEY_F1,   IDC_KEY_F2,   IDC_KEY_F3, IDC_KEY_F4,  IDC_KEY_CMD,
                                     IDC_KEY_ALPHA, IDC_KEY_LEFT, IDC_KEY_RIGHT};
    std::vector<int> m10 = common, m13;
    m10.insert(m10.begin(), {IDC_KEY_SPACE, IDC_KEY_UP, IDC_KEY_DOWN});
    m13 = m10;
    m13.insert(m13.begin(), IDC_KEY_ESC2);
    return {{"M-10", m10},  {"M-13", m13},    {"R-50", m13},    {"N-13", m13},
            {"R-50G", m13}, {"M-20", common}, {"M-20X", common}};
}

class KeypadKeys : public KeypadTest, public ::testing::WithParamInterface<Model>
{
};

TEST_P(KeypadKeys, EveryKeyIsAShownButtonThatPicksItself)
{
    Open(GetParam().name, KEYPAD_MODE_EDIT);
    EXPECT_EQ(dlg->GetWindowText(), CString(GetParam().name) + " Keypad");
    EXPECT_EQ(std::memcmp(keypad().m_keymap, keymap, sizeof(keymap)), 0) << "the simulator has a copy";
    CRect client;
    dlg->GetClientRect(&client);
    for (CWnd* w = dlg->GetWindow(GW_CHILD); w; w = w->GetWindow(GW_HWNDNEXT))
    {
        CRect r;
        w->GetWindowRect(&r);
        dlg->ScreenToClient(&r);
        EXPECT_TRUE(w->IsWindowVisible() && r.left >= 0 && r.top >= 0 && r.right <= client.right &&
                    r.bottom <= client.bottom)
            << w->GetDlgCtrlID();
    }
    for (int id : GetParam().keys)
    {
        SCOPED_TRACE(id);
        CWnd* key = dlg->GetDlgItem(id);
        ASSERT_NE(key, nullptr);
        EXPECT_FALSE(key->GetWindowText().IsEmpty());
        Open(GetParam().name, KEYPAD_MODE_EDIT); // shifts latch and change the keys after them
        Press(id);
        EXPECT_TRUE(!Fields().name.IsEmpty() || Pushed(*dlg, id)) << "a click shows a key or latches a shift";
    }
}

std::string ModelName(const ::testing::TestParamInfo<Model>& info)
{
    std::string s;
    for (const char* p = info.param.name; *p; ++p)
        if (*p != '-')
            s += *p;
    return s;
}

INSTANTIATE_TEST_SUITE_P(Models, KeypadKeys, ::testing::ValuesIn(Models()), ModelName);

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
         {{'7', false, IDC_KEY_7, "7"},
          {'K', false, 3302, "K"},
          {'A', true, 3286, "A"},
          {VK_F8, false, IDC_KEY_F8, "F8"},
          {VK_BACK, false, IDC_KEY_CLR, "Clr"},
          {VK_SPACE, false, IDC_KEY_SPACE, "Spc"},
          {'3', true, 3289, "#"},
          {'3', false, IDC_KEY_3, "3"},
          {VK_NUMPAD7, false, IDC_KEY_7, "7"},
          {VK_DECIMAL, false, IDC_KEY_DOT, "."},
          {VK_NUMPAD0, false, IDC_KEY_0, "0"}}},
        {"M-10",
         {{'3', true, 3319, "#"},
          {'2', true, 3281, "@"},
          {'7', true, 3283, "&"},
          {'1', true, 3335, "!"},
          {VK_END, false, IDC_KEY_1, "1"},
          {VK_DOWN, false, IDC_KEY_2, "2"},
          {VK_NEXT, false, IDC_KEY_3, "3"},
          {VK_LEFT, false, IDC_KEY_4, "4"},
          {VK_RIGHT, false, IDC_KEY_6, "6"},
          {VK_HOME, false, IDC_KEY_7, "7"},
          {VK_UP, false, IDC_KEY_8, "8"},
          {VK_PRIOR, false, IDC_KEY_9, "9"},
          {VK_INSERT, false, IDC_KEY_0, "0"},
          {VK_DELETE, false, IDC_KEY_DOT, "."},
          {VK_ADD, false, 3294, "+"},
          {VK_SUBTRACT, false, 3289, "-"},
          {VK_MULTIPLY, false, 3299, "*"},
          {VK_DIVIDE, false, 3314, "/"},
          {VK_OEM_PLUS, false, 3309, "="},
          {VK_OEM_1, false, 3332, ";"},
          {VK_OEM_COMMA, false, 3334, ","},
          {VK_OEM_7, false, 3284, "'"},
          {VK_OEM_5, false, 3340, "\\"},
          {VK_OEM_PLUS, true, 3294, "+"},
          {VK_OEM_2, true, 3282, "?"},
          {VK_OEM_1, true, 3304, ":"},
          {VK_OEM_MINUS, true, 3298, "_"},
          {VK_NUMPAD1, false, IDC_KEY_1, "1"},
          {VK_DECIMAL, false, IDC_KEY_DOT, "."},
          {VK_NUMPAD9, false, IDC_KEY_9, "9"},
          {VK_NUMPAD5, false, IDC_KEY_5, "5"}}},
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
