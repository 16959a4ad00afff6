// The Redigera commands that reshape the worksheet: the counts of columns and rows, deleting,
// inserting and removing empty columns and rows, Sortera, Byt rader mot kolumner, Kopiera,
// Klistra in (special), Dela upp info and Dela upp special. Each change is one step of Ångra.
#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>

#include "base/language.h"
#include "numeric/number_text.h"
#include "shell/column_choice.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_window.h"
#include "worksheet/column_queries.h"
#include "worksheet/column_reading.h"
#include "worksheet/column_width.h"
#include "worksheet/editing.h"
#include "worksheet/paste.h"
#include "worksheet/split_columns.h"
#include "worksheet/ui/number_grid.h"

namespace tabulon::ui {
namespace {

constexpr int kFirst = Worksheet::kFixedColumns;

TNumberGrid& Grid(MainWindow& form) {
    return *form.NumberGrid1();
}

// A count from the input box; nullopt for an empty answer (nothing changes) or a refused
// one. A text that is not a whole number ends the command with the conversion message.
std::optional<int> AskCount(MainWindow& form, const std::string& title, const std::string& prompt,
                            int current) {
    const std::string answer = form.dialogs().InputBox(title, prompt, std::to_string(current));
    if (answer.find_first_not_of(' ') == std::string::npos) return std::nullopt;
    const int count = StrToInteger(answer);
    if (count < 0) {
        form.dialogs().ShowMessage(
            ChooseText("The number cannot be negative", "Antalet kan inte vara negativt"));
        return std::nullopt;
    }
    return count;
}

bool RefuseTooLarge(MainWindow& form, long long columns, long long rows) {
    if (FitsInSheet(columns, rows)) return false;
    form.dialogs().ShowMessage(TooLargeText(columns, rows));
    return true;
}

std::vector<std::string> AllColumnLabels(const Worksheet& sheet) {
    std::vector<std::string> labels;
    for (int c = kFirst; c < sheet.columnCount(); ++c) labels.push_back(ColumnLabel(sheet, c));
    return labels;
}

std::vector<int> ColumnsOfLabels(const Worksheet& sheet, const std::vector<std::string>& labels) {
    std::vector<int> columns;
    for (const std::string& label : labels) {
        if (const int c = FindColumnByLabel(sheet, label); c > 0) columns.push_back(c);
    }
    return columns;
}

void Antalkolumner1Click(MainWindow& form) {
    const Worksheet& sheet = Grid(form).sheet();
    const auto count =
        AskCount(form, ChooseText("Change number of columns", "Ändra antalet kolumner"),
                 ChooseText("Number of columns", "Antal kolumner"), sheet.columnCount() - kFirst);
    if (!count || RefuseTooLarge(form, *count + 2LL, sheet.rowCount())) return;
    if (*count + kFirst != sheet.columnCount()) {
        Grid(form).applyCommand([&](Worksheet& s) { return SetDataColumnCount(s, *count); });
    }
    form.state().DataChanged = true;
}

void Antalrader1Click(MainWindow& form) {
    TNumberGrid& grid = Grid(form);
    const int rows = grid.sheet().rowCount();
    const auto count = AskCount(form, ChooseText("Change number of rows", "Ändra antalet rader"),
                                ChooseText("Number of rows", "Antal rader"), rows - 2);
    if (!count || RefuseTooLarge(form, grid.sheet().columnCount(), *count + 2LL)) return;
    if (*count + Worksheet::kFixedRows != rows) {
        grid.applyCommand([&](Worksheet& s) { return SetDataRowCount(s, *count); });
    }
    if (grid.sheet().rowCount() > rows) {
        // The row numbers grew longer: column 0 is fitted to them.
        const QFontMetrics metrics(grid.font());
        const TextWidthFunction width = [&](std::string_view text) {
            return metrics.horizontalAdvance(
                QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        };
        grid.setColumnWidthPixels(0, AutoColumnWidth(grid.sheet(), 0, grid.Decimals(), width) + 4);
    }
    form.state().DataChanged = true;
}

void Taborttkolumner1Click(MainWindow& form) {
    const Worksheet& sheet = Grid(form).sheet();
    const auto chosen = form.dialogs().ChooseFromList(
        ChooseText("Delete column(s)", "Ta bort kolumn(er)"), DataColumnLabels(sheet), true);
    form.state().DataChanged = true;  // also when cancelled, as it always has been
    if (!chosen) return;
    const std::vector<int> columns = ColumnsOfLabels(sheet, *chosen);
    Grid(form).applyCommand([&](Worksheet& s) { return RemoveColumns(s, columns); });
}

void Infogakolumn1Click(MainWindow& form) {
    const Worksheet& sheet = Grid(form).sheet();
    const auto chosen = form.dialogs().ChooseFromList(ChooseText("Insert column", "Infoga kolumn"),
                                                      AllColumnLabels(sheet), false);
    form.state().DataChanged = true;
    if (!chosen || chosen->empty()) return;
    const int column = FindColumnByLabel(sheet, chosen->back());
    if (column == 0 || RefuseTooLarge(form, sheet.columnCount() + 1LL, sheet.rowCount())) return;
    Grid(form).applyCommand([&](Worksheet& s) { return InsertColumnAt(s, column); });
}

void Taborttrader1Click(MainWindow& form) {
    const Worksheet& sheet = Grid(form).sheet();
    std::vector<std::string> labels;
    for (int r = Worksheet::kFixedRows; r < sheet.rowCount(); ++r) {
        if (!RowIsEmpty(sheet, r)) labels.push_back(RowLabel(sheet, r));
    }
    const auto chosen =
        form.dialogs().ChooseFromList(ChooseText("Delete row(s)", "Ta bort rad(er)"), labels, true);
    form.state().DataChanged = true;
    if (!chosen) return;
    std::vector<int> rows;
    for (const std::string& label : *chosen) rows.push_back(RowOfLabel(sheet, label));
    Grid(form).applyCommand([&](Worksheet& s) { return RemoveRows(s, rows); });
}

void Infogarad1Click(MainWindow& form) {
    const Worksheet& sheet = Grid(form).sheet();
    std::vector<std::string> labels;
    for (int r = Worksheet::kFixedRows; r < sheet.rowCount(); ++r) {
        labels.push_back(RowLabel(sheet, r));
    }
    const auto chosen =
        form.dialogs().ChooseFromList(ChooseText("Insert row", "Infoga rad"), labels, false);
    form.state().DataChanged = true;
    if (!chosen || chosen->empty()) return;
    const int row = RowOfLabel(sheet, chosen->back());
    if (row == 0 || RefuseTooLarge(form, sheet.columnCount(), sheet.rowCount() + 1LL)) return;
    Grid(form).applyCommand([&](Worksheet& s) { return InsertRowAt(s, row); });
}

void Taborttommakolumner1Click(MainWindow& form) {
    Grid(form).applyCommand([](Worksheet& s) { return RemoveEmptyColumns(s); });
    form.state().DataChanged = true;
}

void Taborttommarader1Click(MainWindow& form) {
    Grid(form).applyCommand([](Worksheet& s) { return RemoveEmptyRows(s); });
    form.state().DataChanged = true;
}

void Sortera1Click(MainWindow& form) {
    const Worksheet& sheet = Grid(form).sheet();
    const auto choice = form.dialogs().ChooseSort(AllColumnLabels(sheet));
    if (!choice) return;
    const int column = FindColumnByLabel(sheet, choice->column_label);
    if (column == 0) return;
    // Every sort cell is checked first: a refusal leaves no row moved.
    if (const std::string refusal = SortRefusal(sheet, column, DecimalSeparator());
        !refusal.empty()) {
        form.dialogs().ShowMessage(refusal);
        return;
    }
    Grid(form).applyCommand(
        [&](Worksheet& s) { return SortRows(s, column, choice->ascending, DecimalSeparator()); });
    form.state().DataChanged = true;
}

void Bytradermotkolumner1Click(MainWindow& form) {
    Grid(form).applyCommand([](Worksheet& s) { return TransposeSheet(s); });
    form.fitColumns(1);
    form.state().DataChanged = true;
}

void Kopiera1Click(MainWindow& form) {
    const TNumberGrid& grid = Grid(form);
    const GridRect r = grid.selection();
    if (!r.valid()) return;
    const std::string text = BlockText(grid.sheet(), r.left, r.top, r.right, r.bottom);
    QGuiApplication::clipboard()->setText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

// Writes a paste plan as one step of Ångra; false when there was nothing to write or the sheet
// would grow too large.
bool WritePaste(MainWindow& form, const PastePlan& plan) {
    if (plan.empty()) return false;
    if (const std::string refusal = PasteRefusal(Grid(form).sheet(), plan); !refusal.empty()) {
        form.dialogs().ShowMessage(refusal);
        return false;
    }
    Grid(form).applyCommand([&](Worksheet& s) { return WritePlan(s, plan); });
    form.state().DataChanged = true;
    return true;
}

void Klistrain1Click(MainWindow& form) {
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    const TNumberGrid& grid = Grid(form);
    WritePaste(form, PlanPaste(text, grid.col(), grid.row(), DecimalSeparator()));
}

void Klistrainspecial1Click(MainWindow& form) {
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    const PasteSpecialOptions options =
        form.dialogs().PasteSpecial(text.find('\t') != std::string::npos);
    const TNumberGrid& grid = Grid(form);
    if (WritePaste(form,
                   PlanPasteSpecial(text, options, grid.col(), grid.row(), DecimalSeparator()))) {
        form.Autokolumnbredd1Click();
    }
}

void Delauppinfo1Click(MainWindow& form) {
    const Worksheet& sheet = Grid(form).sheet();
    const std::optional<int> column = ChooseOneColumn(sheet, form.dialogs());
    if (!column || *column < kFirst) return;
    // The question has only ever been asked in Swedish.
    const KXAnswer answer = form.dialogs().KXDialog(
        "Hur många fält? (2=vartanat värde, 3=vart tredje värde etc ..", "2");
    if (!answer.ok) return;
    const int parts = StrToInteger(answer.answer);
    const int most = MaxSplitParts(sheet);
    if (parts < 1 || parts > most) {
        form.dialogs().ShowMessage(ChooseText("The number of fields must lie between 1 and ",
                                              "Antalet fält måste ligga mellan 1 och ") +
                                   std::to_string(most));
        return;
    }
    if (RefuseTooLarge(form, sheet.columnCount() + static_cast<long long>(parts),
                       sheet.rowCount())) {
        return;
    }
    Grid(form).applyCommand([&](Worksheet& s) { return SplitInfo(s, *column, parts); });
    form.Autokolumnbredd1Click();
}

void Delauppspecial1Click(MainWindow& form) {
    const Worksheet& sheet = Grid(form).sheet();
    const auto chosen = form.dialogs().ChooseFromList(
        ChooseText("Chose column(s) for equal data", "Välj kolumn(er) för lika data"),
        DataColumnLabels(sheet), true);
    if (!chosen) return;
    const std::vector<int> keys = ColumnsOfLabels(sheet, *chosen);
    if (keys.empty()) {
        form.dialogs().ShowMessage(ChooseText("Chose a column", "Välj en kolumn"));
        return;
    }
    const std::vector<int> values = SplitSpecialValueColumns(sheet, keys);
    if (values.empty()) {
        form.dialogs().ShowInfo(ChooseText("There is no column of values from column 3 on",
                                           "Det finns ingen värdekolumn från kolumn 3"));
        return;
    }
    const long long added = static_cast<long long>(values.size()) * (keys.size() + 1);
    if (RefuseTooLarge(form, sheet.columnCount() + added, sheet.rowCount())) return;
    Grid(form).applyCommand(
        [&](Worksheet& s) { return SplitSpecial(s, keys, DecimalSeparator()); });
    form.Autokolumnbredd1Click();
}

}  // namespace

void RegisterEditingCommands(MainWindow& form) {
    const std::pair<const char*, void (*)(MainWindow&)> commands[] = {
        {"redigera.kolumner.antal_kolumner", Antalkolumner1Click},
        {"redigera.kolumner.ta_bort_kolumner", Taborttkolumner1Click},
        {"redigera.kolumner.infoga_kolumn", Infogakolumn1Click},
        {"redigera.kolumner.ta_bort_tomma_kolumner", Taborttommakolumner1Click},
        {"redigera.rader.antal_rader", Antalrader1Click},
        {"redigera.rader.ta_bort_rader", Taborttrader1Click},
        {"redigera.rader.infoga_rad", Infogarad1Click},
        {"redigera.rader.ta_bort_tomma_rader", Taborttommarader1Click},
        {"redigera.sortera", Sortera1Click},
        {"redigera.byt_rader_mot_kolumner", Bytradermotkolumner1Click},
        {"redigera.kopiera", Kopiera1Click},
        {"redigera.klistra_in", Klistrain1Click},
        {"redigera.klistra_in_special", Klistrainspecial1Click},
        {"redigera.dela_upp_info", Delauppinfo1Click},
        {"redigera.dela_upp_special", Delauppspecial1Click},
    };
    for (const auto& [key, handler] : commands) {
        form.RegisterCommand(key, [&form, handler] { handler(form); });
    }
}

}  // namespace tabulon::ui
