// The command line of the desktop program: a file to open, the screenshot script, and the two
// answers (--help, --version) that must work without a display.
#pragma once

#include <string>
#include <vector>

namespace tabulon {

struct StartOptions {
    enum class Action { Run, Help, Version, Screenshot, Usage };
    Action action = Action::Run;
    std::string file;               // Run: opened at start as Öppna opens it; "" for none
    std::string screenshot_script;  // Screenshot: the script to play
    std::string error;              // Usage: what was wrong
};

// Reads the arguments after the program name. Options Qt itself understands (-style,
// -platform ...) are not ours and have been taken out by QApplication before the window
// starts, so only the first pass, before QApplication exists, sees them; it passes them by.
StartOptions ParseStartOptions(const std::vector<std::string>& args);

// The --help text, in English: it is read in a terminal before any language is chosen.
std::string StartHelpText();

}  // namespace tabulon
