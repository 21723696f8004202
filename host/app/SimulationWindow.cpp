#include "host/app/SimulationWindow.h"

#include <QFileInfo>

#include <cctype>
#include <filesystem>
#include <functional>
#include <strings.h>

#include "host/app/PortableScreenTerminal.h"
#include "host/app/SimulationJobLoader.h"
#include "host/app/res/simulation.h"
#include "host/model/HostTerminal.h"
#include "host/model/JobDocument.h"
#include "host/sim/JobRunner.h"
#include "host/sim/KeyScript.h"
#include "host/sim/SimDataFiles.h"
#include "host/sim/SimRecordLine.h"
#include "platform/afxcmn.h"
#include "portable/CDlgDefineKeypadModels.h"
#include "resources/resource.h"
#include "support/Support.h"
#if __has_include("host/app/HostCommands.h")
#include "host/app/HostCommands.h"
#define PDT_HAVE_HOSTCOMMANDS 1
#endif

namespace
{

// The model's keypad dialog as the terminal's keypad: every key it produces goes to the job at once, and it never
// ends itself (Enter and Escape are the terminal's keys).
template <class Model> class SimulationKeypad : public Model
{
  public:
    SimulationKeypad(KEYMAP_KEY (*keymap)[KEYMAP_SIZE], std::function<void(int)> onKey)
        : Model(KEYPAD_MODE_SELECT, keymap, nullptr), m_onKey(std::move(onKey))
    {
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT r = Model::WindowProc(message, wParam, lParam);
        if (message == WM_COMMAND)
            Deliver();
        return r;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        // The terminals have no Tab key, and the model's dialog takes every key while a job runs: Tab is left to the
        // window, so that it still moves the focus from one control to the next.
        if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && pMsg->wParam == VK_TAB)
            return FALSE;
        // Nor have they an Alt key: Alt and a button's letter (Alt+S for Stop) press it, from anywhere in the window.
        if (pMsg->message == WM_SYSKEYDOWN || pMsg->message == WM_SYSKEYUP || pMsg->message == WM_SYSCHAR)
            return FALSE;
        BOOL r = Model::PreTranslateMessage(pMsg);
        if (pMsg->message == WM_KEYDOWN)
            Deliver();
        return r;
    }

  protected:
    void OnOK() override {}
    void OnCancel() override {}

  private:
    void Deliver()
    {
        CKeypad* keypad = this->m_pKeypad;
        if (!keypad || !keypad->m_nKeyID)
            return;
        const int id = keypad->m_nKeyID;
        keypad->m_nKeyID = 0; // the same key again is a new key
        m_onKey(id);
    }
    std::function<void(int)> m_onKey;
};

std::unique_ptr<CDlgDefineKeypad> MakeKeypad(const CString& model, KEYMAP_KEY (*keymap)[KEYMAP_SIZE],
                                             std::function<void(int)> onKey)
{
    if (model == "M-10")
        return std::make_unique<SimulationKeypad<CDlgDefineKeypadM10>>(keymap, onKey);
    if (model == "M-13")
        return std::make_unique<SimulationKeypad<CDlgDefineKeypadM13>>(keymap, onKey);
    if (model == "N-13")
        return std::make_unique<SimulationKeypad<CDlgDefineKeypadN13>>(keymap, onKey);
    if (model == "M-20X")
        return std::make_unique<SimulationKeypad<CDlgDefineKeypadM20X>>(keymap, onKey);
    if (model == "R-50")
        return std::make_unique<SimulationKeypad<CDlgDefineKeypadR50>>(keymap, onKey);
    if (model == "R-50G")
        return std::make_unique<SimulationKeypad<CDlgDefineKeypadR50G>>(keymap, onKey);
    // The screen of an unknown model is the M-20's; so is its keypad.
    return std::make_unique<SimulationKeypad<CDlgDefineKeypadM20>>(keymap, onKey);
}

constexpr int kGap = 8;
constexpr int kMinPaneHeight = 80; // the data files and the log, at the smallest
constexpr int kPaneGrowth = 90;    // and what they get more when the window opens

const char* StateText(const JobRunner& runner, std::string& text)
{
    switch (runner.GetState())
    {
    case RunState::Waiting:
        text = "Running: node \"" + runner.GetCurrentNode()->m_strName.str() + "\"";
        break;
    case RunState::Ended:
        text = "Ended. " + runner.GetEndMessage();
        break;
    case RunState::Stopped:
        text = "Stopped. " + runner.GetEndMessage();
        break;
    default:
        text = "Not started";
        break;
    }
    return text.c_str();
}

// The record a job writes into a data file, if any.
const HostRecord* RecordWriting(JobDocument& doc, const std::string& file)
{
    for (int i = 0; i < doc.GetRecordCount(); ++i)
        if (strcasecmp(TerminalFileName(doc.GetRecordAt(i)->m_strDataFile.str()).c_str(),
                       TerminalFileName(file).c_str()) == 0)
            return doc.GetRecordAt(i);
    return nullptr;
}

} // namespace

SimulationWindow::SimulationWindow(JobDocument& doc)
    : CDialog(IDD_SIMULATION), m_doc(doc), m_screen(doc.m_crScreenBackground)
{
}

SimulationWindow::~SimulationWindow()
{
    SetRunning(false);
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

const MessageMap& SimulationWindow::GetThisMessageMap()
{
    using C = SimulationWindow;
    static const MessageMap map(&CDialog::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_SIM_RUN, BN_CLICKED, &C::OnRun),
                                    mm::Command(IDC_SIM_STOP, BN_CLICKED, &C::OnStop),
                                    mm::Command(IDC_SIM_RESTART, BN_CLICKED, &C::OnRestart),
                                    mm::Command(IDC_SIM_SCANBTN, BN_CLICKED, &C::OnScan),
                                    mm::Command(IDC_SIM_LOADFILE, BN_CLICKED, &C::OnLoadFile),
                                    mm::Size(&C::OnSize),
                                    mm::Message(WM_GETMINMAXINFO, &C::OnGetMinMaxInfo),
                                    mm::Command(IDC_SIM_FILES, CBN_SELCHANGE, &C::OnSelchangeFiles),
                                    mm::Destroy(&C::OnDestroy),
                                });
    return map;
}

BOOL SimulationWindow::Create(CWnd* parent)
{
    return CDialog::Create(IDD_SIMULATION, parent);
}

BOOL SimulationWindow::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString title = "Simulation - " + (m_doc.m_strPathName.IsEmpty() ? CString("Untitled")
                                                                     : CString::FromUtf8(m_doc.m_strPathName.str()));
    SetWindowText(title);

    HostTerminal& terminal = m_doc.Terminal();
    const CSize cells = HostTerminal::ScreenSizeOf(terminal.m_strModel);
    // The screen takes the model's proportions in the height it is offered; the large window doubles it.
    const int offered = m_doc.m_settings.bLargeWindow ? 440 : 220;
    m_screen.Create(CSize(offered * 3, offered), CRect(kGap, kGap, kGap + offered * 3, kGap + offered), IDC_SIM_SCREEN,
                    this);
    m_screen.Initial(terminal.m_strModel, cells, m_doc.m_nLanguage);
    m_terminal = std::make_unique<PortableScreenTerminal>(m_screen, cells);
    RunnerOptions options;
    options.loadJob = &LoadJobForRunJob;
    m_runner = std::make_unique<JobRunner>(m_doc, *m_terminal, options);

    KEYMAP_KEY keymap[KEYMAP_SIZE];
    terminal.GetKeymapInUse(keymap);
    m_pKeypad = MakeKeypad(terminal.m_strModel, &keymap, [this](int id) { OnKeypadKey(id); });
    if (m_pKeypad->Create(m_pKeypad->GetTemplateID(), this))
    {
        // The popup dialog becomes a pane of this window.
        m_pKeypad->ModifyStyle(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_CHILD | WS_VISIBLE);
        m_pKeypad->SetParent(this);
        HideKeypadExtras();
    }
    if (CListCtrl* data = static_cast<CListCtrl*>(GetDlgItem(IDC_SIM_DATA)))
        data->SetExtendedStyle(data->GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    // The window opens at its smallest width, with room for a few records and log lines.
    Layout(0, 0);
    m_bLaidOut = true;
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    MoveWindow(window.left, window.top, m_sizeMin.cx + (window.Width() - client.Width()),
               m_sizeMin.cy + kPaneGrowth + (window.Height() - client.Height()));
    GetClientRect(&client);
    Layout(client.Width(), client.Height());
    Run();
    return TRUE;
}

void SimulationWindow::HideKeypadExtras()
{
    // The keypad dialog's own buttons and the key's name and code are for choosing a key for a link; here a key goes
    // to the job as it is pressed, and they would do nothing.
    for (int id : {int(IDOK), int(IDCANCEL), IDC_KEY_ANYKEY, IDC_KEY_NAME_LABEL, IDC_KEY_NAME, IDC_KEY_CODE_LABEL,
                   IDC_KEY_CODE, IDC_KEY_CHAR})
        if (CWnd* w = m_pKeypad->GetDlgItem(id))
        {
            w->ShowWindow(SW_HIDE);
            w->EnableWindow(FALSE);
        }
    // The pane is as large as the keys that are left.
    CRect used(0, 0, 0, 0);
    for (CWnd* w = m_pKeypad->GetWindow(GW_CHILD); w; w = w->GetWindow(GW_HWNDNEXT))
        if (w->IsWindowVisible() || (w->GetStyle() & WS_VISIBLE))
        {
            CRect r;
            w->GetWindowRect(&r);
            m_pKeypad->ScreenToClient(&r);
            used.UnionRect(used, r);
        }
    if (!used.IsRectEmpty())
        m_pKeypad->SetWindowPos(nullptr, 0, 0, used.right + kGap / 2, used.bottom + kGap / 2,
                                SWP_NOMOVE | SWP_NOZORDER);
}

void SimulationWindow::OnSize(UINT, int cx, int cy)
{
    if (m_bLaidOut)
        Layout(cx, cy);
}

LRESULT SimulationWindow::OnGetMinMaxInfo(WPARAM, LPARAM lParam)
{
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize = {m_sizeMin.cx + (window.Width() - client.Width()),
                            m_sizeMin.cy + (window.Height() - client.Height())};
    return 0;
}

void SimulationWindow::Layout(int cx, int cy)
{
    auto size = [this](int id) {
        CRect r;
        if (CWnd* w = GetDlgItem(id))
            w->GetWindowRect(&r);
        return r.Size();
    };
    auto place = [this](int id, int x, int y, int w, int h) {
        if (CWnd* c = GetDlgItem(id))
            c->MoveWindow(x, y, std::max(0, w), std::max(0, h));
    };
    CRect screen;
    m_screen.GetWindowRect(&screen);
    ScreenToClient(&screen);
    const CSize label = size(IDC_SIM_SCAN_LABEL), edit = size(IDC_SIM_SCAN), scan = size(IDC_SIM_SCANBTN),
                load = size(IDC_SIM_LOADFILE), button = size(IDC_SIM_RUN);
    // The column under the screen is as wide as the screen or the scan row, whichever is wider.
    const int left = kGap, column = std::max(int(screen.Width()), int(label.cx + edit.cx + scan.cx + load.cx + 12));
    int y = screen.bottom + kGap;
    place(IDC_SIM_RUN, left, y, button.cx, button.cy);
    place(IDC_SIM_STOP, left + button.cx + 4, y, button.cx, button.cy);
    place(IDC_SIM_RESTART, left + 2 * (button.cx + 4), y, button.cx, button.cy);
    y += button.cy + 6;
    place(IDC_SIM_SCAN_LABEL, left, y + 3, label.cx, label.cy);
    place(IDC_SIM_SCAN, left + label.cx + 4, y, edit.cx, edit.cy);
    place(IDC_SIM_SCANBTN, left + label.cx + edit.cx + 8, y - 1, scan.cx, scan.cy);
    place(IDC_SIM_LOADFILE, left + label.cx + edit.cx + scan.cx + 12, y - 1, load.cx, load.cy);
    y += std::max(edit.cy, scan.cy) + kGap;

    int right = left + column; // of the top row
    if (m_pKeypad && ::IsWindow(m_pKeypad->m_hWnd))
    {
        CRect pad;
        m_pKeypad->GetWindowRect(&pad);
        m_pKeypad->MoveWindow(right + kGap, kGap, pad.Width(), pad.Height());
        right += kGap + pad.Width();
        y = std::max(y, int(kGap + pad.Height() + kGap));
    }
    const int minWidth = right + kGap;
    const int width = std::max(cx, minWidth) - 2 * kGap;

    // The state line spans the window and takes as many lines as its text needs at that width.
    if (CWnd* state = GetDlgItem(IDC_SIM_STATE))
    {
        CString text = state->GetWindowText();
        CClientDC dc(state);
        CFont* old = dc.SelectObject(state->GetFont());
        CRect need(0, 0, width, 0);
        dc.DrawText(text.IsEmpty() ? CString("X") : text, &need, DT_CALCRECT | DT_WORDBREAK);
        dc.SelectObject(old);
        const int height = std::max(int(need.Height()), int(size(IDC_SIM_STATE).cy > 0 ? 1 : 0));
        place(IDC_SIM_STATE, left, y, width, height);
        y += height + 6;
    }

    // The data files and the log share the width, and the height that is left.
    const int half = (width - kGap) / 2;
    const CSize fl = size(IDC_SIM_FILES_LABEL), combo = size(IDC_SIM_FILES);
    place(IDC_SIM_FILES_LABEL, left, y + 3, fl.cx, fl.cy);
    place(IDC_SIM_FILES, left + fl.cx + 4, y, half - fl.cx - 4, combo.cy);
    place(IDC_SIM_LOG_LABEL, left + half + kGap, y + 3, fl.cx, fl.cy);
    y += combo.cy + 4;
    const int panes = std::max(kMinPaneHeight, cy - kGap - y);
    place(IDC_SIM_DATA, left, y, half, panes);
    place(IDC_SIM_LOG, left + half + kGap, y, width - half - kGap, panes);
    m_sizeMin = CSize(minWidth, y + kMinPaneHeight + kGap);
    // A state line that took another line may leave the panes too little: the window grows (once; it then fits).
    if (m_bLaidOut && cy > 0 && cy < m_sizeMin.cy)
    {
        CRect window;
        GetWindowRect(&window);
        MoveWindow(window.left, window.top, window.Width(), window.Height() + (m_sizeMin.cy - cy));
    }
}

void SimulationWindow::SetRunning(bool running)
{
    // The flag is shared with the keypad dialogs: only this window's run sets and clears it.
    if (running && !m_bFlagSet)
        OnJobSimulation = 1;
    else if (!running && m_bFlagSet)
        OnJobSimulation = 0;
    m_bFlagSet = running;
    if (::IsWindow(m_hWnd))
    {
        if (CWnd* stop = GetDlgItem(IDC_SIM_STOP))
            stop->EnableWindow(running);
        if (CWnd* run = GetDlgItem(IDC_SIM_RUN))
            run->EnableWindow(!running);
    }
}

void SimulationWindow::Run()
{
    if (!m_runner || m_runner->IsWaiting())
        return;
    Restart();
}

void SimulationWindow::Restart()
{
    if (!m_runner)
        return;
    SetRunning(true);
    m_nLogShown = 0;
    m_runner->Start();
    RefreshPanes();
}

void SimulationWindow::Stop()
{
    if (m_runner)
        m_runner->Stop("Stopped by the user.");
    RefreshPanes();
}

void SimulationWindow::OnRun()
{
    Run();
}

void SimulationWindow::OnStop()
{
    Stop();
}

void SimulationWindow::OnRestart()
{
    Restart();
}

void SimulationWindow::OnKeypadKey(int nKeyID)
{
    if (!m_runner)
        return;
    m_runner->PressKey(nKeyID);
    RefreshPanes();
}

void SimulationWindow::OnScan()
{
    CString data;
    GetDlgItemText(IDC_SIM_SCAN, data);
    if (data.IsEmpty() || !m_runner)
        return;
    const SimKeyEvent scan = ReadScan(data.str(), *m_runner);
    m_runner->Scan(scan.scan, scan.nSymbology);
    SetDlgItemText(IDC_SIM_SCAN, "");
    RefreshPanes();
}

void SimulationWindow::LoadFile(const std::string& name, const std::string& bytes)
{
    if (!m_runner)
        return;
    m_runner->LoadFile(name, bytes);
    RefreshPanes();
}

void SimulationWindow::OnLoadFile()
{
    // The browser starts in the job's own folder, where its lookup files usually are.
    std::string path;
    if (std::filesystem::path folder = std::filesystem::path(m_doc.GetFileBase()).parent_path(); !folder.empty())
        path = folder.string() + "/";
    if (!BrowseFileName(this, path, true, "LOOKUP",
                        "Data Files (*.dat; *.txt)|*.dat; *.txt|Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"))
        return;
    std::string bytes, error;
    if (!ReadTerminalFile(path, bytes, error))
    {
        error[0] = char(std::toupper(static_cast<unsigned char>(error[0])));
        AfxMessageBox(CString::FromUtf8(error + "."), MB_OK | MB_ICONSTOP);
        return;
    }
    // The job names its files as the terminal does: a file the job uses by the same name goes in under the job's name.
    // The PC's file names and text files are UTF-8; the job knows its files by names in its code page.
    const int cp = m_doc.GetCodePage();
    std::string name = DataFileBytes(QFileInfo(QString::fromStdString(path)).fileName().toStdString(), cp);
    auto matches = [&](const CString& jobName) {
        const std::string s = jobName.str();
        const size_t slash = s.find_last_of("\\/:");
        const std::string base = slash == std::string::npos ? s : s.substr(slash + 1);
        return !base.empty() && strcasecmp(base.c_str(), name.c_str()) == 0;
    };
    std::string chosen = name;
    for (int i = 0; i < m_doc.GetNodeCount(); ++i)
    {
        HostNode* n = m_doc.GetNodeAt(i);
        for (const CString* s : {&n->m_strVerifyLookupFile, &n->m_strDataFile})
            if (matches(*s))
                chosen = s->str();
    }
    for (int i = 0; i < m_doc.GetRecordCount(); ++i)
        if (matches(m_doc.GetRecordAt(i)->m_strDataFile))
            chosen = m_doc.GetRecordAt(i)->m_strDataFile.str();
    LoadFile(chosen, DataFileBytes(bytes, cp));
}

void SimulationWindow::RefreshPanes()
{
    if (!::IsWindow(m_hWnd) || !m_runner)
        return;
    const bool running = m_runner->IsWaiting();
    SetRunning(running);
    std::string state;
    SetDlgItemText(IDC_SIM_STATE, StateText(*m_runner, state));
    if (m_bLaidOut)
    {
        // A longer state may need another line.
        CRect client;
        GetClientRect(&client);
        Layout(client.Width(), client.Height());
    }

    // The log grows at its end; it is rebuilt only when a restart emptied it.
    const auto& log = m_runner->GetLog();
    if (log.size() != m_nLogShown)
    {
        std::string text;
        for (const std::string& line : log)
            text += line + "\r\n";
        SetDlgItemText(IDC_SIM_LOG, text.c_str());
        m_nLogShown = log.size();
    }

    CComboBox* files = static_cast<CComboBox*>(GetDlgItem(IDC_SIM_FILES));
    if (!files)
        return;
    CString current;
    if (files->GetCurSel() >= 0)
        files->GetLBText(files->GetCurSel(), current);
    files->ResetContent();
    for (const SimDataFile& f : m_runner->GetFiles().All())
        files->AddString(f.name.c_str());
    int keep = current.IsEmpty() ? -1 : files->FindStringExact(-1, current);
    // The newest file shows when the one shown has gone, or when none was shown.
    if (keep < 0 && files->GetCount() > 0)
        keep = files->GetCount() - 1;
    files->SetCurSel(keep);
    ShowFile();
}

void SimulationWindow::OnSelchangeFiles()
{
    ShowFile();
}

void SimulationWindow::ShowFile()
{
    CListCtrl* data = static_cast<CListCtrl*>(GetDlgItem(IDC_SIM_DATA));
    CComboBox* files = static_cast<CComboBox*>(GetDlgItem(IDC_SIM_FILES));
    if (!data || !files)
        return;
    data->DeleteAllItems();
    while (data->GetColumnCount() > 0)
        data->DeleteColumn(0);
    CString name;
    if (files->GetCurSel() < 0)
        return;
    files->GetLBText(files->GetCurSel(), name);
    const SimDataFile* file = m_runner->GetFiles().Find(name.str());
    if (!file)
        return;
    // The fields as the edit node shows them, without what the record writes around them. A job a run-job node
    // loaded may write files this one does not know.
    const HostRecord* record = RecordWriting(m_runner->GetJob(), file->name);
    if (!record)
        record = RecordWriting(m_doc, file->name);
    const int separator = record ? record->m_nFieldSeparator : ',';
    std::vector<std::vector<std::string>> rows;
    size_t columns = 1;
    for (const std::string& r : file->records)
    {
        rows.push_back(TakeApart(r, record, separator).fields);
        columns = std::max(columns, rows.back().size());
    }
    data->InsertColumn(0, "#", LVCFMT_RIGHT, 32);
    for (size_t c = 0; c < columns; ++c)
    {
        // A field is named after the node whose data the record writes there.
        CString title;
        const HostNode* node = nullptr;
        if (record && c < size_t(record->m_arrFields.GetSize()))
            for (JobDocument* doc : {&m_runner->GetJob(), &m_doc})
                if (!node)
                    node = doc->FindNode(record->m_arrFields[int(c)]);
        if (node && !node->m_strName.IsEmpty())
            title = node->m_strName;
        else
            title.Format("Field %d", int(c + 1));
        data->InsertColumn(int(c + 1), title, LVCFMT_LEFT, 90);
    }
    // Last, the record as written, which is what an upload sends.
    data->InsertColumn(int(columns + 1), "Record", LVCFMT_LEFT, 160);
    for (size_t i = 0; i < file->records.size(); ++i)
    {
        CString number;
        number.Format("%d", int(i + 1));
        const int item = data->InsertItem(int(i), number);
        for (size_t c = 0; c < rows[i].size(); ++c)
            data->SetItemText(item, int(c + 1), EscapeBytes(rows[i][c]).c_str());
        data->SetItemText(item, int(columns + 1), EscapeBytes(file->records[i]).c_str());
    }
}

bool SimulationWindow::InKeypad(HWND h) const
{
    if (!m_pKeypad)
        return false;
    for (; ::IsWindow(h); h = ::GetParent(h))
        if (h == m_pKeypad->m_hWnd)
            return true;
    return false;
}

BOOL SimulationWindow::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        HWND scan = ::GetDlgItem(m_hWnd, IDC_SIM_SCAN);
        if (pMsg->hwnd == scan)
        {
            // The scan field takes its text; Enter reads the barcode, Escape does not close the window.
            if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
            {
                OnScan();
                return TRUE;
            }
            if (pMsg->wParam == VK_ESCAPE)
                return TRUE;
            return CDialog::PreTranslateMessage(pMsg);
        }
        // Elsewhere in the window the computer's keyboard is the terminal's keypad.
        if (m_pKeypad && ::IsWindow(m_pKeypad->m_hWnd) && !InKeypad(pMsg->hwnd))
        {
            if (m_pKeypad->PreTranslateMessage(pMsg))
                return TRUE;
            if (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_RETURN)
                return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void SimulationWindow::OnOK() {}

void SimulationWindow::OnCancel()
{
    // The close box: the window goes, and the run with it.
    DestroyWindow();
}

void SimulationWindow::OnDestroy()
{
    if (m_runner)
        m_runner->Stop("The simulation window was closed.");
    SetRunning(false);
}

void SimulationWindow::PostNcDestroy()
{
    SetRunning(false);
    if (m_bAutoDelete)
        delete this;
}

CWnd* OpenSimulation(CWnd* frame, JobDocument& doc)
{
    auto* window = new SimulationWindow(doc);
    window->SetAutoDelete(true);
    if (!window->Create(frame))
    {
        delete window;
        AfxMessageBox("The simulation window cannot be opened.", MB_OK | MB_ICONSTOP);
        return nullptr;
    }
    window->ShowWindow(SW_SHOW);
    return window;
}

CWnd* MakeSimulationInProgress(JobDocument& doc)
{
    auto* window = new SimulationWindow(doc);
    if (!window->Create(nullptr))
    {
        delete window;
        return nullptr;
    }
    // On the sample job: a location and its quantity written, the next location being typed.
    std::vector<SimKeyEvent> events;
    if (ParseKeyScript("{F4}A12{ENTER}7{ENTER}B", window->GetRunner(), events, nullptr))
        for (const SimKeyEvent& e : events)
            window->OnKeypadKey(e.nKeyID);
    return window;
}

#ifdef PDT_HAVE_HOSTCOMMANDS
namespace
{
// The main window's Simulation > Run Job runs the job here.
const bool registered = (SetSimulateHandler(&OpenSimulation), true);
} // namespace
#endif
