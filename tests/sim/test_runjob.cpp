// Run-job nodes: the job they name is read from beside the running job's file and goes on from its start node,
// with the data files the first job wrote; a job that is missing or damaged ends the run.
#include <gtest/gtest.h>

#include <fstream>

#include "host/app/SimulationJobLoader.h"
#include "host/app/SimulationScript.h"
#include "host/jobfile/JobFile.h"
#include "platform/testing/pdttest.h"
#include "resources/resource.h"
#include "sim_jobs.h"

using namespace pdt::test;
using namespace simtest;

namespace
{

// A: "Qty:" writes its record into DATA.TXT, then node "Go" runs `file` at `startNode`.
std::unique_ptr<JobDocument> JobA(const std::string& dir, const char* file, const char* startNode)
{
    auto doc = std::make_unique<JobDocument>();
    HostNode* qty = InputNode(*doc, "Qty", "Qty:", DATA_INTEGER);
    doc->SetStartNode(qty);
    HostNode* go = doc->AddNode(NODE_RUNJOB, "Go");
    go->m_strJobFile = file;
    go->m_strStartNode = startNode;
    HostRecord* r = doc->AddRecord("A", "DATA.TXT");
    r->m_arrFields.Add(WORD(qty->m_nID));
    HostLink* write = KeyLink(*doc, qty, go, "Ent");
    write->m_bEOR = TRUE;
    write->m_nRecordID = r->m_nID;
    doc->m_strPathName = (dir + "/A.pdtjob").c_str();
    return doc;
}

// B: its start node "B START" (F1 shows "B F1"), and "Second", a "Code:" input written into DATA.TXT as well.
void WriteJobB(const std::string& path)
{
    HostNode* start;
    auto doc = NewJob("B START", &start);
    HostNode* f1 = doc->AddNode(NODE_SCREEN, "F1 screen");
    f1->m_strScreenText = "B F1";
    KeyLink(*doc, start, f1, "F1");
    HostNode* code = InputNode(*doc, "Second", "Code:", DATA_INTEGER);
    HostRecord* r = doc->AddRecord("B", "DATA.TXT");
    r->m_arrFields.Add(WORD(code->m_nID));
    HostLink* write = KeyLink(*doc, code, start, "Ent");
    write->m_bEOR = TRUE;
    write->m_nRecordID = r->m_nID;
    std::string error;
    ASSERT_TRUE(SaveJobFile(*doc, path, &error)) << error;
}

class RunJob : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        dir = TempDir();
        WriteJobB(dir + "/B.pdtjob");
        std::ofstream(dir + "/BAD.pdtjob") << "{ \"nodes\": [ oops";
        std::string error;
        ASSERT_TRUE(SaveJobFile(JobDocument(), dir + "/EMPTY.pdtjob", &error)) << error;
    }
    std::string dir;
};

TEST_F(RunJob, GoesOnInTheJobItNames)
{
    const std::string kept = "DATA.TXT (1 record)\n  5\\r\n";
    struct
    {
        const char* situation;
        std::string file;
        const char* startNode;
        const char* keys;
        RunState state;
        const char* screen;
        std::string files;
        std::string message = {}; // how the end message starts, when the run ends
    } rows[] = {
        {"beside the running job, at its start node", "B.pdtjob", "", "5{ENTER}", RunState::Waiting, "B START", kept},
        {"at the node it names, writing into the same file", "B.pdtjob", "Second", "5{ENTER}7{ENTER}",
         RunState::Waiting, "B START", "DATA.TXT (2 records)\n  5\\r\n  7\\r\n"},
        {"a PC's path, by its name beside the running job", "C:\\Jobs\\B.vtr", "", "5{ENTER}", RunState::Waiting,
         "B START", kept},
        {"a missing job", "NOPE", "", "5{ENTER}", RunState::Ended, "File not found", kept,
         "Node \"Go\" cannot load job \"NOPE\": no such file (looked for " + dir + "/NOPE, " + dir + "/NOPE.pdtjob)."},
        {"a damaged job, with the reader's message", "BAD.pdtjob", "", "5{ENTER}", RunState::Ended, "Read file error",
         kept, "Node \"Go\" cannot load job \"BAD.pdtjob\": " + dir + "/BAD.pdtjob: "},
        {"a start node the job does not have", "B.pdtjob", "Nowhere", "5{ENTER}", RunState::Stopped, "Qty:5", kept,
         "Job \"B.pdtjob\" has no node \"Nowhere\"."},
        {"a job without a start node", "EMPTY.pdtjob", "", "5{ENTER}", RunState::Stopped, "Qty:5", kept,
         "Job \"EMPTY.pdtjob\" has no start node."},
    };
    for (const auto& row : rows)
    {
        auto a = JobA(dir, row.file.c_str(), row.startNode);
        RunnerOptions options;
        options.loadJob = &LoadJobForRunJob;
        Session s(*a, options);
        s.Play(row.keys);
        EXPECT_EQ(s.runner.GetState(), row.state) << row.situation << ": " << s.runner.GetEndMessage();
        EXPECT_EQ(s.screen.Text(), row.screen) << row.situation;
        EXPECT_EQ(s.Files(), row.files) << row.situation;
        if (!row.message.empty())
        {
            EXPECT_EQ(s.runner.GetEndMessage().substr(0, row.message.size()), row.message) << row.situation;
        }
    }
}

// jobhost's untitled copy of a shipped job has no file of its own: the jobs it runs are found beside the file it was
// made from, not in whatever folder jobhost was started in.
TEST_F(RunJob, AnUntitledCopyFindsItsJobsBesideTheFileItWasMadeFrom)
{
    auto a = JobA(dir, "B.pdtjob", "");
    std::string error;
    ASSERT_TRUE(SaveJobFile(*a, dir + "/A.pdtjob", &error)) << error;
    auto copy = LoadJobFile(dir + "/A.pdtjob", &error);
    ASSERT_TRUE(copy) << error;
    copy->m_strOrigin = copy->m_strPathName;
    copy->m_strPathName.Empty();
    RunnerOptions options;
    options.loadJob = &LoadJobForRunJob;
    Session s(*copy, options);
    s.Play("5{ENTER}");
    EXPECT_EQ(s.runner.GetState(), RunState::Waiting) << s.runner.GetEndMessage();
    EXPECT_NE(s.screen.Text().find("B START"), std::string::npos) << s.screen.Text();
}

} // namespace
