// The session loop.
#include "session/session.h"

#include <cmath>
#include <cstdio>

#include "app/assets.h"
#include "app/audio.h"
#include "app/clock.h"
#include "app/draw.h"
#include "app/loading.h"
#include "app/screen.h"
#include "levelend/score.h"
#include "menus/settings_menu.h"
#include "session/level_files.h"
#include "session/player.h"
#include "session/theme_tiles.h"
#include "world/camera.h"
#include "world/enemies.h"
#include "world/level_draw.h"
#include "world/rails.h"

namespace {
constexpr int double_tap_ms = 199;
constexpr double stick_share = 0.65, trigger_share = 0.35;

// The camera follows the player (in the editor, the anchor the arrows fly) from a fixed offset:
// half a window to its left, two thirds of a window below it.
double view_offset_x() { return -((window_width / 2) / tile_size()); }
double view_offset_y() { return (window_height / 2 + window_height / 6) / tile_size(); }

// Once, when the level is first read: the player (the editor's anchor) goes where the view has
// the focus cell in its middle, and the view is there at once.
void focus_view(Session& s) {
    s.how.focus = false;
    int t = tile_size();
    s.player.x = s.how.focus_column;
    s.player.y = s.how.focus_row + (window_height / 6) / t;
    camera_follow(s.world, s.player.x, s.player.y, view_offset_x(), view_offset_y(), 1, 1);
}

}  // namespace

void session_restart_level(Session& s) {
    characters_load(s.characters, s.media.character_art, s.info.name);
    if (!load_level(s.world, s.info.name)) {
        std::printf("Level \"%s\" cannot be played; back to the level selection.\n",
                    s.info.name.c_str());
        s.session_result = session_back;
        return;
    }
    rail_build(s.world.rails, s.world.play_grid, s.world.decor_grid);
    enemies_restart(s.enemies);
    player_spawn(s.player, s.world.start_x, s.world.start_y);
    doors_load(s.doors, s.media.door_art, s.info.name);
    editor_layers_read(s.editor, s.world);
    if (s.how.focus) focus_view(s);
}

namespace {

// R: the layers as saved. When the files cannot be read, the edits on screen are kept.
void reload_layers(Session& s) {
    if (!s.world.layers_read) return;  // the first frame reads them anyway
    // Characters and doors live in files of their own, which an author edits by hand: R
    // brings them back even when the layers cannot be read.
    characters_load(s.characters, s.media.character_art, s.info.name);
    std::string problem;
    if (!load_level(s.world, s.info.name, &problem)) {
        std::printf("Level \"%s\" not reloaded: the level on screen is kept.\n",
                    s.info.name.c_str());
        editor_notice(s.editor, s.media.editor_art, "not reloaded: " + problem);
        doors_load(s.doors, s.media.door_art, s.info.name);
        return;
    }
    enemies_restart(s.enemies);
    rail_build(s.world.rails, s.world.play_grid, s.world.decor_grid);
    doors_load(s.doors, s.media.door_art, s.info.name);
    editor_layers_read(s.editor, s.world);
    editor_notice(s.editor, s.media.editor_art, "reloaded from the files");
}

// The keyboard walks only when the controller does not; Shift runs.
void read_keyboard_movement(Session& s, const Controls& c) {
    s.input.jump_keys_held =
        c.key(SDL_SCANCODE_UP) || c.key(SDL_SCANCODE_W) || c.key(SDL_SCANCODE_SPACE);
    if (s.input.right != 0 || s.input.left != 0) return;
    int r = c.key(SDL_SCANCODE_RIGHT) || c.key(SDL_SCANCODE_D);
    int l = c.key(SDL_SCANCODE_LEFT) || c.key(SDL_SCANCODE_A);
    double strength = c.key(SDL_SCANCODE_LSHIFT) ? 1.0 : 0.8;
    s.input.right = strength * r;
    s.input.left = strength * l;
}

// The pause menu over the frozen level; its code is the session's result.
void open_pause_menu(Session& s) {
    s.session_result = settings_menu(true, [&] { session_draw(s); });
}

void handle_key(Session& s, const SDL_Event& e) {
    switch (e.key.keysym.sym) {
        case SDLK_ESCAPE:
            open_pause_menu(s);
            break;
        case SDLK_r:
            reload_layers(s);
            break;
        case SDLK_u: {
            std::string said;
            if (save_level(s.world, s.info.name, &said)) editor_layers_saved(s.editor, s.world);
            editor_notice(s.editor, s.media.editor_art, said);
            break;
        }
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
            editor_handle_key(s.editor, s.world, e);
            break;
    }
}

void read_input(Session& s, const Controls& c) {
    s.input.jump_pressed = s.input.dash_pressed = s.input.down_pressed = s.input.jump_held = 0;
    s.input.right = s.input.left = 0;
    read_controller(s.input, s.prev_a, s.prev_stick, c.pad);
    read_keyboard_movement(s, c);
    for (const SDL_Event& e : c.events) {
        if (is_press(e)) {
            handle_key(s, e);
        } else if (e.type == SDL_CONTROLLERBUTTONDOWN &&
                   e.cbutton.button == SDL_CONTROLLER_BUTTON_START) {
            open_pause_menu(s);  // the controller's Escape
        } else {
            editor_handle_event(s.editor, e, &s.media.editor_sounds);
        }
    }
    if (c.quit) {
        s.session_result = session_quit;
        s.editor.active = false;
    }
}

void draw_debug_overlay(const Session& s) {
    char text[64];
    std::snprintf(text, sizeof text, "x: %.2lf  y: %.2lf", s.player.x, s.player.y);
    TexturePtr tex = make_text_texture(s.media.debug_font.get(), text, s.debug_colour);
    draw_scaled(tex.get(), 0, 0, 1.0);
}

}  // namespace

int session_update(Session& s, const Controls& controls) {
    background_fit(s.media.background.art);  // a new display mode since the last frame
    read_input(s, controls);
    const PlayerSounds* sounds = &s.media.player_sounds;
    // The editor stands the game still: no countdown, no dying, no physics. A level whose layers
    // were never read runs its restart all the same, whatever was pressed before the first
    // frame. A level being left stays frozen behind its closing veil: no death, no restart.
    bool level_runs = session_running_now(s) || !s.world.layers_read;
    if (level_runs && (!s.editor.active || !s.world.layers_read)) {
        if (player_life_check(s.player, sounds)) {
            session_restart_level(s);
        } else if (!s.transition.captured && !teleporting(s.doors)) {
            player_update(s.player, s.world, s.input, frame_dt, sounds);
            enemies_contact(s.enemies, s.player, &s.media.enemy_sounds);
        }
    }
    bool arriving = teleport_arriving(s.doors);  // the view jumps to a door's partner
    camera_follow(s.world, s.player.x, s.player.y, view_offset_x(), view_offset_y(),
                  arriving ? 1 : 15, arriving ? 1 : 10);
    enemies_spawn(s.enemies, s.world.play_grid, s.world.camera_x, s.world.camera_y);
    if (s.editor.active) {
        enemies_clear(s.enemies);
    } else {
        enemies_move(s.enemies, s.world.play_grid, frame_dt);
    }
    if (!s.editor.active) {
        transition_update(s.transition, s.session_result, s.player, s.world,
                          s.media.transition_sounds.end.get());
        rail_move(s.world.rails, s.world.decor_grid, frame_dt);
    } else if (session_running_now(s)) {
        transition_open(s.transition);
    }
    transition_music(s.transition);
    editor_update(s.editor, s.world, s.player, controls, &s.media.editor_sounds);
    s.world.clock_ms = now_ms();
    doors_update(s.doors, s.player, s.input, s.enemies, &s.media.door_sounds);
    characters_update(s.characters, s.player.x, s.player.y);
    if (!s.editor.active) rail_collide(s.world.rails, s.player, s.player.on_ground);
    player_animate(s.player, s.input, sounds);
    hud_update(hud_gauges, s.player.time_left, s.player.power);
    bool over = !session_running_now(s) && !transition_running(s.transition);
    return over ? s.session_result : screen_running;
}

void session_draw(const Session& s) {
    double cx = s.world.camera_x, cy = s.world.camera_y;
    background_draw(s.media.background, cx, cy);
    draw_level(s.world, s.media.tiles, s.editor.active);
    doors_draw(s.doors, s.media.door_art, cx, cy, s.editor.active);
    rail_draw(s.world.rails, s.media.tiles, cx, cy);
    enemies_draw(s.enemies, s.media.enemy_art, cx, cy, s.world.clock_ms);
    characters_draw(s.characters, s.media.character_art, cx, cy);
    bubble_draw(s.characters, s.media.character_art, cx, cy);
    transition_draw_proximity(s.transition, s.media.transition_art);
    draw_portal(s.world, s.media.tiles);
    player_draw(s.player, s.media.player_art, cx, cy);
    doors_draw_veil(s.doors, s.media.door_art);
    hud_draw(s.media.hud_art, hud_gauges, s.player.time_left, s.player.vulnerable != 0);
    editor_draw(s.editor, s.media.editor_art, s.media.tiles, s.world);
    if (s.debug_overlay) draw_debug_overlay(s);
    transition_draw_veil(s.transition, s.media.transition_art);
}

double controller_dead_zone(double v) {
    double sign = v < 0 ? -1 : (v > 0 ? 1 : 0);
    return sign * std::max(std::fabs(v) - 0.2, 0.0) * 1.25;
}

void apply_controller(PlayerInput& input, int& prev_a, int& prev_stick, double stick_x,
                      double stick_y, double trigger, int a, int click) {
    double sx = controller_dead_zone(stick_x), sy = controller_dead_zone(stick_y);
    if (sy > 0) input.down_pressed = 1;  // stick pushed down
    if (sx < 0) {
        input.left = -sx * stick_share + trigger * trigger_share;
    } else if (sx > 0) {
        input.right = sx * stick_share + trigger * trigger_share;
    }
    input.jump_held = a;
    if (a != prev_a) {
        prev_a = a;
        input.jump_pressed = a;
    }
    if (click != prev_stick) {
        prev_stick = click;
        input.dash_pressed = click;
    }
}

void apply_controller(Session& s, double stick_x, double stick_y, double trigger, int a,
                      int click) {
    apply_controller(s.input, s.prev_a, s.prev_stick, stick_x, stick_y, trigger, a, click);
}

void read_controller(PlayerInput& input, int& prev_a, int& prev_stick, const Pad& pad) {
    if (!pad.present) return;
    double trigger = pad.axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    if (pad.button(SDL_CONTROLLER_BUTTON_X)) trigger = 1.0;
    apply_controller(input, prev_a, prev_stick, pad.axis(SDL_CONTROLLER_AXIS_LEFTX),
                     pad.axis(SDL_CONTROLLER_AXIS_LEFTY), trigger,
                     pad.button(SDL_CONTROLLER_BUTTON_A),
                     pad.button(SDL_CONTROLLER_BUTTON_LEFTSTICK));
}

void arrow_press(PlayerInput& input, int& last_time, int& last_dir, int dir) {
    int now = now_ms();
    if (now - last_time <= double_tap_ms) {
        if (last_dir == dir) {
            input.dash_pressed = 1;
            last_time = 0;
        }
    } else {
        last_time = now;
    }
    last_dir = dir;
}

void arrow_press(Session& s, int dir) {
    arrow_press(s.input, s.last_arrow_time, s.last_arrow_dir, dir);
}

void session_start(Session& s, const std::string& name, const SessionStart& how) {
    s.how = how;
    read_level_info(s.info, name);
    s.transition = LevelTransition{};
    level_intro_card(s.transition, s.media.transition_art, s.media.transition_sounds, s.info.titre,
                     s.info.createur);
    s.debug_overlay = false;
    s.last_arrow_time = 0;
    s.last_arrow_dir = 0;
    s.session_result = session_running;
    play_music(s.info.musique);
    s.media.debug_font = open_font("calibri.ttf", 20);
    s.debug_colour = {0, 0, 0, 255};
    background_load(s.media.background, s.info.fond);
    enemies_load_types(s.media.enemy_art, s.info.theme);
    enemies_load_sounds(s.media.enemy_sounds);
    load_theme_tiles(s.world, s.media.tiles, s.info.theme);
    player_create(s.player, s.media.player_art, s.media.player_sounds, "j1");
    editor_init(s.editor, s.media.editor_art, s.media.editor_sounds);
    s.editor.active = how.editor;
    if (how.focus)
        editor_mark_cell(s.editor, s.media.editor_art, how.focus_column, how.focus_row,
                         how.focus_note);
    characters_init(s.characters, s.media.character_art);
    rail_clear(s.world.rails);
    doors_reset(s.doors);
    doors_load_art(s.media.door_art, s.media.door_sounds);
    hud_create(s.media.hud_art);
    loading_end();
    s.prev_a = s.prev_stick = 0;
}

void session_frame(Session& s) {
    Controls controls;
    screen_frame(
        controls, [&](const Controls& c) { return session_update(s, c); },
        [&] { session_draw(s); }, [&] { return background_covers_window(s.media.background); });
}

bool session_running_now(const Session& s) { return s.session_result == session_running; }

int session_end(Session& s) {
    if (s.session_result == session_won &&
        show_score_screen(s.player.time_left, s.player.power, s.player.enemy_points,
                          s.player.items_collected) == score_quit)
        s.session_result = session_quit;
    session_release(s);
    return s.session_result;
}

void session_release(Session& s) {
    play_music("vesk.ogg");
    hud_destroy(s.media.hud_art);
    doors_release(s.media.door_art, s.media.door_sounds);
    editor_release(s.media.editor_art, s.media.editor_sounds);
    player_release(s.media.player_art);
    release_tiles(s.media.tiles);
    enemies_release(s.media.enemy_art);
    background_release(s.media.background);
    characters_release(s.media.character_art);
    transition_close(s.media.transition_art);
    s.media = SessionMedia{};
}

int run_session(const std::string& name, const SessionStart& how) {
    Session s;
    session_start(s, name, how);
    run_screen([&](const Controls& c) { return session_update(s, c); }, [&] { session_draw(s); });
    return session_end(s);
}
