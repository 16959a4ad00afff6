// A factorial design in the worksheet: a column "Respons", one column per variable and one
// per interaction (captioned A, B, A*B, …), one row "Exp i" per experiment; the design
// columns show the coded levels or the real values.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "design/factorial_design.h"
#include "worksheet/sheet_undo.h"

namespace tabulon {

// A variable's level values as typed: low, middle (three levels only), high.
using LevelValues = std::array<std::string, 3>;

// The default name of variable i (0-based): "A", "B", … and on through the character table.
std::string DefaultVariableName(int i);

// "A", "B", …, "A*B", …, "A*B*C" for the design's columns.
std::vector<std::string> DesignCaptions(const FactorialDesign& design,
                                        const std::vector<std::string>& names);

// Erases the sheet (as Radera allt: 22 × 102, notes emptied), grows it to the design's size
// and writes captions, row captions, the levels and then the values. The caller fits widths.
void WriteDesign(Worksheet& sheet, const FactorialDesign& design,
                 const std::vector<std::string>& names, const std::vector<LevelValues>& values,
                 char decimal_separator);

// Visa nivåer: every design cell := its coded level ("-1", "0", "1").
void ShowDesignLevels(Worksheet& sheet, const FactorialDesign& design);

// Visa värden: a variable's "1", "-1" and "0" become its high, low and middle values (other
// texts stay); an interaction cell becomes the product of its variables' values in that row,
// found by the design's terms (a name with "*" in it cannot mislead); a row where one of them
// is not a number keeps its cell.
void ShowDesignValues(Worksheet& sheet, const FactorialDesign& design,
                      const std::vector<LevelValues>& values, char decimal_separator);

// The record that takes WriteDesign back: every column, the size and the notes.
std::unique_ptr<SheetUndo> WholeSheetUndo(const Worksheet& sheet);

}  // namespace tabulon
