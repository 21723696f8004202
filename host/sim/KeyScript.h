// Key sequences as people write them for scripted runs: plain characters are the keys whose codes they are,
// names in braces the special keys ({ENTER}, {ESC}, {F1}, {UP} ...), {SCAN:data} a barcode read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class JobRunner;

struct SimKeyEvent
{
    int nKeyID = 0;   // a key of the keymap, or 0 for a scan
    std::string scan; // the barcode, for a scan
};

// False, with one message naming the place in *error, for an unknown name or a character no key types.
bool ParseKeyScript(std::string_view keys, const JobRunner& runner, std::vector<SimKeyEvent>& events,
                    std::string* error);
// Presses the keys in order while the job waits; returns how many were used.
size_t PlayKeys(JobRunner& runner, const std::vector<SimKeyEvent>& events);
