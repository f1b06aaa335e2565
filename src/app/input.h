// Held keys and mouse buttons. Events injected by tests reach SDL_PollEvent but not SDL's state
// arrays, so everything that reads held keys or buttons asks here; a test installs its own state.
#pragma once
#include <SDL.h>

// The keyboard state indexed by scancode (SDL's array, or the installed test array).
const Uint8* keyboard_state();
// The mouse buttons held (SDL_BUTTON masks) and the pointer position.
Uint32 mouse_state(int* x, int* y);

// Test seams: a keyboard array of SDL_NUM_SCANCODES entries, or nullptr to read SDL again.
void input_install_keyboard(const Uint8* keys);
// Installs a fixed mouse state; `installed` false goes back to SDL's.
void input_install_mouse(bool installed, Uint32 buttons = 0, int x = 0, int y = 0);
