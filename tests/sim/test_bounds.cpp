// What keeps a run finite whatever the job or the command line holds: nesting, texts, the log and the data have
// bounds with a message at each, jobs that run jobs are read once, and bad dates, key ids and files are refused
// before the run.
#include <gtest/gtest.h>


#include "host/app/SimulationScript.h"
#include "platform/testing/pdttest.h"
#include "sim_jobs.h"

using namespace pdt::test;
using namespace simtest;

namespace
{

std::string Repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

TEST(Bounds, ExpressionsNestOnlySoDeep)
{
    const std::string tooDeep = "the expression is nested more than 100 levels deep";
    struct
    {
        const char* situation;
        std::string text;
        bool ok;
        std::string error; // or the value, when it evaluates
    } rows[] = {
        {"parentheses a person writes", Repeat("(", 40) + "7" + Repeat(")", 40), true, "7"},
        {"20,000 parentheses", Repeat("(", 20000) + "1" + Repeat(")", 20000), false, tooDeep},
        {"40,000 minus signs", Repeat("-", 40000) + "1", false, tooDeep},
        {"20,000 NOTs", Repeat("NOT ", 20000) + "1", false, tooDeep},
        {"functions inside functions", Repeat("LEN(", 20000) + "1" + Repeat(")", 20000), false, tooDeep},
        {"a text joined past its bound", "\"" + std::string(40000, 'x') + "\" & \"" + std::string(40000, 'y') + "\"",
         false, "the text grows longer than 65536 characters"},
    };
    for (const auto& row : rows)
    {
        SimValue v;
        std::string error;
        const bool ok = EvaluateExpression(row.text, nullptr, v, &error);
        EXPECT_EQ(ok, row.ok) << row.situation << ": " << error;
        EXPECT_EQ(ok ? v.Format() : error, row.error) << row.situation;
    }
}

// jobhost --simulate refuses what it cannot use before the run, with exit status 2.
TEST(Bounds, CommandLineRefusesBeforeTheRun)
{
    struct
    {
        std::vector<const char*> args;
        int status;
        const char* err;
    } rows[] = {
        {{"--keys", "{ID:3207}"}, 0, ""},
        {{"--keys", "{ID:0}"}, 2, "jobhost: keys, character 1: no key of the keypad has the id 0\n"},
        {{"--keys", "1{ID:99999999999999999999}"},
         2,
         "jobhost: keys, character 2: \"{ID:99999999999999999999}\" needs a key id in digits\n"},
        {{"--keys", "{ID:4294970503}"},
         2,
         "jobhost: keys, character 1: \"{ID:4294970503}\" needs a key id in digits\n"},
        // Places count characters, and a character is quoted whole.
        {{"--keys", "\xC3\xA9\xC3\xA9{F9}"},
         2,
         "jobhost: keys, character 1: no key of the keypad types \"\xC3\xA9\"\n"},
        {{"--clock", "2023-02-31 10:00:00"},
         2,
         "jobhost: --clock needs \"YYYY-MM-DD HH:MM:SS\", not \"2023-02-31 10:00:00\"\n"},
        {{"--file", "ZERO=/dev/zero"},
         2,
         "jobhost: /dev/zero is larger than 16 MB, more than a data file on the terminal may hold\n"},
        {{"--file", "EMPTY=/dev/null"}, 0, ""},
    };
    for (const auto& row : rows)
    {
        std::vector<const char*> args{"--simulate", "sample"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        std::string out, err;
        EXPECT_EQ(Jobhost(args, out, err), row.status) << row.args.back();
        EXPECT_EQ(err, row.err) << row.args.back();
        EXPECT_TRUE(IsUtf8(err)) << err;
    }
}

// A job that writes records in a loop stops when its data passes what the terminal holds.
TEST(Bounds, DataFilesStopAtTheirBound)
{
    auto doc = std::make_unique<JobDocument>();
    HostNode* loop = doc->AddNode(NODE_COUNT, "Loop");
    doc->SetStartNode(loop);
    HostRecord* r = doc->AddRecord("Big", "BIG.TXT");
    r->m_strPreamble = std::string(size_t(1) << 20, 'x').c_str();
    HostLink* write = doc->AddLink(loop->m_nID, loop->m_nID);
    write->m_bEOR = TRUE;
    write->m_nRecordID = r->m_nID;
    RunnerOptions options;
    options.nStepLimit = 1000;
    Session s(*doc, options);
    s.Play("");
    EXPECT_EQ(s.runner.GetState(), RunState::Stopped);
    EXPECT_EQ(s.runner.GetEndMessage(),
              "Stopped: the data files and the uploads hold more than 64 MB, more than a terminal keeps.");
    EXPECT_LE(s.runner.GetFiles().Bytes(), kMaxDataBytes + (size_t(1) << 20));
    EXPECT_GT(s.runner.GetFiles().Bytes(), kMaxDataBytes);
    // The log shows the start of each record, not the megabyte.
    size_t longest = 0;
    for (const std::string& line : s.runner.GetLog())
        longest = std::max(longest, line.size());
    EXPECT_LT(longest, 400u);
}

// A long loop without a key that logs every pass stops when the log is full; the reason is its last line.
TEST(Bounds, TheLogStopsAtItsBound)
{
    auto doc = std::make_unique<JobDocument>();
    HostNode* loop = doc->AddNode(NODE_PROGRAM, std::string(2000, 'P').c_str());
    doc->SetStartNode(loop);
    doc->AddLink(loop->m_nID, loop->m_nID);
    RunnerOptions options;
    options.nStepLimit = 100000000;
    Session s(*doc, options);
    s.Play("");
    EXPECT_EQ(s.runner.GetState(), RunState::Stopped);
    const std::string full =
        "Stopped: the log holds 16 MB, as much as it keeps; the job goes on too long without a key.";
    EXPECT_EQ(s.runner.GetEndMessage(), full);
    ASSERT_FALSE(s.runner.GetLog().empty());
    EXPECT_EQ(s.runner.GetLog().back(), full);
    size_t bytes = 0;
    for (const std::string& line : s.runner.GetLog())
        bytes += line.size();
    EXPECT_LE(bytes, (size_t(16) << 20) + full.size());
    EXPECT_LT(s.runner.GetSteps(), 10000);
}

} // namespace
