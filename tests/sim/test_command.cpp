// jobhost --simulate ... --json for scripts and CI: the final state as JSON and an exit status that says how the run
// ended; jobhost --check JOB: what a person wants to know before simulating.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <iostream>
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
    EXPECT_EQ(j["screen"][0], "Location:12          ");
    EXPECT_EQ(j["screen"][2], "Location:_           ");
    EXPECT_EQ(j["cursor"]["x"], 9);
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
    auto doc = NewJob("MENU\x1b"
                      "X",
                      &menu);
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
    EXPECT_EQ(out, p +
                       "Link \"Start -> Qty\" names the key \"F9\", which the M-20's keypad does not have: it never "
                       "holds.\n" +
                       p +
                       "Link \"Start -> Gone\" leads to \"Gone\", which is excluded from making the job: the link is "
                       "left out.\n" +
                       p +
                       "The text of \"Start\" has an ESC without \"[\" after it (character 5): the terminal shows "
                       "\"Invalid ESC command in print screen!\" and stops the text there.\n" +
                       p + "Nodes \"Help\" and \"Twin\" have the same hot key F1: only \"Help\" runs.\n" + p +
                       "The hot key of \"Far\" is not on the M-20's keypad.\n" + p +
                       "2 nodes are named \"Qty\", and the formula of \"Qty\" uses the name: it means the first "
                       "of them.\n" +
                       p +
                       "The prompt Confirm To Exit Job (\"Do you really want to exit?\") is wider than the M-20's "
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

namespace
{

std::string Write(const std::string& name, const std::string& text)
{
    const std::string path = TempDir() + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string ReadBack(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Scans carry braces and control bytes as escapes; clock steps set the terminal's clock from where they stand.
TEST(KeyScript, ScanEscapesAndClockSteps)
{
    HostNode* menu;
    auto doc = NewJob("MENU", &menu);
    HostNode* scan = doc->AddNode(NODE_INPUT, "Code");
    scan->m_collect.bKeypad = false;
    HostNode* time = doc->AddNode(NODE_INPUT, "Time");
    time->m_collect.bTimer = true;
    time->m_collect.nTimeFormat = TIME_TIME;
    HostNode* shown = doc->AddNode(NODE_SCREEN, "Shown");
    KeyLink(*doc, menu, scan, "1");
    KeyLink(*doc, menu, time, "2");
    doc->AddLink(scan->m_nID, menu->m_nID);
    doc->AddLink(time->m_nID, shown->m_nID);
    KeyLink(*doc, shown, time, "2");
    struct
    {
        const char* keys;
        const char* scanned; // nullptr: the script does not parse
        const char* error;
    } scans[] = {
        {"1{SCAN:A\\}B}", "A}B", ""},
        {"1{SCAN:C:\\\\X\\t\\x03\\r\\n}", "C:\\X\t\x03\r\n", ""},
        {"1{SCAN:12\\q}", nullptr,
         "keys, character 2: a scan's data knows the escapes \\}, \\\\, \\t, \\r, \\n and \\xNN, not \"\\q\""},
    };
    for (const auto& row : scans)
    {
        Session s(*doc);
        s.runner.Start();
        std::vector<SimKeyEvent> events;
        std::string error;
        ASSERT_EQ(ParseKeyScript(row.keys, s.runner, events, &error), row.scanned != nullptr) << row.keys;
        EXPECT_EQ(error, row.error) << row.keys;
        if (!row.scanned)
            continue;
        PlayKeys(s.runner, events);
        EXPECT_EQ(s.runner.GetNodeData(scan->m_nID), row.scanned) << row.keys;
    }

    // A clock step before the first key is the time the job starts at; later ones change it from there.
    Session s(*doc);
    std::vector<SimKeyEvent> events;
    std::string error;
    ASSERT_TRUE(ParseKeyScript("{CLOCK:2026-01-02 03:04:05}2", s.runner, events, &error)) << error;
    EXPECT_EQ(SetStartClock(s.runner, events), 1u);
    s.runner.Start();
    EXPECT_EQ(PlayKeys(s.runner, std::vector<SimKeyEvent>(events.begin() + 1, events.end())), 1u);
    EXPECT_EQ(s.runner.GetNodeData(time->m_nID), "03:04:05");
    s.Play("{CLOCK:2026-01-02 23:59:58}2", false);
    EXPECT_EQ(s.runner.GetNodeData(time->m_nID), "23:59:58");
}

// Every fault of a scenario file is named with its line, and nothing runs.
TEST(ScenarioFile, FormatErrorsNameTheirLine)
{
    struct
    {
        const char* text;
        const char* error; // after "jobhost: PATH, "
    } rows[] = {
        {"scenario A\nkeys 1\nstate ended\n", "no \"job\" line: the file names the job its scenarios run"},
        {"job sample\nscenario A\nkeys 1\nscenario A\n", "line 4: a second scenario \"A\" (the first is on line 2)"},
        {"job sample\nscenario A\n  |row|\n",
         "line 3: a row outside a block: rows follow \"screen\", \"file NAME\" or \"uploads\""},
        {"job sample\nscenario A\nstate done\n",
         "line 3: \"state\" is \"waiting at \\\"NODE\\\" for ...\", \"ended: ...\", \"stopped: ...\" or \"not "
         "started\", not \"done\""},
        {"job sample\nscenario A\nkeys 1\nbeeps 0\nbeeps 1\n",
         "line 5: \"beeps\" a second time at one checkpoint (first on line 4)"},
        {"job sample\nload ITEMS.DAT items.dat\n",
         "line 2: \"load\" needs \"load NAME from PATH\", not \"load ITEMS.DAT items.dat\""},
        {"job sample\r\nscenario A\r\nkeys\r\n", "line 3: \"keys\" needs a key script"},
    };
    for (const auto& row : rows)
    {
        const std::string path = Write("bad.pdttest", row.text);
        std::string out, err;
        EXPECT_EQ(Jobhost({"--test", path.c_str()}, out, err), 2) << row.text;
        EXPECT_EQ(err, "jobhost: " + path + ", " + row.error + "\n") << row.text;
        EXPECT_EQ(out, "") << row.text;
        // An update of a broken file writes nothing.
        EXPECT_EQ(Jobhost({"--test", path.c_str(), "--update"}, out, err), 2) << row.text;
        EXPECT_EQ(ReadBack(path), row.text);
    }

    std::string out, err;
    const std::string noJob = Write("nojob.pdttest", "job missing.pdtjob\nscenario A\n");
    EXPECT_EQ(Jobhost({"--test", noJob.c_str()}, out, err), 2);
    EXPECT_EQ(err.rfind("jobhost: " + noJob + ": the job " + TempDir() + "/missing.pdtjob: ", 0), 0u) << err;
    const std::string noFile = Write("nofile.pdttest", "job sample\nload ITEMS.DAT from items.dat\nscenario A\n");
    EXPECT_EQ(Jobhost({"--test", noFile.c_str()}, out, err), 2);
    EXPECT_EQ(err, "jobhost: " + noFile + ": cannot read " + TempDir() + "/items.dat\n");
    EXPECT_EQ(Jobhost({"--test", "-", "--update"}, out, err), 2);
    EXPECT_EQ(err, "jobhost: --test needs a scenario file to update, not standard input: jobhost --test FILE "
                   "[--update]\n");
    EXPECT_EQ(Jobhost({"--test", noJob.c_str(), "--keys", "1"}, out, err), 2);
}

constexpr const char kStockScenario[] = "# The stock count of the sample job.\n"
                                        "job sample\n"
                                        "\n"
                                        "scenario Count\n"
                                        "keys {F4}12{ENTER}\n"
                                        "  # the location is in, the quantity asked\n"
                                        "keys 5{ENTER}\n"
                                        "  screen\n"
                                        "    |Location:12          |\n"
                                        "    |Qty, F2 review:5     |\n"
                                        "    |Location:_           |\n"
                                        "    |                     |\n"
                                        "    |                     |\n"
                                        "    |                     |\n"
                                        "    |                     |\n"
                                        "    |                     |\n"
                                        "  cursor 9 2\n"
                                        "  state waiting at \"Location\" for input\n"
                                        "  file STOCK.TXT\n"
                                        "    |STK12\\t5\\r\\n|\n";

// A mismatch shows what was expected against what the run shows, each with the line it stands on.
TEST(ScenarioFile, AMismatchIsADiff)
{
    std::string text = kStockScenario;
    text.replace(text.find("review:5"), 8, "review:6");
    text.replace(text.find("cursor 9 2"), 10, "cursor 9 1");
    text.replace(text.find("STK12\\t5"), 8, "STK12\\t6");
    text += "  beeps 0\n"
            "  no file INVENT.DAT\n"
            "keys 7{ENTER}{ESC}{ENTER}{F1}\n"
            "state ended: The job was ended by Escape.\n";
    const std::string path = Write("stock.pdttest", text);
    std::string out, err;
    ASSERT_EQ(Jobhost({"--test", path.c_str()}, out, err), 1) << err;
    EXPECT_EQ(out, path +
                       ":8: \"Count\": the screen is not as expected (- expected, + found):\n"
                       "    |Location:12          |\n"
                       "  - |Qty, F2 review:6     |\n"
                       "  + |Qty, F2 review:5     |\n"
                       "    |Location:_           |\n"
                       "    |                     |\n"
                       "    |                     |\n"
                       "    |                     |\n"
                       "    |                     |\n"
                       "    |                     |\n" +
                       path +
                       ":17: \"Count\": the cursor is not as expected (- expected, + found):\n"
                       "  - 9 1\n"
                       "  + 9 2\n" +
                       path +
                       ":19: \"Count\": the file STOCK.TXT is not as expected (- expected, + found):\n"
                       "  - |STK12\\t6\\r\\n|\n"
                       "  + |STK12\\t5\\r\\n|\n" +
                       path +
                       ":23: \"Count\": 1 of the keys on this line found the job no longer waiting: ended: "
                       "The job was ended by Escape.\n" +
                       path + ": 1 of 1 scenarios failed\n");
    EXPECT_EQ(ReadBack(path), text); // a check changes nothing
}

// --update writes what the run shows in place of each expectation that does not hold and after keys that have none,
// keeping keys, comments and indentation; the file it writes then holds, and a second update changes nothing.
TEST(ScenarioFile, UpdateRoundTrip)
{
    std::string text = kStockScenario;
    text.replace(text.find("|STK12\\t5"), 9, "|STK99\\t5");
    text.replace(text.find("cursor 9 2"), 10, "cursor 0 2");
    text += "\n# Escape asks first.\n"
            "scenario Escape\n"
            "keys {ESC}\n";
    const std::string path = Write("update.pdttest", text);
    std::string out, err;
    ASSERT_EQ(Jobhost({"--test", path.c_str(), "--update"}, out, err), 0) << err;
    EXPECT_EQ(out, path + ": 2 scenarios, 3 expectations written\n");
    EXPECT_EQ(ReadBack(path), std::string(kStockScenario) + "\n# Escape asks first.\n"
                                                            "scenario Escape\n"
                                                            "keys {ESC}\n"
                                                            "screen\n"
                                                            "  |  WAREHOUSE          |\n"
                                                            "  |                     |\n"
                                                            "  |F1 Scan items        |\n"
                                                            "  |F2 Upload            |\n"
                                                            "  |F3 Exit              |\n"
                                                            "  |F4 Stock count       |\n"
                                                            "  |                     |\n"
                                                            "  |Exit job? Ent=Yes    |\n"
                                                            "cursor 17 7\n"
                                                            "state waiting at \"Main Menu\" for exit question\n"
                                                            "beeps 0\n"
                                                            "uploads\n");
    ASSERT_EQ(Jobhost({"--test", path.c_str()}, out, err), 0) << out << err;
    EXPECT_EQ(out, path + ": 2 scenarios, 2 checkpoints hold\n");
    const std::string once = ReadBack(path);
    ASSERT_EQ(Jobhost({"--test", path.c_str(), "--update"}, out, err), 0) << err;
    EXPECT_EQ(out, path + ": 2 scenarios, 0 expectations written\n");
    EXPECT_EQ(ReadBack(path), once);

    // The same file on standard input, as a pipe gives it.
    std::istringstream in(once);
    std::streambuf* was = std::cin.rdbuf(in.rdbuf());
    const int status = Jobhost({"--test", "-"}, out, err);
    std::cin.rdbuf(was);
    EXPECT_EQ(status, 0) << err;
    EXPECT_EQ(out, "-: 2 scenarios, 2 checkpoints hold\n");
}

} // namespace
