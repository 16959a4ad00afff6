// The Wilcoxon signed-rank test on paired observations.
#include "univariate/signed_rank_test.h"

#include <algorithm>
#include <cmath>

#include "numeric/distributions.h"
#include "numeric/number_text.h"
#include "base/language.h"
#include "univariate/rank_sum.h"

namespace tabulon {

SignedRankOutcome ComputeSignedRankTest(const PairedData& pairs) {
    SignedRankOutcome out;
    SignedRankResult r;
    for (const Extended d : pairs.difference) {
        if (d == 0) {
            ++r.unchanged;
            continue;
        }
        r.records.push_back({static_cast<double>(std::fabs(d)), 0, d > 0});
    }
    r.changed = static_cast<int>(r.records.size());
    if (r.changed < 3) {
        out.refusal = ChooseText("To few unchanged pairs (<3)", "För få förändrade par (<3)");
        return out;
    }
    if (r.changed > 45) {
        out.refusal = ChooseText("To many pairs. Use t-test", "För många par. Använd t-test");
        return out;
    }
    std::stable_sort(r.records.begin(), r.records.end(),
                     [](const SignedRankRecord& a, const SignedRankRecord& b) {
                         return a.abs_diff < b.abs_diff;
                     });
    for (std::size_t i = 0; i < r.records.size();) {
        std::size_t j = i;
        while (j + 1 < r.records.size() && r.records[j + 1].abs_diff == r.records[i].abs_diff) ++j;
        const double rank = (static_cast<double>(i + 1) + static_cast<double>(j + 1)) / 2;
        for (std::size_t k = i; k <= j; ++k) r.records[k].rank = rank;
        i = j + 1;
    }
    for (const SignedRankRecord& rec : r.records) (rec.positive ? r.r_plus : r.r_minus) += rec.rank;
    r.T = r.r_plus <= r.r_minus ? r.r_plus : r.r_minus;
    r.p = 100 * SignedRankProbability(r.changed, r.T);
    r.significant = !(r.p > 10);
    out.result = std::move(r);
    return out;
}

std::string SignedRankVerdict(const SignedRankResult& r) {
    const std::string p = FormatGeneral(r.p, 4, 2, DecimalSeparator());
    if (!r.significant) {
        return ChooseText("No significant difference (p=", "Ingen signifikant skillnad (p=") + p +
               "% " + ChooseText(" one-tailed test)", " enkelsidigt test)");
    }
    return ChooseText("Significant difference at ", "Signifikant skillnad vid ") + p + "% " +
           ChooseText(" level (one-tailed test)", "-nivån (enkelsidigt test)");
}

std::string SignedRankCaption() {
    return "Wilcoxon's signed rank test";
}

std::vector<std::string> SignedRankLines(const PairedData& pairs, const SignedRankResult& r,
                                         const std::string& file_base) {
    return {ChooseText("Wilcoxon' signed rank test", "Wilcoxons teckentest"),
            "n=" + std::to_string(r.changed) +
                ChooseText(" (changed values).", " (förändrade värden).") +
                ChooseText("   Not included: ", "   Icke inkluderade: ") +
                std::to_string(r.unchanged) +
                ChooseText(" (unchanged values)", " (oförändrade värden)"),
            ChooseText("Rank sum=", "Rangsumman=") + FormatGeneral(r.T, 15, 2, DecimalSeparator()),
            ChooseText("Differencies: ", "Skillnader: ") + pairs.first_name + "-" +
                pairs.second_name + " (" + file_base + ")",
            SignedRankVerdict(r)};
}

void RenderSignedRankGraph(Canvas& canvas, int width, int height, const PairedData& pairs) {
    std::vector<double> first, second, diffs;
    for (std::size_t i = 0; i < pairs.first.size(); ++i) {
        first.push_back(static_cast<double>(pairs.first[i]));
        second.push_back(static_cast<double>(pairs.second[i]));
        diffs.push_back(static_cast<double>(pairs.difference[i]));
    }
    if (first.empty()) return;
    const int text_h = std::max(canvas.TextHeight("1"), 1);
    const int left = std::max(width / 20, 8);
    const int right = width - left;
    const int gap = 3 * text_h;
    const int panel = (height - 3 * gap - text_h) / 3;
    if (panel < 8) return;
    // The two columns share one axis so that their levels compare; the differences get their own.
    auto [lo1, hi1] = std::minmax_element(first.begin(), first.end());
    auto [lo2, hi2] = std::minmax_element(second.begin(), second.end());
    const double lo = std::min(*lo1, *lo2);
    const double hi = std::max(*hi1, *hi2);
    auto [dlo, dhi] = std::minmax_element(diffs.begin(), diffs.end());
    const std::string diff_name = pairs.first_name + "-" + pairs.second_name;
    Rect box{left, text_h + 4, right, text_h + 4 + panel};
    DrawValuePanel(canvas, box, lo, hi, first, Color{255, 0, 0},
                   ValueSummaryLabel(pairs.first_name, first));
    box = {left, box.bottom + gap, right, box.bottom + gap + panel};
    DrawValuePanel(canvas, box, lo, hi, second, Color{0, 0, 255},
                   ValueSummaryLabel(pairs.second_name, second));
    box = {left, box.bottom + gap, right, box.bottom + gap + panel};
    DrawValuePanel(canvas, box, std::min(*dlo, 0.0), std::max(*dhi, 0.0), diffs, Color{0, 128, 0},
                   ValueSummaryLabel(diff_name, diffs));
}

}  // namespace tabulon
