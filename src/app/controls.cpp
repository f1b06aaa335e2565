// Reading the frame's controls from SDL's events, keyboard, mouse and game controller.
#include "app/controls.h"

#include <algorithm>
#include <array>

#include "app/draw.h"
#include "app/input.h"
#include "app/sdl_handles.h"

namespace {
// The controllers in the order they were connected: the first drives the player (in a race,
// player 1), the second player 2.
std::array<GameControllerPtr, 2> pad_owners;

// A controller plugged in during play is picked up on the next frame; one pulled out is closed.
SDL_GameController* current_pad(int index) {
    GameControllerPtr& owner = pad_owners[static_cast<size_t>(index)];
    if (SDL_NumJoysticks() <= index) {
        owner.reset();
        return nullptr;
    }
    if (index == 0) SDL_GameControllerUpdate();
    if (!owner || !SDL_GameControllerGetAttached(owner.get()))
        owner.reset(SDL_GameControllerOpen(index));
    return owner.get();
}

void read_pad(Pad& pad, int index) {
    pad = Pad{};
    SDL_GameController* gc = current_pad(index);
    if (!gc) return;
    pad.present = true;
    for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a)
        pad.axes[a] =
            SDL_GameControllerGetAxis(gc, static_cast<SDL_GameControllerAxis>(a)) / 32767.0;
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b)
        pad.buttons[b] =
            SDL_GameControllerGetButton(gc, static_cast<SDL_GameControllerButton>(b)) != 0;
}
}  // namespace

void drop_pending_events() {
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_QUIT - 1);
    SDL_FlushEvents(SDL_QUIT + 1, SDL_LASTEVENT);
}

bool is_press(const SDL_Event& e) { return e.type == SDL_KEYDOWN && e.key.repeat == 0; }

namespace {
constexpr int stick_push = 16384;  // half way

SDL_Keycode stick_key(const SDL_ControllerAxisEvent& a, StickLatch& stick) {
    bool across = a.axis == SDL_CONTROLLER_AXIS_LEFTX;
    if (!across && a.axis != SDL_CONTROLLER_AXIS_LEFTY) return SDLK_UNKNOWN;
    int pushed = a.value > stick_push ? 1 : (a.value < -stick_push ? -1 : 0);
    int& was = across ? stick.x : stick.y;
    if (pushed == was) return SDLK_UNKNOWN;
    was = pushed;
    if (pushed == 0) return SDLK_UNKNOWN;
    if (across) return pushed > 0 ? SDLK_RIGHT : SDLK_LEFT;
    return pushed > 0 ? SDLK_DOWN : SDLK_UP;
}
}  // namespace

SDL_Keycode menu_key(const SDL_Event& e, StickLatch& stick) {
    if (e.type == SDL_KEYDOWN) return e.key.keysym.sym;
    if (e.type == SDL_CONTROLLERAXISMOTION) return stick_key(e.caxis, stick);
    if (e.type != SDL_CONTROLLERBUTTONDOWN) return SDLK_UNKNOWN;
    switch (e.cbutton.button) {
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return SDLK_UP;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return SDLK_DOWN;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return SDLK_LEFT;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return SDLK_RIGHT;
        case SDL_CONTROLLER_BUTTON_A:
            return SDLK_RETURN;
        case SDL_CONTROLLER_BUTTON_B:
            return SDLK_BACKSPACE;
        case SDL_CONTROLLER_BUTTON_START:
            return SDLK_ESCAPE;
        default:
            return SDLK_UNKNOWN;
    }
}

bool menu_fresh(const SDL_Event& e) { return e.type != SDL_KEYDOWN || e.key.repeat == 0; }

void toggle_full_screen() {
    Uint32 flags = SDL_GetWindowFlags(game_window) & SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_SetWindowFullscreen(game_window, flags ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    SDL_ShowCursor(flags ? SDL_ENABLE : SDL_DISABLE);
}

void controls_read(Controls& c) {
    refresh_window_size();
    c.events.clear();
    c.quit = false;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (e.type == SDL_QUIT) {
            c.quit = true;
        } else if (is_press(e) && e.key.keysym.sym == SDLK_F11) {
            toggle_full_screen();
        } else {
            c.events.push_back(e);
        }
    }
    SDL_PumpEvents();
    const Uint8* keys = keyboard_state();
    std::copy(keys, keys + SDL_NUM_SCANCODES, c.held.begin());
    c.mouse_buttons = mouse_state(nullptr, nullptr);
    read_pad(c.pad, 0);
    read_pad(c.pad2, 1);
}

void controls_shutdown() {
    for (GameControllerPtr& owner : pad_owners) owner.reset();
}
