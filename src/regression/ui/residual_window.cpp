// The residual plot of the regression window.
#include "regression/ui/residual_window.h"

#include <QPlainTextEdit>
#include <cmath>
#include <QPushButton>

#include "base/language.h"
#include "regression/regression_texts.h"

namespace tabulon::ui {

ResidualWindow::ResidualWindow(Dialogs& dialogs, const FittedModel& model, int point_size,
                               QWidget* parent)
    : TResultWindow(dialogs, parent), m_report(ResidualListReport(model)) {
    setObjectName("ResidualWindow");
    setWindowTitle(WindowCaption("Residuals", "Residualer"));
    const RegressionData& d = model.data();
    auto residuals = std::make_shared<RegressionData>();
    const std::vector<Extended> e = model.Residuals();
    // Only the points the fit used have a residual to draw.
    for (std::size_t i = 0; i < d.size(); ++i) {
        if (!std::isfinite(e[i])) continue;
        residuals->x.push_back(d.x[i]);
        residuals->y.push_back(e[i]);
        residuals->XTexts.push_back(d.XTexts[i]);
        residuals->RowNumbers.push_back(d.RowNumbers[i]);
        residuals->RowLabels.push_back(d.RowLabels[i]);
        residuals->rows.push_back(d.rows[i]);
    }
    residuals->XTitle = d.XTitle;
    residuals->YTitle = ChooseText("Residual", "Residual");
    m_residuals = std::move(residuals);
    m_view.PointSize = point_size;
    m_view.ShowBands = false;
    FitRangesToData(m_view, *m_residuals, nullptr, 0, 0);
    // The zero line is what the eye measures the residuals against, so it is always in view.
    IncludeZero(m_view, false, true);
    ExitButton = addExitButton();
    // The list is narrow; the plot gets the width, so that its markers keep their size
    // (below 700 pixels they shrink to a dot).
    Memo1->setMaximumWidth(280);
    resize(1100, 620);
    Refresh();
}

std::string ResidualWindow::ResultText() {
    std::string text = m_report.caption;
    for (const std::string& line : m_report.lines) text += '\r' + line;
    return text + '\r';
}

std::string ResidualWindow::DisplayText() {
    std::string text;
    for (const std::string& line : m_report.lines) text += line + '\n';
    return text;
}

void ResidualWindow::RenderGraph(Canvas& canvas, int width, int height) {
    const TextMeasurer measure = MeasurerFor(canvas, width, height);
    const RegressionGraphLayout layout =
        RenderRegressionGraph(canvas, width, height, *m_residuals, nullptr, m_view, &measure);
    if (!layout.valid) return;
    const int y = YToPixel(layout.transform, 0);
    if (y < 0 || y > layout.bottom) return;
    canvas.SetPen({colors::kBlack, 1, PenStyle::Solid});
    canvas.DrawLine({layout.left, y}, {width, y});
}

}  // namespace tabulon::ui
