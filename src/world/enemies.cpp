// Enemy rules: spawning from the play layer, walking, falling, patrolling, and what touching the
// player does. Positions become cells by truncation, as everywhere in the level.
#include "world/enemies.h"

#include <cstdio>

#include "app/assets.h"
#include "app/audio.h"
#include "app/clock.h"
#include "app/draw.h"

namespace {
int to_cell(double v) { return static_cast<int>(v); }

bool overlaps(const Player& p, const Enemy& e, const EnemyType& t) {
    return p.x + p.w > e.x && p.x < e.x + t.w && p.y + p.h > e.y && p.y < e.y + t.h;
}

bool has_enemy_from(const Enemies& enemies, int column, int row) {
    for (const Enemy& e : enemies.list) {
        if (e.cell_x == column && e.cell_y == row) return true;
    }
    return false;
}

// A full list is told once a life of the level, not at every scan of every frame.
bool list_full(Enemies& enemies) {
    if (enemies.list.size() < max_enemies) return false;
    if (!enemies.full_told) std::printf("max enemy %d\n", static_cast<int>(max_enemies));
    enemies.full_told = true;
    return true;
}
}  // namespace

const EnemyType* enemy_type_of_cell(char code) {
    int digit = code - '0';
    if (digit < 0 || digit >= static_cast<int>(enemy_types.size())) return nullptr;
    return &enemy_types[digit];
}

void enemies_load_types(EnemyArt& art, const std::string& theme) {
    for (const EnemyType& t : enemy_types) {
        std::string folder = "textures/theme_" + theme + "/enemy/" + std::to_string(t.number);
        art.frames[t.number][0] = load_texture(folder + "/1.png");
        art.frames[t.number][1] = load_texture(folder + "/2.png");
    }
}

void enemies_load_sounds(EnemySounds& sounds) {
    sounds.hurt = load_sound("rem.wav");
    sounds.kill = load_sound("cut.wav");
}

void enemies_release(EnemyArt& art) {
    for (auto& frames : art.frames) {
        for (TexturePtr& tex : frames) tex.reset();
    }
}

void enemies_clear(Enemies& enemies) { enemies.list.clear(); }

void enemies_restart(Enemies& enemies) { enemies = Enemies{}; }

void enemies_spawn(Enemies& enemies, const Grid& play, double camera_x, double camera_y) {
    if (list_full(enemies)) return;
    int t = tile_size();
    if (t <= 0) return;  // a window under 24 pixels high shows no cells
    // The view's lower-left cell. Floor rather than truncation: a level narrower than the view
    // puts the camera left of column 0, and the scan must keep its place against the view.
    int cx = cell_floor(camera_x), cy = cell_floor(camera_y);
    // The view's lowest row and its leftmost column are left out; to the right the scan runs
    // as many columns past the edge as a cell has pixels.
    int rows = window_height / t, columns = window_width / t + t;
    for (int i = 1; i < rows; ++i) {
        for (int j = 1; j < columns; ++j) {
            int row = cy + i, column = cx + j;
            char code = grid_get(row, column, play);
            if (list_full(enemies)) return;
            const EnemyType* type = enemy_type_of_cell(code);
            if (!type || has_enemy_from(enemies, column, row)) continue;
            Enemy e;
            e.cell_x = column;
            e.cell_y = row;
            e.x = column;
            e.y = row;
            e.type = type->number;
            enemies.list.push_back(e);
        }
    }
}

void enemies_move(Enemies& enemies, const Grid& play, double dt) {
    if (dt == 0) return;
    for (Enemy& e : enemies.list) {
        const EnemyType& t = enemy_types[e.type];
        // Standing: the cell its lower edge is in, under the first cell of its width, is floor.
        int feet = to_cell(e.y);
        bool on_ground = floor_solid(grid_get(feet, to_cell(e.x + 0.00000001), play)) ||
                         floor_solid(grid_get(feet, to_cell(e.x + 1 - 0.00000001), play));
        if (on_ground) {
            e.vy = 0;
            e.y = feet + 0.99999999999;  // resting on top of that cell
        } else {
            e.vy -= t.fall_accel * dt;
            if (e.vy < enemy_lowest_vy) e.vy = enemy_lowest_vy;
        }
        e.x += dt * e.dir_x * t.speed;
        e.y += dt * e.vy;
        // Walls at body height, one row above the feet; with walls on both sides it faces right.
        int body = to_cell(e.y) + 1;
        if (side_solid(grid_get(body, to_cell(e.x) + 1, play))) e.dir_x = -1;
        if (side_solid(grid_get(body, to_cell(e.x), play))) e.dir_x = +1;
        // Past the end of its patrol it heads back toward its spawn column, even where a wall
        // just turned it the other way, so it never shivers inside a wall at the patrol's end.
        if (t.patrol_range != no_patrol_limit) {
            if (e.x - e.cell_x > t.patrol_range) e.dir_x = -1;
            if (e.cell_x - e.x > t.patrol_range) e.dir_x = +1;
        }
    }
}

void enemies_contact(Enemies& enemies, Player& p, const EnemySounds* sounds) {
    if (p.vulnerable != 1 && now_ms() > p.hurt_until) p.vulnerable = 1;
    for (Enemy& e : enemies.list) {
        const EnemyType& t = enemy_types[e.type];
        if (t.points == 0 || e.dead || !overlaps(p, e, t)) continue;
        if (p.dash_timer != 0) {
            e.dead = true;
            p.enemy_points += t.points;
            p.time_left += t.points * 10000;
            if (sounds) play_sound(sounds->kill.get(), false);
        } else if (p.vy < -0.5 && p.x > e.x) {
            // Landing on it: only from its right-hand side, and worth half its points, no time.
            p.vy = 4;
            e.dead = true;
            p.enemy_points += t.points / 2;
            if (sounds) play_sound(sounds->kill.get(), false);
        } else if (p.vulnerable == 1) {
            p.vulnerable = 0;
            p.time_left -= t.points * 50000;
            p.hurt_until = now_ms() + t.hurt_ms;
            if (sounds) play_sound(sounds->hurt.get(), false);
        }
    }
}
