// BonferroniWindow: the pairwise comparisons of the analysis of variance, one table row per
// pair of columns, with Arkiv > Kopiera (the cells with tabs between them) and Skriv ut (the
// caption and the table through the table printer, over as many pages as it needs).
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "graphs/print_grid.h"
#include "graphs/ui/graph_output.h"
#include "univariate/anova.h"

class QAction;
class QTableWidget;

namespace tabulon {
class Dialogs;
}

namespace tabulon::ui {

class BonferroniWindow : public QDialog {
    Q_OBJECT
public:
    BonferroniWindow(Dialogs& dialogs, const std::vector<AnovaGroup>& groups,
                     const AnovaResult& result, QWidget* parent = nullptr);
    ~BonferroniWindow() override;

    const BonferroniResult& comparison() const { return m_comparison; }
    // What Kopiera puts on the clipboard: the caption, then the cells, lines ended by CR LF.
    std::string CopyText() const;
    // What Skriv ut prints: the caption on the first row, then the table under its headlines.
    PrintGrid PrintTable() const;

    void Kopiera1Click();
    void Skrivut1Click();
    // The print dialog; null puts back the real one.
    void setPrinterChooser(PrinterChooser* chooser);

    QTableWidget* StringGrid1 = nullptr;
    QAction* Kopiera1 = nullptr;
    QAction* Skrivut1 = nullptr;
    QAction* Stang1 = nullptr;

private:
    Dialogs& m_dialogs;
    BonferroniResult m_comparison;
    std::string m_caption;
    std::vector<std::string> m_headings;
    std::vector<std::vector<std::string>> m_rows;
    std::vector<std::string> m_copy_lines;
    std::unique_ptr<PrinterChooser> m_own_chooser;
    PrinterChooser* m_chooser = nullptr;
};

}  // namespace tabulon::ui
