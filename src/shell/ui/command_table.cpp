// The menu commands of every subsystem, wired into the main window.
#include "shell/ui/command_table.h"

#include "shell/ui/main_window.h"

namespace tabulon::ui {

void RegisterAllCommands(MainWindow& form) {
    // Each subsystem adds one call here: Register<Subsystem>Commands(form);
    RegisterDescriptiveCommands(form);
    RegisterTwoSampleCommands(form);
    RegisterRegressionCommands(form);
    RegisterModelCommands(form);
    RegisterCrossValidationCommands(form);
    RegisterPcaCommands(form);
    RegisterEditingCommands(form);
    RegisterHelpCommands(form);
    RegisterCalculationCommands(form);
    RegisterDesignCommands(form);
    RegisterDistributionCommands(form);
    RegisterAnovaCommands(form);
    RegisterPrintCommands(form);
    RegisterGraphCommands(form);
}

}  // namespace tabulon::ui
