// Input that needs no key: the terminal's clock and formulas. Each value also goes into a record, so a row fails
// when the screen and the data file disagree.
#include <gtest/gtest.h>

#include <functional>

#include "sim_jobs.h"

using namespace simtest;

namespace
{

// Menu -> Qty (typed) -> Value (generated) -> a screen that keeps what was shown; the Enter link after Value writes
// Qty and Value into R.DAT, and Enter on that screen asks for Qty again.
std::unique_ptr<JobDocument> GeneratedJob(const std::function<void(CollectSettings&, HostNode&)>& setUp)
{
    HostNode* menu;
    auto doc = NewJob("Ent", &menu);
    HostNode* qty = InputNode(*doc, "Qty", "Qty:", DATA_INTEGER);
    HostNode* value = InputNode(*doc, "Value", "V:", DATA_INTEGER);
    value->m_collect.bKeypad = false; // generated: the dialog leaves neither the keypad nor the scanner
    setUp(value->m_collect, *value);
    HostNode* shown = doc->AddNode(NODE_SCREEN, "Shown");
    shown->m_bNoClearBeforeDisplay = TRUE;
    shown->m_bNoClearOnExit = TRUE;
    HostRecord* r = doc->AddRecord("R", "R.DAT");
    r->m_arrFields.Add(WORD(qty->m_nID));
    r->m_arrFields.Add(WORD(value->m_nID));
    KeyLink(*doc, menu, qty, "Ent");
    KeyLink(*doc, qty, value, "Ent");
    HostLink* write = KeyLink(*doc, value, shown, "Ent");
    write->m_bEOR = TRUE;
    write->m_nRecordID = r->m_nID;
    KeyLink(*doc, shown, qty, "Ent");
    return doc;
}

struct FormulaRow
{
    const char* situation;
    int type;
    const char* formula;
    const char* keys;
    const char* screen;
    const char* record; // R.DAT's records, escaped, one after another
    int beeps;
    std::function<void(CollectSettings&, HostNode&)> more = {};
};

// 7 March: day and month differ, so a swapped date type shows.
constexpr const char* kClock = "2026-03-07 09:05:02";

// The terminal's clock instead of the formula.
std::function<void(CollectSettings&, HostNode&)> Timer(int format, int dateType)
{
    return [=](CollectSettings& c, HostNode&) {
        c.bFromFormula = false;
        c.bTimer = true;
        c.nTimeFormat = format;
        c.nDateType = dateType;
    };
}

const FormulaRow kFormulaRows[] = {
    {"from another node's data", DATA_INTEGER, "Qty * 3", "{ENTER}12{ENTER}", "Qty:12\nV:36", "12,36\\r", 0},
    {"an integer drops the fraction", DATA_INTEGER, "Qty / 5", "{ENTER}12{ENTER}", "Qty:12\nV:2", "12,2\\r", 0},
    {"a floating-point number keeps it", DATA_FLOAT, "Qty / 5", "{ENTER}12{ENTER}", "Qty:12\nV:2.4", "12,2.4\\r", 0},
    {"an integer wraps at 16 bits", DATA_INTEGER, "Qty * 1000", "{ENTER}40{ENTER}", "Qty:40\nV:-25536", "40,-25536\\r",
     0},
    {"a long integer does not", DATA_LONG, "Qty * 1000", "{ENTER}40{ENTER}", "Qty:40\nV:40000", "40,40000\\r", 0},
    {"text joins", DATA_STRING, "\"Q\" & Qty", "{ENTER}12{ENTER}", "Qty:12\nV:Q12", "12,Q12\\r", 0},
    {"its own last value numbers the passes", DATA_INTEGER, "Value + 1", "{ENTER}7{ENTER}{ENTER}8{ENTER}",
     "Qty:7\nV:1\nQty:8\nV:2", "7,1\\r8,2\\r", 0},
    {"an unknown name: the keypad takes over", DATA_INTEGER, "Nope + 1", "{ENTER}12{ENTER}4{ENTER}", "Qty:12\nV:4",
     "12,4\\r", 0},
    {"text where a number is wanted: the keypad takes over", DATA_INTEGER, "\"ABC\"", "{ENTER}12{ENTER}4{ENTER}",
     "Qty:12\nV:4", "12,4\\r", 0},
    {"refused by the range: the keypad takes over", DATA_INTEGER, "Qty * 3", "{ENTER}12{ENTER}9{ENTER}", "Qty:12\nV:9",
     "12,9\\r", 1,
     [](CollectSettings& c, HostNode&) {
         c.bVerifyRange = true;
         c.strRangeTo = "20";
     }},
    {"not shown, still written", DATA_INTEGER, "Qty * 3", "{ENTER}12{ENTER}", "Qty:12", "12,36\\r", 0,
     [](CollectSettings&, HostNode& n) { n.m_position.bNoDisplay = true; }},
    {"the clock, MM/DD/YY", DATA_STRING, "", "{ENTER}5{ENTER}", "Qty:5\nV:03/07/26", "5,03/07/26\\r", 0,
     Timer(TIME_DATE, 0)},
    {"DD/MM/YY", DATA_STRING, "", "{ENTER}5{ENTER}", "Qty:5\nV:07/03/26", "5,07/03/26\\r", 0, Timer(TIME_DATE, 1)},
    {"YY/MM/DD", DATA_STRING, "", "{ENTER}5{ENTER}", "Qty:5\nV:26/03/07", "5,26/03/07\\r", 0, Timer(TIME_DATE, 2)},
    {"MM/DD/YYYY", DATA_STRING, "", "{ENTER}5{ENTER}", "Qty:5\nV:03/07/2026", "5,03/07/2026\\r", 0,
     Timer(TIME_DATE, 3)},
    {"DD/MM/YYYY", DATA_STRING, "", "{ENTER}5{ENTER}", "Qty:5\nV:07/03/2026", "5,07/03/2026\\r", 0,
     Timer(TIME_DATE, 4)},
    {"YYYY/MM/DD", DATA_STRING, "", "{ENTER}5{ENTER}", "Qty:5\nV:2026/03/07", "5,2026/03/07\\r", 0,
     Timer(TIME_DATE, 5)},
    {"time only, whatever the date type", DATA_STRING, "", "{ENTER}5{ENTER}", "Qty:5\nV:09:05:02", "5,09:05:02\\r", 0,
     Timer(TIME_TIME, 4)},
    {"date and time", DATA_STRING, "", "{ENTER}5{ENTER}", "Qty:5\nV:26/03/07 09:05:02", "5,26/03/07 09:05:02\\r", 0,
     Timer(TIME_DATETIME, 2)},
};

TEST(GeneratedInput, FormulaOrClockGivesTheData)
{
    for (const FormulaRow& row : kFormulaRows)
    {
        auto doc = GeneratedJob([&](CollectSettings& c, HostNode& n) {
            c.nDataType = row.type;
            c.bFromFormula = true;
            c.strFormula = row.formula;
            if (row.more)
                row.more(c, n);
        });
        RunnerOptions options;
        options.strClock = kClock;
        Session s(*doc, options);
        s.Play(row.keys);
        EXPECT_EQ(s.screen.Text(), row.screen) << row.situation;
        std::string records;
        if (const SimDataFile* f = s.runner.GetFiles().Find("R.DAT"))
            for (const std::string& r : f->records)
                records += EscapeBytes(r);
        EXPECT_EQ(records, row.record) << row.situation;
        EXPECT_EQ(s.screen.Beeps(), row.beeps) << row.situation;
        EXPECT_TRUE(s.runner.IsWaiting()) << row.situation << ": " << s.runner.GetEndMessage();
    }
}

} // namespace
