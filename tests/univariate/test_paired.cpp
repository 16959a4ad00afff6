// Paired observations: reading pairs and the paired t-test.
#include <gtest/gtest.h>

#include "numeric/number_text.h"
#include "base/language.h"
#include "univariate/paired.h"

namespace tabulon {
namespace {

Worksheet TwoColumns(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(2, 1, "X");
    sheet.setCell(3, 1, "Y");
    for (std::size_t i = 0; i < a.size(); ++i) sheet.setCell(2, int(i) + 2, a[i]);
    for (std::size_t i = 0; i < b.size(); ++i) sheet.setCell(3, int(i) + 2, b[i]);
    return sheet;
}

// R, set.seed(5): x <- round(rnorm(10, 20, 2), 1); y <- round(x + rnorm(10, 0.8, 1), 1)
const std::vector<std::string> kX{"18.3", "22.8", "17.5", "20.1", "23.4",
                                  "18.8", "19.1", "18.7", "19.4", "20.3"};
const std::vector<std::string> kY{"20.3", "22.8", "17.2", "20.7", "23.1",
                                  "19.5", "19.3", "17.3", "20.4", "20.8"};

TEST(ReadPairs, SkipsRowsWithAnEmptyCellAndKeepsRowNumbers) {
    const PairedData p = ReadPairs(TwoColumns({"1", "", "3", "4"}, {"2", "5", "", "8"}), 2, 3, '.');
    EXPECT_EQ(p.first, (std::vector<Extended>{1, 4}));
    EXPECT_EQ(p.second, (std::vector<Extended>{2, 8}));
    EXPECT_EQ(p.row_numbers, (std::vector<int>{1, 4}));
    EXPECT_EQ(p.first_name, "X");
    EXPECT_THROW(ReadPairs(TwoColumns({"1", "x"}, {"2", "3"}), 2, 3, '.'), ConversionError);
}

TEST(PairedTTest, DifferencesComeFromTheTypedDecimals) {
    const PairedData p =
        ReadPairs(TwoColumns({"1000,3", "500,3", "5"}, {"999,9", "500,7", "4"}), 2, 3, ',');
    EXPECT_EQ(p.difference, (std::vector<Extended>{0.4L, -0.4L, 1}));  // nearest to each, by hand
    // A true spread of 1 beside values of 1e16 is a spread: d = 1, 3, 2;
    // R: t.test(c(1, 3, 2)) t = 3.464102
    const auto out = ComputePairedTTest(
        ReadPairs(TwoColumns({"10000000000000001", "10000000000000003", "10000000000000002"},
                             {"1e16", "1e16", "1e16"}),
                  2, 3, '.'),
        5);
    ASSERT_TRUE(out.result) << out.refusal;
    EXPECT_NEAR(double(out.result->u), 3.464102, 1e-6);
}

TEST(PairedTTest, AgreesWithRsPairedTTest) {
    const auto out = ComputePairedTTest(ReadPairs(TwoColumns(kX, kY), 2, 3, '.'), 5);
    ASSERT_TRUE(out.result) << out.refusal;
    const PairedTTestResult& r = *out.result;
    EXPECT_EQ(r.m, 10);                             // the unchanged pair counts here
    EXPECT_NEAR(double(r.mean_diff), -0.3, 1e-12);  // R: mean(x - y)
    EXPECT_NEAR(double(r.sd), 0.9055385, 1e-7);     // R: sd(x - y)
    EXPECT_NEAR(double(r.u), 1.047645, 1e-6);       // R: t.test(x, y, paired = TRUE) t = -1.047645
    EXPECT_EQ(r.df, 9);
    EXPECT_NEAR(double(r.tc), 2.262, 1e-9);  // R: qt(0.975, 9) = 2.262157, grid
    EXPECT_FALSE(r.significant);
}

TEST(PairedTTest, LevelChangesOnlyTheCriticalValue) {
    auto out = ComputePairedTTest(ReadPairs(TwoColumns(kX, kY), 2, 3, '.'), 5);
    ASSERT_TRUE(out.result);
    PairedTTestResult r = *out.result;
    SetPairedLevel(r, 20);
    EXPECT_NEAR(double(r.tc), 1.383, 1e-9);  // R: qt(0.9, 9) = 1.383029, grid
    EXPECT_NEAR(double(r.u), 1.047645, 1e-6);
    EXPECT_FALSE(r.significant);
}

TEST(PairedTTest, AllDifferencesEqualIsRefusedNotDividedByZero) {
    ScopedTextSettings sv(Language::Swedish, ',');
    const auto out = ComputePairedTTest(
        ReadPairs(TwoColumns({"1,1", "2,1", "3,1"}, {"1", "2", "3"}), 2, 3, ','), 5);
    EXPECT_FALSE(out.result);
    EXPECT_EQ(out.refusal, "Alla skillnader är lika (s=0): t-testet kan inte beräknas");
}

TEST(PairedTTest, OnePairIsTooFew) {
    ScopedTextSettings en(Language::English, '.');
    const auto out = ComputePairedTTest(ReadPairs(TwoColumns({"1"}, {"2"}), 2, 3, '.'), 5);
    EXPECT_FALSE(out.result);
    EXPECT_EQ(out.refusal, "There must be at least two pairs");
}

TEST(PairedTTest, WindowLines) {
    const auto out = ComputePairedTTest(ReadPairs(TwoColumns(kX, kY), 2, 3, '.'), 5);
    ASSERT_TRUE(out.result);
    ScopedTextSettings sv(Language::Swedish, ',');
    EXPECT_EQ(
        PairedWindowLines(*out.result),
        (std::vector<std::string>{"u=1,048", "n=10", "t=2,262", "Ingen signifikant skillnad"}));
    ScopedTextSettings en(Language::English, '.');
    PairedTTestResult r = *out.result;
    SetPairedLevel(r, 20);
    r.u = 5;
    SetPairedLevel(r, 20);
    EXPECT_EQ(PairedWindowLines(r).back(), "Significant difference");
}

}  // namespace
}  // namespace tabulon
