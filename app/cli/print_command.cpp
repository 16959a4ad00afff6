// `tabulon-cli print FILE OUT.pdf`: the filled part of the worksheet, as the grid shows it
// at start (two decimals unless told otherwise), tiled over A4 pages with the column numbers
// on every page.
#include "print_command.h"

#include <algorithm>
#include <cctype>
#include <iostream>
#include <optional>

#include "base/language.h"
#include "cli_commands.h"
#include "graphs/worksheet_print.h"
#include "procedure_args.h"
#include "worksheet/file_io.h"
#include "worksheet/worksheet_file.h"

namespace tabulon::cli {
namespace {

constexpr const char* kUsage = "FILE OUT.pdf [--titles] [--decimals D] [--significant S]";

// A count of digits as the settings take it: 0 to 15.
std::optional<int> Digits(const std::string& text) {
    if (text.empty() || text.size() > 2 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); })) {
        return std::nullopt;
    }
    const int n = std::stoi(text);
    return n <= 15 ? std::optional<int>(n) : std::nullopt;
}

bool EndsInPdf(const std::string& name) {
    if (name.size() < 4) return false;
    std::string ext = name.substr(name.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".pdf";
}

int RunPrint(const std::vector<std::string>& args) {
    std::vector<std::string> names;
    TextImportOptions import;
    SheetPrintStyle style;  // the grid at start: two decimals, Times New Roman 12 bold
    style.font = FontSpec{"Times New Roman", 12, true};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--titles") {
            import.column_captions = true;
        } else if ((a == "--decimals" || a == "--significant") && i + 1 < args.size()) {
            const std::optional<int> digits = Digits(args[++i]);
            if (!digits) return ProcedureUsage("print", kUsage, a + " takes 0 to 15");
            (a == "--decimals" ? style.decimals : style.significant_digits) = *digits;
        } else if (a.rfind("--", 0) == 0) {
            return ProcedureUsage("print", kUsage, "unknown or incomplete option " + a);
        } else {
            names.push_back(a);
        }
    }
    if (names.size() != 2) return ProcedureUsage("print", kUsage, "FILE and OUT.pdf are needed");
    // As the grid shows it: the significant digits count only while decimals are 0.
    if (style.significant_digits > 0 && !std::count(args.begin(), args.end(), "--decimals")) {
        style.decimals = 0;
    }
    if (!EndsInPdf(names[1])) {
        std::cerr << ChooseText("The file name must end in .pdf", "Filnamnet måste sluta på .pdf")
                  << '\n';
        return kExitRefused;
    }
    const LoadResult loaded = LoadWorksheet(names[0], import);
    if (!loaded.ok) {
        std::cerr << loaded.error << '\n';
        return kExitRefused;
    }
    style.decimal_separator = DecimalSeparator();
    style.title = names[0];
    const PrintGrid grid = WorksheetPrintGrid(loaded.sheet, style);
    std::string error;
    if (!WriteTablePdf(grid, names[1], error)) {
        std::cerr << error << '\n';
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace

void AddPrintCommands(std::vector<CliCommand>& table) {
    table.push_back({"print", kUsage, RunPrint});
}

}  // namespace tabulon::cli
