// The caption dialog.
#include "graphs/ui/caption_dialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "graphs/ui/fonts.h"

namespace tabulon::ui {

CaptionDialog::CaptionDialog(const CaptionChoice& current, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_font(current.font) {
    setWindowTitle("Bildtext");
    setAttribute(Qt::WA_DeleteOnClose, false);  // the caller reads it after exec()
    auto* layout = new QVBoxLayout(this);
    Edit1 = new QLineEdit(QString::fromStdString(current.text), this);
    Edit1->setObjectName("Edit1");
    Edit1->setMinimumWidth(260);
    if (!m_font.family.empty()) Edit1->setFont(FromFontSpec(m_font));
    layout->addWidget(Edit1);

    auto* row = new QHBoxLayout;
    FontButton = new QPushButton("Font", this);
    FontButton->setObjectName("FontButton");
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    row->addWidget(FontButton);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);

    connect(FontButton, &QPushButton::clicked, this, [this] { FontButtonClick(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CaptionDialog::FontButtonClick() {
    FontSpec preset = m_font;
    if (preset.family.empty()) preset = ToFontSpec(Edit1->font());
    if (const auto chosen = m_dialogs.ChooseFont(preset)) {
        m_font = *chosen;
        Edit1->setFont(FromFontSpec(m_font));
    }
}

CaptionChoice CaptionDialog::choice() const {
    return {Edit1->text().toStdString(),
            m_font.family.empty() ? ToFontSpec(Edit1->font()) : m_font};
}

}  // namespace tabulon::ui
