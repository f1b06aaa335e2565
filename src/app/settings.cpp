// Applying the settings record to the window, the renderer's scaling and the mixer.
#include "app/settings.h"

#include <SDL.h>

#include <string>

#include "app/audio.h"
#include "app/draw.h"

Settings settings;

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
