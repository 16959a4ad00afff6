// ReportListWindow, the list window of the regression reports (LOD, LOQ, k and l, the
// parameters, ...): the report's caption and lines, with the shared copy and print commands.
#pragma once

#include "graphs/ui/result_window.h"
#include "regression/fitted_model.h"

class QPushButton;

namespace tabulon::ui {

class ReportListWindow : public TResultWindow {
    Q_OBJECT
public:
    ReportListWindow(Dialogs& dialogs, ReportText report, QWidget* parent = nullptr);

    const ReportText& report() const { return m_report; }

    // Kopiera > Text: the caption and the lines.
    std::string ResultText() override;
    std::string DisplayText() override;
    std::vector<std::string> PrintLines() override;
    void RenderGraph(Canvas&, int, int) override {}
    bool HasGraph() const override { return false; }

    QPushButton* OkButton = nullptr;

private:
    ReportText m_report;
};

}  // namespace tabulon::ui
