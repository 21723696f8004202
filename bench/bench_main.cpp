// Benchmarks run in an offscreen application. Each figure named "X/baseline" is the same work done
// by hand in plain Qt; after the run the ratio X : X/baseline is printed beside the figures.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "support/AppProfile.h"

namespace
{
class RatioReporter : public benchmark::ConsoleReporter
{
  public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred)
                m_times[r.benchmark_name()] = r.GetAdjustedRealTime();
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-50s %12s\n", "ratio to the plain-Qt baseline", "ratio");
        for (auto& [name, t] : m_times)
        {
            // "Name/args" is paired with "Name/baseline/args".
            size_t slash = name.find('/');
            std::string head = name.substr(0, slash), tail = slash == std::string::npos ? "" : name.substr(slash);
            if (tail.rfind("/baseline", 0) == 0)
                continue;
            auto base = m_times.find(head + "/baseline" + tail);
            if (base != m_times.end() && base->second > 0)
                std::printf("%-50s %12.2f\n", name.c_str(), t / base->second);
        }
    }

  private:
    std::map<std::string, double> m_times;
};
} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    auto settings = std::filesystem::temp_directory_path() / "pdtdlg-bench.ini";
    std::filesystem::remove(settings);
    theReg.SetFileName(settings.string());

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::filesystem::remove(settings);
    return 0;
}
