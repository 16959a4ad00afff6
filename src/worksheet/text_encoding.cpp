// File text encodings: Windows-1252 when every character fits, UTF-8 otherwise.
#include "worksheet/text_encoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace tabulon {
namespace {

// Unicode of the Windows-1252 bytes 0x80-0x9F; the holes map to the C1 control of the same
// number.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Length of the ASCII prefix, eight bytes at a time.
std::size_t AsciiPrefix(std::string_view bytes) {
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        if (word & 0x8080808080808080ULL) break;
    }
    while (i < n && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
    return i;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The Windows-1252 byte of a character, or -1 when it has none.
int Windows1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == c) return static_cast<int>(0x80 + i);
    }
    return -1;
}

// Decodes one character of valid UTF-8 at `i`, advancing `i`.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    auto cont = [&](std::size_t k) { return static_cast<char32_t>(s[i + k] & 0x3F); };
    char32_t c;
    if (b0 < 0x80) {
        c = b0;
        i += 1;
    } else if (b0 < 0xE0) {
        c = (static_cast<char32_t>(b0 & 0x1F) << 6) | cont(1);
        i += 2;
    } else if (b0 < 0xF0) {
        c = (static_cast<char32_t>(b0 & 0x0F) << 12) | (cont(1) << 6) | cont(2);
        i += 3;
    } else {
        c = (static_cast<char32_t>(b0 & 0x07) << 18) | (cont(1) << 12) | (cont(2) << 6) | cont(3);
        i += 4;
    }
    return c;
}

}  // namespace

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        i += AsciiPrefix(s.substr(i));
        if (i >= n) break;
        const auto b0 = static_cast<unsigned char>(s[i]);
        auto byte = [&](std::size_t k) -> unsigned {
            return i + k < n ? static_cast<unsigned char>(s[i + k]) : 0u;
        };
        auto is_cont = [](unsigned b) { return (b & 0xC0) == 0x80; };
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            if (!is_cont(byte(1))) return false;
            i += 2;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            const unsigned b1 = byte(1);
            const unsigned low = b0 == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
            const unsigned high = b0 == 0xED ? 0x9F : 0xBF;  // no surrogates
            if (b1 < low || b1 > high || !is_cont(byte(2))) return false;
            i += 3;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            const unsigned b1 = byte(1);
            const unsigned low = b0 == 0xF0 ? 0x90 : 0x80;
            const unsigned high = b0 == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
            if (b1 < low || b1 > high || !is_cont(byte(2)) || !is_cont(byte(3))) return false;
            i += 4;
        } else {
            return false;
        }
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out.push_back(ch);
        } else if (b < 0xA0) {
            AppendUtf8(out, kHigh[b - 0x80]);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

std::string DecodeFileText(std::string bytes, TextEncoding* found) {
    if (IsValidUtf8(bytes)) {
        if (found) *found = TextEncoding::Utf8;
        if (std::string_view(bytes).substr(0, 3) == kByteOrderMark) bytes.erase(0, 3);
        return bytes;
    }
    if (found) *found = TextEncoding::Windows1252;
    return Windows1252ToUtf8(bytes);
}

std::string EncodeFileText(std::string text, TextEncoding* chosen) {
    auto as_utf8 = [&](bool valid) {
        if (chosen) *chosen = TextEncoding::Utf8;
        if (valid && std::string_view(text).substr(0, 3) == kByteOrderMark) {
            text.insert(0, kByteOrderMark);
        }
        return std::move(text);
    };
    const std::size_t ascii = AsciiPrefix(text);
    if (ascii == text.size()) {
        if (chosen) *chosen = TextEncoding::Windows1252;
        return text;
    }
    if (!IsValidUtf8(text)) return as_utf8(false);
    std::string out(text, 0, ascii);
    out.reserve(text.size());
    for (std::size_t i = ascii; i < text.size();) {
        const int b = Windows1252Byte(NextCodePoint(text, i));
        if (b < 0) return as_utf8(true);
        out.push_back(static_cast<char>(b));
    }
    // Bytes such as "Ã©" would read back as UTF-8 "é": such a text is written as UTF-8.
    if (IsValidUtf8(out)) return as_utf8(true);
    if (chosen) *chosen = TextEncoding::Windows1252;
    return out;
}

}  // namespace tabulon
