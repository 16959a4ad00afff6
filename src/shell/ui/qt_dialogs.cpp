// The Dialogs interface answered by real windows.
#include "shell/ui/qt_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QStringList>

#include "graphs/ui/caption_dialog.h"
#include "graphs/ui/select_scale.h"
#include "graphs/ui/fonts.h"
#include "shell/ui/question_windows.h"
#include "shell/ui/column_choice_dialogs.h"
#include "shell/ui/model_dialogs.h"
#include "shell/ui/paste_special_dialog.h"
#include "design/ui/design_dialog.h"
#include "shell/ui/calculation_dialogs.h"
#include "shell/ui/simulation_dialog.h"
#include "shell/ui/sort_dialog.h"
#include "shell/ui/series_pairing_dialog.h"
#include "shell/ui/xyz_select_dialog.h"
#include "regression/ui/fit_dialogs.h"

#include <QCheckBox>

namespace tabulon::ui {
namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

QString QtFileFilter(const std::string& filter, QString* selected, int index) {
    const QStringList parts = Q(filter).split('|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        if (!name.contains('(')) name += " (" + patterns + ")";
        entries << name;
    }
    if (selected && index >= 1 && index <= entries.size()) *selected = entries[index - 1];
    return entries.join(";;");
}

void QtDialogs::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, "Tabulon", Q(text), QMessageBox::Ok, m_parent);
    box.exec();
}

void QtDialogs::ShowInfo(const std::string& text) {
    InfoWindow window(Q(text), m_parent);
    window.exec();
}

bool QtDialogs::YesNo(const std::string& question, Language buttons) {
    TQuestYesNo window(Q(question), buttons, yes_no_color, ResolveFont("Times New Roman", 12, true),
                       m_parent);
    return window.exec() == QDialog::Accepted;
}

KXAnswer QtDialogs::KXDialog(const std::string& question, const std::string& answer) {
    TQuestForm window(Q(question), Q(answer), kx_color, ResolveFont("Times New Roman", 12),
                      m_parent);
    const bool ok = window.exec() == QDialog::Accepted;
    return {ok, window.answer().toStdString()};
}

std::string QtDialogs::InputBox(const std::string& title, const std::string& prompt,
                                const std::string& default_text) {
    TInputBox box(Q(title), Q(prompt), Q(default_text), m_parent);
    if (box.exec() != QDialog::Accepted) return default_text;
    return box.text().toStdString();
}

std::string QtDialogs::AskText(const std::string& caption) {
    TFactorQuest window(Q(caption), m_parent);
    window.exec();
    return window.text().toStdString();
}

std::optional<FontSpec> QtDialogs::ChooseFont(const FontSpec& current) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, FromFontSpec(current), m_parent, "Font");
    if (!ok) return std::nullopt;
    FontSpec spec = ToFontSpec(chosen);
    // The worksheet keeps to sizes that fit its fixed row height.
    spec.point_size = std::clamp(spec.point_size, 6, 18);
    return spec;
}

std::optional<std::uint32_t> QtDialogs::ChooseColor(std::uint32_t current) {
    const QColor chosen = QColorDialog::getColor(ColorFromBgr(current), m_parent);
    if (!chosen.isValid()) return std::nullopt;
    return BgrFromColor(chosen);
}

std::optional<std::string> QtDialogs::OpenFileName(const FileDialogSpec& spec) {
    QString selected;
    const QString filter = QtFileFilter(spec.filter, &selected, spec.filter_index);
    const QString name =
        QFileDialog::getOpenFileName(m_parent, Q(spec.title), QString(), filter, &selected);
    if (name.isEmpty()) return std::nullopt;
    return name.toStdString();
}

std::optional<std::string> QtDialogs::SaveFileName(const FileDialogSpec& spec) {
    QString selected;
    const QString filter = QtFileFilter(spec.filter, &selected, spec.filter_index);
    QFileDialog dialog(m_parent, Q(spec.title), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(Q(spec.default_extension));
    if (!selected.isEmpty()) dialog.selectNameFilter(selected);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<ScaleChoice> QtDialogs::SelectScale(const ScaleChoice& current) {
    TSelectScale dialog(current, m_parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

std::optional<CaptionChoice> QtDialogs::CaptionText(const CaptionChoice& current) {
    CaptionDialog dialog(current, *this, m_parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

std::optional<std::vector<std::string>> QtDialogs::ChooseFromList(
    const std::string& caption, const std::vector<std::string>& labels, bool multiple) {
    ColumnChoiceDialog window(Q(caption), labels, multiple, m_parent);
    const bool ok = window.exec() == QDialog::Accepted;
    if (!ok && !window.doubleClicked()) return std::nullopt;
    return window.selectedLabels();
}

std::optional<std::pair<std::string, std::string>> QtDialogs::ChooseTwoFromLists(
    const std::vector<std::string>& labels, const ListHeadings& headings) {
    TDualListDlg window(labels, m_parent, headings);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    return std::pair{window.leftLabel(), window.rightLabel()};
}

std::optional<TextImportOptions> QtDialogs::AskTextImport() {
    TextImportDialog window(m_parent);
    window.columnCaptions()->setChecked(m_import.column_captions);
    window.rowCaptions()->setChecked(m_import.row_captions);
    const bool ok = window.exec() == QDialog::Accepted;
    m_import = {window.columnCaptions()->isChecked(), window.rowCaptions()->isChecked()};
    if (!ok) return std::nullopt;
    return m_import;
}

std::optional<SortChoice> QtDialogs::ChooseSort(const std::vector<std::string>& labels) {
    SortDialog window(labels, m_sort_ascending, m_parent);
    const bool ok = window.exec() == QDialog::Accepted;
    m_sort_ascending = window.ascendingButton()->isChecked();
    if (!ok && !window.doubleClicked()) return std::nullopt;
    return window.choice();
}

PasteSpecialOptions QtDialogs::PasteSpecial(bool text_has_tab) {
    PasteSpecialOptions preset = m_paste_special;
    if (!text_has_tab) preset.separator = PasteSeparator::Space;
    PasteSpecialDialog window(preset, m_parent);
    window.exec();
    m_paste_special = window.options();
    return m_paste_special;
}

std::optional<std::pair<std::string, std::vector<std::string>>> QtDialogs::ChooseModelColumns(
    const std::vector<std::string>& labels) {
    TModelColumnDlg window(labels, m_parent);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    return std::pair{window.zLabel(), window.xLabels()};
}

KXAnswer QtDialogs::ChooseFactorCount(const FactorCountQuestion& question) {
    TFakValj2 window(question, m_parent);
    const bool ok = window.exec() == QDialog::Accepted;
    return {ok, window.Edit1()->text().toStdString()};
}

std::optional<PolynomialOptions> QtDialogs::ChoosePolynomialOptions(
    const PolynomialOptions& current) {
    PolynomialOptionsDialog window(current, m_parent);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    return window.options();
}

std::optional<unsigned> QtDialogs::ChooseFunctionTerms(const std::vector<std::string>& names,
                                                       unsigned ticked) {
    FunctionTermsDialog window(names, ticked, m_parent);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    return window.ticked();
}

std::optional<std::string> QtDialogs::AskExpression(const std::vector<std::string>& labels) {
    ExpressionDialog window(labels, m_parent);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    return window.expression();
}

std::optional<FunctionChoice> QtDialogs::ChooseFunction(const std::vector<std::string>& labels) {
    FunctionDialog window(labels, m_parent);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    return FunctionChoice{window.label(), window.function(), window.Edit1()->text().toStdString()};
}

std::optional<std::array<std::string, 3>> QtDialogs::ChooseXYZ(
    const std::vector<std::string>& labels) {
    XyzSelectDialog window(labels, m_parent);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    const std::array<std::string, 3> chosen = window.chosen();
    for (const std::string& label : chosen) {
        if (label.empty()) return std::nullopt;
    }
    return chosen;
}

std::optional<std::vector<std::pair<std::string, std::string>>> QtDialogs::ChooseSeriesPairs(
    const std::vector<std::string>& labels) {
    SeriesPairingDialog window(labels, m_parent);
    if (window.exec() != QDialog::Accepted || window.pairs().empty()) return std::nullopt;
    return window.pairs();
}

std::optional<SimulationParameters> QtDialogs::AskSimulation(SimulationMode mode) {
    SimulationDialog window(mode, m_parent);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    return window.parameters();
}

std::optional<DesignRequest> QtDialogs::AskDesign(const DesignRequest& preset) {
    DesignDialog window(preset, m_parent);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    return window.request();
}

}  // namespace tabulon::ui
