// The title screen: which keys confirm, the confirmation sound, and closing the window.
#include "menus/title.h"

#include <gtest/gtest.h>

#include "app/draw.h"
#include "app/screen.h"
#include "support/harness.h"

namespace {
SDL_Event key(SDL_Keycode k) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = k;
    return e;
}

Controls with(SDL_Event e) {
    Controls c;
    c.events.push_back(e);
    return c;
}
}  // namespace

// Keys other than Space and Return, and a mouse motion, leave the title waiting while it fades in.
TEST(Title, OtherKeysAndMotionDoNothing) {
    TestDisplay display;
    TitleSounds sounds{silent_chunk()};
    Title t;
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    for (SDL_Event e : {key(SDLK_a), key(SDLK_ESCAPE), key(SDLK_BACKSPACE), motion}) {
        EXPECT_EQ(title_update(t, with(e), &sounds), screen_running);
        EXPECT_EQ(t.state, title_waiting);
        EXPECT_FALSE(sound_played());
    }
    // The fade-in went on: 255 on the first frame, 15 less on each of the three after it.
    EXPECT_EQ(t.fade, 210);
    EXPECT_EQ(title_update(t, with(key(SDLK_RETURN)), &sounds), screen_running);
    EXPECT_EQ(t.state, title_confirmed);
}

// A second Space while the title already fades out plays nothing more.
TEST(Title, SpaceTwicePlaysTheSoundOnce) {
    TestDisplay display;
    TitleSounds sounds{silent_chunk()};
    Title t;
    t.returning = true;
    t.ticks = 100;  // long after the fade-in
    t.fade = 0;
    title_update(t, with(key(SDLK_SPACE)), &sounds);
    EXPECT_TRUE(sound_played());
    title_update(t, with(key(SDLK_SPACE)), &sounds);
    EXPECT_FALSE(sound_played());
    EXPECT_EQ(t.state, title_confirmed);
    // The fade-out grows by 15 a frame from 0: 17 frames in all, then the screen is over.
    Controls none;
    int frames = 2;
    while (title_update(t, none, &sounds) == screen_running) ++frames;
    EXPECT_EQ(frames, 17);
    EXPECT_EQ(t.fade, 255);
}

// Closing the window fades to black and returns 255; the last frame is black.
TEST(Title, ClosingReturns255OnABlackFrame) {
    Sandbox sandbox;
    TestDisplay display;
    int frames = 0;
    set_frame_hook([&] {
        if (++frames == 3) {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        }
        if (frames == 200) {  // a title deaf to the close would otherwise never end
            SDL_Event click{};
            click.type = SDL_MOUSEBUTTONDOWN;
            SDL_PushEvent(&click);
        }
    });
    EXPECT_EQ(title_screen(false), title_quit);
    set_frame_hook(nullptr);
    SDL_Color c = read_pixel(500, 300);
    EXPECT_EQ(c.r + c.g + c.b, 0);
    // 3 frames fading in, then 17 fading out from 210 to 255 (and beyond), then the last one.
    EXPECT_GT(frames, 3);
    EXPECT_LT(frames, 30);
}

// A close while the title was opening is not thrown away with the other pending events.
TEST(Title, ClosingWhileItOpensQuits) {
    Sandbox sandbox;
    TestDisplay display;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    int frames = 0;
    set_frame_hook([&] {
        if (++frames == 100) push_key(SDLK_RETURN);  // a title that lost the close goes on
    });
    EXPECT_EQ(title_screen(false), title_quit);
    set_frame_hook(nullptr);
}

// A controller player passes the title with A or Start; other buttons do nothing.
TEST(Title, ControllerAOrStartConfirms) {
    TestDisplay display;
    for (SDL_GameControllerButton b : {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_START}) {
        Title t;
        SDL_Event other{}, e{};
        other.type = e.type = SDL_CONTROLLERBUTTONDOWN;
        other.cbutton.button = SDL_CONTROLLER_BUTTON_Y;
        e.cbutton.button = static_cast<Uint8>(b);
        title_update(t, with(other), nullptr);
        EXPECT_EQ(t.state, title_waiting);
        title_update(t, with(e), nullptr);
        EXPECT_EQ(t.state, title_confirmed);
    }
}
