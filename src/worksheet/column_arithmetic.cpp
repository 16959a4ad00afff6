// Column arithmetic, column functions, column products and the marked-area summary.
#include "worksheet/column_arithmetic.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "base/language.h"
#include "numeric/evaluator.h"
#include "numeric/number_text.h"
#include "numeric/sample_statistics.h"
#include "worksheet/column_queries.h"
#include "worksheet/sheet_undo.h"

namespace tabulon {
namespace {

constexpr int kFirstColumn = Worksheet::kFixedColumns;
constexpr int kFirstRow = Worksheet::kFixedRows;

// A piece of a tokenised expression: literal text, or (column > 0) a reference to a cell.
struct Piece {
    std::string text;
    int column = 0;
};

// Splits every literal piece at each occurrence of `label`.
void SplitAt(std::vector<Piece>& pieces, const std::string& label, int column) {
    std::vector<Piece> next;
    for (Piece& piece : pieces) {
        if (piece.column > 0) {
            next.push_back(std::move(piece));
            continue;
        }
        std::size_t start = 0;
        for (std::size_t at; (at = piece.text.find(label, start)) != std::string::npos;) {
            if (at > start) next.push_back({piece.text.substr(start, at - start), 0});
            next.push_back({{}, column});
            start = at + label.size();
        }
        if (start < piece.text.size()) next.push_back({piece.text.substr(start), 0});
    }
    pieces = std::move(next);
}

// Labels are replaced from the last column down, so "11: A" is taken before "1: A" could
// match inside it. The label without its blank ("3:Vikt") is accepted as well.
std::vector<Piece> Tokenise(const Worksheet& sheet, std::string_view expression) {
    std::vector<Piece> pieces{{std::string(expression), 0}};
    for (int c = sheet.columnCount() - 1; c >= kFirstColumn; --c) {
        SplitAt(pieces, ColumnLabel(sheet, c), c);
        SplitAt(pieces, std::string(sheet.cell(c, 0)) + ":" + std::string(sheet.cell(c, 1)), c);
    }
    for (Piece& piece : pieces) std::replace(piece.text.begin(), piece.text.end(), ',', '.');
    return pieces;
}

std::string RowText(int row) {
    const std::string r = std::to_string(row - 1);
    return ChooseText(" (row " + r + ")", " (rad " + r + ")");
}

std::string CellText(const Worksheet& sheet, int column, int row) {
    const std::string c(sheet.cell(column, 0));
    const std::string r = std::to_string(row - 1);
    return ChooseText(" (column " + c + ", row " + r + ")", " (kolumn " + c + ", rad " + r + ")");
}

std::string NotANumber(const Worksheet& sheet, int column, int row) {
    return ConversionError(sheet.cell(column, row)).what() + CellText(sheet, column, row);
}

std::string TooLarge(const Worksheet& sheet, int column, int row) {
    return ChooseText("The result is too large", "Resultatet blir för stort") +
           CellText(sheet, column, row);
}

struct ColumnValue {
    int row;
    Extended value;
};

}  // namespace

std::vector<int> ResultColumnsAhead(const Worksheet& sheet, int count) {
    std::vector<int> columns;
    for (int c = kFirstColumn; c < sheet.columnCount() && static_cast<int>(columns.size()) < count;
         ++c) {
        if (ColumnIsCompletelyEmpty(sheet, c)) columns.push_back(c);
    }
    return columns;
}

std::string ArithmeticTargetText(const Worksheet& sheet) {
    const int empty = FirstEmptyColumn(sheet);
    const std::string number =
        empty > 0 ? std::string(sheet.cell(empty, 0)) : std::to_string(sheet.columnCount() - 1);
    return ChooseText("result will be entered in column ", "Resultatet läggs i kolumn ") + number;
}

int WriteColumnArithmetic(Worksheet& sheet, std::string_view expression, char decimal_separator) {
    const std::vector<Piece> pieces = Tokenise(sheet, expression);
    const int target = ResultColumn(sheet);
    sheet.setCell(target, 1, "Kol " + std::string(sheet.cell(target, 0)));
    std::string text;
    for (int r = kFirstRow; r < sheet.rowCount(); ++r) {
        text.clear();
        bool complete = true;
        for (const Piece& piece : pieces) {
            if (piece.column == 0) {
                text += piece.text;
                continue;
            }
            const std::string_view cell = sheet.cell(piece.column, r);
            if (cell.empty()) {
                complete = false;
                break;
            }
            // In parentheses, so that -3 squared is 9 and 2-(-3) stays a subtraction.
            text += '(';
            for (char ch : cell) text += ch == ',' ? '.' : ch;
            text += ')';
        }
        Extended value = 0;
        if (complete && Evaluate(text, value)) {
            sheet.setCell(target, r, FormatShortest(value, decimal_separator));
        }
    }
    return target;
}

std::string ColumnFunctionCaption(ColumnFunction function) {
    static constexpr const char* kCaptions[][2] = {
        {"Scale", "Skala"},
        {"Center", "Centrera"},
        {"Norm", "Normera"},
        {"ln(Column)", "ln(Kolumn)"},
        {"e^column", "e^kolumn"},
        {"log(Column)", "log(Kolumn)"},
        {"10^Column", "10^Kolumn"},
        {"abs(Column)", "abs(Kolumn)"},
        {"Column^x", "Kolumn^x"},
        {"Square rot", "Kvadratroten"},
        {"Square", "Kvadrat"},
        {"sin(Column)", "sin(Kolumn)"},
        {"sos(Column)", "sos(Kolumn)"},
        {"arctan(Column)", "arctan(Kolumn)"},
    };
    const auto& c = kCaptions[static_cast<int>(function)];
    return ChooseText(c[0], c[1]);
}

std::string_view ColumnFunctionName(ColumnFunction function) {
    static constexpr std::string_view kNames[] = {"scale", "center", "norm",  "ln",    "exp",
                                                  "log",   "pow10",  "abs",   "power", "sqrt",
                                                  "square", "sin",   "cos",   "arctan"};
    return kNames[static_cast<int>(function)];
}

bool ColumnFunctionTakesArgument(ColumnFunction function) {
    return function == ColumnFunction::Scale || function == ColumnFunction::Power;
}

std::string ApplyColumnFunction(Worksheet& sheet, int column, ColumnFunction function,
                                Extended argument, char decimal_separator) {
    if (column < kFirstColumn || column >= sheet.columnCount()) return {};
    std::vector<ColumnValue> values;
    for (int r = kFirstRow; r < sheet.rowCount(); ++r) {
        const std::string_view text = sheet.cell(column, r);
        if (text.empty()) continue;
        const std::optional<Extended> x = ParseNumber(text, decimal_separator);
        if (!x) return NotANumber(sheet, column, r);
        values.push_back({r, *x});
    }
    using F = ColumnFunction;
    // Logarithms and powers need positive values; the square root takes 0 as well.
    const bool positive = function == F::Ln || function == F::Log || function == F::Power;
    for (const ColumnValue& v : values) {
        if ((positive && v.value <= 0) || (function == F::Sqrt && v.value < 0)) {
            return ChooseText("Number <0 or =0 in column", "Tal <0 eller =0 i kolumnen") +
                   RowText(v.row);
        }
    }
    Extended lowest = 0, highest = 0, largest = 0, squares = 0;
    if (!values.empty()) lowest = highest = values.front().value;
    for (const ColumnValue& v : values) {
        lowest = std::min(lowest, v.value);
        highest = std::max(highest, v.value);
        largest = std::max(largest, std::fabs(v.value));
        squares += v.value * v.value;
    }
    // An all-zero column has no scale and no norm: it is left as it is.
    if ((function == F::Scale && largest == 0) || (function == F::Norm && squares == 0)) return {};
    const Extended midrange = (highest + lowest) / 2;
    const Extended norm = std::sqrt(squares);
    std::vector<std::string> texts;
    texts.reserve(values.size());
    for (const ColumnValue& v : values) {
        const Extended x = v.value;
        Extended y = 0;
        switch (function) {
        case F::Scale: y = x * argument / largest; break;
        case F::Center: y = x - midrange; break;
        case F::Norm: y = x / norm; break;
        case F::Ln: y = std::log(x); break;
        case F::Exp: y = std::exp(x); break;
        case F::Log: y = std::log10(x); break;
        case F::Pow10: y = std::pow(Extended(10), x); break;
        case F::Abs: y = std::fabs(x); break;
        case F::Power: y = std::exp(argument * std::log(x)); break;
        case F::Sqrt: y = std::sqrt(x); break;
        case F::Square: y = x * x; break;
        case F::Sin: y = std::sin(x); break;
        case F::Cos: y = std::cos(x); break;
        case F::Arctan: y = std::atan(x); break;
        }
        if (!std::isfinite(y)) return TooLarge(sheet, column, v.row);
        texts.push_back(FormatShortest(y, decimal_separator));
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        sheet.setCell(column, values[i].row, texts[i]);
    }
    return {};
}

std::string WriteColumnProducts(Worksheet& sheet, const std::vector<int>& columns,
                                char decimal_separator) {
    // Every cell is read first: a refusal leaves the sheet as it was.
    std::vector<std::vector<std::optional<Extended>>> values;
    for (int c : columns) {
        auto& column = values.emplace_back(static_cast<std::size_t>(sheet.rowCount()));
        for (int r = kFirstRow; r < sheet.rowCount(); ++r) {
            const std::string_view text = sheet.cell(c, r);
            if (text.empty()) continue;
            column[r] = ParseNumber(text, decimal_separator);
            if (!column[r]) return NotANumber(sheet, c, r);
        }
    }
    struct Product {
        std::string caption;
        std::vector<std::string> texts;
    };
    std::vector<Product> products;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        for (std::size_t j = i; j < columns.size(); ++j) {
            Product& p = products.emplace_back();
            p.caption = ColumnTitle(sheet, columns[i]) + "*" + ColumnTitle(sheet, columns[j]);
            p.texts.resize(static_cast<std::size_t>(sheet.rowCount()));
            for (int r = kFirstRow; r < sheet.rowCount(); ++r) {
                if (!values[i][r] || !values[j][r]) continue;
                const Extended product = *values[i][r] * *values[j][r];
                if (!std::isfinite(product)) return TooLarge(sheet, columns[i], r);
                p.texts[r] = FormatGeneral(product, 8, 2, decimal_separator);
            }
        }
    }
    for (const Product& p : products) {
        const int target = ResultColumn(sheet);
        sheet.setCell(target, 1, p.caption);
        for (int r = kFirstRow; r < sheet.rowCount(); ++r) {
            if (!p.texts[r].empty()) sheet.setCell(target, r, p.texts[r]);
        }
    }
    return {};
}

std::string MarkedAreaSummary(const Worksheet& sheet, int left, int top, int right, int bottom,
                              char decimal_separator) {
    if (left == right && top == bottom) return {};
    std::vector<std::string> texts;
    for (int c = std::max(left, kFirstColumn); c <= right && c < sheet.columnCount(); ++c) {
        for (int r = std::max(top, kFirstRow); r <= bottom && r < sheet.rowCount(); ++r) {
            if (!sheet.isEmpty(c, r)) texts.emplace_back(sheet.cell(c, r));
        }
    }
    SampleStatistics s;
    if (!ComputeSampleStatistics(texts, decimal_separator, s)) return " Error ....";
    const auto g = [&](Extended v, int digits) {
        return FormatGeneral(v, digits, 2, decimal_separator);
    };
    return "m=" + g(s.Mean, 8) + " s=" + g(s.StdDev, 8) + " n=" + std::to_string(s.Count) +
           " median=" + g(s.Median, 8) + " Sum x= " + g(s.Count * s.Mean, 10) +
           " Sum x²= " + g(s.SumOfSquares, 10);
}

}  // namespace tabulon
