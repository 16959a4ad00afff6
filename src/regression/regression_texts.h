// The regression window's texts: number formats of its reports, the y(x) and x(y) readings,
// and the text Kopiera > Text copies (tabulon-cli regression prints the same lines).
#pragma once

#include <string>
#include <vector>

#include "numeric/extended.h"
#include "regression/fitted_model.h"

namespace tabulon {

// F5: rounded to 5 significant digits, then written with 5 decimals ("0.18856", "3.18200").
std::string FormatF5(Extended value);
// G4 / G3: the general format with 4 (3) significant digits.
std::string FormatG4(Extended value);
std::string FormatG3(Extended value);
std::string FormatG6(Extended value);
// G4 and G3 write an infinite value as "∞" or "-∞" and NaN as "-".
// A number of a report: the shortest general text, with the same care for infinity.
std::string FormatReportNumber(Extended value);

// "Konfidensintervall: 95%" / "Confidence inteval: 95%".
std::string LevelLine(Extended level);

// y(x) > Manuellt: "x=…", "y linje=ŷ±h", "y punkt=ŷ±h" (F5).
std::vector<std::string> YFromXLines(Extended x, const YFromXResult& result);
// x(y) > Manuellt: "y=…", "Antal y=m", "x punkt=x±h" (F5), or the fit's message.
std::vector<std::string> XFromYLines(Extended y, int replicates, const XFromYResult& result);

// Residualer > Visa numeriskt: "x : residual" and one "x : residual" line per point.
ReportText ResidualListReport(const FittedModel& model);

// RMS: √(Σ(y − ŷ)²/n) beside the residual standard deviation √(Σ(y − ŷ)²/df).
ReportText RmsReport(const FittedModel& model);

// "5%": G3 of 100·(1 − level) and "%", as the significance texts name the level.
std::string RiskText(Extended level);

// Kopiera > Text: the axes ("y mot x"), the fit's name, equation and status line, the level
// line, then each report shown (its caption and lines, an empty line before each).
std::vector<std::string> RegressionTextLines(const RegressionData& data, const FittedModel* model,
                                             Extended level,
                                             const std::vector<ReportText>& reports);

}  // namespace tabulon
