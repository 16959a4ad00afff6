// The main menu tree and its enabling rules.
#include "shell/menu_tree.h"

#include <array>

#include "worksheet/column_queries.h"

namespace tabulon {
namespace {

constexpr std::array kMenu = std::to_array<MenuItemDef>({
    {"arkiv", "Arkiv", "", "File"},
    {"arkiv.nytt", "Nytt", "", "New"},
    {"arkiv.nytt.radera_allt", "Radera allt", "", "Erase everything"},
    {"arkiv.nytt.behall_rubriker", "Behåll rubriker", "", "Keep headings"},
    {"arkiv.oppna", "Öppna", "", "Open", 'O'},
    {"arkiv.spara", "Spara", "", "Save", 'S'},
    {"arkiv.spara_som", "Spara som", "", "Save as"},
    {"arkiv.skriv_ut", "Skriv ut", "", "Print", 'P'},
    {"arkiv.utskriftsformat", "Utskriftsformat", "", "Print format"},
    {"arkiv.exportera", "Exportera", "", "Export", 0, true},
    {"arkiv.avsluta", "Avsluta", "", "Exit", 'Q'},

    {"redigera", "Redigera", "", "Edit"},
    {"redigera.angra", "Ångra", "", "Undo", 'Z'},
    {"redigera.decimaler", "Decimaler", "Antal decimaler", "Number of decimals"},
    {"redigera.font", "Font", "", ""},
    {"redigera.farg", "Färg", "", "Color"},
    {"redigera.farg.matrisen", "Matrisen", "matrisen", "Matrix"},
    {"redigera.farg.fixfarg", "Fixfärg", "Fix färg", "Fixed color"},
    {"redigera.kolumner", "Kolumner", "", "Columns"},
    {"redigera.kolumner.max_kolumnbredd", "Max kolumnbredd", "", "Max column width"},
    {"redigera.kolumner.auto_kolumnbredd", "Auto kolumnbredd", "Automatisk kolumnbredd",
     "Auto column width"},
    {"redigera.kolumner.antal_kolumner", "Antal kolumner", "", "Number of columns"},
    {"redigera.kolumner.ta_bort_kolumner", "Ta bort kolumner", "", "Remove columns"},
    {"redigera.kolumner.infoga_kolumn", "Infoga kolumn", "Infoga kolumner", "Insert column"},
    {"redigera.kolumner.ta_bort_tomma_kolumner", "Ta bort tomma kolumner",
     "Ta bort tomma kolumner kolumner", "Remove empty columns"},
    {"redigera.rader", "Rader", "", "Rows"},
    {"redigera.rader.antal_rader", "Antal rader", "", "Number of rows"},
    {"redigera.rader.ta_bort_rader", "Ta bort rader", "", "Remove rows"},
    {"redigera.rader.infoga_rad", "Infoga rad", "Infoga rader", "Insert row"},
    {"redigera.rader.ta_bort_tomma_rader", "Ta bort tomma rader", "", "Remove empty rows"},
    {"redigera.kopiera", "Kopiera", "", "Copy", 'C'},
    {"redigera.klistra_in", "Klistra in", "", "Paste", 'V'},
    {"redigera.klistra_in_special", "Klistra in special", "", "Paste special"},
    {"redigera.visa_anteckningar", "Visa anteckningar", "", "Show notes"},
    {"redigera.sortera", "Sortera", "", "Sort"},
    {"redigera.byt_rader_mot_kolumner", "Byt rader mot kolumner",
     "Byt plats på rader och kolumner", "Swap rows and columns"},
    {"redigera.dela_upp_info", "Dela upp info", "", "Split info"},
    {"redigera.dela_upp_special", "Dela upp special", "", "Split special"},
    {"redigera.markera_allt", "Markera allt", "", "Select all", 'A'},

    {"berakna", "Beräkna", "", "Calculate"},
    {"berakna.kombinerad_aritmetik", "Kombinerad aritmetik", "Kombinderad aritmetik",
     "Combined arithmetics"},
    {"berakna.funktioner", "Funktioner", "", "Functions"},
    {"berakna.bilda_produkter", "Bilda produkter kolumnvis", "",
     "Calculate products columnwise"},
    {"berakna.statistik_markerat", "Statistik på markerat område", "",
     "Statistics of selected area"},
    {"berakna.statistik_markerat.visa", "Visa på skärmen", "På skärmen", "On screen"},
    {"berakna.statistik_markerat.kopiera", "Kopiera till klippbordet", "", "Copy to clipboard"},
    {"berakna.simulera", "Simulera mätdata", "Simulera data", "Simulate data points"},
    {"berakna.simulera.normalfordelat", "Normalfördelat", "", "Normal distribution"},
    {"berakna.simulera.regression", "Regression", "", ""},

    {"endim", "1-Dim", "", ""},
    {"endim.grafik", "Grafik", "", "Graphics"},
    {"endim.statistikdata", "Statistikdata", "", "Statistics"},
    {"endim.ttest", "t-test", "", ""},
    {"endim.ttest.kolumnvarden", "Kolumnvärden", "", "From columns"},
    {"endim.ttest.egna_varden", "Egna värden", "", "From keyboard"},
    {"endim.mann_whitney", "Mann-Whitney u-test", "", ""},
    {"endim.wilcoxon_rank_sum", "Wilcoxon rank sum test", "", ""},
    {"endim.parade", "Parade observationer", "", "Paired observations"},
    {"endim.parade.wilcoxon", "Wilcoxon teckentest", "", "Wilcoxon signed rank test"},
    {"endim.parade.ttest", "Parade observationer t-test", "", "Paired observations t-test"},
    {"endim.ftest", "F-test", "", ""},
    {"endim.ftest.kolumnvarden", "Kolumnvärden", "", "From columns"},
    {"endim.ftest.egna_varden", "Egna värden", "", "From keyboard"},
    {"endim.test_mot_konstant", "Test mot konstant", "", "Test versus constant"},
    {"endim.outliers", "Outliers", "", ""},
    {"endim.anova", "ANOVA", "", ""},
    {"endim.normalfordelning", "Test av normalfördelning", "", "Test of normal distribution"},
    {"endim.sannolikheter", "Sannolikheter", "", "Probabilities"},
    {"endim.sannolikheter.normal", "Normalfördelningen", "", "Normal distribution"},
    {"endim.sannolikheter.t", "t-fördelningen", "", "t-distribution"},
    {"endim.tabeller", "Statistiktabeller", "", "Statistical tables"},
    {"endim.tabeller.normal", "Normalfördelningen", "", "Normal distribution"},
    {"endim.tabeller.t", "t-fördelningen", "", "t-distribution"},
    {"endim.tabeller.chi2", "X2-fördelningen", "", "X2-distribution"},
    {"endim.tabeller.f", "F-fördelningen", "", "F-distribution"},
    {"endim.tabeller.wilcoxon", "Wilcoxon teckentest", "", "Wilcoxon signed rank test"},
    {"endim.konfidensintervall", "Konfidensintervall", "", "Confidence interval"},
    {"endim.konfidensintervall.normal", "Normalfördelningen", "", "Normal distribution"},
    {"endim.konfidensintervall.t", "t-fördelningen", "", "t-distribution"},

    {"tvadim", "2-Dim", "", ""},
    {"tvadim.xy_grafik", "xy-grafik", "", "xy-graphics"},
    {"tvadim.alla_mot_alla", "Alla mot alla", "", "All versus all"},
    {"tvadim.multipla_y", "Multipla y-axlar", "", "", 0, true},
    {"tvadim.samma_x", "Flera grafer samma x-värden", "xy-Överlagrad grafik",
     "xy-Superimposed graphics"},
    {"tvadim.olika_x", "Flera grafer olika x-värden", "", ""},

    {"tredim", "3-Dim", "", ""},
    {"tredim.xyz_grafik", "xyz-grafik", "xyz-frafik", "xyz-graphics"},

    {"ndim", "n-Dim", "", ""},
    {"ndim.oppna_modell", "Öppna modell", "", "Open model"},
    {"ndim.spara_modell", "Spara modell", "", "Save model"},
    {"ndim.anvand_modell", "Använd modell", "", "Use model"},
    {"ndim.visa_modell", "Visa modell", "", "Show model"},
    {"ndim.skapa_modell", "Skapa modell", "", "Create model"},
    {"ndim.skapa_modell.mlr", "MLR: Multipel Linjär Regression", "MLR: Multipel linjär regression",
     "MLR: Multipel Linear Regression"},
    {"ndim.skapa_modell.pcr", "PCR: Principalkomponentregression", "",
     "PCR: Principal Component Regression"},
    {"ndim.skapa_modell.pls", "PLS: Partial Least Squares", "", ""},
    {"ndim.press", "PRESS", "", ""},
    {"ndim.press.mlr", "MLR: Multipel Linjär Regression", "MLR: Multipel linjär regression",
     "MLR: Multipel Linear Regression"},
    {"ndim.press.pcr", "PCR: Principalkomponentregression", "",
     "PCR: Principal Component Regression"},
    {"ndim.press.pls", "PLS: Partial Least Squares", "", ""},
    {"ndim.optimera", "Optimera", "", "Optimize"},
    {"ndim.optimera.pcr", "PCR: Principalkomponentregression", "",
     "PCR: Principal Component Regression"},
    {"ndim.optimera.pls", "PLS: Partial Least Squares", "", ""},
    {"ndim.pca", "PCA: Principalkomponentanalys", "", "PCA: Principal component analysis"},

    {"forsoksplanering", "Försöksplanering", "", "Experimental design"},
    {"forsoksplanering.skapa_modell", "Skapa modell", "", "Create model"},
    {"forsoksplanering.visa_varden", "Visa värden", "", "Show values"},
    {"forsoksplanering.visa_nivaer", "Visa nivåer", "", "Show levels"},

    {"installningar", "Inställningar", "", "Settings"},
    {"installningar.decimaler", "Decimaler", "Antal decimaler", "No of decimals"},
    {"installningar.signifikanta", "Signifikanta siffror", "", "Significant digits"},
    {"installningar.font", "Font", "", ""},
    {"installningar.farg", "Färg", "", "Color"},
    {"installningar.farg.matrisen", "Matrisen", "matrisen", "Matrix"},
    {"installningar.farg.fixfarg", "FixFärg", "Fixfärg", "Headings"},

    {"hjalp", "Hjälp", "", "Help"},
    {"hjalp.index", "Index", "", ""},
    {"hjalp.handbok", "Användarhandbok", "", "User guide"},
    {"hjalp.om", "Om Tabulon", "", "About Tabulon"},

    {"language", "Set Language", "", ""},
    {"language.swedish", "Swedish", "", ""},
    {"language.english", "English", "", ""},

    // Personal-finance tables, shown only after the access code under Hjälp > Index.
    {"extra", "Extra", "", ""},
});

// The items 1-Dim switches, Beräkna's arithmetic items among them.
constexpr std::array kOneDimSwitched = std::to_array<std::string_view>({
    "endim.grafik", "endim.statistikdata", "endim.ttest.kolumnvarden", "endim.test_mot_konstant",
    "endim.outliers", "endim.anova", "endim.normalfordelning", "endim.wilcoxon_rank_sum",
    "endim.mann_whitney", "endim.ftest.kolumnvarden", "endim.parade", "endim.parade.wilcoxon",
    "endim.parade.ttest", "berakna.kombinerad_aritmetik", "berakna.bilda_produkter",
});

std::vector<MenuSwitch> AllTo(std::initializer_list<std::string_view> keys, bool enabled) {
    std::vector<MenuSwitch> out;
    for (auto k : keys) out.push_back({k, enabled});
    return out;
}

}  // namespace

std::span<const MenuItemDef> MenuTree() { return kMenu; }

std::string_view MenuParentKey(std::string_view key) {
    const auto dot = key.rfind('.');
    return dot == std::string_view::npos ? std::string_view{} : key.substr(0, dot);
}

std::string_view MenuCaption(const MenuItemDef& item, Language language) {
    switch (language) {
    case Language::Swedish: return item.swedish.empty() ? item.caption : item.swedish;
    case Language::English: return item.english.empty() ? item.caption : item.english;
    case Language::None: break;
    }
    return item.caption;
}

std::vector<MenuSwitch> EnablingOnOpen(std::string_view top_key, const Worksheet& sheet,
                                       bool model_present) {
    if (top_key == "ndim") {
        return AllTo({"ndim.spara_modell", "ndim.visa_modell", "ndim.anvand_modell"},
                     model_present);
    }
    if (top_key == "tredim") return AllTo({"tredim.xyz_grafik"}, DataColumnCount(sheet) >= 3);
    const bool data = AnyDataColumn(sheet);
    if (top_key == "arkiv") return AllTo({"arkiv.spara_som", "arkiv.skriv_ut"}, data);
    if (top_key == "redigera") {
        return AllTo({"redigera.sortera", "redigera.byt_rader_mot_kolumner"}, data);
    }
    if (top_key == "berakna") {
        return AllTo({"berakna.funktioner", "berakna.statistik_markerat"}, data);
    }
    if (top_key == "endim") {
        std::vector<MenuSwitch> out;
        for (auto k : kOneDimSwitched) out.push_back({k, data});
        return out;
    }
    if (top_key == "tvadim") {
        return AllTo({"tvadim.xy_grafik", "tvadim.alla_mot_alla", "tvadim.samma_x"}, data);
    }
    return {};
}

}  // namespace tabulon
