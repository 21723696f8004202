#include "host/app/SimulationScript.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "host/app/PortableScreenTerminal.h"
#include "host/app/SimulationJobLoader.h"
#include "host/model/HostTerminal.h"
#include "host/model/JobDocument.h"
#include "host/model/SampleJob.h"
#include <nlohmann/json.hpp>

#include "host/sim/JobCheck.h"
#include "host/sim/JobRunner.h"
#include "host/sim/KeyScript.h"
#include "host/sim/ScenarioFile.h"
#include "host/sim/TeeTerminal.h"
#include "host/sim/TextScreen.h"
#include "platform/afxhooks.h"
#include "simulation/PortableScreen.h"
#if __has_include("host/jobfile/JobFile.h")
#include "host/jobfile/JobFile.h"
#define PDT_HAVE_JOBFILE 1
#endif

namespace
{

struct Arguments
{
    std::string job;
    std::string keys;
    std::string png;
    std::vector<std::pair<std::string, std::string>> files; // name on the terminal, path on the computer
    RunnerOptions options;
    bool bLog = false;
    bool bJson = false;
};

// Exit statuses of a run reported as JSON: how it ended, for scripts and CI.
enum : int
{
    kExitEnded = 0,    // the job ended (done, aborted, or a job it runs could not be loaded) and used every key
    kExitBadArguments = 2,
    kExitWaiting = 3,  // the job waits for a key, every key used
    kExitStopped = 4,  // the runner stopped it: the step limit, a dead end, a bound, no start node
    kExitUnusedKeys = 5, // it ended or stopped with keys left over
};

bool Parse(int argc, char** argv, Arguments& a, std::string& error)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc)
            {
                error = arg + " needs a value";
                return false;
            }
            into = argv[++i];
            return true;
        };
        std::string v;
        if (arg == "--simulate")
        {
            if (!value(a.job))
                return false;
        }
        else if (arg == "--keys")
        {
            if (!value(a.keys))
                return false;
        }
        else if (arg == "--keys-file")
        {
            // Long scripts live in a file, or come on standard input ("-"); line ends in it are not keys.
            if (!value(v))
                return false;
            std::string bytes;
            if (v == "-")
                bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
            else if (!ReadTerminalFile(v, bytes, error))
            {
                error = "--keys-file: " + error;
                return false;
            }
            for (char c : bytes)
                if (c != '\r' && c != '\n')
                    a.keys += c;
        }
        else if (arg == "--png")
        {
            if (!value(a.png))
                return false;
        }
        else if (arg == "--clock")
        {
            if (!value(a.options.strClock))
                return false;
            int y, mo, d, h, mi, s;
            if (!ReadClock(a.options.strClock, y, mo, d, h, mi, s))
            {
                error = "--clock needs \"YYYY-MM-DD HH:MM:SS\", not \"" + a.options.strClock + "\"";
                return false;
            }
        }
        else if (arg == "--log")
            a.bLog = true;
        else if (arg == "--json")
            a.bJson = true;
        else if (arg == "--step-limit")
        {
            if (!value(v))
                return false;
            char* end = nullptr;
            long n = std::strtol(v.c_str(), &end, 10);
            if (!end || *end || n < 1 || n > 100000000)
            {
                error = "--step-limit needs a number from 1 to 100000000, not \"" + v + "\"";
                return false;
            }
            a.options.nStepLimit = int(n);
        }
        else if (arg == "--file")
        {
            if (!value(v))
                return false;
            const size_t eq = v.find('=');
            if (eq == std::string::npos || eq == 0 || eq + 1 == v.size())
            {
                error = "--file needs NAME=PATH, not \"" + v + "\"";
                return false;
            }
            a.files.emplace_back(v.substr(0, eq), v.substr(eq + 1));
        }
        else
        {
            error = "unknown argument \"" + arg + "\"";
            return false;
        }
    }
    if (a.job.empty())
    {
        error = "--simulate needs a job file (or \"sample\")";
        return false;
    }
    return true;
}

std::unique_ptr<JobDocument> LoadJob(const std::string& job, std::string& error)
{
    if (job == "sample")
        return MakeSampleJob();
#ifdef PDT_HAVE_JOBFILE
    return LoadJobFile(job, &error);
#else
    error = "this jobhost reads no job files; use \"sample\"";
    return nullptr;
#endif
}

// The screen shown headless, when a picture is asked for.
class PictureFrame : public CFrameWnd
{
  public:
    PictureFrame(JobDocument& doc, CSize cells) : m_screen(doc.m_crScreenBackground)
    {
        Create(nullptr, "Simulation", WS_POPUP, CRect(0, 0, 600, 400));
        m_screen.Create(CSize(560, doc.m_settings.bLargeWindow ? 440 : 220), CRect(0, 0, 560, 440), 4254, this);
        m_screen.Initial(doc.Terminal().m_strModel, cells, doc.m_nLanguage);
        CRect r;
        m_screen.GetWindowRect(&r);
        MoveWindow(0, 0, r.Width(), r.Height());
        ShowWindow(SW_SHOW);
    }
    CPortableScreen m_screen;
};

void Report(std::ostream& out, const Arguments& a, JobDocument& doc, const TextScreen& screen, const JobRunner& runner,
            size_t used, size_t keys)
{
    const CSize size = screen.GetSize();
    const int cp = doc.GetCodePage();
    out << "Job: " << a.job << " (" << doc.Terminal().m_strModel.str() << ", " << size.cx << " x " << size.cy
        << ")\n";
    const std::string edge = "+" + std::string(size_t(size.cx), '-') + "+\n";
    out << edge;
    for (const std::string& row : screen.Rows())
        out << "|" << Utf8OfBytes(row, cp) << "|\n";
    out << edge;
    switch (runner.GetState())
    {
    case RunState::Waiting:
        out << "State: waiting for a key at node \"" << Utf8OfBytes(runner.GetCurrentNode()->m_strName.str(), cp)
            << "\"\n";
        break;
    case RunState::Ended:
        out << "State: ended. " << Utf8OfBytes(runner.GetEndMessage(), cp) << "\n";
        break;
    case RunState::Stopped:
        out << "State: stopped. " << Utf8OfBytes(runner.GetEndMessage(), cp) << "\n";
        break;
    case RunState::Idle:
        out << "State: not started\n";
        break;
    }
    out << "Keys: " << used << " of " << keys << " used, " << runner.GetSteps() << " nodes passed\n";
    out << "Data files:\n" << runner.GetFiles().Describe(cp);
    out << "Uploaded:\n";
    if (runner.GetUploads().empty())
        out << "(nothing)\n";
    for (const std::string& r : runner.GetUploads())
        out << "  " << EscapeText(r, cp) << "\n";
    if (a.bLog)
    {
        out << "Log:\n";
        for (const std::string& line : runner.GetLog())
            out << "  " << Utf8OfBytes(line, cp) << "\n";
    }
}

// The final state as one JSON object: texts in UTF-8, records and uploads with their control bytes written out.
void ReportJson(std::ostream& out, const Arguments& a, JobDocument& doc, const TextScreen& screen,
                const JobRunner& runner, size_t used, size_t keys)
{
    using Json = nlohmann::ordered_json;
    const int cp = doc.GetCodePage();
    const CSize size = screen.GetSize();
    Json j;
    j["job"] = a.job; // as given on the command line
    j["model"] = doc.Terminal().m_strModel.str();
    j["columns"] = size.cx;
    j["rows"] = size.cy;
    Json rows = Json::array();
    for (const std::string& row : screen.Rows())
        rows.push_back(Utf8OfBytes(row, cp));
    j["screen"] = rows;
    j["cursor"] = {{"x", screen.GetCursorPosition().x}, {"y", screen.GetCursorPosition().y}};
    static const char* const states[] = {"not started", "waiting", "ended", "stopped"};
    j["state"] = states[int(runner.GetState())];
    j["waitsFor"] = runner.IsWaiting() ? Json(runner.GetWaitKind()) : Json(nullptr);
    j["node"] = runner.GetCurrentNode() ? Json(Utf8OfBytes(runner.GetCurrentNode()->m_strName.str(), cp))
                                        : Json(nullptr);
    j["message"] = Utf8OfBytes(runner.GetEndMessage(), cp);
    j["beeps"] = screen.Beeps();
    j["keys"] = {{"given", keys}, {"used", used}};
    j["steps"] = runner.GetSteps();
    Json files = Json::array();
    for (const SimDataFile& f : runner.GetFiles().All())
    {
        Json records = Json::array();
        for (const std::string& r : f.records)
            records.push_back(EscapeText(r, cp));
        files.push_back({{"name", Utf8OfBytes(f.name, cp)}, {"records", records}});
    }
    j["files"] = files;
    Json uploads = Json::array();
    for (const std::string& u : runner.GetUploads())
        uploads.push_back(EscapeText(u, cp));
    j["uploads"] = uploads;
    Json log = Json::array();
    for (const std::string& line : runner.GetLog())
        log.push_back(Utf8OfBytes(line, cp));
    j["log"] = log;
    out << j.dump(1, ' ', false, Json::error_handler_t::replace) << "\n";
}

int ExitStatus(const JobRunner& runner, size_t used, size_t keys)
{
    if (used < keys)
        return kExitUnusedKeys;
    switch (runner.GetState())
    {
    case RunState::Waiting:
        return kExitWaiting;
    case RunState::Ended:
        return kExitEnded;
    default:
        return kExitStopped;
    }
}

} // namespace

bool IsSimulateCommand(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--simulate") == 0 || std::strcmp(argv[i], "--check") == 0 ||
            std::strcmp(argv[i], "--test") == 0)
            return true;
    return false;
}

namespace
{

// jobhost --check JOB: the warnings a person wants before simulating; 0 when there are none, 1 when there are.
int RunCheckCommand(int argc, char** argv, std::ostream& out, std::ostream& err)
{
    if (argc != 3 || std::strcmp(argv[1], "--check") != 0)
    {
        err << "jobhost: --check takes a job file and nothing else: jobhost --check JOB\n";
        return kExitBadArguments;
    }
    const std::string job = argv[2];
    std::string error;
    std::unique_ptr<JobDocument> doc = LoadJob(job, error);
    if (!doc)
    {
        err << "jobhost: " << job << ": " << error << "\n";
        return kExitBadArguments;
    }
    const int cp = doc->GetCodePage();
    const std::vector<std::string> warnings = CheckJob(*doc);
    for (const std::string& w : warnings)
        out << job << ": " << Utf8OfBytes(w, cp) << "\n";
    if (warnings.empty())
        out << job << ": no warnings\n";
    return warnings.empty() ? 0 : 1;
}

// jobhost --test FILE [--update]: the scenarios of a scenario file; 0 when every expectation holds, 1 with a
// mismatch (or, with --update, the expectations rewritten as the run found them), 2 for a file that cannot be used.
int RunTestCommand(int argc, char** argv, std::ostream& out, std::ostream& err)
{
    std::string path;
    bool update = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--test") == 0 && i + 1 < argc && path.empty())
            path = argv[++i];
        else if (std::strcmp(argv[i], "--update") == 0)
            update = true;
        else
        {
            err << "jobhost: --test takes a scenario file and --update: jobhost --test FILE [--update]\n";
            return kExitBadArguments;
        }
    if (path.empty() || (update && path == "-"))
    {
        err << "jobhost: --test needs a scenario file" << (path.empty() ? "" : " to update, not standard input")
            << ": jobhost --test FILE [--update]\n";
        return kExitBadArguments;
    }
    std::string text, error;
    if (path == "-")
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    else if (!ReadTerminalFile(path, text, error))
    {
        err << "jobhost: " << error << "\n";
        return kExitBadArguments;
    }
    ScenarioFile file;
    if (!ParseScenarioFile(text, file, error))
    {
        err << "jobhost: " << path << ", " << error << "\n";
        return kExitBadArguments;
    }
    // The job and the files it names sit beside the scenario file (standard input: in the working directory).
    const std::filesystem::path folder = path == "-" ? std::filesystem::path() : std::filesystem::path(path).parent_path();
    auto beside = [&](const std::string& name) {
        const std::filesystem::path p(name);
        return (p.is_absolute() || folder.empty() ? p : folder / p).string();
    };
    const std::string jobPath = file.job == "sample" ? file.job : beside(file.job);
    std::unique_ptr<JobDocument> doc = LoadJob(jobPath, error);
    if (!doc)
    {
        err << "jobhost: " << path << ": the job " << jobPath << ": " << error << "\n";
        return kExitBadArguments;
    }
    UseJobCodePage(*doc);
    const int cp = doc->GetCodePage();
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& [name, where] : file.loads)
    {
        std::string bytes;
        if (!ReadTerminalFile(beside(where), bytes, error))
        {
            err << "jobhost: " << path << ": " << error << "\n";
            return kExitBadArguments;
        }
        files.emplace_back(DataFileBytes(name, cp), DataFileBytes(bytes, cp));
    }
    RunnerOptions options;
    options.loadJob = &LoadJobForRunJob;
    ScenarioRun run;
    if (!RunScenarios(file, *doc, options, files, path, run, error))
    {
        err << "jobhost: " << path << ", " << error << "\n";
        return kExitBadArguments;
    }
    if (update)
    {
        // Written beside and renamed over: a failed write leaves the file as it was.
        if (run.updated != text)
        {
            const std::string temp = path + ".update";
            std::ofstream o(temp, std::ios::binary);
            o << run.updated;
            o.close();
            std::error_code ec;
            if (!o)
                ec = std::make_error_code(std::errc::io_error);
            if (!ec)
                std::filesystem::rename(temp, path, ec);
            if (ec)
            {
                std::filesystem::remove(temp, ec);
                err << "jobhost: cannot write " << path << "\n";
                return kExitBadArguments;
            }
        }
        out << path << ": " << run.nScenarios << " scenarios, " << run.nChanged << " expectations written\n";
        return 0;
    }
    out << run.report;
    if (run.nFailed)
        out << path << ": " << run.nFailed << " of " << run.nScenarios << " scenarios failed\n";
    else
        out << path << ": " << run.nScenarios << " scenarios, " << run.nCheckpoints << " checkpoints hold\n";
    return run.nFailed ? 1 : 0;
}

} // namespace

int RunSimulateCommand(int argc, char** argv, std::ostream& out, std::ostream& err)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--check") == 0)
            return RunCheckCommand(argc, argv, out, err);
        else if (std::strcmp(argv[i], "--test") == 0)
            return RunTestCommand(argc, argv, out, err);
    Arguments a;
    std::string error;
    if (!Parse(argc, argv, a, error))
    {
        err << "jobhost: " << error << "\n";
        return 2;
    }
    std::unique_ptr<JobDocument> doc = LoadJob(a.job, error);
    if (!doc)
    {
        err << "jobhost: " << a.job << ": " << error << "\n";
        return 2;
    }
    UseJobCodePage(*doc); // one job a process: the screen window's text is in its code page
    const CSize cells = HostTerminal::ScreenSizeOf(doc->Terminal().m_strModel);
    const int cp = doc->GetCodePage();
    TextScreen text(cells, doc->m_nLanguage, cp);
    std::unique_ptr<PictureFrame> picture;
    std::unique_ptr<PortableScreenTerminal> drawn;
    std::unique_ptr<TeeTerminal> tee;
    SimTerminal* terminal = &text;
    if (!a.png.empty())
    {
        picture = std::make_unique<PictureFrame>(*doc, cells);
        drawn = std::make_unique<PortableScreenTerminal>(picture->m_screen, cells);
        tee = std::make_unique<TeeTerminal>(text, *drawn);
        terminal = tee.get();
    }
    a.options.loadJob = &LoadJobForRunJob;
    JobRunner runner(*doc, *terminal, a.options);
    // The command line and the PC's text files are UTF-8; the job reads its code page.
    for (const auto& [name, path] : a.files)
    {
        std::string bytes;
        if (!ReadTerminalFile(path, bytes, error))
        {
            err << "jobhost: " << error << "\n";
            return 2;
        }
        runner.LoadFile(DataFileBytes(name, cp), DataFileBytes(bytes, cp));
    }
    std::vector<SimKeyEvent> events;
    if (!ParseKeyScript(a.keys, runner, events, &error, cp))
    {
        err << "jobhost: " << error << "\n";
        return 2;
    }
    // Clock steps before the first key set the time the job starts at.
    const size_t clocks = SetStartClock(runner, events);
    runner.Start();
    const size_t used =
        clocks + PlayKeys(runner, std::vector<SimKeyEvent>(events.begin() + std::ptrdiff_t(clocks), events.end()));
    if (a.bJson)
        ReportJson(out, a, *doc, text, runner, used, events.size());
    else
        Report(out, a, *doc, text, runner, used, events.size());
    if (picture)
    {
        pdt::hooks::ProcessEvents();
        if (!pdt::hooks::SaveWindowImage(picture->m_screen.m_hWnd, a.png.c_str()))
        {
            err << "jobhost: cannot write " << a.png << "\n";
            return 2;
        }
        picture->DestroyWindow();
    }
    return a.bJson ? ExitStatus(runner, used, events.size()) : 0;
}
