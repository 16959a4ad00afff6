// JSON as tabulon-cli reads it (the certified values it validates against): objects keep
// their keys in file order and numbers keep their text, so that a certified value is
// converted once, from the digits as written, to the extended precision it is checked in.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tabulon::cli {

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    std::string text;  // a number as written, or a string unescaped
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;

    // The member named `key` of an object; nullptr when there is none.
    const JsonValue* Find(std::string_view key) const;
};

// The document, or nullopt with the place and reason in `error`.
std::optional<JsonValue> ParseJson(std::string_view text, std::string& error);

}  // namespace tabulon::cli
