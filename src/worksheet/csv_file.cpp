// Comma- or semicolon-separated files (.csv, RFC 4180 quoting).
#include "worksheet/csv_file.h"

#include <algorithm>
#include <vector>

#include "base/language.h"
#include "worksheet/memory_limit.h"
#include "worksheet/parallel_load.h"
#include "worksheet/text_helpers.h"

namespace tabulon {
namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// The records of a .csv text as one list of fields and the index past each record's last.
struct CsvRecords {
    std::vector<std::string> fields;
    std::vector<std::size_t> ends;
};

bool SplitCsv(std::string_view text, char separator, CsvRecords& out) {
    std::size_t pos = 0;
    const std::size_t n = text.size();
    while (pos < n) {
        // One record: fields until a line end outside quotes or the end of the text.
        for (;;) {
            std::string field;
            if (pos < n && text[pos] == '"') {
                ++pos;
                for (;;) {
                    const std::size_t quote = text.find('"', pos);
                    if (quote == std::string_view::npos) return false;  // never closed
                    field.append(text.substr(pos, quote - pos));
                    pos = quote + 1;
                    if (pos < n && text[pos] == '"') {
                        field.push_back('"');
                        ++pos;
                    } else {
                        break;
                    }
                }
                if (pos < n && text[pos] != separator && !IsLineEnd(text[pos])) return false;
            } else {
                const std::size_t start = pos;
                while (pos < n && text[pos] != separator && !IsLineEnd(text[pos])) ++pos;
                field.assign(text.substr(start, pos - start));
            }
            out.fields.push_back(std::move(field));
            if (pos < n && text[pos] == separator) {
                ++pos;
                continue;  // a separator at the very end still opens an (empty) field
            }
            break;
        }
        // CR LF, LF or a lone CR ends the record.
        if (pos < n && text[pos] == '\r') ++pos;
        if (pos < n && text[pos] == '\n') ++pos;
        out.ends.push_back(out.fields.size());
    }
    return true;
}

}  // namespace

char CsvSeparatorFor(char decimal_separator) {
    return decimal_separator == ',' ? ';' : ',';
}

char DetectCsvSeparator(std::string_view text, char decimal_separator) {
    std::size_t commas = 0;
    std::size_t semicolons = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            quoted = !quoted;  // a doubled quote toggles twice
        } else if (!quoted) {
            if (IsLineEnd(c)) break;
            if (c == ',') ++commas;
            if (c == ';') ++semicolons;
        }
    }
    if (commas > semicolons) return ',';
    if (semicolons > commas) return ';';
    return CsvSeparatorFor(decimal_separator);
}

namespace {

// A .csv file without a single quote is a delimited text like a tab-separated one: its
// records are its lines and every separator ends one field, so it is read the same way, on
// several cores and with every cell written once.
LoadResult ParseUnquotedCsv(std::string_view text, const TextImportOptions& options,
                            unsigned threads) {
    const std::vector<LineSpan> lines = SplitLines(text, threads);
    constexpr std::size_t kLimit = static_cast<std::size_t>(kMaxSheetCount) - 2;
    if (lines.size() > kLimit) return FileFormatError();
    DelimitedLayout layout;
    layout.separator = DecimalSeparator();
    layout.delimiter = DetectCsvSeparator(text, layout.separator);
    layout.first_row = options.column_captions ? 1 : 2;
    layout.first_column = options.row_captions ? 1 : 2;
    // Exactly as large as the records need (see ParseCsvFile).
    layout.rows = std::max<std::size_t>(layout.first_row + lines.size(), Worksheet::kFixedRows);
    const std::uint64_t sheet_columns =
        layout.first_column + WidestLine(text, lines, layout.delimiter, threads);
    if (!SheetFitsInMemory(sheet_columns, layout.rows)) {
        return NotEnoughMemory(sheet_columns, layout.rows);
    }
    std::vector<CellColumn> columns;
    if (!BuildDelimitedColumns(text, lines, layout, threads, columns)) return FileFormatError();
    LoadResult result;
    result.kind = WorksheetFileKind::Csv;
    result.sheet = Worksheet::FromColumns(std::move(columns));
    result.sheet.renumberColumns();
    result.ok = true;
    return result;
}

}  // namespace

LoadResult ParseCsvFileInThreads(std::string_view text, const TextImportOptions& options,
                                 unsigned threads) {
    if (threads > 0 && text.find('"') == std::string_view::npos) {
        return ParseUnquotedCsv(text, options, threads);
    }
    return ParseQuotedCsv(text, options);
}

LoadResult ParseCsvFile(std::string_view text, const TextImportOptions& options) {
    return ParseCsvFileInThreads(text, options, LoadThreadCount(text.size()));
}

LoadResult ParseQuotedCsv(std::string_view text, const TextImportOptions& options) {
    const char decimal_separator = DecimalSeparator();
    CsvRecords records;
    if (!SplitCsv(text, DetectCsvSeparator(text, decimal_separator), records)) {
        return FileFormatError();
    }
    std::size_t widest = 0;
    std::size_t begin = 0;
    for (std::size_t end : records.ends) {
        widest = std::max(widest, end - begin);
        begin = end;
    }
    constexpr std::size_t kLimit = static_cast<std::size_t>(kMaxSheetCount) - 2;
    if (records.ends.size() > kLimit || widest > kLimit) return FileFormatError();
    if (!SheetFitsInMemory(2 + widest, 2 + records.ends.size())) {
        return NotEnoughMemory(2 + widest, 2 + records.ends.size());
    }

    const int first_row = options.column_captions ? 1 : 2;
    const int first_column = options.row_captions ? 1 : 2;
    LoadResult result;
    result.kind = WorksheetFileKind::Csv;
    // Exactly as large as the records need, so that a sheet written with captions and read
    // with both boxes checked comes back at its own size.
    result.sheet = Worksheet(first_column + static_cast<int>(widest),
                             first_row + static_cast<int>(records.ends.size()));
    result.sheet.renumber();
    begin = 0;
    for (std::size_t i = 0; i < records.ends.size(); ++i) {
        const int row = first_row + static_cast<int>(i);
        for (std::size_t f = begin; f < records.ends[i]; ++f) {
            const int column = first_column + static_cast<int>(f - begin);
            std::string& field = records.fields[f];
            if (row >= 2 && column >= 2) AdjustDecimalSeparatorInPlace(field, decimal_separator);
            result.sheet.mutableColumnCells(column)[static_cast<std::size_t>(row)] = field;
        }
        begin = records.ends[i];
    }
    result.ok = true;
    return result;
}

std::string FormatCsvFile(const Worksheet& sheet, bool captions) {
    const char separator = CsvSeparatorFor(DecimalSeparator());
    const char other = separator == ',' ? ';' : ',';
    const int first_column = captions ? 1 : Worksheet::kFixedColumns;
    const int first_row = captions ? 1 : Worksheet::kFixedRows;
    std::string text;
    for (int r = first_row; r < sheet.rowCount(); ++r) {
        for (int c = first_column; c < sheet.columnCount(); ++c) {
            if (c > first_column) text.push_back(separator);
            const std::string_view cell = sheet.cell(c, r);
            const char specials[] = {separator, '"', '\r', '\n'};
            const bool quote = cell.find_first_of(std::string_view(specials, sizeof specials)) !=
                                   std::string_view::npos ||
                               (r == first_row && cell.find(other) != std::string_view::npos);
            if (!quote) {
                text.append(cell);
                continue;
            }
            text.push_back('"');
            for (char ch : cell) {
                if (ch == '"') text.push_back('"');
                text.push_back(ch);
            }
            text.push_back('"');
        }
        text.append("\r\n");
    }
    return text;
}

SaveResult SaveCsvFile(const Worksheet& sheet, std::string_view file_name, bool captions) {
    SaveResult result;
    result.kind = WorksheetFileKind::Csv;
    result.file_name = std::string(file_name);
    result.ok = WriteFileAtomically(result.file_name,
                                    EncodeFileText(FormatCsvFile(sheet, captions)), result.error);
    return result;
}

}  // namespace tabulon
