// The command table of tabulon-cli.
#include "cli_commands.h"

#include "calc_table.h"
#include "file_commands.h"

namespace tabulon::cli {

void AddFileCommands(std::vector<CliCommand>& table) {
    table.push_back({"info", "FILE [--titles]", RunInfo});
    table.push_back(
        {"convert", "IN OUT [--titles] [--column-captions] [--row-captions]", RunConvert});
}

std::vector<CliCommand> CliCommands() {
    std::vector<CliCommand> table;
    table.push_back({"calc", "NAME ARG...", RunCalc});
    AddFileCommands(table);
    AddEditingCommands(table);
    AddPrintCommands(table);
    AddCalculationCommands(table);
    AddTwoSampleCommands(table);
    AddDescriptiveCommands(table);
    AddModelCommands(table);
    AddRegressionCommands(table);
    AddAnovaCommands(table);
    AddDistributionCommands(table);
    AddGraphCommands(table);
    AddValidationCommands(table);
    return table;
}

}  // namespace tabulon::cli
