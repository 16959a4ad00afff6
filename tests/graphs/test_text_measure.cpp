// Text sizes for RenderGraph: the target's own, or scaled from the screen paint box.
#include <gtest/gtest.h>

#include "graphs/recording_canvas.h"
#include "graphs/text_measure.h"

namespace tabulon {
namespace {

TEST(TextMeasurer, AsksTheTargetFirst) {
    RecordingCanvas target(7, 15);
    RecordingCanvas screen(6, 12);
    const TextMeasurer m(target, 800, 600, &screen, 400, 300);
    EXPECT_EQ(m.MeasureTextWidth("abcd"), 28);
    EXPECT_EQ(m.MeasureTextHeight("abcd"), 15);
}

// A picture canvas with no device measures on the screen canvas (6 px a character, 12 px
// high, on a 400 x 300 paint box) in the target's font, scaled to the target's size.
TEST(TextMeasurer, ScalesTheScreenSizeToATargetThatCannotMeasure) {
    const struct {
        int target_width, target_height;
        const char* text;
        int width, height;
    } cases[] = {
        {800, 600, "abcd", 48, 24},  // worked by hand: 800*24/400, 600*12/300
        {400, 300, "abcd", 24, 12},  // same size: unchanged
        {100, 125, "a", 2, 5},       // 1.5 -> 2, 5 exactly
        {300, 75, "a", 4, 3},        // 4.5 -> 4 (even), 3
        {500, 100, "", 0, 4},        // 4 exactly
    };
    RecordingCanvas target(0, 0);
    target.SetFont({"Serif", 24});
    RecordingCanvas screen(6, 12);
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.target_width << "x" << c.target_height);
        const TextMeasurer m(target, c.target_width, c.target_height, &screen, 400, 300);
        EXPECT_EQ(m.MeasureTextWidth(c.text), c.width);
        EXPECT_EQ(m.MeasureTextHeight(c.text), c.height);
    }
    EXPECT_EQ(screen.font().family, "Serif");
    EXPECT_EQ(screen.font().point_size, 24);
    // Without a screen, or with an empty paint box, there is nothing to scale: zero.
    EXPECT_EQ(TextMeasurer(target, 800, 600).MeasureTextWidth("abc"), 0);
    EXPECT_EQ(TextMeasurer(target, 800, 600, &screen, 0, 0).MeasureTextHeight("abc"), 0);
}

}  // namespace
}  // namespace tabulon
