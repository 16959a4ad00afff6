// The commands of tabulon-cli: one table, each procedure group adding its own entries.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tabulon::cli {

struct CliCommand {
    std::string name;
    std::string usage;  // the arguments, as the usage text shows them
    // Returns the exit status: 0, 1 when the procedure refuses, 2 for usage errors.
    std::function<int(const std::vector<std::string>& args)> run;
};

std::vector<CliCommand> CliCommands();

// Each procedure group adds its commands in a file of its own; one line each in
// cli_commands.cpp.
void AddFileCommands(std::vector<CliCommand>& table);  // info, convert
void AddTwoSampleCommands(std::vector<CliCommand>& table);  // ttest … ranksum
void AddDescriptiveCommands(std::vector<CliCommand>& table);  // stats, normplot
void AddModelCommands(std::vector<CliCommand>& table);  // mlr, pcr, pls, apply-model
void AddRegressionCommands(std::vector<CliCommand>& table);  // regression
void AddEditingCommands(std::vector<CliCommand>& table);  // sort, transpose, remove-empty
void AddPrintCommands(std::vector<CliCommand>& table);  // print
void AddCalculationCommands(std::vector<CliCommand>& table);  // arith, function, simulate, design
void AddAnovaCommands(std::vector<CliCommand>& table);  // anova
void AddDistributionCommands(std::vector<CliCommand>& table);  // probability, table, interval
void AddGraphCommands(std::vector<CliCommand>& table);  // bars, xyz
void AddValidationCommands(std::vector<CliCommand>& table);  // validate

}  // namespace tabulon::cli
