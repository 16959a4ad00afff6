// TNormTestDistribution: the normal probability plot window of Test av normalfördelning.
#pragma once

#include <string>

#include "graphs/ui/result_window.h"
#include "univariate/normal_plot.h"

class QAction;

namespace tabulon::ui {

class TNormTestDistribution : public TResultWindow {
    Q_OBJECT
public:
    // `caption` is the column's label ("3: Vikt").
    TNormTestDistribution(Dialogs& dialogs, NormalPlotData plot, const std::string& caption,
                          QWidget* parent = nullptr);

    // The window has no text; its Arkiv menu copies and prints the plot itself.
    std::string ResultText() override { return {}; }
    void RenderGraph(Canvas& canvas, int width, int height) override;

    const NormalPlotData& plot() const { return m_plot; }

    QAction* Kopiera2 = nullptr;  // Arkiv > Kopiera: the plot as a picture
    QAction* Skrivut2 = nullptr;  // Arkiv > Skriv ut: the plot on one page

private:
    NormalPlotData m_plot;
};

}  // namespace tabulon::ui
