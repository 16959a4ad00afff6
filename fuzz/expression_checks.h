// The checks the two formula fuzz targets run on every input, shared with the corpus replay:
// the evaluator on a text of its own, and Kombinerad aritmetik on a small sheet whose
// column labels the text may name.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "base/language.h"
#include "numeric/evaluator.h"
#include "numeric/number_text.h"
#include "worksheet/column_arithmetic.h"
#include "worksheet/worksheet.h"

namespace tabulon::fuzz {

namespace detail {
inline bool Same(Extended a, Extended b) { return std::memcmp(&a, &b, 10) == 0; }
}  // namespace detail

// A refused text leaves the value alone, an accepted one gives a finite value, and a formula
// means the same in parentheses; a text without x evaluates the same at any x.
inline const char* CheckExpressionInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    constexpr Extended kUntouched = 271828.0L;
    Extended value = kUntouched;
    if (!Evaluate(text, value)) return detail::Same(value, kUntouched) ? nullptr : "refusal wrote";
    if (!std::isfinite(value)) return "a value that is not finite";
    Extended wrapped = kUntouched;
    if (!Evaluate("(" + std::string(text) + ")", wrapped)) return "refused in parentheses";
    if (!detail::Same(wrapped, value)) return "parentheses change the value";
    Extended again = kUntouched;
    if (!Evaluate(text, again) || !detail::Same(again, value)) return "not the same twice";
    if (text.find_first_of("xX") == std::string_view::npos) {
        Extended at = kUntouched;
        if (!EvaluateAt(text, at, -7.25L) || !detail::Same(at, value)) {
            return "x changes a text without x";
        }
    }
    return nullptr;
}

// The sheet the arithmetic target works on: labels "2: A", "3: Vikt", "4: 1" (which other
// labels contain), "5: " and an empty column; rows with numbers in both separators, blanks
// and a text.
inline Worksheet ArithmeticSheet(char decimal_separator) {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.resize(7, 8);
    const char* captions[] = {"A", "Vikt", "1", ""};
    const char* rows[][4] = {{"1", "2", "3", "4"},       {"-1.5", "0", "1e3", "-2"},
                             {"", "7", "8", "9"},        {"2,5", "x", "1", "1"},
                             {"1e-20", "1e20", "-0", "5"}, {"3", "3", "3", ""}};
    for (int c = 0; c < 4; ++c) {
        sheet.setCell(2 + c, 1, captions[c]);
        for (int r = 0; r < 6; ++r) {
            std::string cell = rows[r][c];
            for (char& ch : cell) {
                if (ch == '.' || ch == ',') ch = decimal_separator;
            }
            sheet.setCell(2 + c, 2 + r, cell);
        }
    }
    return sheet;
}

// Byte 0 picks the decimal separator. The result goes to the first empty column, every
// other column stays, each result is a number, and the expression in parentheses gives the
// same column.
inline const char* CheckArithmeticInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return nullptr;
    const char sep = (data[0] & 1) ? ',' : '.';
    ScopedTextSettings settings(Language::English, sep);
    const std::string_view expression(reinterpret_cast<const char*>(data) + 1, size - 1);
    const Worksheet before = ArithmeticSheet(sep);
    Worksheet sheet = before;
    const int target = WriteColumnArithmetic(sheet, expression, sep);
    if (target != 6) return "not the first empty column";
    if (sheet.columnCount() != before.columnCount() || sheet.rowCount() != before.rowCount()) {
        return "the sheet changed its size";
    }
    for (int c = 0; c < sheet.columnCount(); ++c) {
        if (c != target && sheet.columnCells(c) != before.columnCells(c)) return "a column changed";
    }
    if (sheet.cell(target, 1) != "Kol " + std::string(sheet.cell(target, 0))) return "no caption";
    for (int r = Worksheet::kFixedRows; r < sheet.rowCount(); ++r) {
        const std::string_view cell = sheet.cell(target, r);
        if (!cell.empty() && !ParseNumber(cell, sep)) return "a result that is not a number";
    }
    Worksheet wrapped = before;
    WriteColumnArithmetic(wrapped, "(" + std::string(expression) + ")", sep);
    for (int r = Worksheet::kFixedRows; r < sheet.rowCount(); ++r) {
        if (!sheet.isEmpty(target, r) && sheet.cell(target, r) != wrapped.cell(target, r)) {
            return "parentheses change a result";
        }
    }
    return nullptr;
}

}  // namespace tabulon::fuzz
