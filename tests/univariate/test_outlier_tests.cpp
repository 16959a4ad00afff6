// Grubbs', Gauss and Dixon's outlier tests: critical values, level searches, texts, and the
// samples on which no test can be made.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "base/language.h"
#include "univariate/descriptive_sample.h"
#include "univariate/outlier_tests.h"

namespace tabulon {
namespace {

DescriptiveSample Sample(std::vector<std::string> texts) {
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < texts.size(); ++i) rows.push_back(std::to_string(i + 1));
    auto sample = MakeDescriptiveSample(std::move(texts), std::move(rows), '.');
    EXPECT_TRUE(sample.has_value());
    return sample ? *sample : DescriptiveSample{};
}

// Ten values around 10 with the eighth moved up by different amounts.
std::vector<std::string> TenWith(const std::string& eighth) {
    return {"10.1", "9.8", "10.0", "10.2", "9.9", "10.1", "10.0", eighth, "9.9", "10.3"};
}

struct CriticalCase {
    int n;
    double a;
    bool two_sided;
    double expected;
};

class GrubbsCriticalTest : public ::testing::TestWithParam<CriticalCase> {};

TEST_P(GrubbsCriticalTest, MatchesTheExactQuantileWithinTheTGrid) {
    const CriticalCase& c = GetParam();
    // The t quantile is a multiple of 0.001; that moves the critical value by far less than
    // 2e-4 relative.
    EXPECT_NEAR(double(GrubbsCritical(c.n, c.a, c.two_sided)), c.expected, 2e-4 * c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GrubbsCriticalTest,
    ::testing::Values(
        // R: gc <- function(n,a,two) { t <- qt(1-(if (two) a/2 else a)/n, n-2);
        //                              (n-1)/sqrt(n)*sqrt(t^2/(n-2+t^2)) }
        CriticalCase{10, 0.05, true, 2.2899541},   // R: gc(10, 0.05, TRUE)
        CriticalCase{10, 0.05, false, 2.1760684},  // R: gc(10, 0.05, FALSE)
        CriticalCase{5, 0.05, true, 1.7150373},    // R: gc(5, 0.05, TRUE)
        CriticalCase{30, 0.01, true, 3.2360783},   // R: gc(30, 0.01, TRUE)
        CriticalCase{3, 0.05, true, 1.1543049},    // R: gc(3, 0.05, TRUE)
        CriticalCase{2, 0.05, true, 0}));          // two values: no test, no critical value

struct GrubbsCase {
    const char* name;
    std::vector<std::string> values;
    int two_sided_permille;
    bool significant;
    int b_permille;  // 0: no continued search
    bool one_sided_significant;
    int one_sided_permille;
};

class GrubbsSearchTest : public ::testing::TestWithParam<GrubbsCase> {};

// The expected levels come from the exact level a* at which G equals the critical value
// (R: uniroot(function(a) gc(n, a, two) - G, c(1e-9, 0.999))): stepping by 0.001, the
// lowest significant level is the first multiple of 0.001 above a*.
TEST_P(GrubbsSearchTest, FindsTheLevelsOnTheThousandthGrid) {
    const GrubbsCase& c = GetParam();
    const DescriptiveSample s = Sample(c.values);
    const GrubbsResult r = RunGrubbs(s);
    EXPECT_EQ(r.two_sided_permille, c.two_sided_permille);
    EXPECT_EQ(r.significant, c.significant);
    EXPECT_EQ(r.b_searched, c.b_permille != 0);
    if (c.b_permille != 0) {
        EXPECT_EQ(r.b_permille, c.b_permille);
    }
    EXPECT_EQ(r.one_sided_significant, c.one_sided_significant);
    if (c.one_sided_significant) {
        EXPECT_EQ(r.one_sided_permille, c.one_sided_permille);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Samples, GrubbsSearchTest,
    ::testing::Values(
        // a* = 1e-9 both ways: significant down to the 1 % floor.
        GrubbsCase{"clear", TenWith("13.5"), 10, true, 0, true, 10},
        // a* two-sided 0.026149, one-sided 0.013077.
        GrubbsCase{"moderate", TenWith("10.75"), 27, true, 0, true, 14},
        // a* 0.039504 and 0.019756.
        GrubbsCase{"near5", TenWith("10.7"), 40, true, 0, true, 20},
        // a* 0.093619: found on the way up; one-sided 0.046803: down to 4.6, one step back.
        GrubbsCase{"above5", TenWith("10.6"), 94, true, 0, true, 47},
        // a* 0.36942: not significant at 10 %, the continued search stops at 0.370; the
        // one-sided a* 0.18471 is above 5.1 %.
        GrubbsCase{"weak", TenWith("10.45"), 101, false, 370, false, 0},
        // 10..14: a* 0.90845, beyond 0.5.
        GrubbsCase{"none", {"10", "11", "12", "13", "14"}, 101, false, 501, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct GaussCase {
    const char* name;
    std::vector<std::string> values;
    bool has_result;
    double level_percent;
    double u;
};

class GaussTest : public ::testing::TestWithParam<GaussCase> {};

// R: r <- x[-8]; u <- abs(x[8]-mean(r))/sqrt(10/9*var(r)); p <- pt(u, 8, lower.tail=FALSE);
// the level is 200 times the first multiple of 0.0005 at or above p.
TEST_P(GaussTest, LevelIsTheFirstHalfPermilleStepBeyondU) {
    const GaussCase& c = GetParam();
    const GaussResult r = RunGauss(Sample(c.values));
    EXPECT_EQ(r.has_result, c.has_result);
    if (!c.has_result) return;
    EXPECT_EQ(r.suspect, 7u);
    EXPECT_NEAR(double(r.u), c.u, 1e-12 * c.u);
    EXPECT_NEAR(double(r.level_percent), c.level_percent, 1e-12);
    EXPECT_NEAR(double(r.limit_percent), 25.0 / 9, 1e-15);  // 25/nr
}

INSTANTIATE_TEST_SUITE_P(
    Samples, GaussTest,
    ::testing::Values(GaussCase{"clear", TenWith("13.5"), true, 0.1, 20.8},     // p 1.5e-8
                      GaussCase{"moderate", TenWith("10.75"), true, 0.3, 4.3},  // p 0.0013079
                      GaussCase{"near5", TenWith("10.7"), true, 0.4, 4.0},      // p 0.0019749
                      GaussCase{"weak", TenWith("10.45"), true, 3.7, 2.5},      // p 0.018471
                      // 10..14: p = 0.0908 is beyond 0.05: no result
                      GaussCase{"none", {"10", "11", "12", "13", "14"}, false, 0, 0},
                      // the rest sample 1, 1, 1, 1 has no spread: no result
                      GaussCase{"flat_rest", {"1", "1", "1", "1", "5"}, false, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct DixonFitCase {
    int n;
    double Q;
    double confidence;
};

class DixonConfidenceTest : public ::testing::TestWithParam<DixonFitCase> {};

// R: r <- <the row of n>; C <- c(80,90,95,96,98,99);
//    predict(lm(C ~ r + I(r^2) + I(r^3)), data.frame(r = Q)), then held to [80, 99] or 0.
TEST_P(DixonConfidenceTest, IsTheLeastSquaresCubicHeldToItsRange) {
    const DixonFitCase& c = GetParam();
    EXPECT_NEAR(double(DixonConfidence(c.n, c.Q)), c.confidence, 1e-7);
}

INSTANTIATE_TEST_SUITE_P(Table, DixonConfidenceTest,
                         ::testing::Values(DixonFitCase{10, 0.4, 88.46783946},
                                           DixonFitCase{10, 0.45 / 0.95, 95.49514526},
                                           DixonFitCase{30, 0.3, 95.20323754},
                                           DixonFitCase{3, 0.95, 91.56968046},
                                           DixonFitCase{3, 0.5, 0},     // R: -20.6, below 80
                                           DixonFitCase{10, 0.9, 99},   // R: 133.7, above 99
                                           DixonFitCase{2, 0.9, 0},     // no row for n = 2
                                           DixonFitCase{31, 0.9, 0}));  // nor for 31

// Every row: the fitted curve passes close to its own six table points (the fit residuals
// are small), so a Q at a tabulated critical value reads as about that confidence.
TEST(DixonConfidenceTest, EveryRowReproducesItsTableWithinTwoPercent) {
    const double confidences[] = {80, 90, 95, 96, 98, 99};
    for (int n = 3; n <= 30; ++n) {
        for (int col = 1; col < 5; ++col) {
            SCOPED_TRACE("n=" + std::to_string(n) + " column " + std::to_string(col));
            EXPECT_NEAR(double(DixonConfidence(n, DixonCriticalQ(n, col))), confidences[col], 2.0);
        }
        // Values below the 80 % column are never outliers at the 20 % level.
        EXPECT_LT(double(DixonConfidence(n, DixonCriticalQ(n, 0) * 0.9)), 80.0001);
    }
}

struct DixonCase {
    const char* name;
    std::vector<std::string> values;
    DixonResult::Status status;
    double Q;
    bool top;
    std::size_t suspect;
    double level;
};

class DixonTest : public ::testing::TestWithParam<DixonCase> {};

TEST_P(DixonTest, PicksTheEndWithTheLargerGap) {
    const DixonCase& c = GetParam();
    const DixonResult r = RunDixon(Sample(c.values));
    ASSERT_EQ(r.status, c.status);
    if (c.status != DixonResult::Status::Done) return;
    EXPECT_NEAR(double(r.Q), c.Q, 1e-15);
    EXPECT_EQ(r.top, c.top);
    EXPECT_EQ(r.suspect, c.suspect);
    EXPECT_NEAR(double(r.level), c.level, 1e-7);
}

std::vector<std::string> ThirtyOne() {
    std::vector<std::string> v;
    for (int i = 1; i <= 31; ++i) v.push_back(std::to_string(i));
    return v;
}

INSTANTIATE_TEST_SUITE_P(
    Samples, DixonTest,
    ::testing::Values(
        // equal gaps: the upper value is the suspect, Q = 1/2 (worked by hand); C = 0
        DixonCase{"one_two_three", {"1", "2", "3"}, DixonResult::Status::Done, 0.5, true, 2, 100},
        // Q = 3.2/3.7 (by hand), far above the 99 % column: C = 99
        DixonCase{"clear", TenWith("13.5"), DixonResult::Status::Done, 3.2 / 3.7, true, 7, 1},
        // Q = 0.45/0.95; R fit 95.49514526
        DixonCase{"moderate", TenWith("10.75"), DixonResult::Status::Done, 0.45 / 0.95, true, 7,
                  100 - 95.49514526},
        // The lower gap is larger, so 0 (third in the list) is the suspect although 10 lies
        // farther from the mean 4.79: Q = 4/10; R fit 88.46783946
        DixonCase{"bottom",
                  {"4", "4", "0", "4", "4", "9.9", "4", "4", "4", "10"},
                  DixonResult::Status::Done,
                  0.4,
                  false,
                  2,
                  100 - 88.46783946},
        DixonCase{"two", {"1", "2"}, DixonResult::Status::TooFew, 0, true, 0, 0},
        DixonCase{"thirty_one", ThirtyOne(), DixonResult::Status::TooMany, 0, true, 0, 0},
        DixonCase{"equal", {"2", "2", "2"}, DixonResult::Status::AllEqual, 0, true, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct TypedTieCase {
    const char* name;
    std::vector<std::string> values;
    std::size_t first_extreme;  // Grubbs and Gauss: the first of two equally far extremes
    std::size_t largest;        // Dixon: equal gaps name the largest value
};

class TypedTieTest : public ::testing::TestWithParam<TypedTieCase> {};

// Distances and gaps typed equal compare equal, although the converted values put one end
// a last bit farther out (by hand: each sample is symmetric about its mean).
TEST_P(TypedTieTest, EqualAsTypedIsEqual) {
    const TypedTieCase& c = GetParam();
    const DescriptiveSample s = Sample(c.values);
    EXPECT_EQ(RunGrubbs(s).suspect, c.first_extreme);
    EXPECT_EQ(RunGauss(s).suspect, c.first_extreme);
    const DixonResult d = RunDixon(s);
    EXPECT_TRUE(d.top);
    EXPECT_EQ(d.suspect, c.largest);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, TypedTieTest,
    ::testing::Values(TypedTieCase{"tenths", {"0.1", "0.2", "0.3"}, 0, 2},
                      TypedTieCase{"gaps_of_a_tenth", {"434.1", "434.2", "434.3"}, 0, 2},
                      TypedTieCase{"five", {"584.3", "584.8", "584.6", "584.4", "584.9"}, 0, 4}),
    [](const auto& info) { return std::string(info.param.name); });

struct TextCase {
    const char* name;
    Language language;
    OutlierTest test;
    std::vector<std::string> values;
    const char* upper;
    const char* lower;
};

class OutlierTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(OutlierTextTest, ReadsAsTheWindowWritesIt) {
    const TextCase& c = GetParam();
    ScopedTextSettings settings(c.language, ',');
    std::vector<std::string> values = c.values;
    for (std::string& v : values) {
        for (char& ch : v) ch = ch == '.' ? ',' : ch;
    }
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < values.size(); ++i) rows.push_back(std::to_string(i + 3));
    const auto sample = MakeDescriptiveSample(values, rows, ',');
    ASSERT_TRUE(sample);
    const OutlierOutcome out = RunOutlierTest(c.test, *sample);
    EXPECT_TRUE(out.ran);
    EXPECT_EQ(out.upper, c.upper);
    EXPECT_EQ(out.lower, c.lower);
}

// Levels as found above; rows are list position + 2 here, so the eighth value is on row 10.
INSTANTIATE_TEST_SUITE_P(
    Texts, OutlierTextTest,
    ::testing::Values(
        TextCase{"grubbs_sv", Language::Swedish, OutlierTest::Grubb, TenWith("13.5"),
                 "13,5 på rad 10 kan förkastas som outlier.",
                 "Lägsta nivå=1% med dubbelsidig test.   Lägsta nivå=1% med enkelsidig test."},
        TextCase{"grubbs_en", Language::English, OutlierTest::Grubb, TenWith("10.6"),
                 "10,6 at row 10 can be discarded as outlier.",
                 "Lowest level=9,4% with two-tailed test.   Lowest level=4,7% with one-tailed "
                 "test."},
        TextCase{"grubbs_weak_sv", Language::Swedish, OutlierTest::Grubb, TenWith("10.45"),
                 "Inga outliers.", "Högsta testade nivå=10,1% med dubbelsidig test.    (p=0,370)"},
        TextCase{"grubbs_none_en",
                 Language::English,
                 OutlierTest::Grubb,
                 {"10", "11", "12", "13", "14"},
                 "No outliers.",
                 "Highest tested level=10,1% with two-tailed test."},
        TextCase{"gauss_sv", Language::Swedish, OutlierTest::Gauss, TenWith("10.75"),
                 "10,75 på rad 10 kan förkastas på 0,3%-nivån.",
                 "Detta kan vara rimligt eftersom nivågränsen för outlier är 2,78%. (u=4,3)"},
        TextCase{"gauss_en", Language::English, OutlierTest::Gauss, TenWith("10.75"),
                 "10,75 at row 10 can be discarded at 0,3%-level",
                 "This can be reasonable regarding that the limit for outliers is 2,78%. (u=4,3)"},
        TextCase{"gauss_above_limit_sv", Language::Swedish, OutlierTest::Gauss, TenWith("10.45"),
                 "Inga outliers",
                 "(10,45 på rad 10 kan förkastas på 3,7%-nivån. Nivågräns för outlier=2,78%. "
                 "(u=2,5)"},
        TextCase{"gauss_none_en",
                 Language::English,
                 OutlierTest::Gauss,
                 {"10", "11", "12", "13", "14"},
                 "No outliers",
                 ""},
        TextCase{"dixon_sv", Language::Swedish, OutlierTest::Dixon, TenWith("13.5"), "Q=0,86486",
                 "Outlier = 13,5 på rad 10 på 1%-Nivån (tvåsidigt test)"},
        TextCase{"dixon_en", Language::English, OutlierTest::Dixon, TenWith("10.75"), "Q=0,47368",
                 "Outlier = 10,75 at row 10 at 4,5%-Level (doubble sided test)"},
        // The row is that of the value reported (0, third in the list), not of 10, the value
        // farthest from the mean.
        TextCase{"dixon_bottom_sv",
                 Language::Swedish,
                 OutlierTest::Dixon,
                 {"4", "4", "0", "4", "4", "9.9", "4", "4", "4", "10"},
                 "Q=0,4",
                 "Outlier = 0 på rad 5 på 11,5%-Nivån (tvåsidigt test)"},
        TextCase{"dixon_three_en",
                 Language::English,
                 OutlierTest::Dixon,
                 {"1", "2", "3"},
                 "Q=0,5",
                 "No Outlier"},
        TextCase{"dixon_too_few_sv",
                 Language::Swedish,
                 OutlierTest::Dixon,
                 {"1", "2"},
                 "För få mätvärden",
                 ""},
        TextCase{"dixon_too_many_en", Language::English, OutlierTest::Dixon, ThirtyOne(),
                 "Too many values (>30)", ""},
        // No spread: no test divides by zero, each says why in plain words.
        TextCase{"equal_grubbs_sv",
                 Language::Swedish,
                 OutlierTest::Grubb,
                 {"7", "7", "7", "7"},
                 "Inget outliertest kan göras eftersom alla värden är lika.",
                 ""},
        TextCase{"equal_gauss_en",
                 Language::English,
                 OutlierTest::Gauss,
                 {"7", "7", "7"},
                 "No outlier test can be made because all values are equal.",
                 ""},
        TextCase{"equal_dixon_sv",
                 Language::Swedish,
                 OutlierTest::Dixon,
                 {"7", "7", "7"},
                 "Inget outliertest kan göras eftersom alla värden är lika.",
                 ""},
        // Values 1e-11 apart still have a spread: both tests read them as 1, 2, 3 (G = 1 is
        // far below every critical value of n = 3, R: gc(3, 0.5, TRUE) = 1.115).
        TextCase{"tiny_grubbs_en",
                 Language::English,
                 OutlierTest::Grubb,
                 {"1e-11", "2e-11", "3e-11"},
                 "No outliers.",
                 "Highest tested level=10,1% with two-tailed test."},
        TextCase{"tiny_dixon_en",
                 Language::English,
                 OutlierTest::Dixon,
                 {"1e-11", "2e-11", "3e-11"},
                 "Q=0,5",
                 "No Outlier"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OutlierTestTest, GrubbsIsNotRunOnTwoValues) {
    ScopedTextSettings settings(Language::Swedish, '.');
    const OutlierOutcome out = RunOutlierTest(OutlierTest::Grubb, Sample({"1", "5"}));
    EXPECT_FALSE(out.ran);
    EXPECT_EQ(out.upper, "");
    EXPECT_EQ(out.lower, "");
}

TEST(OutlierTestTest, SuspectIsTheFirstOfEqualDistances) {
    const std::vector<Extended> v{1, 3, 5};  // mean 3: 1 and 5 are both 2 away
    EXPECT_EQ(FindSuspect(v, 3), 0u);
    const std::vector<Extended> w{2, 9, -4, 9};
    EXPECT_EQ(FindSuspect(w, 4), 2u);  // 9 and -4 are 5 and 8 away from 4: -4
}

}  // namespace
}  // namespace tabulon
