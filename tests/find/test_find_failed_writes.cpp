// The Find history when the settings store refuses a write (a full disk, a read-only file): whichever write fails,
// the next dialog finds every text that was stored, and the numbering still leads to them.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "find/CDlgFind.h"
#include "platform/testing/pdttest.h"
#include "resources/resource.h"
#include "support/AppProfile.h"
#include "support/Seams.h"

using namespace pdt::test;

namespace
{

class FindFailedWrites : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        theReg.SetFileName(TempDir() + "/settings.ini");
    }
    void TearDown() override
    {
        pdt::support::SetProfileWriteFilter({});
    }

    // Every write of that value fails from now on; others go through.
    static void FailWritesOf(const char* section, const char* key)
    {
        std::string s(section), k(key);
        pdt::support::SetProfileWriteFilter(
            [s, k](const char* section, const char* key) { return !(s == section && k == key); });
    }
    static std::vector<CString> Search(const char* text)
    {
        CDlgFind dlg;
        std::vector<CString> listed;
        ExpectModal([&](CDialog& d) {
            listed = ItemTexts(Item(d, IDC_FIND_TEXT));
            if (text)
            {
                Type(d, IDC_FIND_TEXT, text);
                Click(d, IDOK);
            }
            else
                Click(d, IDCANCEL);
        });
        dlg.DoModal();
        return listed;
    }
    static std::vector<CString> Listed()
    {
        return Search(nullptr);
    }
};

TEST_F(FindFailedWrites, NoStoredTextIsLostWhicheverWriteFails)
{
    struct Case
    {
        const char* section;
        const char* key;
        std::vector<CString> after; // what the next dialog lists
        const char* why;
    };
    const Case cases[] = {
        {"Find", "FIND4", {"c", "b", "a"}, "the new text was not stored, so the oldest one stays"},
        {"Settings", "FIND_INDEX0", {"d", "c", "b", "a"}, "the oldest text stays where the first number points"},
        {"Find", "FIND1", {"d", "c", "b", "a"}, "the oldest text could not go, so the numbering keeps it"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.why);
        theReg.SetFileName(TempDir() + "/" + c.key + ".ini");
        theReg.WriteInt("Settings", "FIND_MAXTITLES", 3);
        for (int n = 1; n <= 3; ++n)
            theReg.WriteString("Find", ("FIND" + std::to_string(n)).c_str(), std::string(1, char('a' + n - 1)).c_str());
        FailWritesOf(c.section, c.key);
        EXPECT_EQ(Search("d"), (std::vector<CString>{"c", "b", "a"}));
        pdt::support::SetProfileWriteFilter({});
        EXPECT_EQ(Listed(), c.after);
        EXPECT_EQ(theReg.GetInt("Settings", "FIND_INDEX0", 1), 1);

        // With the store writing again, the history moves on as usual: one text in, the oldest out.
        Search("e");
        std::vector<CString> now = Listed();
        ASSERT_FALSE(now.empty());
        EXPECT_EQ(now.front(), "e");
        EXPECT_EQ(now.size(), c.after.size());
    }
}

// The first number of an empty history may also be the largest int, where a history is usually stored again
// from 1: without the write that says so, the text still goes where the stored number points.
TEST_F(FindFailedWrites, AnEmptyHistoryThatCannotRestartAtOneStoresWhereItsNumberPoints)
{
    for (int first : {5, INT_MAX})
    {
        SCOPED_TRACE(first);
        theReg.SetFileName(TempDir() + "/empty" + std::to_string(first) + ".ini");
        theReg.WriteInt("Settings", "FIND_INDEX0", first);
        FailWritesOf("Settings", "FIND_INDEX0");
        EXPECT_TRUE(Search("pallet").empty());
        pdt::support::SetProfileWriteFilter({});
        EXPECT_EQ(theReg.GetInt("Settings", "FIND_INDEX0", 1), first);
        EXPECT_EQ(Listed(), std::vector<CString>{"pallet"});
    }
}

} // namespace
