// The simulation window driven as a person drives it: clicks on the keypad's keys and keys of the computer's
// keyboard run the sample job; the screen, the data pane, the log and the simulation flag follow.
#include <gtest/gtest.h>

#include <QImage>

#include "host/app/SimulationWindow.h"
#include "host/app/res/simulation.h"
#include "host/model/SampleJob.h"
#include "platform/afxcmn.h"
#include "platform/testing/pdttest.h"
#include "portable/CDlgDefineKeypad.h"
#include "resources/resource.h"
#include "sim_jobs.h"
#include "support/Support.h"

using namespace pdt::test;
using namespace simtest;

namespace
{

// The data pane's column titles.
std::vector<std::string> Columns(CListCtrl& data)
{
    std::vector<std::string> titles;
    for (int c = 0; c < data.GetColumnCount(); ++c)
    {
        char text[64] = {};
        LVCOLUMN column{};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        EXPECT_TRUE(data.GetColumn(c, &column));
        titles.push_back(text);
    }
    return titles;
}

} // namespace

// The keypad in the window types on the terminal: its dialog's own buttons and the key's name and code, which choose
// a key for a link elsewhere, are gone; the data pane names its columns after the record's fields.
TEST(SimulationWindow, KeypadClicksRunTheSampleJob)
{
    ShownWindow w;
    SimulationWindow& window = w.window;
    EXPECT_EQ(OnJobSimulation, 1);
    CDlgDefineKeypad& keypad = w.Keypad();
    EXPECT_EQ(keypad.GetParent(), &window); // beside the screen, inside the window
    for (int id : {int(IDOK), int(IDCANCEL), IDC_KEY_ANYKEY, IDC_KEY_NAME_LABEL, IDC_KEY_NAME, IDC_KEY_CODE_LABEL,
                   IDC_KEY_CODE, IDC_KEY_CHAR})
    {
        ASSERT_NE(keypad.GetDlgItem(id), nullptr) << id;
        EXPECT_FALSE(keypad.GetDlgItem(id)->IsWindowVisible()) << id;
    }
    // The pane ends where its keys end: nothing hidden takes room beside them.
    CRect pad, f4;
    keypad.GetWindowRect(&pad);
    keypad.GetDlgItem(IDC_KEY_F4)->GetWindowRect(&f4);
    EXPECT_LT(pad.right - f4.right, 30);

    // F4: the stock count; a location, Enter, a quantity, Enter writes a record of STOCK.TXT.
    w.Press({IDC_KEY_F4, IDC_KEY_1, IDC_KEY_2, IDC_KEY_ENTER, IDC_KEY_5, IDC_KEY_ENTER});
    EXPECT_EQ(window.GetRunner().GetFiles().Describe(), "STOCK.TXT (1 record)\n  STK12\\t5\\r\\n\n");
    auto* data = static_cast<CListCtrl*>(window.GetDlgItem(IDC_SIM_DATA));
    ASSERT_EQ(data->GetItemCount(), 1);
    EXPECT_EQ(Columns(*data), (std::vector<std::string>{"#", "Location", "Quantity", "Record"}));
    EXPECT_EQ(data->GetItemText(0, 1), "12") << "the field, without the record's preamble";
    EXPECT_EQ(data->GetItemText(0, 2), "5");
    EXPECT_EQ(data->GetItemText(0, 3), "STK12\\t5\\r\\n") << "the record as written";
    const CString log = w.Text(IDC_SIM_LOG);
    EXPECT_NE(log.Find("Record \"Stock Count\" written to C:\\Jobs\\STOCK.TXT"), -1) << log.c_str();

    // The computer's keyboard types on the keypad too, wherever the focus is in the window.
    Focus(w.Item(IDC_SIM_RESTART));
    Key('3');
    Key('4');
    Pump();
    // Each prompt and value on a line of its own (the mark it had left blanked), back to the location.
    EXPECT_EQ(w.Prompt(), "Location:12 \r\nQty, F2 review:5 \r\nLocation:34_");
    Key(VK_ESCAPE);
    Key(VK_RETURN);
    Pump();
    EXPECT_EQ(window.GetRunner().GetState(), RunState::Ended);
    EXPECT_EQ(w.Prompt(), "Job aborted");
    EXPECT_EQ(OnJobSimulation, 0);          // the job ended: the keypad dialogs are themselves again
    EXPECT_TRUE(::IsWindow(window.m_hWnd)); // Escape and Enter are the terminal's, not the window's

    // Restart runs it again from the menu, with empty data files; closing the window clears the flag.
    Click(window, IDC_SIM_RESTART);
    Pump();
    EXPECT_EQ(OnJobSimulation, 1);
    EXPECT_EQ(window.GetRunner().GetFiles().All().size(), 0u);
    EXPECT_EQ(data->GetItemCount(), 0);
    CloseBox(window.m_hWnd);
    Pump();
    EXPECT_FALSE(::IsWindow(window.m_hWnd));
    EXPECT_EQ(OnJobSimulation, 0);
}

// The terminals have no Tab key: while a job runs, Tab and Shift+Tab still move the focus through the window, its
// keypad's keys included, and the other keys still go to the terminal wherever the focus went.
TEST(SimulationWindow, TabMovesTheFocusWhileTheKeyboardIsTheKeypad)
{
    ShownWindow w;
    ASSERT_EQ(OnJobSimulation, 1);
    const std::string menu = w.Prompt();
    const HWND f4 = ::GetDlgItem(w.Keypad().m_hWnd, IDC_KEY_F4);
    struct
    {
        HWND from;
        bool backwards;
        HWND to; // null: anywhere else
    } steps[] = {
        {w.Item(IDC_SIM_LOADFILE), false, w.Item(IDC_SIM_FILES)},
        {w.Item(IDC_SIM_FILES), true, w.Item(IDC_SIM_LOADFILE)},
        {w.Item(IDC_SIM_SCANBTN), false, w.Item(IDC_SIM_LOADFILE)},
        {f4, false, nullptr},
        {f4, true, nullptr},
    };
    for (const auto& s : steps)
    {
        SCOPED_TRACE(::testing::Message()
                     << CWnd::FromHandle(s.from)->GetDlgCtrlID() << (s.backwards ? " Shift+Tab" : " Tab"));
        Focus(s.from);
        Key(VK_TAB, s.backwards);
        if (s.to)
        {
            EXPECT_EQ(::GetFocus(), s.to);
        }
        else
        {
            EXPECT_NE(::GetFocus(), s.from);
        }
    }
    EXPECT_EQ(w.Prompt().find('\t'), std::string::npos);
    Focus(w.Item(IDC_SIM_FILES));
    for (UINT vk : {UINT(VK_F4), UINT('1'), UINT('2')})
        Key(vk);
    Pump();
    EXPECT_EQ(w.Prompt(), "Location:12_");

    // The terminals have no Alt key either: Alt and a button's letter press it from anywhere in the window, as a
    // dialog's mnemonics do (Stop, then Run again).
    Key('S', false, false, true);
    Pump();
    EXPECT_EQ(w.window.GetRunner().GetState(), RunState::Stopped);
    Key('R', false, false, true);
    Pump();
    EXPECT_NE(w.window.GetRunner().GetState(), RunState::Stopped);
    EXPECT_EQ(w.Prompt(), menu) << "the job started again, and took no key";
}

TEST(SimulationWindow, StopEndsTheRunAndScanReadsABarcode)
{
    ShownWindow w;
    SimulationWindow& window = w.window;
    window.LoadFile("C:\\Jobs\\ITEMS.DAT", "4006381333931\r\n");
    Click(w.Keypad(), IDC_KEY_F1);
    Type(window, IDC_SIM_SCAN, "4006381333931");
    Key(VK_RETURN);
    Pump();
    EXPECT_EQ(window.GetRunner().GetNodeData(w.doc->FindNodeByName("Scan Item")->m_nID), "4006381333931");
    Click(window, IDC_SIM_STOP);
    Pump();
    EXPECT_EQ(window.GetRunner().GetState(), RunState::Stopped);
    EXPECT_EQ(OnJobSimulation, 0);
    EXPECT_EQ(w.Text(IDC_SIM_STATE), "Stopped. Stopped by the user.");
    EXPECT_FALSE(window.GetDlgItem(IDC_SIM_STOP)->IsWindowEnabled());
}

// jobhost --simulate as a person types it: the report, and the faults that stop it before the run.
TEST(SimulateCommand, ReportsTheRun)
{
    struct
    {
        std::vector<const char*> args;
        int status;
        const char* out; // the report, or empty
        const char* err;
    } rows[] = {
        {{"--simulate", "sample", "--keys", "{F4}12{ENTER}5{ENTER}"},
         0,
         "Job: sample (M-20, 21 x 8)\n"
         "+---------------------+\n"
         "|Location:12          |\n"
         "|Qty, F2 review:5     |\n"
         "|Location:_           |\n"
         "|                     |\n"
         "|                     |\n"
         "|                     |\n"
         "|                     |\n"
         "|                     |\n"
         "+---------------------+\n"
         "State: waiting for a key at node \"Location\"\n"
         "Keys: 6 of 6 used, 4 nodes passed\n"
         "Data files:\n"
         "STOCK.TXT (1 record)\n"
         "  STK12\\t5\\r\\n\n"
         "Uploaded:\n"
         "(nothing)\n",
         ""},
        // The ended run says how, and keys after the end are not used.
        {{"--simulate", "sample", "--keys", "{ESC}{ENTER}77"}, 0, "", ""},
        {{"--simulate"}, 2, "", "jobhost: --simulate needs a value\n"},
        {{"--simulate", "sample", "--file", "X"}, 2, "", "jobhost: --file needs NAME=PATH, not \"X\"\n"},
        {{"--simulate", "sample", "--file", "X=/no/such/file"}, 2, "", "jobhost: cannot read /no/such/file\n"},
        {{"--simulate", "sample", "--bogus"}, 2, "", "jobhost: unknown argument \"--bogus\"\n"},
    };
    for (const auto& row : rows)
    {
        std::string out, err;
        EXPECT_EQ(Jobhost(row.args, out, err), row.status) << row.args.back();
        EXPECT_EQ(err, row.err) << row.args.back();
        if (row.status != 0 || *row.out)
        {
            EXPECT_EQ(out, row.out) << row.args.back();
        }
        else
        {
            EXPECT_NE(out.find("State: ended. The job was ended by Escape.\nKeys: 2 of 4 used"), std::string::npos)
                << out;
        }
    }
}

TEST(SimulateCommand, WritesThePicture)
{
    const std::string png = TempDir() + "/screen.png";
    std::string out, err;
    ASSERT_EQ(Jobhost({"--simulate", "sample", "--keys", "{F1}12", "--png", png.c_str()}, out, err), 0) << err;
    QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    // Dark text on the light screen: the picture is not blank.
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 80;
    EXPECT_GT(dark, 50);
}
