// The curve fits through the regression window's real menus with scripted dialogs: the
// polynomial options, the weighted polynomial's refusal, the functions, the exponent search
// with its Cancel, the own function's terms and the curvature test; the option windows and
// a fitted curve rendered to PNG for a look.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QProgressDialog>
#include <QSpinBox>
#include <cmath>

#include "graphs/recording_canvas.h"
#include "graphs/ui/graph_output.h"
#include "graphs/ui/paint_box.h"
#include "numeric/number_text.h"
#include "regression/polynomial_fit.h"
#include "regression/ui/fit_dialogs.h"
#include "regression/ui/two_dim_stat.h"
#include "support/main_window_fixture.h"

namespace tabulon::testing {
namespace {

using ui::TTwoDimStat;

class CurveFitMenus : public ResultWindowTest {
protected:
    TTwoDimStat* open(const std::vector<std::string>& x, const std::vector<std::string>& y) {
        fill(2, x, "x");
        fill(3, y, "y");
        dialogs.chooseTwo(std::pair{std::string("1: x"), std::string("2: y")});
        window->Execute("tvadim.xy_grafik");
        QApplication::processEvents();
        const auto all = window->findChildren<TTwoDimStat*>();
        return all.isEmpty() ? nullptr : all.back();
    }

    static std::string End(const QString& text, std::size_t n) {
        const std::string s = text.toStdString();
        return s.size() < n ? s : s.substr(s.size() - n);
    }
};

// y = x³ − 2x on x = −2 … 3: the cubic through the options window fits exactly; its bands
// are drawn and x(y) and the limits are offered.
TEST_F(CurveFitMenus, PolynomialThroughTheOptionsWindow) {
    TTwoDimStat* w = open({"-2", "-1", "0", "1", "2", "3"}, {"-4", "1", "0", "-1", "4", "21"});
    ASSERT_NE(w, nullptr);
    dialogs.polynomialOptions(PolynomialOptions{3, 0, false});
    w->Polynomgrad1->trigger();
    EXPECT_EQ(dialogs.asked().back().text, "degree=2 weight=0 origin=0");
    ASSERT_NE(w->model(), nullptr);
    EXPECT_EQ(w->spec().type, FitType::Polynomial);
    const auto a = w->model()->Coefficients();
    ASSERT_EQ(a.size(), 4u);
    const double want[] = {0, -2, 0, 1};  // the generating cubic
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(static_cast<double>(a[k]), want[k], 1e-12);
    EXPECT_TRUE(w->Polynomgrad1->isChecked());
    EXPECT_FALSE(w->Forstagraden1->isChecked());
    EXPECT_TRUE(w->XManuellt1->isEnabled());
    EXPECT_TRUE(w->LOD1->isEnabled());
    EXPECT_FALSE(w->Standardaddition1->isEnabled());
    EXPECT_EQ(w->statusText().left(8), "r²=1    ");

    RecordingCanvas screen;
    w->setEcho(ui::GraphTarget::Screen, &screen);
    w->PaintBox1->grab();
    int bands = 0;
    for (const Primitive& p : screen.OfKind(PrimitiveKind::Polyline)) {
        bands += p.pen.color == Color{0, 128, 0} || p.pen.color == Color{0, 0, 255};
    }
    EXPECT_EQ(bands, 4);
    QCoreApplication::processEvents();
    w->grab().save("/tmp/tabulon-polynomial-window.png");

    // Cancel leaves the cubic; the weighted fit refused for x = −2 leaves it too.
    dialogs.polynomialOptions(std::nullopt);
    w->Viktadregression1->trigger();
    EXPECT_TRUE(w->Polynomgrad1->isChecked());
    EXPECT_FALSE(w->Viktadregression1->isChecked());
    dialogs.polynomialOptions(PolynomialOptions{2, 1, false});
    w->Viktadregression1->trigger();
    EXPECT_EQ(dialogs.messages().back(), "Neg. eller noll x-värde(n)");
    EXPECT_EQ(w->model()->Coefficients().size(), 4u);
    EXPECT_TRUE(w->Polynomgrad1->isChecked());
}

// y = 2e^(0.5x) and y = 3x^1.5 + 2 from the Funktioner menu; the search's Cancel keeps the
// fit the window had.
TEST_F(CurveFitMenus, FunctionsAndTheExponentSearch) {
    std::vector<std::string> x, y;
    for (int i = 0; i <= 5; ++i) {
        x.push_back(std::to_string(i));
        y.push_back(FormatShortest(3 * std::pow(static_cast<Extended>(i), 1.5L) + 2, ','));
    }
    TTwoDimStat* w = open(x, y);
    ASSERT_NE(w, nullptr);
    w->onSearchStarted = [](QProgressDialog& progress) { progress.cancel(); };
    w->Yaxnb1->trigger();
    EXPECT_EQ(w->spec().type, FitType::LeastSquares);
    EXPECT_FALSE(w->Yaxnb1->isChecked());
    w->onSearchStarted = nullptr;
    w->Yaxnb1->trigger();
    ASSERT_EQ(w->spec().type, FitType::NamedFunction);
    EXPECT_EQ(w->equationText(), "a=3  b=2  n=1,5");
    EXPECT_TRUE(w->Yaxnb1->isChecked());
    // y=ax^b cannot take the blank at x = 0 and fits the rest.
    w->Yaxb1->trigger();
    EXPECT_TRUE(w->Yaxb1->isChecked());
    EXPECT_NE(w->statusText().indexOf("n = 5"), -1);
    EXPECT_FALSE(w->Konfidensintervall1->isEnabled());
}

TEST_F(CurveFitMenus, OwnFunctionAndCurvature) {
    TTwoDimStat* w = open({"0", "1", "2", "3", "4", "5", "6", "7"},
                          {"1", "2", "5", "10", "17", "26", "37", "50"});
    ASSERT_NE(w, nullptr);
    w->Kurvaturpolynom1->trigger();
    EXPECT_EQ(End(w->statusText(), 36), "signifikant kurvatur på 0,1% nivån");

    // 1 and x² of the sixteen terms: y = 1 + x² exactly.
    dialogs.functionTerms((1u << 0) | (1u << 2));
    w->Yfx1->trigger();
    EXPECT_EQ(dialogs.asked().back().text.substr(0, 16), "[x] 1\n[x] x\n[ ] ");
    ASSERT_EQ(w->spec().type, FitType::OwnFunction);
    EXPECT_NEAR(static_cast<double>(w->model()->Coefficients()[1]), 1, 1e-12);
    EXPECT_TRUE(w->Yfx1->isChecked());
    EXPECT_FALSE(w->LOD1->isEnabled());
}

// The two option windows as the user sees them, and what they answer.
TEST_F(CurveFitMenus, OptionWindows) {
    ui::PolynomialOptionsDialog options(PolynomialOptions{4, 2, true});
    EXPECT_EQ(options.DegreeEdit->value(), 4);
    options.WeightBox->setCurrentIndex(3);
    EXPECT_EQ(options.options().weight, 3);
    EXPECT_TRUE(options.options().through_origin);
    options.grab().save("/tmp/tabulon-polynomial-options.png");

    const std::vector<std::string> names(OwnTermNames().begin(), OwnTermNames().end());
    ui::FunctionTermsDialog terms(names, 0b11u);
    ASSERT_EQ(terms.TermBoxes.size(), 16u);
    terms.TermBoxes[9]->setChecked(true);
    EXPECT_EQ(terms.ticked(), 0b1000000011u);
    terms.grab().save("/tmp/tabulon-function-terms.png");
}

}  // namespace
}  // namespace tabulon::testing
