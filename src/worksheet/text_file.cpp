// Tab-separated text files: export of the sheet and import into a new sheet.
#include "worksheet/text_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "shell/language.h"
#include "worksheet/file_lines.h"
#include "worksheet/text_helpers.h"

namespace tabulon {

bool FormatTextFile(const Worksheet& sheet, bool titles, std::string& text, std::string& error) {
    const int first = titles ? 0 : Worksheet::kFixedColumns;
    const int first_row = titles ? 0 : Worksheet::kFixedRows;
    const int columns = sheet.columnCount();
    const int rows = sheet.rowCount();
    std::size_t size = 0;
    for (int c = first; c < columns; ++c) {
        for (const std::string& cell : sheet.columnCells(c)) size += cell.size() + 1;
    }
    text.clear();
    text.reserve(size + 2 * static_cast<std::size_t>(rows));
    std::vector<const std::string*> column_cells;
    for (int c = first; c < columns; ++c) column_cells.push_back(sheet.columnCells(c).data());
    bool last_line_empty = false;
    for (int r = first_row; r < rows; ++r) {
        if (r > first_row) text.append("\r\n");
        const std::size_t line_start = text.size();
        for (std::size_t i = 0; i < column_cells.size(); ++i) {
            const std::string& cell = column_cells[i][r];
            if (cell.find_first_of("\t\r\n") != std::string::npos) {
                error = CellCannotBeSavedText(first + static_cast<int>(i), r, true);
                return false;
            }
            if (i > 0) text.push_back('\t');
            text.append(cell);
        }
        last_line_empty = text.size() == line_start;
    }
    if (last_line_empty) text.append("\r\n");
    return true;
}

bool TitlesAnswerIsYes(std::string_view answer) {
    return answer == "Y" || answer == "y" || answer == "J" || answer == "j";
}

SaveResult SaveTextFile(const Worksheet& sheet, std::string_view file_name, bool titles) {
    SaveResult result;
    result.kind = WorksheetFileKind::Text;
    result.file_name = std::string(file_name);
    std::string text;
    if (!FormatTextFile(sheet, titles, text, result.error)) return result;
    result.ok =
        WriteFileAtomically(result.file_name, EncodeFileText(std::move(text)), result.error);
    return result;
}

LoadResult ParseTextFile(std::string_view text, const TextImportOptions& options) {
    // The line count first, so that every column is allocated once at its final length.
    const std::size_t lines = CountLines(text);
    // Each line and field takes at least one byte, so the counts fit whenever the file does;
    // the int limit of the sheet is the only one left to check.
    constexpr std::size_t kLimit = static_cast<std::size_t>(kMaxSheetCount) - 2;
    if (lines > kLimit) return FileFormatError();

    // Cells are built in place, row by row, at the end of their columns: writing into a
    // sheet made empty beforehand would pass over its memory twice.
    const std::size_t rows = lines + 2;
    const std::size_t first_row = options.column_captions ? 1 : 2;
    const std::size_t first_column = options.row_captions ? 1 : 2;
    std::vector<std::vector<std::string>> columns;
    std::size_t row = 0;
    auto add_column = [&] {
        columns.emplace_back();
        columns.back().reserve(rows);
        columns.back().resize(row);
    };
    add_column();
    add_column();
    for (; row < first_row; ++row) {
        for (auto& column : columns) column.emplace_back();
    }

    const char separator = DecimalSeparator();
    const char foreign = separator == ',' ? '.' : ',';
    std::size_t widest = 0;
    LineCursor cursor(text);
    std::string_view line;
    for (; cursor.next(line); ++row) {
        const bool data_row = row >= 2;
        std::size_t c = first_column;
        const char* p = line.data();
        const char* const end = p + line.size();
        // One pass over the bytes of each field finds its end and what the separator
        // adjustment needs; fields are short, so a call per search would cost more.
        for (;; ++c) {
            const char* q = p;
            const char* first_foreign = nullptr;
            bool has_separator = false;
            for (; q != end && *q != '\t'; ++q) {
                if (*q == foreign && !first_foreign) first_foreign = q;
                has_separator |= *q == separator;
            }
            if (c >= columns.size()) {
                if (columns.size() >= kLimit) return FileFormatError();
                add_column();  // a line wider than all before it
            }
            std::string& cell = columns[c].emplace_back(p, q);
            if (data_row && c >= 2 && first_foreign && !has_separator) {
                cell[static_cast<std::size_t>(first_foreign - p)] = separator;
            }
            if (q == end) break;
            p = q + 1;
        }
        widest = std::max(widest, c + 1 - first_column);
        for (std::size_t k = 0; k < first_column; ++k) columns[k].emplace_back();
        for (std::size_t k = c + 1; k < columns.size(); ++k) columns[k].emplace_back();
    }
    // Two columns and rows more than the widest line has fields and the file has lines,
    // whichever boxes are checked.
    while (columns.size() < widest + 2) add_column();
    for (; row < rows; ++row) {
        for (auto& column : columns) column.emplace_back();
    }

    LoadResult result;
    result.kind = WorksheetFileKind::Text;
    result.sheet = Worksheet::FromColumns(std::move(columns));
    result.sheet.renumber();
    result.ok = true;
    return result;
}

}  // namespace tabulon
