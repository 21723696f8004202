// jobhost: the reference host. With a display it opens the main window on a job (jobhost [FILE]);
// with --gallery DIR it renders each of the library's dialogs to a PNG file instead; with --simulate JOB it runs
// the job headless (docs/simulation.md).
#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "host/app/Export.h"
#include "host/app/Gallery.h"
#include "host/app/MainFrame.h"
#include "host/app/SimulationScript.h"

namespace
{
constexpr const char* kUsage =
    "Usage: jobhost [FILE]\n"
    "       jobhost --gallery DIR\n"
    "       jobhost --simulate JOB [--keys KEYS] [--png FILE] [--file NAME=PATH]\n"
    "               [--clock \"YYYY-MM-DD HH:MM:SS\"] [--step-limit N] [--log] [--json]\n"
    "       jobhost --check JOB\n"
    "       jobhost --export JOB OUT.png|OUT.svg|OUT.pdf\n"
    "       jobhost --test FILE.pdttest [--update]\n"
    "       jobhost --timing [FILE]\n"
    "       jobhost --help | --version\n"
    "\n"
    "Opens the main window on the job FILE, or on the sample job without one.\n"
    "  --gallery DIR   renders each of the library's dialogs to a PNG file in DIR\n"
    "  --simulate JOB  runs JOB (\"sample\" for the built-in job) on a simulated terminal without\n"
    "                  windows, plays the keys and prints the screen, the state and the data files\n"
    "  --check JOB     prints what in JOB a simulation cannot do as the job means\n"
    "  --export JOB OUT  writes the flowchart of JOB as a PNG or SVG picture or as PDF pages\n"
    "  --test FILE     runs the scenarios of a scenario file and shows where the job differs;\n"
    "                  --update writes what the run shows as the expectations\n"
    "  --timing        opens the main window as without it, prints the time from the start to its\n"
    "                  first painted frame and the memory it holds then, and exits\n"
    "  --help          prints this text\n"
    "  --version       prints the version\n";

// What the process holds in memory now (VmRSS), 0 when the system does not say.
double ResidentMegabytes()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0;
    char line[256];
    double kilobytes = 0;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmRSS: %lf kB", &kilobytes) == 1)
            break;
    std::fclose(status);
    return kilobytes / 1024;
}

// --timing: once the first frame has been painted (all of it: the zero timer runs after the paint pass that the
// first paint event belongs to), prints the time since `start` and ends the event loop.
class FirstFrame : public QObject
{
  public:
    explicit FirstFrame(std::chrono::steady_clock::time_point start) : m_start(start) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_bSeen && event->type() == QEvent::Paint && watched->isWidgetType())
        {
            m_bSeen = true;
            QTimer::singleShot(0, this, [this] {
                std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - m_start;
                std::printf("jobhost: first frame painted %.1f ms after start, %.1f MB resident\n", took.count(),
                            ResidentMegabytes());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

  private:
    std::chrono::steady_clock::time_point m_start;
    bool m_bSeen = false;
};
} // namespace

int main(int argc, char** argv)
{
    const auto start = std::chrono::steady_clock::now();
    // Asked before any window system is needed: these answer on a terminal and end.
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
        {
            std::cout << kUsage;
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0)
        {
            std::cout << "jobhost " << PDT_VERSION << "\n";
            return 0;
        }
    }
    const bool simulate = IsSimulateCommand(argc, argv);
    const char* gallery = nullptr;
    const char* exportJob = nullptr;
    const char* exportTo = nullptr;
    const char* file = nullptr;
    bool timing = false;
    for (int i = 1; i < argc && !simulate; ++i)
        if (std::strcmp(argv[i], "--gallery") == 0 && i + 1 < argc)
            gallery = argv[++i];
        else if (std::strcmp(argv[i], "--export") == 0)
        {
            if (i + 2 >= argc)
            {
                std::cerr << "jobhost: --export needs a job file and a file to write\n";
                return 2;
            }
            exportJob = argv[++i];
            exportTo = argv[++i];
        }
        else if (std::strcmp(argv[i], "--timing") == 0)
            timing = true;
        else if (argv[i][0] != '-')
            file = argv[i];
    if ((gallery || simulate) && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (exportJob)
        qputenv("QT_QPA_PLATFORM", "offscreen"); // shows no window, so it needs no display whatever the desktop says
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("jobhost"));
    if (simulate)
        return RunSimulateCommand(argc, argv, std::cout, std::cerr);
    if (exportJob)
        return RunExportCommand(exportJob, exportTo, std::cerr);
    FirstFrame firstFrame(start);
    if (timing && !gallery)
        app.installEventFilter(&firstFrame);
    return gallery ? RunGallery(gallery) : RunMainWindow(file);
}
