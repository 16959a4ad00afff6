// The check the Default.par fuzz target runs on every input, shared with the corpus replay:
// the file is read through the store as the program reads it at start, and the settings it
// gives are then used as the grid uses them, for the texts and the widths of its columns.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "shell/grid_settings.h"
#include "worksheet/cell_format.h"
#include "worksheet/column_width.h"
#include "worksheet/worksheet.h"

namespace tabulon::fuzz {

namespace detail {
// One folder per process, made on first use and removed at exit.
struct TemporaryFolder {
    std::filesystem::path path;
    TemporaryFolder() {
        std::string name =
            (std::filesystem::temp_directory_path() / "tabulon-par-fuzz-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr) std::abort();
        path = name;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};
inline const std::filesystem::path& SettingsFolder() {
    static const TemporaryFolder folder;
    return folder.path;
}
}  // namespace detail

inline const char* CheckGridSettingsInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path& folder = detail::SettingsFolder();
    {
        std::ofstream out(folder / kGridSettingsFileName, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const GridSettingsStore store(folder, {});
    const auto loaded = store.load();
    if (size < kGridSettingsSize) return loaded ? "short record read" : nullptr;
    if (!loaded) return "whole record not read";
    std::array<unsigned char, kGridSettingsSize> record{};
    std::copy(data, data + kGridSettingsSize, record.begin());
    if (!(*loaded == DecodeGridSettings(record))) return "not the file's first record";
    if (EncodeGridSettings(*loaded) != record) return "record not kept as it was";

    // Whatever the record says, a cell shows a short text and a column gets a sane width:
    // the windows offer at most 18 digits, and the fixed-point text stops at 60 decimals.
    for (const char* number : {"3.14159", "-2.5e3", "0", "1e-300", "123456789012"}) {
        const std::string shown =
            FormatCellForDisplay(number, loaded->decimals, loaded->significant_digits, '.');
        if (shown.empty()) return "a number shown blank";
        if (shown.size() > 80) return "a number shown with an unbounded text";
    }
    Worksheet sheet(3, 4);
    sheet.setCell(2, 2, "3,14159");
    sheet.setCell(2, 3, "12345");
    const auto width = [](std::string_view text) { return 7 * static_cast<int>(text.size()); };
    const int column_width = AutoColumnWidth(sheet, 2, loaded->decimals, width);
    if (column_width < 20 || column_width > 1000) return "a column width out of all proportion";

    return nullptr;
}

}  // namespace tabulon::fuzz
