// The user's display and sound choices, kept in "settings.ini": read once at start-up, applied to
// the window, the renderer's scaling and the mixer, and rewritten by the settings menu, which
// edits them in its own form (a size index, volumes in steps of 5 %).
#pragma once
#include <array>
#include <cstdint>
#include <string>

// Display modes, by the numbers "settings.ini" stores.
constexpr int mode_fullscreen = 0;          // exclusive full screen
constexpr int mode_fullscreen_desktop = 1;  // full screen at the desktop's size, borderless
constexpr int mode_borderless = 2;          // a window without border
constexpr int mode_windowed = 3;            // a window with its border

// Scaling quality ("lissage"), as the renderer's hint takes it.
constexpr int quality_none = 0;
constexpr int quality_medium = 1;
constexpr int quality_high = 2;

// Values are kept as the file gives them, even outside the menu's ranges (a hand-edited mode 7
// shows a bordered window, like mode 3); the menu shows the nearest label it has. Where they are
// used they are kept within range: a volume of 2000000000 % is heard at 100 %, and the window's
// size is bounded by its limits and the display.
struct Settings {
    int mode = mode_windowed;
    int resx = 1000;
    int resy = 600;
    int lissage = quality_high;
    int volume_general = 100;  // percent
    int volume_musique = 100;
    int volume_effets = 100;
    int volume_menus = 100;
};

extern Settings settings;

// How a display mode shows the window: its border, and SDL_WINDOW_FULLSCREEN (exclusive),
// SDL_WINDOW_FULLSCREEN_DESKTOP or 0 (windowed). Modes other than 0 … 3 are a bordered window.
struct WindowMode {
    bool bordered = true;
    uint32_t fullscreen = 0;
};
WindowMode window_mode(int mode);

// The window sizes the settings menu offers, smallest first.
struct WindowSize {
    int w, h;
};
constexpr std::array<WindowSize, 18> window_sizes{{{800, 600},
                                                   {880, 704},
                                                   {1000, 600},
                                                   {1024, 768},
                                                   {1152, 764},
                                                   {1176, 664},
                                                   {1272, 795},
                                                   {1280, 720},
                                                   {1280, 800},
                                                   {1280, 900},
                                                   {1280, 960},
                                                   {1280, 1024},
                                                   {1360, 768},
                                                   {1366, 768},
                                                   {1600, 900},
                                                   {1600, 1024},
                                                   {1650, 1050},
                                                   {1920, 1080}}};
// The size choice after the list: whatever size the window has now. Below every index, so
// stepping right from it reaches the first size and stepping left stays.
constexpr int size_custom = -1;
// "800 x 600" … "1920 x 1080", and "Custom" for size_custom.
std::string window_size_label(int index);

// Volumes go in slider steps of 5 %, 0 … 20.
constexpr int volume_step_percent = 5;
constexpr int volume_steps = 20;

// What the settings menu edits. Display entries and volumes are indexed by the menu's rows.
enum DisplayEntry { display_mode, display_size, display_quality, display_entries };
enum SoundEntry { sound_general, sound_music, sound_effects, sound_menus, sound_entries };
struct SettingsForm {
    std::array<int, display_entries> display{};  // mode, size index or size_custom, quality
    std::array<int, sound_entries> volumes{};    // steps of volume_step_percent
};

// Reads "settings.ini" (settings_path). A missing key, file or empty value keeps the
// default (the size defaults to the window's size at that moment); a value is its leading
// whole number, 0 when it has none (volume_general=abc is silence).
void settings_load();
// Applies the record: volumes, border, full screen, size, scaling quality, centred position.
void settings_apply();
// The smoothing part of settings_apply alone: pictures made from now on are stretched with it.
void settings_apply_smoothing();
// The volume part of settings_apply alone.
void settings_apply_volumes();

// The record in the menu's form. The size index is that of the window's real size, or
// size_custom when the list does not hold it.
SettingsForm settings_to_menu();
// Takes the menu's form into the record ("Custom" as the window's current size) and writes the
// file. False when the file could not be written; the record holds the values all the same.
bool settings_from_menu_and_save(const SettingsForm& form);
// Writes the record as the eight lines of "settings.ini", always in the same order. The file is
// written beside the old one, synced, then put in its place, so a failure never leaves half a
// file; a symbolic link is followed and the file it leads to replaced, keeping its mode. A file
// that cannot be written (no write permission, even for root) is left as it is: false.
bool settings_save();

// Both full-screen modes.
bool window_is_fullscreen();
