// What the n-Dim commands share: the column choice and reading of a model's data, the writer
// of its result columns, and the fit of a factor model with its plots.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "multivariate/factor_model.h"
#include "multivariate/model_data.h"
#include "multivariate/ui/mlr_window.h"

namespace tabulon::ui {

class MainWindow;

// The z- and x-variables chosen in the two-list window and their valid rows; nullopt when the
// sheet has too few columns, the user cancelled, or the columns cannot be used (said why).
struct ChosenModelData {
    ModelColumns columns;
    ModelData data;
};
std::optional<ChosenModelData> ChooseModelData(MainWindow& form);

// "Lägg till datafältet": the residual and prediction columns into the worksheet, undoably.
ModelColumnWriter ModelWriter(MainWindow& form);

// A PCR or PLS model with the count `choose` gives for the extracted factors (limited to what
// was extracted), and its plots; nullopt when `choose` gives none (the user cancelled) or, with
// the reason shown, when no factor could be extracted.
struct FactorModel {
    ModelFit fit;
    FactorPlotSource plots;
};
std::optional<FactorModel> FitFactorModel(
    MainWindow& form, ModelMethod method, const ChosenModelData& chosen,
    const std::function<std::optional<int>(const FactorFit&)>& choose);

// The model kept as the current model and shown in its window.
void ShowModelWindow(MainWindow& form, ModelWindowSetup setup, bool keep_as_current);

}  // namespace tabulon::ui
