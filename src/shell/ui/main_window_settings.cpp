// MainWindow: the worksheet display settings, Default.par, header clicks and the Help menu.
#include <QAction>
#include <QFontMetrics>
#include <QMenu>

#include "numeric/number_text.h"
#include "graphs/dialogs.h"
#include "base/language.h"
#include "shell/ui/about_window.h"
#include "graphs/ui/fonts.h"
#include "shell/ui/main_window.h"
#include "worksheet/column_width.h"
#include "worksheet/ui/number_grid.h"

namespace tabulon::ui {

void MainWindow::LoadGridSettings() {
    const auto settings = m_settings_store.load();
    if (!settings) return;  // no file or a short one: the built-in settings stay
    m_grid->setFixedColor(ColorFromBgr(settings->fixed_color));
    m_grid->setCellColor(ColorFromBgr(settings->cell_color));
    m_grid->setDecimals(settings->decimals);
    m_grid->setSignificantDig(settings->significant_digits);
    setSettingsChecks(!(settings->decimals < 1 && settings->significant_digits != 0));
}

void MainWindow::SaveGridSettings() {
    GridSettings settings;
    settings.fixed_color = BgrFromColor(m_grid->fixedColor());
    settings.cell_color = BgrFromColor(m_grid->cellColor());
    settings.font_slot = 0;
    settings.decimals = m_grid->Decimals();
    settings.significant_digits = m_grid->SignificantDig();
    if (!m_settings_store.save(settings)) {
        m_dialogs.ShowMessage(ChooseText("The settings could not be saved: ",
                                         "Inställningarna kunde inte sparas: ") +
                              m_settings_store.fallbackPath().string());
    }
}

void MainWindow::setSettingsChecks(bool decimals_checked) {
    action("installningar.decimaler")->setChecked(decimals_checked);
    action("installningar.signifikanta")->setChecked(!decimals_checked);
}

int MainWindow::textWidth(std::string_view text) const {
    return QFontMetrics(m_grid->font()).horizontalAdvance(QString::fromUtf8(
        text.data(), static_cast<int>(text.size())));
}

void MainWindow::fitColumns(int first_column) {
    // Fitting walks every cell; number texts are plain ASCII, so their widths are sums of
    // per-character advances looked up once instead of a font measurement per cell.
    const QFontMetrics metrics(m_grid->font());
    std::array<int, 128> advance{};
    for (int c = 32; c < 128; ++c) advance[c] = metrics.horizontalAdvance(QChar(c));
    const TextWidthFunction width = [&](std::string_view text) {
        int w = 0;
        for (unsigned char ch : text) {
            if (ch >= 128 || ch < 32) return textWidth(text);
            w += advance[ch];
        }
        return w;
    };
    const Worksheet& sheet = m_grid->sheet();
    std::vector<int> widths;
    for (int c = first_column; c < sheet.columnCount(); ++c) {
        widths.push_back(AutoColumnWidth(sheet, c, m_grid->Decimals(), width) + 4);
    }
    m_grid->setColumnWidthsPixels(first_column, widths);
}

std::optional<int> MainWindow::askInteger(const std::string& title, const std::string& prompt,
                                      int current, int low, int high) {
    const std::string answer = m_dialogs.InputBox(title, prompt, std::to_string(current));
    const int value = StrToInteger(answer);  // a non-integer ends the command with its message
    if (value < low || value > high) {
        m_dialogs.ShowMessage(ChooseText("The value must lie between ", "Värdet måste ligga mellan ") +
                              std::to_string(low) + ChooseText(" and ", " och ") +
                              std::to_string(high));
        return std::nullopt;
    }
    return value;
}

void MainWindow::Decimaler1Click() {
    auto value = askInteger(ChooseText("Number of Decimals (enables significant digits)",
                                       "Decimaler (avaktiverar signifikanta siffror)"),
                            ChooseText("New value", "Nytt värde"), m_grid->Decimals(), 0, 18);
    if (!value) return;
    m_grid->setDecimals(*value);
    if (*value == 0) m_grid->setSignificantDig(0);
    SaveGridSettings();
    m_state.DataChanged = true;
    setSettingsChecks(true);
}

void MainWindow::Signifikantasiffror1Click() {
    auto value = askInteger(ChooseText("Number of Significant Digits", "Antal Signifikanta Siffror"),
                            ChooseText("New value", "Nytt värde"), m_grid->SignificantDig(), 0, 18);
    if (!value) return;
    m_grid->setSignificantDig(*value);
    if (*value > 0) m_grid->setDecimals(0);
    SaveGridSettings();
    fitColumns(1);
    m_state.DataChanged = true;
    setSettingsChecks(false);
}

void MainWindow::Maxkolumnbredd1Click() {
    const bool swedish = CurrentLanguage() != Language::English;
    auto value = askInteger(swedish ? "Kolumnbredd" : "Column width",
                            swedish ? "Nytt värde" : "New value", m_state.MaxColumnWidth, 1, 2000);
    if (!value) return;
    m_state.MaxColumnWidth = *value;
    m_grid->setColumnWidthPixels(1, m_state.MaxColumnWidth);
    m_state.DataChanged = true;
}

void MainWindow::Autokolumnbredd1Click() {
    fitColumns(0);
    m_state.DataChanged = true;
}

void MainWindow::Font1Click() {
    if (auto chosen = m_dialogs.ChooseFont(ToFontSpec(m_grid->font()))) {
        m_grid->setGridFont(FromFontSpec(*chosen));
    }
    const Worksheet& sheet = m_grid->sheet();
    m_grid->setColumnWidthPixels(0, textWidth(sheet.cell(0, sheet.rowCount() - 1)) + 4);
    SaveGridSettings();
}

void MainWindow::Matrisen1Click() {
    if (auto chosen = m_dialogs.ChooseColor(BgrFromColor(m_grid->cellColor()))) {
        m_grid->setCellColor(ColorFromBgr(*chosen));
        SaveGridSettings();
    }
}

void MainWindow::Fixfarg1Click() {
    if (auto chosen = m_dialogs.ChooseColor(BgrFromColor(m_grid->fixedColor()))) {
        m_grid->setFixedColor(ColorFromBgr(*chosen));
        SaveGridSettings();
    }
}

void MainWindow::Angra1Click() { m_grid->Undo(); }

void MainWindow::Markeraallt1Click() { m_grid->selectAllData(); }

void MainWindow::Index1Click() {
    const std::string answer = m_dialogs.InputBox("Extended menues", "Extended menues", "#");
    m_state.ExtraMenuVisible = answer == kExtraAccessCode;
    action("extra")->setVisible(m_state.ExtraMenuVisible);
}

void MainWindow::OmTabulon1Click() {
    auto* window = new TShowOmTabulon(this);
    window->show();
}

void MainWindow::NumberGrid1MouseDown(int column, int row, Qt::KeyboardModifiers) {
    const Worksheet& sheet = m_grid->sheet();
    if (column == 0 && row == 0) {
        m_grid->selectAllData();
    } else if (row == 0 && column >= 2) {
        m_grid->selectDataColumn(column);
    } else if (column == 0 && row >= 2) {
        m_grid->selectDataRow(row);
    } else if (column == 1 && row >= 2) {
        const std::string caption = m_dialogs.InputBox(
            "Rad=" + std::to_string(row - 1), ChooseText("New row caption", "Ny radrubrik"),
            std::string(sheet.cell(1, row)));
        m_grid->setCellText(1, row, caption);
        const TextWidthFunction width = [this](std::string_view t) { return textWidth(t); };
        m_grid->setColumnWidthPixels(1, CaptionColumnWidth(m_grid->sheet(), 1, width) + 4);
    } else if (row == 1 && column >= 2) {
        const bool swedish = CurrentLanguage() != Language::English;
        const std::string caption = m_dialogs.InputBox(
            (swedish ? "Kolumn=" : "Column=") + std::to_string(column - 1),
            swedish ? "Ny kolumnrubrik" : "New column caption", std::string(sheet.cell(column, 1)));
        m_grid->setCellText(column, 1, caption);
        const TextWidthFunction width = [this](std::string_view t) { return textWidth(t); };
        m_grid->setColumnWidthPixels(
            column, AutoColumnWidth(m_grid->sheet(), column, m_grid->Decimals(), width) + 4);
    }
}

}  // namespace tabulon::ui
