// Tab-separated text files: export of the sheet and import into a new sheet.
#include "worksheet/text_file.h"

#include <algorithm>
#include <vector>

#include "shell/language.h"
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

namespace {

// The cells of fields [first_field, end_field) of every line, one column per field: the
// share of one thread. Each thread fills whole columns from top to bottom, so that every
// cell is written once, by the thread that also takes the page faults of its memory.
struct TextColumns {
    std::vector<std::vector<std::string>> columns;
    bool too_wide = false;  // a line with more fields than a sheet may have columns
};

struct TextLayout {
    std::string_view text;
    const std::vector<LineSpan>* lines;
    std::size_t rows;
    std::size_t first_row;
    std::size_t first_column;
    char separator;
    char foreign;
};

void FillTextColumns(const TextLayout& layout, std::size_t first_field, std::size_t end_field,
                     TextColumns& out) {
    using field_scan::Field;
    constexpr std::size_t kLimit = static_cast<std::size_t>(kMaxSheetCount) - 2;
    auto& columns = out.columns;
    const char* const text = layout.text.data();
    const char* const limit = text + layout.text.size();
    std::size_t row = layout.first_row;
    auto add_column = [&] {
        auto& column = columns.emplace_back();
        column.reserve(layout.rows);
        AdviseLargeFill(column.data(), layout.rows * sizeof(std::string));
        column.resize(row);
    };
    const bool data_rows_from_start = row >= 2;
    for (const LineSpan& line : *layout.lines) {
        const char* const end = text + line.end;
        const char* const p = field_scan::SkipFields(text + line.begin, end, limit, first_field);
        std::size_t filled = 0;
        const bool data_row = data_rows_from_start || row >= 2;
        if (p && first_field < end_field) {
            field_scan::ForEachField(p, end, limit, layout.separator, layout.foreign,
                                     [&](const Field& field) {
                const std::size_t c = layout.first_column + first_field + filled;
                if (filled == columns.size()) {
                    if (c >= kLimit) {
                        out.too_wide = true;
                        return false;
                    }
                    add_column();  // a line wider than all before it
                }
                std::string& cell = columns[filled++].emplace_back(field.begin, field.end);
                if (data_row && c >= 2 && field.first_foreign && !field.has_separator) {
                    cell[static_cast<std::size_t>(field.first_foreign - field.begin)] =
                        layout.separator;
                }
                return first_field + filled < end_field;
            });
            if (out.too_wide) return;
        }
        for (; filled < columns.size(); ++filled) columns[filled].emplace_back();
        ++row;
    }
    for (auto& column : columns) column.resize(layout.rows);
}

}  // namespace

LoadResult ParseTextFileInThreads(std::string_view text, const TextImportOptions& options,
                                  unsigned threads) {
    threads = std::max(1u, threads);
    const std::vector<LineSpan> lines = SplitLines(text, threads);
    // Each line and field takes at least one byte, so the counts fit whenever the file does;
    // the int limit of the sheet is the only one left to check.
    constexpr std::size_t kLimit = static_cast<std::size_t>(kMaxSheetCount) - 2;
    if (lines.size() > kLimit) return FileFormatError();

    TextLayout layout;
    layout.text = text;
    layout.lines = &lines;
    layout.rows = lines.size() + 2;
    layout.first_row = options.column_captions ? 1 : 2;
    layout.first_column = options.row_captions ? 1 : 2;
    layout.separator = DecimalSeparator();
    layout.foreign = layout.separator == ',' ? '.' : ',';

    // Threads take equal ranges of the fields the first lines have; the last one also takes
    // whatever lies beyond, so a wider line further down is never lost, only less shared.
    std::size_t sample_fields = 1;
    for (std::size_t i = 0; i < lines.size() && i < 64; ++i) {
        const std::string_view line = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
        sample_fields = std::max<std::size_t>(
            sample_fields, 1 + static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t')));
    }
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, sample_fields));
    std::vector<TextColumns> shares(threads);
    std::vector<std::vector<std::string>> leading(layout.first_column);
    RunInThreads(threads, [&](unsigned t) {
        if (t == 0) {
            for (auto& column : leading) column.resize(layout.rows);
        }
        const std::size_t first_field = sample_fields * t / threads;
        const std::size_t end_field =
            t + 1 == threads ? std::size_t(-1) : sample_fields * (t + 1) / threads;
        FillTextColumns(layout, first_field, end_field, shares[t]);
    });

    std::vector<std::vector<std::string>> columns = std::move(leading);
    for (TextColumns& share : shares) {
        if (share.too_wide) return FileFormatError();
        for (auto& column : share.columns) columns.push_back(std::move(column));
    }
    // Two columns and rows more than the widest line has fields and the file has lines,
    // whichever boxes are checked.
    const std::size_t widest = columns.size() - layout.first_column;
    while (columns.size() < widest + 2) columns.emplace_back(layout.rows);

    LoadResult result;
    result.kind = WorksheetFileKind::Text;
    result.sheet = Worksheet::FromColumns(std::move(columns));
    result.sheet.renumber();
    result.ok = true;
    return result;
}

LoadResult ParseTextFile(std::string_view text, const TextImportOptions& options) {
    return ParseTextFileInThreads(text, options, LoadThreadCount(text.size()));
}

}  // namespace tabulon
