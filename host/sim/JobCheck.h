// What a person wants to know about a job before simulating it: things that can never work on its terminal or
// that the run would leave out without a word (jobhost --check JOB). Pure logic, as the runner.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class JobDocument;

// Where the first ESC without a "[" after it stands, as the terminal's screen stops a text there; npos for none.
size_t InvalidEsc(const std::string& text);

// One warning a line, in the job's order; empty when nothing was found.
std::vector<std::string> CheckJob(JobDocument& doc);
