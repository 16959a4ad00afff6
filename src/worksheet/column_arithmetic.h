// The Beräkna commands on columns: a new column from an expression over columns, a function
// applied in place to one column, products of column pairs, and the one-line summary of a
// marked block.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "numeric/extended.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// Kombinerad aritmetik. The expression names columns by their labels ("1: A*2 + 2: B", as
// ColumnLabel writes them). Writes "Kol N" and, row by row, the value of the expression with
// each label replaced by that row's cell; a row where a named cell is empty or the expression
// cannot be evaluated gets no value. Returns the column written (the first completely empty
// one, or one added at the right).
int WriteColumnArithmetic(Worksheet& sheet, std::string_view expression, char decimal_separator);

// "Resultatet läggs i kolumn N" for the column WriteColumnArithmetic will write.
std::string ArithmeticTargetText(const Worksheet& sheet);

// The choices of the function window, in its order.
enum class ColumnFunction {
    Scale, Center, Norm, Ln, Exp, Log, Pow10, Abs, Power, Sqrt, Square, Sin, Cos, Arctan
};
inline constexpr int kColumnFunctionCount = 14;

// The caption of a choice in the current language ("Skala" / "Scale").
std::string ColumnFunctionCaption(ColumnFunction function);
// The name tabulon-cli uses: scale, center, norm, ln, exp, log, pow10, abs, power, sqrt,
// square, sin, cos, arctan.
std::string_view ColumnFunctionName(ColumnFunction function);
// Takes the number box (the factor of Skala, the power of Kolumn^x).
bool ColumnFunctionTakesArgument(ColumnFunction function);

// Funktioner: rewrites every non-empty data cell of `column` with the function's value.
// Every cell is read and every result computed before anything is written: a cell that is
// not a number, a value outside the function's domain or a result too large refuses the
// command with a message naming the cell, and the column stays as it was. Returns "" when
// done (also when Skala or Normera leave an all-zero column alone).
std::string ApplyColumnFunction(Worksheet& sheet, int column, ColumnFunction function,
                                Extended argument, char decimal_separator);

// Bilda produkter kolumnvis: for every pair (i, j), i not after j in `columns`' order, a new
// column "Ci*Cj" with the products (8 significant digits); a row where either cell is empty
// gets no product. A non-empty cell that is not a number refuses the whole command before
// anything is written (the message names it; "" when done).
std::string WriteColumnProducts(Worksheet& sheet, const std::vector<int>& columns,
                                char decimal_separator);
// How many columns WriteColumnProducts adds for `chosen` columns: chosen·(chosen+1)/2.
inline int ProductColumnCount(int chosen) { return chosen * (chosen + 1) / 2; }

// Statistik på markerat område: "m=2,5 s=1,2909944 n=4 median=2,5 Sum x= 10 Sum x²= 30" over
// the non-empty data cells of the block (inclusive grid indices; the captions and row numbers
// of a block that takes them in are left out); "" for a single cell, " Error ...." when the
// cells give no statistics.
std::string MarkedAreaSummary(const Worksheet& sheet, int left, int top, int right, int bottom,
                              char decimal_separator);

// The columns from 2 that the first `count` results go to in turn, for an undo record taken
// before the command: the completely empty ones in order (fewer when columns will be added).
std::vector<int> ResultColumnsAhead(const Worksheet& sheet, int count);

}  // namespace tabulon
