// Klistra in and Klistra in special.
#include "worksheet/paste.h"

#include <algorithm>

#include "numeric/number_text.h"
#include "worksheet/editing.h"
#include "worksheet/editing_undo.h"
#include "worksheet/memory_limit.h"
#include "worksheet/text_helpers.h"

namespace tabulon {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Calls `line` with each line of a text, each line break "\r\n", "\n" or "\r"; a final line
// break ends the last line and starts none. Nothing is stored, so a clipboard of millions of
// lines can be measured before anything is made of it.
template <typename Line>
void ForEachLine(std::string_view text, Line&& line) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            line(text.substr(start));
            break;
        }
        line(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
}

// Klistra in's fields: tabs separate them, or in a text without a tab, runs of blanks.
template <typename Field>
void ForEachPasteField(std::string_view text, Field&& field) {
    const bool tabs = text.find('\t') != std::string_view::npos;
    long long i = 0;
    ForEachLine(text, [&](std::string_view line) {
        if (!tabs) line = TrimBlanks(line);
        long long c = 0;
        std::size_t start = 0;
        while (true) {
            const std::size_t end = line.find(tabs ? '\t' : ' ', start);
            field(c++, i, line.substr(start, end - start));
            if (end == std::string_view::npos) break;
            start = tabs ? end + 1 : line.find_first_not_of(' ', end);
        }
        ++i;
    });
}

// Why a plan reaching (right, bottom) with `cells` cells in it cannot be made, asked before it
// is made: when the sheet it needs would be too large, or when that sheet and the plan
// together would not fit in the memory (a placed cell takes at most two empty cells' room).
static_assert(sizeof(PlacedCell) <= 2 * sizeof(CellText));
std::string PlanSizeRefusal(long long right, long long bottom, long long cells) {
    const long long columns = right + 1, rows = bottom + 1;
    if (FitsInSheet(columns, rows) &&
        SheetFitsInMemory(1, static_cast<std::uint64_t>(columns * rows + 2 * cells))) {
        return {};
    }
    return TooLargeText(columns, rows);
}

}  // namespace

void PastePlan::place(int column, int row, std::string_view text) {
    if (cells.empty()) {
        left = right = column;
        top = bottom = row;
    } else {
        left = std::min(left, column);
        right = std::max(right, column);
        top = std::min(top, row);
        bottom = std::max(bottom, row);
    }
    cells.push_back({column, row, CellText(text)});
}

std::string PastedCellText(std::string_view field, char decimal_separator) {
    const std::string_view trimmed = TrimBlanks(field);
    if (trimmed.empty()) return {};
    std::string number(trimmed);
    AdjustDecimalSeparatorInPlace(number, decimal_separator);
    const std::size_t digits = number[0] == '+' || number[0] == '-' ? 1 : 0;
    if (digits < number.size() && number[digits] == decimal_separator)
        number.insert(number.begin() + static_cast<long>(digits), '0');
    if (ParseNumber(number, decimal_separator)) return number;
    return std::string(trimmed);
}

PastePlan PlanPaste(std::string_view text, int column, int row, char decimal_separator) {
    long long right = column, bottom = row, cells = 0;
    ForEachPasteField(text, [&](long long c, long long r, std::string_view) {
        right = std::max(right, column + c);
        bottom = std::max(bottom, row + r);
        ++cells;
    });
    PastePlan plan;
    plan.refusal = PlanSizeRefusal(right, bottom, cells);
    if (!plan.refusal.empty()) return plan;
    plan.cells.reserve(static_cast<std::size_t>(cells));
    ForEachPasteField(text, [&](long long c, long long r, std::string_view field) {
        plan.place(column + static_cast<int>(c), row + static_cast<int>(r),
                   PastedCellText(field, decimal_separator));
    });
    return plan;
}

PastePlan PlanPasteSpecial(std::string_view text, const PasteSpecialOptions& options, int column,
                           int row, char decimal_separator) {
    PastePlan plan;
    if (text.empty()) return plan;
    const int start_column = options.row_headings ? 1 : options.column_headings ? 2 : column;
    const int start_row = options.column_headings ? 1 : options.row_headings ? 2 : row;
    const char separator = options.separator == PasteSeparator::Tab     ? '\t'
                           : options.separator == PasteSeparator::Space ? ' '
                                                                        : ',';
    // Line breaks as carriage returns; blanks as separator without runs or ragged edges.
    std::string walk;
    walk.reserve(text.size() + 1);
    ForEachLine(text, [&](std::string_view line) {
        if (separator == ' ') {
            line = TrimBlanks(line);
            for (std::size_t i = 0; i < line.size(); ++i) {
                if (line[i] != ' ' || line[i - 1] != ' ') walk += line[i];
            }
        } else {
            walk += line;
        }
        walk += '\r';
    });
    // A text ending in a separator leaves nothing after it; else the last field is stored by
    // the line break the walk ends with.
    if (text.back() == separator && walk.size() >= 2 && walk[walk.size() - 2] == separator) {
        walk.pop_back();
    }

    const int width = std::max(options.columns, 1);
    // Every separator and line break of the walk ends a field.
    long long cells = 0, lines = 0, widest = 0, in_line = 0;
    for (const char ch : walk) {
        if (ch != separator && ch != '\r') continue;
        ++cells;
        ++in_line;
        if (ch == '\r') {
            ++lines;
            widest = std::max(widest, in_line);
            in_line = 0;
        }
    }
    if (in_line > 0) {  // the walk lost its last line break to a final separator
        ++lines;
        widest = std::max(widest, in_line);
    }
    const long long right = start_column - 1LL + (options.specify_columns ? width : widest);
    const long long bottom =
        start_row - 1LL + (options.specify_columns ? (cells + width - 1) / width : lines);
    plan.refusal = PlanSizeRefusal(right, bottom, cells);
    if (!plan.refusal.empty()) return plan;
    plan.cells.reserve(static_cast<std::size_t>(cells));
    int c = start_column;
    int r = start_row;
    std::size_t field = 0;
    for (std::size_t i = 0; i < walk.size(); ++i) {
        const char ch = walk[i];
        if (ch != separator && ch != '\r') continue;
        const std::string_view cell = std::string_view(walk).substr(field, i - field);
        const bool data = c >= Worksheet::kFixedColumns && r >= Worksheet::kFixedRows;
        plan.place(c, r, data ? PastedCellText(cell, decimal_separator) : TrimBlanks(cell));
        field = i + 1;
        if (options.specify_columns) {
            if (++c >= start_column + width) {
                c = start_column;
                ++r;
            }
        } else if (ch == separator) {
            ++c;
        } else {
            c = start_column;
            ++r;
        }
    }
    return plan;
}

std::string PasteRefusal(const Worksheet& sheet, const PastePlan& plan) {
    if (!plan.refusal.empty()) return plan.refusal;
    const long long columns = std::max<long long>(sheet.columnCount(), plan.right + 1LL);
    const long long rows = std::max<long long>(sheet.rowCount(), plan.bottom + 1LL);
    return FitsInSheet(columns, rows) ? std::string() : TooLargeText(columns, rows);
}

std::unique_ptr<SheetUndo> WritePlan(Worksheet& sheet, const PastePlan& plan) {
    if (plan.cells.empty()) return nullptr;
    auto record = std::make_unique<CellsUndo>(sheet);
    record->keepBlock(sheet, plan.left, plan.top, plan.right, plan.bottom);
    const int columns = sheet.columnCount();
    const int rows = sheet.rowCount();
    if (plan.right >= columns || plan.bottom >= rows) {
        sheet.resize(std::max(columns, plan.right + 1), std::max(rows, plan.bottom + 1));
        for (int c = columns; c < sheet.columnCount(); ++c)
            sheet.setCell(c, 0, std::to_string(c - 1));
        for (int r = rows; r < sheet.rowCount(); ++r) sheet.setCell(0, r, std::to_string(r - 1));
    }
    for (const PlacedCell& cell : plan.cells) {
        sheet.mutableColumnCells(cell.column)[static_cast<std::size_t>(cell.row)] = cell.text;
    }
    return record;
}

}  // namespace tabulon
