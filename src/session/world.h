// The records every part of a running level shares: the two layers of cells and their codes,
// the World, the Player, the per-frame PlayerInput and the level's description. Cells are
// read and written only through grid_get and grid_set, with rows counted from the lowest row.
#pragma once
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "app/sdl_handles.h"

// Limits of a level: 999 cells a row, 100 rows.
constexpr int max_grid_width = 999;
constexpr int max_grid_height = 100;

extern int grid_width;  // size of both layers in cells, set by the level loader
extern int grid_height;

constexpr int gravity = 90;              // cells/s², pulls the player and walking enemies
constexpr double dash_step = 0.8;        // cells moved per frame of a dash
constexpr double frame_dt = 1.0 / 60.0;  // the fixed step of every update

// One layer: grid_width × grid_height cells, row-major with the top row first.
using Grid = std::vector<char>;

// The cell at (row, column), rows counted upwards from the lowest; ' ' outside the level.
char grid_get(int row, int column, const Grid& layer);
// Writes the cell; outside the level nothing happens.
void grid_set(int row, int column, Grid& layer, char code);

// Cell codes, as the level files store them.
namespace cell {
constexpr char empty = ' ';
// Play layer: blocks with a rule of their own ('a' … 's' are blocks).
constexpr char breakable = 'b', item_block = 'd', spent_block = 'e', hidden_block = 'f',
               one_way = 'h';
// Play layer: items.
constexpr char trap = 'A', sprung_trap = 'B', time_item = 'C', jump_item = 'D', speed_item = 'E',
               gem = 'F', spring = 'G', coin = 'H';
// Decor layer: markers and rails.
constexpr char start_marker = 'A', exit_marker = 'B', rail = '.';
}  // namespace cell

// The cell holding a view position. Floor, not truncation: left of and below the level (where a
// narrow or low level puts the camera) positions must not fold onto column or row 0.
inline int cell_floor(double v) { return static_cast<int>(std::floor(v)); }

// Block classes: what collides with what.
inline bool is_block(char c) { return c >= 'a' && c <= 's'; }
inline bool floor_solid(char c) { return is_block(c) && c != cell::hidden_block; }  // stood on
inline bool ceiling_solid(char c) { return is_block(c) && c != cell::one_way; }     // stops a head
inline bool side_free(char c) {
    return !(is_block(c) && c != cell::hidden_block && c != cell::one_way);
}
inline bool side_solid(char c) { return !side_free(c); }

// Slots of the theme's tile table.
constexpr int tile_slot_count = 51;
constexpr int slot_first_decor = 19;  // decorations 'A' … 'L'
constexpr int slot_first_item = 31;   // items 'A' … 'H'
constexpr int slot_first_enemy = 39;  // editor icons of spawn cells '0' … '2'
constexpr int slot_spring = 37;
constexpr int slot_coin = 38;
constexpr int slot_rail = 44;
constexpr int slot_rail_connector = 45;
constexpr int slot_error_play = 46;
constexpr int slot_error_decor = 47;
constexpr int slot_portal = 48;  // three layers: 48, 49, 50
using ThemeTiles = std::array<TexturePtr, tile_slot_count>;

// Moving platforms: blocks lifted off rail cells when the level (re)starts. Their rules are the
// world's rail module; the records live here, with the level, so every rule sees the solids.
constexpr int max_rail_platforms = 50;

struct RailPlatform {
    int cell_x = 0, cell_y = 0;  // the block's cell when the level was (re)started
    double x = 0, y = 0;         // lower-left corner, in cells
    double dir_y = 0;            // last vertical direction: +1 up, −1 down, 0 not yet moved
    double dir_x = 0;            // last horizontal direction: +1 right, −1 left
    double step_y = 0;           // vertical displacement of the last frame
    double step_x = 0;           // horizontal displacement of the last frame: carries a rider
};

// In creation order: row by row from the lowest, left to right. The first platform in this
// order wins when two could carry the player.
struct RailPlatforms {
    std::vector<RailPlatform> list;
};

struct World {
    int exit_x = 0, exit_y = 0;    // cell of the exit marker
    int start_x = 0, start_y = 0;  // cell of the start marker
    double camera_x = 0;           // left edge of the view, in cells
    double camera_y = 0;           // lower edge of the view, in cells
    Grid play_grid;                // blocks, items, enemy spawn cells ("0.lvl")
    Grid decor_grid;               // background, decorations, markers, rails ("1.lvl")
    // The play layer as its author made it: as read from "0.lvl", with the editor's strokes.
    // Play changes only play_grid (items taken, blocks broken, platforms lifted onto their
    // rails); a save writes this one, so nothing the running game moved is lost. Play never
    // changes the decor layer, which is saved as it is.
    Grid authored_play;
    bool layers_read = false;  // the layers came from the level's files (saving is safe)
    // Reading cut part of a level file (past the size limits, or decor outside the play layer):
    // the next save only says what it would drop, and the one after saves.
    bool read_cut = false;
    RailPlatforms rails;  // the moving solids
    // The clock when the level was last updated. Everything that moves on the clock (coins,
    // springs, the portal, enemies' steps) is drawn from it, so that a level drawn again without
    // an update, under the pause menu, stands still.
    int clock_ms = 0;
};

// An author's change of one cell (the editor): both layers as shown, and the authored play layer.
void author_cell(World& world, int row, int column, char play, char decor);

constexpr int full_time = 300000;  // time_left at spawn and its cap
constexpr int max_power = 40000;

enum class PlayerPose { walk1, walk2, air };

struct Player {
    double w = 1.0, h = 2.0;
    double x = 0, y = 0;  // lower-left corner
    int alive = 0;        // 0 makes the session restart the level
    int facing_left = 0;
    int anim_frame = 0;  // walk cycle, one step per drawn frame
    PlayerPose pose = PlayerPose::walk1;
    bool blink_hidden = false;  // not drawn this frame (blinking while it cannot be hurt)
    double vx = 0, vy = 0;
    int step_phase = 0;
    int hurt_until = 0;  // clock time before which enemies do not hurt
    int vulnerable = 1;
    int on_ground = 0;
    int time_limit = full_time;
    int respawns = 0;
    int time_left = full_time;
    int power = 0;
    int enemy_points = 0;
    int items_collected = 0;
    double dash_timer = 0;     // non-zero while a dash runs
    int dash_direction = 1;    // +1 or −1, direction of the current dash
    double dash_distance = 0;  // cells travelled by the current dash
};

// The player's controls of one frame; all but jump_rise are rebuilt every frame.
struct PlayerInput {
    double left = 0, right = 0;  // 0 … 1
    int jump_held = 0;           // the controller's jump button is down
    int jump_keys_held = 0;      // Up, W or Space is down: holds a jump higher
    int jump_pressed = 0;
    double jump_rise = 0;  // height risen in this jump; −1 when it can no longer be prolonged
    int dash_pressed = 0;
    int down_pressed = 0;
};

// A level's description, from its folder name and "config.ini".
struct LevelInfo {
    std::string name;
    std::string titre;     // title
    std::string createur;  // author
    std::string fond;      // background set
    std::string musique;   // music track file
    std::string theme;     // tile theme
};
