// Small text helpers shared by the file, clipboard and arithmetic commands.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "worksheet/cell_text.h"

namespace tabulon {

class Worksheet;

// The first foreign decimal separator becomes the current one ("1.5" -> "1,5" when the
// current separator is ","); the result must be a number, else ConversionError is raised.
std::string NormalizeDecimalSeparator(std::string_view text);

// The separator adjustment of file imports: in a `decimal_separator` = "," world the first
// "." becomes "," (and the other way round), but only when the text holds no `decimal_separator`
// yet, so adjusting twice changes nothing. Texts that are not numbers are adjusted too.
std::string AdjustDecimalSeparator(std::string_view text, char decimal_separator);
// The same in place; returns whether the text changed.
bool AdjustDecimalSeparatorInPlace(std::string& text, char decimal_separator);
bool AdjustDecimalSeparatorInPlace(CellText& text, char decimal_separator);

// The text itself when it is a whole number that fits an int, else ConversionError.
std::string CheckInteger(std::string_view text);

// Replaces the first occurrence of `old_text`; an empty text or `old_text` does nothing.
bool ReplaceFirst(std::string& text, std::string_view old_text, std::string_view new_text);

// Fields between `separator` characters, runs of separators counting as one and leading
// and trailing separators ignored. Lines of any length are handled whole.
std::size_t WordCount(std::string_view text, char separator);
// The n-th such field (n from 1); empty when there is none.
std::string ExtractWord(std::size_t n, std::string_view text, char separator);

// Without its leading blanks (spaces).
std::string TrimLeadingSpaces(std::string_view text);

// The name after the last folder separator ("\" or "/") and after a drive colon, cut before
// its first ".": "C:\data\run.2.tbn" gives "run".
std::string FileBaseName(std::string_view path);

// Position (from 1) of the last `c` in `text`, 0 if there is none.
std::size_t LastPos(char c, std::string_view text);

// Column 0 of row `row` without leading blanks; empty outside the grid.
std::string RowNumberText(const Worksheet& sheet, int row);

}  // namespace tabulon
