// The graph commands of the main menu: 1-Dim > Grafik (the bar chart) and 3-Dim > xyz-grafik.
#include <algorithm>

#include "base/language.h"
#include "graphs/bar_chart.h"
#include "graphs/three_dim_plot.h"
#include "graphs/ui/bar_chart_window.h"
#include "graphs/ui/three_dim_plot_window.h"
#include "shell/column_choice.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_window.h"
#include "worksheet/column_queries.h"
#include "worksheet/column_reading.h"
#include "worksheet/ui/number_grid.h"

namespace tabulon::ui {
namespace {

// A block of cells marked in the worksheet names the columns at once; a single cell is only
// the cursor and leaves the choice to the list.
std::optional<std::vector<int>> MarkedColumns(MainWindow& form) {
    const GridRect marked = form.NumberGrid1()->selection();
    if (!marked.valid() || (marked.left == marked.right && marked.top == marked.bottom)) {
        return std::nullopt;
    }
    const Worksheet& sheet = form.NumberGrid1()->sheet();
    std::vector<int> columns;
    for (int c = std::max(marked.left, Worksheet::kFixedColumns);
         c <= marked.right && c < sheet.columnCount(); ++c) {
        columns.push_back(c);
    }
    if (columns.empty()) return std::nullopt;
    if (static_cast<int>(columns.size()) > kMaxChartColumns) {
        form.dialogs().ShowMessage(
            ChooseText("A maximum of " + std::to_string(kMaxChartColumns) + " kolumnes can be chosen",
                       "Max " + std::to_string(kMaxChartColumns) + " kolumner kan väljas"));
        return std::vector<int>{};
    }
    return columns;
}

void Grafik1Click(MainWindow& form) {
    const Worksheet& sheet = form.NumberGrid1()->sheet();
    std::optional<std::vector<int>> columns = MarkedColumns(form);
    if (!columns) columns = ChooseColumns(sheet, form.dialogs(), kMaxChartColumns);
    if (!columns || columns->empty()) return;
    BarChartData data = BarChartFromSheet(sheet, *columns, DecimalSeparator());
    if (data.RowsUsed == 0) return;  // nothing in the columns to draw
    std::string caption = ChooseText("Graphics", "Grafik");
    if (!form.state().CurrentFileName.empty()) caption += ": " + form.state().CurrentFileName;
    ShowModal(new BarChartWindow(form.dialogs(), std::move(data), caption, &form), true);
}

void xyzgrafik1Click(MainWindow& form) {
    const Worksheet& sheet = form.NumberGrid1()->sheet();
    if (DataColumnCount(sheet) < 3) return;
    const auto chosen = form.dialogs().ChooseXYZ(DataColumnLabels(sheet));
    if (!chosen) return;
    std::array<int, 3> columns{};
    for (std::size_t a = 0; a < 3; ++a) {
        columns[a] = FindColumnByLabel(sheet, (*chosen)[a]);
        if (columns[a] < Worksheet::kFixedColumns) return;
    }
    ThreeDimData data = ThreeDimFromSheet(sheet, columns, DecimalSeparator());
    if (!Rescale(data, false).valid) {
        form.dialogs().ShowInfo(
            ChooseText("Each variable needs at least one number", "Varje variabel behöver minst ett tal"));
        return;
    }
    // The plot stays open beside the worksheet.
    auto* plot = new ThreeDimPlotWindow(form.dialogs(), std::move(data), &form);
    plot->setAttribute(Qt::WA_DeleteOnClose);
    plot->show();
}

}  // namespace

void RegisterGraphCommands(MainWindow& form) {
    form.RegisterCommand("endim.grafik", [&form] { Grafik1Click(form); });
    form.RegisterCommand("tredim.xyz_grafik", [&form] { xyzgrafik1Click(form); });
}

}  // namespace tabulon::ui
