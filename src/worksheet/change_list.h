// The bounded undo list of cell edits and commands, and the rule that turns keystrokes into
// records.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "worksheet/sheet_undo.h"

namespace tabulon {

// One step of Ångra. A cell edit: where, and the text the cell held before it. A command
// (sort, paste, a written column, ...) carries instead how to put the sheet back; cell edits
// and commands share one list so Ångra takes them back in the order they were made.
struct TGridChange {
    int column = 0;
    int row = 0;
    std::string text;
    std::shared_ptr<SheetUndo> command;

    bool isCommand() const { return command != nullptr; }
};

// Newest first; never more records than the limit, and never more memory than the budget
// beyond the newest record (the oldest are dropped).
class TChangeList {
public:
    static constexpr int kDefaultLimit = 100;
    static constexpr std::size_t kMemoryBudget = std::size_t(512) << 20;

    TChangeList() = default;
    explicit TChangeList(int limit) : m_limit(limit) {}

    void push(TGridChange change);
    std::optional<TGridChange> pop();
    void setLimit(int limit);
    int limit() const { return m_limit; }
    int size() const { return static_cast<int>(m_changes.size()); }
    bool empty() const { return m_changes.empty(); }
    std::size_t bytes() const { return m_bytes; }

private:
    static std::size_t BytesOf(const TGridChange& change);
    void trim();
    std::deque<TGridChange> m_changes;
    int m_limit = kDefaultLimit;
    std::size_t m_bytes = 0;
};

// The grid's edit recorder: a run of keystrokes in one cell makes one record holding the
// text from before the run; moving to another cell or undoing starts a new run.
class UndoHistory {
public:
    // Called with the cell's present text and the text it is about to hold.
    void recordEdit(int column, int row, const std::string& present, const std::string& next);
    // Takes the newest record off the list; the caller writes it back into its cell.
    std::optional<TGridChange> undo();
    // A command that changed the sheet: one step of its own, which also ends a run of typing.
    void recordCommand(std::unique_ptr<SheetUndo> command);
    // Forgets every record (a new or opened sheet: no record of the old one may touch it).
    void clear() {
        m_changes = TChangeList(m_changes.limit());
        endRun();
    }
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
