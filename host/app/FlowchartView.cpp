#include "host/app/FlowchartView.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "host/app/HostCommands.h"
#include "host/app/WindowClass.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "platform/afxcmn.h"
#include "support/Support.h"

namespace
{

constexpr char kClassName[] = "PdtFlowchartView";
constexpr int kBarSize = 17;    // the scroll bars' thickness
constexpr int kLineStep = 20;   // one click on a scroll bar's arrow, one arrow key
constexpr int kDragSlop = 3;    // the mouse must move this far before a press becomes a drag
constexpr int kMargin = 40;     // kept free beyond the rightmost and lowest node
constexpr int kLinkOffset = 5;  // two links between the same nodes run this far apart
constexpr int kLoopReach = 21;  // a link from a node to itself loops this far right of it, its label beyond
const CPoint kNowhere(INT_MIN, INT_MIN); // a place in the table of node places with no node of its id
constexpr int kHitDistance = 4; // a click this close to a line hits it
constexpr int kWheelDelta = 120;
constexpr UINT_PTR kNudgeTimer = 1;
constexpr int kZoomSteps[] = {25, 33, 50, 67, 75, 90, 100, 125, 150, 200, 300, 400};
constexpr UINT kNudgePause = 800; // ms without a nudge end the burst

enum : UINT
{
    IDC_HBAR = 1,
    IDC_VBAR = 2,
};

struct Vec
{
    double x, y;
};

// Where a ray from the centre of `r` in direction `d` leaves the rectangle.
CPoint EdgePoint(const CRect& r, CPoint from, Vec d)
{
    double hw = r.Width() / 2.0, hh = r.Height() / 2.0;
    double t = 1e9;
    if (std::abs(d.x) > 1e-9)
        t = std::min(t, hw / std::abs(d.x));
    if (std::abs(d.y) > 1e-9)
        t = std::min(t, hh / std::abs(d.y));
    if (t > 1e8)
        return from;
    return CPoint(int(std::lround(from.x + d.x * t)), int(std::lround(from.y + d.y * t)));
}

double DistanceToSegment(CPoint p, CPoint a, CPoint b)
{
    double dx = b.x - a.x, dy = b.y - a.y;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
    double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
    return std::sqrt(ex * ex + ey * ey);
}

CRect Bounds(const FlowchartView::LinkShape& s)
{
    CRect r(s.points[0].x, s.points[0].y, s.points[0].x, s.points[0].y);
    for (int i = 1; i < s.count; ++i)
    {
        r.left = std::min(r.left, s.points[i].x);
        r.top = std::min(r.top, s.points[i].y);
        r.right = std::max(r.right, s.points[i].x);
        r.bottom = std::max(r.bottom, s.points[i].y);
    }
    if (!s.label.IsRectEmpty())
        r.UnionRect(CRect(r.left, r.top, r.right + 1, r.bottom + 1), s.label);
    return r;
}

bool Intersects(const CRect& a, const CRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

struct FlowchartView::Fonts
{
    FlowchartFont requested[FF_COUNT]; // what the job asked for, to tell when the fonts must be made again
    int zoom = 100;       // the fonts are made at this zoom
    CFont font[FF_COUNT]; // at the zoom, for drawing
    CFont measure;        // the index font at 100%: link labels are measured on the page
    std::unordered_map<std::string, CSize> labelSizes; // link labels measured in the index font
};

const MessageMap& FlowchartView::GetThisMessageMap()
{
    static const MessageMap map(&CWnd::GetThisMessageMap(),
                                {
                                    mm::Paint(&FlowchartView::OnPaint),
                                    mm::Message(WM_SETCURSOR, &FlowchartView::OnSetCursor),
                                    mm::Size(&FlowchartView::OnSize),
                                    mm::Mouse(WM_LBUTTONDOWN, &FlowchartView::OnLButtonDown),
                                    mm::Mouse(WM_LBUTTONUP, &FlowchartView::OnLButtonUp),
                                    mm::Mouse(WM_LBUTTONDBLCLK, &FlowchartView::OnLButtonDblClk),
                                    mm::Mouse(WM_MOUSEMOVE, &FlowchartView::OnMouseMove),
                                    mm::Key(WM_KEYDOWN, &FlowchartView::OnKeyDown),
                                    mm::ContextMenu(&FlowchartView::OnContextMenu),
                                    mm::Scroll(WM_HSCROLL, &FlowchartView::OnHScroll),
                                    mm::Scroll(WM_VSCROLL, &FlowchartView::OnVScroll),
                                    mm::Message(WM_MOUSEWHEEL, &FlowchartView::OnMouseWheel),
                                    mm::Notify(0, TTN_GETDISPINFO, &FlowchartView::OnToolTipText),
                                    mm::Message(WM_CAPTURECHANGED, &FlowchartView::OnCaptureChanged),
                                    mm::GetDlgCode(&FlowchartView::OnGetDlgCode),
                                    mm::Timer(&FlowchartView::OnTimer),
                                    mm::Focus(WM_KILLFOCUS, &FlowchartView::OnKillFocus),
                                });
    return map;
}

FlowchartView::FlowchartView() = default;

FlowchartView::~FlowchartView()
{
    DestroyWindow();
    if (m_pDoc)
        m_pDoc->RemoveView(this);
}

BOOL FlowchartView::Create(CWnd* parent, const CRect& rect, UINT id)
{
    RegisterHostClass(kClassName, CS_DBLCLKS);
    if (!CreateEx(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, parent, id))
        return FALSE;
    m_hbar.CreateEx(0, "SCROLLBAR", "", WS_CHILD | SBS_HORZ, CRect(0, 0, 10, kBarSize), this, IDC_HBAR);
    m_vbar.CreateEx(0, "SCROLLBAR", "", WS_CHILD | SBS_VERT, CRect(0, 0, kBarSize, 10), this, IDC_VBAR);
    m_tips.Create(this);
    m_tips.AddTool(this);
    UpdatePageSize();
    UpdateScrollBars();
    return TRUE;
}

void FlowchartView::SetDocument(JobDocument* doc)
{
    if (doc == m_pDoc)
        return;
    if (m_pDoc)
        m_pDoc->RemoveView(this);
    m_pDoc = doc;
    if (m_pDoc)
        m_pDoc->AddView(this);
    m_selNodes.clear();
    m_nSelLink = 0;
    m_drag = Drag::None;
    m_bNudging = false; // the job that heard them is gone
    m_ptScroll = CPoint();
    m_nZoom = m_pDoc ? std::clamp(m_pDoc->m_nZoom, kMinZoom, kMaxZoom) : 100;
    m_fonts.reset();
    m_bPairsKnown = false;
    UpdatePageSize();
    UpdateScrollBars();
    Invalidate(FALSE);
    if (onSelectionChanged)
        onSelectionChanged();
}

// ---------------------------------------------------------------------------------------------------------------
// Selection and geometry.

HostNode* FlowchartView::GetSelectedNode() const
{
    return m_pDoc && m_selNodes.size() == 1 ? m_pDoc->FindNode(*m_selNodes.begin()) : nullptr;
}
HostLink* FlowchartView::GetSelectedLink() const { return m_pDoc && m_nSelLink ? m_pDoc->FindLink(m_nSelLink) : nullptr; }

std::vector<HostNode*> FlowchartView::GetSelectedNodes() const
{
    std::vector<HostNode*> nodes;
    if (!m_pDoc || m_selNodes.empty())
        return nodes;
    nodes.reserve(m_selNodes.size());
    for (int i = 0; i < m_pDoc->GetNodeCount(); ++i)
        if (HostNode* node = m_pDoc->GetNodeAt(i); m_selNodes.count(node->m_nID))
            nodes.push_back(node);
    return nodes;
}

bool FlowchartView::SelectNodes(const std::vector<int>& ids)
{
    std::unordered_set<int> next;
    for (int id : ids)
        if (m_pDoc && m_pDoc->FindNode(id))
            next.insert(id);
    if (next.size() <= 1)
        return Select(next.empty() ? 0 : *next.begin(), 0);
    if (next == m_selNodes && m_nSelLink == 0)
        return true;
    // Many nodes load no node dialog: the owner hears of "none", which leaves the dialog as it is.
    bool asked = false;
    if (onSelectionChanging && !onSelectionChanging(0, 0, asked))
        return false;
    m_selNodes = std::move(next);
    m_nSelLink = 0;
    Invalidate(FALSE);
    if (onSelectionChanged)
        onSelectionChanged();
    return true;
}

bool FlowchartView::SelectAll()
{
    std::vector<int> ids;
    for (int i = 0; m_pDoc && i < m_pDoc->GetNodeCount(); ++i)
        ids.push_back(m_pDoc->GetNodeAt(i)->m_nID);
    return SelectNodes(ids);
}

bool FlowchartView::Select(int nodeId, int linkId, bool* asked)
{
    bool same = nodeId ? m_selNodes.size() == 1 && m_selNodes.count(nodeId) : m_selNodes.empty();
    if (same && linkId == m_nSelLink)
        return true;
    bool questioned = false;
    if (onSelectionChanging && !onSelectionChanging(nodeId, linkId, questioned))
    {
        if (asked)
            *asked = true;
        return false;
    }
    if (asked)
        *asked = questioned;
    m_selNodes.clear();
    if (nodeId)
        m_selNodes.insert(nodeId);
    m_nSelLink = linkId;
    Invalidate(FALSE);
    if (onSelectionChanged)
        onSelectionChanged();
    return true;
}

bool FlowchartView::SelectNode(HostNode* node, bool scrollIntoView)
{
    if (!Select(node ? node->m_nID : 0, 0))
        return false;
    if (node && scrollIntoView)
    {
        CRect r = PageToClient(GetNodeRect(*node)), view = GetViewRect();
        r.OffsetRect(m_ptScroll.x, m_ptScroll.y); // on the drawn page
        r.InflateRect(kMargin / 2, kMargin / 2);
        CPoint pos = m_ptScroll;
        if (r.left < pos.x || r.right > pos.x + view.Width())
            pos.x = r.CenterPoint().x - view.Width() / 2;
        if (r.top < pos.y || r.bottom > pos.y + view.Height())
            pos.y = r.CenterPoint().y - view.Height() / 2;
        ScrollTo(pos);
    }
    return true;
}

bool FlowchartView::SelectLink(HostLink* link) { return Select(0, link ? link->m_nID : 0); }

CSize FlowchartView::NodeSize() const
{
    const JobSettings& s = m_pDoc->m_settings;
    return CSize(std::max(s.nNodeWidth, 8), std::max(s.nNodeHeight, 8));
}

CRect FlowchartView::GetNodeRect(const HostNode& node) const { return CRect(node.m_ptPosition, NodeSize()); }

CRect FlowchartView::GetViewRect() const
{
    CRect r;
    if (!m_hWnd)
        return r;
    GetClientRect(&r);
    if (m_vbar.m_hWnd && m_vbar.IsWindowVisible())
        r.right -= kBarSize;
    if (m_hbar.m_hWnd && m_hbar.IsWindowVisible())
        r.bottom -= kBarSize;
    return r;
}

HostNode* FlowchartView::NodeAt(CPoint page) const
{
    if (!m_pDoc)
        return nullptr;
    // Drawn last, so on top.
    for (int i = m_pDoc->GetNodeCount() - 1; i >= 0; --i)
    {
        HostNode* node = m_pDoc->GetNodeAt(i);
        if (GetNodeRect(*node).PtInRect(page))
            return node;
    }
    return nullptr;
}

HostLink* FlowchartView::LinkAt(CPoint page) const
{
    if (!m_pDoc)
        return nullptr;
    const double hit = std::max(kHitDistance * 100.0 / m_nZoom, 1.0); // as far on the screen at every zoom
    for (int i = m_pDoc->GetLinkCount() - 1; i >= 0; --i)
    {
        HostLink* link = m_pDoc->GetLinkAt(i);
        LinkShape s = GetLinkShape(*link);
        if (s.label.PtInRect(page))
            return link;
        for (int k = 0; k + 1 < s.count; ++k)
            if (DistanceToSegment(page, s.points[k], s.points[k + 1]) <= hit)
                return link;
    }
    return nullptr;
}

CString FlowchartView::LinkLabel(const HostLink& link)
{
    CString label;
    switch (link.m_nCondition)
    {
    case LINK_KEY:
        label = link.m_strKey;
        break;
    case LINK_INPUT_DATA:
        label = "= " + link.m_strInputData;
        break;
    case LINK_VERIFY:
        label = link.m_nVerifyResult == VERIFY_SUCCESS ? "Valid"
                : link.m_nVerifyResult == VERIFY_FAIL  ? "Invalid"
                                                       : "Verified";
        break;
    case LINK_EXPRESSION:
        label = link.m_strExpression;
        break;
    default:
        break;
    }
    if (ViewDetailedProperties)
    {
        CString number;
        number.Format(label.IsEmpty() ? "#%d" : "#%d ", link.m_nID);
        label = number + label;
    }
    return label;
}

FlowchartView::LinkShape FlowchartView::GetLinkShape(const HostLink& link) const
{
    LinkShape s;
    HostNode* from = m_pDoc->FindNode(link.m_nFromNodeID);
    HostNode* to = m_pDoc->FindNode(link.m_nToNodeID);
    if (!from || !to)
        return s;
    CRect a = GetNodeRect(*from), b = GetNodeRect(*to);
    CString label = LinkLabel(link);
    CSize text = LabelSize(label);

    if (from == to)
    {
        // A loop on the right side of the box.
        int cy = a.CenterPoint().y;
        s.points[0] = CPoint(a.right, cy - 8);
        s.points[1] = CPoint(a.right + kLoopReach - 3, cy - 8);
        s.points[2] = CPoint(a.right + kLoopReach - 3, cy + 8);
        s.points[3] = CPoint(a.right, cy + 8);
        s.count = 4;
        if (!label.IsEmpty())
            s.label = CRect(CPoint(a.right + kLoopReach, cy - text.cy / 2), text);
        return s;
    }

    CPoint ca = a.CenterPoint(), cb = b.CenterPoint();
    Vec d{double(cb.x - ca.x), double(cb.y - ca.y)};
    double len = std::sqrt(d.x * d.x + d.y * d.y);
    if (len < 1)
        d = Vec{1, 0}, len = 1;
    Vec u{d.x / len, d.y / len};
    // A link back the other way runs beside this one instead of over it.
    bool reverse = HasLink(link.m_nToNodeID, link.m_nFromNodeID);
    CPoint off = reverse ? CPoint(int(std::lround(-u.y * kLinkOffset)), int(std::lround(u.x * kLinkOffset))) : CPoint();
    s.points[0] = EdgePoint(a, ca + off, u);
    s.points[1] = EdgePoint(b, cb + off, Vec{-u.x, -u.y});
    s.count = 2;
    if (!label.IsEmpty())
    {
        if (!reverse)
        {
            CPoint mid((s.points[0].x + s.points[1].x) / 2, (s.points[0].y + s.points[1].y) / 2);
            s.label = CRect(CPoint(mid.x - text.cx / 2, mid.y - text.cy / 2), text);
        }
        else
        {
            // Each label of a pair stands nearer its own link's start and beside its own line, so the two never
            // cover each other.
            Vec n{-u.y, u.x};
            double away = std::abs(n.x) * text.cx / 2.0 + std::abs(n.y) * text.cy / 2.0 + 3;
            double ax = s.points[0].x + (s.points[1].x - s.points[0].x) * 0.3 + n.x * away;
            double ay = s.points[0].y + (s.points[1].y - s.points[0].y) * 0.3 + n.y * away;
            s.label = CRect(CPoint(int(std::lround(ax)) - text.cx / 2, int(std::lround(ay)) - text.cy / 2), text);
        }
    }
    return s;
}

bool FlowchartView::HasLink(int fromId, int toId) const
{
    // Which nodes are joined, gathered once per change of the document: every link asks when it is laid out.
    if (!m_bPairsKnown)
    {
        m_pairs.clear();
        for (int i = 0; i < m_pDoc->GetLinkCount(); ++i)
        {
            const HostLink* l = m_pDoc->GetLinkAt(i);
            m_pairs.insert(uint64_t(uint32_t(l->m_nFromNodeID)) << 32 | uint32_t(l->m_nToNodeID));
        }
        m_bPairsKnown = true;
    }
    return m_pairs.count(uint64_t(uint32_t(fromId)) << 32 | uint32_t(toId)) != 0;
}

void FlowchartView::UpdatePageSize()
{
    CSize page;
    if (m_pDoc)
    {
        page = CSize(std::max(m_pDoc->m_settings.nPageWidth, 100), std::max(m_pDoc->m_settings.nPageHeight, 100));
        for (int i = 0; i < m_pDoc->GetNodeCount(); ++i)
        {
            CRect r = GetNodeRect(*m_pDoc->GetNodeAt(i));
            page.cx = std::max<LONG>(page.cx, r.right + kMargin);
            page.cy = std::max<LONG>(page.cy, r.bottom + kMargin);
        }
    }
    m_szPage = page;
}

void FlowchartView::UpdateScrollBars()
{
    if (!m_hWnd || !m_hbar.m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    const CSize page = GetDrawnPageSize();
    // A bar takes room from the other direction, which may then need its bar too.
    bool needH = false, needV = false;
    for (int pass = 0; pass < 2; ++pass)
    {
        needH = page.cx > client.Width() - (needV ? kBarSize : 0);
        needV = page.cy > client.Height() - (needH ? kBarSize : 0);
    }
    int w = client.Width() - (needV ? kBarSize : 0), h = client.Height() - (needH ? kBarSize : 0);
    m_hbar.MoveWindow(0, client.Height() - kBarSize, std::max(w, 0), kBarSize);
    m_vbar.MoveWindow(client.Width() - kBarSize, 0, kBarSize, std::max(h, 0));
    m_hbar.ShowWindow(needH ? SW_SHOW : SW_HIDE);
    m_vbar.ShowWindow(needV ? SW_SHOW : SW_HIDE);

    m_ptScroll.x = std::clamp<LONG>(m_ptScroll.x, 0, std::max<LONG>(page.cx - w, 0));
    m_ptScroll.y = std::clamp<LONG>(m_ptScroll.y, 0, std::max<LONG>(page.cy - h, 0));
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = page.cx - 1;
    si.nPage = UINT(std::max(w, 1));
    si.nPos = m_ptScroll.x;
    m_hbar.SendMessage(SBM_SETSCROLLINFO, TRUE, LPARAM(&si));
    si.nMax = page.cy - 1;
    si.nPage = UINT(std::max(h, 1));
    si.nPos = m_ptScroll.y;
    m_vbar.SendMessage(SBM_SETSCROLLINFO, TRUE, LPARAM(&si));
}

void FlowchartView::ScrollTo(CPoint pos)
{
    CRect view = GetViewRect();
    const CSize page = GetDrawnPageSize();
    pos.x = std::clamp<LONG>(pos.x, 0, std::max<LONG>(page.cx - view.Width(), 0));
    pos.y = std::clamp<LONG>(pos.y, 0, std::max<LONG>(page.cy - view.Height(), 0));
    if (pos == m_ptScroll)
        return;
    m_ptScroll = pos;
    m_hbar.SetScrollPos(pos.x);
    m_vbar.SetScrollPos(pos.y);
    Invalidate(FALSE);
}

void FlowchartView::Scroll(int bar, UINT code, UINT)
{
    CRect view = GetViewRect();
    LONG page = bar == SB_HORZ ? view.Width() : view.Height();
    LONG cur = bar == SB_HORZ ? m_ptScroll.x : m_ptScroll.y;
    LONG next = cur;
    switch (code)
    {
    case SB_LINEUP: next = cur - kLineStep; break;
    case SB_LINEDOWN: next = cur + kLineStep; break;
    case SB_PAGEUP: next = cur - page; break;
    case SB_PAGEDOWN: next = cur + page; break;
    case SB_TOP: next = 0; break;
    case SB_BOTTOM: next = bar == SB_HORZ ? GetDrawnPageSize().cx : GetDrawnPageSize().cy; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 16-bit position of the message is too small for a large page; the bar knows the whole one.
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        (bar == SB_HORZ ? m_hbar : m_vbar).SendMessage(SBM_GETSCROLLINFO, 0, LPARAM(&si));
        next = si.nTrackPos;
        break;
    }
    default: return;
    }
    ScrollTo(bar == SB_HORZ ? CPoint(next, m_ptScroll.y) : CPoint(m_ptScroll.x, next));
}

void FlowchartView::OnHScroll(UINT code, UINT pos, CScrollBar*) { Scroll(SB_HORZ, code, pos); }
void FlowchartView::OnVScroll(UINT code, UINT pos, CScrollBar*) { Scroll(SB_VERT, code, pos); }

LRESULT FlowchartView::OnMouseWheel(WPARAM wParam, LPARAM lParam)
{
    int delta = short(HIWORD(wParam));
    if (LOWORD(wParam) & MK_CONTROL)
    {
        // Ctrl and the wheel zoom about the pointer: what is under it stays there.
        CPoint at(short(LOWORD(lParam)), short(HIWORD(lParam)));
        ScreenToClient(&at);
        if (delta != 0)
            SetZoom(NextZoom(m_nZoom, delta > 0), at);
        return 0;
    }
    int steps = -delta * 3 / kWheelDelta; // three lines a notch, as the system's default
    if (LOWORD(wParam) & MK_SHIFT)
        ScrollTo(CPoint(m_ptScroll.x + steps * kLineStep, m_ptScroll.y));
    else
        ScrollTo(CPoint(m_ptScroll.x, m_ptScroll.y + steps * kLineStep));
    return 0;
}

void FlowchartView::OnSize(UINT, int, int)
{
    UpdateScrollBars();
    Invalidate(FALSE);
}

void FlowchartView::OnUpdate(CView*, LPARAM, CObject*)
{
    HostView::OnUpdate(nullptr, 0, nullptr);
    m_bPairsKnown = false;
    if (m_pDoc)
        std::erase_if(m_selNodes, [this](int id) { return !m_pDoc->FindNode(id); });
    if (m_pDoc && m_nSelLink && !m_pDoc->FindLink(m_nSelLink))
        m_nSelLink = 0;
    UpdatePageSize();
    UpdateScrollBars();
    Invalidate(FALSE);
    if (onDocumentChanged)
        onDocumentChanged();
}

void FlowchartView::Changed()
{
    m_pDoc->SetModifiedFlag(TRUE);
    m_pDoc->UpdateAllViews(this);
    OnUpdate(this, 0, nullptr);
}

// ---------------------------------------------------------------------------------------------------------------
// Editing.

CPoint FlowchartView::FreeSpot(CPoint near) const
{
    const JobSettings& s = m_pDoc->m_settings;
    CSize size(std::max(s.nNodeWidth, 8), std::max(s.nNodeHeight, 8));
    auto free = [&](CPoint corner) {
        CRect r(corner, size);
        r.InflateRect(10, 10);
        for (int i = 0; i < m_pDoc->GetNodeCount(); ++i)
            if (Intersects(r, GetNodeRect(*m_pDoc->GetNodeAt(i))))
                return false;
        return true;
    };
    near.x = std::max<LONG>(near.x, 0);
    near.y = std::max<LONG>(near.y, 0);
    if (free(near))
        return near;
    // Rows of cells from the point on, then the whole page from its top left.
    int stepX = size.cx + 20, stepY = size.cy + 20;
    for (CPoint origin : {near, CPoint(kMargin / 2, kMargin / 2)})
        for (int row = 0; row < 200; ++row)
            for (int col = 0; col < 40; ++col)
            {
                CPoint at(origin.x + col * stepX, origin.y + row * stepY);
                if (free(at))
                    return at;
            }
    return near;
}

HostNode* FlowchartView::NewNode(int kind, CPoint page)
{
    if (!m_pDoc || !HostNode::IsKnownKind(kind))
        return nullptr;
    // The kind's name and the lowest number no other node has.
    CString name;
    for (int n = 1;; ++n)
    {
        name.Format("%s %d", HostNode::KindName(kind), n);
        if (!m_pDoc->FindNodeByName(name))
            break;
    }
    HostNode* node = m_pDoc->AddNode(kind, name);
    if (!node)
        return nullptr;
    const JobSettings& s = m_pDoc->m_settings;
    node->m_ptPosition = CPoint(); // off the grid AddNode chose, so it does not count itself as taken
    node->m_ptPosition = FreeSpot(CPoint(page.x - s.nNodeWidth / 2, page.y - s.nNodeHeight / 2));
    m_selNodes = {node->m_nID};
    m_nSelLink = 0;
    Changed();
    SelectNode(node, true);
    if (onSelectionChanged)
        onSelectionChanged();
    return node;
}

HostNode* FlowchartView::NewNodeAtFreeSpot(int kind)
{
    CPoint corner = ClientToPage(CPoint(kMargin / 2, kMargin / 2));
    const JobSettings& s = m_pDoc ? m_pDoc->m_settings : JobSettings();
    return NewNode(kind, corner + CPoint(s.nNodeWidth / 2, s.nNodeHeight / 2));
}

HostLink* FlowchartView::NewLink(HostNode* from, HostNode* to)
{
    if (!m_pDoc || !from || !to)
        return nullptr;
    HostLink* link = m_pDoc->AddLink(from->m_nID, to->m_nID);
    if (!link)
    {
        MessageBox("The job has as many links as it can hold.", nullptr, MB_OK | MB_ICONSTOP);
        return nullptr;
    }
    m_selNodes.clear();
    m_nSelLink = link->m_nID;
    Changed();
    if (onSelectionChanged)
        onSelectionChanged();
    return link;
}

bool FlowchartView::DeleteSelection()
{
    if (!m_pDoc)
        return false;
    if (HostLink* link = GetSelectedLink())
        // The document asks, deletes, marks itself and updates the views.
        return m_pDoc->DeleteLink(link, TRUE) != FALSE;
    std::vector<HostNode*> nodes = GetSelectedNodes();
    if (nodes.empty())
        return false;
    // One question for them all, counting each link once, also one between two of the nodes.
    int count = 0;
    for (int i = 0; i < m_pDoc->GetLinkCount(); ++i)
    {
        const HostLink* link = m_pDoc->GetLinkAt(i);
        count += m_selNodes.count(link->m_nFromNodeID) || m_selNodes.count(link->m_nToNodeID) ? 1 : 0;
    }
    const char* plural = count == 1 ? "" : "s";
    CString text;
    if (nodes.size() == 1 && count > 0)
        text.Format("Delete node %s and its %d link%s?", nodes[0]->GetLabel().c_str(), count, plural);
    else if (nodes.size() == 1)
        text.Format("Delete node %s?", nodes[0]->GetLabel().c_str());
    else if (count > 0)
        text.Format("Delete %d nodes and their %d link%s?", int(nodes.size()), count, plural);
    else
        text.Format("Delete %d nodes?", int(nodes.size()));
    if (MessageBox(text, nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    RemoveSelectedNodes();
    return true;
}

void FlowchartView::RemoveSelectedNodes()
{
    for (int id : std::exchange(m_selNodes, {}))
        m_pDoc->RemoveNode(id);
    Changed();
    if (onSelectionChanged)
        onSelectionChanged();
}

bool FlowchartView::AlignSelection(Align how)
{
    std::vector<HostNode*> nodes = GetSelectedNodes();
    if (nodes.size() < 2)
        return false;
    CRect all = GetNodeRect(*nodes[0]);
    for (HostNode* node : nodes)
        all.UnionRect(all, GetNodeRect(*node));
    bool moved = false;
    for (HostNode* node : nodes)
    {
        CRect r = GetNodeRect(*node);
        CPoint to = node->m_ptPosition;
        switch (how)
        {
        case Align::Left: to.x = all.left; break;
        case Align::Right: to.x = all.right - r.Width(); break;
        case Align::Top: to.y = all.top; break;
        case Align::Bottom: to.y = all.bottom - r.Height(); break;
        case Align::Centre: to.x = all.CenterPoint().x - r.Width() / 2; break;
        case Align::Middle: to.y = all.CenterPoint().y - r.Height() / 2; break;
        }
        to = CPoint(std::max<LONG>(to.x, 0), std::max<LONG>(to.y, 0));
        moved = moved || to != node->m_ptPosition;
        node->m_ptPosition = to;
    }
    if (moved)
        Changed();
    return moved;
}

bool FlowchartView::DistributeSelection(bool horizontally)
{
    std::vector<HostNode*> nodes = GetSelectedNodes();
    if (nodes.size() < 3)
        return false;
    auto at = [horizontally](const HostNode* n) { return horizontally ? n->m_ptPosition.x : n->m_ptPosition.y; };
    std::stable_sort(nodes.begin(), nodes.end(), [&](const HostNode* a, const HostNode* b) { return at(a) < at(b); });
    // The outermost two stay; the ones between stand at equal steps (every box has the job's size).
    const double first = at(nodes.front()), step = (at(nodes.back()) - first) / double(nodes.size() - 1);
    bool moved = false;
    for (size_t i = 1; i + 1 < nodes.size(); ++i)
    {
        LONG to = LONG(std::lround(first + step * double(i)));
        LONG& now = horizontally ? nodes[i]->m_ptPosition.x : nodes[i]->m_ptPosition.y;
        moved = moved || now != to;
        now = to;
    }
    if (moved)
        Changed();
    return moved;
}

// The link tool shows on the canvas: a cross over the page while it is on.
LRESULT FlowchartView::OnSetCursor(WPARAM, LPARAM lParam)
{
    if (!m_bLinkTool || LOWORD(lParam) != HTCLIENT)
        return FALSE;
    SetCursor(LoadCursor(nullptr, IDC_CROSS));
    return TRUE;
}

void FlowchartView::SetLinkTool(bool on)
{
    m_bLinkTool = on;
    if (m_drag == Drag::Linking)
    {
        m_drag = Drag::None;
        ReleaseCapture();
        Invalidate(FALSE);
    }
}

// ---------------------------------------------------------------------------------------------------------------
// Mouse and keys.

void FlowchartView::OnLButtonDown(UINT flags, CPoint pt)
{
    SetFocus();
    EndNudges();
    m_bPressInterrupted = false;
    if (!m_pDoc || !GetViewRect().PtInRect(pt))
        return;
    CPoint page = ClientToPage(pt);
    HostNode* node = NodeAt(page);
    const bool toggle = (flags & MK_CONTROL) != 0, add = (flags & MK_SHIFT) != 0;
    // After a question about the node dialog the button is up: no drag begins, and the press's double click is
    // not the person's.
    bool asked = false;
    if (m_bLinkTool)
    {
        if (!node)
            return;
        if (!Select(node->m_nID, 0, &asked) || asked)
        {
            m_bPressInterrupted = true;
            return;
        }
        m_drag = Drag::Linking;
        m_nDragNode = node->m_nID;
        m_ptRubber = page;
        SetCapture();
        return;
    }
    if (node)
    {
        std::vector<int> ids(m_selNodes.begin(), m_selNodes.end());
        if (toggle && IsSelected(*node))
        {
            // Ctrl takes a selected node out, and nothing is dragged.
            std::erase(ids, node->m_nID);
            m_bPressInterrupted = !SelectNodes(ids);
            return;
        }
        if (toggle || add)
        {
            ids.push_back(node->m_nID);
            if (!SelectNodes(ids))
            {
                m_bPressInterrupted = true;
                return;
            }
        }
        // A press on a node of a selection of many drags them all (a click without a drag leaves that node alone
        // selected); on another node, that node alone.
        else if (!IsSelected(*node) && (!Select(node->m_nID, 0, &asked) || asked))
        {
            m_bPressInterrupted = true;
            return;
        }
        m_bNarrowOnClick = !toggle && !add && m_selNodes.size() > 1;
        m_drag = Drag::Pending;
        m_nDragNode = node->m_nID;
        m_ptPress = page;
        m_dragOrigins = SelectedPlaces();
        SetCapture();
        return;
    }
    if (HostLink* link = LinkAt(page); link && !toggle && !add)
    {
        m_bPressInterrupted = !Select(0, link->m_nID, &asked) || asked;
        return;
    }
    // The empty page: a band. With Ctrl or Shift it adds to what is selected; without, it starts afresh.
    if (toggle || add)
        m_bandBase = m_selNodes;
    else
    {
        m_bandBase.clear();
        if (!Select(0, 0, &asked) || asked)
        {
            m_bPressInterrupted = true;
            return;
        }
    }
    m_drag = Drag::Band;
    m_ptPress = m_ptRubber = page;
    SetCapture();
}

void FlowchartView::OnMouseMove(UINT flags, CPoint pt)
{
    if (m_pDoc && onPointerMoved)
        onPointerMoved(ClientToPage(pt));
    if (m_drag == Drag::None || !m_pDoc)
        return;
    CPoint page = ClientToPage(pt);
    if (m_drag == Drag::Linking)
    {
        m_ptRubber = page;
        Invalidate(FALSE);
    }
    else if (!(flags & MK_LBUTTON))
        return;
    else if (m_drag == Drag::Band)
        BandTo(page);
    else
        DragTo(page);
}

bool FlowchartView::MoveNodes(const std::vector<std::pair<int, CPoint>>& from, CPoint delta)
{
    if (from.empty())
        return false;
    // The group moves as one: the node nearest an edge stops there and the others keep their places beside it.
    LONG left = std::numeric_limits<LONG>::max(), top = left;
    for (const auto& [id, corner] : from)
        left = std::min(left, corner.x), top = std::min(top, corner.y);
    delta.x = std::max<LONG>(delta.x, -std::max<LONG>(left, 0));
    delta.y = std::max<LONG>(delta.y, -std::max<LONG>(top, 0));
    bool moved = false;
    for (const auto& [id, corner] : from)
        if (HostNode* node = m_pDoc->FindNode(id))
        {
            CPoint to = corner + delta;
            moved = moved || to != node->m_ptPosition;
            node->m_ptPosition = to;
        }
    return moved;
}

void FlowchartView::DragTo(CPoint page)
{
    if (m_drag == Drag::Pending)
    {
        if (std::abs(page.x - m_ptPress.x) < kDragSlop && std::abs(page.y - m_ptPress.y) < kDragSlop)
            return;
        m_drag = Drag::Moving;
    }
    if (MoveNodes(m_dragOrigins, page - m_ptPress))
        Invalidate(FALSE);
}

void FlowchartView::BandTo(CPoint page)
{
    m_ptRubber = page;
    CRect band(m_ptPress.x, m_ptPress.y, m_ptRubber.x, m_ptRubber.y);
    band.NormalizeRect();
    std::vector<int> ids(m_bandBase.begin(), m_bandBase.end());
    for (int i = 0; i < m_pDoc->GetNodeCount(); ++i)
    {
        const HostNode* node = m_pDoc->GetNodeAt(i);
        if (Intersects(band, GetNodeRect(*node)) && !m_bandBase.count(node->m_nID))
            ids.push_back(node->m_nID);
    }
    SelectNodes(ids);
    Invalidate(FALSE);
}

void FlowchartView::OnLButtonUp(UINT, CPoint pt)
{
    if (m_pDoc && m_drag != Drag::None)
    {
        CPoint page = ClientToPage(pt);
        if (m_drag == Drag::Linking)
        {
            m_drag = Drag::None;
            HostNode* from = m_pDoc->FindNode(m_nDragNode);
            HostNode* to = NodeAt(page);
            Invalidate(FALSE);
            if (GetCapture() == this)
                ReleaseCapture(); // before a message box can take the mouse
            if (from && to)
                NewLink(from, to);
        }
        else if (m_drag == Drag::Band)
        {
            BandTo(page);
            m_drag = Drag::None;
            Invalidate(FALSE);
        }
        else if (m_drag == Drag::Pending && m_bNarrowOnClick)
        {
            m_drag = Drag::None;
            Select(m_nDragNode, 0);
        }
        else
        {
            DragTo(page); // where the button went up is where the nodes stay
            m_drag = Drag::None;
            bool moved = false;
            for (const auto& [id, corner] : m_dragOrigins)
                if (HostNode* node = m_pDoc->FindNode(id))
                    moved = moved || node->m_ptPosition != corner;
            if (moved)
                Changed();
        }
    }
    m_drag = Drag::None;
    if (GetCapture() == this)
        ReleaseCapture();
}

LRESULT FlowchartView::OnCaptureChanged(WPARAM, LPARAM lParam)
{
    // Someone else took the mouse (a message box, a dialog): a drag in progress ends where it is.
    if (reinterpret_cast<HWND>(lParam) != m_hWnd && (m_drag == Drag::Linking || m_drag == Drag::Band))
    {
        m_drag = Drag::None;
        Invalidate(FALSE);
    }
    return 0;
}

void FlowchartView::OnLButtonDblClk(UINT, CPoint pt)
{
    if (!m_pDoc || !GetViewRect().PtInRect(pt) || m_bLinkTool || m_bPressInterrupted)
        return;
    CPoint page = ClientToPage(pt);
    if (HostNode* node = NodeAt(page))
    {
        if (SelectNode(node) && onNodeActivated)
            onNodeActivated(node);
    }
    else if (HostLink* link = LinkAt(page))
    {
        if (SelectLink(link) && onLinkActivated)
            onLinkActivated(link);
    }
}

// A keyboard user reaches every node as a mouse user does: Tab walks the nodes in reading order, Ctrl+arrows
// move the selected one, and with the link tool Enter takes the selected node as the link's start, then its end.
void FlowchartView::OnKeyDown(UINT vk, UINT, UINT)
{
    CRect view = GetViewRect();
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    CPoint step;
    switch (vk)
    {
    case VK_DELETE: DeleteSelection(); break;
    case VK_ESCAPE:
        if (m_drag == Drag::Moving || m_drag == Drag::Pending)
        {
            // Back to where they were.
            if (m_pDoc)
                MoveNodes(m_dragOrigins, CPoint());
            m_drag = Drag::None;
            ReleaseCapture();
            Invalidate(FALSE);
        }
        else if (m_drag == Drag::Band)
        {
            m_drag = Drag::None;
            ReleaseCapture();
            SelectNodes(std::vector<int>(m_bandBase.begin(), m_bandBase.end()));
            Invalidate(FALSE);
        }
        else if (m_bLinkTool)
        {
            SetLinkTool(false);
            if (onDocumentChanged)
                onDocumentChanged(); // the owner shows the tool's state
        }
        break;
    case VK_TAB:
        if (HostNode* node = NextNode(GetKeyState(VK_SHIFT) < 0); node && SelectNode(node, true))
        {
            if (m_drag == Drag::Linking)
            {
                m_ptRubber = GetNodeRect(*node).CenterPoint();
                Invalidate(FALSE);
            }
        }
        break;
    case VK_RETURN:
        if (m_bLinkTool)
            LinkFromKeyboard();
        else if (HostNode* node = GetSelectedNode(); node && onNodeActivated)
            onNodeActivated(node);
        break;
    case VK_LEFT: step = CPoint(-kLineStep, 0); break;
    case VK_RIGHT: step = CPoint(kLineStep, 0); break;
    case VK_UP: step = CPoint(0, -kLineStep); break;
    case VK_DOWN: step = CPoint(0, kLineStep); break;
    case VK_PRIOR: ScrollTo(m_ptScroll - CPoint(0, view.Height())); break;
    case VK_NEXT: ScrollTo(m_ptScroll + CPoint(0, view.Height())); break;
    case VK_HOME: ScrollTo(CPoint()); break;
    default: break;
    }
    if (step == CPoint())
        return;
    if (ctrl && m_drag == Drag::None && !m_selNodes.empty())
        Nudge(step);
    else
        ScrollTo(m_ptScroll + step);
}

std::vector<std::pair<int, CPoint>> FlowchartView::SelectedPlaces() const
{
    std::vector<std::pair<int, CPoint>> places;
    for (const HostNode* node : GetSelectedNodes())
        places.emplace_back(node->m_nID, node->m_ptPosition);
    return places;
}

void FlowchartView::Nudge(CPoint step)
{
    if (!MoveNodes(SelectedPlaces(), step))
        return;
    m_bNudging = true;
    SetTimer(kNudgeTimer, kNudgePause); // again: the pause counts from the last nudge
    Changed();
    if (HostNode* node = GetSelectedNode())
        SelectNode(node, true);
}

void FlowchartView::EndNudges()
{
    if (!m_bNudging)
        return;
    m_bNudging = false;
    if (m_hWnd)
        KillTimer(kNudgeTimer);
    if (m_pDoc)
        Changed(); // the owner records the burst now, as one change
}

void FlowchartView::OnTimer(UINT_PTR id)
{
    if (id == kNudgeTimer)
        EndNudges();
}

void FlowchartView::OnKillFocus(CWnd*) { EndNudges(); }

BOOL FlowchartView::PreTranslateMessage(MSG* msg)
{
    // Any key but another nudge ends a burst, also one the main window takes as a shortcut (Save, Undo).
    if (m_bNudging && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN))
    {
        UINT vk = UINT(msg->wParam);
        bool arrow = vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN;
        bool modifier = vk == VK_CONTROL || vk == VK_SHIFT || vk == VK_MENU;
        if (!(arrow && GetKeyState(VK_CONTROL) < 0) && !modifier)
            EndNudges();
    }
    return CWnd::PreTranslateMessage(msg);
}

HostNode* FlowchartView::NextNode(bool backwards) const
{
    if (!m_pDoc || m_pDoc->GetNodeCount() == 0)
        return nullptr;
    std::vector<HostNode*> order;
    for (int i = 0; i < m_pDoc->GetNodeCount(); ++i)
        order.push_back(m_pDoc->GetNodeAt(i));
    std::sort(order.begin(), order.end(), [](const HostNode* a, const HostNode* b) {
        return std::tuple(a->m_ptPosition.y, a->m_ptPosition.x, a->m_nID) <
               std::tuple(b->m_ptPosition.y, b->m_ptPosition.x, b->m_nID);
    });
    auto at = std::find(order.begin(), order.end(), GetSelectedNode());
    if (at == order.end())
        return backwards ? order.back() : order.front();
    size_t i = size_t(at - order.begin()), n = order.size();
    return order[backwards ? (i + n - 1) % n : (i + 1) % n];
}

void FlowchartView::LinkFromKeyboard()
{
    HostNode* selected = GetSelectedNode();
    if (m_drag != Drag::Linking)
    {
        if (!selected || m_drag != Drag::None)
            return;
        m_drag = Drag::Linking;
        m_nDragNode = selected->m_nID;
        m_ptRubber = GetNodeRect(*selected).CenterPoint();
        Invalidate(FALSE);
        return;
    }
    m_drag = Drag::None;
    Invalidate(FALSE);
    HostNode* from = m_pDoc->FindNode(m_nDragNode);
    if (from && selected)
        NewLink(from, selected);
}

HMENU FlowchartView::MakeNewNodeMenu()
{
    CMenu kinds;
    kinds.CreatePopupMenu();
    for (int kind : NODE_KIND_SLOTS)
        if (kind != NODE_COMMENT)
            kinds.AppendMenu(MF_STRING, ID_NODE_NEW_FIRST + kind, HostNode::KindName(kind));
    kinds.AppendMenu(MF_SEPARATOR);
    kinds.AppendMenu(MF_STRING, ID_NODE_NEW_FIRST + UINT(NODE_COMMENT), HostNode::KindName(NODE_COMMENT));
    return kinds.Detach();
}

void FlowchartView::OnContextMenu(CWnd*, CPoint screen)
{
    if (!m_pDoc)
        return;
    CPoint client = screen;
    ScreenToClient(&client);
    CPoint page = ClientToPage(client);
    // A node of a selection of many keeps the many: the menu acts on them all.
    HostNode* node = NodeAt(page);
    if (!(node && IsSelected(*node)) && !(node ? SelectNode(node) : SelectLink(LinkAt(page))))
        return; // the person stayed with the node dialog's changes

    auto grey = [](bool enabled) { return MF_STRING | (enabled ? 0 : MF_GRAYED); };
    const bool nodes = GetSelectedNodeCount() > 0;
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_POPUP, UINT_PTR(MakeNewNodeMenu()), "&New Node");
    menu.AppendMenu(MF_STRING | (m_bLinkTool ? MF_CHECKED : 0), ID_NODE_LINK, "&Link Nodes");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(grey(GetSelectedNode() || GetSelectedLink()), ID_DEFINE_NODE, "&Define...");
    menu.AppendMenu(grey(nodes || GetSelectedLink()), ID_EDIT_CLEAR, "De&lete");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(grey(nodes), ID_EDIT_CUT, "Cu&t");
    menu.AppendMenu(grey(nodes), ID_EDIT_COPY, "&Copy");
    menu.AppendMenu(grey(CanPaste()), ID_EDIT_PASTE, "&Paste");
    menu.AppendMenu(grey(nodes), ID_EDIT_DUPLICATE, "Duplicat&e");
    UINT id = UINT(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x, screen.y, this));
    if (id > ID_NODE_NEW_FIRST && id <= ID_NODE_NEW_LAST)
        NewNode(int(id - ID_NODE_NEW_FIRST), page);
    else if (id == ID_NODE_LINK)
    {
        SetLinkTool(!m_bLinkTool);
        if (onDocumentChanged)
            onDocumentChanged();
    }
    else if (id == ID_DEFINE_NODE)
    {
        if (HostNode* node = GetSelectedNode(); node && onNodeActivated)
            onNodeActivated(node);
        else if (HostLink* link = GetSelectedLink(); link && onLinkActivated)
            onLinkActivated(link);
    }
    else if (id == ID_EDIT_CLEAR)
        DeleteSelection();
    else if (id == ID_EDIT_CUT)
        CutSelection();
    else if (id == ID_EDIT_COPY)
        CopySelection();
    else if (id == ID_EDIT_PASTE)
        Paste(&page); // where the menu was opened, not where the pointer went to choose
    else if (id == ID_EDIT_DUPLICATE)
        DuplicateSelection();
}

// ---------------------------------------------------------------------------------------------------------------
// Painting.

void FlowchartView::EnsureFonts() const
{
    const JobLanguageSettings& lang = m_pDoc->m_language;
    bool same = m_fonts != nullptr && m_fonts->zoom == m_nZoom;
    for (int i = 0; same && i < FF_COUNT; ++i)
        same = m_fonts->requested[i].strFace == lang.fonts[i].strFace && m_fonts->requested[i].nSize == lang.fonts[i].nSize;
    if (same)
        return;
    // Link labels keep the sizes they were measured at (on the page, at 100%) across zooms.
    auto labels = m_fonts && m_fonts->zoom != m_nZoom ? std::move(m_fonts->labelSizes) : decltype(Fonts::labelSizes)();
    m_fonts = std::make_unique<Fonts>();
    m_fonts->zoom = m_nZoom;
    m_fonts->labelSizes = std::move(labels);
    for (int i = 0; i < FF_COUNT; ++i)
    {
        m_fonts->requested[i] = lang.fonts[i];
        int points = std::clamp(lang.fonts[i].nSize, 4, 72);
        const char* face = lang.fonts[i].strFace.IsEmpty() ? "DejaVu Sans" : lang.fonts[i].strFace.c_str();
        if (!m_fonts->font[i].CreatePointFont(std::max(Scale(points * 10), 10), face))
            m_fonts->font[i].CreatePointFont(std::max(Scale(90), 10), "DejaVu Sans");
        if (i == FF_INDEX && !m_fonts->measure.CreatePointFont(points * 10, face))
            m_fonts->measure.CreatePointFont(90, "DejaVu Sans");
    }
}

CSize FlowchartView::LabelSize(const CString& label) const
{
    if (label.IsEmpty() || !m_pDoc || !m_hWnd)
        return CSize();
    EnsureFonts();
    auto [it, added] = m_fonts->labelSizes.try_emplace(label.str());
    if (added)
    {
        // Measured once per text: the same few conditions label most links.
        CClientDC dc(const_cast<FlowchartView*>(this));
        CFont* old = dc.SelectObject(&m_fonts->measure);
        CSize size = dc.GetTextExtent(label);
        dc.SelectObject(old);
        it->second = CSize(size.cx + 4, size.cy);
    }
    return it->second;
}

COLORREF FlowchartView::NodeColour(const HostNode& node) const
{
    const JobSettings& s = m_pDoc->m_settings;
    if (node.m_bExcludeFromMakeJob)
        return s.crColours[JC_EXCLUDED];
    // A node given a colour of its own keeps it; the others take their kind's colour from the job.
    if (node.m_crColour != HostNode::KindColour(node.m_nKind))
        return node.m_crColour;
    static const std::pair<int, JobColour> kKindColours[] = {
        {NODE_COMMENT, JC_COMMENT}, {NODE_SCREEN, JC_MENU},   {NODE_INPUT, JC_COLLECT},
        {NODE_COUNT, JC_MATH},      {NODE_EDIT, JC_EDIT},     {NODE_ERASE, JC_ERASE},
        {NODE_UPLOAD, JC_UPLOAD},   {NODE_PROGRAM, JC_PROGRAM}, {NODE_RUNJOB, JC_RUNJOB},
    };
    for (auto [kind, colour] : kKindColours)
        if (kind == node.m_nKind)
            return s.crColours[colour];
    return node.m_crColour;
}

void FlowchartView::DrawNode(CDC& dc, const HostNode& node)
{
    const JobSettings& s = m_pDoc->m_settings;
    CRect r = PageToClient(GetNodeRect(node));
    bool comment = node.m_nKind == NODE_COMMENT;

    COLORREF fill = comment && !node.m_bExcludeFromMakeJob ? node.m_crBack : NodeColour(node);
    CPen frame(PS_SOLID, 1, comment ? RGB(128, 128, 128) : RGB(0, 0, 0));
    CBrush brush(fill);
    dc.SelectObject(&frame);
    dc.SelectObject(&brush);
    dc.Rectangle(&r);
    if (node.m_bStartNode)
    {
        // The start node wears a band of the start colour inside its frame.
        CPen band(PS_INSIDEFRAME, 3, s.crColours[JC_STARTNODE]);
        dc.SelectObject(&band);
        dc.SelectStockObject(NULL_BRUSH);
        CRect inner = r;
        inner.DeflateRect(1, 1);
        dc.Rectangle(&inner);
        dc.SelectObject(&frame);
    }

    dc.SetBkMode(TRANSPARENT);
    CRect text = r;
    text.DeflateRect(4, 2);
    if (comment)
    {
        CFont own;
        LOGFONT lf = node.m_lfFont;
        lf.lfHeight = Scale(lf.lfHeight);
        lf.lfWidth = Scale(lf.lfWidth);
        bool useOwn = !node.m_bUseDefaultFont && own.CreateFontIndirect(&lf);
        dc.SelectObject(useOwn ? &own : &m_fonts->font[FF_COMMENT]);
        dc.SetTextColor(node.m_crText);
        const CString& body = node.m_strComment.IsEmpty() ? node.m_strName : node.m_strComment;
        dc.DrawText(body, &text, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
        dc.SelectObject(&m_fonts->font[FF_INDEX]);
    }
    else
    {
        dc.SetTextColor(s.crColours[JC_NODETEXT]);
        CString index;
        index.Format("%d", node.m_nID);
        dc.SelectObject(&m_fonts->font[FF_INDEX]);
        dc.DrawText(index, &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        dc.SelectObject(&m_fonts->font[FF_NODENAME]);
        dc.DrawText(node.m_strName, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

    if (m_selNodes.count(node.m_nID) && !dc.IsPrinting())
    {
        CPen sel(PS_SOLID, 2, s.crColours[JC_SELNODE]);
        dc.SelectObject(&sel);
        dc.SelectStockObject(NULL_BRUSH);
        CRect outer = r;
        outer.InflateRect(3, 3);
        dc.Rectangle(&outer);
        dc.SelectObject(&frame);
    }
    dc.SelectStockObject(BLACK_PEN);
    dc.SelectStockObject(WHITE_BRUSH);
}

void FlowchartView::DrawLink(CDC& dc, const HostLink& link, const CRect& clip, const CRect& from, const CRect& to)
{
    // Every part of a link (its line beside another, its arrow, a loop, its label) stays within its nodes' boxes
    // grown by its label's size and a loop's reach: one far from the clip is not laid out, which in a large job is
    // nearly all of them.
    CRect reach;
    reach.UnionRect(from, to);
    const CSize text = LabelSize(LinkLabel(link));
    const int grow = text.cx + text.cy + kLinkOffset + kLoopReach + 10;
    reach.InflateRect(grow, grow);
    if (!Intersects(PageToClient(reach), clip))
        return;

    LinkShape shape = GetLinkShape(link);
    if (shape.count < 2)
        return;
    CRect bounds = Bounds(shape);
    bounds.InflateRect(10, 10);
    bounds = PageToClient(bounds);
    if (!Intersects(bounds, clip))
        return;

    const JobSettings& s = m_pDoc->m_settings;
    bool selected = link.m_nID == m_nSelLink && !dc.IsPrinting();
    COLORREF colour = selected ? s.crColours[JC_SELLINK] : link.m_bExcludeFromMakeJob ? s.crColours[JC_EXCLUDED] : s.crColours[JC_LINK];
    CPen pen(PS_SOLID, selected ? 2 : 1, colour);
    dc.SelectObject(&pen);
    POINT pts[4];
    for (int i = 0; i < shape.count; ++i)
        pts[i] = PageToClient(shape.points[i]);
    dc.Polyline(pts, shape.count);

    // The arrow head at the last point, along the last segment.
    CPoint tip = pts[shape.count - 1], tail = pts[shape.count - 2];
    double dx = tip.x - tail.x, dy = tip.y - tail.y, len = std::sqrt(dx * dx + dy * dy);
    if (len > 0)
    {
        dx /= len, dy /= len;
        POINT head[3] = {
            {LONG(std::lround(tip.x - dx * 9 - dy * 4.5)), LONG(std::lround(tip.y - dy * 9 + dx * 4.5))},
            {tip.x, tip.y},
            {LONG(std::lround(tip.x - dx * 9 + dy * 4.5)), LONG(std::lround(tip.y - dy * 9 - dx * 4.5))},
        };
        dc.Polyline(head, 3);
    }

    if (!shape.label.IsRectEmpty())
    {
        CRect label = PageToClient(shape.label);
        // On paper of its own, so that no line strikes through it.
        dc.FillSolidRect(&label, RGB(255, 255, 255));
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(colour);
        dc.DrawText(LinkLabel(link), &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }
    dc.SelectStockObject(BLACK_PEN);
}

// Where each node stands, read once in the nodes' order: a paint's links look their ends up here rather than in the
// nodes, which a large job has all over memory. False when the ids are too far apart for a table.
bool FlowchartView::GatherNodePlaces()
{
    const size_t limit = 4 * size_t(m_pDoc->GetNodeCount()) + 64;
    m_nodePlaces.assign(size_t(m_pDoc->GetNodeCount()) + 1, kNowhere);
    for (int i = 0; i < m_pDoc->GetNodeCount(); ++i)
    {
        const HostNode& node = *m_pDoc->GetNodeAt(i);
        const size_t id = size_t(node.m_nID);
        if (node.m_nID < 0 || id > limit)
            return false;
        if (id >= m_nodePlaces.size())
            m_nodePlaces.resize(id + 1, kNowhere);
        m_nodePlaces[id] = node.m_ptPosition;
    }
    return true;
}

bool FlowchartView::NodeBox(int id, bool fromTable, CRect& box) const
{
    if (!fromTable)
    {
        const HostNode* node = m_pDoc->FindNode(id);
        return node && (box = GetNodeRect(*node), true);
    }
    if (id < 0 || size_t(id) >= m_nodePlaces.size() || m_nodePlaces[size_t(id)] == kNowhere)
        return false;
    box = CRect(m_nodePlaces[size_t(id)], NodeSize());
    return true;
}

void FlowchartView::Draw(CDC& dc, const CRect& clip)
{
    CRect page(CPoint() - m_ptScroll, GetDrawnPageSize());
    dc.FillSolidRect(&clip, GetSysColor(COLOR_BTNFACE));
    CRect paper;
    if (paper.IntersectRect(page, clip))
        dc.FillSolidRect(&paper, RGB(255, 255, 255));
    if (!m_pDoc)
        return;
    EnsureFonts();
    int saved = dc.SaveDC();
    dc.SelectObject(&m_fonts->font[FF_INDEX]);
    const bool table = GatherNodePlaces();
    for (int i = 0; i < m_pDoc->GetLinkCount(); ++i)
    {
        const HostLink& link = *m_pDoc->GetLinkAt(i);
        CRect from, to;
        if (NodeBox(link.m_nFromNodeID, table, from) && NodeBox(link.m_nToNodeID, table, to))
            DrawLink(dc, link, clip, from, to);
    }
    // A comment about a node points at it with a dotted line.
    CPen dotted(PS_DOT, 1, RGB(128, 128, 128));
    dc.SelectObject(&dotted);
    for (int i = 0; i < m_pDoc->GetNodeCount(); ++i)
    {
        const HostNode& note = *m_pDoc->GetNodeAt(i);
        const HostNode* about = note.m_nKind == NODE_COMMENT && note.m_nReferenceNode ? m_pDoc->FindNode(note.m_nReferenceNode) : nullptr;
        if (!about)
            continue;
        CRect a = GetNodeRect(note), b = GetNodeRect(*about), both;
        both.UnionRect(a, b);
        both = PageToClient(both);
        if (!Intersects(both, clip))
            continue;
        dc.MoveTo(PageToClient(a.CenterPoint()));
        dc.LineTo(PageToClient(b.CenterPoint()));
    }
    dc.SelectStockObject(BLACK_PEN);
    for (int i = 0; i < m_pDoc->GetNodeCount(); ++i)
    {
        const HostNode& node = *m_pDoc->GetNodeAt(i);
        CRect r = PageToClient(GetNodeRect(node));
        r.InflateRect(4, 4);
        if (Intersects(r, clip))
            DrawNode(dc, node);
    }
    if (m_drag == Drag::Linking && !dc.IsPrinting())
        if (HostNode* from = m_pDoc->FindNode(m_nDragNode))
        {
            CPen rubber(PS_DOT, 1, m_pDoc->m_settings.crColours[JC_SELLINK]);
            dc.SelectObject(&rubber);
            dc.MoveTo(PageToClient(GetNodeRect(*from).CenterPoint()));
            dc.LineTo(PageToClient(m_ptRubber));
            dc.SelectStockObject(BLACK_PEN);
        }
    if (m_drag == Drag::Band && !dc.IsPrinting())
    {
        CRect band = PageToClient(CRect(m_ptPress.x, m_ptPress.y, m_ptRubber.x, m_ptRubber.y));
        band.NormalizeRect();
        CPen dotted(PS_DOT, 1, RGB(0, 0, 0));
        dc.SelectObject(&dotted);
        dc.SelectStockObject(NULL_BRUSH);
        dc.Rectangle(&band);
        dc.SelectStockObject(BLACK_PEN);
    }
    dc.RestoreDC(saved);
}

// A node's tip: its kind, name and number. lParam holds the pointer in client coordinates.
void FlowchartView::OnToolTipText(NMHDR* hdr, LRESULT* result)
{
    auto* info = reinterpret_cast<NMTTDISPINFO*>(hdr);
    CPoint client(short(LOWORD(info->lParam)), short(HIWORD(info->lParam)));
    const HostNode* node = m_drag == Drag::None ? NodeAt(ClientToPage(client)) : nullptr;
    const char* kind = node ? HostNode::KindName(node->m_nKind) : nullptr;
    m_strTip = node ? CString(kind ? kind : "Node") + ": " + node->GetLabel() : CString();
    info->lpszText = const_cast<char*>(m_strTip.c_str()); // whole, however long the name
    *result = 0;
}

CRect FlowchartView::GetUsedRect() const
{
    CRect used;
    if (!m_pDoc)
        return used;
    for (int i = 0; i < m_pDoc->GetNodeCount(); ++i)
        used.UnionRect(used, GetNodeRect(*m_pDoc->GetNodeAt(i)));
    for (int i = 0; i < m_pDoc->GetLinkCount(); ++i)
    {
        LinkShape shape = GetLinkShape(*m_pDoc->GetLinkAt(i));
        if (shape.count >= 2)
            used.UnionRect(used, Bounds(shape));
        used.UnionRect(used, shape.label);
    }
    if (used.IsRectEmpty())
        return used;
    used.InflateRect(kMargin / 2, kMargin / 2);
    used.IntersectRect(used, CRect(CPoint(), m_szPage));
    return used;
}

void FlowchartView::DrawOnPage(CDC& dc, CPoint origin)
{
    // On paper the flowchart has its own size, whatever the window's zoom.
    int zoom = std::exchange(m_nZoom, 100);
    CPoint kept = std::exchange(m_ptScroll, origin);
    CRect area(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)), paper(CPoint() - origin, m_szPage);
    if (area.IntersectRect(area, paper))
        Draw(dc, area);
    m_ptScroll = kept;
    m_nZoom = zoom;
}

void FlowchartView::OnPaint()
{
    CPaintDC dc(this);
    Draw(dc, dc.m_ps.rcPaint);
}

// ---------------------------------------------------------------------------------------------------------------
// Zoom. The view scales its own page-to-client mapping (the device context draws in the window's pixels); fonts
// are made at the zoomed size.

// Rounded half away from zero, in whole numbers: a paint scales every point of every link and node.
int FlowchartView::Scale(int v) const
{
    if (m_nZoom == 100)
        return v;
    const long long p = (long long)v * m_nZoom;
    return int(p >= 0 ? (p + 50) / 100 : -((50 - p) / 100));
}

CPoint FlowchartView::ClientToPage(CPoint pt) const
{
    auto back = [this](LONG v) { return LONG(std::floor(double(v) * 100.0 / m_nZoom)); };
    return CPoint(back(pt.x + m_ptScroll.x), back(pt.y + m_ptScroll.y));
}

CPoint FlowchartView::PageToClient(CPoint pt) const
{
    return CPoint(Scale(pt.x) - m_ptScroll.x, Scale(pt.y) - m_ptScroll.y);
}

CRect FlowchartView::PageToClient(const CRect& r) const
{
    CPoint a = PageToClient(r.TopLeft()), b = PageToClient(r.BottomRight());
    return CRect(a.x, a.y, b.x, b.y);
}

CSize FlowchartView::GetDrawnPageSize() const { return CSize(Scale(m_szPage.cx), Scale(m_szPage.cy)); }

int FlowchartView::NextZoom(int zoom, bool in)
{
    if (in)
    {
        for (int step : kZoomSteps)
            if (step > zoom)
                return step;
        return kMaxZoom;
    }
    for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
        if (*it < zoom)
            return *it;
    return kMinZoom;
}

void FlowchartView::SetZoom(int percent, CPoint keep)
{
    percent = std::clamp(percent, kMinZoom, kMaxZoom);
    if (percent == m_nZoom)
        return;
    CRect view = GetViewRect();
    if (!view.PtInRect(keep))
        keep = view.CenterPoint();
    CPoint under = ClientToPage(keep);
    m_nZoom = percent;
    if (m_pDoc)
        m_pDoc->m_nZoom = percent; // kept with the job's view, as the dialogs' memory is
    UpdateScrollBars();
    CPoint drawn(Scale(under.x), Scale(under.y));
    ScrollTo(drawn - keep);
    Invalidate(FALSE);
    if (onZoomChanged)
        onZoomChanged();
}

void FlowchartView::ZoomStep(bool in) { SetZoom(NextZoom(m_nZoom, in), GetViewRect().CenterPoint()); }

void FlowchartView::ZoomToFit()
{
    if (!m_pDoc || m_pDoc->GetNodeCount() == 0)
        return SetZoom(100, CPoint());
    CRect all = GetNodeRect(*m_pDoc->GetNodeAt(0));
    for (int i = 1; i < m_pDoc->GetNodeCount(); ++i)
        all.UnionRect(all, GetNodeRect(*m_pDoc->GetNodeAt(i)));
    all.InflateRect(kMargin / 2, kMargin / 2);
    CRect view = GetViewRect();
    int zoom = std::min(MulDiv(view.Width(), 100, std::max<int>(all.Width(), 1)),
                        MulDiv(view.Height(), 100, std::max<int>(all.Height(), 1)));
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom != m_nZoom)
    {
        m_nZoom = zoom;
        m_pDoc->m_nZoom = zoom;
        UpdateScrollBars();
    }
    ScrollTo(CPoint(Scale(all.left), Scale(all.top)));
    Invalidate(FALSE);
    if (onZoomChanged)
        onZoomChanged();
}
