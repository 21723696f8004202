#include "host/sim/JobCheck.h"

#include <map>
#include <strings.h>

#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/HostTerminal.h"
#include "host/model/JobDocument.h"
#include "host/sim/JobRunner.h"
#include "host/sim/TextScreen.h"
#include "simulation/Keymap.h"

namespace
{

std::string Quote(const CString& s)
{
    return "\"" + s.str() + "\"";
}

std::string Upper(std::string s)
{
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Whether an expression names the node: by its name, with "_" for its blanks, or in brackets (letter case ignored).
bool Names(const std::string& expression, const std::string& name)
{
    std::string underscored = name;
    for (char& c : underscored)
        c = c == ' ' ? '_' : c;
    const std::string text = Upper(expression);
    for (const std::string& form : {Upper(name), Upper(underscored)})
        for (size_t at = text.find(form); !form.empty() && at != std::string::npos; at = text.find(form, at + 1))
        {
            auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
            const bool before = at == 0 || !word(text[at - 1]);
            const bool after = at + form.size() >= text.size() || !word(text[at + form.size()]);
            if (before && after)
                return true;
        }
    return false;
}

} // namespace

size_t InvalidEsc(const std::string& s)
{
    for (size_t i = 0; i < s.size(); ++i)
    {
        if (s[i] != 27)
            continue;
        const size_t bracket = s.find('[', i + 1);
        if (bracket == std::string::npos)
            return i;
        i = bracket + 1;
    }
    return std::string::npos;
}

std::string UnknownKeyWarning(HostLink& link, const CString& model, int keyId)
{
    if (link.m_bExcludeFromMakeJob || link.m_nCondition != LINK_KEY || keyId)
        return {};
    return "Link " + Quote(link.GetLabel()) + " names the key " + Quote(link.m_strKey) + ", which the " + model.str() +
           "'s keypad does not have: it never holds.";
}

std::vector<std::string> HotKeyWarnings(JobDocument& doc, const KEYMAP_KEY* keymap)
{
    std::vector<std::string> warnings;
    std::map<int, const HostNode*> first;
    const std::string model = doc.Terminal().m_strModel.str();
    for (int i = 0; i < doc.GetNodeCount(); ++i)
    {
        const HostNode* node = doc.GetNodeAt(i);
        if (!node->m_nHotKey || node->m_bExcludeFromMakeJob)
            continue;
        const char* key = GetKeyNameWKM(node->m_nHotKey, keymap);
        if (!key)
            warnings.push_back("The hot key of " + Quote(node->m_strName) + " is not on the " + model + "'s keypad.");
        else if (auto [it, added] = first.emplace(node->m_nHotKey, node); !added)
            warnings.push_back("Nodes " + Quote(it->second->m_strName) + " and " + Quote(node->m_strName) +
                               " have the same hot key " + key + ": only " + Quote(it->second->m_strName) + " runs.");
    }
    return warnings;
}

std::vector<std::string> CheckJob(JobDocument& doc)
{
    std::vector<std::string> warnings;
    auto warn = [&](const std::string& w) { warnings.push_back(w); };
    const CString& model = doc.Terminal().m_strModel;
    const CSize size = HostTerminal::ScreenSizeOf(model);
    // A runner on a screen of the model answers what the run would: key names through the terminal's keymap.
    TextScreen screen(size, doc.m_nLanguage);
    JobRunner runner(doc, screen);

    HostNode* start = nullptr;
    for (int i = 0; i < doc.GetNodeCount() && !start; ++i)
        if (doc.GetNodeAt(i)->m_bStartNode)
            start = doc.GetNodeAt(i);
    if (!start)
        warn("The job has no start node: nothing runs.");
    else if (start->m_bExcludeFromMakeJob)
        warn("The start node " + Quote(start->m_strName) + " is excluded from making the job: nothing runs.");

    for (int i = 0; i < doc.GetLinkCount(); ++i)
    {
        HostLink* link = doc.GetLinkAt(i);
        if (link->m_bExcludeFromMakeJob)
            continue;
        const HostNode* to = doc.FindNode(link->m_nToNodeID);
        if (!to)
            warn("Link " + Quote(link->GetLabel()) + " leads to no node.");
        else if (to->m_bExcludeFromMakeJob)
            warn("Link " + Quote(link->GetLabel()) + " leads to " + Quote(to->m_strName) +
                 ", which is excluded from making the job: the link is left out.");
        if (std::string w = UnknownKeyWarning(*link, model, runner.KeyIdOfName(link->m_strKey)); !w.empty())
            warn(w);
    }

    std::map<std::string, std::vector<const HostNode*>> names;
    for (int i = 0; i < doc.GetNodeCount(); ++i)
    {
        const HostNode* node = doc.GetNodeAt(i);
        names[Upper(node->m_strName.str())].push_back(node);
        if (node->m_bExcludeFromMakeJob)
            continue;
        const std::string text = HostNode::ScreenTextAsRead(node->m_strScreenText).str();
        if (const size_t at = InvalidEsc(text); at != std::string::npos)
            warn("The text of " + Quote(node->m_strName) + " has an ESC without \"[\" after it (character " +
                 std::to_string(at + 1) + "): the terminal shows \"Invalid ESC command in print screen!\" and stops "
                 "the text there.");
        if (node->m_nKind == NODE_RUNJOB && node->m_strJobFile.IsEmpty())
            warn("Run-job node " + Quote(node->m_strName) + " names no job file.");
    }

    for (std::string& w : HotKeyWarnings(doc, runner.GetKeymap()))
        warn(w);

    // A name two nodes share cannot say which one an expression means.
    std::vector<std::pair<std::string, std::string>> expressions; // where, text
    for (int i = 0; i < doc.GetNodeCount(); ++i)
    {
        const HostNode* node = doc.GetNodeAt(i);
        if (node->m_nKind == NODE_INPUT && node->m_collect.bFromFormula)
            expressions.emplace_back("the formula of " + Quote(node->m_strName), node->m_collect.strFormula.str());
        if (node->m_nKind == NODE_INPUT && node->m_collect.bVerifyQualifier)
            expressions.emplace_back("the qualifier of " + Quote(node->m_strName), node->m_collect.strQualifier.str());
        if (node->m_nKind == NODE_COUNT)
            expressions.emplace_back("the formula of " + Quote(node->m_strName), node->m_count.strFormula.str());
    }
    for (int i = 0; i < doc.GetLinkCount(); ++i)
        if (doc.GetLinkAt(i)->m_nCondition == LINK_EXPRESSION)
            expressions.emplace_back("link " + Quote(doc.GetLinkAt(i)->GetLabel()),
                                     doc.GetLinkAt(i)->m_strExpression.str());
    for (const auto& [upper, nodes] : names)
    {
        if (nodes.size() < 2)
            continue;
        for (const auto& [where, text] : expressions)
            if (Names(text, nodes[0]->m_strName.str()))
            {
                warn(std::to_string(nodes.size()) + " nodes are named " + Quote(nodes[0]->m_strName) + ", and " +
                     where + " uses the name: it means the first of them.");
                break;
            }
    }

    // The job's own prompts take the terminal's place; the Escape question has the last row to itself.
    const JobLanguageSettings& l = doc.m_language;
    const std::pair<const CString*, const char*> prompts[] = {
        {&l.strConfirmExit, "Confirm To Exit Job"}, {&l.strDone, "Done"}, {&l.strAbort, "Abort"},
        {&l.strWriteRecordError, "Write Record Error"}, {&l.strFileNotFound, "File Not Found"},
        {&l.strReadFileError, "Read File Error"}, {&l.strEraseAll, "Erase All?"}, {&l.strEraseLast, "Erase Last?"},
        {&l.strBrowse, "Browse"}, {&l.strEdit, "Edit"}, {&l.strNoData, "No Data"}, {&l.strSendData, "Send Data"},
        {&l.strNoRecord, "No Record"}, {&l.strTotal, "Total"},
    };
    for (const auto& [text, name] : prompts)
    {
        const int width = text == &l.strConfirmExit ? int(size.cx) - 1 : int(size.cx);
        if (text->GetLength() > width)
            warn(std::string("The prompt ") + name + " (" + Quote(*text) + ") is wider than the " + model.str() +
                 "'s screen of " + std::to_string(size.cx) + " columns.");
        if (const size_t at = InvalidEsc(text->str()); at != std::string::npos)
            warn(std::string("The prompt ") + name + " has an ESC without \"[\" after it (character " +
                 std::to_string(at + 1) + ").");
    }
    for (const std::string& reset : doc.m_readResets)
        warn("The job file holds a value out of its range, which the reader reset to its default: " + reset + ".");
    return warnings;
}
