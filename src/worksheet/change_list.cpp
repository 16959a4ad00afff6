// The undo list of cell edits.
#include "worksheet/change_list.h"

#include <algorithm>

namespace tabulon {

std::size_t TChangeList::BytesOf(const TGridChange& change) {
    return sizeof(TGridChange) + change.text.size() +
           (change.command ? change.command->Bytes() : 0);
}

void TChangeList::push(TGridChange change) {
    m_bytes += BytesOf(change);
    m_changes.push_front(std::move(change));
    trim();
}

std::optional<TGridChange> TChangeList::pop() {
    if (m_changes.empty()) return std::nullopt;
    TGridChange newest = std::move(m_changes.front());
    m_changes.pop_front();
    m_bytes -= BytesOf(newest);
    return newest;
}

void TChangeList::setLimit(int limit) {
    m_limit = std::max(limit, 0);
    trim();
}

void TChangeList::trim() {
    while (!m_changes.empty() && (static_cast<int>(m_changes.size()) > m_limit ||
                                  (m_bytes > kMemoryBudget && m_changes.size() > 1))) {
        m_bytes -= BytesOf(m_changes.back());
        m_changes.pop_back();
    }
}

void UndoHistory::recordEdit(int column, int row, const std::string& present,
                             const std::string& next) {
    if (present != next && (column != m_last_column || row != m_last_row)) {
        m_changes.push(TGridChange{column, row, present, nullptr});
    }
    m_last_column = column;
    m_last_row = row;
}

void UndoHistory::recordCommand(std::unique_ptr<SheetUndo> command) {
    m_changes.push(TGridChange{0, 0, {}, std::shared_ptr<SheetUndo>(std::move(command))});
    endRun();
}

std::optional<TGridChange> UndoHistory::undo() {
    auto change = m_changes.pop();
    endRun();
    return change;
}

}  // namespace tabulon
