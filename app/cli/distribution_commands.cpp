// `tabulon-cli probability`, `table` and `interval`: the calculators of 1-Dim > Sannolikheter,
// Statistiktabeller and Konfidensintervall on values given as options, printing what the
// window shows, every number as JSON, and the tables' graphs.
#include <algorithm>
#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "cli_commands.h"
#include "json.h"
#include "procedure_args.h"
#include "univariate/distribution_calculators.h"

namespace tabulon::cli {
namespace {

using Options = std::map<std::string, std::string>;

// One calculator behind a command: the kind named first, the options it takes (the first
// `required` of them must be given) and how it runs.
struct Calculator {
    std::string kind;
    std::vector<std::string> keys;
    std::size_t required = 0;
    std::function<CalculatorOutcome(Options&)> run;
};

std::string Usage(const std::vector<Calculator>& calculators) {
    std::string text;
    for (const Calculator& c : calculators) {
        if (!text.empty()) text += " | ";
        text += c.kind;
        for (std::size_t i = 0; i < c.keys.size(); ++i) {
            const std::string option = "--" + c.keys[i] + " V";
            text += i < c.required ? " " + option : " [" + option + "]";
        }
    }
    return text + "  [--json] [--graph OUT] [--size WxH]";
}

int RunCalculator(const std::string& name, const std::vector<Calculator>& calculators,
                  const std::vector<std::string>& args) {
    const std::string usage = Usage(calculators);
    if (args.empty()) return ProcedureUsage(name, usage, "");
    std::vector<const Calculator*> matching;
    for (const Calculator& c : calculators) {
        if (c.kind == args[0]) matching.push_back(&c);
    }
    if (matching.empty()) return ProcedureUsage(name, usage, "unknown kind " + args[0]);

    Options options;
    bool json = false;
    std::vector<std::string> graph_args{"-"};  // the graph options go through the shared parser
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json") {
            json = true;
        } else if ((a == "--graph" || a == "--size") && i + 1 < args.size()) {
            graph_args.push_back(a);
            graph_args.push_back(args[++i]);
        } else if (a.rfind("--", 0) == 0 && i + 1 < args.size()) {
            options[a.substr(2)] = args[++i];
        } else {
            return ProcedureUsage(name, usage, "unexpected " + a);
        }
    }
    // Of calculators sharing a kind (the normal table's z and α sides), the one whose
    // required options are all given and which takes every option given.
    const Calculator* chosen = nullptr;
    for (const Calculator* c : matching) {
        bool fits = true;
        for (std::size_t i = 0; i < c->required; ++i) fits = fits && options.count(c->keys[i]);
        for (const auto& [key, value] : options) {
            fits = fits && std::find(c->keys.begin(), c->keys.end(), key) != c->keys.end();
        }
        if (fits) chosen = c;
    }
    if (!chosen) return ProcedureUsage(name, usage, "wrong options for " + args[0]);

    std::string error;
    const auto graph = ParseProcedureArgs(graph_args, {}, error);
    if (!graph) return ProcedureUsage(name, usage, error);

    const CalculatorOutcome out = chosen->run(options);
    if (!out.ok()) {
        std::cerr << out.message << '\n';
        return kExitRefused;
    }
    if (graph->graph && !out.plot) {
        return ProcedureUsage(name, usage, "this calculator draws no graph");
    }
    if (json) {
        JsonObject o;
        for (const auto& [key, value] : out.values) o.Number(key, value);
        std::cout << o.Text() << '\n';
    } else {
        for (const std::string& line : out.lines) std::cout << line << '\n';
    }
    if (graph->graph) {
        const DensityPlot plot = *out.plot;
        auto render = [&plot](Canvas& canvas, int w, int h) {
            RenderDensityGraph(canvas, w, h, plot);
        };
        if (!WriteGraphFile(render, *graph->graph, graph->graph_width, graph->graph_height,
                            error)) {
            std::cerr << error << '\n';
            return kExitRefused;
        }
    }
    return kExitOk;
}

std::vector<Calculator> ProbabilityCalculators() {
    auto fields = [](Options& o) {
        return ProbabilityFields{o["n"], o["mean"], o["sd"], o["from"], o["to"]};
    };
    return {
        {"normal",
         {"mean", "sd", "from", "to"},
         2,
         [fields](Options& o) { return NormalProbability(fields(o)); }},
        {"t",
         {"n", "mean", "sd", "from", "to"},
         3,
         [fields](Options& o) { return TProbability(fields(o)); }},
    };
}

std::vector<Calculator> TableCalculators() {
    return {
        {"normal", {"z"}, 1, [](Options& o) { return NormalArea(o["z"]); }},
        {"normal", {"alpha"}, 1, [](Options& o) { return NormalLambda(o["alpha"]); }},
        {"t", {"df", "alpha"}, 2, [](Options& o) { return TTable(o["df"], o["alpha"]); }},
        {"chi2",
         {"df", "alpha"},
         2,
         [](Options& o) { return ChiSquareTable(o["df"], o["alpha"]); }},
        {"f",
         {"df1", "df2", "alpha"},
         3,
         [](Options& o) { return FTable(o["df1"], o["df2"], o["alpha"]); }},
        {"signed-rank",
         {"n", "rank-sum"},
         2,
         [](Options& o) { return SignedRankTable(o["n"], o["rank-sum"]); }},
    };
}

std::vector<Calculator> IntervalCalculators() {
    return {
        {"normal",
         {"mean", "sd", "level"},
         3,
         [](Options& o) { return NormalConfidence(o["mean"], o["sd"], o["level"]); }},
        {"t",
         {"mean", "sd", "n", "level"},
         4,
         [](Options& o) { return TConfidence(o["mean"], o["sd"], o["n"], o["level"]); }},
    };
}

}  // namespace

void AddDistributionCommands(std::vector<CliCommand>& table) {
    for (auto& [name, calculators] : std::vector<std::pair<std::string, std::vector<Calculator>>>{
             {"probability", ProbabilityCalculators()},
             {"table", TableCalculators()},
             {"interval", IntervalCalculators()}}) {
        table.push_back(
            {name, Usage(calculators), [name, calculators](const std::vector<std::string>& args) {
                 return RunCalculator(name, calculators, args);
             }});
    }
}

}  // namespace tabulon::cli
