// The exit: capture radius, pull, win, and the veil that opens and closes the level.
#include "levelend/exit.h"

#include <gtest/gtest.h>

#include "support/harness.h"

namespace {
// The exit marker at (10, 0): the exit point is (15, 5), which the player (1 × 2) reaches with
// its lower-left corner at (14.5, 4).
World exit_at_10_0() {
    World w;
    w.exit_x = 10;
    w.exit_y = 0;
    return w;
}
}  // namespace

TEST(Exit, CapturesWithinThreeAndAThirdCellsPullsAndWinsOnce) {
    TestDisplay display;
    ChunkPtr end = silent_chunk();
    World w = exit_at_10_0();
    LevelTransition t;
    int result = 0;
    Player p;
    p.x = 14.5 + 3.4;
    p.y = 4;
    transition_update(t, result, p, w, end.get());
    EXPECT_FALSE(t.captured);
    EXPECT_EQ(p.x, 14.5 + 3.4);

    p.x = 14.5 + 3.3;
    transition_update(t, result, p, w, end.get());
    EXPECT_TRUE(t.captured);
    EXPECT_NEAR(p.x, 14.5 + 3.3 - 3.3 / 20, 1e-12);
    p.x += 2;  // walking away does not help: the exit keeps pulling
    int frames = 0;
    while (result == 0 && frames < 500) {
        transition_update(t, result, p, w, end.get());
        ++frames;
        if (result == 0) {
            EXPECT_FALSE(sound_played());
        }
    }
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(sound_played());
    EXPECT_LT(exit_proximity(p, w), 1);
    double before_pull = exit_proximity(p, w);
    transition_update(t, result, p, w, end.get());
    EXPECT_FALSE(sound_played());  // the end sound plays once
    EXPECT_EQ(t.proximity, before_pull);
}

TEST(Exit, TheVeilOpensToNineAndClosesIn23Frames) {
    World w = exit_at_10_0();
    LevelTransition t;
    Player p;
    p.x = 100;  // far from the exit
    int result = 0;
    std::vector<int> alphas;
    for (int i = 0; i < 40; ++i) {
        transition_update(t, result, p, w, nullptr);
        alphas.push_back(t.intro_alpha);
    }
    EXPECT_EQ(alphas[0], 230);
    EXPECT_EQ(alphas[1], 207);
    EXPECT_EQ(alphas[36], 9);
    EXPECT_EQ(alphas[39], 9);
    EXPECT_EQ(t.proximity, 255);  // clamped
    result = -2;                  // leaving: the veil closes, the session runs on until it has
    int frames = 0;
    while (transition_running(t)) {
        transition_update(t, result, p, w, nullptr);
        ++frames;
    }
    EXPECT_EQ(frames, 23);
    EXPECT_EQ(result, -2);
}
