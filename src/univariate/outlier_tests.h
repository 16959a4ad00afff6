// The outlier tests of the x-Data window: Grubbs' test with its level searches, the Gauss
// test against the rest of the sample, Dixon's Q-test, and the two texts that report each.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "numeric/extended.h"
#include "numeric/sample_statistics.h"
#include "univariate/descriptive_sample.h"

namespace tabulon {

enum class OutlierTest { Grubb, Gauss, Dixon };

// "Grubb", "Gauss", "Dixon": the names the window keeps for the current test.
std::string_view OutlierTestName(OutlierTest test);
// The heading over the outlier texts: "Outliers: Grubb's test", "Outliers: Gauss test",
// "Dixon's Q-test".
std::string OutlierHeading(OutlierTest test);

// The index of the value farthest from `mean`; the first of equal distances. 0 for no values.
std::size_t FindSuspect(std::span<const Extended> values, Extended mean);
// The same for the sample's mean, with the distances taken from the typed decimals: of
// 0.1 and 0.3 around 0.2 the first is the suspect, as the user sees them equally far.
std::size_t FindSuspect(const DescriptiveSample& sample);

// Grubbs' critical value for n values at level `a` (a fraction):
// ((n-1)/sqrt(n)) * sqrt(t^2/(n-2+t^2)), t = t(n-2, a'/n), a' = a/2 two-sided, a one-sided.
// 0 for n < 3.
Extended GrubbsCritical(int n, Extended a, bool two_sided);

// The level searches step by 0.001; levels are kept as whole thousandths so that forty steps
// down from 0.05 land on 0.01 exactly.
struct GrubbsResult {
    std::size_t suspect = 0;  // index into the sample
    Extended G = 0;           // |x* - mean| / s
    // Two-sided: the level reached (thousandths) and whether G exceeds the critical value
    // there. When not significant at 10 %, `b_permille` is where the continued search found
    // significance, or 501 when it passed 0.5 without.
    int two_sided_permille = 50;
    bool significant = false;
    bool b_searched = false;
    int b_permille = 0;
    // One-sided: the lowest level (thousandths) at which G is significant, when it is at
    // 5.1 % or below.
    bool one_sided_significant = false;
    int one_sided_permille = 50;
};
// Requires n >= 3 and s > 0 (the caller checks).
GrubbsResult RunGrubbs(const DescriptiveSample& sample);

struct GaussResult {
    std::size_t suspect = 0;
    bool has_result = false;  // false: the rest sample is unusable or the level is above 10 %
    int rest_count = 0;       // nr = n - 1
    Extended rest_mean = 0;
    Extended rest_variance = 0;
    Extended u = 0;
    Extended level_percent = 100;  // 200 p, p the first of 0.0005, 0.001, ... with t(nr-1, p) <= u
    Extended limit_percent = 0;    // 25 / nr
};
// The rest sample is computed from the texts without the suspect, as the kernel reads them.
GaussResult RunGauss(const DescriptiveSample& sample);

struct DixonResult {
    enum class Status { TooFew, TooMany, AllEqual, Done };
    Status status = Status::Done;
    Extended Q = 0;
    Extended confidence = 0;  // C(n, Q) in percent: 0 below 80, at most 99
    Extended level = 100;     // 100 - C
    bool top = true;          // the suspect is the largest value (else the smallest)
    std::size_t suspect = 0;  // its index in the sample
};
// Dixon's test on 3 to 30 values; the gaps are taken from the typed decimals, so that equal
// gaps compare equal and the upper value is the suspect.
DixonResult RunDixon(const DescriptiveSample& sample);

// C(n, Q): the least-squares cubic through the six critical Q values of n at 80, 90, 95,
// 96, 98 and 99 % confidence, evaluated at Q; below 80 it is 0, above 99 it is 99.
// 0 for n outside 3..30.
Extended DixonConfidence(int n, Extended Q);
// The tabulated critical Q of n (3..30) at column `column` (0..5 for 80 ... 99 %).
Extended DixonCriticalQ(int n, int column);

// The outcome of one run of a test as the window shows it.
struct OutlierOutcome {
    OutlierTest test = OutlierTest::Grubb;
    bool ran = false;        // false: nothing was run (Grubbs with n < 3), the texts are empty
    bool all_equal = false;  // s = 0: no test can be made
    std::string upper;
    std::string lower;
    std::optional<GrubbsResult> grubbs;
    std::optional<GaussResult> gauss;
    std::optional<DixonResult> dixon;
};

// Runs `test` on the sample and writes its texts in the current language and separator.
OutlierOutcome RunOutlierTest(OutlierTest test, const DescriptiveSample& sample);

}  // namespace tabulon
