// Screenshot scripts on the real window: every menu command runs through the same dispatcher
// the menu uses, and every question is answered from the script, so a picture shows exactly
// what a user would see after the same steps.
#include "shell/ui/screenshot_run.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPixmap>

#include "base/language.h"
#include "shell/scripted_dialogs.h"
#include "shell/ui/main_window.h"
#include "worksheet/ui/number_grid.h"

namespace tabulon::ui {
namespace {

int Number(const std::string& word) {
    return std::stoi(word);
}

// The newest result window still open, or null.
QDialog* NewestResultWindow(MainWindow& window) {
    QDialog* newest = nullptr;
    for (QDialog* d : window.findChildren<QDialog*>()) {
        if (d->isVisible()) newest = d;
    }
    return newest;
}

// A number written with a point in the script, shown with the separator in use.
std::string WithSeparator(std::string text) {
    if (DecimalSeparator() == ',') {
        for (char& ch : text) {
            if (ch == '.') ch = ',';
        }
    }
    return text;
}

bool Save(QWidget& widget, const std::filesystem::path& file) {
    QApplication::processEvents();
    return widget.grab().save(QString::fromStdString(file.string()), "PNG");
}

// Queues the answer of one `answer` step.
void QueueAnswer(ScriptedDialogs& dialogs, const ScriptStep& step) {
    const std::string& kind = step.words[0];
    const std::string text(step.rest.substr(step.rest.find(kind) + kind.size()));
    const auto parts = SplitChoice(text);
    if (kind == "yes" || kind == "no") {
        dialogs.yes(kind == "yes");
    } else if (kind == "import") {
        dialogs.textImport(TextImportOptions{step.words[1] == "titles", false});
    } else if (kind == "input") {
        dialogs.input(parts.front());
    } else if (kind == "list") {
        dialogs.chooseFromList(parts);
    } else if (kind == "two") {
        dialogs.chooseTwo(std::make_pair(parts[0], parts[1]));
    }
}

// What one step did wrong, or "".
std::string Play(MainWindow& window, ScriptedDialogs& dialogs, const ScriptStep& step,
                 const std::filesystem::path& folder) {
    const auto& w = step.words;
    const std::string& c = step.command;
    if (c == "size") {
        window.resize(Number(w[0]), Number(w[1]));
    } else if (c == "language") {
        window.Execute(w[0] == "sv" ? "language.swedish" : "language.english");
    } else if (c == "separator") {
        CurrentTextSettings().decimal_separator = w[0][0];
    } else if (c == "caption") {
        const std::string text = step.rest.substr(step.rest.find(w[0]) + w[0].size());
        window.NumberGrid1()->setCellText(Number(w[0]) + 1, 1, std::string(SplitChoice(text)[0]));
    } else if (c == "row") {
        for (std::size_t i = 1; i < w.size(); ++i) {
            window.NumberGrid1()->setCellText(static_cast<int>(i) + 1, Number(w[0]) + 1,
                                              w[i] == "-" ? "" : WithSeparator(w[i]));
        }
    } else if (c == "open") {
        window.openFile((folder / step.rest).lexically_normal().string());
    } else if (c == "answer") {
        QueueAnswer(dialogs, step);
    } else if (c == "run") {
        if (!window.action(w[0])) return "no menu item " + w[0];
        window.Execute(w[0]);
    } else if (c == "trigger") {
        QDialog* result = NewestResultWindow(window);
        if (!result) return "no result window is open";
        auto* item = result->findChild<QAction*>(QString::fromStdString(w[0]));
        if (!item) return "the result window has no item " + w[0];
        item->trigger();
    } else if (c == "shot") {
        QWidget* target = &window;
        if (w[0] == "result") {
            target = NewestResultWindow(window);
            if (!target) return "no result window is open";
            if (w.size() == 4) {
                target->showNormal();
                target->resize(Number(w[2]), Number(w[3]));
            }
        }
        if (!Save(*target, folder / w[1])) return "cannot write " + (folder / w[1]).string();
    } else if (c == "close") {
        for (QDialog* d : window.findChildren<QDialog*>()) d->close();
    }
    QApplication::processEvents();
    return "";
}

}  // namespace

std::string PlayScreenshotScript(MainWindow& window, ScriptedDialogs& dialogs,
                                 const ScreenshotScript& script,
                                 const std::filesystem::path& folder) {
    if (!script.error.empty()) return script.error;
    for (const ScriptStep& step : script.steps) {
        const std::size_t mismatches = dialogs.mismatches().size();
        const std::size_t asked = dialogs.asked().size();
        std::string error = Play(window, dialogs, step, folder);
        if (error.empty() && dialogs.mismatches().size() > mismatches) {
            error = "unanswered question: " + dialogs.mismatches().back();
        }
        // A message box in a picture script means a step went wrong (a file not read...).
        for (std::size_t i = asked; error.empty() && i < dialogs.asked().size(); ++i) {
            const auto& q = dialogs.asked()[i];
            if (q.kind == ScriptedDialogs::Kind::Message) error = "message: " + q.text;
        }
        if (!error.empty()) return "line " + std::to_string(step.line) + ": " + error;
    }
    if (!dialogs.allAnswersUsed()) return "some answers of the script were never asked for";
    return "";
}

}  // namespace tabulon::ui
