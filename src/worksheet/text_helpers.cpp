// Small text helpers shared by the file, clipboard and arithmetic commands.
#include "worksheet/text_helpers.h"

#include "numeric/number_text.h"
#include "base/language.h"
#include "worksheet/worksheet.h"

namespace tabulon {

bool AdjustDecimalSeparatorInPlace(std::string& text, char decimal_separator) {
    const char foreign = decimal_separator == ',' ? '.' : ',';
    if (text.find(decimal_separator) != std::string::npos) return false;
    const std::size_t at = text.find(foreign);
    if (at == std::string::npos) return false;
    text[at] = decimal_separator;
    return true;
}

bool AdjustDecimalSeparatorInPlace(CellText& text, char decimal_separator) {
    const char foreign = decimal_separator == ',' ? '.' : ',';
    const std::string_view view = text.view();
    if (view.find(decimal_separator) != std::string_view::npos) return false;
    const std::size_t at = view.find(foreign);
    if (at == std::string_view::npos) return false;
    text.setChar(at, decimal_separator);
    return true;
}

std::string AdjustDecimalSeparator(std::string_view text, char decimal_separator) {
    std::string out(text);
    AdjustDecimalSeparatorInPlace(out, decimal_separator);
    return out;
}

std::string NormalizeDecimalSeparator(std::string_view text) {
    const char separator = DecimalSeparator();
    const char foreign = separator == ',' ? '.' : ',';
    std::string out(text);
    const std::size_t at = out.find(foreign);
    if (at != std::string::npos) out[at] = separator;
    StrToNumber(out, separator);  // raises ConversionError for a text that is no number
    return out;
}

std::string CheckInteger(std::string_view text) {
    StrToInteger(text);
    return std::string(text);
}

bool ReplaceFirst(std::string& text, std::string_view old_text, std::string_view new_text) {
    if (text.empty() || old_text.empty()) return false;
    const std::size_t at = text.find(old_text);
    if (at == std::string::npos) return false;
    text.replace(at, old_text.size(), new_text);
    return true;
}

namespace {

// Calls visit(field) for every non-empty field until it returns false.
template <typename Visit>
void ForEachWord(std::string_view text, char separator, Visit visit) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && text[pos] == separator) ++pos;
        if (pos == text.size()) return;
        std::size_t end = text.find(separator, pos);
        if (end == std::string_view::npos) end = text.size();
        if (!visit(text.substr(pos, end - pos))) return;
        pos = end;
    }
}

}  // namespace

std::size_t WordCount(std::string_view text, char separator) {
    std::size_t count = 0;
    ForEachWord(text, separator, [&](std::string_view) {
        ++count;
        return true;
    });
    return count;
}

std::string ExtractWord(std::size_t n, std::string_view text, char separator) {
    std::string word;
    std::size_t index = 0;
    ForEachWord(text, separator, [&](std::string_view field) {
        if (++index < n) return true;
        if (index == n) word = std::string(field);
        return false;
    });
    return word;
}

std::string TrimLeadingSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string FileBaseName(std::string_view path) {
    const std::size_t folder = path.find_last_of("\\/:");
    std::string_view name = folder == std::string_view::npos ? path : path.substr(folder + 1);
    return std::string(name.substr(0, name.find('.')));
}

std::size_t LastPos(char c, std::string_view text) {
    const std::size_t at = text.rfind(c);
    return at == std::string_view::npos ? 0 : at + 1;
}

std::string RowNumberText(const Worksheet& sheet, int row) {
    if (!sheet.contains(0, row)) return {};
    return TrimLeadingSpaces(sheet.cell(0, row));
}

}  // namespace tabulon
