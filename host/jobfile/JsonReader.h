// Reading a job file's JSON text into a tree, much faster than the JSON library's own parser: a large
// job is megabytes of plain objects, and the library spends most of its time on every character and on keeping
// the text of each token for its messages.
#pragma once

#include <string_view>

#include "host/jobfile/JobArchive.h"

// How deep a job file may nest: ours nest five deep, and the library's tree copies and prints itself recursively.
constexpr int kMaxJsonDepth = 64;

// The tree the JSON library's parser would give for `text`, or false when the text holds anything this reader
// leaves to it: every fault (for the library's own message), a fraction or an exponent, a number too large, a
// byte-order mark, nesting deeper than kMaxJsonDepth. `out` is undefined after false.
bool ReadJsonTree(std::string_view text, Json& out);

// The value of a hex digit of either case, or -1 for any other character.
int HexDigit(char c);
