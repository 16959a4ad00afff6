// A canvas that records what is drawn on it, with fixed text sizes, for the graph tests.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "graphs/canvas.h"

namespace tabulon {

enum class PrimitiveKind { Line, Polyline, Ellipse, Rectangle, Polygon, Text };

// One drawing call with the state it was drawn in. Lines and point lists use `points`,
// ellipses and rectangles `box`, texts `points[0]` and `text`.
struct Primitive {
    PrimitiveKind kind = PrimitiveKind::Line;
    std::vector<Point> points;
    Rect box;
    std::string text;
    Pen pen;
    Brush brush;
    TextAlign align;
    FontSpec font;

    bool operator==(const Primitive&) const = default;
};

void PrintTo(const Primitive& p, std::ostream* os);

class RecordingCanvas : public Canvas {
public:
    // Every character (UTF-8 code point) is `char_width` pixels wide and every text
    // `text_height` high; (0, 0) plays a canvas without a device.
    explicit RecordingCanvas(int char_width = 6, int text_height = 12)
        : m_char_width(char_width), m_text_height(text_height) {}

    void DrawLine(Point from, Point to) override;
    void DrawPolyline(std::span<const Point> points) override;
    void DrawEllipse(Rect box) override;
    void DrawRectangle(Rect box) override;
    void DrawPolygon(std::span<const Point> points) override;
    void DrawText(Point at, std::string_view text) override;
    int TextWidth(std::string_view text) override;
    int TextHeight(std::string_view text) override;

    const std::vector<Primitive>& primitives() const { return m_primitives; }
    std::vector<Primitive> OfKind(PrimitiveKind kind) const;
    // The texts drawn, in drawing order.
    std::vector<std::string> Texts() const;
    void Clear() { m_primitives.clear(); }

private:
    Primitive Start(PrimitiveKind kind) const;

    int m_char_width;
    int m_text_height;
    std::vector<Primitive> m_primitives;
};

}  // namespace tabulon
