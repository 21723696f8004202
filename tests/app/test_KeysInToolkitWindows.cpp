// The toolkit's own windows over jobhost's, driven from the keyboard: the "Save changes" box answers Enter, N and
// Escape while the menus' shortcut keys never reach the window it disables, and a name typed into Save As or into
// the simulation window's Load File is the file that is written or read.
#include <filesystem>
#include <fstream>

#include "app_harness.h"
#include "host/app/SimulationWindow.h"
#include "host/app/res/simulation.h"
#include "host/jobfile/JobFile.h"
#include "host/model/SampleJob.h"
#include "host/sim/JobRunner.h"

using namespace pdt::test;
namespace fs = std::filesystem;

namespace
{

class KeysInToolkitWindows : public MainWindowTest
{
  protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        pdt::support::SetFileDialogHandler([this](const pdt::support::FileDialogRequest& r) {
            asked.push_back(r);
            return CString(path.c_str());
        });
    }
    std::string path;
    std::vector<pdt::support::FileDialogRequest> asked;
};

struct PromptAnswer
{
    const char* name;
    UINT key;
    bool saved;   // the job went to the file first
    bool replaced; // File > New went ahead
};

void PrintTo(const PromptAnswer& a, std::ostream* os) { *os << a.name; }

class SaveChangesPrompt : public KeysInToolkitWindows, public ::testing::WithParamInterface<PromptAnswer>
{
};

TEST_P(SaveChangesPrompt, AnswersTheKeyAndNothingElse)
{
    const PromptAnswer& c = GetParam();
    Open();
    Drag(ViewWnd(), Centre(Node("Upload")), Centre(Node("Upload")) + CPoint(30, 0));
    int nodes = Doc().GetNodeCount();
    path = (fs::path(TempDir()) / "kept.pdtjob").string();
    std::string text;
    std::vector<std::string> seen = InToolkitWindows({[&] {
                                                          text = MessageBoxTextInFront();
                                                          Key('O', false, true); // the menus' keys go nowhere
                                                          Key('F', false, true);
                                                          Key(c.key);
                                                      }},
                                                     [&] { Menu("File", ID_FILE_NEW); });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(text, "Save changes to Warehouse.job?");
    EXPECT_EQ(asked.size(), c.saved ? 1u : 0u) << "Save As only for Yes; Ctrl+O opened nothing";
    EXPECT_EQ(fs::exists(path), c.saved);
    EXPECT_EQ(Doc().GetNodeCount(), c.replaced ? 0 : nodes);
    EXPECT_EQ(Doc().IsModified(), !c.replaced);
}

INSTANTIATE_TEST_SUITE_P(Keys, SaveChangesPrompt,
                         ::testing::Values(PromptAnswer{"EnterSaves", VK_RETURN, true, true},
                                           PromptAnswer{"NDoesNotSave", 'N', false, true},
                                           PromptAnswer{"EscapeKeepsTheJob", VK_ESCAPE, false, false}),
                         [](const ::testing::TestParamInfo<PromptAnswer>& info) { return std::string(info.param.name); });

TEST_F(KeysInToolkitWindows, ANameTypedIntoSaveAsIsTheFileWritten)
{
    Open();
    pdt::support::SetFileDialogHandler(nullptr); // the toolkit's own file dialog
    const std::string typed = (fs::path(TempDir()) / "typed.pdtjob").string();
    InToolkitWindows({[&] {
                         Key('A', false, true);
                         Type(typed.c_str());
                         Key(VK_RETURN);
                     }},
                     [&] { Menu("File", ID_FILE_SAVE_AS); });
    ASSERT_TRUE(fs::exists(typed));
    std::string error;
    auto saved = LoadJobFile(typed, &error);
    ASSERT_TRUE(saved) << error;
    EXPECT_EQ(saved->GetNodeCount(), Doc().GetNodeCount());
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(KeysInToolkitWindows, APathTypedIntoLoadFileIsTheFileLoadedNotTheKeypadsKeys)
{
    pdt::support::SetFileDialogHandler(nullptr);
    const std::string typed = (fs::path(TempDir()) / "ITEMS.DAT").string();
    std::ofstream(typed, std::ios::binary) << "4006381333931\r\n";
    auto doc = MakeSampleJob();
    SimulationWindow window(*doc);
    ASSERT_TRUE(window.Create());
    window.ShowWindow(SW_SHOW);
    Pump();
    const std::string before = window.GetRunner().GetFiles().Describe();
    InToolkitWindows({[&] {
                         Key('A', false, true);
                         Type(typed.c_str());
                         Key(VK_RETURN);
                     }},
                     [&] { Click(window, IDC_SIM_LOADFILE); });
    Pump();
    const std::string after = window.GetRunner().GetFiles().Describe();
    EXPECT_NE(after.find("ITEMS.DAT"), std::string::npos) << after;
    EXPECT_NE(after.find("4006381333931"), std::string::npos) << after;
    EXPECT_EQ(before.find("ITEMS.DAT"), std::string::npos) << before;
    window.DestroyWindow();
    Pump();
}

} // namespace
