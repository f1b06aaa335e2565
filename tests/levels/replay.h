// Replays of our levels: a level folder copied into a sandbox, played by a real session with
// scripted keys, step by step, until the player reaches the exit.
#pragma once
#include <SDL.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "session/session.h"
#include "support/harness.h"

namespace replay {

// Keys held during a step.
enum Held : unsigned {
    right = 1,
    left = 2,
    shift = 4,  // runs
    run_right = right | shift,
    run_left = left | shift,
};

// Key-down events pushed on a step's first frame.
enum Press : unsigned {
    none = 0,
    jump = 1,        // Space
    dash_right = 2,  // Right twice, inside the double-tap window
    dash_left = 4,
    down = 8,  // enters a door
};

// What a step's end condition can see.
struct Moment {
    const Player& p;
    int frames;     // frames played in this step
    bool airborne;  // the player has left the ground during this step
};

struct Step {
    std::string what;
    unsigned held = 0;
    unsigned press = none;
    int jump_hold = 0;  // frames Space stays held from the step's first frame (0: a tap)
    std::function<bool(const Moment&)> done;
    int limit = 900;  // frames after which the step counts as stuck
    // When set, the arrows are chosen every frame to bring the player to rest at this column.
    std::optional<double> stop_at = std::nullopt;
};

using Script = std::vector<Step>;

// --- building scripts ---------------------------------------------------------------------

// Holds the keys until x has reached the column (from whichever side the keys move).
Step walk_to(std::string what, unsigned held, double x);
// Walks (either way) and comes to rest on the ground within a quarter cell of column x.
Step stop_at(std::string what, double x);
// Stands still (or holds keys) until the player is on the ground.
Step settle(std::string what, unsigned held = 0);
// A jump: Space pressed and held for `hold_frames` (0: a tap), the keys held until landing.
Step jump_to_ground(std::string what, unsigned held, int hold_frames);
// A jump that ends as soon as a condition holds (for chained moves in the air).
Step jump_until(std::string what, unsigned held, int hold_frames,
                std::function<bool(const Moment&)> done);
// Holds keys until a condition holds.
Step until(std::string what, unsigned held, std::function<bool(const Moment&)> done,
           int limit = 900);
// A double-tap dash; the step lasts until the dash is over.
Step dash(std::string what, unsigned direction_press, unsigned held = 0);

// --- playing ------------------------------------------------------------------------------

struct Outcome {
    bool reached_exit = false;
    int frames = 0;
    int deaths = 0;
    std::string failure;  // where the script got stuck, when it did
    std::string trace;    // one line per step: where the player was when it ended
    int time_left = 0;
    int items = 0;
};

// Plays the level `name` of the repository's levels/ (copied into a sandbox) with the script.
Outcome play(const std::string& name, const Script& script);

}  // namespace replay
