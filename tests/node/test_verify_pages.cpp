// The verify pages of a collect node (length, range and picture; lookup file; qualifier) inside the reference
// host's node dialog, driven by clicks and keys.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "node/CDlgDefineNodeInputFromLookupFile.h"
#include "node/CDlgDefineNodeVerify.h"
#include "node/CDlgDefineNodeVerifyLookupFile.h"
#include "node/CDlgDefineNodeVerifyQualifier.h"
#include "support/Seams.h"
#include "tests/node/collect_harness.h"

using namespace pdt::test;

namespace
{

using VerifyPages = NodeDialogTest;

// ---------------------------------------------------------------------------------------------------------------
// Length, range and picture.

TEST_F(VerifyPages, EachBoxEnablesItsOwnEditsAndTheFailureOptionsStayEnabled)
{
    HostNode *node = m_doc.AddNode(NODE_INPUT, "Qty");
    auto &page = Open<CDlgDefineNodeVerify>(node, IDD_NODE_VERIFY);
    const auto edits = {IDC_VERIFY_LENGTHFROM, IDC_VERIFY_LENGTHTO, IDC_VERIFY_RANGEFROM, IDC_VERIFY_RANGETO,
                        IDC_VERIFY_PICTURETEXT};
    struct Step
    {
        int click;
        std::set<int> enabled;
    };
    const Step steps[] = {
        {0, {}},
        {IDC_VERIFY_RANGE, {IDC_VERIFY_RANGEFROM, IDC_VERIFY_RANGETO}},
        {IDC_VERIFY_LENGTH, {IDC_VERIFY_LENGTHFROM, IDC_VERIFY_LENGTHTO, IDC_VERIFY_RANGEFROM, IDC_VERIFY_RANGETO}},
        {IDC_VERIFY_PICTURE,
         {IDC_VERIFY_LENGTHFROM, IDC_VERIFY_LENGTHTO, IDC_VERIFY_RANGEFROM, IDC_VERIFY_RANGETO,
          IDC_VERIFY_PICTURETEXT}},
        {IDC_VERIFY_RANGE, {IDC_VERIFY_LENGTHFROM, IDC_VERIFY_LENGTHTO, IDC_VERIFY_PICTURETEXT}},
        {IDC_VERIFY_LENGTH, {IDC_VERIFY_PICTURETEXT}},
        {IDC_VERIFY_PICTURE, {}},
    };
    for (const Step &s : steps)
    {
        if (s.click)
            Click(page, s.click);
        SCOPED_TRACE("after clicking " + std::to_string(s.click));
        EXPECT_EQ(EnabledAmong(page, edits), s.enabled);
        EXPECT_EQ(EnabledAmong(page, {IDC_VERIFY_NOBEEP, IDC_VERIFY_NOERRORSIGN, IDC_VERIFY_NOREINPUT}).size(), 3u);
    }
    Click(page, IDC_VERIFY_LENGTH);
    Click(page, IDC_VERIFY_RANGE);
    Click(page, IDC_VERIFY_PICTURE);
}

TEST_F(VerifyPages, BoundsAndOptionsRoundTripAndALengthThatIsNoIntegerIsRefused)
{
    HostNode *node = m_doc.AddNode(NODE_INPUT, "Qty");
    auto &page = Open<CDlgDefineNodeVerify>(node, IDD_NODE_VERIFY);
    Click(page, IDC_VERIFY_LENGTH);
    Click(page, IDC_VERIFY_RANGE);
    Click(page, IDC_VERIFY_NOERRORSIGN);
    Type(page, IDC_VERIFY_LENGTHFROM, "12");
    Type(page, IDC_VERIFY_RANGEFROM, "A100");
    Type(page, IDC_VERIFY_RANGETO, "A199");
    Type(page, IDC_VERIFY_LENGTHTO, "four");

    ExpectMessageBox(IDOK);
    Ok();
    ASSERT_EQ(MessageBoxes().size(), 1u);
    EXPECT_EQ(MessageBoxes()[0].text, "Please enter an integer.");
    EXPECT_EQ(FocusId(), IDC_VERIFY_LENGTHTO);
    EXPECT_FALSE(node->m_collect.bVerifyLength) << "nothing stored";

    Type(page, IDC_VERIFY_LENGTHTO, "4"); // below "From:": the page does not compare them
    Ok();
    const CollectSettings &c = node->m_collect;
    EXPECT_TRUE(c.bVerifyLength);
    EXPECT_EQ(c.nLengthFrom, 12);
    EXPECT_EQ(c.nLengthTo, 4);
    EXPECT_TRUE(c.bVerifyRange);
    EXPECT_EQ(c.strRangeFrom, "A100");
    EXPECT_EQ(c.strRangeTo, "A199");
    EXPECT_FALSE(c.bVerifyPicture);
    EXPECT_TRUE(c.bNoErrorSign);
    EXPECT_FALSE(c.bNoBeep);

    auto &again = Open<CDlgDefineNodeVerify>(node, IDD_NODE_VERIFY);
    EXPECT_EQ(Text(again, IDC_VERIFY_LENGTHFROM), "12");
    EXPECT_EQ(Text(again, IDC_VERIFY_RANGETO), "A199");
    EXPECT_TRUE(Enabled(again, IDC_VERIFY_RANGETO));
    EXPECT_FALSE(Enabled(again, IDC_VERIFY_PICTURETEXT));
    Click(again, IDC_VERIFY_NOBEEP);
    Type(again, IDC_VERIFY_LENGTHFROM, "1");
    Cancel();
    EXPECT_FALSE(c.bNoBeep);
    EXPECT_EQ(c.nLengthFrom, 12);
}

// ---------------------------------------------------------------------------------------------------------------
// Lookup file.

TEST_F(VerifyPages, LookupControlsFollowTheMainBoxAndBinarySearchTakesTheSearchOptionsAway)
{
    HostNode *node = m_doc.AddNode(NODE_INPUT, "Item");
    auto &page = Open<CDlgDefineNodeVerifyLookupFile>(node, IDD_NODE_VERIFYLOOKUPFILE);
    const auto file = {IDC_LOOKUPFILE,  IDC_BROWSE,         IDC_FIELDNO,
                       IDC_TOTALFIELDS, IDC_FIELDSEPARATOR, IDC_SEEK_BINARYSEARCH};
    const auto search = {IDC_SEEK_BEGINNING, IDC_SEEK_CURRENT, IDC_SEEK_FULLKEY};
    struct Step
    {
        int click;
        bool fileOn, searchOn;
    };
    const Step steps[] = {
        {0, false, false},
        {IDC_VERIFY_LOOKUPFILE, true, true},
        {IDC_SEEK_BINARYSEARCH, true, false},
        {IDC_VERIFY_LOOKUPFILE, false, false},
        {IDC_VERIFY_LOOKUPFILE, true, false},
        {IDC_SEEK_BINARYSEARCH, true, true},
    };
    for (const Step &s : steps)
    {
        if (s.click)
            Click(page, s.click);
        SCOPED_TRACE("after clicking " + std::to_string(s.click));
        EXPECT_EQ(EnabledAmong(page, file).size(), s.fileOn ? file.size() : 0u);
        EXPECT_EQ(EnabledAmong(page, search).size(), s.searchOn ? search.size() : 0u);
        EXPECT_TRUE(Enabled(page, IDC_VERIFY_LOOKUPFILE));
    }
}

TEST_F(VerifyPages, BrowsingFillsThePathUnderItsOwnCategoryAndCancelKeepsIt)
{
    HostNode *node = m_doc.AddNode(NODE_INPUT, "Item");
    node->m_strVerifyLookupFile = "/old/items.dat";
    auto &page = Open<CDlgDefineNodeVerifyLookupFile>(node, IDD_NODE_VERIFYLOOKUPFILE);
    Click(page, IDC_VERIFY_LOOKUPFILE);

    std::vector<pdt::support::FileDialogRequest> asked;
    CString answer = "/data/stock.txt";
    pdt::support::SetFileDialogHandler([&](const pdt::support::FileDialogRequest &r) {
        asked.push_back(r);
        return answer;
    });
    Click(page, IDC_BROWSE);
    Pump();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].open);
    EXPECT_EQ(asked[0].fileName, "items.dat");
    EXPECT_EQ(asked[0].filters.size(), 3u) << "data files, text files, all files";
    EXPECT_EQ(Text(page, IDC_LOOKUPFILE), "/data/stock.txt");
    EXPECT_EQ(theReg.GetString("BrowseFile", "LOOKUP", "<none>"), "/data");

    // A cancelled choice does not load the controls again: a number typed with a blank keeps it.
    Type(page, IDC_FIELDNO, " 7");
    answer = "";
    Click(page, IDC_BROWSE);
    Pump();
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(Text(page, IDC_LOOKUPFILE), "/data/stock.txt") << "cancelled: the path stays";
    EXPECT_EQ(Text(page, IDC_FIELDNO), " 7");
    answer = "/data/stock.txt";
    Click(page, IDC_BROWSE);
    Pump();
    pdt::support::SetFileDialogHandler({});
    EXPECT_EQ(Text(page, IDC_FIELDNO), "7") << "a choice loads them";
    Ok();
    EXPECT_EQ(node->m_strVerifyLookupFile, "/data/stock.txt");
    EXPECT_EQ(node->m_dwVerifyFlags & VERIFY_LOOKUPFILE, DWORD(VERIFY_LOOKUPFILE));
}

TEST_F(VerifyPages, TheSeparatorListIsThePagesOwnAndEveryChoiceRoundTrips)
{
    HostNode *node = m_doc.AddNode(NODE_INPUT, "Item");
    auto &page = Open<CDlgDefineNodeVerifyLookupFile>(node, IDD_NODE_VERIFYLOOKUPFILE);
    std::vector<CString> names = ItemTexts(Item(page, IDC_FIELDSEPARATOR));
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names[0], "None") << "the page asks for the list with its empty choice";
    EXPECT_EQ(ComboText(page, IDC_FIELDSEPARATOR), GetTerminatorName(','));

    Click(page, IDC_VERIFY_LOOKUPFILE);
    Type(page, IDC_FIELDNO, "2");
    Type(page, IDC_TOTALFIELDS, "5");
    Choose(page, IDC_FIELDSEPARATOR, GetTerminatorName(9));
    Click(page, IDC_SEEK_CURRENT);
    Click(page, IDC_SEEK_FULLKEY);
    Ok();
    const CollectSettings &c = node->m_collect;
    EXPECT_EQ(c.nVerifyFieldNo, 2);
    EXPECT_EQ(c.nVerifyTotalFields, 5);
    EXPECT_EQ(c.nFieldSeparator, 9);
    EXPECT_TRUE(c.bSearchFromCurrent);
    EXPECT_TRUE(c.bFullKeyMatch);
    EXPECT_FALSE(c.bBinarySearch);

    auto &again = Open<CDlgDefineNodeVerifyLookupFile>(node, IDD_NODE_VERIFYLOOKUPFILE);
    EXPECT_EQ(ComboText(again, IDC_FIELDSEPARATOR), GetTerminatorName(9));
    EXPECT_TRUE(Checked(again, IDC_SEEK_CURRENT));
    EXPECT_FALSE(Checked(again, IDC_SEEK_BEGINNING));
    Click(again, IDC_SEEK_BINARYSEARCH);
    Ok();
    EXPECT_TRUE(c.bBinarySearch);
    EXPECT_TRUE(c.bSearchFromCurrent) << "the disabled choice is kept";
}

// The file a node verifies against is what another node's lookup-file input names.
TEST_F(VerifyPages, AVerificationFileBecomesTheLookupLineOfAnotherNode)
{
    HostNode *item = m_doc.AddNode(NODE_INPUT, "Item");
    HostNode *price = m_doc.AddNode(NODE_INPUT, "Price");
    price->m_collect.bFromLookupFile = true;
    price->m_collect.nLookupNodeID = item->m_nID;
    EXPECT_EQ(Text(Open<CDlgDefineNodeInputFromLookupFile>(price, IDD_NODE_INPUTFROMLOOKUPFILE), IDC_LOOKUPFILE),
              "Not defined in node: Item");

    auto &verify = Open<CDlgDefineNodeVerifyLookupFile>(item, IDD_NODE_VERIFYLOOKUPFILE);
    Click(verify, IDC_VERIFY_LOOKUPFILE);
    Type(verify, IDC_LOOKUPFILE, "items.dat");
    Ok();

    EXPECT_EQ(Text(Open<CDlgDefineNodeInputFromLookupFile>(price, IDD_NODE_INPUTFROMLOOKUPFILE), IDC_LOOKUPFILE),
              "items.dat");
}

// ---------------------------------------------------------------------------------------------------------------
// A refused number.

// A box or "..." clicked while a number on the page is refused keeps everything the person typed or ticked, puts
// the focus on the refused field, and opens no browser.
TEST_F(VerifyPages, ARefusedNumberKeepsEveryOtherEditOnThePage)
{
    struct Case
    {
        const char *name;
        int page;
        std::vector<int> ticks;                         // clicked first
        std::vector<std::pair<int, const char *>> typed; // then typed, in order
        int refused;
        int press; // the box or button that saves the page
    };
    const Case cases[] = {
        {"verify",
         IDD_NODE_VERIFY,
         {IDC_VERIFY_LENGTH, IDC_VERIFY_RANGE},
         {{IDC_VERIFY_RANGEFROM, "A100"}, {IDC_VERIFY_LENGTHFROM, "1a"}},
         IDC_VERIFY_LENGTHFROM,
         IDC_VERIFY_PICTURE},
        {"lookup input",
         IDD_NODE_INPUTFROMLOOKUPFILE,
         {IDC_INPUT_DEVICE_FORMULA},
         {{IDC_FIELDNO, "x"}},
         IDC_FIELDNO,
         IDC_USEDEFAULT},
        {"lookup verify, a box",
         IDD_NODE_VERIFYLOOKUPFILE,
         {IDC_VERIFY_LOOKUPFILE, IDC_SEEK_CURRENT},
         {{IDC_LOOKUPFILE, "/new/items.dat"}, {IDC_FIELDNO, "2x"}},
         IDC_FIELDNO,
         IDC_SEEK_BINARYSEARCH},
        {"lookup verify, the browser",
         IDD_NODE_VERIFYLOOKUPFILE,
         {IDC_VERIFY_LOOKUPFILE, IDC_SEEK_CURRENT},
         {{IDC_LOOKUPFILE, "/new/items.dat"}, {IDC_TOTALFIELDS, "five"}},
         IDC_TOTALFIELDS,
         IDC_BROWSE},
    };
    int browsed = 0;
    pdt::support::SetFileDialogHandler([&](const pdt::support::FileDialogRequest &) {
        ++browsed;
        return CString("/chosen/other.dat");
    });
    for (const Case &c : cases)
    {
        SCOPED_TRACE(c.name);
        HostNode *node = m_doc.AddNode(NODE_INPUT, "Item");
        node->m_strVerifyLookupFile = "/old/items.dat";
        node->m_collect.strRangeFrom = "A000";
        auto &page = Open<CDlgDefineBase>(node, c.page);
        for (int id : c.ticks)
            Click(page, id);
        for (auto [id, text] : c.typed)
            Type(page, id, text);
        bool pressedWas = Checked(page, c.press);
        size_t boxes = MessageBoxes().size();

        ExpectMessageBox(IDOK);
        Click(page, c.press);
        Pump();

        ASSERT_EQ(MessageBoxes().size(), boxes + 1);
        EXPECT_EQ(MessageBoxes().back().text, "Please enter an integer.");
        EXPECT_EQ(FocusId(), c.refused);
        for (auto [id, text] : c.typed)
            EXPECT_EQ(Text(page, id), CString(text)) << "control " << id;
        for (int id : c.ticks)
            EXPECT_TRUE(Checked(page, id)) << "control " << id;
        if (c.press != IDC_BROWSE)
        {
            EXPECT_NE(Checked(page, c.press), pressedWas) << "the click itself stays";
        }
        EXPECT_EQ(browsed, 0);
    }
    pdt::support::SetFileDialogHandler({});
}

// ---------------------------------------------------------------------------------------------------------------
// Qualifier.

TEST_F(VerifyPages, TheQualifierIsEditableOnlyWhenUsed)
{
    HostNode *node = m_doc.AddNode(NODE_INPUT, "Weight");
    auto &page = Open<CDlgDefineNodeVerifyQualifier>(node, IDD_NODE_VERIFYQUALIFIER);
    EXPECT_FALSE(Enabled(page, IDC_QUALIFIER));
    EXPECT_FALSE(Enabled(page, IDC_SCRIPTPAD));
    Click(page, IDC_VERIFY_QUALIFIER);
    EXPECT_TRUE(Enabled(page, IDC_QUALIFIER));
    EXPECT_TRUE(Enabled(page, IDC_SCRIPTPAD));
    Type(page, IDC_QUALIFIER, "DATA > 0 AND DATA < 50");
    Ok();
    EXPECT_TRUE(node->m_collect.bVerifyQualifier);
    EXPECT_EQ(node->m_collect.strQualifier, "DATA > 0 AND DATA < 50");

    auto &again = Open<CDlgDefineNodeVerifyQualifier>(node, IDD_NODE_VERIFYQUALIFIER);
    EXPECT_EQ(Text(again, IDC_QUALIFIER), "DATA > 0 AND DATA < 50");
    Click(again, IDC_VERIFY_QUALIFIER);
    Cancel();
    EXPECT_TRUE(node->m_collect.bVerifyQualifier);
}

} // namespace
