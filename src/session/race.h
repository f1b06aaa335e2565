// A race: two players on one computer, in one level, each in a half of the window. The level
// and everything in it (layers, platforms, enemies, doors, characters, exit) is shared; each
// racer has its own body, controls, camera, power, hurt time, items, score, way through the
// doors and pull into the exit. The first captured by the exit wins; when a countdown runs out,
// the one nearer the exit does. A result screen shows both scores side by side.
#pragma once
#include <SDL.h>

#include <array>
#include <string>

#include "app/controls.h"
#include "levelend/doors.h"
#include "levelend/exit.h"
#include "levelend/hud.h"
#include "session/session.h"

constexpr int racer_count = 2;

// Who won: nobody yet, a racer (0 or 1), or both on the same frame.
constexpr int race_undecided = -1;
constexpr int race_tied = 2;

// How long (frames) the halves show who won before the veil closes.
constexpr int race_verdict_frames = 120;

struct Racer {
    Player player;
    PlayerInput input;
    double camera_x = 0, camera_y = 0;  // its own view, lower-left corner in cells
    DoorSet doors;                      // the level's doors, and its own teleport through them
    LevelTransition exit;               // its capture, its pull and its half's darkening
    HudGauges gauges;                   // its own gauges
    int arrived = 0;                    // the exit has pulled it all the way in
    int prev_a = 0, prev_stick = 0;     // its controller's buttons, for edges
    int last_arrow_time = 0, last_arrow_dir = 0;  // its double tap
};

struct RaceArt {
    std::array<TexturePtr, 3> verdicts;  // "Player 1 wins", "Player 2 wins", "Draw"
};

struct Race {
    Session s;  // the shared level, its media and the veil over the whole window
    std::array<Racer, racer_count> racers;
    int winner = race_undecided;
    int frames = 0;             // frames played
    int decided_frame = 0;      // the frame the race was decided on
    bool by_countdown = false;  // decided by the countdown running out
    RaceArt art;
};

// The keys of each racer, for the README and the tests: player 1 walks with the arrows, runs
// with Right Shift, jumps with Up or Right Ctrl and enters doors with Down; player 2 walks with
// A and D, runs with Left Shift, jumps with W and enters doors with S. Controllers take the
// players in the order they were connected.
struct RacerKeys {
    SDL_Scancode left, right, run, jump, jump2;  // held
    SDL_Keycode press_left, press_right, press_jump, press_jump2, press_down;
};
extern const std::array<RacerKeys, racer_count> racer_keys;

// The part of a window of w × h that racer i sees: side by side, or one above the other when
// the window is taller than wide.
SDL_Rect race_half(int i, int w, int h);
// The verdict's words: "Player 1 wins", "Player 2 wins" or "Draw".
const char* race_verdict_text(int winner);

void race_start(Race& r, const std::string& name);
// One frame's update; screen_running until the race is over, then the session's result.
int race_update(Race& r, const Controls& controls);
// Both halves, each from its racer's camera with its own gauges, the divider, and the veil.
void race_draw(const Race& r);
// After the last frame: the result screen for a won race, then the level's media are freed.
int race_end(Race& r);
// The whole race, from the level's name to the result screen; the session's codes.
int run_race(const std::string& name);

// The result screen: both racers' score rows side by side, and the verdict.
int show_race_result(int winner, const Player& first, const Player& second);
