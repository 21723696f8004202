// The settings store: file format, bad input, and what survives failed or interrupted writes.
#include "support/AppProfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/testing/pdttest.h"

namespace fs = std::filesystem;

namespace
{

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteAll(const std::string& path, const std::string& data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << data;
}

std::vector<std::string> Names(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Writes the first half of the new contents, then fails or dies there.
class HalfWriteProfile : public CAppProfile
{
  public:
    HalfWriteProfile(std::string file, bool die) : CAppProfile(std::move(file)), m_die(die) {}

  protected:
    bool WriteFileData(int fd, const char* data, size_t size) override
    {
        CAppProfile::WriteFileData(fd, data, size / 2);
        if (m_die)
            _exit(0); // as a power cut would: no cleanup of any kind
        return false;
    }

  private:
    bool m_die;
};

class AppProfileTest : public ::testing::Test
{
  protected:
    std::string dir = pdt::test::TempDir();
    std::string file = dir + "/pdtdlg.ini";
};

} // namespace

TEST_F(AppProfileTest, PlainFileWithCaseInsensitiveNames)
{
    CAppProfile reg(file);
    EXPECT_EQ(reg.GetInt("Window", "Left", -5), -5);
    EXPECT_TRUE(reg.WriteInt("Window", "Left", 10));
    EXPECT_TRUE(reg.WriteString("Window", "Title", "Main"));
    EXPECT_TRUE(reg.WriteInt("Scanner", "Port", -3));
    EXPECT_TRUE(reg.WriteString("Window", "Empty", ""));
    EXPECT_EQ(reg.GetString("Window", "Empty", "dflt"), ""); // present but empty is not missing
    EXPECT_EQ(ReadAll(file), "[Window]\nLeft=10\nTitle=Main\nEmpty=\n\n[Scanner]\nPort=-3\n");

    // Names match in any case; a write keeps the spelling already in the file.
    EXPECT_EQ(reg.GetString(" WINDOW ", "title\t"), "Main");
    EXPECT_TRUE(reg.WriteInt("wInDoW", "LEFT", 11));
    EXPECT_EQ(CAppProfile(file).GetInt("scanner", "port", 0), -3);
    EXPECT_EQ(ReadAll(file), "[Window]\nLeft=11\nTitle=Main\nEmpty=\n\n[Scanner]\nPort=-3\n");

    // A hand-written file reads naturally; a hand-spaced line keeps its layout and only the value changes.
    WriteAll(file, "; comment\n  [ Setup ]  \n  Speed  =  9600  \nPadded = \"  keep me  \"\nEscaped=\"a\\tb\\qd\"\n"
                   ";Commented=1\n");
    EXPECT_EQ(reg.GetInt("setup", "speed", 0), 9600);
    EXPECT_EQ(reg.GetString("Setup", "Padded"), "  keep me  ");
    EXPECT_EQ(reg.GetString("Setup", "Escaped"), "a\tb\\qd");
    EXPECT_EQ(reg.GetString("Setup", ";Commented", "no"), "no");
    ASSERT_TRUE(reg.WriteInt("SETUP", "SPEED", 19200));
    EXPECT_NE(ReadAll(file).find("\n  Speed  =  19200\nPadded"), std::string::npos);
}

TEST_F(AppProfileTest, AwkwardValuesRoundTripAndOnlyTheOnesThatNeedItAreQuoted)
{
    const std::vector<std::string> values = {
        "two\nlines", "cr\ronly", "  leading", " both ", "\ttab\t", "\"quoted\"", "\"open", "end quote\"", "\\\"",
        "C:\\new\\table\\", "quote \" inside", "=; [x]", "caf\xE9 \x80\xFF\x01\x7F", "\n", " ",
    };
    CAppProfile reg(file);
    for (size_t i = 0; i < values.size(); ++i)
        ASSERT_TRUE(reg.WriteString("Values", ("k" + std::to_string(i)).c_str(), values[i].c_str())) << i;
    CAppProfile fresh(file);
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(fresh.GetString("Values", ("k" + std::to_string(i)).c_str()).str(), values[i]) << i;

    std::string text = ReadAll(file);
    EXPECT_NE(text.find("\nk9=C:\\new\\table\\\n"), std::string::npos);
    EXPECT_NE(text.find("\nk10=quote \" inside\n"), std::string::npos);
    EXPECT_NE(text.find("\nk0=\"two\\nlines\"\n"), std::string::npos);
    EXPECT_NE(text.find("\nk3=\" both \"\n"), std::string::npos);
}

TEST_F(AppProfileTest, GetIntAcceptsOnlyWholeNumbersInRange)
{
    const int d = 7777;
    const std::pair<const char*, int> cases[] = {
        {"  -17  ", -17}, {"\"12\"", 12}, {"0XfF", 255}, {"0xFFFFFFFF", -1}, {"-2147483648", INT_MIN},
        // Everything below falls back to the default.
        {"", d}, {"12abc", d}, {"1 2", d}, {"0x", d}, {"0x100000000", d}, {"2147483648", d}, {"1.5", d},
    };
    std::string text = "[N]\n";
    for (size_t i = 0; i < std::size(cases); ++i)
        text += "k" + std::to_string(i) + "=" + cases[i].first + "\n";
    WriteAll(file, text);
    CAppProfile reg(file);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(reg.GetInt("N", ("k" + std::to_string(i)).c_str(), d), cases[i].second) << cases[i].first;
}

TEST_F(AppProfileTest, MalformedFileReadsWhatItCanAndLosesNothing)
{
    const std::string huge(2 << 20, 'x');
    const std::string original = std::string("\xEF\xBB\xBF"
                                             "orphan=before any section\r\n"
                                             "[Main]\r\n"
                                             "no equals sign here\r\n"
                                             "=no key\r\n"
                                             "Name=first\r\n"
                                             "name=second\r\n") +
                                 std::string("\x01\x02\xFF\xFE\0\0 junk \x7F\r\n", 15) +
                                 "[main]\r\n"
                                 "Extra=1\r\n"
                                 "Huge=" +
                                 huge +
                                 "\r\n"
                                 "[Broken\r\n"
                                 "Inside=broken\r\n"
                                 "Last=no newline";
    WriteAll(file, original);
    CAppProfile reg(file);
    EXPECT_EQ(reg.GetString("Main", "Name"), "first"); // the first of duplicates wins
    EXPECT_EQ(reg.GetString("Main", "Extra"), "1");    // a repeated section adds to the first
    EXPECT_EQ(reg.GetString("Main", "Huge").GetLength(), int(huge.size()));
    EXPECT_EQ(reg.GetString("Main", "orphan", "-"), "-");
    EXPECT_EQ(reg.GetString("Broken", "Inside"), "broken");
    EXPECT_EQ(reg.GetString("Broken", "Last"), "no newline");

    // Changing one value changes that one line; junk, duplicates and the BOM all stay.
    ASSERT_TRUE(reg.WriteString("MAIN", "name", "updated"));
    std::string expected = original;
    expected.replace(expected.find("Name=first"), 10, "Name=updated");
    expected += "\n"; // the last line gains its line end
    EXPECT_EQ(ReadAll(file), expected);

    // A new key goes after the last entry of the section's first block.
    ASSERT_TRUE(reg.WriteString("Main", "New", "v"));
    EXPECT_NE(ReadAll(file).find("name=second\r\nNew=v\r\n\x01\x02"), std::string::npos);

    // Garbage with no structure at all.
    std::string noise;
    for (int i = 0; i < 200000; ++i)
        noise += char((i * 7919) % 256);
    WriteAll(file, noise);
    CAppProfile junk(file);
    EXPECT_EQ(junk.GetInt("A", "B", 3), 3);
    ASSERT_TRUE(junk.WriteInt("A", "B", 4));
    EXPECT_EQ(ReadAll(file).substr(0, noise.size()), noise);
    EXPECT_EQ(CAppProfile(file).GetInt("A", "B", 0), 4);
}

TEST_F(AppProfileTest, DeleteValueTakesShadowedDuplicatesANullValueDeletesTooAndEachCallReadsTheDisk)
{
    WriteAll(file, "[S]\nKeep=1\nGone=a\n[s]\ngone=b\n[T]\nGone=c\n");
    CAppProfile reg(file);
    EXPECT_TRUE(reg.DeleteValue("S", "GONE"));
    EXPECT_EQ(ReadAll(file), "[S]\nKeep=1\n[s]\n[T]\nGone=c\n");
    EXPECT_FALSE(reg.DeleteValue("S", "Gone")); // nothing left to delete
    EXPECT_TRUE(reg.WriteString("T", "Gone", nullptr));
    EXPECT_EQ(CAppProfile(file).GetString("T", "Gone", "-"), "-");
    EXPECT_TRUE(reg.WriteString("T", "Gone", nullptr)) << "deleting what is missing is no error";

    // Each read and write starts from what is on disk.
    CAppProfile other(file);
    WriteAll(file, "[S]\nK=22\nHand=edited\n");
    EXPECT_EQ(reg.GetInt("S", "K", 0), 22);
    ASSERT_TRUE(reg.WriteInt("A", "k", 1));
    ASSERT_TRUE(other.WriteInt("B", "k", 2));
    EXPECT_EQ(CAppProfile(file).GetString("S", "Hand"), "edited") << "neither object undoes the other";
    EXPECT_EQ(other.GetInt("A", "k", 0), 1);
}

TEST_F(AppProfileTest, FailedWriteChangesNothingAndOneInterruptedHalfWayLeavesThePreviousFileReadable)
{
    ASSERT_TRUE(CAppProfile(file).WriteString("S", "Name", "old"));
    const std::string before = ReadAll(file);
    HalfWriteProfile failing(file, false);
    EXPECT_FALSE(failing.WriteString("S", "Name", "new"));
    EXPECT_FALSE(failing.DeleteValue("S", "Name"));
    // Memory agrees with the disk, and no temporary file is left behind.
    EXPECT_EQ(failing.GetString("S", "Name"), "old");
    EXPECT_EQ(ReadAll(file), before);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"pdtdlg.ini"});

    // A write interrupted half way leaves the previous file readable.
    {
        CAppProfile reg(file);
        ASSERT_TRUE(reg.WriteString("S", "Name", "old"));
        ASSERT_TRUE(reg.WriteString("S", "Padding", std::string(100000, 'p').c_str()));
    }
    const std::string previous = ReadAll(file);

    pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0)
    {
        HalfWriteProfile dying(file, true);
        dying.WriteString("S", "Name", "new");
        _exit(1); // not reached when the write dies as planned
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);

    // The crash left a half-written temporary file beside an untouched original.
    EXPECT_EQ(ReadAll(file), previous);
    std::vector<std::string> names = Names(dir);
    ASSERT_EQ(names.size(), 2u);
    const std::string stray = dir + "/" + (names[0] == "pdtdlg.ini" ? names[1] : names[0]);
    EXPECT_EQ(stray.rfind(file + ".", 0), 0u);
    EXPECT_GT(fs::file_size(stray), 0u);
    EXPECT_LT(fs::file_size(stray), previous.size());

    CAppProfile after(file);
    EXPECT_EQ(after.GetString("S", "Name"), "old");
    ASSERT_TRUE(after.WriteString("S", "Name", "newer"));
    EXPECT_EQ(CAppProfile(file).GetString("S", "Name"), "newer");
}

TEST_F(AppProfileTest, FoldersAreMadeModesAndSymlinksKeptAndUnwritablePlacesAndUnreadableNamesRefused)
{
    for (const char* key : {"", "a=b", "[k", ";k", "two\nlines"})
        EXPECT_FALSE(CAppProfile(file).WriteString("S", key, "v")) << key;
    EXPECT_FALSE(CAppProfile(file).WriteInt("a]b", "K", 1));
    EXPECT_FALSE(fs::exists(file));
    const std::string nested = dir + "/a/b/settings.ini";
    CAppProfile reg(nested);
    ASSERT_TRUE(reg.WriteInt("S", "K", 1));
    ASSERT_EQ(chmod(nested.c_str(), 0640), 0);
    ASSERT_TRUE(reg.WriteInt("S", "K", 2));
    struct stat st;
    ASSERT_EQ(stat(nested.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    const std::string link = dir + "/link.ini";
    fs::create_symlink(nested, link);
    ASSERT_TRUE(CAppProfile(link).WriteInt("S", "K", 3));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(CAppProfile(nested).GetInt("S", "K", 0), 3);

    // A regular file where a folder should be: nothing can be created (even as root).
    WriteAll(dir + "/blocker", "x");
    EXPECT_FALSE(CAppProfile(dir + "/blocker/sub/settings.ini").WriteInt("S", "K", 1));
    EXPECT_FALSE(CAppProfile(std::string()).WriteInt("S", "K", 1));
}

TEST_F(AppProfileTest, UnreadableFileIsNeverWrittenOver)
{
    fs::create_directory(file); // a folder where the file should be
    CAppProfile reg(file);
    EXPECT_EQ(reg.GetString("S", "K", "d"), "d");
    EXPECT_FALSE(reg.WriteString("S", "K", "v"));
    EXPECT_TRUE(fs::is_directory(file));

    // Far too large to be a settings file: maybe a mistake, but not ours to truncate.
    const std::string big = dir + "/big.ini";
    WriteAll(big, "[S]\nK=1\n");
    fs::resize_file(big, (std::uintmax_t(64) << 20) + 1);
    CAppProfile huge(big);
    EXPECT_EQ(huge.GetInt("S", "K", 7), 7);
    EXPECT_FALSE(huge.WriteInt("S", "K", 2));
    EXPECT_EQ(fs::file_size(big), (std::uintmax_t(64) << 20) + 1);
    fs::resize_file(big, 8);
    EXPECT_EQ(huge.GetInt("S", "K", 7), 1) << "once sane again it is read as usual";
}
