// The x-Data window.
#include "univariate/ui/xdata_window.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "graphs/level_steps.h"
#include "graphs/ui/level_control.h"
#include "univariate/descriptive_graph.h"

namespace tabulon::ui {

XDataWindow::XDataWindow(Dialogs& dialogs, DescriptiveSample sample,
                               const std::string& caption, QWidget* parent)
    : TResultWindow(dialogs, parent), m_sample(std::move(sample)), m_caption(caption) {
    setObjectName("BtnBottomDlg4");
    setWindowTitle(QString::fromStdString(caption));

    Outliers1 = MainMenu1->addMenu("Outliers");
    Outliers1->setObjectName("Outliers1");
    Grubbstest1 = Outliers1->addAction("Grubb's test");
    Gausstest1 = Outliers1->addAction("Gauss test");
    Dixonstest1 = Outliers1->addAction("Dixon's Q-test");
    Grubbstest1->setObjectName("Grubbstest1");
    Gausstest1->setObjectName("Gausstest1");
    Dixonstest1->setObjectName("Dixonstest1");
    connect(Grubbstest1, &QAction::triggered, this, [this] { Grubbstest1Click(); });
    connect(Gausstest1, &QAction::triggered, this, [this] { Gausstest1Click(); });
    connect(Dixonstest1, &QAction::triggered, this, [this] { Dixonstest1Click(); });

    enableLevelControl(ConfidenceLevelRules());
    levelControl()->setLevel(kInitialConfidenceLevel);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    ExitButton = makeExitButton();
    row->addWidget(ExitButton);
    bottomLayout()->addLayout(row);

    Recompute();
    m_outliers.test = OutlierTest::Grubb;
    if (m_sample.Count() > 2) m_outliers = RunOutlierTest(OutlierTest::Grubb, m_sample);
}

Extended XDataWindow::ConfidenceLevel() const {
    return levelControl()->level();
}

void XDataWindow::Recompute() {
    m_intervals = ComputeConfidenceIntervals(m_sample.statistics, ConfidenceLevel());
}

void XDataWindow::RunTest(OutlierTest test) {
    m_outliers = RunOutlierTest(test, m_sample);
    Refresh();
}

void XDataWindow::Grubbstest1Click() {
    // Grubbs' statistic needs three values; with fewer the choice is ignored.
    if (m_sample.Count() < 3) return;
    RunTest(OutlierTest::Grubb);
}

void XDataWindow::Gausstest1Click() {
    RunTest(OutlierTest::Gauss);
}

void XDataWindow::Dixonstest1Click() {
    RunTest(OutlierTest::Dixon);
}

XDataReport XDataWindow::report() const {
    return MakeXDataReport(m_caption, m_sample.statistics, m_intervals, m_outliers);
}

std::string XDataWindow::ResultText() {
    return XDataClipboardText(report());
}

std::string XDataWindow::DisplayText() {
    std::string text;
    for (const std::string& line : XDataWindowLines(report())) text += line + "\n";
    return text;
}

std::vector<std::string> XDataWindow::PrintLines() {
    return XDataPrintLines(report());
}

void XDataWindow::RenderGraph(Canvas& canvas, int width, int height) {
    RenderXDataGraph(canvas, width, height, m_sample, m_intervals,
                     MeasurerFor(canvas, width, height));
}

}  // namespace tabulon::ui
