// TTeTest: the two-column t-test window with its level control, the lowest-level search and
// the two graph modes.
#pragma once

#include "graphs/ui/result_window.h"
#include "univariate/ttest.h"

class QAction;
class QPushButton;

namespace tabulon::ui {

class TTeTest : public TResultWindow {
    Q_OBJECT
public:
    TTeTest(Dialogs& dialogs, TTestSamples samples, QWidget* parent = nullptr);

    std::string ResultText() override;
    std::string DisplayText() override;
    void RenderGraph(Canvas& canvas, int width, int height) override;
    void Recompute() override;

    const TTestSamples& samples() const { return m_samples; }
    const TTestResult& result() const { return m_result; }
    TTestGraphMode mode() const { return m_mode; }

    void Soklagsta1Click();                  // Beräkna > Sök lägsta signifikanta nivå
    void SetGraphMode(TTestGraphMode mode);  // Visa > the two density items

    QAction* Soklagsta1 = nullptr;
    QAction* Vantevardet1 = nullptr;
    QAction* Variabeln1 = nullptr;
    QPushButton* ExitButton = nullptr;

private:
    TTestSamples m_samples;
    TTestResult m_result;
    TTestGraphMode m_mode = TTestGraphMode::TrueMean;
};

}  // namespace tabulon::ui
