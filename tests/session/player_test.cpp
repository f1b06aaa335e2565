// Player physics, number for number.
#include "session/player.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/clock.h"
#include "app/shell.h"
#include "session/level_files.h"
#include "support/harness.h"

namespace {
// A 40 × 20 level with a floor along row 0, and helpers to place cells.
struct Field {
    World world;
    Grid& play = world.play_grid;
    std::vector<Uint8> keys = std::vector<Uint8>(SDL_NUM_SCANCODES, 0);
    Player p;
    PlayerInput in;

    Field() {
        std::string text;
        for (int r = 0; r < 19; ++r) text += std::string(40, ' ') + "\n";
        text += std::string(40, 'a') + "\n";
        play = parse_grid_text(text, true);
        player_spawn(p, 5, 1);
        p.on_ground = 1;
    }
    void set(int row, int col, char c) { grid_set(row, col, play, c); }
    void step() {
        // The session holds a jump with Up, W or Space.
        in.jump_keys_held =
            keys[SDL_SCANCODE_UP] || keys[SDL_SCANCODE_W] || keys[SDL_SCANCODE_SPACE];
        player_update(p, world, in, frame_dt, nullptr);
        in.jump_pressed = in.dash_pressed = 0;
    }
};
}  // namespace

TEST(Player, AccelerationAndFrictionPerFrame) {
    Field f;
    f.in.right = 0.8;
    f.step();  // on the ground: target 13.6, gained at 3 × 2 per second
    EXPECT_NEAR(f.p.vx, 13.6 * frame_dt * 6, 1e-12);

    Field g;
    g.p.vx = 12;
    g.step();  // no push on the ground: 5/6 per frame
    EXPECT_NEAR(g.p.vx, 10.0, 1e-12);

    Field air;
    air.p.y = 10;
    air.p.on_ground = 0;
    air.p.vx = 12;
    air.step();  // in the air: 11/12 per frame
    EXPECT_NEAR(air.p.vx, 11.0, 1e-12);

    Field fast;
    fast.p.vx = 20;
    fast.in.right = 1;
    fast.step();  // above the target on the ground: eased back once, without the ground factor
    EXPECT_NEAR(fast.p.vx, 20 - 3 * frame_dt * 3, 1e-12);

    Field both;
    both.p.vx = 6;
    both.in.right = both.in.left = 1;  // both pushed: friction
    both.step();
    EXPECT_NEAR(both.p.vx, 5.0, 1e-12);
}

TEST(Player, SweepMovesNinetyNineHundredthsOfAStep) {
    Field f;
    f.p.vx = 17;
    f.in.right = 1;
    f.step();
    EXPECT_NEAR(f.p.x, 5 + 17 * 0.99 * frame_dt, 1e-9);
    EXPECT_EQ(f.p.y, 1.0);
    EXPECT_EQ(f.p.on_ground, 1);
}

TEST(Player, WalkingIntoAWallSnapsToTheColumnBeforeIt) {
    Field f;
    f.set(1, 9, 'a');
    f.set(2, 9, 'a');
    f.p.x = 7.9;
    f.p.vx = 17;
    f.in.right = 1;
    f.step();
    EXPECT_EQ(f.p.vx, 0);
    EXPECT_EQ(f.p.x, 8.0);
    f.in.right = 0;
    f.in.left = 1;
    f.p.x = 10.05;
    f.p.vx = -17;
    f.step();
    EXPECT_EQ(f.p.vx, 0);
    EXPECT_EQ(f.p.x, 10.0);
}

TEST(Player, HeldJumpKeepsFullSpeedUntilFourCellsOfRise) {
    Field f;
    f.keys[SDL_SCANCODE_SPACE] = 1;
    f.in.jump_pressed = 1;
    int full_speed_frames = 0;
    for (int i = 0; i < 30; ++i) {
        f.step();
        // A frame swept at 22 ends at 22 − 90/60 = 20.5.
        if (std::abs(f.p.vy - (22 - gravity * frame_dt)) < 1e-9) ++full_speed_frames;
    }
    // The rise counts from the first free frame, so full speed lasts 13 frames.
    EXPECT_EQ(full_speed_frames, 13);
    EXPECT_EQ(f.in.jump_rise, -1);

    // Released early, the jump cannot be prolonged again.
    Field g;
    g.keys[SDL_SCANCODE_SPACE] = 1;
    g.in.jump_pressed = 1;
    g.step();
    g.step();
    g.keys[SDL_SCANCODE_SPACE] = 0;
    g.step();
    EXPECT_EQ(g.in.jump_rise, -1);
    double vy = g.p.vy;
    g.keys[SDL_SCANCODE_SPACE] = 1;
    g.step();
    EXPECT_NEAR(g.p.vy, vy - gravity * frame_dt, 1e-12);
}

TEST(Player, WallJumpPushesAwayFromTheWall) {
    Field f;
    for (int r = 5; r < 10; ++r) f.set(r, 8, 'a');
    f.p.x = 7.0;
    f.p.y = 6;
    f.p.on_ground = 0;
    f.in.jump_pressed = 1;
    f.step();
    EXPECT_EQ(f.p.vx, -51);
    EXPECT_GT(f.p.vy, 20);

    Field g;
    for (int r = 5; r < 10; ++r) g.set(r, 4, 'a');
    g.p.x = 5.0 - 0.001;
    g.p.y = 6;
    g.p.on_ground = 0;
    g.in.jump_pressed = 1;
    g.step();
    EXPECT_EQ(g.p.vx, 51);
}

TEST(Player, DashRunsSevenFramesAndNeedsTenThousandPower) {
    Field f;
    f.p.power = 10000;
    f.p.vx = 3;
    f.in.dash_pressed = 1;
    f.step();
    EXPECT_EQ(f.p.power, 0);
    EXPECT_EQ(f.p.vx, 0);
    EXPECT_NEAR(f.p.x, 5.8, 1e-12);
    for (int i = 1; i < 7; ++i) {
        EXPECT_NE(f.p.dash_timer, 0);
        f.step();
    }
    EXPECT_EQ(f.p.dash_timer, 0);
    EXPECT_NEAR(f.p.x, 5 + 7 * 0.8, 1e-9);

    Field poor;  // not enough power: no dash, and no drive in that frame either
    poor.p.power = 9999;
    poor.p.vx = 5;
    poor.in.right = 1;
    poor.in.dash_pressed = 1;
    poor.step();
    EXPECT_EQ(poor.p.power, 9999);
    EXPECT_EQ(poor.p.vx, 5);
    EXPECT_EQ(poor.p.dash_timer, 0);

    Field wall;  // a dash into a wall stops at it and ends
    wall.set(1, 9, 'a');
    wall.set(2, 9, 'a');
    wall.p.power = 10000;
    wall.in.dash_pressed = 1;
    for (int i = 0; i < 7; ++i) wall.step();
    EXPECT_EQ(wall.p.x, 8.0);
    EXPECT_EQ(wall.p.dash_timer, 0);
}

TEST(Player, FallingOntoAFloorLandsOnAWholeRow) {
    Field f;
    f.p.y = 4.3;
    f.p.vy = -10;
    f.p.on_ground = 0;
    for (int i = 0; i < 60 && !f.p.on_ground; ++i) f.step();
    EXPECT_EQ(f.p.on_ground, 1);
    EXPECT_EQ(f.p.y, 1.0);
    EXPECT_EQ(f.p.vy, 0);
    // Jumping up into a one-way platform: the feet inside its cell let the player through.
    Field g;
    g.set(3, 5, 'h');
    g.p.y = 3.5;
    g.p.vy = -1;
    g.p.on_ground = 0;
    g.step();
    EXPECT_LT(g.p.y, 3.5);
    EXPECT_EQ(g.p.on_ground, 1);
}

TEST(Player, HeadBumpsSpendItemBlocksAndBreakBricks) {
    Field f;
    f.set(4, 5, 'd');
    f.set(4, 6, 'b');
    f.p.x = 5.5;
    f.p.y = 1.8;
    f.p.vy = 22;
    f.p.on_ground = 0;
    f.step();
    EXPECT_EQ(grid_get(4, 5, f.play), 'e');
    EXPECT_EQ(grid_get(4, 6, f.play), ' ');
    EXPECT_NE(grid_get(5, 5, f.play), ' ');  // the item stands on the spent block
    EXPECT_EQ(f.p.vy, 0 - gravity * frame_dt);
}

TEST(Player, ItemsAreTakenInTheirOrder) {
    Field f;  // coin, time and trap in reach: all three act, one cell each
    f.set(1, 5, 'H');
    f.set(2, 5, 'C');
    f.set(1, 6, 'A');
    f.p.time_left = 100000;
    f.step();
    EXPECT_EQ(f.p.power, 1000);
    EXPECT_EQ(f.p.time_left, 100000 + 60000 - 13000);
    EXPECT_EQ(f.p.items_collected, 2);
    EXPECT_EQ(grid_get(1, 6, f.play), 'B');

    Field g;  // a speed item taken this frame spares the trap
    g.set(1, 5, 'E');
    g.set(2, 6, 'A');
    g.step();
    EXPECT_EQ(g.p.vx, 80);
    EXPECT_EQ(grid_get(2, 6, g.play), 'A');

    Field s;  // a spring stays and bounces on every frame of contact
    s.set(1, 5, 'G');
    s.step();
    EXPECT_EQ(s.p.vy, 66);
    EXPECT_EQ(grid_get(1, 5, s.play), 'G');
    s.p.y = 1;
    s.p.vy = 0;
    s.step();
    EXPECT_EQ(s.p.items_collected, 2);

    Field d;
    d.set(2, 6, 'D');
    d.step();
    EXPECT_EQ(d.p.vy, 66);
    EXPECT_EQ(grid_get(2, 6, d.play), ' ');
}

TEST(Player, NothingMovesWithAZeroStep) {
    Field f;
    f.p.vx = 4;
    f.in.right = 1;
    player_update(f.p, f.world, f.in, 0, nullptr);
    EXPECT_EQ(f.p.vx, 4);
    EXPECT_EQ(f.p.x, 5);
}

TEST(Player, LifeCheckCountsDownAndRestartsTheDead) {
    clock_use_virtual(true);
    init_libraries();
    Player p;
    PlayerSounds snd;
    snd.over = silent_chunk();
    auto over_played = sound_played;

    // The restart that opens a level is silent.
    EXPECT_TRUE(player_life_check(p, &snd));
    EXPECT_FALSE(over_played());
    EXPECT_EQ(p.respawns, 1);
    player_spawn(p, 2, 3);
    EXPECT_EQ(p.respawns, 2);
    EXPECT_FALSE(player_life_check(p, &snd));
    EXPECT_EQ(p.time_left, full_time - 16);
    EXPECT_EQ(p.power, 10);

    p.power = max_power;
    p.time_left = full_time + 500;
    EXPECT_FALSE(player_life_check(p, &snd));
    EXPECT_EQ(p.power, max_power);
    EXPECT_EQ(p.time_left, full_time);

    // Time running out kills, and every later restart plays "over.wav".
    p.time_left = 16;
    p.items_collected = 4;
    EXPECT_TRUE(player_life_check(p, &snd));
    EXPECT_TRUE(over_played());
    EXPECT_EQ(p.time_left, full_time);
    EXPECT_EQ(p.power, 0);
    EXPECT_EQ(p.items_collected, 0);

    player_spawn(p, 2, 3);
    p.y = -0.01;  // fallen below the level, running and falling fast
    p.vx = 12;
    p.vy = -40;
    EXPECT_TRUE(player_life_check(p, &snd));
    player_spawn(p, 2, 3);  // starts again standing still
    EXPECT_EQ(p.vx, 0);
    EXPECT_EQ(p.vy, 0);
    snd.over.reset();
    quit_libraries();
    clock_use_virtual(false);
}
