// 2-Dim's overlay and all-against-all windows through the real menu with scripted dialogs:
// the column and pair choices, the table clicks, the axis fields, the slope comparison, and a
// double click from a grid cell to the regression window.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTableWidget>

#include "graphs/ui/paint_box.h"
#include "regression/ui/all_against_all_window.h"
#include "regression/ui/overlay_window.h"
#include "regression/ui/two_dim_stat.h"
#include "support/main_window_fixture.h"

namespace tabulon::testing {
namespace {

using ui::AllAgainstAllWindow;
using ui::OverlayPlotWindow;

class OverlayCommands : public ResultWindowTest {
protected:
    void SetUp() override {
        ResultWindowTest::SetUp();
        fill(2, {"0", "2", "4", "6", "8", "10"}, "Konc");
        fill(3, {"1", "5", "9", "13", "17", "21"}, "A");
        fill(4, {"0", "1", "2", "3,2", "", "5"}, "B");
    }
    template <typename W>
    W* opened(const char* key) {
        window->Execute(key);
        QApplication::processEvents();
        const auto all = window->findChildren<W*>();
        return all.isEmpty() ? nullptr : all.back();
    }
};

TEST_F(OverlayCommands, SameXTableClicksAxesAndSlopes) {
    dialogs.chooseFromList({"1: Konc"}).chooseFromList({"2: A", "3: B"});
    OverlayPlotWindow* w = opened<OverlayPlotWindow>("tvadim.samma_x");
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->StringGrid1->rowCount(), 2);
    EXPECT_EQ(w->StringGrid1->item(1, 2)->text().toStdString(), "y=0,505405x+0,0162162");
    // Default axes for 0..10 and 0..21 (step 2, q = 10.5): -1..11 and -2..22.
    EXPECT_EQ(w->AxisEdits[0]->text(), "-1");
    EXPECT_EQ(w->AxisEdits[1]->text(), "11");
    EXPECT_EQ(w->AxisEdits[4]->text(), "22");
    w->TableClick(1, 1);
    EXPECT_EQ(w->StringGrid1->item(1, 1)->text(), "");
    EXPECT_EQ(w->view().shown, (std::vector<bool>{true, false}));
    w->TableClick(0, 0);
    EXPECT_EQ(w->view().emphasised, 1);
    // A typed axis is read at Rita om; a text that is no number stops the redraw and says so.
    w->AxisEdits[1]->setText("20");
    w->RitaOmClick();
    EXPECT_EQ(w->view().axes.XMax, 20);
    w->AxisEdits[1]->setText("abc");
    w->RitaOmClick();
    EXPECT_EQ(dialogs.messages().back(), "'abc' är inte ett giltigt tal");
    EXPECT_EQ(w->view().axes.XMax, 20);
    w->BeraknaClick();
    EXPECT_EQ(w->view().axes.XMax, 11);
    w->SlopeDifferenceClick();
    EXPECT_EQ(dialogs.messages().back().rfind("95% Konfidensintervall: k(y1) - k(y2) = 1,49459 ± ", 0),
              0u);
    w->TableClick(1, 1);
    QApplication::processEvents();
    EXPECT_TRUE(w->grab().save("/tmp/tabulon_overlay_window.png"));
}

TEST_F(OverlayCommands, DifferentXPairsEachYWithItsOwnX) {
    dialogs.seriesPairs(std::vector<std::pair<std::string, std::string>>{{"Konc", "A"},
                                                                         {"Row Numbers", "B"}});
    OverlayPlotWindow* w = opened<OverlayPlotWindow>("tvadim.olika_x");
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->data().series.size(), 2u);
    EXPECT_EQ(w->data().series[0].XTexts.front(), "0");
    // Against the row numbers the gap in B leaves its row out: x = 1, 2, 3, 4, 6.
    EXPECT_EQ(w->data().series[1].XTexts, (std::vector<std::string>{"1", "2", "3", "4", "6"}));
    EXPECT_EQ(dialogs.asked().back().text, "Row Numbers\nKonc\nA\nB");
}

TEST_F(OverlayCommands, AllAgainstAllOpensTheRegressionWindowOfACell) {
    dialogs.chooseFromList({"1: Konc", "2: A", "3: B"});
    AllAgainstAllWindow* w = opened<AllAgainstAllWindow>("tvadim.alla_mot_alla");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->ResultText().substr(0, 16), "r\tKonc\tA\tB\r\nKonc");
    w->Correlations->setChecked(true);
    QApplication::processEvents();
    EXPECT_TRUE(w->grab().save("/tmp/tabulon_all_against_all.png"));
    // Row 1 (A), column 0 (Konc): A against Konc.
    const QSize size = w->PaintBox1->size();
    w->CellDoubleClicked(QPoint(size.width() / 6, size.height() / 2));
    QApplication::processEvents();
    const auto regressions = window->findChildren<ui::TTwoDimStat*>();
    ASSERT_EQ(regressions.size(), 1);
    EXPECT_EQ(regressions.back()->equationText().toStdString().rfind("a0=1", 0), 0u);
}

TEST_F(OverlayCommands, AllAgainstAllNeedsThreeColumns) {
    grid().editSheet([](Worksheet& s) {
        for (int r = 0; r < s.rowCount(); ++r) s.setCell(4, r, r == 0 ? "3" : "");
    });
    window->Execute("tvadim.alla_mot_alla");
    EXPECT_TRUE(dialogs.asked().empty());
    EXPECT_TRUE(window->findChildren<AllAgainstAllWindow*>().isEmpty());
}

}  // namespace
}  // namespace tabulon::testing
