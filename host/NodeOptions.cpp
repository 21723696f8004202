#include "host/NodeOptions.h"

#include <initializer_list>

#include "host/HostNode.h"

namespace
{

struct OptionDef
{
    int nID;
    int nParentID; // 0: top level; otherwise an entry listed before this one
    const char* pszTitle;
};

// Every kind that has links gets the two link groups last, so the link pages sit at the bottom.
const std::initializer_list<OptionDef> kLinkedNode = {
    {NodeOptions::BASIC, 0, "Basic"},
    {NodeOptions::SCREEN, 0, "Screen"},
    {NodeOptions::NOTES, 0, "Notes"},
    {NodeOptions::LINKS_IN, 0, "Incoming Links"},
    {NodeOptions::LINKS_OUT, 0, "Outgoing Links"},
};

// Input and count nodes also say where their prompt and input appear.
const std::initializer_list<OptionDef> kPromptingNode = {
    {NodeOptions::BASIC, 0, "Basic"},
    {NodeOptions::SCREEN, 0, "Screen"},
    {NodeOptions::SCREEN_POSITION, NodeOptions::SCREEN, "Display Position"},
    {NodeOptions::NOTES, 0, "Notes"},
    {NodeOptions::LINKS_IN, 0, "Incoming Links"},
    {NodeOptions::LINKS_OUT, 0, "Outgoing Links"},
};

// A comment is not part of the job's flow: no links.
const std::initializer_list<OptionDef> kCommentNode = {
    {NodeOptions::BASIC, 0, "Basic"},
    {NodeOptions::COMMENT_FONT, 0, "Font and Color"},
    {NodeOptions::NOTES, 0, "Comment Text"},
};

std::vector<OPTIONITEM> Build(std::initializer_list<OptionDef> defs)
{
    std::vector<OPTIONITEM> items;
    items.reserve(defs.size() + 1);
    for (const OptionDef& d : defs)
    {
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

OPTIONITEM* NodeOptions::Get(int kind)
{
    if (!HostNode::IsKnownKind(kind))
        return nullptr;
    auto it = m_arrays.find(kind);
    if (it == m_arrays.end())
        it = m_arrays.emplace(kind, Build(kind == NODE_COMMENT                       ? kCommentNode
                                              : kind == NODE_INPUT || kind == NODE_COUNT ? kPromptingNode
                                                                                         : kLinkedNode)).first;
    return it->second.data();
}
