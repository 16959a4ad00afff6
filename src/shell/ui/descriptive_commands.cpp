// The 1-Dim commands Statistikdata, Outliers and Test av normalfördelning.
#include <QDialog>

#include "base/language.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_window.h"
#include "univariate/descriptive_sample.h"
#include "univariate/normal_plot.h"
#include "univariate/ui/normal_plot_window.h"
#include "univariate/ui/xdata_window.h"
#include "shell/column_choice.h"
#include "worksheet/column_queries.h"
#include "worksheet/ui/number_grid.h"

namespace tabulon::ui {
namespace {

// Statistikdata and Outliers: one column into the shared lists, its statistics, the window.
void Statistikdata1Click(MainWindow& form) {
    const Worksheet& sheet = form.NumberGrid1()->sheet();
    const std::optional<int> column = ChooseOneColumn(sheet, form.dialogs());
    if (!column || *column < Worksheet::kFixedColumns) return;
    ColumnValues read = ReadColumn(sheet, *column);
    form.state().SampleValues = read.values;
    form.state().SampleRowNumbers = read.row_numbers;
    std::optional<DescriptiveSample> sample = MakeDescriptiveSample(
        std::move(read.values), std::move(read.row_numbers), DecimalSeparator());
    if (!sample) return;  // fewer than two values: nothing to show
    ShowModal(
        new XDataWindow(form.dialogs(), std::move(*sample), ColumnTitle(sheet, *column), &form));
}

void Testavnormalfordelning1Click(MainWindow& form) {
    const Worksheet& sheet = form.NumberGrid1()->sheet();
    const std::optional<int> column = ChooseOneColumn(sheet, form.dialogs());
    if (!column || *column < Worksheet::kFixedColumns) return;
    ColumnValues read = ReadColumn(sheet, *column);
    form.state().SampleValues = read.values;
    form.state().SampleRowNumbers = read.row_numbers;
    std::optional<NormalPlotData> plot = MakeNormalPlot(read.values, DecimalSeparator());
    if (!plot) return;
    ShowModal(new TNormTestDistribution(form.dialogs(), std::move(*plot),
                                        ColumnLabel(sheet, *column), &form));
}

}  // namespace

void RegisterDescriptiveCommands(MainWindow& form) {
    form.RegisterCommand("endim.statistikdata", [&form] { Statistikdata1Click(form); });
    form.RegisterCommand("endim.outliers", [&form] { Statistikdata1Click(form); });
    form.RegisterCommand("endim.normalfordelning", [&form] { Testavnormalfordelning1Click(form); });
}

}  // namespace tabulon::ui
