// 1-Dim > Mann-Whitney u-test and Wilcoxon rank sum test through the menu: ranks, U,
// exchanged roles, the simulation with a fixed seed, its progress and its Cancel.
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>

#include "graphs/recording_canvas.h"
#include "graphs/ui/paint_box.h"
#include "two_sample_commands_fixture.h"
#include "univariate/ui/rank_sum_window.h"

namespace tabulon::testing {
namespace {

using ui::TMannW;

class RankSumCommand : public TwoSampleCommandTest {
protected:
    void SetUp() override {
        TwoSampleCommandTest::SetUp();
        ui::RankSumRunSettings settings;
        settings.seed = 4711;
        ui::SetRankSumRunSettings(settings);
    }
    TMannW* run(const char* key, const std::vector<std::string>& a,
                const std::vector<std::string>& b) {
        fill(2, a, "A");
        fill(3, b, "B");
        dialogs.chooseTwo(std::pair{"1: A", "2: B"});
        window->Execute(key);
        return opened<TMannW>();
    }
};

TEST_F(RankSumCommand, RanksOneToThreeAgainstFourToSix) {
    TMannW* w = run("endim.mann_whitney", {"1", "2", "3"}, {"4", "5", "6"});
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Mann-Whitney u-test and Wilcoxon rank sum test");
    EXPECT_EQ(w->statistics().R1, 6);
    EXPECT_EQ(w->statistics().R2, 15);
    EXPECT_EQ(w->statistics().U1, 9);
    EXPECT_EQ(w->statistics().U2, 0);
    // 1 of the 20 arrangements (R: pwilcox(0, 3, 3) = 0.05), to the simulation's precision
    EXPECT_NEAR(double(w->probability()), 0.05, 5 * std::sqrt(0.05 * 0.95 / 1e7));
    const auto shown = Shown(w);
    ASSERT_EQ(shown.size(), 8u);
    EXPECT_EQ(shown[0], "Grupp 1: A   Grupp 2: B");
    EXPECT_EQ(shown[1].rfind("n1=3  R1=6  U1=9  n2=3  R2=15  U2=0  p=0,0", 0), 0u) << shown[1];
    EXPECT_EQ(shown[2], "Dubbelsidigt test");
    EXPECT_EQ(shown[3], "Svag skillnad (>5%).");  // 2p is about 0.1
    EXPECT_EQ(shown[5], "Enkelsidigt test");
    EXPECT_EQ(shown[6],
              w->probability() > 0.05L ? "Svag skillnad (>5%)." : "Signifikant skillnad!");
    // the progress bar was shown for the run and is hidden again
    EXPECT_FALSE(window->ProgressBar1()->isVisible());
    EXPECT_EQ(window->ProgressBar1()->value(), 100);
}

TEST_F(RankSumCommand, BothMenuItemsRunTheSameTestWithTheSameSeed) {
    TMannW* first = run("endim.mann_whitney", {"1", "5", "3"}, {"4", "2", "6", "8"});
    ASSERT_NE(first, nullptr);
    const Extended p = first->probability();
    first->close();
    QApplication::processEvents();
    dialogs.chooseTwo(std::pair{"1: A", "2: B"});
    window->Execute("endim.wilcoxon_rank_sum");
    TMannW* second = opened<TMannW>();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->probability(), p);
}

TEST_F(RankSumCommand, TiesAcrossGroupsAndSwappedRoles) {
    // A has four values, B two: B becomes group 1. Sorted 1, 2, 2, 3, 5, 6 with the twos
    // tied across the groups: B = {2, 6} has ranks 2.5 and 6.
    TMannW* w = run("endim.mann_whitney", {"1", "2", "3", "5"}, {"2", "6"});
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->statistics().exchanged);
    EXPECT_EQ(w->statistics().n1, 2);
    EXPECT_EQ(w->statistics().R1, 8.5);
    EXPECT_EQ(w->statistics().R2, 12.5);
    EXPECT_EQ(w->statistics().U1, 2.5);  // 8 + 3 - 8.5
    EXPECT_EQ(Shown(w)[0], "Grupp 1: B   Grupp 2: A");
    RecordingCanvas screen;
    w->setEcho(ui::GraphTarget::Screen, &screen);
    w->PaintBox1->grab();
    int labels = 0;
    for (const std::string& t : screen.Texts()) {
        if (t.rfind("1: B:", 0) == 0 || t.rfind("2: A:", 0) == 0) ++labels;
    }
    EXPECT_EQ(labels, 2);
}

TEST_F(RankSumCommand, IdenticalColumnsShowTheNoDifferenceText) {
    TMannW* w = run("endim.mann_whitney", {"1", "2", "3", "4"}, {"1", "2", "3", "4"});
    ASSERT_NE(w, nullptr);
    EXPECT_GE(w->probability(), 0.5L);
    const auto shown = Shown(w);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2], "Ingen skillnad mellan seriernas väntevärde (p>30% vid dubbelsidigt test)");
}

TEST_F(RankSumCommand, CancelLeavesNothingChanged) {
    ui::RankSumRunSettings settings;
    settings.seed = 1;
    settings.draws = 2'000'000'000;  // long enough that only the Cancel can end it
    settings.on_started = [](QProgressDialog& progress) { progress.cancel(); };
    ui::SetRankSumRunSettings(settings);
    fill(2, {"1", "2", "3"}, "A");
    fill(3, {"4", "5", "6"}, "B");
    const Worksheet before = sheet();
    const bool changed_before = window->state().DataChanged;
    dialogs.chooseTwo(std::pair{"1: A", "2: B"});
    window->Execute("endim.mann_whitney");
    EXPECT_EQ(opened<TMannW>(), nullptr);
    EXPECT_EQ(sheet(), before);
    EXPECT_FALSE(window->ProgressBar1()->isVisible());
    EXPECT_EQ(window->state().DataChanged, changed_before);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(RankSumCommand, AnEmptySecondColumnIsRefused) {
    fill(2, {"1", "2"}, "A");
    fill(3, {"x"}, "B");
    dialogs.chooseTwo(std::pair{"1: A", "2: B"});
    window->Execute("endim.mann_whitney");
    EXPECT_EQ(dialogs.messages().back(), "'x' är inte ett giltigt tal");
    EXPECT_EQ(opened<TMannW>(), nullptr);
}

}  // namespace
}  // namespace tabulon::testing
