// The fields of each object of a job, visited by a JobArchive both ways (JobFileFields.cpp). Identity (ids, kinds
// and the ends of links) is the caller's: these visit what an object holds once it exists.
#pragma once

#include "host/jobfile/JobArchive.h"

class HostLink;
class HostNode;
class HostRecord;
class HostTerminal;
class JobDocument;

void SerializeNode(JobArchive& ar, HostNode& node);
void SerializeLink(JobArchive& ar, HostLink& link);
void SerializeRecord(JobArchive& ar, HostRecord& record);
void SerializeTerminal(JobArchive& ar, HostTerminal& terminal);
// The job's own settings, language and the remembered state of its dialogs.
void SerializeJob(JobArchive& ar, JobDocument& doc);

// The code page a job's text is in: its double-byte language's, else Windows Latin.
int JobCodePage(const JobDocument& doc);
