// jobhost as a person starts it: a whole process, from exec to its first painted frame (`jobhost --timing`, which
// exits once it has painted), on the sample job and on a job of 10,000 nodes and 20,000 links, whose resident size
// at its peak is printed beside it. The baseline starts the same binary with --version: loading the program and
// its libraries, which no start can skip.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "host/jobfile/JobFile.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/JobDocument.h"

extern char** environ;

namespace
{

std::string JobhostPath()
{
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : (self.parent_path() / "jobhost").string();
}

struct Started
{
    bool ok = false;
    std::string out;   // what it printed
    double peakMB = 0; // its resident size at its peak
};

// Runs the program to its end, reading what it prints; it inherits the benchmarks' display (offscreen unless set).
Started Run(const std::vector<std::string>& args)
{
    Started result;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (rc == 0)
    {
        char buf[512];
        for (ssize_t n; (n = ::read(pipeFds[0], buf, sizeof buf)) > 0;)
            result.out.append(buf, size_t(n));
        int status = 0;
        rusage usage{};
        if (::wait4(pid, &status, 0, &usage) == pid)
        {
            result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
            result.peakMB = double(usage.ru_maxrss) / 1024.0;
        }
    }
    ::close(pipeFds[0]);
    return result;
}

// The milliseconds `jobhost --timing` says it took, or -1.
double PrintedMilliseconds(const std::string& out)
{
    size_t at = out.find("first frame painted ");
    return at == std::string::npos ? -1 : std::atof(out.c_str() + at + 20);
}

// A job of 10,000 nodes on a grid of 40 columns, each linked to its right neighbour and to the node below, in a
// file removed when the benchmarks end.
struct LargeJobFile
{
    LargeJobFile();
    ~LargeJobFile()
    {
        if (!path.empty())
            std::remove(path.c_str());
    }
    std::string path;
};

LargeJobFile::LargeJobFile()
{
    JobDocument doc;
    for (int i = 0; i < 10000; ++i)
    {
        CString name;
        name.Format("Node %04d", i);
        HostNode* node = doc.AddNode(NODE_KIND_SLOTS[i % NODE_KIND_COUNT], name);
        node->m_ptPosition = CPoint(40 + i % 40 * 170, 40 + i / 40 * 120);
    }
    for (int i = 0; i < 20000; ++i)
        doc.AddLink(1 + i / 2, 1 + (i % 2 ? (i / 2 + 40) : (i / 2 + 1)) % 10000);
    path = (std::filesystem::temp_directory_path() / ("pdtbench-large-" + std::to_string(::getpid()) + ".pdtjob"))
               .string();
    std::string error;
    if (!SaveJobFile(doc, path, &error))
        path.clear();
}

void Start(benchmark::State& state, std::vector<std::string> args)
{
    args.insert(args.begin(), JobhostPath());
    double printed = 0, peak = 0;
    for (auto _ : state)
    {
        Started s = Run(args);
        if (!s.ok)
        {
            state.SkipWithError("jobhost failed");
            return;
        }
        printed += PrintedMilliseconds(s.out);
        peak = std::max(peak, s.peakMB);
    }
    if (args.size() > 1 && args[1] == "--timing")
        state.counters["main_to_frame_ms"] = printed / double(state.iterations());
    state.counters["peak_MB"] = peak;
}

void JobhostStart(benchmark::State& state) { Start(state, {"--timing"}); }
BENCHMARK(JobhostStart)->Unit(benchmark::kMillisecond)->UseRealTime();

void JobhostStartBaseline(benchmark::State& state) { Start(state, {"--version"}); }
BENCHMARK(JobhostStartBaseline)->Name("JobhostStart/baseline")->Unit(benchmark::kMillisecond)->UseRealTime();

void JobhostLargeJob(benchmark::State& state)
{
    static LargeJobFile file;
    if (file.path.empty())
        state.SkipWithError("cannot write the job");
    else
        Start(state, {"--timing", file.path});
}
BENCHMARK(JobhostLargeJob)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
