// The user's display and sound choices. Until the settings file is read and written, the game
// runs with these defaults: a bordered 1000 × 600 window, smooth scaling, full volumes.
#pragma once
#include <cstdint>

// Display modes, by the numbers "settings.ini" stores.
constexpr int mode_fullscreen = 0;          // exclusive full screen
constexpr int mode_fullscreen_desktop = 1;  // full screen at the desktop's size, borderless
constexpr int mode_borderless = 2;          // a window without border
constexpr int mode_windowed = 3;            // a window with its border

struct Settings {
    int8_t mode = mode_windowed;
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
