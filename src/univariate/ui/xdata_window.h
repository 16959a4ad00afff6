// XDataWindow, the x-Data window: statistics, confidence intervals at an adjustable level,
// one of three outlier tests, and the values under the fitted normal curve.
#pragma once

#include <string>
#include <vector>

#include "graphs/ui/result_window.h"
#include "univariate/descriptive.h"
#include "univariate/descriptive_sample.h"
#include "univariate/outlier_tests.h"

class QAction;
class QMenu;
class QPushButton;

namespace tabulon::ui {

class XDataWindow : public TResultWindow {
    Q_OBJECT
public:
    // `caption` is the chosen column's caption (or number); the window runs Grubbs' test on
    // opening when there are more than two values.
    XDataWindow(Dialogs& dialogs, DescriptiveSample sample, const std::string& caption,
                   QWidget* parent = nullptr);

    std::string ResultText() override;
    std::string DisplayText() override;
    std::vector<std::string> PrintLines() override;
    void RenderGraph(Canvas& canvas, int width, int height) override;
    bool HasGraph() const override { return true; }
    void Recompute() override;

    // Outliers menu.
    void Grubbstest1Click();
    void Gausstest1Click();
    void Dixonstest1Click();

    Extended ConfidenceLevel() const;
    OutlierTest currentTest() const { return m_outliers.test; }
    const OutlierOutcome& outliers() const { return m_outliers; }
    const ConfidenceIntervals& intervals() const { return m_intervals; }
    const DescriptiveSample& sample() const { return m_sample; }
    XDataReport report() const;

    QMenu* Outliers1 = nullptr;
    QAction* Grubbstest1 = nullptr;
    QAction* Gausstest1 = nullptr;
    QAction* Dixonstest1 = nullptr;
    QPushButton* ExitButton = nullptr;

private:
    void RunTest(OutlierTest test);

    DescriptiveSample m_sample;
    std::string m_caption;
    ConfidenceIntervals m_intervals;
    OutlierOutcome m_outliers;
};

}  // namespace tabulon::ui
