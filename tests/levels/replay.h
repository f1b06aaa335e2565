// Replays of our levels: a level folder copied into a sandbox, played by a real session with
// scripted keys, step by step, until the player reaches the exit. Enemies and rail platforms
// run as in the game: a replay that is hurt by an enemy fails, so a passing replay shows how
// each enemy on its way can be beaten or avoided.
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
    dash_right = 2,  // Right held for a frame and pressed twice, a frame apart
    dash_left = 4,
    down = 8,  // enters a door
};

// What a step's end condition can see: the player, and the whole session for the enemies and
// the platforms that a player watches before moving.
struct Moment {
    const Player& p;
    int frames;     // frames played in this step
    bool airborne;  // the player has left the ground during this step
    const Session& s;
};

// The rail platform lifted from the block at (cell_x, cell_y) when the level started.
const RailPlatform& platform(const Session& s, int cell_x, int cell_y);
// The live enemy that came from the spawn cell (cell_x, cell_y), or null (not spawned yet, or
// defeated).
const Enemy* enemy(const Session& s, int cell_x, int cell_y);
// The player stands on a rail platform (put on it by the platform this frame).
bool riding(const Session& s);

struct Step {
    std::string what;
    unsigned held = 0;
    unsigned press = none;
    int jump_hold = 0;  // frames Space stays held from the step's first frame (0: a tap)
    std::function<bool(const Moment&)> done;
    int limit = 900;  // frames after which the step counts as stuck
    // When set, the arrows are chosen every frame to bring the player to rest at this column.
    std::optional<double> stop_at = std::nullopt;
    // Likewise, for a column that moves (a place on a platform).
    std::function<double(const Session&)> stop_on = nullptr;
};

using Script = std::vector<Step>;

// --- building scripts ---------------------------------------------------------------------

// Holds the keys until x has reached the column (from whichever side the keys move).
Step walk_to(std::string what, unsigned held, double x);
// Walks (either way) and comes to rest on the ground within a quarter cell of column x.
Step stop_at(std::string what, double x);
// Walks along the platform that started at (cell_x, cell_y), carried by it, to stand `offset`
// cells right of its left edge.
Step stop_on_platform(std::string what, int cell_x, int cell_y, double offset);
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
    int hurts = 0;        // times an enemy hurt the player (the replay stops at the first)
    std::string failure;  // where the script got stuck, when it did
    std::string trace;    // one line per step: where the player was when it ended
    int time_left = 0;
    int items = 0;
    int enemies_spawned = 0;            // enemies that came alive from their spawn cells
    int enemies_defeated = 0;           // of them, beaten by a dash or a landing
    int riding_frames = 0;              // frames the player stood on a rail platform
    double ride_from = 0, ride_to = 0;  // the columns the player crossed while riding
    double end_x = 0, end_y = 0;        // where the player was when the replay ended
};

// Plays the level `name` of the repository's levels/ (copied into a sandbox) with the script.
Outcome play(const std::string& name, const Script& script);

}  // namespace replay
