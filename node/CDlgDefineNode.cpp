#include "node/CDlgDefineNode.h"

#include <cstring>
#include <vector>

#include "link/CDlgDefineLink.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace
{
constexpr int kLinkPage = 2111;
constexpr int kLinksIn = 2112;
constexpr int kLinksOut = 2113;

// The job name: the file title of the document's path, without its extension. Paths saved on Windows
// use backslashes and ours slashes, and a job moves between the two.
CString JobName(const CString& path)
{
    std::vector<char> title(size_t(path.GetLength()) + 1);
    GetTitleOfName(path, title.data(), '\\');
    GetTitleOfName(title.data(), title.data(), '/');
    return RemoveExtensionName(title.data());
}
} // namespace

CDlgDefineNode::CDlgDefineNode() : CDlgDefine(nullptr, IDD_DEFINE_NODE, nullptr) {}

CDlgDefineNode::CDlgDefineNode(CNodeBase* pNode, OPTIONITEM* pOptions, CWnd* pParent)
    : CDlgDefine(nullptr, IDD_DEFINE_NODE, pParent)
{
    Initial(pNode, pOptions);
}

CDlgDefineNode::~CDlgDefineNode()
{
    if (IsWindow(m_hWnd))
        DestroyWindow();
    FreeLinkEntries();
}

const MessageMap& CDlgDefineNode::GetThisMessageMap()
{
    static const MessageMap map(&CDlgDefine::GetThisMessageMap(),
                                {
                                    mm::Command(ID_APPLY_NOW, BN_CLICKED, &CDlgDefineNode::OnBnClickedApply),
                                    mm::Command(IDC_HELPCOMMAND, BN_CLICKED, &CDlgDefineNode::OnIgnoredCommand),
                                    mm::Destroy(&CDlgDefineNode::OnDestroy),
                                    mm::Message(WM_HELP, &CDlgDefineNode::OnHelp),
                                });
    return map;
}

BOOL CDlgDefineNode::CreateDefineNode(CNodeBase* pNode, OPTIONITEM* pOptions, CWnd* pParent)
{
    Initial(pNode, pOptions);
    return Create(IDD_DEFINE_NODE, pParent);
}

void CDlgDefineNode::Initial(CNodeBase* pNode, OPTIONITEM* pOptions)
{
    if (m_bLoaded)
    {
        // The host skipped Release: empty the window first, or the old pages and link entries would be
        // lost with their windows. The entry the host chose to open on survives the release.
        CVTR5Doc* doc = pNode ? pNode->GetDocument() : nullptr;
        const int id = doc ? doc->m_nLastOptionID : 0, sub = doc ? doc->m_nLastOptionSub : 0;
        Release();
        if (doc)
            doc->m_nLastOptionID = id, doc->m_nLastOptionSub = sub;
    }
    m_pOptions = pOptions;
    m_pActiveOption = nullptr;
    m_pNode = pNode;
    if (pNode)
        m_pDoc = pNode->GetDocument();
    m_nLinkCount = 0;
    m_nLinkUsed = 0;
    m_pLinkOptions = nullptr;
}

BOOL CDlgDefineNode::OnInitDialog()
{
    CDialog::OnInitDialog();
    GetOptionTree().SetFont(&fontIndex, TRUE);
    SetWindowPosition(this, "Settings", "WPOS_DEFINEBOX", theReg, 1);
    InitialDlg();
    return TRUE;
}

void CDlgDefineNode::InitialDlg()
{
    if (m_bLoaded)
        Initial(m_pNode, m_pOptions); // filled twice without a Release: the same node again
    InitialOptionTree();
    m_bLoaded = true;
    if (!m_pNode || !m_pOptions || !m_pDoc)
        return;

    UpdateTitle();

    for (OPTIONITEM* opt = m_pOptions; opt->nID; ++opt)
        if (opt->pPage)
            opt->pPage->m_pNode = m_pNode;

    AddLinkEntries();
    SelectOption(m_pDoc->m_nLastOptionID, m_pDoc->m_nLastOptionSub);
}

void CDlgDefineNode::UpdateTitle()
{
    CString title;
    // The path is the file system's name of the job, in UTF-8.
    title.Format("Define Node [%s] - %s - %s", m_pNode->GetTypeName().c_str(),
                 JobName(CString::FromUtf8(m_pDoc->m_strPathName.str())).c_str(),
                 m_pNode->m_strName.c_str());
    SetWindowText(title);
}

bool CDlgDefineNode::HasLinkEntry(const CNodeLink* pLink) const
{
    for (int i = 0; i < m_nLinkUsed; ++i)
        if (m_pLinkOptions[i].pObject == pLink)
            return true;
    return false;
}

void CDlgDefineNode::AddLinkEntries()
{
    CWordArray ids;
    m_nLinkCount = m_pDoc->GetNodeLinks(m_pNode->m_nID, ids, 0);
    if (m_nLinkCount <= 0)
        return;

    m_nLinkCapacity = m_nLinkCount + 8;
    m_pLinkOptions = new OPTIONITEM[size_t(m_nLinkCapacity)]();
    m_nLinkUsed = 0;
    int inIndex = GetOptionNo(kLinksIn, 0);
    int outIndex = GetOptionNo(kLinksOut, 0);

    for (int i = 0; i < ids.GetSize() && m_nLinkUsed < m_nLinkCapacity; ++i)
    {
        CNodeLink* link = m_pDoc->GetLinkByID(ids[i]);
        if (!link || HasLinkEntry(link)) // a link the document named twice gets one page
            continue;
        bool outgoing = link->m_nFromNodeID == m_pNode->m_nID;
        if (!outgoing && link->m_nToNodeID != m_pNode->m_nID)
            continue;
        CNodeBase* other = m_pDoc->GetNodeByID(outgoing ? link->m_nToNodeID : link->m_nFromNodeID);
        if (!other)
            continue;

        CString label;
        const char* arrow = outgoing ? "->" : "<-";
        if (ViewDetailedProperties)
            label.Format("%s %s, #%d", arrow, other->m_strName.c_str(), link->m_nID);
        else
            label.Format("%s %s", arrow, other->m_strName.c_str());

        OPTIONITEM* entry = &m_pLinkOptions[m_nLinkUsed++];
        entry->nID = kLinkPage;
        entry->nParent = outgoing ? outIndex : inIndex;
        entry->pszTitle = label.c_str();
        entry->dwUser2 = 1;
        entry->pObject = link;
        InsertOption(entry);
        entry->pszTitle = nullptr; // the tree keeps its own copy of the label

        if (auto* page = static_cast<CDlgDefineLink*>(entry->pPage))
        {
            page->m_pLink = link;
            page->m_pNode = m_pNode;
            link->InitialDlgData(page);
            page->UpdateData(FALSE);
        }
    }

    CTreeCtrl& tree = GetOptionTree();
    if (inIndex >= 0 && m_pOptions[inIndex].hItem)
    {
        tree.SortChildren(m_pOptions[inIndex].hItem);
        ExpandItem(m_pOptions[inIndex].hItem, m_pDoc->m_bExpandLinkIn);
    }
    if (outIndex >= 0 && m_pOptions[outIndex].hItem)
    {
        tree.SortChildren(m_pOptions[outIndex].hItem);
        ExpandItem(m_pOptions[outIndex].hItem, m_pDoc->m_bExpandLinkOut);
    }
}

OPTIONITEM* CDlgDefineNode::GetOption(int nID, int nSubID)
{
    if (nID != kLinkPage)
        return CDlgDefine::GetOption(nID, nSubID);
    for (int i = 0; m_pLinkOptions && i < m_nLinkCapacity; ++i)
    {
        OPTIONITEM& entry = m_pLinkOptions[i];
        if (entry.pPage && entry.pObject && static_cast<CNodeLink*>(entry.pObject)->m_nID == nSubID)
            return &entry;
    }
    return nullptr;
}

int CDlgDefineNode::GetOptionNo(int nID, int) { return CDlgDefine::GetOptionNo(nID, 0); }

int CDlgDefineNode::GetActiveOptionID(int* pSubID)
{
    int id = CDlgDefine::GetActiveOptionID(pSubID);
    if (id == kLinkPage && pSubID && m_pActiveOption->pObject)
        *pSubID = static_cast<CNodeLink*>(m_pActiveOption->pObject)->m_nID;
    return id;
}

void CDlgDefineNode::SaveSettingUI()
{
    if (!m_pNode || !m_pDoc)
        return;
    int id = GetActiveOptionID(&m_pDoc->m_nLastOptionSub);
    m_pDoc->m_nLastOptionID = id;
    if (id != kLinkPage)
        if (int slot = NodeKindSlot(m_pNode->m_nKind); slot >= 0)
            m_pDoc->m_nLastNodeOption[slot] = id;
    m_pDoc->m_nLastOptionID = 0;
    CDlgDefine::SaveSettingUI();
    if (OPTIONITEM* in = CDlgDefine::GetOption(kLinksIn, 0))
        StoreExpanded(in->hItem, m_pDoc->m_bExpandLinkIn);
    if (OPTIONITEM* out = CDlgDefine::GetOption(kLinksOut, 0))
        StoreExpanded(out->hItem, m_pDoc->m_bExpandLinkOut);
}

void CDlgDefineNode::OnOKProcess(BOOL bApply)
{
    SaveSettingUI();
    for (int i = 0; m_pLinkOptions && i < m_nLinkCapacity; ++i)
    {
        OPTIONITEM& entry = m_pLinkOptions[i];
        auto* page = static_cast<CDlgDefineLink*>(entry.pPage);
        if (!page)
            continue;
        if (!page->UpdateData(TRUE))
        {
            CDlgDefine::SelectOption(entry.hItem);
            return;
        }
        if (entry.pObject)
            static_cast<CNodeLink*>(entry.pObject)->SaveDlgData(page);
    }
    CNodeBase* node = m_pNode;
    CDlgDefine::OnOKProcess(bApply);
    // Apply may have renamed the node; the window is still open on it.
    if (bApply && m_pNode == node && m_pNode && m_pDoc && IsWindow(m_hWnd))
        UpdateTitle();
    if (node)
        node->OnDefineUpdated(FALSE);
}

BOOL CDlgDefineNode::InitialData() { return m_pNode ? m_pNode->InitialDlgData(this) : TRUE; }
BOOL CDlgDefineNode::SaveData() { return m_pNode ? m_pNode->SaveDlgData(this) : TRUE; }

void CDlgDefineNode::DeleteOption(OPTIONITEM* pOption)
{
    if (!pOption || pOption->nID != kLinkPage || !m_pDoc || !pOption->pObject)
        return;
    if (!m_pDoc->DeleteLink(static_cast<CNodeLink*>(pOption->pObject), TRUE))
        return;
    if (m_pActiveOption == pOption)
        m_pActiveOption = nullptr;
    pOption->pPage->DestroyWindow();
    delete pOption->pPage;
    pOption->pPage = nullptr;
    pOption->pObject = nullptr; // the document has freed the link
    // The entry's own item: the host may ask for any entry, not only the selected one.
    if (HTREEITEM item = pOption->hItem)
    {
        pOption->hItem = nullptr;
        GetOptionTree().DeleteItem(item);
    }
}

void CDlgDefineNode::Release()
{
    SaveSettingUI();
    ReleaseOptionTree();
    FreeLinkEntries();
    m_pNode = nullptr;
    m_nLinkCount = 0;
    m_nLinkUsed = 0;
    m_bLoaded = false;
}

void CDlgDefineNode::FreeLinkEntries()
{
    if (!m_pLinkOptions)
        return;
    for (int i = 0; i < m_nLinkCapacity; ++i)
        if (CDlgDefineBase* page = m_pLinkOptions[i].pPage)
        {
            if (m_pActiveOption == &m_pLinkOptions[i])
                m_pActiveOption = nullptr;
            page->DestroyWindow();
            delete page;
            m_pLinkOptions[i].pPage = nullptr;
        }
    delete[] m_pLinkOptions;
    m_pLinkOptions = nullptr;
    m_nLinkCapacity = 0;
}

void CDlgDefineNode::OnOK() { OnOKProcess(FALSE); }

void CDlgDefineNode::OnCancel()
{
    SaveSettingUI();
    CDlgDefine::OnCancel();
}

void CDlgDefineNode::OnBnClickedApply() { OnOKProcess(TRUE); }

void CDlgDefineNode::OnDestroy()
{
    Release();
    CDlgDefine::OnDestroy();
}

LRESULT CDlgDefineNode::OnHelp(WPARAM, LPARAM) { return TRUE; }
void CDlgDefineNode::OnIgnoredCommand() {}

BOOL CDlgDefineNode::PreTranslateMessage(MSG* pMsg)
{
    // F1 asks for help, which this dialog does not give.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1)
        return TRUE;
    return CDlgDefine::PreTranslateMessage(pMsg);
}
