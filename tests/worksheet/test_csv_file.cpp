// .csv files: separator detection, RFC 4180 quoting, placement and round trips.
#include <gtest/gtest.h>

#include "base/language.h"
#include "file_test_folder.h"
#include "worksheet/csv_file.h"
#include "worksheet/worksheet_file.h"

namespace tabulon {
namespace {

using testing::FileTestFolder;

TEST(DetectCsvSeparator, TakesTheCommonerSeparatorOfTheFirstRecord) {
    const struct {
        const char* text;
        char decimal_separator, expected;
    } cases[] = {
        {"a,b,c\n1;2", '.', ','},     {"a;b;c\n1,2,3,4,5", ',', ';'},  // the first line decides
        {"\"x,y,z\";b\n", '.', ';'},                                   // quoted commas don't count
        {"\"1\n,,,\";b\n", '.', ';'},                                  // nor a quoted line break
        {"single\n1,5", ',', ';'},                                     // tie: the writer's choice
        {"single\n1;5", '.', ','},    {"a,b;c\n", ',', ';'},           // tie again
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DetectCsvSeparator(c.text, c.decimal_separator), c.expected) << c.text;
    }
}

TEST(CsvImport, RemovesQuotesAndKeepsSeparatorsQuotesAndLineBreaksInside) {
    ScopedTextSettings settings(Language::Swedish, ',');
    const LoadResult loaded =
        ParseCsvFile("\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\"\r\nplain,,\"\"\r\n", {});
    ASSERT_TRUE(loaded.ok);
    const Worksheet& sheet = loaded.sheet;
    EXPECT_EQ(sheet.cell(2, 2), "a,b");
    EXPECT_EQ(sheet.cell(3, 2), "say \"hi\"");
    EXPECT_EQ(sheet.cell(4, 2), "two\r\nlines");
    EXPECT_EQ(sheet.cell(2, 3), "plain");
    EXPECT_EQ(sheet.cell(4, 3), "");
    EXPECT_EQ(sheet.columnCount(), 5);  // exactly the widest record
    EXPECT_EQ(sheet.rowCount(), 4);
}

TEST(CsvImport, ReadsSemicolonFilesWithDecimalCommasAndAdjustsDataCellsOnly) {
    ScopedTextSettings settings(Language::English, '.');
    const LoadResult loaded = ParseCsvFile("prov;Vikt 1,2;pH\nA;1,5;7\nB;2;7,25\n", {true, true});
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.sheet.cell(2, 1), "Vikt 1,2");  // a caption: left alone
    EXPECT_EQ(loaded.sheet.cell(1, 2), "A");
    EXPECT_EQ(loaded.sheet.cell(2, 2), "1.5");  // a value: the point of this locale
    EXPECT_EQ(loaded.sheet.cell(2, 3), "2");
    EXPECT_EQ(loaded.sheet.cell(3, 3), "7.25");
}

TEST(CsvImport, KeepsALiteralQuoteInsideAnUnquotedFieldAndRefusesMalformedQuotes) {
    ScopedTextSettings settings(Language::English, '.');
    const LoadResult loaded = ParseCsvFile("5\" disk,b\n", {});
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.sheet.cell(2, 2), "5\" disk");
    for (const char* bad : {"a,\"b\n1,2\n",    // never closed
                            "\"a\"x,b\n",      // text after the closing quote
                            "a,\"b\"\"\n"}) {  // the doubled quote is no close
        const LoadResult refused = ParseCsvFile(bad, {});
        EXPECT_FALSE(refused.ok) << bad;
        EXPECT_EQ(refused.error, "Error in file format...");
    }
}

Worksheet CaptionedSheet() {
    Worksheet sheet(5, 5);
    sheet.renumber();
    sheet.setCell(1, 1, "corner");
    sheet.setCell(2, 1, "Vikt (µg/m³) – prov 5");
    sheet.setCell(3, 1, "a;b, c");
    sheet.setCell(1, 2, "rad \"1\"");
    sheet.setCell(2, 2, "1,5");
    sheet.setCell(3, 3, "two\nlines");
    sheet.setCell(4, 4, "-7");
    return sheet;
}

TEST(CsvExport, QuotesOnlyWhatNeedsItAndUsesTheSeparatorOfTheLocale) {
    ScopedTextSettings settings(Language::Swedish, ',');
    // worked by hand: ";" beside a decimal comma; "1,5" needs no quotes after the first
    // record, "a;b, c" does (the separator), "two\nlines" does (a line break)
    EXPECT_EQ(FormatCsvFile(CaptionedSheet(), false), "\"1,5\";;\r\n;\"two\nlines\";\r\n;;-7\r\n");
    EXPECT_EQ(FormatCsvFile(CaptionedSheet(), true),
              "corner;Vikt (µg/m³) – prov 5;\"a;b, c\";\r\n"
              "\"rad \"\"1\"\"\";1,5;;\r\n"
              ";;\"two\nlines\";\r\n"
              ";;;-7\r\n");
}

TEST(CsvExport, QuotesTheOtherSeparatorInTheFirstRecordSoItIsFoundAgain) {
    ScopedTextSettings settings(Language::Swedish, ',');
    Worksheet sheet(3, 4);  // one column: the first record holds no separator at all
    sheet.setCell(2, 2, "1,5");
    sheet.setCell(2, 3, "2,5");
    EXPECT_EQ(FormatCsvFile(sheet, false), "\"1,5\"\r\n2,5\r\n");
}

class CsvFileTest : public FileTestFolder {};

TEST_F(CsvFileTest, ASheetReadsBackWithTheBoxesItWasWrittenWith) {
    for (char separator : {',', '.'}) {
        ScopedTextSettings settings(Language::English, separator);
        Worksheet sheet = CaptionedSheet();
        sheet.setCell(2, 2, separator == ',' ? "1,5" : "1.5");  // a value as this locale has it
        const SaveResult saved = SaveWorksheet(sheet, Path("c.csv"), true);
        ASSERT_TRUE(saved.ok) << saved.error;
        EXPECT_EQ(saved.kind, WorksheetFileKind::Csv);
        const LoadResult loaded = LoadWorksheet(Path("c.csv"), {true, true});
        ASSERT_TRUE(loaded.ok) << separator;
        EXPECT_EQ(loaded.sheet, sheet) << separator;
    }
    // A values file reads back with neither box.
    ScopedTextSettings settings(Language::English, '.');
    Worksheet sheet = CaptionedSheet();
    for (const auto& [column, row] : {std::pair{1, 1}, {2, 1}, {3, 1}, {1, 2}}) {
        sheet.setCell(column, row, "");
    }
    sheet.setCell(2, 2, "1.5");
    ASSERT_TRUE(SaveWorksheet(sheet, Path("v.csv"), false).ok);
    const LoadResult loaded = LoadWorksheet(Path("v.csv"));
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.sheet, sheet);
}

TEST_F(CsvFileTest, AByteOrderMarkFromASpreadsheetIsNotPartOfTheFirstCell) {
    ScopedTextSettings settings(Language::English, '.');
    WriteBytes(Path("excel.csv"), "\xEF\xBB\xBFVikt,pH\r\n1.5,7\r\n");
    const LoadResult loaded = LoadWorksheet(Path("excel.csv"), {true, false});
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.sheet.cell(2, 1), "Vikt");
    EXPECT_EQ(loaded.sheet.cell(3, 2), "7");
}

}  // namespace
}  // namespace tabulon
