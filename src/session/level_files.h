// Level folders on disk: the description "config.ini" and the two grid files "0.lvl" (play
// layer) and "1.lvl" (decor layer) in a run-length text format: each line a row, top row first,
// each character a cell, and "[cN]" standing for N cells holding c.
#pragma once
#include <optional>
#include <string>

#include "session/world.h"

// "levels/" + level name + "/" + file.
std::string level_path(const std::string& level, const std::string& file);

// Reads the level's "config.ini" into the record (empty texts for missing keys or file).
void read_level_info(LevelInfo& info, const std::string& level);

// Expands grid text into a layer. With sets_size, grid_width and grid_height are computed from
// the text (longest row, number of rows); otherwise the text is cut or padded to them.
Grid parse_grid_text(const std::string& text, bool sets_size);
// The run-length text of a layer of grid_width × grid_height cells.
std::string grid_to_text(const Grid& layer);

// Reads a grid file of the level; nothing when it cannot be read.
std::optional<Grid> read_grid_file(const std::string& file, const std::string& level,
                                   bool sets_size);
// Writes the layer to a grid file of the level, through a temporary file renamed over the old
// one, so a failed save never leaves a half-written level. False when it could not be written.
bool write_grid_file(const Grid& layer, const std::string& file, const std::string& level);

// Finds the start 'A' and exit 'B' markers of the decor layer (the last one in reading order
// whose cell above is not solid).
void find_markers(const Grid& decor, World& world);
// Reads both layers and finds the markers; false (layers unchanged) when a file cannot be read.
bool load_level(World& world, const std::string& level);
// Writes both layers; prints "saved" when both files were written, a failure line otherwise.
bool save_level(World& world, const std::string& level);
