// Text helpers: separator adjustment, integer checks, word splitting, names and positions.
#include <gtest/gtest.h>

#include "numeric/number_text.h"
#include "base/language.h"
#include "worksheet/text_helpers.h"
#include "worksheet/worksheet.h"

namespace tabulon {
namespace {

struct SeparatorCase {
    char separator;
    const char* text;
    const char* expected;
};

class NormalizeDecimalSeparatorTest : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(NormalizeDecimalSeparatorTest, TurnsTheFirstForeignSeparatorIntoTheCurrentOne) {
    const SeparatorCase& c = GetParam();
    ScopedTextSettings settings(Language::English, c.separator);
    EXPECT_EQ(NormalizeDecimalSeparator(c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NormalizeDecimalSeparatorTest,
    ::testing::Values(SeparatorCase{',', "1.5", "1,5"},    // worked by hand
                      SeparatorCase{',', "1,5", "1,5"},    // already right
                      SeparatorCase{'.', "2,25", "2.25"},  // the other way round
                      SeparatorCase{'.', "-3e2", "-3e2"},  // nothing to adjust
                      SeparatorCase{',', " 7 ", " 7 "}));  // blanks are allowed by the parser

TEST(NormalizeDecimalSeparator, RaisesTheConversionErrorWhenTheResultIsNoNumber) {
    ScopedTextSettings settings(Language::English, ',');
    EXPECT_THROW(NormalizeDecimalSeparator("abc"), ConversionError);
    EXPECT_THROW(NormalizeDecimalSeparator("1.2.3"), ConversionError);  // "1,2.3"
    EXPECT_THROW(NormalizeDecimalSeparator(""), ConversionError);
}

class AdjustDecimalSeparatorTest : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(AdjustDecimalSeparatorTest, AdjustsOnceAndNeverTwice) {
    const SeparatorCase& c = GetParam();
    const std::string once = AdjustDecimalSeparator(c.text, c.separator);
    EXPECT_EQ(once, c.expected);
    EXPECT_EQ(AdjustDecimalSeparator(once, c.separator), once);  // idempotent
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AdjustDecimalSeparatorTest,
    ::testing::Values(SeparatorCase{',', "1.5", "1,5"}, SeparatorCase{'.', "1,5", "1.5"},
                      SeparatorCase{',', "1.5.3", "1,5.3"},  // only the first one
                      SeparatorCase{',', "1,5.3", "1,5.3"},  // holds "," already: left alone
                      SeparatorCase{',', "N.A.", "N,A."},    // texts too, as the import did
                      SeparatorCase{'.', "", ""}));

TEST(CheckInteger, ReturnsTheTextOfAWholeNumberAndRefusesTheRest) {
    ScopedTextSettings settings(Language::English, '.');
    EXPECT_EQ(CheckInteger("12"), "12");
    EXPECT_EQ(CheckInteger(" -4 "), " -4 ");  // the text itself, blanks kept
    EXPECT_THROW(CheckInteger("1.5"), ConversionError);
    EXPECT_THROW(CheckInteger("1e3"), ConversionError);
    EXPECT_THROW(CheckInteger("99999999999"), ConversionError);  // beyond an int
}

struct ReplaceCase {
    const char* text;
    const char* old_text;
    const char* new_text;
    bool replaced;
    const char* expected;
};

class ReplaceFirstTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceFirstTest, ReplacesOnlyTheFirstOccurrence) {
    const ReplaceCase& c = GetParam();
    std::string text = c.text;
    EXPECT_EQ(ReplaceFirst(text, c.old_text, c.new_text), c.replaced);
    EXPECT_EQ(text, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplaceFirstTest,
                         ::testing::Values(ReplaceCase{"a.b.c", ".", ",", true, "a,b.c"},
                                           ReplaceCase{"xx", "x", "yy", true, "yyx"},
                                           ReplaceCase{"abc", "d", "e", false, "abc"},
                                           ReplaceCase{"", "a", "b", false, ""},
                                           ReplaceCase{"abc", "", "z", false, "abc"}));

struct WordCase {
    const char* text;
    std::size_t count;
    std::size_t n;
    const char* word;
};

class WordsTest : public ::testing::TestWithParam<WordCase> {};

TEST_P(WordsTest, CountsAndExtractsNonEmptyFields) {
    const WordCase& c = GetParam();
    EXPECT_EQ(WordCount(c.text, '\t'), c.count);
    EXPECT_EQ(ExtractWord(c.n, c.text, '\t'), c.word);
}

INSTANTIATE_TEST_SUITE_P(Cases, WordsTest,
                         ::testing::Values(WordCase{"1\t\t3", 2, 2, "3"},    // runs count as one
                                           WordCase{"\ta\tb\t", 2, 1, "a"},  // ends ignored
                                           WordCase{"a\tb", 2, 3, ""},       // no third field
                                           WordCase{"", 0, 1, ""}, WordCase{"\t\t", 0, 1, ""},
                                           WordCase{"solo", 1, 0, ""}));  // n counts from 1

TEST(WordCount, HandlesLinesFarLongerThan255Characters) {
    std::string line;
    for (int i = 1; i <= 400; ++i) line += std::to_string(i) + "\t";
    EXPECT_EQ(WordCount(line, '\t'), 400u);
    EXPECT_EQ(ExtractWord(400, line, '\t'), "400");
    EXPECT_EQ(ExtractWord(300, line, '\t'), "300");
}

TEST(TrimLeadingSpaces, DropsOnlyLeadingBlanks) {
    EXPECT_EQ(TrimLeadingSpaces("   12 "), "12 ");
    EXPECT_EQ(TrimLeadingSpaces("    "), "");
    EXPECT_EQ(TrimLeadingSpaces("a b"), "a b");
}

struct NameCase {
    const char* path;
    const char* base;
};

class FileBaseNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileBaseNameTest, CutsFoldersDriveAndEverythingFromTheFirstDot) {
    EXPECT_EQ(FileBaseName(GetParam().path), GetParam().base);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileBaseNameTest,
    ::testing::Values(NameCase{"C:\\data\\run.2.tbn", "run"}, NameCase{"C:data.tbn", "data"},
                      NameCase{"/home/lab/prov.txt", "prov"}, NameCase{"noext", "noext"},
                      NameCase{"dir.d/file", "file"}, NameCase{".hidden", ""}));

TEST(LastPos, CountsFromOneAndGivesZeroWhenAbsent) {
    EXPECT_EQ(LastPos('.', "a.b.c"), 4u);  // worked by hand: a . b . c -> 4th
    EXPECT_EQ(LastPos('x', "abc"), 0u);
    EXPECT_EQ(LastPos('a', "a"), 1u);
    EXPECT_EQ(LastPos('a', ""), 0u);
}

TEST(RowNumberText, IsColumnZeroWithoutLeadingBlanksAndEmptyOutside) {
    Worksheet sheet = Worksheet::StartSheet();
    EXPECT_EQ(RowNumberText(sheet, 5), "4");  // row r shows r-1
    sheet.setCell(0, 6, "  17");
    EXPECT_EQ(RowNumberText(sheet, 6), "17");
    EXPECT_EQ(RowNumberText(sheet, 102), "");  // the sheet has rows 0..101
    EXPECT_EQ(RowNumberText(sheet, -1), "");
}

}  // namespace
}  // namespace tabulon
