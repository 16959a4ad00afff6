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
    // First pass: the size, so the sheet is made once at its final size.
    std::size_t lines = 0;
    std::size_t widest = 0;
    {
        LineCursor cursor(text);
        std::string_view line;
        while (cursor.next(line)) {
            ++lines;
            const std::size_t fields =
                1 + static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t'));
            widest = std::max(widest, fields);
        }
    }
    // Each line and field takes at least one byte, so these fit whenever the file does; the
    // int limit of the sheet is the only one left to check.
    constexpr std::size_t kLimit = static_cast<std::size_t>(kMaxSheetCount) - 2;
    if (lines > kLimit || widest > kLimit) return FileFormatError();

    LoadResult result;
    result.kind = WorksheetFileKind::Text;
    // A fresh sheet is already empty, which is all ResetWorksheet would add here.
    result.sheet = Worksheet(static_cast<int>(widest) + 2, static_cast<int>(lines) + 2);
    result.sheet.renumber();
    const std::size_t first_row = options.column_captions ? 1 : 2;
    const std::size_t first_column = options.row_captions ? 1 : 2;
    std::vector<std::string*> column_cells;
    for (int c = 0; c < result.sheet.columnCount(); ++c) {
        column_cells.push_back(result.sheet.mutableColumnCells(c).data());
    }
    const char separator = DecimalSeparator();
    LineCursor cursor(text);
    std::string_view line;
    for (std::size_t row = first_row; cursor.next(line); ++row) {
        const bool data_row = row >= 2;
        std::size_t column = first_column;
        const char* p = line.data();
        const char* const end = p + line.size();
        for (;;) {
            const char* tab = static_cast<const char*>(std::memchr(p, '\t', end - p));
            const char* field_end = tab ? tab : end;
            std::string& cell = column_cells[column][row];
            cell.assign(p, field_end);
            if (data_row && column >= 2) AdjustDecimalSeparatorInPlace(cell, separator);
            if (!tab) break;
            p = tab + 1;
            ++column;
        }
    }
    result.ok = true;
    return result;
}

}  // namespace tabulon
