// The count node's pages (initial value and its two operations) inside the reference host's node dialog,
// driven by clicks.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "node/CDlgDefineNodeCountInitial.h"
#include "node/CDlgDefineNodeCountOperate.h"
#include "tests/node/collect_harness.h"

using namespace pdt::test;

namespace
{

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

// ---------------------------------------------------------------------------------------------------------------
// Initial value.

TEST_F(CountPages, TheNewValueBoxAndItsRadiosEnableExactlyOneWayOfGivingTheValue)
{
    m_node->m_count.bSetNewValue = false;
    m_node->m_count.nValueSource = VALUE_FORMULA; // marked, but no new value is set
    auto &page = Open<CDlgDefineNodeCountInitial>(m_node, NodeOptions::COUNT_INITIAL);
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
    for (const Step &s : steps)
    {
        if (s.click)
            Click(page, s.click);
        SCOPED_TRACE("after clicking " + std::to_string(s.click));
        EXPECT_EQ(EnabledAmong(page, all), s.enabled);
    }
    EXPECT_TRUE(Checked(page, IDC_COUNT_BYFORMULA)) << "the disabled radio keeps its mark";
}

TEST_F(CountPages, InitialValueRoundTrips)
{
    auto &page = Open<CDlgDefineNodeCountInitial>(m_node, NodeOptions::COUNT_INITIAL);
    EXPECT_EQ(ItemTexts(Item(page, IDC_NODELIST)), (std::vector<CString>{"Name", "Qty", "Pallets"}));
    Click(page, IDC_COUNT_COPYLAST);
    Click(page, IDC_COUNT_BYFORMULA);
    Type(page, IDC_FORMULA, "QTY * 2");
    Click(page, IDC_COUNT_INITBYLINKS);
    Ok();
    const CountSettings &c = m_node->m_count;
    EXPECT_TRUE(c.bCopyLast);
    EXPECT_TRUE(c.bSetNewValue);
    EXPECT_EQ(c.nValueSource, VALUE_FORMULA);
    EXPECT_EQ(c.strFormula, "QTY * 2");
    EXPECT_TRUE(c.bInitByLinks);

    auto &again = Open<CDlgDefineNodeCountInitial>(m_node, NodeOptions::COUNT_INITIAL);
    EXPECT_TRUE(Checked(again, IDC_COUNT_BYFORMULA));
    EXPECT_EQ(Text(again, IDC_FORMULA), "QTY * 2");
    Click(again, IDC_COUNT_BYCOPYNODE);
    ChooseComboItem(Item(again, IDC_NODELIST), 2);
    Ok();
    EXPECT_EQ(c.nValueSource, VALUE_COPYNODE);
    EXPECT_EQ(c.nDataNodeID, m_other->m_nID);

    // Without a new value the source is not the user's choice: it stays, and Cancel changes nothing at all.
    auto &third = Open<CDlgDefineNodeCountInitial>(m_node, NodeOptions::COUNT_INITIAL);
    EXPECT_EQ(ComboText(third, IDC_NODELIST), "Pallets");
    Click(third, IDC_COUNT_BYCONSTANT);
    Click(third, IDC_COUNT_SETVALUE);
    Ok();
    EXPECT_FALSE(c.bSetNewValue);
    EXPECT_EQ(c.nValueSource, VALUE_COPYNODE);

    auto &fourth = Open<CDlgDefineNodeCountInitial>(m_node, NodeOptions::COUNT_INITIAL);
    Click(fourth, IDC_COUNT_SETVALUE);
    Click(fourth, IDC_COUNT_COPYLAST);
    Cancel();
    EXPECT_FALSE(c.bSetNewValue);
    EXPECT_TRUE(c.bCopyLast);
}

// ---------------------------------------------------------------------------------------------------------------
// Operations.

TEST_F(CountPages, EachOperatorEnablesTheOperandOnlyWhenItTakesOne)
{
    m_node->m_count.operations[0] = CountOperation{OP_NONE, false, "5", 0};
    auto &page = Open<CDlgDefineNodeCountOperate>(m_node, NodeOptions::COUNT_OPERATION1);
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
    auto &first = Open<CDlgDefineNodeCountOperate>(m_node, NodeOptions::COUNT_OPERATION1);
    auto &second = PageOf<CDlgDefineNodeCountOperate>(NodeOptions::COUNT_OPERATION2);
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
    const CountOperation &op1 = m_node->m_count.operations[0];
    const CountOperation &op2 = m_node->m_count.operations[1];
    EXPECT_EQ(op1.nOperator, OP_MULTIPLY);
    EXPECT_FALSE(op1.bWithNode);
    EXPECT_EQ(op1.strConstant, "12");
    EXPECT_EQ(op2.nOperator, OP_SUBTRACT);
    EXPECT_TRUE(op2.bWithNode);
    EXPECT_EQ(op2.nDataNodeID, m_qty->m_nID);

    auto &again = Open<CDlgDefineNodeCountOperate>(m_node, NodeOptions::COUNT_OPERATION2);
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
    auto &op = Open<CDlgDefineNodeCountOperate>(m_node, NodeOptions::COUNT_OPERATION1);
    EXPECT_EQ(ComboText(op, IDC_COUNT_OPERATOR), OperatorName(OP_NONE));
    EXPECT_EQ(ComboText(op, IDC_NODELIST), "<none>");
    EXPECT_FALSE(Enabled(op, IDC_COUNT_WITHNODE));
    auto &initial = PageOf<CDlgDefineNodeCountInitial>(NodeOptions::COUNT_INITIAL);
    EXPECT_EQ(ComboText(initial, IDC_NODELIST), "<none>");
    Ok();
    EXPECT_EQ(m_node->m_count.nDataNodeID, 4242) << "nothing chosen: the stored node stays";
}

} // namespace
