// `tabulon-cli ttest`, `ftest`, `ktest`, `paired-t`, `signrank` and `ranksum`: the two-sample
// and paired tests on worksheet columns, with their texts, every computed value as JSON and
// their graphs.
#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/language.h"
#include "cli_commands.h"
#include "json.h"
#include "numeric/number_text.h"
#include "procedure_args.h"
#include "univariate/ftest.h"
#include "univariate/ktest.h"
#include "univariate/paired.h"
#include "univariate/rank_sum.h"
#include "univariate/signed_rank_test.h"
#include "univariate/ttest.h"
#include "worksheet/text_helpers.h"

namespace tabulon::cli {
namespace {

constexpr const char* kTwoColumnUsage =
    "FILE [--titles] --columns A,B [--level L] [--json] [--graph OUT] [--size WxH]";

void PrintLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) std::cout << line << '\n';
}

int Refuse(const std::string& message) {
    std::cerr << message << '\n';
    return kExitRefused;
}

// What every command does first: its arguments, the sheet, the columns and the level.
struct Prepared {
    ProcedureArgs args;
    Worksheet sheet;
    std::vector<int> columns;
    Extended level = 5;
};

std::optional<Prepared> Prepare(const std::string& name, const std::string& usage,
                                const std::vector<std::string>& raw,
                                const std::set<std::string>& options, std::size_t column_count,
                                int& status) {
    std::string error;
    auto args = ParseProcedureArgs(raw, options, error);
    if (!args) {
        status = ProcedureUsage(name, usage, error);
        return std::nullopt;
    }
    if (args->columns.size() != column_count) {
        status = ProcedureUsage(
            name, usage, column_count == 1 ? "one column is needed" : "two columns are needed");
        return std::nullopt;
    }
    Prepared p;
    p.args = std::move(*args);
    if (p.args.level) {
        const auto level = ParseLevel(*p.args.level);
        if (!level || !(*level > 0) || !(*level <= 50)) {
            status = ProcedureUsage(name, usage, "--level takes a percentage above 0 and up to 50");
            return std::nullopt;
        }
        p.level = *level;
    }
    auto sheet = LoadProcedureSheet(p.args, error);
    if (!sheet) {
        status = Refuse(error);
        return std::nullopt;
    }
    p.sheet = std::move(*sheet);
    auto columns = ResolveColumns(p.sheet, p.args);
    if (!columns) {
        status = kExitRefused;
        return std::nullopt;
    }
    p.columns = std::move(*columns);
    return p;
}

int WriteGraph(const Prepared& p, const std::function<void(Canvas&, int, int)>& render) {
    if (!p.args.graph) return kExitOk;
    std::string error;
    if (!WriteGraphFile(render, *p.args.graph, p.args.graph_width, p.args.graph_height, error)) {
        return Refuse(error);
    }
    return kExitOk;
}

JsonObject SampleJson(const TTestSample& s) {
    JsonObject o;
    o.String("name", s.name)
        .Integer("n", s.statistics.Count)
        .Number("mean", s.statistics.Mean)
        .Number("variance", s.statistics.Variance)
        .Number("s", s.statistics.StdDev);
    return o;
}

// Runs a command body, turning a cell that is not a number into a refusal.
template <typename Body>
int Guarded(Body body) {
    try {
        return body();
    } catch (const ConversionError& e) {
        return Refuse(e.what());
    }
}

int RunTTest(const std::vector<std::string>& raw) {
    int status = kExitOk;
    auto p = Prepare("ttest", kTwoColumnUsage + std::string(" [--mode mean|variable]"), raw,
                     {"mode"}, 2, status);
    if (!p) return status;
    TTestGraphMode mode = TTestGraphMode::TrueMean;
    if (auto it = p->args.options.find("mode"); it != p->args.options.end()) {
        if (it->second == "variable")
            mode = TTestGraphMode::Variable;
        else if (it->second != "mean")
            return ProcedureUsage("ttest", kTwoColumnUsage, "--mode mean|variable");
    }
    return Guarded([&] {
        const TTestSamplesRead read =
            ReadTTestSamples(p->sheet, p->columns[0], p->columns[1], DecimalSeparator());
        if (!read.samples) return Refuse(read.refusal);
        const TTestSamples& s = *read.samples;
        const TTestResult r = ComputeTTest(s, p->level);
        if (p->args.json) {
            JsonObject o;
            o.Object("first", SampleJson(s.first))
                .Object("second", SampleJson(s.second))
                .Number("level", r.level)
                .Number("F", r.F)
                .Integer("F_df_num", r.df_num)
                .Integer("F_df_den", r.df_den)
                .Number("F_critical", r.Fc)
                .Bool("variances_differ", r.variances_differ)
                .String("test", r.equal_variances ? "pooled" : "welch")
                .Number("pooled_s", r.equal_variances ? r.pooled_sd : Extended(NAN))
                .Number("u", r.u)
                .Integer("df", r.df)
                .Number("t_critical", r.tc)
                .Bool("significant", r.significant)
                .Number("lowest_significant_level", LowestSignificantLevel(r.u, r.df));
            std::cout << o.Text() << '\n';
        } else {
            PrintLines(TTestResultLines(TTestCaption(), s, r));
        }
        return WriteGraph(
            *p, [&](Canvas& c, int w, int h) { RenderTTestGraph(c, w, h, s, p->level, mode); });
    });
}

JsonObject SideJson(const SideResult& side) {
    JsonObject o;
    o.Number("level", side.level)
        .Number("critical", side.critical)
        .Bool("significant", side.significant);
    return o;
}

int RunFTest(const std::vector<std::string>& raw) {
    int status = kExitOk;
    auto p = Prepare("ftest", kTwoColumnUsage, raw, {}, 2, status);
    if (!p) return status;
    if (p->args.graph) return ProcedureUsage("ftest", kTwoColumnUsage, "the F-test draws no graph");
    return Guarded([&] {
        const TTestSamplesRead read =
            ReadTTestSamples(p->sheet, p->columns[0], p->columns[1], DecimalSeparator());
        if (!read.samples) return Refuse(read.refusal);
        const ManualFInputs in = FTestInputsFromSamples(*read.samples);
        const auto r = ComputeFTest(in, p->level);
        if (!r) return Refuse(ChooseText("Error in data", "Fel i indata"));
        if (p->args.json) {
            JsonObject o;
            o.Object("first", SampleJson(read.samples->first))
                .Object("second", SampleJson(read.samples->second))
                .Number("level", p->level)
                .Number("F", r->F)
                .Integer("df_num", r->df_num)
                .Integer("df_den", r->df_den)
                .Object("two_sided", SideJson(r->two))
                .Object("one_sided", SideJson(r->one))
                .Number("lowest_level_two_sided",
                        FindLowestFLevel(r->F, r->df_num, r->df_den, TestSides::Two))
                .Number("lowest_level_one_sided",
                        FindLowestFLevel(r->F, r->df_num, r->df_den, TestSides::One));
            std::cout << o.Text() << '\n';
        } else {
            PrintLines(FTestResultLines(*read.samples, *r));
        }
        return kExitOk;
    });
}

int RunKTest(const std::vector<std::string>& raw) {
    const std::string usage =
        "FILE [--titles] --column C --constant K [--level L] [--json] [--graph OUT] [--size WxH]";
    int status = kExitOk;
    auto p = Prepare("ktest", usage, raw, {"constant"}, 1, status);
    if (!p) return status;
    const auto it = p->args.options.find("constant");
    if (it == p->args.options.end()) return ProcedureUsage("ktest", usage, "--constant is needed");
    const auto constant = ParseLevel(it->second);
    if (!constant) return ProcedureUsage("ktest", usage, "--constant takes a number");
    return Guarded([&] {
        std::string refusal;
        const auto sample = ReadKTestSample(p->sheet, p->columns[0], DecimalSeparator(), refusal);
        if (!sample) return Refuse(refusal);
        const KTestResult r = ComputeKTest(*sample, *constant, p->level);
        if (p->args.json) {
            JsonObject o;
            o.String("name", sample->name)
                .Integer("n", sample->statistics.Count)
                .Number("mean", sample->statistics.Mean)
                .Number("s", sample->statistics.StdDev)
                .Number("constant", r.constant)
                .Number("level", r.level)
                .Number("u", r.u)
                .Integer("df", r.df)
                .Number("t_critical", r.tc)
                .Bool("significant", r.significant);
            std::cout << o.Text() << '\n';
        } else {
            PrintLines(KTestResultLines(*sample, r));
        }
        return WriteGraph(*p,
                          [&](Canvas& c, int w, int h) { RenderKTestGraph(c, w, h, *sample, r); });
    });
}

int RunPairedT(const std::vector<std::string>& raw) {
    int status = kExitOk;
    auto p = Prepare("paired-t", kTwoColumnUsage, raw, {}, 2, status);
    if (!p) return status;
    if (p->args.graph)
        return ProcedureUsage("paired-t", kTwoColumnUsage, "the paired t-test draws no graph");
    return Guarded([&] {
        const PairedData pairs =
            ReadPairs(p->sheet, p->columns[0], p->columns[1], DecimalSeparator());
        const PairedTTestOutcome out = ComputePairedTTest(pairs, p->level);
        if (!out.result) return Refuse(out.refusal);
        const PairedTTestResult& r = *out.result;
        if (p->args.json) {
            JsonObject o;
            o.String("first", pairs.first_name)
                .String("second", pairs.second_name)
                .Integer("n", r.m)
                .Number("mean_difference", r.mean_diff)
                .Number("s_difference", r.sd)
                .Number("level", r.level)
                .Number("u", r.u)
                .Integer("df", r.df)
                .Number("t_critical", r.tc)
                .Bool("significant", r.significant);
            std::cout << o.Text() << '\n';
        } else {
            PrintLines(PairedResultLines(pairs, r));
        }
        return kExitOk;
    });
}

int RunSignRank(const std::vector<std::string>& raw) {
    const std::string usage = "FILE [--titles] --columns A,B [--json] [--graph OUT] [--size WxH]";
    int status = kExitOk;
    auto p = Prepare("signrank", usage, raw, {}, 2, status);
    if (!p) return status;
    return Guarded([&] {
        const PairedData pairs =
            ReadPairs(p->sheet, p->columns[0], p->columns[1], DecimalSeparator());
        const SignedRankOutcome out = ComputeSignedRankTest(pairs);
        if (!out.result) return Refuse(out.refusal);
        const SignedRankResult& r = *out.result;
        const std::string base = FileBaseName(p->args.file);
        if (p->args.json) {
            JsonObject o;
            o.String("first", pairs.first_name)
                .String("second", pairs.second_name)
                .Integer("n", r.changed)
                .Integer("unchanged", r.unchanged)
                .Number("rank_sum_plus", r.r_plus)
                .Number("rank_sum_minus", r.r_minus)
                .Number("T", r.T)
                .Number("p_percent", r.p)
                .Bool("significant", r.significant);
            std::cout << o.Text() << '\n';
        } else {
            PrintLines(SignedRankLines(pairs, r, base));
        }
        return WriteGraph(*p,
                          [&](Canvas& c, int w, int h) { RenderSignedRankGraph(c, w, h, pairs); });
    });
}

int RunRankSum(const std::vector<std::string>& raw) {
    const std::string usage =
        "FILE [--titles] --columns A,B [--seed S] [--draws N] [--threads T] [--json] [--graph OUT] "
        "[--size WxH]";
    int status = kExitOk;
    auto p = Prepare("ranksum", usage, raw, {"seed", "draws", "threads"}, 2, status);
    if (!p) return status;
    RankSumSimulationOptions options;
    auto integer_option = [&](const char* key, long long low, long long high,
                              long long& value) -> bool {
        const auto it = p->args.options.find(key);
        if (it == p->args.options.end()) return true;
        std::istringstream in(it->second);
        long long v = 0;
        if (!(in >> v) || !in.eof() || v < low || v > high) return false;
        value = v;
        return true;
    };
    long long seed = -1;
    long long threads = 0;
    if (!integer_option("seed", 0, (1LL << 62), seed) ||
        !integer_option("draws", 1, 2'000'000'000LL, options.draws) ||
        !integer_option("threads", 1, 64, threads)) {
        return ProcedureUsage("ranksum", usage, "--seed, --draws and --threads take whole numbers");
    }
    if (seed >= 0) options.seed = static_cast<std::uint64_t>(seed);
    options.threads = static_cast<int>(threads);
    return Guarded([&] {
        RankSumData data =
            ReadRankSumData(p->sheet, p->columns[0], p->columns[1], DecimalSeparator());
        RankRecords(data.records);
        const RankSumStatistics s = ComputeRankSumStatistics(data);
        if (const std::string refusal = RankSumRefusal(s); !refusal.empty()) return Refuse(refusal);
        const auto distribution = SimulateRankSumDistribution(s.n1, s.n2, options);
        if (!distribution) return Refuse(RankSumRefusal(s));
        const Extended probability = RankSumProbability(s, *distribution);
        if (p->args.json) {
            JsonObject o;
            o.String("group1", s.name1)
                .String("group2", s.name2)
                .Bool("exchanged", s.exchanged)
                .Integer("n1", s.n1)
                .Integer("n2", s.n2)
                .Number("R1", s.R1)
                .Number("R2", s.R2)
                .Number("U1", s.U1)
                .Number("U2", s.U2)
                .Integer("draws", distribution->draws)
                .Number("p_one_sided", probability)
                .Number("p_two_sided", 2 * probability);
            std::cout << o.Text() << '\n';
        } else {
            PrintLines(RankSumLines(s, probability));
        }
        return WriteGraph(*p,
                          [&](Canvas& c, int w, int h) { RenderRankSumGraph(c, w, h, data, s); });
    });
}

}  // namespace

void AddTwoSampleCommands(std::vector<CliCommand>& table) {
    table.push_back({"ttest", kTwoColumnUsage + std::string(" [--mode mean|variable]"), RunTTest});
    table.push_back({"ftest", "FILE [--titles] --columns A,B [--level L] [--json]", RunFTest});
    table.push_back({"ktest",
                     "FILE [--titles] --column C --constant K [--level L] [--json] [--graph OUT]",
                     RunKTest});
    table.push_back({"paired-t", "FILE [--titles] --columns A,B [--level L] [--json]", RunPairedT});
    table.push_back(
        {"signrank", "FILE [--titles] --columns A,B [--json] [--graph OUT]", RunSignRank});
    table.push_back({"ranksum",
                     "FILE [--titles] --columns A,B [--seed S] [--draws N] [--threads T] [--json] "
                     "[--graph OUT]",
                     RunRankSum});
}

}  // namespace tabulon::cli
