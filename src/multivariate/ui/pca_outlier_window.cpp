// The outlier listing of a PCA.
#include "multivariate/ui/pca_outlier_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "graphs/ui/level_control.h"
#include "graphs/ui/result_window.h"

namespace tabulon::ui {

PcaOutlierWindow::PcaOutlierWindow(OutlierListing listing, QWidget* parent)
    : QDialog(parent), m_listing(std::move(listing)) {
    setObjectName("TOutLierForm");
    setWindowTitle("Outlieranalys");
    auto* layout = new QVBoxLayout(this);
    for (QLabel*& label : CountLabels) {
        label = new QLabel(this);
        layout->addWidget(label);
    }
    StringGrid1 = new QTableWidget(this);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(StringGrid1, 1);
    Levels = new TLevelControl(OutlierLevelRules(), this);
    Levels->setOnChange([this](Extended level) { setLevel(level); });
    layout->addWidget(Levels);
    CriticalLabel = new QLabel(this);
    CriticalLabel->setObjectName("CriticalLabel");
    layout->addWidget(CriticalLabel);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    fill();
    resize(660, 560);
}

void PcaOutlierWindow::setLevel(Extended percent) {
    ClassifyOutliers(m_listing, percent / 100);
    if (Levels->level() != percent) Levels->setLevel(percent);
    fill();
}

void PcaOutlierWindow::fill() {
    const std::vector<std::string> counts = OutlierCountLines(m_listing);
    for (std::size_t i = 0; i < CountLabels.size() && i < counts.size(); ++i) {
        CountLabels[i]->setText(QString::fromStdString(counts[i]));
    }
    const TextTable grid = OutlierGrid(m_listing);
    StringGrid1->setColumnCount(3);
    StringGrid1->setRowCount(static_cast<int>(grid.size()) - 1);
    QStringList header;
    for (const std::string& h : grid.front()) header << QString::fromStdString(h);
    StringGrid1->setHorizontalHeaderLabels(header);
    for (std::size_t r = 1; r < grid.size(); ++r) {
        for (int c = 0; c < 3; ++c) {
            StringGrid1->setItem(static_cast<int>(r) - 1, c,
                                 new QTableWidgetItem(QString::fromStdString(grid[r][c])));
        }
    }
    StringGrid1->setColumnWidth(2, 200);
    CriticalLabel->setText(QString::fromStdString(OutlierCriticalText(m_listing)));
}

}  // namespace tabulon::ui
