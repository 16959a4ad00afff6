// Reading pairs and the paired t-test.
#include "univariate/paired.h"

#include <cmath>

#include "graphs/level_steps.h"
#include "numeric/distributions.h"
#include "numeric/number_text.h"
#include "numeric/sample_statistics.h"
#include "base/language.h"
#include "worksheet/column_queries.h"

namespace tabulon {

PairedData ReadPairs(const Worksheet& sheet, int first_column, int second_column,
                     char decimal_separator) {
    PairedData pairs;
    pairs.first_name = first_column > 0 ? ColumnTitle(sheet, first_column) : std::string();
    pairs.second_name = second_column > 0 ? ColumnTitle(sheet, second_column) : std::string();
    if (first_column <= 0 || second_column <= 0) return pairs;
    for (int r = Worksheet::kFixedRows; r < sheet.rowCount(); ++r) {
        const std::string_view a = sheet.cell(first_column, r);
        const std::string_view b = sheet.cell(second_column, r);
        if (a.empty() || b.empty()) continue;
        pairs.first.push_back(StrToNumber(a, decimal_separator));
        pairs.second.push_back(StrToNumber(b, decimal_separator));
        pairs.difference.push_back(DecimalDifference(a, b, decimal_separator));
        pairs.row_numbers.push_back(r - 1);
    }
    return pairs;
}

void SetPairedLevel(PairedTTestResult& r, Extended level) {
    r.level = level;
    r.tc = TQuantile(r.df, level / 200);
    r.significant = !(r.tc >= r.u);
}

PairedTTestOutcome ComputePairedTTest(const PairedData& pairs, Extended level) {
    PairedTTestOutcome out;
    const std::vector<Extended>& d = pairs.difference;
    SampleStatistics st;
    if (d.size() < 2 || !ComputeSampleStatistics(d, st)) {
        out.refusal =
            ChooseText("There must be at least two pairs", "Det måste finnas minst två par");
        return out;
    }
    // Differences typed equal are equal to the last bit, so only a true zero spread is none.
    if (!(st.StdDev > 0)) {
        out.refusal = ChooseText("All differences are equal (s=0): the t-test cannot be computed",
                                 "Alla skillnader är lika (s=0): t-testet kan inte beräknas");
        return out;
    }
    PairedTTestResult r;
    r.m = st.Count;
    r.mean_diff = st.Mean;
    r.sd = st.StdDev;
    r.u = std::fabs(std::sqrt(Extended(r.m)) * r.mean_diff / r.sd);
    r.df = r.m - 1;
    SetPairedLevel(r, level);
    out.result = r;
    return out;
}

std::string PairedCaption() {
    return ChooseText(
        "Paired data: Are the numbers of one series significantly larger that the other?",
        "Parade data: Är värdena i den ena serien signifikant större än i den andra?");
}

std::vector<std::string> PairedWindowLines(const PairedTTestResult& r) {
    const char sep = DecimalSeparator();
    return {"u=" + FormatFixed(r.u, 3, sep), "n=" + std::to_string(r.m),
            "t=" + FormatFixed(r.tc, 3, sep),
            r.significant ? ChooseText("Significant difference", "Signifikant skillnad")
                          : ChooseText("No significant difference", "Ingen signifikant skillnad")};
}

std::vector<std::string> PairedResultLines(const PairedData& pairs, const PairedTTestResult& r) {
    std::vector<std::string> lines{PairedCaption(), pairs.first_name + " - " + pairs.second_name,
                                   ChooseText("Level: ", "Nivå: ") + LevelText(r.level)};
    for (std::string& line : PairedWindowLines(r)) lines.push_back(std::move(line));
    return lines;
}

}  // namespace tabulon
