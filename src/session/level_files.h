// Level folders on disk: the description "config.ini" and the two grid files "0.lvl" (play
// layer) and "1.lvl" (decor layer) in a run-length text format: each line a row, top row first,
// each character a cell, and "[cN]" standing for N cells holding c.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "app/paths.h"
#include "session/world.h"

// The level's folder (level_folder: "levels/<name>" in the source folder) + "/" + file.
std::string level_path(const std::string& level, const std::string& file);
// True when the level's folder name is within max_level_name; otherwise a line says that the
// level's `file` is not read.
bool level_name_fits(const std::string& level, const std::string& file);

// Reads the level's "config.ini" into the record (empty texts for missing keys or file). A
// background, track or theme that would lead outside ressources/ is left empty, with a line.
void read_level_info(LevelInfo& info, const std::string& level);

// What reading a grid text had to leave out: rows longer than max_grid_width cells (cut to it)
// and lines past the max_grid_height-th; and, for a layer read into the size the play layer set,
// the rows past its height and the rows longer than its width that held something.
struct GridCuts {
    int long_rows = 0;
    int rows = 0;
    int rows_outside = 0;
    int wide_rows = 0;
    bool any() const { return long_rows + rows + rows_outside + wide_rows > 0; }
};

// Expands grid text into a layer. With sets_size, grid_width and grid_height are computed from
// the text (longest row, number of rows); otherwise the text is cut or padded to them.
Grid parse_grid_text(const std::string& text, bool sets_size, GridCuts* cuts = nullptr);
// The run-length text of a layer of grid_width × grid_height cells. A '[' cell is written as a
// run token, so the text always reads back as the same layer.
std::string grid_to_text(const Grid& layer);

// Reads a grid file of the level; nothing when it is missing or not a regular file. Prints a
// line naming the file when the size limits (or the play layer's size) cut part of it, and
// tells it in `cut`.
std::optional<Grid> read_grid_file(const std::string& file, const std::string& level,
                                   bool sets_size, bool* cut = nullptr);
// True when the layer holds exactly grid_width × grid_height cells of a non-empty grid.
bool layer_fits_grid(const Grid& layer);

struct LayerFile {
    const Grid* layer;
    std::string file;
};
// Writes layers to grid files of the level, all or none, whatever stops the program half way
// (see app/replace_files.h). A layer whose size is not the grid's is refused. False when the
// files were not all written; `problem` then says what is on disk.
bool write_grid_files(const std::vector<LayerFile>& layers, const std::string& level,
                      std::string* problem = nullptr);
bool write_grid_file(const Grid& layer, const std::string& file, const std::string& level);

// Finds the start 'A' and exit 'B' markers of the decor layer (the last one in reading order
// whose cell above is not solid).
void find_markers(const Grid& decor, World& world);
// Finishes (or drops) a save of the level that was stopped half way, then reads both layers
// (the authored play layer too) and finds the markers; false (layers and grid size unchanged, a
// line naming the file printed, and given in `said`) when a file cannot be read or the play
// layer holds no cells.
bool load_level(World& world, const std::string& level, std::string* said = nullptr);
// Writes the authored play layer and the decor layer, both or neither; prints "saved" when both
// files were written, a line saying what is on disk otherwise (and gives that line in `said`).
// Layers never read from a level are not saved; after a reading that cut part of a file, the
// first call only says what saving would drop.
bool save_level(World& world, const std::string& level, std::string* said = nullptr);

// Characters ("caracters.lvl") and teleport doors ("portals.lvl"), written by hand: the editor
// does not place them. One entry a line, "[f1|f2|…]": each '[', '|' and ']' moves on to the next
// field, what stands before the first one is ignored, and a line starting with a backslash gives a
// disabled character or a hidden door. Missing fields and malformed numbers read as 0 or empty;
// fields longer than the format holds are cut to it, a line to its first 999 characters, and
// lines past the 50th are not read.
struct Character;
struct Door;

// "[x|y|w|h|motion|image|text]": numbers of at most 4 characters, an image path of at most 39
// and a text of at most 499. A line ends at its first CR or LF. Text after the closing ']'
// overwrites the text from its start.
std::vector<Character> parse_characters_text(const std::string& text);
// The level's "caracters.lvl"; none when it is missing.
std::vector<Character> read_characters_file(const std::string& level);

// "[x|y|channel]": fields of at most 4 characters, a line ends at its LF. Every field after the
// second is written over the channel from its first character, so a CR of a CR LF line end
// overwrites the channel's first character. Blank lines are passed over; every other line is a
// door, 50 at most.
std::vector<Door> parse_doors_text(const std::string& text);
// The level's "portals.lvl"; none when it is missing.
std::vector<Door> read_doors_file(const std::string& level);
