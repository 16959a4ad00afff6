// TKTest: the test of a column's mean against a typed constant, with its level control and
// the "Ny konstant" button.
#pragma once

#include "graphs/ui/result_window.h"
#include "univariate/ktest.h"

class QPushButton;

namespace tabulon::ui {

class TKTest : public TResultWindow {
    Q_OBJECT
public:
    TKTest(Dialogs& dialogs, KTestSample sample, QWidget* parent = nullptr);

    // The constant kept between uses of the window; a Cancel keeps it.
    static double& LastConstant();

    // Asks "Konstantens värde": OK takes the answer (a text that is not a number raises
    // ConversionError), Cancel keeps the constant; then recomputes.
    void AskConstant();
    void NyKonstantClick();  // asks again, reporting an unreadable answer

    std::string ResultText() override;
    std::string DisplayText() override;
    void RenderGraph(Canvas& canvas, int width, int height) override;
    void Recompute() override;

    const KTestResult& result() const { return m_result; }

    QPushButton* NyKonstant = nullptr;
    QPushButton* ExitButton = nullptr;

private:
    KTestSample m_sample;
    KTestResult m_result;
};

}  // namespace tabulon::ui
