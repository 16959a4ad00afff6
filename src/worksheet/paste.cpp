// Klistra in and Klistra in special.
#include "worksheet/paste.h"

#include <algorithm>

#include "numeric/number_text.h"
#include "worksheet/editing.h"
#include "worksheet/editing_undo.h"
#include "worksheet/text_helpers.h"

namespace tabulon {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The lines of a text, each line break "\r\n", "\n" or "\r"; a final line break ends the
// last line and starts none.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
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
    PastePlan plan;
    const bool tabs = text.find('\t') != std::string_view::npos;
    const std::vector<std::string_view> lines = Lines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int r = row + static_cast<int>(i);
        std::string_view line = lines[i];
        if (!tabs) line = TrimBlanks(line);
        int c = column;
        std::size_t start = 0;
        while (true) {
            const std::size_t end = line.find(tabs ? '\t' : ' ', start);
            const std::string_view field = line.substr(start, end - start);
            plan.place(c++, r, PastedCellText(field, decimal_separator));
            if (end == std::string_view::npos) break;
            start = tabs ? end + 1 : line.find_first_not_of(' ', end);
        }
    }
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
    for (std::string_view line : Lines(text)) {
        if (separator == ' ') {
            line = TrimBlanks(line);
            for (std::size_t i = 0; i < line.size(); ++i) {
                if (line[i] != ' ' || line[i - 1] != ' ') walk += line[i];
            }
        } else {
            walk += line;
        }
        walk += '\r';
    }
    // A text ending in a separator leaves nothing after it; else the last field is stored by
    // the line break the walk ends with.
    if (text.back() == separator && walk.size() >= 2 && walk[walk.size() - 2] == separator) {
        walk.pop_back();
    }

    const int width = std::max(options.columns, 1);
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
    const long long columns = std::max<long long>(sheet.columnCount(), plan.right + 1LL);
    const long long rows = std::max<long long>(sheet.rowCount(), plan.bottom + 1LL);
    return FitsInSheet(columns, rows) ? std::string() : TooLargeText(columns, rows);
}

std::unique_ptr<SheetUndo> WritePlan(Worksheet& sheet, const PastePlan& plan) {
    if (plan.empty()) return nullptr;
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
