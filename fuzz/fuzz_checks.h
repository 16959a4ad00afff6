// The checks the reader fuzz targets run on every input, shared with the test that replays
// the corpus: the first input byte picks the settings, the rest is the file; whatever a
// reader accepts must come back unchanged through its own writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/language.h"
#include "worksheet/csv_file.h"
#include "worksheet/file_io.h"
#include "worksheet/text_encoding.h"
#include "worksheet/text_file.h"
#include "worksheet/worksheet_file.h"

namespace tabulon::fuzz {

struct Input {
    char decimal_separator = '.';
    TextImportOptions options;
    std::string text;  // the file contents, decoded as a reader sees them
};

// Byte 0 picks the decimal separator (bit 0) and the import options (bits 1 and 2).
inline Input Split(const std::uint8_t* data, std::size_t size) {
    Input input;
    if (size == 0) return input;
    input.decimal_separator = (data[0] & 1) ? ',' : '.';
    input.options.column_captions = (data[0] & 2) != 0;
    input.options.row_captions = (data[0] & 4) != 0;
    input.text = DecodeFileText(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    return input;
}

// A written file as the reader will see it again.
inline std::string AsReadBack(std::string written) {
    return DecodeFileText(EncodeFileText(std::move(written)));
}

// Each returns nullptr when the input passes, else what went wrong.

inline const char* CheckTbnInput(const std::uint8_t* data, std::size_t size) {
    const Input input = Split(data, size);
    ScopedTextSettings settings(Language::English, input.decimal_separator);
    const LoadResult first = ParseWorksheetFile(input.text);
    if (!first.ok) return first.error == kFileFormatError ? nullptr : "refused without the message";
    std::string written;
    std::string error;
    if (!FormatWorksheetFile(first.sheet, written, error)) return "loaded sheet not saved";
    const LoadResult second = ParseWorksheetFile(AsReadBack(std::move(written)));
    if (!second.ok) return "saved file refused";
    if (!(second.sheet == first.sheet)) return "saved file reads back differently";
    return nullptr;
}

// Without captions an import exported as values and imported again gives the same sheet.
inline const char* CheckTxtInput(const std::uint8_t* data, std::size_t size) {
    const Input input = Split(data, size);
    ScopedTextSettings settings(Language::English, input.decimal_separator);
    const LoadResult first = ParseTextFile(input.text, input.options);
    if (!first.ok) return first.error == kFileFormatError ? nullptr : "refused without the message";
    const bool captions = input.options.column_captions || input.options.row_captions;
    std::string written;
    std::string error;
    if (!FormatTextFile(first.sheet, captions, written, error)) return "import not exported";
    if (captions) return nullptr;
    const LoadResult second = ParseTextFile(AsReadBack(std::move(written)), {});
    if (!second.ok) return "export refused";
    if (!(second.sheet == first.sheet)) return "export reads back differently";
    return nullptr;
}

// Read with both caption boxes and written with captions, or with neither and written as
// values, a file reads back as the same sheet.
inline const char* CheckCsvInput(const std::uint8_t* data, std::size_t size) {
    const Input input = Split(data, size);
    ScopedTextSettings settings(Language::English, input.decimal_separator);
    const LoadResult first = ParseCsvFile(input.text, input.options);
    if (!first.ok) return first.error == kFileFormatError ? nullptr : "refused without the message";
    const bool both = input.options.column_captions && input.options.row_captions;
    const bool none = !input.options.column_captions && !input.options.row_captions;
    std::string written = FormatCsvFile(first.sheet, both);
    if (!both && !none) return nullptr;
    const LoadResult second = ParseCsvFile(AsReadBack(std::move(written)), input.options);
    if (!second.ok) return "written file refused";
    if (!(second.sheet == first.sheet)) return "written file reads back differently";
    return nullptr;
}

}  // namespace tabulon::fuzz
