#include "host/model/JobDocument.h"

#include <algorithm>
#include <unordered_map>
#include <climits>

#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/HostTerminal.h"
#include "host/model/JobOptions.h"
#include "host/model/NodeOptions.h"

namespace
{

constexpr int kMaxLinkId = 0xFFFF; // the library looks links up by a 16-bit id

struct BarcodeName
{
    int nCode;
    const char* pszName;
};

// Symbology codes as the terminals number them.
const BarcodeName kBarcodes[] = {
    {1, "Code 39"},     {2, "Interleaved 2 of 5"}, {3, "Codabar"},           {4, "UPC/EAN Add-on"},
    {5, "Code 128"},    {6, "Code 93"},            {7, "Industrial 2 of 5"}, {8, "UPC-E with System 'A'"},
    {9, "MSI"},         {10, "Code 11"},           {11, "Matrix 2 of 5"},    {12, "China Post"},
    {17, "EAN-8"},      {18, "UPC-E"},             {19, "UPC-A"},            {20, "EAN-13"},
};

} // namespace

void HostView::OnUpdate(CView*, LPARAM hint, CObject*)
{
    ++m_nUpdates;
    m_lLastHint = hint;
}

int JobDocument::GetCodePage() const
{
    if (m_nLanguage == 1)
        return m_language.nDBFontCode == 2 ? 950 : 936;
    return m_nLanguage == 2 ? 932 : 1252;
}

void UseJobCodePage(const JobDocument& doc)
{
    SetAnsiCodePage(doc.GetCodePage());
}

JobDocument::JobDocument()
    : m_terminal(std::make_unique<HostTerminal>(this)), m_options(std::make_unique<NodeOptions>()),
      m_jobOptions(std::make_unique<JobOptions>())
{
    m_pTerminal = m_terminal.get();
    m_views.push_back(&m_mainView);
}

JobDocument::~JobDocument() = default;

void JobDocument::SetModifiedFlag(BOOL modified) { m_bModified = modified; }

// As MFC does, every view but the sender is told; the sender has already changed itself.
void JobDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject)
{
    ++m_nUpdateCount;
    m_pLastUpdateSender = sender;
    m_lLastUpdateHint = hint;
    m_pLastUpdateHintObject = hintObject;
    std::vector<HostView*> views = m_views; // a view may detach itself while it updates
    for (HostView* view : views)
        if (view != sender)
            view->OnUpdate(sender, hint, hintObject);
}

CView* JobDocument::GetMainView() { return &m_mainView; }

void JobDocument::AddView(HostView* view)
{
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void JobDocument::RemoveView(HostView* view)
{
    if (view != &m_mainView)
        std::erase(m_views, view);
}

CNodeBase* JobDocument::GetNodeByID(int id) { return FindNode(id); }

CNodeLink* JobDocument::GetLinkByID(WORD id) { return FindLink(id); }

int JobDocument::GetNodeLinks(int nodeId, CWordArray& ids, int)
{
    ids.RemoveAll();
    for (const auto& link : m_links)
        if (link->m_nFromNodeID == nodeId || link->m_nToNodeID == nodeId)
            ids.Add(WORD(link->m_nID));
    return ids.GetSize();
}

CString JobDocument::GetRecordFileName(DWORD_PTR recordData, int)
{
    HostRecord* record = recordData <= DWORD_PTR(0x7FFFFFFF) ? FindRecord(int(recordData)) : nullptr;
    return record ? record->m_strDataFile : CString();
}

BOOL JobDocument::DeleteLink(CNodeLink* link, BOOL ask)
{
    auto it = std::find_if(m_links.begin(), m_links.end(), [link](const auto& l) { return l.get() == link; });
    if (!link || it == m_links.end())
        return FALSE;
    if (ask)
    {
        CString text;
        text.Format("Delete link %s?", link->GetLabel().c_str());
        if (AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return FALSE;
    }
    m_links.erase(it);
    m_linkIndex.Invalidate();
    SetModifiedFlag(TRUE);
    UpdateAllViews(nullptr, HINT_LINK_DELETED, nullptr);
    return TRUE;
}

CSize JobDocument::GetScreenSize() { return HostTerminal::ScreenSizeOf(m_terminal->m_strModel); }

void JobDocument::GetBarcodeName(WORD code, CString& name)
{
    int symbology = code & 0xFF; // the high byte holds the symbology's options
    for (const BarcodeName& b : kBarcodes)
        if (b.nCode == symbology)
        {
            name = b.pszName;
            return;
        }
    name.Format("Symbology %d", symbology);
}

// InitialDlgData and SaveDlgData, the job dialog's pages: HostJobSettings.cpp.

int JobDocument::NextNodeId() const
{
    int id = m_nodeIndex.Top(m_nodes);
    return id < INT_MAX ? id + 1 : 0;
}

int JobDocument::NextLinkId() const
{
    int id = m_linkIndex.Top(m_links);
    if (id < kMaxLinkId)
        return id + 1;
    // The top id is taken: reuse the lowest free one.
    for (int candidate = 1; candidate <= kMaxLinkId; ++candidate)
        if (!FindLink(candidate))
            return candidate;
    return 0;
}

int JobDocument::NextRecordId() const
{
    int id = 0;
    for (const auto& record : m_records)
        id = std::max(id, record->m_nID);
    return id < INT_MAX ? id + 1 : 0;
}

HostNode* JobDocument::AddNode(int kind, const CString& name, int id)
{
    if (!HostNode::IsKnownKind(kind) || id < 0 || (id && FindNode(id)))
        return nullptr;
    if (!id)
        id = NextNodeId();
    if (!id) // the ids ran out
        return nullptr;
    auto node = std::make_unique<HostNode>(this, id, kind, name);
    // A new node takes the next cell of a grid, so that a job built in code is readable; hosts move it.
    int cell = GetNodeCount();
    node->m_ptPosition = CPoint(40 + cell % 8 * (m_settings.nNodeWidth + 60), 40 + cell / 8 * (m_settings.nNodeHeight + 60));
    m_nodes.push_back(std::move(node));
    m_nodeIndex.Added(m_nodes.back().get());
    return m_nodes.back().get();
}

BOOL JobDocument::RemoveNode(int id)
{
    auto it = std::find_if(m_nodes.begin(), m_nodes.end(), [id](const auto& n) { return n->m_nID == id; });
    if (it == m_nodes.end())
        return FALSE;
    HostNode* reload = ReleaseNodeDialogFor(id, 0);
    std::erase_if(m_links, [id](const auto& l) { return l->m_nFromNodeID == id || l->m_nToNodeID == id; });
    for (const auto& node : m_nodes)
        if (node->m_nReferenceNode == id)
            node->m_nReferenceNode = 0;
    m_nodes.erase(it);
    m_nodeIndex.Invalidate();
    m_linkIndex.Invalidate();
    ReloadNodeDialog(reload);
    return TRUE;
}

HostNode* JobDocument::GetNodeAt(int index) const
{
    return index >= 0 && index < GetNodeCount() ? m_nodes[size_t(index)].get() : nullptr;
}

HostNode* JobDocument::FindNode(int id) const
{
    return m_nodeIndex.Find(m_nodes, id);
}

HostNode* JobDocument::FindNodeByName(const CString& name) const
{
    for (const auto& node : m_nodes)
        if (node->m_strName == name)
            return node.get();
    return nullptr;
}

HostLink* JobDocument::AddLink(int fromNodeId, int toNodeId, int id)
{
    if (!FindNode(fromNodeId) || !FindNode(toNodeId) || id < 0 || id > kMaxLinkId || (id && FindLink(id)))
        return nullptr;
    if (!id && !(id = NextLinkId()))
        return nullptr;
    m_links.push_back(std::make_unique<HostLink>(this, id, fromNodeId, toNodeId));
    m_linkIndex.Added(m_links.back().get());
    return m_links.back().get();
}

BOOL JobDocument::RemoveLink(int id)
{
    if (!FindLink(id))
        return FALSE;
    HostNode* reload = ReleaseNodeDialogFor(0, id);
    std::erase_if(m_links, [id](const auto& l) { return l->m_nID == id; });
    m_linkIndex.Invalidate();
    ReloadNodeDialog(reload);
    return TRUE;
}

HostLink* JobDocument::GetLinkAt(int index) const
{
    return index >= 0 && index < GetLinkCount() ? m_links[size_t(index)].get() : nullptr;
}

HostLink* JobDocument::FindLink(int id) const
{
    return m_linkIndex.Find(m_links, id);
}

HostRecord* JobDocument::AddRecord(const CString& name, const CString& dataFile, int id)
{
    if (id < 0 || (id && FindRecord(id)))
        return nullptr;
    if (!id && !(id = NextRecordId()))
        return nullptr;
    auto record = std::make_unique<HostRecord>(this);
    record->m_nID = id;
    record->m_strName = name;
    record->m_strDataFile = dataFile;
    m_records.push_back(std::move(record));
    return m_records.back().get();
}

BOOL JobDocument::RemoveRecord(int id)
{
    return std::erase_if(m_records, [id](const auto& r) { return r->m_nID == id; }) > 0;
}

HostRecord* JobDocument::GetRecordAt(int index) const
{
    return index >= 0 && index < GetRecordCount() ? m_records[size_t(index)].get() : nullptr;
}

HostRecord* JobDocument::FindRecord(int id) const
{
    for (const auto& record : m_records)
        if (record->m_nID == id)
            return record.get();
    return nullptr;
}

namespace
{

template <class T> void Arrange(std::vector<std::unique_ptr<T>>& list, const std::vector<int>& ids)
{
    std::unordered_map<int, size_t> place;
    place.reserve(ids.size());
    for (size_t i = 0; i < ids.size(); ++i)
        place.emplace(ids[i], i);
    std::stable_sort(list.begin(), list.end(), [&](const auto& a, const auto& b) {
        auto pa = place.find(a->m_nID), pb = place.find(b->m_nID);
        return (pa == place.end() ? ids.size() : pa->second) < (pb == place.end() ? ids.size() : pb->second);
    });
}

} // namespace

void JobDocument::ArrangeNodes(const std::vector<int>& ids) { Arrange(m_nodes, ids); }
void JobDocument::ArrangeLinks(const std::vector<int>& ids) { Arrange(m_links, ids); }
void JobDocument::ArrangeRecords(const std::vector<int>& ids) { Arrange(m_records, ids); }

CString JobDocument::GetTitle() const
{
    int slash = std::max(m_strPathName.ReverseFind('/'), m_strPathName.ReverseFind('\\'));
    CString name = slash >= 0 ? m_strPathName.Mid(slash + 1) : m_strPathName;
    return name.IsEmpty() ? CString("Untitled") : CString::FromUtf8(name.str()); // the file system's name, in UTF-8
}

int JobDocument::GetStartNodeId() const
{
    for (int i = 0; i < GetNodeCount(); ++i)
        if (GetNodeAt(i)->m_bStartNode)
            return GetNodeAt(i)->m_nID;
    return 0;
}

void JobDocument::SetStartNode(HostNode* node)
{
    for (const auto& n : m_nodes)
        n->m_bStartNode = n.get() == node;
}

OPTIONITEM* JobDocument::GetNodeOptions(int kind) { return m_options->Get(kind); }
OPTIONITEM* JobDocument::GetPortableOptions() { return m_jobOptions->Portable(); }
OPTIONITEM* JobDocument::GetJobOptions(int mode) { return m_jobOptions->Job(mode); }

OPTIONITEM* JobDocument::BeginDefineNode(CNodeBase* node)
{
    if (!node)
        return nullptr;
    int slot = NodeKindSlot(node->m_nKind);
    int last = slot >= 0 ? m_nLastNodeOption[slot] : 0;
    m_nLastOptionID = last > 0 ? last : 0;
    return GetNodeOptions(node->m_nKind);
}

OPTIONITEM* JobDocument::BeginDefineLink(HostLink* link, HostNode** node)
{
    HostNode* from = link ? FindNode(link->m_nFromNodeID) : nullptr;
    if (node)
        *node = from;
    if (!from)
        return nullptr;
    m_nLastOptionID = NodeOptions::LINK;
    m_nLastOptionSub = link->m_nID;
    return GetNodeOptions(from->m_nKind);
}
