// Transcripts of simulated jobs: keys in, the screen and the data files out, compared as text. Each row is one
// situation a person meets on the terminal.
#include <gtest/gtest.h>

#include <functional>

#include "host/model/SampleJob.h"
#include "resources/resource.h"
#include "sim_jobs.h"
#include "support/Support.h"

using namespace simtest;

namespace
{

// A menu with two choices by key, each leading to a screen of its own.
std::unique_ptr<JobDocument> MenuJob()
{
    HostNode* menu;
    auto doc = NewJob("MAIN MENU\r\n1 Receive\r\n2 Ship", &menu);
    HostNode* receive = doc->AddNode(NODE_SCREEN, "Receive");
    receive->m_strScreenText = "RECEIVING";
    HostNode* ship = doc->AddNode(NODE_SCREEN, "Ship");
    ship->m_strScreenText = "SHIPPING\r\nF1 back";
    KeyLink(*doc, menu, receive, "1");
    KeyLink(*doc, menu, ship, "2");
    KeyLink(*doc, ship, menu, "F1");
    return doc;
}

// "Qty:" input of an integer, written with its EOR link into QTY.DAT, then asked again.
std::unique_ptr<JobDocument> InputJob(const std::function<void(CollectSettings&, HostNode&)>& setUp)
{
    HostNode* menu;
    auto doc = NewJob("COUNT\r\nEnt start", &menu);
    HostNode* qty = InputNode(*doc, "Qty", "Qty:", DATA_INTEGER);
    setUp(qty->m_collect, *qty);
    KeyLink(*doc, menu, qty, "Ent");
    HostRecord* r = doc->AddRecord("Counts", "QTY.DAT");
    r->m_arrFields.Add(WORD(qty->m_nID));
    HostLink* again = KeyLink(*doc, qty, qty, "Ent");
    again->m_bEOR = TRUE;
    again->m_nRecordID = r->m_nID;
    return doc;
}

struct Row
{
    const char* situation;
    std::function<std::unique_ptr<JobDocument>()> job;
    const char* keys;
    const char* screen; // rows joined by "\n", trailing blanks dropped
    const char* files;
    int beeps = -1; // -1: not looked at
};

std::unique_ptr<JobDocument> WithFailLinkFirst(const std::function<void(CollectSettings&, HostNode&)>& setUp)
{
    auto doc = InputJob(setUp);
    HostNode* qty = doc->FindNodeByName("Qty");
    HostNode* rejected = doc->AddNode(NODE_SCREEN, "Rejected");
    rejected->m_strScreenText = "REJECTED";
    // Links are tried in the job's order: put the failure link before the Enter link.
    HostLink* again = doc->GetLinkAt(1);
    int recordId = again->m_nRecordID;
    doc->RemoveLink(again->m_nID);
    HostLink* fail = doc->AddLink(qty->m_nID, rejected->m_nID);
    fail->m_nCondition = LINK_VERIFY;
    fail->m_nVerifyResult = VERIFY_FAIL;
    HostLink* ok = KeyLink(*doc, qty, qty, "Ent");
    ok->m_bEOR = TRUE;
    ok->m_nRecordID = recordId;
    return doc;
}

const Row kRows[] = {
    {"menu refuses a key no link takes", MenuJob, "7", "MAIN MENU\n1 Receive\n2 Ship", "(no data files)\n", 1},
    {"input corrected with Clear", [] { return InputJob([](CollectSettings&, HostNode&) {}); }, "{ENTER}129{CLR}{CLR}5",
     "Qty:15_", "(no data files)\n", 0},
    {"empty input allowed", [] { return InputJob([](CollectSettings& c, HostNode&) { c.bAllowEmpty = true; }); },
     "{ENTER}{ENTER}", "Qty:\nQty:_", "QTY.DAT (1 record)\n  \\r\n", 0},
    {"range refused without error sign",
     [] {
         return InputJob([](CollectSettings& c, HostNode&) {
             c.bVerifyRange = true;
             c.strRangeTo = "5";
             c.bNoErrorSign = true;
         });
     },
     "{ENTER}6{ENTER}", "Qty:_", "(no data files)\n", 1},
    {"range refused without re-input follows the failure link",
     [] {
         return WithFailLinkFirst([](CollectSettings& c, HostNode&) {
             c.bVerifyRange = true;
             c.strRangeTo = "5";
             c.bNoReinput = true;
         });
     },
     "{ENTER}6{ENTER}", "REJECTED", "(no data files)\n", 1},
    {"picture refused, then matched",
     [] {
         return InputJob([](CollectSettings& c, HostNode& n) {
             c.nDataType = DATA_STRING;
             c.bSymbols = true;
             c.bVerifyPicture = true;
             c.strPicture = "A9-9";
             (void)n;
         });
     },
     "{ENTER}12-3{ENTER}B4-7{ENTER}", "Qty:B4-7\nQty:_", "QTY.DAT (1 record)\n  B4-7\\r\n", 1},
    {"password echo and fill tail",
     [] {
         return InputJob([](CollectSettings& c, HostNode& n) {
             c.nDataType = DATA_STRING;
             c.bFillTail = true;
             c.bVerifyLength = true;
             c.nLengthTo = 5;
             n.m_position.bAsPassword = true;
         });
     },
     "{ENTER}AB1", "Qty:***_", "(no data files)\n", 0},
    {"input at a location with its own mark",
     [] {
         return InputJob([](CollectSettings&, HostNode& n) {
             n.m_position.bPrintDirect = true;
             n.m_position.bClearToEnd = true;
             n.m_position.nPromptRow = 2;
             n.m_position.bInputAtLocation = true;
             n.m_position.nInputRow = 3;
             n.m_position.nInputColumn = 4;
             n.m_position.strPositionMark = "#";
         });
     },
     "{ENTER}42", "\n\nQty:\n    42#", "(no data files)\n", 0},
    {"same as last completes at once after a record",
     [] {
         auto doc = InputJob([](CollectSettings&, HostNode&) {});
         HostNode* qty = doc->FindNodeByName("Qty");
         HostNode* repeat = InputNode(*doc, "Repeat", "Again:", DATA_INTEGER);
         repeat->m_collect.bSameAsLast = true;
         HostRecord* r = doc->GetRecordAt(0);
         r->m_arrFields.Add(WORD(repeat->m_nID));
         // Qty -> Repeat -> (EOR) Qty: the second pass repeats the first record's value.
         doc->RemoveLink(doc->GetLinkAt(1)->m_nID);
         KeyLink(*doc, qty, repeat, "Ent");
         HostLink* back = KeyLink(*doc, repeat, qty, "Ent");
         back->m_bEOR = TRUE;
         back->m_nRecordID = r->m_nID;
         return doc;
     },
     "{ENTER}1{ENTER}5{ENTER}2{ENTER}", "Qty:1\nAgain:5\nQty:2\nAgain:5\nQty:_",
     "QTY.DAT (2 records)\n  1,5\\r\n  2,5\\r\n", 0},
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.situation; }

class Transcript : public ::testing::TestWithParam<Row>
{
};

TEST_P(Transcript, ScreenAndFiles)
{
    const Row& row = GetParam();
    auto doc = row.job();
    Session s(*doc);
    s.Play(row.keys);
    EXPECT_EQ(s.screen.Text(), row.screen) << row.situation;
    EXPECT_EQ(s.Files(), row.files) << row.situation;
    if (row.beeps >= 0)
    {
        EXPECT_EQ(s.screen.Beeps(), row.beeps) << row.situation;
    }
    EXPECT_TRUE(s.runner.IsWaiting()) << row.situation << ": " << s.runner.GetEndMessage();
}

INSTANTIATE_TEST_SUITE_P(Runner, Transcript, ::testing::ValuesIn(kRows), [](const auto& info) {
    std::string name;
    for (const char* p = info.param.situation; *p; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
});

} // namespace
