#include "record/CDlgDefineRecord.h"

#include "node/CDlgDefineNodeNotes.h"
#include "record/CDlgDefineRecordEORLink.h"
#include "record/CDlgDefineRecordField.h"
#include "record/CDlgDefineRecordSeparator.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace
{

CRecord* RecordOf(const OPTIONITEM* opt)
{
    return opt ? static_cast<CRecord*>(opt->pObject) : nullptr;
}

// Selects the entry named like the code's terminator; a name the list lacks leaves nothing selected.
void SelectTerminator(CWnd* page, int comboId, int code)
{
    auto* combo = static_cast<CComboBox*>(page->GetDlgItem(comboId));
    if (!combo)
        return;
    combo->SetCurSel(combo->FindStringExact(-1, GetTerminatorName(code)));
}

int SelectedTerminator(CWnd* page, int comboId)
{
    auto* combo = static_cast<CComboBox*>(page->GetDlgItem(comboId));
    if (!combo)
        return CB_ERR;
    // With nothing selected the combo box answers its error value, and that is what the record keeps.
    return int(combo->GetItemData(combo->GetCurSel()));
}

// A data node as the lists show it: by its name, and with its number as the flowchart shows it where another data
// node has the same name (or detailed properties are on), so that the two can be told apart.
CString DataNodeLabel(CNodeBase& node, CVTR5Doc* doc)
{
    bool shared = ViewDetailedProperties != 0;
    for (int i = 0; doc && !shared && i < doc->GetNodeCount(); ++i)
    {
        CNodeBase* other = doc->GetNodeAt(i);
        shared = other && other != &node && (other->m_nKind == 2 || other->m_nKind == 3) &&
                 other->m_strName == node.m_strName;
    }
    if (!shared)
        return node.m_strName;
    CString label;
    label.Format("%s (%d)", node.m_strName.c_str(), node.m_nID);
    return label;
}

void LoadFields(CDlgDefineRecordField& page, CRecord& record, CVTR5Doc* doc)
{
    page.m_strRecordName = record.m_strName;
    page.m_strDataFile = record.m_strDataFile;
    page.m_bDefaultRecord = doc && doc->m_nDefaultRecord == record.m_nID;
    page.m_lbNodes.ResetContent();
    page.m_lbFields.ResetContent();
    for (int i = 0; doc && i < doc->GetNodeCount(); ++i)
    {
        CNodeBase* node = doc->GetNodeAt(i);
        // Only input and count nodes hold data; a node that is a field already is listed on the other side.
        if (!node || (node->m_nKind != 2 && node->m_nKind != 3) || record.HasField(node))
            continue;
        page.m_lbNodes.SetItemData(page.m_lbNodes.AddString(DataNodeLabel(*node, doc)), DWORD_PTR(node->m_nID));
    }
    for (int i = 0; i < record.GetFieldCount(); ++i)
        if (CNodeBase* node = record.GetField(i))
            page.m_lbFields.SetItemData(page.m_lbFields.AddString(DataNodeLabel(*node, doc)), DWORD_PTR(node->m_nID));
}

void LoadLinks(CDlgDefineRecordEORLink& page, CRecord& record, CVTR5Doc* doc)
{
    CWordArray ids;
    record.GetEORLinks(ids);
    page.m_lcLinks.DeleteAllItems();
    for (int i = 0; doc && i < ids.GetSize(); ++i)
    {
        CNodeLink* link = doc->GetLinkByID(ids[i]);
        if (!link)
            continue;
        // Each link goes on top, so the list shows the record's links last first.
        int at = page.m_lcLinks.InsertItem(0, link->GetLabel());
        page.m_lcLinks.SetItemData(at, DWORD_PTR(link));
    }
    page.m_bDisableEOREnforcement = record.m_bDisableEOREnforcement;
}

} // namespace

CDlgDefineRecord::CDlgDefineRecord(OPTIONITEM* pOptions, CWnd* pParent)
    : CDlgDefine(pOptions, IDD_DEFINE_RECORD, pParent)
{
    CRecord* record = pOptions && pOptions->nID ? RecordOf(pOptions) : nullptr;
    m_pDoc = record ? record->GetDocument() : nullptr;
}

BOOL CDlgDefineRecord::OnInitDialog()
{
    CDlgDefine::OnInitDialog();
    if (!m_pOptions)
        return TRUE;
    CTreeCtrl& tree = GetOptionTree();
    tree.SortChildren(TVI_ROOT);
    for (OPTIONITEM* opt = m_pOptions; opt->nID; ++opt)
    {
        if (!opt->pPage)
            continue;
        opt->pPage->m_pObject = opt->pObject;
        tree.Expand(opt->hItem, TVE_EXPAND);
    }
    if (m_pInitialOption && m_pInitialOption->hItem)
        tree.SelectItem(m_pInitialOption->hItem);
    return TRUE;
}

BOOL CDlgDefineRecord::InitialData()
{
    if (!m_pDoc || !m_pOptions)
        return TRUE;
    m_pDoc->m_nDefaultRecordEdit = m_pDoc->m_nDefaultRecord;
    for (OPTIONITEM* opt = m_pOptions; opt->nID; ++opt)
    {
        CRecord* record = RecordOf(opt);
        if (!record || !opt->pPage)
            continue;
        switch (opt->nID)
        {
        case IDD_RECORD_FIELD:
            if (auto* page = dynamic_cast<CDlgDefineRecordField*>(opt->pPage))
                LoadFields(*page, *record, m_pDoc);
            break;
        case IDD_RECORD_SEPARATOR:
            if (auto* page = dynamic_cast<CDlgDefineRecordSeparator*>(opt->pPage))
            {
                page->m_strPreamble = record->m_strPreamble;
                page->m_strPostamble = record->m_strPostamble;
                SelectTerminator(page, IDC_FIELDSEPARATOR, record->m_nFieldSeparator);
                // The record list names ':' and ';' alike on the terminal, so a stored ';' shows as ':'.
                int terminator = record->m_nRecordTerminator == 59 ? 58 : record->m_nRecordTerminator;
                SelectTerminator(page, IDC_RECORDTERMINATOR, terminator);
            }
            break;
        case IDD_RECORD_EORLINK:
            if (auto* page = dynamic_cast<CDlgDefineRecordEORLink*>(opt->pPage))
                LoadLinks(*page, *record, m_pDoc);
            break;
        case IDD_NODE_NOTES:
            if (auto* page = dynamic_cast<CDlgDefineNodeNotes*>(opt->pPage))
            {
                if (CWnd* edit = page->GetDlgItem(IDC_NODE_COMMENT))
                    edit->SetFont(&fontIndex, TRUE);
                page->m_strComment = record->m_strComment;
            }
            break;
        default:
            break;
        }
    }
    return TRUE;
}

BOOL CDlgDefineRecord::SaveData()
{
    if (!m_pDoc || !m_pOptions)
        return TRUE;
    m_pDoc->m_nDefaultRecord = m_pDoc->m_nDefaultRecordEdit;
    for (OPTIONITEM* opt = m_pOptions; opt->nID; ++opt)
    {
        CRecord* record = RecordOf(opt);
        if (!record || !opt->pPage)
            continue;
        switch (opt->nID)
        {
        case IDD_RECORD_FIELD:
            if (auto* page = dynamic_cast<CDlgDefineRecordField*>(opt->pPage))
            {
                record->m_strName = page->m_strRecordName;
                record->m_strDataFile = page->m_strDataFile;
                record->m_arrFields.SetSize(0);
                for (int i = 0; i < page->m_lbFields.GetCount(); ++i)
                    record->m_arrFields.Add(WORD(page->m_lbFields.GetItemData(i)));
            }
            break;
        case IDD_RECORD_SEPARATOR:
            if (auto* page = dynamic_cast<CDlgDefineRecordSeparator*>(opt->pPage))
            {
                record->m_strPreamble = page->m_strPreamble;
                record->m_strPostamble = page->m_strPostamble;
                record->m_nFieldSeparator = SelectedTerminator(page, IDC_FIELDSEPARATOR);
                record->m_nRecordTerminator = SelectedTerminator(page, IDC_RECORDTERMINATOR);
            }
            break;
        case IDD_RECORD_EORLINK:
            // The links carry their EOR option themselves; only the flag belongs to the record.
            if (auto* page = dynamic_cast<CDlgDefineRecordEORLink*>(opt->pPage))
                record->m_bDisableEOREnforcement = page->m_bDisableEOREnforcement;
            break;
        case IDD_NODE_NOTES:
            if (auto* page = dynamic_cast<CDlgDefineNodeNotes*>(opt->pPage))
                record->m_strComment = page->m_strComment;
            break;
        default:
            break;
        }
    }
    return TRUE;
}

void CDlgDefineRecord::SaveSettingUI()
{
    CDlgDefine::SaveSettingUI();
}

// A record's pages are not objects of their own: the Delete key has nothing to delete.
void CDlgDefineRecord::DeleteOption(OPTIONITEM*)
{
}
