// The reference host's collect and count nodes open with all their pages, grouped under the entries they refine;
// and pages listed for a node of another kind, whose lists are empty, stay usable.
#include <gtest/gtest.h>

#include <vector>

#include "node/CDlgDefineNodeCountInitial.h"
#include "node/CDlgDefineNodeCountOperate.h"
#include "node/CDlgDefineNodeInput.h"
#include "node/CDlgDefineNodeInputBarcode.h"
#include "node/CDlgDefineNodeInputFromDevice.h"
#include "node/CDlgDefineNodeInputFromLookupFile.h"
#include "node/CDlgDefineNodeVerifyLookupFile.h"
#include "tests/node/collect_harness.h"

using namespace pdt::test;

namespace
{

using CollectNode = NodeDialogTest;

TEST_F(CollectNode, ACollectAndACountNodeOpenWithEveryPageUnderItsGroup)
{
    HostNode *scan = m_doc.AddNode(NODE_INPUT, "Scan");
    m_doc.m_bExpandInput = m_doc.m_bExpandVerify = 1;
    Open<CDlgDefineNodeInputFromDevice>(scan, NodeOptions::INPUT_DEVICE);
    EXPECT_EQ(Labels(*m_dlg), (std::vector<CString>{"Basic", "Screen", "Input", "Verify", "Notes", "Incoming Links",
                                                    "Outgoing Links"}));
    EXPECT_EQ(Labels(*m_dlg, FindItem(*m_dlg, "Input")),
              (std::vector<CString>{"From Device", "Barcode Symbology", "From Formula", "From Lookup File"}));
    EXPECT_EQ(Labels(*m_dlg, FindItem(*m_dlg, "Verify")), (std::vector<CString>{"By Lookup File", "By Qualifier"}));
    for (OPTIONITEM *opt = m_dlg->m_pOptions; opt->nID; ++opt)
        EXPECT_NE(opt->pPage, nullptr) << opt->nID;

    // Collapsing a group is remembered for the next node.
    ToggleExpand(*m_dlg, FindItem(*m_dlg, "Verify"));
    Cancel();
    EXPECT_EQ(m_doc.m_bExpandVerify, 0);
    EXPECT_EQ(m_doc.m_bExpandInput, 1);

    HostNode *count = m_doc.AddNode(NODE_COUNT, "Cartons");
    Open<CDlgDefineNodeCountInitial>(count, NodeOptions::COUNT_INITIAL);
    EXPECT_EQ(Labels(*m_dlg), (std::vector<CString>{"Basic", "Screen", "Data Type", "Initial Value", "Operation 1",
                                                    "Operation 2", "Notes", "Incoming Links", "Outgoing Links"}));
    for (OPTIONITEM *opt = m_dlg->m_pOptions; opt->nID; ++opt)
        EXPECT_NE(opt->pPage, nullptr) << opt->nID;
    EXPECT_TRUE(MessageBoxes().empty());
}

// A host array that lists every collect and count page for a screen node: no other collect node, no data node,
// nothing wrong shown, and every page still takes its clicks and stores them.
TEST_F(CollectNode, PagesListedForANodeOfAnotherKindStayUsable)
{
    HostNode *screen = m_doc.AddNode(NODE_SCREEN, "Menu");
    auto entry = [](int id, int parent, const char *title) {
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
    auto &lookup = OpenOn<CDlgDefineNodeInputFromLookupFile>(screen, options, IDD_NODE_INPUTFROMLOOKUPFILE);
    EXPECT_TRUE(ItemTexts(Item(lookup, IDC_NODELIST)).empty()) << "no other collect node";
    Click(lookup, IDC_INPUT_DEVICE_FORMULA);
    EXPECT_EQ(Text(lookup, IDC_LOOKUPFILE), "");

    ClickItem(*m_dlg, "Device");
    Click(PageOf<CDlgDefineNodeInputFromDevice>(IDD_NODE_INPUTFROMDEVICE), IDC_INPUT_DEVICE_TIMER);
    ClickItem(*m_dlg, "Barcode");
    auto &barcode = PageOf<CDlgDefineNodeInputBarcode>(IDD_NODE_INPUTBARCODE);
    Click(barcode, IDC_BARCODE_SET);
    Click(barcode, IDC_BARCODE_CLEARALL);
    ClickItem(*m_dlg, "Verify Lookup");
    Click(PageOf<CDlgDefineNodeVerifyLookupFile>(IDD_NODE_VERIFYLOOKUPFILE), IDC_VERIFY_LOOKUPFILE);
    ClickItem(*m_dlg, "Initial");
    auto &initial = PageOf<CDlgDefineNodeCountInitial>(NodeOptions::COUNT_INITIAL);
    EXPECT_TRUE(ItemTexts(Item(initial, IDC_NODELIST)).empty());
    Click(initial, IDC_COUNT_BYCOPYNODE);
    ClickItem(*m_dlg, "Op 2");
    auto &op = PageOf<CDlgDefineNodeCountOperate>(NodeOptions::COUNT_OPERATION2);
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

// Each radio group of the templates is one group for the arrow keys: the arrows go round it, choosing as they go,
// and never step into the controls after it; the page reacts to the choice as to a click.
TEST_F(CollectNode, ArrowKeysGoRoundEachRadioGroupAndChooseAsTheyGo)
{
    HostNode *scan = m_doc.AddNode(NODE_INPUT, "Scan");
    scan->m_collect.bTimer = true;
    HostNode *count = m_doc.AddNode(NODE_COUNT, "Cartons");
    count->m_count.operations[0].nOperator = OP_ADD;
    struct Group
    {
        HostNode *node;
        int entry;
        std::vector<int> radios;
    };
    const Group groups[] = {
        {scan, IDD_NODE_INPUT, {IDC_INPUT_TYPEINTEGER, IDC_INPUT_TYPELONG, IDC_INPUT_TYPEFLOAT, IDC_INPUT_TYPESTRING}},
        {scan, IDD_NODE_INPUTFROMDEVICE, {IDC_TIMEFORMAT_DATE, IDC_TIMEFORMAT_TIME, IDC_TIMEFORMAT_DATETIME}},
        {scan, IDD_NODE_VERIFYLOOKUPFILE, {IDC_SEEK_BEGINNING, IDC_SEEK_CURRENT}},
        {count, NodeOptions::COUNT_INITIAL, {IDC_COUNT_BYCONSTANT, IDC_COUNT_BYCOPYNODE, IDC_COUNT_BYFORMULA}},
        {count, NodeOptions::COUNT_OPERATION1, {IDC_COUNT_WITHCONSTANT, IDC_COUNT_WITHNODE}},
    };
    for (const Group &g : groups)
    {
        SCOPED_TRACE("entry " + std::to_string(g.entry));
        auto &page = Open<CDlgDefineBase>(g.node, g.entry);
        if (g.entry == IDD_NODE_VERIFYLOOKUPFILE)
            Click(page, IDC_VERIFY_LOOKUPFILE);
        Click(page, g.radios[0]);
        for (size_t step = 1; step <= g.radios.size(); ++step)
        {
            int expected = g.radios[step % g.radios.size()];
            Key(VK_DOWN);
            EXPECT_EQ(FocusId(), expected);
            for (int id : g.radios)
                EXPECT_EQ(Checked(page, id), id == expected) << id;
        }
        if (g.entry == IDD_NODE_INPUTFROMDEVICE)
        {
            Key(VK_DOWN); // to "Time Only": no date type for it
            EXPECT_FALSE(Enabled(page, IDC_DATETYPE));
            Key(VK_DOWN);
            EXPECT_TRUE(Enabled(page, IDC_DATETYPE));
        }
        if (g.entry == NodeOptions::COUNT_INITIAL)
        {
            Key(VK_DOWN); // to "By Copying From Data Node:"
            EXPECT_TRUE(Enabled(page, IDC_NODELIST));
            EXPECT_FALSE(Enabled(page, IDC_COUNT_CONSTANT));
        }
    }
}

} // namespace
