// Job files through the main window: a job built through the windows is saved and read back equal, a damaged file
// is refused with the reader's message and the job on screen stays, a failed save keeps the job modified, "Yes" to
// "Save changes" saves before the job goes, and the recent files reopen what was saved.

#include <filesystem>
#include <fstream>

#include "../host/define_harness.h"
#include "app_harness.h"
#include "host/app/SimulationWindow.h"
#include "host/app/res/simulation.h"
#include "host/jobfile/JobFile.h"
#include "host/model/HostTerminal.h"

using namespace pdt::test;
namespace fs = std::filesystem;

namespace
{

class JobFilesInWindow : public MainWindowTest
{
  protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        pdt::support::SetFileDialogHandler([this](const pdt::support::FileDialogRequest& r) {
            asked.push_back(r);
            return answer;
        });
    }
    void TearDown() override
    {
        SetJobFileWriteLimit(-1);
        MainWindowTest::TearDown();
    }
    CString Path(const char* name) { return CString((fs::path(TempDir()) / name).string()); }

    CString answer; // what the file dialog answers: a path, or empty for Cancel
    std::vector<pdt::support::FileDialogRequest> asked;
};

void WriteText(const CString& path, const std::string& text) { std::ofstream(path.c_str(), std::ios::binary) << text; }

// The reader's own messages for each kind of damage are the job file tests'; here, what the window does with one.
TEST_F(JobFilesInWindow, ADamagedFileIsRefusedAndTheJobOnScreenStays)
{
    Open();
    Drag(ViewWnd(), Centre(Node("Upload")), Centre(Node("Upload")) + CPoint(30, 0));
    JobDocument* before = &Doc();
    answer = Path("damaged.pdtjob");
    WriteText(answer, FormatJobText(*MakeSampleJob()).substr(0, 200));
    std::string readerSays;
    EXPECT_EQ(LoadJobFile(answer.str(), &readerSays), nullptr);
    ExpectMessageBox(IDNO); // do not save the moved node
    ExpectMessageBox(IDOK); // the reader's message
    Menu("File", ID_FILE_OPEN);
    ASSERT_EQ(MessageBoxes().size(), 2u);
    EXPECT_NE(MessageBoxes().back().text.Find(readerSays.c_str()), -1) << MessageBoxes().back().text.c_str();
    EXPECT_EQ(MessageBoxes().back().type & 0xF0, UINT(MB_ICONSTOP));
    EXPECT_EQ(&Doc(), before);
    EXPECT_EQ(Doc().GetNodeCount(), MakeSampleJob()->GetNodeCount());
    EXPECT_TRUE(Doc().IsModified()) << "the job on screen keeps its changes";
    EXPECT_TRUE(MainFrame::GetRecentFiles().empty());
}

TEST_F(JobFilesInWindow, AFailedSaveKeepsTheJobModified)
{
    auto doc = MakeSampleJob();
    Open(std::move(doc));
    answer = Path("full-disk.pdtjob");
    Menu("File", ID_FILE_SAVE_AS);
    ASSERT_TRUE(fs::exists(answer.c_str()));
    std::string saved = FormatJobText(Doc());

    Drag(ViewWnd(), Centre(Node("Upload")), Centre(Node("Upload")) + CPoint(30, 0));
    SetJobFileWriteLimit(16);
    ExpectMessageBox(IDOK);
    Menu("File", ID_FILE_SAVE);
    ASSERT_FALSE(MessageBoxes().empty());
    EXPECT_EQ(MessageBoxes().back().text.Find("Cannot save"), 0);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(frame->GetWindowText(), "full-disk.pdtjob* - jobhost");
    std::string error;
    auto onDisk = LoadJobFile(answer.str(), &error);
    ASSERT_TRUE(onDisk) << error;
    EXPECT_EQ(FormatJobText(*onDisk), saved) << "the file as it was saved before";

    // Closing now asks, and a save that fails again keeps the window open.
    ExpectMessageBox(IDYES);
    ExpectMessageBox(IDOK);
    CloseBox(frame->m_hWnd);
    EXPECT_TRUE(IsWindow(frame->m_hWnd));
}

TEST_F(JobFilesInWindow, RecentFilesReopenWhatWasSavedAndForgetWhatIsGone)
{
    Open();
    for (const char* name : {"one.pdtjob", "two.pdtjob", "three.pdtjob", "four.pdtjob", "five.pdtjob"})
    {
        answer = Path(name);
        Menu("File", ID_FILE_SAVE_AS);
    }
    std::vector<CString> recent = MainFrame::GetRecentFiles();
    ASSERT_EQ(recent.size(), 4u) << "four are kept";
    EXPECT_EQ(recent[0], Path("five.pdtjob"));
    EXPECT_EQ(recent[3], Path("two.pdtjob"));
    Menu("File", 0);
    ASSERT_NE(LastMenuItem(ID_FILE_MRU_FILE1 + 1), nullptr);
    EXPECT_EQ(LastMenuItem(ID_FILE_MRU_FILE1 + 1)->text, CString("&2 ") + Path("four.pdtjob"));

    Menu("File", ID_FILE_MRU_FILE1 + 2); // three
    EXPECT_EQ(Doc().m_strPathName, Path("three.pdtjob"));
    EXPECT_EQ(frame->GetWindowText(), "three.pdtjob - jobhost");
    EXPECT_EQ(MainFrame::GetRecentFiles()[0], Path("three.pdtjob"));

    fs::remove(Path("four.pdtjob").c_str());
    ExpectMessageBox(IDOK);
    Menu("File", ID_FILE_MRU_FILE1 + 2); // four, now gone
    EXPECT_EQ(Doc().m_strPathName, Path("three.pdtjob"));
    recent = MainFrame::GetRecentFiles();
    EXPECT_EQ(std::count(recent.begin(), recent.end(), Path("four.pdtjob")), 0);
    EXPECT_EQ(recent.size(), 3u);
}

// Folders and files are named as the file system names them: a job in folders named in German and Japanese is
// saved, listed, and opened again through File > Open and by a drop, and its title shows the name in the job's.
TEST_F(JobFilesInWindow, FoldersAndFilesNamedInAnyScriptSaveAndOpen)
{
    const fs::path folder = fs::path(TempDir()) / "Auftr\xC3\xA4ge" / "\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF";
    const std::string name = "\xE5\x9C\xA8\xE5\xBA\xAB.pdtjob"; // 在庫
    fs::create_directories(folder);
    for (int language : {0, 2}) // 1252, 932
    {
        SCOPED_TRACE(language);
        auto doc = MakeSampleJob();
        doc->m_nLanguage = language;
        Open(std::move(doc));
        answer = CString((folder / name).string());
        Menu("File", ID_FILE_SAVE_AS);
        ASSERT_TRUE(fs::exists(folder / name));
        Menu("File", ID_FILE_NEW);
        Menu("File", ID_FILE_OPEN);
        EXPECT_EQ(Doc().m_strPathName, answer);
        EXPECT_EQ(Doc().m_nLanguage, language);
        EXPECT_EQ(frame->GetWindowText(), CString::FromUtf8(name + " - jobhost"));
        Menu("File", 0);
        ASSERT_NE(LastMenuItem(ID_FILE_MRU_FILE1), nullptr);
        EXPECT_EQ(LastMenuItem(ID_FILE_MRU_FILE1)->text, "&1 " + CString::FromUtf8(answer.str()));
        Menu("File", ID_FILE_NEW);
        ASSERT_TRUE(DropFiles(ViewWnd(), CPoint(20, 20), {(folder / name).string()}));
        Pump();
        EXPECT_EQ(Doc().m_strPathName, answer) << "dropped from a file manager";
        fs::remove(folder / name);
    }
}

// jobhost's first job: the shipped sample as an untitled copy that Save never writes over, or, when the named file
// cannot be opened, an empty untitled job beside the reader's message, never one named after it (a named file that
// opens is the next test's).
TEST_F(JobFilesInWindow, TheStartingJobIsTheNamedFileOrAnUntitledCopyOfTheSample)
{
    const char* source = std::getenv("PDTDLG_TEST_SOURCE_DIR");
    const fs::path tree = source ? fs::path(source) : fs::path(__FILE__).parent_path().parent_path().parent_path();
    const std::string sample = (tree / "samples" / "sample.pdtjob").string();
    std::string error;
    auto shipped = LoadJobFile(sample, &error);
    ASSERT_TRUE(shipped) << error;
    const fs::file_time_type sampleTime = fs::last_write_time(sample);

    struct Case
    {
        const char* what;
        const char* file;
        const char* title;
        int nodes;
        const char* message; // the start of the one message shown, or null for none
    };
    const Case cases[] = {
        {"no file", nullptr, "Untitled - jobhost", shipped->GetNodeCount(), nullptr},
        {"a file that is not there", "/nowhere/Warehouse.job", "Untitled - jobhost", 0, "Cannot open"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        theReg.DeleteValue("Recent File List", "File1");
        Open(std::make_unique<JobDocument>());
        size_t boxes = MessageBoxes().size();
        if (c.message)
            ExpectMessageBox(IDOK);
        frame->OpenStartingJob(c.file);
        EXPECT_EQ(MessageBoxes().size(), boxes + (c.message ? 1 : 0));
        if (c.message && !MessageBoxes().empty())
        {
            EXPECT_EQ(MessageBoxes().back().text.Find(c.message), 0) << MessageBoxes().back().text.c_str();
        }
        EXPECT_EQ(frame->GetWindowText(), c.title);
        EXPECT_EQ(Doc().GetNodeCount(), c.nodes);
        if (!c.file)
            EXPECT_EQ(fs::path(Doc().GetFileBase()), fs::canonical(sample)) << "the copy's files are the sample's";
        EXPECT_FALSE(Doc().IsModified());
        EXPECT_TRUE(MainFrame::GetRecentFiles().empty());

        // Ctrl+S on the copy asks where (cancelled here), and the shipped sample is left as it was.
        asked.clear();
        answer = CString();
        Focus(ViewWnd());
        Key('S', false, true);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].caption, "Save As");
        EXPECT_EQ(fs::last_write_time(sample), sampleTime);
        frame.reset();
    }
}

// A job opened by a name relative to the working folder is kept by its absolute path: in the recent files, which
// reopen it from any folder, and in the title's job, whose folder Open, Save As and the simulation's Load File start
// in, whatever folder their kinds of file were last chosen from.
TEST_F(JobFilesInWindow, PathsAreAbsoluteAndTheFileDialogsStartInTheJobsFolder)
{
    const fs::path folder = fs::path(TempDir()) / "jobs";
    const fs::path elsewhere = fs::path(TempDir()) / "elsewhere";
    fs::create_directories(folder);
    fs::create_directories(elsewhere);
    std::string error;
    ASSERT_TRUE(SaveJobFile(*MakeSampleJob(), (folder / "Stock.pdtjob").string(), &error)) << error;
    for (const char* kind : {"JOB", "LOOKUP"})
        theReg.WriteString("BrowseFile", kind, CString(elsewhere.string()));
    const fs::path was = fs::current_path();
    fs::current_path(folder);
    Open(std::make_unique<JobDocument>());
    frame->OpenStartingJob("./Stock.pdtjob");
    fs::current_path(elsewhere);

    const CString full((folder / "Stock.pdtjob").string());
    EXPECT_EQ(Doc().m_strPathName, full);
    ASSERT_FALSE(MainFrame::GetRecentFiles().empty());
    EXPECT_EQ(MainFrame::GetRecentFiles()[0], full);

    struct Dialog
    {
        const char* what;
        std::function<void()> open;
    };
    SimulationWindow* simulation = nullptr;
    const Dialog dialogs[] = {
        {"File > Open", [&] { Menu("File", ID_FILE_OPEN); }},
        {"File > Save As", [&] { Menu("File", ID_FILE_SAVE_AS); }},
        {"the simulation's Load File",
         [&] {
             simulation = new SimulationWindow(Doc());
             simulation->SetAutoDelete(true);
             ASSERT_TRUE(simulation->Create(frame.get()));
             simulation->ShowWindow(SW_SHOW);
             Pump();
             Click(*simulation, IDC_SIM_LOADFILE);
         }},
    };
    answer = CString(); // each is cancelled
    for (const Dialog& d : dialogs)
    {
        SCOPED_TRACE(d.what);
        asked.clear();
        d.open();
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].folder, CString(folder.string()));
    }
    if (simulation)
        simulation->DestroyWindow();

    // From another folder, the recent file opens the job again.
    Menu("File", ID_FILE_NEW);
    Menu("File", ID_FILE_MRU_FILE1);
    EXPECT_EQ(Doc().m_strPathName, full);
    EXPECT_EQ(frame->GetWindowText(), "Stock.pdtjob - jobhost");
    fs::current_path(was);
}

} // namespace
