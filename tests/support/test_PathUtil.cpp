// File name helpers: titles with both kinds of separator.
#include "support/PathUtil.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/testing/pdttest.h"

namespace
{

std::string Title(const char* path, char separator)
{
    char buffer[256] = "garbage";
    char* result = GetTitleOfName(path, buffer, separator);
    EXPECT_EQ(result, buffer);
    return buffer;
}

} // namespace

TEST(PathUtil, GetTitleOfNameAndDoubleByteNames)
{
    EXPECT_EQ(Title("C:\\data\\job.dat", '\\'), "job.dat");
    EXPECT_EQ(Title("/home/u/job.dat", '/'), "job.dat");
    EXPECT_EQ(Title("/home/u/job.dat", '\\'), "/home/u/job.dat"); // only the given separator counts
    EXPECT_EQ(Title("dir/", '/'), "");
    EXPECT_EQ(Title("", '/'), "");
    EXPECT_EQ(Title(nullptr, '/'), "");
    EXPECT_EQ(GetTitleOfName("a/b", nullptr, '/'), nullptr);

    // The buffer may be the path itself.
    char inPlace[] = "a/bb/ccc";
    EXPECT_STREQ(GetTitleOfName(inPlace, inPlace, '/'), "ccc");

    // 0x95 0x5C is one Shift-JIS character; its trail byte is not a folder separator.
    pdt::test::CodePageScope cp(932);
    EXPECT_EQ(Title("dir\\\x95\x5C.txt", '\\'), "\x95\x5C.txt");
    EXPECT_EQ(Title("\x95\x5C"
                    "a",
                    '\\'),
              "\x95\x5C"
              "a");
    EXPECT_EQ(RemoveExtensionName("d.\x95\x5C"), "d"); // no separator at all here
    EXPECT_EQ(RemoveExtensionName("x\\\x95\x5C.txt"), "x\\\x95\x5C");
}
