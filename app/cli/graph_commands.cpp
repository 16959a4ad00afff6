// `tabulon-cli bars` (the bar chart of 1-Dim > Grafik), `tabulon-cli xyz` (the
// three-dimensional plot), `tabulon-cli overlay` and `tabulon-cli correlations` (2-Dim's
// overlay and all-against-all windows): the numbers as text and the graph as a file.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "base/language.h"
#include "cli_commands.h"
#include "graphs/bar_chart.h"
#include "graphs/three_dim_plot.h"
#include "numeric/number_text.h"
#include "json.h"
#include "procedure_args.h"
#include "regression/all_against_all.h"
#include "regression/overlay_plot.h"

namespace tabulon::cli {
namespace {

constexpr const char* kBarsUsage =
    "FILE --columns A,B,... [--titles] [--type 1..4] [--graph OUT] [--size WxH]";

int RunBars(const std::vector<std::string>& args_in) {
    std::string error;
    const auto args = ParseProcedureArgs(args_in, {"type"}, error);
    if (!args) return ProcedureUsage("bars", kBarsUsage, error);
    if (args->columns.empty()) return ProcedureUsage("bars", kBarsUsage, "name the columns");
    if (static_cast<int>(args->columns.size()) > kMaxChartColumns) {
        std::cerr << ChooseText("A maximum of 100 kolumnes can be chosen",
                                "Max 100 kolumner kan väljas")
                  << '\n';
        return kExitRefused;
    }
    std::optional<BarChartType> type;
    if (const auto it = args->options.find("type"); it != args->options.end()) {
        const auto n = ParseInteger(it->second);
        if (!n || *n < 1 || *n > 4) return ProcedureUsage("bars", kBarsUsage, "--type is 1 to 4");
        type = static_cast<BarChartType>(*n);
    }
    const auto sheet = LoadProcedureSheet(*args, error);
    if (!sheet) {
        std::cerr << error << '\n';
        return kExitRefused;
    }
    const auto columns = ResolveColumns(*sheet, *args);
    if (!columns) return kExitRefused;
    const BarChartData data = BarChartFromSheet(*sheet, *columns, DecimalSeparator());
    if (data.RowsUsed == 0) {
        std::cerr << ChooseText("The columns are empty", "Kolumnerna är tomma") << '\n';
        return kExitRefused;
    }
    BarChartOptions options = OpeningOptions(data);
    if (type) {
        options.type = *type;
        if (*type == BarChartType::ByRows || *type == BarChartType::Points) options.legend = true;
        if (*type == BarChartType::ByColumns) options.legend = false;
    }
    if (args->graph) {
        const auto render = [&](Canvas& canvas, int width, int height) {
            RenderBarChart(canvas, width, height, data, options,
                           TextMeasurer(canvas, width, height));
        };
        if (!WriteGraphFile(render, *args->graph, args->graph_width, args->graph_height, error)) {
            std::cerr << error << '\n';
            return kExitRefused;
        }
    }
    for (const std::string& line : BarChartLines(data, "")) std::cout << line << '\n';
    return kExitOk;
}

constexpr const char* kXyzUsage =
    "FILE --columns A,B,C [--titles] [--rotate DEG] [--tilt DEG] [--graph OUT] [--size WxH]";

// A turn in degrees, as the spin controls take it.
std::optional<int> Degrees(const ProcedureArgs& args, const std::string& key, bool& bad) {
    const auto it = args.options.find(key);
    if (it == args.options.end()) return std::nullopt;
    const auto n = ParseInteger(it->second);
    if (!n || *n < kSpinMin || *n > kSpinMax) bad = true;
    return n;
}

int RunXyz(const std::vector<std::string>& args_in) {
    std::string error;
    const auto args = ParseProcedureArgs(args_in, {"rotate", "tilt"}, error);
    if (!args) return ProcedureUsage("xyz", kXyzUsage, error);
    if (args->columns.size() != 3) return ProcedureUsage("xyz", kXyzUsage, "name three columns");
    bool bad = false;
    ThreeDimView view;
    if (const auto d = Degrees(*args, "rotate", bad)) view.spin1 = *d;
    if (const auto d = Degrees(*args, "tilt", bad)) view.spin2 = *d;
    if (bad) return ProcedureUsage("xyz", kXyzUsage, "--rotate and --tilt are -360 to 360");
    const auto sheet = LoadProcedureSheet(*args, error);
    if (!sheet) {
        std::cerr << error << '\n';
        return kExitRefused;
    }
    const auto columns = ResolveColumns(*sheet, *args);
    if (!columns) return kExitRefused;
    const ThreeDimData data =
        ThreeDimFromSheet(*sheet, {(*columns)[0], (*columns)[1], (*columns)[2]}, DecimalSeparator());
    const ThreeDimScaled scaled = Rescale(data, false);
    if (!scaled.valid) {
        std::cerr << ChooseText("Each variable needs at least one number",
                                "Varje variabel behöver minst ett tal")
                  << '\n';
        return kExitRefused;
    }
    if (args->graph) {
        const std::string caption = ThreeDimCaption(data);
        const auto render = [&](Canvas& canvas, int width, int height) {
            RenderThreeDimPlot(canvas, width, height, data, scaled, view, caption,
                               TextMeasurer(canvas, width, height));
        };
        if (!WriteGraphFile(render, *args->graph, args->graph_width, args->graph_height, error)) {
            std::cerr << error << '\n';
            return kExitRefused;
        }
    }
    for (const std::string& line : ThreeDimLines(data, scaled)) std::cout << line << '\n';
    return kExitOk;
}

constexpr const char* kOverlayUsage =
    "FILE --x A --y B,C,... [--titles] [--graph OUT] [--size WxH]";

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == ',') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

int Refused(const std::string& message) {
    std::cerr << message << '\n';
    return kExitRefused;
}

int RunOverlay(const std::vector<std::string>& args_in) {
    std::string error;
    auto args = ParseProcedureArgs(args_in, {"x", "y"}, error);
    if (!args) return ProcedureUsage("overlay", kOverlayUsage, error);
    if (!args->options.count("x") || !args->options.count("y")) {
        return ProcedureUsage("overlay", kOverlayUsage, "--x and --y are needed");
    }
    args->columns = {args->options.at("x")};
    for (const std::string& y : SplitList(args->options.at("y"))) args->columns.push_back(y);
    if (static_cast<int>(args->columns.size()) > kMaxOverlayLists) {
        return Refused(ChooseText("At most 99 y columns", "Högst 99 y-kolumner"));
    }
    const auto sheet = LoadProcedureSheet(*args, error);
    if (!sheet) return Refused(error);
    const auto columns = ResolveColumns(*sheet, *args);
    if (!columns) return kExitRefused;
    const OverlayData data = OverlayFromSheet(
        *sheet, columns->front(), std::vector<int>(columns->begin() + 1, columns->end()));
    OverlayView view;
    view.axes = OverlayDefaultAxes(data);
    if (args->graph) {
        const auto render = [&](Canvas& canvas, int width, int height) {
            RenderOverlayPlot(canvas, width, height, data, view);
        };
        if (!WriteGraphFile(render, *args->graph, args->graph_width, args->graph_height, error)) {
            return Refused(error);
        }
    }
    for (const std::string& line : OverlayLines(data, {})) std::cout << line << '\n';
    return kExitOk;
}

constexpr const char* kCorrelationsUsage =
    "FILE --columns A,B,... [--titles] [--json] [--graph OUT] [--size WxH]";

int RunCorrelations(const std::vector<std::string>& args_in) {
    std::string error;
    const auto args = ParseProcedureArgs(args_in, {}, error);
    if (!args) return ProcedureUsage("correlations", kCorrelationsUsage, error);
    if (args->columns.size() < 2) {
        return ProcedureUsage("correlations", kCorrelationsUsage, "name two or more columns");
    }
    const auto sheet = LoadProcedureSheet(*args, error);
    if (!sheet) return Refused(error);
    const auto columns = ResolveColumns(*sheet, *args);
    if (!columns) return kExitRefused;
    AllAgainstAllData data;
    try {
        data = AllAgainstAllFromSheet(*sheet, *columns, DecimalSeparator());
    } catch (const ConversionError& e) {
        return Refused(e.what());
    }
    if (args->graph) {
        AllAgainstAllView view;
        view.correlations = true;
        const auto render = [&](Canvas& canvas, int width, int height) {
            RenderAllAgainstAll(canvas, width, height, data, view,
                                TextMeasurer(canvas, width, height));
        };
        if (!WriteGraphFile(render, *args->graph, args->graph_width, args->graph_height, error)) {
            return Refused(error);
        }
    }
    if (!args->json) {
        for (const std::string& line : AllAgainstAllLines(data)) std::cout << line << '\n';
        return kExitOk;
    }
    const int m = static_cast<int>(columns->size());
    std::string captions = "[", r_rows = "[", n_rows = "[";
    for (int i = 0; i < m; ++i) {
        captions += (i ? "," : "") + JsonString(data.captions[static_cast<std::size_t>(i)]);
        std::string r_row = "[", n_row = "[";
        for (int j = 0; j < m; ++j) {
            const auto r = PairCorrelation(data, i, j);
            r_row += (j ? "," : "") + (r ? JsonNumber(*r) : std::string("null"));
            n_row += (j ? "," : "") + std::to_string(PairCount(data, i, j));
        }
        r_rows += (i ? "," : "") + r_row + "]";
        n_rows += (i ? "," : "") + n_row + "]";
    }
    JsonObject json;
    json.Raw("columns", captions + "]").Raw("r", r_rows + "]").Raw("n", n_rows + "]");
    std::cout << json.Text() << '\n';
    return kExitOk;
}

}  // namespace

void AddGraphCommands(std::vector<CliCommand>& table) {
    table.push_back({"bars", kBarsUsage, RunBars});
    table.push_back({"xyz", kXyzUsage, RunXyz});
    table.push_back({"overlay", kOverlayUsage, RunOverlay});
    table.push_back({"correlations", kCorrelationsUsage, RunCorrelations});
}

}  // namespace tabulon::cli
