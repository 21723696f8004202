// jobhost --simulate JOB --keys "..." [--png FILE] [--file NAME=PATH] [--clock TIME] [--step-limit N] [--log]:
// runs a job headless with a key script and prints the final screen, the run's state, the data files and what was
// uploaded. docs/simulation.md describes the options and the key syntax.
#pragma once

#include <iosfwd>

// True when the arguments ask for a scripted simulation.
bool IsSimulateCommand(int argc, char** argv);
// Runs it (a QApplication must exist for --png); the report on out, problems on err. Returns the exit status: 0
// when the job ran, 2 for bad arguments, a job that cannot be read or keys that do not parse.
int RunSimulateCommand(int argc, char** argv, std::ostream& out, std::ostream& err);
