// n-Dim through the real menu with scripted dialogs: MLR, PLS and PCR in their window, the
// result columns written and taken back, and the current model saved, read, shown and applied.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "graphs/ui/paint_box.h"
#include "multivariate/model_data.h"
#include "multivariate/ui/mlr_window.h"
#include "multivariate/ui/model_list_window.h"
#include "numeric/number_text.h"
#include "regression/ui/two_dim_stat.h"
#include "support/main_window_fixture.h"
#include "univariate/ui/xdata_window.h"

namespace tabulon::testing {
namespace {

using ui::TListRegCoefficients;
using ui::TMLR2;

// z = 1 + 2·x1 − 3·x2 exactly, on x-values that are not collinear.
const std::vector<std::string> kX1 = {"1", "2", "3", "4", "5", "6"};
const std::vector<std::string> kX2 = {"2", "1", "4", "3", "6", "2"};
const std::vector<std::string> kZ = {"-3", "2", "-5", "0", "-7", "7"};  // worked by hand

class ModelWindow : public ResultWindowTest {
protected:
    void SetUp() override {
        ResultWindowTest::SetUp();
        fill(2, kX1, "x1");
        fill(3, kX2, "x2");
        fill(4, kZ, "z");
    }
    std::string entry(int column) { return ModelColumnEntry(sheet(), column); }

    // Fits z on x1 and x2 from the menu; PCR and PLS answer the factor question with `factors`
    // (by OK, or by Cancel when `ok` is false).
    TMLR2* run(const std::string& method, const std::string& factors = "", bool ok = true) {
        dialogs.modelColumns(std::pair{entry(4), std::vector{entry(2), entry(3)}});
        if (!factors.empty()) dialogs.factorCount(factors, ok);
        window->Execute("ndim.skapa_modell." + method);
        QApplication::processEvents();
        return opened<TMLR2>();
    }

    template <typename Window>
    Window* opened() {
        const auto all = window->findChildren<Window*>();
        return all.isEmpty() ? nullptr : all.back();
    }

    static std::vector<std::string> items(const QListWidget* list) {
        std::vector<std::string> out;
        for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->text().toStdString());
        return out;
    }
    static std::vector<std::array<std::string, 2>> cells(const QTableWidget* table) {
        std::vector<std::array<std::string, 2>> out;
        for (int r = 0; r < table->rowCount(); ++r) {
            out.push_back(
                {table->item(r, 0)->text().toStdString(), table->item(r, 1)->text().toStdString()});
        }
        return out;
    }
    std::vector<std::string> exactEquation() {
        return {entry(4) + " =", "1", "+2*" + entry(2), "-3*" + entry(3)};
    }
};

TEST_F(ModelWindow, MlrOnAnExactPlaneShowsItsEquationAndAPerfectFit) {
    window->MenuOpened("ndim");
    EXPECT_FALSE(window->action("ndim.visa_modell")->isEnabled());
    TMLR2* mlr = run("mlr");
    ASSERT_NE(mlr, nullptr);
    EXPECT_EQ(mlr->windowTitle().toStdString(), "MLR: Multipel Linear Regression");
    EXPECT_EQ(items(mlr->ListBox1), exactEquation());
    const std::string text = mlr->DisplayText();
    EXPECT_NE(text.find("R² = 1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Antal datapunkter = 6"), std::string::npos) << text;
    EXPECT_TRUE(mlr->LevelButtons[4]->isVisibleTo(mlr));
    EXPECT_TRUE(mlr->Verdict->isVisibleTo(mlr));
    mlr->LevelButtons[4]->click();
    EXPECT_EQ(mlr->SigLevel(), 0.01L);
    // Six rows in the table, each with z, ẑ and a residual of (near) zero.
    ASSERT_EQ(mlr->StringGrid1->rowCount(), 6);
    EXPECT_EQ(mlr->StringGrid1->item(5, 1)->text().toStdString(), "7");
    EXPECT_NEAR(StrToNumber(mlr->StringGrid1->item(5, 2)->text().toStdString(), ','), 7, 1e-9);
    // The residual and prediction views belong to the factor models.
    mlr->Visa1Popup();
    EXPECT_FALSE(mlr->Prediktionen1->isEnabled());
    EXPECT_TRUE(mlr->Ekvationen1->isEnabled());
    // The plots themselves still open the prediction plot on a double click.
    QTest::mouseDClick(mlr->PaintBox1, Qt::LeftButton);
    auto* prediction = mlr->findChild<ui::TTwoDimStat*>();
    ASSERT_NE(prediction, nullptr);
    EXPECT_EQ(prediction->data().size(), 6u);
    EXPECT_TRUE(window->state().ModelPresent);
    EXPECT_EQ(window->state().CurrentModel.Method, "MLR");
    window->MenuOpened("ndim");
    EXPECT_TRUE(window->action("ndim.visa_modell")->isEnabled());
}

TEST_F(ModelWindow, TwoColumnsAreTooFewToAskAnything) {
    grid().setCellText(4, 1, "");
    for (int r = 2; r < 8; ++r) grid().setCellText(4, r, "");
    window->Execute("ndim.skapa_modell.mlr");
    EXPECT_TRUE(dialogs.asked().empty());
}

TEST_F(ModelWindow, MlrRefusesTwinColumnsWithTheDeterminantMessage) {
    fill(3, kX1, "x2");
    EXPECT_EQ(run("mlr"), nullptr);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0], "Operationen går ej att utföra. Determinanten är noll");
    EXPECT_FALSE(window->state().ModelPresent);
}

// All p factors reproduce MLR; a count above p is used as p but shown as entered.
TEST_F(ModelWindow, PlsAndPcrWithEveryFactorReproduceTheMlrEquation) {
    for (const std::string method : {"pls", "pcr"}) {
        SCOPED_TRACE(method);
        TMLR2* fit = run(method, "5");
        ASSERT_NE(fit, nullptr);
        const std::string key = method == "pls" ? "PLS" : "PCR";
        EXPECT_EQ(dialogs.asked().back().title, key + ": Välj antal faktorer");
        EXPECT_EQ(fit->windowTitle().toStdString().substr(0, 4), key + ":");
        EXPECT_EQ(fit->windowTitle().toStdString().substr(fit->windowTitle().size() - 12),
                  ": 5 faktorer");
        EXPECT_EQ(fit->fit().factors, 2);
        EXPECT_FALSE(fit->Verdict->isVisibleTo(fit));  // the F test is MLR's
        EXPECT_EQ(items(fit->ListBox1), exactEquation());
        fit->Visa1Popup();
        ASSERT_TRUE(fit->Variablernai1->isEnabled());
        fit->Variablernai1->trigger();
        EXPECT_EQ(fit->ListBox1->count(), 2);
        EXPECT_FALSE(fit->EquationLabel->isVisibleTo(fit));
        fit->close();
        QApplication::processEvents();
    }
}

TEST_F(ModelWindow, CancelledFactorQuestionShowsAndKeepsNothing) {
    EXPECT_EQ(run("pls", "2", false), nullptr);
    EXPECT_FALSE(window->state().ModelPresent);
    EXPECT_TRUE(window->state().CurrentModel.NoModel);
}

TEST_F(ModelWindow, EnglishMenusKeepTheSwedishModeKey) {
    window->Execute("language.english");
    TMLR2* mlr = run("mlr");
    ASSERT_NE(mlr, nullptr);
    EXPECT_EQ(mlr->windowTitle().toStdString(), "MLR: Multipel Linear Regression");
    EXPECT_EQ(mlr->Visa1->title(), "Show");
    EXPECT_EQ(mlr->Lggtilldatafltet1->text(), "Add to data board");
    EXPECT_EQ(mlr->EquationLabel->text(), "Linear relationship:");
}

TEST_F(ModelWindow, PlsWithOneFactorAndItsPredictionWindow) {
    TMLR2* pls = run("pls", "1");
    ASSERT_NE(pls, nullptr);
    // The table offered: k = 0 leaves all of the response (100 in two significant digits),
    // p = 2 leaves nothing of an exact plane.
    const std::string table = dialogs.asked().back().text;
    EXPECT_EQ(table.substr(0, 9), "0: 1E+02\n") << table;
    EXPECT_EQ(table.substr(table.size() - 5), "\n2: 0") << table;
    EXPECT_EQ(pls->fit().factors, 1);
    EXPECT_GT(pls->fit().SSRes, 0);  // one factor cannot fit a plane in two directions
    pls->Visa1Popup();
    pls->Prediktionen1->trigger();
    QApplication::processEvents();
    auto* prediction = pls->findChild<ui::TTwoDimStat*>();
    ASSERT_NE(prediction, nullptr);
    ASSERT_EQ(prediction->data().size(), 6u);
    EXPECT_EQ(prediction->data().XTexts[5], "7");
    EXPECT_EQ(prediction->data().RowNumbers[5], "6");
    EXPECT_NEAR(static_cast<double>(prediction->data().y[5]),
                static_cast<double>(pls->fit().predictions[5]), 1e-4);
    // The slopes of the normalised model as a sample of two.
    pls->Riktningskoefficienternasstatistik1->trigger();
    EXPECT_NE(pls->findChild<ui::XDataWindow*>(), nullptr);
    // Kopiera > Text: lines joined by CR and a space, the caption second, RMS last.
    const std::string copied = pls->ResultText();
    EXPECT_EQ(copied.substr(0, 14), "File name = \r ");
    EXPECT_NE(copied.find("\r PLS: Partial Least Squares: 1 faktorer\r "), std::string::npos);
    EXPECT_NE(copied.find("\r RMS = "), std::string::npos);
}

TEST_F(ModelWindow, ResultColumnsAreAddedAndTakenBackByUndo) {
    TMLR2* mlr = run("mlr");
    ASSERT_NE(mlr, nullptr);
    const int columns = sheet().columnCount();
    window->state().DataChanged = false;
    mlr->Lggtilldatafltet1->trigger();
    EXPECT_TRUE(window->state().DataChanged);
    EXPECT_FALSE(mlr->Lggtilldatafltet1->isEnabled());
    // The first empty columns after the data: residuals, then predictions.
    EXPECT_EQ(sheet().cell(5, 1), "Residualer");
    EXPECT_EQ(sheet().cell(6, 1), "z-predict");
    EXPECT_NEAR(StrToNumber(sheet().cell(6, 3), ','), 2, 1e-9);
    EXPECT_NEAR(StrToNumber(sheet().cell(5, 3), ','), 0, 1e-9);
    mlr->close();
    window->Angra1Click();
    EXPECT_EQ(sheet().cell(5, 1), "");
    EXPECT_EQ(sheet().cell(6, 3), "");
    EXPECT_EQ(sheet().columnCount(), columns);
}

TEST_F(ModelWindow, SavedModelReadsBackShowsAndPredictsIntoAFreeColumn) {
    ASSERT_NE(run("mlr"), nullptr);
    const TModelRecord fitted = window->state().CurrentModel;
    const std::string file = (start.path() / "plane.mdl").string();
    dialogs.saveFile(file);
    window->Execute("ndim.spara_modell");
    EXPECT_TRUE(window->state().CurrentModel.Saved);

    window->state().CurrentModel = TModelRecord{};
    dialogs.openFile(file);
    window->Execute("ndim.oppna_modell");
    const TModelRecord& read = window->state().CurrentModel;
    EXPECT_FALSE(read.NoModel);
    EXPECT_EQ(read.Method, "MLR");
    EXPECT_EQ(read.VariableNames, fitted.VariableNames);
    ASSERT_EQ(read.Coefficients.size(), 3u);
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(read.Coefficients[j], fitted.Coefficients[j], 1e-12);
    auto* shown = opened<TListRegCoefficients>();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(cells(shown->StringGrid1())[1], (std::array<std::string, 2>{"1+", ""}));
    EXPECT_EQ(cells(shown->StringGrid1())[2], (std::array<std::string, 2>{"2*", "x1"}));
    shown->close();

    window->Execute("ndim.anvand_modell");
    QApplication::processEvents();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0], "Resultatet läggs i kolumn 4");
    for (std::size_t i = 0; i < kZ.size(); ++i) {
        EXPECT_EQ(sheet().cell(5, 2 + static_cast<int>(i)), kZ[i]);
    }
    auto* matches = opened<TListRegCoefficients>();
    ASSERT_NE(matches, nullptr);
    EXPECT_EQ(cells(matches->StringGrid1())[1], (std::array<std::string, 2>{"x2", "x2"}));
}

TEST_F(ModelWindow, ShowModelListsTheCoefficientsOfTheFit) {
    dialogs.modelColumns(std::pair{entry(4), std::vector{entry(3), entry(2)}});
    window->Execute("ndim.skapa_modell.mlr");
    window->Execute("ndim.visa_modell");
    auto* shown = opened<TListRegCoefficients>();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->windowTitle().toStdString(), " MLR");
    // The variables in the order chosen: x2 first.
    EXPECT_EQ(cells(shown->StringGrid1()),
              (std::vector<std::array<std::string, 2>>{
                  {"(ursprunglig y-variabel)", "z"}, {"1+", ""}, {"-3*", "x2"}, {"2*", "x1"}}));
}

}  // namespace
}  // namespace tabulon::testing
