// `tabulon-cli validate`, the distribution functions: each row of the embedded
// distribution_reference.txt run through the calc function it names, exactly as
// `tabulon-cli calc NAME ARG...` prints it, and held to the row's tolerance.
#include <cmath>
#include <exception>

#include "base/language.h"
#include "calc_table.h"
#include "numeric/number_text.h"
#include "validation.h"
#include "validation_data.h"

namespace tabulon::cli {
namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// One reference row, or the reason it cannot be read.
ValidationCheck ReadRow(std::string_view line, std::size_t number, std::vector<std::string>& args) {
    ValidationCheck check;
    check.group = ValidationGroup::Distributions;
    check.method = ChooseText("calc function", "calc-funktion");
    const std::vector<std::string> fields = Split(line, '\t');
    check.set = fields[0];
    check.quantity = fields.size() > 1 ? fields[1] : std::string();
    const auto fail = [&](const std::string& why) {
        check.status = CheckStatus::NotAvailable;
        check.message =
            ChooseText("reference line ", "referensrad ") + std::to_string(number) + ": " + why;
        return check;
    };
    if (fields.size() < 4) return fail(ChooseText("too few fields", "för få fält"));
    if (fields.size() > 4) check.reference = fields[4];
    args = Split(fields[1], ' ');
    check.certified = ParseNumber(fields[2], '.');
    const std::vector<std::string> tolerance = Split(fields[3], ' ');
    if (tolerance.size() == 2) check.tolerance = ParseNumber(tolerance[1], '.');
    if (!check.certified || !check.tolerance || !(*check.tolerance > 0) ||
        (tolerance[0] != "abs" && tolerance[0] != "rel")) {
        return fail(ChooseText("not a value and a tolerance", "inte ett värde och en tolerans"));
    }
    check.relative_tolerance = tolerance[0] == "rel";
    const Extended allowed = AllowedError(check);
    check.goal = *check.certified == 0 ? -std::log10(allowed)
                                       : -std::log10(allowed / std::fabs(*check.certified));
    return check;
}

}  // namespace

Extended AllowedError(const ValidationCheck& check) {
    if (!check.tolerance || !check.certified) return 0;
    return check.relative_tolerance ? *check.tolerance * std::fabs(*check.certified)
                                    : *check.tolerance;
}

std::vector<ValidationCheck> DistributionChecks() {
    std::vector<ValidationCheck> out;
    const std::optional<std::string_view> text =
        EmbeddedValidationFile("distribution_reference.txt");
    if (!text) {
        ValidationCheck check;
        check.group = ValidationGroup::Distributions;
        check.set = ChooseText("distribution functions", "fördelningsfunktioner");
        check.quantity = "-";
        check.status = CheckStatus::NotAvailable;
        check.message = ChooseText("no reference values", "inga referensvärden");
        out.push_back(check);
        return out;
    }
    const std::vector<CalcEntry> table = CalcTable();
    const std::vector<std::string> lines = Split(*text, '\n');
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        std::vector<std::string> args;
        ValidationCheck check = ReadRow(line, i + 1, args);
        if (check.status == CheckStatus::Checked) {
            const CalcEntry* entry = nullptr;
            for (const CalcEntry& e : table) {
                if (e.name == check.set) entry = &e;
            }
            if (!entry || (entry->arity >= 0 && static_cast<int>(args.size()) != entry->arity)) {
                check.status = CheckStatus::NotAvailable;
                check.message = ChooseText("not among the calc functions",
                                           "finns inte bland calc-funktionerna");
            } else {
                CalcOutcome outcome{false, {}};
                try {
                    outcome = entry->run(args);
                } catch (const std::exception& e) {
                    outcome.lines = {e.what()};
                }
                const std::optional<Extended> value = outcome.ok && outcome.lines.size() == 1
                                                          ? ParseNumber(outcome.lines[0], '.')
                                                          : std::nullopt;
                if (value) {
                    check.value = value;
                    check.lre = LogRelativeError(*value, *check.certified);
                    check.pass = std::fabs(*value - *check.certified) <= AllowedError(check);
                } else {
                    check.lre = 0;
                    check.message =
                        "calc: " + (outcome.lines.empty() ? std::string("fail") : outcome.lines[0]);
                }
            }
        }
        out.push_back(std::move(check));
    }
    return out;
}

}  // namespace tabulon::cli
