// The calibration model's column choice and factor count windows.
#include "shell/ui/model_dialogs.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/language.h"
#include "graphs/ui/dialog_buttons.h"

namespace tabulon::ui {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QListWidget* LabelList(QWidget* parent, const std::vector<std::string>& labels, bool multiple) {
    auto* list = new QListWidget(parent);
    for (const std::string& label : labels) list->addItem(Q(label));
    list->setSelectionMode(multiple ? QAbstractItemView::MultiSelection
                                    : QAbstractItemView::SingleSelection);
    list->setMinimumSize(200, 240);
    return list;
}

}  // namespace

TModelColumnDlg::TModelColumnDlg(const std::vector<std::string>& labels, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Q(ChooseText("Choose columns", "Välj kolumner")));
    m_z = LabelList(this, labels, false);
    m_x = LabelList(this, labels, true);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("z-variable", this), 0, 0);
    grid->addWidget(new QLabel("x-variables", this), 0, 1);
    grid->addWidget(m_z, 1, 0);
    grid->addWidget(m_x, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(OkCancelRow(this, Q(ChooseText("Cancel", "Avbryt"))));
}

std::string TModelColumnDlg::zLabel() const {
    const auto items = m_z->selectedItems();
    return items.isEmpty() ? std::string() : items.front()->text().toStdString();
}

std::vector<std::string> TModelColumnDlg::xLabels() const {
    std::vector<std::string> out;
    for (int i = 0; i < m_x->count(); ++i) {
        if (m_x->item(i)->isSelected()) out.push_back(m_x->item(i)->text().toStdString());
    }
    return out;
}

TFakValj2::TFakValj2(const FactorCountQuestion& question, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Q(question.caption));
    m_grid = new QTableWidget(static_cast<int>(question.rows.size()), 2, this);
    m_grid->setHorizontalHeaderLabels({Q(question.count_header), Q(question.left_header)});
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < static_cast<int>(question.rows.size()); ++r) {
        m_grid->setItem(r, 0, new QTableWidgetItem(Q(question.rows[r].first)));
        m_grid->setItem(r, 1, new QTableWidgetItem(Q(question.rows[r].second)));
    }
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grid->setMinimumSize(260, 220);
    m_edit = new QLineEdit(Q(question.initial), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addWidget(new QLabel(Q(question.label), this));
    layout->addWidget(m_edit);
    layout->addLayout(OkCancelRow(this, Q(ChooseText("Cancel", "Avbryt"))));
    m_edit->selectAll();
    m_edit->setFocus();
}

}  // namespace tabulon::ui
