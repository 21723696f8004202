// Scenario files (jobhost --test): any text as a scenario file, run on the built-in sample job.
//
// Checked: a text that does not read names its line (one that is there) or says what the file lacks; a file that
// reads runs to the end; what an update writes reads again, keeps every line that is not an expectation, and holds
// when it is run: a second update changes nothing. Run-job nodes find the sample jobs by name; `load` lines get the
// sample's ITEMS.DAT whatever path they give. The step limit is kept small and the clock fixed whatever the file says.
#include <cstdint>
#include <cstdlib>
#include <vector>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "host/model/SampleJob.h"
#include "host/sim/ScenarioFile.h"

namespace
{

constexpr int kStepLimit = 16;
constexpr char kItems[] = "4006381333931,Coffee 500 g,6\r\n0012345678905,Tea 100 bags,12\r\nWIDGET01,Widget,1\r\n";

bool RunFile(ScenarioFile& file, JobDocument& job, ScenarioRun& run, std::string& error)
{
    file.nStepLimit = kStepLimit;
    file.clock = "2026-03-04 05:06:07";
    RunnerOptions options;
    options.loadJob = [](const std::string& name, const std::string&) {
        LoadedJob loaded;
        loaded.bFound = name.find("Receive") != std::string::npos || name.find("sample") != std::string::npos;
        if (loaded.bFound)
            loaded.job = name.find("Receive") != std::string::npos ? MakeReceiveJob() : MakeSampleJob();
        else
            loaded.error = "not found";
        return loaded;
    };
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& load : file.loads)
        files.emplace_back(load.first, kItems);
    return RunScenarios(file, job, options, files, "fuzz", run, error);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pdt::fuzz::StartToolkit();
    const std::string text(reinterpret_cast<const char*>(data), size);
    ScenarioFile file;
    std::string error;
    if (!ParseScenarioFile(text, file, error))
    {
        if (error.compare(0, 5, "line ") == 0)
        {
            const long line = std::strtol(error.c_str() + 5, nullptr, 10);
            FUZZ_CHECK(line >= 1 && line <= long(file.lines.size()), "an error on a line the file lacks: " + error);
        }
        else
            FUZZ_CHECK(error.compare(0, 3, "no ") == 0, "an error without its line: " + error);
        return 0;
    }
    std::unique_ptr<JobDocument> job = MakeSampleJob();
    ScenarioRun first;
    if (!RunFile(file, *job, first, error))
    {
        FUZZ_CHECK(error.compare(0, 5, "line ") == 0, "a key fault without its line: " + error);
        return 0;
    }
    ScenarioFile again;
    FUZZ_CHECK(ParseScenarioFile(first.updated, again, error), "an update that does not read again: " + error);
    // Keys, comments and everything else but the expectations come back in their order.
    std::vector<bool> expectation(file.lines.size(), false);
    for (const Scenario& scenario : file.scenarios)
        for (const ScenarioStep& step : scenario.steps)
            for (const ScenarioExpectation& e : step.checks)
                for (int l = e.nFirstLine; l < e.nEndLine; ++l)
                    expectation[size_t(l)] = true;
    size_t at = 0;
    for (size_t l = 0; l < file.lines.size(); ++l)
    {
        if (expectation[l])
            continue;
        while (at < again.lines.size() && again.lines[at] != file.lines[l])
            ++at;
        FUZZ_CHECK(at < again.lines.size(), "an update lost line " + std::to_string(l + 1) + ": " + file.lines[l]);
        ++at;
    }
    FUZZ_CHECK(again.scenarios.size() == file.scenarios.size(), "an update lost or made a scenario");
    ScenarioRun second;
    FUZZ_CHECK(RunFile(again, *job, second, error), "keys that parsed once do not parse again: " + error);
    FUZZ_CHECK(second.nChanged == 0, "what an update wrote does not hold:\n" + second.report);
    FUZZ_CHECK(second.updated == first.updated, "a second update changed the file");
    return 0;
}
