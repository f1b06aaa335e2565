// Where the game's files are. Started in its source folder (levels/ and ressources/ in the working
// folder, as `make run` starts it), everything is there under the relative names it has always
// had. Otherwise it runs as an installed program: the resources and the levels it ships are read
// from <prefix>/share/mivo/, found from the program's own folder (<prefix>/bin/), and the
// player's files go to the player's own folders: settings.ini (and the other files of the
// player) to $XDG_CONFIG_HOME/mivo/ (~/.config/mivo/), the levels to $XDG_DATA_HOME/mivo/levels/
// (~/.local/share/mivo/levels/), which the first start fills with copies of the shipped levels
// so that every level can be edited and saved. Only this module builds these folders.
#pragma once
#include <string>
#include <vector>

// The longest level folder name. The level selection offers no longer one, and every reader of a
// level's files refuses one, so a level that is offered is read whole.
constexpr size_t max_level_name = 41;

struct GameFolders {
    bool installed = false;
    std::string resources = "ressources";  // images, sounds, music and fonts (read only)
    std::string levels = "levels";         // the levels offered, played, edited and saved
    std::string config;                    // the player's files; "" is the working folder
    std::string data;                      // installed: the player's data folder, holding `levels`
    std::string shipped_levels;            // installed: the levels the game comes with (read only)
};

// What the decision is made from; a test passes its own.
struct FolderClues {
    std::string working;                         // the working folder
    std::string program_dir;                     // the folder holding the program itself
    std::string home;                            // the user's home folder ("" when unknown)
    std::string xdg_config_home, xdg_data_home;  // as the environment gives them, "" when unset
};

// The source folder's layout when `working` holds both levels/ and ressources/ (folders, or
// links to folders); the installed layout otherwise. An XDG variable that is not an absolute
// path is ignored, as the XDG rules ask.
GameFolders decide_folders(const FolderClues& clues);
// The clues of this process: its working folder, SDL_GetBasePath, $HOME (or the password
// database's home), $XDG_CONFIG_HOME and $XDG_DATA_HOME.
FolderClues clues_of_this_process();

// The folders every other module uses; the source folder's layout until start-up sets them.
void use_folders(const GameFolders& folders);
const GameFolders& game_folders();

// Start-up: decides the folders for this process and, installed, makes the player's folders
// and copies in the shipped levels the player does not have yet (seed_levels). Problems are
// said on standard output; the game goes on with what there is.
void prepare_folders();

// The resource tree's `relative` path ("ressources/" + relative in the source folder).
std::string resource_path(const std::string& relative);
// How long the resource's path reads in the source folder ("ressources/" + relative): the
// loaders' path limits are counted so, the same wherever the game is installed.
size_t source_resource_chars(const std::string& relative);
// The folder holding the level folders ("levels" in the source folder).
std::string levels_dir();
// The folder of one level ("levels/<name>" in the source folder).
std::string level_folder(const std::string& level);
// The folder of the player's own files ("." in the source folder).
std::string config_dir();
// A file of the player's beside the settings ("<name>" in the source folder).
std::string config_file(const std::string& name);
// The settings file ("settings.ini" in the source folder).
std::string settings_path();

// The record of the shipped levels already offered to the player, in the player's data folder:
// "<fingerprint> <level folder name>" lines, the fingerprint of the version offered last.
inline const std::string seeded_record_file = "shipped-levels.txt";

// A fingerprint of a level folder: a hash of the names and contents of its files, 16 hex digits
// ("" when it cannot be read).
std::string level_fingerprint(const std::string& folder);

// What seed_levels did, one entry a level folder name in `levels`.
struct SeedReport {
    std::vector<std::string> copied;   // a shipped level new to the player, copied in
    std::vector<std::string> offered;  // a newer version of a level the player has, beside it
    std::vector<std::string> failed;   // shipped levels that could not be copied (tried again)
};

// Copies every shipped level (each folder of `shipped`) into `levels` unless this version of it
// was offered before (the record in `record_path`, rewritten afterwards). The player's copy of a
// level is never overwritten: a version the player has not seen, of a level whose folder the
// player already has with other contents (and that no folder of the player's holds as it is),
// is copied beside it as "<name>-<version>" (then
// "<name>-<version>-2" …, the name cut to keep within max_level_name). A level the player
// deleted comes back only when a newer version ships. Copies are made in a hidden folder of
// `levels` and renamed into place, so a stop half way leaves no half level.
SeedReport seed_levels(const std::string& shipped, const std::string& levels,
                       const std::string& record_path, const std::string& version);
