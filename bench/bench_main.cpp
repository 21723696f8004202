// Benchmarks run in an offscreen application. Each figure named "X/baseline" is the same work done
// by hand in plain Qt; after the run the ratio X : X/baseline is printed beside the figures, and
// with --markdown=FILE the same table is written there. A table already at FILE is kept beside it as
// "NAME-previous.md", and each figure's change against it is printed after the ratios.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/AppProfile.h"

namespace
{
struct Figure
{
    double real = 0, cpu = 0; // per iteration, in the run's own unit
    std::string unit;
    int64_t iterations = 0;
    double bytesPerSecond = 0;
    std::map<std::string, double> counters;
};

// "Name/args" is paired with "Name/baseline/args"; empty when the figure has no baseline or is one.
std::string BaselineOf(const std::string& name)
{
    size_t slash = name.find('/');
    std::string head = name.substr(0, slash), tail = slash == std::string::npos ? "" : name.substr(slash);
    if (tail.rfind("/baseline", 0) == 0)
        return {};
    return head + "/baseline" + tail;
}

std::string Format(const char* fmt, double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}

std::string CpuModel()
{
    std::ifstream in("/proc/cpuinfo");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("model name", 0) == 0)
        {
            size_t colon = line.find(':');
            return colon == std::string::npos ? line : line.substr(colon + 2);
        }
    return "unknown CPU";
}

double UnitSeconds(const std::string& unit)
{
    return unit == "ns" ? 1e-9 : unit == "us" ? 1e-6 : unit == "ms" ? 1e-3 : 1.0;
}

std::string Trim(const std::string& s)
{
    size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

// The real time in seconds of each figure of a table this program wrote; rows it cannot read are skipped, so a
// damaged or foreign file only leaves figures without a change.
std::map<std::string, double> ReadPreviousTable(const std::string& path)
{
    std::map<std::string, double> out;
    std::ifstream in(path);
    int name = -1, time = -1, unit = -1;
    for (std::string line; std::getline(in, line);)
    {
        if (line.rfind("|", 0) != 0)
            continue;
        std::vector<std::string> cells;
        std::stringstream row(line.substr(1));
        for (std::string cell; std::getline(row, cell, '|');)
            cells.push_back(Trim(cell));
        if (name < 0)
        {
            for (int i = 0; i < int(cells.size()); ++i)
            {
                if (cells[i] == "benchmark")
                    name = i;
                else if (cells[i] == "time")
                    time = i;
                else if (cells[i] == "unit")
                    unit = i;
            }
            continue;
        }
        if (name < 0 || time < 0 || unit < 0 || int(cells.size()) <= std::max({name, time, unit}))
            continue;
        char* end = nullptr;
        double value = std::strtod(cells[time].c_str(), &end);
        if (end != cells[time].c_str() && value > 0)
            out[cells[name]] = value * UnitSeconds(cells[unit]);
    }
    return out;
}

class RatioReporter : public benchmark::ConsoleReporter
{
  public:
    RatioReporter(std::string markdown, std::map<std::string, double> previous)
        : m_markdown(std::move(markdown)), m_previous(std::move(previous))
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
        {
            if (r.run_type != Run::RT_Iteration || r.error_occurred)
                continue;
            Figure f;
            f.real = r.GetAdjustedRealTime();
            f.cpu = r.GetAdjustedCPUTime();
            f.unit = benchmark::GetTimeUnitString(r.time_unit);
            f.iterations = r.iterations;
            for (auto& [key, counter] : r.counters)
            {
                double value = counter.value; // rates are already per second here
                if (key == "bytes_per_second")
                    f.bytesPerSecond = value;
                else
                    f.counters[key] = value;
            }
            std::string name = r.benchmark_name();
            if (m_figures.emplace(name, f).second)
                m_order.push_back(name);
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-50s %12s\n", "ratio to the plain-Qt baseline", "ratio");
        for (auto& [name, ratio] : Ratios())
            std::printf("%-50s %12.2f\n", name.c_str(), ratio);
        if (!m_previous.empty())
        {
            std::printf("\n%-50s %12s %12s %8s\n", "change against the previous run", "previous", "now", "change");
            for (const std::string& name : m_order)
                if (auto before = m_previous.find(name); before != m_previous.end())
                {
                    double now = Seconds(m_figures.at(name));
                    std::printf("%-50s %12s %12s %+7.0f%%\n", name.c_str(), Human(before->second).c_str(),
                                Human(now).c_str(), (now / before->second - 1) * 100);
                }
                else
                    std::printf("%-50s %12s %12s %8s\n", name.c_str(), "", Human(Seconds(m_figures.at(name))).c_str(),
                                "new");
        }
        if (!m_markdown.empty())
            WriteMarkdown();
    }

  private:
    // Times compared in seconds, so that a figure and its baseline may use different units.
    static double Seconds(const Figure& f) { return f.real * UnitSeconds(f.unit); }

    static std::string Human(double seconds)
    {
        return seconds >= 1      ? Format("%.3g s", seconds)
               : seconds >= 1e-3 ? Format("%.3g ms", seconds * 1e3)
               : seconds >= 1e-6 ? Format("%.3g us", seconds * 1e6)
                                 : Format("%.3g ns", seconds * 1e9);
    }

    std::vector<std::pair<std::string, double>> Ratios() const
    {
        std::vector<std::pair<std::string, double>> out;
        for (auto& [name, f] : m_figures)
        {
            std::string base = BaselineOf(name);
            auto it = base.empty() ? m_figures.end() : m_figures.find(base);
            if (it != m_figures.end() && Seconds(it->second) > 0)
                out.emplace_back(name, Seconds(f) / Seconds(it->second));
        }
        return out;
    }

    void WriteMarkdown() const
    {
        std::filesystem::path path(m_markdown);
        std::error_code ec;
        if (path.has_parent_path())
            std::filesystem::create_directories(path.parent_path(), ec);
        std::ofstream out(path);
        if (!out)
        {
            std::fprintf(stderr, "pdtbench: cannot write %s\n", m_markdown.c_str());
            return;
        }
        char when[64];
        std::time_t now = std::time(nullptr);
        std::strftime(when, sizeof when, "%Y-%m-%d %H:%M UTC", std::gmtime(&now));
        out << "# pdtbench " << when << "\n\n"
            << "Machine: " << CpuModel() << ", " << std::thread::hardware_concurrency()
            << " cores. Build: Release. Ratios are to the plain-Qt baseline of the same run.\n\n"
            << "| benchmark | time | CPU | unit | iterations | throughput | baseline ratio | previous run | counters "
               "|\n"
            << "|---|--:|--:|---|--:|--:|--:|--:|---|\n";
        std::map<std::string, double> ratios;
        for (auto& [name, ratio] : Ratios())
            ratios[name] = ratio;
        for (const std::string& name : m_order)
        {
            const Figure& f = m_figures.at(name);
            auto ratio = ratios.find(name);
            std::string counters;
            for (auto& [key, value] : f.counters)
                counters += (counters.empty() ? "" : ", ") + key + "=" + Format("%g", value);
            out << "| " << name << " | " << Format("%.3f", f.real) << " | " << Format("%.3f", f.cpu) << " | " << f.unit
                << " | " << f.iterations << " | "
                << (f.bytesPerSecond > 0 ? Format("%.1f MB/s", f.bytesPerSecond / 1e6) : "") << " | "
                << (ratio != ratios.end() ? Format("%.2fx", ratio->second) : "") << " | " << Change(name) << " | "
                << counters << " |\n";
        }
    }

    std::string Change(const std::string& name) const
    {
        auto before = m_previous.find(name);
        return before == m_previous.end() ? ""
                                          : Format("%+.0f%%", (Seconds(m_figures.at(name)) / before->second - 1) * 100);
    }

    std::string m_markdown;
    std::map<std::string, double> m_previous;
    std::map<std::string, Figure> m_figures;
    std::vector<std::string> m_order;
};

// Takes --markdown=FILE out of the arguments before Google Benchmark sees them.
std::string TakeMarkdownOption(int& argc, char** argv)
{
    const std::string flag = "--markdown=";
    std::string file;
    int kept = 1;
    for (int i = 1; i < argc; ++i)
    {
        std::string arg = argv[i];
        if (arg.rfind(flag, 0) == 0)
            file = arg.substr(flag.size());
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    return file;
}
} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::string markdown = TakeMarkdownOption(argc, argv);
    std::map<std::string, double> previous;
    if (!markdown.empty() && std::filesystem::exists(markdown))
    {
        // The last run is kept, not overwritten: "out/bench.md" becomes "out/bench-previous.md".
        std::filesystem::path path(markdown), kept = path;
        kept.replace_filename(path.stem().string() + "-previous" + path.extension().string());
        std::error_code ec;
        std::filesystem::copy_file(path, kept, std::filesystem::copy_options::overwrite_existing, ec);
        if (ec)
            std::fprintf(stderr, "pdtbench: cannot keep %s as %s: %s\n", path.c_str(), kept.c_str(),
                         ec.message().c_str());
        previous = ReadPreviousTable(path.string());
    }
    QApplication app(argc, argv);
    auto settings = std::filesystem::temp_directory_path() / "pdtdlg-bench.ini";
    std::filesystem::remove(settings);
    theReg.SetFileName(settings.string());

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(markdown, std::move(previous));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::filesystem::remove(settings);
    return 0;
}
