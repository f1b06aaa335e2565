// Where the game's files are: the source folder's layout, an installed game's folders, and the
// first start's copies of the shipped levels into the player's folder.
#include "app/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/settings.h"
#include "session/level_files.h"
#include "support/harness.h"
#include "world/level_select.h"

namespace fs = std::filesystem;

namespace {
// Puts the source folder's layout back, whatever the test set.
struct FoldersKept {
    GameFolders saved = game_folders();
    ~FoldersKept() { use_folders(saved); }
};

void write_level(const std::string& folder, const std::string& play) {
    write_file(folder + "/config.ini", "titre=T\ntheme=base\n");
    write_file(folder + "/0.lvl", play);
    write_file(folder + "/1.lvl", "[ 3]\n[ 3]\n");
}

// Sets or unsets (nullptr) an environment variable for the test, and puts it back afterwards.
struct EnvSet {
    std::string name, old;
    bool had = false;
    EnvSet(const char* n, const char* value) : name(n) {
        const char* v = std::getenv(n);
        had = v != nullptr;
        if (had) old = v;
        if (value)
            setenv(n, value, 1);
        else
            unsetenv(n);
    }
    ~EnvSet() {
        if (had)
            setenv(name.c_str(), old.c_str(), 1);
        else
            unsetenv(name.c_str());
    }
};

std::vector<std::string> folder_names(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}
}  // namespace

// In the source folder (levels/ and ressources/ there, the resources maybe a link) every path is
// the relative one the game has always used. Anywhere else the data come from
// <program>/../share/mivo and the player's files from the XDG folders, or their defaults below
// the home when the variables are unset or not absolute.
TEST(Paths, SourceFolderOrInstalledFoldersFromHomeAndXdg) {
    FoldersKept kept;
    TempDir t;
    const std::string home = t.path + "/home", src = t.path + "/src", empty = t.path + "/empty";
    fs::create_directories(src + "/levels");
    fs::create_directories(t.path + "/generated");
    fs::create_directory_symlink(t.path + "/generated", src + "/ressources");
    fs::create_directories(empty + "/levels");  // levels alone are no source folder
    const std::string bin = t.path + "/opt/mivo/bin/";

    GameFolders source = decide_folders({src, bin, home, "", ""});
    EXPECT_FALSE(source.installed);
    use_folders(source);
    EXPECT_EQ(resource_path("fonts/calibri.ttf"), "ressources/fonts/calibri.ttf");
    EXPECT_EQ(levels_dir(), "levels");
    EXPECT_EQ(level_path("demo", "0.lvl"), "levels/demo/0.lvl");
    EXPECT_EQ(settings_path(), "settings.ini");
    EXPECT_EQ(config_file("auteur.ini"), "auteur.ini");
    EXPECT_EQ(config_dir(), ".");

    GameFolders installed = decide_folders({empty, bin, home, "", ""});
    EXPECT_TRUE(installed.installed);
    use_folders(installed);
    EXPECT_EQ(resource_path("fonts/calibri.ttf"),
              t.path + "/opt/mivo/share/mivo/ressources/fonts/calibri.ttf");
    EXPECT_EQ(installed.shipped_levels, t.path + "/opt/mivo/share/mivo/levels");
    EXPECT_EQ(levels_dir(), home + "/.local/share/mivo/levels");
    EXPECT_EQ(level_path("demo", "0.lvl"), home + "/.local/share/mivo/levels/demo/0.lvl");
    EXPECT_EQ(settings_path(), home + "/.config/mivo/settings.ini");
    EXPECT_EQ(config_file("auteur.ini"), home + "/.config/mivo/auteur.ini");

    GameFolders xdg = decide_folders({empty, bin, home, t.path + "/cfg", t.path + "/data"});
    EXPECT_EQ(xdg.config, t.path + "/cfg/mivo");
    EXPECT_EQ(xdg.levels, t.path + "/data/mivo/levels");
    GameFolders relative_xdg = decide_folders({empty, bin, home, "cfg", "data"});
    EXPECT_EQ(relative_xdg.config, home + "/.config/mivo");
    EXPECT_EQ(relative_xdg.levels, home + "/.local/share/mivo/levels");

    // This process's clues: the environment, and the folder of the test program itself.
    EnvSet data("XDG_DATA_HOME", (t.path + "/data").c_str());
    FolderClues clues = clues_of_this_process();
    EXPECT_EQ(clues.xdg_data_home, t.path + "/data");
    EXPECT_EQ(fs::path(clues.program_dir) / "mivo_tests", fs::path(MIVO_BINARY_DIR) / "mivo_tests");
}

// The first start copies every shipped level; later starts copy nothing again, whatever the
// player did to the copies. A newer shipped version of a level comes beside the player's copy
// with the version in its name, never over it, and only once; a level the player deleted comes
// back only in a newer version; a copy cut short by a stop is cleared away.
TEST(Paths, SeedingCopiesShippedLevelsOnceAndNeverOverwritesThePlayers) {
    TempDir t;
    const std::string shipped = t.path + "/share/levels", levels = t.path + "/data/levels",
                      record = t.path + "/data/" + seeded_record_file;
    write_level(shipped + "/plaine", "[a3]\n");
    write_level(shipped + "/grotte", "[b3]\n");
    fs::create_directories(levels + "/.seeding/plaine");  // a copy a stop cut short

    SeedReport first = seed_levels(shipped, levels, record, "1.0");
    EXPECT_EQ(first.copied, (std::vector<std::string>{"grotte", "plaine"}));
    EXPECT_EQ(folder_names(levels), (std::vector<std::string>{"grotte", "plaine"}));
    EXPECT_EQ(read_file(levels + "/plaine/0.lvl"), "[a3]\n");
    EXPECT_EQ(read_file(levels + "/plaine/config.ini"), "titre=T\ntheme=base\n");
    EXPECT_EQ(level_fingerprint(levels + "/grotte"), level_fingerprint(shipped + "/grotte"));

    // Installed files are read only; the copies are the player's to save.
    fs::permissions(shipped + "/plaine/0.lvl", fs::perms::owner_read);
    write_file(levels + "/plaine/0.lvl", "[c3]\n");  // the player's edit
    SeedReport again = seed_levels(shipped, levels, record, "1.0");
    EXPECT_TRUE(again.copied.empty() && again.offered.empty() && again.failed.empty());
    EXPECT_EQ(read_file(levels + "/plaine/0.lvl"), "[c3]\n");

    // A newer version of both: beside the edited copy, and beside the unedited one too.
    fs::permissions(shipped + "/plaine/0.lvl", fs::perms::owner_all);
    write_file(shipped + "/plaine/0.lvl", "[d3]\n");
    write_file(shipped + "/grotte/1.lvl", "[ 2]A\n[ 3]\n");
    SeedReport newer = seed_levels(shipped, levels, record, "1.1");
    EXPECT_EQ(newer.offered, (std::vector<std::string>{"grotte-1.1", "plaine-1.1"}));
    EXPECT_EQ(read_file(levels + "/plaine/0.lvl"), "[c3]\n");
    EXPECT_EQ(read_file(levels + "/plaine-1.1/0.lvl"), "[d3]\n");
    EXPECT_EQ(read_file(levels + "/grotte/1.lvl"), "[ 3]\n[ 3]\n");
    EXPECT_EQ(read_file(levels + "/grotte-1.1/1.lvl"), "[ 2]A\n[ 3]\n");
    SeedReport same = seed_levels(shipped, levels, record, "1.1");
    EXPECT_TRUE(same.copied.empty() && same.offered.empty());

    // Deleted by the player: gone for good until a newer version ships.
    fs::remove_all(levels + "/grotte");
    fs::remove_all(levels + "/grotte-1.1");
    EXPECT_TRUE(seed_levels(shipped, levels, record, "1.1").copied.empty());
    write_file(shipped + "/grotte/0.lvl", "[e3]\n");
    EXPECT_EQ(seed_levels(shipped, levels, record, "1.2").copied,
              (std::vector<std::string>{"grotte"}));

    // A lost record: shipped levels the player has (plaine as plaine-1.1, grotte as it is) are
    // not copied again; a folder of the player's own that happens to bear a shipped level's
    // name gets the shipped one beside it (its name cut to stay within a level name's limit).
    fs::remove(record);
    const std::string long_name(max_level_name, 'n');
    write_level(shipped + "/" + long_name, "[f3]\n");
    write_level(levels + "/" + long_name, "[g3]\n");
    SeedReport lost = seed_levels(shipped, levels, record, "1.2");
    EXPECT_TRUE(lost.copied.empty());
    std::string beside = long_name.substr(0, max_level_name - 4) + "-1.2";
    EXPECT_EQ(lost.offered, (std::vector<std::string>{beside}));
    EXPECT_EQ(read_file(levels + "/" + beside + "/0.lvl"), "[f3]\n");
    EXPECT_EQ(read_file(levels + "/" + long_name + "/0.lvl"), "[g3]\n");
    EXPECT_FALSE(fs::exists(levels + "/.seeding"));
}

// An installed game started from an empty folder: the start makes the player's folders and
// seeds them, the level selection lists the player's levels, a save lands in the player's copy,
// and the settings in the player's config folder, nothing in the working folder.
TEST(Paths, InstalledGameKeepsThePlayersFilesInTheirFolders) {
    FoldersKept kept;
    Settings settings_kept = settings;
    TempDir t;
    const std::string prefix = t.path + "/prefix", home = t.path + "/home";
    write_level(prefix + "/share/mivo/levels/plaine", "[a3]\n");
    fs::create_directory_symlink(source_dir() + "/ressources", prefix + "/share/mivo/ressources");
    fs::create_directories(prefix + "/bin");
    fs::create_directories(t.path + "/empty");
    std::string previous = fs::current_path();
    fs::current_path(t.path + "/empty");
    EnvSet home_set("HOME", home.c_str()), config_unset("XDG_CONFIG_HOME", nullptr),
        data_unset("XDG_DATA_HOME", nullptr);

    testing::internal::CaptureStdout();
    prepare_folders();
    GameFolders real = game_folders();
    // The test program is no installed game: its data folder is looked for beside it.
    EXPECT_TRUE(real.installed);
    EXPECT_EQ(real.levels, home + "/.local/share/mivo/levels");
    GameFolders f = decide_folders({t.path + "/empty", prefix + "/bin/", home, "", ""});
    use_folders(f);
    SeedReport seeded =
        seed_levels(f.shipped_levels, f.levels, f.data + "/" + seeded_record_file, "1.0");
    std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("The game's data are missing from"), std::string::npos) << said;
    EXPECT_EQ(seeded.copied, (std::vector<std::string>{"plaine"}));

    LevelList list = list_levels();
    EXPECT_EQ(list.names, (std::vector<std::string>{"plaine"}));
    std::optional<Grid> play = read_grid_file("0.lvl", "plaine", true);
    ASSERT_TRUE(play.has_value());
    (*play)[0] = 'b';
    EXPECT_TRUE(write_grid_file(*play, "0.lvl", "plaine"));
    EXPECT_EQ(read_file(home + "/.local/share/mivo/levels/plaine/0.lvl"), grid_to_text(*play));
    EXPECT_EQ(read_file(prefix + "/share/mivo/levels/plaine/0.lvl"), "[a3]\n");
    settings.volume_menus = 35;
    EXPECT_TRUE(settings_save());
    EXPECT_NE(read_file(home + "/.config/mivo/settings.ini").find("volume_menus=35"),
              std::string::npos);
    EXPECT_TRUE(fs::is_empty(t.path + "/empty"));

    fs::current_path(previous);
    settings = settings_kept;
}
