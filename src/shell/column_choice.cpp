// Choosing columns through the Dialogs interface.
#include "shell/column_choice.h"

#include "worksheet/column_queries.h"

namespace tabulon {

std::optional<int> ChooseOneColumn(const Worksheet& sheet, Dialogs& dialogs) {
    int single = 0;
    if (SingleDataColumn(sheet, single)) return single;
    auto chosen = dialogs.ChooseFromList(ChooseText("Chose column", "Välj kolumn"),
                                         DataColumnLabels(sheet), false);
    if (!chosen) return std::nullopt;
    if (chosen->empty()) return 0;
    return FindColumnByLabel(sheet, chosen->back());
}

std::optional<std::vector<int>> ChooseColumns(const Worksheet& sheet, Dialogs& dialogs,
                                              int limit) {
    int single = 0;
    if (SingleDataColumn(sheet, single)) return std::vector<int>{single};
    auto chosen = dialogs.ChooseFromList(ChooseText("Chose column(s)", "Välj kolumn(er)"),
                                         DataColumnLabels(sheet), true);
    if (!chosen) return std::nullopt;
    std::vector<int> columns;
    for (const std::string& label : *chosen) {
        for (int c = 1; c < sheet.columnCount(); ++c) {
            if (ColumnLabel(sheet, c) != label) continue;
            if (static_cast<int>(columns.size()) >= limit) {
                dialogs.ShowMessage(ChooseText("A maximum of " + std::to_string(limit) +
                                                   " kolumnes can be chosen",
                                               "Max " + std::to_string(limit) +
                                                   " kolumner kan väljas"));
                return std::nullopt;
            }
            columns.push_back(c);
        }
    }
    if (columns.empty()) {
        dialogs.ShowMessage(ChooseText("Chose a column", "Välj en kolumn"));
        return std::nullopt;
    }
    return columns;
}

std::optional<std::pair<int, int>> ChooseTwoColumns(const Worksheet& sheet, Dialogs& dialogs,
                                                    const std::string& too_few_message) {
    if (DataColumnCount(sheet) < 2) {
        dialogs.ShowInfo(too_few_message);
        return std::nullopt;
    }
    auto chosen = dialogs.ChooseTwoFromLists(DataColumnLabels(sheet));
    if (!chosen) return std::nullopt;
    return std::pair{FindColumnByLabel(sheet, chosen->first),
                     FindColumnByLabel(sheet, chosen->second)};
}

}  // namespace tabulon
