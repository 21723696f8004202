// The option arrays of the portable dialog and of the job dialog's three modes. The container writes
// tree items and pages into an array while a dialog is open, so each document keeps its own.
#pragma once

#include <map>
#include <vector>

#include "framework/OptionItem.h"

class JobOptions
{
  public:
    // The array of the portable dialog, ending with an entry of id 0. Stable for the object's lifetime.
    OPTIONITEM* Portable();
    // The array of a job dialog mode (JSM_GLOBAL, JSM_JOB, JSM_LANGUAGE); null for any other value.
    OPTIONITEM* Job(int mode);

    // Option ids of the pages that this host fills and reads.
    static constexpr int PORTABLE_MODEL = 2139;
    static constexpr int PORTABLE_SETTING = 2140;
    static constexpr int PORTABLE_KEYMAP = 2138;
    static constexpr int JOB_FLOWCHART = 2103;
    static constexpr int JOB_BASIC = 2104;
    static constexpr int JOB_LANGUAGE = 2105;
    static constexpr int JOB_MAKEJOB = 2106;
    static constexpr int JOB_PORTABLE = 2107;
    static constexpr int JOB_FONT = 2170;
    static constexpr int JOB_COLOR = 2171;
    static constexpr int JOB_PROMPT = 2172;
    static constexpr int JOB_PROMPT_UPLOAD = 2177;
    static constexpr int JOB_PROMPT_EDIT = 2178;
    static constexpr int JOB_PROMPT_ERASE = 2179;
    static constexpr int JOB_SIMULATE = 2186;

  private:
    std::map<int, std::vector<OPTIONITEM>> m_arrays; // 0: portable; 1 to 3: the job modes
};
