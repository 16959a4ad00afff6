// n-Dim > PCA: principal component analysis of chosen columns, shown in the PCA window.
#include "base/language.h"
#include "multivariate/model_data.h"
#include "multivariate/pca.h"
#include "multivariate/ui/pca_window.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_window.h"
#include "worksheet/ui/number_grid.h"

namespace tabulon::ui {
namespace {

void PCAPrincipalkomponentanalys1Click(MainWindow& form) {
    const Worksheet& sheet = form.NumberGrid1()->sheet();
    // Every data column is offered, empty or not, as the window always has.
    std::vector<std::string> entries;
    for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
        entries.push_back(ModelColumnEntry(sheet, c));
    }
    const auto chosen =
        form.dialogs().ChooseFromList(ChooseText("Chose columns", "Välj kolumner"), entries, true);
    if (!chosen || chosen->empty()) return;
    ModelColumnsRead read = ReadModelColumns(sheet, "", *chosen);
    if (!read.columns) {
        form.dialogs().ShowMessage(read.refusal);
        return;
    }
    const ModelData data = LoadModelData(sheet, *read.columns, DecimalSeparator());
    PcaFit fit = FitPCA(data);
    if (!fit.result) {
        form.dialogs().ShowMessage(fit.refusal);
        return;
    }
    PcaWindowSetup setup{form.state().CurrentFileName, std::move(*read.columns),
                         std::move(*fit.result), std::max(0, data.last_row - 1)};
    ShowModal(new PcaWindow(form.dialogs(), std::move(setup), &form), true);
}

}  // namespace

void RegisterPcaCommands(MainWindow& form) {
    MainWindow* f = &form;
    form.RegisterCommand("ndim.pca", [f] { PCAPrincipalkomponentanalys1Click(*f); });
}

}  // namespace tabulon::ui
