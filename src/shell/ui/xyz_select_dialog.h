// TxyzSelect ("Välj variabler"): the x, y and z variables of the 3-D plot, one from each of
// three single-selection lists of the worksheet's data columns.
#pragma once

#include <QDialog>
#include <array>
#include <string>
#include <vector>

class QListWidget;

namespace tabulon::ui {

class XyzSelectDialog : public QDialog {
    Q_OBJECT
public:
    explicit XyzSelectDialog(const std::vector<std::string>& labels, QWidget* parent = nullptr);
    QListWidget* list(int axis) const { return m_lists[static_cast<std::size_t>(axis)]; }
    // The label chosen in each list; empty where a list has no choice.
    std::array<std::string, 3> chosen() const;

private:
    std::array<QListWidget*, 3> m_lists{};
};

}  // namespace tabulon::ui
