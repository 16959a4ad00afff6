// `tabulon-cli print`: the worksheet of a file printed into a PDF as Arkiv > Skriv ut does.
#pragma once

#include <string>

#include "graphs/print_grid.h"

namespace tabulon::cli {

// Writes every page of `grid` into the PDF file `out`; false with the reason in `error`.
// Built without Qt it always refuses.
bool WriteTablePdf(const PrintGrid& grid, const std::string& out, std::string& error);

}  // namespace tabulon::cli
