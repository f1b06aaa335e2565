// Scripted play of a level through the real session: held keys through the installed keyboard
// array, key-down events pushed into SDL's queue, one session frame at a time.
#include "levels/replay.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <SDL_image.h>
#include <gtest/gtest.h>

#include "app/controls.h"
#include "app/draw.h"
#include "app/input.h"
#include "app/random.h"
#include "app/screen.h"
#include "world/rails.h"

namespace replay {

namespace {
bool on_ground(const Moment& m) { return m.airborne && m.p.on_ground && m.p.vy == 0; }

// Walks toward the column while the slide that ground friction would give the current speed
// (a tenth of a cell for every cell per second) would not carry the player there.
unsigned toward(const Player& p, double x) {
    double dx = x - p.x, slide = 0.1 * p.vx;
    if (dx - slide > 0.1) return right;
    if (dx - slide < -0.1) return left;
    return 0;
}

std::string where(const Player& p) {
    char text[160];
    std::snprintf(text, sizeof text, "x %.2f y %.2f vx %.2f vy %.2f%s power %d time %d", p.x, p.y,
                  p.vx, p.vy, p.on_ground ? " ground" : "", p.power, p.time_left);
    return text;
}
}  // namespace

const RailPlatform& platform(const Session& s, int cell_x, int cell_y) {
    for (const RailPlatform& p : s.world.rails.list) {
        if (p.cell_x == cell_x && p.cell_y == cell_y) return p;
    }
    static const RailPlatform none{};
    ADD_FAILURE() << "no rail platform started at " << cell_x << "," << cell_y;
    return none;
}

const Enemy* enemy(const Session& s, int cell_x, int cell_y) {
    for (const Enemy& e : s.enemies.list) {
        if (e.cell_x == cell_x && e.cell_y == cell_y && !e.dead) return &e;
    }
    return nullptr;
}

bool riding(const Session& s) {
    const Player& p = s.player;
    for (const RailPlatform& r : s.world.rails.list) {
        if (platform_on_top(r, p.x, p.y, p.w, p.h) && p.y == r.y + 0.9) return true;
    }
    return false;
}

Step walk_to(std::string what, unsigned held, double x) {
    bool rightwards = (held & right) != 0;
    return {std::move(what), held, none, 0,
            [=](const Moment& m) { return rightwards ? m.p.x >= x : m.p.x <= x; }};
}

Step stop_at(std::string what, double x) {
    Step step{std::move(what), 0, none, 0, [=](const Moment& m) {
                  return m.p.on_ground && std::fabs(m.p.x - x) < 0.25 && std::fabs(m.p.vx) < 0.3;
              }};
    step.stop_at = x;
    return step;
}

Step stop_on_platform(std::string what, int cell_x, int cell_y, double offset) {
    auto target = [=](const Session& s) { return platform(s, cell_x, cell_y).x + offset; };
    Step step{std::move(what), 0, none, 0, [=](const Moment& m) {
                  return riding(m.s) && std::fabs(m.p.x - target(m.s)) < 0.2 &&
                         std::fabs(m.p.vx) < 0.3;
              }};
    step.stop_on = target;
    return step;
}

Step settle(std::string what, unsigned held) {
    return {std::move(what), held, none, 0,
            [](const Moment& m) { return m.p.on_ground && m.p.vy == 0 && m.frames >= 2; }};
}

Step jump_to_ground(std::string what, unsigned held, int hold_frames) {
    return {std::move(what), held, jump, hold_frames, on_ground};
}

Step jump_until(std::string what, unsigned held, int hold_frames,
                std::function<bool(const Moment&)> done) {
    return {std::move(what), held, jump, hold_frames, std::move(done)};
}

Step until(std::string what, unsigned held, std::function<bool(const Moment&)> done, int limit) {
    return {std::move(what), held, none, 0, std::move(done), limit};
}

Step dash(std::string what, unsigned direction_press, unsigned held) {
    return {std::move(what),
            held,
            direction_press,
            0,
            [](const Moment& m) { return m.frames >= 2 && m.p.dash_timer == 0; },
            30};
}

// With MIVO_REPLAY_SHOTS naming a folder, the level as a player sees it at the end of each step
// is kept there ("<level>-<step>.png"; give an absolute path: replays run in a sandbox), for
// people to look at a replay.
static void keep_picture(const Session& s, const std::string& level, int number,
                         const std::string& what) {
    const char* folder = std::getenv("MIVO_REPLAY_SHOTS");
    if (!folder || !*folder) return;
    SDL_RenderClear(game_renderer);
    session_draw(s);
    SurfacePtr shot(SDL_CreateRGBSurfaceWithFormat(0, window_width, window_height, 32,
                                                   SDL_PIXELFORMAT_ARGB8888));
    if (!shot || SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888,
                                      shot->pixels, shot->pitch) != 0)
        return;
    char file[64];
    std::snprintf(file, sizeof file, "-%02d.png", number);
    std::filesystem::create_directories(folder);
    std::string path = std::string(folder) + "/" + level + file;
    if (IMG_SavePNG(shot.get(), path.c_str()) == 0)
        std::printf("%s: %s\n", path.c_str(), what.c_str());
}

Outcome play(const std::string& name, const Script& script) {
    namespace fs = std::filesystem;
    Outcome out;
    Sandbox sandbox;
    fs::copy(source_dir() + "/levels/" + name, "levels/" + name, fs::copy_options::recursive);
    TestDisplay display;
    std::vector<Uint8> keys(SDL_NUM_SCANCODES, 0);
    input_install_keyboard(keys.data());
    random_seed(1);  // the same item from every item block, run after run
    Session s;
    session_start(s, name);
    session_frame(s);  // the first frame spawns the player
    const int first_respawns = s.player.respawns;

    auto frame = [&](const Step& step, int n) {
        unsigned held = step.held;
        if (step.stop_at) held = toward(s.player, *step.stop_at);
        if (step.stop_on) held = toward(s.player, step.stop_on(s));
        if (n == 0 && (step.press & dash_right)) held |= right;
        if (n == 0 && (step.press & dash_left)) held |= left;
        keys[SDL_SCANCODE_RIGHT] = (held & right) != 0;
        keys[SDL_SCANCODE_LEFT] = (held & left) != 0;
        keys[SDL_SCANCODE_LSHIFT] = (step.held & shift) != 0;
        keys[SDL_SCANCODE_SPACE] = n < step.jump_hold;
        // Drawing changes nothing and costs most of a frame in the sanitizer build: one frame
        // in thirty (half a second of play) is drawn, which still draws every part of the level
        // the replay goes through. The others are presented undrawn, so the clock's pacing
        // stays that of the game.
        if (out.frames % 30 == 0) {
            session_frame(s);
        } else {
            Controls controls;
            controls_read(controls);
            session_update(s, controls);
            present_frame();
        }
        ++out.frames;
        int defeated = 0;
        for (const Enemy& e : s.enemies.list) defeated += e.dead ? 1 : 0;
        out.enemies_spawned =
            std::max(out.enemies_spawned, static_cast<int>(s.enemies.list.size()));
        out.enemies_defeated = std::max(out.enemies_defeated, defeated);
        if (riding(s)) {
            out.ride_from =
                out.riding_frames == 0 ? s.player.x : std::min(out.ride_from, s.player.x);
            out.ride_to = std::max(out.ride_to, s.player.x);
            ++out.riding_frames;
        }
    };

    int step_number = 0;
    for (const Step& step : script) {
        if (step.press & jump) push_key(SDLK_SPACE);
        if (step.press & down) push_key(SDLK_DOWN);
        // A double tap, as fingers do it: the first press turns the player that way, the second
        // comes a frame later and dashes.
        const SDL_Keycode tapped = (step.press & dash_right) ? SDLK_RIGHT : SDLK_LEFT;
        const bool double_tap = (step.press & (dash_right | dash_left)) != 0;
        bool airborne = false, done = false;
        int n = 0;
        while (!done && n < step.limit) {
            const bool was_vulnerable = s.player.vulnerable == 1;
            if (double_tap && n < 2) push_key(tapped);
            frame(step, n++);
            if (s.player.respawns != first_respawns) {
                out.deaths = (s.player.respawns - first_respawns) / 2;
                out.failure = "died during \"" + step.what + "\"";
                break;
            }
            if (was_vulnerable && s.player.vulnerable != 1) {
                ++out.hurts;
                out.failure = "hurt by an enemy during \"" + step.what + "\"";
                break;
            }
            if (s.transition.captured || s.session_result == session_won) {
                out.reached_exit = true;
                break;
            }
            if (!s.player.on_ground) airborne = true;
            done = step.done(Moment{s.player, n, airborne, s});
        }
        keep_picture(s, name, ++step_number, step.what);
        out.trace += step.what + " (" + std::to_string(n) + " frames): " + where(s.player) +
                     ", enemies beaten " + std::to_string(out.enemies_defeated) + "\n";
        if (out.reached_exit || !out.failure.empty()) break;
        if (!done) {
            out.failure = "stuck in \"" + step.what + "\"";
            break;
        }
    }
    if (!out.reached_exit && out.failure.empty()) out.failure = "the script ended before the exit";
    out.end_x = s.player.x;
    out.end_y = s.player.y;
    out.time_left = s.player.time_left;
    out.items = s.player.items_collected;
    session_end(s);
    input_install_keyboard(nullptr);
    return out;
}

}  // namespace replay
