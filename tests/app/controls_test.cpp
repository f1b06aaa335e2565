// One frame's controls: what reaches the screens, and what the frame keeps for itself.
#include "app/controls.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/draw.h"
#include "app/input.h"
#include "support/harness.h"

namespace {
std::string presses(const Controls& c) {
    std::string keys;
    for (const SDL_Event& e : c.events)
        if (is_press(e)) keys += static_cast<char>(e.key.keysym.sym);
    return keys;
}
}  // namespace

TEST(Controls, AFrameHoldsItsPressesHeldKeysButtonsAndTheClose) {
    TestDisplay display;
    std::vector<Uint8> keys(SDL_NUM_SCANCODES, 0);
    keys[SDL_SCANCODE_LEFT] = 1;
    input_install_keyboard(keys.data());
    input_install_mouse(true, SDL_BUTTON(SDL_BUTTON_RIGHT));
    push_key(SDLK_u);
    push_key(SDLK_F11);
    SDL_Event repeat{};
    repeat.type = SDL_KEYDOWN;
    repeat.key.keysym.sym = SDLK_e;
    repeat.key.repeat = 1;
    SDL_PushEvent(&repeat);
    push_key(SDLK_r);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);

    Controls c;
    controls_read(c);
    // F11 is the frame's own: full screen toggles and no screen sees the key. A key repeat
    // reaches the screens as an event but not as a press.
    EXPECT_EQ(presses(c), "ur");
    EXPECT_TRUE(SDL_GetWindowFlags(game_window) & SDL_WINDOW_FULLSCREEN_DESKTOP);
    bool repeat_seen = false;
    for (const SDL_Event& e : c.events)
        repeat_seen |= e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_e;
    EXPECT_TRUE(repeat_seen);
    EXPECT_TRUE(c.quit);
    EXPECT_TRUE(c.key(SDL_SCANCODE_LEFT));
    EXPECT_FALSE(c.key(SDL_SCANCODE_RIGHT));
    EXPECT_EQ(c.mouse_buttons, SDL_BUTTON(SDL_BUTTON_RIGHT));
    EXPECT_FALSE(c.pad.present);

    // The next frame starts afresh.
    keys[SDL_SCANCODE_LEFT] = 0;
    controls_read(c);
    EXPECT_EQ(presses(c), "");
    EXPECT_FALSE(c.quit);
    EXPECT_FALSE(c.key(SDL_SCANCODE_LEFT));
    input_install_mouse(false);
    input_install_keyboard(nullptr);
}
