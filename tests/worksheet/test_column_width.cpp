// Auto column width: the widest text, with room for the decimals a text without a separator
// will show.
#include <gtest/gtest.h>

#include <climits>

#include "worksheet/column_width.h"

namespace tabulon {
namespace {

TEST(AutoColumnWidth, AddsRoomForTheDecimalsTheCellsCanShow) {
    Worksheet sheet(3, 5);
    sheet.setCell(2, 1, "Vikt");   // 28
    sheet.setCell(2, 2, "12345");  // 35, and room for decimals
    sheet.setCell(2, 3, "3,25");   // 28, has its separator already
    // 7 per character, so "," is 7 and each decimal 7 + 4.
    const auto width = [](std::string_view text) { return 7 * static_cast<int>(text.size()); };
    const struct {
        int decimals;
        int expected;
    } cases[] = {
        {0, 35},
        {-3, 35},
        {2, 35 + 7 + 2 * 11},
        {60, 35 + 7 + 60 * 11},
        // More decimals than any cell shows (a Default.par from elsewhere) widen no further,
        // and the product with the digit width must not overflow.
        {61, 35 + 7 + 60 * 11},
        {INT_MAX, 35 + 7 + 60 * 11},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AutoColumnWidth(sheet, 2, c.decimals, width), c.expected) << c.decimals;
    }
    // A column of short texts still gets the least width; one outside the sheet too.
    Worksheet narrow(3, 3);
    narrow.setCell(2, 2, "1");
    EXPECT_EQ(AutoColumnWidth(narrow, 2, 0, width), 20);
    EXPECT_EQ(AutoColumnWidth(narrow, 7, 2, width), 20);
}

}  // namespace
}  // namespace tabulon
