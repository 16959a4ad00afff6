// `tabulon-cli validate`: the NIST StRD sets and the distribution reference values run through
// the code the windows use, each checked quantity with its log relative error (LRE) against
// the accuracy goal of its set.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "numeric/extended.h"

namespace tabulon::cli {

enum class ValidationGroup { Univariate, Anova, Regression, Distributions };

enum class CheckStatus {
    Checked,       // a value was computed and compared
    Refused,       // the procedure refused the data (a pass only where refusing is right)
    NotAvailable,  // the code for it is not built; never a pass
};

struct ValidationCheck {
    ValidationGroup group = ValidationGroup::Univariate;
    std::string set;                    // "Norris", or the function's name ("TQuantile")
    std::string method;                 // how Tabulon computed it (current language)
    std::string quantity;               // "B1", "sd(B1)", or the function's arguments ("4 0.025")
    std::optional<Extended> certified;  // the certified or reference value
    std::optional<Extended> value;      // Tabulon's value
    std::optional<Extended> lre;
    Extended goal = 0;  // the least LRE that passes
    // Distribution values are held to a tolerance instead (|value − reference| ≤ it); the
    // goal is then the LRE that tolerance amounts to.
    std::optional<Extended> tolerance;
    bool relative_tolerance = false;
    std::string reference;  // distributions: how the reference value was computed
    CheckStatus status = CheckStatus::Checked;
    std::string message;  // the refusal, or why the check could not be made
    bool pass = false;
};

// Digits the StRD certified values carry, and calc prints: no LRE is reported above them.
inline constexpr int kCertifiedDigits = 15;

// −log10(|value − certified| / |certified|), or −log10(|value|) for a certified 0 (the log
// absolute error); `digits` when they are equal, never above `digits` nor below 0.
Extended LogRelativeError(Extended value, Extended certified, int digits = kCertifiedDigits);

// The largest |value − reference| a distribution check allows; 0 without a tolerance.
Extended AllowedError(const ValidationCheck& check);

// The NIST sets in the order certified.json lists them: univariate, ANOVA, regression.
std::vector<ValidationCheck> NistChecks();
// The rows of distribution_reference.txt, each through calc's function of that name.
std::vector<ValidationCheck> DistributionChecks();

// The title of a group (current language).
std::string ValidationGroupTitle(ValidationGroup group);
// What the reader of a group's table should know about what is and is not compared.
std::vector<std::string> ValidationGroupNotes(ValidationGroup group);

}  // namespace tabulon::cli
