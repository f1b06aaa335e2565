// Enemies: the digits of the play layer are spawn cells, each of which becomes a walking or
// flying enemy the first time the view reaches it. Enemies turn at walls and at the end of their
// patrol, hurt the player on contact, and fall to a dash or to the player landing on them.
#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "app/sdl_handles.h"
#include "session/world.h"

// What one kind of enemy is: sizes in cells, speeds in cells per second.
struct EnemyType {
    const char* name;
    int number;         // the spawn digit, and the folder of its two images
    double w, h;        // only one cell's width stands on the ground, whatever w is
    double speed;       // horizontal
    double fall_accel;  // 0: it flies and never falls
    int points;   // what defeating it is worth and how much it hurts; 0: harmless, undefeatable
    int hurt_ms;  // grace time the player gets after being hurt by it
    int frame_period_ms;  // one cycle of its two images
    int patrol_range;     // cells it may stray from its spawn column, or no_patrol_limit
};

constexpr int no_patrol_limit = -1;

// The kinds the play layer can spawn, indexed by their digit. Digits beyond these ('2' … '5')
// are left in the layer but spawn nothing.
constexpr std::array<EnemyType, 2> enemy_types{{
    {"walker1", 0, 1.5, 1.5, 2.5, gravity, 1, 2000, 200, no_patrol_limit},
    {"flyer1", 1, 1.5, 1.5, 2.0, 0, 2, 1000, 50, 3},
}};

// A falling enemy never drops faster than this (as the player), so that it moves less than a
// cell per frame and cannot fall through a one-cell floor.
constexpr double enemy_lowest_vy = -50;

constexpr std::size_t max_enemies = 50;

struct Enemy {
    int cell_x = 0, cell_y = 0;  // its spawn cell
    int dir_x = -1;              // +1 right, −1 left: every enemy sets off to the left
    double x = 0, y = 0;         // lower-left corner
    int type = 0;                // index into enemy_types
    double vy = 0;               // positive upwards
    bool dead = false;  // defeated: neither drawn nor harmful, but still holding its spawn cell
};

// The live enemies of a level, at most max_enemies. An entry stays until the list is cleared by a
// restart, so each spawn cell produces one enemy per life of the level.
struct Enemies {
    std::vector<Enemy> list;
    bool full_told = false;  // "max enemy" was printed in this life of the level
};

// The two animation images of each type (null when the theme has none: the enemy is unseen).
struct EnemyArt {
    std::array<std::array<TexturePtr, 2>, enemy_types.size()> frames;
};

struct EnemySounds {
    ChunkPtr hurt;  // "rem.wav": an enemy hurt the player
    ChunkPtr kill;  // "cut.wav": the player defeated an enemy
};

// The type a play cell spawns, or null when the cell is no spawn cell of a defined type.
const EnemyType* enemy_type_of_cell(char code);

// "textures/theme_<theme>/enemy/<n>/1.png" and "2.png" of every type.
void enemies_load_types(EnemyArt& art, const std::string& theme);
void enemies_load_sounds(EnemySounds& sounds);
void enemies_release(EnemyArt& art);

void enemies_clear(Enemies& enemies);
// A new life of the level: no enemies, and a full list will be told once again.
void enemies_restart(Enemies& enemies);
// Creates an enemy for every spawn cell in the scanned part of the view that has none yet; the
// scan reaches tile_size() columns beyond the right edge, so enemies ahead appear early.
void enemies_spawn(Enemies& enemies, const Grid& play, double camera_x, double camera_y);
// One step of walking, falling and flying; nothing moves when dt is 0.
void enemies_move(Enemies& enemies, const Grid& play, double dt);
// The player against every enemy it overlaps: a dash or a landing defeats it, anything else hurts
// the player unless the grace time of the last hurt still runs. Sounds play when given.
void enemies_contact(Enemies& enemies, Player& player, const EnemySounds* sounds);

// The images take turns on `clock_ms`, the world's clock.
void enemies_draw(const Enemies& enemies, const EnemyArt& art, double camera_x, double camera_y,
                  int clock_ms);
