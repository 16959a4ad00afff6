// 1-Dim > Parade observationer through the menu: the paired t-test window and the Wilcoxon
// signed-rank window, their refusals and texts.
#include <QPushButton>

#include "graphs/recording_canvas.h"
#include "graphs/ui/level_control.h"
#include "graphs/ui/paint_box.h"
#include "two_sample_commands_fixture.h"
#include "univariate/ui/paired_window.h"
#include "univariate/ui/signed_rank_window.h"

namespace tabulon::testing {
namespace {

using ui::SignedRankWindow;
using ui::TParadedata;

// R, set.seed(5): x <- round(rnorm(10, 20, 2), 1); y <- round(x + rnorm(10, 0.8, 1), 1)
const std::vector<std::string> kX{"18,3", "22,8", "17,5", "20,1", "23,4",
                                  "18,8", "19,1", "18,7", "19,4", "20,3"};
const std::vector<std::string> kY{"20,3", "22,8", "17,2", "20,7", "23,1",
                                  "19,5", "19,3", "17,3", "20,4", "20,8"};

class PairedCommand : public TwoSampleCommandTest {
protected:
    void run(const char* key, const std::vector<std::string>& a,
             const std::vector<std::string>& b) {
        fill(2, a, "X");
        fill(3, b, "Y");
        dialogs.chooseTwo(std::pair{"1: X", "2: Y"});
        window->Execute(key);
    }
};

TEST_F(PairedCommand, PairedTTestAgreesWithR) {
    run("endim.parade.ttest", kX, kY);
    TParadedata* w = opened<TParadedata>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(),
              "Parade data: Är värdena i den ena serien signifikant större än i den andra?");
    // R: t.test(x, y, paired = TRUE) t = -1.047645, df = 9; qt(0.975, 9) = 2.262157
    EXPECT_EQ(Shown(w), (std::vector<std::string>{"u=1,048", "n=10", "t=2,262",
                                                  "Ingen signifikant skillnad"}));
    EXPECT_FALSE(w->PaintBox1->isVisible());
    EXPECT_FALSE(w->Grafik1->isEnabled());
    EXPECT_EQ(w->levelControl()->fieldLabel(), "Nivå");
    // up to 20 %: qt(0.9, 9) = 1.383029, still above u
    for (int i = 0; i < 30; ++i) w->levelControl()->press(LevelArrow::LargeUp);
    EXPECT_EQ(Shown(w)[2], "t=1,383");
}

TEST_F(PairedCommand, EqualDifferencesAreReportedNotDividedByZero) {
    run("endim.parade.ttest", {"1,1", "2,1", "3,1"}, {"1", "2", "3"});
    EXPECT_EQ(opened<TParadedata>(), nullptr);
    EXPECT_EQ(
        dialogs.messages(),
        (std::vector<std::string>{"Alla skillnader är lika (s=0): t-testet kan inte beräknas"}));
}

TEST_F(PairedCommand, SignedRankExampleWithAnUnchangedPair) {
    // (5, 3), (4, 4), (7, 2), (6, 5): n = 3, T = 0; p = 100·P(W <= 0) = 12.5 % exactly
    run("endim.parade.wilcoxon", {"5", "4", "7", "6"}, {"3", "4", "2", "5"});
    SignedRankWindow* w = opened<SignedRankWindow>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Wilcoxon's signed rank test");
    EXPECT_EQ(Shown(w), (std::vector<std::string>{
                            "Wilcoxons teckentest",
                            "n=3 (förändrade värden).   Icke inkluderade: 1 (oförändrade värden)",
                            "Rangsumman=0", "Skillnader: X-Y ()",
                            "Ingen signifikant skillnad (p=12,5%  enkelsidigt test)"}));
    RecordingCanvas screen;
    w->setEcho(ui::GraphTarget::Screen, &screen);
    w->PaintBox1->grab();
    int summaries = 0;
    for (const std::string& t : screen.Texts()) {
        if (t.find("Median=") != std::string::npos) ++summaries;
    }
    EXPECT_EQ(summaries, 3);  // both columns and their differences
}

TEST_F(PairedCommand, SignedRankOnRDataWithTies) {
    // R: V = 13 with 9 changed pairs; 100*psignrank(13, 9) = 15.03906
    run("endim.parade.wilcoxon", kX, kY);
    SignedRankWindow* w = opened<SignedRankWindow>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(Shown(w)[4], "Ingen signifikant skillnad (p=15,04%  enkelsidigt test)");
}

struct CountCase {
    int changed;
    const char* message;
};
class SignedRankLimits : public PairedCommand, public ::testing::WithParamInterface<CountCase> {};

TEST_P(SignedRankLimits, TooFewOrTooManyChangedPairs) {
    std::vector<std::string> a, b;
    for (int i = 0; i < GetParam().changed; ++i) {
        a.push_back(std::to_string(i + 2));
        b.push_back("1");
    }
    a.push_back("9");
    b.push_back("9");  // one unchanged pair does not count
    run("endim.parade.wilcoxon", a, b);
    EXPECT_EQ(opened<SignedRankWindow>(), nullptr);
    EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{GetParam().message}));
}

INSTANTIATE_TEST_SUITE_P(Counts, SignedRankLimits,
                         ::testing::Values(CountCase{2, "För få förändrade par (<3)"},
                                           CountCase{46, "För många par. Använd t-test"}));

TEST_F(PairedCommand, TextInACellIsErrorInData) {
    run("endim.parade.wilcoxon", {"1", "2", "tre"}, {"3", "4", "5"});
    EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{"Fel i indata"}));
    fill(4, {}, "");
    run("endim.parade.ttest", {"1", "2", "tre"}, {"3", "4", "5"});
    EXPECT_EQ(dialogs.messages().back(), "Fel i indata");
}

TEST_F(PairedCommand, OneDataColumn) {
    fill(2, {"1", "2"}, "X");
    window->Execute("endim.parade.ttest");
    EXPECT_EQ(dialogs.messages(),
              (std::vector<std::string>{"Det måste finnas minst två kolumner"}));
}

}  // namespace
}  // namespace tabulon::testing
