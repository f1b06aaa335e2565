// Rail platforms: building them from the layers, moving them along the rails, and the player's
// contact with them. Positions are in cells, y upwards.
#include "world/rails.h"

#include <cmath>

namespace {
constexpr char rail = '.';

bool is_item(char c) { return c >= 'A' && c <= 'H'; }

// Neighbour cells are looked up with floor: "just left of" column 0 and "just below" row 0 are
// outside the level, not the platform's own cell, so a track ends at the level's edge.
bool rail_at(const Grid& decor, double x, double y) {
    return grid_get(cell_floor(y), cell_floor(x), decor) == rail;
}

// Steps of 0.05 drift off whole cells by rounding errors, and a platform a hair below a whole
// row would take its own cell for the one above it (and bounce at every bend). A position this
// close to a whole cell is that cell.
double settle(double v) {
    double whole = std::round(v);
    return std::fabs(v - whole) < 1e-9 ? whole : v;
}
}  // namespace

bool platform_on_top(const RailPlatform& p, double px, double py, double pw, double) {
    return px + pw >= p.x && px < p.x + 0.9 && py <= p.y + 1 && py >= p.y;
}

bool platform_below(const RailPlatform& p, double px, double py, double pw, double ph) {
    return px + pw >= p.x && px < p.x + 1 && py + ph > p.y && py + ph < p.y + 0.9;
}

bool platform_left_side(const RailPlatform& p, double px, double py, double pw, double ph) {
    return py + ph >= p.y + 0.9 && py <= p.y + 0.1 && px + pw > p.x && px < p.x + 0.5;
}

bool platform_right_side(const RailPlatform& p, double px, double py, double, double ph) {
    return py + ph >= p.y + 0.9 && py <= p.y + 0.1 && px < p.x + 0.999999999 && px > p.x + 0.5;
}

void rail_clear(RailPlatforms& rails) { rails.list.clear(); }

void rail_build(RailPlatforms& rails, Grid& play, const Grid& decor) {
    rail_clear(rails);
    for (int row = 0; row < grid_height; ++row) {
        for (int col = 0; col < grid_width; ++col) {
            if (grid_get(row, col, decor) != rail) continue;
            char c = grid_get(row, col, play);
            if (is_item(c)) {
                grid_set(row, col, play, ' ');  // items cannot lie on rails
            } else if (is_block(c) && rails.list.size() < max_rail_platforms) {
                grid_set(row, col, play, ' ');
                RailPlatform p;
                p.cell_x = col;
                p.cell_y = row;
                p.x = col;
                p.y = row;
                rails.list.push_back(p);
            }
        }
    }
}

namespace {
// One step of a platform along one axis, in direction `sign`.
void step_along(double& position, double& direction, double& last_step, int sign, double step) {
    direction = sign;
    position += sign * step;
    last_step = sign * step;
}
}  // namespace

void rail_move(RailPlatforms& rails, const Grid& decor, double dt) {
    if (dt == 0) return;
    double step = rail_speed * dt;
    for (RailPlatform& p : rails.list) {
        p.x = settle(p.x);
        p.y = settle(p.y);
        bool up = rail_at(decor, p.x, p.y + 1);
        bool down = rail_at(decor, p.x, p.y - 0.001);
        bool right = rail_at(decor, p.x + 1, p.y);
        bool left = rail_at(decor, p.x - 0.001, p.y);
        // Where the track goes on both ways, keep going the way it went.
        if (left && right) {
            if (p.dir_x > 0) left = false;
            if (p.dir_x < 0) right = false;
        }
        if (up && down) {
            if (p.dir_y > 0) down = false;
            if (p.dir_y < 0) up = false;
        }
        // A frame's steps are what it carries a rider by: a platform rising or sinking straight
        // carries nobody sideways, whichever way it went before.
        p.step_x = p.step_y = 0;
        // Applied in this order, a platform between two rails cancels out in its first frame
        // and leaves with −1: it sets off left (or down).
        if (right) step_along(p.x, p.dir_x, p.step_x, 1, step);
        if (left) step_along(p.x, p.dir_x, p.step_x, -1, step);
        if (up) step_along(p.y, p.dir_y, p.step_y, 1, step);
        if (down) step_along(p.y, p.dir_y, p.step_y, -1, step);
        if (!up && !down) p.y = std::trunc(p.y);
        if (!left && !right) p.x = std::trunc(p.x);
    }
}

void rail_collide(const RailPlatforms& rails, Player& player, int& carried) {
    for (const RailPlatform& p : rails.list) {
        if (platform_on_top(p, player.x, player.y, player.w, player.h) && player.vy < 0) {
            // Standing sinks a tenth into the platform; being put back on it every frame is
            // what carries the player up and down.
            player.vy = 0;
            player.y = p.y + 0.9;
            if (carried == 0) {
                player.x += p.step_x;
                carried = 1;
            }
        }
        if (platform_below(p, player.x, player.y, player.w, player.h) && player.vy > 0) {
            player.vy = 0;
            player.y = p.y - player.h;
        }
        if (platform_left_side(p, player.x, player.y, player.w, player.h)) {
            player.vx = 0;
            player.x = p.x - player.w - 0.000001;
        }
        if (platform_right_side(p, player.x, player.y, player.w, player.h)) {
            player.vx = 0;
            player.x = p.x + 1.000000001;
        }
    }
}
