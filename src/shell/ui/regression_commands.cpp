// 2-Dim > xy-grafik: the x and y columns chosen (the row-caption column offered as the row
// number), the points read, the regression window opened on them.
#include "base/language.h"
#include "numeric/number_text.h"
#include "regression/regression_data.h"
#include "regression/ui/two_dim_stat.h"
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

}  // namespace

void RegisterRegressionCommands(MainWindow& form) {
    form.RegisterCommand("tvadim.xy_grafik", [&form] { Xygrafik1Click(form); });
}

}  // namespace tabulon::ui
