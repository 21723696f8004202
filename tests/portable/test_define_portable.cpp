// The portable dialog on the reference host's terminal, used as a person uses it: choosing a model and the
// settings, editing the keymap on the keypad, resetting it, and closing with OK or Cancel.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/model/HostNodeCollect.h"
#include "portable/CDlgDefineKeypad.h"
#include "portable_harness.h"
#include "tests/simulation/keypad_harness.h"

using namespace pdt::test;

namespace
{

using PortableDialog = PortableDialogTest;
using PortablePartialArray = PortableDialogTest;

TEST_F(PortableDialog, OpensOnTheTerminalsValuesAndShowsThemOnEachPage)
{
    UseModel("N-13");
    Terminal().m_nFontSize = SCREEN_FONT_LARGE;
    Terminal().m_nScannerType = SCANNER_PEN;
    Terminal().m_nBuzzerVolume = BUZZER_OFF;
    Terminal().m_bUseMyKeymap = TRUE;
    EXPECT_EQ(
        Run([&](CDlgDefinePortable& dlg) {
            EXPECT_EQ(dlg.GetWindowText(), "Define Portable");
            EXPECT_EQ(Labels(dlg), (std::vector<CString>{"Model", "Settings", "Keymap"}));
            for (OPTIONITEM* opt = dlg.m_pOptions; opt->nID; ++opt)
                EXPECT_EQ(opt->pPage->m_pTerminal, &Terminal()) << opt->nID;

            auto& model = ShowPage<CDlgDefinePortableModel>(dlg, "Model", JobOptions::PORTABLE_MODEL);
            std::vector<int> checked;
            for (int id : {IDC_PORTABLE_M10, IDC_PORTABLE_M13, IDC_PORTABLE_N13, IDC_PORTABLE_R50, IDC_PORTABLE_R50G})
                if (model.IsDlgButtonChecked(id))
                    checked.push_back(id);
            EXPECT_EQ(checked, std::vector<int>{IDC_PORTABLE_N13});

            auto& setting = ShowPage<CDlgDefinePortableSetting>(dlg, "Settings", JobOptions::PORTABLE_SETTING);
            checked.clear();
            for (int id = IDC_PORTABLE_BUZZERHIGH; id <= IDC_PORTABLE_SCANNERPEN; ++id)
                if (setting.GetDlgItem(id) && setting.IsDlgButtonChecked(id))
                    checked.push_back(id);
            EXPECT_EQ(checked,
                      (std::vector<int>{IDC_PORTABLE_BUZZEROFF, IDC_PORTABLE_LARGEFONT, IDC_PORTABLE_SCANNERPEN}));

            auto& keymap = KeymapPage(dlg);
            EXPECT_TRUE(keymap.IsDlgButtonChecked(IDC_PORTABLE_USEMYKEYMAP));
            EXPECT_EQ(std::memcmp(keymap.m_Keymap, Terminal().m_keymap, sizeof keymap.m_Keymap), 0);
            EXPECT_FALSE(keymap.m_bKeymapChanged);
            Click(dlg, IDCANCEL);
        }),
        IDCANCEL);
}

// Each button of the settings page, clicked and confirmed, reaches its field of the terminal and is shown chosen
// next time: one button of each group per round, each round changing every group.
TEST_F(PortableDialog, EachSettingButtonReachesTheTerminal)
{
    struct Button
    {
        int id, value;
    };
    const Button fonts[] = {{IDC_PORTABLE_SMALLFONT, SCREEN_FONT_SMALL}, {IDC_PORTABLE_LARGEFONT, SCREEN_FONT_LARGE}};
    const Button scanners[] = {{IDC_PORTABLE_SCANNERAUTO, SCANNER_AUTO}, {IDC_PORTABLE_SCANNERPEN, SCANNER_PEN}};
    const Button buzzers[] = {{IDC_PORTABLE_BUZZERHIGH, BUZZER_HIGH},
                              {IDC_PORTABLE_BUZZERMEDIUM, BUZZER_MEDIUM},
                              {IDC_PORTABLE_BUZZERLOW, BUZZER_LOW},
                              {IDC_PORTABLE_BUZZEROFF, BUZZER_OFF}};
    Terminal().m_nFontSize = Terminal().m_nScannerType = Terminal().m_nBuzzerVolume = -1;
    for (int round = 0; round < 4; ++round)
    {
        SCOPED_TRACE(round);
        const Button chosen[] = {fonts[round % 2], scanners[round % 2], buzzers[round]};
        Run([&](CDlgDefinePortable& dlg) {
            auto& page = ShowPage<CDlgDefinePortableSetting>(dlg, "Settings", JobOptions::PORTABLE_SETTING);
            if (round > 0)
            {
                const Button before[] = {fonts[(round - 1) % 2], scanners[(round - 1) % 2], buzzers[round - 1]};
                for (const Button& b : before)
                    EXPECT_TRUE(page.IsDlgButtonChecked(b.id)) << b.id << " shown as stored";
            }
            for (const Button& b : chosen)
                Click(page, b.id);
            Click(dlg, IDOK);
        });
        EXPECT_EQ(Terminal().m_nFontSize, chosen[0].value);
        EXPECT_EQ(Terminal().m_nScannerType, chosen[1].value);
        EXPECT_EQ(Terminal().m_nBuzzerVolume, chosen[2].value);
    }
}

// Settings the terminal holds but the page has no button for (a damaged job file) show no chosen button and
// survive OK untouched; a group the user then sets takes the new value.
TEST_F(PortableDialog, UnknownSettingValuesAreKeptUnlessTheUserChooses)
{
    Terminal().m_nFontSize = 9;
    Terminal().m_nScannerType = -1;
    Terminal().m_nBuzzerVolume = 7;
    Run([&](CDlgDefinePortable& dlg) {
        auto& page = ShowPage<CDlgDefinePortableSetting>(dlg, "Settings", JobOptions::PORTABLE_SETTING);
        for (int id = IDC_PORTABLE_BUZZERHIGH; id <= IDC_PORTABLE_SCANNERPEN; ++id)
            if (page.GetDlgItem(id))
            {
                EXPECT_FALSE(page.IsDlgButtonChecked(id)) << id;
            }
        Click(page, IDC_PORTABLE_BUZZERLOW);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(Terminal().m_nFontSize, 9);
    EXPECT_EQ(Terminal().m_nScannerType, -1);
    EXPECT_EQ(Terminal().m_nBuzzerVolume, BUZZER_LOW);
}

// A model chosen on the page becomes the terminal's with that model's default keymap; the page warns that
// the keymap may be lost. M-20 terminals, which the page does not list, keep their model and keymap.
TEST_F(PortableDialog, ANewModelGetsItsDefaultKeymapAndAnUnlistedModelStays)
{
    UseModel("M-10");
    SetKeyCodeWKM(IDC_KEY_7, 99, Terminal().m_keymap);
    Terminal().m_bUseMyKeymap = TRUE;
    Run([&](CDlgDefinePortable& dlg) {
        Click(ShowPage<CDlgDefinePortableModel>(dlg, "Model", JobOptions::PORTABLE_MODEL), IDC_PORTABLE_R50);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(Terminal().m_strModel, "R-50");
    EXPECT_EQ(std::memcmp(Terminal().m_keymap, KEYMAP_R50, sizeof KEYMAP_R50), 0);
    EXPECT_TRUE(Terminal().m_bUseMyKeymap);

    UseModel("M-20X");
    SetKeyCodeWKM(IDC_KEY_7, 99, Terminal().m_keymap);
    Run([&](CDlgDefinePortable& dlg) {
        auto& model = ShowPage<CDlgDefinePortableModel>(dlg, "Model", JobOptions::PORTABLE_MODEL);
        for (int id : {IDC_PORTABLE_M10, IDC_PORTABLE_M13, IDC_PORTABLE_N13, IDC_PORTABLE_R50, IDC_PORTABLE_R50G})
            EXPECT_FALSE(model.IsDlgButtonChecked(id)) << id;
        Click(dlg, IDOK);
    });
    EXPECT_EQ(Terminal().m_strModel, "M-20X");
    EXPECT_EQ(CodeOf(Terminal().m_keymap, IDC_KEY_7), 99u);
}

// A model name the library does not know: no keypad opens (an unexpected dialog would fail the test), reset
// still asks and gives the library's fallback keymap, and OK keeps the terminal's model.
TEST_F(PortableDialog, AnUnknownModelOpensNoKeypadAndBreaksNothing)
{
    for (const char* model : {"X-99", "m-10", ""})
    {
        SCOPED_TRACE(model);
        Terminal().m_strModel = model;
        CString m13("M-13");
        ResetKeymap(m13, Terminal().m_keymap);
        SetKeyCodeWKM(IDC_KEY_7, 99, Terminal().m_keymap);
        Run([&](CDlgDefinePortable& dlg) {
            auto& page = KeymapPage(dlg);
            Click(page, IDC_PORTABLE_KEYPAD);
            Pump();
            EXPECT_FALSE(page.m_bKeymapChanged);
            EXPECT_EQ(CodeOf(page.m_Keymap, IDC_KEY_7), 99u);
            Click(dlg, IDOK);
        });
        EXPECT_EQ(Terminal().m_strModel, model);
        EXPECT_EQ(CodeOf(Terminal().m_keymap, IDC_KEY_7), 99u);
    }
}

// Keymaps that break the tables' rules pass through untouched except for the key the user set: one without an
// end entry (every slot used) and one where two keys report the same code. Typing the code selects the first.
TEST_F(PortableDialog, OddKeymapsLoseNothingButTheEditedCode)
{
    struct Row
    {
        const char* name;
        void (*damage)(KEYMAP_KEY*);
    };
    const Row rows[] = {
        {"no end entry",
         [](KEYMAP_KEY* k) {
             for (int i = 0; i < KEYMAP_SIZE; ++i)
                 if (k[i].wKeyID == 0 || k[i].wKeyID == 0xFFFF)
                     k[i] = KEYMAP_KEY{WORD(5000 + i), "Xx", BYTE(0xA0 + i % 16)};
         }},
        {"duplicate codes", [](KEYMAP_KEY* k) { SetKeyCodeWKM(IDC_KEY_9, '7', k); }},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.name);
        UseModel("M-13");
        row.damage(Terminal().m_keymap);
        KEYMAP_KEY expected[KEYMAP_SIZE];
        CopyKeymap(expected, Terminal().m_keymap);
        SetKeyCodeWKM(IDC_KEY_7, 201, expected);
        Run([&](CDlgDefinePortable& dlg) {
            ExpectModal([](CDialog& keypad) {
                Focus(Item(keypad, IDC_KEY_5));
                Key('7'); // the key whose code is "7": key 7 comes first in the table
                EXPECT_EQ(Shown(keypad).name, "7");
                Type(keypad, IDC_KEY_CODE, "201");
                Click(keypad, IDC_KEY_SET);
                Click(keypad, IDOK);
            });
            Click(KeymapPage(dlg), IDC_PORTABLE_KEYPAD);
            Click(dlg, IDOK);
        });
        EXPECT_EQ(std::memcmp(expected, Terminal().m_keymap, sizeof expected), 0);
    }
}

// A host's portable array may leave pages out: what the remaining pages hold is stored and nothing else moves.
TEST_F(PortablePartialArray, WithoutTheKeymapPageTheKeymapStaysAsItWas)
{
    UseModel("M-10");
    Terminal().m_keymap[0].byKeyCode ^= 0x20; // a keymap of the user's
    Terminal().m_bUseMyKeymap = TRUE;
    KEYMAP_KEY before[KEYMAP_SIZE];
    std::memcpy(before, Terminal().m_keymap, sizeof before);
    std::vector<OPTIONITEM> options = {
        {JobOptions::PORTABLE_MODEL, -1, "Model", nullptr, nullptr, nullptr, 0, 0, nullptr},
        {JobOptions::PORTABLE_SETTING, -1, "Settings", nullptr, nullptr, nullptr, 0, 0, nullptr},
        {0, -1, nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr},
    };
    CDlgDefinePortable dlg(&Terminal(), options.data());
    ExpectModal([&](CDialog&) {
        Click(ShowPage<CDlgDefinePortableSetting>(dlg, "Settings", JobOptions::PORTABLE_SETTING),
              IDC_PORTABLE_BUZZERLOW);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(Terminal().m_nBuzzerVolume, BUZZER_LOW);
    EXPECT_TRUE(Terminal().m_bUseMyKeymap);
    EXPECT_EQ(std::memcmp(before, Terminal().m_keymap, sizeof before), 0);
}

// A count operator a damaged job holds has no name and takes no operand.
TEST(CountOperators, AnOperatorOutsideTheListHasNoNameAndNoOperand)
{
    for (int op : {-1, int(OP_COUNT), 1000})
    {
        EXPECT_EQ(OperatorName(op), nullptr) << op;
        EXPECT_FALSE(OperatorTakesOperand(op)) << op;
    }
}

} // namespace
