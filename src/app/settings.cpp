// Reading, applying and writing the settings record.
#include "app/settings.h"

#include <SDL.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/audio.h"
#include "app/draw.h"
#include "app/file_checks.h"
#include "app/kv_reader.h"

Settings settings;

namespace {
constexpr size_t value_chars = 27;  // longer values are cut before they are read

// The text's leading whole number as atoi reads it (blanks, a sign, digits, the rest ignored;
// no digits give 0), except that a number too long for an int stops at the int's limits.
int leading_int(const std::string& text) {
    long v = std::strtol(text.c_str(), nullptr, 10);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

void read_setting(const char* key, int& field) {
    std::string value = read_value(key, settings_file).substr(0, value_chars);
    if (!value.empty()) field = leading_int(value);
}

int size_index_of(int w, int h) {
    for (size_t i = 0; i < window_sizes.size(); ++i)
        if (window_sizes[i].w == w && window_sizes[i].h == h) return static_cast<int>(i);
    return size_custom;
}
}  // namespace

std::string window_size_label(int index) {
    if (index < 0 || index >= static_cast<int>(window_sizes.size())) return "Custom";
    return std::to_string(window_sizes[index].w) + " x " + std::to_string(window_sizes[index].h);
}

void settings_load() {
    Settings s;
    s.resx = window_width;
    s.resy = window_height;
    if (!regular_file(settings_file)) {  // none yet, or something else in its place: defaults
        settings = s;
        return;
    }
    read_setting("mode", s.mode);
    read_setting("resx", s.resx);
    read_setting("resy", s.resy);
    read_setting("lissage", s.lissage);
    read_setting("volume_general", s.volume_general);
    read_setting("volume_musique", s.volume_musique);
    read_setting("volume_effets", s.volume_effets);
    read_setting("volume_menus", s.volume_menus);
    settings = s;
}

void settings_apply_volumes() {
    double general = settings.volume_general / 100.0;
    apply_effect_volumes(general, settings.volume_menus / 100.0, settings.volume_effets / 100.0);
    apply_music_volume(general * settings.volume_musique / 100.0);
}

WindowMode window_mode(int mode) {
    switch (mode) {
        case mode_fullscreen:
            return {true, SDL_WINDOW_FULLSCREEN};
        case mode_fullscreen_desktop:
            return {true, SDL_WINDOW_FULLSCREEN_DESKTOP};
        case mode_borderless:
            return {false, 0};
        default:
            return {true, 0};
    }
}

void settings_apply() {
    settings_apply_volumes();
    WindowMode shown = window_mode(settings.mode);
    SDL_SetWindowBordered(game_window, shown.bordered ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowFullscreen(game_window, shown.fullscreen);
    SDL_SetWindowSize(game_window, settings.resx, settings.resy);
    SDL_SetHint("SDL_RENDER_SCALE_QUALITY", std::to_string(settings.lissage).c_str());
    SDL_SetWindowPosition(game_window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

SettingsForm settings_to_menu() {
    SettingsForm form;
    form.display[display_mode] = settings.mode;
    form.display[display_size] = size_index_of(window_width, window_height);
    form.display[display_quality] = settings.lissage;
    form.volumes[sound_general] = settings.volume_general / volume_step_percent;
    form.volumes[sound_music] = settings.volume_musique / volume_step_percent;
    form.volumes[sound_effects] = settings.volume_effets / volume_step_percent;
    form.volumes[sound_menus] = settings.volume_menus / volume_step_percent;
    return form;
}

bool settings_from_menu_and_save(const SettingsForm& form) {
    settings.volume_general = form.volumes[sound_general] * volume_step_percent;
    settings.volume_musique = form.volumes[sound_music] * volume_step_percent;
    settings.volume_effets = form.volumes[sound_effects] * volume_step_percent;
    settings.volume_menus = form.volumes[sound_menus] * volume_step_percent;
    settings.mode = form.display[display_mode];
    int size = form.display[display_size];
    if (size < 0 || size >= static_cast<int>(window_sizes.size())) {
        settings.resx = window_width;
        settings.resy = window_height;
    } else {
        settings.resx = window_sizes[size].w;
        settings.resy = window_sizes[size].h;
    }
    settings.lissage = form.display[display_quality];
    return settings_save();
}

bool settings_save() {
    std::string temp = settings_file + ".tmp";
    std::FILE* f = std::fopen(temp.c_str(), "w");
    if (!f) return false;
    std::fprintf(f, "mode=%d\n", settings.mode);
    std::fprintf(f, "resx=%d\n", settings.resx);
    std::fprintf(f, "resy=%d\n", settings.resy);
    std::fprintf(f, "lissage=%d\n", settings.lissage);
    std::fprintf(f, "volume_general=%d\n", settings.volume_general);
    std::fprintf(f, "volume_musique=%d\n", settings.volume_musique);
    std::fprintf(f, "volume_effets=%d\n", settings.volume_effets);
    std::fprintf(f, "volume_menus=%d\n", settings.volume_menus);
    bool written = std::ferror(f) == 0;
    written = std::fclose(f) == 0 && written;
    std::error_code ec;
    if (written) std::filesystem::rename(temp, settings_file, ec);
    if (!written || ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

bool window_is_fullscreen() {
    return (SDL_GetWindowFlags(game_window) & SDL_WINDOW_FULLSCREEN) != 0;
}
