// What the main window can take back: the job as a snapshot (host/jobfile/JobSnapshot.h), once after each change.
// A snapshot holds every field any window edits, and putting one back touches only the objects that differ. Only
// the current text is kept whole; a step keeps what its text has in place of the current one's (or the next
// one's) middle, between the start and the end the two share, so a node moved in a job of 10,000 nodes keeps a
// few dozen bytes, not megabytes. The bytes are bounded all the same.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>

class JobDocument;

class UndoHistory
{
  public:
    // At most `steps` steps back, and no older steps once they hold more than `bytes` together (the newest stays).
    explicit UndoHistory(size_t steps = 100, size_t bytes = size_t(64) << 20);

    // Starts over on a job shown as `text`: nothing to undo or redo. `saved`: its file holds just that.
    void Reset(std::string text, bool saved);
    // Forgets everything: a job the window is lent is the lender's, and no step of it is taken back.
    void Clear();
    // After something may have changed the job: a text other than the current one becomes the current one, the
    // one before it a step back, and what could be redone is gone. True when it was a change.
    bool Record(std::string text) { return RecordFrom(text); }
    // As Record, but `text` gives up its bytes only when they are a change: otherwise its memory can take the next
    // snapshot.
    bool RecordFrom(std::string& text);

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    size_t GetUndoCount() const { return m_undo.size(); }
    // What the steps back keep, in bytes: the sum the bound applies to.
    size_t GetUndoBytes() const { return m_nUndoBytes; }
    // Moves a step back or forward; the text to show now, or null when there was no step. `left`, if given, takes
    // the text that was current (what the job shows until the new one is put on it).
    const std::string* Undo(std::string* left = nullptr);
    const std::string* Redo(std::string* left = nullptr);

    // The current text is what the job's file holds now; IsSaved tells whether the current one is that again.
    void MarkSaved() { m_nSaved = m_current.serial; }
    bool IsSaved() const { return m_current.serial == m_nSaved; }

  private:
    struct State
    {
        std::string text;
        long long serial = 0; // one per text recorded: the saved state is known by it
    };
    // Another text told by the text next to it: `prefix` bytes of its start and `suffix` of its end, and `middle`
    // between them.
    struct Step
    {
        size_t prefix = 0, suffix = 0;
        std::string middle;
        long long serial = 0;
    };
    static Step Difference(const std::string& from, const State& to);
    static State Apply(const std::string& to, const Step& step);
    void Trim();

    size_t m_nSteps, m_nBytes;
    std::deque<Step> m_undo, m_redo; // oldest first; the next step back or forward is at the back, each told by
                                     // the text after it (back: the current one)
    State m_current;
    size_t m_nUndoBytes = 0;
    long long m_nSerial = 0, m_nSaved = -1;
};

// The job's text as its file would hold it, without the definition dialogs' memory of the pages they showed last,
// which no edit changes and undo leaves as it is.
std::string HistoryText(JobDocument& doc);
