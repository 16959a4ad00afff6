// The sort window.
#include "shell/ui/sort_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/language.h"
#include "graphs/ui/dialog_buttons.h"
#include "graphs/ui/fonts.h"

namespace tabulon::ui {
namespace {
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
}  // namespace

SortDialog::SortDialog(const std::vector<std::string>& labels, bool ascending, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Q(ChooseText("Sort", "Sortera")));
    m_list = new QListWidget(this);
    m_list->setFont(ResolveFont("Times New Roman", 12, true));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumSize(220, 240);
    for (const std::string& label : labels) m_list->addItem(Q(label));
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        item->setSelected(true);
        m_double_clicked = true;
        reject();  // closes; the flag makes it a choice
    });

    auto* order = new QGroupBox(Q(ChooseText("Order", "Ordning")), this);
    m_ascending = new QRadioButton(Q(ChooseText("Ascending", "Stigande")), order);
    m_descending = new QRadioButton(Q(ChooseText("Descending", "Fallande")), order);
    (ascending ? m_ascending : m_descending)->setChecked(true);
    auto* order_layout = new QVBoxLayout(order);
    order_layout->addWidget(m_ascending);
    order_layout->addWidget(m_descending);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        Q(ChooseText("Sort according to column:", "Sortera rader efter kolumn:")), this));
    layout->addWidget(m_list);
    layout->addWidget(order);
    layout->addLayout(OkCancelRow(this));
}

std::optional<SortChoice> SortDialog::choice() const {
    const auto items = m_list->selectedItems();
    if (items.isEmpty()) return std::nullopt;
    return SortChoice{items.back()->text().toStdString(), m_ascending->isChecked()};
}

}  // namespace tabulon::ui
