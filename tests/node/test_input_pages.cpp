// The input pages of a collect node (data type, device, formula, lookup file) inside the reference host's node
// dialog, driven by clicks and keys.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "node/CDlgDefineNodeInput.h"
#include "node/CDlgDefineNodeInputFromDevice.h"
#include "node/CDlgDefineNodeInputFromFormula.h"
#include "node/CDlgDefineNodeInputFromLookupFile.h"
#include "tests/node/collect_harness.h"

using namespace pdt::test;

namespace
{

using InputPages = NodeDialogTest;

// ---------------------------------------------------------------------------------------------------------------
// Data type.

TEST_F(InputPages, TheChosenTypeAndOptionsReachTheNodeAndComeBackOnReopening)
{
    HostNode *node = m_doc.AddNode(NODE_INPUT, "Qty");
    auto &page = Open<CDlgDefineNodeInput>(node, IDD_NODE_INPUT);
    EXPECT_TRUE(Checked(page, IDC_INPUT_TYPESTRING)) << "a new collect node reads text";

    Click(page, IDC_INPUT_TYPELONG);
    Click(page, IDC_INPUT_ALLOWEMPTY);
    Click(page, IDC_INPUT_SAMEASLAST);
    Ok();
    EXPECT_EQ(node->m_collect.nDataType, DATA_LONG);
    EXPECT_TRUE(node->m_collect.bAllowEmpty);
    EXPECT_FALSE(node->m_collect.bFillTail);
    EXPECT_TRUE(node->m_collect.bSameAsLast);

    auto &again = Open<CDlgDefineNodeInput>(node, IDD_NODE_INPUT);
    EXPECT_TRUE(Checked(again, IDC_INPUT_TYPELONG));
    EXPECT_FALSE(Checked(again, IDC_INPUT_TYPESTRING));
    EXPECT_TRUE(Checked(again, IDC_INPUT_ALLOWEMPTY));
    EXPECT_TRUE(Checked(again, IDC_INPUT_SAMEASLAST));

    Click(again, IDC_INPUT_TYPEFLOAT);
    Click(again, IDC_INPUT_ALLOWEMPTY);
    Cancel();
    EXPECT_EQ(node->m_collect.nDataType, DATA_LONG) << "Cancel stores nothing";
    EXPECT_TRUE(node->m_collect.bAllowEmpty);
}

TEST_F(InputPages, ACountNodeShowsOnlyTheThreeNumericTypes)
{
    HostNode *count = m_doc.AddNode(NODE_COUNT, "Cartons");
    count->m_collect.nDataType = DATA_STRING; // a count never holds text: shown as an integer
    auto &page = Open<CDlgDefineNodeInput>(count, IDD_NODE_INPUT);
    const std::pair<int, bool> shown[] = {
        {IDC_INPUT_TYPEINTEGER, true}, {IDC_INPUT_TYPELONG, true},    {IDC_INPUT_TYPEFLOAT, true},
        {IDC_INPUT_TYPESTRING, false}, {IDC_INPUT_ALLOWEMPTY, false}, {IDC_INPUT_FILLTAIL, false},
        {IDC_INPUT_SAMEASLAST, false},
    };
    for (auto [id, visible] : shown)
        EXPECT_EQ(Shown(page, id), visible) << id;
    EXPECT_TRUE(Checked(page, IDC_INPUT_TYPEINTEGER));
    Ok();
    EXPECT_EQ(count->m_collect.nDataType, DATA_INTEGER);
}

// ---------------------------------------------------------------------------------------------------------------
// Device: the timer excludes the scanner and the keypad; each of those enables its own options.

const std::set<int> kTimerControls = {IDC_TIMEFORMAT_DATE, IDC_TIMEFORMAT_TIME, IDC_TIMEFORMAT_DATETIME};
const std::set<int> kDateType = {IDC_DATETYPE_LABEL, IDC_DATETYPE};
const std::set<int> kScanOptions = {IDC_SCAN_AUTOTRIGGER, IDC_SCAN_DOUBLESCAN, IDC_SCAN_SCANNEROFF, IDC_SCAN_MIXKEYPAD};
const std::set<int> kKeypadOptions = {IDC_KEYPAD_COMPLETEWITHENTER, IDC_KEYPAD_ALPHABET, IDC_KEYPAD_DIGITS,
                                      IDC_KEYPAD_SYMBOLS};
const std::set<int> kDevices = {IDC_INPUT_DEVICE_SCANNER, IDC_INPUT_DEVICE_KEYPAD};

std::set<int> Union(std::initializer_list<std::set<int>> sets)
{
    std::set<int> all = {IDC_INPUT_DEVICE_TIMER};
    for (const auto &s : sets)
        all.insert(s.begin(), s.end());
    return all;
}

TEST_F(InputPages, DeviceControlsFollowTheTimerScannerKeypadAndFormatInBothDirections)
{
    HostNode *node = m_doc.AddNode(NODE_INPUT, "Stamp");
    node->m_collect.bScanner = node->m_collect.bKeypad = node->m_collect.bTimer = false;
    node->m_collect.nTimeFormat = TIME_DATE;
    auto &page = Open<CDlgDefineNodeInputFromDevice>(node, IDD_NODE_INPUTFROMDEVICE);

    struct Step
    {
        int click; // 0: as loaded
        std::set<int> enabled;
    };
    const Step steps[] = {
        {0, Union({kDevices})},
        {IDC_INPUT_DEVICE_SCANNER, Union({kDevices, kScanOptions})},
        {IDC_INPUT_DEVICE_KEYPAD, Union({kDevices, kScanOptions, kKeypadOptions})},
        {IDC_INPUT_DEVICE_SCANNER, Union({kDevices, kKeypadOptions})},
        {IDC_INPUT_DEVICE_SCANNER, Union({kDevices, kScanOptions, kKeypadOptions})},
        {IDC_INPUT_DEVICE_TIMER, Union({kTimerControls, kDateType})},
        {IDC_TIMEFORMAT_TIME, Union({kTimerControls})},
        {IDC_TIMEFORMAT_DATETIME, Union({kTimerControls, kDateType})},
        {IDC_TIMEFORMAT_DATE, Union({kTimerControls, kDateType})},
        // The boxes kept their marks under the timer, so both option groups come back.
        {IDC_INPUT_DEVICE_TIMER, Union({kDevices, kScanOptions, kKeypadOptions})},
        {IDC_INPUT_DEVICE_KEYPAD, Union({kDevices, kScanOptions})},
    };
    int n = 0;
    for (const Step &s : steps)
    {
        SCOPED_TRACE("step " + std::to_string(n++) + ", clicked " + std::to_string(s.click));
        if (s.click)
            Click(page, s.click);
        EXPECT_EQ(EnabledAmong(page, Union({kTimerControls, kDateType, kScanOptions, kKeypadOptions, kDevices})),
                  s.enabled);
    }
}

TEST_F(InputPages, TheTimerWinsOverTheBoxesItDisabledWhenTheNodeTakesThePage)
{
    HostNode *node = m_doc.AddNode(NODE_INPUT, "Stamp");
    node->m_collect.bScanner = node->m_collect.bKeypad = true;
    auto &page = Open<CDlgDefineNodeInputFromDevice>(node, IDD_NODE_INPUTFROMDEVICE);
    Click(page, IDC_INPUT_DEVICE_TIMER);
    Click(page, IDC_TIMEFORMAT_DATETIME);
    EXPECT_TRUE(Checked(page, IDC_INPUT_DEVICE_SCANNER)) << "the disabled box keeps its mark";
    ChooseComboItem(Item(page, IDC_DATETYPE), 3);
    Ok();
    EXPECT_TRUE(node->m_collect.bTimer);
    EXPECT_FALSE(node->m_collect.bScanner);
    EXPECT_FALSE(node->m_collect.bKeypad);
    EXPECT_EQ(node->m_collect.nTimeFormat, TIME_DATETIME);
    EXPECT_EQ(node->m_collect.nDateType, 3);

    auto &again = Open<CDlgDefineNodeInputFromDevice>(node, IDD_NODE_INPUTFROMDEVICE);
    EXPECT_TRUE(Checked(again, IDC_INPUT_DEVICE_TIMER));
    EXPECT_TRUE(Checked(again, IDC_TIMEFORMAT_DATETIME));
    EXPECT_FALSE(Checked(again, IDC_TIMEFORMAT_DATE));
    EXPECT_EQ(ComboText(again, IDC_DATETYPE), DateTypeNames()[3]);
    EXPECT_EQ(ItemTexts(Item(again, IDC_DATETYPE)).size(), DateTypeNames().size());
}

TEST_F(InputPages, ADateTypeTheHostDoesNotKnowShowsTheFirstAndOptionsRoundTrip)
{
    HostNode *node = m_doc.AddNode(NODE_INPUT, "Stamp");
    node->m_collect.nDateType = 99;
    node->m_collect.bTimer = true;
    auto &page = Open<CDlgDefineNodeInputFromDevice>(node, IDD_NODE_INPUTFROMDEVICE);
    EXPECT_EQ(ComboText(page, IDC_DATETYPE), DateTypeNames()[0]);
    Click(page, IDC_INPUT_DEVICE_TIMER);
    EXPECT_TRUE(Enabled(page, IDC_SCAN_DOUBLESCAN)) << "the scanner box kept its mark under the timer";
    Click(page, IDC_SCAN_DOUBLESCAN);
    Click(page, IDC_KEYPAD_SYMBOLS);
    Click(page, IDC_KEYPAD_COMPLETEWITHENTER);
    Ok();
    const CollectSettings &c = node->m_collect;
    EXPECT_FALSE(c.bTimer);
    EXPECT_EQ(c.nDateType, 0);
    EXPECT_TRUE(c.bDoubleScan);
    EXPECT_TRUE(c.bSymbols);
    EXPECT_FALSE(c.bCompleteWithEnter);
}

// ---------------------------------------------------------------------------------------------------------------
// Formula.

TEST_F(InputPages, TheFormulaIsEditableOnlyWhenGenerated)
{
    HostNode *node = m_doc.AddNode(NODE_INPUT, "Total");
    node->m_collect.strFormula = "A+B";
    auto &page = Open<CDlgDefineNodeInputFromFormula>(node, IDD_NODE_INPUTFROMFORMULA);
    EXPECT_FALSE(Enabled(page, IDC_FORMULA));
    EXPECT_FALSE(Enabled(page, IDC_SCRIPTPAD));
    Click(page, IDC_INPUT_DEVICE_FORMULA);
    EXPECT_TRUE(Enabled(page, IDC_FORMULA));
    EXPECT_TRUE(Enabled(page, IDC_SCRIPTPAD));
    Click(page, IDC_INPUT_DEVICE_FORMULA);
    EXPECT_FALSE(Enabled(page, IDC_FORMULA)) << "clearing the box disables the formula again";
    EXPECT_FALSE(Enabled(page, IDC_SCRIPTPAD));
    Click(page, IDC_INPUT_DEVICE_FORMULA);
    Ok();
    EXPECT_TRUE(node->m_collect.bFromFormula);
    EXPECT_EQ(node->m_collect.strFormula, "A+B");
}

// ---------------------------------------------------------------------------------------------------------------
// Lookup file.

class LookupPage : public NodeDialogTest
{
  protected:
    void SetUp() override
    {
        NodeDialogTest::SetUp();
        m_items = m_doc.AddNode(NODE_INPUT, "Item");
        m_items->m_dwVerifyFlags = VERIFY_LOOKUPFILE;
        m_items->m_strVerifyLookupFile = "C:\\data\\items.dat";
        m_plain = m_doc.AddNode(NODE_INPUT, "Plain");
        m_flagOnly = m_doc.AddNode(NODE_INPUT, "FlagOnly");
        m_flagOnly->m_dwVerifyFlags = VERIFY_LOOKUPFILE; // on, but no file named
        m_fileOnly = m_doc.AddNode(NODE_INPUT, "FileOnly");
        m_fileOnly->m_strVerifyLookupFile = "C:\\data\\old.dat"; // a file kept from when it was on
        m_doc.AddNode(NODE_COUNT, "Counter");
        m_node = m_doc.AddNode(NODE_INPUT, "Price");
    }
    CDlgDefineNodeInputFromLookupFile &OpenPage()
    {
        return Open<CDlgDefineNodeInputFromLookupFile>(m_node, IDD_NODE_INPUTFROMLOOKUPFILE);
    }
    HostNode *m_items, *m_plain, *m_flagOnly, *m_fileOnly, *m_node;
};

TEST_F(LookupPage, TheListHoldsTheOtherCollectNodesAndTheLineNamesTheChosenOnesFile)
{
    auto &page = OpenPage();
    EXPECT_EQ(ItemTexts(Item(page, IDC_NODELIST)), (std::vector<CString>{"Item", "Plain", "FlagOnly", "FileOnly"}));
    Click(page, IDC_INPUT_DEVICE_FORMULA);
    const std::pair<const char *, const char *> cases[] = {
        {"Plain", "Not defined in node: Plain"},
        {"Item", "C:\\data\\items.dat"},
        {"FlagOnly", "Not defined in node: FlagOnly"},
        {"FileOnly", "Not defined in node: FileOnly"},
        {"Item", "C:\\data\\items.dat"},
    };
    for (auto [name, line] : cases)
    {
        Choose(page, IDC_NODELIST, name);
        EXPECT_EQ(Text(page, IDC_LOOKUPFILE), line) << name;
    }
}

TEST_F(LookupPage, DefaultValueIsEnabledOnlyWithBothBoxes)
{
    auto &page = OpenPage();
    struct Step
    {
        int click;
        bool on, useDefault;
    };
    const Step steps[] = {
        {0, false, false},
        {IDC_INPUT_DEVICE_FORMULA, true, false},
        {IDC_USEDEFAULT, true, true},
        {IDC_INPUT_DEVICE_FORMULA, false, true},
        {IDC_INPUT_DEVICE_FORMULA, true, true},
        {IDC_USEDEFAULT, true, false},
    };
    for (const Step &s : steps)
    {
        if (s.click)
            Click(page, s.click);
        SCOPED_TRACE("after clicking " + std::to_string(s.click));
        for (int id : {IDC_NODELIST, IDC_FIELDNO, IDC_LOOKUPFILE, IDC_USEDEFAULT})
            EXPECT_EQ(Enabled(page, id), s.on) << id;
        EXPECT_EQ(Enabled(page, IDC_DEFAULTVALUE), s.on && s.useDefault);
        EXPECT_TRUE(Enabled(page, IDC_INPUT_DEVICE_FORMULA));
    }
}

TEST_F(LookupPage, ChoicesSurviveOkAndReopeningAndCancelChangesNothing)
{
    auto &page = OpenPage();
    Click(page, IDC_INPUT_DEVICE_FORMULA);
    Choose(page, IDC_NODELIST, "Item");
    Type(page, IDC_FIELDNO, "3");
    Click(page, IDC_USEDEFAULT);
    Type(page, IDC_DEFAULTVALUE, "N/A");
    Ok();
    const CollectSettings &c = m_node->m_collect;
    EXPECT_TRUE(c.bFromLookupFile);
    EXPECT_EQ(c.nLookupNodeID, m_items->m_nID);
    EXPECT_EQ(c.nLookupFieldNo, 3);
    EXPECT_TRUE(c.bUseDefault);
    EXPECT_EQ(c.strDefaultValue, "N/A");

    auto &again = OpenPage();
    EXPECT_EQ(ComboText(again, IDC_NODELIST), "Item");
    EXPECT_EQ(Text(again, IDC_LOOKUPFILE), "C:\\data\\items.dat") << "the line is right from the start";
    EXPECT_EQ(Text(again, IDC_FIELDNO), "3");
    EXPECT_EQ(Text(again, IDC_DEFAULTVALUE), "N/A");
    EXPECT_TRUE(Enabled(again, IDC_DEFAULTVALUE));

    Choose(again, IDC_NODELIST, "Plain");
    Type(again, IDC_FIELDNO, "7");
    Click(again, IDC_INPUT_DEVICE_FORMULA);
    Cancel();
    EXPECT_TRUE(c.bFromLookupFile);
    EXPECT_EQ(c.nLookupNodeID, m_items->m_nID);
    EXPECT_EQ(c.nLookupFieldNo, 3);
}

TEST_F(LookupPage, ANodeTheDocumentNoLongerKnowsShowsNoLineAndBreaksNothing)
{
    m_node->m_collect.nLookupNodeID = 999; // deleted long ago
    auto &page = OpenPage();
    EXPECT_EQ(ComboText(page, IDC_NODELIST), "<none>");
    EXPECT_EQ(Text(page, IDC_LOOKUPFILE), "");

    // Deleted while the dialog is open: choosing it shows no line rather than a stale one.
    Click(page, IDC_INPUT_DEVICE_FORMULA);
    Choose(page, IDC_NODELIST, "Item");
    ASSERT_EQ(Text(page, IDC_LOOKUPFILE), "C:\\data\\items.dat");
    ASSERT_TRUE(m_doc.RemoveNode(m_plain->m_nID));
    Choose(page, IDC_NODELIST, "Plain");
    EXPECT_EQ(Text(page, IDC_LOOKUPFILE), "");
    Ok();
    EXPECT_FALSE(m_dlg->IsWindowVisible());
}

} // namespace
