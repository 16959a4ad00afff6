// What the desktop program does with its command line once the main window exists.
#pragma once

#include <string>

#include "shell/start_options.h"

namespace tabulon::ui {

class MainWindow;

// `tabulon FILE` (a double click on a file): FILE is opened as Arkiv > Öppna opens it, with
// the same questions and checks; a file that cannot be read shows why and leaves the empty
// worksheet. A relative name is taken from the folder the program was started in.
void OpenStartFile(MainWindow& window, const std::string& file);

// What main() does with the parsed command line: the file, if one was named, is opened as soon
// as the event loop runs, so that the import question and any message sit on the shown window.
void OpenStartFileWhenShown(MainWindow& window, const StartOptions& options);

}  // namespace tabulon::ui
