// CaptionDialog, the caption dialog ("Bildtext"): a text to place on a graph and its font.
#pragma once

#include <QDialog>

#include "graphs/dialogs.h"

class QLineEdit;
class QPushButton;

namespace tabulon::ui {

class CaptionDialog : public QDialog {
    Q_OBJECT
public:
    // The "Font" button asks through `dialogs`, preset with the edit's font.
    CaptionDialog(const CaptionChoice& current, Dialogs& dialogs, QWidget* parent = nullptr);

    CaptionChoice choice() const;
    void FontButtonClick();

    QLineEdit* Edit1;
    QPushButton* FontButton;

private:
    Dialogs& m_dialogs;
    FontSpec m_font;
};

}  // namespace tabulon::ui
