// Worksheet files (.tbn versions 1.0, 1.1 and 2.0) and the dispatch by file name.
#include "worksheet/worksheet_file.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>
#include <vector>

#include "base/language.h"
#include "numeric/number_text.h"
#include "worksheet/csv_file.h"
#include "worksheet/file_lines.h"
#include "worksheet/memory_limit.h"
#include "worksheet/parallel_load.h"
#include "worksheet/text_file.h"
#include "worksheet/text_helpers.h"

namespace tabulon {
namespace {

constexpr int kSkippedLines = 49;

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string_view LastFive(std::string_view name) {
    return name.size() <= 5 ? name : name.substr(name.size() - 5);
}

// A count or width line: an integer in [minimum, maximum], else nothing.
bool ReadNumberLine(LineCursor& cursor, int minimum, int maximum, int& value) {
    std::string_view line;
    if (!cursor.next(line)) return false;
    const std::optional<int> parsed = ParseInteger(line);
    if (!parsed || *parsed < minimum || *parsed > maximum) return false;
    value = *parsed;
    return true;
}

// True when at least `needed` more lines follow; stops counting there.
bool HasLines(const LineCursor& cursor, std::int64_t needed) {
    if (needed <= 0) return true;
    // Every line but the last takes at least one byte: a cheap bound before the count.
    const std::string_view rest = cursor.rest();
    if (needed > static_cast<std::int64_t>(rest.size()) + 1) return false;
    std::int64_t found = 0;
    field_scan::ForEachLine(rest.data(), rest.data() + rest.size(),
                            static_cast<std::size_t>(needed),
                            [&](const char*, const char*) { ++found; });
    return found == needed;
}

std::string ReadNotes(LineCursor& cursor) {
    std::string notes;
    std::string_view line;
    bool first = true;
    while (cursor.next(line)) {
        if (!first) notes.push_back('\n');
        notes.append(line);
        first = false;
    }
    return notes;
}

constexpr int kMaxCount = kMaxSheetCount;

LoadResult ParseVersion20(LineCursor& cursor, unsigned threads) {
    int columns = 0;
    int rows = 0;
    if (!ReadNumberLine(cursor, Worksheet::kFixedColumns, kMaxCount, columns) ||
        !ReadNumberLine(cursor, Worksheet::kFixedRows, kMaxCount, rows)) {
        return FileFormatError();
    }
    const std::int64_t needed =
        static_cast<std::int64_t>(columns) + static_cast<std::int64_t>(rows) * columns;
    if (!HasLines(cursor, needed)) return FileFormatError();
    if (!SheetFitsInMemory(columns, rows)) return NotEnoughMemory(columns, rows);

    std::vector<int> widths(static_cast<std::size_t>(columns));
    for (int& width : widths) {
        if (!ReadNumberLine(cursor, 0, std::numeric_limits<int>::max(), width)) {
            return FileFormatError();
        }
    }
    // One cell per line, row by row. Each thread walks all the cell lines and fills whole
    // columns of its own range from top to bottom, so every cell is written once, by the
    // thread that also takes the page faults of its memory.
    const std::string_view cells = cursor.rest();
    const char* const end = cells.data() + cells.size();
    const auto cell_count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
    threads = std::min(std::max(1u, threads), static_cast<unsigned>(columns));
    std::vector<CellColumn> built(static_cast<std::size_t>(columns));
    const char* notes_start = end;
    RunInThreads(threads, [&](unsigned t) {
        const auto first = static_cast<std::size_t>(columns) * t / threads;
        const auto last = static_cast<std::size_t>(columns) * (t + 1) / threads;
        for (std::size_t c = first; c < last; ++c) {
            built[c].reserve(static_cast<std::size_t>(rows));
            AdviseLargeFill(built[c].data(), static_cast<std::size_t>(rows) * sizeof(CellText));
        }
        std::size_t c = 0;
        const char* after = field_scan::ForEachLine(
            cells.data(), end, cell_count, [&](const char* begin, const char* line_end) {
                if (c >= first && c < last) built[c].emplace_back(begin, line_end, end);
                if (++c == static_cast<std::size_t>(columns)) c = 0;
            });
        if (t == 0) notes_start = after;
    });
    LoadResult result;
    result.sheet = Worksheet::FromColumns(std::move(built));
    for (int c = 0; c < columns; ++c) result.sheet.setColumnWidth(c, widths[c]);
    LineCursor notes(std::string_view(notes_start, static_cast<std::size_t>(end - notes_start)));
    result.sheet.setNotes(ReadNotes(notes));
    result.ok = true;
    return result;
}

// The old sheets had one fixed row and column (the captions); they move one step right and
// down, and the sheet keeps at least the start-up size.
LoadResult ParseVersion1(LineCursor& cursor, bool version11) {
    int old_columns = 0;
    int old_rows = 0;
    if (!ReadNumberLine(cursor, 1, kMaxCount, old_columns) ||
        !ReadNumberLine(cursor, 1, kMaxCount, old_rows)) {
        return FileFormatError();
    }
    const std::int64_t needed = static_cast<std::int64_t>(old_columns) +
                                static_cast<std::int64_t>(old_rows) * old_columns +
                                (version11 ? old_columns - 1 : 0);
    if (!HasLines(cursor, needed)) return FileFormatError();
    if (!SheetFitsInMemory(old_columns + 1ULL, old_rows + 1ULL)) {
        return NotEnoughMemory(old_columns + 1ULL, old_rows + 1ULL);
    }

    std::vector<int> widths(static_cast<std::size_t>(old_columns));
    for (int& width : widths) {
        if (!ReadNumberLine(cursor, 0, std::numeric_limits<int>::max(), width)) {
            return FileFormatError();
        }
    }
    LoadResult result;
    Worksheet& sheet = result.sheet;
    ResetWorksheet(sheet, old_columns < 20 ? 21 : old_columns + 1,
                   old_rows < 100 ? 101 : old_rows + 1);
    for (int k = 0; k < old_columns; ++k) sheet.setColumnWidth(k + 1, widths[k]);
    const char separator = DecimalSeparator();
    std::string_view line;
    for (int j = 0; j < old_rows; ++j) {
        for (int k = 0; k < old_columns; ++k) {
            cursor.next(line);
            CellText& cell = sheet.mutableColumnCells(k + 1)[static_cast<std::size_t>(j + 1)];
            cell = line;
            if (j >= 1 && k >= 1) AdjustDecimalSeparatorInPlace(cell, separator);
        }
        // Old sheets numbered their rows in the caption column; such a caption only repeats
        // the row number and is dropped.
        if (old_columns >= 2 && sheet.cell(0, j + 1) == sheet.cell(1, j + 1)) {
            sheet.setCell(1, j + 1, {});
        }
    }
    if (version11) cursor.skip(static_cast<std::size_t>(old_columns - 1));
    sheet.setNotes(ReadNotes(cursor));
    result.ok = true;
    return result;
}

}  // namespace

WorksheetFileKind LoadKindOf(std::string_view file_name) {
    const std::string lower = Lower(file_name);
    if (lower.find(".tbn") != std::string::npos) return WorksheetFileKind::Worksheet;
    if (lower.find(".txt") != std::string::npos) return WorksheetFileKind::Text;
    if (lower.find(".csv") != std::string::npos) return WorksheetFileKind::Csv;
    return WorksheetFileKind::Unknown;
}

WorksheetFileKind SaveKindOf(std::string_view file_name) {
    const std::string tail = Upper(LastFive(file_name));
    if (tail.find(".TXT") != std::string::npos) return WorksheetFileKind::Text;
    if (tail.find(".CSV") != std::string::npos) return WorksheetFileKind::Csv;
    return WorksheetFileKind::Worksheet;
}

std::string SaveFileName(std::string_view file_name) {
    std::string name(file_name);
    if (SaveKindOf(name) == WorksheetFileKind::Worksheet &&
        LastFive(name).find('.') == std::string_view::npos) {
        name += ".tbn";
    }
    return name;
}

LoadResult ParseWorksheetFile(std::string_view text) {
    return ParseWorksheetFileInThreads(text, LoadThreadCount(text.size()));
}

LoadResult ParseWorksheetFileInThreads(std::string_view text, unsigned threads) {
    LineCursor cursor(text);
    std::string_view header;
    if (!cursor.next(header)) return FileFormatError();
    const bool v20 = header == kWorksheetHeader20;
    const bool v10 = header == kWorksheetHeader10;
    const bool v11 = header == kWorksheetHeader11;
    if (!v20 && !v10 && !v11) return FileFormatError();
    if (cursor.skip(kSkippedLines) != kSkippedLines) return FileFormatError();
    LoadResult result = v20 ? ParseVersion20(cursor, threads) : ParseVersion1(cursor, v11);
    result.kind = WorksheetFileKind::Worksheet;
    return result;
}

bool FormatWorksheetFile(const Worksheet& sheet, std::string& text, std::string& error) {
    const int columns = sheet.columnCount();
    const int rows = sheet.rowCount();
    std::size_t size =
        64 + 2 * kSkippedLines + 8 * static_cast<std::size_t>(columns) + sheet.notes().size() + 2;
    for (int c = 0; c < columns; ++c) {
        for (const CellText& cell : sheet.columnCells(c)) size += cell.size() + 2;
    }
    text.clear();
    text.reserve(size);
    text.append(kWorksheetHeader20);
    text.append("\r\n");
    for (int i = 0; i < kSkippedLines; ++i) text.append("\r\n");
    auto line = [&](std::string_view s) {
        text.append(s);
        text.append("\r\n");
    };
    line(std::to_string(columns));
    line(std::to_string(rows));
    for (int c = 0; c < columns; ++c) line(std::to_string(sheet.columnWidth(c)));
    std::vector<const CellText*> column_cells(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c) {
        column_cells[static_cast<std::size_t>(c)] = sheet.columnCells(c).data();
    }
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const std::string_view cell = column_cells[static_cast<std::size_t>(c)][r].view();
            if (cell.find_first_of("\r\n") != std::string_view::npos) {
                error = CellCannotBeSavedText(c, r, false);
                return false;
            }
            line(cell);
        }
    }
    // One file line per memo line; a final line break in the memo is an empty last line.
    const std::string& notes = sheet.notes();
    if (!notes.empty()) {
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = notes.find_first_of("\r\n", start);
            if (end == std::string::npos) {
                line(std::string_view(notes).substr(start));
                break;
            }
            line(std::string_view(notes).substr(start, end - start));
            start = end + (notes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        }
    }
    return true;
}

LoadResult LoadWorksheet(const std::string& file_name, const TextImportOptions& import) {
    const WorksheetFileKind kind = LoadKindOf(file_name);
    if (kind == WorksheetFileKind::Unknown) return FileFormatError();
    std::string bytes;
    LoadResult failed;
    if (!ReadFileBytes(file_name, bytes, failed.error)) return failed;
    TextEncoding encoding = TextEncoding::Utf8;
    const std::string text = DecodeFileText(std::move(bytes), &encoding);
    LoadResult result = kind == WorksheetFileKind::Worksheet ? ParseWorksheetFile(text)
                        : kind == WorksheetFileKind::Text    ? ParseTextFile(text, import)
                                                             : ParseCsvFile(text, import);
    result.kind = kind;
    result.encoding = encoding;
    return result;
}

SaveResult SaveWorksheet(const Worksheet& sheet, std::string_view file_name, bool titles) {
    switch (SaveKindOf(file_name)) {
        case WorksheetFileKind::Text:
            return SaveTextFile(sheet, file_name, titles);
        case WorksheetFileKind::Csv:
            return SaveCsvFile(sheet, file_name, titles);
        default:
            break;
    }
    SaveResult result;
    result.kind = WorksheetFileKind::Worksheet;
    result.file_name = SaveFileName(file_name);
    std::string text;
    if (!FormatWorksheetFile(sheet, text, result.error)) return result;
    result.ok =
        WriteFileAtomically(result.file_name, EncodeFileText(std::move(text)), result.error);
    return result;
}

}  // namespace tabulon
