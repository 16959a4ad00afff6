// 1-Dim > ANOVA: choose the columns, read the groups, open the analysis of variance window.
#include <QDialog>

#include "base/language.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_window.h"
#include "shell/ui/two_sample_commands.h"
#include "univariate/anova.h"
#include "univariate/ui/anova_window.h"
#include "worksheet/ui/number_grid.h"

namespace tabulon::ui {
namespace {

void Anova(MainWindow& form) {
    const Worksheet& sheet = form.NumberGrid1()->sheet();
    const auto columns = ChooseAnovaColumns(sheet, form.dialogs());
    if (!columns) return;
    AnovaGroupsRead read = ReadAnovaGroups(sheet, *columns, DecimalSeparator());
    if (!read.groups) {
        form.dialogs().ShowInfo(read.refusal);
        return;
    }
    auto* window = new AnovaWindow(form.dialogs(), std::move(*read.groups), &form);
    window->setAttribute(Qt::WA_DeleteOnClose);
    PresentTwoSampleWindow(*window);
}

}  // namespace

void RegisterAnovaCommands(MainWindow& form) {
    MainWindow* f = &form;
    form.RegisterCommand("endim.anova", [f] { Anova(*f); });
}

}  // namespace tabulon::ui
