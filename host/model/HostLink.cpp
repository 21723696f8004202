#include "host/model/HostLink.h"

#include <tuple>

#include "host/model/HostNode.h"
#include "host/model/JobDocument.h"
#include "link/CDlgDefineLink.h"

HostLink::HostLink(JobDocument* doc, int id, int fromNodeId, int toNodeId) : m_pDoc(doc)
{
    m_nID = id;
    m_nFromNodeID = fromNodeId;
    m_nToNodeID = toNodeId;
}

BOOL HostLink::InitialDlgData(CDlgDefineLink* page)
{
    if (!page)
        return FALSE;
    page->m_bKeyInput = m_nCondition == LINK_KEY;
    page->m_bInputData = m_nCondition == LINK_INPUT_DATA;
    page->m_bVerifyStatus = m_nCondition == LINK_VERIFY;
    page->m_bExpression = m_nCondition == LINK_EXPRESSION;
    page->m_strKey = m_strKey;
    page->m_strInputData = m_strInputData;
    page->m_bPassAlways = m_nVerifyResult == VERIFY_PASS_ALWAYS;
    page->m_bSuccess = m_nVerifyResult == VERIFY_SUCCESS;
    page->m_bFail = m_nVerifyResult == VERIFY_FAIL;
    page->m_strExpression = m_strExpression;
    page->m_bEOR = m_bEOR;
    page->m_bINIT = m_bINIT;
    page->m_bRRLI = m_bRRLI;
    page->m_bAlarm = m_bAlarm;
    page->m_bExcludeFromMakeJob = m_bExcludeFromMakeJob;

    // The record list carries record ids; the link's record stays chosen even while EOR is off.
    CComboBox& records = page->m_cbRecord;
    if (IsWindow(records.m_hWnd))
    {
        records.ResetContent();
        for (int i = 0; m_pDoc && i < m_pDoc->GetRecordCount(); ++i)
        {
            HostRecord* record = m_pDoc->GetRecordAt(i);
            records.SetItemData(records.AddString(record->m_strName), DWORD_PTR(record->m_nID));
        }
        for (int i = 0; i < records.GetCount(); ++i)
            if (m_nRecordID && int(records.GetItemData(i)) == m_nRecordID)
                records.SetCurSel(i);
    }
    return TRUE;
}

namespace
{
// Everything the link page edits, to tell whether taking the page changed the link.
auto EditedFields(const HostLink& l)
{
    return std::make_tuple(l.m_nCondition, l.m_strKey, l.m_strInputData, l.m_nVerifyResult, l.m_strExpression,
                           l.m_bEOR, l.m_nRecordID, l.m_bINIT, l.m_bRRLI, l.m_bAlarm, l.m_bExcludeFromMakeJob);
}
} // namespace

BOOL HostLink::SaveDlgData(CDlgDefineLink* page)
{
    if (!page)
        return FALSE;
    const auto before = EditedFields(*this);
    TakePage(*page);
    // The dialog marks the document only when the whole OK goes through; a node page that fails later
    // must not leave these changes unsaved without the document knowing.
    if (m_pDoc && EditedFields(*this) != before)
        m_pDoc->SetModifiedFlag(TRUE);
    return TRUE;
}

void HostLink::TakePage(CDlgDefineLink& pageRef)
{
    CDlgDefineLink* page = &pageRef;
    // The first kind set wins, in the order the page itself enables them.
    if (page->m_bKeyInput)
        m_nCondition = LINK_KEY;
    else if (page->m_bInputData)
        m_nCondition = LINK_INPUT_DATA;
    else if (page->m_bVerifyStatus)
        m_nCondition = LINK_VERIFY;
    else if (page->m_bExpression)
        m_nCondition = LINK_EXPRESSION;
    else
        m_nCondition = LINK_NO_CONDITION;
    m_strKey = page->m_strKey;
    m_strInputData = page->m_strInputData;
    if (page->m_bSuccess)
        m_nVerifyResult = VERIFY_SUCCESS;
    else if (page->m_bFail)
        m_nVerifyResult = VERIFY_FAIL;
    else
        m_nVerifyResult = VERIFY_PASS_ALWAYS;
    m_strExpression = page->m_strExpression;
    m_bEOR = page->m_bEOR;
    m_bINIT = page->m_bINIT;
    m_bRRLI = page->m_bRRLI;
    m_bAlarm = page->m_bAlarm;
    m_bExcludeFromMakeJob = page->m_bExcludeFromMakeJob;

    CComboBox& records = page->m_cbRecord;
    if (IsWindow(records.m_hWnd))
    {
        int sel = records.GetCurSel();
        m_nRecordID = sel >= 0 ? int(records.GetItemData(sel)) : 0;
    }
}

CString HostLink::GetLabel()
{
    HostNode* from = m_pDoc ? m_pDoc->FindNode(m_nFromNodeID) : nullptr;
    HostNode* to = m_pDoc ? m_pDoc->FindNode(m_nToNodeID) : nullptr;
    CString label;
    label.Format("%s -> %s", from ? from->m_strName.c_str() : "?", to ? to->m_strName.c_str() : "?");
    return label;
}

// The flowchart's own link editor is not part of this host: the node dialog's link pages are the
// only place a link is edited.
void HostLink::Define() {}
