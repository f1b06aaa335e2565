// Frame cap and drawing helpers, checked by their numbers and by pixels on the software renderer.
#include "app/draw.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/clock.h"
#include "support/harness.h"

namespace {
const SDL_Color red{255, 0, 0, 255};

}  // namespace

TEST(Draw, SetAlphaClampsThenSubtractsTheAbsoluteFade) {
    EXPECT_EQ(alpha_value(0, 255, 255, 300), 0);
    EXPECT_EQ(alpha_value(0, 200, 255, 0), 200);
    EXPECT_EQ(alpha_value(0, 255, 250, -5), 245);
    EXPECT_EQ(alpha_value(0, 180, 255, 100), 80);
    EXPECT_EQ(alpha_value(10, 255, 0, 0), 10);
}

TEST(Draw, TileSizeIsATwentyFourthOfTheHeight) {
    window_height = 600;
    EXPECT_EQ(tile_size(), 25);
    window_height = 1080;
    EXPECT_EQ(tile_size(), 45);
    window_height = 1050;
    EXPECT_EQ(tile_size(), 43);
    // Without a window manager a window can be made lower than 24 pixels; the session divides
    // the view by the cell size, so a cell stays one pixel at least.
    for (int h : {0, 1, 23}) {
        window_height = h;
        EXPECT_EQ(tile_size(), 1) << "window height " << h;
    }
    window_height = 600;
}

TEST(Draw, HelpersPlaceTexturesWhereTheGameExpects) {
    TestDisplay display;
    TexturePtr cell = solid_texture(7, 9, red);

    clear_black();
    draw_cell(cell.get(), 0, 0);
    EXPECT_RECT(find_colour(red), 0, 575, 25, 25);

    clear_black();
    draw_cell(cell.get(), 2.5, 3.9);  // trunc(62.5), trunc(600 - 25 × 4.9)
    EXPECT_RECT(find_colour(red), 62, 477, 25, 25);

    TexturePtr wide = solid_texture(101, 51, red);
    clear_black();
    draw_scaled_centered(wide.get(), 50, 50, 1.0);
    EXPECT_RECT(find_colour(red), 449, 274, 101, 51);

    clear_black();
    draw_scaled_anchored(wide.get(), 10, 20, 0.5);  // 50 × 25 with its lower-left at (10, 20)
    EXPECT_RECT(find_colour(red), 10, 555, 50, 25);

    clear_black();
    draw_cell_px(cell.get(), 30, 100);
    EXPECT_RECT(find_colour(red), 30, 500, 25, 25);

    clear_black();
    draw_scaled(wide.get(), 3, 4, 2.0);
    EXPECT_RECT(find_colour(red), 3, 4, 202, 102);
}

TEST(Draw, SpriteCellsSubtractTheCellHeightAsPixels) {
    TestDisplay display;
    TexturePtr sprite = solid_texture(4, 8, red);
    clear_black();
    // The player's sprite: 1 × 2 cells whose top edge is 150 pixels above the lower edge.
    draw_sprite_cells(sprite.get(), false, 100, 150, 1.0, 2.0);
    EXPECT_RECT(find_colour(red), 100, 448, 25, 50);
}

TEST(Draw, PresentFrameSleepsTheRemainderAndNeverCatchesUp) {
    TestDisplay display;
    clock_use_virtual(true, 1000);
    reset_frame_cap();
    present_frame();  // first call: 1/60 s from now, trunc(16.67) = 16 ms
    EXPECT_EQ(now_ms(), 1016);
    clock_advance(5);  // 5 ms of work: sleeps trunc(11.67) = 11
    present_frame();
    EXPECT_EQ(now_ms(), 1032);
    clock_advance(40);  // a slow frame: no sleep, no catching up afterwards
    present_frame();
    EXPECT_EQ(now_ms(), 1072);
    present_frame();  // measured from the previous present
    EXPECT_EQ(now_ms(), 1088);
    int hook_calls = 0;
    set_frame_hook([&] { ++hook_calls; });
    present_frame();
    EXPECT_EQ(hook_calls, 1);
}

TEST(Draw, WindowSnapshotCopiesTheCurrentFrame) {
    TestDisplay display;
    TexturePtr cell = solid_texture(1, 1, red);
    clear_black();
    draw_cell(cell.get(), 1, 1);
    TexturePtr snap = window_snapshot();
    ASSERT_NE(snap, nullptr);
    clear_black();
    draw_fullscreen(snap.get());
    EXPECT_RECT(find_colour(red), 25, 550, 25, 25);
}
