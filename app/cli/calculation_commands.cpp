// `tabulon-cli arith`, `function`, `simulate` and `design`: the Beräkna and Försöksplanering
// commands on files. Each changes the sheet as its menu command does and writes OUT by its
// name (as Spara som would).
#include <algorithm>
#include <chrono>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/language.h"
#include "cli_commands.h"
#include "numeric/number_text.h"
#include "procedure_args.h"
#include "design/design_sheet.h"
#include "json.h"
#include "worksheet/column_arithmetic.h"
#include "worksheet/simulation.h"
#include "worksheet/worksheet_file.h"

namespace tabulon::cli {
namespace {

constexpr const char* kArithUsage = "FILE OUT --expression \"EXPR\" [--titles]";
constexpr const char* kFunctionUsage =
    "FILE OUT --column C --function scale|center|norm|ln|exp|log|pow10|abs|power|sqrt|square|"
    "sin|cos|arctan [--argument V] [--titles]";

constexpr const char* kSimulateUsage =
    "OUT normal --mean M --sd S --count N [--series K] [--seed X] | OUT regression --intercept A "
    "--slope B --sd S --count N --from X0 --to X1 [--series K] [--seed X]";
constexpr const char* kDesignUsage =
    "OUT --variables K --levels 2|3 --runs N --model main|two|three [--names A,B,...] "
    "[--values LOW,HIGH[,MID];...] [--seed X] [--json]";

struct CommandArgs {
    std::vector<std::string> files;
    std::map<std::string, std::string> options;
    std::set<std::string> flags;
};

// Positional arguments, `--KEY VALUE` for each of `keys` and the switches of `flags`.
std::optional<CommandArgs> Parse(const std::vector<std::string>& args,
                                 const std::set<std::string>& keys,
                                 const std::set<std::string>& flags, std::string& error) {
    CommandArgs out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (flags.count(a)) {
            out.flags.insert(a);
        } else if (keys.count(a) && i + 1 < args.size()) {
            out.options[a] = args[++i];
        } else if (a.rfind("--", 0) == 0) {
            error = "unknown or incomplete option " + a;
            return std::nullopt;
        } else {
            out.files.push_back(a);
        }
    }
    return out;
}

// A number typed with the current separator or with a point.
std::optional<Extended> Number(const std::string& text) {
    if (auto v = ParseNumber(text, DecimalSeparator())) return v;
    return ParseNumber(text, '.');
}

int Refuse(const std::string& message) {
    std::cerr << message << '\n';
    return kExitRefused;
}

// Reads FILE, lets `change` work on it (a refusal is returned as text) and writes OUT.
template <typename Change>
int ChangeFile(const CommandArgs& a, Change change) {
    ProcedureArgs sheet_args;
    sheet_args.file = a.files[0];
    sheet_args.titles = a.flags.count("--titles") > 0;
    std::string error;
    std::optional<Worksheet> sheet = LoadProcedureSheet(sheet_args, error);
    if (!sheet) return Refuse(error);
    if (const std::string refusal = change(*sheet); !refusal.empty()) return Refuse(refusal);
    const SaveResult saved = SaveWorksheet(*sheet, a.files[1], sheet_args.titles);
    if (!saved.ok) return Refuse(saved.error);
    return kExitOk;
}

int RunArith(const std::vector<std::string>& args) {
    std::string error;
    const auto a = Parse(args, {"--expression"}, {"--titles"}, error);
    if (!a) return ProcedureUsage("arith", kArithUsage, error);
    if (a->files.size() != 2 || !a->options.count("--expression")) {
        return ProcedureUsage("arith", kArithUsage, "FILE, OUT and --expression are needed");
    }
    return ChangeFile(*a, [&](Worksheet& sheet) {
        std::cout << ArithmeticTargetText(sheet) << '\n';
        WriteColumnArithmetic(sheet, a->options.at("--expression"), DecimalSeparator());
        return std::string();
    });
}

int RunFunction(const std::vector<std::string>& args) {
    std::string error;
    const auto a = Parse(args, {"--column", "--function", "--argument"}, {"--titles"}, error);
    if (!a) return ProcedureUsage("function", kFunctionUsage, error);
    if (a->files.size() != 2 || !a->options.count("--column") || !a->options.count("--function")) {
        return ProcedureUsage("function", kFunctionUsage,
                              "FILE, OUT, --column and --function are needed");
    }
    std::optional<ColumnFunction> function;
    for (int f = 0; f < kColumnFunctionCount; ++f) {
        const auto candidate = static_cast<ColumnFunction>(f);
        if (ColumnFunctionName(candidate) == a->options.at("--function")) function = candidate;
    }
    if (!function) return ProcedureUsage("function", kFunctionUsage, "unknown --function");
    Extended argument = 1;
    if (ColumnFunctionTakesArgument(*function)) {
        const auto it = a->options.find("--argument");
        const auto number = it == a->options.end() ? std::optional<Extended>(1) : Number(it->second);
        if (!number) return Refuse(ChooseText("Error in data", "Fel i indata"));
        argument = *number;
    }
    return ChangeFile(*a, [&](Worksheet& sheet) {
        const std::string& name = a->options.at("--column");
        const int column = ResolveColumn(sheet, name);
        if (column == 0) return ChooseText("No column is named ", "Ingen kolumn heter ") + name;
        return ApplyColumnFunction(sheet, column, *function, argument, DecimalSeparator());
    });
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

// --seed X, or the clock.
std::optional<std::uint64_t> Seed(const CommandArgs& a) {
    const auto it = a.options.find("--seed");
    if (it == a.options.end()) {
        return static_cast<std::uint64_t>(
            std::chrono::steady_clock::now().time_since_epoch().count());
    }
    try {
        std::size_t used = 0;
        const std::uint64_t seed = std::stoull(it->second, &used);
        if (used == it->second.size()) return seed;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

// A new sheet is written with its captions (they name the series and the design columns) and
// without the start sheet's empty margin, so that OUT holds what was made and no more.
int WriteNewSheet(Worksheet& sheet, const std::string& out) {
    int last_column = Worksheet::kFixedColumns - 1, last_row = Worksheet::kFixedRows - 1;
    for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
        for (int r = 1; r < sheet.rowCount(); ++r) {
            if (sheet.cell(c, r).empty()) continue;
            last_column = std::max(last_column, c);
            last_row = std::max(last_row, r);
        }
    }
    sheet.resize(last_column + 1, last_row + 1);
    const SaveResult saved = SaveWorksheet(sheet, out, true);
    if (!saved.ok) return Refuse(saved.error);
    return kExitOk;
}

int RunSimulate(const std::vector<std::string>& args) {
    std::string error;
    const auto a = Parse(args,
                         {"--mean", "--intercept", "--sd", "--count", "--series", "--seed",
                          "--slope", "--from", "--to"},
                         {}, error);
    if (!a) return ProcedureUsage("simulate", kSimulateUsage, error);
    if (a->files.size() != 2 || (a->files[1] != "normal" && a->files[1] != "regression")) {
        return ProcedureUsage("simulate", kSimulateUsage, "OUT and normal or regression are needed");
    }
    const SimulationMode mode =
        a->files[1] == "normal" ? SimulationMode::Normal : SimulationMode::Regression;
    SimulationParameters p;
    const std::pair<const char*, Extended*> reals[] = {
        {mode == SimulationMode::Normal ? "--mean" : "--intercept", &p.mean},
        {"--sd", &p.sd}, {"--slope", &p.slope}, {"--from", &p.lowest}, {"--to", &p.highest}};
    for (const auto& [key, field] : reals) {
        const auto it = a->options.find(key);
        if (it == a->options.end()) continue;
        const auto number = Number(it->second);
        if (!number) return Refuse(ChooseText("Error in data", "Fel i indata") + " (" + key + ")");
        *field = *number;
    }
    const std::pair<const char*, int*> counts[] = {{"--count", &p.count}, {"--series", &p.series}};
    for (const auto& [key, field] : counts) {
        const auto it = a->options.find(key);
        if (it == a->options.end()) continue;
        const auto number = ParseInteger(it->second);
        if (!number) return Refuse(ChooseText("Error in data", "Fel i indata") + " (" + key + ")");
        *field = *number;
    }
    const auto seed = Seed(*a);
    if (!seed) return ProcedureUsage("simulate", kSimulateUsage, "--seed takes a whole number");
    if (const std::string refusal = SimulationRefusal(p); !refusal.empty()) return Refuse(refusal);
    Worksheet sheet = Worksheet::StartSheet();
    Xoshiro256 rng(*seed);
    WriteSimulation(sheet, mode, p, rng, DecimalSeparator());
    return WriteNewSheet(sheet, a->files[0]);
}

int RunDesign(const std::vector<std::string>& args) {
    std::string error;
    const auto a = Parse(args, {"--variables", "--levels", "--runs", "--model", "--names",
                                "--values", "--seed"},
                         {"--json"}, error);
    if (!a) return ProcedureUsage("design", kDesignUsage, error);
    const auto option = [&](const char* key) {
        const auto it = a->options.find(key);
        return it == a->options.end() ? std::string() : it->second;
    };
    const auto k = ParseInteger(option("--variables"));
    const auto levels = ParseInteger(option("--levels"));
    const auto runs = ParseInteger(option("--runs"));
    const std::string model_name = option("--model");
    const std::map<std::string, DesignModel> models = {
        {"main", DesignModel::MainEffects}, {"two", DesignModel::TwoWay},
        {"three", DesignModel::ThreeWay}};
    if (a->files.size() != 1 || !k || !levels || !runs || !models.count(model_name)) {
        return ProcedureUsage("design", kDesignUsage,
                              "OUT, --variables, --levels, --runs and --model are needed");
    }
    const DesignModel model = models.at(model_name);
    if (const std::string refusal = DesignRefusal(*k, *levels, *runs, model); !refusal.empty()) {
        return Refuse(refusal);
    }
    if (*runs == 1) {
        return Refuse(ChooseText("A design needs at least two experiments; nothing was written",
                                 "En försöksplan behöver minst två försök; inget skrevs"));
    }
    std::vector<std::string> names;
    std::vector<LevelValues> values;
    for (int v = 0; v < *k; ++v) {
        names.push_back(DefaultVariableName(v));
        values.push_back({"-1", "0", "1"});
    }
    if (const std::string given = option("--names"); !given.empty()) {
        const std::vector<std::string> parts = Split(given, ',');
        for (std::size_t v = 0; v < parts.size() && v < names.size(); ++v) names[v] = parts[v];
    }
    if (const std::string given = option("--values"); !given.empty()) {
        const std::vector<std::string> per_variable = Split(given, ';');
        for (std::size_t v = 0; v < per_variable.size() && v < values.size(); ++v) {
            const std::vector<std::string> parts = Split(per_variable[v], ',');
            if (parts.size() != std::size_t(*levels) || !Number(parts[0]) || !Number(parts[1]) ||
                (parts.size() == 3 && !Number(parts[2]))) {
                return Refuse(ChooseText("Error in data", "Fel i indata") + " (--values " +
                              per_variable[v] + ")");
            }
            values[v] = {parts[0], parts.size() == 3 ? parts[2] : "0", parts[1]};
        }
    }
    const auto seed = Seed(*a);
    if (!seed) return ProcedureUsage("design", kDesignUsage, "--seed takes a whole number");
    Xoshiro256 rng(*seed);
    const FactorialDesign design = GenerateDesign(*k, *levels, *runs, model, rng);
    if (const std::string notice = DesignNotice(design); !notice.empty()) {
        std::cerr << notice << '\n';
    }
    Worksheet sheet = Worksheet::StartSheet();
    WriteDesign(sheet, design, names, values, DecimalSeparator());
    if (a->flags.count("--json")) {
        std::string captions = "[", matrix = "[";
        for (const std::string& caption : DesignCaptions(design, names)) {
            captions += (captions.size() > 1 ? "," : "") + JsonString(caption);
        }
        for (int r = 0; r < design.runs; ++r) {
            std::string row = "[";
            for (int c = 0; c < design.columns(); ++c) {
                row += (c ? "," : "") + std::to_string(design.at(r, c));
            }
            matrix += (r ? "," : "") + row + "]";
        }
        JsonObject json;
        json.Integer("variables", design.variables)
            .Integer("levels", design.levels)
            .Integer("runs", design.runs)
            .Raw("columns", captions + "]")
            .Raw("matrix", matrix + "]")
            .Integer("confounded_pairs", design.confounded)
            .Integer("unbalanced_columns", design.unbalanced)
            .Bool("full_factorial", design.full)
            .Bool("accepted", design.accepted());
        std::cout << json.Text() << '\n';
    }
    return WriteNewSheet(sheet, a->files[0]);
}

}  // namespace

void AddCalculationCommands(std::vector<CliCommand>& table) {
    table.push_back({"arith", kArithUsage, RunArith});
    table.push_back({"function", kFunctionUsage, RunFunction});
    table.push_back({"simulate", kSimulateUsage, RunSimulate});
    table.push_back({"design", kDesignUsage, RunDesign});
}

}  // namespace tabulon::cli
