// `tabulon-cli regression`: the regression window without a window: the fit, its reports,
// y(x) and x(y), every computed number as JSON, and the graph.
#include <algorithm>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "base/language.h"
#include "cli_commands.h"
#include "json.h"
#include "numeric/number_text.h"
#include "procedure_args.h"
#include "regression/fitted_model.h"
#include "regression/polynomial_fit.h"
#include "regression/regression_graph.h"
#include "regression/regression_texts.h"

namespace tabulon::cli {
namespace {

constexpr const char* kUsage =
    "FILE --x A --y B [--titles] [--level L] "
    "[--fit least-squares|origin|fixed-slope=K|fixed-intercept=L|weighted-multiple-y|"
    "weighted-1/x|point-to-point|control-chart|poly=D|curvature|exp|log|power|powerlaw[=N]|"
    "own=TERM,TERM...|weighted=D,none|1/x|1/x2|1/y|1/y2[,origin]|standard-addition] "
    "[--report significance|lod|loq|kl|parameters|residuals|homoscedasticity|rms|first-kind|"
    "second-kind|outliers|control-chart|standard-addition|xy-values[,...]] "
    "[--y-from-x X] [--x-from-y Y [--replicates M]] [--json] [--graph OUT [--size WxH]]";

int Usage(const std::string& error) {
    return ProcedureUsage("regression", kUsage, error);
}

int Refuse(const std::string& message) {
    std::cerr << message << '\n';
    return kExitRefused;
}

std::vector<std::string> SplitCommas(const std::string& text);

std::optional<Extended> Number(const std::string& text) {
    if (auto v = ParseNumber(text, '.')) return v;
    return ParseNumber(text, ',');
}

// The own function's terms by their names, with plain-text spellings beside the window's.
std::optional<unsigned> ParseTerms(const std::string& text) {
    static const char* const plain[kOwnTermCount] = {
        "1",     "x",      "x^2",    "x^3",    "x^4",  "1/x",     "1/x^2",     "1/x^3",
        "1/x^4", "sin(x)", "cos(x)", "tan(x)", "exp(x)", "ln(x)", "1/(1+x)", "1/(1+x^2)"};
    unsigned terms = 0;
    for (const std::string& name : SplitCommas(text)) {
        int found = -1;
        for (int j = 0; j < kOwnTermCount; ++j) {
            if (name == plain[j] || name == OwnTermNames()[j]) found = j;
        }
        if (found < 0) return std::nullopt;
        terms |= 1u << found;
    }
    return terms;
}

// The curve fits: poly=D, curvature, exp, log, power, powerlaw[=N], own=TERMS, weighted=D,W[,origin].
std::optional<FitSpec> ParseCurveFit(const std::string& name, const std::optional<std::string>& value) {
    FitSpec spec;
    if (name == "poly" && value) {
        const auto d = ParseInteger(*value);
        if (!d || *d < 1 || *d > 10) return std::nullopt;
        spec.type = FitType::Polynomial;
        spec.degree = static_cast<int>(*d);
        return spec;
    }
    if (name == "curvature" && !value) {
        spec.type = FitType::Polynomial;
        spec.curvature = true;
        return spec;
    }
    const struct {
        const char* name;
        FunctionKind kind;
    } functions[] = {{"power", FunctionKind::Power},
                     {"exp", FunctionKind::Exponential},
                     {"log", FunctionKind::Logarithmic},
                     {"powerlaw", FunctionKind::PowerOffset}};
    for (const auto& f : functions) {
        if (name != f.name) continue;
        spec.type = FitType::NamedFunction;
        spec.function = f.kind;
        if (value) {
            const auto n = Number(*value);
            if (f.kind != FunctionKind::PowerOffset || !n || !(*n > 0)) return std::nullopt;
            spec.exponent = *n;
        }
        return spec;
    }
    if (name == "own" && value) {
        const auto terms = ParseTerms(*value);
        if (!terms) return std::nullopt;
        spec.type = FitType::OwnFunction;
        spec.terms = *terms;
        return spec;
    }
    if (name == "weighted" && value) {
        const std::vector<std::string> parts = SplitCommas(*value);
        if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
        const auto d = ParseInteger(parts[0]);
        if (!d || *d < 1 || *d > 10) return std::nullopt;
        const char* const weights[] = {"none", "1/x", "1/x2", "1/y", "1/y2"};
        int weight = -1;
        for (int w = 0; w < 5; ++w) {
            if (parts[1] == weights[w]) weight = w;
        }
        if (weight < 0) return std::nullopt;
        if (parts.size() == 3 && parts[2] != "origin") return std::nullopt;
        spec.type = FitType::WeightedPolynomial;
        spec.degree = static_cast<int>(*d);
        spec.weight = static_cast<PolynomialWeight>(weight);
        spec.through_origin = parts.size() == 3;
        return spec;
    }
    return std::nullopt;
}

std::optional<FitSpec> ParseFit(const std::string& text) {
    const auto eq = text.find('=');
    const std::string name = text.substr(0, eq);
    FitSpec spec;
    if (auto curve = ParseCurveFit(name, eq == std::string::npos
                                             ? std::nullopt
                                             : std::optional<std::string>(text.substr(eq + 1)))) {
        return curve;
    }
    if (name == "fixed-slope" || name == "fixed-intercept") {
        if (eq == std::string::npos) return std::nullopt;
        const auto value = Number(text.substr(eq + 1));
        if (!value) return std::nullopt;
        spec.type = name == "fixed-slope" ? FitType::FixedSlope : FitType::FixedIntercept;
        spec.fixed_value = *value;
        return spec;
    }
    if (eq != std::string::npos) return std::nullopt;
    const struct {
        const char* name;
        FitType type;
    } names[] = {{"least-squares", FitType::LeastSquares},
                 {"origin", FitType::Origin},
                 {"weighted-multiple-y", FitType::WeightedMultipleY},
                 {"weighted-1/x", FitType::WeightedInverseX},
                 {"point-to-point", FitType::PointToPoint},
                 {"control-chart", FitType::ControlChart}};
    for (const auto& n : names) {
        if (name == n.name) {
            spec.type = n.type;
            return spec;
        }
    }
    if (name == "standard-addition") return spec;
    return std::nullopt;
}

// The report names of --report, the items they ask the model for (xy-values is the data's).
struct ReportName {
    const char* name;
    RegressionItem item;
};
constexpr ReportName kReports[] = {
    {"significance", RegressionItem::Significance},
    {"lod", RegressionItem::Lod},
    {"loq", RegressionItem::Loq},
    {"kl", RegressionItem::ConfidenceKL},
    {"parameters", RegressionItem::Parameters},
    {"residuals", RegressionItem::Residuals},
    {"homoscedasticity", RegressionItem::Homoscedasticity},
    {"rms", RegressionItem::Rms},
    {"first-kind", RegressionItem::FirstKindError},
    {"second-kind", RegressionItem::SecondKindError},
    {"outliers", RegressionItem::Outliers},
    {"control-chart", RegressionItem::ControlChartBase},
    {"standard-addition", RegressionItem::StandardAddition},
};

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == ',')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

int RunRegression(const std::vector<std::string>& raw) {
    std::string error;
    auto args = ParseProcedureArgs(
        raw, {"x", "y", "fit", "report", "y-from-x", "x-from-y", "replicates"}, error);
    if (!args) return Usage(error);
    if (!args->columns.empty()) return Usage("name the columns with --x and --y");
    const auto& opt = args->options;
    auto option = [&](const char* key) -> std::optional<std::string> {
        const auto it = opt.find(key);
        if (it == opt.end()) return std::nullopt;
        return it->second;
    };
    const auto x_spec = option("x");
    const auto y_spec = option("y");
    if (!x_spec || !y_spec) return Usage("--x and --y are needed");

    Extended level = 0.95L;
    if (args->level) {
        const auto l = ParseLevel(*args->level);
        if (!l || !(*l > 0) || !(*l < 100)) {
            return Usage("--level takes a confidence level in percent, above 0 and below 100");
        }
        level = *l / 100;
    }
    FitSpec spec;
    if (const auto fit = option("fit")) {
        const auto parsed = ParseFit(*fit);
        if (!parsed) return Usage("unknown --fit " + *fit);
        spec = *parsed;
    }
    std::vector<RegressionItem> items;
    // The standard addition result belongs to the least-squares line: --fit names it too.
    if (option("fit") == "standard-addition") items.push_back(RegressionItem::StandardAddition);
    bool xy_values = false;
    if (const auto report = option("report")) {
        for (const std::string& name : SplitCommas(*report)) {
            if (name == "xy-values") {
                xy_values = true;
                continue;
            }
            bool known = false;
            for (const ReportName& r : kReports) {
                if (name == r.name) {
                    items.push_back(r.item);
                    known = true;
                }
            }
            if (!known) return Usage("unknown --report " + name);
        }
    }
    std::optional<Extended> y_from_x;
    if (const auto t = option("y-from-x")) {
        y_from_x = Number(*t);
        if (!y_from_x) return Usage("--y-from-x takes a number");
    }
    std::optional<Extended> x_from_y;
    if (const auto t = option("x-from-y")) {
        x_from_y = Number(*t);
        if (!x_from_y) return Usage("--x-from-y takes a number");
    }
    int replicates = 1;
    if (const auto t = option("replicates")) {
        const auto m = ParseInteger(*t);
        if (!m || *m < 1 || !x_from_y)
            return Usage("--replicates takes a count from 1, with --x-from-y");
        replicates = *m;
    }

    // The first-line check of text files looks at the columns named, the row numbers aside.
    for (const auto& s : {*x_spec, *y_spec}) {
        if (s != "row") args->columns.push_back(s);
    }
    auto sheet = LoadProcedureSheet(*args, error);
    if (!sheet) return Refuse(error);
    auto column = [&](const std::string& s) {
        return s == "row" ? kRowNumberColumn : ResolveColumn(*sheet, s);
    };
    const int xc = column(*x_spec);
    const int yc = column(*y_spec);
    for (const auto& [c, s] : {std::pair{xc, *x_spec}, std::pair{yc, *y_spec}}) {
        if (c == 0) return Refuse(ChooseText("No column is named ", "Ingen kolumn heter ") + s);
    }

    try {
        const RegressionDataRead read = ReadRegressionData(*sheet, xc, yc, DecimalSeparator());
        if (!read.data) return Refuse(read.refusal);
        const RegressionData& data = *read.data;
        FitOutcome fit = Fit(read.data, spec, level);
        if (!fit.model) return Refuse(fit.refusal);
        const FittedModel& model = *fit.model;

        std::vector<ReportText> reports;
        JsonObject report_json;
        for (RegressionItem item : items) {
            auto report = model.Report(item);
            if (!report) {
                return Refuse(ChooseText("Not available for this fit: ",
                                         "Finns inte för denna anpassning: ") +
                              model.Name());
            }
            for (const ReportName& r : kReports) {
                if (r.item == item) report_json.Lines(r.name, report->lines);
            }
            reports.push_back(std::move(*report));
        }
        if (xy_values) {
            reports.push_back({ChooseText("(x,y) values", "(x,y) - värdena"), XYValueLines(data)});
            report_json.Lines("xy-values", reports.back().lines);
        }
        JsonObject json;
        json.String("fit", model.Name())
            .String("x_title", data.XTitle)
            .String("y_title", data.YTitle)
            .String("equation", model.EquationText())
            .String("status", model.StatusLine());
        for (const auto& [key, value] : model.Values()) json.Number(key, value);
        if (const std::vector<Extended> coefficients = model.Coefficients(); !coefficients.empty()) {
            std::string list;
            for (Extended c : coefficients) list += (list.empty() ? "" : ",") + JsonNumber(c);
            json.Raw("coefficients", "[" + list + "]");
        }
        if (const auto curvature = model.Curvature()) {
            JsonObject o;
            const std::string& v = curvature->verdict;
            o.String("verdict", v.substr(std::min(v.size(), v.find_first_not_of(' '))))
                .Bool("significant", curvature->significant)
                .Number("t", curvature->t)
                .Integer("df", curvature->df)
                .Number("level", 100 * curvature->alpha);
            json.Object("curvature", o);
        }
        if (const auto limits = model.Limits();
            limits && std::any_of(items.begin(), items.end(), [](RegressionItem i) {
                return i == RegressionItem::Lod || i == RegressionItem::Loq ||
                       i == RegressionItem::FirstKindError || i == RegressionItem::SecondKindError;
            })) {
            json.Number("lod_x", limits->lod_x)
                .Number("lod_y", limits->lod_y)
                .Number("alpha", 100 * limits->alpha)
                .Number("loq_x", limits->loq_x);
        }
        if (y_from_x) {
            if (!model.Supports(RegressionItem::YFromX)) {
                return Refuse(ChooseText("Not available for this fit: ",
                                         "Finns inte för denna anpassning: ") +
                              model.Name());
            }
            const YFromXResult r = model.YFromX(*y_from_x);
            reports.push_back({ChooseText("Calculate y", "Beräkna y"), YFromXLines(*y_from_x, r)});
            JsonObject o;
            o.Number("x", *y_from_x).Number("y", r.y);
            if (r.has_interval) {
                o.Number("line_half_width", r.line_half_width)
                    .Number("point_half_width", r.point_half_width);
            }
            json.Object("y_from_x", o);
        }
        if (x_from_y) {
            if (!model.Supports(RegressionItem::XFromY)) {
                return Refuse(ChooseText("Not available for this fit: ",
                                         "Finns inte för denna anpassning: ") +
                              model.Name());
            }
            const XFromYResult r = model.XFromY(*x_from_y, replicates);
            if (!r.ok) return Refuse(r.message);
            reports.push_back(
                {ChooseText("Calculate x", "Beräkna x"), XFromYLines(*x_from_y, replicates, r)});
            JsonObject o;
            o.Number("y", *x_from_y).Integer("replicates", replicates).Number("x", r.x);
            o.Raw("half_width", r.half_width ? JsonNumber(*r.half_width) : "null");
            json.Object("x_from_y", o);
        }
        if (!items.empty() || xy_values) json.Object("reports", report_json);

        if (args->json) {
            std::cout << json.Text() << '\n';
        } else {
            for (const std::string& line : RegressionTextLines(data, &model, level, reports)) {
                std::cout << line << '\n';
            }
        }
        if (args->graph) {
            auto render = [&](Canvas& canvas, int w, int h) {
                RegressionViewOptions view;
                FitRangesToData(view, data, &model, w, h);
                RenderRegressionGraph(canvas, w, h, data, &model, view);
            };
            if (!WriteGraphFile(render, *args->graph, args->graph_width, args->graph_height,
                                error)) {
                return Refuse(error);
            }
        }
        return kExitOk;
    } catch (const ConversionError& e) {
        return Refuse(e.what());
    }
}

}  // namespace

void AddRegressionCommands(std::vector<CliCommand>& table) {
    table.push_back({"regression", kUsage, RunRegression});
}

}  // namespace tabulon::cli
