// calc functions of the probability distributions: one entry per function, arguments in
// the order the function takes them.
#include <cmath>

#include "calc_table.h"
#include "numeric/distributions.h"

namespace tabulon::cli {
namespace {

// A value no window would show (an overflowing Γ, a NaN) is a failure, not a number.
CalcOutcome FiniteValue(Extended value) {
    return std::isfinite(value) ? CalcValue(value) : CalcFail();
}

}  // namespace

void AddDistributionEntries(std::vector<CalcEntry>& table) {
    table.push_back({"NormalCdf", 1, "Z",
                     [](const CalcArgs& a) { return FiniteValue(NormalCdf(CalcNumber(a[0]))); }});
    table.push_back({"NormalQuantile", 1, "P", [](const CalcArgs& a) {
                         return FiniteValue(NormalQuantile(CalcNumber(a[0])));
                     }});
    table.push_back({"NormalQuantileFast", 1, "P", [](const CalcArgs& a) {
                         return FiniteValue(NormalQuantileFast(CalcNumber(a[0])));
                     }});
    table.push_back({"TCdf", 2, "DF T", [](const CalcArgs& a) {
                         return FiniteValue(TCdf(CalcInteger(a[0]), CalcNumber(a[1])));
                     }});
    table.push_back({"TQuantile", 2, "DF P", [](const CalcArgs& a) {
                         return FiniteValue(TQuantile(CalcInteger(a[0]), CalcNumber(a[1])));
                     }});
    table.push_back({"FQuantile", 3, "DF1 DF2 P", [](const CalcArgs& a) {
                         return FiniteValue(
                             FQuantile(CalcInteger(a[0]), CalcInteger(a[1]), CalcNumber(a[2])));
                     }});
    table.push_back({"ChiSquareQuantile", 2, "DF P", [](const CalcArgs& a) {
                         return FiniteValue(ChiSquareQuantile(CalcInteger(a[0]), CalcNumber(a[1])));
                     }});
    table.push_back({"GammaHalf", 1, "X",
                     [](const CalcArgs& a) { return FiniteValue(GammaHalf(CalcNumber(a[0]))); }});
    table.push_back({"BetaHalf", 2, "A B", [](const CalcArgs& a) {
                         return FiniteValue(BetaHalf(CalcNumber(a[0]), CalcNumber(a[1])));
                     }});
    table.push_back({"NormalShape", 3, "S M X", [](const CalcArgs& a) {
                         return FiniteValue(
                             NormalShape(CalcNumber(a[0]), CalcNumber(a[1]), CalcNumber(a[2])));
                     }});
    table.push_back({"TShape", 2, "DF X", [](const CalcArgs& a) {
                         return FiniteValue(TShape(CalcInteger(a[0]), CalcNumber(a[1])));
                     }});
    table.push_back({"ChiSquareDensity", 2, "DF X", [](const CalcArgs& a) {
                         return FiniteValue(ChiSquareDensity(CalcInteger(a[0]), CalcNumber(a[1])));
                     }});
    table.push_back({"FDensity", 3, "DF1 DF2 X", [](const CalcArgs& a) {
                         return FiniteValue(
                             FDensity(CalcInteger(a[0]), CalcInteger(a[1]), CalcNumber(a[2])));
                     }});
    table.push_back({"SignedRankProbability", 2, "N T", [](const CalcArgs& a) {
                         return FiniteValue(
                             SignedRankProbability(CalcInteger(a[0]), CalcNumber(a[1])));
                     }});
}

}  // namespace tabulon::cli
