// Key sequences as people write them for scripted runs: plain characters are the keys whose codes they are,
// names in braces the special keys ({ENTER}, {ESC}, {F1}, {UP} ...), {SCAN:data} a barcode read, {CLOCK:time} the
// terminal's clock set from then on.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class JobRunner;

struct SimKeyEvent
{
    SimKeyEvent() = default;
    SimKeyEvent(int id, std::string data = {}, int symbology = 0) : nKeyID(id), scan(std::move(data)), nSymbology(symbology) {}

    int nKeyID = 0;     // a key of the keymap, or 0 for a scan
    std::string scan;   // the barcode, for a scan
    int nSymbology = 0; // its symbology, when the scan names one
    std::string clock;  // not a key: the terminal's clock from here on ("YYYY-MM-DD HH:MM:SS")

    bool IsClock() const { return !clock.empty(); }
};

// A scan as written after "SCAN:" (and in the simulation window's scan field): "data", or "SYMBOLOGY:data" when the
// text before the first colon names a symbology ("EAN-13:4006381333931"); anything else is all data.
SimKeyEvent ReadScan(const std::string& text, const JobRunner& runner);

// False, with one message naming the place in *error, for an unknown name or a character no key types. With a code
// page, the script is UTF-8, as written on a command line, and its scans and names go into the job's code page: bytes
// that are not UTF-8 and characters the code page cannot hold are errors too. Without one, its bytes are the job's.
bool ParseKeyScript(std::string_view keys, const JobRunner& runner, std::vector<SimKeyEvent>& events,
                    std::string* error, int codePage = 0);
// Presses the keys in order while the job waits (a clock step sets the clock); returns how many were used.
size_t PlayKeys(JobRunner& runner, const std::vector<SimKeyEvent>& events);
// Sets the clock of the clock steps that come before the first key, so that the job starts at that time; returns
// how many there were (PlayKeys then plays the rest).
size_t SetStartClock(JobRunner& runner, const std::vector<SimKeyEvent>& events);
