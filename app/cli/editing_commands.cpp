// `tabulon-cli sort`, `transpose` and `remove-empty`: the Redigera commands on a file, for
// scripts. Each reads FILE, changes the sheet as the menu command does and writes OUT by its
// name (as Spara som would).
#include <algorithm>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "base/language.h"
#include "cli_commands.h"
#include "procedure_args.h"
#include "worksheet/editing.h"
#include "worksheet/worksheet_file.h"

namespace tabulon::cli {
namespace {

constexpr const char* kSortUsage = "FILE OUT --column C [--descending] [--titles]";
constexpr const char* kTransposeUsage = "FILE OUT [--titles]";
constexpr const char* kRemoveEmptyUsage = "FILE OUT [--rows] [--columns] [--titles]";

struct EditArgs {
    ProcedureArgs sheet;  // FILE, --titles and --column, as the procedure commands read them
    std::string out;
    std::vector<std::string> flags;  // the command's own switches that were given
};

bool Has(const EditArgs& args, const std::string& flag) {
    return std::find(args.flags.begin(), args.flags.end(), flag) != args.flags.end();
}

// FILE OUT, --titles, the switches in `flags`, and --column C when `column` is set.
std::optional<EditArgs> Parse(const std::vector<std::string>& args,
                              const std::vector<std::string>& flags, bool column,
                              std::string& error) {
    EditArgs out;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--titles") {
            out.sheet.titles = true;
        } else if (column && a == "--column" && i + 1 < args.size() && !args[i + 1].empty()) {
            out.sheet.columns.push_back(args[++i]);
        } else if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
            out.flags.push_back(a);
        } else if (a.rfind("--", 0) == 0) {
            error = "unknown or incomplete option " + a;
            return std::nullopt;
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) {
        error = "FILE and OUT are needed";
        return std::nullopt;
    }
    if (column && out.sheet.columns.size() != 1) {
        error = "name one column with --column";
        return std::nullopt;
    }
    out.sheet.file = files[0];
    out.out = files[1];
    return out;
}

// Reads, changes and writes; the change returns a refusal ("" when done).
int Run(const std::string& name, const std::string& usage, const std::vector<std::string>& args,
        const std::vector<std::string>& flags, bool column,
        const std::function<std::string(Worksheet&, const EditArgs&)>& change) {
    std::string error;
    const std::optional<EditArgs> parsed = Parse(args, flags, column, error);
    if (!parsed) return ProcedureUsage(name, usage, error);
    std::optional<Worksheet> sheet = LoadProcedureSheet(parsed->sheet, error);
    if (!sheet) {
        std::cerr << error << '\n';
        return kExitRefused;
    }
    if (const std::string refusal = change(*sheet, *parsed); !refusal.empty()) {
        std::cerr << refusal << '\n';
        return kExitRefused;
    }
    const SaveResult saved = SaveWorksheet(*sheet, parsed->out, parsed->sheet.titles);
    if (!saved.ok) {
        std::cerr << saved.error << '\n';
        return kExitRefused;
    }
    return kExitOk;
}

int RunSort(const std::vector<std::string>& args) {
    return Run("sort", kSortUsage, args, {"--descending"}, true,
               [](Worksheet& sheet, const EditArgs& a) -> std::string {
                   const int column = ResolveColumn(sheet, a.sheet.columns.front());
                   if (column == 0) {
                       return ChooseText("No column is named ", "Ingen kolumn heter ") +
                              a.sheet.columns.front();
                   }
                   std::string refusal = SortRefusal(sheet, column, DecimalSeparator());
                   if (refusal.empty()) {
                       SortRows(sheet, column, !Has(a, "--descending"), DecimalSeparator());
                   }
                   return refusal;
               });
}

int RunTranspose(const std::vector<std::string>& args) {
    return Run("transpose", kTransposeUsage, args, {}, false,
               [](Worksheet& sheet, const EditArgs&) {
                   TransposeSheet(sheet);
                   return std::string();
               });
}

int RunRemoveEmpty(const std::vector<std::string>& args) {
    return Run("remove-empty", kRemoveEmptyUsage, args, {"--rows", "--columns"}, false,
               [](Worksheet& sheet, const EditArgs& a) {
                   const bool both = a.flags.empty();
                   if (both || Has(a, "--columns")) RemoveEmptyColumns(sheet);
                   if (both || Has(a, "--rows")) RemoveEmptyRows(sheet);
                   return std::string();
               });
}

}  // namespace

void AddEditingCommands(std::vector<CliCommand>& table) {
    table.push_back({"sort", kSortUsage, RunSort});
    table.push_back({"transpose", kTransposeUsage, RunTranspose});
    table.push_back({"remove-empty", kRemoveEmptyUsage, RunRemoveEmpty});
}

}  // namespace tabulon::cli
