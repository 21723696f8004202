// The keypad dialog run modally as its owners run it: picking a key, setting key codes with "Set", and
// OK, Cancel and Enter in and out of a job simulation.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <utility>

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

TEST_F(KeypadDialog, SetGivesTheSelectedKeyTheTypedCode)
{
    CDlgDefineKeypadM10 dlg(KEYPAD_MODE_EDIT, &keymap);
    ExpectModal([](CDialog& d) {
        Click(d, IDC_KEY_7);
        EXPECT_EQ(Shown(d), (KeyFields{"7", "55", " 7"}));
        Type(d, IDC_KEY_CODE, "200");
        EXPECT_EQ(Shown(d).code, "200") << "digits typed in the code field stay there";
        Click(d, IDC_KEY_SET);
        EXPECT_EQ(Shown(d), (KeyFields{"7", "200", ""})) << "200 is no printable character";
        Click(d, IDC_KEY_7);
        EXPECT_EQ(Shown(d).code, "200");

        Click(d, IDC_KEY_F1);
        Type(d, IDC_KEY_CODE, "97");
        Click(d, IDC_KEY_SET);
        EXPECT_EQ(Shown(d), (KeyFields{"F1", "97", " a"}));
        Type(d, IDC_KEY_CODE, "2550");
        EXPECT_EQ(Shown(d).code, "255") << "three characters at most";
        Click(d, IDC_KEY_SET);
        Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(GetKeyCodeWKM(IDC_KEY_7, dlg.m_pKeypad->m_keymap), 200);
    EXPECT_EQ(GetKeyCodeWKM(IDC_KEY_F1, dlg.m_pKeypad->m_keymap), 255);
    EXPECT_EQ(GetKeyCodeWKM(IDC_KEY_7, keymap), '7') << "the owner's keymap changes only when it copies";
    CopyKeymap(keymap, dlg.m_pKeypad->m_keymap);
    EXPECT_EQ(GetKeyCodeWKM(IDC_KEY_7, keymap), 200);
}

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

TEST_F(KeypadDialog, ExitPowerAndNoKeyCannotBeSet)
{
    CString model("M-13");
    ResetKeymap(model, keymap);
    CDlgDefineKeypadM13 dlg(KEYPAD_MODE_EDIT, &keymap);
    ExpectModal([&dlg](CDialog& d) {
        Type(d, IDC_KEY_CODE, "65");
        Click(d, IDC_KEY_SET);
        EXPECT_EQ(Beeps(), 1) << "no key selected yet";

        Click(d, IDC_KEY_ESC2);
        EXPECT_EQ(Shown(d), (KeyFields{"Exit", "132", ""}));
        Type(d, IDC_KEY_CODE, "65");
        Click(d, IDC_KEY_SET);
        EXPECT_EQ(Beeps(), 2);
        EXPECT_EQ(Shown(d).code, "65") << "nothing was shown again";

        // Power is no key a click can select; an owner may still preset it.
        dlg.m_pKeypad->m_nKeyID = IDC_KEY_POWER;
        Click(d, IDC_KEY_SET);
        EXPECT_EQ(Beeps(), 3);

        Type(d, IDC_KEY_CODE, "300");
        Click(d, IDC_KEY_SET);
        EXPECT_EQ(Beeps(), 4) << "the key is refused before the code is read";
        Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(std::memcmp(dlg.m_pKeypad->m_keymap, keymap, sizeof(keymap)), 0);
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(KeypadDialog, OtherModeShowsSetButSetDoesNothing)
{
    CDlgDefineKeypadM10 dlg(KEYPAD_MODE_OTHER, &keymap);
    dlg.m_pKeypad->m_nKeyID = IDC_KEY_7;
    ExpectModal([](CDialog& d) {
        EXPECT_EQ(Shown(d), (KeyFields{"", "", ""})) << "a preset key is shown only when picking";
        EXPECT_TRUE(d.GetDlgItem(IDC_KEY_SET)->IsWindowVisible());
        Click(d, IDC_KEY_4);
        Type(d, IDC_KEY_CODE, "1234");
        EXPECT_EQ(d.GetDlgItem(IDC_KEY_CODE)->GetWindowText(), "1234") << "the code field is not limited";
        Click(d, IDC_KEY_SET);
        Type(d, IDC_KEY_CODE, "66");
        Click(d, IDC_KEY_SET);
        Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(std::memcmp(dlg.m_pKeypad->m_keymap, keymap, sizeof(keymap)), 0);
    EXPECT_TRUE(MessageBoxes().empty());
    EXPECT_EQ(Beeps(), 0);
}

// ---------------------------------------------------------------------------------------------------------------
// Ending the dialog, in and out of a simulation.

TEST_F(KeypadDialog, EnterOutsideASimulationIsOkAndEscapeCancels)
{
    for (auto [vk, result] : {std::pair<UINT, INT_PTR>{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}})
    {
        CDlgDefineKeypadM10 dlg(KEYPAD_MODE_SELECT, &keymap);
        ExpectModal([vk = vk](CDialog& d) {
            Click(d, IDC_KEY_9);
            Key(vk);
            Pump();
        });
        EXPECT_EQ(dlg.DoModal(), result) << vk;
        if (result == IDOK)
        {
            EXPECT_EQ(dlg.m_pKeypad->m_nKeyID, IDC_KEY_9) << "Enter did not pick the Ent key";
        }
    }
}

TEST_F(KeypadDialog, EnterDuringASimulationIsTheEntKeyAndOkAndCancelDoNothing)
{
    SimulationRunning simulation;
    CDlgDefineKeypadM10 dlg(KEYPAD_MODE_OTHER, &keymap);
    ExpectModal([](CDialog& d) {
        Key(VK_RETURN);
        Pump();
        EXPECT_TRUE(d.IsWindowVisible());
        EXPECT_EQ(Shown(d), (KeyFields{"Ent", "13", ""}));

        Click(d, IDOK);
        Click(d, IDCANCEL);
        Key(VK_ESCAPE);
        CloseBox(d.m_hWnd);
        Pump();
        EXPECT_TRUE(d.IsWindowVisible()) << "the keypad stays while the job runs";
        EXPECT_EQ(Shown(d), (KeyFields{"Exit", "132", ""})) << "Escape is the terminal's exit";

        OnJobSimulation = 0;
        Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(KeypadDialog, LettersAreKeysNotTheButtonsMnemonics)
{
    CDlgDefineKeypadM10 dlg(KEYPAD_MODE_SELECT, &keymap);
    ExpectModal([](CDialog& d) {
        Type("c");
        Pump();
        EXPECT_TRUE(d.IsWindowVisible()) << "\"c\" is no Cancel here";
        EXPECT_EQ(Shown(d), (KeyFields{"C", "67", " C"}));
        Type("o");
        EXPECT_TRUE(d.IsWindowVisible());
        EXPECT_EQ(Shown(d), (KeyFields{"O", "79", " O"}));
        Key('O', false, false, true); // Alt+O is
        Pump();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_pKeypad->m_nKeyID, 3308);
}

// ---------------------------------------------------------------------------------------------------------------
// Construction and ownership.

TEST(KeypadDialogClasses, OnlyTheSevenDisplayNamesHaveAKeypad)
{
    for (const char* name : {"", "m-10", "M10", "M-13 ", "R-50g", "M-20XL"})
        EXPECT_EQ(CreateKeypadDialog(name, KEYPAD_MODE_SELECT, KEYMAP_M13), nullptr) << "\"" << name << "\"";
}

TEST(KeypadDialogClasses, NoKeymapGivesAnEmptyOneAndNothingBreaks)
{
    CDlgDefineKeypadM20 dlg(KEYPAD_MODE_EDIT, nullptr);
    ExpectModal([](CDialog& d) {
        Click(d, IDC_KEY_7);
        EXPECT_EQ(Shown(d), (KeyFields{"", "0", ""}));
        Type("A");
        Click(d, IDC_KEY_ANYKEY);
        EXPECT_EQ(Shown(d), (KeyFields{"Any-key", "255", ""}));
        Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    for (const KEYMAP_KEY& k : dlg.m_pKeypad->m_keymap)
        EXPECT_EQ(k.wKeyID, 0);
}

} // namespace
