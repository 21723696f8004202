// Choosing files: the filter string as the dialog gets it, where the dialog starts, the folder remembered per
// kind of file, and Cancel. The dialog itself is answered through the file dialog seam.
#include <QDir>

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/testing/pdttest.h"
#include "support/Seams.h"
#include "support/Support.h"

using pdt::support::FileDialogRequest;
using pdt::support::NameFiltersFromMfc;

namespace
{

namespace fs = std::filesystem;

CString QDirHome()
{
    return CString(QDir::homePath().toStdString());
}

class BrowseFileTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_root = pdt::test::TempDir();
        fs::create_directories(m_root / "data");
        fs::create_directories(m_root / "lookup");
        theReg.SetFileName((m_root / "settings.ini").string());
        pdt::support::SetFileDialogHandler([this](const FileDialogRequest& r) {
            requests.push_back(r);
            return answers.empty() ? CString() : Next();
        });
    }
    void TearDown() override { pdt::support::SetFileDialogHandler(nullptr); }
    CString Next()
    {
        CString a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    CString Dir(const char* sub) const
    {
        return CString((m_root / sub).string());
    }

    fs::path m_root;
    std::vector<FileDialogRequest> requests;
    std::vector<CString> answers; // what the person picks, in order; none left: Cancel
};

TEST(FileFilters, MfcPairsBecomeToolkitNameFiltersAndEmptyOrBrokenOnesOfferAllFiles)
{
    const std::vector<CString> all{"All Files (*)"};
    const std::pair<const char*, std::vector<CString>> cases[] = {
        {"Text Files (*.txt)|*.txt|All Files (*.*)|*.*||", {"Text Files (*.txt *.TXT)", "All Files (*)"}},
        // Several patterns; a description without the patterns; letter case of the extension does not matter.
        {"Data|*.dat;*.Csv|", {"Data (*.dat *.DAT *.Csv *.csv *.CSV)"}},
        // Patterns in the description that differ from the real ones: the real ones win.
        {"Jobs (*.job)|*.pjb||", {"Jobs (*.pjb *.PJB)"}},
        {"Anything|*.a;*.*||", {"Anything (*)"}}, // "*.*" among others means every file
        // Spaces around names and patterns; an empty description; patterns without letters stay single.
        {" Bitmaps | *.bmp ; *.dib ||", {"Bitmaps (*.bmp *.BMP *.dib *.DIB)"}},
        {"|*.x||", {"Files (*.x *.X)"}},
        {"Numbered|*.001||", {"Numbered (*.001)"}},
        // Empty or broken filters offer all files; a trailing description without its pattern is dropped.
        {nullptr, all}, {"", all}, {"||", all}, {"Text only", all}, {"Empty pattern||", all}, {"No patterns|;;|", all},
        {"Text|*.txt|Dangling", {"Text (*.txt *.TXT)"}},
    };
    for (const auto& [filter, expected] : cases)
        EXPECT_EQ(NameFiltersFromMfc(filter), expected) << (filter ? filter : "null");
}

TEST_F(BrowseFileTest, ChoosingAFileSetsThePathAndRemembersItsFolderForTheCategory)
{
    CString chosen = Dir("data") + "/orders.dat";
    answers = {chosen};
    CString path;
    ASSERT_TRUE(BrowseFile(nullptr, path, true, "DATAFILE", "Data Files (*.dat)|*.dat||"));
    EXPECT_EQ(path, chosen);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].open);
    EXPECT_EQ(requests[0].caption, "Open");
    EXPECT_EQ(requests[0].filters, (std::vector<CString>{"Data Files (*.dat *.DAT)"}));
    EXPECT_EQ(requests[0].folder, CString(QDirHome()));
    EXPECT_EQ(theReg.GetString("BrowseFile", "DATAFILE", "<none>"), Dir("data"));

    // Next time, with no folder in the path, the dialog starts where the last file of that kind was; Cancel leaves
    // the path and the memory alone.
    CString empty;
    ASSERT_FALSE(BrowseFile(nullptr, empty, true, "DATAFILE", "Data Files (*.dat)|*.dat||"));
    EXPECT_EQ(requests.back().folder, Dir("data"));
    EXPECT_EQ(empty, "");
    EXPECT_EQ(theReg.GetString("BrowseFile", "DATAFILE", "<none>"), Dir("data"));
    // Another kind of file has its own memory.
    ASSERT_FALSE(BrowseFile(nullptr, empty, true, "LOOKUP", "Lookup (*.lkp)|*.lkp||"));
    EXPECT_EQ(requests.back().folder, CString(QDirHome()));
}

TEST_F(BrowseFileTest, APathWithAFolderStartsThere)
{
    theReg.WriteString("BrowseFile", "RECORD", Dir("data"));
    CString path = Dir("lookup") + "/table.lkp";
    ASSERT_FALSE(BrowseFile(nullptr, path, false, "RECORD", "Lookup (*.lkp)|*.lkp||"));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].folder, Dir("lookup"));
    EXPECT_EQ(requests[0].fileName, "table.lkp");
    EXPECT_FALSE(requests[0].open);
    EXPECT_EQ(requests[0].caption, "Save As");

    // Backslashes, as paths written on Windows have them, name the same folder.
    CString windowsPath = Dir("lookup") + "\\table.lkp";
    ASSERT_FALSE(BrowseFile(nullptr, windowsPath, true, "RECORD", nullptr));
    EXPECT_EQ(requests.back().folder, Dir("lookup"));
    EXPECT_EQ(requests.back().fileName, "table.lkp");
    EXPECT_EQ(requests.back().filters, (std::vector<CString>{"All Files (*)"}));
}

} // namespace
