// The portable dialog on the reference host's terminal, used as a person uses it: choosing a model and the
// settings, editing the keymap on the keypad, resetting it, and closing with OK or Cancel.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "portable/CDlgDefineKeypad.h"
#include "portable_harness.h"
#include "tests/simulation/keypad_harness.h"

using namespace pdt::test;

namespace
{

using PortableDialog = PortableDialogTest;

// In the keypad dialog: select key 7, give it a code and set it.
void SetCodeOfSeven(CDialog& keypad, const char* code)
{
    Click(keypad, IDC_KEY_7);
    Type(keypad, IDC_KEY_CODE, code);
    Click(keypad, IDC_KEY_SET);
}

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

// Whatever was chosen on the model page, the keypad is the one of the model the terminal has until OK: the
// keymap being edited is that terminal's.
TEST_F(PortableDialog, KeypadIsTheStoredModelsEvenAfterAnotherModelWasChosen)
{
    UseModel("M-10");
    Run([&](CDlgDefinePortable& dlg) {
        auto& model = ShowPage<CDlgDefinePortableModel>(dlg, "Model", JobOptions::PORTABLE_MODEL);
        Click(model, IDC_PORTABLE_R50G);
        auto& keymap = KeymapPage(dlg);
        ExpectModal([](CDialog& keypad) {
            EXPECT_EQ(keypad.GetTemplateID(), UINT(IDD_KEYPAD_M10));
            EXPECT_EQ(static_cast<CDlgDefineKeypad&>(keypad).m_nMode, KEYPAD_MODE_EDIT);
            EXPECT_TRUE(keypad.GetDlgItem(IDC_KEY_SET)->IsWindowVisible());
            Click(keypad, IDCANCEL);
        });
        Click(keymap, IDC_PORTABLE_KEYPAD);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(Terminal().m_strModel, "M-10");
}

// The keymap's way from the keypad and from "Reset Keymap" to the terminal: only OK of both dialogs (or Yes)
// changes the page's copy, and only the container's OK hands it to the terminal.
TEST_F(PortableDialog, AnEditedKeymapReachesTheTerminalOnlyThroughOk)
{
    enum Action
    {
        KeypadOk,
        KeypadCancel,
        KeypadCloseBox,
        ResetYes,
        ResetNo
    };
    struct Row
    {
        const char* name;
        Action action;
        int close;             // IDOK or IDCANCEL of the portable dialog
        bool changed;          // the page's m_bKeymapChanged afterwards
        unsigned pageCode;     // key 7 in the page's copy
        unsigned terminalCode; // key 7 in the terminal's keymap afterwards
    };
    const Row rows[] = {
        {"keypad OK, dialog OK", KeypadOk, IDOK, true, 200, 200},
        {"keypad OK, dialog Cancel", KeypadOk, IDCANCEL, true, 200, 99},
        {"keypad Cancel", KeypadCancel, IDOK, false, 99, 99},
        {"keypad closed", KeypadCloseBox, IDOK, false, 99, 99},
        {"reset Yes, dialog OK", ResetYes, IDOK, true, '7', '7'},
        {"reset Yes, dialog Cancel", ResetYes, IDCANCEL, true, '7', 99},
        {"reset No", ResetNo, IDOK, false, 99, 99},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.name);
        UseModel("M-13");
        SetKeyCodeWKM(IDC_KEY_7, 99, Terminal().m_keymap);
        KEYMAP_KEY before[KEYMAP_SIZE];
        CopyKeymap(before, Terminal().m_keymap);
        Run([&](CDlgDefinePortable& dlg) {
            auto& page = KeymapPage(dlg);
            switch (row.action)
            {
            case KeypadOk:
            case KeypadCancel:
            case KeypadCloseBox:
                ExpectModal([&](CDialog& keypad) {
                    SetCodeOfSeven(keypad, "200");
                    EXPECT_EQ(Shown(keypad).code, "200");
                    if (row.action == KeypadOk)
                        Click(keypad, IDOK);
                    else if (row.action == KeypadCancel)
                        Click(keypad, IDCANCEL);
                    else
                        CloseBox(keypad.m_hWnd);
                });
                Click(page, IDC_PORTABLE_KEYPAD);
                break;
            case ResetYes:
            case ResetNo: {
                size_t seen = MessageBoxes().size();
                ExpectMessageBox(row.action == ResetYes ? IDYES : IDNO);
                Click(page, IDC_PORTABLE_RESETKEYMAP);
                EXPECT_EQ(MessageBoxes().size(), seen + 1);
                EXPECT_EQ(MessageBoxes().back().text, "Reset keymap to portable default?");
                EXPECT_EQ(MessageBoxes().back().type, UINT(MB_YESNO | MB_ICONQUESTION));
                break;
            }
            }
            EXPECT_EQ(page.m_bKeymapChanged, row.changed);
            EXPECT_EQ(CodeOf(page.m_Keymap, IDC_KEY_7), row.pageCode);
            EXPECT_EQ(CodeOf(Terminal().m_keymap, IDC_KEY_7), 99u) << "nothing reaches the terminal before OK";
            Click(dlg, row.close);
        });
        EXPECT_EQ(CodeOf(Terminal().m_keymap, IDC_KEY_7), row.terminalCode);
        if (row.terminalCode == 99)
        {
            EXPECT_EQ(std::memcmp(before, Terminal().m_keymap, sizeof before), 0) << "no entry changed";
        }
    }
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

// The use flag decides which keymap the job runs with.
TEST_F(PortableDialog, TheUseFlagPicksTheKeymapTheJobRunsWith)
{
    UseModel("M-13");
    SetKeyCodeWKM(IDC_KEY_7, 99, Terminal().m_keymap);
    KEYMAP_KEY inUse[KEYMAP_SIZE];
    for (bool use : {true, false})
    {
        Run([&](CDlgDefinePortable& dlg) {
            auto& page = KeymapPage(dlg);
            if (page.IsDlgButtonChecked(IDC_PORTABLE_USEMYKEYMAP) != UINT(use))
                Click(page, IDC_PORTABLE_USEMYKEYMAP);
            Click(dlg, IDOK);
        });
        EXPECT_EQ(Terminal().m_bUseMyKeymap, use ? TRUE : FALSE);
        Terminal().GetKeymapInUse(inUse);
        EXPECT_EQ(CodeOf(inUse, IDC_KEY_7), use ? 99u : unsigned('7'));
        EXPECT_EQ(CodeOf(Terminal().m_keymap, IDC_KEY_7), 99u) << "the own keymap is kept either way";
    }
}

// The dialog reopens on the page shown when it last closed, by OK or by Cancel.
TEST_F(PortableDialog, ReopensOnTheLastPageAfterOkAndCancel)
{
    struct Row
    {
        const char* click; // entry clicked before closing; null for none
        int close;
        int remembered;
    };
    const Row rows[] = {
        {"Settings", IDCANCEL, JobOptions::PORTABLE_SETTING},
        {"Keymap", IDOK, JobOptions::PORTABLE_KEYMAP},
        {"Model", IDCANCEL, JobOptions::PORTABLE_MODEL},
        {nullptr, IDOK, JobOptions::PORTABLE_MODEL},
    };
    std::vector<int> shownAtStart;
    for (const Row& row : rows)
    {
        Run([&](CDlgDefinePortable& dlg) {
            std::vector<int> shown = ShownPages(dlg);
            shownAtStart.push_back(shown.empty() ? 0 : shown[0]);
            if (row.click)
                ClickItem(dlg, row.click);
            Click(dlg, row.close);
        });
        EXPECT_EQ(m_doc.m_nLastPortableOption, row.remembered) << (row.click ? row.click : "none");
    }
    EXPECT_EQ(shownAtStart, (std::vector<int>{JobOptions::PORTABLE_MODEL, JobOptions::PORTABLE_SETTING,
                                              JobOptions::PORTABLE_KEYMAP, JobOptions::PORTABLE_MODEL}));
}

// A remembered id that no entry has selects nothing; the tree, which has the focus, then shows its first
// entry as a tree does, and the dialog works as usual.
TEST_F(PortableDialog, AnUnknownRememberedPageOpensOnTheFirstEntry)
{
    UseModel("M-10");
    for (int remembered : {4242, 2115, -1, 0})
    {
        SCOPED_TRACE(remembered);
        m_doc.m_nLastPortableOption = remembered;
        EXPECT_EQ(Run([&](CDlgDefinePortable& dlg) {
                      EXPECT_EQ(ShownPages(dlg), std::vector<int>{JobOptions::PORTABLE_MODEL});
                      Click(dlg, IDOK);
                  }),
                  IDOK);
        EXPECT_EQ(m_doc.m_nLastPortableOption, JobOptions::PORTABLE_MODEL);
        EXPECT_EQ(Terminal().m_strModel, "M-10");
        EXPECT_EQ(std::memcmp(Terminal().m_keymap, KEYMAP_M10, sizeof KEYMAP_M10), 0);
    }
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

} // namespace
