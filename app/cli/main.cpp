// tabulon-cli: the procedures of Tabulon without a window.
#include <clocale>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "calc_table.h"
#include "file_commands.h"
#include "shell/language.h"

namespace {

int Usage() {
    std::cerr << "usage: tabulon-cli [--lang sv|en] [--decimal-separator CHAR] COMMAND [ARGS...]\n"
                 "commands:\n"
                 "  calc NAME ARG...   one numeric-core function\n"
                 "  info FILE          grid size and the data columns of a worksheet file\n"
                 "  convert IN OUT [--titles] [--column-captions] [--row-captions]\n"
                 "                     read any supported file, write by OUT's extension\n";
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
    if (command == "calc") return cli::RunCalc(rest);
    if (command == "info") return cli::RunInfo(rest);
    if (command == "convert") return cli::RunConvert(rest);
    std::cerr << "tabulon-cli: unknown command " << command << '\n';
    return Usage();
}
