#include "host/sim/JobRunner.h"

#include "host/sim/JobCheck.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <strings.h>

#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/HostTerminal.h"
#include "host/model/JobDocument.h"
#include "host/sim/SimBarcode.h"
#include "host/sim/SimRecordLine.h"
#include "host/sim/SimTerminal.h"
#include "resources/resource.h"
#include "simulation/Keymap.h"
#include "support/Support.h"

namespace
{

// The terminal's own messages where the job leaves a prompt empty.
constexpr const char* kConfirmExit = "Exit job? Ent=Yes";
constexpr const char* kConfirmExitShort = "Exit? Ent=Yes"; // for screens of 16 columns
constexpr const char* kDone = "Job done";
constexpr const char* kAbort = "Job aborted";
constexpr const char* kWriteRecordError = "Write record error";
constexpr const char* kFileNotFound = "File not found";
constexpr const char* kReadFileError = "Read file error";
constexpr const char* kEraseAll = "Erase all? Ent=Yes";
constexpr const char* kEraseLast = "Erase last? Ent=Yes";
constexpr const char* kBrowse = "Browse";
constexpr const char* kEdit = "Edit";
constexpr const char* kNoData = "No data";
constexpr const char* kSendData = "Sending data";
constexpr const char* kNoRecord = "No record";
constexpr const char* kTotal = "Total:";

// The log is for a person to read: a run that writes more has lost its way.
constexpr size_t kMaxLogBytes = size_t(16) << 20;

constexpr unsigned char CODE_ENTER = 0x0D;
constexpr unsigned char CODE_CLEAR = 0x08;
constexpr unsigned char CODE_UP = 0x13;
constexpr unsigned char CODE_DOWN = 0x12;
constexpr unsigned char CODE_PGUP = 0x92;
constexpr unsigned char CODE_PGDN = 0x93;

std::string Quote(const CString& s)
{
    return "\"" + s.str() + "\"";
}

// Data as the log shows it: a long value by its start, never cut inside a character of more than one byte.
std::string Cut(const std::string& s)
{
    constexpr size_t kShown = 200;
    if (s.size() <= kShown)
        return s;
    size_t end = kShown;
    for (int more = 0; more < 3 && end < s.size() && static_cast<unsigned char>(s[end - 1]) >= 0x80; ++more)
        ++end;
    return s.substr(0, end) + "... (" + std::to_string(s.size()) + " bytes)";
}

std::string TrimRight(std::string s)
{
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

bool ReadDouble(const std::string& text, double& d)
{
    return SimValue::Text(text).AsNumber(d);
}

bool IsEscapeKey(int id)
{
    return id == IDC_KEY_ESC;
}

// Integers keep to the terminal's sizes: 16 bits, long ones 32, wrapping as the terminal's do.
double FitToType(int type, double v)
{
    if (!std::isfinite(v))
        return 0.0;
    if (type == DATA_FLOAT || type == DATA_STRING)
        return v;
    const long long whole = (long long)std::trunc(std::fmod(v, 4294967296.0));
    return type == DATA_INTEGER ? double(int16_t(uint16_t(whole))) : double(int32_t(uint32_t(whole)));
}

// What a numeric input takes besides digits: a sign first, and one point in floating-point data.
bool NumericAccepts(int type, const std::string& typed, unsigned char ch)
{
    if (ch >= '0' && ch <= '9')
        return true;
    if (ch == '-' || ch == '+')
        return typed.empty();
    return ch == '.' && type == DATA_FLOAT && typed.find('.') == std::string::npos;
}

// Why typed or scanned data is no number of the input's type ("" when it is one): integers in 16 and long ones in
// 32 bits, as the terminal keeps them; a sign or a point alone is no number.
std::string NumberFault(int type, const std::string& data)
{
    if (type == DATA_STRING)
        return "";
    std::string t = TrimRight(data);
    size_t i = t.size() && (t[0] == '-' || t[0] == '+') ? 1 : 0;
    bool digits = false, point = false;
    for (; i < t.size(); ++i)
    {
        if (t[i] >= '0' && t[i] <= '9')
            digits = true;
        else if (t[i] == '.' && type == DATA_FLOAT && !point)
            point = true;
        else
            return "not a number";
    }
    if (!digits)
        return "not a number";
    if (type == DATA_FLOAT)
        return "";
    const double v = std::strtod(t.c_str(), nullptr);
    if (type == DATA_INTEGER && (v < -32768 || v > 32767))
        return "not an integer from -32768 to 32767";
    if (type == DATA_LONG && (v < -2147483648.0 || v > 2147483647.0))
        return "not a long integer from -2147483648 to 2147483647";
    return "";
}

// The record an edit node works on; without one its file is split at the node's own separator.
const HostRecord* RecordOf(const JobDocument& doc, const HostNode& node)
{
    return node.m_nRecordID ? doc.FindRecord(node.m_nRecordID) : nullptr;
}

RecordLayout LayoutOf(const JobDocument& doc, const HostNode& node, const std::string& line)
{
    const HostRecord* record = RecordOf(doc, node);
    return TakeApart(line, record, record ? record->m_nFieldSeparator : node.m_nFieldSeparator);
}

} // namespace

JobRunner::JobRunner(JobDocument& doc, SimTerminal& terminal, RunnerOptions options)
    : m_doc(doc), m_job(&doc), m_term(terminal), m_options(std::move(options))
{
    m_job->Terminal().GetKeymapInUse(m_keymap);
}

JobRunner::~JobRunner() = default;

void JobRunner::LoadFile(const std::string& name, const std::string& bytes)
{
    m_loaded.emplace_back(name, bytes);
    m_files.Load(name, bytes);
}

void JobRunner::Start()
{
    m_job = &m_doc;
    m_pLoadedJob.reset();
    m_pRetiredJob.reset();
    m_jobCache.clear(); // a job read again on restart: it may have changed
    m_job->Terminal().GetKeymapInUse(m_keymap);
    m_state = RunState::Waiting;
    m_wait = Wait::None;
    m_pNode = m_pNext = nullptr;
    m_pVia = m_pNextVia = nullptr;
    m_bLeave = false;
    m_nSteps = 0;
    ForgetStepsWithoutKey();
    m_strEnd.clear();
    m_log.clear();
    m_nLogBytes = 0;
    m_bLogFull = false;
    m_uploads.clear();
    m_nodes.clear();
    m_lastInput.clear();
    m_files.Clear();
    for (const auto& [name, bytes] : m_loaded)
        m_files.Load(name, bytes);
    m_nDataBytes = m_files.Bytes();
    m_term.ClearScreen();
    m_term.EnableCursor(true);

    HostNode* start = nullptr;
    for (int i = 0; i < m_job->GetNodeCount() && !start; ++i)
        if (m_job->GetNodeAt(i)->m_bStartNode)
            start = m_job->GetNodeAt(i);
    if (!start || start->m_bExcludeFromMakeJob)
    {
        // A node left out of the made job is not on the terminal: nothing could start there.
        End(RunState::Stopped,
            start ? "The start node " + Quote(start->m_strName) + " is excluded from making the job: nothing runs."
                  : std::string("The job has no start node."),
            "");
        m_term.Flush();
        return;
    }
    if (!m_options.strClock.empty())
    {
        int y, mo, d, h, mi, se;
        if (!ReadClock(m_options.strClock, y, mo, d, h, mi, se))
            Log("The clock " + Quote(CString(m_options.strClock)) +
                " is not YYYY-MM-DD HH:MM:SS; the computer's clock is used.");
    }
    Log("Job started at node " + Quote(start->m_strName) + ".");
    WarnJob();
    Enter(start, nullptr);
    Run();
}

const char* JobRunner::GetWaitKind() const
{
    if (m_state != RunState::Waiting)
        return "";
    switch (m_wait)
    {
    case Wait::Link:
        return "link";
    case Wait::Input:
        return "input";
    case Wait::ConfirmExit:
        return "exit question";
    case Wait::EraseConfirm:
        return "erase question";
    case Wait::Browse:
        return "browse";
    case Wait::EditField:
        return "edit field";
    case Wait::Ack:
        return "message";
    case Wait::None:
        break;
    }
    return "";
}

void JobRunner::Stop(const std::string& why)
{
    if (m_state != RunState::Waiting)
        return;
    End(RunState::Stopped, why, "");
    m_term.Flush();
}

void JobRunner::Log(const std::string& line)
{
    if (m_nLogBytes + line.size() > kMaxLogBytes)
    {
        m_bLogFull = true;
        return;
    }
    m_nLogBytes += line.size();
    m_log.push_back(line);
}

bool JobRunner::WithinBounds()
{
    if (m_state != RunState::Waiting)
        return false;
    if (m_bLogFull)
    {
        End(RunState::Stopped,
            "Stopped: the log holds " + std::to_string(kMaxLogBytes >> 20) + " MB, as much as it keeps; the job "
            "goes on too long without a key.",
            "");
        return false;
    }
    if (m_nDataBytes > kMaxDataBytes)
    {
        m_nDataBytes = m_files.Bytes();
        for (const std::string& u : m_uploads)
            m_nDataBytes += u.size();
        if (m_nDataBytes > kMaxDataBytes)
        {
            End(RunState::Stopped,
                "Stopped: the data files and the uploads hold more than " + std::to_string(kMaxDataBytes >> 20) +
                    " MB, more than a terminal keeps.",
                "");
            return false;
        }
    }
    return true;
}

void JobRunner::ForgetStepsWithoutKey()
{
    m_nStepsWithoutKey = 0;
    m_nLoadsWithoutKey = 0;
    m_passed.clear();
}

void JobRunner::Enter(HostNode* node, HostLink* via)
{
    m_pNext = node;
    m_pNextVia = via;
    m_wait = Wait::None;
}

void JobRunner::WaitFor(Wait wait)
{
    m_wait = wait;
}

void JobRunner::Run()
{
    while (WithinBounds() && m_wait == Wait::None)
    {
        if (m_pNext)
        {
            HostNode* node = m_pNext;
            m_pNext = nullptr;
            // A node passed twice without a key is a loop; a long chain of jobs loading jobs is not.
            // A job is known by its file; one built in memory by itself.
            const std::string job = m_job->m_strPathName.IsEmpty() ? std::to_string(reinterpret_cast<uintptr_t>(m_job))
                                                                   : m_job->m_strPathName.str();
            const bool again = !m_passed.insert(job + '\n' + std::to_string(node->m_nID)).second;
            if (++m_nStepsWithoutKey > m_options.nStepLimit)
            {
                std::string why;
                if (again)
                    why = "Stopped after " + std::to_string(m_options.nStepLimit) +
                          " nodes without a key: the job loops through node " + Quote(node->m_strName) + ".";
                else
                {
                    why = "Stopped at node " + Quote(node->m_strName);
                    if (m_job != &m_doc && !m_job->m_strPathName.IsEmpty())
                        why += " of job " + Quote(m_job->m_strPathName);
                    why += " after " + std::to_string(m_options.nStepLimit) + " nodes without a key (the step limit)";
                    if (m_nLoadsWithoutKey > 0)
                        why += "; " + std::to_string(m_nLoadsWithoutKey) + " run-job nodes loaded one job after another";
                    why += ", and no node was passed twice.";
                }
                End(RunState::Stopped, why, "");
                break;
            }
            ++m_nSteps;
            m_pNode = node;
            m_pVia = m_pNextVia;
            m_pNextVia = nullptr;
            EnterNode();
        }
        else if (m_bLeave)
        {
            m_bLeave = false;
            Leave(m_nLeaveKey);
        }
        else
            break;
    }
    m_term.Flush();
}

void JobRunner::End(RunState state, const std::string& message, const CString& prompt)
{
    m_state = state;
    m_wait = Wait::None;
    m_pNext = nullptr;
    m_bLeave = false;
    m_strEnd = message;
    m_log.push_back(message); // the last word of a run, kept even by a full log
    if (!prompt.IsEmpty())
    {
        m_term.ClearScreen();
        PrintText(prompt);
    }
}

CString JobRunner::Prompt(const CString& jobs, const char* standard) const
{
    return jobs.IsEmpty() ? CString(standard) : jobs;
}

void JobRunner::ShowMessage(const CString& prompt, const char* standard, bool clear)
{
    if (clear)
        m_term.ClearScreen();
    else if (m_term.GetCursorPosition().x != 0)
        m_term.PrintString("\r\n");
    if (!standard || prompt != standard)
    {
        PrintText(prompt);
        return;
    }
    // The terminal's own messages break between words on a screen narrower than they are.
    std::string text = standard, fitted;
    const size_t width = size_t(m_term.GetSize().cx);
    while (text.size() > width)
    {
        size_t cut = text.rfind(' ', width);
        if (cut == std::string::npos || cut == 0)
            cut = width;
        fitted += text.substr(0, cut) + "\r\n";
        text.erase(0, cut + (text[cut] == ' ' ? 1 : 0));
    }
    PrintText((fitted + text).c_str());
}

// A text of the job: ESC [ x prints x; an ESC without a "[" after it stops the text there, as the terminal's
// screen does, and is reported as the terminal reports it.
void JobRunner::PrintText(const CString& text)
{
    if (const size_t at = InvalidEsc(text.str()); at != std::string::npos)
        Log((m_pNode ? Quote(m_pNode->m_strName) + ": " : std::string()) +
            "Invalid ESC command in print screen! The text stops at the ESC (character " + std::to_string(at + 1) + ").");
    m_term.PrintString(text);
}

// ---------------------------------------------------------------------------------------------------------------
// Links

// A link of the running node that the made job has: neither it nor the node it leads to is excluded.
bool JobRunner::InJob(const HostLink& link) const
{
    if (!m_pNode || link.m_nFromNodeID != m_pNode->m_nID || link.m_bExcludeFromMakeJob)
        return false;
    const HostNode* to = m_job->FindNode(link.m_nToNodeID);
    return !(to && to->m_bExcludeFromMakeJob);
}

bool JobRunner::HasLinks() const
{
    for (int i = 0; i < m_job->GetLinkCount(); ++i)
        if (InJob(*m_job->GetLinkAt(i)))
            return true;
    return false;
}

bool JobRunner::KeyLinkMatches(const HostLink& link, int nKeyID) const
{
    const int id = KeyIdOfName(link.m_strKey);
    // Escape that ends the job is no "any key": only a link of its own takes it.
    return id == nKeyID || (id == IDC_KEY_ANYKEY && !(IsEscapeKey(nKeyID) && !m_job->m_settings.bNoEscTerminate));
}

bool JobRunner::HasKeyLink(int nKeyID) const
{
    for (int i = 0; m_pNode && i < m_job->GetLinkCount(); ++i)
    {
        HostLink* link = m_job->GetLinkAt(i);
        if (!InJob(*link) || link->m_nCondition != LINK_KEY)
            continue;
        if (nKeyID == 0 || KeyLinkMatches(*link, nKeyID))
            return true;
    }
    return false;
}

bool JobRunner::EscapeAsksToEnd(int nKeyID) const
{
    return IsEscapeKey(nKeyID) && !m_job->m_settings.bNoEscTerminate && !HasKeyLink(nKeyID);
}

HostLink* JobRunner::FirstLinkThatHolds(int nKeyID)
{
    for (int i = 0; m_pNode && i < m_job->GetLinkCount(); ++i)
    {
        HostLink* link = m_job->GetLinkAt(i);
        if (InJob(*link) && LinkHolds(*link, nKeyID))
            return link;
    }
    return nullptr;
}

bool JobRunner::LinkHolds(HostLink& link, int nKeyID)
{
    switch (link.m_nCondition)
    {
    case LINK_KEY:
        return nKeyID != 0 && KeyLinkMatches(link, nKeyID);
    case LINK_INPUT_DATA: {
        const std::string data = m_pNode->m_nKind == NODE_INPUT ? State(m_pNode->m_nID).data : m_lastInput;
        return TrimRight(data) == TrimRight(link.m_strInputData.str());
    }
    case LINK_VERIFY:
        if (link.m_nVerifyResult == VERIFY_SUCCESS)
            return State(m_pNode->m_nID).bVerified;
        if (link.m_nVerifyResult == VERIFY_FAIL)
            return !State(m_pNode->m_nID).bVerified;
        return true;
    case LINK_EXPRESSION: {
        SimValue v;
        return Evaluate(link.m_strExpression, State(m_pNode->m_nID).data, v, ("link " + Quote(link.GetLabel())).c_str()) &&
               v.IsTrue();
    }
    default:
        return true;
    }
}

void JobRunner::Leave(int nKeyID)
{
    if (HostLink* link = FirstLinkThatHolds(nKeyID))
    {
        Follow(*link);
        return;
    }
    if (!HasLinks())
        End(RunState::Ended, "The job is done: node " + Quote(m_pNode->m_strName) + " has no link on.",
            Prompt(m_job->m_language.strDone, kDone));
    else if (HasKeyLink())
        WaitFor(Wait::Link);
    else
        End(RunState::Stopped, "Stopped: no link from node " + Quote(m_pNode->m_strName) + " can be followed.", "");
}

void JobRunner::Follow(HostLink& link)
{
    if (link.m_bEOR)
        WriteRecord(link.m_nRecordID ? link.m_nRecordID : m_job->m_nDefaultRecord);
    if (link.m_bRRLI)
    {
        for (auto& [id, state] : m_nodes)
            state.bHasLast = false;
        Log("Repeat-last-input reset for all nodes.");
    }
    if (link.m_bAlarm)
    {
        m_term.Beep();
        Log("Alarm.");
    }
    if (m_pNode->m_nKind == NODE_SCREEN && !m_pNode->m_bNoClearOnExit)
        m_term.ClearScreen();
    HostNode* to = m_job->FindNode(link.m_nToNodeID);
    if (!to)
    {
        End(RunState::Stopped, "Stopped: link " + Quote(link.GetLabel()) + " leads to no node.", "");
        return;
    }
    Enter(to, &link);
}

std::string JobRunner::KeyName(int nKeyID) const
{
    const char* name = GetKeyNameWKM(nKeyID, m_keymap);
    if (name && *name)
        return name;
    if (nKeyID >= IDC_KEY_F1 && nKeyID < IDC_KEY_F1 + 8)
        return "F" + std::to_string(nKeyID - IDC_KEY_F1 + 1);
    return "key " + std::to_string(nKeyID);
}

// The node a hot key runs: from anywhere in the job, unless the running node has a link naming that key.
HostNode* JobRunner::HotKeyNode(int nKeyID) const
{
    if (nKeyID == 0)
        return nullptr;
    for (int i = 0; m_pNode && i < m_job->GetLinkCount(); ++i)
    {
        const HostLink* link = m_job->GetLinkAt(i);
        if (InJob(*link) && link->m_nCondition == LINK_KEY && KeyIdOfName(link->m_strKey) == nKeyID)
            return nullptr;
    }
    for (int i = 0; i < m_job->GetNodeCount(); ++i)
    {
        HostNode* node = m_job->GetNodeAt(i);
        if (node->m_nHotKey == nKeyID && !node->m_bExcludeFromMakeJob)
            return node;
    }
    return nullptr;
}

bool JobRunner::RunHotKey(int nKeyID)
{
    HostNode* node = HotKeyNode(nKeyID);
    if (!node)
        return false;
    Log("Hot key " + KeyName(nKeyID) + " runs node " + Quote(node->m_strName) + ".");
    // Leaving a menu by a hot key leaves it as any of its links would.
    if (m_pNode && m_pNode->m_nKind == NODE_SCREEN && !m_pNode->m_bNoClearOnExit)
        m_term.ClearScreen();
    Enter(node, nullptr);
    return true;
}

void JobRunner::WarnJob()
{
    // What jobhost --check says too, in its words.
    for (const std::string& w : HotKeyWarnings(*m_job, m_keymap))
        Log(w);
    // Settings of this job that the simulation cannot follow, said once rather than ignored without a word.
    std::vector<std::string> unsimulated;
    const JobSettings& js = m_job->m_settings;
    if (js.bJobEngineLog)
        unsimulated.push_back("\"Enable Log Of Job-Engine\" (this log stands for JENG.LOG)");
    if (js.chAddress != 'A')
        unsimulated.push_back(std::string("the portable address ") + js.chAddress + " (one terminal, no network)");
    const std::pair<BOOL, const char*> making[] = {
        {js.bSkipSearchTable, "Skip Making Binary Search Table For Lookup Files"},
        {js.bNoLookupDownload, "Do Not Download Lookup Data File"},
        {js.bSkipFont, "Skip Making Chinese/Japanese Font"},
        {js.bSkipJobNameFile, "Skip Making Job Name File"},
        {js.bNoAutoDownload, "Do Not Download Whole Job Automatically"},
        {js.bFastSpeed, "Use Fast Speed To Download/Upload"},
        {js.bVersion4Job, "Make Job Implemented With Vantor Version 4"},
    };
    for (const auto& [set, name] : making)
        if (set)
            unsimulated.push_back("\"" + std::string(name) + "\" (making and downloading the job)");
    if (m_job->Terminal().m_nScannerType == SCANNER_PEN)
        unsimulated.push_back("the scanner type Pen (a scan is the whole barcode at once)");
    for (int i = 0; i < m_job->GetNodeCount(); ++i)
    {
        const HostNode* node = m_job->GetNodeAt(i);
        if (node->m_bExcludeFromMakeJob)
            continue;
        const CollectSettings& c = node->m_collect;
        if (node->m_bGlobalAccess)
            unsimulated.push_back("Global Access of " + Quote(node->m_strName) + " (program code is not run)");
        if (node->m_nKind == NODE_INPUT && (node->m_dwVerifyFlags & VERIFY_LOOKUPFILE) && c.nVerifyTotalFields > 1)
            unsimulated.push_back("\"Total Fields\" of " + Quote(node->m_strName) + " (records are split as they are)");
        if (node->m_nKind == NODE_INPUT && c.bScanner && (c.bAutoTrigger || c.bDoubleScan || c.bScannerOff || c.bMixKeypad))
            unsimulated.push_back("the scanner options of " + Quote(node->m_strName));
    }
    if (!unsimulated.empty())
    {
        std::string line = "Not simulated:";
        for (size_t i = 0; i < unsimulated.size(); ++i)
            line += (i ? "; " : " ") + unsimulated[i];
        Log(line + ".");
    }
    for (int i = 0; i < m_job->GetLinkCount(); ++i)
    {
        HostLink& link = *m_job->GetLinkAt(i);
        if (std::string w = UnknownKeyWarning(link, m_job->Terminal().m_strModel, KeyIdOfName(link.m_strKey));
            !w.empty())
            Log(w);
    }
}

bool JobRunner::GlobalKey(int nKeyID)
{
    if (!IsEscapeKey(nKeyID))
        return false;
    if (m_job->m_settings.bNoEscTerminate)
    {
        m_term.Beep();
        Log("Escape refused: this job does not end by Escape.");
        return true;
    }
    m_waitBeforeExit = m_wait;
    const int last = int(m_term.GetSize().cy) - 1;
    m_term.ClearAfter(0, last);
    // The last cell stays empty: writing it would scroll the screen. A narrow screen gets the short question.
    CString ask = Prompt(m_job->m_language.strConfirmExit, kConfirmExit);
    if (m_job->m_language.strConfirmExit.IsEmpty() && ask.GetLength() >= int(m_term.GetSize().cx))
        ask = kConfirmExitShort;
    m_term.PrintString(ask);
    WaitFor(Wait::ConfirmExit);
    return true;
}

int JobRunner::KeyIdOfName(const CString& name) const
{
    if (name.IsEmpty())
        return 0;
    if (int id = GetKeyIDWKM(name.c_str(), m_keymap))
        // The separate Escape and the second Enter of some keypads are pressed as the keys they stand for.
        return id == IDC_KEY_ESC2 ? IDC_KEY_ESC : id == IDC_KEY_ENTER2 ? IDC_KEY_ENTER : id;
    struct Alias
    {
        const char* name;
        int id;
    };
    static const Alias aliases[] = {
        {"ENTER", IDC_KEY_ENTER},  {"ENT", IDC_KEY_ENTER},   {"RETURN", IDC_KEY_ENTER}, {"ESC", IDC_KEY_ESC},
        {"ESCAPE", IDC_KEY_ESC},   {"CLEAR", IDC_KEY_CLR},   {"CLR", IDC_KEY_CLR},      {"BS", IDC_KEY_CLR},
        {"SPACE", IDC_KEY_SPACE},  {"SPC", IDC_KEY_SPACE},   {"UP", IDC_KEY_UP},        {"DOWN", IDC_KEY_DOWN},
        {"LEFT", IDC_KEY_LEFT},    {"RIGHT", IDC_KEY_RIGHT}, {"PGUP", IDC_KEY_PGUP},    {"PGDN", IDC_KEY_PGDN},
        {"ANY", IDC_KEY_ANYKEY},   {"ANYKEY", IDC_KEY_ANYKEY},
    };
    int id = 0;
    for (const Alias& a : aliases)
        if (strcasecmp(a.name, name.c_str()) == 0)
            id = a.id;
    if ((name[0] == 'F' || name[0] == 'f') && name.GetLength() == 2 && name[1] >= '1' && name[1] <= '8')
        id = IDC_KEY_F1 + (name[1] - '1');
    // A key the model's keypad does not have cannot be pressed ("UP" on an M-20).
    return id && GetKeyNameWKM(id, m_keymap) ? id : 0;
}

int JobRunner::SymbologyOfName(const std::string& name) const
{
    auto letters = [](const std::string& s) {
        std::string out;
        for (unsigned char c : s)
            if (std::isalnum(c))
                out += char(std::toupper(c));
        return out;
    };
    const std::string wanted = letters(name);
    if (wanted.empty())
        return 0;
    for (int code = 1; code < 256; ++code)
    {
        CString known;
        m_job->GetBarcodeName(WORD(code), known);
        // Codes the terminals do not number have made-up names ("Symbology 13"): no barcode is read as those.
        if (known.Find("Symbology ") != 0 && letters(known.str()) == wanted)
            return code;
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------------------------
// Keys

void JobRunner::PressKey(int nKeyID)
{
    if (!IsWaiting() || nKeyID == 0)
        return;
    // The second Enter and the separate Escape key are the same keys to the job.
    if (nKeyID == IDC_KEY_ENTER2)
        nKeyID = IDC_KEY_ENTER;
    if (nKeyID == IDC_KEY_ESC2)
        nKeyID = IDC_KEY_ESC;
    ForgetStepsWithoutKey();
    const unsigned char code = GetKeyCodeWKM(nKeyID, m_keymap);
    const bool enter = nKeyID == IDC_KEY_ENTER || code == CODE_ENTER;
    // A hot key runs its node whatever the running node waits for, but for the question whether to end the job.
    if (m_wait != Wait::ConfirmExit && RunHotKey(nKeyID))
    {
        Run();
        return;
    }

    switch (m_wait)
    {
    case Wait::Link:
        if (EscapeAsksToEnd(nKeyID))
            GlobalKey(nKeyID);
        else if (HostLink* link = FirstLinkThatHolds(nKeyID))
        {
            m_wait = Wait::None;
            Follow(*link);
        }
        else if (!GlobalKey(nKeyID))
        {
            if (HasLinks())
                m_term.Beep();
            else
            {
                m_wait = Wait::None;
                Leave(nKeyID);
            }
        }
        break;
    case Wait::Input:
        InputKey(nKeyID);
        break;
    case Wait::ConfirmExit:
        if (enter)
            End(RunState::Ended, "The job was ended by Escape.", Prompt(m_job->m_language.strAbort, kAbort));
        else
        {
            // The question took the last row: the node's text goes back where it was, and the input after it.
            m_term.ClearAfter(0, int(m_term.GetSize().cy) - 1);
            m_wait = m_waitBeforeExit;
            m_term.SetCursorPosition(m_ptText.x, m_ptText.y);
            PrintText(HostNode::ScreenTextAsRead(m_pNode->m_strScreenText));
            if (m_pNode->m_nKind == NODE_SCREEN)
                m_term.EnableCursor(!m_pNode->m_bHideCursor);
            else if (m_wait == Wait::Input)
                ShowInput();
        }
        break;
    case Wait::EraseConfirm: {
        const bool whole = m_pNode->m_bDeleteWholeFile;
        if (!enter)
            Log("Erase of " + m_strFile + " not confirmed.");
        else if (whole)
            Log(m_files.Erase(m_strFile) ? "Erased " + m_strFile + "." : m_strFile + " did not exist.");
        else if (SimDataFile* f = m_files.Find(m_strFile); f && !f->records.empty())
        {
            f->records.pop_back();
            Log("Erased the last record of " + m_strFile + ".");
        }
        else
            Log(m_strFile + " has no record to erase.");
        m_term.ClearScreen();
        m_wait = Wait::None;
        m_bLeave = true;
        m_nLeaveKey = 0;
        break;
    }
    case Wait::Browse: {
        const SimDataFile* f = m_files.Find(m_strFile);
        const int n = f ? int(f->records.size()) : 0;
        // Up, Left and PgUp go back; Down, Right and PgDn on: the M-20 has only the arrows across.
        const bool back = nKeyID == IDC_KEY_UP || nKeyID == IDC_KEY_LEFT || nKeyID == IDC_KEY_PGUP ||
                          code == CODE_UP || code == CODE_PGUP;
        const bool on = nKeyID == IDC_KEY_DOWN || nKeyID == IDC_KEY_RIGHT || nKeyID == IDC_KEY_PGDN ||
                        code == CODE_DOWN || code == CODE_PGDN;
        if (back && m_nBrowse > 0)
            --m_nBrowse, ShowBrowse();
        else if (on && m_nBrowse + 1 < n)
            ++m_nBrowse, ShowBrowse();
        else if (enter && m_nBrowse < n)
            BeginEditField(0);
        else if (IsEscapeKey(nKeyID))
        {
            m_term.ClearScreen();
            m_wait = Wait::None;
            m_bLeave = true;
            m_nLeaveKey = 0;
        }
        else
            m_term.Beep();
        break;
    }
    case Wait::EditField:
        EditKey(nKeyID);
        break;
    case Wait::Ack:
        m_wait = Wait::None;
        m_bLeave = true;
        m_nLeaveKey = 0;
        break;
    case Wait::None:
        break;
    }
    Run();
}

void JobRunner::Scan(const std::string& data, int symbology)
{
    if (!IsWaiting())
        return;
    ForgetStepsWithoutKey();
    if (m_wait != Wait::Input || !m_pNode->m_collect.bScanner)
    {
        m_term.Beep();
        Log("Barcode " + Quote(data) + " ignored: nothing takes a scan here.");
        return;
    }
    if (symbology)
    {
        const CollectSettings& c = m_pNode->m_collect;
        const Symbology* set = nullptr;
        for (const Symbology& s : c.symbologies)
            if ((s.wData & 0xFF) == symbology)
                set = &s;
        CString name;
        m_job->GetBarcodeName(WORD(symbology), name);
        std::string why;
        if (c.bSetBarcode && !(set && set->bEnabled))
            why = Quote(m_pNode->m_strName) + " does not read " + name.str();
        else
            why = BarcodeFault(symbology, set ? set->wData >> 8 : 0, data);
        if (!why.empty())
        {
            m_term.Beep();
            Log("Barcode " + Quote(data) + " (" + name.str() + ") refused: " + why + ".");
            return;
        }
    }
    m_input = data;
    ShowInput();
    CompleteInput(0, false);
    Run();
}

// ---------------------------------------------------------------------------------------------------------------
// Nodes

void JobRunner::EnterNode()
{
    HostNode& node = *m_pNode;
    switch (node.m_nKind)
    {
    case NODE_SCREEN:
        // A menu or a message waits for a key; whether the screen is cleared when it is left is another matter.
        ShowScreen(node);
        WaitFor(Wait::Link);
        break;
    case NODE_INPUT:
        BeginInput(node);
        break;
    case NODE_COUNT:
        RunCount(node, m_pVia);
        m_bLeave = true, m_nLeaveKey = 0;
        break;
    case NODE_UPLOAD:
        RunUpload(node);
        m_bLeave = true, m_nLeaveKey = 0;
        break;
    case NODE_ERASE:
        RunErase(node);
        break;
    case NODE_EDIT:
        RunEdit(node);
        break;
    case NODE_PROGRAM: {
        int lines = node.m_strProgram.IsEmpty() ? 0 : 1;
        for (char c : node.m_strProgram.str())
            lines += c == '\n';
        Log("Program node " + Quote(node.m_strName) + " would run its " + std::to_string(lines) +
            (lines == 1 ? " line" : " lines") + " of code here; the simulation goes on without it.");
        m_bLeave = true, m_nLeaveKey = 0;
        break;
    }
    case NODE_RUNJOB:
        RunJob(node);
        break;
    default:
        m_bLeave = true, m_nLeaveKey = 0;
        break;
    }
}

void JobRunner::ShowScreen(HostNode& node)
{
    if (!node.m_bNoClearBeforeDisplay)
        m_term.ClearScreen();
    m_ptText = m_term.GetCursorPosition();
    PrintText(HostNode::ScreenTextAsRead(node.m_strScreenText));
    m_term.EnableCursor(!node.m_bHideCursor);
}

void JobRunner::ShowPrompt(HostNode& node)
{
    const HostNode::DisplayPosition& pos = node.m_position;
    const CSize size = m_term.GetSize();
    m_term.EnableCursor(true);
    if (pos.bClearToEnd)
        m_term.ClearAfter(pos.nPromptColumn, pos.nPromptRow);
    if (pos.bPrintDirect)
        m_term.SetCursorPosition(pos.nPromptColumn, pos.nPromptRow);
    else if (m_term.GetCursorPosition().x != 0)
        m_term.PrintString("\r\n"); // following the last print, on a line of its own
    m_ptText = m_term.GetCursorPosition();
    PrintText(HostNode::ScreenTextAsRead(node.m_strScreenText));
    m_ptInput = pos.bInputAtLocation ? CPoint(std::max(0, std::min(pos.nInputColumn, int(size.cx) - 1)),
                                              std::max(0, std::min(pos.nInputRow, int(size.cy) - 1)))
                                     : m_term.GetCursorPosition();
    m_nShown = 0;
}

void JobRunner::ShowInput(bool bMark)
{
    const HostNode& node = *m_pNode;
    const HostNode::DisplayPosition& pos = node.m_position;
    std::string text = pos.bAsPassword ? std::string(m_input.size(), '*') : m_input;
    size_t data = text.size();
    if (bMark && !pos.bNoPositionMark && node.m_nKind == NODE_INPUT)
        text += pos.strPositionMark.str();
    const CSize size = m_term.GetSize();
    const long cols = size.cx, total = long(size.cx) * size.cy;
    // The input runs on past the last cell as printing does with scrolling on: the screen moves up, prompt and all,
    // so that the input and the cursor after it stay on the screen. The last cell itself stays empty.
    long start = long(m_ptInput.y) * cols + m_ptInput.x;
    long room = total - 1 - start;
    if (long(text.size()) > room && m_ptInput.y > 0)
    {
        const long rows = std::min<long>((long(text.size()) - room + cols - 1) / cols, m_ptInput.y);
        m_term.SetCursorPosition(0, int(size.cy) - 1);
        for (long i = 0; i < rows; ++i)
            m_term.PrintString("\n");
        m_ptInput.y -= int(rows);
        m_ptText = m_ptText.y >= rows ? CPoint(m_ptText.x, m_ptText.y - int(rows)) : CPoint(0, 0);
        start -= rows * cols;
        room += rows * cols;
    }
    // An input longer than the whole screen shows its end.
    const size_t skip = long(text.size()) > room ? text.size() - size_t(std::max(0L, room)) : 0;
    text.erase(0, skip);
    data = data > skip ? data - skip : 0;
    const int shown = int(text.size());
    if (int(text.size()) < m_nShown)
        text.append(size_t(m_nShown) - text.size(), ' ');
    m_nShown = shown;
    if (long(text.size()) > room)
        text.resize(size_t(std::max(0L, room)));
    m_term.SetCursorPosition(m_ptInput.x, m_ptInput.y);
    m_term.PrintString(text.c_str());
    const long cell = start + long(std::min(data, text.size()));
    m_term.SetCursorPosition(int(cell % cols), int(cell / cols));
}

void JobRunner::BeginInput(HostNode& node)
{
    const CollectSettings& c = node.m_collect;
    NodeState& st = State(node.m_nID);
    m_input.clear();
    m_bErrorSign = false;
    m_bKeypadFallback = false;
    m_nShown = 0;

    // Data that needs no key: repeated, from the clock, from a formula or from a lookup file.
    bool automatic = true;
    std::string data;
    if (c.bSameAsLast && st.bHasLast)
        data = st.last;
    else if (c.bTimer)
        data = Clock(c.nTimeFormat, c.nDateType);
    else if (c.bFromFormula)
    {
        // A numeric input takes the number in its own type; what cannot be that leaves the input to the keypad.
        SimValue v;
        double d = 0;
        if (!Evaluate(c.strFormula, "", v, ("formula of " + Quote(node.m_strName)).c_str()))
            automatic = false;
        else if (c.nDataType == DATA_STRING)
            data = v.Format();
        else if (v.AsNumber(d))
            data = SimValue::Number(c.nDataType == DATA_FLOAT ? d : FitToType(c.nDataType, std::trunc(d))).Format();
        else
        {
            Log(Quote(node.m_strName) + ": the formula gives " + Quote(CString(v.Format())) + ", not a number.");
            automatic = false;
        }
        if (!automatic)
            Log(Quote(node.m_strName) + ": the formula gives no data; the keypad takes over.");
    }
    else if (c.bFromLookupFile)
    {
        HostNode* source = m_job->FindNode(c.nLookupNodeID);
        const NodeState* found = source ? &State(source->m_nID) : nullptr;
        const SimDataFile* file = source ? m_files.Find(source->m_strVerifyLookupFile.str()) : nullptr;
        if (found && file && found->nLookupRecord >= 0 && found->nLookupRecord < int(file->records.size()))
        {
            auto fields = SplitRecord(file->records[size_t(found->nLookupRecord)], source->m_collect.nFieldSeparator);
            if (c.nLookupFieldNo >= 1 && c.nLookupFieldNo <= int(fields.size()))
                data = fields[size_t(c.nLookupFieldNo - 1)];
            else
                automatic = false;
        }
        else
            automatic = false;
        if (!automatic && c.bUseDefault)
        {
            data = c.strDefaultValue.str();
            automatic = true;
        }
        if (!automatic)
            Log(Quote(node.m_strName) + ": nothing retrieved from the lookup file; the keypad takes over.");
    }
    else
        automatic = false;

    if (automatic)
    {
        if (!node.m_position.bNoDisplay)
            ShowPrompt(node);
        m_input = data;
        if (!node.m_position.bNoDisplay)
            ShowInput();
        CompleteInput(0, true);
        return;
    }
    ShowPrompt(node);
    ShowInput();
    // Data a formula or a lookup file failed to give is typed instead.
    const bool fallback = c.bFromLookupFile || c.bFromFormula;
    if (!c.bKeypad && !c.bScanner && !fallback)
    {
        Log(Quote(node.m_strName) + " takes no device: its input is empty.");
        CompleteInput(0, true);
        return;
    }
    m_bKeypadFallback = fallback;
    WaitFor(Wait::Input);
}

void JobRunner::InputKey(int nKeyID)
{
    HostNode& node = *m_pNode;
    const CollectSettings& c = node.m_collect;
    const unsigned char code = GetKeyCodeWKM(nKeyID, m_keymap);
    const int longest = c.bVerifyLength && c.nLengthTo > 0 ? c.nLengthTo : 0;
    const bool keypad = c.bKeypad || m_bKeypadFallback;

    auto accepted = [&](unsigned char ch) {
        if (ch < 32 || ch > 126 || !keypad)
            return false;
        const bool digit = ch >= '0' && ch <= '9';
        if (c.nDataType != DATA_STRING)
            return NumericAccepts(c.nDataType, m_input, ch);
        const bool alpha = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == ' ';
        if (alpha)
            return c.bAlphabet || (ch == ' ' && c.bSymbols);
        if (digit || ch == '+' || ch == '-' || ch == '.')
            return c.bDigits || (!digit && c.bSymbols);
        return c.bSymbols;
    };

    if (nKeyID == IDC_KEY_ENTER || code == CODE_ENTER)
    {
        // Enter ends the input at any length; the length verification judges it. "Complete With Enter" only keeps
        // a full input from ending by itself.
        CompleteInput(IDC_KEY_ENTER, false);
        return;
    }
    if (EscapeAsksToEnd(nKeyID))
    {
        GlobalKey(nKeyID);
        return;
    }
    if (code == CODE_CLEAR && nKeyID == IDC_KEY_CLR)
    {
        if (!m_input.empty())
            m_input.pop_back();
        ShowInput();
        return;
    }
    if (accepted(code) && nKeyID != IDC_KEY_ANYKEY)
    {
        if (longest && int(m_input.size()) >= longest)
        {
            m_term.Beep();
            return;
        }
        // A digit that takes the number out of its type's range is refused as it is typed.
        if (std::string why = NumberFault(c.nDataType, m_input + char(code));
            !why.empty() && why != "not a number")
        {
            m_term.Beep();
            Log(Quote(node.m_strName) + ": " + Quote(CString(m_input + char(code))) + " refused, " + why + ".");
            return;
        }
        m_input += char(code);
        ShowInput();
        if (!c.bCompleteWithEnter && longest && int(m_input.size()) == longest)
            CompleteInput(0, false);
        return;
    }
    if (HasKeyLink(nKeyID))
    {
        CompleteInput(nKeyID, false);
        return;
    }
    if (!GlobalKey(nKeyID))
        m_term.Beep();
}

void JobRunner::CompleteInput(int nKeyID, bool bAuto)
{
    HostNode& node = *m_pNode;
    const CollectSettings& c = node.m_collect;
    NodeState& st = State(node.m_nID);
    // Input that ends without a key (generated, scanned, full) ends as Enter would end it.
    if (nKeyID == 0)
        nKeyID = IDC_KEY_ENTER;
    if (m_input.empty() && !c.bAllowEmpty && !bAuto)
    {
        m_term.Beep();
        Log(Quote(node.m_strName) + ": empty input refused.");
        WaitFor(Wait::Input);
        return;
    }
    // Typed or scanned data of a numeric input must be a number of its type; the input stays for correction.
    if (!bAuto && !m_input.empty())
        if (const std::string why = NumberFault(c.nDataType, m_input); !why.empty())
        {
            m_term.Beep();
            Log(Quote(node.m_strName) + ": " + Quote(CString(Cut(m_input))) + " refused, " + why + ".");
            WaitFor(Wait::Input);
            return;
        }
    std::string data = m_input;
    if (c.bFillTail)
    {
        const int width = c.bVerifyLength && c.nLengthTo > 0 ? c.nLengthTo : int(m_term.GetSize().cx) - m_ptInput.x;
        if (int(data.size()) < width)
            data.append(size_t(width - int(data.size())), ' ');
    }
    std::string why;
    if (Verify(node, data, why))
    {
        // The mark goes with the input; the data stays where it was typed.
        if (!(bAuto && node.m_position.bNoDisplay))
            ShowInput(false);
        st.data = data;
        st.bVerified = true;
        m_lastInput = data;
        Log(Quote(node.m_strName) + ": " + Quote(CString(Cut(data))) + " accepted.");
        m_wait = Wait::None;
        m_bLeave = true;
        m_nLeaveKey = nKeyID;
        return;
    }
    Log(Quote(node.m_strName) + ": " + Quote(CString(Cut(data))) + " refused, " + why + ".");
    if (!c.bNoBeep)
        m_term.Beep();
    const bool keypad = c.bKeypad || c.bScanner || m_bKeypadFallback || c.bFromLookupFile || c.bFromFormula;
    if (!c.bNoErrorSign)
    {
        m_input.clear();
        const int shown = m_nShown;
        m_nShown = 0;
        std::string sign = "*";
        if (shown > 1)
            sign.append(size_t(shown - 1), ' ');
        m_term.SetCursorPosition(m_ptInput.x, m_ptInput.y);
        m_term.PrintString(sign.c_str());
        m_nShown = 1;
        m_term.SetCursorPosition(m_ptInput.x, m_ptInput.y);
        m_bErrorSign = true;
    }
    if (!c.bNoReinput && (keypad || !bAuto))
    {
        // Generated data would fail again: the keypad takes over for the new input.
        m_bKeypadFallback = m_bKeypadFallback || bAuto;
        m_input.clear();
        if (c.bNoErrorSign)
            ShowInput();
        WaitFor(Wait::Input);
        return;
    }
    if (c.bNoErrorSign && !(bAuto && node.m_position.bNoDisplay))
        ShowInput(false);
    st.data = data;
    st.bVerified = false;
    m_lastInput = data;
    m_wait = Wait::None;
    m_bLeave = true;
    m_nLeaveKey = nKeyID;
}

bool JobRunner::Verify(const HostNode& node, const std::string& data, std::string& why)
{
    const CollectSettings& c = node.m_collect;
    if (c.bVerifyLength)
    {
        const int n = int(TrimRight(data).size());
        if (n < c.nLengthFrom)
        {
            why = "shorter than " + std::to_string(c.nLengthFrom) + " characters";
            return false;
        }
        if (c.nLengthTo > 0 && n > c.nLengthTo)
        {
            why = "longer than " + std::to_string(c.nLengthTo) + " characters";
            return false;
        }
    }
    if (c.bVerifyRange)
    {
        const SimValue value = SimValue::Text(TrimRight(data));
        auto outside = [&](const CString& bound, bool below) {
            if (bound.IsEmpty())
                return false;
            double x, y;
            const SimValue b = SimValue::Text(bound.str());
            if (value.AsNumber(x) && b.AsNumber(y))
                return below ? x < y : x > y;
            return below ? value.str < bound.str() : value.str > bound.str();
        };
        if (outside(c.strRangeFrom, true) || outside(c.strRangeTo, false))
        {
            why = "outside the range " + c.strRangeFrom.str() + " to " + c.strRangeTo.str();
            return false;
        }
    }
    if (c.bVerifyPicture && !c.strPicture.IsEmpty())
    {
        const std::string& p = c.strPicture.str();
        bool ok = TrimRight(data).size() == p.size() || data.size() == p.size();
        for (size_t i = 0; ok && i < p.size(); ++i)
        {
            const unsigned char d = i < data.size() ? static_cast<unsigned char>(data[i]) : ' ';
            switch (p[i])
            {
            case '9':
                ok = std::isdigit(d);
                break;
            case 'A':
                ok = std::isalpha(d);
                break;
            case 'N':
                ok = std::isalnum(d);
                break;
            case 'X':
                break;
            default:
                ok = d == static_cast<unsigned char>(p[i]);
                break;
            }
        }
        if (!ok)
        {
            why = "not like the picture " + p;
            return false;
        }
    }
    if ((node.m_dwVerifyFlags & VERIFY_LOOKUPFILE) && !VerifyLookup(node, data, why))
        return false;
    if (c.bVerifyQualifier && !c.strQualifier.IsEmpty())
    {
        SimValue v;
        if (Evaluate(c.strQualifier, data, v, ("qualifier of " + Quote(node.m_strName)).c_str()) && !v.IsTrue())
        {
            why = "the qualifier does not hold";
            return false;
        }
    }
    return true;
}

bool JobRunner::VerifyLookup(const HostNode& node, const std::string& data, std::string& why)
{
    const CollectSettings& c = node.m_collect;
    NodeState& st = State(node.m_nID);
    const std::string name = node.m_strVerifyLookupFile.str();
    const SimDataFile* file = m_files.Find(name);
    if (!file)
    {
        why = "lookup file " + name + " not found";
        return false;
    }
    const std::string key = TrimRight(data);
    const size_t first = c.bSearchFromCurrent && !c.bBinarySearch && st.nLookupRecord >= 0 ? size_t(st.nLookupRecord + 1) : 0;
    for (size_t i = first; i < file->records.size(); ++i)
    {
        auto fields = SplitRecord(file->records[i], c.nFieldSeparator);
        if (c.nVerifyFieldNo < 1 || c.nVerifyFieldNo > int(fields.size()))
            continue;
        const std::string field = TrimRight(fields[size_t(c.nVerifyFieldNo - 1)]);
        // Binary search is a faster way to the same record: it matches as the linear search does.
        const bool match = c.bFullKeyMatch ? field == key : !key.empty() && field.compare(0, key.size(), key) == 0;
        if (match)
        {
            st.nLookupRecord = int(i);
            return true;
        }
    }
    why = "not found in " + name;
    return false;
}

std::string JobRunner::FormatCount(const HostNode& node, double value) const
{
    return SimValue::Number(node.m_collect.nDataType == DATA_FLOAT ? value : std::trunc(value)).Format();
}

void JobRunner::RunCount(HostNode& node, HostLink* via)
{
    const CountSettings& cs = node.m_count;
    NodeState& st = State(node.m_nID);
    const int type = node.m_collect.nDataType == DATA_STRING ? DATA_LONG : node.m_collect.nDataType;
    auto fit = [type](double v) { return FitToType(type, v); };
    auto number = [&](const std::string& text, const char* what) {
        double d = 0;
        if (!ReadDouble(text, d))
            Log(Quote(node.m_strName) + ": " + what + " " + Quote(CString(text)) + " is not a number; 0 is used.");
        return d;
    };

    const bool init = cs.bInitByLinks ? via && via->m_bINIT : !st.bCountInitialised;
    if (init)
    {
        double value = 0;
        if (cs.bCopyLast && st.bHasLast)
            value = number(st.last, "the last record's value");
        if (cs.bSetNewValue)
        {
            if (cs.nValueSource == VALUE_CONSTANT)
                value = number(cs.strConstant.str(), "the constant");
            else if (cs.nValueSource == VALUE_COPYNODE)
                value = number(GetNodeData(cs.nDataNodeID), "the data node's value");
            else
            {
                SimValue v;
                if (Evaluate(cs.strFormula, st.data, v, ("initial formula of " + Quote(node.m_strName)).c_str()))
                    value = number(v.Format(), "the formula's value");
            }
        }
        st.dCount = fit(value);
        st.bCountInitialised = true;
    }
    for (const CountOperation& op : cs.operations)
    {
        double operand = 0;
        if (OperatorTakesOperand(op.nOperator))
            operand = op.bWithNode ? number(GetNodeData(op.nDataNodeID), "the operand node's value")
                                   : number(op.strConstant.str(), "the operand");
        double v = st.dCount;
        switch (op.nOperator)
        {
        case OP_ADD:
            v += operand;
            break;
        case OP_SUBTRACT:
            v -= operand;
            break;
        case OP_MULTIPLY:
            v *= operand;
            break;
        case OP_DIVIDE:
            if (operand == 0)
                Log(Quote(node.m_strName) + ": division by zero; the count stays.");
            else
                v = type == DATA_FLOAT ? v / operand : std::trunc(v / operand);
            break;
        case OP_INCREMENT:
            v += 1;
            break;
        case OP_DECREMENT:
            v -= 1;
            break;
        case OP_RESET:
            v = 0;
            break;
        default:
            break;
        }
        st.dCount = fit(v);
    }
    st.data = FormatCount(node, st.dCount);
    if (!node.m_position.bNoDisplay && !node.m_strScreenText.IsEmpty())
    {
        ShowPrompt(node);
        m_input = st.data;
        ShowInput(false);
        m_input.clear();
    }
}

void JobRunner::WriteRecord(int recordId)
{
    HostRecord* record = m_job->FindRecord(recordId);
    if (!record || record->m_strDataFile.IsEmpty())
    {
        Log(record ? "Record " + Quote(record->m_strName) + " has no data file; nothing written."
                   : std::string("An EOR link names no record; nothing written."));
        ShowMessage(Prompt(m_job->m_language.strWriteRecordError, kWriteRecordError), kWriteRecordError, false);
        return;
    }
    std::string line = record->m_strPreamble.str();
    for (int i = 0; i < record->m_arrFields.GetSize(); ++i)
    {
        if (i)
            line += TerminatorBytes(record->m_nFieldSeparator);
        line += GetNodeData(record->m_arrFields[i]);
    }
    line += record->m_strPostamble.str();
    line += TerminatorBytes(record->m_nRecordTerminator);
    m_files.Open(record->m_strDataFile.str()).records.push_back(line);
    m_nDataBytes += line.size();
    for (int i = 0; i < record->m_arrFields.GetSize(); ++i)
    {
        NodeState& st = State(record->m_arrFields[i]);
        st.bHasLast = true;
        st.last = GetNodeData(record->m_arrFields[i]);
    }
    Log("Record " + Quote(record->m_strName) + " written to " + record->m_strDataFile.str() + ": " + Cut(EscapeBytes(line)));
}

std::string JobRunner::DataFileOf(const HostNode& node) const
{
    if (node.m_nRecordID)
        if (HostRecord* record = m_job->FindRecord(node.m_nRecordID))
            return record->m_strDataFile.str();
    return node.m_strDataFile.str();
}

void JobRunner::RunUpload(HostNode& node)
{
    const std::string name = DataFileOf(node);
    const SimDataFile* file = m_files.Find(name);
    if (!file || file->records.empty())
    {
        Log("Upload: " + name + " has no record.");
        ShowMessage(Prompt(m_job->m_language.strNoRecord, kNoRecord), kNoRecord);
        return;
    }
    size_t first = node.m_bUploadAll ? 0 : file->records.size() - 1;
    const size_t count = file->records.size() - first;
    for (size_t i = first; i < file->records.size(); ++i)
    {
        m_uploads.push_back(file->records[i]);
        m_nDataBytes += file->records[i].size();
    }
    if (node.m_bSendCtrlZ)
        m_uploads.push_back("\x1A");
    Log("Upload: " + std::to_string(count) + (count == 1 ? " record" : " records") + " of " + name + " sent at " +
        std::to_string(node.m_nBaudRate) + " baud, " + node.m_strProtocol.str() + ".");
    ShowMessage(Prompt(m_job->m_language.strSendData, kSendData), kSendData);
    CString total = Prompt(m_job->m_language.strTotal, kTotal);
    total.AppendFormat(" %d", int(count));
    ShowMessage(total, nullptr, false);
}

void JobRunner::RunErase(HostNode& node)
{
    m_strFile = DataFileOf(node);
    ShowMessage(node.m_bDeleteWholeFile ? Prompt(m_job->m_language.strEraseAll, kEraseAll)
                                        : Prompt(m_job->m_language.strEraseLast, kEraseLast),
                node.m_bDeleteWholeFile ? kEraseAll : kEraseLast);
    WaitFor(Wait::EraseConfirm);
}

void JobRunner::RunEdit(HostNode& node)
{
    m_strFile = DataFileOf(node);
    const SimDataFile* file = m_files.Find(m_strFile);
    if (!file || file->records.empty())
    {
        Log("Edit: " + m_strFile + " has no data.");
        ShowMessage(Prompt(m_job->m_language.strNoData, kNoData), kNoData);
        WaitFor(Wait::Ack);
        return;
    }
    m_nBrowse = node.m_bBrowseFromLast ? int(file->records.size()) - 1 : 0;
    ShowBrowse();
    WaitFor(Wait::Browse);
}

// The node whose data a field of the edited record is: its type and lengths rule what may be typed there.
const HostNode* JobRunner::FieldNode(int field) const
{
    const HostRecord* record = m_pNode ? RecordOf(*m_job, *m_pNode) : nullptr;
    if (!record || field < 0 || field >= record->m_arrFields.GetSize())
        return nullptr;
    const HostNode* node = m_job->FindNode(record->m_arrFields[field]);
    return node && (node->m_nKind == NODE_INPUT || node->m_nKind == NODE_COUNT) ? node : nullptr;
}

void JobRunner::ShowBrowse()
{
    const SimDataFile* file = m_files.Find(m_strFile);
    if (!file || m_nBrowse >= int(file->records.size()))
        return;
    ShowRecord(LayoutOf(*m_job, *m_pNode, file->records[size_t(m_nBrowse)]).fields, -1);
}

// The heading, then one field a row, each cut to its row; while a field is edited the rows follow it down.
void JobRunner::ShowRecord(const std::vector<std::string>& fields, int editField)
{
    const SimDataFile* file = m_files.Find(m_strFile);
    CString head =
        editField < 0 ? Prompt(m_job->m_language.strBrowse, kBrowse) : Prompt(m_job->m_language.strEdit, kEdit);
    head.AppendFormat(" %d/%d", m_nBrowse + 1, file ? int(file->records.size()) : 0);
    const CSize size = m_term.GetSize();
    const int rows = int(size.cy) - 1;
    m_term.ClearScreen();
    m_term.PrintString(head);
    const int first = editField >= rows ? editField - rows + 1 : 0;
    CPoint cursor(-1, -1);
    for (int i = first, row = 1; i < int(fields.size()) && row <= rows; ++i, ++row)
    {
        // The last cell of the screen stays empty: writing it would scroll the heading away.
        const size_t width = size_t(size.cx) - (row == rows ? 1 : 0);
        std::string text = i != editField ? fields[size_t(i)] : m_bErrorSign ? "*" : m_strEdit + "_";
        if (text.size() > width)
            text = i == editField ? text.substr(text.size() - width) : text.substr(0, width);
        m_term.SetCursorPosition(0, row);
        m_term.PrintString(text.c_str());
        if (i == editField)
            cursor = CPoint(int(text.size()) - 1, row);
    }
    if (cursor.x >= 0)
        m_term.SetCursorPosition(cursor.x, cursor.y);
}

void JobRunner::BeginEditField(int field)
{
    SimDataFile* file = m_files.Find(m_strFile);
    if (!file || m_nBrowse >= int(file->records.size()))
    {
        LeaveEdit();
        return;
    }
    const RecordLayout layout = LayoutOf(*m_job, *m_pNode, file->records[size_t(m_nBrowse)]);
    if (field >= int(layout.fields.size()))
    {
        LeaveEdit();
        return;
    }
    m_nEditField = field;
    // The value is changed from its end, as typed; the blanks that filled its tail are not typed back.
    m_strEdit = TrimRight(layout.fields[size_t(field)]);
    m_bErrorSign = false;
    WaitFor(Wait::EditField);
    ShowRecord(layout.fields, field);
}

void JobRunner::EditKey(int nKeyID)
{
    SimDataFile* file = m_files.Find(m_strFile);
    if (!file || m_nBrowse >= int(file->records.size()))
    {
        LeaveEdit();
        return;
    }
    RecordLayout layout = LayoutOf(*m_job, *m_pNode, file->records[size_t(m_nBrowse)]);
    const HostNode* node = FieldNode(m_nEditField);
    const CollectSettings* c = node ? &node->m_collect : nullptr;
    const int type = c ? c->nDataType : DATA_STRING;
    const int longest = c && c->bVerifyLength && c->nLengthTo > 0 ? c->nLengthTo : 0;
    const unsigned char code = GetKeyCodeWKM(nKeyID, m_keymap);

    if (nKeyID == IDC_KEY_ENTER || code == CODE_ENTER)
    {
        std::string value = m_strEdit;
        if (value.empty() && c && !c->bAllowEmpty)
        {
            m_term.Beep();
            return;
        }
        if (c && c->bFillTail && longest && int(value.size()) < longest)
            value.append(size_t(longest - int(value.size())), ' ');
        // The value is verified as the input node verified it when it was typed there: a count has no verification.
        std::string why;
        if (node && node->m_nKind == NODE_INPUT && !Verify(*node, value, why))
        {
            Log("Edit: field " + std::to_string(m_nEditField + 1) + " of record " + std::to_string(m_nBrowse + 1) +
                " of " + m_strFile + ": " + Quote(CString(value)) + " refused, " + why + ".");
            if (!c->bNoBeep)
                m_term.Beep();
            // The error sign takes the value's place and the value is typed again, as the input asks again.
            if (!c->bNoErrorSign)
            {
                m_strEdit.clear();
                m_bErrorSign = true;
                ShowRecord(layout.fields, m_nEditField);
            }
            return;
        }
        std::string& old = layout.fields[size_t(m_nEditField)];
        if (value != old)
        {
            Log("Edit: field " + std::to_string(m_nEditField + 1) + " of record " + std::to_string(m_nBrowse + 1) +
                " of " + m_strFile + " changed from " + Quote(CString(old)) + " to " + Quote(CString(value)) + ".");
            old = value;
            file->records[size_t(m_nBrowse)] = layout.Join();
        }
        BeginEditField(m_nEditField + 1);
        return;
    }
    if (IsEscapeKey(nKeyID))
    {
        LeaveEdit();
        return;
    }
    if (code == CODE_CLEAR && nKeyID == IDC_KEY_CLR)
    {
        if (!m_strEdit.empty())
            m_strEdit.pop_back();
    }
    else
    {
        // The separator would split the field in two when the file is read again.
        const bool accepted = code >= 32 && code <= 126 && nKeyID != IDC_KEY_ANYKEY && code != layout.separator &&
                              (type == DATA_STRING || NumericAccepts(type, m_strEdit, code));
        if (!accepted || (longest && int(m_strEdit.size()) >= longest))
        {
            m_term.Beep();
            return;
        }
        m_strEdit += char(code);
    }
    m_bErrorSign = false;
    ShowRecord(layout.fields, m_nEditField);
}

void JobRunner::LeaveEdit()
{
    const SimDataFile* file = m_files.Find(m_strFile);
    if (!file || m_nBrowse >= int(file->records.size()))
    {
        m_term.ClearScreen();
        m_wait = Wait::None;
        m_bLeave = true;
        m_nLeaveKey = 0;
        return;
    }
    WaitFor(Wait::Browse);
    ShowBrowse();
}

void JobRunner::RunJob(HostNode& node)
{
    const std::string file = node.m_strJobFile.str();
    const std::string at =
        node.m_strStartNode.IsEmpty() ? std::string("its start node") : "node " + Quote(node.m_strStartNode);
    if (!m_options.loadJob)
    {
        End(RunState::Ended,
            "Node " + Quote(node.m_strName) + " would load job " + Quote(node.m_strJobFile) + " and start it at " +
                at + "; this job ends here.",
            "");
        return;
    }
    LoadedJob loaded;
    const std::string key = file + '\n' + m_job->GetFileBase();
    std::shared_ptr<JobDocument> job;
    if (file.empty())
        loaded.error = "the node names no job file";
    else if (auto cached = m_jobCache.find(key); cached != m_jobCache.end())
        job = cached->second;
    else if ((loaded = m_options.loadJob(file, m_job->GetFileBase())).job)
    {
        // Many different jobs in one run are read again when they come back; the ones running stay alive.
        if (m_jobCache.size() >= 32)
            m_jobCache.clear();
        job = m_jobCache[key] = std::shared_ptr<JobDocument>(std::move(loaded.job));
    }
    if (!job)
    {
        End(RunState::Ended, "Node " + Quote(node.m_strName) + " cannot load job " + Quote(node.m_strJobFile) + ": " +
                                 loaded.error + ".",
            loaded.bFound ? Prompt(m_job->m_language.strReadFileError, kReadFileError)
                          : Prompt(m_job->m_language.strFileNotFound, kFileNotFound));
        return;
    }
    HostNode* start = nullptr;
    for (int i = 0; i < job->GetNodeCount() && !start; ++i)
    {
        HostNode* n = job->GetNodeAt(i);
        if (node.m_strStartNode.IsEmpty() ? bool(n->m_bStartNode) : n->m_strName == node.m_strStartNode)
            start = n;
    }
    if (!start)
    {
        End(RunState::Stopped,
            "Job " + Quote(node.m_strJobFile) + " has no " +
                (node.m_strStartNode.IsEmpty() ? std::string("start node") : at) + ".",
            "");
        return;
    }
    if (start->m_bExcludeFromMakeJob)
    {
        End(RunState::Stopped,
            "Node " + Quote(start->m_strName) + " of job " + Quote(node.m_strJobFile) +
                " is excluded from making the job: nothing runs there.",
            "");
        return;
    }
    Log("Node " + Quote(node.m_strName) + " loads job " + Quote(node.m_strJobFile) + " and starts it at node " +
        Quote(start->m_strName) + "; the data files stay.");
    // The job before stays alive until the next load: the node that loaded this one still belongs to it.
    m_pRetiredJob = std::move(m_pLoadedJob);
    m_pLoadedJob = std::move(job);
    m_job = m_pLoadedJob.get();
    ++m_nLoadsWithoutKey;
    m_nodes.clear();
    m_lastInput.clear();
    m_term.ClearScreen();
    m_term.EnableCursor(true);
    WarnJob();
    Enter(start, nullptr);
}

// ---------------------------------------------------------------------------------------------------------------
// Values

std::string JobRunner::GetNodeData(int nodeId) const
{
    auto it = m_nodes.find(nodeId);
    return it == m_nodes.end() ? std::string() : it->second.data;
}

bool JobRunner::Evaluate(const CString& text, const std::string& data, SimValue& value, const char* what)
{
    auto lookup = [&](const std::string& name, SimValue& v) {
        if (strcasecmp(name.c_str(), "DATA") == 0)
        {
            v = SimValue::Text(data);
            return true;
        }
        // A node by its name, by its name with "_" for the blanks, or else by its first word when only one node
        // starts with that word ("COUNT" for "Count Items").
        HostNode* found = nullptr;
        int firstWord = 0;
        HostNode* byFirstWord = nullptr;
        for (int i = 0; i < m_job->GetNodeCount() && !found; ++i)
        {
            HostNode* node = m_job->GetNodeAt(i);
            std::string underscored = node->m_strName.str();
            for (char& c : underscored)
                c = c == ' ' ? '_' : c;
            if (strcasecmp(node->m_strName.c_str(), name.c_str()) == 0 || strcasecmp(underscored.c_str(), name.c_str()) == 0)
                found = node;
            const std::string first = node->m_strName.str().substr(0, node->m_strName.str().find(' '));
            if (strcasecmp(first.c_str(), name.c_str()) == 0)
                ++firstWord, byFirstWord = node;
        }
        if (!found && firstWord == 1)
            found = byFirstWord;
        if (!found)
            return false;
        const std::string d = GetNodeData(found->m_nID);
        double n;
        const bool numeric = found->m_nKind == NODE_COUNT ||
                             (found->m_nKind == NODE_INPUT && found->m_collect.nDataType != DATA_STRING);
        v = numeric && ReadDouble(d.empty() ? "0" : d, n) ? SimValue::Number(n) : SimValue::Text(d);
        return true;
    };
    std::string error;
    if (EvaluateExpression(text.str(), lookup, value, &error))
        return true;
    Log(std::string(what) + ": " + error + ".");
    return false;
}

std::string JobRunner::Clock(int format, int dateType) const
{
    std::tm t{};
    if (!ReadClock(m_options.strClock, t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec))
    {
        std::time_t now = std::time(nullptr);
        localtime_r(&now, &t);
        t.tm_year += 1900;
        t.tm_mon += 1;
    }
    char date[16], time[16];
    const int yy = t.tm_year % 100;
    switch (dateType)
    {
    case 1:
        std::snprintf(date, sizeof date, "%02d/%02d/%02d", t.tm_mday, t.tm_mon, yy);
        break;
    case 2:
        std::snprintf(date, sizeof date, "%02d/%02d/%02d", yy, t.tm_mon, t.tm_mday);
        break;
    case 3:
        std::snprintf(date, sizeof date, "%02d/%02d/%04d", t.tm_mon, t.tm_mday, t.tm_year);
        break;
    case 4:
        std::snprintf(date, sizeof date, "%02d/%02d/%04d", t.tm_mday, t.tm_mon, t.tm_year);
        break;
    case 5:
        std::snprintf(date, sizeof date, "%04d/%02d/%02d", t.tm_year, t.tm_mon, t.tm_mday);
        break;
    default:
        std::snprintf(date, sizeof date, "%02d/%02d/%02d", t.tm_mon, t.tm_mday, yy);
        break;
    }
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
    if (format == TIME_TIME)
        return time;
    if (format == TIME_DATETIME)
        return std::string(date) + " " + time;
    return date;
}

bool ReadClock(const std::string& text, int& year, int& month, int& day, int& hour, int& minute, int& second)
{
    // Exactly "YYYY-MM-DD HH:MM:SS": every part with its digits, nothing around it.
    static const char shape[] = "9999-99-99 99:99:99";
    if (text.size() != sizeof shape - 1)
        return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (shape[i] == '9' ? !std::isdigit(static_cast<unsigned char>(text[i])) : text[i] != shape[i])
            return false;
    auto part = [&](size_t at, size_t n) { return std::atoi(text.substr(at, n).c_str()); };
    year = part(0, 4), month = part(5, 2), day = part(8, 2), hour = part(11, 2), minute = part(14, 2),
    second = part(17, 2);
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1900 || month < 1 || month > 12 || day < 1 || hour > 23 || minute > 59 || second > 59)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= days[month - 1] + (month == 2 && leap ? 1 : 0);
}
