// One level from entry to exit: the session owns every object of the level, turns each frame's
// controls into the player's input, handles the session keys, updates and draws in a fixed
// order, and returns how the level ended. It is the first screen built on the shape every screen
// follows (app/screen.h): a state record, an update, a const draw, a result.
#pragma once
#include <SDL.h>

#include <string>

#include "app/controls.h"
#include "editor/editor.h"
#include "levelend/doors.h"
#include "levelend/exit.h"
#include "levelend/hud.h"
#include "session/player.h"
#include "session/world.h"
#include "world/background.h"
#include "world/characters.h"
#include "world/enemies.h"

// How a session ends.
constexpr int session_running = 0;
constexpr int session_won = 1;
constexpr int session_quit = -1;  // window closed, or "Exit"
constexpr int session_back = -2;  // back to the level selection

// How a session starts: in play, as the level selection starts it, or with the editor on, and
// then perhaps with the view centred on a cell that is outlined (a cell the level checker named).
struct SessionStart {
    bool editor = false;
    bool focus = false;
    int focus_column = 0, focus_row = 0;  // rows counted from the lowest
    std::string focus_note;               // shown beside the cell: what is the matter with it
};

// Everything a level shows and plays, apart from the rules' records.
struct SessionMedia {
    Background background;
    ThemeTiles tiles;
    PlayerArt player_art;
    PlayerSounds player_sounds;
    EditorArt editor_art;
    EditorSounds editor_sounds;
    EnemyArt enemy_art;
    EnemySounds enemy_sounds;
    CharacterArt character_art;
    DoorArt door_art;
    DoorSounds door_sounds;
    HudArt hud_art;
    TransitionArt transition_art;
    TransitionSounds transition_sounds;
    FontPtr debug_font;
};

struct Session {
    LevelInfo info;
    World world;
    Player player;
    PlayerInput input;
    EditorState editor;
    Enemies enemies;
    Characters characters;
    DoorSet doors;
    LevelTransition transition;
    int session_result = session_running;
    bool debug_overlay = false;  // shows the player's position (key P)
    int last_arrow_time = 0;     // the arrow press that opened a double-tap window
    int last_arrow_dir = 0;      // +1 after Right, −1 after Left
    SDL_Color debug_colour{0, 0, 0, 255};
    int prev_a = 0, prev_stick = 0;  // last controller button states, for edges
    SessionStart how;                // the view goes to its focus when the level is first read
    SessionMedia media;
};

// Plays the level folder `name` under "levels/" until it is won, left or the window is closed.
int run_session(const std::string& name, const SessionStart& how = {});

// The stages of run_session, for driving a session frame by frame.
void session_start(Session& s, const std::string& name, const SessionStart& how = {});
// One whole frame: reads the controls, updates, draws and presents.
void session_frame(Session& s);
// The update half of a frame: the controls into the input and the session keys, then the life
// check (or the restart), physics, camera, exit, editor, and the player's animation. Returns
// screen_running until the session is over, then its result.
int session_update(Session& s, const Controls& controls);
// The draw half of a frame, without presenting it. Changes nothing.
void session_draw(const Session& s);
bool session_running_now(const Session& s);
int session_end(Session& s);
// The end of every session, after its last screen: the menu's music, and the level's media
// released in order.
void session_release(Session& s);

// Reads the layers and places the player at the start; a level whose files cannot be read
// sends the player back.
void session_restart_level(Session& s);

// Input helpers of the loop, for the session's player and for each racer of a race.
double controller_dead_zone(double v);
void apply_controller(PlayerInput& input, int& prev_a, int& prev_stick, double stick_x,
                      double stick_y, double trigger, int a, int click);
void read_controller(PlayerInput& input, int& prev_a, int& prev_stick, const Pad& pad);
void arrow_press(PlayerInput& input, int& last_time, int& last_dir, int dir);
// Fills the input from the left stick (x, y in −1 … 1), the right trigger (0 … 1) and the A
// and left-stick-click buttons, with edges against the previous button states.
void apply_controller(Session& s, double stick_x, double stick_y, double trigger, int a, int click);
// A Right (+1) or Left (−1) press: a second press the same way within 199 ms asks for a dash.
void arrow_press(Session& s, int dir);
