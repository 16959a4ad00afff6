// Printing a PrintGrid table through Qt: on the printer the user chose, or into a PDF file.
// Every window prints its tables through these; the layout itself is PrintGrid's.
#pragma once

#include <QString>
#include <string>

#include "graphs/print_grid.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPrinter;
class QWidget;

namespace tabulon::ui {

class PrinterChooser;

// The printable area of a printer or PDF writer in device pixels, and its vertical
// resolution; the layout starts at the printable area's origin.
PrintPage PageOf(const QPaintDevice& device);

// Prints pages `first` to `last` (from 1, kept within the table's pages) on `device`, every
// printed page after the first on a new sheet; nothing at all when first > last. `owner`, when
// given, draws the cells instead of the default drawing. false when the device cannot be
// painted on.
bool PrintGridPages(const PrintGrid& grid, QPagedPaintDevice& device, int first, int last,
                    const PrintCellHandler& owner = {});

// Every page, or the pages chosen in the print dialog; the job carries the grid's Title.
bool PrintGridOn(const PrintGrid& grid, QPrinter& printer, const PrintCellHandler& owner = {});

enum class PrintResult { Printed, Cancelled, Failed };

// Asks `chooser` for the printer (the print dialog in the program, a PDF file in tests) and
// prints on it.
PrintResult PrintGridAsked(const PrintGrid& grid, PrinterChooser& chooser, QWidget* parent,
                           const PrintCellHandler& owner = {});

// Every page as a PDF file: A4 portrait, half-inch margins. An existing file is replaced only
// by a complete one. false with the reason in `error`, in the current language.
bool PrintGridToPdf(const PrintGrid& grid, const QString& path, std::string* error,
                    const PrintCellHandler& owner = {});

}  // namespace tabulon::ui
