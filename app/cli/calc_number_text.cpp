// calc functions of the graph formatters and tick helpers; texts are printed with ".".
#include <cmath>

#include "calc_table.h"
#include "graphs/axis_ticks.h"
#include "graphs/number_formats.h"

namespace tabulon::cli {
namespace {

CalcOutcome CalcText1(std::string text) {
    return CalcOutcome{true, {std::move(text)}};
}

// A tick helper given a zero step answers NaN, which calc reports as a failure.
CalcOutcome FiniteValue(Extended value) {
    return std::isfinite(value) ? CalcValue(value) : CalcFail();
}

}  // namespace

void AddNumberTextEntries(std::vector<CalcEntry>& table) {
    table.push_back({"FormatSignificant", 2, "DIGITS V", [](const CalcArgs& a) {
                         return CalcText1(
                             FormatSignificant(CalcInteger(a[0]), CalcNumber(a[1]), '.'));
                     }});
    table.push_back({"FormatTickShort", 1, "V", [](const CalcArgs& a) {
                         return CalcText1(FormatTickShort(CalcNumber(a[0]), '.'));
                     }});
    table.push_back({"FormatFixedTrim", 1, "V", [](const CalcArgs& a) {
                         return CalcText1(FormatFixedTrim(CalcNumber(a[0]), '.'));
                     }});
    table.push_back({"NiceTickStep", 2, "A B", [](const CalcArgs& a) {
                         Extended start = 0;
                         Extended step = 0;
                         if (!NiceTickStep(start, step, CalcNumber(a[0]), CalcNumber(a[1]))) {
                             return CalcFail();
                         }
                         return CalcOutcome{true, {CalcText(start), CalcText(step)}};
                     }});
    table.push_back({"FirstTickAbove", 2, "X STEP", [](const CalcArgs& a) {
                         return FiniteValue(FirstTickAbove(CalcNumber(a[0]), CalcNumber(a[1])));
                     }});
    table.push_back({"LastTickBelow", 2, "X STEP", [](const CalcArgs& a) {
                         return FiniteValue(LastTickBelow(CalcNumber(a[0]), CalcNumber(a[1])));
                     }});
}

}  // namespace tabulon::cli
