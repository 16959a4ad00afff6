// The recording canvas of the graph tests.
#include "graphs/recording_canvas.h"

#include <algorithm>

namespace tabulon {
namespace {

const char* KindName(PrimitiveKind kind) {
    switch (kind) {
        case PrimitiveKind::Line:
            return "line";
        case PrimitiveKind::Polyline:
            return "polyline";
        case PrimitiveKind::Ellipse:
            return "ellipse";
        case PrimitiveKind::Rectangle:
            return "rectangle";
        case PrimitiveKind::Polygon:
            return "polygon";
        case PrimitiveKind::Text:
            return "text";
    }
    return "?";
}

}  // namespace

void PrintTo(const Primitive& p, std::ostream* os) {
    *os << KindName(p.kind);
    if (p.kind == PrimitiveKind::Ellipse || p.kind == PrimitiveKind::Rectangle) {
        *os << " (" << p.box.left << "," << p.box.top << ")-(" << p.box.right << "," << p.box.bottom
            << ")";
    }
    for (const Point& pt : p.points) *os << " (" << pt.x << "," << pt.y << ")";
    if (p.kind == PrimitiveKind::Text) *os << " \"" << p.text << "\"";
    *os << " pen " << int(p.pen.color.r) << "," << int(p.pen.color.g) << "," << int(p.pen.color.b)
        << " w" << p.pen.width << " s" << int(p.pen.style);
}

Primitive RecordingCanvas::Start(PrimitiveKind kind) const {
    Primitive p;
    p.kind = kind;
    p.pen = pen();
    p.brush = brush();
    p.align = textAlign();
    p.font = font();
    return p;
}

void RecordingCanvas::DrawLine(Point from, Point to) {
    Primitive p = Start(PrimitiveKind::Line);
    p.points = {from, to};
    m_primitives.push_back(std::move(p));
}

void RecordingCanvas::DrawPolyline(std::span<const Point> points) {
    Primitive p = Start(PrimitiveKind::Polyline);
    p.points.assign(points.begin(), points.end());
    m_primitives.push_back(std::move(p));
}

void RecordingCanvas::DrawEllipse(Rect box) {
    Primitive p = Start(PrimitiveKind::Ellipse);
    p.box = box;
    m_primitives.push_back(std::move(p));
}

void RecordingCanvas::DrawRectangle(Rect box) {
    Primitive p = Start(PrimitiveKind::Rectangle);
    p.box = box;
    m_primitives.push_back(std::move(p));
}

void RecordingCanvas::DrawPolygon(std::span<const Point> points) {
    Primitive p = Start(PrimitiveKind::Polygon);
    p.points.assign(points.begin(), points.end());
    m_primitives.push_back(std::move(p));
}

void RecordingCanvas::DrawText(Point at, std::string_view text) {
    Primitive p = Start(PrimitiveKind::Text);
    p.points = {at};
    p.text = std::string(text);
    m_primitives.push_back(std::move(p));
}

int RecordingCanvas::TextWidth(std::string_view text) {
    // Continuation bytes of UTF-8 (10xxxxxx) do not start a character.
    const auto chars = std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    return static_cast<int>(chars) * m_char_width;
}

int RecordingCanvas::TextHeight(std::string_view) {
    return m_text_height;
}

std::vector<Primitive> RecordingCanvas::OfKind(PrimitiveKind kind) const {
    std::vector<Primitive> out;
    for (const Primitive& p : m_primitives) {
        if (p.kind == kind) out.push_back(p);
    }
    return out;
}

std::vector<std::string> RecordingCanvas::Texts() const {
    std::vector<std::string> out;
    for (const Primitive& p : m_primitives) {
        if (p.kind == PrimitiveKind::Text) out.push_back(p.text);
    }
    return out;
}

}  // namespace tabulon
