// Tables on printer pages and in PDF files.
#include "graphs/ui/table_printer.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>

#include "base/language.h"
#include "graphs/ui/graph_output.h"
#include "graphs/ui/qt_canvas.h"

namespace tabulon::ui {

PrintPage PageOf(const QPaintDevice& device) {
    return {device.width(), device.height(), static_cast<double>(device.logicalDpiY())};
}

bool PrintGridPages(const PrintGrid& grid, QPagedPaintDevice& device, int first, int last,
                    const PrintCellHandler& owner) {
    const PrintPage page = PageOf(device);
    const PrintLayout layout = grid.LayOut(page);
    first = std::max(first, 1);
    last = std::min(last, layout.PageCount());
    if (first > last) return true;
    QPainter painter;
    if (!painter.begin(&device)) return false;
    QtCanvas canvas(painter, static_cast<int>(page.dpi));
    for (int number = first; number <= last; ++number) {
        if (number > first && !device.newPage()) {
            painter.end();
            return false;
        }
        DrawPrintedPage(canvas, layout.Page(number), owner);
    }
    return painter.end();
}

bool PrintGridOn(const PrintGrid& grid, QPrinter& printer, const PrintCellHandler& owner) {
    printer.setDocName(QString::fromStdString(grid.Title()));
    int first = 1;
    int last = grid.LayOut(PageOf(printer)).PageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage();
        last = std::min(last, std::max(printer.toPage(), first));
    }
    return PrintGridPages(grid, printer, first, last, owner);
}

PrintResult PrintGridAsked(const PrintGrid& grid, PrinterChooser& chooser, QWidget* parent,
                           const PrintCellHandler& owner) {
    QPrinter printer(QPrinter::HighResolution);
    if (!chooser.Choose(printer, parent)) return PrintResult::Cancelled;
    return PrintGridOn(grid, printer, owner) ? PrintResult::Printed : PrintResult::Failed;
}

bool PrintGridToPdf(const PrintGrid& grid, const QString& path, std::string* error,
                    const PrintCellHandler& owner) {
    const auto fail = [&](std::string text) {
        if (error) *error = std::move(text);
        return false;
    };
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(QString::fromStdString(grid.Title()));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch));
        if (!PrintGridPages(grid, writer, 1, grid.LayOut(PageOf(writer)).PageCount(), owner)) {
            return fail(ChooseText("Could not print", "Kunde inte skriva ut"));
        }
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        return fail(ChooseText("Could not write ", "Kunde inte skriva ") + path.toStdString());
    }
    return true;
}

}  // namespace tabulon::ui
