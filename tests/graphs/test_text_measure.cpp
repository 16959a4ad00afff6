// Text sizes for RenderGraph: the target's own, or scaled from the screen paint box.
#include <gtest/gtest.h>

#include "graphs/recording_canvas.h"
#include "graphs/text_measure.h"

namespace tabulon {
namespace {

TEST(TextMeasurer, AskesTheTargetFirst) {
    RecordingCanvas target(7, 15);
    RecordingCanvas screen(6, 12);
    const TextMeasurer m(target, 800, 600, &screen, 400, 300);
    EXPECT_EQ(m.MeasureTextWidth("abcd"), 28);
    EXPECT_EQ(m.MeasureTextHeight("abcd"), 15);
}

struct FallbackCase {
    int target_width;
    int target_height;
    const char* text;
    int width;
    int height;
};

class TextMeasurerFallbackTest : public ::testing::TestWithParam<FallbackCase> {};

// The screen canvas measures 6 px a character and 12 px high on a 400 x 300 paint box.
TEST_P(TextMeasurerFallbackTest, ScalesTheScreenSizeToTheTarget) {
    RecordingCanvas target(0, 0);  // a picture canvas with no device
    RecordingCanvas screen(6, 12);
    const FallbackCase& c = GetParam();
    const TextMeasurer m(target, c.target_width, c.target_height, &screen, 400, 300);
    EXPECT_EQ(m.MeasureTextWidth(c.text), c.width);
    EXPECT_EQ(m.MeasureTextHeight(c.text), c.height);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedByHand, TextMeasurerFallbackTest,
    ::testing::Values(FallbackCase{800, 600, "abcd", 48, 24},  // 800*24/400, 600*12/300
                      FallbackCase{400, 300, "abcd", 24, 12},  // same size: unchanged
                      FallbackCase{100, 125, "a", 2, 5},       // 1.5 -> 2, 5 exactly
                      FallbackCase{300, 75, "a", 4, 3},        // 4.5 -> 4 (even), 3
                      FallbackCase{500, 100, "", 0, 4}));      // 4 exactly

TEST(TextMeasurer, ATargetThatCannotMeasureWithoutAScreenGivesZero) {
    RecordingCanvas target(0, 0);
    const TextMeasurer alone(target, 800, 600);
    EXPECT_EQ(alone.MeasureTextWidth("abc"), 0);
    RecordingCanvas screen(6, 12);
    const TextMeasurer empty_box(target, 800, 600, &screen, 0, 0);
    EXPECT_EQ(empty_box.MeasureTextHeight("abc"), 0);
}

TEST(TextMeasurer, MeasuresOnTheScreenInTheTargetsFont) {
    RecordingCanvas target(0, 0);
    target.SetFont({"Serif", 24});
    RecordingCanvas screen(6, 12);
    const TextMeasurer m(target, 400, 300, &screen, 400, 300);
    m.MeasureTextWidth("x");
    EXPECT_EQ(screen.font().family, "Serif");
    EXPECT_EQ(screen.font().point_size, 24);
}

}  // namespace
}  // namespace tabulon
