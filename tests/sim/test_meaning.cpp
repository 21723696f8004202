// The runner follows what each field means: the length bounds and Enter, numbers of the input's type, Escape,
// excluded nodes and links, and the keys of keypads with a separate Escape.
#include <gtest/gtest.h>

#include <cstring>

#include "resources/resource.h"
#include "sim_jobs.h"

using namespace simtest;

namespace
{

bool Logged(const JobRunner& runner, const std::string& text)
{
    for (const std::string& line : runner.GetLog())
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

// "Code:" (length 3 to 5) leads to "NEXT" on any completion.
std::unique_ptr<JobDocument> LengthJob(bool completeWithEnter, HostNode** next)
{
    auto doc = std::make_unique<JobDocument>();
    HostNode* code = InputNode(*doc, "Code", "Code:");
    code->m_collect.bCompleteWithEnter = completeWithEnter;
    code->m_collect.bVerifyLength = true;
    code->m_collect.nLengthFrom = 3;
    code->m_collect.nLengthTo = 5;
    doc->SetStartNode(code);
    *next = doc->AddNode(NODE_SCREEN, "Next");
    (*next)->m_strScreenText = "NEXT";
    doc->AddLink(code->m_nID, (*next)->m_nID);
    return doc;
}

TEST(Meaning, EnterCompletesAnyLengthTheVerificationAccepts)
{
    struct
    {
        const char* situation;
        bool completeWithEnter;
        const char* keys;
        bool next; // the input completed and the job went on
        int beeps;
    } rows[] = {
        {"the shortest length and Enter", false, "ABC{ENTER}", true, 0},
        {"between the bounds and Enter", false, "ABCD{ENTER}", true, 0},
        {"the longest length ends by itself", false, "ABCDE", true, 0},
        {"shorter than the shortest is refused", false, "AB{ENTER}", false, 1},
        {"with Complete With Enter, Enter at the shortest", true, "ABC{ENTER}", true, 0},
        {"with Complete With Enter a full input waits for Enter", true, "ABCDE", false, 0},
        {"... and Enter completes it", true, "ABCDE{ENTER}", true, 0},
        {"with Complete With Enter, too short", true, "AB{ENTER}", false, 1},
    };
    for (const auto& row : rows)
    {
        HostNode* next;
        auto doc = LengthJob(row.completeWithEnter, &next);
        Session s(*doc);
        s.Play(row.keys);
        EXPECT_EQ(s.runner.GetCurrentNode() == next, row.next) << row.situation << "\n" << s.screen.Text();
        EXPECT_EQ(s.screen.Beeps(), row.beeps) << row.situation;
    }
}

TEST(Meaning, NumericInputIsANumberOfItsType)
{
    struct
    {
        const char* situation;
        int type;
        const char* keys; // a key script; "SCAN:" scans the rest
        bool next;
        const char* shown; // the input row
        const char* logged;
    } rows[] = {
        {"a minus alone", DATA_INTEGER, "-{ENTER}", false, "Qty:-_", "\"-\" refused, not a number"},
        {"a point alone", DATA_FLOAT, ".{ENTER}", false, "Qty:._", "\".\" refused, not a number"},
        {"a 16-bit integer's largest", DATA_INTEGER, "32767{ENTER}", true, "NEXT", "\"32767\" accepted"},
        {"a digit past 16 bits is refused as typed", DATA_INTEGER, "99999", false, "Qty:9999_",
         "\"99999\" refused, not an integer from -32768 to 32767"},
        {"a long integer takes it", DATA_LONG, "99999{ENTER}", true, "NEXT", "\"99999\" accepted"},
        {"past 32 bits", DATA_LONG, "2147483648", false, "Qty:214748364_",
         "\"2147483648\" refused, not a long integer from -2147483648 to 2147483647"},
        {"a scan that is no number", DATA_INTEGER, "SCAN:12AB", false, "Qty:12AB_", "\"12AB\" refused, not a number"},
        {"a scanned fraction into an integer", DATA_INTEGER, "SCAN:1.5", false, "Qty:1.5_",
         "\"1.5\" refused, not a number"},
        {"a scanned fraction into floating point", DATA_FLOAT, "SCAN:1.5", true, "NEXT", "\"1.5\" accepted"},
    };
    for (const auto& row : rows)
    {
        auto doc = std::make_unique<JobDocument>();
        HostNode* qty = InputNode(*doc, "Qty", "Qty:", row.type);
        qty->m_collect.bScanner = true;
        doc->SetStartNode(qty);
        HostNode* next = doc->AddNode(NODE_SCREEN, "Next");
        next->m_strScreenText = "NEXT";
        doc->AddLink(qty->m_nID, next->m_nID);
        Session s(*doc);
        const std::string keys = row.keys;
        if (keys.compare(0, 5, "SCAN:") == 0)
        {
            s.runner.Start();
            s.runner.Scan(keys.substr(5));
        }
        else
            s.Play(keys);
        EXPECT_EQ(s.runner.GetCurrentNode() == next, row.next) << row.situation;
        EXPECT_EQ(s.screen.Text(), row.shown) << row.situation;
        EXPECT_TRUE(Logged(s.runner, row.logged)) << row.situation;
        EXPECT_EQ(s.screen.Beeps(), row.next ? 0 : 1) << row.situation;
    }
}

// Escape ends the job (after the question) unless the job's settings forbid it; only a link naming Escape takes it.
TEST(Meaning, EscapeEndsTheJobUnlessALinkNamesIt)
{
    const char* const ask = "Exit job? Ent=Yes";
    struct
    {
        const char* situation;
        bool input;       // the node is an input "Qty:", else a message screen "MSG"
        const char* link; // the key of its link to "NEXT"; empty: a link without condition
        bool noEscTerminate;
        const char* keys;
        const char* screen; // the last row, or the whole screen when the job went on
        RunState state;
    } rows[] = {
        {"a message screen's unconditional link", false, "", false, "{ESC}", ask, RunState::Waiting},
        {"... Enter ends the job", false, "", false, "{ESC}{ENTER}", "Job aborted", RunState::Ended},
        {"... another key goes back to the message", false, "", false, "{ESC}1", "MSG", RunState::Waiting},
        {"an input's any-key link", true, "Any-key", false, "5{ESC}", ask, RunState::Waiting},
        {"... declining keeps the typed input", true, "Any-key", false, "5{ESC}9{ENTER}", "NEXT", RunState::Waiting},
        {"a link naming Escape", false, "ESC", false, "{ESC}", "NEXT", RunState::Waiting},
        {"Escape that does not end the job is a key", false, "", true, "{ESC}", "NEXT", RunState::Waiting},
        {"... that any-key links take", true, "Any-key", true, "5{ESC}", "NEXT", RunState::Waiting},
    };
    for (const auto& row : rows)
    {
        auto doc = std::make_unique<JobDocument>();
        HostNode* from = row.input ? InputNode(*doc, "Qty", "Qty:", DATA_INTEGER) : doc->AddNode(NODE_SCREEN, "Msg");
        if (!row.input)
            from->m_strScreenText = "MSG";
        doc->SetStartNode(from);
        doc->m_settings.bNoEscTerminate = row.noEscTerminate;
        HostNode* next = doc->AddNode(NODE_SCREEN, "Next");
        next->m_strScreenText = "NEXT";
        if (*row.link)
            KeyLink(*doc, from, next, row.link);
        else
            doc->AddLink(from->m_nID, next->m_nID);
        Session s(*doc);
        s.Play(row.keys);
        EXPECT_EQ(s.runner.GetState(), row.state) << row.situation;
        const std::string text = s.screen.Text();
        const std::string last = s.screen.Rows().back();
        EXPECT_TRUE(text == row.screen || last.compare(0, std::strlen(row.screen), row.screen) == 0)
            << row.situation << "\n"
            << text;
    }
}

// What is excluded from making the job is not on the terminal: not its start, not a way on, not a link at all.
TEST(Meaning, ExcludedNodesAndLinksAreLeftOut)
{
    {
        HostNode* start;
        auto doc = NewJob("START", &start);
        start->m_bExcludeFromMakeJob = TRUE;
        Session s(*doc);
        s.Play("");
        EXPECT_EQ(s.runner.GetState(), RunState::Stopped);
        EXPECT_EQ(s.runner.GetEndMessage(), "The start node \"Start\" is excluded from making the job: nothing runs.");
        EXPECT_EQ(s.screen.Text(), "");
    }
    {
        // A menu whose only link is excluded has no way on: the job is done.
        HostNode* menu;
        auto doc = NewJob("MENU", &menu);
        HostNode* b = doc->AddNode(NODE_SCREEN, "B");
        KeyLink(*doc, menu, b, "1")->m_bExcludeFromMakeJob = TRUE;
        Session s(*doc);
        s.Play("1");
        EXPECT_EQ(s.runner.GetState(), RunState::Ended);
        EXPECT_EQ(s.screen.Text(), "Job done");
    }
    {
        // A key link to an excluded node does not complete the input: F1 is refused, Enter goes on.
        auto doc = std::make_unique<JobDocument>();
        HostNode* qty = InputNode(*doc, "Qty", "Qty:", DATA_INTEGER);
        doc->SetStartNode(qty);
        HostNode* gone = doc->AddNode(NODE_SCREEN, "Gone");
        gone->m_bExcludeFromMakeJob = TRUE;
        HostNode* next = doc->AddNode(NODE_SCREEN, "Next");
        next->m_strScreenText = "NEXT";
        KeyLink(*doc, qty, gone, "F1");
        doc->AddLink(qty->m_nID, next->m_nID);
        Session s(*doc);
        s.Play("5{F1}");
        EXPECT_EQ(s.runner.GetCurrentNode(), qty);
        EXPECT_EQ(s.screen.Text(), "Qty:5_");
        EXPECT_EQ(s.screen.Beeps(), 1);
        s.Play("{ENTER}", false);
        EXPECT_EQ(s.runner.GetCurrentNode(), next);
    }
}

// A hot key runs its node from wherever the job waits, unless the running node has a link naming that key.
TEST(Meaning, HotKeysRunTheirNodeFromAnywhere)
{
    struct
    {
        const char* situation;
        const char* keys;
        const char* at; // the node waiting at the end
    } rows[] = {
        {"from the menu", "{F1}", "Hot"},
        {"while editing a field (nothing is written)", "2{ENTER}X{F1}", "Hot"},
        {"on an input with an any-key link", "312{F1}", "Hot"},
        {"a link naming the key wins", "57{F1}", "Linked"},
    };
    for (const auto& row : rows)
    {
        HostNode* menu;
        auto doc = NewJob("MENU", &menu);
        HostNode* hot = doc->AddNode(NODE_SCREEN, "Hot");
        hot->m_strScreenText = "HOT";
        hot->m_nHotKey = IDC_KEY_F1;
        HostNode* twin = doc->AddNode(NODE_SCREEN, "Twin");
        twin->m_nHotKey = IDC_KEY_F1;
        HostNode* edit = doc->AddNode(NODE_EDIT, "Edit");
        edit->m_strDataFile = "KEEP.TXT";
        edit->m_nFieldSeparator = ',';
        HostNode* qty = InputNode(*doc, "Qty", "Qty:", DATA_INTEGER);
        HostNode* input = InputNode(*doc, "Input", "In:", DATA_INTEGER);
        HostNode* linked = doc->AddNode(NODE_SCREEN, "Linked");
        KeyLink(*doc, menu, edit, "2");
        KeyLink(*doc, menu, qty, "3");
        KeyLink(*doc, menu, input, "5");
        KeyLink(*doc, qty, menu, "Any-key");
        KeyLink(*doc, input, linked, "F1");
        doc->AddLink(edit->m_nID, menu->m_nID);
        Session s(*doc);
        s.runner.LoadFile("KEEP.TXT", "a,b\r\n");
        s.Play(row.keys);
        ASSERT_TRUE(s.runner.GetCurrentNode()) << row.situation;
        EXPECT_EQ(s.runner.GetCurrentNode()->m_strName, row.at) << row.situation << "\n" << s.screen.Text();
        EXPECT_EQ(s.Files(), "KEEP.TXT (1 record)\n  a,b\\r\\n\n") << row.situation;
        EXPECT_EQ(s.screen.Beeps(), 0) << row.situation;
        // Two nodes with one hot key: the first runs, and the log says so once.
        int warned = 0;
        for (const std::string& line : s.runner.GetLog())
            warned += line == "Nodes \"Hot\" and \"Twin\" have the same hot key F1: only \"Hot\" runs.";
        EXPECT_EQ(warned, 1) << row.situation;
    }
}

// "Do Not Clear Screen When Exit This Menu Node" decides whether the menu's text stays, whichever way it is left,
// and nothing else: a menu waits for a key either way.
TEST(Meaning, LeavingAMenuClearsItUnlessItSaysNot)
{
    struct
    {
        const char* situation;
        bool noClearOnExit;
        const char* keys;
        const char* screen;
    } rows[] = {
        {"left by its link", false, "1", "NEXT"},
        {"left by its link, kept", true, "1", "MENUNEXT"},
        {"left by a hot key, kept", true, "{F1}", "MENUHOT"},
        {"it waits for a key either way", true, "", "MENU"},
    };
    for (const auto& row : rows)
    {
        HostNode* menu;
        auto doc = NewJob("MENU", &menu);
        menu->m_bNoClearOnExit = row.noClearOnExit;
        HostNode* next = doc->AddNode(NODE_SCREEN, "Next");
        next->m_strScreenText = "NEXT";
        next->m_bNoClearBeforeDisplay = TRUE;
        HostNode* hot = doc->AddNode(NODE_SCREEN, "Hot");
        hot->m_strScreenText = "HOT";
        hot->m_bNoClearBeforeDisplay = TRUE;
        hot->m_nHotKey = IDC_KEY_F1;
        doc->AddLink(menu->m_nID, next->m_nID);
        Session s(*doc);
        s.Play(row.keys);
        EXPECT_EQ(s.screen.Text(), row.screen) << row.situation;
        EXPECT_TRUE(s.runner.IsWaiting()) << row.situation;
    }
}

// A file on the terminal has a name and no folder: a record's "C:\\Jobs\\X.DAT", an upload's "X.DAT" and an erase's
// "D:\\x.dat" are one file.
TEST(Meaning, APcPathNamesTheFileByItsName)
{
    HostNode* menu;
    auto doc = NewJob("MENU", &menu);
    HostNode* qty = InputNode(*doc, "Qty", "Qty:", DATA_INTEGER);
    HostRecord* r = doc->AddRecord("R", "C:\\Jobs\\X.DAT");
    r->m_arrFields.Add(WORD(qty->m_nID));
    r->m_nRecordTerminator = TERMINATOR_CRLF;
    HostNode* send = doc->AddNode(NODE_UPLOAD, "Send");
    send->m_strDataFile = "X.DAT";
    send->m_bUploadAll = TRUE;
    HostNode* erase = doc->AddNode(NODE_ERASE, "Erase");
    erase->m_strDataFile = "D:\\x.dat";
    erase->m_bDeleteWholeFile = TRUE;
    KeyLink(*doc, menu, qty, "1");
    HostLink* write = KeyLink(*doc, qty, menu, "Ent");
    write->m_bEOR = TRUE;
    write->m_nRecordID = r->m_nID;
    KeyLink(*doc, menu, send, "2");
    KeyLink(*doc, menu, erase, "3");
    doc->AddLink(send->m_nID, menu->m_nID);
    doc->AddLink(erase->m_nID, menu->m_nID);
    Session s(*doc);
    s.runner.LoadFile("/home/me/X.DAT", "7\r\n");
    s.Play("15{ENTER}2");
    EXPECT_EQ(s.Files(), "X.DAT (2 records)\n  7\\r\\n\n  5\\r\\n\n");
    ASSERT_EQ(s.runner.GetUploads().size(), 2u);
    EXPECT_EQ(s.runner.GetUploads()[1], "5\r\n");
    s.Play("3{ENTER}", false);
    EXPECT_EQ(s.Files(), "(no data files)\n");
}

// The runner's own questions fit a 16-column screen without scrolling it, and a declined question gives the input
// its prompt back.
TEST(Meaning, QuestionsFitTheScreen)
{
    struct
    {
        const char* model;
        const char* keys;
        const char* screen;
    } rows[] = {
        {"M-10", "15{ESC}", "One\nTwo\nThree\nExit? Ent=Yes"},
        {"M-10", "15{ESC}7", "One\nTwo\nThree\nQty:5_"}, // the key that declines is not typed
        {"M-10", "2", "Erase all?\nEnt=Yes"},
        {"M-20", "15{ESC}", "One\nTwo\nThree\nQty:5_\n\n\n\nExit job? Ent=Yes"},
    };
    for (const auto& row : rows)
    {
        HostNode* menu;
        auto doc = NewJob("One\r\nTwo\r\nThree", &menu);
        doc->Terminal().m_strModel = row.model;
        menu->m_bNoClearOnExit = TRUE;
        HostNode* qty = InputNode(*doc, "Qty", "Qty:", DATA_INTEGER);
        HostNode* erase = doc->AddNode(NODE_ERASE, "Erase");
        erase->m_strDataFile = "X.DAT";
        erase->m_bDeleteWholeFile = TRUE;
        KeyLink(*doc, menu, qty, "1");
        KeyLink(*doc, menu, erase, "2");
        Session s(*doc);
        s.Play(row.keys);
        EXPECT_EQ(s.screen.Text(), row.screen) << row.model << " " << row.keys;
    }
}

} // namespace
