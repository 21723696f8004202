// Transcripts of counts, records, file nodes, Escape, double-byte prompts and runaway jobs.
#include <gtest/gtest.h>

#include <functional>

#include "platform/afxstr.h"
#include "resources/resource.h"
#include "sim_jobs.h"
#include "support/Support.h"

using namespace simtest;

namespace
{

struct Case
{
    const char* situation;
    std::function<std::unique_ptr<JobDocument>()> job;
    const char* keys;
    const char* screen;
    const char* files;
    const char* uploads = nullptr; // escaped, one record after another; null: not looked at
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.situation; }

std::string Name(const char* situation)
{
    std::string name;
    for (const char* p = situation; *p; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
}

// A count shown as "N=" after each Enter on the menu, which loops back to the menu.
std::unique_ptr<JobDocument> CountJob(const std::function<void(CountSettings&, HostNode&, HostLink&)>& setUp)
{
    HostNode* menu;
    auto doc = NewJob("Ent count", &menu);
    menu->m_bNoClearOnExit = TRUE;
    HostNode* count = doc->AddNode(NODE_COUNT, "N");
    count->m_strScreenText = "N=";
    count->m_collect.nDataType = DATA_INTEGER;
    HostLink* in = KeyLink(*doc, menu, count, "Ent");
    HostNode* show = doc->AddNode(NODE_SCREEN, "Show");
    show->m_bNoClearBeforeDisplay = TRUE;
    show->m_bNoClearOnExit = TRUE;
    doc->AddLink(count->m_nID, show->m_nID);
    KeyLink(*doc, show, count, "Ent");
    HostLink* reset = KeyLink(*doc, show, count, "F1");
    reset->m_bINIT = TRUE;
    (void)in;
    setUp(count->m_count, *count, *reset);
    return doc;
}

// Item and quantity written as one record of STOCK.TXT by the Enter link after the quantity, with a preamble, a
// postamble, a tab between the fields and CR LF after the record; F2 uploads it, F3 erases.
std::unique_ptr<JobDocument> StockJob(const std::function<void(JobDocument&, HostNode&, HostNode&)>& setUp)
{
    HostNode* menu;
    auto doc = NewJob("F1 count F2 send\r\nF3 erase F4 browse", &menu);
    HostNode* item = InputNode(*doc, "Item", "Item:");
    HostNode* qty = InputNode(*doc, "Qty", "Qty:", DATA_INTEGER);
    HostRecord* r = StockRecord(*doc, item, qty);
    KeyLink(*doc, menu, item, "F1");
    KeyLink(*doc, item, qty, "Ent");
    HostLink* write = KeyLink(*doc, qty, menu, "Ent");
    write->m_bEOR = TRUE;
    write->m_nRecordID = r->m_nID;
    HostNode* upload = doc->AddNode(NODE_UPLOAD, "Send");
    upload->m_nRecordID = r->m_nID;
    KeyLink(*doc, menu, upload, "F2");
    HostNode* erase = doc->AddNode(NODE_ERASE, "Erase");
    erase->m_nRecordID = r->m_nID;
    KeyLink(*doc, menu, erase, "F3");
    HostNode* edit = doc->AddNode(NODE_EDIT, "Browse");
    edit->m_nRecordID = r->m_nID;
    edit->m_nFieldSeparator = 9;
    KeyLink(*doc, menu, edit, "F4");
    HostNode* done = doc->AddNode(NODE_SCREEN, "Done");
    done->m_strScreenText = "DONE";
    for (HostNode* n : {upload, erase, edit})
        doc->AddLink(n->m_nID, done->m_nID);
    KeyLink(*doc, done, menu, "Ent");
    setUp(*doc, *upload, *erase);
    return doc;
}

// An input node after the menu's Ent, taking Ent again, and a screen showing its own name that a link of the given
// condition reaches from the input.
std::unique_ptr<JobDocument> LinkedInput(const char* name, int type, const char* screen,
                                         const std::function<void(HostLink&)>& condition)
{
    HostNode* menu;
    auto doc = NewJob("Ent", &menu);
    HostNode* input = InputNode(*doc, name, (std::string(name) + ":").c_str(), type);
    KeyLink(*doc, menu, input, "Ent");
    HostNode* to = doc->AddNode(NODE_SCREEN, screen);
    to->m_strScreenText = screen;
    condition(*doc->AddLink(input->m_nID, to->m_nID));
    KeyLink(*doc, input, input, "Ent");
    return doc;
}

const char* const kTwoRecords = "STOCK.TXT (2 records)\n  <A1\\t5>\\r\\n\n  <B2\\t7>\\r\\n\n";

const Case kCases[] = {
    {"count initial and first operation", [] { return CountJob([](CountSettings&, HostNode&, HostLink&) {}); },
     "{ENTER}", "Ent count\nN=1", "(no data files)\n"},
    {"count adds on every pass",
     [] {
         return CountJob([](CountSettings& c, HostNode&, HostLink&) {
             c.strConstant = "10";
             c.operations[0] = CountOperation{OP_ADD, false, "5", 0};
         });
     },
     "{ENTER}{ENTER}{ENTER}", "Ent count\nN=15\nN=20\nN=25", "(no data files)\n"},
    {"count by formula, reset by an INIT link",
     [] {
         return CountJob([](CountSettings& c, HostNode&, HostLink&) {
             c.nValueSource = VALUE_FORMULA;
             c.strFormula = "2 * (3 + 4)";
             c.bInitByLinks = true;
             c.operations[0] = CountOperation{OP_INCREMENT};
         });
     },
     "{ENTER}{ENTER}{F1}", "Ent count\nN=1\nN=2\nN=15", "(no data files)\n"},
    {"an integer count wraps at 16 bits",
     [] { return CountJob([](CountSettings& c, HostNode&, HostLink&) { c.strConstant = "32766"; }); }, "{ENTER}{ENTER}",
     "Ent count\nN=32767\nN=-32768", "(no data files)\n"},
    {"EOR writes a record with its separators", [] { return StockJob([](JobDocument&, HostNode&, HostNode&) {}); },
     "{F1}A1{ENTER}5{ENTER}", "F1 count F2 send\nF3 erase F4 browse", "STOCK.TXT (1 record)\n  <A1\\t5>\\r\\n\n"},
    {"upload of all records", [] { return StockJob([](JobDocument&, HostNode&, HostNode&) {}); },
     "{F1}A1{ENTER}5{ENTER}{F1}B2{ENTER}7{ENTER}{F2}", "DONE", kTwoRecords, "<A1\\t5>\\r\\n<B2\\t7>\\r\\n"},
    {"upload with nothing written",
     [] {
         return StockJob([](JobDocument& doc, HostNode& up, HostNode&) {
             doc.m_language.strNoRecord = "Nothing to send";
             up.m_bSendCtrlZ = TRUE;
             doc.RemoveNode(doc.FindNodeByName("Done")->m_nID); // the message stays: the job ends there
         });
     },
     "{F2}", "Job done", "(no data files)\n", ""},
    {"upload ends with Ctrl-Z",
     [] { return StockJob([](JobDocument&, HostNode& up, HostNode&) { up.m_bSendCtrlZ = TRUE; }); },
     "{F1}A1{ENTER}5{ENTER}{F2}", "DONE", "STOCK.TXT (1 record)\n  <A1\\t5>\\r\\n\n", "<A1\\t5>\\r\\n\\x1A"},
    {"erase of the whole file", [] { return StockJob([](JobDocument&, HostNode&, HostNode&) {}); },
     "{F1}A1{ENTER}5{ENTER}{F1}B2{ENTER}7{ENTER}{F3}{ENTER}", "DONE", "(no data files)\n"},
    {"erase of the last record",
     [] { return StockJob([](JobDocument&, HostNode&, HostNode& er) { er.m_bDeleteWholeFile = FALSE; }); },
     "{F1}A1{ENTER}5{ENTER}{F1}B2{ENTER}7{ENTER}{F3}{ENTER}", "DONE", "STOCK.TXT (1 record)\n  <A1\\t5>\\r\\n\n"},
    {"browse from the first record, then down", [] { return StockJob([](JobDocument&, HostNode&, HostNode&) {}); },
     "{F1}A1{ENTER}5{ENTER}{F1}B2{ENTER}7{ENTER}{F4}{RIGHT}", "Browse 2/2\nB2\n7", kTwoRecords},
    {"expression link on the data",
     [] {
         return LinkedInput("Qty", DATA_INTEGER, "BIG", [](HostLink& l) {
             l.m_nCondition = LINK_EXPRESSION;
             l.m_strExpression = "Qty >= 100";
         });
     },
     "{ENTER}5{ENTER}150{ENTER}", "BIG", "(no data files)\n"},
    {"input data link",
     [] {
         return LinkedInput("Code", DATA_STRING, "BYE", [](HostLink& l) {
             l.m_nCondition = LINK_INPUT_DATA;
             l.m_strInputData = "END";
         });
     },
     "{ENTER}ab{ENTER}end{ENTER}", "BYE", "(no data files)\n"},
};

class Flow : public ::testing::TestWithParam<Case>
{
};

TEST_P(Flow, ScreenFilesAndUploads)
{
    const Case& c = GetParam();
    auto doc = c.job();
    Session s(*doc);
    s.Play(c.keys);
    EXPECT_EQ(s.screen.Text(), c.screen);
    EXPECT_EQ(s.Files(), c.files);
    if (c.uploads)
    {
        std::string sent;
        for (const std::string& r : s.runner.GetUploads())
            sent += EscapeBytes(r);
        EXPECT_EQ(sent, c.uploads);
    }
}

INSTANTIATE_TEST_SUITE_P(Runner, Flow, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return Name(info.param.situation); });

TEST(RunnerEnd, DeadEndsAndOtherJobs)
{
    struct
    {
        const char* situation;
        int kind;
        RunState state;
        const char* message;
        const char* screen;
    } rows[] = {
        {"a node without links is the end", NODE_SCREEN, RunState::Ended,
         "The job is done: node \"Last\" has no link on.", "Job done"},
        {"run-job ends this job", NODE_RUNJOB, RunState::Ended,
         "Node \"Last\" would load job \"B.JOB\" and start it at node \"Go\"; this job ends here.", "Ent"},
    };
    for (const auto& row : rows)
    {
        HostNode* menu;
        auto doc = NewJob("Ent", &menu);
        menu->m_bNoClearOnExit = TRUE;
        HostNode* last = doc->AddNode(row.kind, "Last");
        last->m_strJobFile = "B.JOB";
        last->m_strStartNode = "Go";
        KeyLink(*doc, menu, last, "Ent");
        Session s(*doc);
        s.Play("{ENTER}{ENTER}");
        EXPECT_EQ(s.runner.GetState(), row.state) << row.situation;
        EXPECT_EQ(s.runner.GetEndMessage(), row.message) << row.situation;
        EXPECT_EQ(s.screen.Text(), row.screen) << row.situation;
    }

    // Expression links that all fail leave nowhere to go.
    HostNode* menu;
    auto doc = NewJob("Ent", &menu);
    HostNode* count = doc->AddNode(NODE_COUNT, "C");
    KeyLink(*doc, menu, count, "Ent");
    HostLink* never = doc->AddLink(count->m_nID, menu->m_nID);
    never->m_nCondition = LINK_EXPRESSION;
    never->m_strExpression = "C > 100";
    Session s(*doc);
    s.Play("{ENTER}");
    EXPECT_EQ(s.runner.GetState(), RunState::Stopped);
    EXPECT_EQ(s.runner.GetEndMessage(), "Stopped: no link from node \"C\" can be followed.");
}

// A lookup file loaded before the run: the scan verifies against it, the quantity retrieves its second field.
TEST(RunnerLookup, VerifyAndRetrieve)
{
    HostNode* menu;
    auto doc = NewJob("Ent", &menu);
    HostNode* scan = InputNode(*doc, "Scan", "Item:");
    scan->m_dwVerifyFlags = VERIFY_LOOKUPFILE;
    scan->m_strVerifyLookupFile = "ITEMS.DAT";
    scan->m_collect.nVerifyFieldNo = 1;
    scan->m_collect.nFieldSeparator = ',';
    HostNode* qty = InputNode(*doc, "Qty", "Qty:", DATA_INTEGER);
    qty->m_collect.bFromLookupFile = true;
    qty->m_collect.nLookupNodeID = scan->m_nID;
    qty->m_collect.nLookupFieldNo = 2;
    KeyLink(*doc, menu, scan, "Ent");
    KeyLink(*doc, scan, qty, "Ent");
    KeyLink(*doc, qty, menu, "F1");

    struct
    {
        const char* situation;
        bool bFullKeyMatch;
        const char* keys;
        const char* screen;
        bool bBinarySearch = false;
    } rows[] = {
        {"a key not in the file is refused", false, "{ENTER}999{ENTER}", "Item:*"},
        {"binary search finds a partial key as the linear search does", false, "{ENTER}12{ENTER}", "Item:12\nQty:12",
         true},
        {"binary search with full key match refuses it", true, "{ENTER}12{ENTER}", "Item:*", true},
        {"a partial key finds the first record that starts with it", false, "{ENTER}76{ENTER}", "Item:76\nQty:3"},
        {"full key match refuses a partial key", true, "{ENTER}76{ENTER}", "Item:*"},
        {"full key match finds the whole key", true, "{ENTER}7654321{ENTER}", "Item:7654321\nQty:3"},
        {"a refused key, then one that finds the file's first record", false, "{ENTER}999{ENTER}1{ENTER}",
         "Item:1\nQty:12"},
    };
    for (const auto& row : rows)
    {
        scan->m_collect.bFullKeyMatch = row.bFullKeyMatch;
        scan->m_collect.bBinarySearch = row.bBinarySearch;
        Session s(*doc);
        s.runner.LoadFile("items.dat", "1234567,12\r\n7654321,3\r\n7600000,9\r\n");
        s.Play(row.keys);
        EXPECT_EQ(s.screen.Text(), row.screen) << row.situation;
    }

    // A lookup file the terminal does not hold refuses every key, and says so in the log.
    Session missing(*doc);
    missing.Play("{ENTER}1234567{ENTER}");
    EXPECT_EQ(missing.screen.Text(), "Item:*");
    const auto& log = missing.runner.GetLog();
    EXPECT_NE(std::find(log.begin(), log.end(), "\"Scan\": \"1234567\" refused, lookup file ITEMS.DAT not found."),
              log.end());
}

} // namespace
