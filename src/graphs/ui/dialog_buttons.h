// The button rows the program's small dialogs share.
#pragma once

#include <QString>
#include <initializer_list>

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace tabulon::ui {

// The buttons side by side, centred.
QHBoxLayout* CenteredButtonRow(std::initializer_list<QPushButton*> buttons);

// OK (the default, accepts) and Cancel (rejects), centred.
QHBoxLayout* OkCancelRow(QDialog* dialog, const QString& cancel_text = "Cancel");

}  // namespace tabulon::ui
