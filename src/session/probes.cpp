// Grid probes. Every conversion of a position to a cell truncates toward zero.
#include "session/probes.h"

#include <cstdlib>

namespace {
int cell(double v) { return static_cast<int>(v); }

// The rows beside a body two cells tall: feet, middle and just under the top of the head.
bool side_blocked(const Grid& layer, int column, double y) {
    return side_solid(grid_get(cell(y), column, layer)) ||
           side_solid(grid_get(cell(y + 1), column, layer)) ||
           side_solid(grid_get(cell(y + 1.999), column, layer));
}
}  // namespace

bool probe_floor(const Grid& layer, double x, double y, double, double) {
    int row = cell(y - 1e-10);
    return floor_solid(grid_get(row, cell(x + 1e-07), layer)) ||
           floor_solid(grid_get(row, cell(x + 0.99999999999), layer));
}

bool probe_ceiling(const Grid& layer, double x, double y, double, double) {
    int row = cell(y + 1.999999999);
    return ceiling_solid(grid_get(row, cell(x + 1e-07), layer)) ||
           ceiling_solid(grid_get(row, cell(x + 0.999999999), layer));
}

bool probe_right(const Grid& layer, double x, double y, double w, double) {
    return side_blocked(layer, cell(cell(x) + w), y);
}

bool probe_left(const Grid& layer, double x, double y, double, double) {
    return side_blocked(layer, cell(x), y);
}

bool touch_cells(Grid& layer, double x, double y, double w, double h, char code, char replacement) {
    for (int i = 0; i <= w; ++i) {
        for (int j = 1; j <= h; ++j) {
            int row = cell((y - 0.01) + j), column = cell(i + x);
            if (grid_get(row, column, layer) == code) {
                grid_set(row, column, layer, replacement);
                return true;
            }
        }
    }
    return false;
}

bool bump_item_block(Grid& layer, Grid& item_layer, double x, double y, double w, double h,
                     char code, char replacement) {
    if (y < 0) return false;
    bool found = false;
    for (int i = 0; i <= w; ++i) {
        int row = cell(y + h + 0.5), column = cell((x - 1e-08) + i);
        if (grid_get(row, column, layer) != code) continue;
        grid_set(row, column, layer, replacement);
        // Time, jump and speed items one time in seven each, a coin otherwise.
        char item = static_cast<char>(random_between('C', 'I'));
        if (item > 'E') item = 'H';
        grid_set(cell(y + h + 1.5), cell(i + x), item_layer, item);
        found = true;
    }
    return found;
}

bool bump_breakable(Grid& layer, double x, double y, double w, double h, char code) {
    if (y < 0) return false;
    bool found = false;
    for (int i = 0; i <= w; ++i) {
        int row = cell(y + h + 0.5), column = cell((x - 1e-08) + i);
        if (grid_get(row, column, layer) != code) continue;
        grid_set(row, column, layer, ' ');
        found = true;
    }
    return found;
}

int random_between(int lo, int hi) { return lo + std::rand() % (hi - lo + 1); }
