// The window's opening and closing animations and the full-window message.
#include "app/shell.h"

#include <gtest/gtest.h>

#include "app/draw.h"
#include "app/settings.h"
#include "support/harness.h"

TEST(Shell, OpeningAnimationGrowsTheWindowToJustUnderItsSize) {
    TestDisplay display(1, 1);
    int frames = 0;
    int last_w = 0;
    bool growing = true;
    set_frame_hook([&] {
        int w, h;
        SDL_GetWindowSize(game_window, &w, &h);
        growing = growing && w >= last_w;
        last_w = w;
        ++frames;
    });
    window_intro();
    int w, h;
    SDL_GetWindowSize(game_window, &w, &h);
    EXPECT_EQ(w, 999);  // trunc(1000 × 99.9…/100) before the settings give it its full size
    EXPECT_EQ(h, 599);
    EXPECT_EQ(frames, 44);
    EXPECT_TRUE(growing);

    frames = 0;
    window_outro();
    EXPECT_EQ(frames, 49);
    EXPECT_TRUE(SDL_GetWindowFlags(game_window) & SDL_WINDOW_HIDDEN);
}

TEST(Shell, MessageIsGreyTextCentredOnBlack) {
    TestDisplay display;
    show_message("Bravo !");
    // A 150-point text at a third of its size, centred at (50 %, 40 %).
    int grey = 0;
    for (int x = 380; x < 620; ++x) {
        SDL_Color c = read_pixel(x, 240);
        if (c.r == 200 && c.g == 200 && c.b == 200) ++grey;
    }
    EXPECT_GT(grey, 0);
    SDL_Color corner = read_pixel(5, 5);
    EXPECT_EQ(corner.r + corner.g + corner.b, 0);
}
