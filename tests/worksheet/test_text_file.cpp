// Text files: where imported fields land, what the export writes, and round trips.
#include <gtest/gtest.h>

#include "file_test_folder.h"
#include "base/language.h"
#include "worksheet/text_file.h"
#include "worksheet/worksheet_file.h"

namespace tabulon {
namespace {

using testing::FileTestFolder;

struct PlacementCase {
    const char* name;
    bool column_captions;
    bool row_captions;
    int first_row;     // where line 0 lands
    int first_column;  // where field 0 lands
};

class TextImportPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(TextImportPlacementTest, PutsThreeLinesOfFourFieldsWhereTheBoxesSay) {
    const PlacementCase& c = GetParam();
    ScopedTextSettings settings(Language::English, '.');
    const LoadResult loaded = ParseTextFile("a\tb\tc\td\r\ne\tf\tg\th\r\ni\tj\tk\tl",
                                            {c.column_captions, c.row_captions});
    ASSERT_TRUE(loaded.ok);
    const Worksheet& sheet = loaded.sheet;
    // 4 fields and 3 lines give k + 2 = 6 columns and n + 2 = 5 rows whatever is checked.
    EXPECT_EQ(sheet.columnCount(), 6);
    EXPECT_EQ(sheet.rowCount(), 5);
    EXPECT_EQ(sheet.cell(c.first_column, c.first_row), "a");
    EXPECT_EQ(sheet.cell(c.first_column + 3, c.first_row), "d");
    EXPECT_EQ(sheet.cell(c.first_column, c.first_row + 2), "i");
    EXPECT_EQ(sheet.cell(c.first_column + 3, c.first_row + 2), "l");
    EXPECT_EQ(sheet.cell(0, 2), "1");  // numbered like a fresh sheet
    EXPECT_EQ(sheet.cell(5, 0), "4");
}

INSTANTIATE_TEST_SUITE_P(Cases, TextImportPlacementTest,
                         ::testing::Values(PlacementCase{"Neither", false, false, 2, 2},
                                           PlacementCase{"ColumnCaptions", true, false, 1, 2},
                                           PlacementCase{"RowCaptions", false, true, 2, 1},
                                           PlacementCase{"Both", true, true, 1, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextImport, KeepsAnEmptyFieldAsAnEmptyCell) {
    // Collapsing the two tabs would move 2 one column to the left.
    ScopedTextSettings settings(Language::Swedish, ',');
    const LoadResult loaded = ParseTextFile("1.5\t\t2\n", {});
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.sheet.cell(2, 2), "1,5");  // separator adjusted
    EXPECT_EQ(loaded.sheet.cell(3, 2), "");
    EXPECT_EQ(loaded.sheet.cell(4, 2), "2");
    EXPECT_EQ(loaded.sheet.columnCount(), 5);
}

TEST(TextImport, AdjustsTheSeparatorInDataCellsOnlyNotInCaptions) {
    ScopedTextSettings settings(Language::Swedish, ',');
    const LoadResult loaded = ParseTextFile("\tv1.2\tpH\r\nprov 1.a\t3.5\t7", {true, true});
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.sheet.cell(2, 1), "v1.2");      // column caption kept
    EXPECT_EQ(loaded.sheet.cell(1, 2), "prov 1.a");  // row caption kept
    EXPECT_EQ(loaded.sheet.cell(2, 2), "3,5");
}

TEST(TextImport, GivesTheSheetTheWidthOfItsWidestLine) {
    ScopedTextSettings settings(Language::English, '.');
    const LoadResult loaded = ParseTextFile("1\n1\t2\t3\t4\t5\n", {});
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.sheet.columnCount(), 7);
    EXPECT_EQ(loaded.sheet.cell(6, 3), "5");
}

TEST(TextImport, ReadsLinesOfAnyLengthWhole) {
    ScopedTextSettings settings(Language::English, '.');
    std::string line;
    for (int i = 0; i < 3000; ++i) line += (i ? "\t" : "") + std::to_string(i) + ".25";
    const LoadResult loaded = ParseTextFile(line, {});
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.sheet.columnCount(), 3002);
    EXPECT_EQ(loaded.sheet.cell(3001, 2), "2999.25");
}

TEST(TextImport, AcceptsCrLfLfAndLoneCr) {
    ScopedTextSettings settings(Language::English, '.');
    const LoadResult loaded = ParseTextFile("a\r\nb\nc\rd", {});
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.sheet.rowCount(), 6);
    EXPECT_EQ(loaded.sheet.cell(2, 5), "d");
}

Worksheet ValuesSheet() {
    Worksheet sheet(5, 5);
    sheet.renumber();
    sheet.setCell(1, 2, "row cap");
    sheet.setCell(2, 1, "Vikt (µg/m³)");
    sheet.setCell(2, 2, "1.5");
    sheet.setCell(4, 2, "2");
    sheet.setCell(3, 3, "x");
    return sheet;
}

TEST(TextExport, WritesValuesOnlyOrEverythingFromRowAndColumnZero) {
    std::string text;
    std::string error;
    ASSERT_TRUE(FormatTextFile(ValuesSheet(), false, text, error));
    // worked by hand: rows 2..4 of columns 2..4, no line break after the last line
    EXPECT_EQ(text, "1.5\t\t2\r\n\tx\t\r\n\t\t");
    ASSERT_TRUE(FormatTextFile(ValuesSheet(), true, text, error));
    EXPECT_EQ(text,
              "\t\t1\t2\t3\r\n"
              "\t\tVikt (µg/m³)\t\t\r\n"
              "1\trow cap\t1.5\t\t2\r\n"
              "2\t\t\tx\t\r\n"
              "3\t\t\t\t");
}

TEST(TextExport, EndsWithALineBreakOnlyWhenTheLastLineIsEmpty) {
    Worksheet sheet(3, 4);  // one data column of two rows
    sheet.setCell(2, 2, "7");
    std::string text;
    std::string error;
    ASSERT_TRUE(FormatTextFile(sheet, false, text, error));
    EXPECT_EQ(text, "7\r\n\r\n");  // without the break the empty row would be lost
    ScopedTextSettings settings(Language::English, '.');
    EXPECT_EQ(ParseTextFile(text, {}).sheet.rowCount(), 4);
}

TEST(TextExport, RefusesACellWithATab) {
    ScopedTextSettings settings(Language::Swedish, ',');
    Worksheet sheet = ValuesSheet();
    sheet.setCell(3, 4, "a\tb");
    std::string text;
    std::string error;
    EXPECT_FALSE(FormatTextFile(sheet, false, text, error));
    EXPECT_EQ(error,
              "Cellen i kolumn 2, rad 3 innehåller en tabb eller en radbrytning, som en "
              "textfil inte kan rymma");
}

struct AnswerCase {
    const char* answer;
    bool yes;
};

class TitlesAnswerTest : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(TitlesAnswerTest, IsYesForYAndJInEitherCase) {
    EXPECT_EQ(TitlesAnswerIsYes(GetParam().answer), GetParam().yes);
}

INSTANTIATE_TEST_SUITE_P(Cases, TitlesAnswerTest,
                         ::testing::Values(AnswerCase{"j", true}, AnswerCase{"J", true},
                                           AnswerCase{"y", true}, AnswerCase{"Y", true},
                                           AnswerCase{"n", false}, AnswerCase{"", false},
                                           AnswerCase{"ja", false}, AnswerCase{" j", false}));

class TextFileTest : public FileTestFolder {
protected:
    ScopedTextSettings m_settings{Language::English, '.'};
};

TEST_F(TextFileTest, AValuesExportImportsBackCellForCell) {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(2, 2, "1.5");
    sheet.setCell(5, 2, "µ 3");  // Windows-1252
    sheet.setCell(3, 50, "-2E-3");
    sheet.setCell(21, 101, "last");
    const SaveResult saved = SaveWorksheet(sheet, Path("values.txt"), false);
    ASSERT_TRUE(saved.ok) << saved.error;
    const LoadResult loaded = LoadWorksheet(Path("values.txt"));
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.sheet.columnCount(), sheet.columnCount());
    EXPECT_EQ(loaded.sheet.rowCount(), sheet.rowCount());
    for (int c = 2; c < sheet.columnCount(); ++c) {
        EXPECT_EQ(loaded.sheet.columnCells(c), sheet.columnCells(c)) << c;
    }
}

TEST_F(TextFileTest, ImportingReadsTheChosenBoxesFromTheFile) {
    WriteBytes(Path("in.txt"), "\tA\r\nr1\t4.5\r\n");
    const LoadResult loaded = LoadWorksheet(Path("in.txt"), {true, true});
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.kind, WorksheetFileKind::Text);
    EXPECT_EQ(loaded.sheet.cell(2, 1), "A");
    EXPECT_EQ(loaded.sheet.cell(1, 2), "r1");
    EXPECT_EQ(loaded.sheet.cell(2, 2), "4.5");
}

}  // namespace
}  // namespace tabulon
