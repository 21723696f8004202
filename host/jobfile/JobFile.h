// Job files: a whole job document as one JSON text (the format is described in docs/jobfile.md).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>

#include "host/model/JobDocument.h"

// Reads a whole job; on any fault returns null and sets *error to one clear message that names
// the place in the file (line and column, or the object), and nothing is opened half-read.
std::unique_ptr<JobDocument> LoadJobFile(const std::string& path, std::string* error);
std::unique_ptr<JobDocument> ParseJobText(std::string_view text, std::string* error);
// Writes atomically (temporary file + rename): the old file stays whole if the write fails. The document is not
// changed: its path and modified flag are the caller's to set once the save succeeded.
bool SaveJobFile(const JobDocument& doc, const std::string& path, std::string* error);
std::string FormatJobText(const JobDocument& doc);
// The same text through a JSON tree, which is where what a newer version wrote is merged in.
std::string FormatJobTextTree(const JobDocument& doc);
// The job with only the nodes in `only`, the links among them and the records they work on (all, for null), through
// the tree.
std::string FormatJobPart(const JobDocument& doc, const std::unordered_set<int>* only);
// LoadJobFile sets the document's m_strPathName to `path`; both readers leave it unmodified.

// The file name extension of job files, with its dot.
constexpr char kJobFileExtension[] = ".pdtjob";
// Larger files are refused before they are read: no real job comes near it.
constexpr size_t kMaxJobFileSize = size_t(64) << 20;

// Tests: the next saves fail after writing this many bytes of the temporary file, as on a full disk; a
// negative count writes normally again.
void SetJobFileWriteLimit(long long bytes);
