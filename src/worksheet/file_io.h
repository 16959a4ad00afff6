// What the worksheet file readers and writers share: their result types, their messages,
// reading a whole file and replacing a file in one step.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/large_fill.h"
#include "worksheet/text_encoding.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// Readers refuse counts above this, so that every size derived from them fits an int.
inline constexpr int kMaxSheetCount = 1 << 30;

// The kinds of file the Arkiv commands read and write.
enum class WorksheetFileKind { Worksheet, Text, Csv, Unknown };

// The two boxes of the import dialog for text and .csv files.
struct TextImportOptions {
    bool column_captions = false;  // the first line holds the column captions
    bool row_captions = false;     // the first field of every line holds the row caption
};

// A read never touches the caller's sheet: on success `sheet` is the new one to swap in.
struct LoadResult {
    bool ok = false;
    Worksheet sheet;
    std::string error;  // the message for the user, in the current language
    WorksheetFileKind kind = WorksheetFileKind::Unknown;
    TextEncoding encoding = TextEncoding::Windows1252;
};

struct SaveResult {
    bool ok = false;
    std::string file_name;  // the name written (what becomes CurrentFileName)
    WorksheetFileKind kind = WorksheetFileKind::Unknown;
    std::string error;  // the message for the user, in the current language
};

// The message for a file that is not recognised or not well formed (the same in both
// languages).
inline constexpr std::string_view kFileFormatError = "Error in file format...";

// A refused read with the format message.
LoadResult FileFormatError();
// A refused read of a sheet larger than the memory the machine can give.
LoadResult NotEnoughMemory(std::uint64_t columns, std::uint64_t rows);

// The messages for a file that cannot be read or written, naming it and the reason.
std::string ReadErrorText(std::string_view file_name, std::string_view reason);
std::string WriteErrorText(std::string_view file_name, std::string_view reason);

// The whole file; on failure false and `error` holds ReadErrorText.
bool ReadFileBytes(const std::string& file_name, std::string& bytes, std::string& error);

// Writes a temporary file in the target's folder and renames it over the target, so a
// failure leaves the old file as it was. Keeps the target's permissions; a symbolic link
// keeps pointing at the file it named. On failure false and `error` holds WriteErrorText.
bool WriteFileAtomically(const std::string& file_name, std::string_view bytes, std::string& error);

// The steps of an atomic write, in order. Tests make one of them fail to show that every
// writer leaves the old file whole wherever the disk gives out.
enum class WriteStep { Create, Permissions, Write, Sync, Close, Rename };

struct WriteFault {
    WriteStep step = WriteStep::Write;
    int error_number = 0;  // what the step reports (ENOSPC, EACCES, ...)
    // Stop dead at the step instead, as a killed process would: nothing is cleaned up.
    bool killed = false;
};

// Test seam: every atomic write fails as described until it is reset with nullopt.
void InjectWriteFault(std::optional<WriteFault> fault);

// The temporary file a write of `target` by process `pid` uses on its `attempt`.
std::string TemporaryFileName(const std::string& target, long pid, int attempt);

// Removes the temporary files of `target` left by writes whose process is gone; a live
// process's file is left alone, since its save may still be running.
void RemoveDeadTemporaryFiles(const std::string& target);

// The refusal for a cell text that would break the file's layout: a line break (or, in a
// text file, a tab). The cell is named by its visible numbers (grid index minus 1).
std::string CellCannotBeSavedText(int column, int row, bool tabs_too);

}  // namespace tabulon
