// Klistra in and Klistra in special: a clipboard text laid out as cells of the worksheet.
// Reading the text gives a plan (which text goes to which cell); writing the plan grows the
// sheet where needed and returns how to take the paste back.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "worksheet/sheet_undo.h"
#include "worksheet/worksheet.h"

namespace tabulon {

struct PlacedCell {
    int column = 0;
    int row = 0;
    CellText text;
};

struct PastePlan {
    std::vector<PlacedCell> cells;  // in the order they are written
    int left = 0;                   // the block they span, grid indices
    int top = 0;
    int right = -1;
    int bottom = -1;
    // Why no cells were planned: the text would make a sheet too large for the limits or
    // the memory, which was measured before anything was allocated for it.
    std::string refusal;

    bool empty() const { return cells.empty() && refusal.empty(); }
    void place(int column, int row, std::string_view text);
};

// What a pasted field becomes in a data cell: blanks around it dropped; a number gets the
// current decimal separator (and a 0 before a leading separator: ".5" -> "0,5"), also in
// scientific notation ("1.5E-3"); any other text is kept as it is, so nothing is lost.
std::string PastedCellText(std::string_view field, char decimal_separator);

// Klistra in at (column, row): lines end at "\r\n", "\n" or "\r" (a final line break adds no
// line); fields are separated by tabs, or, in a text with no tab at all, by runs of blanks
// ("3  4" is two cells). Every field is written, an empty one too.
PastePlan PlanPaste(std::string_view text, int column, int row, char decimal_separator);

enum class PasteSeparator { Tab, Space, Comma };

// The settings of the paste special window.
struct PasteSpecialOptions {
    bool specify_columns = false;  // false: Automatiskt (one worksheet row per line)
    int columns = 2;               // Specificera: fields wrap into rows this wide
    bool column_headings = false;  // the first line goes to the column captions
    bool row_headings = false;     // the first field of each line goes to the row captions
    PasteSeparator separator = PasteSeparator::Tab;

    bool operator==(const PasteSpecialOptions&) const = default;
};

// Klistra in special with the cursor at (column, row). The start cell is the cursor, or with
// headings row 1 and/or column 1. A separator or line break ends a field; in Automatiskt a
// line break starts the next row at the start column, with Specificera it only ends the field
// and the fields wrap at the given width. Blanks as separator: a run counts as one, and blanks
// at the start or end of a line separate nothing. Captions are kept as they are; data cells as
// PastedCellText.
PastePlan PlanPasteSpecial(std::string_view text, const PasteSpecialOptions& options, int column,
                           int row, char decimal_separator);

// Why the plan cannot be written (the sheet would grow beyond kMaxEditCells or the memory, or
// the plan itself was refused); empty if it can.
std::string PasteRefusal(const Worksheet& sheet, const PastePlan& plan);

// Writes the plan, adding numbered columns and rows where it reaches beyond the sheet;
// nullptr when the plan has no cells.
std::unique_ptr<SheetUndo> WritePlan(Worksheet& sheet, const PastePlan& plan);

}  // namespace tabulon
