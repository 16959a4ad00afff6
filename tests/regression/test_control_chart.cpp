// Kontrollkort > Basdata: mean, s and limits against R, the order check.
#include <gtest/gtest.h>

#include <cmath>

#include "base/language.h"
#include "regression/control_chart.h"

namespace tabulon {
namespace {

TEST(ControlChartTest, BaseDataAndLimits) {
    ScopedTextSettings text(Language::English, '.');
    const std::vector<std::string> x{"1", "2", "3", "4", "5", "6", "7", "8"};
    const std::vector<std::string> y{"10.1", "9.8", "10.3", "10.0", "9.7", "10.4", "10.2", "9.9"};
    const FitOutcome fit =
        Fit(MakeRegressionData(x, y, "x", "y", '.'), {FitType::ControlChart, 0}, 0.95L);
    ASSERT_TRUE(fit.model) << fit.refusal;
    const auto& m = dynamic_cast<const ControlChartModel&>(*fit.model);
    EXPECT_NEAR(double(m.mean()), 10.05, 1e-15);            // R: mean(y)
    EXPECT_NEAR(double(m.sd()), 0.244948974278318, 1e-14);  // R: sd(y)
    EXPECT_NEAR(double(m.BandsAt(0)->prediction), 3 * 0.244948974278318, 1e-14);
    const auto report = m.Report(RegressionItem::ControlChartBase);
    ASSERT_TRUE(report);
    const std::vector<std::string> expected_start{
        "n=8", "Mean (centre line)=10.05", "s=0.2449   (√(Σ(y-ymed)²/(n-1)))",
        "Warning limits (±2s): 9.56 - 10.54", "Action limits (±3s): 9.315 - 10.78",
        // R: mean(abs(diff(y))) = 0.371428571428572
        "Moving range MR=0.3714   s(MR)=MR/1.128=0.3293", "All points within the warning limits"};
    EXPECT_EQ(std::vector<std::string>(report->lines.begin(), report->lines.begin() + 7),
              expected_start);

    std::vector<std::string> unsorted = x;
    std::swap(unsorted[2], unsorted[3]);
    const FitOutcome refused =
        Fit(MakeRegressionData(unsorted, y, "x", "y", '.'), {FitType::ControlChart, 0}, 0.95L);
    EXPECT_FALSE(refused.model);
    EXPECT_EQ(refused.refusal, "x-values not in order. Sort first");
}

}  // namespace
}  // namespace tabulon
