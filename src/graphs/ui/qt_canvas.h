// The graph canvas on a QPainter: paint box, printer page, PDF, SVG or image alike.
#pragma once

#include <optional>

#include <QFont>

#include "graphs/canvas.h"

class QPainter;

namespace tabulon::ui {

class QtCanvas : public Canvas {
public:
    // `font_dpi` turns point sizes into pixels; 0 takes the painter's device resolution.
    // Picture devices (SVG, images) are given the screen's, so that a copy looks as the
    // window does. `pen_scale` widens the pens, so that a printed page keeps the screen's
    // line weight.
    explicit QtCanvas(QPainter& painter, int font_dpi = 0, double pen_scale = 1.0);

    void DrawLine(Point from, Point to) override;
    void DrawLines(std::span<const Point> ends) override;
    void DrawPolyline(std::span<const Point> points) override;
    void DrawEllipse(Rect box) override;
    void DrawRectangle(Rect box) override;
    void DrawRectangles(std::span<const Rect> boxes) override;
    void DrawPolygon(std::span<const Point> points) override;
    void DrawText(Point at, std::string_view text) override;
    int TextWidth(std::string_view text) override;
    int TextHeight(std::string_view text) override;

    // The Qt font the canvas draws with for a font record.
    QFont QtFont(const FontSpec& spec) const;

private:
    void ApplyPen();
    void ApplyBrush();

    QPainter& m_painter;
    int m_font_dpi;
    double m_pen_scale;
    // What the painter was last given: a graph of 100,000 markers in one pen and brush then
    // changes the painter's state once instead of 100,000 times.
    std::optional<Pen> m_applied_pen;
    std::optional<Brush> m_applied_brush;
};

}  // namespace tabulon::ui
