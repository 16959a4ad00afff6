// The recording canvas: state captured with each primitive, fixed text sizes, the tee.
#include <gtest/gtest.h>

#include "graphs/recording_canvas.h"

namespace tabulon {
namespace {

TEST(RecordingCanvas, RecordsEachPrimitiveWithTheStateItWasDrawnIn) {
    RecordingCanvas c;
    c.SetPen({colors::kRed, 3, PenStyle::Dash});
    c.MoveTo(1, 2);
    c.LineTo(3, 4);
    c.SetBrush({colors::kBlue, BrushStyle::Cross});
    c.DrawEllipse({0, 0, 10, 10});
    c.SetTextAlign({HAlign::Right, VAlign::Bottom});
    c.DrawText({5, 6}, "x");
    ASSERT_EQ(c.primitives().size(), 3u);
    EXPECT_EQ(c.primitives()[0].points, (std::vector<Point>{{1, 2}, {3, 4}}));
    EXPECT_EQ(c.primitives()[0].pen, (Pen{colors::kRed, 3, PenStyle::Dash}));
    EXPECT_EQ(c.primitives()[1].brush, (Brush{colors::kBlue, BrushStyle::Cross}));
    EXPECT_EQ(c.primitives()[2].align, (TextAlign{HAlign::Right, VAlign::Bottom}));
    EXPECT_EQ(c.penPos(), (Point{3, 4}));
    EXPECT_EQ(c.Texts(), (std::vector<std::string>{"x"}));
}

TEST(RecordingCanvas, CountsCharactersNotBytes) {
    RecordingCanvas c(6, 12);
    EXPECT_EQ(c.TextWidth("abc"), 18);
    EXPECT_EQ(c.TextWidth("\xCE\xBC=5"), 18);  // "μ=5": three characters, four bytes
    EXPECT_EQ(c.TextWidth(""), 0);
    EXPECT_EQ(c.TextHeight("anything"), 12);
    RecordingCanvas deviceless(0, 0);
    EXPECT_EQ(deviceless.TextWidth("abc"), 0);
}

TEST(TeeCanvas, DrawsOnBothAndMeasuresOnTheFirst) {
    RecordingCanvas main(6, 12);
    RecordingCanvas echo(100, 100);
    TeeCanvas tee(main, echo);
    tee.SetPenColor(colors::kGreen);
    tee.MoveTo(0, 0);
    tee.LineTo(10, 0);
    tee.SetFont({"Serif", 14});
    tee.DrawText({1, 1}, "ab");
    const Point pts[] = {{0, 0}, {1, 1}, {2, 0}};
    tee.DrawPolygon(pts);
    EXPECT_EQ(main.primitives(), echo.primitives());
    EXPECT_EQ(main.primitives().size(), 3u);
    EXPECT_EQ(echo.primitives()[0].pen.color, colors::kGreen);
    EXPECT_EQ(echo.primitives()[1].font.family, "Serif");
    EXPECT_EQ(tee.TextWidth("ab"), 12);
    EXPECT_EQ(tee.TextHeight("ab"), 12);
}

}  // namespace
}  // namespace tabulon
