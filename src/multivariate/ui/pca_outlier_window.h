// TOutLierForm, "Outlieranalys": the rows that the first principal components leave too much
// of, by an F test whose level the user moves.
#pragma once

#include <QDialog>
#include <array>

#include "multivariate/pca.h"

class QLabel;
class QTableWidget;

namespace tabulon::ui {

class TLevelControl;

class PcaOutlierWindow : public QDialog {
    Q_OBJECT
public:
    explicit PcaOutlierWindow(OutlierListing listing, QWidget* parent = nullptr);

    const OutlierListing& listing() const { return m_listing; }
    // A new level in percent, as the level buttons and arrows give it.
    void setLevel(Extended percent);

    std::array<QLabel*, 3> CountLabels{};
    QTableWidget* StringGrid1 = nullptr;
    TLevelControl* Levels = nullptr;
    QLabel* CriticalLabel = nullptr;

private:
    void fill();

    OutlierListing m_listing;
};

}  // namespace tabulon::ui
