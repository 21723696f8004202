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

TEST_F(FindDialog, FirstUseShowsEmptyHistoryAndStoresTheTextAsNumberOne)
{
    CDlgFind dlg;
    ExpectModal([](CDialog& d) {
        auto& dlg = static_cast<CDlgFind&>(d);
        EXPECT_EQ(dlg.m_cbFind.GetCount(), 0);
        EXPECT_EQ(dlg.m_cbFind.GetCurSel(), CB_ERR);
        EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), IDC_FIND_TEXT);
        Type("Pallet");
        Key(VK_RETURN);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strFind, "Pallet");
    EXPECT_EQ(Stored(1), "Pallet");
    EXPECT_EQ(theReg.GetInt("Settings", "FIND_INDEX0", -7), -7) << "the first index is not written on first use";
}

TEST_F(FindDialog, HistoryIsListedNewestFirstWithTheNewestSelected)
{
    Store({{1, "alpha"}, {2, "beta"}, {3, "gamma"}});
    CDlgFind dlg;
    ExpectModal([](CDialog& d) {
        auto& dlg = static_cast<CDlgFind&>(d);
        EXPECT_EQ(Listed(d), (std::vector<CString>{"gamma", "beta", "alpha"}));
        EXPECT_EQ(dlg.m_cbFind.GetCurSel(), 0);
        EXPECT_EQ(dlg.m_cbFind.GetWindowText(), "gamma");
        ChooseComboItem(dlg.m_cbFind, 2);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strFind, "alpha");
    EXPECT_EQ(Stored(4), "<missing>") << "a text from the list is not stored again";
}

TEST_F(FindDialog, TextDifferingOnlyInCaseIsNotStoredAgainButIsReturnedAsTyped)
{
    Store({{1, "Carton"}});
    CDlgFind dlg;
    ExpectModal([](CDialog& d) {
        Type(d, IDC_FIND_TEXT, "CARTON");
        Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strFind, "CARTON");
    EXPECT_EQ(Stored(1), "Carton");
    EXPECT_EQ(Stored(2), "<missing>");
}

TEST_F(FindDialog, OptionsAndPromptReachTheMembers)
{
    CDlgFind dlg;
    dlg.m_strPrompt = "Search the job for a node name";
    ExpectModal([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItem(IDC_FIND_PROMPT)->GetWindowText(), "Search the job for a node name");
        Type(d, IDC_FIND_TEXT, "x");
        SavePng(d.m_hWnd, OutputPath("find.png"));
        Click(d, IDC_FIND_MATCHCASE);
        Click(d, IDC_FIND_OUTPUTTOPANE2);
        Click(d, IDC_FIND_OUTPUTTOPANE2);
        Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.m_bMatchCase);
    EXPECT_FALSE(dlg.m_bOutputToPane2);
}

TEST_F(FindDialog, EmptyTextKeepsTheDialogOpen)
{
    CDlgFind dlg;
    ExpectModal([](CDialog& d) {
        Click(d, IDOK);
        EXPECT_TRUE(d.IsWindowVisible()) << "OK with no text does nothing";
        Key(VK_RETURN);
        EXPECT_TRUE(d.IsWindowVisible());
        Type(d, IDC_FIND_TEXT, "late");
        Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strFind, "late");
}

TEST_F(FindDialog, CancelLeavesTheHistoryAsItWas)
{
    Store({{1, "one"}});
    CDlgFind dlg;
    ExpectModal([](CDialog& d) {
        Type(d, IDC_FIND_TEXT, "typed but cancelled");
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(Stored(1), "one");
    EXPECT_EQ(Stored(2), "<missing>");
    EXPECT_TRUE(dlg.m_strFind.IsEmpty());
}

TEST_F(FindDialog, FullHistoryDropsTheOldestValueAndTheNextDialogStartsAfterIt)
{
    for (int n = 1; n <= 32; ++n)
        theReg.WriteString("Find", HistoryName(n), CString("text " + std::to_string(n)));
    CDlgFind dlg;
    ExpectModal([](CDialog& d) {
        EXPECT_EQ(static_cast<CDlgFind&>(d).m_cbFind.GetCount(), 32);
        Type(d, IDC_FIND_TEXT, "newest");
        Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(Stored(33), "newest");
    EXPECT_EQ(Stored(1), "<missing>");
    EXPECT_EQ(Stored(2), "text 2");
    EXPECT_EQ(theReg.GetInt("Settings", "FIND_INDEX0", 0), 2);

    CDlgFind again;
    ExpectModal([](CDialog& d) {
        auto items = Listed(d);
        ASSERT_EQ(items.size(), 32u);
        EXPECT_EQ(items.front(), "newest");
        EXPECT_EQ(items.back(), "text 2");
        Key(VK_ESCAPE);
    });
    again.DoModal();
}

TEST_F(FindDialog, MaxTitlesIsReadFromTheStoreAndAtMostOneValueIsDroppedPerOk)
{
    theReg.WriteInt("Settings", "FIND_MAXTITLES", 2);
    Store({{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}});
    CDlgFind dlg;
    ExpectModal([](CDialog& d) {
        Type(d, IDC_FIND_TEXT, "e");
        Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(Stored(1), "<missing>");
    EXPECT_EQ(Stored(2), "b") << "only one value goes per OK";
    EXPECT_EQ(Stored(5), "e");
    EXPECT_EQ(theReg.GetInt("Settings", "FIND_INDEX0", 0), 2);
    EXPECT_EQ(theReg.GetInt("Settings", "FIND_MAXTITLES", 0), 2) << "the limit is never written by the dialog";
}

TEST_F(FindDialog, BrokenRunLoadsUpToTheGapAndTheNextTextFillsIt)
{
    Store({{1, "one"}, {2, "two"}, {4, "four"}});
    CDlgFind dlg;
    ExpectModal([](CDialog& d) {
        EXPECT_EQ(Listed(d), (std::vector<CString>{"two", "one"}));
        Type(d, IDC_FIND_TEXT, "three");
        Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(Stored(3), "three");

    CDlgFind again;
    ExpectModal([](CDialog& d) {
        EXPECT_EQ(Listed(d), (std::vector<CString>{"four", "three", "two", "one"}));
        Key(VK_ESCAPE);
    });
    again.DoModal();
}

TEST_F(FindDialog, EmptyHistoryWithAHighFirstIndexStartsAgainAtOne)
{
    theReg.WriteInt("Settings", "FIND_INDEX0", 7);
    CDlgFind dlg;
    ExpectModal([](CDialog& d) {
        Type(d, IDC_FIND_TEXT, "restart");
        Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(theReg.GetInt("Settings", "FIND_INDEX0", 0), 1);
    EXPECT_EQ(Stored(1), "restart");
}

TEST_F(FindDialog, DamagedSettingsGiveDefaults)
{
    {
        FILE* f = std::fopen(m_file.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("\xff\xfe garbage\n[Settings]\nFIND_INDEX0=banana\nFIND_MAXTITLES=-5x\n[Find]\nFIND1=kept\n", f);
        std::fclose(f);
    }
    CDlgFind dlg;
    ExpectModal([](CDialog& d) {
        EXPECT_EQ(Listed(d), (std::vector<CString>{"kept"}));
        Type(d, IDC_FIND_TEXT, "new");
        Click(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(Stored(2), "new");
    EXPECT_EQ(Stored(1), "kept") << "a malformed limit falls back to 32, so nothing is dropped";
}

// A hand-edited or damaged first index near the largest number: the history is listed, kept and stored again
// from 1, and a new search goes after it, however the run met the end of the numbers.
TEST_F(FindDialog, AHistoryAtTheEndOfTheNumbersStartsAgainAtOneAndLosesNothing)
{
    const struct
    {
        const char* name;
        int first;
        std::vector<std::pair<int, const char*>> stored;
        std::vector<CString> listed;
    } cases[] = {
        {"ends on the last number", INT_MAX - 1, {{INT_MAX - 1, "alpha"}, {INT_MAX, "beta"}}, {"beta", "alpha"}},
        {"next number is the last", INT_MAX - 1, {{INT_MAX - 1, "alpha"}}, {"alpha"}},
        {"only the last number", INT_MAX, {{INT_MAX, "beta"}}, {"beta"}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::remove(m_file.c_str());
        theReg.WriteInt("Settings", "FIND_INDEX0", c.first);
        for (auto& [n, text] : c.stored)
            theReg.WriteString("Find", HistoryName(n), text);
        CDlgFind dlg;
        ExpectModal([&](CDialog& d) {
            EXPECT_EQ(Listed(d), c.listed);
            Type(d, IDC_FIND_TEXT, "gamma");
            Key(VK_RETURN);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        const int n = int(c.listed.size());
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(Stored(i + 1), c.listed[size_t(n - 1 - i)]) << "oldest first from 1";
        EXPECT_EQ(Stored(n + 1), "gamma");
        EXPECT_EQ(theReg.GetInt("Settings", "FIND_INDEX0", -7), 1);
        EXPECT_EQ(Stored(INT_MAX), "<missing>");
        EXPECT_EQ(Stored(INT_MAX - 1), "<missing>");
    }
}

} // namespace
