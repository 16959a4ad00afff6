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
void RegisterEditingCommands(MainWindow& form);      // shell/ui/editing_commands.cpp
void RegisterPrintCommands(MainWindow& form);        // shell/ui/print_commands.cpp

}  // namespace tabulon::ui
