// The normal probability plot window.
#include "univariate/ui/normal_plot_window.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>

#include "graphs/ui/paint_box.h"

namespace tabulon::ui {

TNormTestDistribution::TNormTestDistribution(Dialogs& dialogs, NormalPlotData plot,
                                             const std::string& caption, QWidget* parent)
    : TResultWindow(dialogs, parent), m_plot(std::move(plot)) {
    setObjectName("NormTestDistribution");
    setWindowTitle(QString::fromStdString(caption));
    // The plot fills the window: no text pane, and Kopiera and Skriv ut act on the plot
    // directly instead of offering Text and Grafik.
    Memo1->hide();
    Kopiera1->menuAction()->setVisible(false);
    Skrivut1->menuAction()->setVisible(false);
    Kopiera2 = new QAction(WindowCaption("Copy", "Kopiera"), this);
    Skrivut2 = new QAction(WindowCaption("Print", "Skriv ut"), this);
    Kopiera2->setObjectName("Kopiera2");
    Skrivut2->setObjectName("Skrivut2");
    Arkiv1->insertAction(Sparagrafik1, Kopiera2);
    Arkiv1->insertAction(Sparagrafik1, Skrivut2);
    connect(Kopiera2, &QAction::triggered, this, [this] { Grafik1Click(); });
    connect(Skrivut2, &QAction::triggered, this, [this] { Grafik2Click(); });
    resize(640, 520);
}

void TNormTestDistribution::RenderGraph(Canvas& canvas, int width, int height) {
    RenderNormalPlot(canvas, width, height, m_plot, ScaledPixels(4, width),
                     MeasurerFor(canvas, width, height));
}

}  // namespace tabulon::ui
