// File encodings: Windows-1252 when the text fits, UTF-8 otherwise, and the detection.
#include <gtest/gtest.h>

#include "worksheet/text_encoding.h"

namespace tabulon {
namespace {

TEST(IsValidUtf8, AcceptsOnlyStrictUtf8) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain ascii, long enough for the eight-byte steps"));
    EXPECT_TRUE(IsValidUtf8("\xC2\xB5"));           // µ
    EXPECT_TRUE(IsValidUtf8("\xE2\x80\x93"));       // en dash
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));   // U+1F600
    EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));   // U+10FFFF, the last one
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));      // overlong, three bytes
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("ab\xE2\x82"));        // cut short at the end
    EXPECT_FALSE(IsValidUtf8("\xB5g"));             // Windows-1252 µ
    EXPECT_FALSE(IsValidUtf8("12345678\x80"));      // after an eight-byte block
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

TEST(EncodeFileText, ChoosesWindows1252WhenEveryCharacterFits) {
    TextEncoding chosen{};
    EXPECT_EQ(EncodeFileText("Vikt (µg/m³) – prov 5", &chosen),
              "Vikt (\xB5g/m\xB3) \x96 prov 5");  // code page table: µ B5, ³ B3, – 96
    EXPECT_EQ(chosen, TextEncoding::Windows1252);
    EXPECT_EQ(EncodeFileText("1.5\t2", &chosen), "1.5\t2");
    EXPECT_EQ(chosen, TextEncoding::Windows1252);
}

TEST(EncodeFileText, FallsBackToUtf8ForCharactersOutsideTheCodePage) {
    TextEncoding chosen{};
    EXPECT_EQ(EncodeFileText("σ = 2 µg", &chosen), "σ = 2 µg");
    EXPECT_EQ(chosen, TextEncoding::Utf8);
}

TEST(EncodeFileText, UsesUtf8WhenTheCodePageBytesWouldReadBackAsUtf8) {
    // "Ã©" is C3 A9 in Windows-1252, which is valid UTF-8 for "é": written so, it would come
    // back as one wrong letter.
    TextEncoding chosen{};
    const std::string text = "Ã©";
    EXPECT_EQ(EncodeFileText(text, &chosen), text);
    EXPECT_EQ(chosen, TextEncoding::Utf8);
    EXPECT_EQ(DecodeFileText(EncodeFileText(text)), text);
}

TEST(EncodeFileText, KeepsALeadingByteOrderMarkCharacterThroughARoundTrip) {
    const std::string text = "\uFEFFstart";
    EXPECT_EQ(DecodeFileText(EncodeFileText(text)), text);
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
