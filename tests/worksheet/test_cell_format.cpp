// How data cells show and how a left cell is tidied.
#include <gtest/gtest.h>

#include <string>

#include "worksheet/cell_format.h"

namespace tabulon {
namespace {

// Worked by hand from the display rules: positive Decimals wins, else Significant digits,
// else no decimals; what is not a number in this separator shows empty.
TEST(FormatCellForDisplay, ShowsTheRuleOfTheSettings) {
    const struct {
        const char* text;
        int decimals, significant;
        char separator;
        const char* shown;
    } cases[] = {
        {"7", 2, 0, ',', "7,00"},
        {"-2,346", 2, 0, ',', "-2,35"},
        {"abc", 2, 0, ',', ""},
        {"", 2, 0, ',', ""},
        {"2.5", 2, 0, ',', ""},  // the other separator is not a number
        {"0,012345", 0, 3, ',', "0,0123"},
        {"5", 0, 3, ',', "5,00"},
        {"1.5", 0, 4, '.', "1.500"},
        {"123456", 0, 4, ',', "123500"},
        {"0,1", 0, 0, ',', "0"},  // both zero: no decimals
        {"3", 5, 4, '.', "3.00000"},
        // Counts beyond the windows' 18 come only from a Default.par written elsewhere: the
        // digits stop at the 18 the rounding keeps.
        {"5", 0, 25, '.', "5.00000000000000000"},
        {"-0,25", 0, 2'000'000'000, ',', "-0,25000000000000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatCellForDisplay(c.text, c.decimals, c.significant, c.separator), c.shown)
            << c.text << " " << c.decimals << " " << c.significant;
    }
}

TEST(FormatCellForDisplay, DecimalsStopWhereTheFixedFormatStops) {
    const std::string sixty = "7." + std::string(60, '0');
    EXPECT_EQ(FormatCellForDisplay("7", 60, 0, '.'), sixty);
    EXPECT_EQ(FormatCellForDisplay("7", 1000, 3, '.'), sixty);
    EXPECT_EQ(FormatCellForDisplay("7", 2'147'483'647, 0, '.'), sixty);
}

TEST(NormalizeCellOnLeave, RewritesNumbersAndRefusesText) {
    EXPECT_EQ(NormalizeCellOnLeave("2.5", ',').text, "2,5");
    EXPECT_EQ(NormalizeCellOnLeave("2,5", '.').text, "2.5");
    EXPECT_EQ(NormalizeCellOnLeave("1.50", ',').text, "1,5");
    EXPECT_EQ(NormalizeCellOnLeave("1e3", ',').text, "1000");
    EXPECT_EQ(NormalizeCellOnLeave(" 7 ", ',').text, "7");
    EXPECT_TRUE(NormalizeCellOnLeave("", ',').accepted);
    const LeaveCellResult bad = NormalizeCellOnLeave("abc", ',');
    EXPECT_FALSE(bad.accepted);
    EXPECT_EQ(bad.text, "abc");
    EXPECT_FALSE(NormalizeCellOnLeave("1.2.3", ',').accepted);
}

}  // namespace
}  // namespace tabulon
