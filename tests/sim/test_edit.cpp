// Edit nodes: a record is browsed, Enter changes its fields one after another as its record's fields allow, and
// the change is in the data file at once.
#include <gtest/gtest.h>

#include <functional>

#include "platform/testing/pdttest.h"
#include "resources/resource.h"
#include "sim_jobs.h"
#include "support/Support.h"

using namespace pdt::test;
using namespace simtest;

namespace
{

// F4 on the menu edits STOCK.TXT, whose records are Item (text, 1 to 4 characters) and Qty (an integer) between
// "<" and ">", a tab between them; leaving the edit node shows DONE. The file is on the terminal before the run.
struct EditSetup
{
    JobDocument* doc;
    HostNode* item;
    HostNode* qty;
    HostNode* edit;
};

std::unique_ptr<JobDocument> EditJob(const std::function<void(EditSetup&)>& setUp)
{
    HostNode* menu;
    auto doc = NewJob("F4 edit", &menu);
    HostNode* item = InputNode(*doc, "Item", "Item:");
    item->m_collect.bVerifyLength = true;
    item->m_collect.nLengthFrom = 1;
    item->m_collect.nLengthTo = 4;
    HostNode* qty = InputNode(*doc, "Qty", "Qty:", DATA_INTEGER);
    HostRecord* r = StockRecord(*doc, item, qty);
    HostNode* edit = doc->AddNode(NODE_EDIT, "Edit");
    edit->m_nRecordID = r->m_nID;
    edit->m_strDataFile = r->m_strDataFile;
    KeyLink(*doc, menu, edit, "F4");
    HostNode* done = doc->AddNode(NODE_SCREEN, "Done");
    done->m_strScreenText = "DONE";
    doc->AddLink(edit->m_nID, done->m_nID);
    EditSetup setup{doc.get(), item, qty, edit};
    setUp(setup);
    return doc;
}

// The edit node works on a file of its own, its fields split at "-", with no record to say what they hold.
void OwnFile(EditSetup& s)
{
    s.edit->m_nRecordID = 0;
    s.edit->m_strDataFile = "NOTES.TXT";
    s.edit->m_nFieldSeparator = '-';
}

// Qty from 1 to 99.
void Range(EditSetup& s)
{
    s.qty->m_collect.bVerifyRange = true;
    s.qty->m_collect.strRangeFrom = "1";
    s.qty->m_collect.strRangeTo = "99";
}

// Item must be the first field of a line of ITEMS.TXT, whole.
void Lookup(EditSetup& s)
{
    s.item->m_dwVerifyFlags |= VERIFY_LOOKUPFILE;
    s.item->m_strVerifyLookupFile = "ITEMS.TXT";
    s.item->m_collect.nVerifyFieldNo = 1;
    s.item->m_collect.nFieldSeparator = ',';
    s.item->m_collect.bFullKeyMatch = true;
}

struct Row
{
    const char* situation;
    std::function<void(EditSetup&)> setUp;
    const char* keys;
    const char* screen;
    const char* records; // the edited file's records, escaped, one after another
    int beeps;
};

constexpr const char* kStock = "<A1\t5>\r\n<B2\t7>\r\n";
constexpr const char* kNotes = "x-y\r\n1-2-3-4-5-6-7-8-9\r\n";
constexpr const char* kItems = "A1,bolt\r\nC3,nut\r\nB20,washer\r\n";
const auto kPlain = [](EditSetup&) {};

const Row kRows[] = {
    {"a changed quantity is written into its record", kPlain, "{F4}{ENTER}{ENTER}{CLR}9{ENTER}", "Browse 1/2\nA1\n9",
     "<A1\\t9>\\r\\n<B2\\t7>\\r\\n", 0},
    {"Escape leaves the field as it was", kPlain, "{F4}{ENTER}{CLR}{CLR}Z{ESC}", "Browse 1/2\nA1\n5",
     "<A1\\t5>\\r\\n<B2\\t7>\\r\\n", 0},
    {"a field accepted before Escape stays changed", kPlain, "{F4}{RIGHT}{ENTER}{CLR}C{ENTER}{CLR}{ESC}",
     "Browse 2/2\nBC\n7", "<A1\\t5>\\r\\n<BC\\t7>\\r\\n", 0},
    {"a numeric field refuses letters and a second sign", kPlain, "{F4}{ENTER}{ENTER}{CLR}-A-4{ENTER}",
     "Browse 1/2\nA1\n-4", "<A1\\t-4>\\r\\n<B2\\t7>\\r\\n", 2},
    {"typing stops at the field's longest length", kPlain, "{F4}{ENTER}XYZ", "Edit 1/2\nA1XY_\n5",
     "<A1\\t5>\\r\\n<B2\\t7>\\r\\n", 1},
    {"shorter than the field's shortest is refused", [](EditSetup& s) { s.item->m_collect.nLengthFrom = 2; },
     "{F4}{ENTER}{CLR}{ENTER}AB{ENTER}{ESC}", "Browse 1/2\nAB\n5", "<AB\\t5>\\r\\n<B2\\t7>\\r\\n", 1},
    // The field's node verifies the new value as it verified the typed input: a refusal beeps, the error sign takes
    // the value's place and the field stays open for the value to be typed again.
    {"a value outside the field's range", Range, "{F4}{ENTER}{ENTER}{CLR}100{ENTER}", "Edit 1/2\nA1\n*",
     "<A1\\t5>\\r\\n<B2\\t7>\\r\\n", 1},
    {"a value not like the field's picture",
     [](EditSetup& s) {
         s.item->m_collect.bVerifyPicture = true;
         s.item->m_collect.strPicture = "A9";
     },
     "{F4}{ENTER}{CLR}{CLR}9A{ENTER}", "Edit 1/2\n*\n5", "<A1\\t5>\\r\\n<B2\\t7>\\r\\n", 1},
    {"a value the lookup file does not have", Lookup, "{F4}{ENTER}{CLR}{CLR}B2{ENTER}", "Edit 1/2\n*\n5",
     "<A1\\t5>\\r\\n<B2\\t7>\\r\\n", 1},
    {"a value the qualifier refuses",
     [](EditSetup& s) {
         s.qty->m_collect.bVerifyQualifier = true;
         s.qty->m_collect.strQualifier = "DATA < 50";
     },
     "{F4}{ENTER}{ENTER}{CLR}60{ENTER}", "Edit 1/2\nA1\n*", "<A1\\t5>\\r\\n<B2\\t7>\\r\\n", 1},
    {"a refusal without beep or error sign keeps the value to correct",
     [](EditSetup& s) {
         Range(s);
         s.qty->m_collect.bNoBeep = true;
         s.qty->m_collect.bNoErrorSign = true;
     },
     "{F4}{ENTER}{ENTER}{CLR}100{ENTER}", "Edit 1/2\nA1\n100_", "<A1\\t5>\\r\\n<B2\\t7>\\r\\n", 0},
    {"an empty field is refused", kPlain, "{F4}{ENTER}{ENTER}{CLR}{ENTER}", "Edit 1/2\nA1\n_",
     "<A1\\t5>\\r\\n<B2\\t7>\\r\\n", 1},
    {"a field that fills its tail is filled again", [](EditSetup& s) { s.item->m_collect.bFillTail = true; },
     "{F4}{ENTER}{CLR}{CLR}Q{ENTER}", "Edit 1/2\nQ\n5_", "<Q   \\t5>\\r\\n<B2\\t7>\\r\\n", 0},
    {"Escape in the browse leaves the node", kPlain, "{F4}{ESC}", "DONE", "<A1\\t5>\\r\\n<B2\\t7>\\r\\n", 0},
    {"a file of the node's own: any text, but not its separator", OwnFile, "{F4}{ENTER}-Q{ENTER}{ENTER}",
     "Browse 1/2\nxQ\ny", "xQ-y\\r\\n1-2-3-4-5-6-7-8-9\\r\\n", 1},
    {"the rows follow a field below the screen", OwnFile,
     "{F4}{RIGHT}{ENTER}{ENTER}{ENTER}{ENTER}{ENTER}{ENTER}{ENTER}{ENTER}{ENTER}", "Edit 2/2\n3\n4\n5\n6\n7\n8\n9_",
     "x-y\\r\\n1-2-3-4-5-6-7-8-9\\r\\n", 0},
};

TEST(EditNode, FieldsChangeInTheDataFile)
{
    for (const Row& row : kRows)
    {
        auto doc = EditJob(row.setUp);
        Session s(*doc);
        s.runner.LoadFile("STOCK.TXT", kStock);
        s.runner.LoadFile("NOTES.TXT", kNotes);
        s.runner.LoadFile("ITEMS.TXT", kItems);
        s.Play(row.keys);
        EXPECT_EQ(s.screen.Text(), row.screen) << row.situation;
        const std::string name = doc->FindNodeByName("Edit")->m_strDataFile.str();
        std::string records;
        for (const std::string& r : s.runner.GetFiles().Find(name)->records)
            records += EscapeBytes(r);
        EXPECT_EQ(records, row.records) << row.situation;
        EXPECT_EQ(s.screen.Beeps(), row.beeps) << row.situation;
        EXPECT_TRUE(s.runner.IsWaiting()) << row.situation << ": " << s.runner.GetEndMessage();
    }
}

} // namespace
