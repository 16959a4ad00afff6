// `tabulon-cli calc`: looks the function up in the calc table and prints its value.
#include <iostream>
#include <stdexcept>

#include "calc_table.h"
#include "numeric/number_text.h"

namespace tabulon::cli {

Extended CalcNumber(const std::string& text) {
    if (auto value = ParseNumber(text, '.')) return *value;
    throw std::invalid_argument("not a number: " + text);
}

int CalcInteger(const std::string& text) {
    if (auto value = ParseInteger(text)) return *value;
    throw std::invalid_argument("not a whole number: " + text);
}

std::string CalcText(Extended value) { return FormatShortest(value, '.'); }

CalcOutcome CalcValue(Extended value) { return CalcOutcome{true, {CalcText(value)}}; }

CalcOutcome CalcFail() { return CalcOutcome{false, {"fail"}}; }

std::vector<CalcEntry> CalcTable() {
    std::vector<CalcEntry> table;
    AddNumberTextEntries(table);
    AddDistributionEntries(table);
    AddStatisticsEntries(table);
    AddEvaluatorEntries(table);
    return table;
}

namespace {

void PrintCalcUsage(const std::vector<CalcEntry>& table) {
    std::cerr << "usage: tabulon-cli calc NAME ARG...\nfunctions:\n";
    for (const CalcEntry& e : table) std::cerr << "  " << e.name << ' ' << e.usage << '\n';
}

}  // namespace

int RunCalc(const std::vector<std::string>& args) {
    const std::vector<CalcEntry> table = CalcTable();
    if (args.empty()) {
        PrintCalcUsage(table);
        return 2;
    }
    for (const CalcEntry& entry : table) {
        if (entry.name != args[0]) continue;
        const CalcArgs rest(args.begin() + 1, args.end());
        const bool count_ok = entry.arity < 0 ? !rest.empty()
                                              : static_cast<int>(rest.size()) == entry.arity;
        if (!count_ok) {
            std::cerr << "usage: tabulon-cli calc " << entry.name << ' ' << entry.usage << '\n';
            return 2;
        }
        CalcOutcome outcome;
        try {
            outcome = entry.run(rest);
        } catch (const std::invalid_argument& e) {
            std::cerr << "tabulon-cli calc " << entry.name << ": " << e.what() << '\n';
            return 2;
        }
        for (const std::string& line : outcome.lines) std::cout << line << '\n';
        return outcome.ok ? 0 : 1;
    }
    std::cerr << "tabulon-cli calc: unknown function " << args[0] << '\n';
    PrintCalcUsage(table);
    return 2;
}

}  // namespace tabulon::cli
