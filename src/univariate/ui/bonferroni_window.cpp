// The Bonferroni comparison window.
#include "univariate/ui/bonferroni_window.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "graphs/dialogs.h"
#include "graphs/ui/clipboard_component.h"
#include "graphs/ui/fonts.h"
#include "graphs/ui/result_window.h"
#include "graphs/ui/table_printer.h"

namespace tabulon::ui {

BonferroniWindow::BonferroniWindow(Dialogs& dialogs, const std::vector<AnovaGroup>& groups,
                                   const AnovaResult& result, QWidget* parent)
    : QDialog(parent),
      m_dialogs(dialogs),
      m_comparison(CompareBonferroni(groups, result)),
      m_caption(BonferroniCaption(result.level)),
      m_headings(BonferroniHeadings()),
      m_rows(BonferroniRows(groups, m_comparison)),
      m_copy_lines(BonferroniCopyLines(groups, result, m_comparison)),
      m_own_chooser(std::make_unique<DialogPrinterChooser>()),
      m_chooser(m_own_chooser.get()) {
    setObjectName("BonferroniWindow");
    setWindowTitle(QString::fromStdString(m_caption));

    auto* menu = new QMenuBar(this);
    QMenu* arkiv = menu->addMenu(WindowCaption("File", "Arkiv"));
    Kopiera1 = arkiv->addAction(WindowCaption("Copy", "Kopiera"));
    Skrivut1 = arkiv->addAction(WindowCaption("Print", "Skriv ut"));
    arkiv->addSeparator();
    Stang1 = arkiv->addAction(WindowCaption("Close", "Stäng"), QKeySequence("Ctrl+X"));
    connect(Kopiera1, &QAction::triggered, this, [this] { Kopiera1Click(); });
    connect(Skrivut1, &QAction::triggered, this, [this] { Skrivut1Click(); });
    connect(Stang1, &QAction::triggered, this, &QDialog::close);

    const auto& headings = m_headings;
    const auto& rows = m_rows;
    StringGrid1 = new QTableWidget(static_cast<int>(rows.size()),
                                   static_cast<int>(headings.size()), this);
    StringGrid1->setObjectName("StringGrid1");
    QStringList labels;
    for (const std::string& h : headings) labels << QString::fromStdString(h);
    StringGrid1->setHorizontalHeaderLabels(labels);
    for (int r = 0; r < StringGrid1->rowCount(); ++r) {
        for (int c = 0; c < StringGrid1->columnCount(); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(
                rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
            if (c > 1) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            StringGrid1->setItem(r, c, item);
        }
    }
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < StringGrid1->columnCount(); ++c) {
        StringGrid1->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addWidget(StringGrid1);
    resize(560, std::min(600, 110 + 30 * static_cast<int>(rows.size())));
}

BonferroniWindow::~BonferroniWindow() = default;

std::string BonferroniWindow::CopyText() const {
    std::string text;
    for (const std::string& line : m_copy_lines) text += line + "\r\n";
    return text;
}

void BonferroniWindow::Kopiera1Click() {
    TClipboardComponent clipboard;
    clipboard.setFormat(ClipboardFormat::cbText);
    clipboard.appendText(CopyText());
    clipboard.copy();
}

PrintGrid BonferroniWindow::PrintTable() const {
    const FontSpec font = ToFontSpec(this->font());
    PrintGrid grid;
    grid.SetTitle(m_caption);
    grid.SetDefaultColCount(1);
    grid.SetDefaultColWidth(6.8);
    grid.SetDefaultRowHeight(0.35);
    grid.SetDefaultFont(font);
    grid.SetDefaultHeadlineFont(font);
    // 4950 pairs at the default 0.4 inch a row would take some 200 pages.
    PrintRowFormat& table = grid.AddRowFormat(1);
    table.row_height = 0.25;
    const double widths[] = {3.6, 1.1, 0.9, 0.9};
    table.columns.assign(m_headings.size(), PrintColumn{});
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        table.columns[c].width = widths[c];
        table.columns[c].distance = c == 0 ? 0.0 : 0.1;
        table.columns[c].align = c < 2 ? PrintAlign::Left : PrintAlign::Right;
        table.columns[c].headline = m_headings[c];
    }
    grid.SetRowCount(static_cast<int>(m_rows.size()) + 1);
    grid.SetCell(0, 0, m_caption);
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        for (std::size_t c = 0; c < m_rows[r].size(); ++c) {
            grid.SetCell(static_cast<int>(c), static_cast<int>(r) + 1, m_rows[r][c]);
        }
    }
    return grid;
}

void BonferroniWindow::Skrivut1Click() {
    if (PrintGridAsked(PrintTable(), *m_chooser, this) == PrintResult::Failed) {
        m_dialogs.ShowMessage(ChooseText("Could not print", "Kunde inte skriva ut"));
    }
}

void BonferroniWindow::setPrinterChooser(PrinterChooser* chooser) {
    m_chooser = chooser ? chooser : m_own_chooser.get();
}

}  // namespace tabulon::ui
