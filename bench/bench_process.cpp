// jobhost as a person starts it: a whole process, from exec to its first painted frame (`jobhost --timing`, which
// exits once it has painted), on the sample job and on a job of 10,000 nodes and 20,000 links; beside each, what
// jobhost says it took from the start of main and the memory it holds with the job open. The baseline starts the same
// binary with --version: loading the program and its libraries, which no start can skip.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <spawn.h>
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
    std::string out; // what it printed
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
    // A settings file of its own, new each time: a person's window places and recent files neither reach the
    // figure nor are changed by it.
    const std::string settings =
        (std::filesystem::temp_directory_path() / ("pdtbench-jobhost-" + std::to_string(::getpid()) + ".ini")).string();
    std::remove(settings.c_str());
    std::vector<std::string> env{"PDTDLG_SETTINGS=" + settings};
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "PDTDLG_SETTINGS=", 16) != 0)
            env.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (rc == 0)
    {
        char buf[512];
        for (ssize_t n; (n = ::read(pipeFds[0], buf, sizeof buf)) > 0;)
            result.out.append(buf, size_t(n));
        int status = 0;
        if (::waitpid(pid, &status, 0) == pid)
            result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    ::close(pipeFds[0]);
    std::remove(settings.c_str());
    return result;
}

// The number `jobhost --timing` prints after `label`, or -1.
double Printed(const std::string& out, const std::string& label)
{
    size_t at = out.find(label);
    return at == std::string::npos ? -1 : std::atof(out.c_str() + at + label.size());
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
    double printed = 0, resident = 0;
    for (auto _ : state)
    {
        Started s = Run(args);
        if (!s.ok)
        {
            state.SkipWithError("jobhost failed");
            return;
        }
        printed += Printed(s.out, "first frame painted ");
        resident = std::max(resident, Printed(s.out, " ms after start, "));
    }
    if (args.size() > 1 && args[1] == "--timing")
    {
        state.counters["main_to_frame_ms"] = printed / double(state.iterations());
        state.counters["resident_MB"] = resident;
    }
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
