// Small jobs for the runner's transcripts, and a runner on a text screen that plays a key script and reads back
// what a person would see.
#pragma once

#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/HostTerminal.h"
#include "host/model/JobDocument.h"
#include "host/model/SampleJob.h"
#include "host/app/SimulationScript.h"
#include "host/app/SimulationWindow.h"
#include "host/sim/JobRunner.h"
#include "host/sim/KeyScript.h"
#include "host/sim/TextScreen.h"
#include "platform/testing/pdttest.h"
#include "portable/CDlgDefineKeypad.h"
#include "support/Support.h"

namespace simtest
{

// A job on an M-20 (21 x 8) whose start node is a screen node with the given text.
inline std::unique_ptr<JobDocument> NewJob(const char* startText, HostNode** start = nullptr)
{
    auto doc = std::make_unique<JobDocument>();
    HostNode* s = doc->AddNode(NODE_SCREEN, "Start");
    s->m_strScreenText = startText;
    doc->SetStartNode(s);
    if (start)
        *start = s;
    return doc;
}

inline HostLink* KeyLink(JobDocument& doc, HostNode* from, HostNode* to, const char* key)
{
    HostLink* link = doc.AddLink(from->m_nID, to->m_nID);
    link->m_nCondition = LINK_KEY;
    link->m_strKey = key;
    return link;
}

// An input node that takes typed digits and letters and completes with Enter.
inline HostNode* InputNode(JobDocument& doc, const char* name, const char* prompt, int type = DATA_STRING)
{
    HostNode* n = doc.AddNode(NODE_INPUT, name);
    n->m_strScreenText = prompt;
    n->m_collect.nDataType = type;
    n->m_collect.bScanner = false;
    return n;
}

// Item and quantity as the fields of record "Stock" in STOCK.TXT: "<", the fields with a tab between them, ">" and
// CR LF.
inline HostRecord* StockRecord(JobDocument& doc, HostNode* item, HostNode* qty)
{
    HostRecord* r = doc.AddRecord("Stock", "STOCK.TXT");
    r->m_arrFields.Add(WORD(item->m_nID));
    r->m_arrFields.Add(WORD(qty->m_nID));
    r->m_nFieldSeparator = 9;
    r->m_nRecordTerminator = TERMINATOR_CRLF;
    r->m_strPreamble = "<";
    r->m_strPostamble = ">";
    return r;
}

struct Session
{
    explicit Session(JobDocument& doc, RunnerOptions options = {})
        : screen(HostTerminal::ScreenSizeOf(doc.Terminal().m_strModel), doc.m_nLanguage), runner(doc, screen, options)
    {
    }
    // Starts the job and plays the keys; a key script that does not parse fails the test.
    void Play(const std::string& keys, bool start = true)
    {
        if (start)
            runner.Start();
        std::vector<SimKeyEvent> events;
        std::string error;
        ASSERT_TRUE(ParseKeyScript(keys, runner, events, &error)) << error;
        PlayKeys(runner, events);
    }
    std::string Files() const { return runner.GetFiles().Describe(); }

    TextScreen screen;
    JobRunner runner;
};

// jobhost with these arguments, as a person types them: the exit status, what it wrote and what it said.
inline int Jobhost(std::vector<const char*> args, std::string& out, std::string& err)
{
    std::vector<char*> argv{const_cast<char*>("jobhost")};
    for (const char* a : args)
        argv.push_back(const_cast<char*>(a));
    std::ostringstream o, e;
    EXPECT_TRUE(IsSimulateCommand(int(argv.size()), argv.data()));
    const int status = RunSimulateCommand(int(argv.size()), argv.data(), o, e);
    out = o.str();
    err = e.str();
    return status;
}

// A job (the sample when none is given) in a simulation window, shown, and destroyed with the test.
struct ShownWindow
{
    explicit ShownWindow(std::unique_ptr<JobDocument> job = MakeSampleJob()) : doc(std::move(job)), window(*doc)
    {
        EXPECT_TRUE(window.Create());
        window.ShowWindow(SW_SHOW);
        pdt::test::Pump();
    }
    ~ShownWindow()
    {
        if (::IsWindow(window.m_hWnd))
            window.DestroyWindow();
    }
    CDlgDefineKeypad& Keypad() { return *window.GetKeypad(); }
    void Press(std::initializer_list<int> keys)
    {
        for (int id : keys)
            pdt::test::Click(Keypad(), id);
        pdt::test::Pump();
    }
    std::string Prompt() { return window.GetScreen().GetPrompt().str(); }
    CString Text(int id)
    {
        CString text;
        window.GetDlgItemText(id, text);
        return text;
    }
    HWND Item(int id) { return ::GetDlgItem(window.m_hWnd, id); }

    std::unique_ptr<JobDocument> doc;
    SimulationWindow window;
};

} // namespace simtest
