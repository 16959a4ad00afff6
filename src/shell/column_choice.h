// Choosing columns for a procedure and reading a chosen column: the single data column is
// taken without asking, otherwise the user chooses through the Dialogs interface.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "graphs/dialogs.h"
#include "worksheet/column_reading.h"
#include "worksheet/worksheet.h"

namespace tabulon {

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

}  // namespace tabulon
