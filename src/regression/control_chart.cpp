// The control chart's base data: mean, spread, limits, moving range and drift.
#include "regression/control_chart.h"

#include <cmath>

#include "base/language.h"
#include "numeric/t_distribution.h"
#include "regression/regression_texts.h"
#include "regression/straight_line.h"

namespace tabulon {

ControlChartModel::ControlChartModel(std::shared_ptr<const RegressionData> data, FitSpec spec)
    : FittedModel(std::move(data), spec) {
    const std::vector<Extended>& y = this->data().y;
    const Extended n = static_cast<Extended>(y.size());
    for (Extended v : y) m_mean += v;
    m_mean /= n;
    Extended ss = 0;
    for (Extended v : y) ss += (v - m_mean) * (v - m_mean);
    m_s = n > 1 ? std::sqrt(ss / (n - 1)) : 0;
    for (std::size_t i = 1; i < y.size(); ++i) m_moving_range += std::fabs(y[i] - y[i - 1]);
    if (y.size() > 1) m_moving_range /= n - 1;
}

std::string ControlChartModel::Name() const {
    return ChooseText("Control chart - base data", "Kontrollkort - basdata");
}

XFromYResult ControlChartModel::XFromY(Extended, int) const {
    XFromYResult out;
    out.message = ChooseText("Impossible. The slope is 0", "Går ej. Lutningen är 0");
    return out;
}

std::string ControlChartModel::EquationText() const {
    return "CL=" + FormatG4(m_mean) + "  ±2s: " + FormatG4(m_mean - 2 * m_s) + " - " +
           FormatG4(m_mean + 2 * m_s) + "  ±3s: " + FormatG4(m_mean - 3 * m_s) + " - " +
           FormatG4(m_mean + 3 * m_s);
}

std::string ControlChartModel::StatusLine() const {
    return "n = " + std::to_string(data().size()) + "    s=" + FormatG4(m_s);
}

bool ControlChartModel::Supports(RegressionItem item) const {
    return item == RegressionItem::Function || item == RegressionItem::Bands ||
           item == RegressionItem::ControlChartBase;
}

std::optional<ReportText> ControlChartModel::Report(RegressionItem item) const {
    if (item != RegressionItem::ControlChartBase) return std::nullopt;
    return BaseDataReport();
}

ReportText ControlChartModel::BaseDataReport() const {
    const RegressionData& d = data();
    auto num = [](Extended v) { return FormatG4(v); };
    ReportText rep{Name(), {}};
    auto& l = rep.lines;
    l.push_back("n=" + std::to_string(d.size()));
    l.push_back(ChooseText("Mean (centre line)=", "Medelvärde (centrallinje)=") + num(m_mean));
    l.push_back("s=" + num(m_s) + "   (√(Σ(y-ymed)²/(n-1)))");
    l.push_back(ChooseText("Warning limits (±2s): ", "Varningsgränser (±2s): ") +
                num(m_mean - 2 * m_s) + " - " + num(m_mean + 2 * m_s));
    l.push_back(ChooseText("Action limits (±3s): ", "Aktionsgränser (±3s): ") +
                num(m_mean - 3 * m_s) + " - " + num(m_mean + 3 * m_s));
    // The moving range sees only the short-term spread; a much larger s hints at drift.
    l.push_back(ChooseText("Moving range MR=", "Glidande variationsbredd MR=") +
                num(m_moving_range) + "   s(MR)=MR/1.128=" + num(m_moving_range / 1.128L));
    bool outside = false;
    for (std::size_t i = 0; i < d.size(); ++i) {
        const Extended dev = std::fabs(d.y[i] - m_mean);
        if (!(dev > 2 * m_s)) continue;
        outside = true;
        l.push_back(
            ChooseText("Point no: ", "Punkt nr: ") + d.PointName(i) + "  y=" + d.YTexts[i] +
            (dev > 3 * m_s
                 ? ChooseText("  outside the action limits", "  utanför aktionsgränserna")
                 : ChooseText("  outside the warning limits", "  utanför varningsgränserna")));
    }
    if (!outside) {
        l.push_back(ChooseText("All points within the warning limits",
                               "Alla punkter inom varningsgränserna"));
    }
    // Drift: the least-squares slope of y on x, tested against 0 at the level.
    TRegressionLine line;
    if (d.size() >= 3 && ComputeRegressionLine(d.x, d.y, LineMode::LeastSquares, 0, line)) {
        const int df = static_cast<int>(d.size()) - 2;
        const Extended t = TQuantile(df, (1 - level()) / 2);
        const Extended half = t * line.S / std::sqrt(line.Sxx);
        const bool drift = line.K - half > 0 || line.K + half < 0;
        l.push_back(ChooseText("Trend: k=", "Trend: k=") + num(line.K) + "±" + num(half) + "  (" +
                    RiskText(level()) + ")");
        l.push_back(drift ? ChooseText("Significant drift", "Signifikant drift")
                          : ChooseText("No significant drift", "Ingen signifikant drift"));
    }
    return rep;
}

std::vector<std::pair<std::string, Extended>> ControlChartModel::Values() const {
    return {{"n", static_cast<Extended>(data().size())},
            {"mean", m_mean},
            {"s", m_s},
            {"moving_range", m_moving_range}};
}

FitOutcome FitControlChart(std::shared_ptr<const RegressionData> data, const FitSpec& spec) {
    for (std::size_t i = 1; i < data->size(); ++i) {
        if (data->x[i] < data->x[i - 1]) {
            return {nullptr, ChooseText("x-values not in order. Sort first",
                                        "x-värderna är inte i stigande ordning. Sortera först")};
        }
    }
    return {std::make_unique<ControlChartModel>(std::move(data), spec), {}};
}

}  // namespace tabulon
