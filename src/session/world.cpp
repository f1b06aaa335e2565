// Cell access for both layers.
#include "session/world.h"

int grid_width = 0;
int grid_height = 0;

namespace {
bool cell_index(int row, int column, const Grid& layer, size_t* index) {
    if (row < 0 || row >= grid_height || column < 0 || column >= grid_width) return false;
    *index = static_cast<size_t>(grid_height - 1 - row) * grid_width + column;
    return *index < layer.size();
}
}  // namespace

char grid_get(int row, int column, const Grid& layer) {
    size_t i;
    return cell_index(row, column, layer, &i) ? layer[i] : ' ';
}

void grid_set(int row, int column, Grid& layer, char code) {
    size_t i;
    if (cell_index(row, column, layer, &i)) layer[i] = code;
}

void author_cell(World& world, int row, int column, char play, char decor) {
    grid_set(row, column, world.play_grid, play);
    grid_set(row, column, world.authored_play, play);
    grid_set(row, column, world.decor_grid, decor);
}
