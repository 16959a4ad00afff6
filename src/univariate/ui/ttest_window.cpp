// The two-column t-test window.
#include "univariate/ui/ttest_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "graphs/ui/level_control.h"
#include "base/language.h"

namespace tabulon::ui {

namespace {
std::string Joined(const std::vector<std::string>& lines, char end) {
    std::string text;
    for (const std::string& line : lines) text += line + end;
    return text;
}
}  // namespace

TTeTest::TTeTest(Dialogs& dialogs, TTestSamples samples, QWidget* parent)
    : TResultWindow(dialogs, parent), m_samples(std::move(samples)) {
    setObjectName("TTeTest");
    setWindowTitle(QString::fromStdString(TTestCaption()));
    QMenu* berakna = MainMenu1->addMenu(WindowCaption("Calculate", "Beräkna"));
    Soklagsta1 = berakna->addAction(
        WindowCaption("Find lowest significant level", "Sök lägsta signifikanta nivå"));
    QMenu* visa = MainMenu1->addMenu(WindowCaption("View", "Visa"));
    Vantevardet1 = visa->addAction(
        WindowCaption("Density function of the true mean", "Väntevärdets täthetsfunktion"));
    Variabeln1 = visa->addAction(
        WindowCaption("Density function of the variable", "Variabelns täthetsfunktion"));
    Vantevardet1->setCheckable(true);
    Variabeln1->setCheckable(true);
    Vantevardet1->setChecked(true);
    connect(Soklagsta1, &QAction::triggered, this, [this] { Soklagsta1Click(); });
    connect(Vantevardet1, &QAction::triggered, this,
            [this] { SetGraphMode(TTestGraphMode::TrueMean); });
    connect(Variabeln1, &QAction::triggered, this,
            [this] { SetGraphMode(TTestGraphMode::Variable); });
    ExitButton = addExitButton();
    enableLevelControl(SignificanceLevelRules());
    Recompute();
}

void TTeTest::Recompute() {
    m_result = ComputeTTest(m_samples, levelControl()->level());
}

std::string TTeTest::ResultText() {
    return Joined(TTestResultLines(TTestCaption(), m_samples, m_result), '\r');
}

std::string TTeTest::DisplayText() {
    return Joined(TTestWindowLines(m_samples, m_result), '\n');
}

void TTeTest::RenderGraph(Canvas& canvas, int width, int height) {
    RenderTTestGraph(canvas, width, height, m_samples, m_result.level, m_mode);
}

void TTeTest::Soklagsta1Click() {
    levelControl()->setLevel(LowestSignificantLevel(m_result.u, m_result.df));
    Recompute();
    Refresh();
}

void TTeTest::SetGraphMode(TTestGraphMode mode) {
    m_mode = mode;
    Vantevardet1->setChecked(mode == TTestGraphMode::TrueMean);
    Variabeln1->setChecked(mode == TTestGraphMode::Variable);
    Refresh();
}

}  // namespace tabulon::ui
