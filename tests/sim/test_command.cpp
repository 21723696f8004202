// jobhost --simulate ... --json for scripts and CI: the final state as JSON and an exit status that says how the run
// ended; jobhost --check JOB: what a person wants to know before simulating.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <iterator>
#include <sstream>

#include "host/app/SimulationScript.h"
#include "host/jobfile/JobFile.h"
#include "platform/testing/pdttest.h"
#include "resources/resource.h"
#include "sim_jobs.h"

using namespace pdt::test;
using namespace simtest;

namespace
{

int Jobhost(std::vector<const char*> args, std::string& out, std::string& err)
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

std::string Save(const JobDocument& doc, const std::string& name)
{
    const std::string path = TempDir() + "/" + name;
    std::string error;
    EXPECT_TRUE(SaveJobFile(doc, path, &error)) << error;
    return path;
}

TEST(JsonReport, TheFinalStateAsJson)
{
    std::string out, err;
    ASSERT_EQ(Jobhost({"--simulate", "sample", "--keys", "{F4}12{ENTER}5{ENTER}", "--json"}, out, err), 3) << err;
    const auto j = nlohmann::json::parse(out);
    EXPECT_EQ(j["model"], "M-20");
    EXPECT_EQ(j["screen"].size(), 8u);
    EXPECT_EQ(j["screen"][0], "12                   ");
    EXPECT_EQ(j["screen"][2], "_                    ");
    EXPECT_EQ(j["cursor"]["x"], 0);
    EXPECT_EQ(j["cursor"]["y"], 2);
    EXPECT_EQ(j["state"], "waiting");
    EXPECT_EQ(j["waitsFor"], "input");
    EXPECT_EQ(j["node"], "Location");
    EXPECT_EQ(j["beeps"], 0);
    EXPECT_EQ(j["keys"]["given"], 6);
    EXPECT_EQ(j["keys"]["used"], 6);
    ASSERT_EQ(j["files"].size(), 1u);
    EXPECT_EQ(j["files"][0]["name"], "STOCK.TXT");
    EXPECT_EQ(j["files"][0]["records"][0], "STK12\\t5\\r\\n");
    EXPECT_TRUE(j["uploads"].empty());
    EXPECT_EQ(j["log"][0], "Job started at node \"Main Menu\".");
}

// A long script can live in a file; its line ends are not keys.
TEST(JsonReport, KeysFromAFile)
{
    const std::string path = TempDir() + "/keys.txt";
    std::ofstream(path) << "{F4}12{ENTER}\r\n5{ENTER}\n";
    std::string out, err;
    ASSERT_EQ(Jobhost({"--simulate", "sample", "--keys-file", path.c_str(), "--json"}, out, err), 3) << err;
    const auto j = nlohmann::json::parse(out);
    EXPECT_EQ(j["keys"]["used"], 6);
    EXPECT_EQ(j["node"], "Location");
    EXPECT_EQ(Jobhost({"--simulate", "sample", "--keys-file", "/no/such/keys"}, out, err), 2);
    EXPECT_EQ(err, "jobhost: --keys-file: cannot read /no/such/keys\n");
}

TEST(JsonReport, ExitStatusSaysHowTheRunEnded)
{
    auto looping = std::make_unique<JobDocument>();
    HostNode* spin = looping->AddNode(NODE_COUNT, "Spin");
    looping->SetStartNode(spin);
    looping->AddLink(spin->m_nID, spin->m_nID);
    const std::string loop = Save(*looping, "LOOP.pdtjob");
    struct
    {
        const char* situation;
        std::vector<const char*> args;
        int status;
        const char* state;
    } rows[] = {
        {"waiting for a key", {"--simulate", "sample", "--keys", "{F1}", "--json"}, 3, "waiting"},
        {"ended, every key used", {"--simulate", "sample", "--keys", "{ESC}{ENTER}", "--json"}, 0, "ended"},
        {"ended with keys left", {"--simulate", "sample", "--keys", "{ESC}{ENTER}1", "--json"}, 5, "ended"},
        {"stopped by the step limit", {"--simulate", loop.c_str(), "--keys", "", "--json"}, 4, "stopped"},
        {"bad keys", {"--simulate", "sample", "--keys", "{F9}", "--json"}, 2, nullptr},
        {"without --json a run is 0", {"--simulate", "sample", "--keys", "{ESC}{ENTER}1"}, 0, nullptr},
    };
    for (const auto& row : rows)
    {
        std::string out, err;
        EXPECT_EQ(Jobhost(row.args, out, err), row.status) << row.situation << "\n" << err;
        if (row.state)
        {
            EXPECT_EQ(nlohmann::json::parse(out)["state"], row.state) << row.situation;
        }
    }
}

TEST(CheckCommand, WarnsBeforeTheRun)
{
    HostNode* menu;
    auto doc = NewJob("MENU\x1b" "X", &menu);
    HostNode* qty = InputNode(*doc, "Qty", "Qty:", DATA_INTEGER);
    HostNode* gone = doc->AddNode(NODE_SCREEN, "Gone");
    gone->m_bExcludeFromMakeJob = TRUE;
    HostNode* help = doc->AddNode(NODE_SCREEN, "Help");
    help->m_nHotKey = IDC_KEY_F1;
    HostNode* twin = doc->AddNode(NODE_SCREEN, "Twin");
    twin->m_nHotKey = IDC_KEY_F1;
    HostNode* f8 = doc->AddNode(NODE_SCREEN, "Far");
    f8->m_nHotKey = IDC_KEY_F8;
    HostNode* count = doc->AddNode(NODE_COUNT, "Qty");
    count->m_count.strFormula = "QTY + 1";
    KeyLink(*doc, menu, qty, "F9");
    KeyLink(*doc, menu, gone, "F2");
    doc->m_language.strConfirmExit = "Do you really want to exit?";
    const std::string path = Save(*doc, "CHECK.pdtjob");
    std::string out, err;
    ASSERT_EQ(Jobhost({"--check", path.c_str()}, out, err), 1) << err;
    const std::string p = path + ": ";
    EXPECT_EQ(out, p + "Link \"Start -> Qty\" names the key \"F9\", which the M-20's keypad does not have: it never "
                       "holds.\n" +
                       p + "Link \"Start -> Gone\" leads to \"Gone\", which is excluded from making the job: the link is "
                           "left out.\n" +
                       p + "The text of \"Start\" has an ESC without \"[\" after it (character 5): the terminal shows "
                           "\"Invalid ESC command in print screen!\" and stops the text there.\n" +
                       p + "Nodes \"Help\" and \"Twin\" have the same hot key F1: only \"Help\" runs.\n" +
                       p + "The hot key of \"Far\" is not on the M-20's keypad.\n" +
                       p + "2 nodes are named \"Qty\", and the formula of \"Qty\" uses the name: it means the first "
                           "of them.\n" +
                       p + "The prompt Confirm To Exit Job (\"Do you really want to exit?\") is wider than the M-20's "
                           "screen of 21 columns.\n");

    // A value out of its range in the file: the reader keeps the default and the check says so.
    {
        std::ifstream in(path);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const size_t at = text.find("\"nodeHeight\": 50");
        ASSERT_NE(at, std::string::npos) << text.substr(0, 400);
        text.replace(at, 16, "\"nodeHeight\": -7");
        std::ofstream(path) << text;
    }
    ASSERT_EQ(Jobhost({"--check", path.c_str()}, out, err), 1) << err;
    EXPECT_NE(out.find(p + "The job file holds a value out of its range, which the reader reset to its default: "
                           "settings.nodeHeight: -7 is outside "),
              std::string::npos)
        << out;

    // A job without faults, and arguments that are not a check.
    HostNode* start;
    auto clean = NewJob("MENU", &start);
    const std::string cleanPath = Save(*clean, "CLEAN.pdtjob");
    EXPECT_EQ(Jobhost({"--check", cleanPath.c_str()}, out, err), 0);
    EXPECT_EQ(out, cleanPath + ": no warnings\n");
    EXPECT_EQ(Jobhost({"--check", cleanPath.c_str(), "--keys", "1"}, out, err), 2);
    EXPECT_EQ(err, "jobhost: --check takes a job file and nothing else: jobhost --check JOB\n");
    EXPECT_EQ(Jobhost({"--check", "/no/such.pdtjob"}, out, err), 2);
}

} // namespace
