// The flowchart's Cut, Copy, Paste and Duplicate. What goes on the clipboard is a job fragment (the job file's own
// format, under its own MIME type, so another jobhost reads it) and, for any other program, the nodes' names.
#include <algorithm>
#include <climits>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "host/app/FlowchartView.h"
#include "host/jobfile/JobFragment.h"
#include "host/model/HostNode.h"

namespace
{

constexpr int kPasteStep = 20; // a paste away from the pointer lands this far from its origin, and further again
                               // while nodes stand there

UINT FragmentFormat()
{
    static const UINT format = RegisterClipboardFormat(kJobFragmentMimeType);
    return format;
}

HGLOBAL GlobalBytes(const std::string& bytes)
{
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (void* p = mem ? GlobalLock(mem) : nullptr)
    {
        std::memcpy(p, bytes.data(), bytes.size());
        GlobalUnlock(mem);
    }
    return mem;
}

} // namespace

bool FlowchartView::CopySelection()
{
    std::vector<HostNode*> nodes = GetSelectedNodes();
    if (nodes.empty() || !m_hWnd)
        return false;
    std::vector<int> ids;
    std::string names;
    for (HostNode* node : nodes)
    {
        ids.push_back(node->m_nID);
        names += node->m_strName.str() + "\r\n";
    }
    std::string fragment = FormatJobFragment(*m_pDoc, ids);
    if (!OpenClipboard())
        return false;
    EmptyClipboard();
    HGLOBAL data = GlobalBytes(fragment), text = GlobalBytes(names + '\0');
    if (!SetClipboardData(FragmentFormat(), data))
        GlobalFree(data);
    if (!SetClipboardData(CF_TEXT, text))
        GlobalFree(text);
    CloseClipboard();
    return true;
}

bool FlowchartView::CutSelection()
{
    if (!CopySelection())
        return false;
    RemoveSelectedNodes(); // what is cut is on the clipboard: no question, and Undo brings it back
    return true;
}

bool FlowchartView::CanPaste() const { return m_pDoc && IsClipboardFormatAvailable(FragmentFormat()); }

bool FlowchartView::Paste(const CPoint* page)
{
    if (!m_pDoc || !m_hWnd || !OpenClipboard())
        return false;
    std::string text;
    if (HANDLE mem = GetClipboardData(FragmentFormat()))
        if (const char* p = static_cast<const char*>(GlobalLock(mem)))
        {
            text.assign(p, GlobalSize(mem));
            GlobalUnlock(mem);
        }
    CloseClipboard();
    if (text.empty())
        return false;
    if (page)
        return PasteText(text, *page);
    CPoint pointer;
    GetCursorPos(&pointer);
    ScreenToClient(&pointer);
    if (GetViewRect().PtInRect(pointer) && IsWindowVisible())
        return PasteText(text, ClientToPage(pointer));
    return PasteText(text, std::nullopt);
}

bool FlowchartView::DuplicateSelection()
{
    std::vector<int> ids(m_selNodes.begin(), m_selNodes.end());
    if (ids.empty())
        return false;
    std::sort(ids.begin(), ids.end());
    return PasteText(FormatJobFragment(*m_pDoc, ids), std::nullopt);
}

bool FlowchartView::PasteText(const std::string& text, std::optional<CPoint> at)
{
    std::vector<int> added;
    std::string error;
    if (!PasteJobFragment(*m_pDoc, text, added, &error))
    {
        MessageBox(CString("Cannot paste the nodes: ") + error.c_str(), nullptr, MB_OK | MB_ICONSTOP);
        return false;
    }
    if (added.empty())
        return false;
    // Where the pasted nodes stood, as a whole.
    std::vector<std::pair<int, CPoint>> origins;
    CPoint corner(std::numeric_limits<LONG>::max(), std::numeric_limits<LONG>::max());
    for (int id : added)
    {
        HostNode* node = m_pDoc->FindNode(id);
        origins.emplace_back(id, node->m_ptPosition);
        corner.x = std::min(corner.x, node->m_ptPosition.x);
        corner.y = std::min(corner.y, node->m_ptPosition.y);
    }
    CPoint delta;
    if (at)
        delta = *at - corner;
    else
    {
        // A step away from where they came from, and a step further while nodes already stand there (the
        // originals, an earlier paste).
        const CPoint first = origins.front().second;
        std::unordered_set<uint64_t> taken;
        for (int i = 0; i < m_pDoc->GetNodeCount(); ++i)
        {
            const CPoint& at = m_pDoc->GetNodeAt(i)->m_ptPosition;
            taken.insert(uint64_t(uint32_t(at.x)) << 32 | uint32_t(at.y));
        }
        auto isTaken = [&](CPoint at) { return taken.count(uint64_t(uint32_t(at.x)) << 32 | uint32_t(at.y)) != 0; };
        for (int step = 1; step <= 1000; ++step)
        {
            delta = CPoint(step * kPasteStep, step * kPasteStep);
            // The pasted node itself stands at `first` until it moves: only another one there counts.
            if (!isTaken(first + delta))
                break;
        }
    }
    MoveNodes(origins, delta);
    Changed();
    SelectNodes(added);
    return true;
}
