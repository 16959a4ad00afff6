// Text files: where imported fields land, what the export writes, and round trips.
#include <gtest/gtest.h>

#include "base/language.h"
#include "file_test_folder.h"
#include "worksheet/text_file.h"
#include "worksheet/worksheet_file.h"

namespace tabulon {
namespace {

using testing::FileTestFolder;

TEST(TextImport, PutsThreeLinesOfFourFieldsWhereTheBoxesSay) {
    ScopedTextSettings settings(Language::English, '.');
    const struct {
        bool column_captions, row_captions;
        int first_row, first_column;  // where line 0 and field 0 land
    } cases[] = {
        {false, false, 2, 2}, {true, false, 1, 2}, {false, true, 2, 1}, {true, true, 1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.column_captions << " " << c.row_captions);
        const LoadResult loaded = ParseTextFile("a\tb\tc\td\r\ne\tf\tg\th\r\ni\tj\tk\tl",
                                                {c.column_captions, c.row_captions});
        ASSERT_TRUE(loaded.ok);
        const Worksheet& sheet = loaded.sheet;
        // 4 fields and 3 lines give k + 2 = 6 columns and n + 2 = 5 rows whatever is checked.
        EXPECT_EQ(sheet.columnCount(), 6);
        EXPECT_EQ(sheet.rowCount(), 5);
        EXPECT_EQ(sheet.cell(c.first_column, c.first_row), "a");
        EXPECT_EQ(sheet.cell(c.first_column + 3, c.first_row + 2), "l");
        EXPECT_EQ(sheet.cell(0, 2), "1");  // numbered like a fresh sheet
        EXPECT_EQ(sheet.cell(5, 0), "4");
    }
}

// Worked by hand: an empty field stays an empty cell (collapsing the two tabs would move 2
// one column to the left), the widest line sets the width, lines of any length are read
// whole, and CR LF, LF and a lone CR all end a line.
TEST(TextImport, PlacesEveryFieldOfEveryLine) {
    ScopedTextSettings settings(Language::Swedish, ',');
    std::string long_line;
    for (int i = 0; i < 3000; ++i) long_line += (i ? "\t" : "") + std::to_string(i) + ".25";
    const struct {
        std::string text;
        int columns, rows, column, row;
        const char* cell;
    } cases[] = {
        {"1.5\t\t2\n", 5, 3, 2, 2, "1,5"},  // separator adjusted
        {"1.5\t\t2\n", 5, 3, 3, 2, ""},          {"1.5\t\t2\n", 5, 3, 4, 2, "2"},
        {"1\n1\t2\t3\t4\t5\n", 7, 4, 6, 3, "5"}, {long_line, 3002, 3, 3001, 2, "2999,25"},
        {"a\r\nb\nc\rd", 3, 6, 2, 5, "d"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 20));
        const LoadResult loaded = ParseTextFile(c.text, {});
        ASSERT_TRUE(loaded.ok);
        EXPECT_EQ(loaded.sheet.columnCount(), c.columns);
        EXPECT_EQ(loaded.sheet.rowCount(), c.rows);
        EXPECT_EQ(loaded.sheet.cell(c.column, c.row), c.cell);
    }
}

TEST(TextImport, AdjustsTheSeparatorInDataCellsOnlyNotInCaptions) {
    ScopedTextSettings settings(Language::Swedish, ',');
    const LoadResult loaded = ParseTextFile("\tv1.2\tpH\r\nprov 1.a\t3.5\t7", {true, true});
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.sheet.cell(2, 1), "v1.2");      // column caption kept
    EXPECT_EQ(loaded.sheet.cell(1, 2), "prov 1.a");  // row caption kept
    EXPECT_EQ(loaded.sheet.cell(2, 2), "3,5");
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

TEST(TitlesAnswerIsYes, ForYAndJInEitherCase) {
    for (const char* yes : {"j", "J", "y", "Y"}) EXPECT_TRUE(TitlesAnswerIsYes(yes)) << yes;
    for (const char* no : {"n", "", "ja", " j"}) EXPECT_FALSE(TitlesAnswerIsYes(no)) << no;
}

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
