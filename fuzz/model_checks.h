// The check the .mdl fuzz target runs on every input, shared with the corpus replay: a file
// is refused with a message, or it reads as a model within the record's limits that its
// writer saves so that it reads back the same.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/language.h"
#include "multivariate/model_file.h"

namespace tabulon::fuzz {

namespace detail {
inline std::size_t Characters(std::string_view text) {
    std::size_t count = 0;
    for (unsigned char c : text) count += (c & 0xC0) != 0x80;
    return count;
}
}  // namespace detail

inline const char* CheckModelInput(const std::uint8_t* data, std::size_t size) {
    ScopedTextSettings settings(Language::English, '.');
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ModelFileRead first = ParseModelFile(bytes);
    if (!first.model) return first.error.empty() ? "refused without a message" : nullptr;
    const TModelRecord& model = *first.model;
    const auto p = static_cast<std::size_t>(model.XCount);
    if (model.XCount < 1 || model.Coefficients.size() != p + 1 ||
        model.VariableNames.size() != p + 1 || model.ColumnMap.size() != p + 1) {
        return "record sized other than by its count";
    }
    if (model.NoModel) return "a read model counts as none";
    if (detail::Characters(model.Title) > kModelTitleLength ||
        detail::Characters(model.Method) > kModelMethodLength ||
        detail::Characters(model.ResponseName) > kModelNameLength ||
        detail::Characters(model.Note) > kModelNoteLength) {
        return "a field longer than its limit";
    }
    for (const std::string& name : model.VariableNames) {
        if (detail::Characters(name) > kModelNameLength) return "a name longer than its limit";
    }
    // The coefficients are written with 17 digits, fewer than an extended value holds, so
    // the first save may round them; from then on the file must not change.
    const std::string written = FormatModelFile(model);
    const ModelFileRead second = ParseModelFile(written);
    if (!second.model) return "saved model refused";
    TModelRecord again = *second.model;
    if (again.Title != model.Title || again.Method != model.Method ||
        again.XCount != model.XCount || again.ResponseName != model.ResponseName ||
        again.VariableNames != model.VariableNames || again.Note != model.Note) {
        return "saved model reads back differently";
    }
    if (FormatModelFile(again) != written) return "saving the saved model changes the file";
    return nullptr;
}

}  // namespace tabulon::fuzz
