// Arkiv > Skriv ut prints the filled part of the worksheet as the grid shows it, tiled over
// as many pages as it needs with the column numbers on every page; Arkiv > Utskriftsformat
// sets up the printer for it.
#include "shell/ui/print_commands.h"

#include <QPageSetupDialog>
#include <QPrinter>

#include "base/language.h"
#include "graphs/ui/fonts.h"
#include "graphs/ui/graph_output.h"
#include "graphs/ui/table_printer.h"
#include "graphs/worksheet_print.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_window.h"
#include "worksheet/ui/number_grid.h"

namespace tabulon::ui {
namespace {

constexpr const char* kPrintingName = "worksheetPrinting";

// The window's printer and the way it is chosen, living as long as the main window.
class WorksheetPrinting : public QObject {
public:
    explicit WorksheetPrinting(QObject* parent)
        : QObject(parent), printer(QPrinter::HighResolution) {
        setObjectName(kPrintingName);
    }
    QPrinter printer;
    DialogPrinterChooser dialog;
    PrinterChooser* chooser = &dialog;
};

WorksheetPrinting& Printing(MainWindow& form) {
    QObject* found = form.findChild<QObject*>(kPrintingName, Qt::FindDirectChildrenOnly);
    if (auto* printing = dynamic_cast<WorksheetPrinting*>(found)) return *printing;
    return *new WorksheetPrinting(&form);
}

void Skrivut1Click(MainWindow& form) {
    WorksheetPrinting& printing = Printing(form);
    if (!printing.chooser->Choose(printing.printer, &form)) return;
    const TNumberGrid& grid = *form.NumberGrid1();
    SheetPrintStyle style;
    style.decimals = grid.Decimals();
    style.significant_digits = grid.SignificantDig();
    style.decimal_separator = DecimalSeparator();
    style.row_height_pixels = grid.rowHeightPixels();
    style.screen_dpi = grid.logicalDpiY();
    style.font = ToFontSpec(grid.font());
    style.title = form.windowTitle().toStdString();
    const PrintGrid table = WorksheetPrintGrid(grid.sheet(), style);
    if (!PrintGridOn(table, printing.printer)) {
        form.dialogs().ShowMessage(ChooseText("Could not print", "Kunde inte skriva ut"));
    }
}

void Utskriftsformat1Click(MainWindow& form) {
    QPageSetupDialog dialog(&Printing(form).printer, &form);
    dialog.exec();
}

}  // namespace

QPrinter& WorksheetPrinter(MainWindow& form) {
    return Printing(form).printer;
}

void SetWorksheetPrinterChooser(MainWindow& form, PrinterChooser* chooser) {
    WorksheetPrinting& printing = Printing(form);
    printing.chooser = chooser ? chooser : &printing.dialog;
}

void RegisterPrintCommands(MainWindow& form) {
    form.RegisterCommand("arkiv.skriv_ut", [&form] { Skrivut1Click(form); });
    form.RegisterCommand("arkiv.utskriftsformat", [&form] { Utskriftsformat1Click(form); });
}

}  // namespace tabulon::ui
