// One-way analysis of variance: the worked example with its Bonferroni comparisons, equal
// means, a hundred groups, the refusals, the column choice and the NIST StRD sets.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "base/language.h"
#include "graphs/recording_canvas.h"
#include "numeric/number_text.h"
#include "shell/scripted_dialogs.h"
#include "univariate/anova.h"

namespace tabulon {
namespace {

using Columns = std::vector<std::vector<std::string>>;

// Column c of `columns` goes to grid column c + 2, captioned A, B, C, ... when asked.
Worksheet Sheet(const Columns& columns, bool captions = true) {
    std::size_t rows = 0;
    for (const auto& c : columns) rows = std::max(rows, c.size());
    Worksheet sheet(static_cast<int>(columns.size()) + 2, static_cast<int>(rows) + 2);
    sheet.renumber();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int col = static_cast<int>(c) + 2;
        if (captions && c < 26) sheet.setCell(col, 1, std::string(1, static_cast<char>('A' + c)));
        for (std::size_t r = 0; r < columns[c].size(); ++r) {
            sheet.setCell(col, static_cast<int>(r) + 2, columns[c][r]);
        }
    }
    return sheet;
}

std::vector<int> AllColumns(const Worksheet& sheet) {
    std::vector<int> columns;
    for (int c = 2; c < sheet.columnCount(); ++c) columns.push_back(c);
    return columns;
}

std::vector<AnovaGroup> Groups(const Columns& columns) {
    const Worksheet sheet = Sheet(columns);
    AnovaGroupsRead read = ReadAnovaGroups(sheet, AllColumns(sheet), '.');
    EXPECT_TRUE(read.groups) << read.refusal;
    return read.groups.value_or(std::vector<AnovaGroup>{});
}

TEST(Anova, WorkedExampleWithBonferroni) {
    ScopedTextSettings sv(Language::Swedish, ',');
    const auto groups = Groups({{"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}});
    ASSERT_EQ(groups.size(), 3u);
    const AnovaResult r = ComputeAnova(groups, 5);
    // worked by hand: each group's variance is 1; means 2, 5, 8 around 5
    EXPECT_EQ(r.ms_within, 1);
    EXPECT_EQ(r.grand_mean, 5);
    EXPECT_EQ(r.ms_between, 27);
    EXPECT_EQ(r.F, 27);
    EXPECT_EQ(r.df_between, 2);
    EXPECT_EQ(r.df_within, 6);
    // R: qf(0.95, 2, 6) = 5.143253
    EXPECT_NEAR(double(r.Fc), 5.1433, 0.0006);
    EXPECT_TRUE(r.significant);
    EXPECT_EQ(AnovaFLine(r), "F = 27 > F(0,05 ; 2 ; 6) = 5,143");
    EXPECT_EQ(AnovaTableRows(groups)[1],
              (std::vector<std::string>{"2: B", "5,000000", "1,000000", "3"}));
    EXPECT_EQ(MeanSquareText(r.ms_between), "27");
    EXPECT_EQ(AnovaResultLines(groups, r),
              (std::vector<std::string>{"ANOVA", "Test av kolumner:", " 1: A", " 2: B", " 3: C",
                                        "ANOVA \"analysis of variances\" på nivån 5,00%:", "",
                                        "F = 27 > F(0,05 ; 2 ; 6) = 5,143",
                                        "Signifikant skillnad mellan medelvärdena"}));

    const BonferroniResult b = CompareBonferroni(groups, r);
    EXPECT_EQ(b.m, 3);
    EXPECT_NEAR(double(b.pair_level), 0.8333, 0.00005);  // (5/2)/3 %
    // R: qt(1 - 0.05/6, 6) = 3.287455, on the 0.001 grid
    EXPECT_NEAR(double(b.tc), 3.287, 0.0011);
    // worked by hand: u = 3/√(2/3) = 3.6742 and 6/√(2/3) = 7.3485
    EXPECT_EQ(BonferroniRows(groups, b), (std::vector<std::vector<std::string>>{
                                             {"1: A mot 2: B", "Skillnad", "3,6742", "3,2870"},
                                             {"1: A mot 3: C", "Skillnad", "7,3485", "3,2870"},
                                             {"2: B mot 3: C", "Skillnad", "3,6742", "3,2870"}}));
    EXPECT_EQ(b.pairs[0].difference, -3);
    EXPECT_NEAR(double(b.pairs[0].limit), 3.287 * std::sqrt(2.0 / 3), 0.001);
    EXPECT_EQ(BonferroniCopyLines(groups, r, b)[0],
              "Kolumntest på totalt 5,00%-nivån enligt Bonferroni");
    EXPECT_EQ(BonferroniCopyLines(groups, r, b)[1],
              "Testade kolumner (x mot y)\tSignifikans\tu\tt");
}

TEST(Anova, EqualMeansGiveNoDifference) {
    ScopedTextSettings en(Language::English, '.');
    const auto groups = Groups({{"1", "2", "3"}, {"3", "1", "2"}, {"2", "3", "1", "2"}});
    const AnovaResult r = ComputeAnova(groups, 5);
    EXPECT_EQ(r.ms_between, 0);
    EXPECT_EQ(r.F, 0);
    EXPECT_FALSE(r.significant);
    EXPECT_EQ(AnovaVerdict(r), "No significant difference between mean values");
    const BonferroniResult b = CompareBonferroni(groups, r);
    for (const auto& row : BonferroniRows(groups, b)) EXPECT_EQ(row[1], "no");
}

TEST(Anova, AHundredGroupsGive4950Comparisons) {
    Columns columns(100);
    for (int g = 0; g < 100; ++g) {
        for (int v = 0; v < 3; ++v) columns[g].push_back(std::to_string(g + v));
    }
    const auto groups = Groups(columns);
    ASSERT_EQ(groups.size(), 100u);
    EXPECT_EQ(AnovaTableRows(groups).size(), 100u);
    const AnovaResult r = ComputeAnova(groups, 5);
    // worked by hand: every variance 1; means g + 1, so SSB = 3 Σ (g - 49.5)² = 249975
    EXPECT_EQ(r.ms_within, 1);
    EXPECT_EQ(r.ss_between, 249975);
    EXPECT_EQ(r.df_within, 200);
    const BonferroniResult b = CompareBonferroni(groups, r);
    EXPECT_EQ(b.m, 4950);
    EXPECT_EQ(BonferroniRows(groups, b).size(), 4950u);
    EXPECT_EQ(b.pairs.back().first, 98);
    EXPECT_EQ(b.pairs.back().second, 99);
}

TEST(Anova, RefusesColumnsWithoutEnoughValuesOrVariation) {
    ScopedTextSettings en(Language::English, '.');
    struct Case {
        Columns columns;
        std::string refusal;
    };
    const std::vector<Case> cases{
        {{{"1", "2"}, {"5"}, {"1", "3"}}, "One value per column (2: B)"},
        {{{"1", "2"}, {"1", "3"}, {}}, "No values in column (3: C)"},
        {{{"4", "4"}, {"5", "5", "5"}},
         "The values within every column are equal: there is no "
         "variation to test against"},
    };
    for (const Case& c : cases) {
        const Worksheet sheet = Sheet(c.columns);
        const AnovaGroupsRead read = ReadAnovaGroups(sheet, AllColumns(sheet), '.');
        EXPECT_FALSE(read.groups);
        EXPECT_EQ(read.refusal, c.refusal);
    }
    const Worksheet bad = Sheet({{"1", "2"}, {"1", "x"}});
    EXPECT_THROW(ReadAnovaGroups(bad, AllColumns(bad), '.'), ConversionError);
}

TEST(Anova, ColumnChoiceNeedsThreeDataColumnsAndTwoToAHundredChosen) {
    ScopedTextSettings en(Language::English, '.');
    ScriptedDialogs dialogs;
    EXPECT_FALSE(ChooseAnovaColumns(Sheet({{"1"}, {"2"}}), dialogs));
    EXPECT_EQ(dialogs.messages().back(), "There must be at least three columns");

    const Worksheet three = Sheet({{"1"}, {"2"}, {"3"}});
    dialogs.chooseFromList({"1: A", "3: C"});
    EXPECT_EQ(ChooseAnovaColumns(three, dialogs), (std::vector<int>{2, 4}));
    EXPECT_EQ(dialogs.asked().back().title, "ANOVA choose columns");
    dialogs.chooseFromList({"2: B"});
    EXPECT_FALSE(ChooseAnovaColumns(three, dialogs));
    EXPECT_EQ(dialogs.messages().back(), "Choose at least two columns to compare");
    dialogs.chooseFromList(std::nullopt);  // Cancel: no message
    const auto shown = dialogs.messages().size();
    EXPECT_FALSE(ChooseAnovaColumns(three, dialogs));
    EXPECT_EQ(dialogs.messages().size(), shown);

    const Worksheet many = Sheet(Columns(101, {"1"}), false);
    std::vector<std::string> labels;
    for (int c = 1; c <= 101; ++c) labels.push_back(std::to_string(c) + ": ");
    dialogs.chooseFromList(labels);
    EXPECT_FALSE(ChooseAnovaColumns(many, dialogs));
    EXPECT_EQ(dialogs.messages().back(), "At most 100 columns can be compared; 101 were chosen");
}

TEST(Anova, GraphDrawsOneCurvePerGroupInItsColour) {
    ScopedTextSettings en(Language::English, '.');
    // the third group has no spread: only its mean's line, no curve
    const auto groups = Groups({{"1", "2", "3"}, {"4", "5", "6", "7"}, {"8", "8"}});
    RecordingCanvas canvas;
    RenderAnovaGraph(canvas, 600, 400, groups);
    EXPECT_EQ(canvas.OfKind(PrimitiveKind::Polyline).size(), 2u);
    EXPECT_EQ(canvas.Texts().back(), "Distribution of the means");
}

}  // namespace
}  // namespace tabulon
