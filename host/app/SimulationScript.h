// jobhost --simulate JOB --keys "..." (or --keys-file FILE) [--json] [--png FILE] [--file NAME=PATH] [--clock TIME]
// [--step-limit N] [--log]:
// runs a job headless with a key script and prints the final screen, the run's state, the data files and what was
// uploaded. docs/simulation.md describes the options and the key syntax.
#pragma once

#include <iosfwd>

// With --json the final state is one JSON object, and the exit status says how the run ended: 0 ended, 3 waiting
// for a key, 4 stopped by the runner, 5 keys left unused. jobhost --check JOB prints the job's warnings instead.
// True when the arguments ask for a scripted simulation or a check.
bool IsSimulateCommand(int argc, char** argv);
// Runs it (a QApplication must exist for --png); the report on out, problems on err. Returns the exit status: 0
// when the job ran (without --json), 2 for bad arguments, a job that cannot be read or keys that do not parse; for
// --check 0 without warnings and 1 with.
int RunSimulateCommand(int argc, char** argv, std::ostream& out, std::ostream& err);
