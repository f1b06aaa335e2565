// The controls of one frame, read in one place: the keys and mouse buttons held, the frame's
// events in order, the window's close button and the game controller. Screens and rules look
// only at this record, never at SDL's state, so a test hands them a record of its own.
#pragma once
#include <SDL.h>

#include <array>
#include <vector>

// A game controller, as the frame found it.
struct Pad {
    bool present = false;
    std::array<double, SDL_CONTROLLER_AXIS_MAX> axes{};  // sticks −1 … 1, triggers 0 … 1
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> buttons{};
    double axis(SDL_GameControllerAxis a) const { return axes[a]; }
    bool button(SDL_GameControllerButton b) const { return buttons[b]; }
};

struct Controls {
    std::array<Uint8, SDL_NUM_SCANCODES> held{};  // keys held, by scancode
    std::vector<SDL_Event> events;                // the frame's events in order (not F11, quit)
    bool quit = false;                            // the window was closed this frame
    Uint32 mouse_buttons = 0;                     // SDL_BUTTON masks held
    Pad pad;
    Pad pad2;  // a second controller: player 2's in a race

    bool key(SDL_Scancode k) const { return held[k] != 0; }
};

// Reads one frame: the window's size, every pending event (F11 toggles full screen here, for
// every screen), then the keys, the mouse buttons and the controller as they stand after them.
void controls_read(Controls& c);
// Throws away every pending event but the window's close, which the next frame still sees: a
// screen opening forgets the keys and clicks meant for the one before, never a close.
void drop_pending_events();
// The key-down event of a key pressed this frame (not a key repeat), for screens' key tables.
bool is_press(const SDL_Event& e);
// Menus answer the controller as they answer the keyboard: the d-pad and the left stick are the
// arrow keys, A is Return, B is Backspace and Start is Escape. The stick counts once per push past
// half way, so each menu keeps a latch of where the stick last stood.
struct StickLatch {
    int x = 0, y = 0;  // −1, 0 or 1 along each axis
};
// The key an event stands for in a menu: a key-down's own key (repeats too), a controller
// button's or a stick push's key, SDLK_UNKNOWN for anything else.
SDL_Keycode menu_key(const SDL_Event& e, StickLatch& stick);
// True for a key-down that is not a key repeat and for every controller press or stick push.
bool menu_fresh(const SDL_Event& e);
// Switches between full screen on the desktop and the window, hiding the cursor in full screen.
void toggle_full_screen();
// Closes the controller before the libraries quit.
void controls_shutdown();
