// Splash screens: the fades' alphas, the hold's length, skipping and quitting.
#include "app/splash.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/clock.h"
#include "app/draw.h"
#include "app/screen.h"
#include "support/harness.h"

namespace {
struct Frames {
    int presents = 0;
};

void push_quit() {
    SDL_Event e{};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
}

void push_click() {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_LEFT;
    SDL_PushEvent(&e);
}
}  // namespace

TEST(Splash, FadesInHoldsAndSinksIntoBlack) {
    const Controls none;
    Splash first = splash_start(1400, true);
    std::vector<int> veil, image;
    while (first.phase == SplashPhase::fade_in) {
        splash_update(first, none);
        veil.push_back(first.veil_alpha);
        image.push_back(first.image_alpha);
    }
    ASSERT_EQ(veil.size(), 18u);
    EXPECT_EQ(veil[1], 15);
    EXPECT_EQ(veil[17], 255);
    EXPECT_EQ(image[0], 255);  // the first picture shows from the start; black closes around it

    Splash second = splash_start(2000, false);
    splash_update(second, none);
    EXPECT_EQ(second.veil_alpha, 255);  // later pictures fade in on black
    EXPECT_EQ(second.image_alpha, 0);

    int holds = 0;
    while (first.phase == SplashPhase::hold) {
        splash_update(first, none);
        ++holds;
    }
    EXPECT_EQ(holds, 140);
    std::vector<int> cover;
    while (first.phase == SplashPhase::fade_out) {
        EXPECT_EQ(splash_update(first, none), screen_running);
        cover.push_back(first.cover_alpha);
    }
    ASSERT_EQ(cover.size(), 16u);
    EXPECT_EQ(cover[0], 0);
    EXPECT_EQ(cover[15], 255);
    EXPECT_EQ(splash_update(first, none), splash_done);
}

// The whole screen, counted in presented frames: 18 of fade-in, duration / 10 of hold, 16 of
// fade-out, and a black frame before every splash but the first.
TEST(Splash, HoldLastsATenthOfTheDurationInFramesAndAKeyCutsIt) {
    TestDisplay display;
    Frames f;
    set_frame_hook([&] { ++f.presents; });
    push_key(SDLK_SPACE);  // pressed before the splash: forgotten
    EXPECT_TRUE(show_splash(1400, "ide/splashScreen.png", true));
    EXPECT_EQ(f.presents, 18 + 140 + 16);

    f.presents = 0;
    int start = now_ms();
    EXPECT_TRUE(show_splash(2000, "ide/splashScreen2.png", false));
    EXPECT_EQ(f.presents, 1 + 18 + 200 + 16);
    EXPECT_GE(now_ms() - start, 500 + (18 + 200 + 16) * 16);  // the blackout's half second

    f.presents = 0;
    set_frame_hook([&] {
        if (++f.presents == 18 + 10) push_key(SDLK_RETURN);
    });
    EXPECT_TRUE(show_splash(1400, "ide/splashScreen.png", true));
    EXPECT_EQ(f.presents, 18 + 10 + 16);  // the fade-out still plays

    f.presents = 0;
    set_frame_hook([&] {
        if (++f.presents == 18 + 3) push_click();
    });
    EXPECT_TRUE(show_splash(1400, "ide/splashScreen.png", true));
    EXPECT_EQ(f.presents, 18 + 3 + 16);

    // A controller's button cuts it as well.
    f.presents = 0;
    set_frame_hook([&] {
        if (++f.presents != 18 + 5) return;
        SDL_Event e{};
        e.type = SDL_CONTROLLERBUTTONDOWN;
        e.cbutton.button = SDL_CONTROLLER_BUTTON_A;
        SDL_PushEvent(&e);
    });
    EXPECT_TRUE(show_splash(1400, "ide/splashScreen.png", true));
    EXPECT_EQ(f.presents, 18 + 5 + 16);
}

TEST(Splash, ClosingTheWindowQuits) {
    TestDisplay display;
    Frames f;
    set_frame_hook([&] {
        if (++f.presents == 18 + 5) push_quit();
    });
    EXPECT_FALSE(show_splash(1400, "ide/splashScreen.png", true));
    EXPECT_EQ(f.presents, 18 + 5);  // no fade-out

    // Closed while the previous splash was fading out: the next one does not show.
    f.presents = 0;
    set_frame_hook([&] { ++f.presents; });
    push_quit();
    EXPECT_FALSE(show_splash(2000, "ide/splashScreen2.png", false));
    EXPECT_EQ(f.presents, 0);
}

TEST(Splash, PictureIsCentredAtHalfWidthAndFortyFivePercentHeight) {
    TestDisplay display;
    SplashArt art;
    art.image = solid_texture(101, 51, {200, 30, 30, 255});
    art.veil = solid_texture(1, 1, {0, 0, 0, 255});
    SDL_SetTextureBlendMode(art.veil.get(), SDL_BLENDMODE_BLEND);
    Splash s = splash_start(1400, true);
    s.phase = SplashPhase::hold;
    s.veil_alpha = 255;
    splash_draw(s, art);
    EXPECT_RECT(find_colour({200, 30, 30, 255}), 449, 244, 101, 51);
    EXPECT_EQ(read_pixel(10, 10).r, 0);
}
