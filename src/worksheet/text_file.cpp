// Tab-separated text files: export of the sheet and import into a new sheet.
#include "worksheet/text_file.h"

#include <algorithm>
#include <vector>

#include "base/language.h"
#include "worksheet/memory_limit.h"
#include "worksheet/parallel_load.h"
#include "worksheet/text_helpers.h"

namespace tabulon {

bool FormatTextFile(const Worksheet& sheet, bool titles, std::string& text, std::string& error) {
    const int first = titles ? 0 : Worksheet::kFixedColumns;
    const int first_row = titles ? 0 : Worksheet::kFixedRows;
    const int columns = sheet.columnCount();
    const int rows = sheet.rowCount();
    std::size_t size = 0;
    for (int c = first; c < columns; ++c) {
        for (const CellText& cell : sheet.columnCells(c)) size += cell.size() + 1;
    }
    text.clear();
    text.reserve(size + 2 * static_cast<std::size_t>(rows));
    std::vector<const CellText*> column_cells;
    for (int c = first; c < columns; ++c) column_cells.push_back(sheet.columnCells(c).data());
    bool last_line_empty = false;
    for (int r = first_row; r < rows; ++r) {
        if (r > first_row) text.append("\r\n");
        const std::size_t line_start = text.size();
        for (std::size_t i = 0; i < column_cells.size(); ++i) {
            const std::string_view cell = column_cells[i][r].view();
            if (cell.find_first_of("\t\r\n") != std::string_view::npos) {
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

LoadResult ParseTextFileInThreads(std::string_view text, const TextImportOptions& options,
                                  unsigned threads) {
    threads = std::max(1u, threads);
    const std::vector<LineSpan> lines = SplitLines(text, threads);
    // Each line and field takes at least one byte, so the counts fit whenever the file does;
    // the int limit of the sheet is the only one left to check.
    constexpr std::size_t kLimit = static_cast<std::size_t>(kMaxSheetCount) - 2;
    if (lines.size() > kLimit) return FileFormatError();

    DelimitedLayout layout;
    layout.delimiter = '\t';
    layout.rows = lines.size() + 2;
    layout.first_row = options.column_captions ? 1 : 2;
    layout.first_column = options.row_captions ? 1 : 2;
    layout.separator = DecimalSeparator();
    // A short file can still describe a huge sheet: one long line of tabs and many short
    // lines make a rectangle of their product.
    // The sheet gets two columns more than the widest line has fields (see below).
    const std::uint64_t sheet_columns = WidestLine(text, lines, layout.delimiter, threads) + 2;
    if (!SheetFitsInMemory(sheet_columns, layout.rows)) {
        return NotEnoughMemory(sheet_columns, layout.rows);
    }
    std::vector<CellColumn> columns;
    if (!BuildDelimitedColumns(text, lines, layout, threads, columns)) return FileFormatError();
    // Two columns and rows more than the widest line has fields and the file has lines,
    // whichever boxes are checked.
    const std::size_t widest = columns.size() - layout.first_column;
    while (columns.size() < widest + 2) columns.emplace_back(layout.rows);

    LoadResult result;
    result.kind = WorksheetFileKind::Text;
    result.sheet = Worksheet::FromColumns(std::move(columns));
    result.sheet.renumberColumns();
    result.ok = true;
    return result;
}

LoadResult ParseTextFile(std::string_view text, const TextImportOptions& options) {
    return ParseTextFileInThreads(text, options, LoadThreadCount(text.size()));
}

}  // namespace tabulon
