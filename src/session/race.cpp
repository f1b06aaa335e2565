// The race loop: two racers in one shared level, each frame in the same order as a level played
// alone, so that each racer moves exactly as the lone player would on the same controls.
#include "session/race.h"

#include <algorithm>
#include <cmath>

#include "app/assets.h"
#include "app/audio.h"
#include "app/clock.h"
#include "app/draw.h"
#include "app/screen.h"
#include "levelend/score.h"
#include "menus/settings_menu.h"
#include "world/camera.h"
#include "world/level_draw.h"
#include "world/rails.h"

const std::array<RacerKeys, racer_count> racer_keys{{
    {SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT, SDL_SCANCODE_RSHIFT, SDL_SCANCODE_UP,
     SDL_SCANCODE_RCTRL, SDLK_LEFT, SDLK_RIGHT, SDLK_UP, SDLK_RCTRL, SDLK_DOWN},
    {SDL_SCANCODE_A, SDL_SCANCODE_D, SDL_SCANCODE_LSHIFT, SDL_SCANCODE_W, SDL_SCANCODE_W, SDLK_a,
     SDLK_d, SDLK_w, SDLK_w, SDLK_s},
}};

namespace {
constexpr int divider_width = 2;
constexpr SDL_Color divider_colour{20, 20, 20, 255};
constexpr SDL_Color verdict_colour{255, 255, 255, 255};
constexpr int verdict_margin = 16;  // the dark band's room around the verdict
constexpr Uint8 verdict_band_alpha = 170;
// Player 2 wears the same skin, tinted, so that each can tell who is who in either half.
constexpr SDL_Color second_tint{150, 200, 255, 255};

// The view's offset from its racer, as in a level played alone, in the racer's half.
double view_offset_x() { return -((window_width / 2) / tile_size()); }
double view_offset_y() { return (window_height / 2 + window_height / 6) / tile_size(); }

SDL_Rect half_of_window(int i) { return race_half(i, window_width, window_height); }

bool decided(const Race& r) { return r.winner != race_undecided; }

// A racer still in play: before the race is decided everyone; after, the winner (or both in a
// draw) is pulled on into the exit while the other stands still.
bool still_moving(const Race& r, int i) {
    return !decided(r) || r.winner == i || r.winner == race_tied;
}

// The frame's controls of one racer: its controller, else its keys.
void read_racer(Racer& q, const RacerKeys& k, const Controls& c, const Pad& pad) {
    PlayerInput& in = q.input;
    in.jump_pressed = in.dash_pressed = in.down_pressed = in.jump_held = 0;
    in.right = in.left = 0;
    read_controller(in, q.prev_a, q.prev_stick, pad);
    in.jump_keys_held = c.key(k.jump) || c.key(k.jump2);
    if (in.right != 0 || in.left != 0) return;
    double strength = c.key(k.run) ? 1.0 : 0.8;
    in.right = strength * (c.key(k.right) ? 1 : 0);
    in.left = strength * (c.key(k.left) ? 1 : 0);
}

void racer_key(Racer& q, const RacerKeys& k, SDL_Keycode key) {
    if (key == k.press_right) arrow_press(q.input, q.last_arrow_time, q.last_arrow_dir, 1);
    if (key == k.press_left) arrow_press(q.input, q.last_arrow_time, q.last_arrow_dir, -1);
    if (key == k.press_jump || key == k.press_jump2) q.input.jump_pressed = 1;
    if (key == k.press_down) q.input.down_pressed = 1;
}

// Escape pauses; every other key belongs to a racer or to nobody (the editor and its keys stay
// out of a race).
void read_input(Race& r, const Controls& c) {
    read_racer(r.racers[0], racer_keys[0], c, c.pad);
    read_racer(r.racers[1], racer_keys[1], c, c.pad2);
    for (const SDL_Event& e : c.events) {
        if (!is_press(e)) continue;
        if (e.key.keysym.sym == SDLK_ESCAPE) {
            r.s.session_result = settings_menu(true, [&] { race_draw(r); });
            continue;
        }
        for (int i = 0; i < racer_count; ++i)
            racer_key(r.racers[i], racer_keys[i], e.key.keysym.sym);
    }
    if (c.quit) r.s.session_result = session_quit;
}

// The level is read on the first frame, as alone; both racers start at the start marker.
void first_frame(Race& r) {
    Session& s = r.s;
    session_restart_level(s);
    for (Racer& q : r.racers) {
        player_life_check(q.player, nullptr);  // the opening restart, silent
        player_spawn(q.player, s.world.start_x, s.world.start_y);
        q.doors = s.doors;
    }
}

// A racer who died starts again at the start marker, alone: the level goes on as it is, and the
// countdown goes on where it was.
void respawn_alone(Race& r, Racer& q, int time_left) {
    player_spawn(q.player, r.s.world.start_x, r.s.world.start_y);
    q.player.time_left = time_left;
    q.doors.teleport_state = teleport_idle;
    q.doors.fade_alpha = 0;
    q.exit = LevelTransition{};
}

void decide(Race& r, int winner, bool by_countdown) {
    r.winner = winner;
    r.decided_frame = r.frames;
    r.by_countdown = by_countdown;
}

// The countdown ran out: the racer nearer the exit wins; equally near, neither.
void decide_by_nearness(Race& r) {
    double d0 = exit_proximity(r.racers[0].player, r.s.world);
    double d1 = exit_proximity(r.racers[1].player, r.s.world);
    decide(r, d0 < d1 ? 0 : d1 < d0 ? 1 : race_tied, true);
}

void move_racers(Race& r) {
    Session& s = r.s;
    const PlayerSounds* sounds = &s.media.player_sounds;
    bool out_of_time = false;
    for (const Racer& q : r.racers) out_of_time = out_of_time || q.player.time_left - 16 <= 0;
    if (out_of_time) {
        decide_by_nearness(r);
        return;
    }
    for (Racer& q : r.racers) {
        int time_left = q.player.time_left - 16;
        if (player_life_check(q.player, sounds)) {
            respawn_alone(r, q, time_left);
        } else if (!q.exit.captured && !teleporting(q.doors)) {
            player_update(q.player, s.world, q.input, frame_dt, sounds);
            enemies_contact(s.enemies, q.player, &s.media.enemy_sounds);
        }
    }
}

void follow(Race& r) {
    Session& s = r.s;
    for (int i = 0; i < racer_count; ++i) {
        Racer& q = r.racers[i];
        ScopedViewport half(half_of_window(i));
        bool arriving = teleport_arriving(q.doors);
        s.world.camera_x = q.camera_x;
        s.world.camera_y = q.camera_y;
        camera_follow(s.world, q.player.x, q.player.y, view_offset_x(), view_offset_y(),
                      arriving ? 1 : 15, arriving ? 1 : 10);
        q.camera_x = s.world.camera_x;
        q.camera_y = s.world.camera_y;
        enemies_spawn(s.enemies, s.world.play_grid, q.camera_x, q.camera_y);
    }
}

void exits(Race& r) {
    Session& s = r.s;
    bool captured_before[racer_count];
    for (int i = 0; i < racer_count; ++i) captured_before[i] = r.racers[i].exit.captured;
    for (int i = 0; i < racer_count; ++i) {
        Racer& q = r.racers[i];
        if (still_moving(r, i))
            transition_update(q.exit, q.arrived, q.player, s.world,
                              s.media.transition_sounds.end.get());
    }
    if (!decided(r)) {
        bool first = r.racers[0].exit.captured && !captured_before[0];
        bool second = r.racers[1].exit.captured && !captured_before[1];
        if (first || second) decide(r, first && second ? race_tied : first ? 0 : 1, false);
    }
    // The veil over the whole window opens with the level and closes once the verdict was shown.
    if (decided(r) && s.session_result == session_running &&
        r.frames - r.decided_frame >= race_verdict_frames)
        s.session_result = session_won;
    if (s.session_result == session_running) {
        transition_open(s.transition);
    } else {
        s.transition.intro_alpha += (255 - s.transition.intro_alpha) / 7;
    }
    s.transition.music_proximity =
        std::min(r.racers[0].exit.music_proximity, r.racers[1].exit.music_proximity);
}

void draw_racer_body(const Racer& q, const PlayerArt& art, double cx, double cy, bool tinted) {
    SDL_Texture* skins[] = {art.walk1.get(), art.walk2.get(), art.air.get()};
    if (tinted)
        for (SDL_Texture* t : skins)
            if (t) SDL_SetTextureColorMod(t, second_tint.r, second_tint.g, second_tint.b);
    player_draw(q.player, art, cx, cy);
    if (tinted)
        for (SDL_Texture* t : skins)
            if (t) SDL_SetTextureColorMod(t, 255, 255, 255);
}

// The verdict on a dark band, readable over any sky.
void draw_verdict(SDL_Texture* text) {
    int w = 0, h = 0;
    if (!text || SDL_QueryTexture(text, nullptr, nullptr, &w, &h) != 0) return;
    w /= 2;
    h /= 2;
    SDL_Rect band{window_width / 2 - w / 2 - verdict_margin, window_height * 2 / 5 - h / 2 - 4,
                  w + 2 * verdict_margin, h + 8};
    SDL_BlendMode mode;
    Uint8 cr, cg, cb, ca;
    SDL_GetRenderDrawBlendMode(game_renderer, &mode);
    SDL_GetRenderDrawColor(game_renderer, &cr, &cg, &cb, &ca);
    SDL_SetRenderDrawBlendMode(game_renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, verdict_band_alpha);
    SDL_RenderFillRect(game_renderer, &band);
    SDL_SetRenderDrawBlendMode(game_renderer, mode);
    SDL_SetRenderDrawColor(game_renderer, cr, cg, cb, ca);
    draw_rect(text, window_width / 2 - w / 2, window_height * 2 / 5 - h / 2, w, h);
}

void draw_half(const Race& r, int i) {
    const Session& s = r.s;
    const Racer& q = r.racers[i];
    const SessionMedia& m = s.media;
    double cx = q.camera_x, cy = q.camera_y;
    background_draw(m.background, cx, cy);
    draw_level(s.world, m.tiles, false, cx, cy);
    doors_draw(q.doors, m.door_art, cx, cy, false);
    rail_draw(s.world.rails, m.tiles, cx, cy);
    enemies_draw(s.enemies, m.enemy_art, cx, cy, s.world.clock_ms);
    characters_draw(s.characters, m.character_art, cx, cy);
    bubble_draw(s.characters, m.character_art, cx, cy);
    transition_draw_proximity(q.exit, m.transition_art);
    draw_portal(s.world, m.tiles, cx, cy);
    int other = 1 - i;  // the other racer first: one's own body is drawn over it
    draw_racer_body(r.racers[other], m.player_art, cx, cy, other == 1);
    draw_racer_body(q, m.player_art, cx, cy, i == 1);
    doors_draw_veil(q.doors, m.door_art);
    hud_draw(m.hud_art, q.gauges, q.player.time_left, q.player.vulnerable != 0);
    // The verdict, in the half of the one who did not win (in both after a draw).
    if (decided(r) && (r.winner == race_tied || r.winner != i))
        draw_verdict(r.art.verdicts[static_cast<size_t>(std::min(r.winner, 2))].get());
}

// The line between the halves, from `from` to `to` (shares of its length, 0 … 1).
void draw_divider(double from = 0, double to = 1) {
    Uint8 cr, cg, cb, ca;
    SDL_GetRenderDrawColor(game_renderer, &cr, &cg, &cb, &ca);
    SDL_SetRenderDrawColor(game_renderer, divider_colour.r, divider_colour.g, divider_colour.b,
                           255);
    SDL_Rect second = half_of_window(1);
    int h0 = static_cast<int>(window_height * from), h1 = static_cast<int>(window_height * to);
    int w0 = static_cast<int>(window_width * from), w1 = static_cast<int>(window_width * to);
    SDL_Rect line = second.x > 0
                        ? SDL_Rect{second.x - divider_width / 2, h0, divider_width, h1 - h0}
                        : SDL_Rect{w0, second.y - divider_width / 2, w1 - w0, divider_width};
    SDL_RenderFillRect(game_renderer, &line);
    SDL_SetRenderDrawColor(game_renderer, cr, cg, cb, ca);
}

void text_size(SDL_Texture* tex, int* w, int* h) {
    *w = *h = 0;
    if (tex) SDL_QueryTexture(tex, nullptr, nullptr, w, h);
}

// A score row as the lone player's screen lays it out (texts at half their rendered size), made
// smaller by k.
void draw_score_row(const ScoreScreen::Row& row, double k) {
    int lw, lh, vw, vh;
    text_size(row.label.get(), &lw, &lh);
    text_size(row.value.get(), &vw, &vh);
    lw = static_cast<int>(lw / 2 * k), lh = static_cast<int>(lh / 2 * k);
    vw = static_cast<int>(vw / 2 * k), vh = static_cast<int>(vh / 2 * k);
    SDL_Rect l = score_label_rect(window_width, window_height, lw, lh, row.r);
    SDL_Rect v = score_value_rect(window_width, window_height, vw, vh, row.r);
    draw_rect(row.label.get(), l.x, l.y, l.w, l.h);
    draw_rect(row.value.get(), v.x, v.y, v.w, v.h);
}

// A racer's rows in its half, but for the prompt: as on the lone player's screen, made smaller
// when the longest label or value would not fit the half.
void draw_score_half(const ScoreScreen& s) {
    if (s.rows.empty()) return;
    int widest_label = 1, widest_value = 1;
    for (size_t i = 0; i + 1 < s.rows.size(); ++i) {
        int w, h;
        text_size(s.rows[i].label.get(), &w, &h);
        widest_label = std::max(widest_label, w / 2);
        text_size(s.rows[i].value.get(), &w, &h);
        widest_value = std::max(widest_value, w / 2);
    }
    double room = window_width / 2.0 - 10;
    double k = std::min({1.0, room / widest_label, (room - 50) / widest_value});
    for (size_t i = 0; i + 1 < s.rows.size(); ++i) draw_score_row(s.rows[i], k);
}

std::array<TexturePtr, 3> verdict_textures(int size) {
    FontPtr font = open_font("intensa.ttf", size);
    std::array<TexturePtr, 3> out;
    for (int k = 0; k < 3; ++k)
        out[static_cast<size_t>(k)] =
            make_text_texture(font.get(), race_verdict_text(k), verdict_colour);
    return out;
}
}  // namespace

SDL_Rect race_half(int i, int w, int h) {
    if (h > w) {
        int top = h / 2;
        return i == 0 ? SDL_Rect{0, 0, w, top} : SDL_Rect{0, top, w, h - top};
    }
    int left = w / 2;
    return i == 0 ? SDL_Rect{0, 0, left, h} : SDL_Rect{left, 0, w - left, h};
}

const char* race_verdict_text(int winner) {
    switch (winner) {
        case 0:
            return "Player 1 wins";
        case 1:
            return "Player 2 wins";
        default:
            return "Draw";
    }
}

void race_start(Race& r, const std::string& name) {
    session_start(r.s, name);
    for (Racer& q : r.racers) q = Racer{};
    r.winner = race_undecided;
    r.frames = r.decided_frame = 0;
    r.by_countdown = false;
    r.art.verdicts = verdict_textures(60);
}

int race_update(Race& r, const Controls& controls) {
    Session& s = r.s;
    {
        ScopedViewport half(half_of_window(0));  // the backgrounds fit a half's height
        background_fit(s.media.background.art);
    }
    read_input(r, controls);
    bool level_runs = session_running_now(s) || !s.world.layers_read;
    if (!s.world.layers_read) {
        first_frame(r);
    } else if (level_runs && !decided(r)) {
        move_racers(r);
    }
    follow(r);
    enemies_move(s.enemies, s.world.play_grid, frame_dt);
    exits(r);
    transition_music(s.transition);
    rail_move(s.world.rails, s.world.decor_grid, frame_dt);
    s.world.clock_ms = now_ms();
    for (Racer& q : r.racers)
        doors_update(q.doors, q.player, q.input, s.enemies, &s.media.door_sounds);
    // A character speaks to player 1 when near, else to player 2.
    const Player& a = r.racers[0].player;
    const Player& b = r.racers[1].player;
    bool near_a = character_near(s.characters, a.x, a.y) != 0;
    characters_update(s.characters, near_a ? a.x : b.x, near_a ? a.y : b.y);
    for (Racer& q : r.racers) {
        rail_collide(s.world.rails, q.player, q.player.on_ground);
        player_animate(q.player, q.input, &s.media.player_sounds);
        hud_update(q.gauges, q.player.time_left, q.player.power);
    }
    r.frames += 1;
    bool over = !session_running_now(s) && !transition_running(s.transition);
    return over ? s.session_result : screen_running;
}

void race_draw(const Race& r) {
    for (int i = 0; i < racer_count; ++i) {
        ScopedViewport half(half_of_window(i));
        draw_half(r, i);
    }
    draw_divider();
    transition_draw_veil(r.s.transition, r.s.media.transition_art);
}

int race_end(Race& r) {
    Session& s = r.s;
    if (s.session_result == session_won &&
        show_race_result(r.winner, r.racers[0].player, r.racers[1].player) == score_quit)
        s.session_result = session_quit;
    r.art = RaceArt{};
    session_release(s);
    return s.session_result;
}

int run_race(const std::string& name) {
    Race r;
    race_start(r, name);
    run_screen([&](const Controls& c) { return race_update(r, c); }, [&] { race_draw(r); });
    return race_end(r);
}

int show_race_result(int winner, const Player& first, const Player& second) {
    std::array<ScoreScreen, racer_count> scores;
    score_open(scores[0], first.time_left, first.power, first.enemy_points, first.items_collected);
    score_open(scores[1], second.time_left, second.power, second.enemy_points,
               second.items_collected);
    std::array<TexturePtr, 3> verdicts = verdict_textures(60);
    FontPtr font = open_font("intensa.ttf", 60);
    std::array<TexturePtr, racer_count> names{
        make_text_texture(font.get(), "Player 1", verdict_colour),
        make_text_texture(font.get(), "Player 2", verdict_colour)};
    SDL_Texture* verdict = verdicts[static_cast<size_t>(std::clamp(winner, 0, 2))].get();
    // Keys pressed in the race's last moments do not leave the result unseen.
    drop_pending_events();
    return run_screen(score_update, [&] {
        draw_fullscreen(scores[0].black.get());
        for (int i = 0; i < racer_count; ++i) {
            ScopedViewport half(half_of_window(i));
            draw_score_half(scores[static_cast<size_t>(i)]);
            draw_scaled_centered(names[static_cast<size_t>(i)].get(), 50, 20, 0.4);
        }
        draw_divider(0.17, 0.8);  // between the rows, clear of the verdict and the prompt
        draw_scaled_centered(verdict, 50, 8, 0.6);
        // The prompt once, across the window, where the lone player's score screen has it.
        if (!scores[0].rows.empty()) draw_score_row(scores[0].rows.back(), 1.0);
    });
}
