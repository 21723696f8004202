// The barcode symbology page of a collect node and the barcode settings dialog, driven by clicks and keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "node/CDlgBarcodeSetting.h"
#include "node/CDlgDefineNodeInputBarcode.h"
#include "tests/node/collect_harness.h"

using namespace pdt::test;

namespace
{

const int kBoxes[] = {IDC_BCS_VERIFYCHECKDIGIT, IDC_BCS_VERIFY2NDCHECKDIGIT, IDC_BCS_SENDCHECKDIGIT,
                      IDC_BCS_SENDSTARTSTOP,    IDC_BCS_SENDLEADINGDIGIT,    IDC_BCS_SENDLEADINGA,
                      IDC_BCS_FULLASCII,        IDC_BCS_ZEROEXPANSION,       IDC_BCS_ADDONREQUIRED,
                      IDC_BCS_MOD1011};

struct SymbologyCase
{
    int code;
    std::set<int> enabled; // besides these, every box is disabled
    int kept;              // what OK makes of an option byte with every bit set
};

const SymbologyCase kSymbologies[] = {
    {1, {IDC_BCS_VERIFYCHECKDIGIT, IDC_BCS_SENDCHECKDIGIT, IDC_BCS_SENDSTARTSTOP, IDC_BCS_FULLASCII}, 0x1E},
    {2, {IDC_BCS_VERIFYCHECKDIGIT, IDC_BCS_SENDCHECKDIGIT}, 0x06},
    {3, {IDC_BCS_VERIFYCHECKDIGIT, IDC_BCS_SENDCHECKDIGIT, IDC_BCS_SENDSTARTSTOP}, 0x0E},
    {4, {IDC_BCS_ADDONREQUIRED}, 0x84}, // the check digit shown, not editable, written back
    {8, {IDC_BCS_SENDCHECKDIGIT, IDC_BCS_SENDLEADINGA}, 0x0A},
    {9, {IDC_BCS_VERIFY2NDCHECKDIGIT, IDC_BCS_SENDCHECKDIGIT, IDC_BCS_MOD1011}, 0x16},
    {17, {IDC_BCS_SENDCHECKDIGIT, IDC_BCS_SENDLEADINGDIGIT}, 0x0C},
    {18, {IDC_BCS_SENDCHECKDIGIT, IDC_BCS_SENDLEADINGDIGIT, IDC_BCS_ZEROEXPANSION}, 0x1C},
    {19, {IDC_BCS_SENDCHECKDIGIT, IDC_BCS_SENDLEADINGDIGIT}, 0x0C},
    {20, {IDC_BCS_SENDCHECKDIGIT}, 0x04},
};

class BarcodeSetting : public DefineDialogTest
{
};

// Every code: which boxes it enables, what an option byte with every bit set shows, and which bits OK keeps;
// then from an empty byte, each enabled box ticked by a click gives the same bits (but what cannot be edited).
TEST_F(BarcodeSetting, EachCodeEnablesItsBoxesAndPacksOnlyItsBits)
{
    for (const SymbologyCase& c : kSymbologies)
    {
        SCOPED_TRACE("code " + std::to_string(c.code));
        CDlgBarcodeSetting full(c.code, 0xFF);
        ExpectModal([&](CDialog& dlg) {
            EXPECT_EQ(dlg.GetWindowText(), "Barcode Setting");
            EXPECT_EQ(EnabledAmong(dlg, kBoxes), c.enabled);
            std::set<int> shown = c.enabled;
            if (c.code == 4)
                shown.insert(IDC_BCS_SENDCHECKDIGIT);
            if (c.code == 9)
                shown.insert(IDC_BCS_VERIFYCHECKDIGIT); // always verified
            EXPECT_EQ(CheckedAmong(dlg, kBoxes), shown);
            Click(dlg, IDOK);
        });
        ASSERT_EQ(full.DoModal(), IDOK);
        EXPECT_EQ(full.m_nOptions, c.kept);
        EXPECT_EQ(full.m_nType, c.code);

        CDlgBarcodeSetting empty(c.code, 0);
        ExpectModal([&](CDialog& dlg) {
            EXPECT_EQ(CheckedAmong(dlg, kBoxes),
                      c.code == 9 ? std::set<int>{IDC_BCS_VERIFYCHECKDIGIT} : std::set<int>{});
            for (int id : c.enabled)
                Click(dlg, id);
            Click(dlg, IDOK);
        });
        ASSERT_EQ(empty.DoModal(), IDOK);
        EXPECT_EQ(empty.m_nOptions, c.code == 4 ? 0x80 : c.kept);
    }
}

TEST_F(BarcodeSetting, TheSpecialCasesKeepTheirBitsThroughAnUnchangedOk)
{
    struct Case
    {
        int code, options;
        std::set<int> checked;
        int result;
    };
    const Case cases[] = {
        {8, 0x0A, {IDC_BCS_SENDCHECKDIGIT, IDC_BCS_SENDLEADINGA}, 0x0A}, // the check digit in bit 1
        {8, 0x04, {}, 0x00},                                             // bit 2 means nothing to code 8
        {9, 0x02, {IDC_BCS_VERIFYCHECKDIGIT, IDC_BCS_VERIFY2NDCHECKDIGIT}, 0x02},
        {4, 0x04, {IDC_BCS_SENDCHECKDIGIT}, 0x04},
        {18, 0x10, {IDC_BCS_ZEROEXPANSION}, 0x10},    // UPC-E's zero expansion alone
        {18, 0x08, {IDC_BCS_SENDLEADINGDIGIT}, 0x08}, // and its leading digit alone
        {2, 0x61, {}, 0x00},                          // stray bits 0, 5 and 6 only
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE("code " + std::to_string(c.code) + " options " + std::to_string(c.options));
        CDlgBarcodeSetting dlg(c.code, c.options);
        ExpectModal([&](CDialog& shown) {
            EXPECT_EQ(CheckedAmong(shown, kBoxes), c.checked);
            if (c.code == 9)
            {
                EXPECT_FALSE(shown.GetDlgItem(IDC_BCS_VERIFYCHECKDIGIT)->IsWindowEnabled());
            }
            Click(shown, IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_nOptions, c.result);
    }
}

// ---------------------------------------------------------------------------------------------------------------
// The page.

class BarcodePage : public NodeDialogTest
{
  protected:
    CDlgDefineNodeInputBarcode& OpenPage(HostNode* node)
    {
        return Open<CDlgDefineNodeInputBarcode>(node, NodeOptions::INPUT_BARCODE);
    }
    static int Row(CDlgDefineNodeInputBarcode& page, const char* name)
    {
        for (int i = 0; i < page.m_lcBarcode.GetItemCount(); ++i)
            if (page.m_lcBarcode.GetItemText(i, 0) == name)
                return i;
        ADD_FAILURE() << "no symbology " << name;
        return 0;
    }
    static void DoubleClickRow(CDlgDefineNodeInputBarcode& page, int row)
    {
        DoubleClickAt(page.m_lcBarcode.m_hWnd, RowCenter(page.m_lcBarcode.m_hWnd, row));
        Pump();
    }
};

TEST_F(BarcodePage, TheListIsEditableOnlyWhenTheNodeSetsItsOwnSymbologies)
{
    HostNode* node = m_doc.AddNode(NODE_INPUT, "Scan");
    auto& page = OpenPage(node);
    EXPECT_FALSE(Enabled(page, IDC_BARCODE_LIST));
    EXPECT_FALSE(Enabled(page, IDC_BARCODE_CLEARALL));
    EXPECT_TRUE(Enabled(page, IDC_BARCODE_SETTOALL));
    Click(page, IDC_BARCODE_SET);
    EXPECT_TRUE(Enabled(page, IDC_BARCODE_LIST));
    EXPECT_TRUE(Enabled(page, IDC_BARCODE_CLEARALL));
    DWORD ex = page.m_lcBarcode.GetExtendedStyle();
    EXPECT_EQ(ex & (LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES), DWORD(LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES));
    EXPECT_EQ(ex & (LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP), 0u);
    EXPECT_EQ(page.m_lcBarcode.GetItemCount(), int(CollectSettings::DefaultSymbologies().size()));
    EXPECT_EQ(page.m_lcBarcode.GetItemText(0, 0), "China Post") << "sorted by name";
    EXPECT_EQ(page.m_lcBarcode.GetItemText(1, 0), "Codabar");
    Click(page, IDC_BARCODE_SET);
    EXPECT_FALSE(Enabled(page, IDC_BARCODE_LIST));
}

TEST_F(BarcodePage, DoubleClickOpensTheClickedSymbologysSettingsAndOkRenamesAndRepacksIt)
{
    HostNode* node = m_doc.AddNode(NODE_INPUT, "Scan");
    node->m_collect.bSetBarcode = true;
    node->m_collect.symbologies = {{WORD(1 | 0x02 << 8), true}, {5, false}, {WORD(8 | 0x08 << 8), false}};
    auto& page = OpenPage(node);
    CListCtrl& list = page.m_lcBarcode;
    int code39 = Row(page, "Code 39");

    ExpectModal([](CDialog& dlg) {
        auto& setting = static_cast<CDlgBarcodeSetting&>(dlg);
        EXPECT_EQ(setting.m_nType, 1);
        EXPECT_TRUE(setting.IsDlgButtonChecked(IDC_BCS_VERIFYCHECKDIGIT));
        Click(dlg, IDC_BCS_FULLASCII);
        Click(dlg, IDOK);
    });
    DoubleClickRow(page, code39);
    EXPECT_EQ(list.GetItemData(code39), DWORD_PTR(1 | 0x12 << 8));
    EXPECT_EQ(list.GetItemText(code39, 0), "Code 39");
    EXPECT_TRUE(list.GetCheck(code39)) << "the check box is not touched";

    // Cancel leaves the item as it was.
    int upce = Row(page, "UPC-E with System 'A'");
    ExpectModal([](CDialog& dlg) {
        Click(dlg, IDC_BCS_SENDLEADINGA);
        Click(dlg, IDCANCEL);
    });
    DoubleClickRow(page, upce);
    EXPECT_EQ(list.GetItemData(upce), DWORD_PTR(8 | 0x08 << 8));
    EXPECT_FALSE(list.GetCheck(upce));

    // A symbology without settings and the empty space below the items open nothing.
    DoubleClickRow(page, Row(page, "Code 128"));
    DoubleClickAt(list.m_hWnd, CPoint(40, 200));
    Pump();

    Ok();
    std::vector<Symbology> expected = {{WORD(5), false}, {WORD(1 | 0x12 << 8), true}, {WORD(8 | 0x08 << 8), false}};
    std::vector<Symbology> saved = node->m_collect.symbologies;
    auto byData = [](const Symbology& a, const Symbology& b) { return (a.wData & 0xFF) < (b.wData & 0xFF); };
    std::sort(saved.begin(), saved.end(), byData);
    std::sort(expected.begin(), expected.end(), byData);
    EXPECT_EQ(saved, expected);
}

// A host may name a symbology by its options too: the row takes the name the host gives the new options. EAN-13
// (code 20) has settings of its own: whether its check digit is sent.
TEST_F(BarcodePage, OkRenamesTheRowAsTheHostNamesTheNewOptions)
{
    struct NamingByOptions : JobDocument
    {
        void GetBarcodeName(WORD code, CString& name) override
        {
            name.Format("Code %d options %d", code & 0xFF, code >> 8);
        }
    } naming;
    HostNode* node = m_doc.AddNode(NODE_INPUT, "Scan");
    node->m_collect.bSetBarcode = true;
    auto& page = OpenPage(node);
    CString ean13;
    m_doc.GetBarcodeName(20, ean13);
    int row = Row(page, ean13);
    const auto before = WORD(page.m_lcBarcode.GetItemData(row));
    page.m_pDoc = &naming;
    ExpectModal([](CDialog& dlg) {
        EXPECT_EQ(static_cast<CDlgBarcodeSetting&>(dlg).m_nType, 20);
        Click(dlg, IDC_BCS_SENDCHECKDIGIT);
        Click(dlg, IDOK);
    });
    DoubleClickRow(page, row);
    page.m_pDoc = &m_doc;
    EXPECT_EQ(page.m_lcBarcode.GetItemData(row), DWORD_PTR(before ^ 0x0400));
    CString expected;
    expected.Format("Code 20 options %d", (before >> 8) ^ 0x04);
    EXPECT_EQ(page.m_lcBarcode.GetItemText(row, 0), expected);
}

TEST_F(BarcodePage, OddItemDataAndEmptyListsBreakNothing)
{
    HostNode* node = m_doc.AddNode(NODE_INPUT, "Scan");
    node->m_collect.bSetBarcode = true;
    node->m_collect.symbologies = {{WORD(0x55 | 0xFF << 8), true}, {WORD(2 | 0x61 << 8), false}};
    auto& page = OpenPage(node);
    CListCtrl& list = page.m_lcBarcode;
    DoubleClickRow(page, Row(page, "Symbology 85")); // no settings: nothing opens
    ExpectModal([](CDialog& dlg) {
        EXPECT_TRUE(CheckedAmong(dlg, kBoxes).empty());
        Click(dlg, IDOK);
    });
    int i2of5 = Row(page, "Interleaved 2 of 5");
    DoubleClickRow(page, i2of5);
    EXPECT_EQ(list.GetItemData(i2of5), DWORD_PTR(2)) << "the stray bits are dropped";
    Ok();
    EXPECT_EQ(node->m_collect.symbologies.size(), 2u);

    node->m_collect.symbologies.clear();
    auto& empty = OpenPage(node);
    EXPECT_EQ(empty.m_lcBarcode.GetItemCount(), 0);
    Click(empty, IDC_BARCODE_CLEARALL);
    DoubleClickAt(empty.m_lcBarcode.m_hWnd, CPoint(40, 40));
    Ok();
    EXPECT_TRUE(node->m_collect.symbologies.empty());
}

} // namespace
