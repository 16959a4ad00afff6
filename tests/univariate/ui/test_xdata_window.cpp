// 1-Dim > Statistikdata, Outliers and Test av normalfördelning through the real menu with
// scripted dialogs: column choice, the x-Data window's texts, level control and outlier
// tests, and the normal probability plot window.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "graphs/recording_canvas.h"
#include "graphs/ui/graph_output.h"
#include "graphs/ui/level_control.h"
#include "graphs/ui/paint_box.h"
#include "support/main_window_fixture.h"
#include "univariate/ui/normal_plot_window.h"
#include "univariate/ui/xdata_window.h"

namespace tabulon::testing {
namespace {

using ui::XDataWindow;
using ui::TNormTestDistribution;

class XDataCommand : public MainWindowTest {
protected:
    void TearDown() override {
        for (QDialog* d : window->findChildren<QDialog*>()) d->close();
        QApplication::processEvents();
        MainWindowTest::TearDown();
    }

    // Fills grid column `column` from the first data row down; "" leaves a cell empty.
    void fill(int column, const std::vector<std::string>& texts, const std::string& caption = "") {
        if (!caption.empty()) grid().setCellText(column, 1, caption);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            grid().setCellText(column, 2 + static_cast<int>(i), texts[i]);
        }
    }

    // The x-Data window the last command opened, or null.
    XDataWindow* xdata() {
        const auto all = window->findChildren<XDataWindow*>();
        return all.isEmpty() ? nullptr : all.back();
    }
    std::string shownText() { return xdata()->Memo1->toPlainText().toStdString(); }
    bool shows(const std::string& line) {
        std::istringstream in(shownText());
        for (std::string l; std::getline(in, l);) {
            if (l == line) return true;
        }
        return false;
    }

    static std::vector<std::string> TenWithOutlier() {
        return {"10,1", "9,8", "10,0", "10,2", "9,9", "10,1", "10,0", "13,5", "9,9", "10,3"};
    }
};

TEST_F(XDataCommand, TheOnlyColumnIsTakenWithoutAskingAndTheIntervalsRead12PlusMinus) {
    fill(2, {"10", "11", "12", "13", "14"}, "Vikt");
    window->Execute("endim.statistikdata");
    EXPECT_TRUE(dialogs.asked().empty());
    ASSERT_NE(xdata(), nullptr);
    EXPECT_EQ(xdata()->windowTitle(), "Vikt");
    EXPECT_TRUE(xdata()->isVisible());
    EXPECT_EQ(xdata()->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(window->state().SampleValues,
              (std::vector<std::string>{"10", "11", "12", "13", "14"}));
    EXPECT_EQ(window->state().SampleRowNumbers,
              (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    // s = 1.5811, t(4, 0.025) = 2.776 on its grid: 1.5811·2.776 and that over √5
    EXPECT_TRUE(shows("Medelvärde = 12")) << shownText();
    EXPECT_TRUE(shows("Variabeln = 12±4,3892"));
    EXPECT_TRUE(shows("μ = 12±1,9629"));
    EXPECT_TRUE(shows("Standardavvikelse = 1,5811"));
    EXPECT_TRUE(shows("n = 5"));
    EXPECT_EQ(xdata()->levelControl()->levelText(), "95,00%");
    EXPECT_EQ(xdata()->currentTest(), OutlierTest::Grubb);
}

TEST_F(XDataCommand, SeveralColumnsAreChosenInTheChoiceWindowAndOutliersIsTheSameCommand) {
    fill(2, {"1", "2", "3"}, "A");
    fill(3, {"10", "11", "12", "13", "14"}, "Vikt");
    dialogs.chooseFromList({"2: Vikt"});
    window->Execute("endim.outliers");
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].kind, ScriptedDialogs::Kind::ChooseList);
    EXPECT_EQ(dialogs.asked()[0].title, "Välj kolumn");
    ASSERT_NE(xdata(), nullptr);
    EXPECT_EQ(xdata()->windowTitle(), "Vikt");
    EXPECT_TRUE(shows("Variabeln = 12±4,3892"));
}

TEST_F(XDataCommand, CancellingTheChoiceOpensNothing) {
    fill(2, {"1", "2", "3"});
    fill(3, {"4", "5", "6"});
    dialogs.chooseFromList(std::nullopt);
    window->Execute("endim.statistikdata");
    EXPECT_EQ(xdata(), nullptr);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(XDataCommand, ATextThatIsNoNumberIsNamedAndOneValueOpensNothing) {
    fill(2, {"1", "abc", "3"});
    window->Execute("endim.statistikdata");
    EXPECT_EQ(xdata(), nullptr);
    EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{"'abc' är inte ett giltigt tal"}));

    grid().setCellText(2, 3, "");
    grid().setCellText(2, 4, "");
    window->Execute("endim.statistikdata");
    EXPECT_EQ(xdata(), nullptr);  // one value: no window, no message
    EXPECT_EQ(dialogs.messages().size(), 1u);
}

TEST_F(XDataCommand, LevelButtonsAndArrowsRoundClampAndRecompute) {
    fill(2, {"10", "11", "12", "13", "14"});
    window->Execute("endim.statistikdata");
    ASSERT_NE(xdata(), nullptr);
    ui::TLevelControl* level = xdata()->levelControl();
    ASSERT_EQ(level->fixedButtons().size(), 3u);
    EXPECT_EQ(level->fixedButtons()[1]->text(), "99%");
    level->fixedButtons()[1]->click();
    EXPECT_EQ(xdata()->ConfidenceLevel(), 99);
    EXPECT_TRUE(shows("Variabeln = 12±7,2796"));  // t(4, 0.005) = 4.604 on its grid

    level->press(LevelArrow::SmallUp);  // 99.1
    level->press(LevelArrow::SmallUp);  // 99.2
    EXPECT_NEAR(double(xdata()->ConfidenceLevel()), 99.2, 1e-12);
    EXPECT_EQ(level->levelText(), "99,20%");
    level->fixedButtons()[2]->click();  // 99.9
    level->press(LevelArrow::SmallUp);  // 100.0 is held at 99.99
    EXPECT_EQ(xdata()->ConfidenceLevel(), 99.99L);
    level->press(LevelArrow::SmallUp);
    EXPECT_EQ(level->levelText(), "99,99%");
    level->press(LevelArrow::LargeDown);  // 98.99 rounds to 99
    EXPECT_EQ(xdata()->ConfidenceLevel(), 99);
    for (int i = 0; i < 25; ++i) level->press(LevelArrow::LargeDown);
    EXPECT_EQ(xdata()->ConfidenceLevel(), 80);  // held at 80
    level->press(LevelArrow::SmallDown);
    EXPECT_EQ(xdata()->ConfidenceLevel(), 80);
    // t(4, 0.1) = 1.533 on its grid: 1.5811·1.533 = 2.4239
    EXPECT_TRUE(shows("Variabeln = 12±2,4239")) << shownText();
    // The copied heading follows the level.
    EXPECT_NE(xdata()->ResultText().find("Konfidensintervall (80%):"), std::string::npos);
}

TEST_F(XDataCommand, TheThreeTestsNameTheClearOutlierAndItsRow) {
    fill(2, TenWithOutlier(), "Halt");
    window->Execute("endim.statistikdata");
    ASSERT_NE(xdata(), nullptr);
    // Grubbs on opening: significant down to the 1 % floor both ways.
    EXPECT_TRUE(shows("Outliers: Grubb's test"));
    EXPECT_TRUE(shows("13,5 på rad 8 kan förkastas som outlier."));
    EXPECT_TRUE(
        shows("Lägsta nivå=1% med dubbelsidig test.   Lägsta nivå=1% med enkelsidig test."));

    xdata()->Gausstest1->trigger();
    EXPECT_EQ(xdata()->currentTest(), OutlierTest::Gauss);
    EXPECT_TRUE(shows("Outliers: Gauss test"));
    // R: u = 20.8, pt(u, 8, lower.tail = FALSE) = 1.5e-8: the first step, 0.1 %; 25/9 %
    EXPECT_TRUE(shows("13,5 på rad 8 kan förkastas på 0,1%-nivån.")) << shownText();
    EXPECT_TRUE(
        shows("Detta kan vara rimligt eftersom nivågränsen för outlier är 2,78%. (u=20,8)"));

    xdata()->Dixonstest1->trigger();
    EXPECT_TRUE(shows("Dixon's Q-test"));
    EXPECT_TRUE(shows("Q=0,86486"));  // 3.2/3.7 by hand
    EXPECT_TRUE(shows("Outlier = 13,5 på rad 8 på 1%-Nivån (tvåsidigt test)"));

    // A level change recomputes the intervals but does not rerun or reset the test.
    xdata()->levelControl()->press(LevelArrow::LargeUp);
    EXPECT_EQ(xdata()->currentTest(), OutlierTest::Dixon);
    EXPECT_TRUE(shows("Q=0,86486"));

    xdata()->Grubbstest1->trigger();
    EXPECT_TRUE(shows("13,5 på rad 8 kan förkastas som outlier."));
}

TEST_F(XDataCommand, DixonRefusesThirtyOneValuesAndFindsNoOutlierInOneTwoThree) {
    std::vector<std::string> many;
    for (int i = 1; i <= 31; ++i) many.push_back(std::to_string(i));
    fill(2, many);
    window->Execute("endim.statistikdata");
    ASSERT_NE(xdata(), nullptr);
    xdata()->Dixonstest1->trigger();
    EXPECT_TRUE(shows("För många mätvärden (>30)"));
    xdata()->close();

    for (int r = 2; r < 40; ++r) grid().setCellText(2, r, "");
    fill(2, {"1", "2", "3"});
    window->Execute("endim.statistikdata");
    ASSERT_NE(xdata(), nullptr);
    xdata()->Dixonstest1->trigger();
    EXPECT_TRUE(shows("Q=0,5")) << shownText();  // equal gaps: the upper value, 1/2
    EXPECT_TRUE(shows("Inga outliers"));
}

TEST_F(XDataCommand, AnEmptyCellBetweenDataRowsKeepsTheWorksheetsRowNumbers) {
    fill(2, {"10,1", "9,8", "", "10,0", "10,2", "", "9,9", "10,1", "10,0", "13,5", "9,9", "10,3"});
    window->Execute("endim.statistikdata");
    ASSERT_NE(xdata(), nullptr);
    EXPECT_EQ(window->state().SampleRowNumbers,
              (std::vector<std::string>{"1", "2", "4", "5", "7", "8", "9", "10", "11", "12"}));
    EXPECT_TRUE(shows("n = 10"));
    EXPECT_TRUE(shows("13,5 på rad 10 kan förkastas som outlier."));
    xdata()->Dixonstest1->trigger();
    EXPECT_TRUE(shows("Outlier = 13,5 på rad 10 på 1%-Nivån (tvåsidigt test)"));
}

TEST_F(XDataCommand, EnglishTexts) {
    window->Execute("language.english");
    fill(2, TenWithOutlier(), "Halt");
    window->Execute("endim.statistikdata");
    ASSERT_NE(xdata(), nullptr);
    EXPECT_TRUE(shows("          Mean = 10,38")) << shownText();
    EXPECT_TRUE(shows("Coefficient of varation (%) = 10,658"));  // R: 100*sd(x)/mean(x)
    EXPECT_TRUE(shows("Confidence interval"));
    EXPECT_TRUE(shows("13,5 at row 8 can be discarded as outlier."));
    EXPECT_TRUE(
        shows("Lowest level=1% with two-tailed test.   Lowest level=1% with one-tailed test."));
    xdata()->Gausstest1->trigger();
    EXPECT_TRUE(shows("13,5 at row 8 can be discarded at 0,1%-level"));
    xdata()->Dixonstest1->trigger();
    EXPECT_TRUE(shows("Outlier = 13,5 at row 8 at 1%-Level (doubble sided test)"));
    EXPECT_EQ(xdata()->Arkiv1->title(), "File");
    const std::string copied = xdata()->ResultText();
    EXPECT_EQ(copied.rfind("Halt\rData:\r Mean = 10,38\r", 0), 0u) << copied;
}

TEST_F(XDataCommand, AllValuesEqualShowZeroSpreadNoGraphAndSayWhyThereIsNoTest) {
    fill(2, {"4", "4", "4", "4"});
    window->Execute("endim.statistikdata");
    ASSERT_NE(xdata(), nullptr);
    EXPECT_TRUE(shows("Standardavvikelse = 0"));
    EXPECT_TRUE(shows("Variabeln = 4±0"));
    EXPECT_TRUE(shows("σ = [0;0]"));
    EXPECT_TRUE(shows("Inget outliertest kan göras eftersom alla värden är lika."));
    RecordingCanvas screen;
    xdata()->setEcho(ui::GraphTarget::Screen, &screen);
    xdata()->PaintBox1->grab();
    EXPECT_TRUE(screen.primitives().empty());
    xdata()->Gausstest1->trigger();
    EXPECT_TRUE(shows("Inget outliertest kan göras eftersom alla värden är lika."));
}

TEST_F(XDataCommand, CopiedTextIsTheResultTextAndTheGraphIsDrawnOnScreen) {
    fill(2, TenWithOutlier(), "Halt");
    window->Execute("endim.statistikdata");
    ASSERT_NE(xdata(), nullptr);
    RecordingCanvas screen;
    xdata()->setEcho(ui::GraphTarget::Screen, &screen);
    xdata()->PaintBox1->grab();
    int red = 0;
    for (const Primitive& p : screen.OfKind(PrimitiveKind::Line))
        red += p.pen.color == colors::kRed;
    EXPECT_EQ(red, 7);  // seven distinct values among the ten
    xdata()->Text1Click();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime && mime->hasText());
    EXPECT_EQ(mime->text().toStdString(), xdata()->ResultText());
    // The printer gets the printer's lines: a PDF comes out.
    QTemporaryDir dir;
    ui::PdfFilePrinterChooser chooser(dir.filePath("text.pdf"));
    xdata()->setPrinterChooser(&chooser);
    xdata()->Text2Click();
    EXPECT_EQ(chooser.timesAsked(), 1);
    EXPECT_TRUE(QFile::exists(dir.filePath("text.pdf")));
    EXPECT_EQ(xdata()->PrintLines()[2], " Medelvärde = 10,38");
    xdata()->ExitButton->click();
    QApplication::processEvents();
    EXPECT_FALSE(xdata() && xdata()->isVisible());
}

// The clipboard text of a saved worksheet equals, byte for byte apart from the line
// separators, the file tests/cli/stats.cmake compares tabulon-cli stats against.
TEST_F(XDataCommand, CopiedTextIsWhatTheCommandLinePrints) {
    const std::string data = TABULON_TEST_DATA_DIR "/univariate/outliers.tbn";
    dialogs.openFile(data);
    window->Execute("arkiv.oppna");
    dialogs.chooseFromList({"1: Halt"});
    window->Execute("endim.statistikdata");
    ASSERT_NE(xdata(), nullptr);
    std::ifstream expected_file(TABULON_TEST_DATA_DIR "/univariate/outliers_halt_sv.txt",
                                std::ios::binary);
    ASSERT_TRUE(expected_file);
    std::stringstream expected;
    expected << expected_file.rdbuf();
    std::string copied = xdata()->ResultText();
    for (char& c : copied) c = c == '\r' ? '\n' : c;
    EXPECT_EQ(copied + "\n", expected.str());
}

class NormalPlotCommand : public XDataCommand {
protected:
    TNormTestDistribution* plot() {
        const auto all = window->findChildren<TNormTestDistribution*>();
        return all.isEmpty() ? nullptr : all.back();
    }
};

TEST_F(NormalPlotCommand, OpensOnTheChosenColumnWithThePlotAlone) {
    fill(2, {"5", "1", "3"}, "A");
    fill(3, {"2,5", "2", "9", "4"}, "Vikt");
    dialogs.chooseFromList({"2: Vikt"});
    window->Execute("endim.normalfordelning");
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].title, "Välj kolumn");
    ASSERT_NE(plot(), nullptr);
    EXPECT_EQ(plot()->windowTitle(), "2: Vikt");
    EXPECT_EQ(plot()->plot().values, (std::vector<Extended>{2, 2.5L, 4, 9}));
    EXPECT_EQ(window->state().SampleValues, (std::vector<std::string>{"2,5", "2", "9", "4"}));
    EXPECT_FALSE(plot()->Memo1->isVisible());
    EXPECT_TRUE(plot()->PaintBox1->isVisible());
    EXPECT_FALSE(plot()->Kopiera1->menuAction()->isVisible());
    EXPECT_EQ(plot()->Kopiera2->text(), "Kopiera");
    EXPECT_EQ(plot()->Skrivut2->text(), "Skriv ut");

    RecordingCanvas screen;
    plot()->setEcho(ui::GraphTarget::Screen, &screen);
    plot()->PaintBox1->grab();
    EXPECT_EQ(screen.OfKind(PrimitiveKind::Ellipse).size(), 4u);

    plot()->Kopiera2->trigger();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime && mime->hasFormat("image/png"));
    QImage png;
    ASSERT_TRUE(png.loadFromData(mime->data("image/png"), "PNG"));
    EXPECT_EQ(png.size(), plot()->graphSize());

    QTemporaryDir dir;
    dialogs.saveFile(dir.filePath("plot.svg").toStdString());
    plot()->Sparagrafik1->trigger();
    QFile svg(dir.filePath("plot.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<svg"));
}

TEST_F(NormalPlotCommand, CancelOrTooFewValuesOpenNothing) {
    fill(2, {"1", "2"});
    fill(3, {"7"});
    dialogs.chooseFromList(std::nullopt);
    window->Execute("endim.normalfordelning");
    EXPECT_EQ(plot(), nullptr);
    dialogs.chooseFromList({"2: "});
    window->Execute("endim.normalfordelning");
    EXPECT_EQ(plot(), nullptr);  // one value
    EXPECT_TRUE(dialogs.messages().empty());
}

}  // namespace
}  // namespace tabulon::testing
