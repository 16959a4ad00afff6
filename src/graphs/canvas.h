// The abstract drawing surface every graph is drawn on: screen, clipboard, printer, files, tests.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "graphs/font_spec.h"

namespace tabulon {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// Edges in pixels; an ellipse or rectangle fills the box from (left, top) to (right, bottom).
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Color&) const = default;

    // The colour number as the settings file and the font records keep it: 0x00BBGGRR.
    constexpr std::uint32_t ToBgr() const {
        return std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16);
    }
    static constexpr Color FromBgr(std::uint32_t bgr) {
        return Color{std::uint8_t(bgr & 0xFF), std::uint8_t((bgr >> 8) & 0xFF),
                     std::uint8_t((bgr >> 16) & 0xFF)};
    }
};

namespace colors {
inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kRed{255, 0, 0};
inline constexpr Color kGreen{0, 128, 0};
inline constexpr Color kBlue{0, 0, 255};
inline constexpr Color kGrey{128, 128, 128};
}  // namespace colors

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear };

struct Pen {
    Color color = colors::kBlack;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    bool operator==(const Pen&) const = default;
};

// The hatch styles are drawn in the brush colour over a transparent background.
enum class BrushStyle {
    Solid,
    Clear,
    Horizontal,
    Vertical,
    FDiagonal,
    BDiagonal,
    Cross,
    DiagCross
};

struct Brush {
    Color color = colors::kWhite;
    BrushStyle style = BrushStyle::Solid;
    bool operator==(const Brush&) const = default;
};

// Where the point given to DrawText lies on the text: its left edge, centre or right edge,
// and its top, baseline or bottom.
enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Baseline, Bottom };

struct TextAlign {
    HAlign h = HAlign::Left;
    VAlign v = VAlign::Top;
    bool operator==(const TextAlign&) const = default;
};

// The canvas keeps the drawing state (pen, brush, font, text alignment, pen position); a
// back end reads it at each primitive. Texts are UTF-8.
class Canvas {
public:
    virtual ~Canvas() = default;

    const Pen& pen() const { return m_pen; }
    void SetPen(const Pen& pen) { m_pen = pen; }
    void SetPenColor(Color color) { m_pen.color = color; }
    void SetPenStyle(PenStyle style) { m_pen.style = style; }
    void SetPenWidth(int width) { m_pen.width = width; }

    const Brush& brush() const { return m_brush; }
    void SetBrush(const Brush& brush) { m_brush = brush; }
    void SetBrushStyle(BrushStyle style) { m_brush.style = style; }

    // An empty family means the back end's ordinary font; colour is the text colour.
    const FontSpec& font() const { return m_font; }
    void SetFont(const FontSpec& font) { m_font = font; }

    TextAlign textAlign() const { return m_align; }
    void SetTextAlign(TextAlign align) { m_align = align; }

    Point penPos() const { return m_pos; }
    void MoveTo(int x, int y) { m_pos = {x, y}; }
    // A line from the pen position, which then moves to (x, y).
    void LineTo(int x, int y) {
        DrawLine(m_pos, {x, y});
        m_pos = {x, y};
    }

    virtual void DrawLine(Point from, Point to) = 0;
    // Separate lines in the same pen, from ends[0] to ends[1], ends[2] to ends[3], ...: one
    // call, so that a back end can hand them over at once.
    virtual void DrawLines(std::span<const Point> ends) {
        for (std::size_t i = 0; i + 1 < ends.size(); i += 2) DrawLine(ends[i], ends[i + 1]);
    }
    virtual void DrawPolyline(std::span<const Point> points) = 0;
    // Outlined with the pen and filled with the brush.
    virtual void DrawEllipse(Rect box) = 0;
    virtual void DrawRectangle(Rect box) = 0;
    // Many rectangles in the same pen and brush, as markers are: one call, so that a back end
    // can hand them over at once.
    virtual void DrawRectangles(std::span<const Rect> boxes) {
        for (const Rect& box : boxes) DrawRectangle(box);
    }
    virtual void DrawPolygon(std::span<const Point> points) = 0;
    // The text in the current font and colour, placed by the current alignment.
    virtual void DrawText(Point at, std::string_view text) = 0;

    // The size of a text in the current font; 0 from a canvas that has no device to ask.
    virtual int TextWidth(std::string_view text) = 0;
    virtual int TextHeight(std::string_view text) = 0;

private:
    Pen m_pen;
    Brush m_brush;
    FontSpec m_font{"", 10};
    TextAlign m_align;
    Point m_pos;
};

// Draws on two canvases at once, answering text sizes from the first: lets a window show a
// graph and let a test record exactly what it drew.
class TeeCanvas : public Canvas {
public:
    TeeCanvas(Canvas& main, Canvas& echo) : m_main(main), m_echo(echo) {}

    void DrawLine(Point from, Point to) override;
    void DrawPolyline(std::span<const Point> points) override;
    void DrawEllipse(Rect box) override;
    void DrawRectangle(Rect box) override;
    void DrawPolygon(std::span<const Point> points) override;
    void DrawText(Point at, std::string_view text) override;
    int TextWidth(std::string_view text) override;
    int TextHeight(std::string_view text) override;

private:
    void Sync(Canvas& target) const;

    Canvas& m_main;
    Canvas& m_echo;
};

}  // namespace tabulon
