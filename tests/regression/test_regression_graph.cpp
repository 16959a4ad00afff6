// The regression graph on the recording canvas: where points land, markers drawn once per
// pixel, bands and line, row numbers; and the view commands.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/language.h"
#include "graphs/recording_canvas.h"
#include "regression/regression_graph.h"

namespace tabulon {
namespace {

constexpr int kW = 700;
constexpr int kH = 500;

std::shared_ptr<const RegressionData> Worked() {
    return MakeRegressionData({"1", "2", "3", "4", "5", "5"},
                              {"2.1", "3.9", "6.2", "7.8", "10.1", "10.1"}, "Konc", "Abs", '.');
}

struct Drawn {
    RecordingCanvas canvas;
    RegressionGraphLayout layout;
};

std::unique_ptr<Drawn> Draw(const FittedModel* model, RegressionViewOptions options,
                            const RegressionData& data) {
    auto d = std::make_unique<Drawn>();
    FitRangesToData(options, data, model, kW, kH);
    d->layout = RenderRegressionGraph(d->canvas, kW, kH, data, model, options);
    return d;
}

std::vector<Primitive> Polylines(const RecordingCanvas& c, Color color) {
    std::vector<Primitive> out;
    for (const Primitive& p : c.OfKind(PrimitiveKind::Polyline)) {
        if (p.pen.color == color) out.push_back(p);
    }
    return out;
}

class RegressionGraphTest : public ::testing::Test {
protected:
    ScopedTextSettings text{Language::Swedish, '.'};
};

TEST_F(RegressionGraphTest, PointsBandsLineAndRowNumbers) {
    const auto data = Worked();
    const FitOutcome fit = Fit(data, {}, 0.95L);
    RegressionViewOptions options;
    options.ShowRowNumbers = true;
    const auto d = Draw(fit.model.get(), options, *data);
    ASSERT_TRUE(d->layout.valid);
    const auto ellipses = d->canvas.OfKind(PrimitiveKind::Ellipse);
    ASSERT_EQ(ellipses.size(), 5u);  // (5, 10.1) twice
    // Radius (700 div 700)·3; x from left + 30 to W - 60, y from bottom - 15 up to 15.
    EXPECT_EQ(ellipses.front().box, (Rect{d->layout.left + 30 - 3, d->layout.bottom - 15 - 3,
                                          d->layout.left + 30 + 3, d->layout.bottom - 15 + 3}));
    EXPECT_EQ(ellipses.back().box, (Rect{kW - 60 - 3, 15 - 3, kW - 60 + 3, 15 + 3}));
    EXPECT_EQ(ellipses.front().brush.color, colors::kRed);
    EXPECT_EQ(d->layout.bottom, kH - 3 * 12);  // three text heights of the recording canvas
    EXPECT_EQ(Polylines(d->canvas, Color{0, 128, 0}).size(), 2u);  // prediction band
    EXPECT_EQ(Polylines(d->canvas, Color{0, 0, 255}).size(), 2u);  // confidence band
    // The fitted line crosses the plot: both ends lie on ŷ (to the pixel).
    const TAxisTransform& t = d->layout.transform;
    auto on_line = [&](Point p) {
        return std::abs(p.y - YToPixel(t, fit.model->ValueAt(PixelToX(p.x, t)))) <= 1;
    };
    bool line = false;
    for (const Primitive& p : d->canvas.OfKind(PrimitiveKind::Line)) {
        line = line || (p.points[1].x - p.points[0].x > kW / 2 && on_line(p.points[0]) &&
                        on_line(p.points[1]));
    }
    EXPECT_TRUE(line);
    const auto texts = d->canvas.Texts();
    for (const char* row : {"1", "2", "3", "4", "5"}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), row), texts.end()) << row;
    }

    options.ShowBands = false;
    options.ShowRowNumbers = false;
    const auto plain = Draw(fit.model.get(), options, *data);
    EXPECT_TRUE(plain->canvas.OfKind(PrimitiveKind::Polyline).empty());
    // Without a fit (all x equal) the points and axes are still drawn.
    const auto flat = MakeRegressionData({"2", "2"}, {"1", "3"}, "x", "y", '.');
    const auto none = Draw(nullptr, {}, *flat);
    EXPECT_EQ(none->canvas.OfKind(PrimitiveKind::Ellipse).size(), 2u);
}

TEST_F(RegressionGraphTest, LevelButtons) {
    const struct {
        Extended level, delta, expected;
    } cases[] = {
        {0.99L, 0.01L, 0.9999L},  // clamped below 1
        {0.95L, -0.01L, 0.94L},
        {0.805L, -0.01L, 0.8L},     // 0.8 at the lowest
        {0.9455L, 0.001L, 0.947L},  // rounded to three decimals: 0.9465 -> 0.947
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(double(StepLevel(c.level, c.delta)), double(c.expected), 1e-15);
    }
    EXPECT_EQ(RegressionLevelText(0.95L), "95.00%");
    EXPECT_EQ(RegressionLevelText(0.999L), "99.90%");
}

TEST_F(RegressionGraphTest, AxisCommands) {
    RegressionViewOptions o;
    o.XMin = 0, o.XMax = 10, o.YMin = 0, o.YMax = 2;
    MakeProportional(o, 200, 100);  // dx = 10 > dy·2: y widened to 5 around 1
    EXPECT_DOUBLE_EQ(double(o.YMin), -1.5);
    EXPECT_DOUBLE_EQ(double(o.YMax), 3.5);
    o.Proportional = true;
    Zoom(o, true);
    EXPECT_DOUBLE_EQ(double(o.XMax), 5);
    EXPECT_FALSE(o.Proportional);
    EXPECT_FALSE(SetOwnRange(o, true, "4", "3", '.'));  // maximum must exceed minimum
    EXPECT_TRUE(SetOwnRange(o, true, "-1", "2,5", ','));
    EXPECT_DOUBLE_EQ(double(o.XMax), 2.5);
    for (int i = 0; i < 20; ++i) Shrink(o, true);
    EXPECT_EQ(o.ShrinkLevel, 14);
}

}  // namespace
}  // namespace tabulon
