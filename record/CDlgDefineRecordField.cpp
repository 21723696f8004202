#include "record/CDlgDefineRecordField.h"

#include <vector>

#include "framework/OptionPages.h"
#include "platform/afxdd.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace
{
const OptionPageRegistration<CDlgDefineRecordField> reg(IDD_RECORD_FIELD);

// Moves the selected lines of one list to the other. Lines are inserted at the first selected line of the
// target (or appended); a sorted target is given them with an ordinary add, so it stays sorted.
void MoveSelected(CListBox& from, CListBox& to, int room, bool sortedTarget)
{
    std::vector<int> selected(size_t(room > 0 ? room : 0));
    int count = room > 0 ? from.GetSelItems(room, selected.data()) : 0;
    if (count <= 0)
        return;
    int insertAt = -1;
    if (!sortedTarget)
        for (int i = 0; i < to.GetCount() && insertAt < 0; ++i)
            if (to.GetSel(i) > 0)
                insertAt = i;
    for (int i = 0; i < count; ++i)
    {
        CString text;
        from.GetText(selected[size_t(i)], text);
        DWORD_PTR data = from.GetItemData(selected[size_t(i)]);
        int at = sortedTarget ? to.AddString(text) : to.InsertString(insertAt, text);
        to.SetItemData(at, data);
    }
    for (int first; from.GetSelItems(1, &first) == 1;)
        from.DeleteString(UINT(first));
}
} // namespace

CDlgDefineRecordField::CDlgDefineRecordField(CWnd* pParent) : CDlgDefineBase(IDD_RECORD_FIELD, pParent)
{
}

const MessageMap& CDlgDefineRecordField::GetThisMessageMap()
{
    static const MessageMap map(
        &CDlgDefineBase::GetThisMessageMap(),
        {
            mm::Command(IDC_RECORD_ADD, BN_CLICKED, &CDlgDefineRecordField::OnAdd),
            mm::Command(IDC_RECORD_REMOVE, BN_CLICKED, &CDlgDefineRecordField::OnDelete),
            mm::Command(IDC_BROWSE, BN_CLICKED, &CDlgDefineRecordField::OnBrowse),
            mm::Command(IDC_RECORD_NODES, LBN_DBLCLK, &CDlgDefineRecordField::OnDblclkListSour),
            mm::Command(IDC_RECORD_FIELDS, LBN_DBLCLK, &CDlgDefineRecordField::OnDblclkListDest),
            mm::Command(IDC_RECORD_DEFAULT, BN_CLICKED, &CDlgDefineRecordField::OnDefaultRecord),
        });
    return map;
}

void CDlgDefineRecordField::DoDataExchange(CDataExchange* pDX)
{
    CDlgDefineBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RECORD_NODES, m_lbNodes);
    DDX_Control(pDX, IDC_RECORD_FIELDS, m_lbFields);
    DDX_Text(pDX, IDC_DATAFILE, m_strDataFile);
    DDX_Text(pDX, IDC_RECORD_NAME, m_strRecordName);
    DDX_Check(pDX, IDC_RECORD_DEFAULT, m_bDefaultRecord);
}

BOOL CDlgDefineRecordField::OnInitDialog()
{
    CDlgDefineBase::OnInitDialog();
    m_lbNodes.SetFont(&fontIndex, TRUE);
    m_lbFields.SetFont(&fontIndex, TRUE);
    return TRUE;
}

void CDlgDefineRecordField::OnAdd()
{
    MoveSelected(m_lbNodes, m_lbFields, m_pDoc ? m_pDoc->GetNodeCount() : 0, false);
}

void CDlgDefineRecordField::OnDelete()
{
    MoveSelected(m_lbFields, m_lbNodes, m_pDoc ? m_pDoc->GetNodeCount() : 0, true);
}

void CDlgDefineRecordField::OnDblclkListSour()
{
    OnAdd();
}
void CDlgDefineRecordField::OnDblclkListDest()
{
    OnDelete();
}

void CDlgDefineRecordField::OnBrowse()
{
    UpdateData(TRUE);
    if (BrowseFile(this, m_strDataFile, false, "RECORD",
                   "Data Files (*.dat; *.txt)|*.dat; *.txt|Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"))
        UpdateData(FALSE);
}

// Only the document's working copy changes; the record dialog commits it on OK.
void CDlgDefineRecordField::OnDefaultRecord()
{
    auto* record = static_cast<CRecord*>(m_pObject);
    CVTR5Doc* doc = record ? record->GetDocument() : nullptr;
    UpdateData(TRUE);
    if (!doc)
        return;
    if (m_bDefaultRecord)
        doc->m_nDefaultRecordEdit = record->m_nID;
    else if (doc->m_nDefaultRecordEdit == record->m_nID)
        doc->m_nDefaultRecordEdit = 0;
}

// Another record's dialog may have taken the default while this page was hidden.
int CDlgDefineRecordField::OnActiveOption(CDlgDefine*, int)
{
    auto* record = static_cast<CRecord*>(m_pObject);
    CVTR5Doc* doc = record ? record->GetDocument() : nullptr;
    if (!doc)
        return TRUE;
    UpdateData(TRUE);
    m_bDefaultRecord = doc->m_nDefaultRecordEdit == record->m_nID;
    UpdateData(FALSE);
    return TRUE;
}
