// The level checker: reads a level folder the way the game reads it and lists, in words, what
// would go wrong when it is played: missing markers, cells that draw as the error tile, rails and
// doors that lead nowhere, files and pictures the game cannot find, text that is cut on reading.
// It draws nothing and opens no window, so the mivo-check tool and the Creations screen share it.
#pragma once
#include <string>
#include <vector>

enum class FindingKind {
    file_missing,          // config.ini, 0.lvl or 1.lvl missing, or not a regular file
    name_too_long,         // the folder name is longer than the level paths allow: the game
                           // neither lists the level nor reads its doors
    empty_level,           // 0.lvl holds no cells
    row_too_long,          // a row expands past the format's width and is cut
    too_many_rows,         // lines past the format's height are left out
    decor_cut,             // 1.lvl reaches past the play layer's size and is cut to it
    no_start,              // no start marker counts
    no_exit,               // no exit marker counts
    extra_start,           // a start marker that another one overrides
    extra_exit,            // an exit marker that another one overrides
    marker_ignored,        // a marker under a solid block of the decor layer does not count
    start_in_block,        // the player starts inside a solid block
    exit_in_block,         // the exit's portal pulls the player into a solid block
    error_code,            // a cell code that draws as the error tile
    spawn_nothing,         // a spawn digit of no enemy type
    extra_platform,        // a block on a rail past the platforms that are built
    rail_alone,            // a rail cell with no rail beside, above or below it
    door_no_partner,       // a door whose channel has no other door
    door_outside,          // a door reaching outside the level
    door_arrival_blocked,  // arriving at the door puts the player inside a block
    entry_cut,             // caracters.lvl or portals.lvl holds more than its format reads
    picture_missing,       // a character's picture cannot be loaded
    bubble_too_big,        // a character's text does not fit its bubble
    theme_missing,         // the theme folder or some of its tiles do not exist
    background_missing,    // the background does not exist
    music_missing,         // the music does not exist
    config_cut,            // a line of config.ini is longer than the reader keeps
};

struct Finding {
    FindingKind kind = FindingKind::file_missing;
    std::string file;           // within the level folder; "" for the folder itself
    int column = -1, row = -1;  // the cell it is about, rows counted from the lowest; −1: none
    std::string words;          // what is wrong, for the author
    bool has_cell() const { return column >= 0 && row >= 0; }
};

// The two layers as the game reads them (cut and padded to the play layer's size), for a map.
struct CheckedLayers {
    int width = 0, height = 0;
    std::string play, decor;                  // width × height cells, the top row first
    char play_at(int row, int column) const;  // rows from the lowest; ' ' outside
    char decor_at(int row, int column) const;
};

struct LevelReport {
    std::string folder;  // as given
    std::string name;    // the folder's own name, which the game knows the level by
    std::string titre, createur, fond, musique, theme;
    CheckedLayers layers;
    // The markers the game takes (column 0, row 0 when there is none, as the game does).
    int start_column = 0, start_row = 0, exit_column = 0, exit_row = 0;
    std::vector<Finding> findings;
    bool ready() const { return findings.empty(); }
};

// Never more findings of one kind than this: one more, without a cell, says how many were left.
constexpr int max_findings_of_a_kind = 100;

// Checks the level folder; the pictures, tiles, backgrounds and music are looked for under
// `resources`.
LevelReport check_level(const std::string& folder, const std::string& resources = "ressources");

// The kind's name for tools ("no_start").
const char* finding_kind_name(FindingKind kind);
// "ready", "1 problem", "3 problems".
std::string report_verdict(const LevelReport& report);
// Every level's findings as one JSON array of {"level", "ready", "findings": [...]}.
std::string reports_json(const std::vector<LevelReport>& reports);
// One line per finding, after a line naming the level and its verdict.
std::string report_text(const LevelReport& report);
