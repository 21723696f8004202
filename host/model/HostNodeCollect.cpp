#include "host/model/HostNodeCollect.h"

#include "host/model/DialogPages.h"
#include "host/model/HostNode.h"
#include "host/model/JobDocument.h"
#include "host/model/NodeOptions.h"
#include "node/CDlgDefineNodeInput.h"
#include "node/CDlgDefineNodeInputBarcode.h"
#include "node/CDlgDefineNodeInputFromDevice.h"
#include "node/CDlgDefineNodeInputFromFormula.h"
#include "node/CDlgDefineNodeInputFromLookupFile.h"
#include "node/CDlgDefineNodeVerify.h"
#include "node/CDlgDefineNodeVerifyLookupFile.h"
#include "node/CDlgDefineNodeVerifyQualifier.h"
#include "resources/resource.h"

namespace
{

// The radio of a group that is set, or `current` when none is (the page was never shown in a way that set one).
int ChosenRadio(std::initializer_list<int> states, int current)
{
    int index = 0;
    for (int state : states)
    {
        if (state == 1)
            return index;
        ++index;
    }
    return current;
}

CComboBox* Combo(CWnd& page, int id) { return static_cast<CComboBox*>(page.GetDlgItem(id)); }

// The line the lookup-file page shows for a chosen node, as the page itself composes it on a new choice.
CString LookupFileLine(JobDocument* doc, int nodeId)
{
    HostNode* source = doc ? doc->FindNode(nodeId) : nullptr;
    if (!source)
        return CString();
    if ((source->m_dwVerifyFlags & VERIFY_LOOKUPFILE) && !source->m_strVerifyLookupFile.IsEmpty())
        return source->m_strVerifyLookupFile;
    CString line;
    line.Format("Not defined in node: %s", source->m_strName.c_str());
    return line;
}

void InitialInput(HostNode& node, CDlgDefineNodeInput& page)
{
    const CollectSettings& c = node.m_collect;
    bool count = node.m_nKind == NODE_COUNT;
    int type = c.nDataType;
    // A count holds a number: a stored string type (or any unknown one) shows as an integer there.
    if (type < DATA_INTEGER || type > DATA_STRING || (count && type == DATA_STRING))
        type = count ? DATA_INTEGER : DATA_STRING;
    page.m_nTypeInteger = type == DATA_INTEGER;
    page.m_nTypeLong = type == DATA_LONG;
    page.m_nTypeFloat = type == DATA_FLOAT;
    page.m_nTypeString = type == DATA_STRING;
    page.m_bAllowEmpty = c.bAllowEmpty;
    page.m_bFillTail = c.bFillTail;
    page.m_bSameAsLast = c.bSameAsLast;
    if (count)
        page.DisplayCountNodeSettings();
}

void SaveInput(HostNode& node, const CDlgDefineNodeInput& page)
{
    CollectSettings& c = node.m_collect;
    c.nDataType =
        ChosenRadio({page.m_nTypeInteger, page.m_nTypeLong, page.m_nTypeFloat, page.m_nTypeString}, c.nDataType);
    c.bAllowEmpty = page.m_bAllowEmpty;
    c.bFillTail = page.m_bFillTail;
    c.bSameAsLast = page.m_bSameAsLast;
}

void InitialDevice(HostNode& node, CDlgDefineNodeInputFromDevice& page)
{
    const CollectSettings& c = node.m_collect;
    page.m_bTimer = c.bTimer;
    page.m_bScanner = c.bScanner;
    page.m_bAutoTrigger = c.bAutoTrigger;
    page.m_bDoubleScan = c.bDoubleScan;
    page.m_bScannerOff = c.bScannerOff;
    page.m_bMixKeypad = c.bMixKeypad;
    page.m_bKeypad = c.bKeypad;
    page.m_bCompleteWithEnter = c.bCompleteWithEnter;
    page.m_bAlphabet = c.bAlphabet;
    page.m_bDigits = c.bDigits;
    page.m_bSymbols = c.bSymbols;
    page.m_nDateOnly = c.nTimeFormat == TIME_DATE;
    page.m_nTimeOnly = c.nTimeFormat == TIME_TIME;
    page.m_nDateTime = c.nTimeFormat == TIME_DATETIME;
    if (CComboBox* types = Combo(page, IDC_DATETYPE))
    {
        types->ResetContent();
        const auto& names = DateTypeNames();
        for (size_t i = 0; i < names.size(); ++i)
            types->SetItemData(types->AddString(names[i]), DWORD_PTR(i));
        SelectByItemData(*types, DWORD_PTR(c.nDateType));
        if (types->GetCurSel() < 0)
            types->SetCurSel(0); // a stored type this host does not know shows as the first
    }
}

void SaveDevice(HostNode& node, CDlgDefineNodeInputFromDevice& page)
{
    CollectSettings& c = node.m_collect;
    // The timer excludes the other devices, whatever marks their (disabled) boxes kept.
    c.bTimer = page.m_bTimer;
    c.bScanner = !page.m_bTimer && page.m_bScanner;
    c.bKeypad = !page.m_bTimer && page.m_bKeypad;
    c.bAutoTrigger = page.m_bAutoTrigger;
    c.bDoubleScan = page.m_bDoubleScan;
    c.bScannerOff = page.m_bScannerOff;
    c.bMixKeypad = page.m_bMixKeypad;
    c.bCompleteWithEnter = page.m_bCompleteWithEnter;
    c.bAlphabet = page.m_bAlphabet;
    c.bDigits = page.m_bDigits;
    c.bSymbols = page.m_bSymbols;
    c.nTimeFormat = ChosenRadio({page.m_nDateOnly, page.m_nTimeOnly, page.m_nDateTime}, c.nTimeFormat);
    if (CComboBox* types = Combo(page, IDC_DATETYPE))
        c.nDateType = int(SelectedItemData(*types, DWORD_PTR(c.nDateType)));
}

void InitialLookup(HostNode& node, CDlgDefineNodeInputFromLookupFile& page)
{
    const CollectSettings& c = node.m_collect;
    JobDocument* doc = node.GetJobDocument();
    page.m_bFromLookupFile = c.bFromLookupFile;
    page.m_nFieldNo = c.nLookupFieldNo;
    page.m_strDefaultValue = c.strDefaultValue;
    page.m_bUseDefault = c.bUseDefault;
    page.m_strLookupFile.Empty();
    if (page.m_cbCollectNode.m_hWnd)
    {
        FillNodeList(page.m_cbCollectNode, node, [](const HostNode& n) { return n.m_nKind == NODE_INPUT; });
        SelectByItemData(page.m_cbCollectNode, DWORD_PTR(c.nLookupNodeID));
        if (page.m_cbCollectNode.GetCurSel() >= 0)
            page.m_strLookupFile = LookupFileLine(doc, c.nLookupNodeID);
    }
}

void SaveLookup(HostNode& node, CDlgDefineNodeInputFromLookupFile& page)
{
    CollectSettings& c = node.m_collect;
    c.bFromLookupFile = page.m_bFromLookupFile;
    c.nLookupFieldNo = page.m_nFieldNo;
    c.strDefaultValue = page.m_strDefaultValue;
    c.bUseDefault = page.m_bUseDefault;
    if (page.m_cbCollectNode.m_hWnd)
        c.nLookupNodeID = int(SelectedItemData(page.m_cbCollectNode, DWORD_PTR(c.nLookupNodeID)));
}

void InitialVerify(const CollectSettings& c, CDlgDefineNodeVerify& page)
{
    page.m_bVerifyLength = c.bVerifyLength;
    page.m_bVerifyPicture = c.bVerifyPicture;
    page.m_bVerifyRange = c.bVerifyRange;
    page.m_bNoBeep = c.bNoBeep;
    page.m_bNoErrorSign = c.bNoErrorSign;
    page.m_bNoReinput = c.bNoReinput;
    page.m_nLengthFrom = c.nLengthFrom;
    page.m_nLengthTo = c.nLengthTo;
    page.m_strPicture = c.strPicture;
    page.m_strRangeFrom = c.strRangeFrom;
    page.m_strRangeTo = c.strRangeTo;
}

void SaveVerify(CollectSettings& c, const CDlgDefineNodeVerify& page)
{
    c.bVerifyLength = page.m_bVerifyLength;
    c.bVerifyPicture = page.m_bVerifyPicture;
    c.bVerifyRange = page.m_bVerifyRange;
    c.bNoBeep = page.m_bNoBeep;
    c.bNoErrorSign = page.m_bNoErrorSign;
    c.bNoReinput = page.m_bNoReinput;
    c.nLengthFrom = page.m_nLengthFrom;
    c.nLengthTo = page.m_nLengthTo;
    c.strPicture = page.m_strPicture;
    c.strRangeFrom = page.m_strRangeFrom;
    c.strRangeTo = page.m_strRangeTo;
}

void InitialVerifyLookup(const HostNode& node, CDlgDefineNodeVerifyLookupFile& page)
{
    const CollectSettings& c = node.m_collect;
    page.m_bVerifyLookupFile = (node.m_dwVerifyFlags & VERIFY_LOOKUPFILE) != 0;
    page.m_strLookupFile = node.m_strVerifyLookupFile;
    page.m_nFieldNo = c.nVerifyFieldNo;
    page.m_nTotalFields = c.nVerifyTotalFields;
    page.m_bFullKeyMatch = c.bFullKeyMatch;
    page.m_nSearchFromBeginning = !c.bSearchFromCurrent;
    page.m_nSearchFromCurrent = c.bSearchFromCurrent;
    page.m_bBinarySearch = c.bBinarySearch;
    // The page filled the list when it started; a code it does not list leaves nothing selected.
    if (CComboBox* separators = Combo(page, IDC_FIELDSEPARATOR))
        SelectByItemData(*separators, DWORD_PTR(c.nFieldSeparator));
}

void SaveVerifyLookup(HostNode& node, CDlgDefineNodeVerifyLookupFile& page)
{
    CollectSettings& c = node.m_collect;
    if (page.m_bVerifyLookupFile)
        node.m_dwVerifyFlags |= VERIFY_LOOKUPFILE;
    else
        node.m_dwVerifyFlags &= ~DWORD(VERIFY_LOOKUPFILE);
    node.m_strVerifyLookupFile = page.m_strLookupFile;
    c.nVerifyFieldNo = page.m_nFieldNo;
    c.nVerifyTotalFields = page.m_nTotalFields;
    c.bFullKeyMatch = page.m_bFullKeyMatch;
    c.bSearchFromCurrent =
        ChosenRadio({page.m_nSearchFromBeginning, page.m_nSearchFromCurrent}, c.bSearchFromCurrent ? 1 : 0) == 1;
    c.bBinarySearch = page.m_bBinarySearch;
    if (CComboBox* separators = Combo(page, IDC_FIELDSEPARATOR))
        c.nFieldSeparator = int(SelectedItemData(*separators, DWORD_PTR(c.nFieldSeparator)));
}

void InitialBarcode(HostNode& node, CDlgDefineNodeInputBarcode& page)
{
    const CollectSettings& c = node.m_collect;
    page.m_bSetBarcode = c.bSetBarcode;
    page.m_bSetToAll = FALSE; // an action of this OK, not a setting of the node
    CListCtrl& list = page.m_lcBarcode;
    if (!list.m_hWnd)
        return;
    list.DeleteAllItems();
    JobDocument* doc = node.GetJobDocument();
    for (const Symbology& s : c.symbologies)
    {
        CString name;
        if (doc)
            doc->GetBarcodeName(s.wData, name);
        int at = list.InsertItem(list.GetItemCount(), name);
        if (at < 0)
            continue;
        list.SetItemData(at, s.wData);
        list.SetCheck(at, s.bEnabled);
    }
}

void SaveBarcode(HostNode& node, CDlgDefineNodeInputBarcode& page)
{
    CollectSettings& c = node.m_collect;
    c.bSetBarcode = page.m_bSetBarcode;
    CListCtrl& list = page.m_lcBarcode;
    if (list.m_hWnd)
    {
        // The list shows them sorted by name; the node keeps its own order, so that an OK changes only what the
        // person changed. A symbology is known by its low byte: the high byte holds its options.
        std::vector<Symbology> shown;
        for (int i = 0; i < list.GetItemCount(); ++i)
            shown.push_back(Symbology{WORD(list.GetItemData(i)), list.GetCheck(i) == TRUE});
        std::vector<bool> taken(shown.size());
        std::vector<Symbology> kept;
        for (const Symbology& old : c.symbologies)
            for (size_t i = 0; i < shown.size(); ++i)
                if (!taken[i] && (shown[i].wData & 0xFF) == (old.wData & 0xFF))
                {
                    kept.push_back(shown[i]);
                    taken[i] = true;
                    break;
                }
        for (size_t i = 0; i < shown.size(); ++i)
            if (!taken[i])
                kept.push_back(shown[i]);
        c.symbologies = std::move(kept);
    }
    JobDocument* doc = node.GetJobDocument();
    for (int i = 0; page.m_bSetToAll && doc && i < doc->GetNodeCount(); ++i)
    {
        HostNode* other = doc->GetNodeAt(i);
        if (other != &node && other->m_nKind == NODE_INPUT)
        {
            other->m_collect.bSetBarcode = c.bSetBarcode;
            other->m_collect.symbologies = c.symbologies;
        }
    }
}

} // namespace

void FillNodeList(CComboBox& combo, const HostNode& self, bool (*accept)(const HostNode&))
{
    combo.ResetContent();
    JobDocument* doc = self.GetJobDocument();
    for (int i = 0; doc && i < doc->GetNodeCount(); ++i)
    {
        HostNode* other = doc->GetNodeAt(i);
        if (other != &self && accept(*other))
            combo.SetItemData(combo.AddString(other->m_strName), DWORD_PTR(other->m_nID));
    }
}

std::vector<Symbology> CollectSettings::DefaultSymbologies()
{
    std::vector<Symbology> list;
    for (int code : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 17, 18, 19, 20})
        list.push_back(Symbology{WORD(code), false});
    return list;
}

const std::vector<const char*>& DateTypeNames()
{
    static const std::vector<const char*> names = {"MM/DD/YY",   "DD/MM/YY",   "YY/MM/DD",
                                                   "MM/DD/YYYY", "DD/MM/YYYY", "YYYY/MM/DD"};
    return names;
}

void InitialCollectPages(HostNode& node, CDlgDefineNode* dlg)
{
    CollectSettings& c = node.m_collect;
    if (auto* page = DialogPage<CDlgDefineNodeInput>(dlg, IDD_NODE_INPUT))
        InitialInput(node, *page);
    if (auto* page = DialogPage<CDlgDefineNodeInputFromDevice>(dlg, IDD_NODE_INPUTFROMDEVICE))
        InitialDevice(node, *page);
    if (auto* page = DialogPage<CDlgDefineNodeInputFromFormula>(dlg, IDD_NODE_INPUTFROMFORMULA))
    {
        page->m_bFromFormula = c.bFromFormula;
        page->m_strFormula = c.strFormula;
    }
    if (auto* page = DialogPage<CDlgDefineNodeInputFromLookupFile>(dlg, IDD_NODE_INPUTFROMLOOKUPFILE))
        InitialLookup(node, *page);
    if (auto* page = DialogPage<CDlgDefineNodeVerify>(dlg, IDD_NODE_VERIFY))
        InitialVerify(c, *page);
    if (auto* page = DialogPage<CDlgDefineNodeVerifyLookupFile>(dlg, IDD_NODE_VERIFYLOOKUPFILE))
        InitialVerifyLookup(node, *page);
    if (auto* page = DialogPage<CDlgDefineNodeVerifyQualifier>(dlg, IDD_NODE_VERIFYQUALIFIER))
    {
        page->m_bVerifyQualifier = c.bVerifyQualifier;
        page->m_strQualifier = c.strQualifier;
    }
    if (auto* page = DialogPage<CDlgDefineNodeInputBarcode>(dlg, IDD_NODE_INPUTBARCODE))
        InitialBarcode(node, *page);
    InitialCountPages(node, dlg);
}

void SaveCollectPages(HostNode& node, CDlgDefineNode* dlg)
{
    CollectSettings& c = node.m_collect;
    if (auto* page = DialogPage<CDlgDefineNodeInput>(dlg, IDD_NODE_INPUT))
        SaveInput(node, *page);
    if (auto* page = DialogPage<CDlgDefineNodeInputFromDevice>(dlg, IDD_NODE_INPUTFROMDEVICE))
        SaveDevice(node, *page);
    if (auto* page = DialogPage<CDlgDefineNodeInputFromFormula>(dlg, IDD_NODE_INPUTFROMFORMULA))
    {
        c.bFromFormula = page->m_bFromFormula;
        c.strFormula = page->m_strFormula;
    }
    if (auto* page = DialogPage<CDlgDefineNodeInputFromLookupFile>(dlg, IDD_NODE_INPUTFROMLOOKUPFILE))
        SaveLookup(node, *page);
    if (auto* page = DialogPage<CDlgDefineNodeVerify>(dlg, IDD_NODE_VERIFY))
        SaveVerify(c, *page);
    if (auto* page = DialogPage<CDlgDefineNodeVerifyLookupFile>(dlg, IDD_NODE_VERIFYLOOKUPFILE))
        SaveVerifyLookup(node, *page);
    if (auto* page = DialogPage<CDlgDefineNodeVerifyQualifier>(dlg, IDD_NODE_VERIFYQUALIFIER))
    {
        c.bVerifyQualifier = page->m_bVerifyQualifier;
        c.strQualifier = page->m_strQualifier;
    }
    if (auto* page = DialogPage<CDlgDefineNodeInputBarcode>(dlg, IDD_NODE_INPUTBARCODE))
        SaveBarcode(node, *page);
    SaveCountPages(node, dlg);
}
