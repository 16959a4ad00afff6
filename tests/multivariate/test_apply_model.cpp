// Applying a model: captions matched without regard to case (the right-most wins), the
// result in an empty column between data columns, empty rows, and the refusals.
#include <gtest/gtest.h>

#include "base/language.h"
#include "model_test_support.h"
#include "multivariate/apply_model.h"

namespace tabulon {
namespace {

// z = 1 + 2·Vikt − 0.5·Längd.
TModelRecord Model() {
    TModelRecord model;
    model.Method = "MLR";
    model.NoModel = false;
    model.XCount = 2;
    model.ResponseName = "3:z";
    model.Coefficients = {1, 2, -0.5L};
    model.VariableNames = {"", "1:Vikt", "2:längd"};
    return model;
}

class ApplyModelTest : public ::testing::Test {
protected:
    ScopedTextSettings text{Language::Swedish, ','};
};

TEST_F(ApplyModelTest, WritesIntoTheEmptyColumnAndSkipsEmptyRows) {
    Worksheet sheet = test::SheetOf({"VIKT", "Vikt", "", "LÄNGD"},
                                    {{"9", "9"}, {"1", "2", "", "4,5"}, {}, {"10", "4", "", "1"}});
    const ModelApplication a = ApplyModel(Model(), sheet, ',');
    ASSERT_TRUE(a.ok) << a.refusal;
    EXPECT_EQ(a.column_map, (std::vector<int>{0, 3, 5}));  // "Vikt" is the right-most VIKT
    EXPECT_EQ(a.column, 4);
    EXPECT_EQ(a.message, "Resultatet läggs i kolumn 3");
    EXPECT_EQ(sheet.cell(4, 1), "Col 3");
    // Worked by hand: 1 + 2·1 − 0.5·10 = −2, 1 + 4 − 2 = 3, 1 + 9 − 0.5 = 9.5.
    EXPECT_EQ(sheet.cell(4, 2), "-2");
    EXPECT_EQ(sheet.cell(4, 3), "3");
    EXPECT_EQ(sheet.cell(4, 4), "");
    EXPECT_EQ(sheet.cell(4, 5), "9,5");
}

TEST_F(ApplyModelTest, ANonNumericCellIsNamedAndNothingIsWritten) {
    Worksheet sheet = test::SheetOf({"Vikt", "Längd"}, {{"1", "2", "x"}, {"1", "", "3"}});
    const Worksheet before = sheet;
    ModelApplication a = ApplyModel(Model(), sheet, ',');
    EXPECT_FALSE(a.ok);
    EXPECT_EQ(a.refusal, "'' är inte ett giltigt tal (rad 2, kolumn 2)");
    EXPECT_EQ(sheet, before);
}

TEST_F(ApplyModelTest, AMissingVariableIsShownAndNothingIsWritten) {
    Worksheet sheet = test::SheetOf({"Vikt", "Bredd"}, {{"1"}, {"2"}});
    const Worksheet before = sheet;
    const TModelRecord model = Model();
    const ModelApplication a = ApplyModel(model, sheet, ',');
    EXPECT_FALSE(a.ok);
    EXPECT_EQ(sheet, before);
    const ModelWindowTable table = ModelCorrelationTable(model, a.column_map, sheet);
    EXPECT_EQ(table.caption, "Korrelationer");
    using Row = std::array<std::string, 2>;
    EXPECT_EQ(table.rows, (std::vector<Row>{{"Kolumn namn", "Variabelnamn"},
                                            {"Vikt", "Vikt"},
                                            {"Hittar ej denna kolumn", "längd"}}));
}

}  // namespace
}  // namespace tabulon
