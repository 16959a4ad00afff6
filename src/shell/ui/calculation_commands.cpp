// The Beräkna commands: Kombinerad aritmetik, Funktioner, Bilda produkter kolumnvis,
// Statistik på markerat område and Simulera mätdata. Each one that writes the worksheet is
// one step of Ångra.
#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <chrono>

#include "base/language.h"
#include "numeric/number_text.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_window.h"
#include "worksheet/column_arithmetic.h"
#include "worksheet/column_queries.h"
#include "worksheet/column_reading.h"
#include "worksheet/column_width.h"
#include "worksheet/sheet_undo.h"
#include "worksheet/simulation.h"
#include "worksheet/ui/number_grid.h"

namespace tabulon::ui {
namespace {

constexpr int kFirst = Worksheet::kFixedColumns;

TNumberGrid& Grid(MainWindow& form) {
    return *form.NumberGrid1();
}

std::vector<std::string> Labels(const Worksheet& sheet, int end) {
    std::vector<std::string> labels;
    for (int c = kFirst; c < end; ++c) labels.push_back(ColumnLabel(sheet, c));
    return labels;
}

void Kombineradaritmetik1Click(MainWindow& form) {
    const Worksheet& sheet = Grid(form).sheet();
    const auto expression = form.dialogs().AskExpression(Labels(sheet, sheet.columnCount()));
    if (!expression) return;
    form.dialogs().ShowInfo(ArithmeticTargetText(sheet));
    Grid(form).editSheet(ColumnsUndo::Before(sheet, ResultColumnsAhead(sheet, 1)),
                         [&](Worksheet& s) {
                             WriteColumnArithmetic(s, *expression, DecimalSeparator());
                         });
    // A new column is a change the user can lose.
    form.state().DataChanged = true;
}

void Funktioner1Click(MainWindow& form) {
    const Worksheet& sheet = Grid(form).sheet();
    const int empty = FirstEmptyColumn(sheet);
    const auto choice =
        form.dialogs().ChooseFunction(Labels(sheet, empty > 0 ? empty : sheet.columnCount()));
    if (!choice) return;
    if (choice->label.empty()) {
        form.dialogs().ShowInfo(ChooseText("No column is indicated", "Ingen kolumn är markerad"));
        return;
    }
    const int column = FindColumnByLabel(sheet, choice->label);
    if (column == 0) {
        form.dialogs().ShowInfo(ChooseText("A column must be indicated", "En kolumn måste markeras"));
        return;
    }
    Extended argument = 0;
    if (ColumnFunctionTakesArgument(choice->function)) {
        const auto number = ParseNumber(choice->argument, DecimalSeparator());
        if (!number) {
            form.dialogs().ShowMessage(ChooseText("Error in data", "Fel i indata"));
            return;
        }
        argument = *number;
    }
    std::string refusal;
    Grid(form).applyCommand([&](Worksheet& s) -> std::unique_ptr<SheetUndo> {
        auto record = ColumnsUndo::Before(s, {column});
        refusal = ApplyColumnFunction(s, column, choice->function, argument, DecimalSeparator());
        if (!refusal.empty()) return nullptr;
        return record;
    });
    if (!refusal.empty()) {
        form.dialogs().ShowInfo(refusal);
        return;
    }
    form.state().DataChanged = true;
}

void Bildaprodukter1Click(MainWindow& form) {
    const Worksheet& sheet = Grid(form).sheet();
    const auto chosen = form.dialogs().ChooseFromList(
        ChooseText("Chose column(s)", "Välj kolumn(er)"), DataColumnLabels(sheet), true);
    if (!chosen || chosen->empty()) return;
    std::vector<int> columns;
    for (const std::string& label : *chosen) {
        if (const int c = FindColumnByLabel(sheet, label); c > 0) columns.push_back(c);
    }
    std::string refusal;
    Grid(form).applyCommand([&](Worksheet& s) -> std::unique_ptr<SheetUndo> {
        const int added = ProductColumnCount(static_cast<int>(columns.size()));
        auto record = ColumnsUndo::Before(s, ResultColumnsAhead(s, added));
        refusal = WriteColumnProducts(s, columns, DecimalSeparator());
        if (!refusal.empty()) return nullptr;
        return record;
    });
    if (!refusal.empty()) {
        form.dialogs().ShowMessage(refusal);
        return;
    }
    form.state().DataChanged = true;
}

std::string SummaryOfSelection(MainWindow& form) {
    const GridRect r = Grid(form).selection();
    if (!r.valid()) return {};
    return MarkedAreaSummary(Grid(form).sheet(), r.left, r.top, r.right, r.bottom,
                             DecimalSeparator());
}

void Visapaskarmen1Click(MainWindow& form) {
    form.dialogs().ShowInfo(SummaryOfSelection(form));
}

void Kopieratillklippbordet1Click(MainWindow& form) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(SummaryOfSelection(form)));
}

void FitColumns(TNumberGrid& grid, const std::vector<int>& columns) {
    const QFontMetrics metrics(grid.font());
    const TextWidthFunction width = [&](std::string_view text) {
        return metrics.horizontalAdvance(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    };
    for (int c : columns) {
        grid.setColumnWidthPixels(c, AutoColumnWidth(grid.sheet(), c, grid.Decimals(), width) + 4);
    }
}

// The seed of a simulation: the state's fixed one, or the clock so that runs differ.
std::uint64_t RunSeed(MainWindow& form) {
    if (form.state().RandomSeed) return *form.state().RandomSeed;
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

void Simulate(MainWindow& form, SimulationMode mode) {
    const auto p = form.dialogs().AskSimulation(mode);
    if (!p) return;
    if (const std::string refusal = SimulationRefusal(*p); !refusal.empty()) {
        form.dialogs().ShowMessage(refusal);
        return;
    }
    Xoshiro256 rng(RunSeed(form));
    const Worksheet& sheet = Grid(form).sheet();
    std::vector<int> written;
    Grid(form).editSheet(ColumnsUndo::Before(sheet, SimulationColumnsAhead(sheet, mode, *p)),
                         [&](Worksheet& s) {
                             written = WriteSimulation(s, mode, *p, rng, DecimalSeparator());
                         });
    // Only the written columns and the row numbers are fitted: their old widths are in the
    // undo record, so Ångra puts every width back.
    written.push_back(0);
    FitColumns(Grid(form), written);
    form.state().DataChanged = true;
}

void Normalfordelat1Click(MainWindow& form) {
    Simulate(form, SimulationMode::Normal);
}

void Regression1Click(MainWindow& form) {
    Simulate(form, SimulationMode::Regression);
}

}  // namespace

void RegisterCalculationCommands(MainWindow& form) {
    const std::pair<const char*, void (*)(MainWindow&)> commands[] = {
        {"berakna.kombinerad_aritmetik", Kombineradaritmetik1Click},
        {"berakna.funktioner", Funktioner1Click},
        {"berakna.bilda_produkter", Bildaprodukter1Click},
        {"berakna.statistik_markerat.visa", Visapaskarmen1Click},
        {"berakna.statistik_markerat.kopiera", Kopieratillklippbordet1Click},
        {"berakna.simulera.normalfordelat", Normalfordelat1Click},
        {"berakna.simulera.regression", Regression1Click},
    };
    for (const auto& [key, handler] : commands) {
        form.RegisterCommand(key, [&form, handler] { handler(form); });
    }
}

}  // namespace tabulon::ui
