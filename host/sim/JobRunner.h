// The job runner: follows a job from its start node as the terminal's job engine would, showing screens and
// prompts on a SimTerminal and taking key ids of the terminal's keymap. Pure logic: no window, no toolkit, so that
// transcripts test it and the simulation window only adapts it to the portable screen and the keypad. What each
// node kind and field does at run time is described in docs/simulation.md.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "framework/KeymapKey.h"
#include "host/sim/SimDataFiles.h"
#include "host/sim/SimExpression.h"
#include "platform/afxstr.h"

class HostLink;
class HostNode;
class JobDocument;
class SimTerminal;

// What a host found for the job a run-job node names.
struct LoadedJob
{
    std::unique_ptr<JobDocument> job; // null when it could not be read
    bool bFound = false;              // a file was there (and was damaged, when job is null)
    std::string error;                // why there is no job, in words for the log
};
// Reads the job a run-job node names: `file` as the node gives it, `runningJob` the path of the job that runs now
// (empty when it has none). The runner reads no files itself.
using JobLoader = std::function<LoadedJob(const std::string& file, const std::string& runningJob)>;

struct RunnerOptions
{
    // Nodes passed without a key between two keys; more stops the job as a loop.
    int nStepLimit = 1000;
    // The terminal's clock as "YYYY-MM-DD HH:MM:SS"; empty: the computer's clock.
    std::string strClock;
    // How run-job nodes find their job; without one a run-job node ends the run.
    JobLoader loadJob;
};

// A clock as RunnerOptions::strClock spells it, each part in its range; false for anything else.
bool ReadClock(const std::string& text, int& year, int& month, int& day, int& hour, int& minute, int& second);

enum class RunState
{
    Idle,    // not started
    Waiting, // for a key
    Ended,   // the job ended: done, aborted, or a job it runs cannot be loaded
    Stopped, // the runner stopped it: a loop without input, a dead end, or the user
};

class JobRunner
{
  public:
    JobRunner(JobDocument& doc, SimTerminal& terminal, RunnerOptions options = {});
    ~JobRunner();
    JobRunner(const JobRunner&) = delete;
    JobRunner& operator=(const JobRunner&) = delete;

    // From the start node, with empty data files (lookup files loaded with LoadFile stay).
    void Start();
    void Stop(const std::string& why);
    // A key of the terminal's keypad, as a key id of its keymap (3207 Enter, 3205 Escape ...).
    void PressKey(int nKeyID);
    // A barcode read by the scanner: the whole input at once, where the input node takes the scanner. With its
    // symbology (a code of the symbology list, 0: not said) it is checked against the node's symbologies and what a
    // barcode of that symbology can hold.
    void Scan(const std::string& data, int symbology = 0);
    // The code of a symbology by its name, letter case and everything but letters and digits ignored ("EAN-13",
    // "ean13"); 0 when no symbology is so named.
    int SymbologyOfName(const std::string& name) const;
    // The terminal's clock from now on, as RunnerOptions::strClock (a script's {CLOCK:...} step).
    void SetClock(const std::string& clock) { m_options.strClock = clock; }
    // A file on the terminal before the job starts, for lookups and for upload, erase and edit nodes.
    void LoadFile(const std::string& name, const std::string& bytes);

    RunState GetState() const { return m_state; }
    bool IsWaiting() const { return m_state == RunState::Waiting; }
    // What a waiting job waits for, in a word: "link" (a menu's or message's key), "input", "exit question",
    // "erase question", "browse", "edit field", "message"; empty when it does not wait.
    const char* GetWaitKind() const;
    const std::string& GetEndMessage() const { return m_strEnd; }
    const std::vector<std::string>& GetLog() const { return m_log; }
    const SimDataFiles& GetFiles() const { return m_files; }
    // What upload nodes sent to the computer, in order.
    const std::vector<std::string>& GetUploads() const { return m_uploads; }
    long long GetSteps() const { return m_nSteps; }
    HostNode* GetCurrentNode() const { return m_pNode; }
    // The job that runs now: the one given, or one a run-job node loaded.
    JobDocument& GetJob() const { return *m_job; }
    // The data a node holds now: its input, or its count's value.
    std::string GetNodeData(int nodeId) const;
    // The key id of a key name in the terminal's keymap, with the usual spellings of the special keys
    // ("ENTER", "ESC", "CLEAR" ...); 0 when none.
    int KeyIdOfName(const CString& name) const;
    const KEYMAP_KEY* GetKeymap() const { return m_keymap; }

  private:
    enum class Wait
    {
        None,
        Link,        // a key chooses the link (menus, nodes whose links want a key)
        Input,       // an input node collects keys
        ConfirmExit, // Escape asks whether to end the job
        EraseConfirm,
        Browse,    // an edit node shows records
        EditField, // an edit node changes a field of the shown record
        Ack,    // a message waits for any key, then the links
    };
    struct NodeState
    {
        std::string data;
        bool bVerified = true; // the last verification passed
        bool bHasLast = false; // same-as-last: the value of the last record written
        std::string last;
        double dCount = 0;
        bool bCountInitialised = false;
        int nLookupRecord = -1; // the record a lookup verification found last
    };

    // Flow.
    void Run();
    void Enter(HostNode* node, HostLink* via);
    void EnterNode();
    void Leave(int nKeyID);
    HostLink* FirstLinkThatHolds(int nKeyID);
    bool LinkHolds(HostLink& link, int nKeyID);
    bool InJob(const HostLink& link) const;
    bool HasLinks() const;
    bool KeyLinkMatches(const HostLink& link, int nKeyID) const;
    bool HasKeyLink(int nKeyID = 0) const; // 0: any key link
    // Escape, when the job ends by Escape and no link of the node names it: the question whether to end.
    bool EscapeAsksToEnd(int nKeyID) const;
    void Follow(HostLink& link);
    void WaitFor(Wait wait);
    void End(RunState state, const std::string& message, const CString& prompt);
    bool GlobalKey(int nKeyID); // Escape; true when taken
    std::string KeyName(int nKeyID) const;
    HostNode* HotKeyNode(int nKeyID) const;
    bool RunHotKey(int nKeyID);
    void WarnJob(); // once a job starts: what of it can never work on this terminal
    void PrintText(const CString& text);

    // Nodes.
    void ShowScreen(HostNode& node);
    void BeginInput(HostNode& node);
    void ShowPrompt(HostNode& node);
    void ShowInput(bool bMark = true);
    void InputKey(int nKeyID);
    void CompleteInput(int nKeyID, bool bAuto);
    bool Verify(const HostNode& node, const std::string& data, std::string& why);
    bool VerifyLookup(const HostNode& node, const std::string& data, std::string& why);
    void RunCount(HostNode& node, HostLink* via);
    void RunUpload(HostNode& node);
    void RunErase(HostNode& node);
    void RunEdit(HostNode& node);
    void ShowBrowse();
    void ShowRecord(const std::vector<std::string>& fields, int editField); // -1: browsing
    const HostNode* FieldNode(int field) const;
    void BeginEditField(int field);
    void EditKey(int nKeyID);
    void LeaveEdit();
    void RunJob(HostNode& node);
    void WriteRecord(int recordId);

    // Helpers.
    std::string DataFileOf(const HostNode& node) const;
    std::string Clock(int format, int dateType) const;
    bool Evaluate(const CString& text, const std::string& data, SimValue& value, const char* what);
    void ShowMessage(const CString& prompt, const char* standard, bool clear = true);
    CString Prompt(const CString& jobs, const char* standard) const;
    void Log(const std::string& line);
    // False, with the run stopped, when the log or the data passed their bounds.
    bool WithinBounds();
    void ForgetStepsWithoutKey();
    NodeState& State(int nodeId) { return m_nodes[nodeId]; }
    std::string FormatCount(const HostNode& node, double value) const;

    JobDocument& m_doc;   // the job Start runs
    JobDocument* m_job;   // the job running now
    std::shared_ptr<JobDocument> m_pLoadedJob, m_pRetiredJob; // loaded by run-job nodes: now, and the one before
    // Jobs run-job nodes loaded in this run, by the name the node gives and the job that named it: a job that runs
    // itself is read once.
    std::map<std::string, std::shared_ptr<JobDocument>> m_jobCache;
    SimTerminal& m_term;
    RunnerOptions m_options;
    KEYMAP_KEY m_keymap[KEYMAP_SIZE];

    RunState m_state = RunState::Idle;
    Wait m_wait = Wait::None;
    Wait m_waitBeforeExit = Wait::None;
    HostNode* m_pNode = nullptr;
    HostLink* m_pVia = nullptr;
    HostNode* m_pNext = nullptr; // a node to enter when the loop runs
    HostLink* m_pNextVia = nullptr;
    bool m_bLeave = false; // the loop chooses a link next, with m_nLeaveKey
    int m_nLeaveKey = 0;
    long long m_nSteps = 0;
    int m_nStepsWithoutKey = 0;
    int m_nLoadsWithoutKey = 0;
    std::unordered_set<std::string> m_passed; // the nodes passed since the last key, by job and node id
    size_t m_nLogBytes = 0;
    bool m_bLogFull = false;
    size_t m_nDataBytes = 0; // what the files and the uploads hold, at most: checked exactly when it passes the bound
    std::string m_strEnd;
    std::vector<std::string> m_log;
    std::vector<std::string> m_uploads;
    SimDataFiles m_files;
    std::vector<std::pair<std::string, std::string>> m_loaded; // LoadFile's files, loaded again on Start
    std::map<int, NodeState> m_nodes;
    std::string m_lastInput; // the data of the last input node, which INPUT DATA links of other nodes test

    // The input being collected.
    std::string m_input;
    CPoint m_ptInput;     // where the input shows
    CPoint m_ptText;      // where the running node's screen text or prompt starts
    int m_nShown = 0;     // cells the input display took last time
    bool m_bErrorSign = false; // the error sign shows where the input (or the edited field's value) goes
    bool m_bKeypadFallback = false; // generated data failed: the keypad takes over

    // Erase, browse and edit.
    std::string m_strFile;
    int m_nBrowse = 0;
    int m_nEditField = 0;     // the field being changed
    std::string m_strEdit;    // its value as typed
};
