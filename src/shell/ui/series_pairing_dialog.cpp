#include "shell/ui/series_pairing_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "graphs/ui/dialog_buttons.h"

namespace tabulon::ui {

SeriesPairingDialog::SeriesPairingDialog(const std::vector<std::string>& labels, QWidget* parent)
    : QDialog(parent) {
    setObjectName("SeriesPairingDialog");
    setWindowTitle("OverLayPlot");
    auto* grid = new QGridLayout;
    m_x = new QListWidget(this);
    m_y = new QListWidget(this);
    m_selected = new QListWidget(this);
    for (QListWidget* list : {m_x, m_y}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        for (const std::string& label : labels) list->addItem(QString::fromStdString(label));
    }
    grid->addWidget(new QLabel("x-value", this), 0, 0);
    grid->addWidget(new QLabel("y-value", this), 0, 1);
    grid->addWidget(new QLabel("Selected x vs y-values", this), 0, 2);
    grid->addWidget(m_x, 1, 0);
    grid->addWidget(m_y, 1, 1);
    grid->addWidget(m_selected, 1, 2);
    auto* select = new QPushButton("Select", this);
    select->setObjectName("Select");
    select->setAutoDefault(false);
    connect(select, &QPushButton::clicked, this, [this] { SelectClick(); });
    grid->addWidget(select, 2, 0, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(OkCancelRow(this));
    resize(620, 360);
}

void SeriesPairingDialog::SelectClick() {
    const auto x = m_x->selectedItems();
    const auto y = m_y->selectedItems();
    if (x.isEmpty() || y.isEmpty()) return;
    m_pairs.emplace_back(x.front()->text().toStdString(), y.front()->text().toStdString());
    m_selected->addItem(x.front()->text() + " vs " + y.front()->text());
}

}  // namespace tabulon::ui
