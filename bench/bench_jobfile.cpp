// Saving and opening a job of 1,000 or 10,000 nodes and twice as many links. The baselines do what no reader or writer
// can skip: the JSON library printing the same tree to a file flushed to disk, and reading and parsing that file, so
// the ratio is the cost of the checks and of building the job.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "host/jobfile/JobFile.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"

namespace
{

// Every kind in turn, with text on the pages a person fills in, and links between nearby nodes.
std::unique_ptr<JobDocument> MakeLargeJob(int nodes)
{
    const int links = 2 * nodes;
    auto doc = std::make_unique<JobDocument>();
    doc->AddRecord("Data", "C:\\Jobs\\DATA.TXT");
    for (int i = 0; i < nodes; ++i)
    {
        CString name;
        name.Format("Node %04d", i);
        HostNode* node = doc->AddNode(NODE_KIND_SLOTS[i % NODE_KIND_COUNT], name);
        node->m_ptPosition = CPoint(i % 40 * 150, i / 40 * 90);
        node->m_strScreenText.Format("Item %d\r\nQty:", i);
        node->m_strComment = "Counted at the end of each shift.";
    }
    for (int i = 0; i < links; ++i)
    {
        HostLink* link = doc->AddLink(1 + i % nodes, 1 + (i * 7 + 1) % nodes);
        link->m_nCondition = i % 5;
        link->m_strKey = "F1";
    }
    doc->GetRecordAt(0)->m_arrFields.Add(2);
    return doc;
}

std::string TempPath(const char* name)
{
    return std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/pdtbench-" +
           std::to_string(getpid()) + "-" + name + ".pdtjob";
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void JobFileSave(benchmark::State& state)
{
    auto doc = MakeLargeJob(int(state.range(0)));
    std::string path = TempPath("save"), error;
    for (auto _ : state)
        if (!SaveJobFile(*doc, path, &error))
            state.SkipWithError(error.c_str());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(ReadAll(path).size()));
    std::remove(path.c_str());
}
BENCHMARK(JobFileSave)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void JobFileSaveBaseline(benchmark::State& state)
{
    auto tree = nlohmann::ordered_json::parse(FormatJobText(*MakeLargeJob(int(state.range(0)))));
    std::string path = TempPath("save-baseline");
    size_t size = 0;
    for (auto _ : state)
    {
        std::string text = tree.dump(1, '\t');
        size = text.size();
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, text.data(), text.size()) != ssize_t(text.size()) || ::fsync(fd) != 0)
            state.SkipWithError("cannot write");
        if (fd >= 0)
            ::close(fd);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
    std::remove(path.c_str());
}
BENCHMARK(JobFileSaveBaseline)->Name("JobFileSave/baseline")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void JobFileLoad(benchmark::State& state)
{
    std::string path = TempPath("load"), error;
    SaveJobFile(*MakeLargeJob(int(state.range(0))), path, &error);
    for (auto _ : state)
    {
        auto doc = LoadJobFile(path, &error);
        if (!doc || doc->GetLinkCount() != 2 * state.range(0))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(doc);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(ReadAll(path).size()));
    std::remove(path.c_str());
}
BENCHMARK(JobFileLoad)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void JobFileLoadBaseline(benchmark::State& state)
{
    std::string path = TempPath("load-baseline"), error;
    SaveJobFile(*MakeLargeJob(int(state.range(0))), path, &error);
    size_t size = 0;
    for (auto _ : state)
    {
        std::string text = ReadAll(path);
        size = text.size();
        auto tree = nlohmann::ordered_json::parse(text);
        benchmark::DoNotOptimize(tree);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
    std::remove(path.c_str());
}
BENCHMARK(JobFileLoadBaseline)->Name("JobFileLoad/baseline")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
