// calc functions of the formula evaluator: Evaluate TEXT and EvaluateAt TEXT X.
#include "calc_table.h"
#include "numeric/evaluator.h"

namespace tabulon::cli {

void AddEvaluatorEntries(std::vector<CalcEntry>& table) {
    table.push_back({"Evaluate", 1, "TEXT", [](const CalcArgs& a) {
                         Extended value = 0;
                         return Evaluate(a[0], value) ? CalcValue(value) : CalcFail();
                     }});
    table.push_back({"EvaluateAt", 2, "TEXT X", [](const CalcArgs& a) {
                         const Extended x = CalcNumber(a[1]);
                         Extended value = 0;
                         return EvaluateAt(a[0], value, x) ? CalcValue(value) : CalcFail();
                     }});
}

}  // namespace tabulon::cli
