// Comma- or semicolon-separated files (.csv, RFC 4180 quoting): read into a new sheet and
// write from the sheet.
#pragma once

#include <string>
#include <string_view>

#include "worksheet/file_io.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// The separator of a .csv text: whichever of "," and ";" occurs more often outside quotes
// in the first record; on a tie (a single column, say) the one the writer uses with this
// decimal separator: ";" beside a decimal comma, "," beside a decimal point.
char DetectCsvSeparator(std::string_view text, char decimal_separator);

// The separator the writer uses with this decimal separator.
char CsvSeparatorFor(char decimal_separator);

// The import of decoded text: records and fields placed as by the text import (record i to
// row i+1 or i+2, field f to column f+1 or f+2, by the two options), quotes removed, the
// decimal separator adjusted in data cells. The sheet ends at the last record and the
// widest record's last field. A quoted field may hold separators, doubled
// quotes and line breaks. An unterminated quote or text after a closing quote is refused
// as a malformed file.
LoadResult ParseCsvFile(std::string_view text, const TextImportOptions& options);

// The export: with `captions` from row 1 and column 1 (the captions, without the numbers),
// else from row 2 and column 2 (values only). Every record ends with CR LF; fields holding the
// separator, a quote or a line break are quoted, and in the first record also those holding
// the other candidate separator, so that the separator is found again when read.
std::string FormatCsvFile(const Worksheet& sheet, bool captions);

// Writes FormatCsvFile(captions) to `file_name` (the name is used as given).
SaveResult SaveCsvFile(const Worksheet& sheet, std::string_view file_name, bool captions);

}  // namespace tabulon
