// The document's side of a node dialog kept open beside the flowchart: the dialog must never hold a
// node or a link that the document has freed.
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/JobDocument.h"
#include "node/CDlgDefineNode.h"

void JobDocument::SetNodeDialog(CDlgDefineNode* dlg)
{
    m_pNodeDialog = dlg;
    m_hNodeDialog = dlg ? dlg->m_hWnd : nullptr;
}

CDlgDefineNode* JobDocument::GetNodeDialog() const
{
    return IsWindow(m_hNodeDialog) && CWnd::FromHandlePermanent(m_hNodeDialog) == m_pNodeDialog ? m_pNodeDialog
                                                                                               : nullptr;
}

HostNode* JobDocument::ReleaseNodeDialogFor(int nodeId, int linkId)
{
    CDlgDefineNode* dlg = GetNodeDialog();
    auto* node = dlg ? static_cast<HostNode*>(dlg->m_pNode) : nullptr;
    if (!node)
        return nullptr;

    // The dialog shows every link that starts or ends at its node.
    bool showsGoner = node->m_nID == nodeId;
    for (const auto& link : m_links)
    {
        bool goes = link->m_nID == linkId || (nodeId && (link->m_nFromNodeID == nodeId || link->m_nToNodeID == nodeId));
        if (goes && (link->m_nFromNodeID == node->m_nID || link->m_nToNodeID == node->m_nID))
            showsGoner = true;
    }
    if (!showsGoner)
        return nullptr;

    m_nReloadOptionID = dlg->GetActiveOptionID(&m_nReloadOptionSub);
    dlg->Release();
    return node->m_nID == nodeId ? nullptr : node;
}

void JobDocument::ReloadNodeDialog(HostNode* node)
{
    CDlgDefineNode* dlg = GetNodeDialog();
    if (!node || !dlg)
        return;
    // Back on the page the user was on; a page of a link that is gone falls back to the basic page.
    m_nLastOptionID = m_nReloadOptionID;
    m_nLastOptionSub = m_nReloadOptionSub;
    dlg->Initial(node, GetNodeOptions(node->m_nKind));
    dlg->InitialDlg();
}
