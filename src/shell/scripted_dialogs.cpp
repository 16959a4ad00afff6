// Dialogs answered from a script.
#include "shell/scripted_dialogs.h"

namespace tabulon {
namespace {

bool IsTextKind(ScriptedDialogs::Kind k) {
    using K = ScriptedDialogs::Kind;
    return k == K::Input || k == K::AskText || k == K::KX;
}

}  // namespace

ScriptedDialogs& ScriptedDialogs::yes(bool answer) {
    m_answers.push_back(Answer::Make(Kind::YesNo, answer, {}, {}, {}));
    return *this;
}
ScriptedDialogs& ScriptedDialogs::input(std::string text) {
    m_answers.push_back(Answer::Make(Kind::Input, true, std::move(text), {}, {}));
    return *this;
}
ScriptedDialogs& ScriptedDialogs::cancelInput() {
    m_answers.push_back(Answer::Make(Kind::Input, false, {}, {}, {}));
    return *this;
}
ScriptedDialogs& ScriptedDialogs::font(std::optional<FontSpec> font) {
    m_answers.push_back(Answer::Make(Kind::Font, font.has_value(), {}, std::move(font), {}));
    return *this;
}
ScriptedDialogs& ScriptedDialogs::color(std::optional<std::uint32_t> color) {
    m_answers.push_back(Answer::Make(Kind::Color, color.has_value(), {}, {}, color));
    return *this;
}
ScriptedDialogs& ScriptedDialogs::openFile(std::optional<std::string> path) {
    m_answers.push_back(Answer::Make(Kind::OpenFile, path.has_value(), path.value_or(""), {}, {}));
    return *this;
}
ScriptedDialogs& ScriptedDialogs::saveFile(std::optional<std::string> path) {
    m_answers.push_back(Answer::Make(Kind::SaveFile, path.has_value(), path.value_or(""), {}, {}));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::scale(std::optional<ScaleChoice> choice) {
    m_answers.push_back(Answer::Make(Kind::Scale, choice.has_value(), {}, {}, {}));
    m_scales.push_back(std::move(choice));
    return *this;
}
ScriptedDialogs& ScriptedDialogs::caption(std::optional<CaptionChoice> choice) {
    m_answers.push_back(Answer::Make(Kind::Caption, choice.has_value(), {}, {}, {}));
    m_captions.push_back(std::move(choice));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expression(std::optional<std::string> text) {
    m_answers.push_back(Answer::Make(Kind::Expression, text.has_value(), text.value_or(""), {}, {}));
    return *this;
}
ScriptedDialogs& ScriptedDialogs::function(std::optional<FunctionChoice> choice) {
    m_answers.push_back(Answer::Make(Kind::Function, choice.has_value(), {}, {}, {}));
    if (choice) m_functions.push_back(std::move(*choice));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::simulation(std::optional<SimulationParameters> parameters) {
    m_answers.push_back(Answer::Make(Kind::Simulation, parameters.has_value(), {}, {}, {}));
    if (parameters) m_simulations.push_back(*parameters);
    return *this;
}
ScriptedDialogs& ScriptedDialogs::design(std::optional<DesignRequest> request) {
    m_answers.push_back(Answer::Make(Kind::Design, request.has_value(), {}, {}, {}));
    if (request) m_designs.push_back(std::move(*request));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::seriesPairs(
    std::optional<std::vector<std::pair<std::string, std::string>>> pairs) {
    m_answers.push_back(Answer::Make(Kind::SeriesPairs, pairs.has_value(), {}, {}, {}));
    if (pairs) m_pairs.push_back(std::move(*pairs));
    return *this;
}

std::vector<std::string> ScriptedDialogs::messages() const {
    std::vector<std::string> out;
    for (const Asked& a : m_asked) {
        if (a.kind == Kind::Message || a.kind == Kind::Info) out.push_back(a.text);
    }
    return out;
}

std::optional<ScriptedDialogs::Answer> ScriptedDialogs::take(Kind kind, const std::string& what) {
    if (!m_answers.empty()) {
        Kind queued = m_answers.front().kind;
        if (queued == kind || (IsTextKind(queued) && IsTextKind(kind))) {
            Answer a = std::move(m_answers.front());
            m_answers.pop_front();
            return a;
        }
    }
    m_mismatches.push_back("no scripted answer for: " + what);
    return std::nullopt;
}

void ScriptedDialogs::ShowMessage(const std::string& text) {
    m_asked.push_back({Kind::Message, "", text});
}

void ScriptedDialogs::ShowInfo(const std::string& text) {
    m_asked.push_back({Kind::Info, "Info", text});
}

bool ScriptedDialogs::YesNo(const std::string& question, Language buttons) {
    m_asked.push_back({Kind::YesNo, buttons == Language::English ? "Question" : "Fråga", question});
    auto a = take(Kind::YesNo, "yes/no " + question);
    return a && a->ok;
}

KXAnswer ScriptedDialogs::KXDialog(const std::string& question, const std::string& answer) {
    m_asked.push_back({Kind::KX, "Question", question});
    auto a = take(Kind::KX, "question " + question);
    if (!a) return {false, answer};
    return {a->ok, a->ok ? a->text : answer};
}

std::string ScriptedDialogs::InputBox(const std::string& title, const std::string& prompt,
                                      const std::string& default_text) {
    m_asked.push_back({Kind::Input, title, prompt});
    auto a = take(Kind::Input, "input box " + title);
    return (a && a->ok) ? a->text : default_text;
}

std::string ScriptedDialogs::AskText(const std::string& caption) {
    m_asked.push_back({Kind::AskText, caption, caption});
    auto a = take(Kind::AskText, "ask " + caption);
    return (a && a->ok) ? a->text : std::string();
}

std::optional<FontSpec> ScriptedDialogs::ChooseFont(const FontSpec& current) {
    m_asked.push_back({Kind::Font, "Font", current.family});
    auto a = take(Kind::Font, "font dialog");
    return a ? a->font : std::nullopt;
}

std::optional<std::uint32_t> ScriptedDialogs::ChooseColor(std::uint32_t) {
    m_asked.push_back({Kind::Color, "Color", ""});
    auto a = take(Kind::Color, "colour dialog");
    return a ? a->color : std::nullopt;
}

std::optional<std::string> ScriptedDialogs::OpenFileName(const FileDialogSpec& spec) {
    m_asked.push_back({Kind::OpenFile, spec.title, spec.filter});
    auto a = take(Kind::OpenFile, "open dialog " + spec.title);
    if (!a || !a->ok) return std::nullopt;
    return a->text;
}

std::optional<std::string> ScriptedDialogs::SaveFileName(const FileDialogSpec& spec) {
    m_asked.push_back({Kind::SaveFile, spec.title, spec.filter});
    auto a = take(Kind::SaveFile, "save dialog " + spec.title);
    if (!a || !a->ok) return std::nullopt;
    return a->text;
}

std::optional<ScaleChoice> ScriptedDialogs::SelectScale(const ScaleChoice& current) {
    m_asked.push_back({Kind::Scale, current.title.empty() ? "Välj skala" : current.title,
                       current.maximum + ";" + current.minimum + ";" + current.step});
    if (!take(Kind::Scale, "scale dialog")) return std::nullopt;
    std::optional<ScaleChoice> answer = std::move(m_scales.front());
    m_scales.pop_front();
    return answer;
}

std::optional<CaptionChoice> ScriptedDialogs::CaptionText(const CaptionChoice& current) {
    m_asked.push_back({Kind::Caption, "Bildtext", current.text});
    if (!take(Kind::Caption, "caption dialog")) return std::nullopt;
    std::optional<CaptionChoice> answer = std::move(m_captions.front());
    m_captions.pop_front();
    return answer;
}

ScriptedDialogs& ScriptedDialogs::chooseFromList(std::optional<std::vector<std::string>> labels) {
    Answer a = Answer::Make(Kind::ChooseList, labels.has_value(), {}, {}, {});
    if (labels) a.labels = std::move(*labels);
    m_answers.push_back(std::move(a));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::chooseTwo(
    std::optional<std::pair<std::string, std::string>> labels) {
    Answer a = Answer::Make(Kind::ChooseTwo, labels.has_value(), {}, {}, {});
    if (labels) a.labels = {labels->first, labels->second};
    m_answers.push_back(std::move(a));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::textImport(std::optional<TextImportOptions> options) {
    Answer a = Answer::Make(Kind::TextImport, options.has_value(), {}, {}, {});
    if (options) a.import = *options;
    m_answers.push_back(std::move(a));
    return *this;
}

namespace {
std::string JoinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) out += (i ? "\n" : "") + lines[i];
    return out;
}
}  // namespace

std::optional<std::vector<std::string>> ScriptedDialogs::ChooseFromList(
    const std::string& caption, const std::vector<std::string>& labels, bool) {
    m_asked.push_back({Kind::ChooseList, caption, JoinLines(labels)});
    auto a = take(Kind::ChooseList, "column choice " + caption);
    if (!a || !a->ok) return std::nullopt;
    return a->labels;
}

std::optional<std::pair<std::string, std::string>> ScriptedDialogs::ChooseTwoFromLists(
    const std::vector<std::string>& labels, const ListHeadings& headings) {
    const std::string caption = headings.left.empty()
                                    ? ChooseText("Choose columns", "Välj kolumner")
                                    : headings.left + " / " + headings.right;
    m_asked.push_back({Kind::ChooseTwo, caption, JoinLines(labels)});
    auto a = take(Kind::ChooseTwo, "two-column choice");
    if (!a || !a->ok || a->labels.size() != 2) return std::nullopt;
    return std::pair{a->labels[0], a->labels[1]};
}

std::optional<TextImportOptions> ScriptedDialogs::AskTextImport() {
    m_asked.push_back({Kind::TextImport, "Rubriker", ""});
    auto a = take(Kind::TextImport, "text import dialog");
    if (!a || !a->ok) return std::nullopt;
    return a->import;
}

ScriptedDialogs& ScriptedDialogs::sort(std::optional<SortChoice> choice) {
    Answer a = Answer::Make(Kind::Sort, choice.has_value(), {}, {}, {});
    if (choice) a.sort = std::move(*choice);
    m_answers.push_back(std::move(a));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::pasteSpecial(PasteSpecialOptions options) {
    Answer a = Answer::Make(Kind::PasteSpecial, true, {}, {}, {});
    a.paste = options;
    m_answers.push_back(std::move(a));
    return *this;
}

std::optional<SortChoice> ScriptedDialogs::ChooseSort(const std::vector<std::string>& labels) {
    m_asked.push_back({Kind::Sort, "Sortera", JoinLines(labels)});
    auto a = take(Kind::Sort, "sort window");
    if (!a || !a->ok) return std::nullopt;
    return a->sort;
}

PasteSpecialOptions ScriptedDialogs::PasteSpecial(bool text_has_tab) {
    m_asked.push_back({Kind::PasteSpecial, ChooseText("Paste special", "Klistra in special"),
                       text_has_tab ? "tab" : "no tab"});
    auto a = take(Kind::PasteSpecial, "paste special window");
    return a ? a->paste : PasteSpecialOptions{};
}

ScriptedDialogs& ScriptedDialogs::modelColumns(
    std::optional<std::pair<std::string, std::vector<std::string>>> choice) {
    Answer a = Answer::Make(Kind::ModelColumns, choice.has_value(), {}, {}, {});
    if (choice) {
        a.text = choice->first;
        a.labels = choice->second;
    }
    m_answers.push_back(std::move(a));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::factorCount(std::string text, bool ok) {
    m_answers.push_back(Answer::Make(Kind::FactorCount, ok, std::move(text), {}, {}));
    return *this;
}

std::optional<std::pair<std::string, std::vector<std::string>>>
ScriptedDialogs::ChooseModelColumns(const std::vector<std::string>& labels) {
    m_asked.push_back({Kind::ModelColumns, ChooseText("Choose columns", "Välj kolumner"),
                       JoinLines(labels)});
    auto a = take(Kind::ModelColumns, "model column choice");
    if (!a || !a->ok) return std::nullopt;
    return std::pair{a->text, a->labels};
}

// The asked text is the table, "k: left" a line, so a test can check the percentages offered.
KXAnswer ScriptedDialogs::ChooseFactorCount(const FactorCountQuestion& question) {
    std::vector<std::string> rows;
    for (const auto& [k, left] : question.rows) rows.push_back(k + ": " + left);
    m_asked.push_back({Kind::FactorCount, question.caption, JoinLines(rows)});
    auto a = take(Kind::FactorCount, "factor count " + question.caption);
    if (!a) return {false, question.initial};
    return {a->ok, a->text};
}

ScriptedDialogs& ScriptedDialogs::polynomialOptions(std::optional<PolynomialOptions> options) {
    Answer a = Answer::Make(Kind::PolynomialOptions, options.has_value(), {}, {}, {});
    if (options) a.polynomial = *options;
    m_answers.push_back(std::move(a));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::functionTerms(std::optional<unsigned> ticked) {
    Answer a = Answer::Make(Kind::FunctionTerms, ticked.has_value(), {}, {}, {});
    a.terms = ticked.value_or(0);
    m_answers.push_back(std::move(a));
    return *this;
}

// The asked text is the preset, "degree=2 weight=0 origin=0", so a test sees what was offered.
std::optional<PolynomialOptions> ScriptedDialogs::ChoosePolynomialOptions(
    const PolynomialOptions& current) {
    m_asked.push_back({Kind::PolynomialOptions, ChooseText("Choose parameters", "Välj parametrar"),
                       "degree=" + std::to_string(current.degree) +
                           " weight=" + std::to_string(current.weight) +
                           " origin=" + std::to_string(current.through_origin ? 1 : 0)});
    auto a = take(Kind::PolynomialOptions, "polynomial options");
    if (!a || !a->ok) return std::nullopt;
    return a->polynomial;
}

// The asked text lists the terms, a ticked one marked "[x] ".
std::optional<unsigned> ScriptedDialogs::ChooseFunctionTerms(const std::vector<std::string>& names,
                                                             unsigned ticked) {
    std::vector<std::string> lines;
    for (std::size_t j = 0; j < names.size(); ++j) {
        lines.push_back(((ticked >> j) & 1u ? "[x] " : "[ ] ") + names[j]);
    }
    m_asked.push_back({Kind::FunctionTerms, "y=f(x)", JoinLines(lines)});
    auto a = take(Kind::FunctionTerms, "function terms");
    if (!a || !a->ok) return std::nullopt;
    return a->terms;
}

std::optional<std::string> ScriptedDialogs::AskExpression(const std::vector<std::string>& labels) {
    m_asked.push_back({Kind::Expression, "Räkneoperation", std::to_string(labels.size())});
    auto a = take(Kind::Expression, "expression window");
    if (!a || !a->ok) return std::nullopt;
    return a->text;
}

std::optional<FunctionChoice> ScriptedDialogs::ChooseFunction(
    const std::vector<std::string>& labels) {
    m_asked.push_back({Kind::Function, "Kolumnberäkningar", std::to_string(labels.size())});
    auto a = take(Kind::Function, "function window");
    if (!a || !a->ok) return std::nullopt;
    FunctionChoice choice = std::move(m_functions.front());
    m_functions.pop_front();
    return choice;
}

std::optional<SimulationParameters> ScriptedDialogs::AskSimulation(SimulationMode mode) {
    m_asked.push_back({Kind::Simulation,
                       mode == SimulationMode::Normal ? "Simulera normalfördelade värden"
                                                      : "Simulera linjär regression",
                       ""});
    auto a = take(Kind::Simulation, "simulation window");
    if (!a || !a->ok) return std::nullopt;
    SimulationParameters p = m_simulations.front();
    m_simulations.pop_front();
    return p;
}

std::optional<DesignRequest> ScriptedDialogs::AskDesign(const DesignRequest& preset) {
    m_asked.push_back({Kind::Design, "Försöksplanering - Skapa modell",
                       std::to_string(preset.variables)});
    auto a = take(Kind::Design, "design dialog");
    if (!a || !a->ok) return std::nullopt;
    DesignRequest r = std::move(m_designs.front());
    m_designs.pop_front();
    return r;
}

std::optional<std::vector<std::pair<std::string, std::string>>>
ScriptedDialogs::ChooseSeriesPairs(const std::vector<std::string>& labels) {
    m_asked.push_back({Kind::SeriesPairs, "OverLayPlot", JoinLines(labels)});
    auto a = take(Kind::SeriesPairs, "series pairing");
    if (!a || !a->ok) return std::nullopt;
    auto pairs = std::move(m_pairs.front());
    m_pairs.pop_front();
    return pairs;
}

}  // namespace tabulon
