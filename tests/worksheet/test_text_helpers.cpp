// Text helpers: separator adjustment, integer checks, word splitting, names and positions.
#include <gtest/gtest.h>

#include "base/language.h"
#include "numeric/number_text.h"
#include "worksheet/cell_text.h"
#include "worksheet/text_helpers.h"
#include "worksheet/worksheet.h"

namespace tabulon {
namespace {

// Worked by hand: the first foreign separator becomes the given one, unless the text holds
// the given one already; the copy, the string and the cell agree, and a second pass does
// nothing.
TEST(AdjustDecimalSeparator, TurnsTheFirstForeignSeparatorOnce) {
    const struct {
        char separator;
        std::string_view text, adjusted;
    } cases[] = {
        {',', "1.5", "1,5"},
        {',', "1,5", "1,5"},
        {'.', "1,5", "1.5"},
        {',', "1.5.3", "1,5.3"},                        // only the first one
        {',', "1.5,2", "1.5,2"},                        // holds "," already: left alone
        {',', "N.A.", "N,A."},                          // texts too, as the import did
        {',', "12345678901234.5", "12345678901234,5"},  // a heap cell
        {',', "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.text << " with " << c.separator);
        const bool changed = c.text != c.adjusted;
        EXPECT_EQ(AdjustDecimalSeparator(c.text, c.separator), c.adjusted);
        EXPECT_EQ(AdjustDecimalSeparator(c.adjusted, c.separator), c.adjusted);
        std::string text(c.text);
        EXPECT_EQ(AdjustDecimalSeparatorInPlace(text, c.separator), changed);
        EXPECT_EQ(text, c.adjusted);
        CellText cell(c.text);
        EXPECT_EQ(AdjustDecimalSeparatorInPlace(cell, c.separator), changed);
        EXPECT_EQ(cell.view(), c.adjusted);
    }
}

TEST(NormalizeDecimalSeparator, AdjustsAndRaisesTheConversionErrorWhenTheResultIsNoNumber) {
    ScopedTextSettings settings(Language::English, ',');
    EXPECT_EQ(NormalizeDecimalSeparator("1.5"), "1,5");
    EXPECT_EQ(NormalizeDecimalSeparator(" 7 "), " 7 ");  // blanks are allowed by the parser
    EXPECT_THROW(NormalizeDecimalSeparator("abc"), ConversionError);
    EXPECT_THROW(NormalizeDecimalSeparator("1.2.3"), ConversionError);  // "1,2.3"
    EXPECT_THROW(NormalizeDecimalSeparator(""), ConversionError);
    ScopedTextSettings point(Language::English, '.');
    EXPECT_EQ(NormalizeDecimalSeparator("2,25"), "2.25");
}

TEST(CheckInteger, ReturnsTheTextOfAWholeNumberAndRefusesTheRest) {
    ScopedTextSettings settings(Language::English, '.');
    EXPECT_EQ(CheckInteger(" -4 "), " -4 ");  // the text itself, blanks kept
    EXPECT_THROW(CheckInteger("1.5"), ConversionError);
    EXPECT_THROW(CheckInteger("1e3"), ConversionError);
    EXPECT_THROW(CheckInteger("99999999999"), ConversionError);  // beyond an int
}

TEST(ReplaceFirst, ReplacesOnlyTheFirstOccurrence) {
    const struct {
        const char *text, *old_text, *new_text;
        bool replaced;
        const char* expected;
    } cases[] = {{"a.b.c", ".", ",", true, "a,b.c"},
                 {"xx", "x", "yy", true, "yyx"},
                 {"abc", "d", "e", false, "abc"},
                 {"abc", "", "z", false, "abc"}};
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(ReplaceFirst(text, c.old_text, c.new_text), c.replaced) << c.text;
        EXPECT_EQ(text, c.expected);
    }
}

TEST(WordCount, CountsAndExtractsNonEmptyFieldsOfLinesOfAnyLength) {
    const struct {
        const char* text;
        std::size_t count, n;
        const char* word;
    } cases[] = {
        {"1\t\t3", 2, 2, "3"},                        // runs count as one
        {"\ta\tb\t", 2, 1, "a"},                      // ends ignored
        {"a\tb", 2, 3, ""},                           // no third field
        {"\t\t", 0, 1, ""},      {"solo", 1, 0, ""},  // n counts from 1
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WordCount(c.text, '\t'), c.count) << c.text;
        EXPECT_EQ(ExtractWord(c.n, c.text, '\t'), c.word) << c.text;
    }
    std::string line;  // far longer than 255 characters
    for (int i = 1; i <= 400; ++i) line += std::to_string(i) + "\t";
    EXPECT_EQ(WordCount(line, '\t'), 400u);
    EXPECT_EQ(ExtractWord(300, line, '\t'), "300");
}

TEST(FileBaseName, CutsFoldersDriveAndEverythingFromTheFirstDot) {
    const char* cases[][2] = {{"C:\\data\\run.2.tbn", "run"}, {"C:data.tbn", "data"},
                              {"/home/lab/prov.txt", "prov"}, {"noext", "noext"},
                              {"dir.d/file", "file"},         {".hidden", ""}};
    for (const auto& c : cases) EXPECT_EQ(FileBaseName(c[0]), c[1]) << c[0];
}

TEST(TextHelpers, TrimLastPosAndRowNumbers) {
    EXPECT_EQ(TrimLeadingSpaces("   12 "), "12 ");  // only leading blanks
    EXPECT_EQ(TrimLeadingSpaces("    "), "");
    EXPECT_EQ(LastPos('.', "a.b.c"), 4u);  // counts from one
    EXPECT_EQ(LastPos('x', "abc"), 0u);
    Worksheet sheet = Worksheet::StartSheet();
    EXPECT_EQ(RowNumberText(sheet, 5), "4");  // row r shows r-1
    sheet.setCell(0, 6, "  17");
    EXPECT_EQ(RowNumberText(sheet, 6), "17");  // without leading blanks
    EXPECT_EQ(RowNumberText(sheet, 102), "");  // the sheet has rows 0..101
    EXPECT_EQ(RowNumberText(sheet, -1), "");
}

}  // namespace
}  // namespace tabulon
