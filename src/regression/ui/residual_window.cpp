// The residual plot of the regression window.
#include "regression/ui/residual_window.h"

#include <QPlainTextEdit>
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
    residuals->x = d.x;
    residuals->y = model.Residuals();
    residuals->XTexts = d.XTexts;
    residuals->RowNumbers = d.RowNumbers;
    residuals->RowLabels = d.RowLabels;
    residuals->rows = d.rows;
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
