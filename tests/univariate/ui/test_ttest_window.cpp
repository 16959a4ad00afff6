// 1-Dim > t-test and F-test through the real menu with scripted dialogs: the t-test window's
// F pre-test, pooled and Welch tests, level control, lowest level and graph modes, and the
// entry window in t and F mode.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "graphs/recording_canvas.h"
#include "graphs/ui/level_control.h"
#include "graphs/ui/paint_box.h"
#include "two_sample_commands_fixture.h"
#include "univariate/ui/ttest_manual_window.h"
#include "univariate/ui/ttest_window.h"

namespace tabulon::testing {
namespace {

using ui::TTeTest;
using ui::TTtestmanual;

class TTestCommand : public TwoSampleCommandTest {
protected:
    TTeTest* run(const std::vector<std::string>& a, const std::vector<std::string>& b) {
        fill(2, a, "A");
        fill(3, b, "B");
        dialogs.chooseTwo(std::pair{"1: A", "2: B"});
        window->Execute("endim.ttest.kolumnvarden");
        return opened<TTeTest>();
    }
};

TEST_F(TTestCommand, EqualVariancesGiveFOneAndThePooledTest) {
    TTeTest* w = run({"1", "2", "3", "4", "5"}, {"3", "4", "5", "6", "7"});
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), "t-test");
    // R: var.test gives F = 1; qf(0.975, 4, 4) = 9.60453 on its grid; t = -2 with df = 8
    EXPECT_EQ(Shown(w), (std::vector<std::string>{
                            "A : n=5", "B : n=5", "Resultat:", "A: medel=3,000  s=1,581",
                            "B: medel=5,000  s=1,581", "F=Smax²/Smin²=1< F(0,025 ; 4 ; 4) = 9,6045",
                            "Varianserna kan inte skiljas åt. t-test för lika s har använts",
                            "u = 2,000 < 2,306 = t(8).", "Ingen signifikant skillnad!"}));
    EXPECT_EQ(Lines(w->ResultText(), '\r').front(), "t-test: A mot B  på nivån 5,0%");
    EXPECT_EQ(w->levelControl()->levelText(), "5,00%");
}

TEST_F(TTestCommand, VariancesFourAndOneAtFivePercentAreNotDifferent) {
    // d = ±1.5 twice and six 0: variances 4 (11 + 2d) and 1 (10 + d), n = 10 each;
    // F = 4 < F(9, 9) at 0.975 = 4.026 (R: qf(0.975, 9, 9) = 4.025994): the pooled test
    TTeTest* w = run({"14", "8", "14", "8", "11", "11", "11", "11", "11", "11"},
                     {"11,5", "8,5", "11,5", "8,5", "10", "10", "10", "10", "10", "10"});
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->result().F, 4);
    EXPECT_NEAR(double(w->result().Fc), 4.026, 0.001);
    EXPECT_TRUE(w->result().equal_variances);
    EXPECT_EQ(w->result().df, 18);
    const auto shown = Shown(w);
    EXPECT_EQ(shown[5].rfind("F=Smax²/Smin²=4< F(0,025 ; 9 ; 9) = 4,02", 0), 0u) << shown[5];
    // R: t.test(..., var.equal = TRUE) t = 1.414214; qt(0.975, 18) = 2.100922
    EXPECT_EQ(shown[7], "u = 1,414 < 2,100 = t(18).");

    // At 20 % the F-test sees a difference (qf(0.9, 9, 9) = 2.44) and Welch takes over.
    for (int i = 0; i < 20; ++i) w->levelControl()->press(LevelArrow::LargeUp);
    EXPECT_EQ(w->levelControl()->levelText(), "20,00%");
    EXPECT_FALSE(w->result().equal_variances);
    EXPECT_EQ(Shown(w)[6], "Varianserna skiljer sig åt! t-test för skilda s har använts");
}

TEST_F(TTestCommand, WelchDegreesOfFreedomAreTruncated) {
    // R, set.seed(3): F = 24.37 > qf(0.975, 13, 8); the n + 1, -2 form gives 14.87 -> 14;
    // t.test(a, b) t = -1.04167; qt(0.975, 14) = 2.144787
    TTeTest* w = run({"9,04", "9,71", "10,26", "8,85", "10,2", "10,03", "10,09", "11,12", "8,78"},
                     {"18,34", "8,28", "6,34", "8,42", "13,26", "12,76", "10,46", "7,23", "8,76",
                      "18,12", "13", "9,11", "7,29", "10,98"});
    ASSERT_NE(w, nullptr);
    const auto shown = Shown(w);
    EXPECT_EQ(shown[6], "Varianserna skiljer sig åt! t-test för skilda s har använts");
    EXPECT_EQ(shown[7], "u = 1,042 < 2,144 = t(14).");
}

TEST_F(TTestCommand, LevelButtonsAndLowestSignificantLevel) {
    TTeTest* w = run({"1", "2", "3", "4", "5"}, {"3", "4", "5", "6", "7"});
    ASSERT_NE(w, nullptr);
    w->levelControl()->fixedButtons()[0]->click();  // "10%"
    // qt(0.95, 8) = 1.859548: u = 2 is significant at 10 %
    EXPECT_EQ(Shown(w)[7], "u = 2,000 > 1,859 = t(8).");
    EXPECT_EQ(Shown(w)[8], "Signifikant skillnad!");
    EXPECT_EQ(Lines(w->ResultText(), '\r').front(), "t-test: A mot B  på nivån 10%");

    w->Soklagsta1->trigger();
    // R: 2*pt(-2, 8) = 0.08052: the first grid level (p a multiple of 0.0005) at or above it
    EXPECT_NEAR(double(w->levelControl()->level()), 8.1, 0.11);
    EXPECT_EQ(Shown(w)[8], "Signifikant skillnad!");
}

TEST_F(TTestCommand, GraphModesSwitchHeadingAndCheckMarks) {
    TTeTest* w = run({"1", "2", "3", "4", "5"}, {"3", "4", "5", "6", "7"});
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->Vantevardet1->isChecked());
    RecordingCanvas screen;
    w->setEcho(ui::GraphTarget::Screen, &screen);
    w->PaintBox1->grab();
    EXPECT_EQ(screen.Texts().back(), "Väntevärdet");
    w->Variabeln1->trigger();
    EXPECT_TRUE(w->Variabeln1->isChecked());
    EXPECT_FALSE(w->Vantevardet1->isChecked());
    screen.Clear();
    w->PaintBox1->grab();
    EXPECT_EQ(screen.Texts().back(), "Variabeln");
    // the data marks: five per sample, from the axis up a quarter of the bell
    EXPECT_EQ(screen.OfKind(PrimitiveKind::Polyline).size(), 2u);
}

TEST_F(TTestCommand, AColumnWithOneValueIsRefusedWithoutAWindow) {
    fill(2, {"1"}, "A");
    fill(3, {"3", "4", "5"}, "B");
    dialogs.chooseTwo(std::pair{"1: A", "2: B"});
    window->Execute("endim.ttest.kolumnvarden");
    EXPECT_EQ(opened<TTeTest>(), nullptr);
    EXPECT_EQ(dialogs.messages(),
              (std::vector<std::string>{"Det måste finnas minst två värden i kolumnen A"}));
}

TEST_F(TTestCommand, OneDataColumnIsRefusedAndTextIsNotANumber) {
    fill(2, {"1", "2"}, "A");
    window->Execute("endim.ttest.kolumnvarden");
    EXPECT_EQ(dialogs.messages(),
              (std::vector<std::string>{"Det måste finnas minst två kolumner"}));
    fill(3, {"1", "x"}, "B");
    dialogs.chooseTwo(std::pair{"1: A", "2: B"});
    window->Execute("endim.ttest.kolumnvarden");
    EXPECT_EQ(dialogs.messages().back(), "'x' är inte ett giltigt tal");
    EXPECT_EQ(opened<TTeTest>(), nullptr);
}

class EntryWindow : public TwoSampleCommandTest {
protected:
    TTtestmanual* open(const char* key) {
        window->Execute(key);
        return opened<TTtestmanual>();
    }
    static void set(TTtestmanual* w, std::initializer_list<const char*> texts) {
        int i = 0;
        for (const char* t : texts) w->Edits[static_cast<std::size_t>(i++)]->setText(t);
    }
};

TEST_F(EntryWindow, LevelTwentyFiveBecomesTwenty) {
    TTtestmanual* w = open("endim.ttest.egna_varden");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "t-test");
    EXPECT_EQ(w->TwoSidedVerdict->text(), "Dubbelsidigt test");
    set(w, {"10", "2", "12", "11,5", "1,5", "10"});
    w->LevelEdit->setText("25");
    w->Berakna->click();
    EXPECT_EQ(w->LevelEdit->text(), "20");
    // u = 1.95456 (R) against qt(0.9, 20) = 1.325341 two-sided and qt(0.8, 20) = 0.859964
    EXPECT_EQ(w->TwoSidedLine->text(), "u=1,95456 > 1,325 = t(10%, 20)");
    EXPECT_EQ(w->OneSidedLine->text(), "u=1,95456 > 0,859 = t(20%, 20)");
    EXPECT_EQ(w->TwoSidedVerdict->text(), "Dubbelsidigt test: Signifikant skillnad!");

    w->LevelEdit->setText("0");
    w->Berakna->click();
    EXPECT_EQ(w->LevelEdit->text(), "0,01");
}

TEST_F(EntryWindow, FindLowestLevelOneSidedAndUnreadableInput) {
    TTtestmanual* w = open("endim.ttest.egna_varden");
    ASSERT_NE(w, nullptr);
    set(w, {"10", "2", "12", "11,5", "1,5", "10"});
    w->SokOneSided->click();
    // R: 100*pt(-1.95456, 20) = 3.2379: the first hundredth where t(20) falls below u
    EXPECT_EQ(w->LevelEdit->text(), "3,24");
    EXPECT_EQ(w->OneSidedVerdict->text(), "Enkelsidigt test: Signifikant skillnad!");
    EXPECT_TRUE(dialogs.messages().empty());

    w->Edits[0]->setText("tio");
    w->Berakna->click();
    EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{"Fel i indata"}));
    EXPECT_EQ(w->LevelEdit->text(), "3,24");  // the previous results stay

    w->RensaClick();
    EXPECT_TRUE(w->Edits[0]->text().isEmpty());
    EXPECT_EQ(w->OneSidedVerdict->text(), "Enkelsidigt test");
}

TEST_F(EntryWindow, CountsTakeWholeNumbersAndSeparatorsAreNormalised) {
    TTtestmanual* w = open("endim.ttest.egna_varden");
    ASSERT_NE(w, nullptr);
    w->Edits[TTtestmanual::kN1]->setFocus();
    QTest::keyClicks(w->Edits[TTtestmanual::kN1], "1x2");
    EXPECT_EQ(w->Edits[TTtestmanual::kN1]->text(), "12");
    w->Edits[TTtestmanual::kS1]->setText("2.5");
    emit w->Edits[TTtestmanual::kS1]->editingFinished();
    EXPECT_EQ(w->Edits[TTtestmanual::kS1]->text(), "2,5");
}

TEST_F(EntryWindow, FTestFromColumnsIsFilledAndFindsItsLowestLevel) {
    fill(2, {"1", "2", "3", "4", "5", "6", "7", "8"}, "A");  // s = 2.449490 (R: sd(1:8))
    fill(3, {"1", "1,5", "2", "2,5", "3", "3,5", "4", "4,5", "5", "5,5", "6", "6,5", "7"}, "B");
    dialogs.chooseTwo(std::pair{"1: A", "2: B"});
    TTtestmanual* w = open("endim.ftest.kolumnvarden");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "F-test");
    EXPECT_FALSE(w->Edits[TTtestmanual::kMean1]->isVisible());
    EXPECT_EQ(w->Edits[TTtestmanual::kS1]->text(), "2,44948974278318");  // R: sd(1:8)
    EXPECT_EQ(w->Edits[TTtestmanual::kN1]->text(), "8");
    EXPECT_EQ(w->Edits[TTtestmanual::kS2]->text(), "1,94722024092465");  // R: sd(seq(1, 7, 0.5))
    EXPECT_EQ(w->Edits[TTtestmanual::kN2]->text(), "13");
    w->Berakna->click();
    // R: var.test(1:8, b) F = 1.582418 with (7, 12); qf(0.975, 7, 12) = 3.606515 on its grid
    EXPECT_EQ(w->TwoSidedLine->text().left(13), "F=1,582418 < ");
    EXPECT_TRUE(w->TwoSidedLine->text().endsWith(" = F(2,5%, 7,12)"));
    EXPECT_EQ(w->TwoSidedVerdict->text(), "Dubbelsidigt test: Ingen signifikant skillnad");
    // R: 2*pf(1.582418, 7, 12, lower = FALSE) = 0.46: not significant at 20 % two-sided
    w->SokTwoSided->click();
    EXPECT_EQ(w->LevelEdit->text(), "20,05");
}

TEST_F(EntryWindow, FTestByHandInEnglish) {
    window->SetLanguage("English");
    TTtestmanual* w = open("endim.ftest.egna_varden");
    ASSERT_NE(w, nullptr);
    w->Edits[TTtestmanual::kS1]->setText("3");
    w->Edits[TTtestmanual::kN1]->setText("8");
    w->Edits[TTtestmanual::kS2]->setText("1,5");
    w->Edits[TTtestmanual::kN2]->setText("13");
    w->SokTwoSided->click();
    // R: 2*pf(4, 7, 12, lower = FALSE) = 3.4736 %: the first twentieth above it
    EXPECT_EQ(w->LevelEdit->text(), "3,50");
    EXPECT_EQ(w->TwoSidedVerdict->text(), "Double sided test: Significant difference!");
}

}  // namespace
}  // namespace tabulon::testing
