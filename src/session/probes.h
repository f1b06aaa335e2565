// The fixed questions the game asks the grid about the cells around a body (one cell wide, two
// tall), and the three small operations that change cells: taking items, bumping item blocks
// and breaking blocks. The sampling offsets decide at which fraction of a cell bodies touch.
#pragma once
#include "app/random.h"
#include "session/world.h"

bool probe_floor(const Grid& layer, double x, double y, double w = 1, double h = 2);
bool probe_ceiling(const Grid& layer, double x, double y, double w = 1, double h = 2);
bool probe_right(const Grid& layer, double x, double y, double w = 1, double h = 2);
bool probe_left(const Grid& layer, double x, double y, double w = 1, double h = 2);

// Replaces the first cell holding `code` among the body's cells (column by column, lower row
// first) and says whether one was found.
bool touch_cells(Grid& layer, double x, double y, double w, double h, char code, char replacement);
// Spends every `code` block in the row above the head and puts a random item above each.
bool bump_item_block(Grid& layer, Grid& item_layer, double x, double y, double w, double h,
                     char code, char replacement);
// Empties every `code` block in the row above the head.
bool bump_breakable(Grid& layer, double x, double y, double w, double h, char code);
