// Score and loading plots of the factor models and the PCA.
#include "multivariate/ui/factor_plots.h"

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <limits>

#include "base/language.h"
#include "graphs/bar_chart.h"
#include "graphs/dialogs.h"
#include "graphs/ui/bar_chart_window.h"
#include "graphs/ui/result_window.h"
#include "multivariate/factor_model.h"
#include "multivariate/model_data.h"
#include "multivariate/pca.h"
#include "numeric/number_text.h"
#include "regression/regression_data.h"
#include "regression/ui/two_dim_stat.h"

namespace tabulon::ui {
namespace {

// The two components to plot (0-based), from the two-list window when there is a choice.
std::optional<std::pair<int, int>> ChooseComponents(Dialogs& dialogs, int components,
                                                    const std::vector<std::string>& entries,
                                                    const ListHeadings& headings) {
    if (components <= 1) return std::pair{0, 0};
    const auto chosen = dialogs.ChooseTwoFromLists(entries, headings);
    if (!chosen) return std::nullopt;
    const int a = EntryComponent(chosen->first);
    const int b = EntryComponent(chosen->second);
    if (a < 0 || b < 0 || a >= components || b >= components) return std::nullopt;
    return std::pair{a, b};
}

void OpenPairs(Dialogs& dialogs, QWidget& owner, const PlotPairs& pairs) {
    std::shared_ptr<const RegressionData> made =
        MakeRegressionData(pairs.x, pairs.y, pairs.x_name, pairs.y_name, DecimalSeparator());
    if (!made || made->size() < 2) {
        dialogs.ShowMessage(TooFewPointsText());
        return;
    }
    auto data = std::make_shared<RegressionData>(*made);
    for (std::size_t i = 0; i < data->size() && i < pairs.numbers.size(); ++i) {
        data->RowNumbers[i] = pairs.numbers[i];
    }
    ShowModal(new TTwoDimStat(dialogs, std::move(data), {}, &owner), true);
}

void ShowBars(Dialogs& dialogs, QWidget& owner, BarChartData data, const std::string& caption) {
    auto* window = new BarChartWindow(dialogs, std::move(data), caption, &owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

}  // namespace

FactorPlotSource ModelFactorPlots(const ModelData& data, const ModelColumns& columns,
                                  const FactorFit& fit, int factors) {
    FactorPlotSource s;
    s.n = data.n;
    s.p = data.p;
    s.components = std::clamp(factors, 1, std::max(1, data.p));
    s.sheet_rows = std::max(0, data.last_row - 1);
    s.rows = data.rows;
    s.names = columns.XNames;
    s.response_name = columns.ZName;
    const tMatrix scores = ScoreMat(data, fit);
    const tMatrix loadings = LoadMat(fit);
    const tMatrix q = YLoadRow(fit);
    for (int k = 1; k <= s.components; ++k) {
        for (int i = 1; i <= data.n && i <= scores.Rows(); ++i) s.scores.push_back(scores.Get(i, k));
        for (int j = 1; j <= data.p; ++j) s.loadings.push_back(loadings.Get(j, k));
        s.response.push_back(q.Get(1, k));
    }
    return s;
}

void ShowScorePlot(Dialogs& dialogs, QWidget& owner, const FactorPlotSource& source) {
    const auto ab = ChooseComponents(
        dialogs, source.components, ScoreEntries(source.components),
        {ChooseText("Score vector 1", "Scorevektor 1"), ChooseText("Score vector 2", "Scorevektor 2")});
    if (!ab) return;
    OpenPairs(dialogs, owner, ScorePairs(source.scores, source.rows, ab->first, ab->second));
}

void ShowLoadingPlot(Dialogs& dialogs, QWidget& owner, const FactorPlotSource& source) {
    const auto ab = ChooseComponents(dialogs, source.components, LoadingEntries(source.components),
                                     {ChooseText("Loading factor 1", "Loadfaktor 1"),
                                      ChooseText("Loading factor 2", "Loadfaktor 2")});
    if (!ab) return;
    OpenPairs(dialogs, owner, LoadingPairs(source.loadings, source.p, source.names, ab->first, ab->second,
                                  source.response, source.response_name));
}

void ShowAllScores(Dialogs& dialogs, QWidget& owner, const FactorPlotSource& source) {
    // One bar per data row of the sheet, so a row the analysis left out keeps its place.
    std::vector<std::string> captions;
    std::vector<std::vector<Extended>> values;
    const auto n = static_cast<std::size_t>(source.n);
    for (int k = 0; k < source.components; ++k) {
        captions.push_back("Score " + std::to_string(k + 1));
        std::vector<Extended> column(static_cast<std::size_t>(source.sheet_rows),
                                     std::numeric_limits<Extended>::quiet_NaN());
        for (std::size_t i = 0; i < n && i < source.rows.size(); ++i) {
            const int at = source.rows[i] - 2;  // the first data row is grid row 2
            if (at >= 0 && at < source.sheet_rows) column[at] = source.scores[k * n + i];
        }
        values.push_back(std::move(column));
    }
    ShowBars(dialogs, owner, MakeBarChartData(std::move(captions), std::move(values)),
             ChooseText("Scores versus data points (oblects)", "Scores mot datapunkter (objekt)"));
}

void ShowAllLoadings(Dialogs& dialogs, QWidget& owner, const FactorPlotSource& source) {
    std::vector<std::string> captions;
    std::vector<std::vector<Extended>> values;
    const auto p = static_cast<std::size_t>(source.p);
    for (int k = 0; k < source.components; ++k) {
        captions.push_back("Loading " + std::to_string(k + 1));
        values.emplace_back(source.loadings.begin() + static_cast<std::ptrdiff_t>(k * p),
                            source.loadings.begin() + static_cast<std::ptrdiff_t>((k + 1) * p));
    }
    ShowBars(dialogs, owner, MakeBarChartData(std::move(captions), std::move(values)),
             ChooseText("Loadings versus factors (variables)",
                        "Loadings mot faktorer (variabler)"));
}

void FactorPlotMenus::setEnabled(bool enabled) {
    scores->setEnabled(enabled);
    loadings->setEnabled(enabled);
    for (QAction* a : {scores_two, scores_all, loadings_two, loadings_all}) a->setEnabled(enabled);
}

FactorPlotMenus AddFactorPlotMenus(QMenu& visa, Dialogs& dialogs, QWidget& owner,
                                   std::function<const FactorPlotSource*()> source) {
    FactorPlotMenus m;
    m.scores = visa.addMenu("Scores");
    m.scores_two = m.scores->addAction(WindowCaption("2-dimensionel", "2-dimensionellt"));
    m.scores_all = m.scores->addAction(WindowCaption("All", "Alla"));
    m.loadings = visa.addMenu("Loadings");
    m.loadings_two = m.loadings->addAction(WindowCaption("2-dimensionel", "2-Dimensionellt"));
    m.loadings_all = m.loadings->addAction(WindowCaption("All", "Alla"));
    using Show = void (*)(Dialogs&, QWidget&, const FactorPlotSource&);
    Dialogs* asker = &dialogs;
    QWidget* parent = &owner;
    const auto wire = [&](QAction* action, Show show) {
        QObject::connect(action, &QAction::triggered, parent, [asker, parent, source, show] {
            if (const FactorPlotSource* s = source()) show(*asker, *parent, *s);
        });
    };
    wire(m.scores_two, ShowScorePlot);
    wire(m.scores_all, ShowAllScores);
    wire(m.loadings_two, ShowLoadingPlot);
    wire(m.loadings_all, ShowAllLoadings);
    return m;
}

}  // namespace tabulon::ui
