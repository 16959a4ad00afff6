// A graph's ways out of its window: clipboard, printer, SVG, PDF and PNG files, all through
// the window's one RenderGraph.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "graphs/canvas.h"

class QFont;
class QPrinter;
class QWidget;

namespace tabulon::ui {

// RenderGraph(canvas, width, height) of one window.
using RenderFunction = std::function<void(Canvas& canvas, int width, int height)>;

// Asks which printer to use (and sets it up); false when the user cancels. The windows show
// the print dialog; tests and scripted runs print to a PDF file instead.
class PrinterChooser {
public:
    virtual ~PrinterChooser() = default;
    virtual bool Choose(QPrinter& printer, QWidget* parent) = 0;
};

class DialogPrinterChooser : public PrinterChooser {
public:
    bool Choose(QPrinter& printer, QWidget* parent) override;
};

// Prints to a PDF file without asking; `accept` false plays a cancelled dialog.
class PdfFilePrinterChooser : public PrinterChooser {
public:
    explicit PdfFilePrinterChooser(QString path, bool accept = true)
        : m_path(std::move(path)), m_accept(accept) {}
    bool Choose(QPrinter& printer, QWidget* parent) override;
    int timesAsked() const { return m_times_asked; }

private:
    QString m_path;
    bool m_accept;
    int m_times_asked = 0;
};

// The graph as SVG and as an image of `size`; `font_dpi` as the screen has it.
QByteArray RenderGraphSvg(const RenderFunction& render, QSize size, int font_dpi);
QImage RenderGraphImage(const RenderFunction& render, QSize size, int font_dpi);

// Puts the graph on the clipboard as SVG and PNG at the on-screen `size`.
void CopyGraph(const RenderFunction& render, QSize size, int font_dpi);

// The page size a graph is printed at: the page width and the on-screen aspect ratio; a
// graph that would then run off the page is fitted to the page height instead.
QSize PrintedGraphSize(QSize page, QSize screen);

// Renders the graph on one page of `printer`, which the caller has chosen; false when the
// printer cannot be opened. Pens are widened by page width / screen width.
bool PrintGraph(const RenderFunction& render, QPrinter& printer, QSize screen_size);

// Prints text lines top down in `font`, starting a new page when one is full.
bool PrintTextLines(const std::vector<std::string>& lines, const QFont& font, QPrinter& printer);

enum class GraphFileType { Svg, Pdf, Png, Unknown };
// By the file name's extension, in any letter case.
GraphFileType GraphFileTypeOf(const QString& path);

// Writes the graph at the on-screen `size` into a file whose type follows from its
// extension; a failed write leaves an existing file as it was. false, with the reason in
// `error` (current language), when the type is unknown or the file cannot be written.
bool SaveGraph(const RenderFunction& render, QSize size, int font_dpi, const QString& path,
               std::string* error);

}  // namespace tabulon::ui
