#include "host/model/OptionArray.h"

#include "framework/OptionPages.h"

std::vector<OPTIONITEM> BuildOptionArray(std::initializer_list<OptionDef> defs, bool bOnlyOffered)
{
    std::vector<OPTIONITEM> items;
    items.reserve(defs.size() + 1);
    for (const OptionDef& d : defs)
    {
        if (bOnlyOffered && !FindOptionPage(d.nID))
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
