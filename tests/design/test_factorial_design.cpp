// Factorial designs: the model sizes, the full factorials, the search for a fraction with a
// fixed seed, the bounds, and the design as it is written into the worksheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "base/language.h"
#include "design/design_sheet.h"
#include "design/factorial_design.h"

namespace tabulon {
namespace {

using M = DesignModel;

TEST(FactorialDesign, ModelSizesAndCaptionsForThreeVariables) {
    struct Case {
        DesignModel model;
        long long columns, minimum;
        std::vector<std::string> captions;
    };
    // Counted by hand: 3; 3 + C(3,2) = 6; 6 + C(3,3) = 7 columns, one more run each.
    const Case cases[] = {
        {M::MainEffects, 3, 4, {"A", "B", "C"}},
        {M::TwoWay, 6, 7, {"A", "B", "C", "A*B", "A*C", "B*C"}},
        {M::ThreeWay, 7, 8, {"A", "B", "C", "A*B", "A*C", "B*C", "A*B*C"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DesignColumnCount(3, c.model), c.columns);
        EXPECT_EQ(MinimumRuns(3, c.model), c.minimum);
        FactorialDesign d;
        d.terms = DesignTerms(3, c.model);
        EXPECT_EQ(DesignCaptions(d, {"A", "B", "C"}), c.captions);
    }
    EXPECT_EQ(DesignColumnCount(44, M::TwoWay), 990);    // 44 + 946
    EXPECT_EQ(DesignColumnCount(20, M::ThreeWay), 1350);  // 20 + 190 + 1140
    EXPECT_EQ(DefaultVariableName(26), "[");             // on past "Z"
}

TEST(FactorialDesign, FullFactorialsHoldEveryCombinationOnce) {
    for (int levels : {2, 3}) {
        const int variables = levels == 2 ? 3 : 2;
        const int runs = levels == 2 ? 8 : 9;
        Xoshiro256 rng(1);
        const FactorialDesign d = GenerateDesign(variables, levels, runs, M::TwoWay, rng);
        EXPECT_TRUE(d.full);
        EXPECT_TRUE(d.accepted());
        EXPECT_EQ(DesignNotice(d), "");
        std::set<std::vector<int>> combinations;
        for (int r = 0; r < runs; ++r) {
            std::vector<int> row;
            for (int v = 0; v < variables; ++v) row.push_back(d.at(r, v));
            combinations.insert(row);
            EXPECT_EQ(d.at(r, variables), d.at(r, 0) * d.at(r, 1));  // the A*B column
        }
        EXPECT_EQ(combinations.size(), std::size_t(runs)) << levels;
    }
    // Experiment 1 is run 1: bit 0 set (A low), B and C high; three levels start at -1, -1.
    Xoshiro256 rng(1);
    const FactorialDesign two = GenerateDesign(3, 2, 8, M::MainEffects, rng);
    EXPECT_EQ((std::vector<int>{two.at(0, 0), two.at(0, 1), two.at(0, 2)}),
              (std::vector<int>{-1, 1, 1}));
    EXPECT_EQ(CodedLevel(1, 1, 3), -1);
    EXPECT_EQ(CodedLevel(0, 2, 3), 1);  // run 0 is the last combination again
}

TEST(FactorialDesign, HalfOfTwoCubedIsFoundUnconfoundedAndBalanced) {
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        Xoshiro256 rng(seed);
        const FactorialDesign d = GenerateDesign(3, 2, 4, M::MainEffects, rng);
        ASSERT_TRUE(d.accepted()) << seed;
        EXPECT_FALSE(d.full);
        std::set<std::vector<int>> runs;
        std::set<std::vector<int>> columns;
        for (int c = 0; c < 3; ++c) {
            std::vector<int> column;
            for (int r = 0; r < 4; ++r) column.push_back(d.at(r, c));
            // Balanced as the search means it: both coded levels, +1 and -1, occur.
            EXPECT_GT(std::count(column.begin(), column.end(), 1), 0) << seed;
            EXPECT_GT(std::count(column.begin(), column.end(), -1), 0) << seed;
            columns.insert(column);
        }
        for (int r = 0; r < 4; ++r) runs.insert({d.at(r, 0), d.at(r, 1), d.at(r, 2)});
        EXPECT_EQ(runs.size(), 4u) << seed;
        EXPECT_EQ(columns.size(), 3u) << seed;
    }
    // 2^30 combinations are drawn level by level rather than shuffled.
    Xoshiro256 rng(3);
    const FactorialDesign wide = GenerateDesign(30, 2, 40, M::MainEffects, rng);
    EXPECT_TRUE(wide.accepted());
    EXPECT_TRUE(std::all_of(wide.cells.begin(), wide.cells.end(),
                            [](signed char v) { return v == 1 || v == -1; }));
    const FactorialDesign three = GenerateDesign(12, 3, 30, M::MainEffects, rng);
    EXPECT_TRUE(std::all_of(three.cells.begin(), three.cells.end(),
                            [](signed char v) { return v >= -1 && v <= 1; }));
}

TEST(FactorialDesign, WithoutAnAcceptedFractionTheBestIsTakenAndTold) {
    const ScopedTextSettings text(Language::Swedish, ',');
    // Two runs give four possible ±1 columns: five variables must repeat one.
    Xoshiro256 rng(11);
    const FactorialDesign confounded = GenerateDesign(5, 2, 2, M::MainEffects, rng);
    EXPECT_EQ(confounded.confounded, 1);
    EXPECT_EQ(DesignNotice(confounded), "1 sammansmälta effekter");
    // A, B and A*B over two runs: distinct columns force a constant one (A*B = -1, -1).
    const FactorialDesign unbalanced = GenerateDesign(2, 2, 2, M::TwoWay, rng);
    EXPECT_EQ(unbalanced.confounded, 0);
    EXPECT_EQ(unbalanced.unbalanced, 1);
    EXPECT_EQ(unbalanced.passes, 400);  // 100 · 2^2 passes, none accepted
    EXPECT_EQ(DesignNotice(unbalanced),
              "Ingen balanserad försöksplan hittades: 1 kolumner saknar en nivå");
}

TEST(FactorialDesign, BoundsAndCancel) {
    const ScopedTextSettings text(Language::English, '.');
    EXPECT_EQ(DesignRefusal(44, 2, 1000, M::TwoWay), "");
    EXPECT_EQ(DesignRefusal(20, 2, 1000, M::ThreeWay),
              "The model has 1350 design columns; at most 1000 can be planned");
    EXPECT_NE(DesignRefusal(64000, 2, 10, M::ThreeWay), "");  // no overflow on the way
    EXPECT_NE(DesignRefusal(10, 2, 600000, M::MainEffects), "");
    EXPECT_NE(DesignRefusal(1, 2, 4, M::MainEffects), "");
    EXPECT_NE(DesignRefusal(3, 4, 4, M::MainEffects), "");
    const std::atomic<bool> cancel{true};
    Xoshiro256 rng(1);
    EXPECT_EQ(GenerateDesign(10, 3, 50, M::TwoWay, rng, {&cancel, {}}).runs, 0);
}

TEST(DesignSheet, WrittenWithValuesAndBackToLevels) {
    const ScopedTextSettings text(Language::Swedish, ',');
    Xoshiro256 rng(1);
    const FactorialDesign d = GenerateDesign(2, 3, 9, M::TwoWay, rng);
    Worksheet sheet = Worksheet::StartSheet();
    sheet.resize(40, 300);
    sheet.setCell(30, 250, "old");
    sheet.setNotes("old notes");
    const Worksheet before = sheet;
    auto undo = WholeSheetUndo(sheet);
    WriteDesign(sheet, d, {"Temp", "Tid"}, {{"20", "25", "30"}, {"1", "1,5", "2"}}, ',');
    EXPECT_EQ(sheet.columnCount(), Worksheet::kStartColumns);
    EXPECT_EQ(sheet.rowCount(), Worksheet::kStartRows);
    EXPECT_EQ(sheet.notes(), "");
    const char* captions[] = {"Respons", "Temp", "Tid", "Temp*Tid"};
    for (int c = 0; c < 4; ++c) EXPECT_EQ(sheet.cell(2 + c, 1), captions[c]);
    EXPECT_EQ(sheet.cell(1, 2), "Exp 1");
    EXPECT_EQ(sheet.cell(1, 10), "Exp 9");
    EXPECT_TRUE(sheet.isEmpty(2, 2));
    // Experiment 1 is (-1, -1): the low values and their product; experiment 9 (1, 1).
    EXPECT_EQ(sheet.cell(3, 2), "20");
    EXPECT_EQ(sheet.cell(4, 2), "1");
    EXPECT_EQ(sheet.cell(5, 2), "20");
    EXPECT_EQ(sheet.cell(5, 10), "60");
    EXPECT_EQ(sheet.cell(4, 5), "1,5");  // experiment 4 is (-1, 0)
    ShowDesignLevels(sheet, d);
    EXPECT_EQ(sheet.cell(4, 5), "0");
    EXPECT_EQ(sheet.cell(5, 10), "1");
    undo->Restore(sheet);
    EXPECT_EQ(sheet, before);

    // A design longer than the sheet grows it.
    const FactorialDesign big = GenerateDesign(7, 2, 128, M::MainEffects, rng);
    WriteDesign(sheet, big, {}, {}, ',');
    EXPECT_EQ(sheet.rowCount(), 130);
    EXPECT_EQ(sheet.cell(0, 129), "128");
    EXPECT_EQ(sheet.cell(9, 1), "G");
}

}  // namespace
}  // namespace tabulon
