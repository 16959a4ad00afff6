// Simulated data: where the series go, what a zero spread writes exactly, and that the
// deviates of a fixed seed have the spread they should.
#include <gtest/gtest.h>

#include <cmath>

#include "base/language.h"
#include "worksheet/simulation.h"

namespace tabulon {
namespace {

TEST(Simulation, ZeroSpreadWritesTheModelItself) {
    SimulationParameters p;  // the window's defaults: 11 points, x from 0 to 10, y = x
    p.sd = 0;
    Xoshiro256 rng(1);
    Worksheet sheet = Worksheet::StartSheet();
    EXPECT_EQ(WriteSimulation(sheet, SimulationMode::Regression, p, rng, ','),
              (std::vector<int>{2, 3}));
    EXPECT_EQ(sheet.cell(2, 1), "x1");
    EXPECT_EQ(sheet.cell(3, 1), "y1");
    for (int i = 0; i <= 10; ++i) {
        EXPECT_EQ(sheet.cell(2, 2 + i), std::to_string(i));
        EXPECT_EQ(sheet.cell(3, 2 + i), std::to_string(i));
    }
    EXPECT_TRUE(sheet.isEmpty(2, 13));

    p.mean = 2.5;
    p.count = 3;
    p.series = 2;
    WriteSimulation(sheet, SimulationMode::Normal, p, rng, ',');
    // Series numbers start again at 1; every value is the mean.
    EXPECT_EQ(sheet.cell(4, 1), "x1");
    EXPECT_EQ(sheet.cell(5, 1), "x2");
    for (int r = 2; r <= 4; ++r) EXPECT_EQ(sheet.cell(5, r), "2,5");
    EXPECT_TRUE(sheet.isEmpty(5, 5));
}

TEST(Simulation, ColumnsAndRowsGrowAsNeeded) {
    // Columns 2 and 3 are taken, 4 and 5 empty: three series use those two and one new one.
    Worksheet sheet(6, 12);
    sheet.renumber();
    sheet.setCell(2, 2, "1");
    sheet.setCell(3, 1, "caption only");
    SimulationParameters p;
    p.series = 3;
    p.count = 500;
    EXPECT_EQ(SimulationColumnsAhead(sheet, SimulationMode::Normal, p),
              (std::vector<int>{4, 5, 0}));
    Xoshiro256 rng(7);
    EXPECT_EQ(WriteSimulation(sheet, SimulationMode::Normal, p, rng, '.'),
              (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(sheet.cell(6, 0), "5");  // the added column is numbered
    EXPECT_EQ(sheet.rowCount(), 502);
    EXPECT_EQ(sheet.cell(0, 501), "500");
    EXPECT_FALSE(sheet.isEmpty(6, 501));

    // One value of Regression sits at the lowest x.
    p = {};
    p.count = 1;
    p.lowest = 3;
    Worksheet one = Worksheet::StartSheet();
    WriteSimulation(one, SimulationMode::Regression, p, rng, '.');
    EXPECT_EQ(one.cell(2, 2), "3");
    EXPECT_EQ(one.rowCount(), Worksheet::kStartRows);
}

TEST(Simulation, OutOfRangeCountsAreRefusedAndWriteNothing) {
    const ScopedTextSettings text(Language::English, '.');
    for (const auto& [count, series] : {std::pair{0, 1}, {100000, 1}, {5, 0}, {5, 11}}) {
        SimulationParameters p;
        p.count = count;
        p.series = series;
        EXPECT_NE(SimulationRefusal(p), "") << count << " " << series;
        Worksheet sheet = Worksheet::StartSheet();
        const Worksheet before = sheet;
        Xoshiro256 rng(1);
        EXPECT_TRUE(WriteSimulation(sheet, SimulationMode::Normal, p, rng, '.').empty());
        EXPECT_EQ(sheet, before);
    }
}

TEST(Simulation, DeviatesOfAFixedSeedAreStandardNormal) {
    Xoshiro256 rng(20261207);
    constexpr int n = 200000;
    long double sum = 0, squares = 0;
    int beyond = 0;
    for (int i = 0; i < n; ++i) {
        const long double z = SimulatedDeviate(rng);
        sum += z;
        squares += z * z;
        if (std::fabs(z) > 1.959964) ++beyond;
    }
    const long double mean = sum / n;
    // Standard errors: 1/sqrt(n) = 0.0022 for the mean, sqrt(2/n) = 0.0032 for the variance,
    // sqrt(0.05·0.95/n) = 0.00049 for the 5 % tail share; the bounds are about 4 of them.
    EXPECT_NEAR(mean, 0, 0.009);
    EXPECT_NEAR(squares / n - mean * mean, 1, 0.013);
    EXPECT_NEAR(beyond / double(n), 0.05, 0.002);
    // The same seed gives the same values.
    Xoshiro256 a(5), b(5);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(SimulatedDeviate(a), SimulatedDeviate(b));
}

}  // namespace
}  // namespace tabulon
