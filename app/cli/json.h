// JSON as tabulon-cli writes it: numbers with 15 significant digits and ".", never NaN or
// infinity (those become null), strings escaped.
#pragma once

#include <string>
#include <vector>

#include "numeric/extended.h"

namespace tabulon::cli {

std::string JsonNumber(Extended value);
std::string JsonString(const std::string& text);
inline std::string JsonBool(bool value) { return value ? "true" : "false"; }

// An object written field by field.
class JsonObject {
public:
    JsonObject& Number(const std::string& key, Extended value) { return Raw(key, JsonNumber(value)); }
    JsonObject& Integer(const std::string& key, long long value) {
        return Raw(key, std::to_string(value));
    }
    JsonObject& Bool(const std::string& key, bool value) { return Raw(key, JsonBool(value)); }
    JsonObject& String(const std::string& key, const std::string& value) {
        return Raw(key, JsonString(value));
    }
    JsonObject& Object(const std::string& key, const JsonObject& value) {
        return Raw(key, value.Text());
    }
    JsonObject& Lines(const std::string& key, const std::vector<std::string>& lines);
    // A value already written as JSON.
    JsonObject& Raw(const std::string& key, const std::string& json);
    std::string Text() const { return "{" + m_body + "}"; }

private:
    std::string m_body;
};

}  // namespace tabulon::cli
