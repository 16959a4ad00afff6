// `tabulon-cli validate`: the log relative error and the texts that explain each group.
#include "validation.h"

#include <algorithm>
#include <cmath>

#include "base/language.h"

namespace tabulon::cli {

Extended LogRelativeError(Extended value, Extended certified, int digits) {
    const Extended cap = digits;
    if (!std::isfinite(value)) return 0;
    const Extended error = std::fabs(value - certified);
    if (error == 0) return cap;
    const Extended lre =
        certified == 0 ? -std::log10(error) : -std::log10(error / std::fabs(certified));
    return std::clamp<Extended>(lre, 0, cap);
}

std::string ValidationGroupTitle(ValidationGroup group) {
    switch (group) {
        case ValidationGroup::Univariate:
            return ChooseText("NIST StRD univariate summary statistics: 1-Dim > Statistics",
                              "NIST StRD univariat statistik: 1-Dim > Statistikdata");
        case ValidationGroup::Anova:
            return ChooseText("NIST StRD one-way analysis of variance: 1-Dim > ANOVA",
                              "NIST StRD envägs variansanalys: 1-Dim > ANOVA");
        case ValidationGroup::Regression:
            return ChooseText(
                "NIST StRD linear least squares: 2-Dim > xy-graphics and n-Dim > Create model > "
                "MLR",
                "NIST StRD linjär minsta kvadratmetod: 2-Dim > xy-grafik och n-Dim > Skapa modell "
                "> MLR");
        case ValidationGroup::Distributions:
            return ChooseText("Distribution functions (tabulon-cli calc) against reference values",
                              "Fördelningsfunktioner (tabulon-cli calc) mot referensvärden");
    }
    return {};
}

std::vector<std::string> ValidationGroupNotes(ValidationGroup group) {
    switch (group) {
        case ValidationGroup::Univariate:
            return {
                ChooseText("The mean and s (n - 1) of the column typed as in the file; the "
                           "lag-1 autocorrelation NIST also certifies is not among the "
                           "statistics the window shows.",
                           "Medelvärde och s (n - 1) av kolumnen inskriven som i filen; "
                           "autokorrelationen med fördröjning 1 som NIST också certifierar "
                           "finns inte bland fönstrets statistik.")};
        case ValidationGroup::Anova:
            return {
                ChooseText("One column per treatment, in the order the file first names them. "
                           "R² = SS between/(SS between + SS within), residual SD = √MS within.",
                           "En kolumn per behandling, i den ordning filen först nämner dem. "
                           "R² = SS mellan/(SS mellan + SS inom), residual-s = √MS inom.")};
        case ValidationGroup::Regression:
            return {
                ChooseText("Norris: the least-squares line y=kx+l (B0 = l, B1 = k). Pontius, "
                           "Wampler1-5 and Filip: the polynomial fit of degree 2, 5 and 10. "
                           "Longley: MLR of y on x1 .. x6.",
                           "Norris: minsta kvadrat-linjen y=kx+l (B0 = l, B1 = k). Pontius, "
                           "Wampler1-5 och Filip: polynomanpassningen av grad 2, 5 och 10. "
                           "Longley: MLR av y på x1 .. x6."),
                ChooseText("NoInt1 and NoInt2: the line y=kx through the origin. Its window "
                           "gives s and the ± of k with N - 2 degrees of freedom and r² about the "
                           "mean, as it always has; NIST's residual SD and sd(B1) (N - 1) and "
                           "uncentred R² are other quantities, so only B1 and the residual sum of "
                           "squares are compared.",
                           "NoInt1 och NoInt2: linjen y=kx genom origo. Dess fönster ger s och ± "
                           "för k med N - 2 frihetsgrader och r² kring medelvärdet, som det "
                           "alltid har gjort; NIST:s residual-s och sd(B1) (N - 1) och ocentrerade "
                           "R² är andra storheter, så bara B1 och residualkvadratsumman jämförs."),
                ChooseText("Longley: MLR reports no standard errors of its coefficients; residual "
                           "SD = √(SS residual/(n - p - 1)), R² = SS regression/SS total.",
                           "Longley: MLR redovisar inga medelfel för koefficienterna; residual-s "
                           "= √(SS residual/(n - p - 1)), R² = SS regression/SS totalt."),
                ChooseText("Wampler1 and Wampler2 are exact fits: F is infinite and not compared; "
                           "for a certified 0 the LRE is the log absolute error, -log10|value|.",
                           "Wampler1 och Wampler2 passar exakt: F är oändligt och jämförs inte; "
                           "för ett certifierat 0 är LRE det logaritmiska absoluta felet, "
                           "-log10|värde|."),
                ChooseText("Filip counts as right when it is fitted to its goal or when the "
                           "polynomial fit refuses it; a wrong curve shown without a word would "
                           "fail.",
                           "Filip räknas som rätt när den anpassas till sitt mål eller när "
                           "polynomanpassningen vägrar; en felaktig kurva utan varning vore "
                           "underkänd.")};
        case ValidationGroup::Distributions:
            return {ChooseText(
                "Each value within its stated tolerance of a reference computed independently "
                "(tests/data/distribution_reference.txt); the goal is the LRE that tolerance "
                "amounts to. A quantile searched on a grid is allowed one step of its grid.",
                "Varje värde inom sin angivna tolerans från ett oberoende beräknat referensvärde "
                "(tests/data/distribution_reference.txt); målet är den LRE toleransen motsvarar. "
                "En kvantil som söks på ett rutnät får avvika ett steg av rutnätet.")};
    }
    return {};
}

}  // namespace tabulon::cli
