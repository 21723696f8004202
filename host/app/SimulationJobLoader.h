// How jobhost finds the job a run-job node names, for the simulation window and the scripted run.
#pragma once

#include <string>

#include "host/sim/JobRunner.h"

// `file` as absolute when it is; else beside the running job (or in the working directory when the running job has
// no file); a name that carries a PC's folder ("C:\Jobs\B.pdtjob") also by its name alone beside the running job;
// and each with the job files' extension when it has another or none. The first that exists is read.
LoadedJob LoadJobForRunJob(const std::string& file, const std::string& runningJob);

// A file of the computer to put on the simulated terminal (a lookup file): false, with the reason in words, when it
// cannot be read or is larger than a terminal's data file may be (kMaxDataFileSize); a device that never ends is
// not read past that size.
bool ReadTerminalFile(const std::string& path, std::string& bytes, std::string& error);
