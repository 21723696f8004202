// How the reference host writes its option arrays: a table of pages with their parents and labels,
// turned into the container's OPTIONITEM array.
#pragma once

#include <initializer_list>
#include <vector>

#include "framework/OptionItem.h"

struct OptionDef
{
    int nID;
    int nParentID; // 0: top level; otherwise an entry listed before this one
    const char* pszTitle;
};

// The array for a table, ending with an entry of id 0. With bOnlyOffered, entries whose page the library
// does not offer are left out, so that no dialog opens on a page it cannot create; a child whose parent was
// left out moves to the top level.
std::vector<OPTIONITEM> BuildOptionArray(std::initializer_list<OptionDef> defs, bool bOnlyOffered = false);
