// Dialogs answered from a script: for tests and for tabulon-cli. Every question is logged;
// a question with no matching answer queued is logged as a mismatch and answered as a
// cancel, so a test can assert that the program asked exactly what it expected.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "graphs/dialogs.h"

namespace tabulon {

class ScriptedDialogs : public Dialogs {
public:
    enum class Kind {
        Message, Info, YesNo, KX, Input, AskText, Font, Color, OpenFile, SaveFile, Scale, Caption,
        ChooseList, ChooseTwo, TextImport, Sort, PasteSpecial, ModelColumns, FactorCount,
        PolynomialOptions, FunctionTerms, Expression, Function, Simulation, Design, SeriesPairs
    };

    struct Asked {
        Kind kind;
        std::string title;  // caption / title where the dialog has one
        std::string text;   // the question, prompt or message
    };

    // Queue answers in the order the questions will come.
    ScriptedDialogs& yes(bool answer = true);
    ScriptedDialogs& no() { return yes(false); }
    ScriptedDialogs& input(std::string text);  // InputBox, AskText, KX (ok)
    ScriptedDialogs& cancelInput();            // InputBox -> default, KX -> !ok
    ScriptedDialogs& font(std::optional<FontSpec> font);
    ScriptedDialogs& color(std::optional<std::uint32_t> color);
    ScriptedDialogs& openFile(std::optional<std::string> path);
    ScriptedDialogs& saveFile(std::optional<std::string> path);
    ScriptedDialogs& scale(std::optional<ScaleChoice> choice);
    ScriptedDialogs& caption(std::optional<CaptionChoice> choice);
    ScriptedDialogs& chooseFromList(std::optional<std::vector<std::string>> labels);
    ScriptedDialogs& chooseFromList(std::initializer_list<std::string> labels) {
        return chooseFromList(std::vector<std::string>(labels));
    }
    ScriptedDialogs& chooseTwo(std::optional<std::pair<std::string, std::string>> labels);
    ScriptedDialogs& textImport(std::optional<TextImportOptions> options);
    ScriptedDialogs& sort(std::optional<SortChoice> choice);
    ScriptedDialogs& pasteSpecial(PasteSpecialOptions options);
    // The z label and the x labels; nullopt cancels.
    ScriptedDialogs& modelColumns(
        std::optional<std::pair<std::string, std::vector<std::string>>> choice);
    ScriptedDialogs& factorCount(std::string text, bool ok = true);
    // nullopt cancels.
    ScriptedDialogs& polynomialOptions(std::optional<tabulon::PolynomialOptions> options);
    ScriptedDialogs& functionTerms(std::optional<unsigned> ticked);

    ScriptedDialogs& expression(std::optional<std::string> text);
    ScriptedDialogs& function(std::optional<FunctionChoice> choice);
    ScriptedDialogs& simulation(std::optional<SimulationParameters> parameters);
    ScriptedDialogs& design(std::optional<DesignRequest> request);
    // The x/y label pairs of the overlay's pairing window; nullopt cancels.
    ScriptedDialogs& seriesPairs(std::optional<std::vector<std::pair<std::string, std::string>>> pairs);
    const std::vector<Asked>& asked() const { return m_asked; }
    const std::vector<std::string>& mismatches() const { return m_mismatches; }
    bool allAnswersUsed() const { return m_answers.empty(); }
    // The texts of every message and info box shown, in order.
    std::vector<std::string> messages() const;

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
    std::optional<std::vector<std::pair<std::string, std::string>>> ChooseSeriesPairs(
        const std::vector<std::string>& labels) override;
    std::optional<tabulon::PolynomialOptions> ChoosePolynomialOptions(
        const tabulon::PolynomialOptions& current) override;
    std::optional<unsigned> ChooseFunctionTerms(const std::vector<std::string>& names,
                                                unsigned ticked) override;

private:
    struct Answer {
        Kind kind = Kind::Message;
        bool ok = false;
        std::string text;
        std::optional<FontSpec> font;
        std::optional<std::uint32_t> color;
        std::vector<std::string> labels;
        TextImportOptions import;
        SortChoice sort;
        PasteSpecialOptions paste;
        tabulon::PolynomialOptions polynomial;
        unsigned terms = 0;

        static Answer Make(Kind kind, bool ok, std::string text, std::optional<FontSpec> font,
                           std::optional<std::uint32_t> color) {
            Answer a;
            a.kind = kind;
            a.ok = ok;
            a.text = std::move(text);
            a.font = std::move(font);
            a.color = color;
            return a;
        }
    };
    // The queued answer for `kind`, or nullopt (and a logged mismatch).
    std::optional<Answer> take(Kind kind, const std::string& what);

    std::deque<Answer> m_answers;
    // The answers of the graph dialogs, in the order of their Scale / Caption entries above.
    std::deque<std::optional<ScaleChoice>> m_scales;
    std::deque<std::optional<CaptionChoice>> m_captions;
    std::deque<FunctionChoice> m_functions;
    std::deque<SimulationParameters> m_simulations;
    std::deque<DesignRequest> m_designs;
    std::deque<std::vector<std::pair<std::string, std::string>>> m_pairs;
    std::vector<Asked> m_asked;
    std::vector<std::string> m_mismatches;
};

}  // namespace tabulon
