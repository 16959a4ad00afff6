// Copying, printing and saving graphs.
#include "graphs/ui/graph_output.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>

#include "graphs/ui/qt_canvas.h"
#include "base/language.h"
#include "graphs/ui/clipboard_component.h"

namespace tabulon::ui {
namespace {

std::function<void(QPainter&)> Drawing(const RenderFunction& render, QSize size, int font_dpi) {
    return [&render, size, font_dpi](QPainter& painter) {
        QtCanvas canvas(painter, font_dpi);
        render(canvas, size.width(), size.height());
    };
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QByteArray PdfBytes(const RenderFunction& render, QSize size, int font_dpi) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        // One pixel of the screen is one pixel of the PDF: the page is the graph.
        writer.setResolution(font_dpi);
        const QSizeF inches(size.width() / double(font_dpi), size.height() / double(font_dpi));
        writer.setPageSize(QPageSize(inches, QPageSize::Inch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        QtCanvas canvas(painter, font_dpi);
        render(canvas, size.width(), size.height());
    }
    return bytes;
}

}  // namespace

bool DialogPrinterChooser::Choose(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool PdfFilePrinterChooser::Choose(QPrinter& printer, QWidget*) {
    ++m_times_asked;
    if (!m_accept) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_path);
    return true;
}

QByteArray RenderGraphSvg(const RenderFunction& render, QSize size, int font_dpi) {
    return TClipboardComponent::RenderSvg(Drawing(render, size, font_dpi), size);
}

QImage RenderGraphImage(const RenderFunction& render, QSize size, int font_dpi) {
    return TClipboardComponent::RenderImage(Drawing(render, size, font_dpi), size);
}

void CopyGraph(const RenderFunction& render, QSize size, int font_dpi) {
    TClipboardComponent::CopyPicture(Drawing(render, size, font_dpi), size);
}

QSize PrintedGraphSize(QSize page, QSize screen) {
    if (page.isEmpty() || screen.isEmpty()) return page;
    const int height =
        static_cast<int>(std::lround(double(page.width()) / screen.width() * screen.height()));
    if (height <= page.height()) return {page.width(), height};
    const int width =
        static_cast<int>(std::lround(double(page.height()) / screen.height() * screen.width()));
    return {width, page.height()};
}

bool PrintGraph(const RenderFunction& render, QPrinter& printer, QSize screen_size) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QSize page(printer.width(), printer.height());
    const QSize size = PrintedGraphSize(page, screen_size);
    const double pen_scale =
        screen_size.width() > 0 ? double(size.width()) / screen_size.width() : 1.0;
    QtCanvas canvas(painter, printer.resolution(), pen_scale);
    render(canvas, size.width(), size.height());
    return painter.end();
}

bool PrintTextLines(const std::vector<std::string>& lines, const QFont& font, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    painter.setFont(font);
    const QFontMetrics metrics(font, &printer);
    const int line_height = std::max(1, metrics.lineSpacing());
    const int page_height = printer.height();
    int y = metrics.ascent();
    for (const std::string& line : lines) {
        if (y + metrics.descent() > page_height && y > metrics.ascent()) {
            printer.newPage();
            y = metrics.ascent();
        }
        painter.drawText(QPoint(0, y), QString::fromStdString(line));
        y += line_height;
    }
    return painter.end();
}

GraphFileType GraphFileTypeOf(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == "svg") return GraphFileType::Svg;
    if (ext == "pdf") return GraphFileType::Pdf;
    if (ext == "png") return GraphFileType::Png;
    return GraphFileType::Unknown;
}

bool SaveGraph(const RenderFunction& render, QSize size, int font_dpi, const QString& path,
               std::string* error) {
    const auto fail = [&](std::string text) {
        if (error) *error = std::move(text);
        return false;
    };
    QByteArray bytes;
    switch (GraphFileTypeOf(path)) {
        case GraphFileType::Svg:
            bytes = RenderGraphSvg(render, size, font_dpi);
            break;
        case GraphFileType::Pdf:
            bytes = PdfBytes(render, size, font_dpi);
            break;
        case GraphFileType::Png: {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            if (!RenderGraphImage(render, size, font_dpi).save(&buffer, "PNG")) {
                return fail(ChooseText("Could not write the picture", "Kunde inte skriva bilden"));
            }
            break;
        }
        case GraphFileType::Unknown:
            return fail(ChooseText("The file name must end in .svg, .pdf or .png",
                                   "Filnamnet måste sluta på .svg, .pdf eller .png"));
    }
    if (!WriteBytes(path, bytes)) {
        return fail(ChooseText("Could not write ", "Kunde inte skriva ") + path.toStdString());
    }
    return true;
}

}  // namespace tabulon::ui
