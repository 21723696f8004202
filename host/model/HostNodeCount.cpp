// The count node's pages: its initial value and its two operations.
#include "host/model/DialogPages.h"
#include "host/model/HostNode.h"
#include "host/model/HostNodeCollect.h"
#include "host/model/NodeOptions.h"
#include "node/CDlgDefineNodeCountInitial.h"
#include "node/CDlgDefineNodeCountOperate.h"

namespace
{

struct OperatorInfo
{
    const char *pszName;
    bool bOperand;
};

// In the order of the operator list; an operator's index is its code.
const OperatorInfo kOperators[OP_COUNT] = {
    {"None", false},
    {"Add (+)", true},
    {"Subtract (-)", true},
    {"Multiply By (*)", true},
    {"Divide By (/)", true},
    {"Increase By 1 (++)", false},
    {"Decrease By 1 (--)", false},
    {"Reset To Zero", false},
};

const char *const kDescriptions[2] = {
    "The first operation on the count, done each time the job passes this node.",
    "The second operation on the count, done after the first one.",
};

bool IsDataNode(const HostNode &n)
{
    return n.m_nKind == NODE_INPUT || n.m_nKind == NODE_COUNT;
}

bool IsNumericDataNode(const HostNode &n)
{
    return n.m_nKind == NODE_COUNT || (n.m_nKind == NODE_INPUT && n.m_collect.nDataType != DATA_STRING);
}

void InitialInitial(HostNode &node, CDlgDefineNodeCountInitial &page)
{
    const CountSettings &c = node.m_count;
    page.m_bCopyLast = c.bCopyLast;
    page.m_bSetNewValue = c.bSetNewValue;
    page.m_nByConstant = c.nValueSource == VALUE_CONSTANT;
    page.m_nByCopyNode = c.nValueSource == VALUE_COPYNODE;
    page.m_nByFormula = c.nValueSource == VALUE_FORMULA;
    page.m_strConstant = c.strConstant;
    page.m_strFormula = c.strFormula;
    page.m_bInitByLinks = c.bInitByLinks;
    if (page.m_cbDataNode.m_hWnd)
    {
        FillNodeList(page.m_cbDataNode, node, IsDataNode);
        SelectByItemData(page.m_cbDataNode, DWORD_PTR(c.nDataNodeID));
    }
}

void SaveInitial(HostNode &node, CDlgDefineNodeCountInitial &page)
{
    CountSettings &c = node.m_count;
    c.bCopyLast = page.m_bCopyLast;
    c.bSetNewValue = page.m_bSetNewValue;
    // Without a new value the radios were not the user's to choose: the stored source stays.
    if (page.m_bSetNewValue)
    {
        if (page.m_nByConstant == 1)
            c.nValueSource = VALUE_CONSTANT;
        else if (page.m_nByCopyNode == 1)
            c.nValueSource = VALUE_COPYNODE;
        else if (page.m_nByFormula == 1)
            c.nValueSource = VALUE_FORMULA;
    }
    c.strConstant = page.m_strConstant;
    c.strFormula = page.m_strFormula;
    c.bInitByLinks = page.m_bInitByLinks;
    if (page.m_cbDataNode.m_hWnd)
        c.nDataNodeID = int(SelectedItemData(page.m_cbDataNode, DWORD_PTR(c.nDataNodeID)));
}

void InitialOperation(HostNode &node, const CountOperation &op, int which, CDlgDefineNodeCountOperate &page)
{
    page.m_strDescription = kDescriptions[which];
    page.m_strConstant = op.strConstant;
    page.m_nWithConstant = !op.bWithNode;
    page.m_nWithNode = op.bWithNode;
    if (page.m_cbOperator.m_hWnd)
    {
        page.m_cbOperator.ResetContent();
        for (int i = 0; i < OP_COUNT; ++i)
            page.m_cbOperator.SetItemData(page.m_cbOperator.AddString(kOperators[i].pszName),
                                          kOperators[i].bOperand ? 1 : 0);
        // An operator this host does not know shows as none.
        page.m_cbOperator.SetCurSel(op.nOperator >= 0 && op.nOperator < OP_COUNT ? op.nOperator : OP_NONE);
    }
    if (page.m_cbDataNode.m_hWnd)
    {
        FillNodeList(page.m_cbDataNode, node, IsNumericDataNode);
        SelectByItemData(page.m_cbDataNode, DWORD_PTR(op.nDataNodeID));
    }
}

void SaveOperation(CountOperation &op, CDlgDefineNodeCountOperate &page)
{
    if (page.m_cbOperator.m_hWnd && page.m_cbOperator.GetCurSel() >= 0)
        op.nOperator = page.m_cbOperator.GetCurSel();
    // The operand choice of an operator that takes none was not the user's: it stays as it was.
    if (OperatorTakesOperand(op.nOperator))
    {
        if (page.m_nWithConstant == 1)
            op.bWithNode = false;
        else if (page.m_nWithNode == 1)
            op.bWithNode = true;
    }
    op.strConstant = page.m_strConstant;
    if (page.m_cbDataNode.m_hWnd)
        op.nDataNodeID = int(SelectedItemData(page.m_cbDataNode, DWORD_PTR(op.nDataNodeID)));
}

constexpr int kOperationEntries[2] = {NodeOptions::COUNT_OPERATION1, NodeOptions::COUNT_OPERATION2};

} // namespace

const char *OperatorName(int op)
{
    return op >= 0 && op < OP_COUNT ? kOperators[op].pszName : nullptr;
}
bool OperatorTakesOperand(int op)
{
    return op >= 0 && op < OP_COUNT && kOperators[op].bOperand;
}

void InitialCountPages(HostNode &node, CDlgDefineNode *dlg)
{
    if (auto *page = DialogPage<CDlgDefineNodeCountInitial>(dlg, NodeOptions::COUNT_INITIAL))
        InitialInitial(node, *page);
    for (int i = 0; i < 2; ++i)
        if (auto *page = DialogPage<CDlgDefineNodeCountOperate>(dlg, kOperationEntries[i]))
            InitialOperation(node, node.m_count.operations[i], i, *page);
}

void SaveCountPages(HostNode &node, CDlgDefineNode *dlg)
{
    if (auto *page = DialogPage<CDlgDefineNodeCountInitial>(dlg, NodeOptions::COUNT_INITIAL))
        SaveInitial(node, *page);
    for (int i = 0; i < 2; ++i)
        if (auto *page = DialogPage<CDlgDefineNodeCountOperate>(dlg, kOperationEntries[i]))
            SaveOperation(node.m_count.operations[i], *page);
}
