// A piece of a job, as the clipboard carries it between windows and programs: a job file (the same reader and
// writer, the same version check) that holds some of a job's nodes, the links among them and the records they
// write, with the job's own settings, which say the code page its text is in and which pasting leaves alone.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class JobDocument;

// The clipboard's name for it.
constexpr char kJobFragmentMimeType[] = "application/x-pdtjob-fragment";

std::string FormatJobFragment(const JobDocument& doc, const std::vector<int>& nodeIds);

// Adds what a fragment holds to `doc` under new ids: its nodes where they stood, the links among them, and each
// record unless the job has one of the same name, which the pasted nodes and links then write. No pasted node is
// the start node. `added` gets the new nodes' ids in the fragment's order. False, with the reader's message in
// *error and `doc` as it was, for a text that is no fragment this program reads (damaged, or from a newer version)
// or that the job cannot take.
bool PasteJobFragment(JobDocument& doc, std::string_view text, std::vector<int>& added, std::string* error);
