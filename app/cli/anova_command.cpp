// `tabulon-cli anova`: the one-way analysis of variance over two to a hundred columns, with
// the Bonferroni comparisons on request, every computed value as JSON and the graph.
#include <iostream>
#include <string>
#include <vector>

#include "base/language.h"
#include "cli_commands.h"
#include "json.h"
#include "numeric/number_text.h"
#include "procedure_args.h"
#include "univariate/anova.h"

namespace tabulon::cli {
namespace {

constexpr const char* kUsage =
    "FILE [--titles] --columns A,B,C,... [--level L] [--bonferroni] [--json] [--graph OUT] "
    "[--size WxH]";

int Refuse(const std::string& message) {
    std::cerr << message << '\n';
    return kExitRefused;
}

std::string JsonArray(const std::vector<JsonObject>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i].Text();
    return out + "]";
}

JsonObject GroupJson(const AnovaGroup& g) {
    JsonObject o;
    o.String("name", g.name)
        .Integer("n", g.statistics.Count)
        .Number("mean", g.statistics.Mean)
        .Number("variance", g.statistics.Variance)
        .Number("s", g.statistics.StdDev);
    return o;
}

int Run(const std::vector<std::string>& raw) {
    // --bonferroni is a switch; the shared parser takes options with values only.
    std::vector<std::string> args;
    bool bonferroni = false;
    for (const std::string& a : raw) {
        if (a == "--bonferroni") {
            bonferroni = true;
        } else {
            args.push_back(a);
        }
    }
    std::string error;
    const auto parsed = ParseProcedureArgs(args, {}, error);
    if (!parsed) return ProcedureUsage("anova", kUsage, error);
    if (parsed->columns.size() < 2) {
        return ProcedureUsage("anova", kUsage, "at least two columns are needed");
    }
    if (parsed->columns.size() > static_cast<std::size_t>(kMaxAnovaGroups)) {
        return ProcedureUsage("anova", kUsage, "at most 100 columns can be compared");
    }
    Extended level = 5;
    if (parsed->level) {
        const auto l = ParseLevel(*parsed->level);
        if (!l || !(*l > 0) || !(*l <= 50)) {
            return ProcedureUsage("anova", kUsage, "--level takes a percentage above 0 and up to 50");
        }
        level = *l;
    }
    const auto sheet = LoadProcedureSheet(*parsed, error);
    if (!sheet) return Refuse(error);
    const auto columns = ResolveColumns(*sheet, *parsed);
    if (!columns) return kExitRefused;

    try {
        const AnovaGroupsRead read = ReadAnovaGroups(*sheet, *columns, DecimalSeparator());
        if (!read.groups) return Refuse(read.refusal);
        const std::vector<AnovaGroup>& groups = *read.groups;
        const AnovaResult r = ComputeAnova(groups, level);
        const BonferroniResult b = bonferroni ? CompareBonferroni(groups, r) : BonferroniResult{};
        if (parsed->json) {
            std::vector<JsonObject> group_items;
            for (const AnovaGroup& g : groups) group_items.push_back(GroupJson(g));
            JsonObject o;
            o.Raw("groups", JsonArray(group_items))
                .Number("level", r.level)
                .Number("grand_mean", r.grand_mean)
                .Number("ss_between", r.ss_between)
                .Number("ss_within", r.ss_within)
                .Integer("df_between", r.df_between)
                .Integer("df_within", r.df_within)
                .Number("ms_between", r.ms_between)
                .Number("ms_within", r.ms_within)
                .Number("F", r.F)
                .Number("F_critical", r.Fc)
                .Bool("significant", r.significant);
            if (bonferroni) {
                std::vector<JsonObject> pairs;
                for (const BonferroniPair& p : b.pairs) {
                    JsonObject pair;
                    pair.String("first", groups[static_cast<std::size_t>(p.first)].name)
                        .String("second", groups[static_cast<std::size_t>(p.second)].name)
                        .Number("difference", p.difference)
                        .Number("limit", p.limit)
                        .Number("u", p.u)
                        .Bool("significant", p.significant);
                    pairs.push_back(pair);
                }
                o.Number("pair_level", b.pair_level).Number("t_critical", b.tc).Raw("pairs",
                                                                                   JsonArray(pairs));
            }
            std::cout << o.Text() << '\n';
        } else {
            for (const std::string& line : AnovaResultLines(groups, r)) std::cout << line << '\n';
            if (bonferroni) {
                std::cout << '\n';
                for (const std::string& line : BonferroniCopyLines(groups, r, b)) {
                    std::cout << line << '\n';
                }
            }
        }
        if (!parsed->graph) return kExitOk;
        if (!WriteGraphFile([&](Canvas& c, int w, int h) { RenderAnovaGraph(c, w, h, groups); },
                            *parsed->graph, parsed->graph_width, parsed->graph_height, error)) {
            return Refuse(error);
        }
        return kExitOk;
    } catch (const ConversionError& e) {
        return Refuse(e.what());
    }
}

}  // namespace

void AddAnovaCommands(std::vector<CliCommand>& table) {
    table.push_back({"anova", kUsage, Run});
}

}  // namespace tabulon::cli
