// Series colours: the fixed table, and fixed colours of their own from index 15 on.
#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <vector>

#include "graphs/group_color.h"

namespace tabulon {
namespace {

// The fifteen colours as the graph windows have always drawn them; a negative index is black.
TEST(GroupColor, GivesTheTableColours) {
    const std::vector<Color> table{{0, 0, 0},       {255, 0, 0},     {0, 128, 0},   {0, 0, 255},
                                   {128, 0, 0},     {192, 192, 192}, {128, 128, 0}, {128, 0, 128},
                                   {128, 128, 128}, {128, 0, 0},     {0, 128, 128}, {0, 255, 0},
                                   {255, 0, 255},   {0, 255, 255},   {0, 0, 128}};
    for (int i = 0; i < 15; ++i) EXPECT_EQ(GroupColor(i), table[i]) << i;
    EXPECT_EQ(GroupColor(-3), (Color{0, 0, 0}));
}

TEST(GroupColor, FromFifteenOnEachIndexKeepsOneClearColourOfItsOwn) {
    const auto key = [](Color c) { return std::make_tuple(c.r, c.g, c.b); };
    std::set<std::tuple<int, int, int>> seen;
    for (int i = 0; i < 15; ++i) seen.insert(key(GroupColor(i)));
    for (int i = 15; i < 115; ++i) {
        const Color c = GroupColor(i);
        EXPECT_EQ(c, GroupColor(i)) << i;  // the same on every repaint
        EXPECT_TRUE(seen.insert(key(c)).second) << "index " << i << " repeats a colour";
        EXPECT_LT(int(c.r) + c.g + c.b, 3 * 200) << i;  // shows on white paper
        const Color next = GroupColor(i + 1);           // neighbouring series differ clearly
        EXPECT_GT(std::abs(c.r - next.r) + std::abs(c.g - next.g) + std::abs(c.b - next.b), 60)
            << i;
    }
}

}  // namespace
}  // namespace tabulon
