// The columns chosen for a calibration model or a PCA and the rows read from them: the
// z-variable, the x-variables, and the values of every row in which all of them are numbers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "numeric/extended.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// The factor table (ResidualRms) has an entry for k = 0 .. p in 128 places, so a model takes
// at most 127 x-variables; more are refused before anything is computed.
inline constexpr int kMaxModelVariables = 127;

// A column's entry in the modelling window's lists: its number line, ":", its caption
// ("3:Vikt"). The part after the first ":" is the variable's display name.
std::string ModelColumnEntry(const Worksheet& sheet, int column);
// The entries of every data column (a column with a value below its caption), in column order:
// what both lists of the column choice offer.
std::vector<std::string> ModelColumnEntries(const Worksheet& sheet);

struct ModelColumns {
    std::string ZName;                // the z-variable's entry; empty for PCA
    int ZColumn = 0;                  // its grid column; 0 for PCA
    std::vector<std::string> XNames;  // the x-variables' entries, in the order chosen
    std::vector<int> XColumns;        // their grid columns, in the same order
};

// The columns, or why none can be used (current language): an entry that names no column,
// no x-variable, one chosen twice, or more than 127.
struct ModelColumnsRead {
    std::optional<ModelColumns> columns;
    std::string refusal;
};
// From the lists' entries: z the last column whose entry equals `z_entry` (empty for PCA),
// each x the column whose entry equals it.
ModelColumnsRead ReadModelColumns(const Worksheet& sheet, const std::string& z_entry,
                                  const std::vector<std::string>& x_entries);
// From grid columns (tabulon-cli names them by number or caption); z_column 0 for PCA.
ModelColumnsRead ModelColumnsOf(const Worksheet& sheet, int z_column,
                                const std::vector<int>& x_columns);

// The valid rows: those of grid rows 2 .. LastDataRow in which the z cell (when there is a
// z-variable) and every x cell convert to numbers. Any other row takes no part, silently;
// rows keep their worksheet order.
struct ModelData {
    int n = 0;  // DataCount
    int p = 0;  // VarCount
    bool has_response = true;
    // Column-major, n values per variable: x_1 .. x_p, then z when there is one.
    std::vector<Extended> values;
    std::vector<int> rows;            // the grid row of each valid row
    int last_row = 1;                 // the last grid row the run covers (the result grid's end)
    std::vector<std::string> ZTexts;  // the z cell of each valid row, as it stands

    int Variables() const { return has_response ? p + 1 : p; }
    // Variable j (0-based; j == p is z): its n values.
    const Extended* Column(int j) const { return values.data() + static_cast<std::size_t>(j) * n; }
    Extended X(int row, int j) const { return Column(j)[row]; }
    Extended Z(int row) const { return Column(p)[row]; }
};

ModelData LoadModelData(const Worksheet& sheet, const ModelColumns& columns,
                        char decimal_separator);

// Values already in hand (tests, benchmarks): x[j][i] and z[i]; rows numbered 2, 3, ...
ModelData MakeModelData(const std::vector<std::vector<Extended>>& x,
                        const std::vector<Extended>& z);

}  // namespace tabulon
