// The session loop.
#include "session/session.h"

#include <cmath>
#include <cstdio>

#include "app/assets.h"
#include "app/audio.h"
#include "app/clock.h"
#include "app/draw.h"
#include "app/input.h"
#include "session/level_files.h"
#include "session/player.h"
#include "session/theme_tiles.h"
#include "world/camera.h"
#include "world/level_draw.h"

namespace {
constexpr int double_tap_ms = 199;
constexpr double stick_share = 0.65, trigger_share = 0.35;

// Reads the layers and places the player at the start; a level whose files cannot be read
// sends the player back.
void restart_level(Session& s) {
    if (!load_level(s.world, s.info.name)) {
        std::printf("Level \"%s\" cannot be played; back to the level selection.\n",
                    s.info.name.c_str());
        s.session_result = session_back;
        return;
    }
    player_spawn(s.player, s.world.start_x, s.world.start_y);
}

// R: the layers as saved. When the files cannot be read, the edits on screen are kept.
void reload_layers(Session& s) {
    if (!s.world.layers_read) return;  // the first frame reads them anyway
    if (!load_level(s.world, s.info.name))
        std::printf("Level \"%s\" not reloaded: the level on screen is kept.\n",
                    s.info.name.c_str());
}

void toggle_full_screen() {
    Uint32 flags = SDL_GetWindowFlags(game_window) & SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_SetWindowFullscreen(game_window, flags ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    SDL_ShowCursor(flags ? SDL_ENABLE : SDL_DISABLE);
}

void read_controller(Session& s) {
    s.controller_present = SDL_NumJoysticks() > 0;
    if (!s.controller_present) return;
    SDL_GameControllerUpdate();
    if (!s.controller || !SDL_GameControllerGetAttached(s.controller)) {
        if (s.controller) SDL_GameControllerClose(s.controller);
        s.controller = SDL_GameControllerOpen(0);
    }
    if (!s.controller) return;
    auto axis = [&](SDL_GameControllerAxis a) {
        return SDL_GameControllerGetAxis(s.controller, a) / 32767.0;
    };
    double trigger = axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    if (SDL_GameControllerGetButton(s.controller, SDL_CONTROLLER_BUTTON_X)) trigger = 1.0;
    apply_controller(s, axis(SDL_CONTROLLER_AXIS_LEFTX), axis(SDL_CONTROLLER_AXIS_LEFTY), trigger,
                     SDL_GameControllerGetButton(s.controller, SDL_CONTROLLER_BUTTON_A),
                     SDL_GameControllerGetButton(s.controller, SDL_CONTROLLER_BUTTON_LEFTSTICK));
}

void read_keyboard_movement(Session& s) {
    if (s.input.right != 0 || s.input.left != 0) return;
    const Uint8* keys = keyboard_state();
    int r = keys[SDL_SCANCODE_RIGHT] || keys[SDL_SCANCODE_D];
    int l = keys[SDL_SCANCODE_LEFT] || keys[SDL_SCANCODE_A];
    double strength = keys[SDL_SCANCODE_LSHIFT] ? 1.0 : 0.8;  // Shift runs
    s.input.right = strength * r;
    s.input.left = strength * l;
}

void handle_key(Session& s, const SDL_Event& e) {
    switch (e.key.keysym.sym) {
        case SDLK_F11:
            toggle_full_screen();
            break;
        case SDLK_ESCAPE:
            s.session_result = session_quit;
            break;
        case SDLK_r:
            reload_layers(s);
            break;
        case SDLK_s:
            break;
        case SDLK_u:
            save_level(s.world, s.info.name);
            break;
        case SDLK_p:
            s.debug_overlay = !s.debug_overlay;
            break;
        case SDLK_RIGHT:
            arrow_press(s, 1);
            break;
        case SDLK_LEFT:
            arrow_press(s, -1);
            break;
        case SDLK_b:
            s.player.alive = 0;
            break;
        case SDLK_UP:
        case SDLK_z:
        case SDLK_SPACE:
            s.input.jump_pressed = 1;
            break;
        case SDLK_DOWN:
            s.input.down_pressed = 1;
            break;
        default:
            editor_handle_key(s.editor, e);
            break;
    }
}

void read_input(Session& s) {
    s.input.jump_pressed = s.input.dash_pressed = s.input.down_pressed = s.input.jump_held = 0;
    s.input.right = s.input.left = 0;
    read_controller(s);
    read_keyboard_movement(s);
    refresh_window_size();
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (e.type == SDL_QUIT) {
            s.session_result = session_quit;
            s.editor.active = false;
        } else if (e.type == SDL_KEYDOWN && e.key.repeat == 0) {
            handle_key(s, e);
        } else {
            editor_handle_event(s.editor, e);
        }
    }
    SDL_PumpEvents();
}

void draw_debug_overlay(Session& s) {
    char text[64];
    std::snprintf(text, sizeof text, "x: %.2lf  y: %.2lf", s.player.x, s.player.y);
    TexturePtr tex = make_text_texture(s.debug_font.get(), text, s.debug_colour);
    draw_scaled(tex.get(), 0, 0, 1.0);
}

}  // namespace

void session_update(Session& s) {
    // The editor stands the game still: no countdown, no dying, no physics. A level whose layers
    // were never read runs its restart all the same, whatever was pressed before the first frame.
    if (!s.editor.active || !s.world.layers_read) {
        if (player_life_check(s.player)) {
            restart_level(s);
        } else {
            player_update(s.player, s.world.play_grid, s.input, frame_dt);
        }
    }
    int t = tile_size();
    camera_follow(s.world, s.player.x, s.player.y, -((window_width / 2) / t),
                  (window_height / 2 + window_height / 6) / t, 15, 10);
    editor_update(s.editor, s.world, s.player);
}

void session_draw(Session& s) {
    SDL_RenderClear(game_renderer);
    draw_level(s.world, s.editor.active);
    draw_portal(s.world);
    player_draw(s.player, s.world.camera_x, s.world.camera_y, s.input);
    editor_draw(s.editor, s.world);
    if (s.debug_overlay) draw_debug_overlay(s);
}

double controller_dead_zone(double v) {
    double sign = v < 0 ? -1 : (v > 0 ? 1 : 0);
    return sign * std::max(std::fabs(v) - 0.2, 0.0) * 1.25;
}

void apply_controller(Session& s, double stick_x, double stick_y, double trigger, int a,
                      int click) {
    double sx = controller_dead_zone(stick_x), sy = controller_dead_zone(stick_y);
    if (sy > 0) s.input.down_pressed = 1;  // stick pushed down
    if (sx < 0) {
        s.input.left = -sx * stick_share + trigger * trigger_share;
    } else if (sx > 0) {
        s.input.right = sx * stick_share + trigger * trigger_share;
    }
    s.input.jump_held = a;
    if (a != s.prev_a) {
        s.prev_a = a;
        s.input.jump_pressed = a;
    }
    if (click != s.prev_stick) {
        s.prev_stick = click;
        s.input.dash_pressed = click;
    }
}

void arrow_press(Session& s, int dir) {
    int now = now_ms();
    if (now - s.last_arrow_time <= double_tap_ms) {
        if (s.last_arrow_dir == dir) {
            s.input.dash_pressed = 1;
            s.last_arrow_time = 0;
        }
    } else {
        s.last_arrow_time = now;
    }
    s.last_arrow_dir = dir;
}

void session_start(Session& s, const std::string& name) {
    read_level_info(s.info, name);
    s.debug_overlay = false;
    s.last_arrow_time = 0;
    s.last_arrow_dir = 0;
    s.session_result = session_running;
    play_music(s.info.musique);
    s.debug_font.reset(TTF_OpenFont("ressources/fonts/calibri.ttf", 20));
    s.debug_colour = {0, 0, 0, 255};
    load_theme_tiles(s.world, s.info.theme);
    player_create(s.player, "j1");
    editor_init(s.editor);
    s.controller_present = false;
    s.prev_a = s.prev_stick = 0;
}

void session_frame(Session& s) {
    read_input(s);
    session_update(s);
    session_draw(s);
    present_frame();
}

bool session_running_now(const Session& s) { return s.session_result == session_running; }

int session_end(Session& s) {
    play_music("vesk.ogg");
    editor_release(s.editor);
    player_release(s.player);
    release_tiles(s.world);
    s.debug_font.reset();
    if (s.controller) SDL_GameControllerClose(s.controller);
    s.controller = nullptr;
    return s.session_result;
}

int run_session(const std::string& name) {
    Session s;
    session_start(s, name);
    while (session_running_now(s)) session_frame(s);
    return session_end(s);
}
