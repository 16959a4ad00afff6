// The shared question and message windows.
#include "shell/ui/question_windows.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "graphs/ui/dialog_buttons.h"
#include "graphs/ui/fonts.h"

namespace tabulon::ui {
namespace {

void Paint(QWidget* w, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

}  // namespace

TQuestYesNo::TQuestYesNo(const QString& question, Language buttons, const QColor& color,
                         const QFont& font, QWidget* parent)
    : QDialog(parent) {
    const bool english = buttons == Language::English;
    setWindowTitle(english ? "Question" : "Fråga");
    Paint(this, color);
    auto* label = new QLabel(question, this);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter);
    label->setWordWrap(false);
    m_yes = new QPushButton(english ? "Yes" : "Ja", this);
    m_no = new QPushButton(english ? "No" : "Nej", this);
    m_yes->setDefault(true);
    connect(m_yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_no, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(16);
    layout->addWidget(label);
    layout->addLayout(CenteredButtonRow({m_yes, m_no}));
}

TQuestForm::TQuestForm(const QString& question, const QString& answer, const QColor& color,
                       const QFont& font, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Question");
    Paint(this, color);
    auto* label = new QLabel(question, this);
    label->setFont(font);
    m_edit = new QLineEdit(answer, this);
    m_edit->setFont(font);
    m_edit->setMinimumWidth(200);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addSpacing(m_edit->sizeHint().height() / 2);
    layout->addLayout(OkCancelRow(this));
}

QString TQuestForm::answer() const { return m_edit->text(); }

InfoWindow::InfoWindow(const QString& text, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Info");
    auto* label = new QLabel(text, this);
    label->setFont(ResolveFont("Times New Roman", 16, true));
    label->setAlignment(Qt::AlignCenter);
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(15, 16, 15, 12);
    layout->setSpacing(14);
    layout->addWidget(label);
    layout->addLayout(CenteredButtonRow({ok}));
}

TFactorQuest::TFactorQuest(const QString& question, QWidget* parent) : QDialog(parent) {
    setWindowTitle(question);
    m_edit = new QLineEdit(this);
    m_ok = new QPushButton("OK", this);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    m_edit->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addLayout(CenteredButtonRow({m_ok}));
    setMinimumWidth(std::max(260, fontMetrics().horizontalAdvance(question) + 80));
    m_edit->clear();
    m_edit->setFocus();
}

QString TFactorQuest::text() const { return m_edit->text(); }

bool TFactorQuest::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_ok->setDefault(true);
            m_ok->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

TInputBox::TInputBox(const QString& title, const QString& prompt, const QString& default_text,
                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    auto* label = new QLabel(prompt, this);
    m_edit = new QLineEdit(default_text, this);
    m_edit->selectAll();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addLayout(OkCancelRow(this));
    setMinimumWidth(std::max(320, fontMetrics().horizontalAdvance(title) + 120));
}

QString TInputBox::text() const { return m_edit->text(); }

}  // namespace tabulon::ui
