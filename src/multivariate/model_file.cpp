// The current model's record, its file and the model window's coefficient table.
#include "multivariate/model_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/language.h"
#include "numeric/number_text.h"
#include "worksheet/file_io.h"
#include "worksheet/text_encoding.h"

namespace tabulon {
namespace {

// A model file is a few kilobytes; anything much larger is not one and is not read in.
constexpr std::uintmax_t kMaxModelFileBytes = 1 << 20;

std::string G6(Extended v) {
    return FormatGeneral(v, 6, 2, DecimalSeparator());
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::string LineError(std::size_t line, const std::string& what) {
    return ChooseText("line ", "rad ") + std::to_string(line) + ": " + what;
}

// The coefficient text: scientific with 17 significant digits, which reads back to the same
// double and to within 1e-17 of the extended value.
std::string CoefficientText(Extended value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%23.16LE", value);
    std::string text = buffer;
    std::replace(text.begin(), text.end(), ',', '.');  // whatever the C locale says
    return text;
}

}  // namespace

std::string CutToCharacters(std::string_view text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t chars = 0; end < text.size() && chars < count; ++chars) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    }
    return std::string(text.substr(0, end));
}

std::string DisplayName(std::string_view entry) {
    const auto colon = entry.find(':');
    return std::string(colon == std::string_view::npos ? entry : entry.substr(colon + 1));
}

void StoreCurrentModel(TModelRecord& model, const ModelColumns& columns, const ModelFit& fit) {
    model.Title.clear();
    model.Method = MethodName(fit.method);
    model.XCount = fit.p;
    model.ResponseName = CutToCharacters(columns.ZName, kModelNameLength);
    model.Coefficients = fit.Coeffs;
    model.VariableNames.assign(1, std::string());
    for (const std::string& name : columns.XNames) {
        model.VariableNames.push_back(CutToCharacters(name, kModelNameLength));
    }
    model.ColumnMap.assign(fit.p + 1, 0);
    model.NoModel = false;
    model.Saved = false;
}

std::string FormatModelFile(const TModelRecord& model) {
    std::string text;
    auto line = [&](const std::string& item) { text += item + "\r\n"; };
    line(model.Title);
    line(model.Method);
    line("false");
    line("true");
    line(std::to_string(model.XCount));
    line(model.ResponseName);
    for (int j = 0; j <= model.XCount; ++j) {
        line(CoefficientText(j < static_cast<int>(model.Coefficients.size()) ? model.Coefficients[j]
                                                                             : 0));
    }
    for (int j = 1; j <= model.XCount; ++j) {
        line(j < static_cast<int>(model.VariableNames.size()) ? model.VariableNames[j] : "");
    }
    line(model.Note);
    return EncodeFileText(std::move(text));
}

bool WriteModelFile(const TModelRecord& model, const std::string& file_name, std::string& error) {
    return WriteFileAtomically(file_name, FormatModelFile(model), error);
}

ModelFileRead ParseModelFile(std::string_view bytes) {
    const std::string text = DecodeFileText(std::string(bytes));
    const std::vector<std::string_view> lines = SplitLines(text);
    auto at = [&](std::size_t line) {
        return line <= lines.size() ? lines[line - 1] : std::string_view();
    };
    TModelRecord model;
    model.Title = CutToCharacters(at(1), kModelTitleLength);
    model.Method = CutToCharacters(at(2), kModelMethodLength);
    model.NoModel = at(3) == "true";
    model.Saved = at(4) == "true";
    const auto count = lines.size() >= 5 ? ParseInteger(at(5)) : std::nullopt;
    if (!count || *count < 1 || *count > kMaxModelVariables) {
        return {std::nullopt,
                LineError(5, ChooseText("'" + std::string(at(5)) +
                                            "' is not a number of x-variables from 1 to " +
                                            std::to_string(kMaxModelVariables),
                                        "'" + std::string(at(5)) +
                                            "' är inte ett antal x-variabler från 1 till " +
                                            std::to_string(kMaxModelVariables)))};
    }
    const int p = *count;
    const std::size_t needed = 7 + 2 * static_cast<std::size_t>(p);  // the Note may be missing
    if (lines.size() < needed) {
        return {std::nullopt,
                ChooseText("the file ends at line " + std::to_string(lines.size()) +
                               "; a model of " + std::to_string(p) + " x-variables takes " +
                               std::to_string(needed + 1) + " lines",
                           "filen slutar på rad " + std::to_string(lines.size()) +
                               "; en modell med " + std::to_string(p) + " x-variabler har " +
                               std::to_string(needed + 1) + " rader")};
    }
    model.XCount = p;
    model.ResponseName = CutToCharacters(at(6), kModelNameLength);
    for (int j = 0; j <= p; ++j) {
        const std::size_t line = 7 + static_cast<std::size_t>(j);
        auto value = ParseNumber(at(line), '.');
        if (!value) value = ParseNumber(at(line), ',');
        if (!value) return {std::nullopt, LineError(line, ConversionError(at(line)).what())};
        model.Coefficients.push_back(*value);
    }
    model.VariableNames.assign(1, std::string());
    for (int j = 1; j <= p; ++j) {
        model.VariableNames.push_back(CutToCharacters(at(7 + p + j), kModelNameLength));
    }
    model.Note = CutToCharacters(at(8 + 2 * static_cast<std::size_t>(p)), kModelNoteLength);
    model.ColumnMap.assign(p + 1, 0);
    model.NoModel = false;
    return {std::move(model), {}};
}

ModelFileRead ReadModelFile(const std::string& file_name) {
    const std::string prefix = ChooseText("The model file " + file_name + " cannot be read: ",
                                          "Modellfilen " + file_name + " kan inte läsas: ");
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(file_name, ec);
    if (!ec && size > kMaxModelFileBytes) {
        return {std::nullopt, prefix + ChooseText("it is too large to be a model file",
                                                  "den är för stor för att vara en modellfil")};
    }
    std::string bytes;
    std::string error;
    if (!ReadFileBytes(file_name, bytes, error)) return {std::nullopt, error};
    ModelFileRead read = ParseModelFile(bytes);
    if (!read.model) read.error = prefix + read.error;
    return read;
}

std::string NoModelText() {
    return ChooseText("No model has been calculated", "Ingen modell har beräknats");
}

ModelWindowTable ModelCoefficientTable(const TModelRecord& model) {
    ModelWindowTable table;
    table.caption = model.Title + " " + model.Method;
    table.rows.push_back(
        {ChooseText("Coefficient", "Koefficient"), ChooseText("Variable name", "Variabelnamn")});
    table.rows.push_back({ChooseText("(original y-variable", "(ursprunglig y-variabel)"),
                          DisplayName(model.ResponseName)});
    if (model.Coefficients.empty()) return table;
    table.rows.push_back({G6(model.Coefficients[0]) + "+", ""});
    for (int j = 1; j <= model.XCount && j < static_cast<int>(model.Coefficients.size()); ++j) {
        const std::string name =
            j < static_cast<int>(model.VariableNames.size()) ? model.VariableNames[j] : "";
        table.rows.push_back({G6(model.Coefficients[j]) + "*", DisplayName(name)});
    }
    return table;
}

}  // namespace tabulon
