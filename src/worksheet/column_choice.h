// Choosing columns for a procedure and reading a chosen column: the single data column is
// taken without asking, otherwise the user chooses through the Dialogs interface.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "shell/dialogs.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// The labels of every data column, in column order.
std::vector<std::string> DataColumnLabels(const Worksheet& sheet);

// One column for the single-column procedures. nullopt: the user cancelled (the command ends
// silently). 0: the window was confirmed with nothing selected (no values).
std::optional<int> ChooseOneColumn(const Worksheet& sheet, Dialogs& dialogs);

// Several columns, in list order, at most `limit`. nullopt: cancelled, or refused with its
// message (too many, or none chosen).
std::optional<std::vector<int>> ChooseColumns(const Worksheet& sheet, Dialogs& dialogs,
                                              int limit);

// Two columns (variable 1 and variable 2). With fewer than two data columns the procedure's
// own `too_few_message` is shown and nothing is chosen.
std::optional<std::pair<int, int>> ChooseTwoColumns(const Worksheet& sheet, Dialogs& dialogs,
                                                    const std::string& too_few_message);

// The non-empty cells of a column, top to bottom, with the visible row number of each.
struct ColumnValues {
    std::vector<std::string> values;
    std::vector<std::string> row_numbers;
};
ColumnValues ReadColumn(const Worksheet& sheet, int column);

// The bar charts' work sheet: one column and one row fewer than the source, the column
// numbers joined to their captions ("3:Vikt"), the row captions left out.
Worksheet CopyToWorkGrid(const Worksheet& source);

}  // namespace tabulon
