// The job's text is written as it is made, without a JSON tree; the tree's printer is what the file format was
// first written with, so every kind of job must come out of both byte for byte.
#include <gtest/gtest.h>

#include <functional>

#include "host/jobfile/JobFile.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/HostRecord.h"
#include "host/model/HostTerminal.h"
#include "host/model/SampleJob.h"
#include "platform/testing/pdttest.h"

namespace
{

struct Job
{
    const char* name;
    std::function<std::unique_ptr<JobDocument>()> make;
};

std::unique_ptr<JobDocument> Nodes(int language, const CString& text)
{
    auto doc = std::make_unique<JobDocument>();
    doc->m_nLanguage = language;
    doc->AddRecord(text, "", 3)->m_arrFields.Add(1);
    for (int kind : NODE_KIND_SLOTS)
    {
        HostNode* node = doc->AddNode(kind, text);
        node->m_strScreenText = text;
        node->m_strComment = "line one\r\n\t\"quoted\" \\ end";
    }
    doc->AddLink(1, 2)->m_strKey = text;
    return doc;
}

const Job kJobs[] = {
    {"an empty job", [] { return std::make_unique<JobDocument>(); }},
    {"the sample", [] { return MakeSampleJob(); }},
    {"the job it runs", [] { return MakeReceiveJob(); }},
    {"every kind, plain text", [] { return Nodes(0, "Item"); }},
    {"Latin-1 text", [] { return Nodes(0, "Caf\xE9 \xA3"); }},
    {"GBK text", [] { return Nodes(1, "\xB2\xD6\xBF\xE2"); }},
    {"bytes GBK cannot read (hex)", [] { return Nodes(1, "A\x81\xFF"); }},
    {"groups of other kinds changed",
     [] {
         auto doc = Nodes(0, "x");
         for (int i = 0; i < doc->GetNodeCount(); ++i)
         {
             HostNode* node = doc->GetNodeAt(i);
             node->m_crText = RGB(1, 2, 3);  // the comment group
             node->m_collect.nLengthTo = 9;  // input and count
             node->m_nBaudRate = 4800;       // the action nodes'
             node->m_crColour = CLR_DEFAULT; // a colour written as a number
         }
         doc->GetNodeAt(0)->m_bStartNode = TRUE;
         return doc;
     }},
    {"members of a newer version, on objects and in groups",
     [] {
         auto doc = Nodes(0, "x");
         doc->GetNodeAt(1)->m_strExtra = R"({"future": [1, {"a": 2}], "screen": {"later": true}})";
         doc->GetLinkAt(0)->m_strExtra = R"({"weight": 3})";
         doc->GetRecordAt(0)->m_strExtra = R"({"index": {"hex": "00"}})";
         return doc;
     }},
    {"members of a newer version at the top",
     [] {
         auto doc = Nodes(0, "x");
         doc->m_strExtra = R"({"plugins": []})";
         return doc;
     }},
};

TEST(JobTextWriter, EveryJobComesOutAsTheTreePrintsIt)
{
    for (const Job& job : kJobs)
    {
        SCOPED_TRACE(job.name);
        auto doc = job.make();
        const std::string text = FormatJobText(*doc);
        EXPECT_EQ(text, FormatJobTextTree(*doc));
        std::string error;
        auto back = ParseJobText(text, &error);
        ASSERT_TRUE(back) << error;
        EXPECT_EQ(FormatJobText(*back), text);
    }
}

} // namespace
