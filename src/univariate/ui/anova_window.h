// AnovaWindow: the one-way analysis of variance over the chosen columns, its table of groups,
// mean squares, F-test at an adjustable level, the graph of the groups' sampling
// distributions and, when the means differ, the Bonferroni comparisons (BonferroniWindow).
#pragma once

#include <vector>

#include "graphs/ui/result_window.h"
#include "univariate/anova.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tabulon::ui {

class BonferroniWindow;

class AnovaWindow : public TResultWindow {
    Q_OBJECT
public:
    AnovaWindow(Dialogs& dialogs, std::vector<AnovaGroup> groups, QWidget* parent = nullptr);

    std::string ResultText() override;
    void RenderGraph(Canvas& canvas, int width, int height) override;
    void Recompute() override;

    const std::vector<AnovaGroup>& groups() const { return m_groups; }
    const AnovaResult& result() const { return m_result; }

    // The Bonferroni button: the pairwise comparisons in a window of their own.
    BonferroniWindow* BonferroniClick();

    QTableWidget* GroupTable = nullptr;
    QLineEdit* MellanEdit = nullptr;  // MSB
    QLineEdit* InomEdit = nullptr;    // MSW
    QLabel* FLabel = nullptr;
    QLabel* VerdictLabel = nullptr;
    QPushButton* BonferroniButton = nullptr;

private:
    std::vector<AnovaGroup> m_groups;
    AnovaResult m_result;
};

}  // namespace tabulon::ui
