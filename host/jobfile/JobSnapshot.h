// A job as bytes that only this program reads back: every field of every object that the job's file holds, each
// object apart, in the job's order. Taking one costs a walk over the fields with no text made, so the main window
// takes one after every change; putting one back on the job it was taken from touches only the objects whose bytes
// differ, so undo costs what the step changed, not what the job holds. The definition dialogs' memory of the pages
// they showed last is left out: no edit changes it and no restore takes it back.
#pragma once

#include <string>

#include "framework/HostObjects.h"

class JobDocument;

// The definition dialogs' memory of the pages they showed last, and the flowchart's zoom, set to none while this
// lives and given back after, whatever was read into the document meanwhile: no edit changes them and no undo
// takes them back.
class DialogMemoryAside
{
  public:
    explicit DialogMemoryAside(CVTR5Doc& doc);
    ~DialogMemoryAside();
    DialogMemoryAside(const DialogMemoryAside&) = delete;
    DialogMemoryAside& operator=(const DialogMemoryAside&) = delete;

  private:
    void Exchange();
    CVTR5Doc& m_doc;
    int m_option = 0, m_sub = 0, m_globalJob = 0, m_job = 0, m_portable = 0;
    int m_node[NODE_KIND_COUNT] = {};
    BYTE m_expand[8] = {};
    int m_zoom = 100;
};

std::string TakeJobSnapshot(const JobDocument& doc);
// The same into `into`, whose memory is used again: a job of 10,000 nodes takes megabytes.
void TakeJobSnapshot(const JobDocument& doc, std::string& into);

// Makes `doc`, which holds what `now` was taken from, hold what `then` was taken from: objects that differ are read
// again, those only one of them has are added or removed, and the order becomes `then`'s. False when either is not
// a snapshot (nothing is changed then).
bool PutJobSnapshot(JobDocument& doc, const std::string& now, const std::string& then);
