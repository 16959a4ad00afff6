// What a PDF file holds, read back with poppler-utils (pdfinfo, pdftotext; tools/deps
// installs them): its page count and the text of one page.
#pragma once

#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace tabulon::testing {

inline std::optional<std::string> CommandOutput(const std::string& command) {
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string out;
    char buffer[4096];
    while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    if (pclose(pipe) != 0) return std::nullopt;
    return out;
}

inline bool PdfToolsPresent() {
    return CommandOutput("command -v pdfinfo && command -v pdftotext").has_value();
}

// nullopt when the file cannot be read or pdfinfo is missing.
inline std::optional<int> PdfPageCount(const std::string& path) {
    const auto info = CommandOutput("pdfinfo '" + path + "'");
    if (!info) return std::nullopt;
    std::istringstream lines(*info);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Pages:", 0) == 0) return std::stoi(line.substr(6));
    }
    return std::nullopt;
}

// The words of page `page` (from 1), line by line as laid out; empty lines dropped.
inline std::vector<std::vector<std::string>> PdfPageWords(const std::string& path, int page) {
    const std::string n = std::to_string(page);
    const auto text = CommandOutput("pdftotext -layout -f " + n + " -l " + n + " '" + path + "' -");
    std::vector<std::vector<std::string>> out;
    if (!text) return out;
    std::istringstream lines(*text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::vector<std::string> row;
        for (std::string w; words >> w;) row.push_back(w);
        if (!row.empty()) out.push_back(std::move(row));
    }
    return out;
}

}  // namespace tabulon::testing
