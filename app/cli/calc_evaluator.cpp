// calc functions of this topic (filled in as the topic is built).
#include "calc_table.h"

namespace tabulon::cli {

void AddEvaluatorEntries(std::vector<CalcEntry>& /*table*/) {}

}  // namespace tabulon::cli
