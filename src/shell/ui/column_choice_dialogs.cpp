// The column choice windows and the text import dialog.
#include "shell/ui/column_choice_dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/language.h"
#include "graphs/ui/dialog_buttons.h"
#include "graphs/ui/fonts.h"

namespace tabulon::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QListWidget* LabelList(QWidget* parent, const std::vector<std::string>& labels) {
    auto* list = new QListWidget(parent);
    list->setFont(ResolveFont("Times New Roman", 12, true));
    for (const std::string& label : labels) list->addItem(Q(label));
    list->setMinimumSize(220, 240);
    return list;
}

std::string SelectedText(const QListWidget* list) {
    const auto items = list->selectedItems();
    return items.isEmpty() ? std::string() : items.back()->text().toStdString();
}

}  // namespace

ColumnChoiceDialog::ColumnChoiceDialog(const QString& caption, const std::vector<std::string>& labels, bool multiple,
               QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    m_list = LabelList(this, labels);
    m_list->setSelectionMode(multiple ? QAbstractItemView::ExtendedSelection
                                      : QAbstractItemView::SingleSelection);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_list->setCurrentItem(item);
        item->setSelected(true);
        m_double_clicked = true;
        reject();  // closes; the flag makes it a choice
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(OkCancelRow(this));
}

std::vector<std::string> ColumnChoiceDialog::selectedLabels() const {
    std::vector<std::string> out;
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->isSelected()) out.push_back(m_list->item(i)->text().toStdString());
    }
    return out;
}

TDualListDlg::TDualListDlg(const std::vector<std::string>& labels, QWidget* parent,
                           const ListHeadings& headings)
    : QDialog(parent) {
    setWindowTitle(Q(ChooseText("Choose columns", "Välj kolumner")));
    m_left = LabelList(this, labels);
    m_right = LabelList(this, labels);
    auto* grid = new QGridLayout;
    const bool own = headings.left.empty();
    grid->addWidget(
        new QLabel(Q(own ? ChooseText("Variable 1", "Variabel 1") : headings.left), this), 0, 0);
    grid->addWidget(
        new QLabel(Q(own ? ChooseText("Variable 2", "Variabel 2") : headings.right), this), 0, 2);
    grid->addWidget(m_left, 1, 0);
    auto* versus = new QLabel(Q(ChooseText("Versus", "Mot")), this);
    versus->setAlignment(Qt::AlignCenter);
    grid->addWidget(versus, 1, 1);
    grid->addWidget(m_right, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(OkCancelRow(this));
}

std::string TDualListDlg::leftLabel() const { return SelectedText(m_left); }
std::string TDualListDlg::rightLabel() const { return SelectedText(m_right); }

TextImportDialog::TextImportDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Rubriker");
    m_label = new QLabel(this);
    m_columns = new QCheckBox(this);
    m_rows = new QCheckBox(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_columns);
    layout->addWidget(m_rows);
    layout->addLayout(OkCancelRow(this));
}

void TextImportDialog::showEvent(QShowEvent* event) {
    // The texts follow the language of the moment the dialog is shown.
    m_label->setText(Q(ChooseText("Does the text file contain", "Innehåller textfilen")));
    m_columns->setText(Q(ChooseText("Column captions", "Kolumnrubriker")));
    m_rows->setText(Q(ChooseText("Row captions", "Radrubriker")));
    QDialog::showEvent(event);
}

}  // namespace tabulon::ui
