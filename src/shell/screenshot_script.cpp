// Reading screenshot scripts: the shape of each line is checked before anything is played, so
// a typing error stops the run before the first picture is overwritten.
#include "shell/screenshot_script.h"

#include <array>
#include <charconv>

namespace tabulon {
namespace {

struct StepShape {
    std::string_view command;
    std::size_t min_words;
    std::size_t max_words;  // words after the command; rest-of-line texts count as one or more
};

constexpr std::size_t kAny = 1000;

constexpr std::array kShapes = std::to_array<StepShape>({
    {"size", 2, 2},
    {"language", 1, 1},
    {"separator", 1, 1},
    {"caption", 2, kAny},
    {"row", 2, kAny},
    {"open", 1, kAny},
    {"answer", 1, kAny},
    {"run", 1, 1},
    {"trigger", 1, 1},
    {"shot", 2, 4},
    {"close", 0, 0},
});

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (true) {
        at = text.find_first_not_of(" \t\r", at);
        if (at == std::string_view::npos) break;
        const auto end = text.find_first_of(" \t\r", at);
        words.emplace_back(text.substr(at, end == std::string_view::npos ? end : end - at));
        if (end == std::string_view::npos) break;
        at = end;
    }
    return words;
}

bool IsCount(const std::string& word) {
    int value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return ec == std::errc() && end == word.data() + word.size() && value > 0;
}

// What is wrong with a step whose word count fits, or "".
std::string CheckArguments(const ScriptStep& step) {
    const auto& w = step.words;
    if (step.command == "size" && !(IsCount(w[0]) && IsCount(w[1]))) return "size needs W H";
    if (step.command == "language" && w[0] != "sv" && w[0] != "en") return "language is sv or en";
    if (step.command == "separator" && w[0] != "," && w[0] != ".") return "separator is , or .";
    if ((step.command == "caption" || step.command == "row") && !IsCount(w[0])) {
        return step.command + " needs a number from 1 on first";
    }
    if (step.command == "answer") {
        const std::string& kind = w[0];
        if (kind == "yes" || kind == "no")
            return w.size() == 1 ? "" : "answer " + kind + " takes nothing";
        if (kind == "import") {
            return w.size() == 2 && (w[1] == "titles" || w[1] == "plain")
                       ? ""
                       : "answer import is titles or plain";
        }
        if (kind == "list" || kind == "input")
            return w.size() >= 2 ? "" : "answer " + kind + " needs a text";
        if (kind == "two") {
            return SplitChoice(Trim(step.rest).substr(3)).size() == 2 ? "" : "answer two needs X|Y";
        }
        return "unknown answer " + kind;
    }
    if (step.command == "shot") {
        if (w[0] != "main" && w[0] != "result") return "shot main or shot result";
        if (w.size() == 3) return "shot needs both W and H";
        if (w.size() == 4 && !(w[0] == "result" && IsCount(w[2]) && IsCount(w[3]))) {
            return "only a result window takes W H, both numbers";
        }
    }
    return "";
}

}  // namespace

std::vector<std::string> SplitChoice(std::string_view text) {
    std::vector<std::string> parts;
    std::size_t at = 0;
    while (true) {
        const auto bar = text.find('|', at);
        parts.emplace_back(Trim(text.substr(at, bar == std::string_view::npos ? bar : bar - at)));
        if (bar == std::string_view::npos) break;
        at = bar + 1;
    }
    return parts;
}

ScreenshotScript ParseScreenshotScript(std::string_view text) {
    ScreenshotScript script;
    int number = 0;
    std::size_t at = 0;
    while (at <= text.size()) {
        const auto end = text.find('\n', at);
        const std::string_view line = Trim(
            text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
        ++number;
        at = end == std::string_view::npos ? text.size() + 1 : end + 1;
        if (line.empty() || line.front() == '#') continue;
        ScriptStep step;
        step.line = number;
        std::vector<std::string> words = Words(line);
        step.command = words.front();
        step.words.assign(words.begin() + 1, words.end());
        step.rest = std::string(Trim(line.substr(step.command.size())));
        std::string error;
        const StepShape* shape = nullptr;
        for (const StepShape& s : kShapes) {
            if (s.command == step.command) shape = &s;
        }
        if (!shape) {
            error = "unknown step " + step.command;
        } else if (step.words.size() < shape->min_words || step.words.size() > shape->max_words) {
            error = step.command + ": wrong number of words";
        } else {
            error = CheckArguments(step);
        }
        if (!error.empty()) {
            script.steps.clear();
            script.error = "line " + std::to_string(number) + ": " + error;
            return script;
        }
        script.steps.push_back(std::move(step));
    }
    return script;
}

}  // namespace tabulon
