// Qt back end of the graph canvas.
#include "graphs/ui/qt_canvas.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "graphs/ui/fonts.h"

namespace tabulon::ui {
namespace {

QColor ToQColor(Color c) {
    return QColor(c.r, c.g, c.b);
}

Qt::PenStyle ToQt(PenStyle style) {
    switch (style) {
        case PenStyle::Solid:
            return Qt::SolidLine;
        case PenStyle::Dash:
            return Qt::DashLine;
        case PenStyle::Dot:
            return Qt::DotLine;
        case PenStyle::DashDot:
            return Qt::DashDotLine;
        case PenStyle::DashDotDot:
            return Qt::DashDotDotLine;
        case PenStyle::Clear:
            return Qt::NoPen;
    }
    return Qt::SolidLine;
}

Qt::BrushStyle ToQt(BrushStyle style) {
    switch (style) {
        case BrushStyle::Solid:
            return Qt::SolidPattern;
        case BrushStyle::Clear:
            return Qt::NoBrush;
        case BrushStyle::Horizontal:
            return Qt::HorPattern;
        case BrushStyle::Vertical:
            return Qt::VerPattern;
        case BrushStyle::FDiagonal:
            return Qt::FDiagPattern;
        case BrushStyle::BDiagonal:
            return Qt::BDiagPattern;
        case BrushStyle::Cross:
            return Qt::CrossPattern;
        case BrushStyle::DiagCross:
            return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

QPolygon ToPolygon(std::span<const Point> points) {
    QPolygon polygon;
    polygon.reserve(static_cast<int>(points.size()));
    for (const Point& p : points) polygon << QPoint(p.x, p.y);
    return polygon;
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, int font_dpi, double pen_scale)
    : m_painter(painter), m_font_dpi(font_dpi), m_pen_scale(pen_scale > 0 ? pen_scale : 1.0) {
    if (m_font_dpi <= 0 && painter.device()) m_font_dpi = painter.device()->logicalDpiY();
    if (m_font_dpi <= 0) m_font_dpi = 96;
}

QFont QtCanvas::QtFont(const FontSpec& spec) const {
    QFont font =
        spec.family.empty() ? QFont() : ResolveFont(QString::fromStdString(spec.family), 10);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    font.setStrikeOut(spec.strikeout);
    const int points = spec.point_size > 0 ? spec.point_size : 10;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * m_font_dpi / 72.0))));
    return font;
}

void QtCanvas::ApplyPen() {
    const Pen& p = pen();
    if (m_applied_pen == p) return;
    m_applied_pen = p;
    QPen qpen(ToQColor(p.color));
    qpen.setStyle(ToQt(p.style));
    const double width = std::max(1, p.width) * m_pen_scale;
    qpen.setWidthF(width <= 1.0 ? 0.0 : width);  // 0: a cosmetic one-pixel line
    m_painter.setPen(qpen);
}

void QtCanvas::ApplyBrush() {
    const Brush& b = brush();
    if (m_applied_brush == b) return;
    m_applied_brush = b;
    QBrush qbrush(ToQColor(b.color), ToQt(b.style));
    m_painter.setBrush(qbrush);
    // Hatches over a transparent background, as the bar charts lay them over the grid.
    m_painter.setBackgroundMode(Qt::TransparentMode);
}

void QtCanvas::DrawLine(Point from, Point to) {
    ApplyPen();
    m_painter.drawLine(from.x, from.y, to.x, to.y);
}

void QtCanvas::DrawLines(std::span<const Point> ends) {
    ApplyPen();
    const Pen& p = pen();
    // Upright hairlines are filled as one-pixel-wide blocks: the same pixels, without the
    // line stepper's cost per pixel (100,000 drop lines of a 3-D plot).
    const bool blocks = !m_painter.testRenderHint(QPainter::Antialiasing) &&
                        p.style == PenStyle::Solid && std::max(1, p.width) * m_pen_scale <= 1;
    QList<QLine> lines;
    QList<QRect> upright;
    for (std::size_t i = 0; i + 1 < ends.size(); i += 2) {
        const Point a = ends[i], b = ends[i + 1];
        if (blocks && a.x == b.x) {
            upright.append(QRect(a.x, std::min(a.y, b.y), 1, std::abs(b.y - a.y) + 1));
        } else {
            lines.append(QLine(a.x, a.y, b.x, b.y));
        }
    }
    if (!lines.isEmpty()) m_painter.drawLines(lines.constData(), static_cast<int>(lines.size()));
    if (upright.isEmpty()) return;
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ToQColor(p.color));
    m_applied_pen.reset();
    m_applied_brush.reset();
    m_painter.drawRects(upright.constData(), static_cast<int>(upright.size()));
}

void QtCanvas::DrawPolyline(std::span<const Point> points) {
    ApplyPen();
    m_painter.drawPolyline(ToPolygon(points));
}

void QtCanvas::DrawEllipse(Rect box) {
    ApplyPen();
    ApplyBrush();
    m_painter.drawEllipse(QRectF(box.left, box.top, box.right - box.left, box.bottom - box.top));
}

void QtCanvas::DrawRectangle(Rect box) {
    ApplyPen();
    ApplyBrush();
    // Whole pixels take the painter's integer path, several times faster for small markers.
    if (!m_painter.testRenderHint(QPainter::Antialiasing)) {
        m_painter.drawRect(QRect(box.left, box.top, box.right - box.left, box.bottom - box.top));
        return;
    }
    m_painter.drawRect(QRectF(box.left, box.top, box.right - box.left, box.bottom - box.top));
}

void QtCanvas::DrawRectangles(std::span<const Rect> boxes) {
    const Pen& p = pen();
    const Brush& b = brush();
    // A hairline outline in the fill's own colour makes a solid block one pixel larger than the
    // rectangle: filled directly, it is the painter's fastest path (markers by the 100,000).
    // Anything else goes one by one, since a batch would fill them all before outlining any.
    if (m_painter.testRenderHint(QPainter::Antialiasing) || p.style != PenStyle::Solid ||
        b.style != BrushStyle::Solid || p.color != b.color ||
        std::max(1, p.width) * m_pen_scale > 1) {
        Canvas::DrawRectangles(boxes);
        return;
    }
    QList<QRect> blocks;
    blocks.reserve(static_cast<qsizetype>(boxes.size()));
    for (const Rect& r : boxes) {
        const QRect box(r.left, r.top, r.right - r.left, r.bottom - r.top);
        // The painter draws nothing for a rectangle without width or height.
        if (box.isEmpty()) {
            DrawRectangle(r);
            continue;
        }
        blocks.append(QRect(r.left, r.top, box.width() + 1, box.height() + 1));
    }
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ToQColor(b.color));
    m_applied_pen.reset();
    m_applied_brush.reset();
    m_painter.drawRects(blocks.constData(), static_cast<int>(blocks.size()));
}

void QtCanvas::DrawPolygon(std::span<const Point> points) {
    ApplyPen();
    ApplyBrush();
    m_painter.drawPolygon(ToPolygon(points));
}

void QtCanvas::DrawText(Point at, std::string_view text) {
    const QFont qfont = QtFont(font());
    const QFontMetrics metrics(qfont, m_painter.device());
    const QString s = ToQString(text);
    int x = at.x;
    switch (textAlign().h) {
        case HAlign::Left:
            break;
        case HAlign::Center:
            x -= metrics.horizontalAdvance(s) / 2;
            break;
        case HAlign::Right:
            x -= metrics.horizontalAdvance(s);
            break;
    }
    int baseline = at.y;
    switch (textAlign().v) {
        case VAlign::Top:
            baseline += metrics.ascent();
            break;
        case VAlign::Baseline:
            break;
        case VAlign::Bottom:
            baseline -= metrics.descent();
            break;
    }
    m_painter.setFont(qfont);
    m_painter.setPen(ToQColor(Color::FromBgr(font().color)));
    m_applied_pen.reset();
    m_painter.drawText(QPoint(x, baseline), s);
}

int QtCanvas::TextWidth(std::string_view text) {
    const QFontMetrics metrics(QtFont(font()), m_painter.device());
    return metrics.horizontalAdvance(ToQString(text));
}

int QtCanvas::TextHeight(std::string_view) {
    const QFontMetrics metrics(QtFont(font()), m_painter.device());
    return metrics.height();
}

}  // namespace tabulon::ui
