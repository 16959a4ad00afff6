// Choosing the model's columns by their entries and reading the rows in which all are numbers.
#include <gtest/gtest.h>

#include "base/language.h"
#include "model_test_support.h"
#include "multivariate/model_data.h"

namespace tabulon {
namespace {

TEST(ModelData, EntriesNameTheColumnsAndOnlyWholeRowsAreRead) {
    ScopedTextSettings text{Language::Swedish, ','};
    const Worksheet sheet = test::SheetOf(
        {"Vikt", "", "z"},
        {{"1", "2", "abc", "4", "5,5"}, {"7", "8", "9", "", "10"}, {"1", "2", "3", "4", " 6 "}});
    EXPECT_EQ(ModelColumnEntries(sheet), (std::vector<std::string>{"1:Vikt", "2:", "3:z"}));
    const ModelColumnsRead read = ReadModelColumns(sheet, "3:z", {"2:", "1:Vikt"});
    ASSERT_TRUE(read.columns) << read.refusal;
    EXPECT_EQ(read.columns->ZColumn, 4);
    EXPECT_EQ(read.columns->XColumns, (std::vector<int>{3, 2}));  // in the order chosen
    const ModelData data = LoadModelData(sheet, *read.columns, ',');
    // Row 3 has "abc", row 4 an empty cell: neither takes part.
    EXPECT_EQ(data.n, 3);
    EXPECT_EQ(data.rows, (std::vector<int>{2, 3, 6}));
    EXPECT_EQ(data.X(2, 1), 5.5L);
    EXPECT_EQ(data.Z(2), 6);
    EXPECT_EQ(data.ZTexts[2], " 6 ");
    EXPECT_EQ(data.last_row, 6);
}

TEST(ModelData, RefusesUnknownEntriesRepeatsAndMoreThan127Variables) {
    ScopedTextSettings text{Language::English, '.'};
    const Worksheet sheet = test::SheetOf({"a", "b"}, {{"1"}, {"2"}});
    EXPECT_EQ(ReadModelColumns(sheet, "9:q", {"1:a"}).refusal, "No column is named 9:q");
    EXPECT_EQ(ModelColumnsOf(sheet, 3, {2, 2}).refusal, "The x-variable 1:a is chosen twice");
    EXPECT_EQ(ModelColumnsOf(sheet, 3, std::vector<int>(128, 2)).refusal,
              "At most 127 x-variables can be chosen");
}

}  // namespace
}  // namespace tabulon
