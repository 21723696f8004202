#include "host/app/UndoHistory.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

#include "host/jobfile/JobFile.h"
#include "host/jobfile/JobSnapshot.h"

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

UndoHistory::Step UndoHistory::Difference(const std::string& from, const State& to)
{
    // Compared a block at a time first: the texts of a large job run to megabytes and differ in a few bytes.
    constexpr size_t kBlock = 4096;
    const std::string& text = to.text;
    const size_t shorter = std::min(from.size(), text.size());
    size_t prefix = 0;
    while (prefix + kBlock <= shorter && std::memcmp(from.data() + prefix, text.data() + prefix, kBlock) == 0)
        prefix += kBlock;
    while (prefix < shorter && from[prefix] == text[prefix])
        ++prefix;
    const char* a = from.data() + from.size();
    const char* b = text.data() + text.size();
    size_t suffix = 0;
    while (suffix + kBlock <= shorter - prefix && std::memcmp(a - suffix - kBlock, b - suffix - kBlock, kBlock) == 0)
        suffix += kBlock;
    while (suffix < shorter - prefix && a[-1 - ptrdiff_t(suffix)] == b[-1 - ptrdiff_t(suffix)])
        ++suffix;
    return {prefix, suffix, text.substr(prefix, text.size() - prefix - suffix), to.serial};
}

UndoHistory::State UndoHistory::Apply(const std::string& to, const Step& step)
{
    std::string text;
    text.reserve(step.prefix + step.middle.size() + step.suffix);
    text.append(to, 0, step.prefix).append(step.middle).append(to, to.size() - step.suffix, step.suffix);
    return {std::move(text), step.serial};
}

bool UndoHistory::RecordFrom(std::string& text)
{
    if (text == m_current.text)
        return false;
    State next{std::move(text), ++m_nSerial};
    m_undo.push_back(Difference(next.text, m_current));
    m_nUndoBytes += m_undo.back().middle.size();
    m_current = std::move(next);
    m_redo.clear();
    Trim();
    return true;
}

void UndoHistory::Trim()
{
    while (m_undo.size() > m_nSteps || (m_undo.size() > 1 && m_nUndoBytes > m_nBytes))
    {
        m_nUndoBytes -= m_undo.front().middle.size();
        m_undo.pop_front();
    }
}

const std::string* UndoHistory::Undo(std::string* left)
{
    if (m_undo.empty())
        return nullptr;
    State back = Apply(m_current.text, m_undo.back());
    m_nUndoBytes -= m_undo.back().middle.size();
    m_undo.pop_back();
    m_redo.push_back(Difference(back.text, m_current));
    if (left)
        *left = std::move(m_current.text);
    m_current = std::move(back);
    return &m_current.text;
}

const std::string* UndoHistory::Redo(std::string* left)
{
    if (m_redo.empty())
        return nullptr;
    State forward = Apply(m_current.text, m_redo.back());
    m_redo.pop_back();
    m_undo.push_back(Difference(forward.text, m_current));
    m_nUndoBytes += m_undo.back().middle.size();
    if (left)
        *left = std::move(m_current.text);
    m_current = std::move(forward);
    Trim();
    return &m_current.text;
}

std::string HistoryText(JobDocument& doc)
{
    DialogMemoryAside aside(doc);
    return FormatJobText(doc);
}
