// What a person wants to know about a job before simulating it: things that can never work on its terminal or
// that the run would leave out without a word (jobhost --check JOB). Pure logic, as the runner.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "framework/KeymapKey.h"

class CString;
class HostLink;
class JobDocument;

// Where the first ESC without a "[" after it stands, as the terminal's screen stops a text there; npos for none.
size_t InvalidEsc(const std::string& text);

// The warnings both the check and a starting run give (the run logs them), each worded here once.
// A key link whose key the model's keypad does not have: the warning, or empty when the key is there. keyId: the
// key id of a key name (JobRunner::KeyIdOfName), 0 for none.
std::string UnknownKeyWarning(HostLink& link, const CString& model, int keyId);
// Hot keys the keypad does not have, and hot keys two nodes share, in the job's order.
std::vector<std::string> HotKeyWarnings(JobDocument& doc, const KEYMAP_KEY* keymap);

// One warning a line, in the job's order; empty when nothing was found.
std::vector<std::string> CheckJob(JobDocument& doc);
