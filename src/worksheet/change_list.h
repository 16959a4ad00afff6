// The bounded undo list of cell edits and the rule that turns keystrokes into records.
#pragma once

#include <deque>
#include <optional>
#include <string>

namespace tabulon {

// One cell edit: where, and the text the cell held before it.
struct TGridChange {
    int column = 0;
    int row = 0;
    std::string text;
};

// Newest first; never more records than the limit (the oldest are dropped).
class TChangeList {
public:
    static constexpr int kDefaultLimit = 100;

    void push(TGridChange change);
    std::optional<TGridChange> pop();
    void setLimit(int limit);
    int limit() const { return m_limit; }
    int size() const { return static_cast<int>(m_changes.size()); }
    bool empty() const { return m_changes.empty(); }

private:
    void trim();
    std::deque<TGridChange> m_changes;
    int m_limit = kDefaultLimit;
};

// The grid's edit recorder: a run of keystrokes in one cell makes one record holding the
// text from before the run; moving to another cell or undoing starts a new run.
class UndoHistory {
public:
    // Called with the cell's present text and the text it is about to hold.
    void recordEdit(int column, int row, const std::string& present, const std::string& next);
    // Takes the newest record off the list; the caller writes it back into its cell.
    std::optional<TGridChange> undo();
    // The cursor left the cell of the last edit: the next keystroke there is a new run.
    void endRun() { m_last_column = m_last_row = -1; }

    TChangeList& changes() { return m_changes; }
    const TChangeList& changes() const { return m_changes; }

private:
    TChangeList m_changes;
    int m_last_column = -1;
    int m_last_row = -1;
};

}  // namespace tabulon
