#include "host/JobOptions.h"

#include <initializer_list>

#include "framework/OptionPages.h"

namespace
{

struct OptionDef
{
    int nID;
    int nParentID; // 0: top level; otherwise an entry listed before this one
    const char* pszTitle;
};

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

// Entries whose page the library does not offer are left out, so that no dialog opens on a page it
// cannot create; a child whose parent was left out moves to the top level.
std::vector<OPTIONITEM> Build(std::initializer_list<OptionDef> defs)
{
    std::vector<OPTIONITEM> items;
    items.reserve(defs.size() + 1);
    for (const OptionDef& d : defs)
    {
        if (!FindOptionPage(d.nID))
            continue;
        int parent = -1;
        for (size_t i = 0; d.nParentID && i < items.size(); ++i)
            if (items[i].nID == d.nParentID)
                parent = int(i);
        items.push_back(OPTIONITEM{d.nID, parent, d.pszTitle, nullptr, nullptr, nullptr, 0, 0, nullptr});
    }
    items.push_back(OPTIONITEM{0, -1, nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr});
    return items;
}

} // namespace

OPTIONITEM* JobOptions::Portable()
{
    auto it = m_arrays.find(0);
    if (it == m_arrays.end())
        it = m_arrays.emplace(0, Build(kPortable)).first;
    return it->second.data();
}

OPTIONITEM* JobOptions::Job(int mode)
{
    if (mode != JSM_GLOBAL && mode != JSM_JOB && mode != JSM_LANGUAGE)
        return nullptr;
    auto it = m_arrays.find(mode);
    if (it == m_arrays.end())
        it = m_arrays.emplace(mode, Build(mode == JSM_GLOBAL ? kGlobal : mode == JSM_JOB ? kJob : kLanguage)).first;
    return it->second.data();
}
