#include "host/app/UndoHistory.h"

#include <iterator>
#include <utility>

#include "host/jobfile/JobFile.h"

UndoHistory::UndoHistory(size_t steps, size_t bytes) : m_nSteps(steps), m_nBytes(bytes) {}

void UndoHistory::Reset(std::string text, bool saved)
{
    Clear();
    m_current = {std::move(text), ++m_nSerial};
    if (saved)
        MarkSaved();
}

void UndoHistory::Clear()
{
    m_undo.clear();
    m_redo.clear();
    m_nUndoBytes = 0;
    m_current = {std::string(), ++m_nSerial};
    m_nSaved = -1;
}

bool UndoHistory::Record(std::string text)
{
    if (text == m_current.text)
        return false;
    m_nUndoBytes += m_current.text.size();
    m_undo.push_back(std::move(m_current));
    m_current = {std::move(text), ++m_nSerial};
    m_redo.clear();
    Trim();
    return true;
}

void UndoHistory::Trim()
{
    while (m_undo.size() > m_nSteps || (m_undo.size() > 1 && m_nUndoBytes > m_nBytes))
    {
        m_nUndoBytes -= m_undo.front().text.size();
        m_undo.pop_front();
    }
}

const std::string* UndoHistory::Undo()
{
    if (m_undo.empty())
        return nullptr;
    m_nUndoBytes -= m_undo.back().text.size();
    m_redo.push_back(std::exchange(m_current, std::move(m_undo.back())));
    m_undo.pop_back();
    return &m_current.text;
}

const std::string* UndoHistory::Redo()
{
    if (m_redo.empty())
        return nullptr;
    m_nUndoBytes += m_current.text.size();
    m_undo.push_back(std::exchange(m_current, std::move(m_redo.back())));
    m_redo.pop_back();
    Trim();
    return &m_current.text;
}

namespace
{

// The definition dialogs' memory of what they showed last, as the document keeps it.
struct DialogMemory
{
    int option = 0, sub = 0, globalJob = 0, job = 0, portable = 0;
    int node[NODE_KIND_COUNT] = {};
    BYTE expand[8] = {};
};

void Exchange(CVTR5Doc& doc, DialogMemory& m)
{
    std::swap(doc.m_nLastOptionID, m.option);
    std::swap(doc.m_nLastOptionSub, m.sub);
    std::swap(doc.m_nLastGlobalJobOption, m.globalJob);
    std::swap(doc.m_nLastJobOption, m.job);
    std::swap(doc.m_nLastPortableOption, m.portable);
    std::swap(doc.m_nLastNodeOption, m.node);
    BYTE* expand[] = {&doc.m_bExpandScreen,       &doc.m_bExpandInput,     &doc.m_bExpandVerify,
                      &doc.m_bExpandCountInitial, &doc.m_bExpandCountOp1,  &doc.m_bExpandCountOp2,
                      &doc.m_bExpandLinkIn,       &doc.m_bExpandLinkOut};
    for (size_t i = 0; i < std::size(expand); ++i)
        std::swap(*expand[i], m.expand[i]);
}

} // namespace

std::string HistoryText(JobDocument& doc)
{
    DialogMemory none;
    Exchange(doc, none);
    std::string text = FormatJobText(doc);
    Exchange(doc, none);
    return text;
}

std::unique_ptr<JobDocument> ReadHistoryText(const std::string& text, JobDocument& live, std::string* error)
{
    std::unique_ptr<JobDocument> doc = ParseJobText(text, error);
    if (doc)
    {
        DialogMemory memory;
        Exchange(live, memory);
        DialogMemory copy = memory;
        Exchange(live, memory);
        Exchange(*doc, copy);
    }
    return doc;
}
