// The job file's own JSON reader must give the JSON library's tree exactly, number kinds included, for every text
// it takes, and leave every other text to the library.
#include <gtest/gtest.h>

#include <string>

#include "host/jobfile/JobFile.h"
#include "host/jobfile/JsonReader.h"

namespace
{

// Equal values of equal kinds: the library's == calls 1 and 1u equal, a reader must not mix them up.
bool SameTree(const Json& a, const Json& b)
{
    if (a.type() != b.type())
        return false;
    if (a.is_object())
    {
        if (a.size() != b.size())
            return false;
        for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j)
            if (i.key() != j.key() || !SameTree(*i, *j))
                return false;
        return true;
    }
    if (a.is_array())
    {
        if (a.size() != b.size())
            return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (!SameTree(a[i], b[i]))
                return false;
        return true;
    }
    return a == b;
}

std::string Nested(int levels) { return std::string(size_t(levels), '[') + std::string(size_t(levels), ']'); }

TEST(JsonReader, TakesWhatAJobFileHoldsAndGivesTheLibrarysTree)
{
    const std::string texts[] = {
        "{}",
        "[]",
        " \t\r\n{ \"a\" : [ 1 , -2 , 0 , -0 ] , \"b\" : { } }\n",
        R"({"format": "pdtdlg job", "version": "1.0", "nodes": [{"id": 1, "name": "Scan", "on": true, "off": false,
            "none": null, "position": [10, -20]}]})",
        R"(["\"\\\/\b\f\n\r\t", "\u00e9\u4E2D", "\ud83d\ude00", "a\u0000b"])",
        "[\"caf\xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80 \xEF\xBF\xBF \xF4\x8F\xBF\xBF\"]",
        "[18446744073709551615, -9223372036854775808, 9223372036854775807, 9223372036854775808]",
        R"({"a": 1, "b": 2, "a": "last"})", // a key twice: its first place, its last value
        Nested(64),
    };
    for (const std::string& text : texts)
    {
        SCOPED_TRACE(text.substr(0, 80));
        Json fast;
        ASSERT_TRUE(ReadJsonTree(text, fast));
        EXPECT_TRUE(SameTree(fast, Json::parse(text))) << fast.dump();
    }
}

TEST(JsonReader, LeavesFaultsFractionsAndHugeNumbersToTheLibrary)
{
    const std::string texts[] = {
        "", " ", "{} {}", "[1,]", "{\"a\":1,}", "{\"a\" 1}", "{a:1}", "[1 2]", "[01]", "[-]", "[+1]", "[tru]",
        "[nul]", "[truex]", "[\"open]", "[\"a\x01\"]", "[\"\\x\"]", "[\"\\u12G4\"]", "[\"\\udc00\"]",
        "[\"\\ud800x\"]", "[\"\\ud800\\u0041\"]",
        "[\"\xC0\x80\"]",         // an overlong form
        "[\"\xED\xA0\x80\"]",     // a surrogate written as UTF-8
        "[\"\xF4\x90\x80\x80\"]", // past U+10FFFF
        "[\"\xE4\xB8\"]",         // cut short
        "[\xFF]", "[1.5]", "[1e3]", "[-2E-1]", "[18446744073709551616]", "[-9223372036854775809]",
        "[123456789012345678901234]", "\xEF\xBB\xBF{}", Nested(65),
    };
    for (const std::string& text : texts)
    {
        SCOPED_TRACE(text.substr(0, 80));
        Json fast;
        EXPECT_FALSE(ReadJsonTree(text, fast));
    }
}

// What the library takes that this reader leaves to it still reads as a job.
TEST(JsonReader, AJobWithAFractionOrAByteOrderMarkStillReads)
{
    const std::string job = R"({"format": "pdtdlg job", "version": "1.0", "nodes": [{"id": 1, "kind": 1, "x": 0.5}]})";
    for (const std::string& text : {job, "\xEF\xBB\xBF" + job})
    {
        std::string error;
        auto doc = ParseJobText(text, &error);
        ASSERT_TRUE(doc) << error;
        EXPECT_EQ(doc->GetNodeCount(), 1);
    }
}

} // namespace
