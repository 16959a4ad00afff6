// tabulon-cli: the procedures of Tabulon without a window.
#include <clocale>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli_commands.h"
#include "base/language.h"

namespace {

int Usage() {
    std::cerr << "usage: tabulon-cli [--lang sv|en] [--decimal-separator CHAR] COMMAND [ARGS...]\n"
                 "commands:\n";
    for (const auto& command : tabulon::cli::CliCommands()) {
        std::cerr << "  " << command.name << ' ' << command.usage << '\n';
    }
    return 2;
}

char LocaleDecimalSeparator() {
    std::setlocale(LC_NUMERIC, "");
    const char* point = std::localeconv()->decimal_point;
    const char separator = (point && std::strlen(point) == 1) ? point[0] : '.';
    std::setlocale(LC_NUMERIC, "C");
    return separator == ',' ? ',' : '.';
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tabulon;
    std::vector<std::string> args(argv + 1, argv + argc);
    TextSettings settings{Language::Swedish, LocaleDecimalSeparator()};
    std::size_t i = 0;
    for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
        if (args[i] == "--lang" && i + 1 < args.size()) {
            const std::string& lang = args[++i];
            if (lang == "sv") settings.language = Language::Swedish;
            else if (lang == "en") settings.language = Language::English;
            else return Usage();
        } else if (args[i] == "--decimal-separator" && i + 1 < args.size()) {
            const std::string& sep = args[++i];
            if (sep != "," && sep != ".") return Usage();
            settings.decimal_separator = sep[0];
        } else {
            return Usage();
        }
    }
    if (i >= args.size()) return Usage();
    CurrentTextSettings() = settings;
    const std::string command = args[i];
    const std::vector<std::string> rest(args.begin() + static_cast<long>(i) + 1, args.end());
    for (const auto& entry : cli::CliCommands()) {
        if (entry.name == command) return entry.run(rest);
    }
    std::cerr << "tabulon-cli: unknown command " << command << '\n';
    return Usage();
}
