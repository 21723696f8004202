#include "host/model/JobOptions.h"

#include "host/model/OptionArray.h"

namespace
{

using J = JobOptions;

const std::initializer_list<OptionDef> kPortable = {
    {J::PORTABLE_MODEL, 0, "Model"},
    {J::PORTABLE_SETTING, 0, "Settings"},
    {J::PORTABLE_KEYMAP, 0, "Keymap"},
};

// What the job generator draws and makes with, for every job.
const std::initializer_list<OptionDef> kGlobal = {
    {J::JOB_FLOWCHART, 0, "Flowchart"},         {J::JOB_FONT, J::JOB_FLOWCHART, "Fonts"},
    {J::JOB_COLOR, J::JOB_FLOWCHART, "Colors"}, {J::JOB_MAKEJOB, 0, "Make Job"},
    {J::JOB_SIMULATE, 0, "Simulation"},
};

// What belongs to this job alone; its language has a dialog of its own.
const std::initializer_list<OptionDef> kJob = {
    {J::JOB_BASIC, 0, "Basic"},
    {J::JOB_PORTABLE, 0, "Portable"},
    {J::JOB_PROMPT, 0, "Prompts"},
    {J::JOB_PROMPT_UPLOAD, J::JOB_PROMPT, "Upload"},
    {J::JOB_PROMPT_EDIT, J::JOB_PROMPT, "Edit"},
    {J::JOB_PROMPT_ERASE, J::JOB_PROMPT, "Erase"},
};

const std::initializer_list<OptionDef> kLanguage = {
    {J::JOB_LANGUAGE, 0, "Language"},
};

} // namespace

OPTIONITEM* JobOptions::Portable()
{
    auto it = m_arrays.find(0);
    if (it == m_arrays.end())
        it = m_arrays.emplace(0, BuildOptionArray(kPortable, true)).first;
    return it->second.data();
}

OPTIONITEM* JobOptions::Job(int mode)
{
    if (mode != JSM_GLOBAL && mode != JSM_JOB && mode != JSM_LANGUAGE)
        return nullptr;
    auto it = m_arrays.find(mode);
    if (it == m_arrays.end())
    {
        const auto& defs = mode == JSM_GLOBAL ? kGlobal : mode == JSM_JOB ? kJob : kLanguage;
        it = m_arrays.emplace(mode, BuildOptionArray(defs, true)).first;
    }
    return it->second.data();
}
