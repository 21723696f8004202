// The collect and count nodes of the reference host: every page under the entry it refines, pages listed for a
// node of another kind, and the device, lookup, verify and count pages, driven by clicks.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "node/CDlgDefineNodeCountInitial.h"
#include "node/CDlgDefineNodeCountOperate.h"
#include "node/CDlgDefineNodeInputBarcode.h"
#include "node/CDlgDefineNodeInputFromDevice.h"
#include "node/CDlgDefineNodeInputFromLookupFile.h"
#include "node/CDlgDefineNodeVerifyLookupFile.h"
#include "support/Seams.h"
#include "tests/node/collect_harness.h"

using namespace pdt::test;

namespace
{

using CollectNode = NodeDialogTest;
using InputPages = NodeDialogTest;
using VerifyPages = NodeDialogTest;

TEST_F(CollectNode, ACollectAndACountNodeOpenWithEveryPageUnderItsGroup)
{
    HostNode* scan = m_doc.AddNode(NODE_INPUT, "Scan");
    m_doc.m_bExpandInput = m_doc.m_bExpandVerify = 1;
    Open<CDlgDefineNodeInputFromDevice>(scan, NodeOptions::INPUT_DEVICE);
    EXPECT_EQ(Labels(*m_dlg), (std::vector<CString>{"Basic", "Screen", "Input", "Verify", "Notes", "Incoming Links",
                                                    "Outgoing Links"}));
    EXPECT_EQ(Labels(*m_dlg, FindItem(*m_dlg, "Input")),
              (std::vector<CString>{"From Device", "Barcode Symbology", "From Formula", "From Lookup File"}));
    EXPECT_EQ(Labels(*m_dlg, FindItem(*m_dlg, "Verify")), (std::vector<CString>{"By Lookup File", "By Qualifier"}));
    for (OPTIONITEM* opt = m_dlg->m_pOptions; opt->nID; ++opt)
        EXPECT_NE(opt->pPage, nullptr) << opt->nID;

    // Collapsing a group is remembered for the next node.
    ToggleExpand(*m_dlg, FindItem(*m_dlg, "Verify"));
    Cancel();
    EXPECT_EQ(m_doc.m_bExpandVerify, 0);
    EXPECT_EQ(m_doc.m_bExpandInput, 1);

    HostNode* count = m_doc.AddNode(NODE_COUNT, "Cartons");
    Open<CDlgDefineNodeCountInitial>(count, NodeOptions::COUNT_INITIAL);
    EXPECT_EQ(Labels(*m_dlg), (std::vector<CString>{"Basic", "Screen", "Data Type", "Initial Value", "Operation 1",
                                                    "Operation 2", "Notes", "Incoming Links", "Outgoing Links"}));
    for (OPTIONITEM* opt = m_dlg->m_pOptions; opt->nID; ++opt)
        EXPECT_NE(opt->pPage, nullptr) << opt->nID;
    EXPECT_TRUE(MessageBoxes().empty());
}

// A host array that lists every collect and count page for a screen node: no other collect node, no data node,
// nothing wrong shown, and every page still takes its clicks and stores them.
TEST_F(CollectNode, PagesListedForANodeOfAnotherKindStayUsable)
{
    HostNode* screen = m_doc.AddNode(NODE_SCREEN, "Menu");
    auto entry = [](int id, int parent, const char* title) {
        return OPTIONITEM{id, parent, title, nullptr, nullptr, nullptr, 0, 0, nullptr};
    };
    OPTIONITEM options[] = {
        entry(IDD_NODE_BASIC, -1, "Basic"),
        entry(IDD_NODE_INPUT, -1, "Input"),
        entry(IDD_NODE_INPUTFROMDEVICE, 1, "Device"),
        entry(IDD_NODE_INPUTBARCODE, 1, "Barcode"),
        entry(IDD_NODE_INPUTFROMFORMULA, 1, "Formula"),
        entry(IDD_NODE_INPUTFROMLOOKUPFILE, 1, "Lookup"),
        entry(IDD_NODE_VERIFY, -1, "Verify"),
        entry(IDD_NODE_VERIFYLOOKUPFILE, 6, "Verify Lookup"),
        entry(IDD_NODE_VERIFYQUALIFIER, 6, "Qualifier"),
        entry(NodeOptions::COUNT_INITIAL, -1, "Initial"),
        entry(NodeOptions::COUNT_OPERATION1, -1, "Op 1"),
        entry(NodeOptions::COUNT_OPERATION2, -1, "Op 2"),
        entry(0, -1, nullptr),
    };
    auto& lookup = OpenOn<CDlgDefineNodeInputFromLookupFile>(screen, options, IDD_NODE_INPUTFROMLOOKUPFILE);
    EXPECT_TRUE(ItemTexts(Item(lookup, IDC_NODELIST)).empty()) << "no other collect node";
    Click(lookup, IDC_INPUT_DEVICE_FORMULA);
    EXPECT_EQ(Text(lookup, IDC_LOOKUPFILE), "");

    ClickItem(*m_dlg, "Device");
    Click(PageOf<CDlgDefineNodeInputFromDevice>(IDD_NODE_INPUTFROMDEVICE), IDC_INPUT_DEVICE_TIMER);
    ClickItem(*m_dlg, "Barcode");
    auto& barcode = PageOf<CDlgDefineNodeInputBarcode>(IDD_NODE_INPUTBARCODE);
    Click(barcode, IDC_BARCODE_SET);
    Click(barcode, IDC_BARCODE_CLEARALL);
    ClickItem(*m_dlg, "Verify Lookup");
    Click(PageOf<CDlgDefineNodeVerifyLookupFile>(IDD_NODE_VERIFYLOOKUPFILE), IDC_VERIFY_LOOKUPFILE);
    ClickItem(*m_dlg, "Initial");
    auto& initial = PageOf<CDlgDefineNodeCountInitial>(NodeOptions::COUNT_INITIAL);
    EXPECT_TRUE(ItemTexts(Item(initial, IDC_NODELIST)).empty());
    Click(initial, IDC_COUNT_BYCOPYNODE);
    ClickItem(*m_dlg, "Op 2");
    auto& op = PageOf<CDlgDefineNodeCountOperate>(NodeOptions::COUNT_OPERATION2);
    EXPECT_TRUE(ItemTexts(Item(op, IDC_NODELIST)).empty());
    ChooseComboItem(Item(op, IDC_COUNT_OPERATOR), OP_DIVIDE);
    Click(op, IDC_COUNT_WITHNODE);
    Ok();

    EXPECT_TRUE(MessageBoxes().empty());
    EXPECT_FALSE(m_dlg->IsWindowVisible());
    EXPECT_TRUE(screen->m_collect.bFromLookupFile);
    EXPECT_TRUE(screen->m_collect.bTimer);
    EXPECT_TRUE(screen->m_collect.bSetBarcode);
    EXPECT_EQ(screen->m_dwVerifyFlags & VERIFY_LOOKUPFILE, DWORD(VERIFY_LOOKUPFILE));
    EXPECT_EQ(screen->m_count.nValueSource, VALUE_COPYNODE);
    EXPECT_EQ(screen->m_count.nDataNodeID, 0) << "no node to copy from";
    EXPECT_EQ(screen->m_count.operations[1].nOperator, OP_DIVIDE);
    EXPECT_TRUE(screen->m_count.operations[1].bWithNode);
    Close(); // the array lives no longer than this test's body
}

TEST_F(InputPages, TheTimerWinsOverTheBoxesItDisabledWhenTheNodeTakesThePage)
{
    HostNode* node = m_doc.AddNode(NODE_INPUT, "Stamp");
    node->m_collect.bScanner = node->m_collect.bKeypad = true;
    auto& page = Open<CDlgDefineNodeInputFromDevice>(node, IDD_NODE_INPUTFROMDEVICE);
    Click(page, IDC_INPUT_DEVICE_TIMER);
    for (int format : {IDC_TIMEFORMAT_TIME, IDC_TIMEFORMAT_DATE, IDC_TIMEFORMAT_DATETIME})
    {
        Click(page, format);
        EXPECT_EQ(Enabled(page, IDC_DATETYPE), format != IDC_TIMEFORMAT_TIME) << "a time has no date type";
    }
    EXPECT_TRUE(Checked(page, IDC_INPUT_DEVICE_SCANNER)) << "the disabled box keeps its mark";
    ChooseComboItem(Item(page, IDC_DATETYPE), 3);
    Ok();
    EXPECT_TRUE(node->m_collect.bTimer);
    EXPECT_FALSE(node->m_collect.bScanner);
    EXPECT_FALSE(node->m_collect.bKeypad);
    EXPECT_EQ(node->m_collect.nTimeFormat, TIME_DATETIME);
    EXPECT_EQ(node->m_collect.nDateType, 3);

    auto& again = Open<CDlgDefineNodeInputFromDevice>(node, IDD_NODE_INPUTFROMDEVICE);
    EXPECT_TRUE(Checked(again, IDC_INPUT_DEVICE_TIMER));
    EXPECT_TRUE(Checked(again, IDC_TIMEFORMAT_DATETIME));
    EXPECT_FALSE(Checked(again, IDC_TIMEFORMAT_DATE));
    EXPECT_EQ(ComboText(again, IDC_DATETYPE), DateTypeNames()[3]);
    EXPECT_EQ(ItemTexts(Item(again, IDC_DATETYPE)).size(), DateTypeNames().size());
}

TEST_F(VerifyPages, TheSeparatorListIsThePagesOwnAndEveryChoiceRoundTrips)
{
    HostNode* node = m_doc.AddNode(NODE_INPUT, "Item");
    auto& page = Open<CDlgDefineNodeVerifyLookupFile>(node, IDD_NODE_VERIFYLOOKUPFILE);
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
    const CollectSettings& c = node->m_collect;
    EXPECT_EQ(c.nVerifyFieldNo, 2);
    EXPECT_EQ(c.nVerifyTotalFields, 5);
    EXPECT_EQ(c.nFieldSeparator, 9);
    EXPECT_TRUE(c.bSearchFromCurrent);
    EXPECT_TRUE(c.bFullKeyMatch);
    EXPECT_FALSE(c.bBinarySearch);

    auto& again = Open<CDlgDefineNodeVerifyLookupFile>(node, IDD_NODE_VERIFYLOOKUPFILE);
    EXPECT_EQ(ComboText(again, IDC_FIELDSEPARATOR), GetTerminatorName(9));
    EXPECT_TRUE(Checked(again, IDC_SEEK_CURRENT));
    EXPECT_FALSE(Checked(again, IDC_SEEK_BEGINNING));
    Click(again, IDC_SEEK_BINARYSEARCH);
    Ok();
    EXPECT_TRUE(c.bBinarySearch);
    EXPECT_TRUE(c.bSearchFromCurrent) << "the disabled choice is kept";
}

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
    CDlgDefineNodeInputFromLookupFile& OpenPage()
    {
        return Open<CDlgDefineNodeInputFromLookupFile>(m_node, IDD_NODE_INPUTFROMLOOKUPFILE);
    }
    HostNode *m_items, *m_plain, *m_flagOnly, *m_fileOnly, *m_node;
};

TEST_F(LookupPage, TheListHoldsTheOtherCollectNodesAndTheLineNamesTheChosenOnesFile)
{
    auto& page = OpenPage();
    EXPECT_EQ(ItemTexts(Item(page, IDC_NODELIST)), (std::vector<CString>{"Item", "Plain", "FlagOnly", "FileOnly"}));
    Click(page, IDC_INPUT_DEVICE_FORMULA);
    const std::pair<const char*, const char*> cases[] = {
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

TEST_F(LookupPage, ANodeTheDocumentNoLongerKnowsShowsNoLineAndBreaksNothing)
{
    m_node->m_collect.nLookupNodeID = 999; // deleted long ago
    auto& page = OpenPage();
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

class CountPages : public NodeDialogTest
{
  protected:
    void SetUp() override
    {
        NodeDialogTest::SetUp();
        m_text = m_doc.AddNode(NODE_INPUT, "Name"); // reads text: no operand
        m_qty = m_doc.AddNode(NODE_INPUT, "Qty");
        m_qty->m_collect.nDataType = DATA_INTEGER;
        m_other = m_doc.AddNode(NODE_COUNT, "Pallets");
        m_doc.AddNode(NODE_SCREEN, "Menu");
        m_node = m_doc.AddNode(NODE_COUNT, "Cartons");
    }
    HostNode *m_text, *m_qty, *m_other, *m_node;
};

TEST_F(CountPages, TheNewValueBoxAndItsRadiosEnableExactlyOneWayOfGivingTheValue)
{
    m_node->m_count.bSetNewValue = false;
    m_node->m_count.nValueSource = VALUE_FORMULA; // marked, but no new value is set
    auto& page = Open<CDlgDefineNodeCountInitial>(m_node, NodeOptions::COUNT_INITIAL);
    const auto all = {IDC_COUNT_BYCONSTANT, IDC_COUNT_BYCOPYNODE, IDC_COUNT_BYFORMULA, IDC_COUNT_INITBYLINKS,
                      IDC_COUNT_CONSTANT,   IDC_NODELIST,         IDC_FORMULA,         IDC_SCRIPTPAD};
    const std::set<int> radios = {IDC_COUNT_BYCONSTANT, IDC_COUNT_BYCOPYNODE, IDC_COUNT_BYFORMULA,
                                  IDC_COUNT_INITBYLINKS};
    auto with = [&](std::set<int> more) {
        more.insert(radios.begin(), radios.end());
        return more;
    };
    struct Step
    {
        int click;
        std::set<int> enabled;
    };
    const Step steps[] = {
        {0, {}},
        {IDC_COUNT_SETVALUE, with({IDC_FORMULA, IDC_SCRIPTPAD})},
        {IDC_COUNT_BYCONSTANT, with({IDC_COUNT_CONSTANT})},
        {IDC_COUNT_BYCOPYNODE, with({IDC_NODELIST})},
        {IDC_COUNT_COPYLAST, with({IDC_NODELIST})},
        {IDC_COUNT_BYFORMULA, with({IDC_FORMULA, IDC_SCRIPTPAD})},
        {IDC_COUNT_SETVALUE, {}},
        {IDC_COUNT_COPYLAST, {}},
    };
    for (const Step& s : steps)
    {
        if (s.click)
            Click(page, s.click);
        SCOPED_TRACE("after clicking " + std::to_string(s.click));
        EXPECT_EQ(EnabledAmong(page, all), s.enabled);
    }
    EXPECT_TRUE(Checked(page, IDC_COUNT_BYFORMULA)) << "the disabled radio keeps its mark";
}

TEST_F(CountPages, EachOperatorEnablesTheOperandOnlyWhenItTakesOne)
{
    m_node->m_count.operations[0] = CountOperation{OP_NONE, false, "5", 0};
    auto& page = Open<CDlgDefineNodeCountOperate>(m_node, NodeOptions::COUNT_OPERATION1);
    std::vector<CString> names = ItemTexts(Item(page, IDC_COUNT_OPERATOR));
    ASSERT_EQ(names.size(), size_t(OP_COUNT));
    for (int op = 0; op < OP_COUNT; ++op)
    {
        SCOPED_TRACE(OperatorName(op));
        EXPECT_EQ(names[op], OperatorName(op));
        ChooseComboItem(Item(page, IDC_COUNT_OPERATOR), op);
        bool operand = OperatorTakesOperand(op);
        EXPECT_EQ(Enabled(page, IDC_COUNT_WITHCONSTANT), operand);
        EXPECT_EQ(Enabled(page, IDC_COUNT_WITHNODE), operand);
        EXPECT_EQ(Enabled(page, IDC_COUNT_CONSTANT), operand) << "the constant is the marked operand";
        EXPECT_FALSE(Enabled(page, IDC_NODELIST));
        if (!operand)
            continue;
        Click(page, IDC_COUNT_WITHNODE);
        EXPECT_FALSE(Enabled(page, IDC_COUNT_CONSTANT));
        EXPECT_TRUE(Enabled(page, IDC_NODELIST));
        Click(page, IDC_COUNT_WITHCONSTANT);
        EXPECT_TRUE(Enabled(page, IDC_COUNT_CONSTANT));
        EXPECT_FALSE(Enabled(page, IDC_NODELIST));
    }
}

TEST_F(CountPages, TheTwoOperationsAreIndependentPagesThatRoundTrip)
{
    auto& first = Open<CDlgDefineNodeCountOperate>(m_node, NodeOptions::COUNT_OPERATION1);
    auto& second = PageOf<CDlgDefineNodeCountOperate>(NodeOptions::COUNT_OPERATION2);
    ASSERT_NE(&first, &second);
    EXPECT_EQ(first.GetTemplateID(), UINT(IDD_NODE_COUNTOPERATE));
    EXPECT_EQ(second.GetTemplateID(), UINT(IDD_NODE_COUNTOPERATE));
    EXPECT_NE(Text(first, IDC_COUNT_DESCRIPTION), Text(second, IDC_COUNT_DESCRIPTION));
    EXPECT_EQ(ComboText(first, IDC_COUNT_OPERATOR), OperatorName(OP_INCREMENT));
    EXPECT_EQ(ComboText(second, IDC_COUNT_OPERATOR), OperatorName(OP_NONE));
    // Numeric data nodes only: the text node and the node itself are not operands.
    EXPECT_EQ(ItemTexts(Item(first, IDC_NODELIST)), (std::vector<CString>{"Qty", "Pallets"}));

    ChooseComboItem(Item(first, IDC_COUNT_OPERATOR), OP_MULTIPLY);
    Type(first, IDC_COUNT_CONSTANT, "12");
    ClickItem(*m_dlg, "Operation 2");
    ChooseComboItem(Item(second, IDC_COUNT_OPERATOR), OP_SUBTRACT);
    Click(second, IDC_COUNT_WITHNODE);
    ChooseComboItem(Item(second, IDC_NODELIST), 0);
    Ok();
    const CountOperation& op1 = m_node->m_count.operations[0];
    const CountOperation& op2 = m_node->m_count.operations[1];
    EXPECT_EQ(op1.nOperator, OP_MULTIPLY);
    EXPECT_FALSE(op1.bWithNode);
    EXPECT_EQ(op1.strConstant, "12");
    EXPECT_EQ(op2.nOperator, OP_SUBTRACT);
    EXPECT_TRUE(op2.bWithNode);
    EXPECT_EQ(op2.nDataNodeID, m_qty->m_nID);

    auto& again = Open<CDlgDefineNodeCountOperate>(m_node, NodeOptions::COUNT_OPERATION2);
    EXPECT_EQ(ComboText(again, IDC_COUNT_OPERATOR), OperatorName(OP_SUBTRACT));
    EXPECT_TRUE(Checked(again, IDC_COUNT_WITHNODE));
    EXPECT_EQ(ComboText(again, IDC_NODELIST), "Qty");
    EXPECT_TRUE(Enabled(again, IDC_NODELIST));
    // An operator without an operand leaves the stored operand choice alone.
    ChooseComboItem(Item(again, IDC_COUNT_OPERATOR), OP_RESET);
    Ok();
    EXPECT_EQ(op2.nOperator, OP_RESET);
    EXPECT_TRUE(op2.bWithNode);

    Open<CDlgDefineNodeCountOperate>(m_node, NodeOptions::COUNT_OPERATION1);
    ChooseComboItem(Item(PageOf<CDlgDefineNodeCountOperate>(NodeOptions::COUNT_OPERATION1), IDC_COUNT_OPERATOR),
                    OP_ADD);
    Cancel();
    EXPECT_EQ(op1.nOperator, OP_MULTIPLY);
}

TEST_F(CountPages, StoredChoicesTheHostDoesNotKnowShowSafeDefaults)
{
    m_node->m_count.operations[0] = CountOperation{99, true, "1", 4242};
    m_node->m_count.nDataNodeID = 4242;
    m_node->m_count.nValueSource = VALUE_COPYNODE;
    auto& op = Open<CDlgDefineNodeCountOperate>(m_node, NodeOptions::COUNT_OPERATION1);
    EXPECT_EQ(ComboText(op, IDC_COUNT_OPERATOR), OperatorName(OP_NONE));
    EXPECT_EQ(ComboText(op, IDC_NODELIST), "<none>");
    EXPECT_FALSE(Enabled(op, IDC_COUNT_WITHNODE));
    auto& initial = PageOf<CDlgDefineNodeCountInitial>(NodeOptions::COUNT_INITIAL);
    EXPECT_EQ(ComboText(initial, IDC_NODELIST), "<none>");
    Ok();
    EXPECT_EQ(m_node->m_count.nDataNodeID, 4242) << "nothing chosen: the stored node stays";
}

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

} // namespace
