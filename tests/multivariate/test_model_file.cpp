// The model file: its lines, a round trip, the 30-character cut, malformed files, and the
// model window's table.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "base/language.h"
#include "model_test_support.h"
#include "multivariate/mlr.h"
#include "multivariate/model_file.h"

namespace tabulon {
namespace {

TModelRecord FittedModel() {
    ModelColumns columns;
    const ModelData data = test::DataOf(test::SmallSheet(), 4, {1, 2}, &columns);
    TModelRecord model;
    model.Title = "old title";
    model.Note = "kept";
    StoreCurrentModel(model, columns, *FitMLR(data).fit);
    return model;
}

TEST(ModelFile, AFreshTwoVariableModelWritesTwelveLinesAndReadsBack) {
    TModelRecord model = FittedModel();
    EXPECT_TRUE(model.Title.empty());
    EXPECT_FALSE(model.NoModel);
    const std::string text = FormatModelFile(model);
    EXPECT_EQ(text,
              "\r\nMLR\r\nfalse\r\ntrue\r\n2\r\n4:z\r\n"
              " 3.9009009009009009E-01\r\n 6.2162162162162162E-01\r\n 1.0418918918918919E+00\r\n"
              "1:x1\r\n2:x2\r\nkept\r\n");
    const ModelFileRead read = ParseModelFile(text);
    ASSERT_TRUE(read.model) << read.error;
    EXPECT_TRUE(read.model->Saved);
    for (int j = 0; j <= 2; ++j) {
        EXPECT_TRUE(test::Near(read.model->Coefficients[j], model.Coefficients[j], 1e-16L));
    }
    TModelRecord back = *read.model;
    back.Coefficients = model.Coefficients;
    back.Saved = model.Saved;
    EXPECT_EQ(back, model);

    const auto path = std::filesystem::temp_directory_path() / "tabulon_model_test.mdl";
    model.Note = "Längd i år";  // fits Windows-1252 and comes back as UTF-8
    std::string error;
    ASSERT_TRUE(WriteModelFile(model, path.string(), error)) << error;
    const ModelFileRead file = ReadModelFile(path.string());
    std::filesystem::remove(path);
    ASSERT_TRUE(file.model) << file.error;
    EXPECT_EQ(file.model->Note, "Längd i år");
}

TEST(ModelFile, NamesAreCutToThirtyCharacters) {
    // 31 characters, the last ones two-byte: the cut counts characters, not bytes.
    const std::string longer = "1:" + std::string(26, 'a') + "åäö";
    ModelColumns columns{longer, 2, {longer}, {2}};
    ModelFit fit;
    fit.p = 1;
    fit.Coeffs = {1, 2};
    TModelRecord model;
    StoreCurrentModel(model, columns, fit);
    EXPECT_EQ(model.VariableNames[1], "1:" + std::string(26, 'a') + "åä");
    EXPECT_EQ(model.ResponseName, model.VariableNames[1]);
    EXPECT_EQ(DisplayName(model.VariableNames[1]), std::string(26, 'a') + "åä");
}

struct Malformed {
    const char* name;
    const char* text;
    const char* error;
};

class ModelFileMalformed : public ::testing::TestWithParam<Malformed> {};

TEST_P(ModelFileMalformed, IsRefusedNamingTheLine) {
    ScopedTextSettings settings{Language::English, '.'};
    const ModelFileRead read = ParseModelFile(GetParam().text);
    EXPECT_FALSE(read.model);
    EXPECT_EQ(read.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModelFileMalformed,
    ::testing::Values(
        Malformed{"Empty", "", "line 5: '' is not a number of x-variables from 1 to 127"},
        Malformed{"CountNotANumber", "t\nMLR\nfalse\ntrue\ntwo\nz\n",
                  "line 5: 'two' is not a number of x-variables from 1 to 127"},
        // A count that would size huge arrays is refused before anything is allocated.
        Malformed{"CountHuge", "t\nMLR\nfalse\ntrue\n2000000000\nz\n",
                  "line 5: '2000000000' is not a number of x-variables from 1 to 127"},
        Malformed{"CountZero", "t\nMLR\nfalse\ntrue\n0\nz\n1\n",
                  "line 5: '0' is not a number of x-variables from 1 to 127"},
        Malformed{"Truncated", "t\nMLR\nfalse\ntrue\n3\nz\n1\n2\n",
                  "the file ends at line 8; a model of 3 x-variables takes 14 lines"},
        Malformed{"BadCoefficient", "t\rMLR\rfalse\rtrue\r1\rz\r1.5\r2,5x\rx\r",
                  "line 8: '2,5x' is not a valid number"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ModelFile, ALongLineIsCutAndAMissingNoteIsEmpty) {
    const std::string title(150, 't');
    const ModelFileRead read =
        ParseModelFile(title + "\nPLSX\nfalse\nfalse\n1\nz\n  2.5E+00\n-1\nx");
    ASSERT_TRUE(read.model) << read.error;
    EXPECT_EQ(read.model->Title, std::string(100, 't'));
    EXPECT_EQ(read.model->Method, "PLS");
    EXPECT_FALSE(read.model->Saved);
    EXPECT_EQ(read.model->Coefficients, (std::vector<Extended>{2.5L, -1}));
    EXPECT_EQ(read.model->Note, "");
}

TEST(ModelFile, TheCoefficientTableShowsSignsAndDisplayNames) {
    ScopedTextSettings settings{Language::Swedish, '.'};
    const ModelWindowTable table = ModelCoefficientTable(FittedModel());
    EXPECT_EQ(table.caption, " MLR");
    using Row = std::array<std::string, 2>;
    EXPECT_EQ(table.rows, (std::vector<Row>{{"Koefficient", "Variabelnamn"},
                                            {"(ursprunglig y-variabel)", "z"},
                                            {"0.39009+", ""},
                                            {"0.621622*", "x1"},
                                            {"1.04189*", "x2"}}));
}

}  // namespace
}  // namespace tabulon
