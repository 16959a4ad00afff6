// The pairing window of "Flera grafer olika x-värden": an x column and a y column chosen from
// two lists (both beginning with the row numbers), Select adds the pair to the list of
// selected pairs; OK draws them all, each y against its own x.
#pragma once

#include <QDialog>
#include <string>
#include <utility>
#include <vector>

class QListWidget;

namespace tabulon::ui {

class SeriesPairingDialog : public QDialog {
    Q_OBJECT
public:
    explicit SeriesPairingDialog(const std::vector<std::string>& labels, QWidget* parent = nullptr);
    QListWidget* XList() const { return m_x; }
    QListWidget* YList() const { return m_y; }
    QListWidget* SelectedList() const { return m_selected; }
    // "Select": the pair marked in the two lists joins the selected ones.
    void SelectClick();
    const std::vector<std::pair<std::string, std::string>>& pairs() const { return m_pairs; }

private:
    QListWidget* m_x;
    QListWidget* m_y;
    QListWidget* m_selected;
    std::vector<std::pair<std::string, std::string>> m_pairs;
};

}  // namespace tabulon::ui
