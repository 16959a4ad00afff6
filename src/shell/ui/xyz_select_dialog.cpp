// The three-list choice of the 3-D plot's variables.
#include "shell/ui/xyz_select_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "base/language.h"
#include "graphs/ui/dialog_buttons.h"

namespace tabulon::ui {

XyzSelectDialog::XyzSelectDialog(const std::vector<std::string>& labels, QWidget* parent)
    : QDialog(parent) {
    setObjectName("XyzSelectDialog");
    setWindowTitle(QString::fromStdString(ChooseText("Choose variables", "Välj variabler")));
    const std::array<std::string, 3> captions{ChooseText("x-variable", "x-variabel"),
                                              ChooseText("y-variable", "y-variabel"),
                                              ChooseText("z-variable", "z-variabel")};
    auto* grid = new QGridLayout;
    for (std::size_t a = 0; a < 3; ++a) {
        auto* list = new QListWidget(this);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        for (const std::string& label : labels) list->addItem(QString::fromStdString(label));
        m_lists[a] = list;
        const int column = static_cast<int>(a);
        grid->addWidget(new QLabel(QString::fromStdString(captions[a]), this), 0, column);
        grid->addWidget(list, 1, column);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(OkCancelRow(this));
}

std::array<std::string, 3> XyzSelectDialog::chosen() const {
    std::array<std::string, 3> out;
    for (std::size_t a = 0; a < 3; ++a) {
        const auto items = m_lists[a]->selectedItems();
        if (!items.isEmpty()) out[a] = items.front()->text().toStdString();
    }
    return out;
}

}  // namespace tabulon::ui
