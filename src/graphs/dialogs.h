// Every question the program puts to the user goes through this one interface: the real
// implementation shows windows, tests and tabulon-cli answer from a script. It sits with the
// graphs because the result windows, the lowest windows that ask, need it; its answers are
// plain values of the layers below.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/language.h"
#include "graphs/font_spec.h"
#include "graphs/scale_choice.h"
#include "worksheet/column_arithmetic.h"
#include "worksheet/simulation.h"
#include "worksheet/editing.h"
#include "worksheet/file_io.h"
#include "worksheet/paste.h"

namespace tabulon {

struct KXAnswer {
    bool ok = false;
    std::string answer;  // what the edit box held, also after Cancel
};

// The factor-count question of PCR and PLS: a table of k and the percentage of the response
// left to explain after k factors, and an edit field for the count.
struct FactorCountQuestion {
    std::string caption;       // "PLS: Välj antal faktorer"
    std::string label;         // "Välj antal faktorer"
    std::string count_header;  // "Ant faktorer"
    std::string left_header;   // "% kvar att förklara"
    std::vector<std::pair<std::string, std::string>> rows;
    std::string initial = "1";
};

// The headings over the two lists of the two-list window; empty for the column choice's own.
struct ListHeadings {
    std::string left;
    std::string right;
};

// The weighted polynomial's "Choose parameters": the degree (1 to 10), the weight as the
// index of "None", "1/x", "1/x²", "1/y", "1/y²", and "Force through origo".
struct PolynomialOptions {
    int degree = 2;
    int weight = 0;
    bool through_origin = false;
};

// Filters are written "Name (*.ext)|*.ext|Other|*.*" as the file dialogs are set up.
struct FileDialogSpec {
    std::string title;
    std::string filter;
    int filter_index = 1;  // 1-based: the entry preselected
    std::string default_extension;
};

// The function window's answer: the label chosen ("" when none), the function and the
// number box as typed.
struct FunctionChoice {
    std::string label;
    ColumnFunction function = ColumnFunction::Scale;
    std::string argument;
};

// The factorial design dialog's entries, corrected as its Beräkna corrects them: counts, the
// model kind (0 main effects, 1 and 2 with two- and three-variable interactions), and for each
// variable its name and its low, middle and high values as typed.
struct DesignRequest {
    int variables = 3;
    int levels = 2;
    int runs = 4;
    int model = 0;
    std::vector<std::string> names;
    std::vector<std::array<std::string, 3>> values;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A plain message box: conversion errors, "Not a number", I/O errors.
    virtual void ShowMessage(const std::string& text) = 0;
    // The "Info" window with its one OK button.
    virtual void ShowInfo(const std::string& text) = 0;
    // The yes/no question box; `buttons` picks "Ja"/"Nej" or "Yes"/"No". A close by the
    // window's close box is a no.
    virtual bool YesNo(const std::string& question, Language buttons) = 0;
    // The green question box with an edit field.
    virtual KXAnswer KXDialog(const std::string& question, const std::string& answer) = 0;
    // A one-line input box: the typed text, or `default_text` when cancelled.
    virtual std::string InputBox(const std::string& title, const std::string& prompt,
                                 const std::string& default_text) = 0;
    // The plain text question whose window caption is the question.
    virtual std::string AskText(const std::string& caption) = 0;
    virtual std::optional<FontSpec> ChooseFont(const FontSpec& current) = 0;
    virtual std::optional<std::uint32_t> ChooseColor(std::uint32_t current) = 0;
    virtual std::optional<std::string> OpenFileName(const FileDialogSpec& spec) = 0;
    virtual std::optional<std::string> SaveFileName(const FileDialogSpec& spec) = 0;
    // The graph windows' scale dialog, filled with `current`; nullopt on Cancel.
    virtual std::optional<ScaleChoice> SelectScale(const ScaleChoice& current) = 0;
    // The graph windows' caption dialog, filled with `current`; nullopt on Cancel.
    virtual std::optional<CaptionChoice> CaptionText(const CaptionChoice& current) = 0;
    // The column choice window: the chosen labels in list order; nullopt when it was closed
    // without a choice (Cancel). A double click on an item is a choice.
    virtual std::optional<std::vector<std::string>> ChooseFromList(
        const std::string& caption, const std::vector<std::string>& labels, bool multiple) = 0;
    // The two-list window: the label chosen on the left and on the right; nullopt on Cancel.
    virtual std::optional<std::pair<std::string, std::string>> ChooseTwoFromLists(
        const std::vector<std::string>& labels, const ListHeadings& headings = {}) = 0;
    // The text import dialog ("Rubriker"); nullopt on Cancel.
    virtual std::optional<TextImportOptions> AskTextImport() = 0;
    // The sort window: one of `labels` and the order; nullopt on Cancel. A double click on a
    // label chooses it.
    virtual std::optional<SortChoice> ChooseSort(const std::vector<std::string>& labels) = 0;
    // The paste special window, with its settings as the user left them and Mellanslag chosen
    // when the text holds no tab. It has no Cancel: however it is closed, its settings count.
    virtual PasteSpecialOptions PasteSpecial(bool text_has_tab) = 0;
    // The model's column choice: one z-variable on the left, any number of x-variables on the
    // right (in list order); nullopt on Cancel.
    virtual std::optional<std::pair<std::string, std::vector<std::string>>> ChooseModelColumns(
        const std::vector<std::string>& labels) = 0;
    // The factor count: what the edit field held when the window closed, and whether by OK.
    virtual KXAnswer ChooseFactorCount(const FactorCountQuestion& question) = 0;
    // Kombinerad aritmetik's expression window over the column labels; nullopt on Cancel.
    virtual std::optional<std::string> AskExpression(const std::vector<std::string>& labels) = 0;
    // Funktioner's window over the column labels; nullopt on Cancel.
    virtual std::optional<FunctionChoice> ChooseFunction(
        const std::vector<std::string>& labels) = 0;
    // Simulera mätdata's parameter window, from its defaults; nullopt on Cancel.
    virtual std::optional<SimulationParameters> AskSimulation(SimulationMode mode) = 0;
    // The factorial design dialog, showing `preset` (the entries of its last use); nullopt on
    // Cancel.
    virtual std::optional<DesignRequest> AskDesign(const DesignRequest& preset) = 0;
    // The regression window's polynomial options, preset to `current`; nullopt on Cancel.
    virtual std::optional<PolynomialOptions> ChoosePolynomialOptions(
        const PolynomialOptions& current) = 0;
    // The own function's terms: a check box per name, bit j of `ticked` ticking name j; the
    // bits ticked at OK, nullopt on Cancel.
    virtual std::optional<unsigned> ChooseFunctionTerms(const std::vector<std::string>& names,
                                                        unsigned ticked) = 0;
    // The pairing window of the overlay with different x values: x/y pairs built from the two
    // lists (both begin with the row numbers), in the order chosen; nullopt on Cancel.
    virtual std::optional<std::vector<std::pair<std::string, std::string>>> ChooseSeriesPairs(
        const std::vector<std::string>& labels) = 0;
    // The overlay with the same x: one x column, then the y columns (in list order); nullopt
    // on Cancel. A script answers it as a single and a multiple choice.
    virtual std::optional<std::pair<std::string, std::vector<std::string>>> ChooseOverlayColumns(
        const std::vector<std::string>& labels) {
        const auto x = ChooseFromList(ChooseText("x-variable", "x-variabel"), labels, false);
        if (!x || x->empty()) return std::nullopt;
        const auto y = ChooseFromList(ChooseText("y-variables", "y-variabler"), labels, true);
        if (!y || y->empty()) return std::nullopt;
        return std::pair{x->back(), *y};
    }
    // The x, y and z variables of the 3-D plot, one label from each of three lists; nullopt on
    // Cancel or when a list has no choice. A script answers it as three single choices.
    virtual std::optional<std::array<std::string, 3>> ChooseXYZ(
        const std::vector<std::string>& labels) {
        std::array<std::string, 3> chosen;
        const std::array<std::string, 3> captions{ChooseText("x-variable", "x-variabel"),
                                                  ChooseText("y-variable", "y-variabel"),
                                                  ChooseText("z-variable", "z-variabel")};
        for (std::size_t a = 0; a < 3; ++a) {
            const auto one = ChooseFromList(captions[a], labels, false);
            if (!one || one->empty()) return std::nullopt;
            chosen[a] = one->back();
        }
        return chosen;
    }
};

}  // namespace tabulon
