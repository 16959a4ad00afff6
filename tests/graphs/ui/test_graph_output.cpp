// Graph output: the printed size, file types by extension, SVG and image at a given size.
#include <gtest/gtest.h>

#include "graphs/ui/graph_output.h"

namespace tabulon::ui {
namespace {

// worked by hand: height = round(page width / screen width * screen height)
TEST(PrintedGraphSize, PageWidthAndTheScreensAspectRatio) {
    const QSize cases[][3] = {
        {{9000, 12000}, {480, 360}, {9000, 6750}},
        {{4000, 6000}, {600, 401}, {4000, 2673}},  // 2673.3
        {{1000, 2000}, {3, 2}, {1000, 667}},       // 666.67
        // taller than the page: fitted to the page height instead
        {{9000, 12000}, {300, 900}, {4000, 12000}},
        {{9000, 12000}, {0, 0}, {9000, 12000}},
    };
    for (const auto& c : cases) EXPECT_EQ(PrintedGraphSize(c[0], c[1]), c[2]) << c[1].width();
}

TEST(GraphFileTypeOf, FollowsTheExtensionInAnyCase) {
    EXPECT_EQ(GraphFileTypeOf("a/b.svg"), GraphFileType::Svg);
    EXPECT_EQ(GraphFileTypeOf("b.PDF"), GraphFileType::Pdf);
    EXPECT_EQ(GraphFileTypeOf("c.Png"), GraphFileType::Png);
    EXPECT_EQ(GraphFileTypeOf("d.wmf"), GraphFileType::Unknown);
    EXPECT_EQ(GraphFileTypeOf("svg"), GraphFileType::Unknown);
}

TEST(RenderGraph, PicturesComeAtTheRequestedSize) {
    int seen_width = 0;
    int seen_height = 0;
    const RenderFunction render = [&](Canvas& canvas, int w, int h) {
        seen_width = w;
        seen_height = h;
        canvas.DrawLine({0, 0}, {w, h});
    };
    const QImage image = RenderGraphImage(render, {321, 123}, 96);
    EXPECT_EQ(image.size(), QSize(321, 123));
    EXPECT_EQ(seen_width, 321);
    EXPECT_EQ(seen_height, 123);
    const QByteArray svg = RenderGraphSvg(render, {321, 123}, 96);
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 321 123\"")) << svg.left(400).toStdString();
}

}  // namespace
}  // namespace tabulon::ui
