// Chinese, Taiwanese and Japanese jobs simulated from a script written as people write it, in UTF-8: the scan and
// the PC's files reach the job as its code page's bytes, and the screen, the data files and the log come out in
// UTF-8.
#include <gtest/gtest.h>

#include "host/app/SimulationScript.h"
#include "host/jobfile/JobFile.h"
#include "platform/testing/pdttest.h"
#include "sim_jobs.h"

using namespace pdt::test;
using namespace simtest;

namespace
{

struct Language
{
    int language;
    int dbCode; // 1 GB, 2 Big5
    int codePage;
    const char* start;  // the start node's name, UTF-8
    const char* prompt; // the item's prompt
    const char* scan;
    const char* foreign; // a character the code page lacks
};

const Language kLanguages[] = {
    {1, 1, 936, "\xE5\xBC\x80\xE5\xA7\x8B", "\xE8\xB4\xA7\xE5\x8F\xB7:", "\xE4\xB8\xAD\xE6\x96\x87", "\xED\x95\x9C"},
    {1, 2, 950, "\xE9\x96\x8B\xE5\xA7\x8B", "\xE8\xB2\xA8\xE8\x99\x9F:", "\xE4\xB8\xAD\xE6\x96\x87", "\xED\x95\x9C"},
    {2, 0, 932, "\xE9\x96\x8B\xE5\xA7\x8B", "\xE5\x93\x81\xE7\x95\xAA:", "\xE6\x97\xA5\xE6\x9C\xAC", "\xED\x95\x9C"},
};

// Enter on the start screen asks for the item, scanned; the quantity follows and Enter writes both to STOCK.TXT.
std::unique_ptr<JobDocument> ScanJob(const Language& l)
{
    HostNode* menu;
    auto doc = NewJob("Ent", &menu);
    doc->m_nLanguage = l.language;
    doc->m_language.nDBFontCode = l.dbCode ? l.dbCode : 1;
    menu->m_strName = Utf8ToCodePage(l.start, l.codePage).c_str();
    HostNode* item = InputNode(*doc, "Item", Utf8ToCodePage(l.prompt, l.codePage).c_str());
    item->m_collect.bScanner = true;
    HostNode* qty = InputNode(*doc, "Qty", "Qty:", DATA_INTEGER);
    HostRecord* r = StockRecord(*doc, item, qty);
    KeyLink(*doc, menu, item, "Ent");
    KeyLink(*doc, item, qty, "Ent");
    HostLink* write = KeyLink(*doc, qty, item, "Ent");
    write->m_bEOR = TRUE;
    write->m_nRecordID = r->m_nID;
    return doc;
}

TEST(SimulateInCodePages, AScanReachesTheJobInItsCodePageAndComesOutInUtf8)
{
    for (const Language& l : kLanguages)
    {
        SCOPED_TRACE(l.codePage);
        CodePageScope restore(GetACP());
        auto doc = ScanJob(l);
        ASSERT_EQ(doc->GetCodePage(), l.codePage);
        const std::string keys = std::string("{ENTER}{SCAN:") + l.scan + "}5{ENTER}";

        // The runner itself: the record holds the code page's bytes.
        TextScreen screen(HostTerminal::ScreenSizeOf(doc->Terminal().m_strModel), doc->m_nLanguage, l.codePage);
        JobRunner runner(*doc, screen, {});
        runner.Start();
        std::string error;
        std::vector<SimKeyEvent> events;
        ASSERT_TRUE(ParseKeyScript(keys, runner, events, &error, l.codePage)) << error;
        PlayKeys(runner, events);
        const SimDataFile* file = runner.GetFiles().Find("STOCK.TXT");
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(file->records.size(), 1u);
        EXPECT_EQ(file->records[0], "<" + Utf8ToCodePage(l.scan, l.codePage) + "\t5>\r\n");
        EXPECT_EQ(screen.Utf8Text(), std::string(l.prompt) + l.scan + "\nQty:5\n" + l.prompt + "_")
            << "the scan shows where it was read, two cells a character";

        // jobhost --simulate: the same run, reported in UTF-8.
        const std::string path = TempDir() + "/job.pdtjob";
        ASSERT_TRUE(SaveJobFile(*doc, path, &error)) << error;
        std::string out, err;
        ASSERT_EQ(Jobhost({"--simulate", path.c_str(), "--keys", keys.c_str(), "--log"}, out, err), 0) << err;
        EXPECT_NE(out.find(std::string("|") + l.prompt + l.scan + " "), std::string::npos) << "the screen\n" << out;
        EXPECT_NE(out.find(std::string("STOCK.TXT (1 record)\n  <") + l.scan + "\\t5>\\r\\n\n"), std::string::npos)
            << "the data files\n"
            << out;
        EXPECT_NE(out.find(std::string("Job started at node \"") + l.start + "\"."), std::string::npos) << "the log\n"
                                                                                                        << out;
        EXPECT_EQ(GetACP(), l.codePage) << "the process's one job sets the window text's code page";

        // A scan the job's code page cannot hold is an error that names it, not a '?'.
        const std::string foreign = std::string("{ENTER}{SCAN:") + l.foreign + "}";
        ASSERT_EQ(Jobhost({"--simulate", path.c_str(), "--keys", foreign.c_str()}, out, err), 2);
        EXPECT_NE(
            err.find(std::string("\"") + l.foreign + "\" is not in the job's code page, " + CodePageName(l.codePage)),
            std::string::npos)
            << err;
    }
}

TEST(SimulateInCodePages, FilesComeInFromUtf8AndGoOutWithUndecodableBytesWrittenOut)
{
    struct Row
    {
        const char* what;
        int codePage;
        std::string in, asRead;
    } rows[] = {
        {"UTF-8 text", 936, "\xE4\xB8\xAD,1\r\n", "\xD6\xD0,1\r\n"},
        {"UTF-8 text with a byte-order mark", 950, "\xEF\xBB\xBF\xE4\xB8\xAD", "\xA4\xA4"},
        {"bytes already in the code page", 936, "\xD6\xD0,1", "\xD6\xD0,1"},
        {"Windows-1252 bytes", 1252,
         "Gr\xF6\xDF"
         "e",
         "Gr\xF6\xDF"
         "e"},
        {"UTF-8 the code page cannot hold stays as it is", 932, "\xED\x95\x9C", "\xED\x95\x9C"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(DataFileBytes(r.in, r.codePage), r.asRead) << r.what;

    SimDataFiles files;
    files.Load("ITEMS.DAT", std::string("\xD6\xD0\t\xFF,\\\r\n"));
    EXPECT_EQ(files.Describe(936), "ITEMS.DAT (1 record)\n  \xE4\xB8\xAD\\t\\xFF,\\\\\\r\\n\n");
    EXPECT_EQ(Utf8OfBytes("\xB3", 936), "\\xB3") << "a lead byte at the end";
    EXPECT_EQ(Utf8OfBytes("\x95\x69", 932), "\xE5\x93\x81");
}

} // namespace
