// Scripted play of a level through the real session: held keys through the installed keyboard
// array, key-down events pushed into SDL's queue, one session frame at a time.
#include "levels/replay.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "app/input.h"
#include "app/random.h"

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
        keys[SDL_SCANCODE_RIGHT] = (held & right) != 0;
        keys[SDL_SCANCODE_LEFT] = (held & left) != 0;
        keys[SDL_SCANCODE_LSHIFT] = (step.held & shift) != 0;
        keys[SDL_SCANCODE_SPACE] = n < step.jump_hold;
        session_frame(s);
        ++out.frames;
    };

    for (const Step& step : script) {
        if (step.press & jump) push_key(SDLK_SPACE);
        if (step.press & dash_right) {
            push_key(SDLK_RIGHT);
            push_key(SDLK_RIGHT);
        }
        if (step.press & dash_left) {
            push_key(SDLK_LEFT);
            push_key(SDLK_LEFT);
        }
        if (step.press & down) push_key(SDLK_DOWN);
        bool airborne = false, done = false;
        int n = 0;
        while (!done && n < step.limit) {
            frame(step, n++);
            if (s.player.respawns != first_respawns) {
                out.deaths = (s.player.respawns - first_respawns) / 2;
                out.failure = "died during \"" + step.what + "\"";
                break;
            }
            if (s.transition.captured || s.session_result == session_won) {
                out.reached_exit = true;
                break;
            }
            if (!s.player.on_ground) airborne = true;
            done = step.done(Moment{s.player, n, airborne});
        }
        out.trace += step.what + " (" + std::to_string(n) + " frames): " + where(s.player) + "\n";
        if (out.reached_exit || !out.failure.empty()) break;
        if (!done) {
            out.failure = "stuck in \"" + step.what + "\"";
            break;
        }
    }
    if (!out.reached_exit && out.failure.empty()) out.failure = "the script ended before the exit";
    out.time_left = s.player.time_left;
    out.items = s.player.items_collected;
    session_end(s);
    input_install_keyboard(nullptr);
    return out;
}

}  // namespace replay
