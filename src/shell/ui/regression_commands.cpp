// 2-Dim: xy-grafik (the x and y columns chosen, the row-caption column offered as the row
// number, the regression window opened on their points), the overlay plot with the same or
// with different x values, and Alla mot alla.
#include "base/language.h"
#include "numeric/number_text.h"
#include "regression/all_against_all.h"
#include "regression/overlay_plot.h"
#include "regression/regression_data.h"
#include "regression/ui/all_against_all_window.h"
#include "regression/ui/overlay_window.h"
#include "regression/ui/two_dim_stat.h"
#include "shell/column_choice.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_window.h"
#include "worksheet/column_queries.h"
#include "worksheet/ui/number_grid.h"

namespace tabulon::ui {
namespace {

// What the choice lists call the row-caption column.
std::string RowNumberLabel() {
    return ChooseText("Row number", "Radnummer");
}

// The column of a chosen label: the row number, or a data column; 0 for none.
int ColumnOfChoice(const Worksheet& sheet, const std::string& label) {
    if (label == RowNumberLabel()) return kRowNumberColumn;
    return label.empty() ? 0 : FindColumnByLabel(sheet, label);
}

// The regression window on the points of two columns (or the row numbers).
void OpenRegressionWindow(MainWindow& form, int x_column, int y_column) {
    const Worksheet& sheet = form.NumberGrid1()->sheet();
    RegressionDataRead read = ReadRegressionData(sheet, x_column, y_column, DecimalSeparator());
    if (!read.data) {
        form.dialogs().ShowInfo(read.refusal);
        return;
    }
    MainWindow* f = &form;
    ResidualWriter writer = [f](const RegressionData& data, const std::vector<Extended>& residuals,
                                bool squares) {
        std::string refusal;
        int column = 0;
        f->NumberGrid1()->editSheet([&](Worksheet& s) {
            column = WriteResidualColumn(s, data, residuals, squares, refusal);
        });
        if (column > 0) f->state().DataChanged = true;
        return refusal;
    };
    auto* window = new TTwoDimStat(form.dialogs(), std::move(read.data), std::move(writer), &form);
    ShowModal(window, true);
}

void Xygrafik1Click(MainWindow& form) {
    const Worksheet& sheet = form.NumberGrid1()->sheet();
    std::vector<std::string> labels{RowNumberLabel()};
    for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
        if (ColumnHasData(sheet, c)) labels.push_back(ColumnLabel(sheet, c));
    }
    if (labels.size() < 2) {
        form.dialogs().ShowInfo(ChooseText("Too few data points..", "För få datapunkter.."));
        return;
    }
    // Variable 1 is x, variable 2 is y.
    const auto chosen = form.dialogs().ChooseTwoFromLists(labels);
    if (!chosen) return;
    const int x_column = ColumnOfChoice(sheet, chosen->first);
    const int y_column = ColumnOfChoice(sheet, chosen->second);
    if (x_column == 0 || y_column == 0) return;
    OpenRegressionWindow(form, x_column, y_column);
}

// The overlay window, when at least one y series was gathered.
void ShowOverlay(MainWindow& form, OverlayData data) {
    if (data.series.empty()) return;
    ShowModal(new OverlayPlotWindow(form.dialogs(), std::move(data), &form), true);
}

void Flergrafersamma1Click(MainWindow& form) {
    const Worksheet& sheet = form.NumberGrid1()->sheet();
    const std::vector<std::string> labels = DataColumnLabels(sheet);
    if (labels.empty()) return;
    const auto chosen = form.dialogs().ChooseOverlayColumns(labels);
    if (!chosen) return;
    const int x = FindColumnByLabel(sheet, chosen->first);
    std::vector<int> ys;
    for (const std::string& label : chosen->second) {
        const int y = FindColumnByLabel(sheet, label);
        if (y >= Worksheet::kFixedColumns && y != x) ys.push_back(y);
    }
    if (x < Worksheet::kFixedColumns || ys.empty()) return;
    if (static_cast<int>(ys.size()) >= kMaxOverlayLists) {
        form.dialogs().ShowMessage(ChooseText("At most 99 y columns", "Högst 99 y-kolumner"));
        return;
    }
    ShowOverlay(form, OverlayFromSheet(sheet, x, ys));
}

void Flergraferolika1Click(MainWindow& form) {
    const Worksheet& sheet = form.NumberGrid1()->sheet();
    // The pairing lists: the row numbers, then each data column by its caption or number.
    std::vector<std::string> labels{"Row Numbers"};
    std::vector<int> columns{kOverlayRowNumbers};
    for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
        if (!ColumnHasData(sheet, c)) continue;
        const std::string_view caption = sheet.cell(c, 1);
        labels.push_back(caption.empty() ? "Col # " + std::string(sheet.cell(c, 0))
                                         : std::string(caption));
        columns.push_back(c);
    }
    if (columns.size() < 2) return;
    const auto pairs = form.dialogs().ChooseSeriesPairs(labels);
    if (!pairs) return;
    const auto column_of = [&](const std::string& label) {
        for (std::size_t i = 0; i < labels.size(); ++i) {
            if (labels[i] == label) return columns[i];
        }
        return 0;
    };
    std::vector<std::pair<int, int>> chosen;
    for (const auto& [x, y] : *pairs) {
        const int xc = column_of(x), yc = column_of(y);
        if (xc != 0 && yc != 0) chosen.emplace_back(xc, yc);
    }
    if (static_cast<int>(chosen.size()) >= kMaxOverlayLists) {
        form.dialogs().ShowMessage(ChooseText("At most 99 pairs", "Högst 99 par"));
        return;
    }
    ShowOverlay(form, OverlayFromPairs(sheet, chosen));
}

void Allamotalla1Click(MainWindow& form) {
    const Worksheet& sheet = form.NumberGrid1()->sheet();
    if (DataColumnCount(sheet) < 3) return;
    const auto columns = ChooseColumns(sheet, form.dialogs(), kMaxOverlayLists);
    if (!columns || columns->size() < 2) return;
    AllAgainstAllData data;
    try {
        data = AllAgainstAllFromSheet(sheet, *columns, DecimalSeparator());
    } catch (const ConversionError& e) {
        form.dialogs().ShowMessage(e.what());
        return;
    }
    MainWindow* f = &form;
    auto* window = new AllAgainstAllWindow(
        form.dialogs(), std::move(data), [f](int x, int y) { OpenRegressionWindow(*f, x, y); },
        &form);
    ShowModal(window, true);
}

}  // namespace

void RegisterRegressionCommands(MainWindow& form) {
    form.RegisterCommand("tvadim.xy_grafik", [&form] { Xygrafik1Click(form); });
    form.RegisterCommand("tvadim.samma_x", [&form] { Flergrafersamma1Click(form); });
    form.RegisterCommand("tvadim.olika_x", [&form] { Flergraferolika1Click(form); });
    form.RegisterCommand("tvadim.alla_mot_alla", [&form] { Allamotalla1Click(form); });
}

}  // namespace tabulon::ui
