// Grid probes at their offsets, and the cell-changing operations.
#include "session/probes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "session/level_files.h"

namespace {
// Builds a layer from rows given top first.
Grid layer_of(std::initializer_list<std::string> rows) {
    std::string text;
    for (const std::string& r : rows) text += r + "\n";
    return parse_grid_text(text, true);
}
}  // namespace

TEST(Probes, FloorAndCeilingLookAtTheirRowsAndColumns) {
    Grid g = layer_of({"     ", "     ", "   a ", "   a "});
    // At y = 0 the floor probe looks at row 0 (trunc(−1e-10) is 0), not below the level.
    EXPECT_TRUE(probe_floor(g, 3.0, 0.0));
    // x = 3.0 looks at column 3 only; 2.0 at columns 2 and 2; 2.2 at columns 2 and 3.
    EXPECT_TRUE(probe_floor(g, 3.0, 2.0));
    EXPECT_FALSE(probe_floor(g, 2.0, 2.0));
    EXPECT_TRUE(probe_floor(g, 2.2, 2.0));
    EXPECT_FALSE(probe_floor(g, 3.0, 2.5));  // feet above row 2: looks at row 2, empty
    // The ceiling probe looks at the head's own row while standing, y + 1.999999999.
    Grid c = layer_of({"   a ", "     ", "     "});
    EXPECT_FALSE(probe_ceiling(c, 3.0, 0.0));
    EXPECT_TRUE(probe_ceiling(c, 3.0, 0.0000001 + 0.0000000015));
    EXPECT_TRUE(probe_ceiling(c, 3.0, 1.0));
    // Hidden blocks stop heads but not feet; one-way platforms the reverse.
    Grid f = layer_of({"f", "h"});
    EXPECT_FALSE(probe_floor(f, 0, 2.0));
    EXPECT_TRUE(probe_ceiling(f, 0, -0.5));
    EXPECT_TRUE(probe_floor(f, 0, 1.0));
    EXPECT_FALSE(probe_ceiling(f, 0, -1.0));
}

TEST(Probes, SideProbesUseTruncatedColumns) {
    Grid g = layer_of({"     ", "a   a", "     "});
    // probe_left looks at column trunc(x): standing right of the wall at x = 1 is not blocked.
    EXPECT_FALSE(probe_left(g, 1.0, 0.0));
    EXPECT_TRUE(probe_left(g, 0.99, 0.0));
    EXPECT_TRUE(probe_left(g, -0.5, 0.0));  // trunc toward zero: column 0
    // probe_right looks at column trunc(x) + w as soon as x reaches a whole number.
    EXPECT_TRUE(probe_right(g, 3.0, 0.0));
    EXPECT_TRUE(probe_right(g, 3.9, 0.0));
    EXPECT_FALSE(probe_right(g, 2.9, 0.0));
    EXPECT_TRUE(probe_right(g, 2.0, 0.0, 2.0));
    // Rows trunc(y), trunc(y + 1) and trunc(y + 1.999): a wall blocks while the body overlaps it.
    EXPECT_TRUE(probe_right(g, 3.0, 1.0));
    EXPECT_FALSE(probe_right(g, 3.0, 1.0005 + 1));
    // One-way platforms and hidden blocks never stop sideways movement.
    Grid open = layer_of({" h", " f"});
    EXPECT_FALSE(probe_right(open, 0.0, 0.0));
}

// The highest side probe sits a thousandth of a cell under the top of the two-cell body: a
// wall the head overlaps by less than that (a ledge the player has just jumped to) does not
// block, one a few thousandths deep does.
TEST(Probes, SideProbesReachJustUnderTheTopOfTheHead) {
    Grid g = layer_of({"     ", "a   a", "     ", "     ", "     "});  // walls in row 3 only
    for (double y : {1.0005, 1.0009}) {
        EXPECT_FALSE(probe_left(g, 0.5, y)) << y;
        EXPECT_FALSE(probe_right(g, 3.0, y)) << y;
    }
    for (double y : {1.0011, 1.005}) {
        EXPECT_TRUE(probe_left(g, 0.5, y)) << y;
        EXPECT_TRUE(probe_right(g, 3.0, y)) << y;
    }
}

TEST(Probes, TouchTakesOneCellLeftColumnFirstLowerRowFirst) {
    Grid g = layer_of({"HH", "HH"});
    // Player at (0, 0) covers columns 0 and 1, rows trunc(0.99) = 0 and trunc(1.99) = 1.
    ASSERT_TRUE(touch_cells(g, 0, 0, 1, 2, 'H', ' '));
    EXPECT_EQ(grid_get(0, 0, g), ' ');
    EXPECT_EQ(grid_get(1, 0, g), 'H');
    ASSERT_TRUE(touch_cells(g, 0, 0, 1, 2, 'H', ' '));
    EXPECT_EQ(grid_get(1, 0, g), ' ');
    EXPECT_EQ(grid_get(0, 1, g), 'H');
    ASSERT_TRUE(touch_cells(g, 0, 0, 1, 2, 'H', 'B'));
    EXPECT_EQ(grid_get(0, 1, g), 'B');
    ASSERT_TRUE(touch_cells(g, 0, 0, 1, 2, 'H', ' '));
    EXPECT_FALSE(touch_cells(g, 0, 0, 1, 2, 'H', ' '));
}

TEST(Probes, BumpingSpendsEveryBlockOverTheHeadAndPlacesItems) {
    Grid g = layer_of({"     ", "     ", " dd  ", "     ", "     "});
    // Head two cells above y = 0 at x = 1.5: row trunc(2.5) = 2, columns 1 and 2.
    ASSERT_TRUE(bump_item_block(g, g, 1.5, 0, 1, 2, 'd', 'e'));
    EXPECT_EQ(grid_get(2, 1, g), 'e');
    EXPECT_EQ(grid_get(2, 2, g), 'e');
    std::set<char> items{'C', 'D', 'E', 'H'};
    EXPECT_TRUE(items.count(grid_get(3, 1, g)));
    EXPECT_TRUE(items.count(grid_get(3, 2, g)));
    EXPECT_FALSE(bump_item_block(g, g, 1.5, 0, 1, 2, 'd', 'e'));
    EXPECT_FALSE(bump_item_block(g, g, 1.5, -0.1, 1, 2, 'e', 'd'));  // never below the level

    Grid b = layer_of({"bb", "  ", "  "});
    ASSERT_TRUE(bump_breakable(b, 0.5, 0, 1, 2, 'b'));
    EXPECT_EQ(grid_get(2, 0, b), ' ');
    EXPECT_EQ(grid_get(2, 1, b), ' ');
}

TEST(Probes, RandomBetweenStaysInItsRange) {
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        int v = random_between('C', 'I');
        ASSERT_GE(v, 'C');
        ASSERT_LE(v, 'I');
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 7u);
}

TEST(Probes, ASeedReplaysTheSameItemDraws) {
    auto draws = [](std::uint32_t seed) {
        random_seed(seed);
        std::string s;
        for (int i = 0; i < 50; ++i) s += static_cast<char>(random_between('C', 'I'));
        return s;
    };
    EXPECT_EQ(draws(42), draws(42));
    EXPECT_NE(draws(42), draws(43));
}
