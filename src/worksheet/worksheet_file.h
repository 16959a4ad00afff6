// Worksheet files (.tbn versions 1.0, 1.1 and 2.0) and the Öppna/Spara dispatch by file name
// to the worksheet, text and .csv readers and writers.
#pragma once

#include <string>
#include <string_view>

#include "worksheet/file_io.h"
#include "worksheet/worksheet.h"

namespace tabulon {

inline constexpr std::string_view kWorksheetHeader10 = "TABULON FILE TYPE 1.0";
inline constexpr std::string_view kWorksheetHeader11 = "TABULON FILE TYPE 1.1";
inline constexpr std::string_view kWorksheetHeader20 = "TABULON FILE TYPE 2.0";

// The reader LoadWorksheet picks for a name: its lower-case form containing ".tbn", else
// ".txt", else ".csv". A window shows the import dialog first when this is Text or Csv.
WorksheetFileKind LoadKindOf(std::string_view file_name);

// The writer SaveWorksheet picks: text when the upper-case last five characters contain
// ".TXT", .csv when they contain ".CSV", the worksheet format otherwise. A window asks the
// titles question first when this is Text or Csv.
WorksheetFileKind SaveKindOf(std::string_view file_name);

// The name SaveWorksheet writes: ".tbn" is appended when the last five characters hold no
// "." ("data" -> "data.tbn", "my.data" stays).
std::string SaveFileName(std::string_view file_name);

// Reads any supported file into a new sheet. `import` answers the import dialog for text and
// .csv files. Unknown names and malformed files give kFileFormatError.
LoadResult LoadWorksheet(const std::string& file_name, const TextImportOptions& import = {});

// Writes by SaveKindOf: version 2.0, or a text or .csv export with `titles` as the user's
// answer to the titles question.
SaveResult SaveWorksheet(const Worksheet& sheet, std::string_view file_name, bool titles = false);

// The reader of .tbn contents (already decoded to UTF-8). Counts, widths and line numbers
// are checked before the sheet is made, so a file announcing more cells than it holds is
// refused without allocating them.
LoadResult ParseWorksheetFile(std::string_view text);

// The version 2.0 contents (UTF-8, CR LF after every line). False, with the user's message
// in `error`, when a cell holds a line break.
bool FormatWorksheetFile(const Worksheet& sheet, std::string& text, std::string& error);

}  // namespace tabulon
