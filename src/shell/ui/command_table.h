// Where each subsystem wires its menu commands into the main window. One line per
// subsystem in command_table.cpp; the handlers live beside their windows.
#pragma once

namespace tabulon::ui {

class MainWindow;

void RegisterAllCommands(MainWindow& form);

void RegisterDescriptiveCommands(MainWindow& form);  // univariate/ui/descriptive_commands.cpp
void RegisterTwoSampleCommands(MainWindow& form);    // univariate/ui/two_sample_commands.cpp
void RegisterRegressionCommands(MainWindow& form);   // shell/ui/regression_commands.cpp
void RegisterModelCommands(MainWindow& form);        // shell/ui/model_commands.cpp
void RegisterCrossValidationCommands(MainWindow& form);  // shell/ui/cross_validation_commands.cpp
void RegisterPcaCommands(MainWindow& form);          // shell/ui/pca_commands.cpp
void RegisterEditingCommands(MainWindow& form);      // shell/ui/editing_commands.cpp
void RegisterHelpCommands(MainWindow& form);         // shell/ui/guide_window.cpp
void RegisterCalculationCommands(MainWindow& form);  // shell/ui/calculation_commands.cpp
void RegisterDesignCommands(MainWindow& form);       // shell/ui/design_commands.cpp
void RegisterDistributionCommands(MainWindow& form);  // shell/ui/distribution_commands.cpp
void RegisterAnovaCommands(MainWindow& form);        // shell/ui/anova_commands.cpp
void RegisterPrintCommands(MainWindow& form);        // shell/ui/print_commands.cpp
void RegisterGraphCommands(MainWindow& form);        // shell/ui/graph_commands.cpp

}  // namespace tabulon::ui
