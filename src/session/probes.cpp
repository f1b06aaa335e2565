// Grid probes. Every conversion of a position to a cell truncates toward zero.
#include "session/probes.h"

namespace {
int to_cell(double v) { return static_cast<int>(v); }

// The rows beside a body two cells tall: feet, middle and just under the top of the head.
bool side_blocked(const Grid& layer, int column, double y) {
    return side_solid(grid_get(to_cell(y), column, layer)) ||
           side_solid(grid_get(to_cell(y + 1), column, layer)) ||
           side_solid(grid_get(to_cell(y + 1.999), column, layer));
}
}  // namespace

bool probe_floor(const Grid& layer, double x, double y, double, double) {
    int row = to_cell(y - 1e-10);
    return floor_solid(grid_get(row, to_cell(x + 1e-07), layer)) ||
           floor_solid(grid_get(row, to_cell(x + 0.99999999999), layer));
}

bool probe_ceiling(const Grid& layer, double x, double y, double, double) {
    int row = to_cell(y + 1.999999999);
    return ceiling_solid(grid_get(row, to_cell(x + 1e-07), layer)) ||
           ceiling_solid(grid_get(row, to_cell(x + 0.999999999), layer));
}

bool probe_right(const Grid& layer, double x, double y, double w, double) {
    return side_blocked(layer, to_cell(to_cell(x) + w), y);
}

bool probe_left(const Grid& layer, double x, double y, double, double) {
    return side_blocked(layer, to_cell(x), y);
}

bool touch_cells(Grid& layer, double x, double y, double w, double h, char code, char replacement) {
    for (int i = 0; i <= w; ++i) {
        for (int j = 1; j <= h; ++j) {
            int row = to_cell((y - 0.01) + j), column = to_cell(i + x);
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
        int row = to_cell(y + h + 0.5), column = to_cell((x - 1e-08) + i);
        if (grid_get(row, column, layer) != code) continue;
        grid_set(row, column, layer, replacement);
        // Time, jump and speed items one time in seven each, a coin otherwise.
        char item = static_cast<char>(random_between(cell::time_item, 'I'));
        if (item > cell::speed_item) item = cell::coin;
        grid_set(to_cell(y + h + 1.5), to_cell(i + x), item_layer, item);
        found = true;
    }
    return found;
}

bool bump_breakable(Grid& layer, double x, double y, double w, double h, char code) {
    if (y < 0) return false;
    bool found = false;
    for (int i = 0; i <= w; ++i) {
        int row = to_cell(y + h + 0.5), column = to_cell((x - 1e-08) + i);
        if (grid_get(row, column, layer) != code) continue;
        grid_set(row, column, layer, ' ');
        found = true;
    }
    return found;
}
