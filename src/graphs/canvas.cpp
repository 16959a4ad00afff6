// The two-way canvas; the abstract canvas itself is all in the header.
#include "graphs/canvas.h"

namespace tabulon {

void TeeCanvas::Sync(Canvas& target) const {
    target.SetPen(pen());
    target.SetBrush(brush());
    target.SetFont(font());
    target.SetTextAlign(textAlign());
    target.MoveTo(penPos().x, penPos().y);
}

void TeeCanvas::DrawLine(Point from, Point to) {
    for (Canvas* c : {&m_main, &m_echo}) {
        Sync(*c);
        c->DrawLine(from, to);
    }
}

void TeeCanvas::DrawPolyline(std::span<const Point> points) {
    for (Canvas* c : {&m_main, &m_echo}) {
        Sync(*c);
        c->DrawPolyline(points);
    }
}

void TeeCanvas::DrawEllipse(Rect box) {
    for (Canvas* c : {&m_main, &m_echo}) {
        Sync(*c);
        c->DrawEllipse(box);
    }
}

void TeeCanvas::DrawRectangle(Rect box) {
    for (Canvas* c : {&m_main, &m_echo}) {
        Sync(*c);
        c->DrawRectangle(box);
    }
}

void TeeCanvas::DrawPolygon(std::span<const Point> points) {
    for (Canvas* c : {&m_main, &m_echo}) {
        Sync(*c);
        c->DrawPolygon(points);
    }
}

void TeeCanvas::DrawText(Point at, std::string_view text) {
    for (Canvas* c : {&m_main, &m_echo}) {
        Sync(*c);
        c->DrawText(at, text);
    }
}

int TeeCanvas::TextWidth(std::string_view text) {
    Sync(m_main);
    return m_main.TextWidth(text);
}

int TeeCanvas::TextHeight(std::string_view text) {
    Sync(m_main);
    return m_main.TextHeight(text);
}

}  // namespace tabulon
