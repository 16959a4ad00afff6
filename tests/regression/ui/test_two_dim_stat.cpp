// 2-Dim > xy-grafik through the real menu with scripted dialogs: the column choice, the
// line in its modes with its texts and bands, the level control, the reports, the readings,
// the axis and text commands, residuals written back, and copying.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <sstream>

#include "graphs/axis_transform.h"
#include "graphs/recording_canvas.h"
#include "graphs/ui/graph_output.h"
#include "graphs/ui/level_control.h"
#include "graphs/ui/paint_box.h"
#include "numeric/number_text.h"
#include "regression/regression_texts.h"
#include "regression/ui/reading_dialog.h"
#include "regression/ui/report_list_window.h"
#include "regression/ui/residual_window.h"
#include "regression/ui/two_dim_stat.h"
#include "support/main_window_fixture.h"

namespace tabulon::testing {
namespace {

using ui::TTwoDimStat;

// The worked example: K = 1.99, L = 0.05, n = 5, df = 3.
const std::vector<std::string> kX = {"1", "2", "3", "4", "5"};
const std::vector<std::string> kY = {"2,1", "3,9", "6,2", "7,8", "10,1"};

Extended Value(const FittedModel& model, const std::string& name) {
    for (const auto& [key, value] : model.Values()) {
        if (key == name) return value;
    }
    ADD_FAILURE() << "no value " << name;
    return NAN;
}

class RegressionWindow : public ResultWindowTest {
protected:
    // Fills x and y into columns 2 and 3 and opens the window on them from the menu.
    TTwoDimStat* open(const std::vector<std::string>& x = kX,
                      const std::vector<std::string>& y = kY) {
        fill(2, x, "x");
        fill(3, y, "y");
        dialogs.chooseTwo(std::pair{std::string("1: x"), std::string("2: y")});
        window->Execute("tvadim.xy_grafik");
        QApplication::processEvents();
        return opened<TTwoDimStat>();
    }

    template <typename Window>
    Window* opened() {
        const auto all = window->findChildren<Window*>();
        return all.isEmpty() ? nullptr : all.back();
    }

    static std::vector<std::string> Lines(const QString& text) {
        std::vector<std::string> lines;
        std::istringstream in(text.toStdString());
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    static bool Contains(const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    // The lines of the newest report list window.
    std::vector<std::string> reportLines() {
        auto* list = opened<ui::ReportListWindow>();
        return list ? list->report().lines : std::vector<std::string>{};
    }
};

TEST_F(RegressionWindow, WorkedExampleFromTheMenu) {
    fill(2, kX, "x");
    fill(3, kY, "y");
    window->MenuOpened("tvadim");
    EXPECT_TRUE(window->action("tvadim.xy_grafik")->isVisible());
    EXPECT_TRUE(window->action("tvadim.xy_grafik")->isEnabled());
    dialogs.chooseTwo(std::pair{std::string("1: x"), std::string("2: y")});
    window->Execute("tvadim.xy_grafik");
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].text, "Radnummer\n1: x\n2: y");
    TTwoDimStat* w = opened<TTwoDimStat>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "XY-Grafik");
    EXPECT_EQ(w->windowModality(), Qt::ApplicationModal);
    ASSERT_NE(w->model(), nullptr);
    const FittedModel& m = *w->model();
    EXPECT_NEAR(double(Value(m, "slope")), 1.99, 1e-15);      // 19.9/10 by hand
    EXPECT_NEAR(double(Value(m, "intercept")), 0.05, 1e-15);  // 6.02 - 1.99·3
    EXPECT_NEAR(double(m.TFactor()), 3.182, 5e-4);            // R: qt(0.975, 3) = 3.182446
    // 3.182·√((1/5 + 9/10)·0.107/3) = 0.6303, 3.182·√(0.107/3)/√10 = 0.19003
    EXPECT_EQ(w->equationText(), "a0=0,05±0,6303  a1=1,99±0,19");
    // r² = 19.9²/(10·39.708), Sy = √(0.107/3), RMS = √(0.107/5)
    EXPECT_EQ(w->statusText(), "r²=0,9973    n = 5    Sy=0,1889   RMS=0,1463");
    EXPECT_EQ(w->levelControl()->levelText(), "95,00%");

    // The graph: five points, the two bands in green and blue; then without the bands and
    // with the LOD and LOQ marks.
    RecordingCanvas screen;
    w->setEcho(ui::GraphTarget::Screen, &screen);
    w->PaintBox1->grab();
    EXPECT_EQ(screen.OfKind(PrimitiveKind::Ellipse).size(), 5u);
    int bands = 0;
    for (const Primitive& p : screen.OfKind(PrimitiveKind::Polyline)) {
        bands += p.pen.color == Color{0, 128, 0} || p.pen.color == Color{0, 0, 255};
    }
    EXPECT_EQ(bands, 4);
    w->Konfidensintervall1->trigger();
    w->VisaLODochLOQ1->trigger();
    screen.Clear();
    w->PaintBox1->grab();
    EXPECT_TRUE(screen.OfKind(PrimitiveKind::Polyline).empty());
    const auto texts = screen.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "LOQ"), texts.end());

    // Signifikanser > Regression, into the memo below the strip.
    w->Regression1->trigger();
    ASSERT_TRUE(w->memoShown());
    EXPECT_TRUE(w->view().ShowBands);
    const auto memo = Lines(w->Memo1->toPlainText());
    ASSERT_GE(memo.size(), 8u);
    EXPECT_EQ(memo[0], "På 5%-nivån gäller följande:");
    EXPECT_EQ(memo[1],
              "Med 5% sannolikhet att göra ett felaktigt uttalande så finns det ett signifikant "
              "samband mellan variablerna.");
    EXPECT_EQ(memo[4], "k = 1,99 ± 0,19");
    // F = 1.99²·10/0.107·3 = 1110.3 by hand; R: qf(0.95, 1, 3) = 10.128
    EXPECT_EQ(memo[7].rfind("F = 1110> F(1,3) = 10,1", 0), 0u) << memo[7];
    // A change of level rewrites the report that is shown.
    w->levelControl()->fixedButtons()[1]->click();
    EXPECT_EQ(Lines(w->Memo1->toPlainText())[0], "På 1%-nivån gäller följande:");
    w->MemoOkButton->click();
    EXPECT_FALSE(w->memoShown());
}

TEST_F(RegressionWindow, LevelButtonsAndArrowsRoundClampAndShowTheBands) {
    TTwoDimStat* w = open();
    ASSERT_NE(w, nullptr);
    ui::TLevelControl* level = w->levelControl();
    ASSERT_EQ(level->fixedButtons().size(), 3u);
    const struct {
        int button;  // -1: go on from the level before
        std::vector<LevelArrow> arrows;
        Extended expected;
        const char* shown;
    } cases[] = {
        {1, {LevelArrow::LargeUp}, 0.9999L, "99,99%"},  // 1.0 is held below 0.99999
        {2, {LevelArrow::SmallUp}, 0.9999L, "99,99%"},
        {0, {LevelArrow::SmallUp, LevelArrow::SmallUp, LevelArrow::SmallUp}, 0.953L, "95,30%"},
        {-1, {LevelArrow::SmallDown}, 0.952L, "95,20%"},
        {-1, {LevelArrow::LargeDown}, 0.942L, "94,20%"},
        {-1, std::vector<LevelArrow>(20, LevelArrow::LargeDown), 0.8L, "80,00%"},
        {-1, {LevelArrow::SmallDown}, 0.8L, "80,00%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        w->Konfidensintervall1->trigger();  // off, so that the change must switch them on
        ASSERT_FALSE(w->view().ShowBands);
        if (c.button >= 0) level->fixedButtons()[c.button]->click();
        for (LevelArrow a : c.arrows) level->press(a);
        EXPECT_NEAR(double(w->level()), double(c.expected), 1e-12);
        EXPECT_EQ(level->levelText(), c.shown);
        EXPECT_TRUE(w->view().ShowBands);
        EXPECT_NEAR(double(w->model()->level()), double(c.expected), 1e-12);
    }
    level->fixedButtons()[1]->click();
    EXPECT_NEAR(double(w->model()->TFactor()), 5.841, 5e-3);  // R: qt(0.995, 3) = 5.8409
}

TEST_F(RegressionWindow, LinearFitsFromTheMenus) {
    TTwoDimStat* w = open();
    ASSERT_NE(w, nullptr);
    const struct {
        QAction* action;
        std::optional<std::string> answer;  // the fixed value typed
        FitType type;
        double slope, intercept;
        const char* source;
    } cases[] = {
        {w->Fixeralutningen1, "2", FitType::FixedSlope, 2, 0.02, "(30.1 - 2·15)/5"},
        {w->Fixeraskarningen1, "0", FitType::FixedIntercept, 110.2 / 55, 0, "Σxy/Σx²"},
        {w->Tvingagenomorigo1, std::nullopt, FitType::Origin, 110.2 / 55, 0, "Σxy/Σx²"},
        {w->Tvingagenomorigo1, std::nullopt, FitType::LeastSquares, 1.99, 0.05, "toggled off"},
        {w->Viktad1x1, std::nullopt, FitType::WeightedInverseX, 1.9778378378, 0.0864864865,
         "weights 1/x, worked in double precision"},
        {w->Minstakvadratmetoden1, std::nullopt, FitType::LeastSquares, 1.99, 0.05, "19.9/10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        if (c.answer) dialogs.input(*c.answer);
        c.action->trigger();
        ASSERT_NE(w->model(), nullptr);
        EXPECT_EQ(w->spec().type, c.type);
        EXPECT_TRUE(c.action->isChecked() || c.type == FitType::LeastSquares);
        EXPECT_NEAR(double(w->model()->ValueAt(0)), c.intercept, 1e-9);
        EXPECT_NEAR(double(w->model()->ValueAt(1) - w->model()->ValueAt(0)), c.slope, 1e-9);
    }
    dialogs.input("2");
    w->Fixeralutningen1->trigger();
    EXPECT_EQ(w->equationText().toStdString().rfind("a0=0,02±", 0), 0u);
    EXPECT_NE(w->equationText().toStdString().find("a1=2 (fixerad)"), std::string::npos);
    EXPECT_FALSE(w->LOD1->isEnabled());  // LOD and LOQ belong to the least-squares line

    // A cancelled prompt and a text that is not a number change nothing.
    dialogs.cancelInput();
    w->Fixeraskarningen1->trigger();
    dialogs.input("abc");
    w->Fixeraskarningen1->trigger();
    EXPECT_EQ(w->spec().type, FitType::FixedSlope);
    EXPECT_TRUE(w->Fixeralutningen1->isChecked());
    EXPECT_FALSE(w->Fixeraskarningen1->isChecked());
    EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{"'abc' är inte ett giltigt tal"}));

    // One y per x cannot be weighted by its spread: refused, the fit stays.
    w->Viktadmultipla1->trigger();
    EXPECT_EQ(w->spec().type, FitType::FixedSlope);
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].rfind("Minst ett x-värde saknar multipla y-värden", 0), 0u);

    // Point to point: read by interpolation, without bands or limits.
    w->Punkttillpunkt1->trigger();
    EXPECT_NEAR(double(w->model()->ValueAt(2.5L)), 5.05, 1e-12);  // (3.9 + 6.2)/2
    EXPECT_FALSE(w->Konfidensintervall1->isEnabled());
    EXPECT_FALSE(w->LOD1->isEnabled());
    EXPECT_FALSE(w->Regressionsparametrar1->isEnabled());
    EXPECT_TRUE(w->XManuellt1->isEnabled());
}

TEST_F(RegressionWindow, WeightedWithReplicatesMarksTheMeans) {
    TTwoDimStat* w = open({"1", "1", "2", "2", "3", "3"}, {"1", "1,2", "2", "2,4", "3", "3,6"});
    ASSERT_NE(w, nullptr);
    w->Viktadmultipla1->trigger();
    ASSERT_EQ(w->spec().type, FitType::WeightedMultipleY);
    RecordingCanvas screen;
    w->setEcho(ui::GraphTarget::Screen, &screen);
    w->PaintBox1->grab();
    EXPECT_EQ(screen.OfKind(PrimitiveKind::Ellipse).size(), 3u);  // the three means
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(RegressionWindow, ReportsInListWindows) {
    TTwoDimStat* w = open();
    ASSERT_NE(w, nullptr);
    const struct {
        QAction* action;
        const char* caption;
        std::vector<std::string> lines;  // lines the report holds
    } cases[] = {
        // 3·0.188856/1.99, 3·0.188856 + 0.05 by hand
        {w->LOD1,
         "Detektionsgräns vid 3*s",
         {"LOD(x)=0,28471", "sy =0,18886", "Kritisk nivå för y=0,61657  dvs y-värde som ger LOD"}},
        {w->LOQ1, "Kvantifieringsgräns vid 10*s", {"LOQ(x)=0,94903", "(sy =0,18886)"}},
        {w->Konfidensintervallkl1,
         "Konfidensintervall för k och l",
         {"Linjen y=kx+l", "95,0000% konfidensnivå", "k=1,99000±0,19003", "l=0,05000±0,63027"}},
        {w->Regressionsparametrar1, "Regressionsparametrar", {"k=1,99", "Sxx=10   (Σ(x-xmed)²)"}},
        {w->Homoskedasticitet1, "Homoskedasticitet", {"För få datapunkter (minst 6)"}},
        {w->Outliers1, "Outliers", {"Outliers på 5% nivån"}},
        {w->Visanumeriskt1, "Residualer", {"x : residual", "3 : 0,18"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        ASSERT_TRUE(c.action->isEnabled());
        c.action->trigger();
        auto* list = opened<ui::ReportListWindow>();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->windowTitle().toStdString(), c.caption);
        for (const std::string& line : c.lines) EXPECT_TRUE(Contains(reportLines(), line)) << line;
        EXPECT_EQ(Lines(list->Memo1->toPlainText()), list->report().lines);
        list->OkButton->click();
        QApplication::processEvents();
    }
    // The risk α found on the quantile grid; R: pt(2.0702, 3, lower.tail = FALSE) = 0.0651
    w->LOD1->trigger();
    const std::string risk = reportLines().at(3);
    const std::string prefix = "Risk för fel av första ordningen (vid x=0) = ";
    ASSERT_EQ(risk.rfind(prefix, 0), 0u) << risk;
    std::string percent = risk.substr(prefix.size());
    percent.pop_back();
    EXPECT_NEAR(double(StrToNumber(percent, ',')), 6.51, 0.02);

    // Kopiera > Text carries the reports shown since the last change.
    const std::string copied = w->ResultText();
    EXPECT_EQ(copied.rfind("y mot x\rLinjen y=kx+l\ra0=0,05±0,6303  a1=1,99±0,19\r", 0), 0u);
    EXPECT_NE(copied.find("\rDetektionsgräns vid 3*s\rLOD(x)=0,28471\r"), std::string::npos);
    EXPECT_NE(copied.find("\rKonfidensintervall: 95,00%\r"), std::string::npos);

    // Kontrollkort > Basdata makes the control chart the model and lists its base data.
    w->Basdata1->trigger();
    EXPECT_EQ(w->spec().type, FitType::ControlChart);
    EXPECT_TRUE(Contains(reportLines(), "n=5"));
    EXPECT_FALSE(w->LOD1->isEnabled());
}

TEST_F(RegressionWindow, NegativeSlopeTwoPointsAndEqualX) {
    // A falling line has no detection limit.
    TTwoDimStat* w = open(kX, {"10,1", "7,8", "6,2", "3,9", "2,1"});
    ASSERT_NE(w, nullptr);
    for (QAction* a : {w->LOD1, w->LOQ1}) {
        a->trigger();
        EXPECT_EQ(reportLines(), (std::vector<std::string>{"Error! (<=0)"}));
    }
    // Swapped, x falls: no control chart before a sort.
    w->Bytplats1->trigger();
    w->Basdata1->trigger();
    EXPECT_EQ(w->spec().type, FitType::LeastSquares);
    EXPECT_EQ(dialogs.messages(),
              (std::vector<std::string>{"x-värderna är inte i stigande ordning. Sortera först"}));
    EXPECT_FALSE(w->Basdata1->isChecked());
    w->close();

    // Two points: no degrees of freedom, the bands collapse on the line.
    w = open({"1", "3", "", "", ""}, {"2", "4", "", "", ""});
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->equationText(), "a0=1±0  a1=1±0");
    w->Regression1->trigger();
    EXPECT_EQ(Lines(w->Memo1->toPlainText()), (std::vector<std::string>{"Bara två datapunkter"}));
    w->close();

    // All x equal: no line, but the window opens on the points.
    w = open({"5", "5", "5"}, {"1", "2", "3"});
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->model(), nullptr);
    EXPECT_EQ(w->equationText(), "Kurvanpassningen kan ej utföras");
    EXPECT_FALSE(w->LOD1->isEnabled());
    EXPECT_FALSE(w->YManuellt1->isEnabled());
    RecordingCanvas screen;
    w->setEcho(ui::GraphTarget::Screen, &screen);
    w->PaintBox1->grab();
    EXPECT_EQ(screen.OfKind(PrimitiveKind::Ellipse).size(), 3u);
    EXPECT_EQ(dialogs.messages().size(), 1u);
}

TEST_F(RegressionWindow, RowNumbersAsXAndTooFewPointsInEnglish) {
    window->Execute("language.english");
    fill(2, {"4", "9", "16"}, "Area");
    dialogs.chooseTwo(std::pair{std::string("Row number"), std::string("1: Area")});
    window->Execute("tvadim.xy_grafik");
    TTwoDimStat* w = opened<TTwoDimStat>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->data().XTitle, "Row number");
    EXPECT_EQ(w->data().x, (std::vector<Extended>{1, 2, 3}));
    EXPECT_EQ(w->Berakna1->title(), "Calculate");
    w->LOD1->trigger();
    EXPECT_EQ(opened<ui::ReportListWindow>()->windowTitle(), "Detection limit at 3*s");
    w->close();

    // Only the first row has both cells filled.
    fill(3, {"1", "", ""}, "B");
    dialogs.chooseTwo(std::pair{std::string("2: B"), std::string("1: Area")});
    window->Execute("tvadim.xy_grafik");
    QApplication::processEvents();
    EXPECT_EQ(opened<TTwoDimStat>(), nullptr);
    EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{"Too few data points.."}));
}

TEST_F(RegressionWindow, ManualReadingsOfYAndOfXWithReplicates) {
    TTwoDimStat* w = open();
    ASSERT_NE(w, nullptr);
    w->YManuellt1->trigger();
    auto* dialog = opened<ui::CalibrationReadingDialog>();
    ASSERT_NE(dialog, nullptr);
    dialog->Edit1->setText("3");
    dialog->CalculateButton->click();
    // 3.182·√(0.2·0.107/3) and 3.182·√(1.2·0.107/3) by hand
    EXPECT_EQ(dialog->Edit2->text(), "6,02000±0,26875");
    EXPECT_EQ(dialog->Edit3->text(), "6,02000±0,65830");
    dialog->close();

    w->XManuellt1->trigger();
    dialog = opened<ui::CalibrationReadingDialog>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Edit2->text(), "1");
    const struct {
        const char* y;
        const char* replicates;
        const char* x;
    } cases[] = {
        // (6 − 0.05)/1.99 = 2.98995 to 5 digits; 3.182·0.188856/1.99·√(1/m + 1/5 + 0.02²/
        // (1.99²·10)), and at y = l the last term is 5.97²/39.601 = 0.9 (all by hand)
        {"6", "1", "2,98990±0,33080"},
        {"6", "3", "2,98990±0,22054"},
        {"0,05", "1", "0,00000±0,43761"},
    };
    for (const auto& c : cases) {
        dialog->Edit1->setText(c.y);
        dialog->Edit2->setText(c.replicates);
        dialog->CalculateButton->click();
        EXPECT_EQ(dialog->Edit3->text(), c.x) << c.y << " " << c.replicates;
    }
    dialog->Edit1->setText("abc");
    dialog->CalculateButton->click();
    EXPECT_EQ(dialog->Edit3->text(), "0,00000±0,43761");
    EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{"'abc' är inte ett giltigt tal"}));
}

TEST_F(RegressionWindow, GraphicalReadingFollowsTheMouse) {
    TTwoDimStat* w = open();
    ASSERT_NE(w, nullptr);
    w->PaintBox1->grab();
    ASSERT_TRUE(w->layout().valid);
    w->YGrafiskt1->trigger();
    EXPECT_EQ(w->mouseMode(), ui::PlotMouseMode::ReadY);
    const TAxisTransform& t = w->layout().transform;
    const QPoint at(XToPixel(t, 3), YToPixel(t, 6));
    QTest::mouseMove(w->PaintBox1, at);
    const Extended x = PixelToX(at.x(), t);
    const std::string expected = "x=" + FormatG4(x) + "    y^=" + FormatG4(1.99L * x + 0.05L);
    EXPECT_EQ(w->readingText().toStdString().rfind(expected, 0), 0u)
        << w->readingText().toStdString();
    QTest::mouseClick(w->PaintBox1, Qt::LeftButton, {}, at);
    EXPECT_EQ(w->mouseMode(), ui::PlotMouseMode::None);
    EXPECT_FALSE(w->YGrafiskt1->isChecked());

    w->XGrafiskt1->trigger();
    const QPoint below = at + QPoint(0, 20);
    QTest::mouseMove(w->PaintBox1, below);
    const Extended y = PixelToY(below.y(), t);
    EXPECT_EQ(w->readingText().toStdString().rfind(
                  "y=" + FormatG4(y) + "    x=" + FormatG4((y - 0.05L) / 1.99L) + "±", 0),
              0u)
        << w->readingText().toStdString();
}

TEST_F(RegressionWindow, AxisCommands) {
    TTwoDimStat* w = open();
    ASSERT_NE(w, nullptr);
    struct Ranges {
        double xmin, xmax, ymin, ymax;
    };
    const struct {
        QAction* action;
        Ranges expected;  // from the data range 1..5 by 2.1..10.1
    } cases[] = {
        {w->Zoomain1, {1, 2.5, 2.1, 5.05}},    {w->Anpassa1, {1, 5, 2.1, 10.1}},
        {w->Zoomaut1, {1, 10, 2.1, 20.2}},     {w->Inkluderay01, {1, 10, 0, 20.2}},
        {w->Anpassa1, {1, 5, 2.1, 10.1}},      {w->Inkluderax01, {0, 5, 2.1, 10.1}},
        {w->Inkluderaorigo1, {0, 5, 0, 10.1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action->text().toStdString());
        c.action->trigger();
        const RegressionViewOptions& v = w->view();
        EXPECT_NEAR(double(v.XMin), c.expected.xmin, 1e-12);
        EXPECT_NEAR(double(v.XMax), c.expected.xmax, 1e-12);
        EXPECT_NEAR(double(v.YMin), c.expected.ymin, 1e-12);
        EXPECT_NEAR(double(v.YMax), c.expected.ymax, 1e-12);
    }

    // Egna värden asks the y axis, then the x axis; a maximum below the minimum keeps the old.
    dialogs.scale(ScaleChoice{"12", "-1", "", false});
    dialogs.scale(ScaleChoice{"1", "6", "", false});
    w->Egnavarden1->trigger();
    ASSERT_GE(dialogs.asked().size(), 3u);
    EXPECT_EQ(dialogs.asked()[1].title, "Y-axeln");
    EXPECT_EQ(dialogs.asked()[1].text, "10;0,0;");  // FormatSignificant(2, ...) of the range
    EXPECT_EQ(dialogs.asked()[2].title, "X-axeln");
    EXPECT_EQ(w->view().YMin, -1);
    EXPECT_EQ(w->view().YMax, 12);
    EXPECT_EQ(w->view().XMin, 0);
    EXPECT_EQ(w->view().XMax, 5);

    // Proportionerligt: one world unit the same number of pixels both ways.
    w->Anpassa1->trigger();
    w->Proportionerligt1->trigger();
    const QSize box = w->graphSize();
    const RegressionViewOptions& v = w->view();
    EXPECT_NEAR(double((v.XMax - v.XMin) / (v.YMax - v.YMin)), double(box.width()) / box.height(),
                1e-12);
    EXPECT_NEAR(double(v.YMax + v.YMin) / 2, 6.1, 1e-12);  // the centre stays
    w->Zoomain1->trigger();
    EXPECT_FALSE(w->Proportionerligt1->isChecked());

    dialogs.font(FontSpec{"Serif", 14});
    w->Fontpaaxlar1->trigger();
    EXPECT_EQ(w->view().axis_font, (FontSpec{"Serif", 14}));

    for (int i = 0; i < 20; ++i) w->Forminska1->trigger();
    EXPECT_EQ(w->view().ShrinkLevel, 14);
    w->Forstora1->trigger();
    EXPECT_EQ(w->view().ShrinkLevel, 13);
    for (int i = 0; i < 20; ++i) w->Forstora1->trigger();
    EXPECT_EQ(w->view().ShrinkLevel, 1);
}

TEST_F(RegressionWindow, OwnTextsArePlacedDraggedRefontedAndRemoved) {
    TTwoDimStat* w = open();
    ASSERT_NE(w, nullptr);
    w->PaintBox1->grab();
    const FontSpec font{"", 14};
    dialogs.caption(CaptionChoice{"Blank", font});
    w->Laggtilltext1->trigger();
    EXPECT_EQ(w->readingText(), "Högerklicka där texten skall placeras");
    QTest::mouseClick(w->PaintBox1, Qt::RightButton, {}, QPoint(200, 100));
    ASSERT_EQ(w->view().texts.size(), 1u);
    const TAxisTransform& t = w->layout().transform;
    EXPECT_EQ(XToPixel(t, w->view().texts[0].x), 200);
    EXPECT_EQ(YToPixel(t, w->view().texts[0].y), 100);
    EXPECT_EQ(w->mouseMode(), ui::PlotMouseMode::None);
    RecordingCanvas screen;
    w->setEcho(ui::GraphTarget::Screen, &screen);
    w->PaintBox1->grab();
    EXPECT_EQ(screen.Texts().back(), "Blank");

    w->Flyttatext1->trigger();
    QTest::mousePress(w->PaintBox1, Qt::LeftButton, {}, QPoint(205, 105));
    QTest::mouseMove(w->PaintBox1, QPoint(255, 135));
    QTest::mouseRelease(w->PaintBox1, Qt::LeftButton, {}, QPoint(255, 135));
    EXPECT_EQ(XToPixel(t, w->view().texts[0].x), 250);
    EXPECT_EQ(YToPixel(t, w->view().texts[0].y), 130);

    w->Andrafont1->trigger();
    dialogs.font(FontSpec{"Serif", 20});
    QTest::mouseClick(w->PaintBox1, Qt::RightButton, {}, QPoint(100, 300));  // beside it
    QTest::mouseClick(w->PaintBox1, Qt::RightButton, {}, QPoint(252, 132));
    EXPECT_EQ(w->view().texts[0].font, (FontSpec{"Serif", 20}));

    w->Tabortalltext1->trigger();
    EXPECT_TRUE(w->view().texts.empty());
}

TEST_F(RegressionWindow, PointSizeRowNumbersSwapAndXYValues) {
    TTwoDimStat* w = open();
    ASSERT_NE(w, nullptr);
    dialogs.input("6");
    w->Punktstorlek1->trigger();
    EXPECT_EQ(dialogs.asked().back().text, "Punktstorlek (Nuv=3)");
    EXPECT_EQ(w->view().PointSize, 6);
    dialogs.input("0");
    w->Punktstorlek1->trigger();
    EXPECT_EQ(w->view().PointSize, 6);
    EXPECT_EQ(dialogs.messages().size(), 1u);

    w->Visaradnummer1->trigger();
    RecordingCanvas screen;
    w->setEcho(ui::GraphTarget::Screen, &screen);
    w->PaintBox1->grab();
    const auto ellipses = screen.OfKind(PrimitiveKind::Ellipse);
    ASSERT_EQ(ellipses.size(), 5u);
    const int radius = (ellipses[0].box.right - ellipses[0].box.left) / 2;
    EXPECT_EQ(radius, std::max(1, w->PaintBox1->width() / 700 * 6));
    const auto texts = screen.Texts();
    for (const char* row : {"1", "2", "3", "4", "5"}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), row), texts.end()) << row;
    }
    w->close();
    // The size is kept for the next opening.
    w = open();
    EXPECT_EQ(w->view().PointSize, 6);
    dialogs.input("3");
    w->Punktstorlek1->trigger();

    w->Bytplats1->trigger();
    EXPECT_EQ(w->data().XTitle, "y");
    EXPECT_EQ(w->data().YTitle, "x");
    // Sxy/Syy = 19.9/39.708 by hand
    EXPECT_NEAR(double(w->model()->ValueAt(1) - w->model()->ValueAt(0)), 0.5011584567, 1e-9);
    EXPECT_NEAR(double(w->view().XMin), 2.1, 1e-15);
    EXPECT_NEAR(double(w->view().XMax), 10.1, 1e-15);

    w->Visaxyvardena1->trigger();
    const auto memo = Lines(w->Memo1->toPlainText());
    ASSERT_EQ(memo.size(), 6u);
    EXPECT_EQ(memo[0], "(x:y)");
    EXPECT_EQ(memo[1], "(2,1:1)");  // the texts as they stand, swapped
}

TEST_F(RegressionWindow, RowNumbersOfReplicatesDoNotRunIntoEachOther) {
    // Rows 1 and 2 are replicates a pixel or two apart: one label is written, not a smear.
    TTwoDimStat* w = open({"1", "1", "2", "3"}, {"2", "2,01", "4", "6"});
    ASSERT_NE(w, nullptr);
    w->Visaradnummer1->trigger();
    RecordingCanvas screen;
    w->setEcho(ui::GraphTarget::Screen, &screen);
    w->PaintBox1->grab();
    EXPECT_EQ(screen.OfKind(PrimitiveKind::Ellipse).size(), 4u);
    std::vector<std::string> labels;  // written beside the points, unlike the axis labels
    for (const Primitive& p : screen.OfKind(PrimitiveKind::Text)) {
        if (p.align == TextAlign{HAlign::Left, VAlign::Bottom}) labels.push_back(p.text);
    }
    const auto count = [&](const char* row) {
        return std::count(labels.begin(), labels.end(), row);
    };
    EXPECT_EQ(count("1"), 1);
    EXPECT_EQ(count("2"), 0);
    EXPECT_EQ(count("3"), 1);
    EXPECT_EQ(count("4"), 1);
}

TEST_F(RegressionWindow, ResidualsAreShownAndWrittenIntoTheFirstEmptyColumns) {
    TTwoDimStat* w = open();
    ASSERT_NE(w, nullptr);
    window->state().DataChanged = false;
    w->Laggtilldatafaltet1->trigger();
    w->Laggtillkvadraterna1->trigger();
    EXPECT_TRUE(window->state().DataChanged);
    EXPECT_EQ(sheet().cell(4, 1), "Residual");
    EXPECT_EQ(sheet().cell(5, 1), "Residual");
    // y − (1.99x + 0.05) by hand
    const char* residuals[] = {"0,06", "-0,13", "0,18", "-0,21", "0,1"};
    const char* squares[] = {"0,0036", "0,0169", "0,0324", "0,0441", "0,01"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(sheet().cell(4, 2 + i), residuals[i]);
        EXPECT_EQ(sheet().cell(5, 2 + i), squares[i]);
    }
    EXPECT_EQ(sheet().cell(4, 7), "");

    w->Visagrafiskt1->trigger();
    auto* plot = opened<ui::ResidualWindow>();
    ASSERT_NE(plot, nullptr);
    EXPECT_NEAR(double(plot->residuals().y[3]), -0.21, 1e-15);
    RecordingCanvas screen;
    plot->setEcho(ui::GraphTarget::Screen, &screen);
    plot->PaintBox1->grab();
    EXPECT_EQ(screen.OfKind(PrimitiveKind::Ellipse).size(), 5u);
}

TEST_F(RegressionWindow, CopyPrintAndSaveTextAndGraph) {
    TTwoDimStat* w = open();
    ASSERT_NE(w, nullptr);
    w->Text1->trigger();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime && mime->hasText());
    EXPECT_EQ(mime->text().toStdString(), w->ResultText());
    EXPECT_EQ(w->ResultText(),
              "y mot x\rLinjen y=kx+l\ra0=0,05±0,6303  a1=1,99±0,19\r"
              "r²=0,9973    n = 5    Sy=0,1889   RMS=0,1463\rKonfidensintervall: 95,00%\r");

    w->Grafik1->trigger();
    mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime && mime->hasFormat("image/png"));
    QImage png;
    ASSERT_TRUE(png.loadFromData(mime->data("image/png"), "PNG"));
    EXPECT_EQ(png.size(), w->graphSize());
    // The red of the points reaches the copy.
    int red = 0;
    for (int y = 0; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) red += png.pixel(x, y) == qRgb(255, 0, 0);
    }
    EXPECT_GT(red, 5);

    QTemporaryDir dir;
    ui::PdfFilePrinterChooser chooser(dir.filePath("text.pdf"));
    w->setPrinterChooser(&chooser);
    w->Text2->trigger();
    EXPECT_TRUE(QFile::exists(dir.filePath("text.pdf")));
    dialogs.saveFile(dir.filePath("graph.svg").toStdString());
    w->Sparagrafik1->trigger();
    QFile svg(dir.filePath("graph.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<svg"));
}

}  // namespace
}  // namespace tabulon::testing
