// The PCA window and its menu.
#include "multivariate/ui/pca_window.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "base/language.h"
#include "graphs/dialogs.h"
#include "multivariate/factor_model.h"
#include "multivariate/model_texts.h"
#include "multivariate/ui/pca_outlier_window.h"

namespace tabulon::ui {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

PcaWindow::PcaWindow(Dialogs& dialogs, PcaWindowSetup setup, QWidget* parent)
    : TResultWindow(dialogs, parent), m_setup(std::move(setup)) {
    setObjectName("PcaWindow");
    setWindowTitle("PCA");
    const PcaResult& pca = m_setup.pca;
    m_plots.n = pca.n;
    m_plots.p = pca.p;
    m_plots.components = pca.p;
    m_plots.sheet_rows = m_setup.sheet_rows;
    m_plots.rows = pca.rows;
    m_plots.names = m_setup.columns.XNames;
    m_plots.scores = pca.scores;
    m_plots.loadings = pca.loadings;

    Visa1 = MainMenu1->addMenu(WindowCaption("Show", "Visa"));
    Plots = AddFactorPlotMenus(*Visa1, dialogs, *this, [this] { return &m_plots; });
    Visa1->addSeparator();
    Ekvationen1 = Visa1->addAction(WindowCaption("Equation", "Ekvationen"));
    Variablernai1 = Visa1->addAction(WindowCaption("Variables in %", "Variablerna i %"));
    Ekvationen1->setCheckable(true);
    Variablernai1->setCheckable(true);
    Visa1->addSeparator();
    Outliers1 = Visa1->addAction("Outliers");
    Spara1 = MainMenu1->addMenu(WindowCaption("Save", "Spara"));
    Lggtilldatafltet1 =
        Spara1->addAction(WindowCaption("Add to data board", "Lägg till datafältet"));
    // A PCA has no response, so there are no predictions to add.
    Lggtilldatafltet1->setEnabled(false);

    connect(Ekvationen1, &QAction::triggered, this, [this] { Ekvationen1Click(); });
    connect(Variablernai1, &QAction::triggered, this, [this] { Variablernai1Click(); });
    connect(Outliers1, &QAction::triggered, this, [this] { Outliers1Click(); });

    StringGrid1 = new QTableWidget(this);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    bottomLayout()->addWidget(StringGrid1, 4);
    // The counts are two lines; the table takes the room.
    Memo1->setMaximumHeight(4 * Memo1->fontMetrics().height() + 12);
    ShowPcaTable(false);
    resize(1000, 640);
    Refresh();
}

PcaWindow::~PcaWindow() = default;

void PcaWindow::ShowPcaTable(bool shares) {
    m_shares = shares;
    Ekvationen1->setChecked(!shares);
    Variablernai1->setChecked(shares);
    m_table = tabulon::ShowPcaTable(m_setup.pca, m_setup.columns.XNames, shares);
    const int rows = static_cast<int>(m_table.size());
    const int cols = rows ? static_cast<int>(m_table.front().size()) : 0;
    StringGrid1->setRowCount(rows);
    StringGrid1->setColumnCount(cols);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            auto* item = new QTableWidgetItem(Q(m_table[r][c]));
            if (r == 0) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            StringGrid1->setItem(r, c, item);
        }
    }
    StringGrid1->setColumnWidth(0, 40);
    StringGrid1->setColumnWidth(1, 100);
    StringGrid1->setColumnWidth(2, 100);
    // 65 pixels hold a loading of four digits; a loading of rounding size needs its exponent.
    for (int c = 3; c < cols; ++c) {
        StringGrid1->resizeColumnToContents(c);
        StringGrid1->setColumnWidth(c, std::max(65, StringGrid1->columnWidth(c)));
    }
}

std::string PcaWindow::ResultText() {
    return ModelClipboardText(PcaCopyLines(m_setup.file_name, m_setup.pca, m_table));
}

std::string PcaWindow::DisplayText() {
    ModelFit counts;
    counts.n = m_setup.pca.n;
    counts.p = m_setup.pca.p;
    std::string text;
    for (const auto& line : DrawModelText(counts, 5, ModelResultKind::Pca).lines) {
        text += line.label + " " + line.value + '\n';
    }
    return text;
}

std::vector<std::string> PcaWindow::PrintLines() {
    return PcaCopyLines(m_setup.file_name, m_setup.pca, m_table);
}

void PcaWindow::RenderGraph(Canvas&, int, int) {}

void PcaWindow::Ekvationen1Click() {
    ShowPcaTable(false);
}

void PcaWindow::Variablernai1Click() {
    ShowPcaTable(true);
}

void PcaWindow::Outliers1Click() {
    const std::string answer = dialogs().AskText(
        ChooseText("Number of principal components", "Antal principalkomponenter"));
    // A closed question (nothing typed) is no answer; anything else must be a whole number.
    if (answer.empty()) return;
    int asked = 0;
    try {
        asked = ParseFactorCount(answer);
    } catch (const std::exception& e) {
        dialogs().ShowMessage(e.what());
        return;
    }
    OutlierListingResult listed = ListOutliers(m_setup.pca, asked);
    if (!listed.listing) {
        dialogs().ShowMessage(listed.refusal);
        return;
    }
    ShowModal(new PcaOutlierWindow(std::move(*listed.listing), this));
}

}  // namespace tabulon::ui
