// TSelectScale, the axis scale dialog of the graph windows ("Välj skala").
#pragma once

#include <QDialog>

#include "graphs/scale_choice.h"

class QCheckBox;
class QLineEdit;

namespace tabulon::ui {

class TSelectScale : public QDialog {
    Q_OBJECT
public:
    // Filled from `current`: Skalmax, Skalmin, Skalindelning and the check box.
    explicit TSelectScale(const ScaleChoice& current, QWidget* parent = nullptr);

    ScaleChoice choice() const;

    QLineEdit* Edit1;  // Skalmax
    QLineEdit* Edit2;  // Skalmin
    QLineEdit* Edit3;  // Skalindelning
    QCheckBox* CheckBox1;
};

}  // namespace tabulon::ui
