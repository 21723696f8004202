// A small job to show and measure the dialogs with, and for a newcomer to walk in the simulation: a menu (scan and
// count items, upload, exit, stock count), the scan loop with a lookup file, the stock count with its review,
// erase, program and run-job nodes, and a comment. samples/ ships it with the files it reads and its scenarios.
#pragma once

#include <memory>

#include "host/model/JobDocument.h"

std::unique_ptr<JobDocument> MakeSampleJob();
// The job the sample's run-job node runs (samples/Receive.pdtjob): a screen, then back to the sample's menu.
std::unique_ptr<JobDocument> MakeReceiveJob();

// A job with one node that has `links` links to other nodes, for measuring the node dialog.
std::unique_ptr<JobDocument> MakeBusyJob(int links);
