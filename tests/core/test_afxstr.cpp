// CString's double-byte search and the code page conversions.
#include "platform/afxstr.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace
{

// Restores the process code page even when an assertion fails half-way.
struct AnsiCodePageScope
{
    explicit AnsiCodePageScope(int cp) : saved(GetACP()) { SetAnsiCodePage(cp); }
    ~AnsiCodePageScope() { SetAnsiCodePage(saved); }
    int saved;
};

const std::string kNihonUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC";  // 日本
const std::string kChuwenUtf8 = "\xE4\xB8\xAD\xE6\x96\x87"; // 中文

} // namespace

TEST(CStringSearch, DoubleByteCodePageSkipsTrailBytes)
{
    // 0x95 0x5C is one Shift-JIS character whose second byte looks like a backslash.
    const CString path("\x95\x5Cpath\\f");
    EXPECT_EQ(path.Find('\\'), 1);
    AnsiCodePageScope cp(932);
    EXPECT_EQ(path.Find('\\'), 6);
    EXPECT_EQ(path.ReverseFind('\\'), 6);
    EXPECT_EQ(path.FindOneOf("\\"), 6);
    EXPECT_EQ(path.Find("\\p"), -1);

    CString r = path;
    EXPECT_EQ(r.Replace("\\", "//"), 1);
    EXPECT_EQ(r.str(), "\x95\x5Cpath//f");
    r = path;
    EXPECT_EQ(r.Replace('\\', '/'), 1);
    EXPECT_EQ(r.Remove('/'), 1);
    EXPECT_EQ(r.str(), "\x95\x5Cpathf");

    CString t("\\\x95\x5C\\");
    t.TrimRight("\\");
    EXPECT_EQ(t.str(), "\\\x95\x5C");
    CString u("a\x83\x61z");
    u.MakeUpper();
    EXPECT_EQ(u.str(), "A\x83\x61Z");
}

TEST(CodePage, Windows1252IsLosslessForEveryByte)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += char(b);
    EXPECT_EQ(Utf8ToCodePage(CodePageToUtf8(all, 1252), 1252), all);

    EXPECT_EQ(CodePageToUtf8("\x80 caf\xE9", 1252), "\xE2\x82\xAC caf\xC3\xA9");
    // Bytes 1252 leaves undefined read as U+0081 etc., as Windows does.
    EXPECT_EQ(CodePageToUtf8("\x81\x9D", 1252), "\xC2\x81\xC2\x9D");
    EXPECT_EQ(Utf8ToCodePage("\xE2\x82\xAC 5", 1252), "\x80 5");
    EXPECT_EQ(Utf8ToCodePage("\xC2\x80", 1252), "?"); // 0x80 is the euro, so U+0080 has no byte
    EXPECT_EQ(Utf8ToCodePage(kNihonUtf8, 1252), "??");
    EXPECT_EQ(CodePageToUtf8(std::string("a\0\xE9", 3), 1252), std::string("a\0\xC3\xA9", 4));
}

TEST(CodePage, InvalidSequencesAreReplacedAndConversionGoesOn)
{
    EXPECT_EQ(Utf8ToCodePage("a\xFFz", 1252), "a?z");
    EXPECT_EQ(Utf8ToCodePage("\xE6\x97", 1252), "?");            // truncated
    EXPECT_EQ(Utf8ToCodePage("\xC0\xAF", 1252), "??");           // overlong
    EXPECT_EQ(Utf8ToCodePage("\xED\xA0\x80", 1252), "???");      // surrogate
    EXPECT_EQ(Utf8ToCodePage("\xF4\x90\x80\x80", 1252), "????"); // past U+10FFFF

    EXPECT_EQ(CodePageToUtf8("a\xFF", 65001), "a\xEF\xBF\xBD");
    EXPECT_EQ(CodePageToUtf8(kNihonUtf8, 65001), kNihonUtf8);
    EXPECT_EQ(CodePageToUtf8("ab\x93", 932), "ab\xEF\xBF\xBD");    // lone lead byte at the end
    EXPECT_EQ(CodePageToUtf8("\x81\x20z", 932), "\xEF\xBF\xBD z"); // bad trail byte
}

TEST(CodePage, DoubleByteAnsiAndUnknownCodePages)
{
    EXPECT_EQ(CodePageToUtf8("\x93\xFA\x96\x7B", 932), kNihonUtf8);
    EXPECT_EQ(Utf8ToCodePage(kNihonUtf8, 932), "\x93\xFA\x96\x7B");
    EXPECT_EQ(CodePageToUtf8("\xB1\x95\x5C", 932), "\xEF\xBD\xB1\xE8\xA1\xA8"); // half-width ｱ, 表
    EXPECT_EQ(Utf8ToCodePage("\xC3\xA9z", 932), "?z");                          // é is not in 932

    EXPECT_EQ(CodePageToUtf8("\xD6\xD0\xCE\xC4", 936), kChuwenUtf8);            // GB2312 bytes
    EXPECT_EQ(CodePageToUtf8("\x81\x40\x80", 936), "\xE4\xB8\x82\xE2\x82\xAC"); // GBK-only 丂, euro
    EXPECT_EQ(Utf8ToCodePage(kChuwenUtf8, 936), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(CodePageToUtf8("\xA4\xA4\xA4\xE5", 950), kChuwenUtf8);
    EXPECT_EQ(Utf8ToCodePage(kChuwenUtf8, 950), "\xA4\xA4\xA4\xE5");

    EXPECT_EQ(CodePageToUtf8("\xE9\x80", 12345), "\xC3\xA9\xE2\x82\xAC"); // read as 1252
    EXPECT_EQ(Utf8ToCodePage("\xC3\xA9", -1), "\xE9");
    EXPECT_EQ(CodePageToUtf8("\xE9", 1251), "\xD0\xB9"); // a known one is not 1252: й

    AnsiCodePageScope scope(1252);
    EXPECT_EQ(CString::FromUtf8("caf\xC3\xA9 \xE6\x97\xA5").str(), "caf\xE9 ?");
    SetAnsiCodePage(99999);
    EXPECT_EQ(GetACP(), 1252);
    SetAnsiCodePage(932);
    SetAnsiCodePage(0); // CP_ACP: no change
    EXPECT_EQ(GetACP(), 932);
    CString s = CString::FromUtf8(kNihonUtf8);
    EXPECT_EQ(s.str(), "\x93\xFA\x96\x7B");
    EXPECT_EQ(s.ToUtf8(), kNihonUtf8);
}
