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

bool rail_cell(const Grid& decor, int col, int row) { return grid_get(row, col, decor) == rail; }

// A track runs straight through a cell when nothing beside the cell, across the track's way,
// is a rail: the track goes on there, or ends, without turning.
bool straight_across(const Grid& decor, int col, int row, bool horizontal) {
    if (horizontal) return !rail_cell(decor, col, row + 1) && !rail_cell(decor, col, row - 1);
    return !rail_cell(decor, col + 1, row) && !rail_cell(decor, col - 1, row);
}

struct Ways {
    bool up, down, right, left;
};

// The ways a platform may take from where it stands. The neighbours are those of the cell
// under its lower-left corner, so a platform sees a bend early when it goes down or left (into
// that cell) and late when it goes up or right (out of it). Seen early, a bend is cut
// diagonally, which is how a └ bend has always been taken both ways. The other bends need the
// rules below, which never apply on a straight track or a lone └ bend.
Ways open_ways(const RailPlatform& p, const Grid& decor) {
    Ways w{rail_at(decor, p.x, p.y + 1), rail_at(decor, p.x, p.y - 0.001),
           rail_at(decor, p.x + 1, p.y), rail_at(decor, p.x - 0.001, p.y)};
    bool whole_x = p.x == std::floor(p.x), whole_y = p.y == std::floor(p.y);
    bool moved_x = p.step_x != 0, moved_y = p.step_y != 0;
    int col = cell_floor(p.x), row = cell_floor(p.y);
    if (moved_x != moved_y) {
        // Going up or right, the side rails in sight are those of the cell being left, the
        // leg it came by: it keeps off them until the next cell.
        if (moved_x && p.step_x > 0 && !whole_x) w.up = w.down = false;
        if (moved_y && p.step_y > 0 && !whole_y) w.left = w.right = false;
        // Going down or left, it cuts into the side leg of the cell ahead only where both legs
        // of that bend run straight; otherwise it goes on to the bend's cell and turns there.
        if (moved_y && p.step_y < 0 && !whole_y) {
            bool from_straight = straight_across(decor, col, row + 1, false);
            w.right = w.right && from_straight && straight_across(decor, col + 1, row, true);
            w.left = w.left && from_straight && straight_across(decor, col - 1, row, true);
        }
        if (moved_x && p.step_x < 0 && !whole_x) {
            bool from_straight = straight_across(decor, col + 1, row, true);
            w.up = w.up && from_straight && straight_across(decor, col, row + 1, false);
            w.down = w.down && from_straight && straight_across(decor, col, row - 1, false);
        }
        // On a whole cell where the track does not go on but turns, it turns rather than
        // going back the way it came.
        if (whole_x && whole_y && moved_x && !(p.step_x > 0 ? w.right : w.left) && (w.up || w.down))
            (p.step_x > 0 ? w.left : w.right) = false;
        if (whole_x && whole_y && moved_y && !(p.step_y > 0 ? w.up : w.down) && (w.left || w.right))
            (p.step_y > 0 ? w.down : w.up) = false;
    }
    // A platform that starts on a bend sets off along its horizontal leg.
    if (whole_x && whole_y && p.dir_x == 0 && p.dir_y == 0 && (w.left || w.right))
        w.up = w.down = false;
    return w;
}
}  // namespace

void rail_move(RailPlatforms& rails, const Grid& decor, double dt) {
    if (dt == 0) return;
    double step = rail_speed * dt;
    for (RailPlatform& p : rails.list) {
        p.x = settle(p.x);
        p.y = settle(p.y);
        Ways w = open_ways(p, decor);
        // Where the track goes on both ways, keep going the way it went.
        if (w.left && w.right) {
            if (p.dir_x > 0) w.left = false;
            if (p.dir_x < 0) w.right = false;
        }
        if (w.up && w.down) {
            if (p.dir_y > 0) w.down = false;
            if (p.dir_y < 0) w.up = false;
        }
        // A frame's steps are what it carries a rider by: a platform rising or sinking straight
        // carries nobody sideways, whichever way it went before.
        p.step_x = p.step_y = 0;
        // Applied in this order, a platform between two rails cancels out in its first frame
        // and leaves with −1: it sets off left (or down).
        if (w.right) step_along(p.x, p.dir_x, p.step_x, 1, step);
        if (w.left) step_along(p.x, p.dir_x, p.step_x, -1, step);
        if (w.up) step_along(p.y, p.dir_y, p.step_y, 1, step);
        if (w.down) step_along(p.y, p.dir_y, p.step_y, -1, step);
        if (!w.up && !w.down) p.y = std::trunc(p.y);
        if (!w.left && !w.right) p.x = std::trunc(p.x);
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
