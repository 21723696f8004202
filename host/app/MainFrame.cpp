#include "host/app/MainFrame.h"

#include <QApplication>
#include <QtGlobal>

#include <algorithm>
#include <utility>

#include "find/CDlgFind.h"
#include "host/app/Placement.h"
#include "host/app/HostCommands.h"
#include "host/app/UnappliedChanges.h"
#include "host/jobfile/JobSnapshot.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/HostTerminal.h"
#include "job/CDlgDefineJob.h"
#include "node/CDlgDefineNode.h"
#include "portable/CDlgDefinePortable.h"
#include "record/CDlgDefineRecord.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace
{

constexpr UINT IDC_MENUBAR = 1, IDC_FLOWCHART = 2, IDC_FIND_RESULTS = 3, IDC_STATUS = 4, IDC_TOOLBAR = 5;
constexpr UINT WM_OPEN_DROPPED = WM_APP + 1;
constexpr char kRecentSection[] = "Recent File List";
constexpr char kAppName[] = "jobhost";

enum MenuIndex : int
{
    MENU_FILE,
    MENU_EDIT,
    MENU_VIEW,
    MENU_DEFINE,
    MENU_SIMULATION,
    MENU_HELP,
};

// The main window's shortcut keys: what PreTranslateMessage acts on, what the menus show beside their items and
// what Help > Keyboard Shortcuts lists.
struct Shortcut
{
    UINT vk;
    bool ctrl, shift;
    UINT command;
    const char* keys;
    const char* what;
};
constexpr Shortcut kShortcuts[] = {
    {'N', true, false, ID_FILE_NEW, "Ctrl+N", "New job"},
    {'O', true, false, ID_FILE_OPEN, "Ctrl+O", "Open a job"},
    {'S', true, false, ID_FILE_SAVE, "Ctrl+S", "Save"},
    {'S', true, true, ID_FILE_SAVE_AS, "Ctrl+Shift+S", "Save As"},
    {'P', true, false, ID_FILE_PRINT, "Ctrl+P", "Print"},
    {'Q', true, false, ID_APP_EXIT, "Ctrl+Q", "Exit"},
    {'Z', true, false, ID_EDIT_UNDO, "Ctrl+Z", "Undo"},
    {'Y', true, false, ID_EDIT_REDO, "Ctrl+Y", "Redo"},
    {'X', true, false, ID_EDIT_CUT, "Ctrl+X", "Cut the selected nodes"},
    {'C', true, false, ID_EDIT_COPY, "Ctrl+C", "Copy the selected nodes, with the links among them"},
    {'V', true, false, ID_EDIT_PASTE, "Ctrl+V", "Paste nodes: at the pointer when it is over the flowchart"},
    {'D', true, false, ID_EDIT_DUPLICATE, "Ctrl+D", "Duplicate the selected nodes"},
    {'A', true, false, ID_EDIT_SELECT_ALL, "Ctrl+A", "Select every node"},
    {VK_OEM_PLUS, true, false, ID_VIEW_ZOOM_IN, "Ctrl+Plus", "Zoom in"},
    {VK_OEM_MINUS, true, false, ID_VIEW_ZOOM_OUT, "Ctrl+Minus", "Zoom out"},
    {'0', true, false, ID_VIEW_ZOOM_100, "Ctrl+0", "Zoom to 100%"},
    {'9', true, false, ID_VIEW_ZOOM_FIT, "Ctrl+9", "Fit the whole flowchart in the window"},
    // The same on the keypad, and Plus typed with Shift: not listed again.
    {VK_OEM_PLUS, true, true, ID_VIEW_ZOOM_IN, nullptr, nullptr},
    {VK_ADD, true, false, ID_VIEW_ZOOM_IN, nullptr, nullptr},
    {VK_SUBTRACT, true, false, ID_VIEW_ZOOM_OUT, nullptr, nullptr},
    {VK_NUMPAD0, true, false, ID_VIEW_ZOOM_100, nullptr, nullptr},
    {'F', true, false, ID_EDIT_FIND, "Ctrl+F", "Find"},
    {VK_F3, false, false, ID_EDIT_REPEAT, "F3", "Find Next"},
    {'L', true, false, ID_NODE_LINK, "Ctrl+L", "Link Nodes: the link tool on or off"},
};
// Keys the flowchart and the panes take themselves.
constexpr const char* kOtherKeys[][2] = {
    {"Tab, Shift+Tab", "Select the next or the previous node"},
    {"Enter", "Define the selected node; with the link tool, start or end a link"},
    {"Del", "Delete the selected nodes or link"},
    {"Arrows", "Scroll the flowchart"},
    {"Ctrl+Arrows", "Move the selected nodes"},
    {"Ctrl+click, Shift+click", "Take a node out of the selection or add it; add it"},
    {"Drag on the empty page", "Select the nodes the rectangle touches"},
    {"Page Up, Page Down, Home", "Scroll by a page, to the top left"},
    {"Esc", "Put a dragged node back; turn the link tool off"},
    {"F6", "Between the flowchart and Find's pane"},
    {"F10, Alt+letter", "The menus"},
};

CString MenuText(const char* text, UINT command)
{
    const char* keys = ShortcutKeys(command);
    return keys ? CString(text) + "\t" + keys : CString(text);
}

void ClearMenu(CMenu& menu)
{
    while (menu.GetMenuItemCount() > 0)
        menu.DeleteMenu(0, MF_BYPOSITION);
}

UINT Grayed(bool enabled) { return enabled ? UINT(MF_ENABLED) : UINT(MF_GRAYED); }

} // namespace

const char* ShortcutKeys(UINT command)
{
    for (const Shortcut& s : kShortcuts)
        if (s.command == command && s.keys)
            return s.keys;
    return nullptr;
}

const MessageMap& MainFrame::GetThisMessageMap()
{
    static const MessageMap map(
        &CFrameWnd::GetThisMessageMap(),
        {
            mm::Command(ID_FILE_NEW, 0, &MainFrame::OnFileNew),
            mm::Command(ID_FILE_OPEN, 0, &MainFrame::OnFileOpen),
            mm::Command(ID_FILE_SAVE, 0, &MainFrame::OnFileSave),
            mm::Command(ID_FILE_SAVE_AS, 0, &MainFrame::OnFileSaveAs),
            mm::Command(ID_FILE_EXPORT, 0, &MainFrame::OnFileExport),
            mm::Command(ID_FILE_PAGE_SETUP, 0, &MainFrame::OnFilePageSetup),
            mm::Command(ID_FILE_PRINT_PREVIEW, 0, &MainFrame::OnFilePrintPreview),
            mm::Command(ID_FILE_PRINT, 0, &MainFrame::OnFilePrint),
            mm::CommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE1 + MAX_RECENT_FILES - 1, 0, &MainFrame::OnFileMru),
            mm::Command(ID_APP_EXIT, 0, &MainFrame::OnAppExit),
            mm::Command(ID_EDIT_UNDO, 0, &MainFrame::OnEditUndo),
            mm::Command(ID_EDIT_REDO, 0, &MainFrame::OnEditRedo),
            mm::Command(ID_EDIT_FIND, 0, &MainFrame::OnEditFind),
            mm::Command(ID_EDIT_REPEAT, 0, &MainFrame::OnEditFindNext),
            mm::Command(IDC_FIND_RESULTS, LBN_SELCHANGE, &MainFrame::OnFindResultSelected),
            mm::Command(IDC_FIND_RESULTS, LBN_DBLCLK, &MainFrame::OnFindResultActivated),
            mm::Command(ID_EDIT_CLEAR, 0, &MainFrame::OnEditDelete),
            mm::Command(ID_EDIT_SELECT_ALL, 0, &MainFrame::OnEditSelectAll),
            mm::CommandRange(ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_FIT, 0, &MainFrame::OnViewZoom),
            mm::Command(ID_EDIT_CUT, 0, &MainFrame::OnEditCut),
            mm::Command(ID_EDIT_COPY, 0, &MainFrame::OnEditCopy),
            mm::Command(ID_EDIT_PASTE, 0, &MainFrame::OnEditPaste),
            mm::Command(ID_EDIT_DUPLICATE, 0, &MainFrame::OnEditDuplicate),
            mm::CommandRange(ID_ALIGN_LEFT, ID_DISTRIBUTE_DOWN, 0, &MainFrame::OnArrange),
            mm::CommandRange(ID_NODE_NEW_FIRST, ID_NODE_NEW_LAST, 0, &MainFrame::OnNodeNew),
            mm::Command(ID_NODE_LINK, 0, &MainFrame::OnNodeLink),
            mm::Command(ID_DEFINE_NODE, 0, &MainFrame::OnDefineNode),
            mm::CommandRange(ID_DEFINE_RECORD_FIRST, ID_DEFINE_RECORD_NEW, 0, &MainFrame::OnDefineRecord),
            mm::Command(ID_DEFINE_PORTABLE, 0, &MainFrame::OnDefinePortable),
            mm::Command(ID_DEFINE_GLOBAL, 0, &MainFrame::OnDefineGlobal),
            mm::Command(ID_DEFINE_JOB, 0, &MainFrame::OnDefineJob),
            mm::Command(ID_DEFINE_LANGUAGE, 0, &MainFrame::OnDefineLanguage),
            mm::Command(ID_SIMULATE_RUN, 0, &MainFrame::OnSimulate),
            mm::Command(ID_HELP_KEYBOARD, 0, &MainFrame::OnHelpKeyboard),
            mm::Command(ID_VIEW_STATUS_BAR, 0, &MainFrame::OnViewStatusBar),
            mm::Command(ID_VIEW_TOOLBAR, 0, &MainFrame::OnViewToolbar),
            mm::Command(ID_APP_ABOUT, 0, &MainFrame::OnAppAbout),
            mm::Message(WM_CLOSE, &MainFrame::OnClose),
            mm::Message(WM_DROPFILES, &MainFrame::OnDropFiles),
            mm::Message(WM_OPEN_DROPPED, &MainFrame::OnOpenDropped),
            mm::Destroy(&MainFrame::OnDestroy),
            mm::Size(&MainFrame::OnSize),
        });
    return map;
}

MainFrame::MainFrame() = default;

MainFrame::~MainFrame()
{
    // The windows go while the document they show is still there.
    DestroyWindow();
    CloseNodeDialog();
    m_view.SetDocument(nullptr);
}

BOOL MainFrame::Create(std::unique_ptr<JobDocument> doc, const CRect& rect)
{
    JobDocument* shown = doc.get();
    SetDocument(std::move(doc), shown);
    return CreateWindows(rect);
}

BOOL MainFrame::Create(JobDocument& doc, const CRect& rect)
{
    SetDocument(nullptr, &doc);
    return CreateWindows(rect);
}

BOOL MainFrame::CreateWindows(const CRect& rect)
{
    if (!CFrameWnd::Create(nullptr, kAppName, WS_OVERLAPPEDWINDOW, rect))
        return FALSE;
    CRect client;
    GetClientRect(&client);
    m_menuBar.Create(this, CRect(0, 0, client.Width(), 22), IDC_MENUBAR);
    m_menuBar.onInitMenu = [this](int index, CMenu& popup) { InitMenu(index, popup); };
    for (const char* title : {"&File", "&Edit", "&View", "&Define", "&Simulation", "&Help"})
    {
        CMenu popup;
        popup.CreatePopupMenu();
        m_menuBar.AddMenu(title, popup.Detach());
    }
    for (int i = 0; i < m_menuBar.GetMenuCount(); ++i)
        InitMenu(i, *m_menuBar.GetSubMenu(i));

    m_view.Create(this, CRect(0, m_menuBar.GetHeight(), client.Width(), client.Height()), IDC_FLOWCHART);
    m_view.onSelectionChanged = [this] { OnSelectionChanged(); };
    m_view.onSelectionChanging = [this](int nodeId, int linkId, bool& asked) {
        return MayLoadNodeDialog(nodeId, linkId, asked);
    };
    m_view.onNodeActivated = [this](HostNode* node) { OpenNodeDialog(node, nullptr); };
    m_view.onLinkActivated = [this](HostLink* link) { OpenNodeDialog(m_pDoc->FindNode(link->m_nFromNodeID), link); };
    m_view.onDocumentChanged = [this] {
        if (!m_view.IsNudging()) // a burst of nudges is one change, recorded when it ends
            RecordChange();
        UpdateTitle();
        UpdateBars();
    };
    m_view.onZoomChanged = [this] { UpdateStatusText(); };
    m_view.onPointerMoved = [this](CPoint page) {
        m_ptPointer = page;
        UpdateStatusText(); // only the position moved
    };
    m_view.SetDocument(m_pDoc);
    m_results.Create(this, IDC_FIND_RESULTS);
    m_status.CreateEx(0, "STATIC", "", WS_CHILD | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_SUNKEN, CRect(), this, IDC_STATUS);
    m_bStatusBar = theReg.GetInt("Settings", "StatusBar", 1) != 0;
    m_status.ShowWindow(m_bStatusBar ? SW_SHOW : SW_HIDE);
    m_toolbar.Create(this, IDC_TOOLBAR);
    m_toolbar.onUsed = [this] {
        if (HWND focus = ::GetFocus(); focus && ::GetParent(focus) == m_toolbar.m_hWnd)
            m_view.SetFocus();
    };
    m_bToolbar = theReg.GetInt("Settings", "Toolbar", 1) != 0;
    m_toolbar.ShowWindow(m_bToolbar ? SW_SHOW : SW_HIDE);
    UpdateBars();
    DragAcceptFiles();
    SetWindowPosition(this, "Settings", "WPOS_MAINFRAME", theReg, 0);
    UpdateTitle();
    m_view.SetFocus();
    return TRUE;
}

void MainFrame::SetDocument(std::unique_ptr<JobDocument> owned, JobDocument* doc)
{
    CloseNodeDialog(); // it holds nodes of the job that goes, as a simulation window does
    for (HWND wnd : std::exchange(m_jobWindows, {}))
        if (IsWindow(wnd))
            CWnd::FromHandle(wnd)->DestroyWindow();
    if (doc)
        UseJobCodePage(*doc); // before any window shows the job's text
    m_view.SetDocument(doc);
    ShowFindResults(false); // its lines name the nodes of the job that goes
    m_ptPointer = CPoint(-1, -1);
    m_owned = std::move(owned);
    m_pDoc = doc;
    if (!m_bRestoring)
        ResetHistory();
    UpdateTitle();
    UpdateBars();
}

CDlgDefineNode* MainFrame::GetNodeDialog() const
{
    return m_nodeDlg && IsWindow(m_nodeDlg->m_hWnd) ? m_nodeDlg.get() : nullptr;
}

CString MainFrame::MakeTitle() const
{
    CString name = m_pDoc ? m_pDoc->GetTitle() : CString("Untitled");
    if (m_pDoc && m_pDoc->IsModified())
        name += "*";
    return name + " - " + kAppName;
}

void MainFrame::UpdateTitle()
{
    if (!m_hWnd)
        return;
    CString title = MakeTitle();
    if (GetWindowText() != title)
        SetWindowText(title);
}

void MainFrame::OnSize(UINT, int cx, int cy)
{
    if (!m_menuBar.m_hWnd || !m_view.m_hWnd)
        return;
    int bar = m_menuBar.GetHeight();
    int pane = m_bResultsShown ? std::min(cy / 3, 160) : 0;
    int status = m_bStatusBar ? m_menuBar.GetHeight() : 0; // one line of the same font
    int tools = m_bToolbar && m_toolbar.m_hWnd ? m_toolbar.GetHeight() : 0;
    m_menuBar.MoveWindow(0, 0, cx, bar);
    if (tools)
        m_toolbar.MoveWindow(0, bar, cx, tools);
    m_view.MoveWindow(0, bar + tools, cx, std::max(cy - bar - tools - pane - status, 0));
    if (pane)
        m_results.MoveWindow(0, cy - status - pane, cx, pane);
    if (status)
        m_status.MoveWindow(0, cy - status, cx, status);
}

// ---------------------------------------------------------------------------------------------------------------
// Menus.

void MainFrame::InitMenu(int index, CMenu& menu)
{
    ClearMenu(menu);
    m_view.EndNudges(); // a click on the menus ends a burst of nudges
    int nodes = m_view.GetSelectedNodeCount();
    bool node = nodes > 0;
    bool link = m_view.GetSelectedLink() != nullptr;
    switch (index)
    {
    case MENU_FILE: {
        menu.AppendMenu(MF_STRING, ID_FILE_NEW, MenuText("&New", ID_FILE_NEW));
        menu.AppendMenu(MF_STRING, ID_FILE_OPEN, MenuText("&Open...", ID_FILE_OPEN));
        menu.AppendMenu(MF_STRING, ID_FILE_SAVE, MenuText("&Save", ID_FILE_SAVE));
        menu.AppendMenu(MF_STRING, ID_FILE_SAVE_AS, MenuText("Save &As...", ID_FILE_SAVE_AS));
        menu.AppendMenu(MF_STRING, ID_FILE_EXPORT, "&Export...");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, ID_FILE_PAGE_SETUP, "Page Set&up...");
        menu.AppendMenu(MF_STRING, ID_FILE_PRINT_PREVIEW, "Print Pre&view");
        menu.AppendMenu(MF_STRING, ID_FILE_PRINT, MenuText("&Print...", ID_FILE_PRINT));
        std::vector<CString> recent = GetRecentFiles();
        if (!recent.empty())
        {
            menu.AppendMenu(MF_SEPARATOR);
            for (size_t i = 0; i < recent.size(); ++i)
            {
                CString text;
                text.Format("&%d %s", int(i + 1), CString::FromUtf8(recent[i].str()).c_str());
                menu.AppendMenu(MF_STRING, ID_FILE_MRU_FILE1 + UINT(i), text);
            }
        }
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, ID_APP_EXIT, MenuText("E&xit", ID_APP_EXIT));
        break;
    }
    case MENU_EDIT: {
        menu.AppendMenu(MF_STRING | Grayed(m_history.CanUndo()), ID_EDIT_UNDO, MenuText("&Undo", ID_EDIT_UNDO));
        menu.AppendMenu(MF_STRING | Grayed(m_history.CanRedo()), ID_EDIT_REDO, MenuText("&Redo", ID_EDIT_REDO));
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING | Grayed(node), ID_EDIT_CUT, MenuText("Cu&t", ID_EDIT_CUT));
        menu.AppendMenu(MF_STRING | Grayed(node), ID_EDIT_COPY, MenuText("&Copy", ID_EDIT_COPY));
        menu.AppendMenu(MF_STRING | Grayed(m_view.CanPaste()), ID_EDIT_PASTE, MenuText("&Paste", ID_EDIT_PASTE));
        menu.AppendMenu(MF_STRING | Grayed(node), ID_EDIT_DUPLICATE, MenuText("Duplicat&e", ID_EDIT_DUPLICATE));
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, ID_EDIT_FIND, MenuText("&Find...", ID_EDIT_FIND));
        menu.AppendMenu(MF_STRING, ID_EDIT_REPEAT, MenuText("Find &Next", ID_EDIT_REPEAT));
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_POPUP, UINT_PTR(FlowchartView::MakeNewNodeMenu()), "New &Node");
        menu.AppendMenu(MF_STRING | (m_view.IsLinkTool() ? UINT(MF_CHECKED) : UINT(MF_UNCHECKED)), ID_NODE_LINK,
                        MenuText("&Link Nodes", ID_NODE_LINK));
        menu.AppendMenu(MF_STRING | Grayed(node || link), ID_EDIT_CLEAR, "&Delete\tDel");
        menu.AppendMenu(MF_STRING | Grayed(m_pDoc && m_pDoc->GetNodeCount() > 0), ID_EDIT_SELECT_ALL,
                        MenuText("Select &All", ID_EDIT_SELECT_ALL));
        CMenu arrange;
        arrange.CreatePopupMenu();
        static const std::pair<UINT, const char*> kAlign[] = {
            {ID_ALIGN_LEFT, "Align &Left"},     {ID_ALIGN_RIGHT, "Align &Right"},   {ID_ALIGN_TOP, "Align &Top"},
            {ID_ALIGN_BOTTOM, "Align &Bottom"}, {ID_ALIGN_CENTRE, "Align &Centre"}, {ID_ALIGN_MIDDLE, "Align &Middle"},
        };
        for (auto [id, text] : kAlign)
            arrange.AppendMenu(MF_STRING | Grayed(nodes >= 2), id, text);
        arrange.AppendMenu(MF_SEPARATOR);
        arrange.AppendMenu(MF_STRING | Grayed(nodes >= 3), ID_DISTRIBUTE_ACROSS, "Distribute &Horizontally");
        arrange.AppendMenu(MF_STRING | Grayed(nodes >= 3), ID_DISTRIBUTE_DOWN, "Distribute &Vertically");
        menu.AppendMenu(MF_POPUP, UINT_PTR(arrange.Detach()), "Arran&ge");
        break;
    }
    case MENU_VIEW:
        menu.AppendMenu(MF_STRING | (m_bToolbar ? UINT(MF_CHECKED) : UINT(MF_UNCHECKED)), ID_VIEW_TOOLBAR, "&Toolbar");
        menu.AppendMenu(MF_STRING | (m_bStatusBar ? UINT(MF_CHECKED) : UINT(MF_UNCHECKED)), ID_VIEW_STATUS_BAR,
                        "&Status Bar");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING | Grayed(m_view.GetZoom() < FlowchartView::kMaxZoom), ID_VIEW_ZOOM_IN,
                        MenuText("Zoom &In", ID_VIEW_ZOOM_IN));
        menu.AppendMenu(MF_STRING | Grayed(m_view.GetZoom() > FlowchartView::kMinZoom), ID_VIEW_ZOOM_OUT,
                        MenuText("Zoom &Out", ID_VIEW_ZOOM_OUT));
        menu.AppendMenu(MF_STRING, ID_VIEW_ZOOM_100, MenuText("&Actual Size (100%)", ID_VIEW_ZOOM_100));
        menu.AppendMenu(MF_STRING, ID_VIEW_ZOOM_FIT, MenuText("&Fit", ID_VIEW_ZOOM_FIT));
        break;
    case MENU_DEFINE: {
        menu.AppendMenu(MF_STRING | Grayed(node || link), ID_DEFINE_NODE, "&Node...");
        CMenu records;
        records.CreatePopupMenu();
        int count = std::min(m_pDoc->GetRecordCount(), MAX_RECORD_COMMANDS);
        for (int i = 0; i < count; ++i)
            records.AppendMenu(MF_STRING, ID_DEFINE_RECORD_FIRST + UINT(i), m_pDoc->GetRecordAt(i)->m_strName.c_str());
        if (count > 0)
            records.AppendMenu(MF_SEPARATOR);
        records.AppendMenu(MF_STRING, ID_DEFINE_RECORD_NEW, "&New Record...");
        menu.AppendMenu(MF_POPUP, UINT_PTR(records.Detach()), "&Record");
        menu.AppendMenu(MF_STRING, ID_DEFINE_PORTABLE, "&Portable...");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, ID_DEFINE_GLOBAL, "Job (&Global Settings)...");
        menu.AppendMenu(MF_STRING, ID_DEFINE_JOB, "&Job...");
        menu.AppendMenu(MF_STRING, ID_DEFINE_LANGUAGE, "Job &Language...");
        break;
    }
    case MENU_SIMULATION:
        menu.AppendMenu(MF_STRING | Grayed(GetSimulateHandler() != nullptr), ID_SIMULATE_RUN, "&Run Job");
        break;
    case MENU_HELP:
        menu.AppendMenu(MF_STRING, ID_HELP_KEYBOARD, "&Keyboard Shortcuts");
        menu.AppendMenu(MF_STRING, ID_APP_ABOUT, "&About jobhost");
        break;
    default: break;
    }
}

BOOL MainFrame::PreTranslateMessage(MSG* pMsg)
{
    // The menus' shortcut keys, for the frame and its children; the dialogs it owns keep their keys.
    bool sys = pMsg->message == WM_SYSKEYDOWN;
    if ((pMsg->message != WM_KEYDOWN && !sys) || (pMsg->hwnd != m_hWnd && !IsChild(CWnd::FromHandle(pMsg->hwnd))))
        return CFrameWnd::PreTranslateMessage(pMsg);
    // The menu bar from the keyboard: F10 drops the first menu, Alt and a title's underlined letter its own.
    int menu = pMsg->wParam == VK_F10 ? 0 : sys ? m_menuBar.FindMnemonic(char(pMsg->wParam)) : -1;
    if (menu >= 0)
    {
        m_menuBar.OpenMenu(menu, true);
        return TRUE;
    }
    if (sys)
        return CFrameWnd::PreTranslateMessage(pMsg);
    // Find's pane: Enter opens the line's node, Escape closes the pane; F6 goes between it and the flowchart.
    bool inResults = pMsg->hwnd == m_results.m_hWnd;
    if (inResults && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
    {
        if (pMsg->wParam == VK_RETURN)
            OnFindResultActivated();
        else
            ShowFindResults(false);
        return TRUE;
    }
    if (pMsg->wParam == VK_F6 && m_bResultsShown)
    {
        if (inResults)
            m_view.SetFocus();
        else
            m_results.SetFocus();
        return TRUE;
    }
    bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    UINT id = 0;
    for (const Shortcut& s : kShortcuts)
        if (s.vk == pMsg->wParam && s.ctrl == ctrl && s.shift == shift)
            id = s.command;
    if (!id)
        return CFrameWnd::PreTranslateMessage(pMsg);
    SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0); // as the menu item would
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------------------
// Files.

bool MainFrame::SaveModified()
{
    if (!m_pDoc || !m_pDoc->IsModified())
        return true;
    CString text;
    text.Format("Save changes to %s?", m_pDoc->GetTitle().c_str());
    switch (MessageBox(text, kAppName, MB_YESNOCANCEL | MB_ICONEXCLAMATION))
    {
    case IDYES: return Save();
    case IDNO: return true;
    default: return false;
    }
}

void MainFrame::OnFileNew()
{
    if (!SettleNodeDialog() || !SaveModified())
        return;
    auto doc = std::make_unique<JobDocument>();
    JobDocument* shown = doc.get();
    SetDocument(std::move(doc), shown);
    m_bHasFile = false;
    UpdateTitle();
}

void MainFrame::OnFileOpen()
{
    if (!SettleNodeDialog() || !SaveModified())
        return;
    std::string path = m_pDoc ? m_pDoc->m_strPathName.str() : std::string();
    if (BrowseFileName(this, path, true, "JOB", "Job Files (*.pdtjob)|*.pdtjob|All Files (*.*)|*.*||"))
        OpenFile(path.c_str());
}

// A job file dropped from a file manager is opened as File > Open would; of several, the first. The questions
// that may come first wait until the drag has ended.
LRESULT MainFrame::OnDropFiles(WPARAM wParam, LPARAM)
{
    auto drop = HDROP(wParam);
    const std::string path = DragQueryFileName(drop, 0);
    DragFinish(drop);
    if (!path.empty())
    {
        m_strDropped = path.c_str();
        PostMessage(WM_OPEN_DROPPED);
    }
    return 0;
}

LRESULT MainFrame::OnOpenDropped(WPARAM, LPARAM)
{
    CString path = std::exchange(m_strDropped, CString());
    if (!path.IsEmpty() && SettleNodeDialog() && SaveModified())
        OpenFile(path);
    return 0;
}

void MainFrame::OnFileSave() { Save(); }

bool MainFrame::Save() { return m_bHasFile ? SaveFile(m_pDoc->m_strPathName) : SaveAs(); }

void MainFrame::OnFileSaveAs() { SaveAs(); }

bool MainFrame::SaveAs()
{
    std::string path = m_pDoc->m_strPathName.IsEmpty() ? "Untitled.pdtjob" : m_pDoc->m_strPathName.str();
    if (!BrowseFileName(this, path, false, "JOB", "Job Files (*.pdtjob)|*.pdtjob|All Files (*.*)|*.*||"))
        return false;
    return SaveFile(path.c_str());
}

void MainFrame::OnFileMru(UINT id)
{
    std::vector<CString> recent = GetRecentFiles();
    size_t index = id - ID_FILE_MRU_FILE1;
    if (index >= recent.size() || !SaveModified())
        return;
    if (!OpenFile(recent[index]))
        RemoveRecentFile(recent[index]);
}

std::vector<CString> MainFrame::GetRecentFiles()
{
    std::vector<CString> files;
    for (int i = 1; i <= MAX_RECENT_FILES; ++i)
    {
        CString key;
        key.Format("File%d", i);
        CString path = theReg.GetString(kRecentSection, key, "");
        if (!path.IsEmpty())
            files.push_back(path);
    }
    return files;
}

static void WriteRecentFiles(const std::vector<CString>& files)
{
    for (int i = 1; i <= MAX_RECENT_FILES; ++i)
    {
        CString key;
        key.Format("File%d", i);
        if (size_t(i) <= files.size())
            theReg.WriteString(kRecentSection, key, files[size_t(i - 1)]);
        else
            theReg.DeleteValue(kRecentSection, key);
    }
}

void MainFrame::AddRecentFile(const CString& path)
{
    std::vector<CString> files = GetRecentFiles();
    std::erase(files, path);
    files.insert(files.begin(), path);
    if (files.size() > size_t(MAX_RECENT_FILES))
        files.resize(MAX_RECENT_FILES);
    WriteRecentFiles(files);
}

void MainFrame::RemoveRecentFile(const CString& path)
{
    std::vector<CString> files = GetRecentFiles();
    std::erase(files, path);
    WriteRecentFiles(files);
}

void MainFrame::OnAppExit() { SendMessage(WM_CLOSE); }

LRESULT MainFrame::OnClose(WPARAM, LPARAM)
{
    if (SettleNodeDialog() && SaveModified())
        DestroyWindow();
    return 0;
}

void MainFrame::OnDestroy()
{
    PutWindowPosition(this, "Settings", "WPOS_MAINFRAME", theReg);
    CloseNodeDialog();
    if (onClosed)
        onClosed();
}

// ---------------------------------------------------------------------------------------------------------------
// Edit.

bool MainFrame::FindNext()
{
    int count = m_pDoc->GetNodeCount();
    int start = 0;
    if (HostNode* selected = m_view.GetSelectedNode())
        for (int i = 0; i < count; ++i)
            if (m_pDoc->GetNodeAt(i) == selected)
                start = i + 1;
    for (int k = 0; k < count; ++k)
    {
        HostNode* node = m_pDoc->GetNodeAt((start + k) % count);
        if (FindInNode(*node, m_strFind, m_bMatchCase))
        {
            m_view.SelectNode(node, true);
            return true;
        }
    }
    CString text;
    text.Format("Cannot find \"%s\".", m_strFind.c_str());
    MessageBox(text, kAppName, MB_OK | MB_ICONINFORMATION);
    return false;
}

void MainFrame::OnEditFind()
{
    CDlgFind dlg(this);
    dlg.m_strPrompt = "Find a node by its name, its description or its screen text.";
    dlg.m_bMatchCase = m_bMatchCase;
    dlg.m_bOutputToPane2 = m_bOutputToPane2;
    if (dlg.DoModal() != IDOK)
        return;
    m_strFind = dlg.m_strFind;
    m_bMatchCase = dlg.m_bMatchCase;
    m_bOutputToPane2 = dlg.m_bOutputToPane2;
    if (m_bOutputToPane2)
        ListFindResults();
    else
        FindNext();
}

void MainFrame::ListFindResults()
{
    m_results.List(*m_pDoc, m_strFind, m_bMatchCase);
    ShowFindResults(true);
    m_results.SetFocus();
    if (m_results.GetCount() > 1)
    {
        m_results.SetCurSel(1);
        OnFindResultSelected();
    }
}

void MainFrame::ShowFindResults(bool show)
{
    if (!show && m_results.m_hWnd)
        m_results.ResetContent();
    if (m_bResultsShown == show)
        return;
    m_bResultsShown = show;
    if (!show && ::GetFocus() == m_results.m_hWnd)
        m_view.SetFocus();
    m_results.ShowWindow(show ? SW_SHOW : SW_HIDE);
    CRect client;
    GetClientRect(&client);
    OnSize(0, client.Width(), client.Height());
}

void MainFrame::OnFindResultSelected()
{
    HostNode* node = m_pDoc->FindNode(m_results.NodeIdAt(m_results.GetCurSel()));
    if (node && !m_view.SelectNode(node, true))
        m_results.SetCurSel(m_results.IndexOfNode(m_view.GetSelectedNode() ? m_view.GetSelectedNode()->m_nID : 0));
}

void MainFrame::OnFindResultActivated()
{
    if (HostNode* node = m_pDoc->FindNode(m_results.NodeIdAt(m_results.GetCurSel())))
        OpenNodeDialog(node, nullptr);
}

void MainFrame::OnEditFindNext()
{
    if (m_strFind.IsEmpty())
        OnEditFind();
    else
        FindNext();
}

// ---------------------------------------------------------------------------------------------------------------
// Undo and Redo.

void MainFrame::ResetHistory()
{
    if (m_owned)
        m_history.Reset(TakeJobSnapshot(*m_pDoc), !m_pDoc->IsModified());
    else
        m_history.Clear();
}

// The definition dialogs mark the job modified on every OK and Apply; what marks it here is a change of what its
// file would hold, so an OK that changed nothing leaves the mark as the job had it.
void MainFrame::RecordChange()
{
    if (!m_owned || m_bRestoring)
        return;
    TakeJobSnapshot(*m_pDoc, m_snapshot);
    if (!m_history.RecordFrom(m_snapshot))
        m_pDoc->SetModifiedFlag(!m_history.IsSaved());
}

// Changes the node dialog holds are settled first: applied, they are the newest step, the one Undo takes back.
void MainFrame::OnEditUndo()
{
    if (!SettleNodeDialog())
        return;
    RecordChange(); // a change not heard of yet is the one to take back
    const std::string* then = m_history.Undo(&m_snapshot);
    Restore(m_snapshot, then);
}

void MainFrame::OnEditRedo()
{
    if (!SettleNodeDialog())
        return;
    RecordChange();
    const std::string* then = m_history.Redo(&m_snapshot);
    Restore(m_snapshot, then);
}

// Puts the job as the history holds it on the job on screen, changing only what differs: the same file, the
// selection and the scroll position where they still are, and the node dialog open again on the node of the same
// id. Windows that hold the job's objects close, as when another job is opened.
void MainFrame::Restore(const std::string& now, const std::string* then)
{
    if (!then || !m_owned)
        return;
    std::vector<int> nodeIds;
    for (const HostNode* node : m_view.GetSelectedNodes())
        nodeIds.push_back(node->m_nID);
    const HostLink* selLink = m_view.GetSelectedLink();
    int linkId = selLink ? selLink->m_nID : 0;
    CPoint scroll = m_view.GetScrollPosition();
    CDlgDefineNode* dlg = GetNodeDialog();
    int dialogNode = dlg && dlg->IsWindowVisible() && dlg->m_pNode ? dlg->m_pNode->m_nID : 0;

    m_bRestoring = true;
    // The windows that hold the job's objects let go of them first, as for another job.
    CloseNodeDialog();
    for (HWND wnd : std::exchange(m_jobWindows, {}))
        if (IsWindow(wnd))
            CWnd::FromHandle(wnd)->DestroyWindow();
    m_view.SetDocument(nullptr);
    JobDocument* doc = m_pDoc;
    bool put = false;
    try
    {
        put = PutJobSnapshot(*doc, now, *then);
    }
    catch (const std::exception&)
    {
    }
    if (put)
        doc->SetModifiedFlag(!m_history.IsSaved());
    SetDocument(std::move(m_owned), doc);
    if (!put)
    {
        // Never seen: the history holds what the same code took. The job on screen stays, and becomes the one
        // changes are compared with.
        m_bRestoring = false;
        MessageBox("Cannot restore the job.", kAppName, MB_OK | MB_ICONSTOP);
        m_history.Reset(TakeJobSnapshot(*m_pDoc), !m_pDoc->IsModified());
        return;
    }
    if (!nodeIds.empty())
        m_view.SelectNodes(nodeIds);
    else if (HostLink* link = m_pDoc->FindLink(linkId))
        m_view.SelectLink(link);
    m_view.ScrollTo(scroll);
    m_bRestoring = false;
    if (HostNode* node = m_pDoc->FindNode(dialogNode))
        OpenNodeDialog(node, nullptr, false); // where it was: the dialog keeps its place in the settings
    UpdateTitle();
}

void MainFrame::OnEditDelete() { m_view.DeleteSelection(); }

void MainFrame::OnEditSelectAll() { m_view.SelectAll(); }

void MainFrame::OnViewZoom(UINT id)
{
    switch (id)
    {
    case ID_VIEW_ZOOM_IN: m_view.ZoomStep(true); break;
    case ID_VIEW_ZOOM_OUT: m_view.ZoomStep(false); break;
    case ID_VIEW_ZOOM_100: m_view.SetZoom(100, m_view.GetViewRect().CenterPoint()); break;
    default: m_view.ZoomToFit(); break;
    }
}
void MainFrame::OnEditCut() { m_view.CutSelection(); }
void MainFrame::OnEditCopy() { m_view.CopySelection(); }
void MainFrame::OnEditPaste() { m_view.Paste(); }
void MainFrame::OnEditDuplicate() { m_view.DuplicateSelection(); }

void MainFrame::OnArrange(UINT id)
{
    if (id >= ID_DISTRIBUTE_ACROSS)
        m_view.DistributeSelection(id == ID_DISTRIBUTE_ACROSS);
    else
        m_view.AlignSelection(FlowchartView::Align(id - ID_ALIGN_LEFT));
}

void MainFrame::OnNodeNew(UINT id) { m_view.NewNodeAtFreeSpot(int(id - ID_NODE_NEW_FIRST)); }

void MainFrame::OnNodeLink()
{
    m_view.SetLinkTool(!m_view.IsLinkTool());
    UpdateBars();
}

// ---------------------------------------------------------------------------------------------------------------
// Define.

void MainFrame::OnDefineNode()
{
    if (HostNode* node = m_view.GetSelectedNode())
        OpenNodeDialog(node, nullptr);
    else if (HostLink* link = m_view.GetSelectedLink())
        OpenNodeDialog(m_pDoc->FindNode(link->m_nFromNodeID), link);
}

void MainFrame::OnDefineRecord(UINT id)
{
    HostRecord* record = nullptr;
    bool created = false;
    if (id == ID_DEFINE_RECORD_NEW)
    {
        CString name;
        for (int n = m_pDoc->GetRecordCount() + 1;; ++n)
        {
            name.Format("Record %d", n);
            bool taken = false;
            for (int i = 0; i < m_pDoc->GetRecordCount(); ++i)
                taken = taken || m_pDoc->GetRecordAt(i)->m_strName == name;
            if (!taken)
                break;
        }
        record = m_pDoc->AddRecord(name, "");
        created = record != nullptr;
    }
    else
        record = m_pDoc->GetRecordAt(int(id - ID_DEFINE_RECORD_FIRST));
    if (!record)
        return;
    CDlgDefineRecord dlg(record->GetOptions(), this);
    INT_PTR result = dlg.DoModal();
    if (created && result != IDOK)
        m_pDoc->RemoveRecord(record->m_nID); // a new record the user cancelled was never there
    RecordChange();
    UpdateTitle();
}

void MainFrame::OnDefinePortable()
{
    CDlgDefinePortable dlg(&m_pDoc->Terminal(), m_pDoc->GetPortableOptions(), this);
    dlg.DoModal();
    RecordChange();
    UpdateTitle();
}

void MainFrame::RunJobDialog(int mode)
{
    CDlgDefineJob dlg(m_pDoc, JOBSETTINGMODE(mode), m_pDoc->GetJobOptions(mode), this);
    const int codePage = m_pDoc->GetCodePage();
    dlg.DoModal();
    if (m_pDoc->GetCodePage() != codePage)
    {
        // The job's bytes stay as they are; every window now reads them in the new language's code page.
        UseJobCodePage(*m_pDoc);
        m_view.Invalidate();
    }
    RecordChange();
    UpdateTitle();
}

void MainFrame::OnDefineGlobal() { RunJobDialog(JSM_GLOBAL); }
void MainFrame::OnDefineJob() { RunJobDialog(JSM_JOB); }
void MainFrame::OnDefineLanguage() { RunJobDialog(JSM_LANGUAGE); }

void MainFrame::OnSimulate()
{
    if (SimulateHandler run = GetSimulateHandler())
        if (CWnd* window = run(this, *m_pDoc))
            m_jobWindows.push_back(window->m_hWnd);
    UpdateTitle();
}

// ---------------------------------------------------------------------------------------------------------------
// The node dialog beside the flowchart.

void MainFrame::OpenNodeDialog(HostNode* node, HostLink* link, bool beside)
{
    if (!node)
        return;
    if (CDlgDefineNode* dlg = GetNodeDialog())
    {
        LoadNodeDialog(node, link);
        if (beside && !dlg->IsWindowVisible())
            PlaceBesideNode(*dlg, *node);
        dlg->ShowWindow(SW_SHOW);
        dlg->SetFocus();
        return;
    }
    CloseNodeDialog();
    OPTIONITEM* options = link ? m_pDoc->BeginDefineLink(link, nullptr) : m_pDoc->BeginDefineNode(node);
    m_nodeDlg = std::make_unique<CDlgDefineNode>();
    if (!m_nodeDlg->CreateDefineNode(node, options, this))
    {
        m_nodeDlg.reset();
        return;
    }
    m_pDoc->SetNodeDialog(m_nodeDlg.get());
    if (beside)
        PlaceBesideNode(*m_nodeDlg, *node);
    m_nodeDlg->ShowWindow(SW_SHOW);
}

void MainFrame::PlaceBesideNode(CWnd& wnd, const HostNode& node)
{
    CRect anchor = m_view.PageToClient(m_view.GetNodeRect(node));
    m_view.ClientToScreen(&anchor);
    CRect now;
    wnd.GetWindowRect(&now);
    CRect place = PlaceBeside(now, anchor, WorkAreaAt(anchor.CenterPoint()));
    if (place != now)
        wnd.MoveWindow(&place);
}

// The library's way to show another node in an open dialog: release the one it holds, then load the next. What
// was not applied stays with the node it was typed for: nothing reaches a node before OK or Apply.
void MainFrame::LoadNodeDialog(HostNode* node, HostLink* link)
{
    CDlgDefineNode* dlg = GetNodeDialog();
    if (!dlg || !node)
        return;
    if (dlg->m_pNode == node)
    {
        if (link)
            dlg->SelectOption(IDD_LINK, link->m_nID);
        return;
    }
    if (!SettleNodeDialog())
        return; // the dialog stays on its node, with what the person typed
    dlg->Release();
    OPTIONITEM* options = link ? m_pDoc->BeginDefineLink(link, nullptr) : m_pDoc->BeginDefineNode(node);
    dlg->Initial(node, options);
    dlg->InitialDlg();
}

bool MainFrame::MayLoadNodeDialog(int nodeId, int linkId, bool& asked)
{
    CDlgDefineNode* dlg = GetNodeDialog();
    if (!dlg || !dlg->IsWindowVisible() || !dlg->m_pNode)
        return true;
    // A link is shown on its source node's dialog; nothing selected leaves the dialog as it is.
    if (HostLink* link = nodeId ? nullptr : m_pDoc->FindLink(linkId))
        nodeId = link->m_nFromNodeID;
    if (nodeId == 0 || nodeId == dlg->m_pNode->m_nID)
        return true;
    return SettleNodeDialog(&asked);
}

bool MainFrame::SettleNodeDialog(bool* asked)
{
    CDlgDefineNode* dlg = GetNodeDialog();
    auto* node = dlg && dlg->IsWindowVisible() ? dynamic_cast<HostNode*>(dlg->m_pNode) : nullptr;
    if (!node || !NodeDialogHoldsChanges(*dlg, *m_pDoc))
        return true;
    if (asked)
        *asked = true;
    switch (AskAboutUnappliedChanges(this, node->GetLabel()))
    {
    case UnappliedAnswer::Apply:
        // As its Apply button: a value a page refuses is shown on its page, and the person stays to mend it.
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(ID_APPLY_NOW, BN_CLICKED),
                         LPARAM(::GetDlgItem(dlg->m_hWnd, ID_APPLY_NOW)));
        return !NodeDialogHoldsChanges(*dlg, *m_pDoc);
    case UnappliedAnswer::Discard: {
        // The dialog shows the node as it is again, on the same page.
        int sub = 0;
        int id = dlg->GetActiveOptionID(&sub);
        dlg->Release();
        OPTIONITEM* options = m_pDoc->BeginDefineNode(node);
        m_pDoc->m_nLastOptionID = id > 0 ? id : m_pDoc->m_nLastOptionID;
        m_pDoc->m_nLastOptionSub = sub;
        dlg->Initial(node, options);
        dlg->InitialDlg();
        return true;
    }
    case UnappliedAnswer::Stay: break;
    }
    return false;
}

void MainFrame::CloseNodeDialog()
{
    if (!m_nodeDlg)
        return;
    if (m_pDoc && m_pDoc->GetNodeDialog() == m_nodeDlg.get())
        m_pDoc->SetNodeDialog(nullptr);
    m_nodeDlg->DestroyWindow();
    m_nodeDlg.reset();
}

void MainFrame::OnSelectionChanged()
{
    UpdateBars();
    if (m_bResultsShown)
    {
        HostNode* selected = m_view.GetSelectedNode();
        m_results.SetCurSel(m_results.IndexOfNode(selected ? selected->m_nID : 0));
    }
    CDlgDefineNode* dlg = GetNodeDialog();
    if (!dlg || !dlg->IsWindowVisible())
        return;
    if (HostNode* node = m_view.GetSelectedNode())
        LoadNodeDialog(node, nullptr);
    else if (HostLink* link = m_view.GetSelectedLink())
        LoadNodeDialog(m_pDoc->FindNode(link->m_nFromNodeID), link);
}

CWnd* CreateMainFrameForGallery(JobDocument& doc)
{
    auto* frame = new MainFrame;
    if (!frame->Create(doc, CRect(0, 0, 1000, 720)))
    {
        delete frame;
        return nullptr;
    }
    frame->ShowWindow(SW_SHOW);
    return frame;
}

// Where the sample job is: beside the program once installed, else in the source tree it was built from.
int RunMainWindow(const char* file)
{
    MainFrame frame;
    // An empty untitled job until the first one is read: a file that cannot be read leaves nothing named after it.
    if (!frame.Create(std::make_unique<JobDocument>()))
        return 1;
    AfxSetMainWnd(&frame);
    frame.onClosed = [] { QCoreApplication::quit(); };
    frame.ShowWindow(SW_SHOW);
    frame.OpenStartingJob(file);
    int result = QApplication::exec();
    AfxSetMainWnd(nullptr);
    return result;
}

// ---------------------------------------------------------------------------------------------------------------
// The status bar: what is selected, the link tool, where the pointer is on the page.

CString MainFrame::GetStatusText() const
{
    CString text;
    if (HostNode* node = m_view.GetSelectedNode())
        text = "Node " + node->GetLabel();
    else if (int nodes = m_view.GetSelectedNodeCount(); nodes > 1)
        text.Format("%d nodes", nodes);
    else if (HostLink* link = m_view.GetSelectedLink())
        text = "Link " + link->GetLabel();
    else
        text = "Nothing selected";
    text += m_view.IsLinkTool() ? "    Link tool: on" : "    Link tool: off";
    CString zoom;
    zoom.Format("    Zoom %d%%", m_view.GetZoom());
    text += zoom;
    if (m_ptPointer.x >= 0)
    {
        CString at;
        at.Format("    %d, %d", int(m_ptPointer.x), int(m_ptPointer.y));
        text += at;
    }
    return text;
}

void MainFrame::UpdateBars()
{
    if (m_toolbar.m_hWnd)
    {
        m_toolbar.SetLinkTool(m_view.IsLinkTool());
        m_toolbar.EnableCommand(ID_SIMULATE_RUN, GetSimulateHandler() != nullptr);
    }
    UpdateStatusText();
}

void MainFrame::UpdateStatusText()
{
    if (!m_status.m_hWnd || !m_bStatusBar)
        return;
    CString text = " " + GetStatusText();
    if (m_status.GetWindowText() != text)
        m_status.SetWindowText(text);
}

void MainFrame::OnViewStatusBar() { ToggleBar(m_status, m_bStatusBar, "StatusBar"); }

void MainFrame::OnViewToolbar() { ToggleBar(m_toolbar, m_bToolbar, "Toolbar"); }

void MainFrame::ToggleBar(CWnd& bar, bool& shown, const char* setting)
{
    shown = !shown;
    theReg.WriteInt("Settings", setting, shown ? 1 : 0);
    if (HWND focus = ::GetFocus(); !shown && focus && (focus == bar.m_hWnd || ::GetParent(focus) == bar.m_hWnd))
        m_view.SetFocus();
    bar.ShowWindow(shown ? SW_SHOW : SW_HIDE);
    UpdateBars();
    CRect client;
    GetClientRect(&client);
    OnSize(0, client.Width(), client.Height());
}

// ---------------------------------------------------------------------------------------------------------------
// Help.

void MainFrame::OnHelpKeyboard()
{
    CString text = "In the main window:\n";
    for (const Shortcut& s : kShortcuts)
        if (s.keys)
            text += CString("  ") + s.keys + ": " + s.what + "\n";
    text += "\nIn the flowchart:\n";
    for (const auto& k : kOtherKeys)
        text += CString("  ") + k[0] + ": " + k[1] + "\n";
    MessageBox(text, "Keyboard Shortcuts", MB_OK | MB_ICONINFORMATION);
}

void MainFrame::OnAppAbout()
{
    CString text;
    text.Format("jobhost %s\n\n"
                "Draws, defines and simulates jobs for portable data terminals with the pdtdlg library.\n\n"
                "Built with Qt %s, used under the GNU Lesser General Public License version 3, "
                "and nlohmann/json, used under the MIT License.",
                PDT_VERSION, QT_VERSION_STR);
    MessageBox(text, "About jobhost", MB_OK | MB_ICONINFORMATION);
}
