// 1-Dim > Sannolikheter, Statistiktabeller and Konfidensintervall through the real menu: values
// typed into each calculator window, Enter in the last field, and what the window then
// shows; the formula pictures decoded from the program's resources.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "support/main_window_fixture.h"
#include "univariate/ui/distribution_windows.h"

namespace tabulon::testing {
namespace {

using ui::DistributionCalculatorWindow;

struct WindowCase {
    const char* name;
    const char* command;
    std::vector<std::pair<QString, QString>> typed;  // field, text; Enter in the last one
    std::vector<std::string> lines;                  // the text pane afterwards
    std::string message;                             // the info box, if one is expected
    bool graph = false;
    const char* picture = nullptr;              // the formula picture's resource
    std::pair<QString, QString> field_after{};  // a field the window rewrote, and its text
};

void PrintTo(const WindowCase& c, std::ostream* os) {
    *os << c.name;
}

class CalculatorWindow : public MainWindowTest, public ::testing::WithParamInterface<WindowCase> {
protected:
    void TearDown() override {
        for (QDialog* d : window->findChildren<QDialog*>()) d->close();
        QApplication::processEvents();
        MainWindowTest::TearDown();
    }
};

std::vector<std::string> TextPane(DistributionCalculatorWindow* w) {
    const QString text = w->Memo1->toPlainText();
    std::vector<std::string> lines;
    if (text.isEmpty()) return lines;
    for (const QString& line : text.split('\n', Qt::SkipEmptyParts)) {
        lines.push_back(line.toStdString());
    }
    return lines;
}

TEST_P(CalculatorWindow, ShowsWhatTheTypedValuesGive) {
    const WindowCase& c = GetParam();
    window->Execute(c.command);
    const auto opened = window->findChildren<DistributionCalculatorWindow*>();
    ASSERT_EQ(opened.size(), 1);
    DistributionCalculatorWindow* w = opened.front();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowModality(), Qt::ApplicationModal);

    QLineEdit* last = nullptr;
    for (const auto& [name, text] : c.typed) {
        last = w->field(name);
        ASSERT_NE(last, nullptr) << name.toStdString();
        last->clear();
        QTest::keyClicks(last, text);
    }
    ASSERT_NE(last, nullptr);
    QTest::keyClick(last, Qt::Key_Return);

    EXPECT_EQ(TextPane(w), c.lines);
    EXPECT_EQ(dialogs.messages(),
              c.message.empty() ? std::vector<std::string>{} : std::vector{c.message});
    EXPECT_EQ(w->Sparagrafik1->isEnabled(), c.graph);
    if (!c.field_after.first.isEmpty()) {
        EXPECT_EQ(w->field(c.field_after.first)->text(), c.field_after.second);
    }
    if (c.picture) {
        // The picture is the typeset formula decoded from the resources, not an empty label.
        ASSERT_NE(w->picture(), nullptr);
        const QPixmap shown = w->picture()->pixmap();
        const QImage stored(c.picture);
        ASSERT_FALSE(stored.isNull()) << c.picture;
        EXPECT_EQ(shown.size(), stored.size());
        EXPECT_GT(shown.width(), 200);
    } else {
        EXPECT_EQ(w->picture(), nullptr);
    }
    // TABULON_WINDOW_PICTURES=<folder> keeps a picture of each window for a look by eye.
    if (const QByteArray folder = qgetenv("TABULON_WINDOW_PICTURES"); !folder.isEmpty()) {
        QCoreApplication::processEvents();
        w->grab().save(QString::fromLocal8Bit(folder) + "/" + c.name + ".png");
    }
}

// Typed as a Swedish user would, with the comma world's separator; a point typed in a
// number field is turned to a comma when the field is left.
INSTANTIATE_TEST_SUITE_P(
    Menu, CalculatorWindow,
    ::testing::Values(
        // R: pnorm(1.96) - pnorm(-1.96) = 0.9500042
        WindowCase{"NormalProbability",
                   "endim.sannolikheter.normal",
                   {{"MeanEdit", "0"}, {"SdEdit", "1"}, {"FromEdit", "-1,96"}, {"ToEdit", "1.96"}},
                   {"Sannolikhet = 0,95"},
                   "",
                   false,
                   nullptr,
                   {"ToEdit", "1,96"}},
        WindowCase{"NormalProbabilityNoLimits",
                   "endim.sannolikheter.normal",
                   {{"MeanEdit", "0"}, {"SdEdit", "1"}},
                   {},
                   "Gränser för x måste fyllas i"},
        // (9.524 - 5)/2 = 2.262 with 9 df; R: pt(2.262, 9) = 0.9749936
        WindowCase{"TProbability",
                   "endim.sannolikheter.t",
                   {{"CountEdit", "10"}, {"MeanEdit", "5"}, {"SdEdit", "2"}, {"ToEdit", "9,524"}},
                   {"Sannolikhet = 0,97499"}},
        // R: pnorm(1.96) = 0.9750021
        WindowCase{"NormalArea",
                   "endim.tabeller.normal",
                   {{"ZEdit", "1,96"}},
                   {"Φ(1,96) = 0,975002"},
                   "",
                   true},
        // R: qnorm(0.95) = 1.644854, qnorm(0.975) = 1.959964
        WindowCase{"NormalLambda",
                   "endim.tabeller.normal",
                   {{"AlphaEdit", "0,05"}},
                   {"λα = 1,64485", "λα/2 = 1,95996"},
                   "",
                   true},
        // n = 10 stands in the field; R: qt(0.95, 10) = 1.812461, qt(0.975, 10) = 2.228139
        WindowCase{"TTable",
                   "endim.tabeller.t",
                   {{"AlphaEdit", "0,05"}},
                   {"tα = 1,81200", "tα/2 = 2,22800"},
                   "",
                   true,
                   ":/formulas/t_distribution.png"},
        // α = 0.95 is taken as 0.05; R: qchisq(0.025, 10) = 3.246973, qchisq(0.975, 10) =
        // 20.48318 on their grids
        WindowCase{"ChiSquareTable",
                   "endim.tabeller.chi2",
                   {{"AlphaEdit", "0,95"}},
                   {"α = 0,05000", "χ²α/2 = 3,24600", "χ²1-α/2 = 20,48000"},
                   "",
                   true,
                   ":/formulas/chi_square_distribution.png",
                   {"AlphaEdit", "0,05000"}},
        // R: qf(0.95, 10, 10) = 2.978237 on its grid
        WindowCase{"FTable",
                   "endim.tabeller.f",
                   {{"AlphaEdit", "0,05"}},
                   {"Fα(10,10) = 2,97800"},
                   "",
                   true,
                   ":/formulas/f_distribution.png"},
        // R: 100 * psignrank(60, 20) = 4.865360
        WindowCase{"SignedRankTable",
                   "endim.tabeller.wilcoxon",
                   {{"RankSumEdit", "60"}},
                   {"Signifikant skillnad vid 4,865% -nivån (enkelsidigt test)", "n=20"},
                   "",
                   true},
        WindowCase{"SignedRankTableFifty",
                   "endim.tabeller.wilcoxon",
                   {{"CountEdit", "50"}, {"RankSumEdit", "100"}},
                   {},
                   "Fel i indata",
                   true},
        // 75 stands; R: qnorm(0.875) = 1.150349 (the fast search's 1.1503491)
        WindowCase{"NormalConfidence",
                   "endim.konfidensintervall.normal",
                   {{"MeanEdit", "0"}, {"SdEdit", "1"}, {"LevelEdit", "75"}},
                   {"Konfidensnivå (%) = 75", "Konfidensintervall: 0±1,1503491"}},
        // L = 100 becomes 99.99: R: qt(0.99995, 9) = 6.593683 (6.593 on the grid),
        // sqrt(9/qchisq(0.99995, 9)) = 0.5040, sqrt(9/qchisq(0.00005, 9)) = 4.0038
        WindowCase{"TConfidence",
                   "endim.konfidensintervall.t",
                   {{"MeanEdit", "10"}, {"SdEdit", "1"}, {"CountEdit", "10"}, {"LevelEdit", "100"}},
                   {"Konfidensnivå (%) = 99,99", "Variabeln: 10±6,593", "Väntevärde: 10±2,0849",
                    "σ: 0,504 till 4,0039"},
                   "",
                   false,
                   nullptr,
                   {"LevelEdit", "99,99"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tabulon::testing
