// The desktop program's command line.
#include "shell/start_options.h"

#include "shell/app_state.h"

namespace tabulon {
namespace {

// Qt's own options that take a value; their value must not be taken for a file name.
bool IsQtOptionWithValue(const std::string& arg) {
    for (const char* name :
         {"-platform", "-style", "-stylesheet", "-qwindowgeometry", "-qwindowtitle", "-qwindowicon",
          "-display", "-geometry", "-platformpluginpath", "-platformtheme", "-session"}) {
        if (arg == name || arg == std::string("-") + name) return true;
    }
    return false;
}

StartOptions Refuse(std::string error) {
    StartOptions refused;
    refused.action = StartOptions::Action::Usage;
    refused.error = std::move(error);
    return refused;
}

}  // namespace

StartOptions ParseStartOptions(const std::vector<std::string>& args) {
    StartOptions options;
    // The first of --help and --version wins over everything else, mistakes included.
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") {
            options.action = StartOptions::Action::Help;
            return options;
        }
        if (arg == "--version") {
            options.action = StartOptions::Action::Version;
            return options;
        }
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--screenshot") {
            if (i + 1 >= args.size()) return Refuse("--screenshot needs a script file");
            options.action = StartOptions::Action::Screenshot;
            options.screenshot_script = args[++i];
        } else if (IsQtOptionWithValue(arg)) {
            ++i;
        } else if (arg == "--") {
            if (i + 1 < args.size() && options.file.empty()) options.file = args[i + 1];
            if (i + 2 < args.size()) return Refuse("only one file can be opened at start");
            break;
        } else if (!arg.empty() && arg[0] == '-') {
            // Qt's flags without a value (-reverse, -nograb) pass; unknown long options do not.
            if (arg.rfind("--", 0) == 0) return Refuse("unknown option " + arg);
        } else if (options.file.empty()) {
            options.file = arg;
        } else {
            return Refuse("only one file can be opened at start");
        }
    }
    return options;
}

std::string StartHelpText() {
    return std::string(kProgramVersion) +
           " - a statistics workbench for the analytical laboratory\n"
           "\n"
           "usage: tabulon [FILE]\n"
           "       tabulon --screenshot SCRIPT\n"
           "\n"
           "  FILE                 a worksheet (.tbn), tab-separated text (.txt) or .csv\n"
           "                       file, opened at start as Arkiv > Öppna opens it\n"
           "  --screenshot SCRIPT  play a screenshot script offscreen and stop\n"
           "  --help               this text\n"
           "  --version            the program's name and version\n"
           "\n"
           "The computations without a window: tabulon-cli (man tabulon-cli).\n";
}

}  // namespace tabulon
