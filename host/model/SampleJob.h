// A small job to show and measure the dialogs with: a start screen, a scan-and-count loop, an upload,
// and a comment, joined by links of every condition kind.
#pragma once

#include <memory>

#include "host/model/JobDocument.h"

std::unique_ptr<JobDocument> MakeSampleJob();

// A job with one node that has `links` links to other nodes, for measuring the node dialog.
std::unique_ptr<JobDocument> MakeBusyJob(int links);
