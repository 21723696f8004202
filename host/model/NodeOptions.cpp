#include "host/model/NodeOptions.h"

#include "host/model/HostNode.h"
#include "host/model/OptionArray.h"

namespace
{

// Every kind that has links gets the two link groups last, so the link pages sit at the bottom.
const std::initializer_list<OptionDef> kLinkedNode = {
    {NodeOptions::BASIC, 0, "Basic"},
    {NodeOptions::SCREEN, 0, "Screen"},
    {NodeOptions::NOTES, 0, "Notes"},
    {NodeOptions::LINKS_IN, 0, "Incoming Links"},
    {NodeOptions::LINKS_OUT, 0, "Outgoing Links"},
};

// Collect nodes also say where their prompt and input appear, where the data comes from and how it is
// verified; each source and each kind of verification refines its group's entry.
const std::initializer_list<OptionDef> kCollectNode = {
    {NodeOptions::BASIC, 0, "Basic"},
    {NodeOptions::SCREEN, 0, "Screen"},
    {NodeOptions::SCREEN_POSITION, NodeOptions::SCREEN, "Display Position"},
    {NodeOptions::INPUT, 0, "Input"},
    {NodeOptions::INPUT_DEVICE, NodeOptions::INPUT, "From Device"},
    {NodeOptions::INPUT_BARCODE, NodeOptions::INPUT, "Barcode Symbology"},
    {NodeOptions::INPUT_FORMULA, NodeOptions::INPUT, "From Formula"},
    {NodeOptions::INPUT_LOOKUPFILE, NodeOptions::INPUT, "From Lookup File"},
    {NodeOptions::VERIFY, 0, "Verify"},
    {NodeOptions::VERIFY_LOOKUPFILE, NodeOptions::VERIFY, "By Lookup File"},
    {NodeOptions::VERIFY_QUALIFIER, NodeOptions::VERIFY, "By Qualifier"},
    {NodeOptions::NOTES, 0, "Notes"},
    {NodeOptions::LINKS_IN, 0, "Incoming Links"},
    {NodeOptions::LINKS_OUT, 0, "Outgoing Links"},
};

// A count node: its numeric type, its initial value and the operations on it.
const std::initializer_list<OptionDef> kCountNode = {
    {NodeOptions::BASIC, 0, "Basic"},
    {NodeOptions::SCREEN, 0, "Screen"},
    {NodeOptions::SCREEN_POSITION, NodeOptions::SCREEN, "Display Position"},
    {NodeOptions::INPUT, 0, "Data Type"},
    {NodeOptions::COUNT_INITIAL, 0, "Initial Value"},
    {NodeOptions::COUNT_OPERATION1, 0, "Operation 1"},
    {NodeOptions::COUNT_OPERATION2, 0, "Operation 2"},
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

// Nodes that act on a data file, run code or another job: their action page, and the hot key that runs them.
struct ActionPage
{
    int nKind;
    OptionDef page;
};
const ActionPage kActionPages[] = {
    {NODE_UPLOAD, {NodeOptions::UPLOAD, 0, "Upload"}},    {NODE_ERASE, {NodeOptions::ERASE, 0, "Erase"}},
    {NODE_EDIT, {NodeOptions::EDIT, 0, "Edit"}},          {NODE_PROGRAM, {NodeOptions::PROGRAM, 0, "Program"}},
    {NODE_RUNJOB, {NodeOptions::RUNJOB, 0, "Run Job"}},
};

std::vector<OPTIONITEM> BuildActionNode(const OptionDef& page)
{
    return BuildOptionArray({
        {NodeOptions::BASIC, 0, "Basic"},
        {NodeOptions::SCREEN, 0, "Screen"},
        page,
        {NodeOptions::HOTKEY, 0, "Hot Key"},
        {NodeOptions::NOTES, 0, "Notes"},
        {NodeOptions::LINKS_IN, 0, "Incoming Links"},
        {NodeOptions::LINKS_OUT, 0, "Outgoing Links"},
    });
}

} // namespace

OPTIONITEM* NodeOptions::Get(int kind)
{
    if (!HostNode::IsKnownKind(kind))
        return nullptr;
    auto it = m_arrays.find(kind);
    for (const ActionPage& a : kActionPages)
        if (it == m_arrays.end() && a.nKind == kind)
            it = m_arrays.emplace(kind, BuildActionNode(a.page)).first;
    if (it == m_arrays.end())
        it = m_arrays
                 .emplace(kind, BuildOptionArray(kind == NODE_COMMENT ? kCommentNode
                                      : kind == NODE_INPUT ? kCollectNode
                                      : kind == NODE_COUNT ? kCountNode
                                                           : kLinkedNode))
                 .first;
    return it->second.data();
}
