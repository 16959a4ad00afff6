// 1-Dim > Grafik and 3-Dim > xyz-grafik through the real menu with scripted dialogs: the
// column choices, the chart types and toggles, the scale dialog, Info, free texts by mouse;
// the 3-D plot's spins, menus, dragging and restore.
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QSpinBox>
#include <QTest>

#include "graphs/ui/bar_chart_window.h"
#include "graphs/ui/paint_box.h"
#include "graphs/ui/three_dim_plot_window.h"
#include "support/main_window_fixture.h"

namespace tabulon::testing {
namespace {

using ui::BarChartWindow;

class BarChartCommand : public ResultWindowTest {
protected:
    BarChartWindow* open() {
        window->Execute("endim.grafik");
        QApplication::processEvents();
        const auto all = window->findChildren<BarChartWindow*>();
        return all.isEmpty() ? nullptr : all.back();
    }

    // Two columns of five values: A = 1..5, B = 5, 3, 4, 2, 6.
    BarChartWindow* openTwo() {
        fill(2, {"1", "2", "3", "4", "5"}, "A");
        fill(3, {"5", "3", "4", "2", "6"}, "B");
        dialogs.chooseFromList({"1: A", "2: B"});
        return open();
    }
};

TEST_F(BarChartCommand, ChosenColumnsOpenAsMeansAndTheMenusSwitchTypeAndLegend) {
    BarChartWindow* chart = openTwo();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->data().series.size(), 2u);
    EXPECT_EQ(chart->options().type, BarChartType::ColumnMeans);
    EXPECT_TRUE(chart->Summeraderadvis1->isChecked());
    chart->Info1->trigger();
    EXPECT_EQ(dialogs.messages(),
              std::vector<std::string>{"Osäkerheten anger en standardavvikelse"});
    struct Step {
        QAction* action;
        BarChartType type;
        bool legend;
        bool info;
    };
    chart->Forklaring1->trigger();  // legend off, then each type sets it as it needs
    for (const Step& s : {Step{chart->Radvis1, BarChartType::ByRows, true, false},
                          Step{chart->Allarader1, BarChartType::ByColumns, false, false},
                          Step{chart->Punkter1, BarChartType::Points, true, false},
                          Step{chart->Summeraderadvis1, BarChartType::ColumnMeans, true, true}}) {
        s.action->trigger();
        EXPECT_EQ(chart->options().type, s.type);
        EXPECT_EQ(chart->options().legend, s.legend);
        EXPECT_EQ(chart->Info1->isEnabled(), s.info);
        EXPECT_TRUE(s.action->isChecked());
    }
    for (QAction* toggle : {chart->Farg1, chart->Raster1, chart->TreDim1}) {
        const bool before = toggle->isChecked();
        toggle->trigger();
        EXPECT_NE(toggle->isChecked(), before);
    }
    EXPECT_FALSE(chart->options().colour || chart->options().grid || chart->options().three_d);
    chart->Radvis1->trigger();
    chart->Farg1->trigger();
    chart->TreDim1->trigger();
    const QImage picture = chart->grab().toImage();
    EXPECT_TRUE(picture.save("/tmp/tabulon_bar_chart_window.png"));
}

TEST_F(BarChartCommand, AMarkedBlockNamesTheColumnsWithoutAsking) {
    fill(2, {"1", "2"}, "A");
    fill(3, {"3", "4"}, "B");
    fill(4, {"5", "6"}, "C");
    grid().setSelection({3, 2, 4, 3});
    BarChartWindow* chart = open();
    ASSERT_NE(chart, nullptr);
    ASSERT_EQ(chart->data().series.size(), 2u);
    EXPECT_EQ(chart->data().series[0].caption, "B");
    EXPECT_TRUE(dialogs.asked().empty());
}

TEST_F(BarChartCommand, ScaleDialogTakesAnOwnScaleRefusesBadInputAndGoesBackToAutomatic) {
    BarChartWindow* chart = openTwo();
    ASSERT_NE(chart, nullptr);
    struct Case {
        ScaleChoice answer;
        bool manual;
        Extended top;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {{"10", "0", "2", false}, true, 10, {}},
        {{"3", "5", "1", false}, true, 10, {}},  // minimum above maximum: nothing changes
        {{"abc", "0", "1", false}, true, 10, {"Fel i indata"}},
        {{"20", "0", "0", false}, true, 10,
         {"Skalindelningen måste vara större än noll och ge högst 10000 markeringar"}},
        {{"", "", "", true}, false, 0, {}},
    };
    for (const Case& c : cases) {
        dialogs.scale(c.answer);
        const std::size_t before = dialogs.messages().size();
        chart->Skala1->trigger();
        EXPECT_EQ(chart->options().manual_scale, c.manual) << c.answer.maximum;
        if (c.manual) EXPECT_EQ(chart->options().scale_top, c.top);
        const auto all = dialogs.messages();
        EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<long>(before), all.end()),
                  c.messages);
    }
}

TEST_F(BarChartCommand, FreeTextsArePlacedMovedEditedAndRemovedByMouse) {
    BarChartWindow* chart = openTwo();
    ASSERT_NE(chart, nullptr);
    chart->PaintBox1->grab();
    ASSERT_TRUE(chart->layout().valid);
    const FontSpec font{"", 14};
    dialogs.caption(CaptionChoice{"Prov 1", font});
    chart->Infoga1->trigger();
    EXPECT_EQ(chart->mouseMode(), ui::ChartMouseMode::AddText);
    chart->PlotPressed({100, 80}, Qt::LeftButton);
    ASSERT_EQ(chart->options().texts.size(), 1u);
    const TAxisTransform& t = chart->layout().transform;
    EXPECT_EQ(XToPixel(t, chart->options().texts[0].x), 100);
    EXPECT_EQ(chart->options().texts[0].font, font);

    // Dragged by its corner from (102, 82) to (152, 132).
    chart->PlotPressed({102, 82}, Qt::LeftButton);
    chart->PlotMoved({152, 132});
    chart->PlotReleased();
    EXPECT_EQ(XToPixel(t, chart->options().texts[0].x), 150);
    EXPECT_EQ(YToPixel(t, chart->options().texts[0].y), 130);

    dialogs.font(FontSpec{"", 20, true});
    chart->Fontpatext1->trigger();
    chart->PlotPressed({155, 135}, Qt::LeftButton);
    EXPECT_TRUE(chart->options().texts[0].font.bold);

    dialogs.caption(CaptionChoice{"Prov 2", font});
    chart->Redigera1->trigger();
    chart->PlotPressed({400, 400}, Qt::LeftButton);  // no text there: still waiting
    EXPECT_EQ(chart->mouseMode(), ui::ChartMouseMode::EditText);
    chart->PlotPressed({155, 135}, Qt::LeftButton);
    EXPECT_EQ(chart->options().texts[0].text, "Prov 2");

    dialogs.caption(CaptionChoice{"", font});
    chart->Redigera1->trigger();
    chart->PlotPressed({155, 135}, Qt::LeftButton);
    EXPECT_TRUE(chart->options().texts.empty());
    EXPECT_FALSE(chart->Redigera1->isEnabled());
}

TEST_F(BarChartCommand, XyzPlotOpensOnThreeChosenColumnsAndItsControlsDriveTheView) {
    fill(2, {"5", "7", "10"}, "x");
    fill(3, {"1", "2", "3"}, "y");
    fill(4, {"4", "abc", "6"}, "z");
    dialogs.chooseFromList({"1: x"}).chooseFromList({"2: y"}).chooseFromList({"3: z"});
    window->Execute("tredim.xyz_grafik");
    QApplication::processEvents();
    auto* plot = window->findChild<ui::ThreeDimPlotWindow*>();
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->windowTitle().toStdString(), "3-Dim plot: 1: x versus  2: y versus  3: z");
    EXPECT_FALSE(plot->isModal());
    // Row 2 has a z that is not a number: two points.
    EXPECT_NE(plot->ResultText().find("Ritade punkter: 2"), std::string::npos);

    plot->Allaplan1->trigger();
    plot->Grafik3Popup();
    EXPECT_TRUE(plot->XYplanet1->isChecked() && plot->Allaplan1->isChecked());
    plot->XYplanet1->trigger();
    plot->Grafik3Popup();
    EXPECT_FALSE(plot->XYplanet1->isChecked() || plot->Allaplan1->isChecked());
    plot->Lodlinjer1->trigger();
    EXPECT_FALSE(plot->view().drop_lines);

    plot->Inkluderaorigo1->trigger();
    EXPECT_EQ(plot->scaled().percent[0][0], 50);  // x 5 on 0 .. 10

    plot->SpinEdit1->setValue(30);
    plot->SpinEdit4->setValue(5000);  // held at 500 %
    plot->PlotPressed({10, 10});
    plot->PlotMoved({40, 30});
    plot->PlotReleased({50, 40});
    EXPECT_EQ(plot->view().spin1, 30);
    EXPECT_EQ(plot->view().zoom, 500);
    EXPECT_EQ(plot->view().shift_x, 40);
    EXPECT_EQ(plot->view().shift_y, 30);
    plot->Aterstallfiguren1->trigger();
    EXPECT_EQ(plot->view().spin1, 0);
    EXPECT_EQ(plot->SpinEdit3->value(), -5);
    EXPECT_EQ(plot->SpinEdit4->value(), 100);
    EXPECT_EQ(plot->view().shift_x, 0);

    plot->XYplanet1->trigger();
    plot->Lodlinjer1->trigger();
    EXPECT_TRUE(plot->grab().toImage().save("/tmp/tabulon_xyz_window.png"));
}

TEST_F(BarChartCommand, XyzPlotNeedsThreeColumnsAndANumberInEach) {
    fill(2, {"1"}, "x");
    fill(3, {"2"}, "y");
    window->Execute("tredim.xyz_grafik");  // two columns: nothing is asked
    EXPECT_TRUE(dialogs.asked().empty());
    fill(4, {"abc"}, "z");
    dialogs.chooseFromList({"1: x"}).chooseFromList({"2: y"}).chooseFromList({"3: z"});
    window->Execute("tredim.xyz_grafik");
    EXPECT_EQ(dialogs.messages(),
              std::vector<std::string>{"Varje variabel behöver minst ett tal"});
    EXPECT_EQ(window->findChild<ui::ThreeDimPlotWindow*>(), nullptr);
}

}  // namespace
}  // namespace tabulon::testing
