// Benchmarks run in an offscreen application. Each figure named "X/baseline" is the same work done
// by hand in plain Qt; after the run the ratio X : X/baseline is printed beside the figures, and
// with --markdown=FILE the same table is written there, so that two runs can be compared.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
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

class RatioReporter : public benchmark::ConsoleReporter
{
  public:
    explicit RatioReporter(std::string markdown) : m_markdown(std::move(markdown)) {}

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
        if (!m_markdown.empty())
            WriteMarkdown();
    }

  private:
    // Times compared in seconds, so that a figure and its baseline may use different units.
    static double Seconds(const Figure& f)
    {
        double scale = f.unit == "ns" ? 1e-9 : f.unit == "us" ? 1e-6 : f.unit == "ms" ? 1e-3 : 1.0;
        return f.real * scale;
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
            << "| benchmark | time | CPU | unit | iterations | throughput | baseline ratio | counters |\n"
            << "|---|--:|--:|---|--:|--:|--:|---|\n";
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
                << (ratio != ratios.end() ? Format("%.2fx", ratio->second) : "") << " | " << counters << " |\n";
        }
    }

    std::string m_markdown;
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
    QApplication app(argc, argv);
    auto settings = std::filesystem::temp_directory_path() / "pdtdlg-bench.ini";
    std::filesystem::remove(settings);
    theReg.SetFileName(settings.string());

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(markdown);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::filesystem::remove(settings);
    return 0;
}
