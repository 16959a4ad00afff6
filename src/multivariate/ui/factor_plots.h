// The score and loading plots that PCA, PCR and PLS share: two components against each other
// in the regression window, or every component as bars.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "numeric/extended.h"

class QAction;
class QMenu;
class QWidget;

namespace tabulon {
class Dialogs;
struct FactorFit;
struct ModelColumns;
struct ModelData;
}  // namespace tabulon

namespace tabulon::ui {


// What the plots draw from, whichever analysis made it.
struct FactorPlotSource {
    int n = 0;           // valid rows
    int p = 0;           // x-variables
    int components = 0;  // components or factors the user may choose from
    int sheet_rows = 0;  // data rows of the sheet copy: "Alla" of the scores has one bar each
    std::vector<int> rows;             // grid row of each valid row
    std::vector<std::string> names;    // the x-variables' names
    std::vector<Extended> scores;      // n per component, component k at [k * n]
    std::vector<Extended> loadings;    // p per component, component k at [k * p]
    std::vector<Extended> response;    // PCR and PLS: the response loading q of each factor
    std::string response_name;
};

// The plots of a PCR or PLS model with its first `factors` factors: scores of the valid rows,
// x-loadings, and the response loading q of each factor.
FactorPlotSource ModelFactorPlots(const ModelData& data, const ModelColumns& columns,
                                  const FactorFit& fit, int factors);

// "Scores" > "2-dimensionellt": two components chosen in the two-list window (none asked for
// with a single one), their pairs in the regression window; fewer than two rows are refused.
void ShowScorePlot(Dialogs& dialogs, QWidget& owner, const FactorPlotSource& source);
// "Loadings" > "2-Dimensionellt": the x-variables (and the response of a model) as points.
void ShowLoadingPlot(Dialogs& dialogs, QWidget& owner, const FactorPlotSource& source);
// "Scores" > "Alla" and "Loadings" > "Alla": every component as a bar series, in a window that
// leaves the one it came from usable.
void ShowAllScores(Dialogs& dialogs, QWidget& owner, const FactorPlotSource& source);
void ShowAllLoadings(Dialogs& dialogs, QWidget& owner, const FactorPlotSource& source);

// The "Scores" and "Loadings" submenus of a window's Visa menu, each with "2-dimensionellt"
// and "Alla", opening the plots of what `source` gives (nothing while it gives none).
struct FactorPlotMenus {
    QMenu* scores = nullptr;
    QAction* scores_two = nullptr;
    QAction* scores_all = nullptr;
    QMenu* loadings = nullptr;
    QAction* loadings_two = nullptr;
    QAction* loadings_all = nullptr;
    void setEnabled(bool enabled);
};
FactorPlotMenus AddFactorPlotMenus(QMenu& visa, Dialogs& dialogs, QWidget& owner,
                                   std::function<const FactorPlotSource*()> source);

}  // namespace tabulon::ui
