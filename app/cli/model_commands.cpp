// `tabulon-cli mlr`, `pcr`, `pls` and `apply-model`: the calibration models of the n-Dim menu,
// their model file, and a model applied to a worksheet.
#include <algorithm>
#include <cmath>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/language.h"
#include "cli_commands.h"
#include "json.h"
#include "multivariate/apply_model.h"
#include "multivariate/cross_validation.h"
#include "multivariate/factor_model.h"
#include "multivariate/mlr.h"
#include "multivariate/model_file.h"
#include "multivariate/model_texts.h"
#include "multivariate/pca.h"
#include "numeric/number_text.h"
#include "procedure_args.h"
#include "worksheet/worksheet_file.h"

namespace tabulon::cli {
namespace {

constexpr const char* kModelUsage =
    "FILE [--titles] --z C --x A,B,... [--factors K] [--level L] [--save-model M.mdl] [--json]";
constexpr const char* kApplyUsage = "FILE M.mdl OUT [--titles]";
constexpr const char* kPressUsage =
    "mlr|pcr|pls FILE [--titles] --z C --x A,B,... [--factors K] [--json]";
constexpr const char* kOptimiseUsage = "pcr|pls FILE [--titles] --z C --x A,B,... [--json]";
constexpr const char* kPcaUsage = "FILE [--titles] --columns A,B,... [--components K] [--json]";
constexpr const char* kPcaOutlierUsage =
    "FILE [--titles] --columns A,B,... [--components K] [--level L] [--json]";

int Refuse(const std::string& message) {
    std::cerr << message << '\n';
    return kExitRefused;
}

std::vector<std::string> SplitCommas(const std::string& text) {
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

std::string NumberArray(const std::vector<Extended>& values, std::size_t from = 0) {
    std::string json = "[";
    for (std::size_t i = from; i < values.size(); ++i) {
        if (i > from) json += ',';
        json += JsonNumber(values[i]);
    }
    return json + "]";
}

// The model's run in the window: columns, rows, the fit (with the factor count for PCR and
// PLS), and its caption.
struct ModelRun {
    ModelColumns columns;
    ModelData data;
    ModelFit fit;
    std::string caption;
    std::vector<Extended> residual_rms;  // PCR and PLS: the factor table
};

std::optional<ModelRun> Fit(ModelMethod method, const Worksheet& sheet, const ModelColumns& columns,
                            const std::optional<std::string>& factors, std::string& refusal) {
    ModelRun run;
    run.columns = columns;
    run.data = LoadModelData(sheet, columns, DecimalSeparator());
    if (method == ModelMethod::MLR) {
        ModelFitResult r = FitMLR(run.data);
        if (!r.fit) {
            refusal = r.refusal;
            return std::nullopt;
        }
        run.fit = std::move(*r.fit);
        run.caption = ModelCaption(method);
        return run;
    }
    FactorFitResult extracted = ExtractFactors(method, run.data);
    if (!extracted.fit) {
        refusal = extracted.refusal;
        return std::nullopt;
    }
    const FactorFit& f = *extracted.fit;
    const int k = factors ? LimitFactorCount(f, ParseFactorCount(*factors)) : f.factors.extracted;
    run.fit = FinishFactorFit(run.data, f, k);
    run.caption = FactorCaption(method, factors ? *factors : std::to_string(k));
    run.residual_rms = f.factors.ResidualRms;
    return run;
}

void PrintJson(const ModelRun& run, Extended level) {
    const ModelFit& fit = run.fit;
    JsonObject o;
    o.String("method", MethodName(fit.method))
        .String("caption", run.caption)
        .Integer("n", fit.n)
        .Integer("p", fit.p)
        .Integer("factors", fit.factors)
        .Number("intercept", fit.Coeffs[0])
        .Raw("coefficients", NumberArray(fit.Coeffs, 1))
        .Number("rms", fit.Rms())
        .Number("SSTot", fit.SSTot)
        .Number("SSReg", fit.SSReg)
        .Number("SSRes", fit.SSRes);
    if (fit.method == ModelMethod::MLR) {
        const ModelStatistics s = DrawModelText(fit, level, ModelResultKind::Fit);
        o.Number("r2", fit.SSTot != 0 ? fit.SSReg / fit.SSTot : Extended(NAN))
            .Number("F", ModelF(fit))
            .Number("level", level)
            .Number("F_critical", ModelFCritical(fit, level))
            .Bool("significant", s.significant);
    } else {
        o.Raw("scaled_coefficients", NumberArray(fit.ScaledCoeffs))
            .Raw("residual_rms", NumberArray(run.residual_rms));
    }
    if (!fit.note.empty()) o.String("note", fit.note);
    std::vector<std::string> rows;
    for (int r : run.data.rows) rows.push_back(std::to_string(r - 1));
    o.Lines("equation", EquationLines(run.columns, fit))
        .Lines("rows", rows)
        .Raw("predictions", NumberArray(fit.predictions))
        .Raw("residuals", NumberArray(fit.residuals));
    std::cout << o.Text() << '\n';
}

// What the model commands share: the sheet, the columns, and --factors and --level checked.
struct ModelInvocation {
    ProcedureArgs args;
    Worksheet sheet;
    ModelColumns columns;
    std::optional<std::string> factors;
    Extended level = 5;
};

// nullopt with the exit status in `exit` when the arguments or the file are refused.
std::optional<ModelInvocation> ReadModelInvocation(const std::string& name, const char* usage,
                                                   ModelMethod method,
                                                   const std::vector<std::string>& raw,
                                                   const std::set<std::string>& keys, int& exit) {
    std::string error;
    exit = kExitUsage;
    auto args = ParseProcedureArgs(raw, keys, error);
    if (!args) return ProcedureUsage(name, usage, error), std::nullopt;
    const auto& options = args->options;
    if (!args->columns.empty())
        return ProcedureUsage(name, usage, "--z and --x name the columns"), std::nullopt;
    if (!options.count("z") || !options.count("x")) {
        return ProcedureUsage(name, usage, "--z and --x are needed"), std::nullopt;
    }
    ModelInvocation run;
    if (options.count("factors")) {
        if (method == ModelMethod::MLR)
            return ProcedureUsage(name, usage, "MLR has no factors"), std::nullopt;
        run.factors = options.at("factors");
        if (!ParseInteger(*run.factors))
            return ProcedureUsage(name, usage, "--factors takes a whole number"), std::nullopt;
    }
    if (args->level) {
        const auto l = ParseLevel(*args->level);
        if (!l || !(*l > 0) || !(*l < 100)) {
            return ProcedureUsage(name, usage, "--level takes a percentage between 0 and 100"),
                   std::nullopt;
        }
        run.level = *l;
    }
    // z and the x-variables are the columns read, so the first-line check sees them all.
    args->columns.push_back(options.at("z"));
    for (const std::string& x : SplitCommas(options.at("x"))) {
        if (x.empty()) return ProcedureUsage(name, usage, "an empty column name"), std::nullopt;
        args->columns.push_back(x);
    }
    exit = kExitRefused;
    auto sheet = LoadProcedureSheet(*args, error);
    if (!sheet) return Refuse(error), std::nullopt;
    const auto resolved = ResolveColumns(*sheet, *args);
    if (!resolved) return std::nullopt;
    const std::vector<int> x_columns(resolved->begin() + 1, resolved->end());
    const ModelColumnsRead columns = ModelColumnsOf(*sheet, resolved->front(), x_columns);
    if (!columns.columns) return Refuse(columns.refusal), std::nullopt;
    run.args = std::move(*args);
    run.sheet = std::move(*sheet);
    run.columns = *columns.columns;
    exit = kExitOk;
    return run;
}

int RunModel(ModelMethod method, const std::vector<std::string>& raw) {
    std::string name = MethodName(method);
    for (char& c : name) c = static_cast<char>(c - 'A' + 'a');
    int exit = kExitOk;
    const auto invocation = ReadModelInvocation(name, kModelUsage, method, raw,
                                                {"z", "x", "factors", "save-model"}, exit);
    if (!invocation) return exit;
    const auto& options = invocation->args.options;
    std::string refusal;
    std::string error;
    const auto run =
        Fit(method, invocation->sheet, invocation->columns, invocation->factors, refusal);
    if (!run) return Refuse(refusal);
    if (!run->fit.note.empty()) std::cerr << run->fit.note << '\n';
    if (options.count("save-model")) {
        TModelRecord model;
        StoreCurrentModel(model, run->columns, run->fit);
        if (!WriteModelFile(model, options.at("save-model"), error)) return Refuse(error);
    }
    if (invocation->args.json) {
        PrintJson(*run, invocation->level);
    } else {
        const ModelTextInput input{invocation->args.file, run->caption, ModelResultKind::Fit, true,
                                   EquationLines(run->columns, run->fit)};
        for (const std::string& line : ModelCopyLines(input, run->fit)) std::cout << line << '\n';
    }
    return kExitOk;
}

std::optional<ModelMethod> MethodOf(const std::string& text) {
    if (text == "mlr") return ModelMethod::MLR;
    if (text == "pcr") return ModelMethod::PCR;
    if (text == "pls") return ModelMethod::PLS;
    return std::nullopt;
}

// PRESS: every row predicted by the model of the others, as the PRESS window shows it.
int RunPress(const std::vector<std::string>& raw) {
    const auto method = raw.empty() ? std::nullopt : MethodOf(raw[0]);
    if (!method) return ProcedureUsage("press", kPressUsage, "mlr, pcr or pls first");
    int exit = kExitOk;
    const auto invocation = ReadModelInvocation(
        "press", kPressUsage, *method, {raw.begin() + 1, raw.end()}, {"z", "x", "factors"}, exit);
    if (!invocation) return exit;
    const ModelData data =
        LoadModelData(invocation->sheet, invocation->columns, DecimalSeparator());
    // Without --factors every factor is used, as far as there are x-variables.
    const int requested =
        invocation->factors ? ParseFactorCount(*invocation->factors) : std::max(data.p, 1);
    const PressResult r = *method == ModelMethod::MLR   ? PressMLR(data)
                          : *method == ModelMethod::PCR ? PressPCR(data, requested)
                                                        : PressPLS(data, requested);
    if (r.status != CvStatus::Done) return Refuse(r.refusal);
    const std::string caption = *method == ModelMethod::MLR
                                    ? PressCaption(*method)
                                    : PressCaptionWithFactors(*method, r.fit.factors);
    if (!invocation->args.json) {
        const ModelTextInput input{
            invocation->args.file, caption, ModelResultKind::CrossValidation, false, {}};
        for (const std::string& line : ModelCopyLines(input, r.fit)) std::cout << line << '\n';
        return kExitOk;
    }
    JsonObject o;
    o.String("method", MethodName(*method))
        .String("caption", caption)
        .Integer("n", r.fit.n)
        .Integer("p", r.fit.p)
        .Integer("factors", r.fit.factors)
        .Number("press", r.fit.SSRes)
        .Number("rmsecv", r.fit.Rms());
    if (*method != ModelMethod::MLR) {
        const CvCriteria all = CrossValidatedRms(*method, data, r.fit.factors);
        std::vector<Extended> press;
        for (Extended rms : all.rms) press.push_back(rms * rms * data.n);
        o.Raw("press_per_factor_count", NumberArray(press));
    }
    std::vector<std::string> rows;
    for (int row : data.rows) rows.push_back(std::to_string(row - 1));
    o.Lines("rows", rows)
        .Raw("predictions", NumberArray(r.fit.predictions))
        .Raw("residuals", NumberArray(r.fit.residuals));
    std::cout << o.Text() << '\n';
    return kExitOk;
}

// Optimera: the count with the smallest cross-validated RMS, and the model fitted with it.
int RunOptimise(const std::vector<std::string>& raw) {
    const auto method = raw.empty() ? std::nullopt : MethodOf(raw[0]);
    if (!method || *method == ModelMethod::MLR)
        return ProcedureUsage("optimise", kOptimiseUsage, "pcr or pls first");
    int exit = kExitOk;
    const auto invocation = ReadModelInvocation("optimise", kOptimiseUsage, *method,
                                                {raw.begin() + 1, raw.end()}, {"z", "x"}, exit);
    if (!invocation) return exit;
    const ModelData data =
        LoadModelData(invocation->sheet, invocation->columns, DecimalSeparator());
    const Optimisation opt = OptimiseFactors(*method, data);
    if (opt.status != CvStatus::Done) return Refuse(opt.refusal);
    const ModelFitResult fitted =
        *method == ModelMethod::PCR ? FitPCR(data, opt.factors) : FitPLS(data, opt.factors);
    if (!fitted.fit) return Refuse(fitted.refusal);
    const ModelFit& fit = *fitted.fit;
    const std::string caption = OptimiseCaption(*method) + ": " + std::to_string(fit.factors) +
                                ChooseText(" factors", " faktorer");
    if (!invocation->args.json) {
        const ModelTextInput input{invocation->args.file, caption, ModelResultKind::Fit, true,
                                   EquationLines(invocation->columns, fit)};
        for (const std::string& line : ModelCopyLines(input, fit)) std::cout << line << '\n';
        return kExitOk;
    }
    JsonObject o;
    o.String("method", MethodName(*method))
        .String("caption", caption)
        .Integer("n", fit.n)
        .Integer("p", fit.p)
        .Integer("factors", fit.factors)
        .Raw("rmsecv", NumberArray(opt.rms))
        .Number("intercept", fit.Coeffs[0])
        .Raw("coefficients", NumberArray(fit.Coeffs, 1))
        .Number("rms", fit.Rms());
    std::cout << o.Text() << '\n';
    return kExitOk;
}

// The PCA of --columns, with --components checked; nullopt with the exit status in `exit`.
struct PcaRun {
    ProcedureArgs args;
    ModelColumns columns;
    PcaResult pca;
    std::optional<int> components;
};

std::optional<PcaRun> ReadPca(const std::string& name, const char* usage,
                              const std::vector<std::string>& raw, int& exit) {
    std::string error;
    exit = kExitUsage;
    auto args = ParseProcedureArgs(raw, {"components"}, error);
    if (!args) return ProcedureUsage(name, usage, error), std::nullopt;
    if (args->columns.empty())
        return ProcedureUsage(name, usage, "--columns is needed"), std::nullopt;
    PcaRun run;
    if (args->options.count("components")) {
        run.components = ParseInteger(args->options.at("components"));
        if (!run.components)
            return ProcedureUsage(name, usage, "--components takes a whole number"), std::nullopt;
    }
    exit = kExitRefused;
    auto sheet = LoadProcedureSheet(*args, error);
    if (!sheet) return Refuse(error), std::nullopt;
    const auto resolved = ResolveColumns(*sheet, *args);
    if (!resolved) return std::nullopt;
    const ModelColumnsRead columns = ModelColumnsOf(*sheet, 0, *resolved);
    if (!columns.columns) return Refuse(columns.refusal), std::nullopt;
    PcaFit fit = FitPCA(LoadModelData(*sheet, *columns.columns, DecimalSeparator()));
    if (!fit.result) return Refuse(fit.refusal), std::nullopt;
    run.args = std::move(*args);
    run.columns = *columns.columns;
    run.pca = std::move(*fit.result);
    exit = kExitOk;
    return run;
}

// Components 0 .. count-1 of `values` (`size` values each) as an array of arrays.
std::string ComponentArrays(const std::vector<Extended>& values, int size, int count) {
    std::string json = "[";
    for (int k = 0; k < count; ++k) {
        const auto begin = values.begin() + static_cast<std::ptrdiff_t>(k) * size;
        json += (k ? "," : "") + NumberArray({begin, begin + size});
    }
    return json + "]";
}

// PCA: the window's table as Kopiera copies it, or every number.
int RunPca(const std::vector<std::string>& raw) {
    int exit = kExitOk;
    const auto run = ReadPca("pca", kPcaUsage, raw, exit);
    if (!run) return exit;
    const PcaResult& pca = run->pca;
    if (!run->args.json) {
        const TextTable table = ShowPcaTable(pca, run->columns.XNames, false);
        for (const std::string& line : PcaCopyLines(run->args.file, pca, table))
            std::cout << line << '\n';
        return kExitOk;
    }
    const int count = std::clamp(run->components.value_or(pca.p), 1, pca.p);
    Extended total = 0;
    for (Extended l : pca.lambda) total += l;
    std::vector<Extended> percent;
    for (Extended l : pca.lambda) percent.push_back(total > 0 ? 100 * l / total : 0);
    std::vector<std::string> rows;
    for (int r : pca.rows) rows.push_back(std::to_string(r - 1));
    JsonObject o;
    o.Integer("n", pca.n)
        .Integer("p", pca.p)
        .Integer("components", count)
        .Raw("eigenvalues", NumberArray(pca.lambda))
        .Raw("explained_percent", NumberArray(percent))
        .Raw("loadings", ComponentArrays(pca.loadings, pca.p, count))
        .Lines("rows", rows)
        .Raw("scores", ComponentArrays(pca.scores, pca.n, count));
    std::cout << o.Text() << '\n';
    return kExitOk;
}

// The outlier listing after --components components (all of them by default, stepped down to
// the last that leaves residuals) at --level percent.
int RunPcaOutliers(const std::vector<std::string>& raw) {
    int exit = kExitOk;
    const auto run = ReadPca("pca-outliers", kPcaOutlierUsage, raw, exit);
    if (!run) return exit;
    Extended level = 5;
    if (run->args.level) {
        const auto l = ParseLevel(*run->args.level);
        if (!l || !(*l > 0) || !(*l < 100))
            return ProcedureUsage("pca-outliers", kPcaOutlierUsage,
                                  "--level takes a percentage between 0 and 100");
        level = *l;
    }
    const OutlierListingResult listed =
        ListOutliers(run->pca, run->components.value_or(run->pca.p), level / 100);
    if (!listed.listing) return Refuse(listed.refusal);
    const OutlierListing& l = *listed.listing;
    if (!run->args.json) {
        for (const std::string& line : OutlierCountLines(l)) std::cout << line << '\n';
        for (const auto& row : OutlierGrid(l))
            std::cout << row[0] << '\t' << row[1] << '\t' << row[2] << '\n';
        std::cout << OutlierCriticalText(l) << '\n';
        return kExitOk;
    }
    std::vector<std::string> rows, verdicts;
    for (std::size_t i = 0; i < l.rows.size(); ++i) {
        rows.push_back(std::to_string(l.rows[i] - 1));
        verdicts.push_back(l.outlier[i] ? "true" : "false");
    }
    std::string outliers = "[";
    for (std::size_t i = 0; i < verdicts.size(); ++i) outliers += (i ? "," : "") + verdicts[i];
    JsonObject o;
    o.Integer("n", l.n)
        .Integer("p", l.p)
        .Integer("components", l.components)
        .Integer("df1", l.df1)
        .Integer("df2", l.df2)
        .Number("level", level)
        .Number("F_critical", l.FCrit)
        .Lines("rows", rows)
        .Raw("F", NumberArray(l.F))
        .Raw("outlier", outliers + "]");
    std::cout << o.Text() << '\n';
    return kExitOk;
}

void PrintTable(const ModelWindowTable& table) {
    std::cout << table.caption << '\n';
    for (const auto& row : table.rows) std::cout << row[0] << '\t' << row[1] << '\n';
}

int RunApplyModel(const std::vector<std::string>& raw) {
    ProcedureArgs args;
    std::vector<std::string> names;
    for (const std::string& a : raw) {
        if (a == "--titles") {
            args.titles = true;
        } else if (a.rfind("--", 0) == 0) {
            return ProcedureUsage("apply-model", kApplyUsage, "unknown option " + a);
        } else {
            names.push_back(a);
        }
    }
    if (names.size() != 3) return ProcedureUsage("apply-model", kApplyUsage, "");
    args.file = names[0];
    std::string error;
    auto sheet = LoadProcedureSheet(args, error);
    if (!sheet) return Refuse(error);
    const ModelFileRead read = ReadModelFile(names[1]);
    if (!read.model) return Refuse(read.error);
    const ModelApplication applied = ApplyModel(*read.model, *sheet, DecimalSeparator());
    PrintTable(ModelCorrelationTable(*read.model, applied.column_map, *sheet));
    if (!applied.ok) return Refuse(applied.refusal);
    std::cout << applied.message << '\n';
    const SaveResult saved = SaveWorksheet(*sheet, names[2], args.titles);
    if (!saved.ok) return Refuse(saved.error);
    return kExitOk;
}

}  // namespace

void AddModelCommands(std::vector<CliCommand>& table) {
    table.push_back(
        {"mlr", kModelUsage, [](const auto& a) { return RunModel(ModelMethod::MLR, a); }});
    table.push_back(
        {"pcr", kModelUsage, [](const auto& a) { return RunModel(ModelMethod::PCR, a); }});
    table.push_back(
        {"pls", kModelUsage, [](const auto& a) { return RunModel(ModelMethod::PLS, a); }});
    table.push_back({"apply-model", kApplyUsage, RunApplyModel});
    table.push_back({"press", kPressUsage, RunPress});
    table.push_back({"optimise", kOptimiseUsage, RunOptimise});
    table.push_back({"pca", kPcaUsage, RunPca});
    table.push_back({"pca-outliers", kPcaOutlierUsage, RunPcaOutliers});
}

}  // namespace tabulon::cli
