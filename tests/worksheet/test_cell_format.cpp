// How data cells show and how a left cell is tidied.
#include "worksheet/cell_format.h"

#include <gtest/gtest.h>

namespace tabulon {
namespace {

struct DisplayCase {
    const char* text;
    int decimals;
    int significant;
    char separator;
    const char* shown;
};

class CellDisplay : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(CellDisplay, ShowsTheRuleOfTheSettings) {
    const DisplayCase& c = GetParam();
    EXPECT_EQ(FormatCellForDisplay(c.text, c.decimals, c.significant, c.separator), c.shown)
        << c.text;
}

// Worked by hand from the display rules.
INSTANTIATE_TEST_SUITE_P(
    Cases, CellDisplay,
    ::testing::Values(DisplayCase{"7", 2, 0, ',', "7,00"},
                      DisplayCase{"-2,346", 2, 0, ',', "-2,35"},
                      DisplayCase{"abc", 2, 0, ',', ""}, DisplayCase{"", 2, 0, ',', ""},
                      DisplayCase{"2.5", 2, 0, ',', ""},  // the other separator is not a number
                      DisplayCase{"0,012345", 0, 3, ',', "0,0123"},
                      DisplayCase{"5", 0, 3, ',', "5,00"}, DisplayCase{"1.5", 0, 4, '.', "1.500"},
                      DisplayCase{"2", 0, 4, ',', "2,000"},
                      DisplayCase{"123456", 0, 4, ',', "123500"},
                      DisplayCase{"0,1", 0, 0, ',', "0"},  // both zero: no decimals
                      DisplayCase{"3", 5, 4, '.', "3.00000"}));  // positive Decimals wins

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
