// 1-Dim > ANOVA through the real menu with scripted dialogs: the window's table, mean
// squares, F line and verdict at changing levels, the Bonferroni window with its copy and
// print, and the refusals.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "graphs/recording_canvas.h"
#include "graphs/ui/level_control.h"
#include "graphs/ui/paint_box.h"
#include "two_sample_commands_fixture.h"
#include "univariate/ui/anova_window.h"
#include "univariate/ui/bonferroni_window.h"

namespace tabulon::testing {
namespace {

using ui::AnovaWindow;
using ui::BonferroniWindow;

class AnovaCommand : public TwoSampleCommandTest {
protected:
    AnovaWindow* runWorkedExample() {
        fill(2, {"1", "2", "3"}, "A");
        fill(3, {"4", "5", "6"}, "B");
        fill(4, {"7", "8", "9"}, "C");
        dialogs.chooseFromList({"1: A", "2: B", "3: C"});
        window->Execute("endim.anova");
        return opened<AnovaWindow>();
    }
    static std::string Cell(QTableWidget* table, int row, int column) {
        return table->item(row, column)->text().toStdString();
    }
};

TEST_F(AnovaCommand, WorkedExampleAndLevels) {
    AnovaWindow* w = runWorkedExample();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), "ANOVA \"analysis of variances\"");
    EXPECT_EQ(dialogs.asked().back().title, "ANOVA välj kolumner");
    ASSERT_EQ(w->GroupTable->rowCount(), 3);
    EXPECT_EQ(Cell(w->GroupTable, 2, 0), "3: C");
    EXPECT_EQ(Cell(w->GroupTable, 2, 1), "8,000000");  // worked by hand
    // worked by hand: MSB 27, MSW 1; R: qf(0.95, 2, 6) = 5.143253
    EXPECT_EQ(w->MellanEdit->text(), "27");
    EXPECT_EQ(w->InomEdit->text(), "1");
    EXPECT_EQ(w->FLabel->text(), "F = 27 > F(0,05 ; 2 ; 6) = 5,143");
    EXPECT_EQ(w->VerdictLabel->text(), "Signifikant skillnad mellan medelvärdena");
    EXPECT_TRUE(w->BonferroniButton->isVisible());
    EXPECT_EQ(Lines(w->ResultText(), '\r')[5], "ANOVA \"analysis of variances\" på nivån 5,00%:");

    // 0.01 %: F(2, 6) at 0.9999 is 3((10^-4)^(-1/3) - 1) = 61.63 (worked by hand)
    w->levelControl()->fixedButtons()[4]->click();
    EXPECT_EQ(w->FLabel->text(), "F = 27 < F(0,0001 ; 2 ; 6) = 61,63");
    EXPECT_EQ(w->VerdictLabel->text(), "Ingen signifikant skillnad mellan medelvärdena");
    EXPECT_FALSE(w->BonferroniButton->isVisible());
    EXPECT_EQ(Lines(w->ResultText(), '\r')[5], "ANOVA \"analysis of variances\" på nivån 0,01%:");

    // 1 %: 3(100^(1/3) - 1) = 10.92 (worked by hand), significant again
    w->levelControl()->fixedButtons()[2]->click();
    EXPECT_TRUE(w->BonferroniButton->isVisible());

    RecordingCanvas screen;
    w->setEcho(ui::GraphTarget::Screen, &screen);
    w->PaintBox1->grab();
    EXPECT_EQ(screen.OfKind(PrimitiveKind::Polyline).size(), 3u);
}

TEST_F(AnovaCommand, BonferroniWindowCopiesAndPrintsItsTable) {
    AnovaWindow* w = runWorkedExample();
    ASSERT_NE(w, nullptr);
    w->BonferroniButton->click();
    BonferroniWindow* b = opened<BonferroniWindow>();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->windowTitle(), "Kolumntest på totalt 5,00%-nivån enligt Bonferroni");
    ASSERT_EQ(b->StringGrid1->rowCount(), 3);
    // R: qt(1 - 0.05/6, 6) = 3.287455 on the 0.001 grid; u = 6/√(2/3) worked by hand
    EXPECT_EQ(Cell(b->StringGrid1, 1, 0), "1: A mot 3: C");
    EXPECT_EQ(Cell(b->StringGrid1, 1, 1), "Skillnad");
    EXPECT_EQ(Cell(b->StringGrid1, 1, 2), "7,3485");
    EXPECT_EQ(Cell(b->StringGrid1, 1, 3), "3,2870");

    b->Kopiera1->trigger();
    const std::vector<std::string> copied =
        Lines(QGuiApplication::clipboard()->text().toStdString(), '\n');
    ASSERT_EQ(copied.size(), 5u);
    EXPECT_EQ(copied[3], "1: A mot 3: C\tSkillnad\t7,3485\t3,2870\r");

    TempDir dir;
    const QString pdf = QString::fromStdString((dir.path() / "pairs.pdf").string());
    ui::PdfFilePrinterChooser chooser(pdf);
    b->setPrinterChooser(&chooser);
    b->Skrivut1->trigger();
    EXPECT_EQ(chooser.timesAsked(), 1);
    EXPECT_GT(QFile(pdf).size(), 0);
}

TEST_F(AnovaCommand, RefusalsOpenNoWindow) {
    fill(2, {"1", "2"}, "A");
    fill(3, {"3", "4"}, "B");
    window->Execute("endim.anova");
    EXPECT_EQ(dialogs.messages().back(), "Det måste finnas minst tre kolumner");

    fill(4, {"5"}, "C");
    dialogs.chooseFromList({"1: A", "3: C"});
    window->Execute("endim.anova");
    EXPECT_EQ(dialogs.messages().back(), "Endast ett värde i en kolumn (3: C)");

    dialogs.chooseFromList({"2: B"});
    window->Execute("endim.anova");
    EXPECT_EQ(dialogs.messages().back(), "Välj minst två kolumner att jämföra");
    EXPECT_EQ(opened<AnovaWindow>(), nullptr);
}

}  // namespace
}  // namespace tabulon::testing
