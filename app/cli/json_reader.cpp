// JSON as tabulon-cli reads it: a recursive descent over the text, depth-limited.
#include "json_reader.h"

#include <cctype>

namespace tabulon::cli {

const JsonValue* JsonValue::Find(std::string_view key) const {
    for (const auto& [name, value] : members) {
        if (name == key) return &value;
    }
    return nullptr;
}

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    std::optional<JsonValue> Document(std::string& error) {
        JsonValue value;
        if (Value(value, 0)) {
            SkipBlanks();
            if (m_at == m_text.size()) return value;
            m_error = "text after the value";
        }
        error = "JSON at byte " + std::to_string(m_at) + ": " + m_error;
        return std::nullopt;
    }

private:
    // Deep enough for any document we read, shallow enough that the stack never runs out.
    static constexpr int kMaxDepth = 64;

    void SkipBlanks() {
        while (m_at < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_at]))) {
            ++m_at;
        }
    }
    bool Fail(const char* why) {
        m_error = why;
        return false;
    }
    bool Take(char c) {
        SkipBlanks();
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }
    bool Word(std::string_view word) {
        if (m_text.substr(m_at, word.size()) != word) return Fail("unknown word");
        m_at += word.size();
        return true;
    }

    bool Value(JsonValue& out, int depth) {
        if (depth > kMaxDepth) return Fail("nested too deeply");
        SkipBlanks();
        if (m_at >= m_text.size()) return Fail("unexpected end");
        const char c = m_text[m_at];
        if (c == '{') return Object(out, depth);
        if (c == '[') return Array(out, depth);
        if (c == '"') {
            out.kind = JsonValue::Kind::String;
            return String(out.text);
        }
        if (c == 't' || c == 'f') {
            out.kind = JsonValue::Kind::Bool;
            out.boolean = c == 't';
            return Word(c == 't' ? "true" : "false");
        }
        if (c == 'n') return Word("null");
        return Number(out);
    }

    bool Object(JsonValue& out, int depth) {
        out.kind = JsonValue::Kind::Object;
        ++m_at;
        if (Take('}')) return true;
        do {
            SkipBlanks();
            std::string key;
            if (m_at >= m_text.size() || m_text[m_at] != '"') return Fail("a key expected");
            if (!String(key)) return false;
            if (!Take(':')) return Fail("':' expected");
            JsonValue value;
            if (!Value(value, depth + 1)) return false;
            out.members.emplace_back(std::move(key), std::move(value));
        } while (Take(','));
        return Take('}') || Fail("'}' expected");
    }

    bool Array(JsonValue& out, int depth) {
        out.kind = JsonValue::Kind::Array;
        ++m_at;
        if (Take(']')) return true;
        do {
            JsonValue value;
            if (!Value(value, depth + 1)) return false;
            out.items.push_back(std::move(value));
        } while (Take(','));
        return Take(']') || Fail("']' expected");
    }

    // Escapes other than \uXXXX are enough for the names and texts we store.
    bool String(std::string& out) {
        ++m_at;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at++];
            if (c == '"') return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_at >= m_text.size()) break;
            const char e = m_text[m_at++];
            switch (e) {
                case 'n':
                    out += '\n';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case '"':
                case '\\':
                case '/':
                    out += e;
                    break;
                default:
                    return Fail("unsupported escape");
            }
        }
        return Fail("unterminated string");
    }

    bool Number(JsonValue& out) {
        const std::size_t start = m_at;
        while (m_at < m_text.size() &&
               (std::isdigit(static_cast<unsigned char>(m_text[m_at])) ||
                std::string_view("+-.eE").find(m_text[m_at]) != std::string_view::npos)) {
            ++m_at;
        }
        if (m_at == start) return Fail("a value expected");
        out.kind = JsonValue::Kind::Number;
        out.text = std::string(m_text.substr(start, m_at - start));
        return true;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    std::string m_error;
};

}  // namespace

std::optional<JsonValue> ParseJson(std::string_view text, std::string& error) {
    return Parser(text).Document(error);
}

}  // namespace tabulon::cli
