// n-Dim > PRESS, Optimera and PCA through the real menu with scripted dialogs: the windows they
// open, what they show, what they leave alone, and the plots and outlier listing of a PCA.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <cmath>

#include "graphs/ui/bar_chart_window.h"
#include "graphs/ui/level_control.h"
#include "multivariate/cross_validation.h"
#include "multivariate/model_data.h"
#include "multivariate/ui/mlr_window.h"
#include "multivariate/ui/pca_outlier_window.h"
#include "multivariate/ui/pca_window.h"
#include "numeric/number_text.h"
#include "regression/ui/two_dim_stat.h"
#include "support/main_window_fixture.h"

namespace tabulon::testing {
namespace {

using ui::PcaOutlierWindow;
using ui::PcaWindow;
using ui::TMLR2;

class CrossValidationWindows : public ResultWindowTest {
protected:
    using ResultWindowTest::fill;
    void fill(int column, const std::vector<Extended>& values, const std::string& caption) {
        grid().setCellText(column, 1, caption);
        for (std::size_t i = 0; i < values.size(); ++i) {
            grid().setCellText(column, 2 + static_cast<int>(i),
                               FormatGeneral(values[i], 10, 1, ','));
        }
    }
    std::string entry(int column) { return ModelColumnEntry(sheet(), column); }

    // Twelve rows of three x-variables and z = 2·x1 − x2 (+ `noise` · a fixed wiggle).
    void fillModel(Extended noise, int rows = 12) {
        std::vector<Extended> x1, x2, x3, z;
        for (int i = 0; i < rows; ++i) {
            x1.push_back(std::fmod(7.0L * i + 3, 11));
            x2.push_back(std::fmod(5.0L * i + 1, 13));
            x3.push_back(std::fmod(3.0L * i + 2, 7));
            z.push_back(2 * x1.back() - x2.back() + noise * std::sin(1.7L * i));
        }
        fill(2, x1, "x1");
        fill(3, x2, "x2");
        fill(4, x3, "x3");
        fill(5, z, "z");
    }
    void chooseModel() {
        dialogs.modelColumns(std::pair{entry(5), std::vector{entry(2), entry(3), entry(4)}});
    }

    template <typename Window>
    Window* opened(QObject* in = nullptr) {
        const auto all = (in ? in : window.get())->findChildren<Window*>();
        return all.isEmpty() ? nullptr : all.back();
    }

    // TABULON_WINDOW_PICTURES=<folder> keeps a picture of each window for a look by eye.
    static void picture(QWidget* w, const char* name) {
        if (const QByteArray folder = qgetenv("TABULON_WINDOW_PICTURES"); !folder.isEmpty()) {
            QApplication::processEvents();
            w->grab().save(QString::fromUtf8(folder) + "/" + name + ".png");
        }
    }
};

TEST_F(CrossValidationWindows, PressOfMlrOnAPlaneShowsZeroResidualsAndKeepsNoModel) {
    fillModel(0);
    chooseModel();
    window->Execute("ndim.press.mlr");
    QApplication::processEvents();
    TMLR2* press = opened<TMLR2>();
    ASSERT_NE(press, nullptr);
    picture(press, "press-mlr");
    EXPECT_EQ(press->windowTitle().toStdString(), "PRESS: Multipel Linear Regression");
    EXPECT_EQ(press->kind(), ModelResultKind::CrossValidation);
    EXPECT_NEAR(press->fit().SSRes, 0, 1e-12);
    const std::string text = press->DisplayText();
    EXPECT_NE(text.find("RMS ="), std::string::npos) << text;
    EXPECT_EQ(text.find("R²"), std::string::npos) << text;
    // No equation and no level buttons: a cross-validation is no model.
    EXPECT_FALSE(press->ListBox1->isVisibleTo(press));
    EXPECT_FALSE(press->LevelButtons[0]->isVisibleTo(press));
    press->Visa1Popup();
    EXPECT_FALSE(press->Ekvationen1->isEnabled());
    EXPECT_FALSE(press->Plots.scores->isEnabled());
    EXPECT_EQ(press->results().prediction_caption, "z-predikt");
    EXPECT_FALSE(window->state().ModelPresent);
    ASSERT_EQ(press->StringGrid1->rowCount(), 12);
}

TEST_F(CrossValidationWindows, RefusalsAndCancelsOpenNothingAndChangeNothing) {
    // Four rows of three x-variables: every left-out MLR fit has too few rows.
    fillModel(0.3L, 4);
    chooseModel();
    window->Execute("ndim.press.mlr");
    QApplication::processEvents();
    EXPECT_EQ(opened<TMLR2>(), nullptr);
    ASSERT_FALSE(dialogs.asked().empty());
    EXPECT_EQ(dialogs.asked().back().text, "För få datapunkter..");

    // A factor count that is not a whole number is said to be so.
    fillModel(0.3L);
    chooseModel();
    dialogs.input("två");
    window->Execute("ndim.press.pls");
    QApplication::processEvents();
    EXPECT_EQ(opened<TMLR2>(), nullptr);

    // Cancel in the progress window: no window, no model, the sheet as it was.
    const Worksheet filled = sheet();
    for (const char* command : {"ndim.press.pls", "ndim.optimera.pcr"}) {
        chooseModel();
        if (std::string(command) == "ndim.press.pls") dialogs.input("2");
        QTimer::singleShot(0, [] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* p = qobject_cast<QProgressDialog*>(w)) p->cancel();
            }
        });
        window->Execute(command);
        QApplication::processEvents();
        EXPECT_EQ(opened<TMLR2>(), nullptr) << command;
        EXPECT_FALSE(window->state().ModelPresent) << command;
        EXPECT_TRUE(sheet() == filled) << command;
    }
}

TEST_F(CrossValidationWindows, PressOfPlsAsksTheFactorsAndNamesThemInTheCaption) {
    fillModel(0.3L);
    chooseModel();
    dialogs.input("2");
    window->Execute("ndim.press.pls");
    QApplication::processEvents();
    TMLR2* press = opened<TMLR2>();
    ASSERT_NE(press, nullptr);
    EXPECT_EQ(press->windowTitle().toStdString(), "PRESS: Partial Least Squares: 2 faktorer");
    EXPECT_EQ(press->fit().factors, 2);
    EXPECT_GT(press->fit().SSRes, 0);
    EXPECT_EQ(press->results().prediction_caption, "z-predict");
    // What the window copies is what the CLI prints: the counts and the RMS, no equation.
    const std::string copied = press->ResultText();
    EXPECT_NE(copied.find("RMS = "), std::string::npos) << copied;
    EXPECT_EQ(copied.find("Linjärt samband"), std::string::npos) << copied;
}

TEST_F(CrossValidationWindows, OptimeraFitsTheChosenCountAndKeepsItAsTheModel) {
    fillModel(0.3L);
    const ModelColumnsRead read =
        ReadModelColumns(sheet(), entry(5), {entry(2), entry(3), entry(4)});
    ASSERT_TRUE(read.columns);
    const Optimisation expected =
        OptimiseFactors(ModelMethod::PLS, LoadModelData(sheet(), *read.columns, ','));
    ASSERT_EQ(expected.status, CvStatus::Done);
    chooseModel();
    window->Execute("ndim.optimera.pls");
    QApplication::processEvents();
    TMLR2* opt = opened<TMLR2>();
    ASSERT_NE(opt, nullptr);
    picture(opt, "optimera-pls");
    EXPECT_EQ(opt->windowTitle().toStdString(),
              "OPT: Partial Least Squares: " + std::to_string(expected.factors) + " faktorer");
    EXPECT_EQ(opt->fit().factors, expected.factors);
    EXPECT_EQ(opt->kind(), ModelResultKind::Fit);
    EXPECT_TRUE(window->state().ModelPresent);
    EXPECT_EQ(window->state().CurrentModel.Method, "PLS");

    // Its scores and loadings plot like those of any PLS model.
    opt->Visa1Popup();
    EXPECT_TRUE(opt->Plots.scores->isEnabled());
    if (expected.factors > 1) dialogs.chooseTwo(std::pair{"Score 1", "Score 2"});
    opt->Plots.scores_two->trigger();
    auto* scores = opened<ui::TTwoDimStat>(opt);
    ASSERT_NE(scores, nullptr);
    EXPECT_EQ(scores->data().size(), 12u);
    scores->close();
    if (expected.factors > 1) dialogs.chooseTwo(std::pair{"Faktor 1", "Faktor 2"});
    opt->Plots.loadings_two->trigger();
    auto* loadings = opened<ui::TTwoDimStat>(opt);
    ASSERT_NE(loadings, nullptr);
    // Three x-variables and the response.
    EXPECT_EQ(loadings->data().size(), 4u);
}

// x1 and x2 move together exactly; x3 on its own.
class PcaWindowTest : public CrossValidationWindows {
protected:
    void SetUp() override {
        CrossValidationWindows::SetUp();
        std::vector<Extended> a, b, c;
        for (int i = 0; i < 10; ++i) {
            a.push_back(i);
            b.push_back(3 * i + 1);
            c.push_back(std::fmod(7.0L * i + 2, 5) + (i == 6 ? 9 : 0));
        }
        fill(2, a, "a");
        fill(3, b, "b");
        fill(4, c, "c");
        grid().setCellText(4, 5, "");  // a row with an empty chosen cell takes no part
    }
    PcaWindow* runPca(std::vector<std::string> columns) {
        dialogs.chooseFromList(std::move(columns));
        window->Execute("ndim.pca");
        QApplication::processEvents();
        return opened<PcaWindow>();
    }
};

TEST_F(PcaWindowTest, TheTableShowsEigenvaluesSharesAndLoadings) {
    PcaWindow* pca = runPca({entry(2), entry(3), entry(4)});
    ASSERT_NE(pca, nullptr);
    picture(pca, "pca");
    // Every data column is offered, empty or not.
    ASSERT_FALSE(dialogs.asked().empty());
    EXPECT_EQ(dialogs.asked().front().title, "Välj kolumner");
    EXPECT_EQ(pca->windowTitle().toStdString(), "PCA");
    const PcaResult& r = pca->pca();
    EXPECT_EQ(r.n, 9);
    EXPECT_EQ(r.p, 3);
    Extended total = 0;
    for (Extended l : r.lambda) total += l;
    EXPECT_NEAR(total, (r.n - 1) * r.p, 1e-9);
    QTableWidget* t = pca->StringGrid1;
    ASSERT_EQ(t->rowCount(), 4);
    ASSERT_EQ(t->columnCount(), 6);
    EXPECT_EQ(t->item(0, 1)->text().toStdString(), "Egenvärde");
    EXPECT_EQ(t->item(0, 3)->text().toStdString(), entry(2));
    // Shares: each component's squared loadings make 100 %.
    pca->Variablernai1Click();
    EXPECT_TRUE(pca->showsShares());
    Extended sum = 0;
    for (int c = 3; c < 6; ++c) {
        std::string cell = t->item(1, c)->text().toStdString();
        ASSERT_EQ(cell.back(), '%');
        cell.pop_back();
        sum += StrToNumber(cell, ',');
    }
    EXPECT_NEAR(sum, 100, 0.05);
    const std::string copied = pca->ResultText();
    EXPECT_NE(copied.find("Antal datapunkter = 9"), std::string::npos) << copied;
    EXPECT_FALSE(pca->Lggtilldatafltet1->isEnabled());
}

TEST_F(PcaWindowTest, TwoCorrelatedColumnsPutTheWholeVarianceInTheFirstComponent) {
    PcaWindow* pca = runPca({entry(2), entry(3)});
    ASSERT_NE(pca, nullptr);
    EXPECT_EQ(pca->StringGrid1->item(1, 2)->text().toStdString(), "100");
    EXPECT_NEAR(pca->pca().lambda[1], 0, 1e-9);
}

TEST_F(PcaWindowTest, ScoreAndLoadingPlotsOpenOnTheChosenComponents) {
    PcaWindow* pca = runPca({entry(2), entry(3), entry(4)});
    ASSERT_NE(pca, nullptr);
    dialogs.chooseTwo(std::pair{"Score 1", "Score 3"});
    pca->Plots.scores_two->trigger();
    auto* scores = opened<ui::TTwoDimStat>(pca);
    ASSERT_NE(scores, nullptr);
    ASSERT_EQ(scores->data().size(), 9u);
    EXPECT_NEAR(static_cast<double>(scores->data().x[0]), static_cast<double>(pca->pca().Score(0, 0)),
                1e-6);
    EXPECT_NEAR(static_cast<double>(scores->data().y[0]), static_cast<double>(pca->pca().Score(0, 2)),
                1e-6);
    scores->close();
    // Every score as bars, one bar place per data row, the empty row among them.
    pca->Plots.scores_all->trigger();
    auto* bars = opened<ui::BarChartWindow>(pca);
    ASSERT_NE(bars, nullptr);
    picture(bars, "pca-scores-all");
    EXPECT_EQ(bars->windowTitle().toStdString(), "Scores mot datapunkter (objekt)");
    bars->close();
    QApplication::processEvents();
    pca->Plots.loadings_all->trigger();
    bars = opened<ui::BarChartWindow>(pca);
    ASSERT_NE(bars, nullptr);
    EXPECT_EQ(bars->windowTitle().toStdString(), "Loadings mot faktorer (variabler)");
}

TEST_F(PcaWindowTest, OutliersStepDownTheComponentsAndTheLevelStopsAtItsLimits) {
    PcaWindow* pca = runPca({entry(2), entry(3), entry(4)});
    ASSERT_NE(pca, nullptr);
    // Three components would leave nothing; two leave the residual of c, one a.
    dialogs.input("3");
    pca->Outliers1Click();
    PcaOutlierWindow* out = opened<PcaOutlierWindow>(pca);
    ASSERT_NE(out, nullptr);
    picture(out, "pca-outliers");
    EXPECT_EQ(out->windowTitle().toStdString(), "Outlieranalys");
    const OutlierListing& l = out->listing();
    EXPECT_LT(l.components, 3);
    EXPECT_EQ(l.df1, 3 - l.components);
    EXPECT_EQ(out->StringGrid1->rowCount(), 9);
    EXPECT_EQ(out->CountLabels[1]->text().toStdString(), "Antal datapunkter: 9");
    EXPECT_EQ(out->CriticalLabel->text().toStdString().rfind("F(5%,", 0), 0u);
    for (int i = 0; i < 40; ++i) out->Levels->press(LevelArrow::LargeUp);
    EXPECT_EQ(out->listing().level, 0.2L);
    EXPECT_EQ(out->CriticalLabel->text().toStdString().rfind("F(20%,", 0), 0u);
    for (int i = 0; i < 400; ++i) out->Levels->press(LevelArrow::SmallDown);
    EXPECT_NEAR(static_cast<double>(out->listing().level), 0.001, 1e-12);
    // A lower level raises the critical value, so no more rows are outliers.
    int at_least = 0;
    for (bool o : out->listing().outlier) at_least += o;
    out->Levels->chooseFixed(0);
    int at_most = 0;
    for (bool o : out->listing().outlier) at_most += o;
    EXPECT_GE(at_most, at_least);
}

}  // namespace
}  // namespace tabulon::testing
