// Tab-separated text files: export of the sheet and import into a new sheet.
#pragma once

#include <string>
#include <string_view>

#include "worksheet/file_io.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// The export: one sheet row per line, cells separated by one tab each, lines separated by
// CR LF. With `titles` it starts at row 0 and column 0 (column numbers, captions, row
// numbers and row captions included), else at row 2 and column 2 (values only). No line
// break follows the last line unless that line is empty, so that the line is read back.
// False, with the user's message in `error`, when a cell holds a tab or a line break.
bool FormatTextFile(const Worksheet& sheet, bool titles, std::string& text, std::string& error);

// The answer to the titles question ("Save column and row titles (Y/N)?"): yes when its
// upper-case form is "Y" or "J"; "n", an empty answer and anything else mean values only.
bool TitlesAnswerIsYes(std::string_view answer);

// Writes FormatTextFile(titles) to `file_name` (the name is used as given).
SaveResult SaveTextFile(const Worksheet& sheet, std::string_view file_name, bool titles);

// The import of decoded text: line i goes to row i+1 with column captions, else i+2; field
// f (from 0) to column f+1 with row captions, else f+2. Every tab separates exactly one
// field, so an empty field stays an empty cell. The sheet gets two columns more than the
// widest line has fields and two rows more than the file has lines (the start-up layout of
// an import). In data cells (row and column 2 and up) the decimal separator is adjusted
// to the current one.
LoadResult ParseTextFile(std::string_view text, const TextImportOptions& options);

}  // namespace tabulon
