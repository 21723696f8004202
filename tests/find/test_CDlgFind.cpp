// The Find dialog driven as a person uses it: typing, choosing from the history, OK and Cancel.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

#include "find/CDlgFind.h"
#include "platform/testing/pdttest.h"
#include "resources/resource.h"
#include "support/AppProfile.h"

using namespace pdt::test;

namespace
{

class FindDialog : public ::testing::Test
{
  protected:
    void SetUp() override { theReg.SetFileName(m_file); }

    static CString HistoryName(int n) { return CString("FIND" + std::to_string(n)); }
    static void Store(std::initializer_list<std::pair<int, const char*>> values)
    {
        for (auto& [n, text] : values)
            theReg.WriteString("Find", HistoryName(n), text);
    }
    static CString Stored(int n) { return theReg.GetString("Find", HistoryName(n), "<missing>"); }
    static std::vector<CString> Listed(CDialog& dlg) { return ItemTexts(Item(dlg, IDC_FIND_TEXT)); }

    std::string m_file = TempDir() + "/settings.ini";
};

// Each case: the settings as found (the first index, the limit, the values or a whole damaged file), what the
// dialog lists, the text confirmed, what is stored under which number afterwards (null: nothing) and the first
// index then (kUnwritten: not written), and what the next dialog lists (empty: not opened).
TEST_F(FindDialog, TheHistoryIsListedNewestFirstAndEachConfirmedTextIsStoredAfterIt)
{
    constexpr int kUnwritten = -7, kUnchecked = -8;
    struct Case
    {
        const char* name;
        int firstIndex;  // 0: not in the file
        int maxTitles;   // 0: not in the file
        const char* file; // the whole file instead, when given
        std::vector<std::pair<int, CString>> stored;
        std::vector<CString> listed;
        const char* typed;
        std::vector<std::pair<int, const char*>> after;
        int indexAfter;
        std::vector<CString> listedNext;
    };
    std::vector<std::pair<int, CString>> full;
    std::vector<CString> fullListed, fullNext = {"newest"};
    for (int n = 1; n <= 32; ++n)
    {
        full.push_back({n, CString("text " + std::to_string(n))});
        fullListed.insert(fullListed.begin(), full.back().second);
        if (n > 1)
            fullNext.insert(fullNext.begin() + 1, full.back().second);
    }
    const Case cases[] = {
        {"first use", 0, 0, nullptr, {}, {}, "Pallet", {{1, "Pallet"}}, kUnwritten, {}},
        {"a text differing only in case is not stored again", 0, 0, nullptr, {{1, "Carton"}}, {"Carton"}, "CARTON",
         {{1, "Carton"}, {2, nullptr}}, kUnchecked, {}},
        {"a full history drops the oldest", 0, 0, nullptr, full, fullListed, "newest",
         {{33, "newest"}, {1, nullptr}, {2, "text 2"}}, 2, fullNext},
        {"the limit is read, and one value goes per OK", 0, 2, nullptr, {{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}},
         {}, "e", {{1, nullptr}, {2, "b"}, {5, "e"}}, 2, {}},
        {"a broken run loads up to the gap and the next text fills it", 0, 0, nullptr,
         {{1, "one"}, {2, "two"}, {4, "four"}}, {"two", "one"}, "three", {{3, "three"}}, kUnchecked,
         {"four", "three", "two", "one"}},
        {"an empty history with a high first index starts again at one", 7, 0, nullptr, {}, {}, "restart",
         {{1, "restart"}}, 1, {}},
        {"damaged settings give defaults: a malformed limit is 32, so nothing is dropped", 0, 0,
         "\xff\xfe garbage\n[Settings]\nFIND_INDEX0=banana\nFIND_MAXTITLES=-5x\n[Find]\nFIND1=kept\n", {}, {"kept"},
         "new", {{1, "kept"}, {2, "new"}}, kUnchecked, {}},
        // A hand-edited or damaged first index near the largest number: stored again from 1, oldest first, and the
        // new text after it, however the run met the end of the numbers.
        {"a run ending on the last number", INT_MAX - 1, 0, nullptr, {{INT_MAX - 1, "alpha"}, {INT_MAX, "beta"}},
         {"beta", "alpha"}, "gamma",
         {{1, "alpha"}, {2, "beta"}, {3, "gamma"}, {INT_MAX - 1, nullptr}, {INT_MAX, nullptr}},
         1, {}},
        {"the next number is the last", INT_MAX - 1, 0, nullptr, {{INT_MAX - 1, "alpha"}}, {"alpha"}, "gamma",
         {{1, "alpha"}, {2, "gamma"}, {INT_MAX - 1, nullptr}, {INT_MAX, nullptr}}, 1, {}},
        {"only the last number", INT_MAX, 0, nullptr, {{INT_MAX, "beta"}}, {"beta"}, "gamma",
         {{1, "beta"}, {2, "gamma"}, {INT_MAX - 1, nullptr}, {INT_MAX, nullptr}}, 1, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::remove(m_file.c_str());
        if (c.file)
        {
            FILE* f = std::fopen(m_file.c_str(), "wb");
            ASSERT_NE(f, nullptr);
            std::fputs(c.file, f);
            std::fclose(f);
        }
        if (c.firstIndex)
            theReg.WriteInt("Settings", "FIND_INDEX0", c.firstIndex);
        if (c.maxTitles)
            theReg.WriteInt("Settings", "FIND_MAXTITLES", c.maxTitles);
        for (auto& [n, text] : c.stored)
            theReg.WriteString("Find", HistoryName(n), text);

        CDlgFind dlg;
        ExpectModal([&](CDialog& d) {
            EXPECT_EQ(FocusId(), IDC_FIND_TEXT);
            if (!c.maxTitles) // what a limit below the stored count lists is not pinned here
            {
                EXPECT_EQ(Listed(d), c.listed);
                EXPECT_EQ(static_cast<CDlgFind&>(d).m_cbFind.GetCurSel(), c.listed.empty() ? CB_ERR : 0);
            }
            Type(c.typed); // over the chosen text, which the focus selected
            Key(VK_RETURN);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_strFind, c.typed) << "returned as typed";
        for (auto& [n, text] : c.after)
            EXPECT_EQ(Stored(n), text ? text : "<missing>") << n;
        if (c.indexAfter != kUnchecked)
        {
            EXPECT_EQ(theReg.GetInt("Settings", "FIND_INDEX0", kUnwritten), c.indexAfter);
        }
        if (c.maxTitles)
        {
            EXPECT_EQ(theReg.GetInt("Settings", "FIND_MAXTITLES", 0), c.maxTitles) << "never written by the dialog";
        }
        if (!c.listedNext.empty())
        {
            CDlgFind again;
            ExpectModal([&](CDialog& d) {
                EXPECT_EQ(Listed(d), c.listedNext);
                Key(VK_ESCAPE);
            });
            again.DoModal();
        }
    }
}

// Texts searched for in jobs of other code pages list right wherever the job's code page has their characters; a
// value stored in a code page before the history was kept in UTF-8 lists as it stands.
TEST_F(FindDialog, TextsOfEveryCodePageListRight)
{
    std::remove(m_file.c_str());
    Store({{1, "caf\xE9"}, {2, "caf\xC3\xA9"}, {3, "\xE7\x94\xBB\xE9\x9D\xA2"}}); // café in 1252; café, 画面
    const std::pair<int, std::vector<CString>> cases[] = {
        {1252, {"??", "caf\xE9", "caf\xE9"}},
        {932, {"\x89\xE6\x96\xCA", "caf?", "caf\xE9"}},
    };
    for (const auto& [codePage, listed] : cases)
    {
        SCOPED_TRACE(codePage);
        CodePageScope cp(codePage);
        CDlgFind dlg;
        ExpectModal([&](CDialog& d) {
            EXPECT_EQ(Listed(d), listed);
            Key(VK_ESCAPE);
        });
        dlg.DoModal();
    }
    CodePageScope cp(932);
    CDlgFind dlg;
    ExpectModal([&](CDialog&) {
        TypeUnicode("\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88"); // テスト
        Key(VK_RETURN);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strFind, "\x83\x65\x83\x58\x83\x67") << "the job's code page";
    EXPECT_EQ(Stored(4), "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88") << "the store's UTF-8";
}

} // namespace
