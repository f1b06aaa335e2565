// One level from entry to exit: the session owns every object of the level, reads the keyboard
// and a game controller into the player's input each frame, handles the session keys, updates
// and draws in a fixed order, and returns how the level ended.
#pragma once
#include <SDL.h>

#include <string>

#include "editor/editor.h"
#include "session/world.h"

// How a session ends.
constexpr int session_running = 0;
constexpr int session_won = 1;
constexpr int session_quit = -1;  // window closed, or "Exit"
constexpr int session_back = -2;  // back to the level selection

struct Session {
    LevelInfo info;
    World world;
    Player player;
    PlayerInput input;
    EditorState editor;
    int session_result = session_running;
    bool debug_overlay = false;  // shows the player's position (key P)
    int last_arrow_time = 0;     // the arrow press that opened a double-tap window
    int last_arrow_dir = 0;      // +1 after Right, −1 after Left
    FontPtr debug_font;
    SDL_Color debug_colour{0, 0, 0, 255};
    bool controller_present = false;
    SDL_GameController* controller = nullptr;
    int prev_a = 0, prev_stick = 0;  // last controller button states, for edges
};

// Plays the level folder `name` under "levels/" until it is won, left or the window is closed.
int run_session(const std::string& name);

// The three stages of run_session, for driving a session frame by frame.
void session_start(Session& s, const std::string& name);
void session_frame(Session& s);
// The update half of a frame: life check, physics or the restart, camera, editor.
void session_update(Session& s);
// The draw half of a frame, without presenting it.
void session_draw(Session& s);
bool session_running_now(const Session& s);
int session_end(Session& s);

// Input helpers of the loop.
double controller_dead_zone(double v);
// Fills the input from the left stick (x, y in −1 … 1), the right trigger (0 … 1) and the A
// and left-stick-click buttons, with edges against the previous button states.
void apply_controller(Session& s, double stick_x, double stick_y, double trigger, int a, int click);
// A Right (+1) or Left (−1) press: a second press the same way within 199 ms asks for a dash.
void arrow_press(Session& s, int dir);
