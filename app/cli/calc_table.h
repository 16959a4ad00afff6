// The functions `tabulon-cli calc NAME ARG...` can run: one table, filled by topic.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "numeric/extended.h"

namespace tabulon::cli {

// What a calc function prints: one value per line, or a failure ("fail", exit 1).
struct CalcOutcome {
    bool ok = true;
    std::vector<std::string> lines;
};

using CalcArgs = std::vector<std::string>;

struct CalcEntry {
    std::string name;
    int arity = 0;       // number of arguments; -1 for "one or more"
    std::string usage;   // the arguments as the usage text shows them
    std::function<CalcOutcome(const CalcArgs&)> run;
};

// A numeric argument: "." is the separator on the command line whatever the locale.
// Raises a usage error (std::invalid_argument) for a text that is not a number.
Extended CalcNumber(const std::string& text);
int CalcInteger(const std::string& text);

// A value printed the way calc prints values: 15 significant digits, ".".
std::string CalcText(Extended value);
CalcOutcome CalcValue(Extended value);
CalcOutcome CalcFail();

// Each topic adds its functions in a file of its own.
void AddNumberTextEntries(std::vector<CalcEntry>& table);    // calc_number_text.cpp
void AddDistributionEntries(std::vector<CalcEntry>& table);  // calc_distributions.cpp
void AddStatisticsEntries(std::vector<CalcEntry>& table);    // calc_statistics.cpp
void AddEvaluatorEntries(std::vector<CalcEntry>& table);     // calc_evaluator.cpp

std::vector<CalcEntry> CalcTable();

// Runs `calc ARGS...`; returns the exit status (0, 1 for fail, 2 for usage errors).
int RunCalc(const std::vector<std::string>& args);

}  // namespace tabulon::cli
