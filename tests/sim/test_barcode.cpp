// Scans that name their symbology are read only where the node reads that symbology and the data can be such a
// barcode; a refused scan beeps, is logged and leaves the input waiting.
#include <gtest/gtest.h>

#include <functional>

#include "platform/testing/pdttest.h"
#include "resources/resource.h"
#include "sim_jobs.h"

using namespace pdt::test;
using namespace simtest;

namespace
{

constexpr int kCode39 = 1, kI2of5 = 2, kCodabar = 3, kEan13 = 20;

// Enter on the menu asks for "Code:", scanned; the node sets its own symbologies: EAN-13 and Code 39 enabled.
std::unique_ptr<JobDocument> ScanJob(const std::function<void(CollectSettings&)>& setUp)
{
    HostNode* menu;
    auto doc = NewJob("Ent", &menu);
    HostNode* code = InputNode(*doc, "Code", "Code:");
    code->m_collect.bScanner = true;
    code->m_collect.bSetBarcode = true;
    for (Symbology& s : code->m_collect.symbologies)
        s.bEnabled = (s.wData & 0xFF) == kEan13 || (s.wData & 0xFF) == kCode39;
    setUp(code->m_collect);
    KeyLink(*doc, menu, code, "Ent");
    HostNode* read = doc->AddNode(NODE_SCREEN, "Read");
    read->m_strScreenText = "READ";
    KeyLink(*doc, code, read, "Ent");
    return doc;
}

void Enable(CollectSettings& c, int code, int options = 0)
{
    for (Symbology& s : c.symbologies)
        if ((s.wData & 0xFF) == code)
            s.wData = WORD(code | options << 8), s.bEnabled = true;
}

const auto kAsSet = [](CollectSettings&) {};

struct Row
{
    const char* situation;
    std::function<void(CollectSettings&)> setUp;
    const char* keys;
    const char* data; // what the node took; null: refused, still asking
    const char* why;  // the end of the refusal in the log
};

const Row kRows[] = {
    {"a scan without symbology is taken as it is", kAsSet, "{ENTER}{SCAN:abc:1}", "abc:1", nullptr},
    {"an enabled EAN-13 with its check digit", kAsSet, "{ENTER}{SCAN:EAN-13:4006381333931}", "4006381333931", nullptr},
    {"the name in any spelling", kAsSet, "{ENTER}{SCAN:ean13:4006381333931}", "4006381333931", nullptr},
    {"an EAN-13 whose check digit is wrong", kAsSet, "{ENTER}{SCAN:EAN-13:4006381333932}", nullptr,
     "refused: the check digit is wrong."},
    {"an EAN-13 one digit short", kAsSet, "{ENTER}{SCAN:EAN-13:400638133393}", nullptr,
     "refused: EAN-13 holds 13 digits."},
    {"a symbology the node does not read", kAsSet, "{ENTER}{SCAN:EAN-8:96385074}", nullptr,
     "refused: \"Code\" does not read EAN-8."},
    {"a node that sets no symbologies reads every one", [](CollectSettings& c) { c.bSetBarcode = false; },
     "{ENTER}{SCAN:EAN-8:96385074}", "96385074", nullptr},
    {"Code 39 without Full ASCII refuses small letters", kAsSet, "{ENTER}{SCAN:Code 39:ab-1}", nullptr,
     "refused: Code 39 holds capitals, digits and - . $ / + % and the blank (Full ASCII is off)."},
    {"Code 39 with Full ASCII takes them", [](CollectSettings& c) { Enable(c, kCode39, 0x10); },
     "{ENTER}{SCAN:Code 39:ab-1}", "ab-1", nullptr},
    {"Interleaved 2 of 5 of an odd length", [](CollectSettings& c) { Enable(c, kI2of5); },
     "{ENTER}{SCAN:Interleaved 2 of 5:12345}", nullptr, "refused: Interleaved 2 of 5 holds an even number of digits."},
    {"Codabar between its start and stop characters", [](CollectSettings& c) { Enable(c, kCodabar); },
     "{ENTER}{SCAN:Codabar:A40156B}", "A40156B", nullptr},
};

TEST(BarcodeScan, CheckedAgainstTheNodesSymbologies)
{
    for (const Row& row : kRows)
    {
        auto doc = ScanJob(row.setUp);
        Session s(*doc);
        s.Play(row.keys);
        const HostNode* code = doc->FindNodeByName("Code");
        const std::string refusals = [&] {
            std::string all;
            for (const std::string& line : s.runner.GetLog())
                if (line.find(") refused: ") != std::string::npos)
                    all += line + "\n";
            return all;
        }();
        if (row.data)
        {
            EXPECT_EQ(s.runner.GetNodeData(code->m_nID), row.data) << row.situation;
            EXPECT_EQ(s.screen.Text(), "READ") << row.situation;
        }
        else
        {
            EXPECT_EQ(s.runner.GetCurrentNode(), code) << row.situation;
            EXPECT_EQ(s.screen.Text(), "Code:_") << row.situation;
            EXPECT_EQ(s.screen.Beeps(), 1) << row.situation;
            EXPECT_NE(refusals.find(row.why), std::string::npos) << row.situation << "\n" << refusals;
        }
    }
}

} // namespace
