// The settings store: file format, bad input, and what survives failed or interrupted writes.
#include "support/AppProfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Sets an environment variable for one scope, restoring the previous value.
class EnvScope
{
  public:
    EnvScope(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvScope()
    {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

  private:
    const char* m_name;
    std::optional<std::string> m_old;
};

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
    void SetUp() override
    {
        std::string tmpl = (fs::temp_directory_path() / "pdtprofileXXXXXX").string();
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
        file = dir + "/pdtdlg.ini";
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string dir;
    std::string file;
};

} // namespace

TEST_F(AppProfileTest, PlainFileWithCaseInsensitiveNames)
{
    CAppProfile reg(file);
    EXPECT_EQ(reg.GetString("Window", "Title", nullptr), "");
    EXPECT_EQ(reg.GetInt("Window", "Left", -5), -5);
    EXPECT_TRUE(reg.WriteInt("Window", "Left", 10));
    EXPECT_TRUE(reg.WriteString("Window", "Title", "Main"));
    EXPECT_TRUE(reg.WriteInt("Scanner", "Port", -3));
    EXPECT_TRUE(reg.WriteString("Window", "Empty", ""));
    EXPECT_EQ(reg.GetString("Window", "Empty", "dflt"), ""); // present but empty is not missing
    EXPECT_EQ(reg.GetInt("Window", "Empty", 4), 4);
    EXPECT_EQ(ReadAll(file), "[Window]\nLeft=10\nTitle=Main\nEmpty=\n\n[Scanner]\nPort=-3\n");

    // Names match in any case; a write keeps the spelling already in the file.
    EXPECT_EQ(reg.GetString(" WINDOW ", "title\t"), "Main");
    EXPECT_TRUE(reg.WriteInt("wInDoW", "LEFT", 11));
    CAppProfile other(file);
    EXPECT_EQ(other.GetInt("Window", "Left", 0), 11);
    EXPECT_EQ(other.GetInt("scanner", "port", 0), -3);
    EXPECT_EQ(ReadAll(file), "[Window]\nLeft=11\nTitle=Main\nEmpty=\n\n[Scanner]\nPort=-3\n");

    // A hand-spaced line keeps its layout; only the value changes.
    WriteAll(file, "  [ Setup ]  \n  Speed  =  9600  \n");
    EXPECT_EQ(reg.GetInt("setup", "speed", 0), 9600);
    ASSERT_TRUE(reg.WriteInt("SETUP", "SPEED", 19200));
    EXPECT_EQ(ReadAll(file), "  [ Setup ]  \n  Speed  =  19200\n");
}

TEST_F(AppProfileTest, AwkwardValuesRoundTrip)
{
    // clang-format off
    const std::vector<std::string> values = {
        "two\nlines", "cr\ronly", "crlf\r\n", "  leading", "trailing  ", " both ", "\ttab\t", "\"quoted\"",
        "\"", "\"open", "end quote\"", "\\\"", "C:\\new\\table\\", "quote \" inside", "=; [x]",
        "caf\xE9 \x80\xFF\x01\x7F", "\n", " ",
    };
    // clang-format on
    {
        CAppProfile reg(file);
        for (size_t i = 0; i < values.size(); ++i)
            ASSERT_TRUE(reg.WriteString("Values", ("k" + std::to_string(i)).c_str(), values[i].c_str())) << i;
    }
    CAppProfile fresh(file);
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(fresh.GetString("Values", ("k" + std::to_string(i)).c_str()).str(), values[i]) << i;

    // Plain values stay plain; only the ones that need it are quoted.
    std::string text = ReadAll(file);
    EXPECT_NE(text.find("\nk12=C:\\new\\table\\\n"), std::string::npos);
    EXPECT_NE(text.find("\nk13=quote \" inside\n"), std::string::npos);
    EXPECT_NE(text.find("\nk0=\"two\\nlines\"\n"), std::string::npos);
    EXPECT_NE(text.find("\nk5=\" both \"\n"), std::string::npos);
    EXPECT_NE(text.find("\nk7=\"\\\"quoted\\\"\"\n"), std::string::npos);
}

TEST_F(AppProfileTest, HandWrittenFileReadsNaturally)
{
    WriteAll(file, "\xEF\xBB\xBF"
                   "; settings for the terminal\r\n"
                   "# another comment\r\n"
                   "\r\n"
                   "[Paths]\r\n"
                   "Data = C:\\new\\data \r\n"
                   "Unix=/var/lib/pdt\r\n"
                   "Padded = \"  keep me  \"\r\n"
                   "Escaped=\"a\\tb\\nc\\qd\"\r\n"
                   "\tIndented\t=\tvalue\t\r\n"
                   ";Commented=1\r\n"
                   "Words=several words here\r\n");
    CAppProfile reg(file);
    EXPECT_EQ(reg.GetString("Paths", "Data"), "C:\\new\\data");
    EXPECT_EQ(reg.GetString("Paths", "Unix"), "/var/lib/pdt");
    EXPECT_EQ(reg.GetString("Paths", "Padded"), "  keep me  ");
    EXPECT_EQ(reg.GetString("Paths", "Escaped"), "a\tb\nc\\qd");
    EXPECT_EQ(reg.GetString("Paths", "Indented"), "value");
    EXPECT_EQ(reg.GetString("Paths", "Commented", "no"), "no");
    EXPECT_EQ(reg.GetString("Paths", ";Commented", "no"), "no");
    EXPECT_EQ(reg.GetString("Paths", "Words"), "several words here");

    // A write into a CRLF file with a BOM keeps both, and every other byte.
    const std::string before = ReadAll(file);
    ASSERT_TRUE(reg.WriteString("Paths", "Unix", "/opt/pdt"));
    ASSERT_TRUE(reg.WriteString("Paths", "Added", "yes"));
    std::string expected = before;
    expected.replace(expected.find("/var/lib/pdt"), 12, "/opt/pdt");
    expected += "Added=yes\r\n";
    EXPECT_EQ(ReadAll(file), expected);
}

TEST_F(AppProfileTest, GetIntAcceptsOnlyWholeNumbersInRange)
{
    struct Case
    {
        const char* text;
        int expected;
    };
    const int d = 7777;
    // clang-format off
    const Case cases[] = {
        {"42", 42}, {"  42  ", 42}, {"-17", -17}, {"+5", 5}, {"007", 7}, {"-0", 0}, {"\"12\"", 12},
        {"0x1F", 31}, {"0XfF", 255}, {"-0x10", -16}, {"0xFFFFFFFF", -1}, {"0x80000000", INT_MIN},
        {"-0x80000000", INT_MIN}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {"000000000000000000000000001", 1},
        // Everything below falls back to the default.
        {"", d}, {"abc", d}, {"12abc", d}, {"1 2", d}, {"- 5", d}, {"+", d}, {"-", d}, {"0x", d}, {"0x1G", d},
        {"0x100000000", d}, {"-0x80000001", d}, {"2147483648", d}, {"-2147483649", d}, {"99999999999", d},
        {"99999999999999999999999999", d}, {"1.5", d}, {"1e3", d}, {"--1", d}, {"\x01" "5", d},
    };
    // clang-format on
    std::string text = "[N]\n";
    for (size_t i = 0; i < std::size(cases); ++i)
        text += "k" + std::to_string(i) + "=" + cases[i].text + "\n";
    WriteAll(file, text);
    CAppProfile reg(file);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(reg.GetInt("N", ("k" + std::to_string(i)).c_str(), d), cases[i].expected) << cases[i].text;

    ASSERT_TRUE(reg.WriteInt("N", "min", INT_MIN));
    ASSERT_TRUE(reg.WriteInt("N", "max", INT_MAX));
    CAppProfile fresh(file);
    EXPECT_EQ(fresh.GetInt("N", "min", 0), INT_MIN);
    EXPECT_EQ(fresh.GetInt("N", "max", 0), INT_MAX);
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
                                 "Name=third\r\n"
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
    EXPECT_EQ(reg.GetString("Main", "no equals sign here", "-"), "-");
    EXPECT_EQ(reg.GetString("Broken", "Inside"), "broken");
    EXPECT_EQ(reg.GetString("Broken", "Last"), "no newline");

    // Changing one value changes that one line; junk, duplicates and the BOM all stay.
    ASSERT_TRUE(reg.WriteString("MAIN", "name", "updated"));
    std::string expected = original;
    expected.replace(expected.find("Name=first"), 10, "Name=updated");
    expected += "\n"; // the last line gains its line end
    EXPECT_EQ(ReadAll(file), expected);
    EXPECT_EQ(reg.GetString("Main", "Name"), "updated");

    // A new key goes after the last entry of the section's first block.
    ASSERT_TRUE(reg.WriteString("Main", "New", "v"));
    EXPECT_NE(ReadAll(file).find("name=second\r\nNew=v\r\n\x01\x02"), std::string::npos);
    EXPECT_EQ(CAppProfile(file).GetString("Main", "New"), "v");

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

TEST_F(AppProfileTest, DeleteValue)
{
    WriteAll(file, "[S]\nKeep=1\nGone=a\n[s]\ngone=b\n[T]\nGone=c\n");
    CAppProfile reg(file);
    EXPECT_TRUE(reg.DeleteValue("S", "GONE"));
    EXPECT_EQ(reg.GetString("S", "Gone", "-"), "-"); // the shadowed duplicate went too
    EXPECT_EQ(ReadAll(file), "[S]\nKeep=1\n[s]\n[T]\nGone=c\n");
    EXPECT_FALSE(reg.DeleteValue("S", "Gone")); // nothing left to delete
    EXPECT_FALSE(reg.DeleteValue(nullptr, "Gone"));

    // A null value deletes as WriteProfileString does, and is not an error when missing.
    EXPECT_TRUE(reg.WriteString("T", "Gone", nullptr));
    EXPECT_EQ(reg.GetString("T", "Gone", "-"), "-");
    EXPECT_TRUE(reg.WriteString("T", "Gone", nullptr));
    EXPECT_EQ(CAppProfile(file).GetString("T", "Gone", "-"), "-");
}

TEST_F(AppProfileTest, MegabyteValueRoundTrips)
{
    std::string big;
    for (int i = 0; big.size() < (1u << 20); ++i)
        big += "line " + std::to_string(i) + " \\ \"q\"\r\n\t";
    big += " ";
    CAppProfile reg(file);
    ASSERT_TRUE(reg.WriteString("Big", "Value", big.c_str()));
    ASSERT_TRUE(reg.WriteString("Big", "After", "small"));
    CAppProfile fresh(file);
    EXPECT_TRUE(fresh.GetString("Big", "Value").str() == big);
    EXPECT_EQ(fresh.GetString("Big", "After"), "small");
}

TEST_F(AppProfileTest, SeesWritesFromOtherObjectsAndHandEdits)
{
    CAppProfile a(file), b(file);
    EXPECT_EQ(a.GetInt("S", "K", 0), 0);
    ASSERT_TRUE(b.WriteInt("S", "K", 1));
    EXPECT_EQ(a.GetInt("S", "K", 0), 1);

    WriteAll(file, "[S]\nK=22\nHand=edited\n");
    EXPECT_EQ(a.GetInt("S", "K", 0), 22);
    EXPECT_EQ(b.GetString("S", "Hand"), "edited");

    // Each write starts from what is on disk, so neither object undoes the other.
    for (int i = 0; i < 10; ++i)
    {
        ASSERT_TRUE(a.WriteInt("A", ("k" + std::to_string(i)).c_str(), i));
        ASSERT_TRUE(b.WriteInt("B", ("k" + std::to_string(i)).c_str(), -i));
    }
    for (int i = 0; i < 10; ++i)
    {
        EXPECT_EQ(b.GetInt("A", ("k" + std::to_string(i)).c_str(), 99), i);
        EXPECT_EQ(a.GetInt("B", ("k" + std::to_string(i)).c_str(), 99), -i);
    }

    fs::remove(file);
    EXPECT_EQ(a.GetInt("S", "K", -1), -1);
    ASSERT_TRUE(a.WriteInt("S", "K", 5));
    EXPECT_EQ(b.GetInt("S", "K", -1), 5);
}

TEST_F(AppProfileTest, FailedWriteChangesNothing)
{
    {
        CAppProfile reg(file);
        ASSERT_TRUE(reg.WriteString("S", "Name", "old"));
    }
    const std::string before = ReadAll(file);
    HalfWriteProfile failing(file, false);
    EXPECT_EQ(failing.GetString("S", "Name"), "old");
    EXPECT_FALSE(failing.WriteString("S", "Name", "new"));
    EXPECT_FALSE(failing.WriteString("S", "Other", "x"));
    EXPECT_FALSE(failing.DeleteValue("S", "Name"));
    // Memory agrees with the disk, and no temporary file is left behind.
    EXPECT_EQ(failing.GetString("S", "Name"), "old");
    EXPECT_EQ(ReadAll(file), before);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"pdtdlg.ini"});
}

TEST_F(AppProfileTest, WriteInterruptedHalfWayLeavesThePreviousFileReadable)
{
    {
        CAppProfile reg(file);
        ASSERT_TRUE(reg.WriteString("S", "Name", "old"));
        ASSERT_TRUE(reg.WriteString("S", "Padding", std::string(100000, 'p').c_str()));
    }
    const std::string before = ReadAll(file);

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
    EXPECT_EQ(ReadAll(file), before);
    std::vector<std::string> names = Names(dir);
    ASSERT_EQ(names.size(), 2u);
    const std::string stray = dir + "/" + (names[0] == "pdtdlg.ini" ? names[1] : names[0]);
    EXPECT_EQ(stray.rfind(file + ".", 0), 0u);
    EXPECT_GT(fs::file_size(stray), 0u);
    EXPECT_LT(fs::file_size(stray), before.size());

    CAppProfile after(file);
    EXPECT_EQ(after.GetString("S", "Name"), "old");
    EXPECT_EQ(after.GetString("S", "Padding").GetLength(), 100000);
    ASSERT_TRUE(after.WriteString("S", "Name", "newer"));
    EXPECT_EQ(CAppProfile(file).GetString("S", "Name"), "newer");
}

TEST_F(AppProfileTest, FoldersAndModesAndUnwritablePlaces)
{
    const std::string nested = dir + "/a/b/c/settings.ini";
    CAppProfile reg(nested);
    ASSERT_TRUE(reg.WriteInt("S", "K", 1));
    EXPECT_EQ(CAppProfile(nested).GetInt("S", "K", 0), 1);
    // A rewrite keeps the file's permissions.
    ASSERT_EQ(chmod(nested.c_str(), 0640), 0);
    ASSERT_TRUE(reg.WriteInt("S", "K", 2));
    struct stat st;
    ASSERT_EQ(stat(nested.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    // Through a symlink, the file it points to is replaced and the link stays.
    const std::string link = dir + "/link.ini";
    fs::create_symlink(nested, link);
    ASSERT_TRUE(CAppProfile(link).WriteInt("S", "K", 3));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(CAppProfile(nested).GetInt("S", "K", 0), 3);

    // A regular file where a folder should be: nothing can be created (even as root).
    WriteAll(dir + "/blocker", "x");
    CAppProfile blocked(dir + "/blocker/sub/settings.ini");
    EXPECT_FALSE(blocked.WriteInt("S", "K", 1));
    EXPECT_EQ(blocked.GetInt("S", "K", 9), 9);
    EXPECT_EQ(ReadAll(dir + "/blocker"), "x");

    CAppProfile unnamed((std::string()));
    EXPECT_FALSE(unnamed.WriteInt("S", "K", 1));
    EXPECT_EQ(unnamed.GetInt("S", "K", 9), 9);
}

TEST_F(AppProfileTest, UnreadableFileIsNeverWrittenOver)
{
    // A folder where the file should be.
    fs::create_directory(file);
    CAppProfile reg(file);
    EXPECT_EQ(reg.GetString("S", "K", "d"), "d");
    EXPECT_FALSE(reg.WriteString("S", "K", "v"));
    EXPECT_FALSE(reg.DeleteValue("S", "K"));
    EXPECT_TRUE(fs::is_directory(file));
    fs::remove(file);

    // Far too large to be a settings file: maybe a mistake, but not ours to truncate.
    const std::string big = dir + "/big.ini";
    WriteAll(big, "[S]\nK=1\n");
    fs::resize_file(big, (std::uintmax_t(64) << 20) + 1);
    CAppProfile huge(big);
    EXPECT_EQ(huge.GetInt("S", "K", 7), 7);
    EXPECT_FALSE(huge.WriteInt("S", "K", 2));
    EXPECT_EQ(fs::file_size(big), (std::uintmax_t(64) << 20) + 1);

    // Once it is a sane file again it is read as usual.
    fs::resize_file(big, 8);
    EXPECT_EQ(huge.GetInt("S", "K", 7), 1);
    EXPECT_TRUE(huge.WriteInt("S", "K", 2));
}

TEST_F(AppProfileTest, BinaryValues)
{
    std::vector<BYTE> all(256);
    for (int i = 0; i < 256; ++i)
        all[size_t(i)] = BYTE(i);
    CAppProfile reg(file);
    ASSERT_TRUE(reg.WriteBinary("Bin", "All", all.data(), all.size()));
    ASSERT_TRUE(reg.WriteBinary("Bin", "None", nullptr, 0));
    EXPECT_FALSE(reg.WriteBinary("Bin", "Bad", nullptr, 4));
    EXPECT_EQ(reg.GetString("Bin", "All").Left(8), "00010203");
    std::vector<BYTE> got;
    CAppProfile fresh(file);
    ASSERT_TRUE(fresh.GetBinary("Bin", "All", got));
    EXPECT_EQ(got, all);

    WriteAll(file, "[Bin]\nOdd=ABC\nNotHex=zz\nLower=0aff\n");
    got = {9};
    EXPECT_FALSE(fresh.GetBinary("Bin", "Odd", got));
    EXPECT_TRUE(got.empty());
    EXPECT_FALSE(fresh.GetBinary("Bin", "NotHex", got));
    ASSERT_TRUE(fresh.GetBinary("Bin", "Lower", got));
    EXPECT_EQ(got, (std::vector<BYTE>{0x0A, 0xFF}));
}

TEST_F(AppProfileTest, NamesThatCannotBeReadBackAreRefused)
{
    CAppProfile reg(file);
    EXPECT_FALSE(reg.WriteString(nullptr, "K", "v"));
    for (const char* key : {"", " ", "a=b", "[k", ";k", "#k", "two\nlines"})
        EXPECT_FALSE(reg.WriteString("S", key, "v")) << key;
    for (const char* section : {"", "  ", "a]b", "a\rb"})
        EXPECT_FALSE(reg.WriteInt(section, "K", 1)) << section;
    EXPECT_FALSE(reg.WriteString("S", nullptr, "v"));
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(reg.GetInt(nullptr, nullptr, 3), 3);

    // Odd but readable names are fine.
    EXPECT_TRUE(reg.WriteString("[S", "k]", "v"));
    EXPECT_TRUE(reg.WriteString("S p a c e", "k;#[x", "w"));
    CAppProfile fresh(file);
    EXPECT_EQ(fresh.GetString("[S", "k]"), "v");
    EXPECT_EQ(fresh.GetString("s p a c e", "K;#[X"), "w");
}

TEST_F(AppProfileTest, DefaultFileNameFollowsTheEnvironment)
{
    {
        EnvScope settings("PDTDLG_SETTINGS", "/somewhere/my.ini");
        EXPECT_EQ(CAppProfile::DefaultFileName(), "/somewhere/my.ini");
        EXPECT_EQ(CAppProfile().GetFileName(), "/somewhere/my.ini");
    }
    EnvScope settings("PDTDLG_SETTINGS", nullptr);
    {
        EnvScope xdg("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(CAppProfile::DefaultFileName(), "/cfg/pdtdlg/pdtdlg.ini");
    }
    EnvScope home("HOME", "/home/tester");
    EnvScope xdg("XDG_CONFIG_HOME", "relative/ignored");
    EXPECT_EQ(CAppProfile::DefaultFileName(), "/home/tester/.config/pdtdlg/pdtdlg.ini");

    // theReg can be pointed at any file.
    const std::string saved = theReg.GetFileName();
    theReg.SetFileName(file);
    EXPECT_TRUE(theReg.WriteInt("S", "K", 3));
    EXPECT_EQ(CAppProfile(file).GetInt("S", "K", 0), 3);
    theReg.SetFileName(dir + "/other.ini");
    EXPECT_EQ(theReg.GetInt("S", "K", 0), 0);
    theReg.SetFileName(saved);
}
