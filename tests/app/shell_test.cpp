// The window's opening and closing animations and the full-window message.
#include "app/shell.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/draw.h"
#include "app/settings.h"
#include "app/splash.h"
#include "support/harness.h"

TEST(Shell, OpeningAnimationGrowsTheWindowToJustUnderItsSize) {
    TestDisplay display(1, 1);
    int frames = 0;
    int last_w = 0;
    bool growing = true;
    int unlike_splash = 0;  // frames showing another colour than the splashes' background
    set_frame_hook([&] {
        int w, h;
        SDL_GetWindowSize(game_window, &w, &h);
        growing = growing && w >= last_w;
        last_w = w;
        ++frames;
        SDL_Color c = read_pixel(0, 0);
        if (c.r != splash_background.r || c.g != splash_background.g || c.b != splash_background.b)
            ++unlike_splash;
    });
    window_intro();
    int w, h;
    SDL_GetWindowSize(game_window, &w, &h);
    EXPECT_EQ(w, 999);  // trunc(1000 × 99.9…/100) before the settings give it its full size
    EXPECT_EQ(h, 599);
    EXPECT_EQ(frames, 44);
    EXPECT_TRUE(growing);
    EXPECT_EQ(unlike_splash, 0);  // the window opens in the splashes' colour, not white

    frames = 0;
    window_outro();
    EXPECT_EQ(frames, 49);
    EXPECT_TRUE(SDL_GetWindowFlags(game_window) & SDL_WINDOW_HIDDEN);
}

// A hand-edited size far beyond any screen grows the window only as far as the display.
TEST(Shell, OpeningAnimationStaysWithinTheDisplay) {
    Settings saved = settings;
    TestDisplay display(1, 1);
    settings.resx = 100000;
    settings.resy = 100000;
    SDL_Rect bounds{};
    ASSERT_EQ(SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(game_window), &bounds), 0);
    int widest = 0, highest = 0;
    set_frame_hook([&] {
        int w, h;
        SDL_GetWindowSize(game_window, &w, &h);
        widest = std::max(widest, w);
        highest = std::max(highest, h);
    });
    window_intro();
    settings = saved;
    EXPECT_LE(widest, std::min(bounds.w, window_max_width));
    EXPECT_LE(highest, std::min(bounds.h, window_max_height));
    EXPECT_GE(widest, std::min(bounds.w, window_max_width) * 99 / 100);  // it did grow
}

// In exclusive full screen each resize would switch the display's mode: the window closes with
// the frame fading to black over the same 49 frames instead of shrinking.
TEST(Shell, ExclusiveFullScreenClosesWithAFadeAlone) {
    Settings saved = settings;
    TestDisplay display;
    settings.mode = mode_fullscreen;
    settings_apply();
    SDL_SetRenderDrawColor(game_renderer, 255, 255, 255, 255);
    SDL_RenderClear(game_renderer);
    present_frame();
    std::vector<int> shades;
    set_frame_hook([&] { shades.push_back(read_pixel(5, 5).r); });
    window_outro();
    settings = saved;
    ASSERT_EQ(shades.size(), 49u);
    EXPECT_GE(shades.front(), 250);
    EXPECT_EQ(shades.back(), 0);
    EXPECT_TRUE(std::is_sorted(shades.rbegin(), shades.rend()));  // darker frame after frame
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
