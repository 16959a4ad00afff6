// Arkiv > Skriv ut and Utskriftsformat of the main window: the worksheet on the printer.
#pragma once

class QPrinter;

namespace tabulon::ui {

class MainWindow;
class PrinterChooser;

// The printer the worksheet goes to; Utskriftsformat sets it up for the next Skriv ut.
QPrinter& WorksheetPrinter(MainWindow& form);
// Who chooses the printer for Skriv ut: the print dialog, or in tests a PDF file; null puts
// back the print dialog.
void SetWorksheetPrinterChooser(MainWindow& form, PrinterChooser* chooser);

}  // namespace tabulon::ui
