// `tabulon-cli stats` (the x-Data window's text, values and graph) and `tabulon-cli normplot`
// (the normal probability plot).
#include <cmath>
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
#include "univariate/descriptive.h"
#include "univariate/descriptive_graph.h"
#include "univariate/descriptive_sample.h"
#include "univariate/normal_plot.h"
#include "univariate/outlier_tests.h"
#include "worksheet/column_queries.h"
#include "worksheet/column_reading.h"

namespace tabulon::cli {
namespace {

constexpr const char* kStatsUsage =
    "FILE [--titles] [--column C] [--level L] [--test grubbs|gauss|dixon] [--json] [--graph OUT] "
    "[--size WxH]";
constexpr const char* kNormplotUsage =
    "FILE [--titles] [--column C] [--json] [--graph OUT] [--size WxH]";

// The one column the command works on: the one named, or the only data column.
std::optional<int> TheColumn(const Worksheet& sheet, const ProcedureArgs& args,
                             const std::string& name, const std::string& usage, int& status) {
    if (args.columns.size() > 1) {
        status = ProcedureUsage(name, usage, "one column only");
        return std::nullopt;
    }
    if (args.columns.empty()) {
        int only = 0;
        if (SingleDataColumn(sheet, only)) return only;
        status = ProcedureUsage(name, usage, "name the column with --column");
        return std::nullopt;
    }
    const auto columns = ResolveColumns(sheet, args);
    if (!columns) {
        status = kExitRefused;
        return std::nullopt;
    }
    return columns->front();
}

std::string OutlierJson(const OutlierOutcome& o, const DescriptiveSample& sample) {
    std::ostringstream j;
    j << "{\"test\":" << JsonString(std::string(OutlierTestName(o.test)))
      << ",\"ran\":" << JsonBool(o.ran) << ",\"all_equal\":" << JsonBool(o.all_equal)
      << ",\"upper\":" << JsonString(o.upper) << ",\"lower\":" << JsonString(o.lower);
    auto suspect = [&](std::size_t i) {
        return ",\"suspect\":" + JsonNumber(sample.values[i]) +
               ",\"row\":" + JsonString(sample.RowText(i));
    };
    if (o.grubbs) {
        const GrubbsResult& g = *o.grubbs;
        j << ",\"grubbs\":{\"G\":" << JsonNumber(g.G) << suspect(g.suspect)
          << ",\"two_sided_level\":" << JsonNumber(Extended(g.two_sided_permille) / 1000)
          << ",\"significant\":" << JsonBool(g.significant) << ",\"continued_level\":"
          << (g.b_searched ? JsonNumber(Extended(g.b_permille) / 1000) : "null")
          << ",\"one_sided_significant\":" << JsonBool(g.one_sided_significant)
          << ",\"one_sided_level\":" << JsonNumber(Extended(g.one_sided_permille) / 1000) << "}";
    }
    if (o.gauss) {
        const GaussResult& g = *o.gauss;
        j << ",\"gauss\":{\"has_result\":" << JsonBool(g.has_result);
        if (g.has_result) {
            j << suspect(g.suspect) << ",\"u\":" << JsonNumber(g.u)
              << ",\"level_percent\":" << JsonNumber(g.level_percent)
              << ",\"limit_percent\":" << JsonNumber(g.limit_percent);
        }
        j << "}";
    }
    if (o.dixon && o.dixon->status == DixonResult::Status::Done) {
        const DixonResult& d = *o.dixon;
        j << ",\"dixon\":{\"Q\":" << JsonNumber(d.Q) << suspect(d.suspect)
          << ",\"confidence\":" << JsonNumber(d.confidence)
          << ",\"level_percent\":" << JsonNumber(d.level) << "}";
    }
    j << "}";
    return j.str();
}

std::string StatsJson(const std::string& caption, const DescriptiveSample& sample,
                      const ConfidenceIntervals& ci, const OutlierOutcome& outliers) {
    const SampleStatistics& s = sample.statistics;
    auto pair = [](Extended a, Extended b) {
        return "[" + JsonNumber(a) + "," + JsonNumber(b) + "]";
    };
    std::ostringstream j;
    j << "{\"caption\":" << JsonString(caption) << ",\"n\":" << s.Count
      << ",\"mean\":" << JsonNumber(s.Mean) << ",\"median\":" << JsonNumber(s.Median)
      << ",\"std_dev\":" << JsonNumber(s.StdDev) << ",\"variance\":" << JsonNumber(s.Variance)
      << ",\"variation_percent\":"
      << (s.Mean != 0 ? JsonNumber(100 * s.StdDev / std::fabs(s.Mean)) : "null")
      << ",\"min\":" << JsonNumber(sample.min) << ",\"max\":" << JsonNumber(sample.max)
      << ",\"level\":" << JsonNumber(ci.level) << ",\"t\":" << JsonNumber(ci.t)
      << ",\"value_interval\":" << pair(s.Mean - ci.value_half, s.Mean + ci.value_half)
      << ",\"mean_interval\":" << pair(s.Mean - ci.mean_half, s.Mean + ci.mean_half)
      << ",\"sigma_interval\":"
      << (ci.sigma_computed ? pair(ci.sigma_low, ci.sigma_high) : std::string("null"))
      << ",\"outliers\":" << OutlierJson(outliers, sample) << "}";
    return j.str();
}

int RunStats(const std::vector<std::string>& raw) {
    std::string error;
    const auto args = ParseProcedureArgs(raw, {"test"}, error);
    if (!args) return ProcedureUsage("stats", kStatsUsage, error);

    OutlierTest test = OutlierTest::Grubb;
    if (auto it = args->options.find("test"); it != args->options.end()) {
        if (it->second == "grubbs")
            test = OutlierTest::Grubb;
        else if (it->second == "gauss")
            test = OutlierTest::Gauss;
        else if (it->second == "dixon")
            test = OutlierTest::Dixon;
        else
            return ProcedureUsage("stats", kStatsUsage, "--test takes grubbs, gauss or dixon");
    }
    Extended level = kInitialConfidenceLevel;
    if (args->level) {
        const auto parsed = ParseLevel(*args->level);
        // The window's arrows keep the level within these limits.
        if (!parsed || !(*parsed >= 80 && *parsed <= 99.99)) {
            return ProcedureUsage("stats", kStatsUsage, "--level takes a level from 80 to 99.99");
        }
        level = *parsed;
    }

    const auto sheet = LoadProcedureSheet(*args, error);
    if (!sheet) {
        std::cerr << error << '\n';
        return kExitRefused;
    }
    int status = kExitOk;
    const auto column = TheColumn(*sheet, *args, "stats", kStatsUsage, status);
    if (!column) return status;

    std::optional<DescriptiveSample> sample;
    try {
        sample = MakeDescriptiveSample(*sheet, *column, DecimalSeparator());
    } catch (const ConversionError& e) {
        std::cerr << e.what() << '\n';
        return kExitRefused;
    }
    if (!sample) {
        std::cerr << ChooseText("At least two values are needed", "Minst två värden behövs")
                  << '\n';
        return kExitRefused;
    }
    const std::string caption = ColumnTitle(*sheet, *column);
    const ConfidenceIntervals ci = ComputeConfidenceIntervals(sample->statistics, level);
    const OutlierOutcome outliers = RunOutlierTest(test, *sample);

    if (args->graph) {
        const auto render = [&](Canvas& canvas, int width, int height) {
            RenderXDataGraph(canvas, width, height, *sample, ci,
                             TextMeasurer(canvas, width, height));
        };
        if (!WriteGraphFile(render, *args->graph, args->graph_width, args->graph_height, error)) {
            std::cerr << error << '\n';
            return kExitRefused;
        }
    }
    if (args->json) {
        std::cout << StatsJson(caption, *sample, ci, outliers) << '\n';
    } else {
        std::cout << ClipboardTextAsLines(
            XDataClipboardText(MakeXDataReport(caption, sample->statistics, ci, outliers)));
    }
    return kExitOk;
}

int RunNormplot(const std::vector<std::string>& raw) {
    std::string error;
    const auto args = ParseProcedureArgs(raw, {}, error);
    if (!args) return ProcedureUsage("normplot", kNormplotUsage, error);
    const auto sheet = LoadProcedureSheet(*args, error);
    if (!sheet) {
        std::cerr << error << '\n';
        return kExitRefused;
    }
    int status = kExitOk;
    const auto column = TheColumn(*sheet, *args, "normplot", kNormplotUsage, status);
    if (!column) return status;

    std::optional<NormalPlotData> plot;
    try {
        plot = MakeNormalPlot(ReadColumn(*sheet, *column).values, DecimalSeparator());
    } catch (const ConversionError& e) {
        std::cerr << e.what() << '\n';
        return kExitRefused;
    }
    if (!plot) {
        std::cerr << ChooseText("At least two values are needed", "Minst två värden behövs")
                  << '\n';
        return kExitRefused;
    }
    if (args->graph) {
        const auto render = [&](Canvas& canvas, int width, int height) {
            RenderNormalPlot(canvas, width, height, *plot, 4, TextMeasurer(canvas, width, height));
        };
        if (!WriteGraphFile(render, *args->graph, args->graph_width, args->graph_height, error)) {
            std::cerr << error << '\n';
            return kExitRefused;
        }
    }
    // The plotted points: value, plotting position and normal score, ascending.
    const std::size_t n = plot->values.size();
    if (args->json) {
        std::cout << "{\"caption\":" << JsonString(ColumnLabel(*sheet, *column)) << ",\"n\":" << n
                  << ",\"z_min\":" << JsonNumber(plot->z_min)
                  << ",\"z_max\":" << JsonNumber(plot->z_max) << ",\"points\":[";
        for (std::size_t i = 0; i < n; ++i) {
            std::cout << (i ? "," : "") << "[" << JsonNumber(plot->values[i]) << ","
                      << JsonNumber(plot->positions[i]) << "," << JsonNumber(plot->scores[i])
                      << "]";
        }
        std::cout << "]}\n";
    } else {
        const char sep = DecimalSeparator();
        for (std::size_t i = 0; i < n; ++i) {
            std::cout << FormatShortest(plot->values[i], sep) << '\t'
                      << FormatGeneral(plot->positions[i], 6, 2, sep) << '\t'
                      << FormatGeneral(plot->scores[i], 6, 2, sep) << '\n';
        }
    }
    return kExitOk;
}

}  // namespace

void AddDescriptiveCommands(std::vector<CliCommand>& table) {
    table.push_back({"stats", kStatsUsage, RunStats});
    table.push_back({"normplot", kNormplotUsage, RunNormplot});
}

}  // namespace tabulon::cli
