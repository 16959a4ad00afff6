// 1-Dim > Test mot konstant through the menu: the constant's question, its caption, the
// statistic against R, Cancel keeping the constant, "Ny konstant" and the level control.
#include <QPushButton>

#include "graphs/ui/level_control.h"
#include "two_sample_commands_fixture.h"
#include "univariate/ui/ktest_window.h"
#include "univariate/ui/signed_rank_window.h"

namespace tabulon::testing {
namespace {

using ui::TKTest;

// R, set.seed(7): p <- round(rnorm(12, 50, 4), 2)
const std::vector<std::string> kP{"59,15", "45,21", "47,22", "48,35", "46,12", "46,21",
                                  "52,99", "49,53", "50,61", "58,76", "51,43", "60,87"};

class KTestCommand : public TwoSampleCommandTest {
protected:
    TKTest* run(const char* constant) {
        fill(2, kP, "P");
        if (constant)
            dialogs.input(constant);
        else
            dialogs.cancelInput();
        window->Execute("endim.test_mot_konstant");
        return opened<TKTest>();
    }
};

TEST_F(KTestCommand, AsksForTheConstantAndTestsTheMeanAgainstIt) {
    TKTest* w = run("45");
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].text, "Konstantens värde");
    EXPECT_EQ(w->windowTitle(), "P: Test på avvikelse från konstant");
    // R: t.test(p, mu = 45) t = 4.026474; qt(0.975, 11) = 2.200985 on the 0.001 grid
    EXPECT_EQ(Shown(w),
              (std::vector<std::string>{"Test att väntevärdet (m=51,371) är skilt från 45:",
                                        "u = 4,0265 > t(11) = 2,2", "Skillnaden är signifikant!"}));
    EXPECT_EQ(window->state().SampleValues, kP);
    EXPECT_EQ(window->state().SampleRowNumbers.back(), "12");
    // 1 %: qt(0.995, 11) = 3.105807; the button reads "0,1%" with a comma in this window
    w->levelControl()->fixedButtons()[2]->click();
    EXPECT_EQ(Shown(w)[1], "u = 4,0265 > t(11) = 3,105");
    EXPECT_EQ(w->levelControl()->fixedButtons()[3]->text(), "0,1%");
    EXPECT_EQ(Lines(w->ResultText(), '\r').back(), "Nivå: 1,00%");
}

TEST_F(KTestCommand, CancelKeepsTheConstantOfTheLastUse) {
    TKTest* first = run("50,5");
    ASSERT_NE(first, nullptr);
    first->close();
    QApplication::processEvents();
    TKTest* second = run(nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->result().constant, 50.5L);
    // R: t.test(p, mu = 50.5) t = 0.5503; no difference
    EXPECT_EQ(Shown(second)[2], "Det finns ingen signifikant skillnad.");
}

TEST_F(KTestCommand, TheMeanAsConstantGivesUZeroAndNewConstantAsksAgain) {
    fill(2, kP, "P");
    fill(3, {"1", "2", "3", "4", "5"}, "Q");
    dialogs.chooseFromList({"2: Q"}).input("3");
    window->Execute("endim.test_mot_konstant");
    TKTest* w = opened<TKTest>();
    ASSERT_NE(w, nullptr);
    // C = the mean 3: u = 0; qt(0.975, 4) = 2.776445 on its grid
    EXPECT_EQ(Shown(w)[1], "u = 0 < t(4) = 2,776");
    EXPECT_EQ(Shown(w)[2], "Det finns ingen signifikant skillnad.");
    dialogs.input("abc");
    w->NyKonstant->click();
    EXPECT_EQ(dialogs.messages().back(), "'abc' är inte ett giltigt tal");
    dialogs.input("40");
    w->NyKonstant->click();
    EXPECT_EQ(Shown(w)[0], "Test att väntevärdet (m=3) är skilt från 40:");
}

TEST_F(KTestCommand, TheCaptionDoesNotCarryAnotherProceduresText) {
    // A signed-rank test first leaves its verdict behind; the caption still names the column.
    fill(3, {"3", "4", "2", "5", "1"}, "Q");
    fill(4, {"1", "1", "1", "1", "1"}, "R");
    dialogs.chooseTwo(std::pair{"2: Q", "3: R"});
    window->Execute("endim.parade.wilcoxon");
    ASSERT_NE(opened<ui::SignedRankWindow>(), nullptr);
    dialogs.chooseFromList({"1: P"}).input("45");
    fill(2, kP, "P");
    window->Execute("endim.test_mot_konstant");
    ASSERT_NE(opened<TKTest>(), nullptr);
    EXPECT_EQ(opened<TKTest>()->windowTitle(), "P: Test på avvikelse från konstant");
}

TEST_F(KTestCommand, OneValueIsRefused) {
    fill(2, {"3"}, "P");
    window->Execute("endim.test_mot_konstant");
    EXPECT_EQ(opened<TKTest>(), nullptr);
    EXPECT_EQ(dialogs.messages(),
              (std::vector<std::string>{"Det måste finnas minst två värden i kolumnen P"}));
}

}  // namespace
}  // namespace tabulon::testing
