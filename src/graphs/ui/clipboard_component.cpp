// Pictures and texts on the clipboard.
#include "graphs/ui/clipboard_component.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSvgGenerator>

#include "worksheet/worksheet.h"

namespace tabulon::ui {
namespace {

// The bitmap both as Qt's image and as PNG bytes, so that programs that read only one of
// them find it.
void PutImage(QMimeData& mime, const QImage& image) {
    mime.setImageData(image);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    mime.setData("image/png", png);
}

}  // namespace

TClipboardComponent::TClipboardComponent() = default;
TClipboardComponent::~TClipboardComponent() { reset(); }

void TClipboardComponent::reset() {
    m_painter.reset();
    m_svg.reset();
    m_svg_buffer.reset();
    m_image = QImage();
    m_text.clear();
}

void TClipboardComponent::setFormat(ClipboardFormat format) {
    reset();
    m_format = format;
}

void TClipboardComponent::setPictureWidth(int width) {
    reset();
    m_size.setWidth(std::max(width, 1));
}

void TClipboardComponent::setPictureHeight(int height) {
    reset();
    m_size.setHeight(std::max(height, 1));
}

QPainter* TClipboardComponent::canvas() {
    if (m_format == ClipboardFormat::cbText) return nullptr;
    if (m_painter) return m_painter.get();
    if (m_format == ClipboardFormat::cbMetafile) {
        m_svg_buffer = std::make_unique<QBuffer>();
        m_svg = std::make_unique<QSvgGenerator>();
        m_svg->setOutputDevice(m_svg_buffer.get());
        m_svg->setSize(m_size);
        m_svg->setViewBox(QRect(QPoint(0, 0), m_size));
        m_painter = std::make_unique<QPainter>(m_svg.get());
    } else {
        m_image = QImage(m_size, QImage::Format_ARGB32_Premultiplied);
        m_image.fill(Qt::white);
        m_painter = std::make_unique<QPainter>(&m_image);
    }
    return m_painter.get();
}

void TClipboardComponent::appendText(std::string_view text) { m_text.append(text); }

std::string TClipboardComponent::GridText(const Worksheet& sheet) {
    std::string out;
    for (int r = 0; r < sheet.rowCount(); ++r) {
        for (int c = 0; c < sheet.columnCount(); ++c) {
            out += sheet.cell(c, r);
            out += c + 1 < sheet.columnCount() ? '\t' : '\n';
        }
    }
    return out;
}

void TClipboardComponent::copy() {
    auto* mime = new QMimeData;
    if (m_format == ClipboardFormat::cbText) {
        std::string text = m_text;
        if (m_grid) text += GridText(*m_grid);
        mime->setText(QString::fromStdString(text));
    } else {
        canvas();  // an untouched canvas still copies an empty picture
        m_painter->end();
        if (m_format == ClipboardFormat::cbMetafile) {
            mime->setData("image/svg+xml", m_svg_buffer->data());
        } else {
            PutImage(*mime, m_image);
        }
    }
    QGuiApplication::clipboard()->setMimeData(mime);
    reset();
}

QByteArray TClipboardComponent::RenderSvg(const std::function<void(QPainter&)>& draw,
                                          QSize size) {
    QBuffer buffer;
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    {
        QPainter painter(&generator);
        draw(painter);
    }
    return buffer.data();
}

QImage TClipboardComponent::RenderImage(const std::function<void(QPainter&)>& draw, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw(painter);
    return image;
}

void TClipboardComponent::CopyPicture(const std::function<void(QPainter&)>& draw, QSize size) {
    auto* mime = new QMimeData;
    mime->setData("image/svg+xml", RenderSvg(draw, size));
    PutImage(*mime, RenderImage(draw, size));
    QGuiApplication::clipboard()->setMimeData(mime);
}

}  // namespace tabulon::ui
