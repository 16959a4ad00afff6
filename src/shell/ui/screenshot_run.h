// Plays a screenshot script (shell/screenshot_script.h) on the real main window.
#pragma once

#include <filesystem>
#include <string>

#include "shell/screenshot_script.h"

namespace tabulon {
class ScriptedDialogs;
}

namespace tabulon::ui {

class MainWindow;

// Plays `script` on `window`, whose questions `dialogs` answers; files are named relative to
// `folder`. Returns "" when every step ran and every answer was used, otherwise what went
// wrong and on which line (a question the script did not answer, a menu key or item that does
// not exist, a picture that could not be written).
std::string PlayScreenshotScript(MainWindow& window, ScriptedDialogs& dialogs,
                                 const ScreenshotScript& script,
                                 const std::filesystem::path& folder);

}  // namespace tabulon::ui
