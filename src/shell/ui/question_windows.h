// The small question and message windows every part of the program shares: the yes/no
// box, the green question box with an edit field, the Info window and the text question.
#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QString>

#include "base/language.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tabulon::ui {

// TQuestYesNo: "Ja"/"Nej" under "Fråga", or "Yes"/"No" under "Question".
class TQuestYesNo : public QDialog {
    Q_OBJECT
public:
    TQuestYesNo(const QString& question, Language buttons, const QColor& color, const QFont& font,
                QWidget* parent = nullptr);
    QPushButton* yesButton() const { return m_yes; }
    QPushButton* noButton() const { return m_no; }

private:
    QPushButton* m_yes;
    QPushButton* m_no;
};

// TQuestForm: caption "Question", a label, an edit box, OK and Cancel.
class TQuestForm : public QDialog {
    Q_OBJECT
public:
    TQuestForm(const QString& question, const QString& answer, const QColor& color,
               const QFont& font, QWidget* parent = nullptr);
    QString answer() const;
    QLineEdit* edit() const { return m_edit; }

private:
    QLineEdit* m_edit;
};

// InfoWindow: the "Info" window, its text centred in a large bold font.
class InfoWindow : public QDialog {
    Q_OBJECT
public:
    explicit InfoWindow(const QString& text, QWidget* parent = nullptr);
};

// TFactorQuest: the window caption is the question; one edit box and OK. Enter in the
// edit box moves to OK, a second Enter closes.
class TFactorQuest : public QDialog {
    Q_OBJECT
public:
    explicit TFactorQuest(const QString& question, QWidget* parent = nullptr);
    QString text() const;
    QLineEdit* edit() const { return m_edit; }
    QPushButton* okButton() const { return m_ok; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_edit;
    QPushButton* m_ok;
};

// The one-line input box: title, prompt and a default text.
class TInputBox : public QDialog {
    Q_OBJECT
public:
    TInputBox(const QString& title, const QString& prompt, const QString& default_text,
              QWidget* parent = nullptr);
    QString text() const;
    QLineEdit* edit() const { return m_edit; }

private:
    QLineEdit* m_edit;
};

}  // namespace tabulon::ui
