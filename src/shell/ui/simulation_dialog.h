// SimulationDialog: the parameter window of Simulera mätdata (Normalfördelat shows the mean,
// spread, count and series; Regression also the slope and the x range).
#pragma once

#include <QDialog>
#include <optional>

#include "worksheet/simulation.h"

class QLabel;
class QLineEdit;
class QSpinBox;

namespace tabulon::ui {

class SimulationDialog : public QDialog {
    Q_OBJECT
public:
    explicit SimulationDialog(SimulationMode mode, QWidget* parent = nullptr);
    QLineEdit* meanBox() const { return m_mean; }
    QLineEdit* sdBox() const { return m_sd; }
    QLineEdit* countBox() const { return m_count; }
    QLineEdit* slopeBox() const { return m_slope; }
    QLineEdit* lowestBox() const { return m_lowest; }
    QLineEdit* highestBox() const { return m_highest; }
    QSpinBox* seriesBox() const { return m_series; }
    // The boxes read as numbers; nullopt, with the box in error marked, when one is not.
    std::optional<SimulationParameters> parameters() const;
    void accept() override;

private:
    SimulationMode m_mode;
    QLineEdit* m_mean;
    QLineEdit* m_sd;
    QLineEdit* m_count;
    QLineEdit* m_slope;
    QLineEdit* m_lowest;
    QLineEdit* m_highest;
    QSpinBox* m_series;
    QLabel* m_error;
};

}  // namespace tabulon::ui
