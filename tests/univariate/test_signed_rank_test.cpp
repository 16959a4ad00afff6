// The Wilcoxon signed-rank test: unchanged pairs, ranks with ties, rank sums, the exact
// probability, the limits on the number of pairs, texts and graph.
#include <gtest/gtest.h>

#include "graphs/recording_canvas.h"
#include "base/language.h"
#include "univariate/signed_rank_test.h"

namespace tabulon {
namespace {

PairedData Pairs(const std::vector<Extended>& a, const std::vector<Extended>& b) {
    PairedData p;
    p.first_name = "Före";
    p.second_name = "Efter";
    p.first = a;
    p.second = b;
    for (std::size_t i = 0; i < a.size(); ++i) p.difference.push_back(a[i] - b[i]);
    return p;
}

TEST(SignedRankTest, ExampleWithAnUnchangedPair) {
    // Pairs (5, 3), (4, 4), (7, 2), (6, 5): |d| = 2, 5, 1 ranked 2, 3, 1, all positive.
    const auto out = ComputeSignedRankTest(Pairs({5, 4, 7, 6}, {3, 4, 2, 5}));
    ASSERT_TRUE(out.result) << out.refusal;
    const SignedRankResult& r = *out.result;
    EXPECT_EQ(r.changed, 3);
    EXPECT_EQ(r.unchanged, 1);
    ASSERT_EQ(r.records.size(), 3u);
    EXPECT_EQ(r.records[0].abs_diff, 1);
    EXPECT_EQ(r.records[0].rank, 1);
    EXPECT_EQ(r.records[2].abs_diff, 5);
    EXPECT_EQ(r.records[2].rank, 3);
    EXPECT_EQ(r.r_plus, 6);
    EXPECT_EQ(r.r_minus, 0);
    EXPECT_EQ(r.T, 0);
    EXPECT_NEAR(double(r.p), 12.5, 1e-12);  // R: 100*psignrank(0, 3) = 12.5 (1 of 8 sign patterns)
    EXPECT_FALSE(r.significant);
    ScopedTextSettings en(Language::English, '.');
    EXPECT_EQ(SignedRankVerdict(r), "No significant difference (p=12.5%  one-tailed test)");
    ScopedTextSettings sv(Language::Swedish, ',');
    EXPECT_EQ(SignedRankLines(Pairs({5, 4, 7, 6}, {3, 4, 2, 5}), r, "data"),
              (std::vector<std::string>{
                  "Wilcoxons teckentest",
                  "n=3 (förändrade värden).   Icke inkluderade: 1 (oförändrade värden)",
                  "Rangsumman=0", "Skillnader: Före-Efter (data)",
                  "Ingen signifikant skillnad (p=12,5%  enkelsidigt test)"}));
}

TEST(SignedRankTest, AgreesWithRsSignedRankOnTiedDifferences) {
    // R, set.seed(5) (as the paired t-test): 9 changed pairs, one unchanged; R+ = 13 (R: V),
    // R- = 32; 100*psignrank(13, 9) = 15.03906
    const std::vector<Extended> x{18.3L, 22.8L, 17.5L, 20.1L, 23.4L,
                                  18.8L, 19.1L, 18.7L, 19.4L, 20.3L};
    const std::vector<Extended> y{20.3L, 22.8L, 17.2L, 20.7L, 23.1L,
                                  19.5L, 19.3L, 17.3L, 20.4L, 20.8L};
    const auto out = ComputeSignedRankTest(Pairs(x, y));
    ASSERT_TRUE(out.result);
    EXPECT_EQ(out.result->changed, 9);
    EXPECT_EQ(out.result->unchanged, 1);
    EXPECT_EQ(out.result->r_plus, 13);
    EXPECT_EQ(out.result->r_minus, 32);
    EXPECT_EQ(out.result->T, 13);
    EXPECT_NEAR(double(out.result->p), 15.03906, 1e-5);
}

TEST(SignedRankTest, TiedDifferencesOfOppositeSignShareTheirRank) {
    // |d| = 1, 2, 2, 3 with the twos of opposite sign: ranks 1, 2.5, 2.5, 4.
    const auto out = ComputeSignedRankTest(Pairs({2, 3, 0, 4}, {1, 1, 2, 1}));
    ASSERT_TRUE(out.result);
    EXPECT_EQ(out.result->r_plus, 1 + 2.5 + 4);
    EXPECT_EQ(out.result->r_minus, 2.5);
    EXPECT_EQ(out.result->T, 2.5);
    // W takes whole values: P(W <= 2.5) = P(W <= 2) = 3/16 (R: psignrank(2, 4))
    EXPECT_NEAR(double(out.result->p), 18.75, 1e-12);
}

TEST(SignedRankTest, SignificantWhenAllOfManyPairsMoveOneWay) {
    std::vector<Extended> a, b;
    for (int i = 1; i <= 8; ++i) {
        a.push_back(i + i);
        b.push_back(i);
    }
    const auto out = ComputeSignedRankTest(Pairs(a, b));
    ASSERT_TRUE(out.result);
    EXPECT_NEAR(double(out.result->p), 100.0 / 256, 1e-12);  // R: 100*psignrank(0, 8)
    EXPECT_TRUE(out.result->significant);
    ScopedTextSettings sv(Language::Swedish, ',');
    EXPECT_EQ(SignedRankVerdict(*out.result),
              "Signifikant skillnad vid 0,3906% -nivån (enkelsidigt test)");
}

struct TypedCase {
    const char* name;
    std::vector<std::string> first;
    std::vector<std::string> second;
    double r_minus;
    double p;  // percent
};

class SignedRankTypedTies : public ::testing::TestWithParam<TypedCase> {};

// Differences typed equal are ties even where their converted values differ in the last
// bit (the untied ranks would give R- = 2 and 18.75 %, and R- = 3 and 15.625 %).
TEST_P(SignedRankTypedTies, EqualDifferencesShareTheirRank) {
    const TypedCase& c = GetParam();
    Worksheet sheet = Worksheet::StartSheet();
    for (std::size_t i = 0; i < c.first.size(); ++i) {
        sheet.setCell(2, int(i) + 2, c.first[i]);
        sheet.setCell(3, int(i) + 2, c.second[i]);
    }
    const auto out = ComputeSignedRankTest(ReadPairs(sheet, 2, 3, '.'));
    ASSERT_TRUE(out.result) << out.refusal;
    EXPECT_EQ(out.result->r_minus, c.r_minus);
    EXPECT_EQ(out.result->T, c.r_minus);
    EXPECT_NEAR(double(out.result->p), c.p, 1e-12);
    EXPECT_EQ(out.result->significant, c.p <= 10);
}

INSTANTIATE_TEST_SUITE_P(Pairs, SignedRankTypedTies,
                         ::testing::Values(
                             // |d| = 0.4, 0.4, 1, 2, the 0.4s of opposite sign: ranks 1.5, 1.5, 3,
                             // 4; R: 100*psignrank(1, 4) = 12.5
                             TypedCase{"opposite_signs",
                                       {"1000.3", "500.3", "5", "6"},
                                       {"999.9", "500.7", "4", "4"},
                                       1.5,
                                       12.5},
                             // Laboratory values: |d| = 0.3, 0.9, 0.9, 2.3, 3.2, the second 0.9
                             // negative: ranks 1, 2.5, 2.5, 4, 5 (by hand; R+ = 12.5 is R's V); R:
                             // 100*psignrank(2, 5) = 9.375, significant
                             TypedCase{"laboratory",
                                       {"434.5", "842.6", "1092.2", "612.4", "1116.0"},
                                       {"434.2", "841.7", "1093.1", "610.1", "1112.8"},
                                       2.5,
                                       9.375}),
                         [](const auto& info) { return std::string(info.param.name); });

struct CountCase {
    int changed;
    int unchanged;
    const char* refusal;  // English; empty when the test runs
};
class SignedRankCounts : public ::testing::TestWithParam<CountCase> {};

TEST_P(SignedRankCounts, NeedThreeToFortyFiveChangedPairs) {
    ScopedTextSettings en(Language::English, '.');
    std::vector<Extended> a, b;
    for (int i = 0; i < GetParam().changed; ++i) {
        a.push_back(i % 2 ? i : -i - 1);
        b.push_back(0);
    }
    for (int i = 0; i < GetParam().unchanged; ++i) {
        a.push_back(7);
        b.push_back(7);
    }
    const auto out = ComputeSignedRankTest(Pairs(a, b));
    EXPECT_EQ(out.refusal, GetParam().refusal);
    EXPECT_EQ(out.result.has_value(), std::string(GetParam().refusal).empty());
}

INSTANTIATE_TEST_SUITE_P(Limits, SignedRankCounts,
                         ::testing::Values(CountCase{2, 5, "To few unchanged pairs (<3)"},
                                           CountCase{3, 0, ""}, CountCase{45, 3, ""},
                                           CountCase{46, 0, "To many pairs. Use t-test"}));

TEST(SignedRankGraph, ThreePanelsWithTheirSummaries) {
    ScopedTextSettings en(Language::English, '.');
    RecordingCanvas canvas;
    RenderSignedRankGraph(canvas, 600, 450, Pairs({5, 4, 7, 6}, {3, 4, 2, 5}));
    std::vector<std::string> labels;
    for (const std::string& t : canvas.Texts()) {
        if (t.find("Median=") != std::string::npos) labels.push_back(t);
    }
    // R: median(c(5,4,7,6)) = 5.5, sd = 1.290994; median(c(3,4,2,5)) = 3.5; d = 2, 0, 5, 1
    EXPECT_EQ(labels, (std::vector<std::string>{"Före:  Median=5.5 Mean=5.5 St dev=1.291",
                                                "Efter:  Median=3.5 Mean=3.5 St dev=1.291",
                                                "Före-Efter:  Median=1.5 Mean=2 St dev=2.16"}));
    EXPECT_EQ(canvas.OfKind(PrimitiveKind::Polyline).size(), 0u);
}

}  // namespace
}  // namespace tabulon
