// `tabulon-cli validate`, the NIST StRD sets: each embedded file's data typed into a worksheet
// as a user would, run through the procedure its window runs, and compared with
// certified.json.
#include <algorithm>
#include <cmath>
#include <exception>
#include <numeric>

#include "base/language.h"
#include "json_reader.h"
#include "multivariate/mlr.h"
#include "multivariate/model_data.h"
#include "multivariate/model_texts.h"
#include "numeric/number_text.h"
#include "regression/fitted_model.h"
#include "regression/polynomial_fit.h"
#include "regression/regression_data.h"
#include "regression/straight_line.h"
#include "univariate/anova.h"
#include "univariate/descriptive_sample.h"
#include "validation.h"
#include "validation_data.h"
#include "worksheet/worksheet.h"

namespace tabulon::cli {
namespace {

// The accuracy each set must reach: the regression sets by their difficulty as NIST rates it.
constexpr int kUnivariateGoal = 13;
constexpr int kAnovaGoal = 10;
struct RegressionGoal {
    const char* set;
    int goal;
    bool refusal_passes;  // refusing the data is a right answer too
};
constexpr RegressionGoal kRegressionGoals[] = {
    {"Norris", 9, false},   {"NoInt1", 9, false},   {"NoInt2", 9, false},   {"Pontius", 8, false},
    {"Longley", 7, false},  {"Filip", 5, true},     {"Wampler1", 6, false}, {"Wampler2", 6, false},
    {"Wampler3", 6, false}, {"Wampler4", 6, false}, {"Wampler5", 6, false},
};

// NIST's layout: the header takes lines 1 to 60, the data follow.
constexpr std::size_t kFirstDataLine = 61;

using DataRows = std::vector<std::vector<std::string>>;

std::string LineText(std::size_t line) {
    return ChooseText("line ", "rad ") + std::to_string(line);
}

// Every data line split at blanks, each field a number, all lines as wide; blank lines are
// skipped (some files end with one). nullopt with the reason in `error`.
std::optional<DataRows> ReadDataRows(std::string_view bytes, std::string& error) {
    DataRows rows;
    std::size_t line = 0;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view text = bytes.substr(start, end - start);
        start = end + 1;
        if (++line < kFirstDataLine) continue;
        std::vector<std::string> fields;
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t from = text.find_first_not_of(" \t\r", i);
            if (from == std::string_view::npos) break;
            std::size_t to = text.find_first_of(" \t\r", from);
            if (to == std::string_view::npos) to = text.size();
            fields.emplace_back(text.substr(from, to - from));
            i = to;
        }
        if (fields.empty()) continue;
        for (const std::string& f : fields) {
            if (!ParseNumber(f, '.')) {
                error = LineText(line) + ": '" + f +
                        ChooseText("' is not a number", "' är inte ett tal");
                return std::nullopt;
            }
        }
        if (!rows.empty() && fields.size() != rows.front().size()) {
            error =
                LineText(line) + ChooseText(": another number of values than the first data line",
                                            ": ett annat antal värden än första dataraden");
            return std::nullopt;
        }
        rows.push_back(std::move(fields));
    }
    return rows;
}

std::optional<Extended> CertifiedValue(const JsonValue* v) {
    if (!v || v->kind != JsonValue::Kind::Number) return std::nullopt;
    return ParseNumber(v->text, '.');
}

std::string Text(const JsonValue& set, std::string_view key) {
    const JsonValue* v = set.Find(key);
    return v && (v->kind == JsonValue::Kind::String || v->kind == JsonValue::Kind::Number)
               ? v->text
               : std::string();
}

// The checks of one set as they are made.
class SetRun {
public:
    SetRun(ValidationGroup group, std::string set, std::string method, int goal,
           std::vector<ValidationCheck>& out)
        : m_out(out) {
        m_base.group = group;
        m_base.set = std::move(set);
        m_base.method = std::move(method);
        m_base.goal = goal;
    }

    void SetMethod(std::string method) { m_base.method = std::move(method); }
    void SetGoal(int goal) { m_base.goal = goal; }

    // A certified value that is not a number (NIST's infinite F) is not compared.
    void Compare(const std::string& quantity, const JsonValue* certified, Extended value) {
        const std::optional<Extended> c = CertifiedValue(certified);
        if (!c) return;
        ValidationCheck check = m_base;
        check.quantity = quantity;
        check.certified = c;
        check.lre = LogRelativeError(value, *c);
        if (std::isfinite(value)) {
            check.value = value;
        } else {
            check.message = ChooseText("no finite value", "inget ändligt värde");
        }
        check.pass = *check.lre >= check.goal;
        m_out.push_back(std::move(check));
    }
    // The procedure refused the data: right only where the set says so.
    void Refused(const std::string& message, bool passes) {
        ValidationCheck check = m_base;
        check.quantity = ChooseText("fit", "anpassning");
        check.status = CheckStatus::Refused;
        check.message = message;
        check.pass = passes;
        m_out.push_back(std::move(check));
    }
    void Unavailable(const std::string& message) {
        ValidationCheck check = m_base;
        check.quantity = "-";
        check.status = CheckStatus::NotAvailable;
        check.message = message;
        m_out.push_back(std::move(check));
    }

private:
    ValidationCheck m_base;
    std::vector<ValidationCheck>& m_out;
};

// The set's data, checked against the count certified.json gives for it.
std::optional<DataRows> LoadRows(const JsonValue& set, std::string& error) {
    const std::string file = Text(set, "file");
    const std::optional<std::string_view> bytes = EmbeddedValidationFile("nist/" + file);
    if (!bytes) {
        error = ChooseText("no data file ", "ingen datafil ") + file;
        return std::nullopt;
    }
    std::optional<DataRows> rows = ReadDataRows(*bytes, error);
    if (!rows) return std::nullopt;
    if (std::to_string(rows->size()) != Text(set, "n")) {
        error = file + ChooseText(": ", ": ") + std::to_string(rows->size()) +
                ChooseText(" values, certified for ", " värden, certifierat för ") + Text(set, "n");
        return std::nullopt;
    }
    return rows;
}

// The columns typed into a new sheet from its first data column on.
Worksheet SheetOf(const std::vector<std::vector<std::string>>& columns) {
    std::size_t rows = 0;
    for (const auto& c : columns) rows = std::max(rows, c.size());
    Worksheet sheet(static_cast<int>(columns.size()) + Worksheet::kFixedColumns,
                    static_cast<int>(rows) + Worksheet::kFixedRows);
    sheet.renumber();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        for (std::size_t r = 0; r < columns[c].size(); ++r) {
            sheet.setCell(static_cast<int>(c) + Worksheet::kFixedColumns,
                          static_cast<int>(r) + Worksheet::kFixedRows, columns[c][r]);
        }
    }
    return sheet;
}

std::vector<std::vector<std::string>> Columns(const DataRows& rows) {
    std::vector<std::vector<std::string>> columns(rows.empty() ? 0 : rows.front().size());
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) columns[c].push_back(row[c]);
    }
    return columns;
}

void RunUnivariate(const std::string& name, const JsonValue& set,
                   std::vector<ValidationCheck>& out) {
    SetRun run(ValidationGroup::Univariate, name,
               ChooseText("sample statistics", "stickprovsstatistik"), kUnivariateGoal, out);
    std::string error;
    const std::optional<DataRows> rows = LoadRows(set, error);
    if (!rows) return run.Unavailable(error);
    const Worksheet sheet = SheetOf(Columns(*rows));
    const std::optional<DescriptiveSample> sample =
        MakeDescriptiveSample(sheet, Worksheet::kFixedColumns, '.');
    if (!sample) {
        return run.Refused(ChooseText("no statistics", "ingen statistik"), false);
    }
    run.Compare(ChooseText("mean", "medelvärde"), set.Find("mean"), sample->statistics.Mean);
    run.Compare("s", set.Find("sd"), sample->statistics.StdDev);
}

void RunAnova(const std::string& name, const JsonValue& set, std::vector<ValidationCheck>& out) {
    SetRun run(ValidationGroup::Anova, name, ChooseText("one-way ANOVA", "envägs-ANOVA"),
               kAnovaGoal, out);
    std::string error;
    const std::optional<DataRows> rows = LoadRows(set, error);
    if (!rows) return run.Unavailable(error);
    // The window compares columns: one per treatment, in the order the file first names them.
    std::vector<std::string> treatments;
    std::vector<std::vector<std::string>> columns;
    for (const auto& row : *rows) {
        const auto index = static_cast<std::size_t>(
            std::find(treatments.begin(), treatments.end(), row.front()) - treatments.begin());
        if (index == treatments.size()) {
            treatments.push_back(row.front());
            columns.emplace_back();
        }
        columns[index].push_back(row.back());
    }
    std::vector<int> chosen(columns.size());
    std::iota(chosen.begin(), chosen.end(), Worksheet::kFixedColumns);
    const AnovaGroupsRead read = ReadAnovaGroups(SheetOf(columns), chosen, '.');
    if (!read.groups) return run.Refused(read.refusal, false);
    const AnovaResult r = ComputeAnova(*read.groups, 5);
    run.Compare(ChooseText("SS between", "SS mellan"), set.Find("ss_between"), r.ss_between);
    run.Compare(ChooseText("SS within", "SS inom"), set.Find("ss_within"), r.ss_within);
    run.Compare(ChooseText("MS between", "MS mellan"), set.Find("ms_between"), r.ms_between);
    run.Compare(ChooseText("MS within", "MS inom"), set.Find("ms_within"), r.ms_within);
    run.Compare("F", set.Find("f"), r.F);
    run.Compare("R²", set.Find("r2"), r.ss_between / (r.ss_between + r.ss_within));
    run.Compare(ChooseText("residual SD", "residual-s"), set.Find("resid_sd"),
                std::sqrt(r.ms_within));
}

const JsonValue* Item(const JsonValue* array, std::size_t i) {
    return array && i < array->items.size() ? &array->items[i] : nullptr;
}

std::string Coefficient(std::size_t k) {
    return "B" + std::to_string(k);
}

void CompareFitSums(SetRun& run, const JsonValue& set, Extended s, Extended r2, Extended ss_reg,
                    Extended ss_res, Extended f) {
    run.Compare(ChooseText("residual SD", "residual-s"), set.Find("resid_sd"), s);
    run.Compare("R²", set.Find("r2"), r2);
    run.Compare("SS regression", set.Find("ss_regression"), ss_reg);
    run.Compare("SS residual", set.Find("ss_residual"), ss_res);
    run.Compare("F", set.Find("f"), f);
}

// The regression window's straight line, least squares or through the origin.
void RunLine(SetRun& run, const JsonValue& set, const DataRows& rows, bool origin) {
    run.SetMethod(origin ? ChooseText("line y=kx through the origin", "linjen y=kx genom origo")
                         : ChooseText("line y=kx+l", "linjen y=kx+l"));
    const RegressionDataRead read = ReadRegressionData(
        SheetOf(Columns(rows)), Worksheet::kFixedColumns + 1, Worksheet::kFixedColumns, '.');
    if (!read.data) return run.Refused(read.refusal, false);
    const FitOutcome fit =
        Fit(read.data, FitSpec(origin ? FitType::Origin : FitType::LeastSquares), 0.95L);
    const auto* model = dynamic_cast<const StraightLineModel*>(fit.model.get());
    if (!model) return run.Refused(fit.refusal, false);
    const TRegressionLine& line = model->line();
    const JsonValue* coef = set.Find("coef");
    const JsonValue* sd = set.Find("coef_sd");
    if (origin) {
        run.Compare("B1", Item(coef, 0), line.K);
        run.Compare("SS residual", set.Find("ss_residual"), line.SSRes);
        return;
    }
    run.Compare("B0", Item(coef, 0), line.L);
    run.Compare("B1", Item(coef, 1), line.K);
    run.Compare("sd(B0)", Item(sd, 0), model->InterceptSE());
    run.Compare("sd(B1)", Item(sd, 1), model->SlopeSE());
    CompareFitSums(run, set, line.S, line.RSquared, line.SSFac, line.SSRes, line.F);
}

// The regression window's polynomial fit.
void RunPolynomial(SetRun& run, const JsonValue& set, const DataRows& rows, int degree,
                   bool refusal_passes) {
    run.SetMethod(ChooseText("polynomial of degree ", "polynom av grad ") + std::to_string(degree));
    const RegressionDataRead read = ReadRegressionData(
        SheetOf(Columns(rows)), Worksheet::kFixedColumns + 1, Worksheet::kFixedColumns, '.');
    if (!read.data) return run.Refused(read.refusal, refusal_passes);
    FitSpec spec(FitType::Polynomial);
    spec.degree = degree;
    const FitOutcome fit = Fit(read.data, spec, 0.95L);
    const auto* model = dynamic_cast<const CurveModel*>(fit.model.get());
    if (!model) return run.Refused(fit.refusal, refusal_passes);
    const TPolynomialFit& record = model->record();
    const std::vector<Extended> b = model->Coefficients();
    const JsonValue* coef = set.Find("coef");
    const JsonValue* sd = set.Find("coef_sd");
    for (std::size_t k = 0; k < b.size(); ++k) run.Compare(Coefficient(k), Item(coef, k), b[k]);
    for (std::size_t k = 0; k < b.size() && k < record.CDiag.size(); ++k) {
        run.Compare("sd(" + Coefficient(k) + ")", Item(sd, k),
                    std::sqrt(record.S2 * record.CDiag[k]));
    }
    CompareFitSums(run, set, model->ResidualSD(), record.RSquared, record.SSFac, record.SSRes,
                   record.F);
}

// n-Dim > Skapa modell > MLR: the first column is z, the others the x-variables.
void RunMlr(SetRun& run, const JsonValue& set, const DataRows& rows) {
    run.SetMethod("MLR");
    const Worksheet sheet = SheetOf(Columns(rows));
    std::vector<int> x(rows.front().size() - 1);
    std::iota(x.begin(), x.end(), Worksheet::kFixedColumns + 1);
    const ModelColumnsRead columns = ModelColumnsOf(sheet, Worksheet::kFixedColumns, x);
    if (!columns.columns) return run.Refused(columns.refusal, false);
    const ModelFitResult result = FitMLR(LoadModelData(sheet, *columns.columns, '.'));
    if (!result.fit) return run.Refused(result.refusal, false);
    const ModelFit& fit = *result.fit;
    const JsonValue* coef = set.Find("coef");
    for (std::size_t k = 0; k < fit.Coeffs.size(); ++k) {
        run.Compare(Coefficient(k), Item(coef, k), fit.Coeffs[k]);
    }
    const Extended df = fit.n - fit.p - 1;
    CompareFitSums(run, set, std::sqrt(fit.SSRes / df), fit.SSReg / fit.SSTot, fit.SSReg, fit.SSRes,
                   ModelF(fit));
}

void RunRegression(const std::string& name, const JsonValue& set,
                   std::vector<ValidationCheck>& out) {
    SetRun run(ValidationGroup::Regression, name, std::string(), 0, out);
    const auto goal = std::find_if(std::begin(kRegressionGoals), std::end(kRegressionGoals),
                                   [&](const RegressionGoal& g) { return name == g.set; });
    if (goal == std::end(kRegressionGoals)) {
        return run.Unavailable(ChooseText("no accuracy goal is set for this set",
                                          "inget noggrannhetsmål är satt för denna mängd"));
    }
    run.SetGoal(goal->goal);
    std::string error;
    const std::optional<DataRows> rows = LoadRows(set, error);
    if (!rows) return run.Unavailable(error);
    const JsonValue* coef = set.Find("coef");
    const JsonValue* intercept = set.Find("intercept");
    const std::size_t parameters = coef ? coef->items.size() : 0;
    if (rows->front().size() > 2) return RunMlr(run, set, *rows);
    if (intercept && !intercept->boolean) return RunLine(run, set, *rows, true);
    if (parameters == 2) return RunLine(run, set, *rows, false);
    if (parameters > 2) {
        return RunPolynomial(run, set, *rows, static_cast<int>(parameters) - 1,
                             goal->refusal_passes);
    }
    run.Unavailable(ChooseText("no fit for this model", "ingen anpassning för denna modell"));
}

}  // namespace

std::vector<ValidationCheck> NistChecks() {
    std::vector<ValidationCheck> out;
    const auto unavailable = [&](const std::string& message) {
        ValidationCheck check;
        check.set = "NIST StRD";
        check.quantity = "-";
        check.status = CheckStatus::NotAvailable;
        check.message = message;
        out.push_back(check);
        return out;
    };
    const std::optional<std::string_view> text = EmbeddedValidationFile("nist/certified.json");
    if (!text) return unavailable(ChooseText("no certified values", "inga certifierade värden"));
    std::string error;
    const std::optional<JsonValue> document = ParseJson(*text, error);
    if (!document) return unavailable(error);
    const struct {
        const char* key;
        ValidationGroup group;
        void (*run)(const std::string&, const JsonValue&, std::vector<ValidationCheck>&);
    } groups[] = {{"univariate", ValidationGroup::Univariate, RunUnivariate},
                  {"anova", ValidationGroup::Anova, RunAnova},
                  {"linreg", ValidationGroup::Regression, RunRegression}};
    for (const auto& g : groups) {
        const JsonValue* sets = document->Find(g.key);
        if (!sets) continue;
        for (const auto& [name, set] : sets->members) {
            const std::size_t before = out.size();
            try {
                g.run(name, set, out);
            } catch (const std::exception& e) {
                // A half-made set would read as checked: only the failure stands.
                out.resize(before);
                SetRun(g.group, name, std::string(), 0, out).Refused(e.what(), false);
            }
        }
    }
    return out;
}

}  // namespace tabulon::cli
