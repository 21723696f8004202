// The flowchart of a job. It is a window of the platform layer, like the library's own custom windows: it
// paints the document with a device context in WM_PAINT (so what it shows can be read back pixel by pixel)
// and hears the mouse and keys as window messages. Sizes, colours and fonts come from the job's settings.
#pragma once

#include <functional>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "host/model/JobDocument.h"
#include "platform/afxcmn.h"
#include "platform/afxwin.h"

class HostLink;
class HostNode;

class FlowchartView : public CWnd, public HostView
{
  public:
    FlowchartView();
    ~FlowchartView() override;

    BOOL Create(CWnd* parent, const CRect& rect, UINT id);
    // Shows another document (or none); the old one forgets this view.
    void SetDocument(JobDocument* doc);
    JobDocument* GetDocument() const { return m_pDoc; }

    // The selection: nodes (any number), one link, or nothing. GetSelectedNode is the node when it is the only one
    // selected, which is what the node dialog and the status bar show.
    HostNode* GetSelectedNode() const;
    HostLink* GetSelectedLink() const;
    int GetSelectedNodeCount() const { return int(m_selNodes.size()); }
    bool IsSelected(const HostNode& node) const { return m_selNodes.count(node.m_nID) != 0; }
    std::vector<HostNode*> GetSelectedNodes() const; // in the document's order
    // False when the owner kept the selection there is (onSelectionChanging).
    bool SelectNode(HostNode* node, bool scrollIntoView = false);
    bool SelectLink(HostLink* link);
    bool SelectNodes(const std::vector<int>& ids); // these nodes, and no link
    bool SelectAll();

    // Geometry. The page is the job's page size, grown to hold every node; the window shows it at the zoom from
    // the scroll position on (in the window's pixels), so client = page * zoom - scroll position. Everything the
    // mouse and the keys do goes through these two mappings, so every tool works at every zoom.
    CSize GetPageSize() const { return m_szPage; }
    CPoint GetScrollPosition() const { return m_ptScroll; }
    void ScrollTo(CPoint pos); // clamped to the page
    CRect GetViewRect() const; // the client area the page shows in: without the scroll bars
    CRect GetNodeRect(const HostNode& node) const; // on the page
    CPoint ClientToPage(CPoint pt) const;
    CPoint PageToClient(CPoint pt) const;
    CRect PageToClient(const CRect& r) const;
    CSize GetDrawnPageSize() const; // the page at the zoom, in the window's pixels
    HostNode* NodeAt(CPoint page) const; // the topmost node under a page point
    HostLink* LinkAt(CPoint page) const; // the link whose line or label is under a page point
    // Where a link is drawn, on the page: from its start to the tip of its arrow (a loop's points for a
    // link from a node to itself), and where its label stands.
    struct LinkShape
    {
        CPoint points[4];
        int count = 0;
        CRect label;
    };
    LinkShape GetLinkShape(const HostLink& link) const;
    // The part of the page the job takes, every node and link with a margin; empty for an empty job.
    CRect GetUsedRect() const;
    // The page from `origin` on, on a document's page at its own size, without what only the screen shows.
    void DrawOnPage(CDC& dc, CPoint origin);
    // The text a link shows beside its line: its condition.
    static CString LinkLabel(const HostLink& link);

    // Editing as the user's commands: each marks the document modified and updates its views.
    // A new node is centred on `page`, or put on the nearest free spot when it would cover another node.
    HostNode* NewNode(int kind, CPoint page);
    HostNode* NewNodeAtFreeSpot(int kind); // the first free spot from the top left of what the window shows
    HostLink* NewLink(HostNode* from, HostNode* to);
    bool DeleteSelection(); // asks the user first; true when something was deleted

    // Arranging the selected nodes: each edge or centre lined up with the selection's outermost one (two nodes at
    // least), or the nodes spread evenly between the outermost two (three at least). One change each.
    enum class Align
    {
        Left,
        Right,
        Top,
        Bottom,
        Centre, // on one vertical line
        Middle, // on one horizontal line
    };
    bool AlignSelection(Align how);
    bool DistributeSelection(bool horizontally);

    // The clipboard: the selected nodes with the links among them and the records they write, as a job fragment
    // (their names as text for other programs). Paste puts the nodes at `page` when given (where a context menu
    // was opened), else at the pointer when it is over the flowchart, else a step away from where they stood, and
    // selects them; a fragment that cannot be read is refused with a message. Cut, Paste and Duplicate are one
    // change each.
    bool CopySelection();
    bool CutSelection();
    bool CanPaste() const;
    bool Paste(const CPoint* page = nullptr);
    bool DuplicateSelection();

    // Moves made with Ctrl+arrows come together as one change: the burst ends with another key, a click, a
    // pause, the focus leaving, or EndNudges. While one is open the document is modified but not yet recorded.
    bool IsNudging() const { return m_bNudging; }
    void EndNudges();

    // A popup of the node kinds, each command ID_NODE_NEW_FIRST + the kind; the caller owns it.
    static HMENU MakeNewNodeMenu();

    // Zoom in percent: Ctrl+wheel about the pointer, steps in and out, 100%, or the whole flowchart in the window.
    // The job keeps it with its view.
    static constexpr int kMinZoom = 10, kMaxZoom = 400;
    int GetZoom() const { return m_nZoom; }
    void SetZoom(int percent, CPoint keep); // `keep`: the client point whose page point stays where it is
    void ZoomStep(bool in);
    void ZoomToFit();
    static int NextZoom(int zoom, bool in);
    std::function<void()> onZoomChanged;

    // The link tool: while it is on, a press on one node and a release on another joins them.
    void SetLinkTool(bool on);
    bool IsLinkTool() const { return m_bLinkTool; }

    // What the owner hears.
    std::function<void()> onSelectionChanged;
    // Before the selection moves to a node or link (ids; 0: none): false keeps the one there is. `asked` is set
    // when a question came in between, so a mouse button that began it is no longer down.
    std::function<bool(int nodeId, int linkId, bool& asked)> onSelectionChanging;
    std::function<void(HostNode*)> onNodeActivated; // a double click on a node
    std::function<void(HostLink*)> onLinkActivated; // a double click on a link
    std::function<void(CPoint page)> onPointerMoved; // the pointer over the page
    std::function<void()> onDocumentChanged;        // after the view's own edits and every update of the document

    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;

    // Paints what the window shows of the page inside `clip` (client coordinates).
    void Draw(CDC& dc, const CRect& clip);

    DECLARE_MESSAGE_MAP()

  private:
    void OnToolTipText(NMHDR* hdr, LRESULT* result);
    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    void OnLButtonDown(UINT flags, CPoint pt);
    void OnLButtonUp(UINT, CPoint pt);
    void OnLButtonDblClk(UINT flags, CPoint pt);
    void OnMouseMove(UINT flags, CPoint pt);
    void OnKeyDown(UINT vk, UINT repeat, UINT flags);
    void OnContextMenu(CWnd* wnd, CPoint screen);
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursor(WPARAM, LPARAM lParam);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);
    UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
    void OnTimer(UINT_PTR id);
    void OnKillFocus(CWnd* next);
    BOOL PreTranslateMessage(MSG* msg) override;

    void Scroll(int bar, UINT code, UINT pos);
    void DragTo(CPoint page);
    void BandTo(CPoint page);
    void Nudge(CPoint step);
    // Moves nodes by `delta` each, never past the page's top or left edge; false when none could move.
    bool MoveNodes(const std::vector<std::pair<int, CPoint>>& from, CPoint delta);
    std::vector<std::pair<int, CPoint>> SelectedPlaces() const; // each selected node's id and corner
    void RemoveSelectedNodes();                                  // without asking, as one change
    bool PasteText(const std::string& text, std::optional<CPoint> at); // none: a step away
    HostNode* NextNode(bool backwards) const; // after the selected one, in reading order; wraps
    void LinkFromKeyboard();
    void UpdatePageSize();
    void UpdateScrollBars();
    bool Select(int nodeId, int linkId, bool* asked = nullptr);
    void Changed(); // after an edit: modified, views updated, repainted
    CPoint FreeSpot(CPoint near) const;
    COLORREF NodeColour(const HostNode& node) const;
    void DrawNode(CDC& dc, const HostNode& node);
    void DrawLink(CDC& dc, const HostLink& link, const CRect& clip, const CRect& from, const CRect& to);
    CSize NodeSize() const; // every node's, on the page
    bool GatherNodePlaces();
    // A node's box by its id, from the table GatherNodePlaces made or else from the document; false for none.
    bool NodeBox(int id, bool fromTable, CRect& box) const;
    void EnsureFonts() const;
    int Scale(int v) const; // page units to the window's pixels at the zoom
    CSize LabelSize(const CString& label) const;
    bool HasLink(int fromId, int toId) const;

    JobDocument* m_pDoc = nullptr;
    CScrollBar m_hbar, m_vbar;
    CToolTipCtrl m_tips; // names the node under the pointer
    CString m_strTip;
    CSize m_szPage;
    CPoint m_ptScroll;
    std::unordered_set<int> m_selNodes; // ids
    int m_nSelLink = 0;                 // id; 0: none

    // The mouse: a node pressed on and perhaps being dragged, or the link tool's line.
    enum class Drag
    {
        None,
        Pending, // pressed on a node, not moved far enough to be a drag yet
        Moving,
        Linking,
        Band, // a rectangle from a press on the empty page: the nodes it touches are selected
    } m_drag = Drag::None;
    int m_nDragNode = 0;
    CPoint m_ptPress;      // page
    std::vector<std::pair<int, CPoint>> m_dragOrigins; // each moving node and its corner when pressed
    CPoint m_ptRubber;     // page: the link tool's line or the band ends here
    std::unordered_set<int> m_bandBase; // what the band adds to (Ctrl or Shift held), or nothing
    bool m_bNudging = false;
    int m_nZoom = 100;
    bool m_bNarrowOnClick = false; // a plain press on one node of many: a click without a drag selects it alone
    bool m_bLinkTool = false;
    bool m_bPressInterrupted = false; // a question came between the last press and its release

    // Fonts made from the job's settings; made again when the settings change.
    struct Fonts;
    mutable std::unique_ptr<Fonts> m_fonts;
    mutable std::unordered_set<uint64_t> m_pairs; // (from << 32 | to) of every link
    mutable bool m_bPairsKnown = false;
    std::vector<CPoint> m_nodePlaces; // where each node stands, by id, as the last paint found them
};
