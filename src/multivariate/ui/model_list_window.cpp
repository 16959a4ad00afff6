// The model's coefficient and column lists.
#include "multivariate/ui/model_list_window.h"

#include <QAction>
#include <QHeaderView>
#include <QMenuBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "graphs/ui/result_window.h"

namespace tabulon::ui {

TListRegCoefficients::TListRegCoefficients(const ModelWindowTable& table, QWidget* parent)
    : QDialog(parent) {
    setObjectName("TListRegCoefficients");
    setWindowTitle(QString::fromStdString(table.caption));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* menu = new QMenuBar(this);
    Stang1 = menu->addMenu(WindowCaption("File", "Arkiv"))
                 ->addAction(WindowCaption("Close", "Stäng"), QKeySequence("Ctrl+X"));
    connect(Stang1, &QAction::triggered, this, &QDialog::close);
    // The first row of the table is the grid's fixed header row.
    const int rows = static_cast<int>(table.rows.size());
    m_grid = new QTableWidget(std::max(0, rows - 1), 2, this);
    if (rows > 0) {
        m_grid->setHorizontalHeaderLabels(
            {QString::fromStdString(table.rows[0][0]), QString::fromStdString(table.rows[0][1])});
    }
    for (int r = 1; r < rows; ++r) {
        for (int c = 0; c < 2; ++c) {
            m_grid->setItem(r - 1, c,
                            new QTableWidgetItem(QString::fromStdString(table.rows[r][c])));
        }
    }
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addWidget(m_grid);
    resize(460, std::min(600, 90 + 30 * rows));
}

}  // namespace tabulon::ui
