// Level folders as an author handles them: making a new level, duplicating and renaming one,
// and deleting one into "levels/.trash/", from where it can be restored. Nothing is ever
// destroyed: a deleted level is only moved. Also the choices a new level is made from (themes,
// backgrounds, music of the resource tree) and the author's name, kept in a file of its own.
#pragma once
#include <ctime>
#include <string>
#include <vector>

#include "app/paths.h"

// The trash: ".trash" in the levels' folder.
std::string trash_dir();
// The author's name for new levels, in "auteur.ini" beside settings.ini (which keeps its eight
// lines).
std::string author_file();

// What is wrong with a name for a level folder, or nothing.
enum class NameProblem { none, empty, too_long, bad_character, reserved, taken };
// The longest folder name every reader of a level accepts.
size_t longest_level_name();
// Letters, digits, '_' and '-', at most longest_level_name() of them, not "Server", and no
// other folder of that name (whatever its case) in levels/ — but `renaming` itself, when given.
NameProblem level_name_problem(const std::string& name, const std::string& renaming = "");
// The problem in a few words ("taken by another level"), "" for none.
std::string name_problem_words(NameProblem problem);

// Every folder of levels/ in name order, but "Server" and the hidden ones (the trash).
std::vector<std::string> level_folders();

struct TrashedLevel {
    std::string folder;  // within trash_dir(): "<name>-<YYYYMMDD>-<HHMMSS>"
    std::string name;    // the level's name before it was deleted
    std::string when;    // "YYYY-MM-DD HH:MM:SS"
};
// The deleted levels, the most recent first.
std::vector<TrashedLevel> trashed_levels();

// Each returns false, with the reason in `problem`, when nothing was done.
bool duplicate_level(const std::string& from, const std::string& to, std::string* problem);
bool rename_level(const std::string& from, const std::string& to, std::string* problem);
// Moves the level to trash_dir() under its name and the local time `now`.
bool trash_level(const std::string& name, std::time_t now, std::string* problem);
// Moves a deleted level back under its old name (or the first free "<name>_2", "<name>_3" …);
// `restored_as` gets the name.
bool restore_level(const std::string& trashed_folder, std::string* restored_as,
                   std::string* problem);

// A size a new level can be made in.
struct LevelSize {
    const char* words;
    int width, height;
};
// From a room one window wide to the format's limits.
const std::vector<LevelSize>& level_sizes();

struct NewLevel {
    std::string name, titre, createur, theme, fond, musique;
    int width = 40, height = 24;
};
// What is wrong with a text for a line of config.ini ("" for nothing): the reader keeps 40
// characters of a line, and a ';' or a line end would cut it.
std::string config_value_problem(const std::string& key, const std::string& value);
// Writes the level's config.ini, a play layer with a floor three cells deep and a decor layer
// holding only the start (left) and the exit (right) markers.
bool create_level(const NewLevel& level, std::string* problem);

// The themes (folders "theme_<name>"), backgrounds (one-character folders and pictures) and
// music tracks of the resource tree, each in name order.
std::vector<std::string> theme_names(const std::string& resources = game_folders().resources);
std::vector<std::string> background_names(const std::string& resources = game_folders().resources);
std::vector<std::string> music_names(const std::string& resources = game_folders().resources);

// The author's name as last written (empty at first), and writing it.
std::string read_author();
bool write_author(const std::string& name);
