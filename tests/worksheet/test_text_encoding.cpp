// File encodings: Windows-1252 when the text fits, UTF-8 otherwise, and the detection.
#include <gtest/gtest.h>

#include "worksheet/text_encoding.h"

namespace tabulon {
namespace {

TEST(IsValidUtf8, AcceptsOnlyStrictUtf8) {
    for (const char* valid : {"", "plain ascii, long enough for the eight-byte steps",
                              "\xC2\xB5",             // µ
                              "\xE2\x80\x93",         // en dash
                              "\xF0\x9F\x98\x80",     // U+1F600
                              "\xF4\x8F\xBF\xBF"}) {  // U+10FFFF, the last one
        EXPECT_TRUE(IsValidUtf8(valid)) << valid;
    }
    for (const char* invalid : {"\xC0\xAF",          // overlong "/"
                                "\xE0\x80\xAF",      // overlong, three bytes
                                "\xED\xA0\x80",      // a surrogate
                                "\xF4\x90\x80\x80",  // above U+10FFFF
                                "ab\xE2\x82",        // cut short at the end
                                "\xB5g",             // Windows-1252 µ
                                "12345678\x80"}) {   // after an eight-byte block
        EXPECT_FALSE(IsValidUtf8(invalid)) << invalid;
    }
}

TEST(DecodeFileText, ReadsValidUtf8AsUtf8AndEverythingElseAsWindows1252) {
    TextEncoding found{};
    EXPECT_EQ(DecodeFileText("Vikt (\xC2\xB5g/m\xC2\xB3)", &found), "Vikt (µg/m³)");
    EXPECT_EQ(found, TextEncoding::Utf8);
    EXPECT_EQ(DecodeFileText("Vikt (\xB5g/m\xB3) \x96 prov", &found), "Vikt (µg/m³) – prov");
    EXPECT_EQ(found, TextEncoding::Windows1252);
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF"
                             "a\tb",
                             &found),
              "a\tb");  // mark dropped
    EXPECT_EQ(found, TextEncoding::Utf8);
}

TEST(Windows1252ToUtf8, GivesEveryByteACharacterSoNothingIsReplaced) {
    // The table of the code page (0x80 euro sign, 0x9F Y with diaeresis) and its five holes,
    // which keep their number as C1 controls.
    EXPECT_EQ(Windows1252ToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(Windows1252ToUtf8("\x9F"), "\u0178");
    EXPECT_EQ(Windows1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(Windows1252ToUtf8("\xA0\xFF"), "\u00A0\u00FF");
}

// Windows-1252 when every character fits (code page table: µ B5, ³ B3, – 96), otherwise
// UTF-8: for characters outside the code page, for code page bytes that would read back as
// UTF-8 ("Ã©" is C3 A9, valid UTF-8 for "é"), and for a leading byte order mark character.
TEST(EncodeFileText, ChoosesWindows1252WhenEveryCharacterFitsAndTheBytesReadBackSo) {
    const struct {
        const char *text, *bytes;
        TextEncoding encoding;
    } cases[] = {
        {"Vikt (µg/m³) – prov 5", "Vikt (\xB5g/m\xB3) \x96 prov 5", TextEncoding::Windows1252},
        {"1.5\t2", "1.5\t2", TextEncoding::Windows1252},
        {"σ = 2 µg", "σ = 2 µg", TextEncoding::Utf8},
        {"Ã©", "Ã©", TextEncoding::Utf8},
        {"\uFEFFstart", "\uFEFF\uFEFFstart", TextEncoding::Utf8},  // a mark of its own in front
    };
    for (const auto& c : cases) {
        TextEncoding chosen{};
        EXPECT_EQ(EncodeFileText(c.text, &chosen), c.bytes) << c.text;
        EXPECT_EQ(chosen, c.encoding) << c.text;
        EXPECT_EQ(DecodeFileText(EncodeFileText(c.text)), c.text);
    }
}

TEST(EncodeFileText, RoundTripsEveryWindows1252Character) {
    for (int b = 0x80; b <= 0xFF; ++b) {
        const std::string bytes = std::string("x") + static_cast<char>(b);
        const std::string text = DecodeFileText(bytes);
        TextEncoding chosen{};
        EXPECT_EQ(EncodeFileText(text, &chosen), bytes) << b;
        EXPECT_EQ(chosen, TextEncoding::Windows1252) << b;
    }
}

}  // namespace
}  // namespace tabulon
