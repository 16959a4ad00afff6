// File text encodings: Windows-1252 when every character fits, UTF-8 otherwise, and
// the detection of which one a file uses. Inside the program texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace tabulon {

enum class TextEncoding { Windows1252, Utf8 };

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Every byte has a character: the 27 letters and signs of 0x80-0x9F that Windows-1252
// defines, and U+0080-U+009F for its five holes (0x81, 0x8D, 0x8F, 0x90, 0x9D), so any file
// decodes and nothing is replaced.
std::string Windows1252ToUtf8(std::string_view bytes);

// The file bytes as program text: UTF-8 when the bytes are valid UTF-8 (a leading byte-order
// mark is dropped), Windows-1252 otherwise. `found`, when given, tells which.
std::string DecodeFileText(std::string bytes, TextEncoding* found = nullptr);

// Program text (UTF-8) as file bytes. Windows-1252 when every character has a byte there
// and those bytes cannot be mistaken for UTF-8 when read back; UTF-8 otherwise (with a
// byte-order mark only when the text itself starts with U+FEFF, so that one survives).
// Text that is not valid UTF-8 is written byte for byte.
std::string EncodeFileText(std::string text, TextEncoding* chosen = nullptr);

}  // namespace tabulon
