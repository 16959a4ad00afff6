// JSON as tabulon-cli writes it.
#include "json.h"

#include <cmath>
#include <cstdio>

#include "numeric/number_text.h"

namespace tabulon::cli {

std::string JsonNumber(Extended value) {
    if (!std::isfinite(value)) return "null";
    return FormatGeneral(value, 15, 2, '.');
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
                    out += buffer;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

JsonObject& JsonObject::Lines(const std::string& key, const std::vector<std::string>& lines) {
    std::string array = "[";
    for (std::size_t i = 0; i < lines.size(); ++i) array += (i ? "," : "") + JsonString(lines[i]);
    return Raw(key, array + "]");
}

JsonObject& JsonObject::Raw(const std::string& key, const std::string& json) {
    if (!m_body.empty()) m_body += ",";
    m_body += JsonString(key) + ":" + json;
    return *this;
}

}  // namespace tabulon::cli
