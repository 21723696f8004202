// Scenario files (.pdttest): named scenarios of one job, each a key script with expectations at checkpoints (the
// screen, the cursor, the state, beeps, data files, uploads), for re-running a job's scenarios after every change.
// docs/simulation.md describes the format. Pure text and logic: the caller reads the files and the job.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "host/sim/JobRunner.h"

struct ScenarioExpectation
{
    enum Kind
    {
        Screen,
        Cursor,
        State,
        Beeps,
        File,
        Uploads,
    };
    Kind kind = Screen;
    std::string file;                // File: its name on the terminal
    bool bAbsent = false;            // File: "no file NAME"
    std::vector<std::string> values; // the rows of a screen, file or uploads; else the one value
    int nFirstLine = 0;              // its lines in the scenario file, from 0, the end excluded
    int nEndLine = 0;
};

// Keys to play, or a checkpoint: the expectations that follow keys.
struct ScenarioStep
{
    int nLine = 0; // from 0
    std::string keys;
    std::vector<ScenarioExpectation> checks;

    bool IsKeys() const { return checks.empty(); }
};

struct Scenario
{
    std::string name;
    int nLine = 0;
    std::vector<ScenarioStep> steps;
};

struct ScenarioFile
{
    std::string job;                                        // as written: a path relative to the scenario file
    std::vector<std::pair<std::string, std::string>> loads; // files on the terminal: name, path as written
    std::string clock;                                      // the clock each scenario starts with; empty: none set
    int nStepLimit = 0;                                     // 0: the runner's default
    std::vector<Scenario> scenarios;
    std::vector<std::string> lines; // the text, one a line, without line ends
    std::string lineEnd = "\n";     // what the text ends its lines with, kept by an update
};

// False, with "line N: what is wrong" in error, for text that is not a scenario file.
bool ParseScenarioFile(const std::string& text, ScenarioFile& file, std::string& error);

struct ScenarioRun
{
    int nScenarios = 0;
    int nFailed = 0;     // scenarios with a mismatch
    int nCheckpoints = 0;
    int nChanged = 0;    // expectations an update rewrites or adds
    std::string report;  // each mismatch as a diff, prefixed with `label` and the line
    std::string updated; // the file's text with every expectation as the run found it, keys and comments kept
};

// Runs every scenario from the start of `job` on a terminal of its own with `files` on it (names and bytes in the
// job's code page). False, with "line N: ..." in error, for keys that do not parse for this job's keypad.
bool RunScenarios(const ScenarioFile& file, JobDocument& job, const RunnerOptions& options,
                  const std::vector<std::pair<std::string, std::string>>& files, const std::string& label,
                  ScenarioRun& run, std::string& error);
