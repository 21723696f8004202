// The runner follows what each field means: the length bounds and Enter, numbers of the input's type, and Escape.
#include <gtest/gtest.h>

#include <cstring>

#include "resources/resource.h"
#include "sim_jobs.h"

using namespace simtest;

namespace
{

bool Logged(const JobRunner& runner, const std::string& text)
{
    for (const std::string& line : runner.GetLog())
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

// "Code:" (length 3 to 5) leads to "NEXT" on any completion.
std::unique_ptr<JobDocument> LengthJob(bool completeWithEnter, HostNode** next)
{
    auto doc = std::make_unique<JobDocument>();
    HostNode* code = InputNode(*doc, "Code", "Code:");
    code->m_collect.bCompleteWithEnter = completeWithEnter;
    code->m_collect.bVerifyLength = true;
    code->m_collect.nLengthFrom = 3;
    code->m_collect.nLengthTo = 5;
    doc->SetStartNode(code);
    *next = doc->AddNode(NODE_SCREEN, "Next");
    (*next)->m_strScreenText = "NEXT";
    doc->AddLink(code->m_nID, (*next)->m_nID);
    return doc;
}

TEST(Meaning, EnterCompletesAnyLengthTheVerificationAccepts)
{
    struct
    {
        const char* situation;
        bool completeWithEnter;
        const char* keys;
        bool next; // the input completed and the job went on
        int beeps;
    } rows[] = {
        {"the shortest length and Enter", false, "ABC{ENTER}", true, 0},
        {"the longest length ends by itself", false, "ABCDE", true, 0},
        {"shorter than the shortest is refused", false, "AB{ENTER}", false, 1},
        {"with Complete With Enter, Enter at the shortest", true, "ABC{ENTER}", true, 0},
        {"with Complete With Enter a full input waits for Enter", true, "ABCDE", false, 0},
        {"... and Enter completes it", true, "ABCDE{ENTER}", true, 0},
        {"with Complete With Enter, too short", true, "AB{ENTER}", false, 1},
    };
    for (const auto& row : rows)
    {
        HostNode* next;
        auto doc = LengthJob(row.completeWithEnter, &next);
        Session s(*doc);
        s.Play(row.keys);
        EXPECT_EQ(s.runner.GetCurrentNode() == next, row.next) << row.situation << "\n" << s.screen.Text();
        EXPECT_EQ(s.screen.Beeps(), row.beeps) << row.situation;
    }
}

TEST(Meaning, NumericInputIsANumberOfItsType)
{
    struct
    {
        const char* situation;
        int type;
        const char* keys; // a key script; "SCAN:" scans the rest
        bool next;
        const char* shown; // the input row
        const char* logged;
    } rows[] = {
        {"a minus alone", DATA_INTEGER, "-{ENTER}", false, "Qty:-_", "\"-\" refused, not a number"},
        {"a point alone", DATA_FLOAT, ".{ENTER}", false, "Qty:._", "\".\" refused, not a number"},
        {"a 16-bit integer's largest", DATA_INTEGER, "32767{ENTER}", true, "NEXT", "\"32767\" accepted"},
        {"a digit past 16 bits is refused as typed", DATA_INTEGER, "99999", false, "Qty:9999_",
         "\"99999\" refused, not an integer from -32768 to 32767"},
        {"a long integer takes it", DATA_LONG, "99999{ENTER}", true, "NEXT", "\"99999\" accepted"},
        {"past 32 bits", DATA_LONG, "2147483648", false, "Qty:214748364_",
         "\"2147483648\" refused, not a long integer from -2147483648 to 2147483647"},
        {"a scan that is no number", DATA_INTEGER, "SCAN:12AB", false, "Qty:12AB_", "\"12AB\" refused, not a number"},
        {"a scanned fraction into an integer", DATA_INTEGER, "SCAN:1.5", false, "Qty:1.5_",
         "\"1.5\" refused, not a number"},
        {"a scanned fraction into floating point", DATA_FLOAT, "SCAN:1.5", true, "NEXT", "\"1.5\" accepted"},
    };
    for (const auto& row : rows)
    {
        auto doc = std::make_unique<JobDocument>();
        HostNode* qty = InputNode(*doc, "Qty", "Qty:", row.type);
        qty->m_collect.bScanner = true;
        doc->SetStartNode(qty);
        HostNode* next = doc->AddNode(NODE_SCREEN, "Next");
        next->m_strScreenText = "NEXT";
        doc->AddLink(qty->m_nID, next->m_nID);
        Session s(*doc);
        const std::string keys = row.keys;
        if (keys.compare(0, 5, "SCAN:") == 0)
        {
            s.runner.Start();
            s.runner.Scan(keys.substr(5));
        }
        else
            s.Play(keys);
        EXPECT_EQ(s.runner.GetCurrentNode() == next, row.next) << row.situation;
        EXPECT_EQ(s.screen.Text(), row.shown) << row.situation;
        EXPECT_TRUE(Logged(s.runner, row.logged)) << row.situation;
        EXPECT_EQ(s.screen.Beeps(), row.next ? 0 : 1) << row.situation;
    }
}

// Escape ends the job (after the question) unless the job's settings forbid it; only a link naming Escape takes it.
TEST(Meaning, EscapeEndsTheJobUnlessALinkNamesIt)
{
    const char* const ask = "Exit job? Ent=Yes";
    struct
    {
        const char* situation;
        bool input;       // the node is an input "Qty:", else a message screen "MSG"
        const char* link; // the key of its link to "NEXT"; empty: a link without condition
        bool noEscTerminate;
        const char* keys;
        const char* screen; // the last row, or the whole screen when the job went on
        RunState state;
    } rows[] = {
        {"a message screen's unconditional link", false, "", false, "{ESC}", ask, RunState::Waiting},
        {"... Enter ends the job", false, "", false, "{ESC}{ENTER}", "Job aborted", RunState::Ended},
        {"... another key goes back to the message", false, "", false, "{ESC}1", "MSG", RunState::Waiting},
        {"an input's any-key link", true, "Any-key", false, "5{ESC}", ask, RunState::Waiting},
        {"... declining keeps the typed input", true, "Any-key", false, "5{ESC}9{ENTER}", "NEXT", RunState::Waiting},
        {"a link naming Escape", false, "ESC", false, "{ESC}", "NEXT", RunState::Waiting},
        {"Escape that does not end the job is a key", false, "", true, "{ESC}", "NEXT", RunState::Waiting},
        {"... that any-key links take", true, "Any-key", true, "5{ESC}", "NEXT", RunState::Waiting},
    };
    for (const auto& row : rows)
    {
        auto doc = std::make_unique<JobDocument>();
        HostNode* from = row.input ? InputNode(*doc, "Qty", "Qty:", DATA_INTEGER) : doc->AddNode(NODE_SCREEN, "Msg");
        if (!row.input)
            from->m_strScreenText = "MSG";
        doc->SetStartNode(from);
        doc->m_settings.bNoEscTerminate = row.noEscTerminate;
        HostNode* next = doc->AddNode(NODE_SCREEN, "Next");
        next->m_strScreenText = "NEXT";
        if (*row.link)
            KeyLink(*doc, from, next, row.link);
        else
            doc->AddLink(from->m_nID, next->m_nID);
        Session s(*doc);
        s.Play(row.keys);
        EXPECT_EQ(s.runner.GetState(), row.state) << row.situation;
        const std::string text = s.screen.Text();
        const std::string last = s.screen.Rows().back();
        EXPECT_TRUE(text == row.screen || last.compare(0, std::strlen(row.screen), row.screen) == 0)
            << row.situation << "\n"
            << text;
    }
}

} // namespace
