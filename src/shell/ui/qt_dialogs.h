// The Dialogs interface answered by real windows.
#pragma once

#include <QColor>
#include <QFont>

#include "graphs/dialogs.h"

class QWidget;

namespace tabulon::ui {

// Delphi-style "Name|*.ext|Other|*.*" filters as Qt writes them.
QString QtFileFilter(const std::string& filter, QString* selected, int index);

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    // The window the dialogs are centred on (the main window once it exists).
    void setParentWindow(QWidget* parent) { m_parent = parent; }

    void ShowMessage(const std::string& text) override;
    void ShowInfo(const std::string& text) override;
    bool YesNo(const std::string& question, Language buttons) override;
    KXAnswer KXDialog(const std::string& question, const std::string& answer) override;
    std::string InputBox(const std::string& title, const std::string& prompt,
                         const std::string& default_text) override;
    std::string AskText(const std::string& caption) override;
    std::optional<FontSpec> ChooseFont(const FontSpec& current) override;
    std::optional<std::uint32_t> ChooseColor(std::uint32_t current) override;
    std::optional<std::string> OpenFileName(const FileDialogSpec& spec) override;
    std::optional<std::string> SaveFileName(const FileDialogSpec& spec) override;
    std::optional<ScaleChoice> SelectScale(const ScaleChoice& current) override;
    std::optional<CaptionChoice> CaptionText(const CaptionChoice& current) override;
    std::optional<std::vector<std::string>> ChooseFromList(const std::string& caption,
                                                           const std::vector<std::string>& labels,
                                                           bool multiple) override;
    std::optional<std::pair<std::string, std::string>> ChooseTwoFromLists(
        const std::vector<std::string>& labels, const ListHeadings& headings = {}) override;
    std::optional<TextImportOptions> AskTextImport() override;
    std::optional<SortChoice> ChooseSort(const std::vector<std::string>& labels) override;
    PasteSpecialOptions PasteSpecial(bool text_has_tab) override;
    std::optional<std::pair<std::string, std::vector<std::string>>> ChooseModelColumns(
        const std::vector<std::string>& labels) override;
    KXAnswer ChooseFactorCount(const FactorCountQuestion& question) override;
    std::optional<std::string> AskExpression(const std::vector<std::string>& labels) override;
    std::optional<FunctionChoice> ChooseFunction(const std::vector<std::string>& labels) override;
    std::optional<SimulationParameters> AskSimulation(SimulationMode mode) override;
    std::optional<DesignRequest> AskDesign(const DesignRequest& preset) override;
    std::optional<PolynomialOptions> ChoosePolynomialOptions(
        const PolynomialOptions& current) override;
    std::optional<unsigned> ChooseFunctionTerms(const std::vector<std::string>& names,
                                                unsigned ticked) override;
    std::optional<std::vector<std::pair<std::string, std::string>>> ChooseSeriesPairs(
        const std::vector<std::string>& labels) override;
    std::optional<std::array<std::string, 3>> ChooseXYZ(
        const std::vector<std::string>& labels) override;

    // The main window's yes/no box is yellow with a bold serif font; the question box green.
    QColor yes_no_color{Qt::yellow};
    QColor kx_color{Qt::green};

private:
    QWidget* m_parent;
    // The import dialog's boxes keep their state between uses.
    TextImportOptions m_import;
    // So do the sort order and the paste special settings.
    bool m_sort_ascending = true;
    PasteSpecialOptions m_paste_special;
};

}  // namespace tabulon::ui
