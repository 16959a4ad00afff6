// Series colours: the fixed table, and fixed colours of their own from index 15 on.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "graphs/group_color.h"

namespace tabulon {
namespace {

struct TableCase {
    int index;
    Color color;
};

class GroupColorTableTest : public ::testing::TestWithParam<TableCase> {};

TEST_P(GroupColorTableTest, GivesTheTableColour) {
    EXPECT_EQ(GroupColor(GetParam().index), GetParam().color);
}

// The fifteen colours as the graph windows have always drawn them.
INSTANTIATE_TEST_SUITE_P(Table, GroupColorTableTest,
                         ::testing::Values(TableCase{0, {0, 0, 0}}, TableCase{1, {255, 0, 0}},
                                           TableCase{2, {0, 128, 0}}, TableCase{3, {0, 0, 255}},
                                           TableCase{4, {128, 0, 0}}, TableCase{5, {192, 192, 192}},
                                           TableCase{6, {128, 128, 0}}, TableCase{7, {128, 0, 128}},
                                           TableCase{8, {128, 128, 128}}, TableCase{9, {128, 0, 0}},
                                           TableCase{10, {0, 128, 128}}, TableCase{11, {0, 255, 0}},
                                           TableCase{12, {255, 0, 255}},
                                           TableCase{13, {0, 255, 255}},
                                           TableCase{14, {0, 0, 128}}));

auto Key(Color c) {
    return std::make_tuple(c.r, c.g, c.b);
}

TEST(GroupColor, FromFifteenOnEachIndexKeepsOneColourOfItsOwn) {
    std::set<std::tuple<int, int, int>> table;
    for (int i = 0; i < 15; ++i) table.insert(Key(GroupColor(i)));
    std::set<std::tuple<int, int, int>> seen;
    for (int i = 15; i < 115; ++i) {
        const Color c = GroupColor(i);
        EXPECT_EQ(c, GroupColor(i)) << i;  // the same on every repaint
        EXPECT_EQ(table.count(Key(c)), 0u) << i;
        EXPECT_TRUE(seen.insert(Key(c)).second) << "index " << i << " repeats a colour";
        EXPECT_LT(int(c.r) + c.g + c.b, 3 * 200) << i;  // shows on white paper
    }
}

TEST(GroupColor, NeighbouringSeriesDifferClearly) {
    for (int i = 15; i < 60; ++i) {
        const Color a = GroupColor(i);
        const Color b = GroupColor(i + 1);
        const int distance = std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
        EXPECT_GT(distance, 60) << i;
    }
}

TEST(GroupColor, ANegativeIndexIsBlack) {
    EXPECT_EQ(GroupColor(-3), (Color{0, 0, 0}));
}

}  // namespace
}  // namespace tabulon
