// The Qt canvas: texts placed by their alignment, sizes measured on the device, fonts sized
// by the given resolution, pens and brushes as the graph asked.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <string>
#include <vector>

#include "graphs/ui/qt_canvas.h"

namespace tabulon::ui {
namespace {

// The bounding box of the dark pixels of an image.
QRect Ink(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// The anchor is (200, 100); the ink must lie on the side the alignment says.
TEST(QtCanvas, PlacesTheTextByItsAlignment) {
    for (const TextAlign align :
         {TextAlign{HAlign::Left, VAlign::Top}, TextAlign{HAlign::Center, VAlign::Top},
          TextAlign{HAlign::Right, VAlign::Top}, TextAlign{HAlign::Right, VAlign::Bottom},
          TextAlign{HAlign::Left, VAlign::Baseline}}) {
        SCOPED_TRACE(::testing::Message() << int(align.h) << " " << int(align.v));
        QImage image(400, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        int width = 0;
        int height = 0;
        {
            QPainter painter(&image);
            QtCanvas canvas(painter, 96);
            canvas.SetFont({"", 12});
            canvas.SetTextAlign(align);
            width = canvas.TextWidth("HHHH");
            height = canvas.TextHeight("HHHH");
            canvas.DrawText({200, 100}, "HHHH");
        }
        ASSERT_GT(width, 16);
        ASSERT_GT(height, 8);
        const QRect ink = Ink(image);
        ASSERT_FALSE(ink.isEmpty());
        if (align.h == HAlign::Left) {
            EXPECT_GE(ink.left(), 200);
            EXPECT_LE(ink.right(), 200 + width);
        } else if (align.h == HAlign::Center) {
            EXPECT_NEAR((ink.left() + ink.right()) / 2.0, 200, 3);
        } else {
            EXPECT_LE(ink.right(), 200);
            EXPECT_GE(ink.left(), 200 - width);
        }
        if (align.v == VAlign::Top) {
            EXPECT_GE(ink.top(), 100);
            EXPECT_LE(ink.bottom(), 100 + height);
        } else if (align.v == VAlign::Baseline) {
            EXPECT_LE(ink.bottom(), 100);  // capitals sit on the baseline
            EXPECT_GE(ink.bottom(), 98);
        } else {
            EXPECT_LT(ink.bottom(), 100);
            EXPECT_GE(ink.top(), 100 - height);
        }
    }
}

TEST(QtCanvas, FontsGrowWithTheResolutionTheyAreGiven) {
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    QtCanvas screen(painter, 96);
    QtCanvas paper(painter, 600);
    screen.SetFont({"", 10});
    paper.SetFont({"", 10});
    // 10 pt is 13 px at 96 dpi and 83 px at 600 dpi
    EXPECT_EQ(screen.QtFont(screen.font()).pixelSize(), 13);
    EXPECT_EQ(paper.QtFont(paper.font()).pixelSize(), 83);
    EXPECT_NEAR(double(paper.TextHeight("1")) / screen.TextHeight("1"), 600.0 / 96, 1.0);
}

TEST(QtCanvas, DrawsLinesInThePenColourAndFillsWithTheBrushButAClearPenDrawsNothing) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, 96);
        canvas.SetPen({colors::kBlue, 1, PenStyle::Solid});
        canvas.MoveTo(10, 10);
        canvas.LineTo(90, 10);
        canvas.SetBrush({colors::kRed, BrushStyle::Solid});
        canvas.SetPenColor(colors::kBlack);
        canvas.DrawEllipse({40, 40, 60, 60});
        canvas.SetBrush({colors::kGreen, BrushStyle::Clear});
        canvas.DrawRectangle({70, 70, 90, 90});
        canvas.SetPenStyle(PenStyle::Clear);  // draws nothing
        canvas.DrawLine({0, 30}, {100, 30});
    }
    EXPECT_EQ(image.pixelColor(50, 10), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(50, 50), QColor(255, 0, 0));      // filled
    EXPECT_EQ(image.pixelColor(80, 80), QColor(255, 255, 255));  // clear brush: not filled
    EXPECT_EQ(image.pixelColor(70, 80), QColor(0, 0, 0));        // but outlined
    EXPECT_EQ(image.pixelColor(20, 30), QColor(255, 255, 255));  // the clear pen
}

// The batched calls take shortcuts (blocks instead of outlines, upright lines as fills); they
// must paint the very pixels the one-by-one calls paint, in every pen and brush they meet.
TEST(QtCanvas, BatchedMarkersAndLinesPaintWhatSingleCallsPaint) {
    const std::vector<Rect> boxes{{10, 10, 16, 16}, {40, 12, 41, 30}, {70, 70, 70, 70},
                                  {15, 13, 21, 19}, {90, 5, 130, 9},  {100, 50, 100, 60},
                                  {60, 50, 40, 30}};
    const std::vector<Point> ends{{5, 5}, {5, 60}, {50, 80}, {50, 20}, {60, 10}, {100, 90},
                                  {110, 40}, {140, 40}, {120, 3}, {120, 3}};
    struct Style {
        Pen pen;
        Brush brush;
        bool antialias;
    };
    const std::vector<Style> styles{
        {{colors::kRed, 1, PenStyle::Solid}, {colors::kRed, BrushStyle::Solid}, false},
        {{colors::kBlack, 1, PenStyle::Solid}, {colors::kRed, BrushStyle::Solid}, false},
        {{colors::kBlue, 1, PenStyle::Solid}, {colors::kBlue, BrushStyle::Clear}, false},
        {{colors::kBlue, 2, PenStyle::Solid}, {colors::kBlue, BrushStyle::Solid}, false},
        {{colors::kBlue, 1, PenStyle::Dot}, {colors::kBlue, BrushStyle::Solid}, false},
        {{colors::kRed, 1, PenStyle::Solid}, {colors::kRed, BrushStyle::Solid}, true},
    };
    for (std::size_t k = 0; k < styles.size(); ++k) {
        SCOPED_TRACE(k);
        auto paint = [&](bool batched) {
            QImage image(160, 100, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing, styles[k].antialias);
            QtCanvas canvas(painter, 96);
            canvas.SetPen(styles[k].pen);
            canvas.SetBrush(styles[k].brush);
            if (batched) {
                canvas.DrawRectangles(boxes);
                canvas.DrawLines(ends);
            } else {
                for (const Rect& b : boxes) canvas.DrawRectangle(b);
                for (std::size_t i = 0; i + 1 < ends.size(); i += 2) {
                    canvas.DrawLine(ends[i], ends[i + 1]);
                }
            }
            // What is drawn after the batch must still get the pen and brush it asks for.
            canvas.SetPen({colors::kGreen, 1, PenStyle::Solid});
            canvas.DrawLine({0, 95}, {159, 95});
            painter.end();
            return image;
        };
        const QImage single = paint(false);
        const QImage batched = paint(true);
        std::string differ;
        for (int y = 0; y < single.height(); ++y) {
            for (int x = 0; x < single.width(); ++x) {
                if (single.pixel(x, y) != batched.pixel(x, y) && differ.size() < 200) {
                    differ += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
                }
            }
        }
        EXPECT_EQ(differ, "");
        if (!styles[k].antialias) EXPECT_EQ(batched.pixelColor(80, 95), QColor(0, 128, 0));
    }
}

}  // namespace
}  // namespace tabulon::ui
