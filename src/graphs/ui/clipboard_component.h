// TClipboardComponent: what result windows put on the clipboard. Text is collected in a
// buffer (with an optional linked worksheet appended as tab-separated rows); a picture is
// drawn on a canvas of the picture size and goes to the clipboard as a vector picture (SVG),
// a bitmap (PNG), or both at once.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QSvgGenerator;

namespace tabulon {
class Worksheet;
}

namespace tabulon::ui {

enum class ClipboardFormat { cbMetafile, cbBitmap, cbText };

class TClipboardComponent {
public:
    TClipboardComponent();
    ~TClipboardComponent();

    ClipboardFormat format() const { return m_format; }
    int PictureWidth() const { return m_size.width(); }
    int PictureHeight() const { return m_size.height(); }
    // Each of these discards the present picture or text.
    void setFormat(ClipboardFormat format);
    void setPictureWidth(int width);
    void setPictureHeight(int height);

    // The drawing canvas of the picture (cbMetafile, cbBitmap); null for cbText.
    QPainter* canvas();

    // cbText: appends to the text buffer.
    void appendText(std::string_view text);
    const std::string& text() const { return m_text; }
    // A worksheet whose every cell is appended (tabs between cells, a line feed after each
    // row) when a text copy is made.
    void linkGrid(const Worksheet* sheet) { m_grid = sheet; }

    // Puts the picture or the text on the clipboard and starts afresh.
    void copy();

    // The text of a linked worksheet as copy() appends it.
    static std::string GridText(const Worksheet& sheet);

    // A graph as the result windows copy it: the same drawing as SVG and as PNG in one
    // clipboard entry, at `size`.
    static void CopyPicture(const std::function<void(QPainter&)>& draw, QSize size);
    // Both renderings, for tests and for saving pictures.
    static QByteArray RenderSvg(const std::function<void(QPainter&)>& draw, QSize size);
    static QImage RenderImage(const std::function<void(QPainter&)>& draw, QSize size);

private:
    void reset();

    ClipboardFormat m_format = ClipboardFormat::cbMetafile;
    QSize m_size{300, 300};
    std::string m_text;
    const Worksheet* m_grid = nullptr;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<QSvgGenerator> m_svg;
    std::unique_ptr<QBuffer> m_svg_buffer;
    QImage m_image;
};

}  // namespace tabulon::ui
