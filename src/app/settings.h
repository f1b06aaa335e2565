// The user's display and sound choices. Until the settings file is read and written, the game
// runs with these defaults: a bordered 1000 × 600 window, smooth scaling, full volumes.
#pragma once
#include <cstdint>

struct Settings {
    int8_t mode = 3;  // 0 full screen, 1 full screen borderless, 2 windowed borderless, 3 windowed
    int resx = 1000;
    int resy = 600;
    int8_t lissage = 2;  // scaling quality: 0 none, 1 medium, 2 high
    int8_t volume_general = 100;
    int8_t volume_musique = 100;
    int8_t volume_effets = 100;
    int8_t volume_menus = 100;
};

extern Settings settings;

// How a display mode shows the window: its border, and SDL_WINDOW_FULLSCREEN (exclusive),
// SDL_WINDOW_FULLSCREEN_DESKTOP or 0 (windowed). Modes other than 0 … 3 are a bordered window.
struct WindowMode {
    bool bordered = true;
    uint32_t fullscreen = 0;
};
WindowMode window_mode(int mode);

// Applies the record: volumes, border, full screen, size, scaling quality, centred position.
void settings_apply();
// The volume part of settings_apply alone.
void settings_apply_volumes();
