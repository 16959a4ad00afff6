// The reference data `tabulon-cli validate` runs on, compiled into the program so that an
// installed copy validates itself without the source tree: the NIST StRD files and the
// distribution reference values of tests/data, by their paths under tests/data.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace tabulon::cli {

struct EmbeddedFile {
    std::string_view path;   // "nist/linreg/Norris.dat"
    std::string_view bytes;  // the file as it is in the repository
};

// Every embedded file, ordered by path (generated at build time by embed_files.cmake).
std::span<const EmbeddedFile> EmbeddedValidationFiles();

inline std::optional<std::string_view> EmbeddedValidationFile(std::string_view path) {
    for (const EmbeddedFile& file : EmbeddedValidationFiles()) {
        if (file.path == path) return file.bytes;
    }
    return std::nullopt;
}

}  // namespace tabulon::cli
