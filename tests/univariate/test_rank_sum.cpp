// The rank-sum test: ranking with mid-ranks, U, role exchange, the simulated distribution
// against R's exact one, thread-count independence with a fixed seed, cancelling, texts.
#include <gtest/gtest.h>

#include <cmath>

#include "base/language.h"
#include "graphs/recording_canvas.h"
#include "numeric/number_text.h"
#include "univariate/rank_sum.h"

namespace tabulon {
namespace {

Worksheet TwoColumns(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(2, 1, "A");
    sheet.setCell(3, 1, "B");
    for (std::size_t i = 0; i < a.size(); ++i) sheet.setCell(2, int(i) + 2, a[i]);
    for (std::size_t i = 0; i < b.size(); ++i) sheet.setCell(3, int(i) + 2, b[i]);
    return sheet;
}

RankSumStatistics Statistics(const std::vector<std::string>& a, const std::vector<std::string>& b,
                             RankSumData* out = nullptr) {
    RankSumData data = ReadRankSumData(TwoColumns(a, b), 2, 3, '.');
    RankRecords(data.records);
    if (out) *out = data;
    return ComputeRankSumStatistics(data);
}

TEST(RankSum, RecordsAreAppendedRowByRowFirstColumnFirst) {
    const RankSumData d = ReadRankSumData(TwoColumns({"1", "", "5"}, {"2", "3"}), 2, 3, '.');
    ASSERT_EQ(d.records.size(), 4u);
    EXPECT_EQ(d.records[0].value, 1);
    EXPECT_EQ(d.records[1].value, 2);
    EXPECT_EQ(d.records[1].group, 2);
    EXPECT_EQ(d.records[2].value, 3);
    EXPECT_EQ(d.records[3].value, 5);
    EXPECT_EQ(d.first_values, (std::vector<double>{1, 5}));
    EXPECT_THROW(ReadRankSumData(TwoColumns({"1", "z"}, {"2"}), 2, 3, '.'), ConversionError);
}

struct StatCase {
    const char* name;
    std::vector<std::string> a, b;
    int n1, n2;
    double R1, R2, U1, U2;
    bool exchanged;
};
class RankSumStatisticsCases : public ::testing::TestWithParam<StatCase> {};

TEST_P(RankSumStatisticsCases, RankSumsAndU) {
    const StatCase& c = GetParam();
    const RankSumStatistics s = Statistics(c.a, c.b);
    EXPECT_EQ(s.n1, c.n1);
    EXPECT_EQ(s.n2, c.n2);
    EXPECT_EQ(s.R1, c.R1);
    EXPECT_EQ(s.R2, c.R2);
    EXPECT_EQ(s.U1, c.U1);
    EXPECT_EQ(s.U2, c.U2);
    EXPECT_EQ(s.exchanged, c.exchanged);
    EXPECT_EQ(s.R1 + s.R2, (c.n1 + c.n2) * (c.n1 + c.n2 + 1) / 2.0);  // the ranks 1 … N
    EXPECT_EQ(s.U1 + s.U2, c.n1 * c.n2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RankSumStatisticsCases,
    ::testing::Values(
        // worked by hand: ranks 1-3 against 4-6
        StatCase{"Separated", {"1", "2", "3"}, {"4", "5", "6"}, 3, 3, 6, 15, 9, 0, false},
        // a tie across the groups: the two 2s share rank 2.5
        // (sorted 1, 2, 2, 3, 5, 6: ranks 1, 2.5, 2.5, 4, 5, 6)
        StatCase{
            "TieAcrossGroups", {"1", "2", "3"}, {"2", "5", "6"}, 3, 3, 7.5, 13.5, 7.5, 1.5, false},
        // the first column is the longer: the groups exchange roles (R: ranks of 4,5,6,7 are
        // 3,4,5,6 = 18 against 1,2 = 3)
        StatCase{"SwappedRoles", {"4", "5", "6", "7"}, {"1", "2"}, 2, 4, 3, 18, 8, 0, true},
        // sorted 1, 7, 7, 7, 9: the sevens share (2 + 3 + 4)/3 = 3; the first column is the
        // longer, so it is group 2: R2 = 1 + 3 + 3, R1 = 3 + 5 (worked by hand)
        StatCase{"RunOfThree", {"7", "7", "1"}, {"7", "9"}, 2, 3, 8, 7, 1, 5, true},
        // R, set.seed(3): wilcox.test(a, b) W = 62 = R1 - 45, so R1 = 107 and U1 = 126 - 62
        StatCase{"R",
                 {"9.04", "9.71", "10.26", "8.85", "10.2", "10.03", "10.09", "11.12", "8.78"},
                 {"18.34", "8.28", "6.34", "8.42", "13.26", "12.76", "10.46", "7.23", "8.76",
                  "18.12", "13", "9.11", "7.29", "10.98"},
                 9,
                 14,
                 107,
                 169,
                 64,
                 62,
                 false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RankSum, SwappedRolesNameTheSmallerGroupFirst) {
    ScopedTextSettings en(Language::English, '.');
    const RankSumStatistics s = Statistics({"4", "5", "6", "7"}, {"1", "2"});
    EXPECT_EQ(s.name1, "B");
    EXPECT_EQ(s.name2, "A");
    EXPECT_EQ(RankSumLines(s, 0.5L).front(), "Group 1: B   Group 2: A");
}

TEST(RankSum, Refusals) {
    ScopedTextSettings en(Language::English, '.');
    EXPECT_EQ(RankSumRefusal(Statistics({"1", "2"}, {})), "Both columns must hold values");
    RankSumStatistics big;
    big.n1 = 2001;
    big.n2 = 2000;
    EXPECT_EQ(RankSumRefusal(big),
              "Too many values for the simulation: n1·n2 may be at most 4000000");
    big.n1 = 2000;
    EXPECT_EQ(RankSumRefusal(big), "");
    EXPECT_FALSE(SimulateRankSumDistribution(0, 5, {}));
}

RankSumSimulationOptions Fixed(long long draws, std::uint64_t seed, int threads) {
    RankSumSimulationOptions o;
    o.draws = draws;
    o.seed = seed;
    o.threads = threads;
    return o;
}

// The simulated lower tail against R's exact pwilcox, within five standard errors.
struct TailCase {
    const char* name;
    int n1, n2;
    std::vector<std::pair<long long, double>> u_and_p;  // R: pwilcox(u, n1, n2)
};
class RankSumSimulationTails : public ::testing::TestWithParam<TailCase> {};

TEST_P(RankSumSimulationTails, MatchRsExactDistribution) {
    const TailCase& c = GetParam();
    const long long draws = 2'000'000;
    const auto d = SimulateRankSumDistribution(c.n1, c.n2, Fixed(draws, 12345, 2));
    ASSERT_TRUE(d);
    ASSERT_EQ(d->counts.size(), std::size_t(c.n1) * c.n2 + 1);
    long long sum = 0;
    for (auto n : d->counts) sum += n;
    EXPECT_EQ(sum, draws);
    const long long base = (long long)c.n1 * (c.n1 + 1) / 2;  // rank sum = U + base
    for (auto [u, p] : c.u_and_p) {
        const double got = double(d->Below(base + u));
        const double se = std::sqrt(p * (1 - p) / draws);
        EXPECT_NEAR(got, p, 5 * se + 1e-7) << "u = " << u;
    }
}

INSTANTIATE_TEST_SUITE_P(
    R, RankSumSimulationTails,
    ::testing::Values(
        // drawn rank by rank (few among many): R pwilcox(c(0, 50, 100, 200, 300), 3, 200)
        TailCase{"Direct",
                 3,
                 200,
                 {{0, 7.279605e-07},
                  {50, 3.092376e-03},
                  {100, 2.241172e-02},
                  {200, 1.703959e-01},
                  {300, 5.018567e-01}}},
        // drawn as a bit set with p = 6/16: R pwilcox(c(800, 900, 1000, 1100, 1200), 40, 60)
        TailCase{"BitSet",
                 40,
                 60,
                 {{800, 2.299394e-03},
                  {900, 1.733327e-02},
                  {1000, 8.055491e-02},
                  {1100, 2.428154e-01},
                  {1200, 5.013968e-01}}},
        // the benchmark's size: R pwilcox(c(19000, 19500, 20000, 20500, 21000), 200, 200)
        TailCase{"TwoHundredEach",
                 200,
                 200,
                 {{19000, 0.1938543},
                  {19500, 0.3330221},
                  {20000, 0.5001723},
                  {20500, 0.6672919},
                  {21000, 0.8063832}}},
        // more in the first group: the smaller second set is drawn and S = T - its sum;
        // R pwilcox(0:10, 7, 5) equals pwilcox(0:10, 5, 7) by symmetry
        TailCase{"Complement",
                 7,
                 5,
                 {{0, 0.001262626}, {2, 0.005050505}, {5, 0.023989899}, {10, 0.133838384}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RankSumSimulation, AFixedSeedGivesTheSameCountsWithAnyNumberOfThreads) {
    const auto one = SimulateRankSumDistribution(20, 30, Fixed(300'000, 99, 1));
    ASSERT_TRUE(one);
    for (int threads : {2, 3, 7}) {
        const auto many = SimulateRankSumDistribution(20, 30, Fixed(300'000, 99, threads));
        ASSERT_TRUE(many);
        EXPECT_EQ(many->counts, one->counts) << threads << " threads";
    }
    const auto other = SimulateRankSumDistribution(20, 30, Fixed(300'000, 100, 2));
    EXPECT_NE(other->counts, one->counts);  // the seed does matter
}

TEST(RankSumSimulation, ProgressReachesAHundredInHundredths) {
    RankSumSimulationOptions o = Fixed(100'000, 1, 1);
    std::vector<int> seen;
    o.progress = [&](int percent) { seen.push_back(percent); };
    ASSERT_TRUE(SimulateRankSumDistribution(3, 3, o));
    ASSERT_EQ(seen.size(), 100u);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(seen[std::size_t(i)], i + 1);
}

TEST(RankSumSimulation, CancelStopsEarlyAndGivesNothing) {
    std::atomic<bool> cancel{true};
    RankSumSimulationOptions o = Fixed(10'000'000, 1, 2);
    o.cancel = &cancel;
    EXPECT_FALSE(SimulateRankSumDistribution(200, 200, o));

    std::atomic<bool> later{false};
    std::atomic<int> blocks{0};
    o.cancel = &later;
    o.progress = [&](int) {
        if (++blocks == 3) later = true;
    };
    EXPECT_FALSE(SimulateRankSumDistribution(200, 200, o));
    EXPECT_LT(blocks.load(), 10);  // stopped within a block or so of the request
}

TEST(RankSumProbability, SeparatedGroupsGiveOneInTwentyAndHalfRankSumsRoundUp) {
    // 1, 2, 3 against 4, 5, 6: R1 = 6 is the smallest of the 20 arrangements (R: pwilcox(0, 3, 3))
    const RankSumStatistics s = Statistics({"1", "2", "3"}, {"4", "5", "6"});
    const auto d = SimulateRankSumDistribution(3, 3, Fixed(10'000'000, 7, 2));
    ASSERT_TRUE(d);
    const double p = double(RankSumProbability(s, *d));
    EXPECT_NEAR(p, 0.05, 5 * std::sqrt(0.05 * 0.95 / 1e7));
    // the same with the larger rank sum in the first group
    const RankSumStatistics t = Statistics({"4", "5", "6"}, {"1", "2", "3"});
    EXPECT_NEAR(double(RankSumProbability(t, *d)), 0.05, 5 * std::sqrt(0.05 * 0.95 / 1e7));
    // R1 = 7.5 (a tie) looks up the next whole number: C(8) = P(S <= 8) = 4/20, the sets
    // {1,2,3} {1,2,4} {1,2,5} {1,3,4} (R: pwilcox(2, 3, 3) = 0.2)
    const RankSumStatistics half = Statistics({"1", "2", "3"}, {"2", "5", "6"});
    ASSERT_EQ(half.R1, 7.5);
    EXPECT_NEAR(double(RankSumProbability(half, *d)), 0.2, 5 * std::sqrt(0.2 * 0.8 / 1e7));
}

TEST(RankSumProbability, IdenticalColumnsGiveAboutHalfOrMore) {
    const RankSumStatistics s = Statistics({"1", "2", "3", "4"}, {"1", "2", "3", "4"});
    const auto d = SimulateRankSumDistribution(4, 4, Fixed(1'000'000, 3, 2));
    EXPECT_GE(double(RankSumProbability(s, *d)), 0.5);
    ScopedTextSettings en(Language::English, '.');
    const auto lines = RankSumLines(s, RankSumProbability(s, *d));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], "No significant difference between the series (p>30% at two-tailed test)");
}

TEST(RankSumText, VerdictsBySidedProbability) {
    const RankSumStatistics s = Statistics({"1", "2", "3"}, {"4", "5", "6"});
    ScopedTextSettings sv(Language::Swedish, ',');
    const auto lines = RankSumLines(s, 0.0498L);
    EXPECT_EQ(lines,
              (std::vector<std::string>{
                  "Grupp 1: A   Grupp 2: B", "n1=3  R1=6  U1=9  n2=3  R2=15  U2=0  p=0,0498",
                  "Dubbelsidigt test", "Svag skillnad (>5%).",
                  "Sannolikheten att mätseriernas väntevärden skulle kunna avvika från varandra så "
                  "här mycket är 9,96%.",
                  "Enkelsidigt test", "Signifikant skillnad!",
                  "Sannolikheten att mätseriernas väntevärden skulle kunna avvika från varandra så "
                  "här mycket är 4,98%."}));
    ScopedTextSettings en(Language::English, '.');
    const auto weak = RankSumLines(s, 0.1L);
    EXPECT_EQ(weak[3], "Weak difference (>5%).");
    EXPECT_EQ(weak[6], "Weak difference (>5%).");
    EXPECT_EQ(weak[7],
              "The probability that the differences of the true means can be this big is 10%.");
    EXPECT_EQ(RankSumLines(s, 0.01L)[3], "Significant difference!");
}

TEST(RankSumGraph, TwoPanelsOnACommonAxisWithEveryValue) {
    ScopedTextSettings en(Language::English, '.');
    RankSumData d;
    const RankSumStatistics s = Statistics({"4", "5", "6", "7"}, {"1", "2"}, &d);
    RecordingCanvas canvas;
    RenderRankSumGraph(canvas, 600, 400, d, s);
    int red = 0, blue = 0;
    for (const Primitive& p : canvas.OfKind(PrimitiveKind::Line)) {
        if (p.pen.color == Color{255, 0, 0}) ++red;
        if (p.pen.color == Color{0, 0, 255}) ++blue;
    }
    EXPECT_EQ(red, 2);  // the smaller group, B, on top
    EXPECT_EQ(blue, 4);
    std::vector<std::string> labels;
    for (const std::string& t : canvas.Texts()) {
        if (t.find("Median") != std::string::npos) labels.push_back(t);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"1: B:  Median=1.5 Mean=1.5 St dev=0.7071",
                                                "2: A:  Median=5.5 Mean=5.5 St dev=1.291"}));
}

}  // namespace
}  // namespace tabulon
