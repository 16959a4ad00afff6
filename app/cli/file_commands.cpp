// `tabulon-cli info FILE` and `tabulon-cli convert IN OUT`: the worksheet files without a window.
#include "file_commands.h"

#include <iostream>

#include "base/language.h"
#include "worksheet/worksheet_file.h"

namespace tabulon::cli {
namespace {

int UsageError(const char* usage) {
    std::cerr << "usage: tabulon-cli " << usage << '\n';
    return 2;
}

}  // namespace

int RunInfo(const std::vector<std::string>& args) {
    constexpr const char* kUsage = "info FILE [--titles]";
    std::vector<std::string> names;
    TextImportOptions import;
    for (const std::string& arg : args) {
        if (arg == "--titles") {
            import.column_captions = true;
        } else if (arg.rfind("--", 0) == 0) {
            return UsageError(kUsage);
        } else {
            names.push_back(arg);
        }
    }
    if (names.size() != 1) return UsageError(kUsage);
    const LoadResult loaded = LoadWorksheet(names[0], import);
    if (!loaded.ok) {
        std::cerr << loaded.error << '\n';
        return 1;
    }
    const Worksheet& sheet = loaded.sheet;
    const std::string columns = std::to_string(sheet.columnCount());
    const std::string rows = std::to_string(sheet.rowCount());
    std::cout << ChooseText("Grid: " + columns + " columns, " + rows + " rows",
                            "Rutnät: " + columns + " kolumner, " + rows + " rader")
              << '\n';
    for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
        const auto& cells = sheet.columnCells(c);
        std::size_t filled = 0;
        for (std::size_t r = Worksheet::kFixedRows; r < cells.size(); ++r) {
            if (!cells[r].empty()) ++filled;
        }
        if (filled == 0) continue;  // not a data column
        std::cout << sheet.cell(c, 0) << '\t' << sheet.cell(c, 1) << '\t' << filled << '\n';
    }
    return 0;
}

int RunConvert(const std::vector<std::string>& args) {
    constexpr const char* kUsage = "convert IN OUT [--titles] [--column-captions] [--row-captions]";
    std::vector<std::string> names;
    bool titles = false;
    TextImportOptions import;
    for (const std::string& arg : args) {
        if (arg == "--titles") {
            titles = true;
        } else if (arg == "--column-captions") {
            import.column_captions = true;
        } else if (arg == "--row-captions") {
            import.row_captions = true;
        } else if (arg.rfind("--", 0) == 0) {
            return UsageError(kUsage);
        } else {
            names.push_back(arg);
        }
    }
    if (names.size() != 2) return UsageError(kUsage);
    const LoadResult loaded = LoadWorksheet(names[0], import);
    if (!loaded.ok) {
        std::cerr << loaded.error << '\n';
        return 1;
    }
    const SaveResult saved = SaveWorksheet(loaded.sheet, names[1], titles);
    if (!saved.ok) {
        std::cerr << saved.error << '\n';
        return 1;
    }
    return 0;
}

}  // namespace tabulon::cli
