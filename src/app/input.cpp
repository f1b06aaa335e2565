// Held-input seam: SDL's state normally, a test's state when one is installed.
#include "app/input.h"

namespace {
const Uint8* installed_keys = nullptr;
bool mouse_installed = false;
Uint32 installed_buttons = 0;
int installed_x = 0, installed_y = 0;
}  // namespace

const Uint8* keyboard_state() {
    return installed_keys ? installed_keys : SDL_GetKeyboardState(nullptr);
}

Uint32 mouse_state(int* x, int* y) {
    if (!mouse_installed) return SDL_GetMouseState(x, y);
    if (x) *x = installed_x;
    if (y) *y = installed_y;
    return installed_buttons;
}

void input_install_keyboard(const Uint8* keys) { installed_keys = keys; }

void input_install_mouse(bool installed, Uint32 buttons, int x, int y) {
    mouse_installed = installed;
    installed_buttons = buttons;
    installed_x = x;
    installed_y = y;
}
