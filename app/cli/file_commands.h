// `tabulon-cli info FILE` and `tabulon-cli convert IN OUT`: the worksheet files without a window.
#pragma once

#include <string>
#include <vector>

namespace tabulon::cli {

// Prints the grid size and, per data column, its number, caption and count of filled cells.
// --titles reads the first line of a text or .csv file as the column captions.
// Returns the exit status: 0, 1 when the file is refused, 2 for usage errors.
int RunInfo(const std::vector<std::string>& args);

// Reads IN (any supported file) and writes OUT by its name, as Spara som would.
// Options: --titles (a text export with titles, a .csv with captions), --column-captions
// and --row-captions (the import dialog's boxes for a text or .csv IN).
int RunConvert(const std::vector<std::string>& args);

}  // namespace tabulon::cli
