// The job dialog on the reference host's document in its three modes, used as a person uses it: the pages
// are reached through the tree, boxes ticked, spinner arrows and palette entries clicked.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "job/CDlgDefineJobBasic.h"
#include "job/CDlgDefineJobColor.h"
#include "job/CDlgDefineJobFlowchart.h"
#include "job/CDlgDefineJobMakeJob.h"
#include "job/CDlgDefineJobPortable.h"
#include "job/CDlgDefineJobSimulateJob.h"
#include "job_harness.h"

using namespace pdt::test;

namespace
{

using JobDialog = JobDialogTest;
using J = JobOptions;

// Each mode reopens on its own last page, whether it closed with OK or Cancel; the language mode remembers
// nothing and selects none. When nothing is selected, the focused tree shows its first entry.
TEST_F(JobDialog, ModesRememberTheirOwnLastPage)
{
    OPTIONITEM language[] = {
        {J::JOB_BASIC, -1, "Basic", nullptr, nullptr, nullptr, 0, 0, nullptr},
        {J::JOB_PORTABLE, -1, "Portable", nullptr, nullptr, nullptr, 0, 0, nullptr},
        {0, -1, nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr},
    };
    struct Row
    {
        JOBSETTINGMODE mode;
        int shownAtStart;
        const char* click;
        int close;
        int global; // remembered afterwards
        int job;
    };
    const Row rows[] = {
        {JSM_GLOBAL, J::JOB_FLOWCHART, "Colors", IDCANCEL, J::JOB_COLOR, 4242},
        {JSM_JOB, J::JOB_BASIC, "Portable", IDOK, J::JOB_COLOR, J::JOB_PORTABLE},
        {JSM_GLOBAL, J::JOB_COLOR, "Make Job", IDOK, J::JOB_MAKEJOB, J::JOB_PORTABLE},
        {JSM_LANGUAGE, J::JOB_BASIC, "Portable", IDOK, J::JOB_MAKEJOB, J::JOB_PORTABLE},
        {JSM_LANGUAGE, J::JOB_BASIC, nullptr, IDCANCEL, J::JOB_MAKEJOB, J::JOB_PORTABLE},
        {JSM_JOB, J::JOB_PORTABLE, "Basic", IDCANCEL, J::JOB_MAKEJOB, J::JOB_BASIC},
        {JSM_GLOBAL, J::JOB_MAKEJOB, nullptr, IDCANCEL, J::JOB_MAKEJOB, J::JOB_BASIC},
    };
    m_doc.m_nLastGlobalJobOption = 4242; // no entry has it
    m_doc.m_nLastJobOption = 4242;
    int step = 0;
    for (const Row& row : rows)
    {
        SCOPED_TRACE(step++);
        Run(
            row.mode,
            [&](CDlgDefineJob& dlg) {
                EXPECT_EQ(ShownPages(dlg), std::vector<int>{row.shownAtStart});
                if (row.click)
                    ClickItem(dlg, FindItem(dlg, row.click));
                Click(dlg, row.close);
            },
            row.mode == JSM_LANGUAGE ? language : nullptr);
        EXPECT_EQ(m_doc.m_nLastGlobalJobOption, row.global);
        EXPECT_EQ(m_doc.m_nLastJobOption, row.job);
    }
}

// Every spinner at both ends and one step inside them, and one press more than the gap to the limit, in one
// dialog: each press starts from the size put into its edit, and OK stores the last of each.
TEST_F(JobDialog, SpinnersStepWithinTheirLimits)
{
    using S = JobSettings;
    struct Spinner
    {
        int bar;
        int edit;
        int S::*field;
        int min, max, step;
    };
    const Spinner spinners[] = {
        {IDC_JOB_SPINNODEHEIGHT, IDC_JOB_NODEHEIGHT, &S::nNodeHeight, 25, 100, 5},
        {IDC_JOB_SPINNODEWIDTH, IDC_JOB_NODEWIDTH, &S::nNodeWidth, 50, 200, 10},
        {IDC_JOB_SPINPAGEHEIGHT, IDC_JOB_PAGEHEIGHT, &S::nPageHeight, 800, 8000, 100},
        {IDC_JOB_SPINPAGEWIDTH, IDC_JOB_PAGEWIDTH, &S::nPageWidth, 1100, 11000, 100},
    };
    struct Press
    {
        int start;
        bool up;
        int result;
    };
    auto shown = [](int v) { return CString(std::to_string(v).c_str()); };
    Run(JSM_GLOBAL, [&](CDlgDefineJob& dlg) {
        auto& page = ShowPage<CDlgDefineJobFlowchart>(dlg, "Flowchart", J::JOB_FLOWCHART);
        for (const Spinner& sp : spinners)
        {
            EXPECT_EQ(Text(page, sp.edit), shown(m_doc.m_settings.*sp.field)) << "the stored size is shown";
            const int lo = sp.min, hi = sp.max, step = sp.step, half = sp.step / 2;
            for (Press p : {Press{hi, true, hi}, Press{hi - step, true, hi}, Press{hi, false, hi - step},
                            Press{lo, false, lo}, Press{lo + step, false, lo}, Press{lo + half, false, lo},
                            Press{hi - half, true, hi}, Press{lo, true, lo + step}})
            {
                SCOPED_TRACE(std::to_string(sp.bar) + (p.up ? " up from " : " down from ") + std::to_string(p.start));
                page.SetDlgItemText(sp.edit, shown(p.start));
                ClickArrow(page, sp.bar, p.up);
                EXPECT_EQ(Text(page, sp.edit), shown(p.result));
            }
        }
        Click(dlg, IDOK);
    });
    for (const Spinner& sp : spinners)
        EXPECT_EQ(m_doc.m_settings.*sp.field, sp.min + sp.step) << sp.bar;
}

// An address the list does not have (a lower-case letter, a digit above 6) selects nothing and survives OK.
TEST_F(JobDialog, AnUnlistedAddressIsKept)
{
    for (char address : {'a', '9', '\0'})
    {
        m_doc.m_settings.chAddress = address;
        Run(JSM_JOB, [&](CDlgDefineJob& dlg) {
            EXPECT_EQ(ShowPage<CDlgDefineJobPortable>(dlg, "Portable", J::JOB_PORTABLE).m_cbAddress.GetCurSel(), -1);
            Click(dlg, IDOK);
        });
        EXPECT_EQ(m_doc.m_settings.chAddress, address);
    }
}

// Every check box of the basic, make-job and simulation pages against its field, both ways: in each round the
// boxes whose number has that bit are clicked, so two boxes swapped or bound to one field differ in some round.
TEST_F(JobDialog, CheckBoxesReachTheDocumentAndComeBack)
{
    using S = JobSettings;
    struct Row
    {
        JOBSETTINGMODE mode;
        const char* label;
        int id;
        BOOL S::*field;
    };
    const Row rows[] = {
        {JSM_JOB, "Basic", IDC_JOB_NOESCTERMINATE, &S::bNoEscTerminate},
        {JSM_JOB, "Basic", IDC_JOB_ENGINELOG, &S::bJobEngineLog},
        {JSM_GLOBAL, "Make Job", IDC_JOB_SKIPSEARCHTABLE, &S::bSkipSearchTable},
        {JSM_GLOBAL, "Make Job", IDC_JOB_SKIPFONT, &S::bSkipFont},
        {JSM_GLOBAL, "Make Job", IDC_JOB_NOLOOKUPDOWNLOAD, &S::bNoLookupDownload},
        {JSM_GLOBAL, "Make Job", IDC_JOB_SKIPJOBNAMEFILE, &S::bSkipJobNameFile},
        {JSM_GLOBAL, "Make Job", IDC_JOB_NOAUTODOWNLOAD, &S::bNoAutoDownload},
        {JSM_GLOBAL, "Make Job", IDC_JOB_FASTSPEED, &S::bFastSpeed},
        {JSM_GLOBAL, "Make Job", IDC_JOB_VERSION4JOB, &S::bVersion4Job},
        {JSM_GLOBAL, "Simulation", IDC_JOB_LARGEWINDOW, &S::bLargeWindow},
    };
    const int n = int(std::size(rows));
    auto wanted = [](int row, int round) { return BOOL(((row + 1) >> round) & 1); };
    for (int round = 0; round <= 4; ++round)
    {
        SCOPED_TRACE("round " + std::to_string(round));
        for (JOBSETTINGMODE mode : {JSM_JOB, JSM_GLOBAL})
            Run(mode, [&](CDlgDefineJob& dlg) {
                for (int i = 0; i < n; ++i)
                {
                    if (rows[i].mode != mode)
                        continue;
                    ClickItem(dlg, rows[i].label);
                    CDialog& page = *dlg.m_pActiveOption->pPage;
                    const BOOL before = round == 0 ? FALSE : wanted(i, round - 1);
                    EXPECT_EQ(page.IsDlgButtonChecked(rows[i].id), UINT(before)) << rows[i].id << " as stored";
                    if (before != wanted(i, round))
                        Click(page, rows[i].id);
                }
                Click(dlg, IDOK);
            });
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(m_doc.m_settings.*rows[i].field, wanted(i, round)) << rows[i].id;
    }
}

// "Default" on each picker: the fixed colours of the pickers that are not node kinds; node kinds keep the
// picker's own default, which the document reads as the kind's colour. No other picker changes.
TEST_F(JobDialog, DefaultColourOfEachPicker)
{
    struct Row
    {
        int picker;
        JobColour which;
        COLORREF onPage; // after choosing "Default"
    };
    const Row rows[] = {
        {IDC_JOB_COLORCOMMENT, JC_COMMENT, CLR_DEFAULT},
        {IDC_JOB_COLORMENU, JC_MENU, CLR_DEFAULT},
        {IDC_JOB_COLORCOLLECT, JC_COLLECT, CLR_DEFAULT},
        {IDC_JOB_COLORMATH, JC_MATH, CLR_DEFAULT},
        {IDC_JOB_COLOREDIT, JC_EDIT, CLR_DEFAULT},
        {IDC_JOB_COLORERASE, JC_ERASE, CLR_DEFAULT},
        {IDC_JOB_COLORUPLOAD, JC_UPLOAD, CLR_DEFAULT},
        {IDC_JOB_COLORPROGRAM, JC_PROGRAM, CLR_DEFAULT},
        {IDC_JOB_COLORRUNJOB, JC_RUNJOB, CLR_DEFAULT},
        {IDC_JOB_COLORLINK, JC_LINK, GetSysColor(COLOR_WINDOWTEXT)},
        {IDC_JOB_COLORNODETEXT, JC_NODETEXT, GetSysColor(COLOR_BTNTEXT)},
        {IDC_JOB_COLORSTARTNODE, JC_STARTNODE, RGB(255, 192, 203)},
        {IDC_JOB_COLORSELNODE, JC_SELNODE, GetSysColor(COLOR_HIGHLIGHT)},
        {IDC_JOB_COLORSELLINK, JC_SELLINK, RGB(255, 0, 0)},
        {IDC_JOB_COLOREXCLUDED, JC_EXCLUDED, RGB(192, 192, 192)},
        {IDC_JOB_COLORSCREEN, JC_SCREEN, RGB(192, 192, 192)},
    };
    // Colours of the user's, none of them in the palette, so "Default" has the palette's focus.
    for (int i = 0; i < JC_COUNT; ++i)
        m_doc.m_settings.crColours[i] = RGB(1, 2, 3 + i);
    m_doc.m_crScreenBackground = RGB(1, 2, 3 + JC_SCREEN);
    Run(JSM_GLOBAL, [&](CDlgDefineJob& dlg) {
        auto& page = ShowPage<CDlgDefineJobColor>(dlg, "Colors", J::JOB_COLOR);
        auto colours = [&] {
            std::vector<COLORREF> c;
            for (const Row& r : rows)
                c.push_back(static_cast<CColourPicker*>(page.GetDlgItem(r.picker))->GetColour());
            return c;
        };
        for (const Row& row : rows)
        {
            SCOPED_TRACE(row.picker);
            std::vector<COLORREF> expected = colours();
            expected[size_t(row.which)] = row.onPage;
            auto* picker = static_cast<CColourPicker*>(page.GetDlgItem(row.picker));
            Click(page, row.picker);
            ASSERT_TRUE(picker->IsPaletteOpen());
            Key(VK_SPACE);
            Pump();
            EXPECT_EQ(colours(), expected);
        }
        Click(dlg, IDOK);
    });
    for (const Row& row : rows)
        EXPECT_EQ(m_doc.m_settings.crColours[row.which], DefaultJobColour(row.which)) << row.picker;
    EXPECT_EQ(m_doc.m_crScreenBackground, RGB(192, 192, 192)) << "the screen page draws with it";
    EXPECT_EQ(DefaultJobColour(JC_MENU), HostNode::KindColour(NODE_SCREEN));
}

} // namespace
