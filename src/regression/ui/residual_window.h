// ResidualWindow (Residualer > Visa grafiskt): the residuals y − ŷ against x with the zero
// line, and their list as its text.
#pragma once

#include <memory>

#include "graphs/ui/result_window.h"
#include "regression/fitted_model.h"
#include "regression/regression_graph.h"

class QPushButton;

namespace tabulon::ui {

class ResidualWindow : public TResultWindow {
    Q_OBJECT
public:
    ResidualWindow(Dialogs& dialogs, const FittedModel& model, int point_size,
                   QWidget* parent = nullptr);

    const RegressionData& residuals() const { return *m_residuals; }

    std::string ResultText() override;
    std::string DisplayText() override;
    void RenderGraph(Canvas& canvas, int width, int height) override;

    QPushButton* ExitButton = nullptr;

private:
    std::shared_ptr<const RegressionData> m_residuals;  // (x, y − ŷ) per point
    ReportText m_report;
    RegressionViewOptions m_view;
};

}  // namespace tabulon::ui
